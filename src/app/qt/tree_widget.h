#pragma once
// A tree whose items are named to the control API by whole-number handles
// (1, 2, 3 ...; 0 means "none" or "the top level"). A handle stays valid until
// the tree is emptied, so a stale handle finds nothing instead of a freed item.
#include <QTreeWidget>
#include <cstdint>
#include <unordered_map>

class TreeWidget : public QTreeWidget {
  Q_OBJECT

 public:
  explicit TreeWidget(QWidget* parent = nullptr);

  void DeleteAllItems();
  // Adds an item at the top level (parent 0) or as the last child of
  // `parent`; returns its handle, or 0 when `parent` is unknown.
  int64_t AddItem(int64_t parent, const QString& text);
  QTreeWidgetItem* Item(int64_t handle) const;
  int64_t HandleOf(const QTreeWidgetItem* item) const;

 private:
  std::unordered_map<int64_t, QTreeWidgetItem*> items_;
  int64_t nextHandle_ = 1;
};
