#include "windows/keyword_tool_window.h"

#include "app/qt/status_bar.h"

KeywordToolWindow::KeywordToolWindow(QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("KeywordToolWindow"));
  setWindowTitle(QStringLiteral("超级关键词"));
  setFixedSize(488, 464);
  auto* status = new TwoPartStatusBar(this, 40);
  status->setObjectName(QStringLiteral("状态条1"));
  status->setGeometry(0, 440, 488, 24);
}
