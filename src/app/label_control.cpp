#include "app/label_control.h"

#include <QGroupBox>
#include <QLabel>

#include "app/qt/qt_text.h"
#include "app/qt/widget_ref.h"

Text LabelControl::Caption() const {
  Text caption;
  RunControlOperation([&] {
    if (auto* label = WidgetAs<QLabel>(ref_)) {
      caption = FromQString(label->text());
    } else if (auto* group = WidgetAs<QGroupBox>(ref_)) {
      caption = FromQString(group->title());
    }
  });
  return caption;
}

void LabelControl::SetCaption(const Text& caption) {
  RunControlOperation([&] {
    if (auto* label = WidgetAs<QLabel>(ref_)) {
      label->setText(ToQString(caption));
    } else if (auto* group = WidgetAs<QGroupBox>(ref_)) {
      group->setTitle(ToQString(caption));
    }
  });
}

void LabelControl::SetCaptionColour(uint32_t colourValue) {
  QColor colour(colourValue & 0xFF, (colourValue >> 8) & 0xFF, (colourValue >> 16) & 0xFF);
  WithWidget<QWidget>(ref_, [&](QWidget& control) {
    QPalette palette = control.palette();
    palette.setColor(QPalette::WindowText, colour);
    control.setPalette(palette);
  });
}

uint32_t LabelControl::CaptionColour() const {
  uint32_t colourValue = 0;
  WithWidget<QWidget>(ref_, [&](QWidget& control) {
    QColor colour = control.palette().color(QPalette::WindowText);
    colourValue = static_cast<uint32_t>(colour.red()) | (static_cast<uint32_t>(colour.green()) << 8) |
                  (static_cast<uint32_t>(colour.blue()) << 16);
  });
  return colourValue;
}
