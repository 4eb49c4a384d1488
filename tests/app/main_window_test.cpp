// The windows as the program builds them: captions, sizes, names, the
// start-up log line, and a layout in which every control fits its parent.
#include <gtest/gtest.h>

#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QPlainTextEdit>
#include <QStatusBar>
#include <QTabBar>
#include <QTabWidget>
#include <QTimer>

#include "app/program_state.h"
#include "app/qt/list_view.h"
#include "app/qt/picture_box.h"
#include "app/qt/widget_ref.h"
#include "app/shell/program.h"
#include "app/status_bar_control.h"
#include "app/window_inventory.h"
#include "qt_application.h"
#include "text/clock.h"

namespace {

QStringList Titles(const ListView& list) {
  QStringList titles;
  for (int column = 0; column < list.model()->columnCount(); ++column) {
    titles << list.model()->headerData(column, Qt::Horizontal).toString();
  }
  return titles;
}

QStringList MenuEntries(const QMenu& menu) {
  QStringList entries;
  for (QAction* action : menu.actions()) entries << (action->isSeparator() ? QStringLiteral("-") : action->text());
  return entries;
}

// Every named control lies inside the area of its parent, on every page of
// every notebook, so nothing is cut off by the fixed layout; no notebook
// needs scroll buttons for its tabs.
void ExpectVisibleControlsFit(QWidget* window) {
  for (QWidget* child : window->findChildren<QWidget*>()) {
    if (!child->isVisibleTo(window) || child->isWindow() || qobject_cast<QMenu*>(child)) continue;
    QWidget* parent = child->parentWidget();
    if (qobject_cast<QTabBar*>(parent)) {
      ADD_FAILURE() << "tabs of " << parent->parentWidget()->objectName().toStdString() << " need scrolling";
      continue;
    }
    if (child->objectName().isEmpty() || child->objectName().startsWith(QLatin1String("qt_"))) continue;
    if (qobject_cast<QTabWidget*>(parent) || parent->inherits("QStackedWidget")) continue;
    if (child->objectName() == QStringLiteral("编辑框2")) continue;  // below the visible area by design
    QRect inside(QPoint(0, 0), parent->size());
    EXPECT_TRUE(inside.contains(child->geometry()))
        << child->objectName().toStdString() << " leaves " << parent->objectName().toStdString();
  }
}

void ExpectNamedControlsFit(QWidget* window) {
  // Pages get their sizes when they are shown.
  window->show();
  QCoreApplication::processEvents();
  ExpectVisibleControlsFit(window);
  for (QTabWidget* tabs : window->findChildren<QTabWidget*>()) {
    for (int page = 0; page < tabs->count(); ++page) {
      tabs->setCurrentIndex(page);
      QCoreApplication::processEvents();
      ExpectVisibleControlsFit(window);
    }
    tabs->setCurrentIndex(0);
  }
}

class WindowsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    EnsureQtApplication();
    SetClock([] { return LocalTime{2016, 6, 25, 9, 5, 0}; });
    if (!ProgramStateExists()) CreateProgramState();
    ClearWindowCreatedHandlers();
  }
  void TearDown() override {
    // Deleted without closing: closing MainWindow would end the test process.
    for (QPointer<QWidget>& window : built_) delete window.data();
    ClearWindowCreatedHandlers();
    SetClock(nullptr);
  }
  QWidget* Build(WindowKind kind) {
    Window window = CreateWindow(kind);
    QWidget* widget = WidgetAs<QWidget>(window.ref());
    built_.push_back(widget);
    return widget;
  }

  std::vector<QPointer<QWidget>> built_;
};

