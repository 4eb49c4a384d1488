#pragma once
// The stop/pause state of one worker thread. The window thread pauses,
// resumes and ends a worker through its token; the worker's control
// operations and fetches look at it before they take effect. It lives in
// net/ because a fetch is the lowest layer that has to honour it; app/ starts
// workers with one and installs it as the thread's current token.
#include <condition_variable>
#include <memory>
#include <mutex>

class WorkerToken {
 public:
  enum class State { Running, Paused, Ended };

  void Pause();   // Running -> Paused
  void Resume();  // Paused -> Running
  void End();     // any -> Ended (final); wakes a paused worker
  State state() const;
  bool Ended() const { return state() == State::Ended; }

  // Blocks while paused. Returns false once ended.
  bool WaitWhilePaused();

  // The token of the calling thread's worker, or nullptr on a thread that is
  // not a worker (the window thread, a test's own thread).
  static std::shared_ptr<WorkerToken> Current();
  static void SetCurrent(std::shared_ptr<WorkerToken> token);

 private:
  mutable std::mutex mutex_;
  std::condition_variable changed_;
  State state_ = State::Running;
};

// Thrown inside a worker when it touches a control after its token ended;
// the worker start routine catches it, so the worker unwinds quietly.
struct WorkerEnded {};
