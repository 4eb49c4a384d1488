#pragma once
// A drop-down list. Items count from 0; -1 means no item chosen.
#include <functional>

#include "app/control_handle.h"

class ComboControl : public ControlHandle {
 public:
  ComboControl() = default;
  ComboControl(const Window& window, std::string_view name) : ControlHandle(window, name) {}

  void DeleteAllItems();
  void AddItem(const Text& text);
  int ItemCount() const;
  int ChosenIndex() const;
  // "" for an index outside the list.
  Text ItemText(int index) const;
  Text ChosenText() const;
  // -1 clears the choice.
  void Choose(int index);

  // The user chose an item (choosing through Choose does not report).
  void OnItemChosen(std::function<void(int index)> handler);
};
