#include "windows/main_window.h"

#include "app/qt/popup_menu.h"
#include "app/qt/status_bar.h"
#include "windows/widget_builders.h"

MainWindow::MainWindow(QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("MainWindow"));
  setWindowTitle(QStringLiteral("Marvane"));
  setFixedSize(1013, 570);

  QTabWidget* notebook = AddTabs(this, QStringLiteral("选择夹1"), QRect(2, 2, 1009, 519));
  BuildUnionPage(AddPage(notebook, QStringLiteral("淘宝")));
  BuildHighCommissionPage(AddPage(notebook, QStringLiteral("高佣金【单板】")));

  auto* status = new TwoPartStatusBar(this);
  status->setObjectName(QStringLiteral("状态条1"));
  status->setGeometry(0, 546, 1013, 24);

  BuildPopupMenu(this, QStringLiteral("右键"),
                 {QStringLiteral("搜索它"), QStringLiteral("今日关键词"), QStringLiteral("一周内关键词"),
                  QStringLiteral("-"), QStringLiteral("导入所有关键词"), QStringLiteral("全部清空")});
  BuildPopupMenu(
      this, QStringLiteral("右键1"),
      {QStringLiteral("打开看看"), QStringLiteral("复制选中"), QStringLiteral("-"), QStringLiteral("全部选中"),
       QStringLiteral("取消全部"), QStringLiteral("-"), QStringLiteral("导出"), QStringLiteral("全部清空1")});
  BuildPopupMenu(
      this, QStringLiteral("右键a"),
      {QStringLiteral("打开看看s"), QStringLiteral("删除选中s"), QStringLiteral("-"), QStringLiteral("全部选中s"),
       QStringLiteral("取消选中s"), QStringLiteral("-"), QStringLiteral("导出全部s"), QStringLiteral("清空全部s")});
}
