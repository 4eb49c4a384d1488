// Closing MainWindow ends the process at once with exit code 0, whatever
// the workers are doing; it is checked in a child process running the real
// start-up.
#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QProcess>
#include <QProcessEnvironment>

#include "qt_application.h"

namespace {

TEST(ProgramExitTest, ClosingMainWindowEndsTheProcessWithCodeZeroWhileAWorkerRuns) {
  EnsureQtApplication();
  QProcess probe;
  QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
  environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
  probe.setProcessEnvironment(environment);
  QElapsedTimer timer;
  timer.start();
  probe.start(QStringLiteral(MARVANE_EXIT_PROBE), QStringList());
  ASSERT_TRUE(probe.waitForStarted(5000));
  ASSERT_TRUE(probe.waitForFinished(20000)) << "the program did not end after MainWindow closed";
  QString output = QString::fromUtf8(probe.readAllStandardOutput());
  EXPECT_EQ(probe.exitStatus(), QProcess::NormalExit);
  EXPECT_EQ(probe.exitCode(), 0) << output.toStdString();
  // The close happened while the worker was still writing rows.
  EXPECT_TRUE(output.contains(QStringLiteral("worker running=1"))) << output.toStdString();
  EXPECT_FALSE(output.contains(QStringLiteral("rows=0"))) << output.toStdString();
  std::printf("probe ran %lld ms in all (MainWindow closed at about 400 ms)\n",
              static_cast<long long>(timer.elapsed()));
}

}  // namespace
