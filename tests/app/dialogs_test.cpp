// The dialogs seam: the recorder that tests script, the free functions that
// feature code calls (also from workers), and the Qt clipboard.
#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "app/qt_dialogs.h"
#include "app/recorded_dialogs.h"
#include "app/worker.h"
#include "qt_application.h"

namespace {

using Kind = RecordedDialogs::Kind;

class DialogsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    EnsureQtApplication();
    recorder_ = std::make_shared<RecordedDialogs>();
    previous_ = InstallDialogs(recorder_);
  }
  void TearDown() override { InstallDialogs(previous_); }

  std::shared_ptr<RecordedDialogs> recorder_;
  std::shared_ptr<Dialogs> previous_;
};

TEST_F(DialogsTest, MessagesCarryTheDefaultCaptionUnlessTheyNameOne) {
  ShowMessage(Gbk("已复制"));
  ShowMessage(Gbk("发生错误！"), Gbk("请重试！"), MessageIcon::Error);
  std::vector<RecordedDialogs::Call> calls = recorder_->CallsOf(Kind::Message);
  ASSERT_EQ(calls.size(), 2u);
  EXPECT_EQ(calls[0].text, Gbk("已复制"));
  EXPECT_EQ(calls[0].caption, Gbk("信息："));
  EXPECT_EQ(calls[0].icon, MessageIcon::None);
  EXPECT_EQ(calls[1].caption, Gbk("请重试！"));
  EXPECT_EQ(calls[1].icon, MessageIcon::Error);
}

TEST_F(DialogsTest, QuestionsAndFolderChooserAnswerAsScripted) {
  recorder_->QueueAnswer(true);
  recorder_->QueueFolder("/tmp/out");
  EXPECT_TRUE(AskYesNo(Gbk("保存成功是否查看？"), Gbk("成功")));
  EXPECT_FALSE(AskYesNo(Gbk("发现有同类，是否替换覆盖？"), DefaultMessageCaption()));  // queue empty: No
  EXPECT_EQ(ChooseFolder(Gbk("请选择保存位置！")), "/tmp/out");
  EXPECT_EQ(ChooseFolder(Gbk("请选择保存位置！")), "");  // cancelled
  EXPECT_TRUE(OpenUrlOrFile("https://detail.tmall.com/item.htm?id=1"));
  SetClipboardText("a\r\nb\r\n");
  EXPECT_EQ(GetClipboardText(), "a\r\nb\r\n");

  std::vector<RecordedDialogs::Call> calls = recorder_->Calls();
  ASSERT_EQ(calls.size(), 7u);
  EXPECT_EQ(calls[0].kind, Kind::Question);
  EXPECT_EQ(calls[0].caption, Gbk("成功"));
  EXPECT_EQ(calls[2].kind, Kind::Folder);
  EXPECT_EQ(calls[2].text, Gbk("请选择保存位置！"));
  EXPECT_EQ(calls[4].kind, Kind::Open);
  EXPECT_EQ(calls[4].text, "https://detail.tmall.com/item.htm?id=1");
  EXPECT_EQ(calls[5].kind, Kind::ClipboardWrite);
  EXPECT_EQ(recorder_->Clipboard(), "a\r\nb\r\n");
}

TEST_F(DialogsTest, WorkersReachTheDialogsButAnEndedWorkerShowsNothing) {
  std::atomic<bool> asked{false};
  WorkerHandle worker = StartWorker([&](int64_t) {
    ShowMessage(Gbk("完毕！"));
    asked = true;
  });
  ASSERT_TRUE(WaitUntil([&] { return worker.Finished(); }));
  EXPECT_TRUE(asked.load());
  EXPECT_EQ(recorder_->CallsOf(Kind::Message).size(), 1u);

  std::atomic<bool> go{false};
  std::atomic<bool> afterMessage{false};
  WorkerHandle ended = StartWorker([&](int64_t) {
    while (!go) std::this_thread::yield();
    ShowMessage(Gbk("不该出现"));
    afterMessage = true;
  });
  ended.End();
  go = true;
  ASSERT_TRUE(WaitUntil([&] { return ended.Finished(); }));
  EXPECT_FALSE(afterMessage.load());
  EXPECT_EQ(recorder_->CallsOf(Kind::Message).size(), 1u);
}

TEST_F(DialogsTest, InstallingReturnsTheDialogsItReplaces) {
  auto other = std::make_shared<RecordedDialogs>();
  EXPECT_EQ(InstallDialogs(other), recorder_);
  EXPECT_EQ(CurrentDialogs(), other);
  EXPECT_EQ(InstallDialogs(recorder_), other);
}

TEST(QtDialogsTest, ClipboardKeepsChineseText) {
  EnsureQtApplication();
  QtDialogs dialogs;
  dialogs.WriteClipboard(Gbk("https://item.taobao.com/item.htm?id=1\r\n中文"));
  EXPECT_EQ(dialogs.ReadClipboard(), Gbk("https://item.taobao.com/item.htm?id=1\r\n中文"));
  EXPECT_FALSE(dialogs.OpenInShell(""));
}

}  // namespace
