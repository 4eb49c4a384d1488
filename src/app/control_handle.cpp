#include "app/control_handle.h"

#include "app/qt/widget_ref.h"

ControlHandle::ControlHandle(const Window& window, std::string_view name) {
  RunControlOperation([&] {
    QWidget* top = WidgetAs<QWidget>(window.ref());
    if (!top) return;
    QString objectName = QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size()));
    QWidget* control = top->objectName() == objectName ? top : top->findChild<QWidget*>(objectName);
    if (control) ref_ = MakeWidgetRef(control);
  });
}

bool ControlHandle::Exists() const {
  bool exists = false;
  WithWidget<QWidget>(ref_, [&](QWidget&) { exists = true; });
  return exists;
}

bool ControlHandle::IsEnabled() const {
  bool enabled = false;
  WithWidget<QWidget>(ref_, [&](QWidget& control) { enabled = control.isEnabled(); });
  return enabled;
}

void ControlHandle::SetEnabled(bool enabled) {
  WithWidget<QWidget>(ref_, [&](QWidget& control) { control.setEnabled(enabled); });
}

bool ControlHandle::IsVisible() const {
  bool visible = false;
  WithWidget<QWidget>(ref_, [&](QWidget& control) { visible = control.isVisibleTo(control.window()); });
  return visible;
}

void ControlHandle::SetVisible(bool visible) {
  WithWidget<QWidget>(ref_, [&](QWidget& control) { control.setVisible(visible); });
}
