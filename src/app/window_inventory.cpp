#include "app/window_inventory.h"

#include <map>
#include <vector>

#include "app/qt/widget_ref.h"
#include "windows/custom_keyword_window.h"
#include "windows/keyword_tool_window.h"
#include "windows/main_window.h"
#include "windows/sign_in_window.h"

namespace {

// Window thread only, like the windows themselves.
std::map<WindowKind, std::vector<std::function<void(Window)>>>& CreatedHandlers() {
  static std::map<WindowKind, std::vector<std::function<void(Window)>>> handlers;
  return handlers;
}

std::map<WindowKind, std::shared_ptr<WidgetRef>>& Built() {
  static std::map<WindowKind, std::shared_ptr<WidgetRef>> built;
  return built;
}

QWidget* Build(WindowKind kind) {
  switch (kind) {
    case WindowKind::SignIn:
      return new SignInWindow();
    case WindowKind::Main:
      return new MainWindow();
    case WindowKind::CustomKeyword:
      return new CustomKeywordWindow();
    case WindowKind::KeywordTool:
      return new KeywordToolWindow();
  }
  return nullptr;
}

}  // namespace

void AddWindowCreatedHandler(WindowKind kind, std::function<void(Window)> handler) {
  RunControlOperation([&] { CreatedHandlers()[kind].push_back(std::move(handler)); });
}

void ClearWindowCreatedHandlers() {
  RunControlOperation([] { CreatedHandlers().clear(); });
}

Window CreateWindow(WindowKind kind) {
  Window window;
  RunControlOperation([&] {
    QWidget* widget = Build(kind);
    widget->setAttribute(Qt::WA_DeleteOnClose);
    Built()[kind] = MakeWidgetRef(widget);
    window = Window(Built()[kind]);
    // A copy: a handler may add handlers or build other windows.
    std::vector<std::function<void(Window)>> handlers = CreatedHandlers()[kind];
    for (const auto& handler : handlers) handler(window);
  });
  return window;
}

Window OpenWindow(WindowKind kind, bool modal) {
  Window window = CreateWindow(kind);
  if (modal) {
    window.ShowModal();
  } else {
    window.Show();
  }
  return window;
}

Window FindOpenWindow(WindowKind kind) {
  Window window;
  RunControlOperation([&] {
    auto found = Built().find(kind);
    if (found != Built().end() && found->second->widget) window = Window(found->second);
  });
  return window;
}
