#include "windows/custom_keyword_window.h"

#include "windows/widget_builders.h"

CustomKeywordWindow::CustomKeywordWindow(QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("CustomKeywordWindow"));
  setWindowTitle(QStringLiteral("自定义关键词"));
  setFixedSize(200, 108);
  AddLabel(this, QString(), QStringLiteral("搜索的关键词："), QRect(8, 12, 90, 22));
  AddEdit(this, QStringLiteral("编辑框1"), QString(), QRect(98, 12, 94, 22));
  // The page-count box sits below the visible area, as designed: the list
  // keeps whatever it holds, and nothing reads that value.
  AddLabel(this, QString(), QStringLiteral("设置搜索页数："), QRect(8, 171, 90, 22));
  AddEdit(this, QStringLiteral("编辑框2"), QString(), QRect(98, 171, 94, 22));
  AddButton(this, QStringLiteral("按钮__增加"), QStringLiteral("增加"), QRect(20, 62, 70, 28));
  AddButton(this, QStringLiteral("按钮__增加1"), QStringLiteral("关闭"), QRect(110, 62, 70, 28));
}
