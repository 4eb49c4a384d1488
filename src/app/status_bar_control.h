#pragma once
// A window's status bar: part 0 shows "状态：", part 1 the status line.
#include "app/control_handle.h"

class StatusBarControl : public ControlHandle {
 public:
  StatusBarControl() = default;
  StatusBarControl(const Window& window, std::string_view name) : ControlHandle(window, name) {}

  void SetPartText(int part, const Text& text);
  Text PartText(int part) const;
};
