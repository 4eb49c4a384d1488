#include "app/qt_dialogs.h"

#include <QApplication>
#include <QClipboard>
#include <QDesktopServices>
#include <QFileDialog>
#include <QMessageBox>
#include <QUrl>

#include "app/qt/qt_text.h"

void QtDialogs::ShowMessageBox(const Text& text, const Text& caption, MessageIcon icon) {
  QMessageBox::Icon shown = QMessageBox::NoIcon;
  if (icon == MessageIcon::Error) shown = QMessageBox::Critical;
  if (icon == MessageIcon::Warning) shown = QMessageBox::Warning;
  QMessageBox box(shown, ToQString(caption), ToQString(text), QMessageBox::Ok);
  box.setTextFormat(Qt::PlainText);
  box.exec();
}

bool QtDialogs::AskYesNoQuestion(const Text& text, const Text& caption) {
  QMessageBox box(QMessageBox::Question, ToQString(caption), ToQString(text), QMessageBox::Yes | QMessageBox::No);
  box.setTextFormat(Qt::PlainText);
  return box.exec() == QMessageBox::Yes;
}

Text QtDialogs::ChooseFolderPath(const Text& title) {
  return FromQString(QFileDialog::getExistingDirectory(nullptr, ToQString(title)));
}

bool QtDialogs::OpenInShell(const Text& target) {
  QString text = ToQString(target);
  if (text.isEmpty()) return false;
  QUrl url = text.startsWith(QLatin1String("http://"), Qt::CaseInsensitive) ||
                     text.startsWith(QLatin1String("https://"), Qt::CaseInsensitive)
                 ? QUrl(text)
                 : QUrl::fromLocalFile(text);
  return QDesktopServices::openUrl(url);
}

void QtDialogs::WriteClipboard(const Text& text) { QApplication::clipboard()->setText(ToQString(text)); }

Text QtDialogs::ReadClipboard() { return FromQString(QApplication::clipboard()->text()); }
