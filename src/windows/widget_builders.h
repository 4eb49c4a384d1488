#pragma once
// Small helpers that place one named control at a fixed position, the way
// every window of the program is laid out.
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>

#include "app/qt/list_view.h"
#include "app/qt/number_input.h"
#include "app/qt/picture_box.h"

// A page's fixed-position content area.
QWidget* AddPage(QTabWidget* tabs, const QString& caption);
QTabWidget* AddTabs(QWidget* parent, const QString& name, const QRect& geometry);
QGroupBox* AddGroup(QWidget* parent, const QString& name, const QString& title, const QRect& geometry);
// `name` may be empty for a label nothing refers to.
QLabel* AddLabel(QWidget* parent, const QString& name, const QString& text, const QRect& geometry);
QPushButton* AddButton(QWidget* parent, const QString& name, const QString& caption, const QRect& geometry);
QLineEdit* AddEdit(QWidget* parent, const QString& name, const QString& text, const QRect& geometry);
QLineEdit* AddNumberEdit(QWidget* parent, const QString& name, const QString& text, NumberInputMode mode,
                         const QRect& geometry);
QPlainTextEdit* AddMultiLineEdit(QWidget* parent, const QString& name, bool readOnly, const QRect& geometry);
ListView* AddList(QWidget* parent, const QString& name, std::vector<ListColumn> columns, bool checkable,
                  const QRect& geometry);
PictureBox* AddPicture(QWidget* parent, const QString& name, const QRect& geometry);
