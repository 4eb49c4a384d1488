#include "app/button_control.h"

#include <QAbstractButton>

#include "app/qt/qt_text.h"
#include "app/qt/widget_ref.h"

Text ButtonControl::Caption() const {
  Text caption;
  WithWidget<QAbstractButton>(ref_, [&](QAbstractButton& button) { caption = FromQString(button.text()); });
  return caption;
}

void ButtonControl::SetCaption(const Text& caption) {
  WithWidget<QAbstractButton>(ref_, [&](QAbstractButton& button) { button.setText(ToQString(caption)); });
}

bool ButtonControl::IsTicked() const {
  bool ticked = false;
  WithWidget<QAbstractButton>(ref_, [&](QAbstractButton& button) { ticked = button.isChecked(); });
  return ticked;
}

void ButtonControl::SetTicked(bool ticked) {
  WithWidget<QAbstractButton>(ref_, [&](QAbstractButton& button) {
    if (button.isCheckable()) button.setChecked(ticked);
  });
}

void ButtonControl::OnClick(std::function<void()> handler) {
  WithWidget<QAbstractButton>(ref_, [&](QAbstractButton& button) {
    QObject::connect(&button, &QAbstractButton::clicked, &button, [handler](bool) { handler(); });
  });
}
