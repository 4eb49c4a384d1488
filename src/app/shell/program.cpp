#include "app/shell/program.h"

#include <QApplication>
#include <cstdlib>

#include "app/dialogs.h"
#include "app/program_state.h"
#include "app/qt_dialogs.h"
#include "app/window_inventory.h"
#include "app/window_thread.h"
#include "highcommission/output_log.h"

void StartupRoutine() {}

void EndProgramNow() {
  // _Exit rather than exit: no exit handlers and no destructors of statics
  // run while workers may still be using them.
  std::_Exit(0);
}

namespace {

void SignInWindowCreated(Window signIn) {
  // Returns only once MainWindow is gone, and closing MainWindow ends the
  // process, so the sign-in window is normally never seen.
  Window main = OpenWindow(WindowKind::Main, true);
  if (main.ref()) {
    PumpMessages();
    signIn.Hide();
  }
}

void MainWindowCreated(Window main) {
  main.Resize(1013, 570);
  // The custom keyword list's file drop target is bound with the keyword
  // lists.
  PumpMessages();
  BindOutputLog(main);
  AppendLogLine(Gbk("初始化完毕..."));
  main.OnAboutToBeDestroyed(EndProgramNow);
}

}  // namespace

void BindWindows() {
  AddWindowCreatedHandler(WindowKind::SignIn, SignInWindowCreated);
  AddWindowCreatedHandler(WindowKind::Main, MainWindowCreated);
}

int RunProgram(int argc, char** argv) {
  QApplication application(argc, argv);
  InstallDialogs(std::make_shared<QtDialogs>());
  CreateProgramState();
  std::atexit(ReleaseProgramState);
  StartupRoutine();
  BindWindows();
  CreateWindow(WindowKind::SignIn);
  return application.exec();
}
