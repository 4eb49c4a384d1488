// The "淘宝" page: the settings notebook 选择夹2 on the left (its page
// "普通搜索设置" ends with the custom keyword list), the result list in
// 分组框4 on the right, and the work area (group "工作区") below the list.
#include <QTabBar>

#include "windows/main_window.h"
#include "windows/widget_builders.h"

namespace {

constexpr Qt::Alignment kLeft = Qt::AlignLeft | Qt::AlignVCenter;
constexpr Qt::Alignment kCentre = Qt::AlignCenter;

std::vector<ListColumn> UnionResultColumns() {
  return {
      {QStringLiteral("ID"), 50, kLeft},         {QStringLiteral("店主名"), 80, kCentre},
      {QStringLiteral("商品标题"), 80, kCentre}, {QStringLiteral("推广ID"), 55, kCentre},
      {QStringLiteral("月推广量"), 60, kCentre}, {QStringLiteral("支出佣金"), 70, kCentre},
      {QStringLiteral("销量"), 50, kCentre},     {QStringLiteral("单价"), 50, kCentre},
      {QStringLiteral("佣金"), 50, kCentre},     {QStringLiteral("佣金比率"), 80, kCentre},
      {QStringLiteral("宝贝地址"), 60, kCentre}, {QStringLiteral("图片网址"), 0, kLeft},
      {QStringLiteral("天数"), 50, kLeft},
  };
}

std::vector<ListColumn> CustomKeywordColumns() {
  return {{QStringLiteral("ID"), 40, kLeft},
          {QStringLiteral("自定义关键词"), 150, kCentre},
          {QStringLiteral("页数"), 0, kLeft}};
}

void BuildCustomKeywordArea(QWidget* page) {
  AddList(page, QStringLiteral("超级列表框_自定义关键词"), CustomKeywordColumns(), false, QRect(4, 262, 234, 160));
  AddButton(page, QStringLiteral("按钮_超级关键词"), QStringLiteral("超级关键词"), QRect(4, 428, 84, 26));
  AddButton(page, QStringLiteral("按钮_增加"), QStringLiteral("增加"), QRect(92, 428, 70, 26));
  AddButton(page, QStringLiteral("按钮_删除选中"), QStringLiteral("删除选中"), QRect(166, 428, 72, 26));
}

}  // namespace

void BuildUnionPage(QWidget* page) {
  QTabWidget* settings = AddTabs(page, QStringLiteral("选择夹2"), QRect(3, 3, 248, 486));
  // Three captions share 248 pixels: a slightly smaller font keeps all of
  // them readable without scroll buttons.
  QFont tabFont = settings->tabBar()->font();
  tabFont.setPointSizeF(tabFont.pointSizeF() * 0.85);
  settings->tabBar()->setFont(tabFont);
  BuildCustomKeywordArea(AddPage(settings, QStringLiteral("普通搜索设置")));
  AddPage(settings, QStringLiteral("过滤选项"));
  AddPage(settings, QStringLiteral("超级搜索设置"));

  QGroupBox* results = AddGroup(page, QStringLiteral("分组框4"), QStringLiteral("采集信息"), QRect(254, 3, 747, 358));
  AddList(results, QStringLiteral("超级列表框_采集信息"), UnionResultColumns(), true, QRect(4, 19, 739, 335));

  QGroupBox* work =
      AddGroup(page, QStringLiteral("分组框_工作区"), QStringLiteral("工作区"), QRect(254, 364, 747, 125));
  AddPicture(work, QStringLiteral("图片框1"), QRect(551, 14, 192, 107));
}
