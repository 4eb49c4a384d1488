#include "app/tree_control.h"

#include "app/qt/qt_text.h"
#include "app/qt/tree_widget.h"
#include "app/qt/widget_ref.h"

void TreeControl::DeleteAllItems() {
  WithWidget<TreeWidget>(ref_, [&](TreeWidget& tree) { tree.DeleteAllItems(); });
}

int64_t TreeControl::AddItem(int64_t parent, const Text& text) {
  int64_t handle = 0;
  WithWidget<TreeWidget>(ref_, [&](TreeWidget& tree) { handle = tree.AddItem(parent, ToQString(text)); });
  return handle;
}

int64_t TreeControl::SelectedItem() const {
  int64_t handle = 0;
  WithWidget<TreeWidget>(ref_, [&](TreeWidget& tree) {
    QList<QTreeWidgetItem*> selected = tree.selectedItems();
    if (!selected.isEmpty()) handle = tree.HandleOf(selected.first());
  });
  return handle;
}

Text TreeControl::SelectedText() const {
  Text text;
  WithWidget<TreeWidget>(ref_, [&](TreeWidget& tree) {
    QList<QTreeWidgetItem*> selected = tree.selectedItems();
    if (!selected.isEmpty()) text = FromQString(selected.first()->text(0));
  });
  return text;
}

Text TreeControl::ItemText(int64_t item) const {
  Text text;
  WithWidget<TreeWidget>(ref_, [&](TreeWidget& tree) {
    if (QTreeWidgetItem* found = tree.Item(item)) text = FromQString(found->text(0));
  });
  return text;
}

int TreeControl::ChildCount(int64_t item) const {
  int count = 0;
  WithWidget<TreeWidget>(ref_, [&](TreeWidget& tree) {
    if (item == 0) {
      count = tree.topLevelItemCount();
    } else if (QTreeWidgetItem* found = tree.Item(item)) {
      count = found->childCount();
    }
  });
  return count;
}

void TreeControl::SelectItem(int64_t item) {
  WithWidget<TreeWidget>(ref_, [&](TreeWidget& tree) {
    if (QTreeWidgetItem* found = tree.Item(item)) tree.setCurrentItem(found);
  });
}

void TreeControl::OnSelectionChanged(std::function<void()> handler) {
  WithWidget<TreeWidget>(
      ref_, [&](TreeWidget& tree) { QObject::connect(&tree, &QTreeWidget::itemSelectionChanged, &tree, handler); });
}
