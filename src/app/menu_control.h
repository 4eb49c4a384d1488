#pragma once
// A window's popup menu, found by its name ("右键1"); its entries are named
// by their captions.
#include <functional>
#include <vector>

#include "app/control_handle.h"

class MenuControl : public ControlHandle {
 public:
  MenuControl() = default;
  MenuControl(const Window& window, std::string_view name) : ControlHandle(window, name) {}

  // Opens the menu at the mouse pointer and returns at once; a chosen entry
  // runs its handler later on the window thread.
  void PopupAtPointer();
  // `entry` is the entry's caption as written in the source (UTF-8).
  void OnEntry(std::string_view entry, std::function<void()> handler);
  // The captions of the entries in order, separators as "-".
  std::vector<Text> Entries() const;
};
