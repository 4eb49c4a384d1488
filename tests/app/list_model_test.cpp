// The report list's model and its control API on the window thread.
#include <gtest/gtest.h>

#include <QAbstractItemModelTester>
#include <QElapsedTimer>
#include <QTest>
#include <memory>

#include "app/list_control.h"
#include "app/qt/list_view.h"
#include "app/qt/widget_ref.h"
#include "qt_application.h"
#include "text/text_ops.h"

namespace {

std::vector<ListColumn> ThreeColumns() {
  return {{QStringLiteral("ID"), 40}, {QStringLiteral("关键词"), 150}, {QStringLiteral("页数"), 0}};
}

class ListTest : public ::testing::Test {
 protected:
  void SetUp() override {
    EnsureQtApplication();
    window_ = std::make_unique<QWidget>();
    view_ = new ListView(ThreeColumns(), true, window_.get());
    view_->setObjectName(QStringLiteral("超级列表框1"));
    tester_ = std::make_unique<QAbstractItemModelTester>(view_->listModel(),
                                                         QAbstractItemModelTester::FailureReportingMode::Fatal);
    list_ = ListControl(Window(MakeWidgetRef(window_.get())), "超级列表框1");
  }

  std::unique_ptr<QWidget> window_;
  ListView* view_ = nullptr;
  std::unique_ptr<QAbstractItemModelTester> tester_;
  ListControl list_;
};

TEST_F(ListTest, FindsTheListByItsName) {
  EXPECT_TRUE(list_.Exists());
  EXPECT_EQ(list_.ColumnCount(), 3);
  EXPECT_FALSE(ListControl(Window(MakeWidgetRef(window_.get())), "超级列表框2").Exists());
}

TEST_F(ListTest, AppendedRowsAreNumberedByTheRowCountAndNeverRenumbered) {
  EXPECT_EQ(list_.AppendNumberedRow({Gbk("连衣裙"), "10"}), 0);
  EXPECT_EQ(list_.AppendNumberedRow({Gbk("手机壳"), "10"}), 1);
  EXPECT_EQ(list_.AppendNumberedRow({"c"}), 2);
  list_.DeleteRow(1);
  // Deleting leaves the others' numbers; the next row takes the count again.
  EXPECT_EQ(list_.AppendNumberedRow({"d"}), 2);
  std::vector<Text> numbers;
  for (int row = 0; row < list_.RowCount(); ++row) numbers.push_back(list_.Cell(row, 0));
  EXPECT_EQ(numbers, (std::vector<Text>{"1", "3", "3"}));
  EXPECT_EQ(list_.Cell(0, 1), Gbk("连衣裙"));
  EXPECT_EQ(list_.Cell(0, 2), "10");
  // What the view shows is the same text, converted only for display.
  EXPECT_EQ(view_->listModel()->data(view_->listModel()->index(0, 1)).toString(), QStringLiteral("连衣裙"));
}

TEST_F(ListTest, MissingCellsReadEmptyAndOutOfRangeWritesAreIgnored) {
  list_.AppendRow({"1"});
  EXPECT_EQ(list_.Cell(0, 1), "");
  EXPECT_EQ(list_.Cell(0, 7), "");
  EXPECT_EQ(list_.Cell(5, 0), "");
  EXPECT_EQ(list_.Cell(-1, 0), "");
  list_.SetCell(0, 2, "hidden");
  EXPECT_EQ(list_.Cell(0, 2), "hidden");
  list_.SetCell(0, 3, "no such column");
  list_.SetCell(4, 0, "no such row");
  list_.DeleteRow(9);
  EXPECT_EQ(list_.RowCount(), 1);
  // Cells beyond the last column are dropped, not kept out of sight.
  list_.AppendRow({"a", "b", "c", "d"});
  EXPECT_EQ(list_.Row(1), (std::vector<Text>{"a", "b", "c"}));
}

TEST_F(ListTest, TicksSelectionAndCurrentRow) {
  list_.AppendNumberedRows({{"a"}, {"b"}, {"c"}});
  EXPECT_FALSE(list_.IsTicked(0));
  list_.SetTicked(1, true);
  EXPECT_TRUE(list_.IsTicked(1));
  EXPECT_EQ(view_->listModel()->data(view_->listModel()->index(1, 0), Qt::CheckStateRole).toInt(), Qt::Checked);
  list_.SetAllTicked(true);
  EXPECT_TRUE(list_.IsTicked(0) && list_.IsTicked(2));
  list_.SetAllTicked(false);
  EXPECT_FALSE(list_.IsTicked(1));
  // The user's click on the box goes through the model.
  EXPECT_TRUE(view_->listModel()->setData(view_->listModel()->index(2, 0), Qt::Checked, Qt::CheckStateRole));
  EXPECT_TRUE(list_.IsTicked(2));

  EXPECT_EQ(list_.CurrentRow(), -1);
  list_.Select(2);
  EXPECT_EQ(list_.CurrentRow(), 2);
  list_.Select(0);
  EXPECT_EQ(list_.CurrentRow(), 0);
  list_.Select(7);
  EXPECT_EQ(list_.CurrentRow(), 0);
  list_.ScrollIntoView(2);
  list_.DeleteAllRows();
  EXPECT_EQ(list_.RowCount(), 0);
  EXPECT_EQ(list_.CurrentRow(), -1);
  EXPECT_FALSE(list_.IsTicked(0));
}

TEST_F(ListTest, DeletingTickedRowsKeepsTheOthersAndTheirNumbers) {
  list_.AppendNumberedRows({{"a"}, {"b"}, {"c"}, {"d"}, {"e"}, {"f"}, {"g"}});
  for (int row : {1, 2, 3, 5}) list_.SetTicked(row, true);
  EXPECT_EQ(list_.DeleteTickedRows(), 4);
  EXPECT_EQ(list_.Rows(), (std::vector<std::vector<Text>>{{"1", "a", ""}, {"5", "e", ""}, {"7", "g", ""}}));
  EXPECT_EQ(list_.DeleteTickedRows(), 0);
  // Scattered ticks over many rows take the one-pass path.
  list_.DeleteAllRows();
  std::vector<std::vector<Text>> many(1000, std::vector<Text>{"x"});
  list_.AppendNumberedRows(many);
  for (int row = 0; row < 1000; row += 2) list_.SetTicked(row, true);
  EXPECT_EQ(list_.DeleteTickedRows(), 500);
  ASSERT_EQ(list_.RowCount(), 500);
  EXPECT_EQ(list_.Cell(0, 0), "2");
  EXPECT_EQ(list_.Cell(499, 0), "1000");
  EXPECT_FALSE(list_.IsTicked(0));
}

TEST_F(ListTest, HiddenColumnKeepsItsText) {
  EXPECT_TRUE(view_->isColumnHidden(2));
  EXPECT_FALSE(view_->isColumnHidden(1));
  list_.AppendNumberedRow({"k", "secret"});
  EXPECT_EQ(list_.Cell(0, 2), "secret");
}

TEST_F(ListTest, ReadsEveryRowInOneOperation) {
  list_.AppendNumberedRows({{"a", "1"}, {"b"}});
  EXPECT_EQ(list_.Rows(), (std::vector<std::vector<Text>>{{"1", "a", "1"}, {"2", "b", ""}}));
}

TEST_F(ListTest, MouseEventsReportTheRowUnderThePointer) {
  list_.AppendNumberedRows({{"a"}, {"b"}, {"c"}});
  view_->resize(300, 300);
  window_->show();
  std::vector<int> clicked, rightClicked, doubleClicked;
  list_.OnItemClick([&](int row) { clicked.push_back(row); });
  list_.OnRightClick([&](int row) { rightClicked.push_back(row); });
  list_.OnDoubleClick([&](int row) { doubleClicked.push_back(row); });
  QWidget* viewport = view_->viewport();
  auto centreOf = [&](int row) { return view_->visualRect(view_->listModel()->index(row, 1)).center(); };
  const QPoint empty(150, 280);  // below the last row

  QTest::mouseClick(viewport, Qt::LeftButton, {}, centreOf(1));
  EXPECT_EQ(clicked, std::vector<int>{1});
  EXPECT_EQ(list_.CurrentRow(), 1);
  QTest::mouseClick(viewport, Qt::LeftButton, {}, empty);
  EXPECT_EQ(clicked, std::vector<int>{1});  // no item, no item click

  // A right press selects the row under it before it is reported.
  QTest::mousePress(viewport, Qt::RightButton, {}, centreOf(2));
  QTest::mouseRelease(viewport, Qt::RightButton, {}, centreOf(2));
  EXPECT_EQ(rightClicked, std::vector<int>{2});
  EXPECT_EQ(list_.CurrentRow(), 2);
  QTest::mousePress(viewport, Qt::RightButton, {}, empty);
  QTest::mouseRelease(viewport, Qt::RightButton, {}, empty);
  EXPECT_EQ(rightClicked, (std::vector<int>{2, -1}));

  // A double click on the empty part is reported too (the handler then acts
  // on the current row).
  QTest::mouseDClick(viewport, Qt::LeftButton, {}, centreOf(0));
  QTest::mouseDClick(viewport, Qt::LeftButton, {}, empty);
  EXPECT_EQ(doubleClicked, (std::vector<int>{0, -1}));
}

TEST_F(ListTest, HundredThousandRowsStayFast) {
  // The model tester checks every insertion; it is measured without it.
  tester_.reset();
  view_->resize(700, 300);
  window_->show();
  const int rows = 100000;
  std::vector<std::vector<Text>> batch;
  batch.reserve(rows);
  for (int i = 0; i < rows; ++i)
    batch.push_back({Gbk("店铺") + IntToText(i), "12.50", "3.1", "https://example/" + IntToText(i)});

  QElapsedTimer timer;
  timer.start();
  list_.AppendNumberedRows(batch);
  qint64 bulkMs = timer.elapsed();
  EXPECT_EQ(list_.RowCount(), rows);
  EXPECT_EQ(list_.Cell(rows - 1, 0), "100000");

  list_.DeleteAllRows();
  timer.restart();
  for (const auto& row : batch) list_.AppendNumberedRow(row);
  qint64 singleMs = timer.elapsed();
  EXPECT_EQ(list_.RowCount(), rows);
  EXPECT_EQ(list_.Cell(rows - 1, 1), Gbk("店铺") + "99999");

  timer.restart();
  list_.ScrollIntoView(rows - 1);
  list_.Select(rows - 1);
  QCoreApplication::processEvents();
  qint64 scrollMs = timer.elapsed();

  timer.restart();
  for (int i = 0; i < 1000; ++i) list_.DeleteRow(0);
  qint64 deleteMs = timer.elapsed();

  for (int row = 0; row < list_.RowCount(); row += 2) list_.SetTicked(row, true);
  timer.restart();
  EXPECT_EQ(list_.DeleteTickedRows(), (rows - 1000) / 2);
  qint64 tickedMs = timer.elapsed();

  RecordProperty("bulk_append_ms", static_cast<int>(bulkMs));
  RecordProperty("single_appends_ms", static_cast<int>(singleMs));
  std::printf(
      "100,000 rows: one bulk append %lld ms, row-by-row appends %lld ms, scroll+select %lld ms, "
      "1,000 deletions at the top %lld ms, every second row deleted by tick %lld ms\n",
      static_cast<long long>(bulkMs), static_cast<long long>(singleMs), static_cast<long long>(scrollMs),
      static_cast<long long>(deleteMs), static_cast<long long>(tickedMs));
  EXPECT_LT(bulkMs, 2000);
  EXPECT_LT(singleMs, 10000);
}

}  // namespace
