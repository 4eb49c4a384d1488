#include "app/qt/popup_menu.h"

QMenu* BuildPopupMenu(QWidget* window, const QString& name, const QStringList& entries) {
  auto* menu = new QMenu(window);
  menu->setObjectName(name);
  for (const QString& entry : entries) {
    if (entry == QLatin1String("-")) {
      menu->addSeparator();
    } else {
      menu->addAction(entry)->setObjectName(entry);
    }
  }
  return menu;
}
