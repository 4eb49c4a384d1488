#pragma once
// Popup menus of a window: a QMenu named like the program names it ("右键1"),
// child of the window, whose entries are actions named by their captions;
// "-" makes a separator.
#include <QMenu>
#include <QStringList>

QMenu* BuildPopupMenu(QWidget* window, const QString& name, const QStringList& entries);
