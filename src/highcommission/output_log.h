#pragma once
// The log of the "高佣金【单板】" page (编辑框_输出 in the group "输出区").
// AppendLogLine is the one way text reaches it. The box keeps itself short:
// whenever its text changes and holds more than kOutputLogLimit GBK bytes,
// it is emptied and the clearing itself is logged.
#include "app/window.h"
#include "text/text.h"

constexpr size_t kOutputLogLimit = 10000;

// Binds the log box of `mainWindow` and its clearing rule. Window thread.
void BindOutputLog(const Window& mainWindow);

// Appends the line  timestamp "：★" message "★" CR LF  at the end of the log,
// caret moved there and scrolled into view. Any thread; does nothing before
// BindOutputLog or once the window is gone.
void AppendLogLine(const Text& message);
