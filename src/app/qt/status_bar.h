#pragma once
// A status bar in two parts: part 0 a fixed "状态：", part 1 the message.
#include <QLabel>
#include <QStatusBar>

class TwoPartStatusBar : public QStatusBar {
  Q_OBJECT

 public:
  explicit TwoPartStatusBar(QWidget* parent = nullptr, int firstPartWidth = 40);
  QLabel* part(int index) const { return index == 0 ? first_ : second_; }

 private:
  QLabel* first_;
  QLabel* second_;
};
