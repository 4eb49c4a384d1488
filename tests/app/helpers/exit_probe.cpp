// Runs the program as it starts for a user, with one extra handler on
// MainWindow: a worker that writes list rows and log lines without end, and
// a timer that closes MainWindow while that worker runs. Closing it must end
// the process with exit code 0; should the process outlive the close, it
// exits with 3 instead.
#include <QTimer>
#include <atomic>
#include <cstdio>
#include <cstdlib>

#include "app/list_control.h"
#include "app/shell/program.h"
#include "app/window_inventory.h"
#include "app/worker.h"
#include "highcommission/output_log.h"
#include "text/text_ops.h"

namespace {

std::atomic<int> rowsWritten{0};
WorkerHandle busy;

void StartBusyWorker(Window main) {
  ListControl list(main, "超级列表框1");
  busy = StartWorker([list](int64_t) mutable {
    for (int i = 1;; ++i) {
      list.AppendNumberedRow({IntToText(i)});
      AppendLogLine(IntToText(i));
      rowsWritten = i;
    }
  });
  QTimer::singleShot(400, [main]() mutable {
    std::printf("closing MainWindow: worker running=%d rows=%d\n", busy.Finished() ? 0 : 1, rowsWritten.load());
    std::fflush(stdout);
    QTimer::singleShot(3000, [] { std::_Exit(3); });
    main.Destroy();
  });
}

}  // namespace

int main(int argc, char** argv) {
  AddWindowCreatedHandler(WindowKind::Main, StartBusyWorker);
  return RunProgram(argc, argv);
}
