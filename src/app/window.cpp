#include "app/window.h"

#include <QEventLoop>

#include "app/qt/event_hook.h"
#include "app/qt/qt_text.h"
#include "app/qt/widget_ref.h"

bool Window::IsOpen() const {
  bool open = false;
  WithWidget<QWidget>(ref_, [&](QWidget&) { open = true; });
  return open;
}

bool Window::IsVisible() const {
  bool visible = false;
  WithWidget<QWidget>(ref_, [&](QWidget& window) { visible = window.isVisible(); });
  return visible;
}

Text Window::Title() const {
  Text title;
  WithWidget<QWidget>(ref_, [&](QWidget& window) { title = FromQString(window.windowTitle()); });
  return title;
}

int Window::Width() const {
  int width = 0;
  WithWidget<QWidget>(ref_, [&](QWidget& window) { width = window.width(); });
  return width;
}

int Window::Height() const {
  int height = 0;
  WithWidget<QWidget>(ref_, [&](QWidget& window) { height = window.height(); });
  return height;
}

void Window::Resize(int width, int height) {
  WithWidget<QWidget>(ref_, [&](QWidget& window) { window.setFixedSize(width, height); });
}

void Window::Show() {
  WithWidget<QWidget>(ref_, [&](QWidget& window) {
    window.show();
    window.raise();
    window.activateWindow();
  });
}

namespace {

// Ends a modal loop when its window is hidden (closing hides it too).
class ModalLoopEnder : public QObject {
 public:
  explicit ModalLoopEnder(QEventLoop* loop) : loop_(loop) {}

 protected:
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::Hide) loop_->quit();
    return false;
  }

 private:
  QEventLoop* loop_;
};

}  // namespace

void Window::ShowModal() {
  WithWidget<QWidget>(ref_, [&](QWidget& window) {
    QPointer<QWidget> guard(&window);
    QEventLoop loop;
    ModalLoopEnder ender(&loop);
    QObject::connect(&window, &QObject::destroyed, &loop, &QEventLoop::quit);
    window.installEventFilter(&ender);
    window.setWindowModality(Qt::ApplicationModal);
    window.show();
    loop.exec();
    if (guard) guard->removeEventFilter(&ender);
  });
}

void Window::Hide() {
  WithWidget<QWidget>(ref_, [&](QWidget& window) { window.hide(); });
}

void Window::Destroy() {
  WithWidget<QWidget>(ref_, [&](QWidget& window) {
    window.setAttribute(Qt::WA_DeleteOnClose);
    window.close();
  });
}

void Window::OnAboutToBeDestroyed(std::function<void()> handler) {
  WithWidget<QWidget>(ref_, [&](QWidget& window) {
    EventHook::Of(&window)->Add(QEvent::Close, [handler](QObject*, QEvent*) {
      handler();
      return false;
    });
  });
}
