// Control operations from worker threads: carried to the window thread,
// held back while the worker is paused, dropped once it is ended, harmless
// once the control's window is gone.
#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <atomic>
#include <cstdio>
#include <memory>
#include <stdexcept>

#include "app/edit_control.h"
#include "app/list_control.h"
#include "app/qt/list_view.h"
#include "app/qt/widget_ref.h"
#include "app/window_thread.h"
#include "app/worker.h"
#include "net/worker_token.h"
#include "qt_application.h"
#include "text/text_ops.h"

namespace {

class WorkerControlTest : public ::testing::Test {
 protected:
  void SetUp() override {
    EnsureQtApplication();
    window_ = new QWidget();
    auto* view = new ListView({{QStringLiteral("序号"), 50}, {QStringLiteral("值"), 80}}, true, window_);
    view->setObjectName(QStringLiteral("超级列表框1"));
    handle_ = Window(MakeWidgetRef(window_));
    list_ = ListControl(handle_, "超级列表框1");
  }
  void TearDown() override {
    if (worker_.End()) {
      EXPECT_TRUE(WaitUntil([&] { return worker_.Finished(); }));
    }
    delete window_.data();
  }

  // A worker that appends rows 1, 2, 3 ... for ever, counting what it tried.
  void StartWriter() {
    worker_ = StartWorker(
        [this](int64_t) {
          for (int i = 1;; ++i) {
            list_.AppendNumberedRow({IntToText(i)});
            attempted_ = i;
          }
        },
        0);
  }

