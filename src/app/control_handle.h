#pragma once
// What every control handle shares: it is found once by its window and its
// name (the names the program gives its controls, e.g. "按钮_开始搜索") and
// then used from any thread. A handle whose control was not found, or whose
// window has gone, does nothing and reads empty values.
#include <memory>
#include <string_view>

#include "app/window.h"

class ControlHandle {
 public:
  // Found and still there.
  bool Exists() const;
  bool IsEnabled() const;
  void SetEnabled(bool enabled);
  bool IsVisible() const;
  void SetVisible(bool visible);

  const std::shared_ptr<WidgetRef>& ref() const { return ref_; }

 protected:
  ControlHandle() = default;
  // `name` is the control's name as written in the source (UTF-8).
  ControlHandle(const Window& window, std::string_view name);

  std::shared_ptr<WidgetRef> ref_;
};
