#include "windows/widget_builders.h"

namespace {

template <class W>
W* Place(W* widget, const QString& name, const QRect& geometry) {
  if (!name.isEmpty()) widget->setObjectName(name);
  widget->setGeometry(geometry);
  return widget;
}

}  // namespace

QWidget* AddPage(QTabWidget* tabs, const QString& caption) {
  auto* page = new QWidget(tabs);
  tabs->addTab(page, caption);
  return page;
}

QTabWidget* AddTabs(QWidget* parent, const QString& name, const QRect& geometry) {
  return Place(new QTabWidget(parent), name, geometry);
}

QGroupBox* AddGroup(QWidget* parent, const QString& name, const QString& title, const QRect& geometry) {
  return Place(new QGroupBox(title, parent), name, geometry);
}

QLabel* AddLabel(QWidget* parent, const QString& name, const QString& text, const QRect& geometry) {
  auto* label = Place(new QLabel(text, parent), name, geometry);
  label->setTextFormat(Qt::PlainText);
  return label;
}

QPushButton* AddButton(QWidget* parent, const QString& name, const QString& caption, const QRect& geometry) {
  return Place(new QPushButton(caption, parent), name, geometry);
}

QLineEdit* AddEdit(QWidget* parent, const QString& name, const QString& text, const QRect& geometry) {
  return Place(new QLineEdit(text, parent), name, geometry);
}

QLineEdit* AddNumberEdit(QWidget* parent, const QString& name, const QString& text, NumberInputMode mode,
                         const QRect& geometry) {
  QLineEdit* edit = AddEdit(parent, name, text, geometry);
  SetNumberInputMode(edit, mode);
  return edit;
}

QPlainTextEdit* AddMultiLineEdit(QWidget* parent, const QString& name, bool readOnly, const QRect& geometry) {
  auto* edit = Place(new QPlainTextEdit(parent), name, geometry);
  edit->setReadOnly(readOnly);
  return edit;
}

ListView* AddList(QWidget* parent, const QString& name, std::vector<ListColumn> columns, bool checkable,
                  const QRect& geometry) {
  return Place(new ListView(std::move(columns), checkable, parent), name, geometry);
}

PictureBox* AddPicture(QWidget* parent, const QString& name, const QRect& geometry) {
  return Place(new PictureBox(parent), name, geometry);
}
