#include "app/qt/number_input.h"

#include <QKeyEvent>

#include "app/qt/event_hook.h"
#include "app/qt/qt_text.h"
#include "text/text_ops.h"

namespace {

bool IsRefusedKey(const QKeyEvent& key) {
  if (key.modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) return false;
  const QString typed = key.text();
  if (typed.isEmpty()) return false;
  for (QChar c : typed) {
    if (c.unicode() < 0x20 || c.unicode() == 0x7f) return false;  // a control key
    if (!((c >= u'0' && c <= u'9') || c == u'-')) return true;
  }
  return false;
}

}  // namespace

QString WholeNumberText(const QString& text) {
  int value = ToInt(FromQString(text));
  return value == 0 ? QString() : QString::number(value);
}

void SetNumberInputMode(QLineEdit* edit, NumberInputMode mode) {
  EventHook* hook = EventHook::Of(edit);
  hook->Add(QEvent::KeyPress, [](QObject*, QEvent* event) { return IsRefusedKey(*static_cast<QKeyEvent*>(event)); });
  if (mode == NumberInputMode::WholeNumber) {
    hook->Add(QEvent::FocusOut, [edit](QObject*, QEvent*) {
      QString written = WholeNumberText(edit->text());
      if (written != edit->text()) edit->setText(written);
      return false;
    });
  }
}
