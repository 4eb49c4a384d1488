#pragma once
// Dialogs for tests: every call is recorded, questions and the folder
// chooser answer from scripted queues (No and "cancelled" once a queue is
// empty), and the clipboard is a text of its own. Thread-safe.
#include <deque>
#include <mutex>
#include <vector>

#include "app/dialogs.h"

class RecordedDialogs : public Dialogs {
 public:
  enum class Kind { Message, Question, Folder, Open, ClipboardWrite, ClipboardRead };
  struct Call {
    Kind kind;
    Text text;  // the message, question, folder chooser title, opened target or clipboard text
    Text caption;
    MessageIcon icon = MessageIcon::None;
  };

  void QueueAnswer(bool yes);
  void QueueFolder(const Text& folder);
  std::vector<Call> Calls() const;
  // The recorded calls of one kind.
  std::vector<Call> CallsOf(Kind kind) const;
  Text Clipboard() const;

  void ShowMessageBox(const Text& text, const Text& caption, MessageIcon icon) override;
  bool AskYesNoQuestion(const Text& text, const Text& caption) override;
  Text ChooseFolderPath(const Text& title) override;
  bool OpenInShell(const Text& target) override;
  void WriteClipboard(const Text& text) override;
  Text ReadClipboard() override;

 private:
  mutable std::mutex mutex_;
  std::vector<Call> calls_;
  std::deque<bool> answers_;
  std::deque<Text> folders_;
  Text clipboard_;
};
