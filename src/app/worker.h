#pragma once
// Worker threads. StartWorker runs a routine on a new thread with a token of
// its own; the handle pauses, resumes and ends it through that token. None
// of this forces a thread: the worker stops or waits at its next control
// operation or fetch, and an ended worker's later operations are dropped,
// so from the window thread the effect is immediate. The window thread never
// waits for a worker.
#include <cstdint>
#include <functional>
#include <memory>

class WorkerToken;

class WorkerHandle {
 public:
  WorkerHandle() = default;

  // 0 in the classic sense: no worker.
  bool IsEmpty() const { return !state_; }
  void Suspend();
  void Resume();
  // Ends the worker; reports success (true) for any worker it names.
  bool End();
  // Forgets the worker; the thread itself runs on until it returns.
  void Release();
  // The routine has returned (or unwound after being ended).
  bool Finished() const;

  struct State;
  explicit WorkerHandle(std::shared_ptr<State> state) : state_(std::move(state)) {}

 private:
  std::shared_ptr<State> state_;
};

// Starts `routine(argument)` on a new thread; inside it WorkerToken::Current()
// is the worker's token.
WorkerHandle StartWorker(std::function<void(int64_t argument)> routine, int64_t argument = 0);
