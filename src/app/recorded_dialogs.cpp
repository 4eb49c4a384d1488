#include "app/recorded_dialogs.h"

void RecordedDialogs::QueueAnswer(bool yes) {
  std::lock_guard lock(mutex_);
  answers_.push_back(yes);
}

void RecordedDialogs::QueueFolder(const Text& folder) {
  std::lock_guard lock(mutex_);
  folders_.push_back(folder);
}

std::vector<RecordedDialogs::Call> RecordedDialogs::Calls() const {
  std::lock_guard lock(mutex_);
  return calls_;
}

std::vector<RecordedDialogs::Call> RecordedDialogs::CallsOf(Kind kind) const {
  std::lock_guard lock(mutex_);
  std::vector<Call> matching;
  for (const Call& call : calls_) {
    if (call.kind == kind) matching.push_back(call);
  }
  return matching;
}

Text RecordedDialogs::Clipboard() const {
  std::lock_guard lock(mutex_);
  return clipboard_;
}

void RecordedDialogs::ShowMessageBox(const Text& text, const Text& caption, MessageIcon icon) {
  std::lock_guard lock(mutex_);
  calls_.push_back({Kind::Message, text, caption, icon});
}

bool RecordedDialogs::AskYesNoQuestion(const Text& text, const Text& caption) {
  std::lock_guard lock(mutex_);
  calls_.push_back({Kind::Question, text, caption, MessageIcon::None});
  if (answers_.empty()) return false;
  bool yes = answers_.front();
  answers_.pop_front();
  return yes;
}

Text RecordedDialogs::ChooseFolderPath(const Text& title) {
  std::lock_guard lock(mutex_);
  calls_.push_back({Kind::Folder, title, Text(), MessageIcon::None});
  if (folders_.empty()) return Text();
  Text folder = folders_.front();
  folders_.pop_front();
  return folder;
}

bool RecordedDialogs::OpenInShell(const Text& target) {
  std::lock_guard lock(mutex_);
  calls_.push_back({Kind::Open, target, Text(), MessageIcon::None});
  return !target.empty();
}

void RecordedDialogs::WriteClipboard(const Text& text) {
  std::lock_guard lock(mutex_);
  calls_.push_back({Kind::ClipboardWrite, text, Text(), MessageIcon::None});
  clipboard_ = text;
}

Text RecordedDialogs::ReadClipboard() {
  std::lock_guard lock(mutex_);
  calls_.push_back({Kind::ClipboardRead, clipboard_, Text(), MessageIcon::None});
  return clipboard_;
}
