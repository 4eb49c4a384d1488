#pragma once
// The main window: the notebook 选择夹1 with the pages "淘宝" (union search)
// and "高佣金【单板】" (high-commission search), the status bar 状态条1 and the
// three popup menus of its lists. Only widgets, captions, sizes and names;
// what the controls do is bound by the feature folders at start-up.
#include <QWidget>

class MainWindow : public QWidget {
  Q_OBJECT

 public:
  explicit MainWindow(QWidget* parent = nullptr);
};

// The two pages, built into the notebook's page widgets.
void BuildUnionPage(QWidget* page);
void BuildHighCommissionPage(QWidget* page);
