// The control handles other than the list, driven as feature code drives
// them, checked against the widgets.
#include <gtest/gtest.h>

#include <QBuffer>
#include <QCheckBox>
#include <QComboBox>
#include <QKeyEvent>
#include <QMenu>
#include <QProgressBar>
#include <QRadioButton>
#include <QTest>

#include "app/button_control.h"
#include "app/combo_control.h"
#include "app/edit_control.h"
#include "app/label_control.h"
#include "app/menu_control.h"
#include "app/picture_control.h"
#include "app/progress_control.h"
#include "app/qt/image_decoding.h"
#include "app/qt/picture_box.h"
#include "app/qt/popup_menu.h"
#include "app/qt/status_bar.h"
#include "app/qt/tree_widget.h"
#include "app/qt/widget_ref.h"
#include "app/status_bar_control.h"
#include "app/tab_control.h"
#include "app/tree_control.h"
#include "qt_application.h"
#include "windows/widget_builders.h"

namespace {

class ControlsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    EnsureQtApplication();
    root_ = std::make_unique<QWidget>();
    window_ = Window(MakeWidgetRef(root_.get()));
  }
  template <class W>
  W* Named(const char* name, W* widget) {
    widget->setParent(root_.get());
    widget->setObjectName(QString::fromUtf8(name));
    return widget;
  }

  std::unique_ptr<QWidget> root_;
  Window window_;
};

TEST_F(ControlsTest, MultiLineEditReadsLineBreaksAsCrLfAndAppendsAtTheEnd) {
  QPlainTextEdit* box = AddMultiLineEdit(root_.get(), QStringLiteral("编辑框_输出"), true, QRect(0, 0, 200, 80));
  EditControl edit(window_, "编辑框_输出");
  edit.SetText(Gbk("第一行\r\n"));
  edit.AppendText(Gbk("二\r\n三"));
  EXPECT_EQ(edit.GetText(), Gbk("第一行\r\n二\r\n三"));
  EXPECT_EQ(box->textCursor().position(), box->document()->characterCount() - 1);
  // A read-only box still takes the program's text.
  EXPECT_TRUE(box->isReadOnly());
}

TEST_F(ControlsTest, SingleLineEditTextChangedAndKeyCodes) {
  QLineEdit* line = AddEdit(root_.get(), QStringLiteral("编辑框_搜索内容a"), QString(), QRect(0, 0, 100, 20));
  EditControl edit(window_, "编辑框_搜索内容a");
  int changes = 0;
  std::vector<int> keys;
  edit.OnTextChanged([&] { ++changes; });
  edit.OnKeyPressed([&](int key) { keys.push_back(key); });
  edit.SetText(Gbk("手机"));
  EXPECT_EQ(changes, 1);
  edit.AppendText("a");
  EXPECT_EQ(edit.GetText(), Gbk("手机a"));
  QTest::keyClick(line, Qt::Key_Return);
  QTest::keyClick(line, Qt::Key_B);
  QTest::keyClick(line, Qt::Key_Escape);
  QTest::keyClick(line, Qt::Key_F5);
  EXPECT_EQ(keys, (std::vector<int>{kKeyEnter, 'B', 27, 116}));
  EXPECT_EQ(edit.GetText(), Gbk("手机ab"));
}

