#pragma once
// A label or a group box: its caption, and the colour of that caption.
#include <cstdint>

#include "app/control_handle.h"

class LabelControl : public ControlHandle {
 public:
  LabelControl() = default;
  LabelControl(const Window& window, std::string_view name) : ControlHandle(window, name) {}

  Text Caption() const;
  void SetCaption(const Text& caption);
  // Colour values as the program writes them, 0x00BBGGRR: 255 is red,
  // 16711680 (FF0000) blue.
  void SetCaptionColour(uint32_t colourValue);
  uint32_t CaptionColour() const;
};
