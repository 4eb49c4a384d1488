#include "app/window_thread.h"

#include <QCoreApplication>
#include <QMetaObject>
#include <QThread>
#include <exception>

#include "net/worker_token.h"

bool OnWindowThread() {
  QCoreApplication* app = QCoreApplication::instance();
  return !app || QThread::currentThread() == app->thread();
}

namespace {

enum class Outcome { Applied, Paused, Ended };

// Runs `operation` on the window thread, unless the token (checked there)
// says the worker is paused or ended.
Outcome RunThere(const std::function<void()>& operation, WorkerToken* token) {
  Outcome outcome = Outcome::Applied;
  std::exception_ptr failure;
  QMetaObject::invokeMethod(
      QCoreApplication::instance(),
      [&] {
        if (token) {
          WorkerToken::State state = token->state();
          if (state == WorkerToken::State::Ended) {
            outcome = Outcome::Ended;
            return;
          }
          if (state == WorkerToken::State::Paused) {
            outcome = Outcome::Paused;
            return;
          }
        }
        try {
          operation();
        } catch (...) {
          failure = std::current_exception();
        }
      },
      Qt::BlockingQueuedConnection);
  if (failure) std::rethrow_exception(failure);
  return outcome;
}

}  // namespace

void RunControlOperation(const std::function<void()>& operation) {
  if (OnWindowThread()) {
    operation();
    return;
  }
  std::shared_ptr<WorkerToken> token = WorkerToken::Current();
  for (;;) {
    switch (RunThere(operation, token.get())) {
      case Outcome::Applied:
        return;
      case Outcome::Ended:
        throw WorkerEnded{};
      case Outcome::Paused:
        // Sleeps here, off the window thread; the operation is tried again
        // once resumed, so a paused worker loses nothing it was about to do.
        if (!token->WaitWhilePaused()) throw WorkerEnded{};
        break;
    }
  }
}

void PumpMessages() {
  if (OnWindowThread()) {
    QCoreApplication::processEvents();
    return;
  }
  if (WorkerToken::Current()) RunControlOperation([] {});
}
