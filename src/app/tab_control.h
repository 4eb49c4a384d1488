#pragma once
// A tab control (notebook). Pages count from 0.
#include <functional>

#include "app/control_handle.h"

class TabControl : public ControlHandle {
 public:
  TabControl() = default;
  TabControl(const Window& window, std::string_view name) : ControlHandle(window, name) {}

  void ShowPage(int page);
  int CurrentPage() const;
  int PageCount() const;

  // The user clicked a tab; `page` is the page now shown.
  void OnPageClicked(std::function<void(int page)> handler);
};
