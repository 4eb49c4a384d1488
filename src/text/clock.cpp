#include "text/clock.h"

#include <ctime>
#include <mutex>
#include <string>

namespace {

std::mutex clockMutex;
std::function<LocalTime()> replacedClock;

LocalTime SystemNow() {
  const std::time_t now = std::time(nullptr);
  std::tm tm{};
  localtime_r(&now, &tm);
  return {tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday, tm.tm_hour, tm.tm_min, tm.tm_sec};
}

Text Number(int value) { return std::to_string(value); }

Text DateOf(const LocalTime& t) {
  static const Text year = Gbk("年"), month = Gbk("月"), day = Gbk("日");
  return Number(t.year) + year + Number(t.month) + month + Number(t.day) + day;
}

}  // namespace

void SetClock(std::function<LocalTime()> clock) {
  std::lock_guard lock(clockMutex);
  replacedClock = std::move(clock);
}

LocalTime Now() {
  std::function<LocalTime()> clock;
  {
    std::lock_guard lock(clockMutex);
    clock = replacedClock;
  }
  return clock ? clock() : SystemNow();
}

Text DateText() { return DateOf(Now()); }

Text ClockText() {
  static const Text hour = Gbk("时"), minute = Gbk("分"), second = Gbk("秒");
  const LocalTime t = Now();
  return Number(t.hour) + hour + Number(t.minute) + minute + Number(t.second) + second;
}

Text LogTimestamp() {
  static const Text hour = Gbk("时"), minute = Gbk("分"), second = Gbk("秒");
  const LocalTime t = Now();
  Text clock;
  if (t.second != 0) {
    clock = Number(t.hour) + hour + Number(t.minute) + minute + Number(t.second) + second;
  } else if (t.minute != 0) {
    clock = Number(t.hour) + hour + Number(t.minute) + minute;
  } else if (t.hour != 0) {
    clock = Number(t.hour) + hour;
  }
  return DateOf(t) + clock;
}
