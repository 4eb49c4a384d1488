#pragma once
// A handle on one of the program's windows, usable from any thread. An empty
// handle, or one whose window has been destroyed, does nothing and reads as
// closed.
#include <functional>
#include <memory>

#include "text/text.h"

struct WidgetRef;

class Window {
 public:
  Window() = default;
  explicit Window(std::shared_ptr<WidgetRef> ref) : ref_(std::move(ref)) {}

  // Built and not yet destroyed.
  bool IsOpen() const;
  bool IsVisible() const;
  Text Title() const;
  int Width() const;
  int Height() const;
  // The window keeps the new size fixed.
  void Resize(int width, int height);
  void Show();
  // Shows the window modal to the whole program and returns once it is
  // hidden or destroyed.
  void ShowModal();
  void Hide();
  // Closes and destroys the window; its about-to-be-destroyed handlers run.
  void Destroy();

  // Runs on the window thread when the window is about to close for good.
  void OnAboutToBeDestroyed(std::function<void()> handler);

  const std::shared_ptr<WidgetRef>& ref() const { return ref_; }

 private:
  std::shared_ptr<WidgetRef> ref_;
};
