#include "app/worker.h"

#include <atomic>
#include <thread>

#include "net/worker_token.h"

struct WorkerHandle::State {
  std::shared_ptr<WorkerToken> token = std::make_shared<WorkerToken>();
  std::atomic<bool> finished{false};
};

void WorkerHandle::Suspend() {
  if (state_) state_->token->Pause();
}

void WorkerHandle::Resume() {
  if (state_) state_->token->Resume();
}

bool WorkerHandle::End() {
  if (!state_) return false;
  state_->token->End();
  return true;
}

void WorkerHandle::Release() { state_.reset(); }

bool WorkerHandle::Finished() const { return state_ && state_->finished.load(); }

WorkerHandle StartWorker(std::function<void(int64_t argument)> routine, int64_t argument) {
  auto state = std::make_shared<WorkerHandle::State>();
  std::thread([state, routine = std::move(routine), argument] {
    WorkerToken::SetCurrent(state->token);
    try {
      routine(argument);
    } catch (const WorkerEnded&) {
      // Ended from outside: its remaining work is dropped.
    }
    WorkerToken::SetCurrent(nullptr);
    state->finished = true;
  }).detach();
  return WorkerHandle(state);
}
