#include "text/clock.h"

#include <gtest/gtest.h>

class ClockTest : public ::testing::Test {
 protected:
  void At(int hour, int minute, int second) {
    SetClock([=] { return LocalTime{2016, 6, 25, hour, minute, second}; });
  }
  void TearDown() override { SetClock(nullptr); }
};

TEST_F(ClockTest, LogTimestampLeavesOutTrailingZeroParts) {
  struct Case {
    int h, m, s;
    const char* out;
  } cases[] = {
      {9, 5, 0, "2016年6月25日9时5分"},
      {14, 0, 7, "2016年6月25日14时0分7秒"},
      {18, 0, 0, "2016年6月25日18时"},
      {0, 0, 0, "2016年6月25日"},
      {0, 0, 1, "2016年6月25日0时0分1秒"},
  };
  for (const Case& c : cases) {
    At(c.h, c.m, c.s);
    EXPECT_EQ(LogTimestamp(), Gbk(c.out)) << c.out;
  }
}

TEST_F(ClockTest, DateAndClockTexts) {
  At(9, 5, 3);
  EXPECT_EQ(DateText(), Gbk("2016年6月25日"));
  EXPECT_EQ(ClockText(), Gbk("9时5分3秒"));
}

TEST(Clock, SystemClockIsPlausible) {
  const LocalTime t = Now();
  EXPECT_GE(t.year, 2024);
  EXPECT_TRUE(t.month >= 1 && t.month <= 12);
}
