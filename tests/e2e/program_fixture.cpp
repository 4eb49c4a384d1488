#include "e2e/program_fixture.h"

#include <QAbstractButton>
#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>

#include "app/dialogs.h"
#include "app/list_control.h"
#include "app/program_state.h"
#include "app/qt/widget_ref.h"
#include "app/qt_application.h"
#include "app/shell/program.h"
#include "app/status_bar_control.h"
#include "app/window_inventory.h"
#include "sample_platform/program_connection.h"
#include "text/codepage.h"

void ProgramTest::SetUp() {
  EnsureQtApplication();
  platform_ = std::make_unique<SamplePlatform>();
  std::string error;
  ASSERT_TRUE(platform_->Start({}, &error)) << error;
  ConnectProgramToSamplePlatform(*platform_);
  dialogs_ = std::make_shared<RecordedDialogs>();
  InstallDialogs(dialogs_);
  if (!ProgramStateExists()) CreateProgramState();
  ClearWindowCreatedHandlers();
  BindWindows();
  // MainWindow as SignInWindow opens it, but not modally: the test drives it.
  main_ = CreateWindow(WindowKind::Main);
  mainWidget_ = WidgetAs<QWidget>(main_.ref());
  ASSERT_NE(mainWidget_, nullptr);
  mainWidget_->show();
  QCoreApplication::processEvents();
}

void ProgramTest::TearDown() {
  // Deleted, not closed: closing MainWindow ends the process, as it should.
  std::vector<QPointer<QWidget>> windows;
  for (QWidget* window : QApplication::topLevelWidgets()) windows.emplace_back(window);
  for (QPointer<QWidget>& window : windows)
    if (window && !window->parentWidget()) delete window.data();
  QCoreApplication::processEvents();
  ClearWindowCreatedHandlers();
  DisconnectProgramFromSamplePlatform();
  if (platform_) platform_->Stop();
}

QWidget* ProgramTest::Find(const std::string& name) const {
  const QString objectName = QString::fromStdString(name);
  for (QWidget* window : QApplication::topLevelWidgets()) {
    if (window->objectName() == objectName) return window;
    if (auto* found = window->findChild<QWidget*>(objectName)) return found;
  }
  ADD_FAILURE() << "no control named " << name;
  return nullptr;
}

void ProgramTest::Click(const std::string& name) {
  QWidget* widget = Find(name);
  if (!widget) return;
  ASSERT_TRUE(widget->isEnabled()) << name << " is disabled";
  QTest::mouseClick(widget, Qt::LeftButton, Qt::NoModifier, widget->rect().center());
}

void ProgramTest::Type(const std::string& name, const std::string& utf8) {
  QWidget* widget = Find(name);
  if (!widget) return;
  widget->setFocus();
  if (auto* line = qobject_cast<QLineEdit*>(widget)) line->end(false);
  // QTest only knows keys for ASCII; other characters arrive as an input
  // method would deliver them, as key events that carry the text.
  for (const QChar ch : QString::fromStdString(utf8)) {
    if (ch.unicode() < 0x80) {
      QTest::keyClick(widget, ch.toLatin1());
      continue;
    }
    QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(ch));
    QKeyEvent release(QEvent::KeyRelease, Qt::Key_unknown, Qt::NoModifier, QString(ch));
    QApplication::sendEvent(widget, &press);
    QApplication::sendEvent(widget, &release);
  }
}

void ProgramTest::ClickTab(const std::string& name, int page) {
  auto* notebook = FindAs<QTabWidget>(name);
  ASSERT_NE(notebook, nullptr) << name << " is not a notebook";
  QTabBar* bar = notebook->tabBar();
  QTest::mouseClick(bar, Qt::LeftButton, Qt::NoModifier, bar->tabRect(page).center());
}

bool ProgramTest::WaitUntil(const std::function<bool()>& done, int timeoutMs) { return ::WaitUntil(done, timeoutMs); }

std::vector<std::vector<std::string>> ProgramTest::ListRows(const std::string& name) const {
  std::vector<std::vector<std::string>> rows;
  for (const auto& row : ListControl(main_, name).Rows()) {
    std::vector<std::string> cells;
    for (const Text& cell : row) cells.push_back(GbkToUtf8(cell));
    rows.push_back(std::move(cells));
  }
  return rows;
}

std::string ProgramTest::TextOf(const std::string& name) const {
  QWidget* widget = Find(name);
  if (auto* plain = qobject_cast<QPlainTextEdit*>(widget)) return plain->toPlainText().toStdString();
  if (auto* line = qobject_cast<QLineEdit*>(widget)) return line->text().toStdString();
  if (auto* label = qobject_cast<QLabel*>(widget)) return label->text().toStdString();
  if (auto* button = qobject_cast<QAbstractButton*>(widget)) return button->text().toStdString();
  ADD_FAILURE() << name << " holds no text";
  return {};
}

std::string ProgramTest::Log() const { return TextOf("编辑框_输出"); }

std::string ProgramTest::StatusMessage() const { return GbkToUtf8(StatusBarControl(main_, "状态条1").PartText(1)); }
