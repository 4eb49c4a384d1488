#pragma once
// A picture box that shows an image given as the bytes of a JPEG or PNG file.
#include "app/control_handle.h"

class PictureControl : public ControlHandle {
 public:
  PictureControl() = default;
  PictureControl(const Window& window, std::string_view name) : ControlHandle(window, name) {}

  // Bytes that are no picture it can decode leave the box empty.
  void ShowImage(const Bytes& bytes);
  void Clear();
  bool HasPicture() const;
};
