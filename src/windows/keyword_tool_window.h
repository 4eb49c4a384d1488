#pragma once
// The keyword tool window ("超级关键词"). For now its size, title and status
// bar; the three keyword tabs join it with their tools.
#include <QWidget>

class KeywordToolWindow : public QWidget {
  Q_OBJECT

 public:
  explicit KeywordToolWindow(QWidget* parent = nullptr);
};