TEST_F(WindowsTest, MainWindowAsStartUpLeavesIt) {
  BindWindows();
  QWidget* main = Build(WindowKind::Main);
  ASSERT_NE(main, nullptr);
  EXPECT_EQ(main->windowTitle(), QStringLiteral("Marvane"));
  EXPECT_EQ(main->size(), QSize(1013, 570));
  EXPECT_EQ(main->minimumSize(), main->maximumSize());

  auto* notebook = main->findChild<QTabWidget*>(QStringLiteral("选择夹1"));
  ASSERT_NE(notebook, nullptr);
  EXPECT_EQ(notebook->size(), QSize(1009, 519));
  ASSERT_EQ(notebook->count(), 2);
  EXPECT_EQ(notebook->tabText(0), QStringLiteral("淘宝"));
  EXPECT_EQ(notebook->tabText(1), QStringLiteral("高佣金【单板】"));

  StatusBarControl status(FindOpenWindow(WindowKind::Main), "状态条1");
  EXPECT_EQ(status.PartText(0), Gbk("状态："));
  EXPECT_EQ(status.PartText(1), "");

  auto* log = main->findChild<QPlainTextEdit*>(QStringLiteral("编辑框_输出"));
  ASSERT_NE(log, nullptr);
  EXPECT_TRUE(log->isReadOnly());
  auto* logGroup = qobject_cast<QGroupBox*>(log->parentWidget());
  ASSERT_NE(logGroup, nullptr);
  EXPECT_EQ(logGroup->title(), QStringLiteral("输出区"));
  EXPECT_TRUE(notebook->widget(1)->isAncestorOf(log));
  EXPECT_EQ(log->toPlainText(), QStringLiteral("2016年6月25日9时5分：★初始化完毕...★\n"));
}

TEST_F(WindowsTest, MainWindowListsMenusAndPictureBoxes) {
  QWidget* main = Build(WindowKind::Main);
  auto* unionList = main->findChild<ListView*>(QStringLiteral("超级列表框_采集信息"));
  ASSERT_NE(unionList, nullptr);
  EXPECT_EQ(Titles(*unionList), QStringList({"ID", "店主名", "商品标题", "推广ID", "月推广量", "支出佣金", "销量",
                                             "单价", "佣金", "佣金比率", "宝贝地址", "图片网址", "天数"}));
  EXPECT_EQ(unionList->size(), QSize(739, 335));
  EXPECT_TRUE(unionList->isColumnHidden(11));
  EXPECT_EQ(unionList->columnWidth(9), 80);
  EXPECT_TRUE(unionList->listModel()->checkable());
  EXPECT_EQ(qobject_cast<QGroupBox*>(unionList->parentWidget())->title(), QStringLiteral("采集信息"));
  EXPECT_EQ(unionList->parentWidget()->objectName(), QStringLiteral("分组框4"));

  auto* highList = main->findChild<ListView*>(QStringLiteral("超级列表框1"));
  ASSERT_NE(highList, nullptr);
  EXPECT_EQ(Titles(*highList), QStringList({"序号", "店铺名", "商品价格", "佣金", "比率", "剩余天数", "通用比率",
                                            "月销", "月支出", "月推广", "商品信息", "宝贝地址", "图片地址", "宝贝ID"}));
  EXPECT_TRUE(highList->isColumnHidden(12));
  EXPECT_EQ(highList->columnWidth(1), 200);

  auto* keywords = main->findChild<ListView*>(QStringLiteral("超级列表框_自定义关键词"));
  ASSERT_NE(keywords, nullptr);
  EXPECT_EQ(Titles(*keywords), QStringList({"ID", "自定义关键词", "页数"}));
  EXPECT_TRUE(keywords->isColumnHidden(2));
  EXPECT_FALSE(keywords->listModel()->checkable());
  auto* settings = main->findChild<QTabWidget*>(QStringLiteral("选择夹2"));
  ASSERT_NE(settings, nullptr);
  EXPECT_EQ(settings->tabText(0), QStringLiteral("普通搜索设置"));
  EXPECT_EQ(settings->tabText(2), QStringLiteral("超级搜索设置"));
  EXPECT_TRUE(settings->widget(0)->isAncestorOf(keywords));
  for (const char* name : {"按钮_超级关键词", "按钮_增加", "按钮_删除选中"}) {
    EXPECT_NE(main->findChild<QWidget*>(QString::fromUtf8(name)), nullptr) << name;
  }

  EXPECT_EQ(main->findChild<PictureBox*>(QStringLiteral("图片框1"))->size(), QSize(192, 107));
  EXPECT_EQ(main->findChild<PictureBox*>(QStringLiteral("图片框1a"))->size(), QSize(207, 152));

  EXPECT_EQ(MenuEntries(*main->findChild<QMenu*>(QStringLiteral("右键"))),
            QStringList({"搜索它", "今日关键词", "一周内关键词", "-", "导入所有关键词", "全部清空"}));
  EXPECT_EQ(MenuEntries(*main->findChild<QMenu*>(QStringLiteral("右键1"))),
            QStringList({"打开看看", "复制选中", "-", "全部选中", "取消全部", "-", "导出", "全部清空1"}));
  EXPECT_EQ(MenuEntries(*main->findChild<QMenu*>(QStringLiteral("右键a"))),
            QStringList({"打开看看s", "删除选中s", "-", "全部选中s", "取消选中s", "-", "导出全部s", "清空全部s"}));
  ExpectNamedControlsFit(main);
}

