#include "app/list_control.h"

#include "app/qt/list_view.h"
#include "app/qt/widget_ref.h"

int ListControl::AppendRow(const std::vector<Text>& cells) {
  int row = -1;
  WithWidget<ListView>(ref_, [&](ListView& view) { row = view.listModel()->AppendRow(cells, false); });
  return row;
}

int ListControl::AppendNumberedRow(const std::vector<Text>& cellsFromColumn1) {
  int row = -1;
  WithWidget<ListView>(ref_, [&](ListView& view) { row = view.listModel()->AppendRow(cellsFromColumn1, true); });
  return row;
}

void ListControl::AppendRows(const std::vector<std::vector<Text>>& rows) {
  WithWidget<ListView>(ref_, [&](ListView& view) { view.listModel()->AppendRows(rows, false); });
}

void ListControl::AppendNumberedRows(const std::vector<std::vector<Text>>& rowsFromColumn1) {
  WithWidget<ListView>(ref_, [&](ListView& view) { view.listModel()->AppendRows(rowsFromColumn1, true); });
}

Text ListControl::Cell(int row, int column) const {
  Text cell;
  WithWidget<ListView>(ref_, [&](ListView& view) { cell = view.listModel()->Cell(row, column); });
  return cell;
}

void ListControl::SetCell(int row, int column, const Text& text) {
  WithWidget<ListView>(ref_, [&](ListView& view) { view.listModel()->SetCell(row, column, text); });
}

std::vector<Text> ListControl::Row(int row) const {
  std::vector<Text> cells;
  WithWidget<ListView>(ref_, [&](ListView& view) { cells = view.listModel()->RowCells(row); });
  return cells;
}

std::vector<std::vector<Text>> ListControl::Rows() const {
  std::vector<std::vector<Text>> rows;
  WithWidget<ListView>(ref_, [&](ListView& view) {
    const ListModel& model = *view.listModel();
    rows.reserve(model.rowCount());
    for (int row = 0; row < model.rowCount(); ++row) rows.push_back(model.RowCells(row));
  });
  return rows;
}

int ListControl::RowCount() const {
  int count = 0;
  WithWidget<ListView>(ref_, [&](ListView& view) { count = view.listModel()->rowCount(); });
  return count;
}

int ListControl::ColumnCount() const {
  int count = 0;
  WithWidget<ListView>(ref_, [&](ListView& view) { count = view.listModel()->columnCount(); });
  return count;
}

void ListControl::DeleteRow(int row) {
  WithWidget<ListView>(ref_, [&](ListView& view) { view.listModel()->RemoveRow(row); });
}

void ListControl::DeleteAllRows() {
  WithWidget<ListView>(ref_, [&](ListView& view) { view.listModel()->RemoveAllRows(); });
}

int ListControl::DeleteTickedRows() {
  int removed = 0;
  WithWidget<ListView>(ref_, [&](ListView& view) { removed = view.listModel()->RemoveTickedRows(); });
  return removed;
}

void ListControl::ScrollIntoView(int row) {
  WithWidget<ListView>(ref_, [&](ListView& view) {
    if (row >= 0 && row < view.listModel()->rowCount()) view.scrollTo(view.listModel()->index(row, 0));
  });
}

void ListControl::Select(int row) {
  WithWidget<ListView>(ref_, [&](ListView& view) { view.SelectRow(row); });
}

int ListControl::CurrentRow() const {
  int row = -1;
  WithWidget<ListView>(ref_, [&](ListView& view) { row = view.CurrentRow(); });
  return row;
}

bool ListControl::IsTicked(int row) const {
  bool ticked = false;
  WithWidget<ListView>(ref_, [&](ListView& view) { ticked = view.listModel()->IsTicked(row); });
  return ticked;
}

void ListControl::SetTicked(int row, bool ticked) {
  WithWidget<ListView>(ref_, [&](ListView& view) { view.listModel()->SetTicked(row, ticked); });
}

void ListControl::SetAllTicked(bool ticked) {
  WithWidget<ListView>(ref_, [&](ListView& view) { view.listModel()->SetAllTicked(ticked); });
}

void ListControl::OnItemClick(std::function<void(int row)> handler) {
  WithWidget<ListView>(ref_, [&](ListView& view) {
    QObject::connect(&view, &QAbstractItemView::clicked, &view,
                     [handler](const QModelIndex& index) { handler(index.row()); });
  });
}

void ListControl::OnRightClick(std::function<void(int row)> handler) {
  WithWidget<ListView>(ref_, [&](ListView& view) { QObject::connect(&view, &ListView::rightPressed, &view, handler); });
}

void ListControl::OnDoubleClick(std::function<void(int row)> handler) {
  WithWidget<ListView>(
      ref_, [&](ListView& view) { QObject::connect(&view, &ListView::doubleClickedAnywhere, &view, handler); });
}
