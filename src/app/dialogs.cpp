#include "app/dialogs.h"

#include <mutex>

#include "app/qt_dialogs.h"
#include "app/window_thread.h"

namespace {

std::mutex installedMutex;
std::shared_ptr<Dialogs> installed;

// Runs `use` with the installed dialogs on the window thread.
template <class Use>
void WithDialogs(Use&& use) {
  std::shared_ptr<Dialogs> dialogs = CurrentDialogs();
  RunControlOperation([&] { use(*dialogs); });
}

}  // namespace

std::shared_ptr<Dialogs> InstallDialogs(std::shared_ptr<Dialogs> dialogs) {
  std::lock_guard lock(installedMutex);
  std::shared_ptr<Dialogs> previous = std::move(installed);
  installed = std::move(dialogs);
  return previous;
}

std::shared_ptr<Dialogs> CurrentDialogs() {
  std::lock_guard lock(installedMutex);
  if (!installed) installed = std::make_shared<QtDialogs>();
  return installed;
}

const Text& DefaultMessageCaption() {
  static const Text caption = Gbk("信息：");
  return caption;
}

void ShowMessage(const Text& text) { ShowMessage(text, DefaultMessageCaption()); }

void ShowMessage(const Text& text, const Text& caption, MessageIcon icon) {
  WithDialogs([&](Dialogs& dialogs) { dialogs.ShowMessageBox(text, caption, icon); });
}

bool AskYesNo(const Text& text, const Text& caption) {
  bool yes = false;
  WithDialogs([&](Dialogs& dialogs) { yes = dialogs.AskYesNoQuestion(text, caption); });
  return yes;
}

Text ChooseFolder(const Text& title) {
  Text folder;
  WithDialogs([&](Dialogs& dialogs) { folder = dialogs.ChooseFolderPath(title); });
  return folder;
}

bool OpenUrlOrFile(const Text& target) {
  bool opened = false;
  WithDialogs([&](Dialogs& dialogs) { opened = dialogs.OpenInShell(target); });
  return opened;
}

void SetClipboardText(const Text& text) {
  WithDialogs([&](Dialogs& dialogs) { dialogs.WriteClipboard(text); });
}

Text GetClipboardText() {
  Text text;
  WithDialogs([&](Dialogs& dialogs) { text = dialogs.ReadClipboard(); });
  return text;
}