TEST_F(WindowsTest, TheOtherThreeWindows) {
  QWidget* signIn = Build(WindowKind::SignIn);
  EXPECT_EQ(signIn->windowTitle(), QStringLiteral("Marvane 1.0 "));
  EXPECT_EQ(signIn->size(), QSize(483, 331));
  auto* note = signIn->findChild<QLabel*>(QStringLiteral("标签1"));
  ASSERT_NE(note, nullptr);
  EXPECT_EQ(note->geometry(), QRect(40, 48, 352, 208));
  EXPECT_EQ(
      note->text(),
      QStringLiteral("登陆窗口的的的的的\n\n如想把本程序写成 注册和登陆 的   \n\n那么  把你的登陆功能复制到这里。"));
  EXPECT_EQ(signIn->findChildren<QWidget*>().size(), 1);

  QWidget* custom = Build(WindowKind::CustomKeyword);
  EXPECT_EQ(custom->windowTitle(), QStringLiteral("自定义关键词"));
  EXPECT_EQ(custom->size(), QSize(200, 108));
  for (const char* name : {"编辑框1", "编辑框2", "按钮__增加", "按钮__增加1"}) {
    EXPECT_NE(custom->findChild<QWidget*>(QString::fromUtf8(name)), nullptr) << name;
  }
  EXPECT_EQ(custom->findChild<QWidget*>(QStringLiteral("编辑框2"))->y(), 171);
  ExpectNamedControlsFit(custom);

  QWidget* tool = Build(WindowKind::KeywordTool);
  EXPECT_EQ(tool->windowTitle(), QStringLiteral("超级关键词"));
  EXPECT_EQ(tool->size(), QSize(488, 464));
  EXPECT_NE(tool->findChild<QStatusBar*>(QStringLiteral("状态条1")), nullptr);
  ExpectNamedControlsFit(tool);
}

TEST_F(WindowsTest, CreatedHandlersRunInOrderAndTheInventoryFindsOpenWindows) {
  std::vector<int> order;
  AddWindowCreatedHandler(WindowKind::KeywordTool, [&](Window window) {
    EXPECT_TRUE(window.IsOpen());
    EXPECT_FALSE(window.IsVisible());  // bound before it is shown
    order.push_back(1);
  });
  AddWindowCreatedHandler(WindowKind::KeywordTool, [&](Window) { order.push_back(2); });
  EXPECT_FALSE(FindOpenWindow(WindowKind::KeywordTool).IsOpen());
  Window tool = OpenWindow(WindowKind::KeywordTool, false);
  built_.push_back(WidgetAs<QWidget>(tool.ref()));
  EXPECT_EQ(order, (std::vector<int>{1, 2}));
  EXPECT_TRUE(tool.IsVisible());
  EXPECT_TRUE(FindOpenWindow(WindowKind::KeywordTool).IsOpen());

  bool closing = false;
  tool.OnAboutToBeDestroyed([&] { closing = true; });
  tool.Destroy();
  EXPECT_TRUE(closing);
  ASSERT_TRUE(WaitUntil([&] { return !tool.IsOpen(); }));
  EXPECT_FALSE(FindOpenWindow(WindowKind::KeywordTool).IsOpen());
  EXPECT_EQ(tool.Title(), "");
}

TEST_F(WindowsTest, ModalWindowReturnsWhenClosed) {
  QTimer::singleShot(50, [] { FindOpenWindow(WindowKind::CustomKeyword).Destroy(); });
  Window custom = OpenWindow(WindowKind::CustomKeyword, true);
  ASSERT_TRUE(WaitUntil([&] { return !custom.IsOpen(); }));
}

}  // namespace
