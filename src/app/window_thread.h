#pragma once
// How control operations reach the window thread.
//
// Every control belongs to the window thread. Feature code calls the control
// API from handlers (on the window thread) and from workers (on their own
// threads); an operation called off the window thread is carried over and
// the caller waits for its result, so a value read is the control's state at
// that moment and nothing touches a widget from two threads.
//
// A worker's operation also honours the worker's token, checked on the window
// thread at the moment the operation would take effect: once the worker is
// ended the operation is dropped and WorkerEnded is thrown in the worker; while
// it is paused the operation is held back, the worker sleeps until it is
// resumed, and then the operation is applied. Pause, resume and end are
// themselves done on the window thread, so "nothing after a stop" and
// "nothing while paused" hold exactly.
#include <functional>

// True on the thread that owns the windows (or when no window system runs).
bool OnWindowThread();

// Runs `operation` on the window thread and returns once it has run (or has
// been dropped for an ended worker, by throwing WorkerEnded). An exception
// thrown by `operation` reaches the caller.
void RunControlOperation(const std::function<void()>& operation);

// Lets the window thread handle its pending events. On a worker it is a
// checkpoint: it waits while the worker is paused and throws once it is ended.
void PumpMessages();
