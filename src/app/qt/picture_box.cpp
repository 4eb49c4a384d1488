#include "app/qt/picture_box.h"

#include <QPainter>

PictureBox::PictureBox(QWidget* parent) : QFrame(parent) { setFrameStyle(QFrame::StyledPanel | QFrame::Sunken); }

void PictureBox::SetImage(const QImage& image) {
  image_ = image;
  update();
}

void PictureBox::paintEvent(QPaintEvent* event) {
  QFrame::paintEvent(event);
  if (image_.isNull()) return;
  QRect area = contentsRect();
  QSize shown = image_.size().scaled(area.size(), Qt::KeepAspectRatio);
  QRect target(QPoint(0, 0), shown);
  target.moveCenter(area.center());
  QPainter painter(this);
  painter.setRenderHint(QPainter::SmoothPixmapTransform);
  painter.drawImage(target, image_);
}
