#pragma once
// A push button, check box or radio button.
#include <functional>

#include "app/control_handle.h"

class ButtonControl : public ControlHandle {
 public:
  ButtonControl() = default;
  ButtonControl(const Window& window, std::string_view name) : ControlHandle(window, name) {}

  Text Caption() const;
  void SetCaption(const Text& caption);
  // Check boxes and radio buttons; ticking a radio button unticks the others
  // of its group. Setting the state does not report a click.
  bool IsTicked() const;
  void SetTicked(bool ticked);

  void OnClick(std::function<void()> handler);
};
