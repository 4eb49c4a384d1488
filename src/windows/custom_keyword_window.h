#pragma once
// The small window that adds one keyword to the custom keyword list.
#include <QWidget>

class CustomKeywordWindow : public QWidget {
  Q_OBJECT

 public:
  explicit CustomKeywordWindow(QWidget* parent = nullptr);
};
