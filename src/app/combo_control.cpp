#include "app/combo_control.h"

#include <QComboBox>

#include "app/qt/qt_text.h"
#include "app/qt/widget_ref.h"

void ComboControl::DeleteAllItems() {
  WithWidget<QComboBox>(ref_, [&](QComboBox& combo) { combo.clear(); });
}

void ComboControl::AddItem(const Text& text) {
  WithWidget<QComboBox>(ref_, [&](QComboBox& combo) { combo.addItem(ToQString(text)); });
}

int ComboControl::ItemCount() const {
  int count = 0;
  WithWidget<QComboBox>(ref_, [&](QComboBox& combo) { count = combo.count(); });
  return count;
}

int ComboControl::ChosenIndex() const {
  int index = -1;
  WithWidget<QComboBox>(ref_, [&](QComboBox& combo) { index = combo.currentIndex(); });
  return index;
}

Text ComboControl::ItemText(int index) const {
  Text text;
  WithWidget<QComboBox>(ref_, [&](QComboBox& combo) {
    if (index >= 0 && index < combo.count()) text = FromQString(combo.itemText(index));
  });
  return text;
}

Text ComboControl::ChosenText() const {
  Text text;
  WithWidget<QComboBox>(ref_, [&](QComboBox& combo) {
    if (combo.currentIndex() >= 0) text = FromQString(combo.currentText());
  });
  return text;
}

void ComboControl::Choose(int index) {
  WithWidget<QComboBox>(ref_, [&](QComboBox& combo) {
    if (index >= -1 && index < combo.count()) combo.setCurrentIndex(index);
  });
}

void ComboControl::OnItemChosen(std::function<void(int index)> handler) {
  WithWidget<QComboBox>(ref_,
                        [&](QComboBox& combo) { QObject::connect(&combo, &QComboBox::activated, &combo, handler); });
}
