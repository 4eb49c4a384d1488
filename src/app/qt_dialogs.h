#pragma once
// The dialogs the program shows: Qt message boxes, QFileDialog's folder
// chooser, QDesktopServices and the system clipboard. Window thread only.
#include "app/dialogs.h"

class QtDialogs : public Dialogs {
 public:
  void ShowMessageBox(const Text& text, const Text& caption, MessageIcon icon) override;
  bool AskYesNoQuestion(const Text& text, const Text& caption) override;
  Text ChooseFolderPath(const Text& title) override;
  bool OpenInShell(const Text& target) override;
  void WriteClipboard(const Text& text) override;
  Text ReadClipboard() override;
};
