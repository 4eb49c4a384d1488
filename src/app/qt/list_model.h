#pragma once
// The rows of a report list: cells kept as GBK texts and turned into QString
// only when the view asks for them, an optional tick per row shown as the
// check box of column 0. Lives on the window thread; the control API is its
// only writer.
#include <QAbstractTableModel>
#include <vector>

#include "text/text.h"

struct ListColumn {
  QString title;
  int width = 0;  // 0 hides the column
  Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignVCenter;
};

class ListModel : public QAbstractTableModel {
  Q_OBJECT

 public:
  ListModel(std::vector<ListColumn> columns, bool checkable, QObject* parent = nullptr);

  const std::vector<ListColumn>& columns() const { return columns_; }
  bool checkable() const { return checkable_; }

  int rowCount(const QModelIndex& parent = QModelIndex()) const override;
  int columnCount(const QModelIndex& parent = QModelIndex()) const override;
  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
  bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;
  QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
  Qt::ItemFlags flags(const QModelIndex& index) const override;

  // Appends rows in one insertion; cells past the last column are dropped,
  // missing ones read as "". With `numbered`, column 0 of each row becomes the
  // row count right after that row's append and the given cells start at
  // column 1. Returns the index of the last row appended.
  int AppendRows(const std::vector<std::vector<Text>>& rows, bool numbered);
  int AppendRow(const std::vector<Text>& cells, bool numbered);

  // A cell outside the list reads as "".
  const Text& Cell(int row, int column) const;
  std::vector<Text> RowCells(int row) const;
  bool SetCell(int row, int column, const Text& text);
  bool RemoveRow(int row);
  void RemoveAllRows();
  // Removes every ticked row, keeping the others in order; returns how many
  // went.
  int RemoveTickedRows();
  bool IsTicked(int row) const;
  bool SetTicked(int row, bool ticked);
  void SetAllTicked(bool ticked);

 private:
  struct Row {
    std::vector<Text> cells;
    bool ticked = false;
  };
  Row MakeRow(const std::vector<Text>& cells, bool numbered, int number) const;
  bool ValidRow(int row) const { return row >= 0 && row < static_cast<int>(rows_.size()); }

  std::vector<ListColumn> columns_;
  bool checkable_;
  std::vector<Row> rows_;
};
