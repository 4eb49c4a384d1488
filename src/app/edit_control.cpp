#include "app/edit_control.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QScrollBar>

#include "app/qt/event_hook.h"
#include "app/qt/key_codes.h"
#include "app/qt/qt_text.h"
#include "app/qt/widget_ref.h"

namespace {

Text MultiLineText(const QPlainTextEdit& edit) {
  QString text = edit.toPlainText();
  text.replace(u'\n', QStringLiteral("\r\n"));
  return FromQString(text);
}

}  // namespace

Text EditControl::GetText() const {
  Text text;
  RunControlOperation([&] {
    if (auto* line = WidgetAs<QLineEdit>(ref_)) {
      text = FromQString(line->text());
    } else if (auto* box = WidgetAs<QPlainTextEdit>(ref_)) {
      text = MultiLineText(*box);
    }
  });
  return text;
}

void EditControl::SetText(const Text& text) {
  RunControlOperation([&] {
    if (auto* line = WidgetAs<QLineEdit>(ref_)) {
      line->setText(ToQString(text));
    } else if (auto* box = WidgetAs<QPlainTextEdit>(ref_)) {
      box->setPlainText(ToQString(text));
    }
  });
}

void EditControl::AppendText(const Text& text) {
  RunControlOperation([&] {
    if (auto* line = WidgetAs<QLineEdit>(ref_)) {
      line->setText(line->text() + ToQString(text));
      line->end(false);
    } else if (auto* box = WidgetAs<QPlainTextEdit>(ref_)) {
      QTextCursor cursor(box->document());
      cursor.movePosition(QTextCursor::End);
      cursor.insertText(ToQString(text));
      // The box may have emptied itself while the text changed; the caret
      // goes to whatever end it has now.
      QTextCursor end(box->document());
      end.movePosition(QTextCursor::End);
      box->setTextCursor(end);
      box->ensureCursorVisible();
    }
  });
}

void EditControl::OnTextChanged(std::function<void()> handler) {
  RunControlOperation([&] {
    if (auto* line = WidgetAs<QLineEdit>(ref_)) {
      QObject::connect(line, &QLineEdit::textChanged, line, [handler](const QString&) { handler(); });
    } else if (auto* box = WidgetAs<QPlainTextEdit>(ref_)) {
      QObject::connect(box, &QPlainTextEdit::textChanged, box, handler);
    }
  });
}

void EditControl::OnKeyPressed(std::function<void(int keyCode)> handler) {
  WithWidget<QWidget>(ref_, [&](QWidget& edit) {
    EventHook::Of(&edit)->Add(QEvent::KeyPress, [handler](QObject*, QEvent* event) {
      handler(KeyCodeOf(static_cast<QKeyEvent*>(event)->key()));
      return false;
    });
  });
}