TEST_F(ControlsTest, ButtonsCheckBoxesAndRadioButtons) {
  QPushButton* push =
      AddButton(root_.get(), QStringLiteral("按钮_搜索a"), QStringLiteral("开始搜索"), QRect(0, 0, 80, 24));
  auto* box = Named("选择框_包邮", new QCheckBox(QStringLiteral("包邮")));
  auto* first = Named("单选框_所有宝贝", new QRadioButton(QStringLiteral("淘宝联盟")));
  Named("单选框_根据主题", new QRadioButton(QStringLiteral("根据主题")));
  first->setChecked(true);

  ButtonControl button(window_, "按钮_搜索a");
  int clicks = 0;
  button.OnClick([&] { ++clicks; });
  EXPECT_EQ(button.Caption(), Gbk("开始搜索"));
  button.SetCaption(Gbk("暂停搜索"));
  EXPECT_EQ(push->text(), QStringLiteral("暂停搜索"));
  QTest::mouseClick(push, Qt::LeftButton);
  EXPECT_EQ(clicks, 1);
  button.SetEnabled(false);
  EXPECT_FALSE(button.IsEnabled());
  QTest::mouseClick(push, Qt::LeftButton);
  EXPECT_EQ(clicks, 1);
  button.SetTicked(true);  // a push button has no tick
  EXPECT_FALSE(button.IsTicked());

  ButtonControl check(window_, "选择框_包邮");
  int checkClicks = 0;
  check.OnClick([&] { ++checkClicks; });
  check.SetTicked(true);
  EXPECT_TRUE(box->isChecked());
  EXPECT_EQ(checkClicks, 0);  // setting the state is no click

  ButtonControl second(window_, "单选框_根据主题");
  second.SetTicked(true);
  EXPECT_TRUE(second.IsTicked());
  EXPECT_FALSE(ButtonControl(window_, "单选框_所有宝贝").IsTicked());
}

TEST_F(ControlsTest, LabelAndGroupBoxCaptionsAndColour) {
  AddLabel(root_.get(), QStringLiteral("标签_过滤a"), QStringLiteral("天数过滤："), QRect());
  AddGroup(root_.get(), QStringLiteral("分组框4"), QStringLiteral("采集信息"), QRect());
  LabelControl label(window_, "标签_过滤a");
  LabelControl group(window_, "分组框4");
  EXPECT_EQ(label.Caption(), Gbk("天数过滤："));
  label.SetCaption(Gbk("佣金过滤："));
  EXPECT_EQ(label.Caption(), Gbk("佣金过滤："));
  group.SetCaption(Gbk("过滤信息"));
  group.SetCaptionColour(16711680);  // blue, as the program names it
  EXPECT_EQ(group.Caption(), Gbk("过滤信息"));
  EXPECT_EQ(group.CaptionColour(), 16711680u);
  auto* box = root_->findChild<QGroupBox*>(QStringLiteral("分组框4"));
  EXPECT_EQ(box->palette().color(QPalette::WindowText), QColor(Qt::blue));
  group.SetCaptionColour(255);
  EXPECT_EQ(box->palette().color(QPalette::WindowText), QColor(Qt::red));
}

TEST_F(ControlsTest, ComboChooseAndUserChoice) {
  auto* widget = Named("组合框1a", new QComboBox());
  ComboControl combo(window_, "组合框1a");
  EXPECT_EQ(combo.ChosenIndex(), -1);
  combo.AddItem(Gbk("默认"));
  combo.AddItem(Gbk("价格从高到低"));
  std::vector<int> chosen;
  combo.OnItemChosen([&](int index) { chosen.push_back(index); });
  EXPECT_EQ(combo.ChosenIndex(), 0);
  combo.Choose(1);
  EXPECT_EQ(combo.ChosenText(), Gbk("价格从高到低"));
  EXPECT_TRUE(chosen.empty());
  EXPECT_EQ(combo.ItemText(5), "");
  emit widget->activated(0);
  EXPECT_EQ(chosen, std::vector<int>{0});
  combo.DeleteAllItems();
  EXPECT_EQ(combo.ItemCount(), 0);
  EXPECT_EQ(combo.ChosenIndex(), -1);
  EXPECT_EQ(combo.ChosenText(), "");
}

