#include "app/qt/list_model.h"

#include "app/qt/qt_text.h"
#include "text/text_ops.h"

ListModel::ListModel(std::vector<ListColumn> columns, bool checkable, QObject* parent)
    : QAbstractTableModel(parent), columns_(std::move(columns)), checkable_(checkable) {}

int ListModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

int ListModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(columns_.size());
}

QVariant ListModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || !ValidRow(index.row()) || index.column() >= columnCount()) return {};
  const Row& row = rows_[index.row()];
  switch (role) {
    case Qt::DisplayRole:
    case Qt::ToolTipRole:
      return ToQString(Cell(index.row(), index.column()));
    case Qt::CheckStateRole:
      if (checkable_ && index.column() == 0) return row.ticked ? Qt::Checked : Qt::Unchecked;
      return {};
    case Qt::TextAlignmentRole:
      return QVariant::fromValue(columns_[index.column()].alignment);
    default:
      return {};
  }
}

bool ListModel::setData(const QModelIndex& index, const QVariant& value, int role) {
  // The user ticks and unticks rows through the check box; cells are not
  // editable in place.
  if (role != Qt::CheckStateRole || !checkable_ || index.column() != 0 || !ValidRow(index.row())) return false;
  return SetTicked(index.row(), value.toInt() == Qt::Checked);
}

QVariant ListModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation != Qt::Horizontal || section < 0 || section >= columnCount()) return {};
  if (role == Qt::DisplayRole) return columns_[section].title;
  return {};
}

Qt::ItemFlags ListModel::flags(const QModelIndex& index) const {
  if (!index.isValid()) return Qt::NoItemFlags;
  Qt::ItemFlags flags = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
  if (checkable_ && index.column() == 0) flags |= Qt::ItemIsUserCheckable;
  return flags;
}

ListModel::Row ListModel::MakeRow(const std::vector<Text>& cells, bool numbered, int number) const {
  Row row;
  size_t columnCount = columns_.size();
  row.cells.reserve(columnCount);
  if (numbered) row.cells.push_back(IntToText(number));
  for (const Text& cell : cells) {
    if (row.cells.size() >= columnCount) break;
    row.cells.push_back(cell);
  }
  return row;
}

int ListModel::AppendRows(const std::vector<std::vector<Text>>& rows, bool numbered) {
  if (rows.empty()) return static_cast<int>(rows_.size()) - 1;
  int first = static_cast<int>(rows_.size());
  int last = first + static_cast<int>(rows.size()) - 1;
  beginInsertRows(QModelIndex(), first, last);
  rows_.reserve(rows_.size() + rows.size());
  for (const std::vector<Text>& cells : rows) {
    rows_.push_back(MakeRow(cells, numbered, static_cast<int>(rows_.size()) + 1));
  }
  endInsertRows();
  return last;
}

int ListModel::AppendRow(const std::vector<Text>& cells, bool numbered) {
  int row = static_cast<int>(rows_.size());
  beginInsertRows(QModelIndex(), row, row);
  rows_.push_back(MakeRow(cells, numbered, row + 1));
  endInsertRows();
  return row;
}

const Text& ListModel::Cell(int row, int column) const {
  static const Text empty;
  if (!ValidRow(row) || column < 0) return empty;
  const std::vector<Text>& cells = rows_[row].cells;
  return column < static_cast<int>(cells.size()) ? cells[column] : empty;
}

std::vector<Text> ListModel::RowCells(int row) const {
  std::vector<Text> cells;
  if (!ValidRow(row)) return cells;
  cells.reserve(columns_.size());
  for (int column = 0; column < columnCount(); ++column) cells.push_back(Cell(row, column));
  return cells;
}

bool ListModel::SetCell(int row, int column, const Text& text) {
  if (!ValidRow(row) || column < 0 || column >= columnCount()) return false;
  std::vector<Text>& cells = rows_[row].cells;
  if (column >= static_cast<int>(cells.size())) cells.resize(column + 1);
  cells[column] = text;
  QModelIndex changed = index(row, column);
  emit dataChanged(changed, changed, {Qt::DisplayRole});
  return true;
}

bool ListModel::RemoveRow(int row) {
  if (!ValidRow(row)) return false;
  beginRemoveRows(QModelIndex(), row, row);
  rows_.erase(rows_.begin() + row);
  endRemoveRows();
  return true;
}

void ListModel::RemoveAllRows() {
  beginResetModel();
  rows_.clear();
  rows_.shrink_to_fit();
  endResetModel();
}

int ListModel::RemoveTickedRows() {
  // Runs of adjacent ticked rows, last first, so earlier indices stay valid.
  std::vector<std::pair<int, int>> runs;
  for (int row = static_cast<int>(rows_.size()) - 1; row >= 0; --row) {
    if (!rows_[row].ticked) continue;
    if (!runs.empty() && runs.back().first == row + 1) {
      runs.back().first = row;
    } else {
      runs.emplace_back(row, row);
    }
  }
  if (runs.empty()) return 0;
  int removed = 0;
  for (const auto& [first, last] : runs) removed += last - first + 1;
  // Scattered ticks over a long list would cost one shift of the whole list
  // per run; past a few runs one compaction and a reset are far cheaper.
  constexpr size_t kMaxSeparateRemovals = 64;
  if (runs.size() > kMaxSeparateRemovals) {
    beginResetModel();
    std::erase_if(rows_, [](const Row& row) { return row.ticked; });
    endResetModel();
    return removed;
  }
  for (const auto& [first, last] : runs) {
    beginRemoveRows(QModelIndex(), first, last);
    rows_.erase(rows_.begin() + first, rows_.begin() + last + 1);
    endRemoveRows();
  }
  return removed;
}

bool ListModel::IsTicked(int row) const { return ValidRow(row) && rows_[row].ticked; }

bool ListModel::SetTicked(int row, bool ticked) {
  if (!ValidRow(row) || !checkable_) return false;
  if (rows_[row].ticked != ticked) {
    rows_[row].ticked = ticked;
    QModelIndex changed = index(row, 0);
    emit dataChanged(changed, changed, {Qt::CheckStateRole});
  }
  return true;
}

void ListModel::SetAllTicked(bool ticked) {
  if (rows_.empty() || !checkable_) return;
  for (Row& row : rows_) row.ticked = ticked;
  emit dataChanged(index(0, 0), index(static_cast<int>(rows_.size()) - 1, 0), {Qt::CheckStateRole});
}
