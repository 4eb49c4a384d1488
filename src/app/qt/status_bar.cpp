#include "app/qt/status_bar.h"

TwoPartStatusBar::TwoPartStatusBar(QWidget* parent, int firstPartWidth)
    : QStatusBar(parent), first_(new QLabel(QStringLiteral("状态："), this)), second_(new QLabel(this)) {
  setSizeGripEnabled(false);
  first_->setMinimumWidth(firstPartWidth);
  first_->setObjectName(QStringLiteral("part0"));
  second_->setObjectName(QStringLiteral("part1"));
  second_->setTextFormat(Qt::PlainText);
  addWidget(first_);
  addWidget(second_, 1);
}
