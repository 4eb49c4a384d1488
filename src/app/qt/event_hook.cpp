#include "app/qt/event_hook.h"

EventHook::EventHook(QObject* target) : QObject(target) { setObjectName(QStringLiteral("marvaneEventHook")); }

EventHook* EventHook::Of(QObject* target) {
  if (auto* hook = target->findChild<EventHook*>(QString(), Qt::FindDirectChildrenOnly)) return hook;
  auto* hook = new EventHook(target);
  target->installEventFilter(hook);
  return hook;
}

void EventHook::Add(QEvent::Type type, Handler handler) { handlers_.emplace_back(type, std::move(handler)); }

bool EventHook::eventFilter(QObject* watched, QEvent* event) {
  std::vector<Handler> matching;
  for (const auto& [type, handler] : handlers_) {
    if (type == event->type()) matching.push_back(handler);
  }
  // A handler may add handlers or end the program; it runs from a copy.
  bool swallow = false;
  for (const Handler& handler : matching) swallow = handler(watched, event) || swallow;
  return swallow;
}
