#pragma once
// A single-line or multi-line edit box. A multi-line box reads its line
// breaks as CR LF, the way its text is written and measured everywhere else.
#include <functional>

#include "app/control_handle.h"

constexpr int kKeyEnter = 13;

class EditControl : public ControlHandle {
 public:
  EditControl() = default;
  EditControl(const Window& window, std::string_view name) : ControlHandle(window, name) {}

  Text GetText() const;
  void SetText(const Text& text);
  // Appends at the end of the text, moves the caret there and scrolls it
  // into view.
  void AppendText(const Text& text);

  // Any change of the text, typed or written by the program.
  void OnTextChanged(std::function<void()> handler);
  // A key pressed while the box has the focus, with its key code (kKeyEnter
  // ...). The key still reaches the box.
  void OnKeyPressed(std::function<void(int keyCode)> handler);
};
