#include "app/picture_control.h"

#include "app/qt/image_decoding.h"
#include "app/qt/picture_box.h"
#include "app/qt/widget_ref.h"

void PictureControl::ShowImage(const Bytes& bytes) {
  // Decoded on the calling thread (a worker, usually), shown on the window
  // thread.
  QImage image = DecodeImage(bytes);
  WithWidget<PictureBox>(ref_, [&](PictureBox& box) { box.SetImage(image); });
}

void PictureControl::Clear() {
  WithWidget<PictureBox>(ref_, [&](PictureBox& box) { box.SetImage(QImage()); });
}

bool PictureControl::HasPicture() const {
  bool has = false;
  WithWidget<PictureBox>(ref_, [&](PictureBox& box) { has = !box.image().isNull(); });
  return has;
}
