#include "app/status_bar_control.h"

#include "app/qt/qt_text.h"
#include "app/qt/status_bar.h"
#include "app/qt/widget_ref.h"

void StatusBarControl::SetPartText(int part, const Text& text) {
  if (part != 0 && part != 1) return;
  WithWidget<TwoPartStatusBar>(ref_, [&](TwoPartStatusBar& bar) { bar.part(part)->setText(ToQString(text)); });
}

Text StatusBarControl::PartText(int part) const {
  Text text;
  if (part != 0 && part != 1) return text;
  WithWidget<TwoPartStatusBar>(ref_, [&](TwoPartStatusBar& bar) { text = FromQString(bar.part(part)->text()); });
  return text;
}
