#include "app/qt/tree_widget.h"

namespace {
constexpr int kHandleRole = Qt::UserRole + 1;
}

TreeWidget::TreeWidget(QWidget* parent) : QTreeWidget(parent) {
  setHeaderHidden(true);
  setColumnCount(1);
}

void TreeWidget::DeleteAllItems() {
  clear();
  items_.clear();
}

int64_t TreeWidget::AddItem(int64_t parent, const QString& text) {
  QTreeWidgetItem* item;
  if (parent == 0) {
    item = new QTreeWidgetItem(this, QStringList{text});
  } else {
    QTreeWidgetItem* parentItem = Item(parent);
    if (!parentItem) return 0;
    item = new QTreeWidgetItem(parentItem, QStringList{text});
  }
  int64_t handle = nextHandle_++;
  item->setData(0, kHandleRole, QVariant::fromValue<qlonglong>(handle));
  items_[handle] = item;
  return handle;
}

QTreeWidgetItem* TreeWidget::Item(int64_t handle) const {
  auto found = items_.find(handle);
  return found == items_.end() ? nullptr : found->second;
}

int64_t TreeWidget::HandleOf(const QTreeWidgetItem* item) const {
  return item ? item->data(0, kHandleRole).toLongLong() : 0;
}
