#include "highcommission/output_log.h"

#include <mutex>

#include "app/edit_control.h"
#include "text/clock.h"

namespace {

// Bound on the window thread at start-up, read by workers: under a lock.
std::mutex logMutex;
EditControl logBox;

EditControl BoundLog() {
  std::lock_guard lock(logMutex);
  return logBox;
}

// Runs on the window thread after every change of the log's text, also one
// made by a worker's append. Emptying the box changes the text again, and so
// does the line that reports the clearing; both leave the box far below the
// limit, so the rule does not fire a second time.
void ClearWhenFull() {
  EditControl log = BoundLog();
  if (log.GetText().size() <= kOutputLogLimit) return;
  log.SetText(Text());
  static const Text cleared = Gbk("内部定时清除记录完毕！");
  AppendLogLine(cleared);
}

}  // namespace

void BindOutputLog(const Window& mainWindow) {
  EditControl log(mainWindow, "编辑框_输出");
  {
    std::lock_guard lock(logMutex);
    logBox = log;
  }
  log.OnTextChanged(ClearWhenFull);
}

void AppendLogLine(const Text& message) {
  static const Text opening = Gbk("：★");
  static const Text closing = Gbk("★\r\n");
  EditControl log = BoundLog();
  if (!log.ref()) return;
  log.AppendText(LogTimestamp() + opening + message + closing);
}
