#pragma once
// The placeholder sign-in window: the program's first window, which opens
// MainWindow as soon as it is built (see app/shell).
#include <QWidget>

class SignInWindow : public QWidget {
  Q_OBJECT

 public:
  explicit SignInWindow(QWidget* parent = nullptr);
};
