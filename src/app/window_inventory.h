#pragma once
// The program's four windows: building them, the handlers that bind their
// controls when one is built, and finding the one that is open.
#include <functional>

#include "app/window.h"

enum class WindowKind { SignIn, Main, CustomKeyword, KeywordTool };

// Handlers run on the window thread right after a window of `kind` is built
// and before it is shown, in the order they were added.
void AddWindowCreatedHandler(WindowKind kind, std::function<void(Window)> handler);
void ClearWindowCreatedHandlers();

// Builds a window of `kind` and runs its created handlers, without showing it.
Window CreateWindow(WindowKind kind);
// Builds a window and shows it. A modal window returns once it is gone (the
// handle is then closed); the other returns at once.
Window OpenWindow(WindowKind kind, bool modal);
// The most recently built window of `kind` that is still open, or an empty
// handle.
Window FindOpenWindow(WindowKind kind);
