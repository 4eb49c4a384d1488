// The "高佣金【单板】" page: the settings notebook 选择夹3 and the picture box
// on the left; the result list, the search box under it and the output log
// (group "输出区") on the right.
#include "windows/main_window.h"
#include "windows/widget_builders.h"

namespace {

std::vector<ListColumn> HighCommissionColumns() {
  return {
      {QStringLiteral("序号"), 50},     {QStringLiteral("店铺名"), 200},  {QStringLiteral("商品价格"), 70},
      {QStringLiteral("佣金"), 50},     {QStringLiteral("比率"), 50},     {QStringLiteral("剩余天数"), 70},
      {QStringLiteral("通用比率"), 70}, {QStringLiteral("月销"), 50},     {QStringLiteral("月支出"), 55},
      {QStringLiteral("月推广"), 55},   {QStringLiteral("商品信息"), 70}, {QStringLiteral("宝贝地址"), 65},
      {QStringLiteral("图片地址"), 0},  {QStringLiteral("宝贝ID"), 70},
  };
}

}  // namespace

void BuildHighCommissionPage(QWidget* page) {
  QTabWidget* settings = AddTabs(page, QStringLiteral("选择夹3"), QRect(3, 3, 248, 330));
  AddPage(settings, QStringLiteral("搜索设置"));
  AddPage(settings, QStringLiteral("过滤选项"));
  AddPicture(page, QStringLiteral("图片框1a"), QRect(23, 337, 207, 152));

  AddList(page, QStringLiteral("超级列表框1"), HighCommissionColumns(), true, QRect(254, 3, 747, 330));

  QGroupBox* output =
      AddGroup(page, QStringLiteral("分组框_输出区"), QStringLiteral("输出区"), QRect(254, 368, 747, 121));
  AddMultiLineEdit(output, QStringLiteral("编辑框_输出"), true, QRect(4, 19, 739, 98));
}