TEST_F(ControlsTest, TreeHandlesSurviveOnlyUntilTheTreeIsEmptied) {
  Named("树型框1", new TreeWidget());
  TreeControl tree(window_, "树型框1");
  int changes = 0;
  tree.OnSelectionChanged([&] { ++changes; });
  int64_t clothes = tree.AddItem(0, Gbk("女装"));
  int64_t dress = tree.AddItem(clothes, Gbk("连衣裙"));
  int64_t shirt = tree.AddItem(clothes, Gbk("衬衫"));
  EXPECT_GT(clothes, 0);
  EXPECT_NE(dress, shirt);
  EXPECT_EQ(tree.ChildCount(clothes), 2);
  EXPECT_EQ(tree.ChildCount(0), 1);
  EXPECT_EQ(tree.SelectedText(), "");
  tree.SelectItem(shirt);
  EXPECT_EQ(tree.SelectedItem(), shirt);
  EXPECT_EQ(tree.SelectedText(), Gbk("衬衫"));
  EXPECT_GE(changes, 1);
  tree.DeleteAllItems();
  EXPECT_EQ(tree.ItemText(dress), "");
  EXPECT_EQ(tree.AddItem(dress, "x"), 0);  // a stale parent adds nothing
  EXPECT_EQ(tree.ChildCount(0), 0);
}

TEST_F(ControlsTest, StatusBarProgressAndTabs) {
  Named("状态条1", new TwoPartStatusBar());
  StatusBarControl status(window_, "状态条1");
  EXPECT_EQ(status.PartText(0), Gbk("状态："));
  status.SetPartText(1, Gbk("9时5分3秒【处理完毕...】"));
  EXPECT_EQ(status.PartText(1), Gbk("9时5分3秒【处理完毕...】"));

  auto* bar = Named("进度条1", new QProgressBar());
  bar->setValue(0);
  ProgressControl progress(window_, "进度条1");
  progress.SetMaximum(3);
  progress.SetPosition(2);
  EXPECT_EQ(progress.Position(), 2);
  progress.SetPosition(9);
  EXPECT_EQ(progress.Position(), 3);
  progress.SetPosition(-4);
  EXPECT_EQ(progress.Position(), 0);

  QTabWidget* tabs = AddTabs(root_.get(), QStringLiteral("选择夹2"), QRect(0, 0, 300, 200));
  AddPage(tabs, QStringLiteral("普通搜索设置"));
  AddPage(tabs, QStringLiteral("过滤选项"));
  AddPage(tabs, QStringLiteral("超级搜索设置"));
  TabControl tab(window_, "选择夹2");
  std::vector<int> clicked;
  tab.OnPageClicked([&](int page) { clicked.push_back(page); });
  tab.ShowPage(2);
  EXPECT_EQ(tab.CurrentPage(), 2);
  EXPECT_TRUE(clicked.empty());
  emit tabs->tabBar()->tabBarClicked(1);
  EXPECT_EQ(clicked, std::vector<int>{1});
  EXPECT_EQ(tab.CurrentPage(), 1);
  EXPECT_EQ(tab.PageCount(), 3);
}

TEST_F(ControlsTest, MenuEntriesRunTheirHandlers) {
  BuildPopupMenu(root_.get(), QStringLiteral("右键a"),
                 {QStringLiteral("打开看看s"), QStringLiteral("-"), QStringLiteral("清空全部s")});
  MenuControl menu(window_, "右键a");
  EXPECT_EQ(menu.Entries(), (std::vector<Text>{Gbk("打开看看s"), "-", Gbk("清空全部s")}));
  int cleared = 0;
  menu.OnEntry("清空全部s", [&] { ++cleared; });
  root_->findChild<QAction*>(QStringLiteral("清空全部s"))->trigger();
  EXPECT_EQ(cleared, 1);
  menu.PopupAtPointer();
  auto* shown = root_->findChild<QMenu*>(QStringLiteral("右键a"));
  EXPECT_TRUE(WaitUntil([&] { return shown->isVisible(); }, 2000));
  shown->close();
}

QByteArray Encoded(const char* format, QImage::Format pixels) {
  QImage image(16, 9, pixels);
  image.fill(QColor(200, 30, 40));
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  image.save(&buffer, format);
  return bytes;
}

