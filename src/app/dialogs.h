#pragma once
// Everything that talks to the user outside the windows, behind one seam:
// message boxes, the Yes/No question, the folder chooser, opening an address
// or a file with the desktop's default program, and the clipboard. The
// program installs the Qt dialogs at start-up; tests install a
// RecordedDialogs whose answers they script.
//
// Feature code calls the free functions below from any thread; they run the
// installed dialogs on the window thread (and honour a worker's token like
// every control operation).
#include <memory>

#include "text/text.h"

enum class MessageIcon { None, Error, Warning };

class Dialogs {
 public:
  virtual ~Dialogs() = default;
  // A modal message box with an OK button and no owner window.
  virtual void ShowMessageBox(const Text& text, const Text& caption, MessageIcon icon) = 0;
  // True for Yes.
  virtual bool AskYesNoQuestion(const Text& text, const Text& caption) = 0;
  // The chosen folder's path, "" when cancelled.
  virtual Text ChooseFolderPath(const Text& title) = 0;
  // An http(s) address or a local file path; false when nothing was opened.
  virtual bool OpenInShell(const Text& target) = 0;
  virtual void WriteClipboard(const Text& text) = 0;
  virtual Text ReadClipboard() = 0;
};

// Makes `dialogs` the program's dialogs and returns the ones it replaces.
// Without any installed, the Qt dialogs are used.
std::shared_ptr<Dialogs> InstallDialogs(std::shared_ptr<Dialogs> dialogs);
std::shared_ptr<Dialogs> CurrentDialogs();

// The caption of every message box that names none of its own: "信息：".
const Text& DefaultMessageCaption();

void ShowMessage(const Text& text);
void ShowMessage(const Text& text, const Text& caption, MessageIcon icon = MessageIcon::None);
bool AskYesNo(const Text& text, const Text& caption);
Text ChooseFolder(const Text& title);
bool OpenUrlOrFile(const Text& target);
void SetClipboardText(const Text& text);
Text GetClipboardText();
