#pragma once
// A tree view. Items are named by handles (see AddItem); 0 is the top level
// or "no item".
#include <cstdint>
#include <functional>

#include "app/control_handle.h"

class TreeControl : public ControlHandle {
 public:
  TreeControl() = default;
  TreeControl(const Window& window, std::string_view name) : ControlHandle(window, name) {}

  void DeleteAllItems();
  // Adds `text` at the top level (parent 0) or as the last child of `parent`;
  // returns the new item's handle, 0 when nothing was added.
  int64_t AddItem(int64_t parent, const Text& text);
  int64_t SelectedItem() const;
  // "" when nothing is selected.
  Text SelectedText() const;
  Text ItemText(int64_t item) const;
  int ChildCount(int64_t item) const;
  void SelectItem(int64_t item);

  void OnSelectionChanged(std::function<void()> handler);
};
