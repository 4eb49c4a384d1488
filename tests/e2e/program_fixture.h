#pragma once
// End-to-end tests: the program's own windows, built offscreen, talking to
// the sample platform through the host redirect. Tests read like a user's
// steps: find a control by its name, click, type, wait (bounded), read lists,
// the log and the status line. Texts going in and out are UTF-8 here, so
// assertions read as the user sees the screen.
#include <gtest/gtest.h>

#include <QPointer>
#include <QWidget>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/recorded_dialogs.h"
#include "app/window.h"
#include "sample_platform/sample_platform.h"

class ProgramTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  SamplePlatform& platform() { return *platform_; }
  RecordedDialogs& dialogs() { return *dialogs_; }
  Window mainWindow() const { return main_; }

  // The control called `name` (as the program names it) in the main window
  // or in another open window of the program; fails the test when missing.
  QWidget* Find(const std::string& name) const;
  template <typename T>
  T* FindAs(const std::string& name) const {
    return qobject_cast<T*>(Find(name));
  }

  void Click(const std::string& name);
  // Types `utf8` into an edit box at its end, key by key, as a user would.
  void Type(const std::string& name, const std::string& utf8);
  // Shows page `page` of the notebook `name` by clicking its tab.
  void ClickTab(const std::string& name, int page);

  // Keeps the window thread serving events until `done` or `timeoutMs`.
  bool WaitUntil(const std::function<bool()>& done, int timeoutMs = 5000);

  std::vector<std::vector<std::string>> ListRows(const std::string& name) const;
  std::string TextOf(const std::string& name) const;  // an edit box's, label's or button's text
  std::string Log() const;                            // the output log of the second page
  std::string StatusMessage() const;                  // part 1 of the main status bar

 private:
  std::unique_ptr<SamplePlatform> platform_;
  std::shared_ptr<RecordedDialogs> dialogs_;
  Window main_;
  QPointer<QWidget> mainWidget_;
};
