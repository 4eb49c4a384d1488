#include "windows/sign_in_window.h"

#include "windows/widget_builders.h"

SignInWindow::SignInWindow(QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("SignInWindow"));
  setWindowTitle(QStringLiteral("Marvane 1.0 "));
  setFixedSize(483, 331);
  QLabel* note = AddLabel(
      this, QStringLiteral("标签1"),
      QStringLiteral("登陆窗口的的的的的\n\n如想把本程序写成 注册和登陆 的   \n\n那么  把你的登陆功能复制到这里。"),
      QRect(40, 48, 352, 208));
  note->setWordWrap(true);
  note->setAlignment(Qt::AlignLeft | Qt::AlignTop);
}
