#include "net/worker_token.h"

namespace {
thread_local std::shared_ptr<WorkerToken> currentToken;
}

void WorkerToken::Pause() {
  std::lock_guard lock(mutex_);
  if (state_ == State::Running) state_ = State::Paused;
}

void WorkerToken::Resume() {
  {
    std::lock_guard lock(mutex_);
    if (state_ == State::Paused) state_ = State::Running;
  }
  changed_.notify_all();
}

void WorkerToken::End() {
  {
    std::lock_guard lock(mutex_);
    state_ = State::Ended;
  }
  changed_.notify_all();
}

WorkerToken::State WorkerToken::state() const {
  std::lock_guard lock(mutex_);
  return state_;
}

bool WorkerToken::WaitWhilePaused() {
  std::unique_lock lock(mutex_);
  changed_.wait(lock, [this] { return state_ != State::Paused; });
  return state_ != State::Ended;
}

std::shared_ptr<WorkerToken> WorkerToken::Current() { return currentToken; }

void WorkerToken::SetCurrent(std::shared_ptr<WorkerToken> token) { currentToken = std::move(token); }