  QPointer<QWidget> window_;
  Window handle_;
  ListControl list_;
  WorkerHandle worker_;
  std::atomic<int> attempted_{0};
};

// Every row holds the next value the worker produced, numbered by position.
void ExpectConsecutiveRows(const ListControl& list) {
  std::vector<std::vector<Text>> rows = list.Rows();
  for (size_t i = 0; i < rows.size(); ++i) {
    ASSERT_EQ(rows[i][0], IntToText(static_cast<int64_t>(i) + 1));
    ASSERT_EQ(rows[i][1], IntToText(static_cast<int64_t>(i) + 1)) << "a row was lost or repeated at " << i;
  }
}

TEST_F(WorkerControlTest, PausedWorkerAddsNothingEndedWorkerAddsNothingAndNothingIsLost) {
  StartWriter();
  ASSERT_TRUE(WaitUntil([&] { return list_.RowCount() >= 50; }));

  worker_.Suspend();
  int atPause = list_.RowCount();
  ServeEvents(300);
  EXPECT_EQ(list_.RowCount(), atPause) << "rows were added while paused";
  EXPECT_FALSE(worker_.Finished());

  worker_.Resume();
  ASSERT_TRUE(WaitUntil([&] { return list_.RowCount() >= atPause + 50; }));

  worker_.End();
  int atEnd = list_.RowCount();
  ASSERT_TRUE(WaitUntil([&] { return worker_.Finished(); }));
  ServeEvents(100);
  EXPECT_EQ(list_.RowCount(), atEnd) << "rows were added after the end";
  // The append that met the end was dropped, so the worker never counted it.
  EXPECT_EQ(attempted_.load(), atEnd);
  ExpectConsecutiveRows(list_);
}

TEST_F(WorkerControlTest, EndingAPausedWorkerWakesItWithoutAddingAnything) {
  StartWriter();
  ASSERT_TRUE(WaitUntil([&] { return list_.RowCount() >= 10; }));
  worker_.Suspend();
  int atPause = list_.RowCount();
  ServeEvents(50);
  worker_.End();
  ASSERT_TRUE(WaitUntil([&] { return worker_.Finished(); }));
  ServeEvents(50);
  EXPECT_EQ(list_.RowCount(), atPause);
  ExpectConsecutiveRows(list_);
}

TEST_F(WorkerControlTest, OperationOnADestroyedWindowDoesNothing) {
  list_.AppendNumberedRow({"before"});
  delete window_.data();
  std::atomic<int> rowCount{-1};
  std::atomic<int> appended{-2};
  std::atomic<bool> open{true};
  worker_ = StartWorker(
      [&](int64_t) {
        appended = list_.AppendNumberedRow({"after"});
        list_.SetCell(0, 1, "x");
        rowCount = list_.RowCount();
        open = handle_.IsOpen();
      },
      0);
  ASSERT_TRUE(WaitUntil([&] { return worker_.Finished(); }));
  EXPECT_EQ(appended.load(), -1);
  EXPECT_EQ(rowCount.load(), 0);
  EXPECT_FALSE(open.load());
  EXPECT_FALSE(list_.Exists());
}

TEST_F(WorkerControlTest, ReadsFromAWorkerSeeTheControlAsItIsNow) {
  list_.AppendNumberedRow({Gbk("第一行")});
  std::atomic<bool> done{false};
  Text seen;
  worker_ = StartWorker(
      [&](int64_t argument) {
        // The argument reaches the routine; the token is the worker's own.
        if (argument == 42 && WorkerToken::Current()) seen = list_.Cell(0, 1);
        list_.SetCell(0, 1, Gbk("改过"));
        done = true;
      },
      42);
  ASSERT_TRUE(WaitUntil([&] { return done.load() && worker_.Finished(); }));
  EXPECT_EQ(seen, Gbk("第一行"));
  EXPECT_EQ(list_.Cell(0, 1), Gbk("改过"));
}

TEST_F(WorkerControlTest, FailureInsideAnOperationReachesTheCallingWorker) {
  std::atomic<bool> caught{false};
  worker_ = StartWorker(
      [&](int64_t) {
        try {
          RunControlOperation([] { throw std::runtime_error("boom"); });
        } catch (const std::runtime_error&) {
          caught = OnWindowThread() == false;
        }
      },
      0);
  ASSERT_TRUE(WaitUntil([&] { return worker_.Finished(); }));
  EXPECT_TRUE(caught.load());
}

TEST_F(WorkerControlTest, PumpMessagesIsACheckpointForAPausedWorker) {
  std::atomic<int> loops{0};
  worker_ = StartWorker(
      [&](int64_t) {
        for (;;) {
          PumpMessages();
          ++loops;
        }
      },
      0);
  ASSERT_TRUE(WaitUntil([&] { return loops.load() > 10; }));
  worker_.Suspend();
  ServeEvents(20);
  int atPause = loops.load();
  ServeEvents(200);
  EXPECT_LE(loops.load(), atPause + 1);
  worker_.End();
  ASSERT_TRUE(WaitUntil([&] { return worker_.Finished(); }));
}

TEST_F(WorkerControlTest, WorkerAppendsRowsAtAUsefulRate) {
  const int rows = 10000;
  QElapsedTimer timer;
  timer.start();
  worker_ = StartWorker([&](int64_t) {
    for (int i = 1; i <= rows; ++i) list_.AppendNumberedRow({IntToText(i)});
  });
  ASSERT_TRUE(WaitUntil([&] { return worker_.Finished(); }, 30000));
  qint64 ms = timer.elapsed();
  EXPECT_EQ(list_.RowCount(), rows);
  ExpectConsecutiveRows(list_);
  std::printf("%d rows appended one by one from a worker in %lld ms\n", rows, static_cast<long long>(ms));
}

TEST(WorkerHandleTest, EmptyHandleReportsNoSuccessAndReleaseForgets) {
  WorkerHandle none;
  EXPECT_TRUE(none.IsEmpty());
  EXPECT_FALSE(none.End());
  EXPECT_FALSE(none.Finished());
  std::atomic<bool> ran{false};
  WorkerHandle worker = StartWorker([&](int64_t) { ran = true; }, 0);
  EnsureQtApplication();
  ASSERT_TRUE(WaitUntil([&] { return worker.Finished(); }));
  EXPECT_TRUE(ran.load());
  EXPECT_TRUE(worker.End());  // ending a finished worker still reports success
  worker.Release();
  EXPECT_TRUE(worker.IsEmpty());
}

}  // namespace
