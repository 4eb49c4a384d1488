#pragma once
// The Qt side of a control or window handle: a guarded pointer to the widget,
// read only on the window thread. A handle whose widget is gone finds
// nothing, so an operation on it does nothing.
#include <QPointer>
#include <QWidget>
#include <memory>

#include "app/window_thread.h"

struct WidgetRef {
  QPointer<QWidget> widget;
};

std::shared_ptr<WidgetRef> MakeWidgetRef(QWidget* widget);

// The widget as a W, or nullptr when it is gone or of another kind. Window
// thread only.
template <class W>
W* WidgetAs(const std::shared_ptr<WidgetRef>& ref) {
  return ref ? qobject_cast<W*>(ref->widget.data()) : nullptr;
}

// Runs `body(widget)` on the window thread when the widget still exists.
template <class W, class Body>
void WithWidget(const std::shared_ptr<WidgetRef>& ref, Body&& body) {
  RunControlOperation([&] {
    if (W* widget = WidgetAs<W>(ref)) body(*widget);
  });
}
