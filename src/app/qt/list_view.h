#pragma once
// The report list widget: a table view over a ListModel with fixed row
// heights (so 100,000 rows stay quick), whole-row selection, hidden columns
// for width 0, and the mouse events the control API reports.
#include <QTableView>

#include "app/qt/list_model.h"

class ListView : public QTableView {
  Q_OBJECT

 public:
  ListView(std::vector<ListColumn> columns, bool checkable, QWidget* parent = nullptr);

  ListModel* listModel() const { return model_; }
  // The row under a point of the viewport, or -1.
  int RowAt(const QPoint& viewportPoint) const;
  // The first selected row, or -1.
  int CurrentRow() const;
  // Makes `row` the one selected row (and the current one).
  void SelectRow(int row);

 signals:
  void rightPressed(int row);
  void doubleClickedAnywhere(int row);

 protected:
  void mousePressEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;

 private:
  ListModel* model_;
};
