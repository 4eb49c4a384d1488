#pragma once
// One QApplication for a whole test executable, created on the test thread
// (which thereby becomes the window thread), and a bounded wait that keeps
// the window thread's events flowing.
#include <QApplication>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QThread>
#include <functional>

inline QApplication& EnsureQtApplication() {
  static int argc = 1;
  static char name[] = "marvane-test";
  static char* argv[] = {name, nullptr};
  if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  static QApplication* application = new QApplication(argc, argv);
  return *application;
}

// Processes events until `done` holds or `timeoutMs` passes; returns `done`.
inline bool WaitUntil(const std::function<bool()>& done, int timeoutMs = 5000) {
  QElapsedTimer timer;
  timer.start();
  while (!done()) {
    if (timer.elapsed() > timeoutMs) return false;
    QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    QThread::usleep(200);
  }
  return true;
}

// Keeps the window thread serving events for `ms` milliseconds.
inline void ServeEvents(int ms) {
  QElapsedTimer timer;
  timer.start();
  while (timer.elapsed() < ms) {
    QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    QThread::usleep(200);
  }
}
