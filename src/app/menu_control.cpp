#include "app/menu_control.h"

#include <QAction>
#include <QCursor>
#include <QMenu>

#include "app/qt/qt_text.h"
#include "app/qt/widget_ref.h"

void MenuControl::PopupAtPointer() {
  WithWidget<QMenu>(ref_, [&](QMenu& menu) { menu.popup(QCursor::pos()); });
}

void MenuControl::OnEntry(std::string_view entry, std::function<void()> handler) {
  WithWidget<QMenu>(ref_, [&](QMenu& menu) {
    QString name = QString::fromUtf8(entry.data(), static_cast<qsizetype>(entry.size()));
    for (QAction* action : menu.actions()) {
      if (action->objectName() == name) {
        QObject::connect(action, &QAction::triggered, &menu, [handler](bool) { handler(); });
      }
    }
  });
}

std::vector<Text> MenuControl::Entries() const {
  std::vector<Text> entries;
  WithWidget<QMenu>(ref_, [&](QMenu& menu) {
    for (QAction* action : menu.actions())
      entries.push_back(action->isSeparator() ? Text("-") : FromQString(action->text()));
  });
  return entries;
}
