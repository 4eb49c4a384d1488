#include "app/qt/list_view.h"

#include <QHeaderView>
#include <QMouseEvent>

ListView::ListView(std::vector<ListColumn> columns, bool checkable, QWidget* parent)
    : QTableView(parent), model_(new ListModel(std::move(columns), checkable, this)) {
  setModel(model_);
  setSelectionBehavior(QAbstractItemView::SelectRows);
  setSelectionMode(QAbstractItemView::ExtendedSelection);
  setEditTriggers(QAbstractItemView::NoEditTriggers);
  setWordWrap(false);
  setShowGrid(false);
  setAlternatingRowColors(false);
  setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
  verticalHeader()->hide();
  verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
  horizontalHeader()->setHighlightSections(false);
  horizontalHeader()->setDefaultAlignment(Qt::AlignCenter);
  horizontalHeader()->setStretchLastSection(false);
  const std::vector<ListColumn>& layout = model_->columns();
  for (int column = 0; column < static_cast<int>(layout.size()); ++column) {
    if (layout[column].width <= 0) {
      setColumnHidden(column, true);
    } else {
      setColumnWidth(column, layout[column].width);
    }
  }
}

int ListView::RowAt(const QPoint& viewportPoint) const {
  QModelIndex index = indexAt(viewportPoint);
  return index.isValid() ? index.row() : -1;
}

int ListView::CurrentRow() const {
  int first = -1;
  for (const QModelIndex& index : selectionModel()->selectedRows()) {
    if (first < 0 || index.row() < first) first = index.row();
  }
  return first;
}

void ListView::SelectRow(int row) {
  if (row < 0 || row >= model_->rowCount()) return;
  QModelIndex index = model_->index(row, 0);
  selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
}

void ListView::mousePressEvent(QMouseEvent* event) {
  QTableView::mousePressEvent(event);
  // Reported after the view's own handling, so a right press on a row has
  // already made that row the selected one, as report lists do.
  if (event->button() == Qt::RightButton) emit rightPressed(RowAt(event->position().toPoint()));
}

void ListView::mouseDoubleClickEvent(QMouseEvent* event) {
  QTableView::mouseDoubleClickEvent(event);
  // Also on the empty part of the list: the handlers then act on the
  // current row.
  if (event->button() == Qt::LeftButton) emit doubleClickedAnywhere(RowAt(event->position().toPoint()));
}
