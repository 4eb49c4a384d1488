#pragma once
// A report list (result lists, keyword lists). Rows and columns count from 0;
// column 0 is the row's own text and, in the result lists, carries the row's
// check box ("ticked"). A cell outside the list reads as "".
//
// A row is appended with all its cells in one operation, so a worker that is
// stopped never leaves a half-filled row behind.
#include <functional>
#include <vector>

#include "app/control_handle.h"

class ListControl : public ControlHandle {
 public:
  ListControl() = default;
  ListControl(const Window& window, std::string_view name) : ControlHandle(window, name) {}

  // Appends one row, unticked; returns its index (-1 when the list is gone).
  int AppendRow(const std::vector<Text>& cells);
  // Appends one row whose column 0 is the list's row count right after the
  // append and whose columns from 1 on are `cellsFromColumn1`. The numbers are
  // never rewritten later, so deleting rows leaves gaps and repeats.
  int AppendNumberedRow(const std::vector<Text>& cellsFromColumn1);
  // Many rows in one insertion (rebuilding a list from a snapshot).
  void AppendRows(const std::vector<std::vector<Text>>& rows);
  void AppendNumberedRows(const std::vector<std::vector<Text>>& rowsFromColumn1);

  Text Cell(int row, int column) const;
  void SetCell(int row, int column, const Text& text);
  // All cells of one row, or of every row, read in one operation.
  std::vector<Text> Row(int row) const;
  std::vector<std::vector<Text>> Rows() const;
  int RowCount() const;
  int ColumnCount() const;

  void DeleteRow(int row);
  void DeleteAllRows();
  // Deletes every ticked row in one operation; the others keep their order
  // and their cells. Returns how many were deleted.
  int DeleteTickedRows();
  void ScrollIntoView(int row);
  // Makes `row` the selected row.
  void Select(int row);
  // The first selected row, or -1.
  int CurrentRow() const;

  bool IsTicked(int row) const;
  void SetTicked(int row, bool ticked);
  void SetAllTicked(bool ticked);

  // Left click on a row.
  void OnItemClick(std::function<void(int row)> handler);
  // Right button pressed over the list: the row under the pointer (already
  // selected by the press) or -1 over the empty part.
  void OnRightClick(std::function<void(int row)> handler);
  // Double click anywhere on the list: the row under the pointer or -1.
  void OnDoubleClick(std::function<void(int row)> handler);
};
