// The output log of the high-commission page: line format, timestamps,
// the clearing rule at 10,000 GBK bytes, and lines from a worker.
#include "highcommission/output_log.h"

#include <gtest/gtest.h>

#include <QPlainTextEdit>
#include <atomic>

#include "app/edit_control.h"
#include "app/qt/widget_ref.h"
#include "app/qt_application.h"
#include "app/window_inventory.h"
#include "app/worker.h"
#include "text/clock.h"

namespace {

class OutputLogTest : public ::testing::Test {
 protected:
  void SetUp() override {
    EnsureQtApplication();
    SetAt(9, 5, 0);
    ClearWindowCreatedHandlers();
    main_ = CreateWindow(WindowKind::Main);
    BindOutputLog(main_);
    log_ = EditControl(main_, "编辑框_输出");
    box_ = WidgetAs<QPlainTextEdit>(log_.ref());
    ASSERT_NE(box_, nullptr);
  }
  void TearDown() override {
    delete WidgetAs<QWidget>(main_.ref());
    SetClock(nullptr);
  }
  static void SetAt(int hour, int minute, int second) {
    SetClock([=] { return LocalTime{2016, 6, 25, hour, minute, second}; });
  }
  static Text Line(const Text& message) { return LogTimestamp() + Gbk("：★") + message + Gbk("★\r\n"); }

  Window main_;
  EditControl log_;
  QPlainTextEdit* box_ = nullptr;
};

TEST_F(OutputLogTest, TimestampLeavesOutTrailingZeroParts) {
  struct Case {
    int hour, minute, second;
    const char* stamp;
  };
  const Case cases[] = {
      {9, 5, 0, "2016年6月25日9时5分"},    {14, 0, 7, "2016年6月25日14时0分7秒"},
      {18, 0, 0, "2016年6月25日18时"},     {0, 0, 0, "2016年6月25日"},
      {0, 0, 1, "2016年6月25日0时0分1秒"}, {23, 59, 59, "2016年6月25日23时59分59秒"},
  };
  for (const Case& c : cases) {
    log_.SetText(Text());
    SetAt(c.hour, c.minute, c.second);
    AppendLogLine(Gbk("开始搜索"));
    EXPECT_EQ(log_.GetText(), Gbk(c.stamp) + Gbk("：★开始搜索★\r\n")) << c.stamp;
  }
}

TEST_F(OutputLogTest, LinesAppendAtTheEndWithTheCaretThere) {
  box_->resize(300, 60);
  AppendLogLine(Gbk("第一行"));
  for (int i = 0; i < 30; ++i) AppendLogLine("x");
  AppendLogLine(Gbk("最后"));
  Text text = log_.GetText();
  EXPECT_EQ(text.substr(0, Line(Gbk("第一行")).size()), Line(Gbk("第一行")));
  EXPECT_EQ(text.substr(text.size() - Line(Gbk("最后")).size()), Line(Gbk("最后")));
  EXPECT_EQ(box_->textCursor().position(), box_->document()->characterCount() - 1);
}

TEST_F(OutputLogTest, MessageWithItsOwnLineBreaksIsWrittenUnchanged) {
  AppendLogLine(Gbk("第一段\r\n第二段\r\n"));
  EXPECT_EQ(log_.GetText(), LogTimestamp() + Gbk("：★第一段\r\n第二段\r\n★\r\n"));
}

TEST_F(OutputLogTest, ClearsOnlyPastTenThousandGbkBytes) {
  const size_t overhead = Line("").size();
  // Exactly 10,000 bytes stay; 10,001 bytes empty the box, which then holds
  // only the line that reports the clearing.
  AppendLogLine(Text(kOutputLogLimit - overhead, 'x'));
  EXPECT_EQ(log_.GetText().size(), kOutputLogLimit);

  log_.SetText(Text());
  AppendLogLine(Text(kOutputLogLimit - overhead + 1, 'x'));
  EXPECT_EQ(log_.GetText(), Line(Gbk("内部定时清除记录完毕！")));

  // Chinese text counts two bytes a character, as GBK does: 9,999 bytes here,
  // far more in UTF-8, and nothing is cleared.
  log_.SetText(Text());
  size_t characters = (kOutputLogLimit - overhead - 1) / 2;
  Text chinese;
  for (size_t i = 0; i < characters; ++i) chinese += Gbk("中");
  AppendLogLine(chinese);
  EXPECT_EQ(log_.GetText().size(), overhead + 2 * characters);
  EXPECT_EQ(log_.GetText(), Line(chinese));
}

TEST_F(OutputLogTest, GrowingLogClearsAtTheLineThatCrossesTheLimit) {
  const Text message(100, 'y');
  size_t expected = 0;
  for (int i = 0; i < 200; ++i) {
    AppendLogLine(message);
    expected += Line(message).size();
    if (expected > kOutputLogLimit) {
      EXPECT_EQ(log_.GetText(), Line(Gbk("内部定时清除记录完毕！"))) << "line " << i;
      expected = Line(Gbk("内部定时清除记录完毕！")).size();
    } else {
      ASSERT_EQ(log_.GetText().size(), expected) << "line " << i;
    }
  }
}

TEST_F(OutputLogTest, WorkerLinesArriveAndTheRuleRunsOnTheWindowThread) {
  std::atomic<int> written{0};
  WorkerHandle worker = StartWorker([&](int64_t) {
    for (int i = 0; i < 150; ++i) {
      AppendLogLine(Text(90, 'w'));
      ++written;
    }
  });
  ASSERT_TRUE(WaitUntil([&] { return worker.Finished(); }, 10000));
  EXPECT_EQ(written.load(), 150);
  // 150 lines of 117 bytes cross the limit once, at line 86; 64 follow
  // the clearing line.
  const size_t lineSize = Line(Text(90, 'w')).size();
  EXPECT_EQ(log_.GetText().size(), Line(Gbk("内部定时清除记录完毕！")).size() + 64 * lineSize);
  EXPECT_EQ(log_.GetText().substr(0, Line(Gbk("内部定时清除记录完毕！")).size()), Line(Gbk("内部定时清除记录完毕！")));
}

TEST_F(OutputLogTest, NothingHappensOnceTheWindowIsGone) {
  delete WidgetAs<QWidget>(main_.ref());
  AppendLogLine(Gbk("无处可写"));
  WorkerHandle worker = StartWorker([](int64_t) { AppendLogLine(Gbk("也无处可写")); });
  ASSERT_TRUE(WaitUntil([&] { return worker.Finished(); }));
  EXPECT_FALSE(main_.IsOpen());
}

}  // namespace