TEST_F(ControlsTest, PictureBoxShowsJpegAndPngAndNothingForOtherBytes) {
  AddPicture(root_.get(), QStringLiteral("图片框1a"), QRect(0, 0, 207, 152));
  PictureControl picture(window_, "图片框1a");
  auto* box = root_->findChild<PictureBox*>(QStringLiteral("图片框1a"));

  for (const char* format : {"JPG", "PNG"}) {
    QByteArray bytes = Encoded(format, QImage::Format_RGB32);
    picture.ShowImage(Bytes(bytes.constData(), bytes.size()));
    ASSERT_TRUE(picture.HasPicture()) << format;
    EXPECT_EQ(box->image().size(), QSize(16, 9));
    QColor pixel = box->image().pixelColor(8, 4);
    EXPECT_NEAR(pixel.red(), 200, 12) << format;
    EXPECT_NEAR(pixel.green(), 30, 12) << format;
  }
  QByteArray grey = Encoded("JPG", QImage::Format_Grayscale8);
  EXPECT_EQ(DecodeImage(std::string_view(grey.constData(), grey.size())).size(), QSize(16, 9));

  QByteArray jpeg = Encoded("JPG", QImage::Format_RGB32);
  QByteArray png = Encoded("PNG", QImage::Format_ARGB32);
  const std::string cases[] = {
      "",
      "not a picture",
      std::string(jpeg.constData(), 40),  // cut inside the header
      std::string(png.constData(), 30),   // cut inside the header
      std::string("\xFF\xD8\xFF\xE0", 4) + std::string(200, '\xFF'),
      std::string(png.constData(), png.size() - 20) + std::string(20, 'x'),  // damaged end
  };
  for (const std::string& bytes : cases) {
    picture.ShowImage(bytes);
    EXPECT_FALSE(picture.HasPicture()) << bytes.size();
  }
  picture.ShowImage(Bytes(jpeg.constData(), jpeg.size()));
  picture.Clear();
  EXPECT_FALSE(picture.HasPicture());
}

uint32_t Crc32(const char* data, int length) {
  uint32_t crc = 0xFFFFFFFFu;
  for (int i = 0; i < length; ++i) {
    crc ^= static_cast<unsigned char>(data[i]);
    for (int bit = 0; bit < 8; ++bit) crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
  }
  return ~crc;
}

void PutBigEndian(QByteArray& bytes, int at, uint32_t value) {
  for (int i = 0; i < 4; ++i) bytes[at + i] = static_cast<char>((value >> (24 - 8 * i)) & 0xFF);
}

TEST_F(ControlsTest, PicturesPastTheSizeLimitAreRefused) {
  QImage small(1, 1, QImage::Format_RGB32);
  small.fill(Qt::white);
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  small.save(&buffer, "PNG");
  // A well-formed header claiming 100,000 x 100,000 pixels: refused before
  // anything is allocated. IHDR's width and height sit at bytes 16..23, its
  // CRC (over type and data) at 29..32.
  PutBigEndian(bytes, 16, 100000);
  PutBigEndian(bytes, 20, 100000);
  PutBigEndian(bytes, 29, Crc32(bytes.constData() + 12, 17));
  EXPECT_TRUE(DecodeImage(std::string_view(bytes.constData(), bytes.size())).isNull());
  EXPECT_FALSE(PictureSizeAllowed(100000, 100000));
  EXPECT_FALSE(PictureSizeAllowed(8000, 5001));
  EXPECT_FALSE(PictureSizeAllowed(0, 10));
  EXPECT_TRUE(PictureSizeAllowed(8000, 5000));
  EXPECT_TRUE(PictureSizeAllowed(1, 1));
}

TEST_F(ControlsTest, HandlesOfMissingControlsDoNothing) {
  ButtonControl missing(window_, "按钮_没有");
  EXPECT_FALSE(missing.Exists());
  missing.SetCaption("x");
  missing.OnClick([] {});
  EXPECT_EQ(missing.Caption(), "");
  EditControl none;
  none.SetText("x");
  EXPECT_EQ(none.GetText(), "");
  // A control of another kind than the handle expects is left alone too.
  AddButton(root_.get(), QStringLiteral("按钮_开始搜索"), QStringLiteral("开始搜索"), QRect());
  EditControl wrongKind(window_, "按钮_开始搜索");
  wrongKind.SetText("x");
  EXPECT_EQ(ButtonControl(window_, "按钮_开始搜索").Caption(), Gbk("开始搜索"));
}

}  // namespace
