#pragma once
// The one clock the program reads for dates, status-line times and log
// timestamps. Tests replace it.
#include <functional>

#include "text/text.h"

struct LocalTime {
  int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0;
};

// nullptr puts the system's local clock back.
void SetClock(std::function<LocalTime()> clock);
LocalTime Now();

// 2016年6月25日
Text DateText();
// 9时5分3秒
Text ClockText();
// Date text and a clock part without trailing zero parts: 9时5分, 18时, or
// nothing at midnight.
Text LogTimestamp();
