#pragma once
// Event handlers attached to one widget from outside it: key presses, focus
// loss, double clicks and closing reach the control API's callbacks through
// one filter object per widget, a child of the widget (gone with it).
#include <QEvent>
#include <QObject>
#include <functional>
#include <vector>

class EventHook : public QObject {
  Q_OBJECT

 public:
  // Returns true to swallow the event.
  using Handler = std::function<bool(QObject* target, QEvent* event)>;

  // The hook of `target`, created and installed on first use.
  static EventHook* Of(QObject* target);
  void Add(QEvent::Type type, Handler handler);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  explicit EventHook(QObject* target);
  std::vector<std::pair<QEvent::Type, Handler>> handlers_;
};
