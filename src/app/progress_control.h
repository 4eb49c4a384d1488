#pragma once
// A progress bar counting from 0 to its maximum.
#include "app/control_handle.h"

class ProgressControl : public ControlHandle {
 public:
  ProgressControl() = default;
  ProgressControl(const Window& window, std::string_view name) : ControlHandle(window, name) {}

  void SetMaximum(int maximum);
  int Maximum() const;
  void SetPosition(int position);
  int Position() const;
};
