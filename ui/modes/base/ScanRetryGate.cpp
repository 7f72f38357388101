#include "ui/modes/base/ScanRetryGate.h"

#include "foundation/RunLoop.h"
#include "foundation/Thread.h"

Quirel_ScanRetryGate::Quirel_ScanRetryGate() : state_(std::make_shared<State>()) {}

Quirel_ScanRetryGate::~Quirel_ScanRetryGate() { close(); }

void Quirel_ScanRetryGate::detach(std::function<void()> body, const std::string& name) {
  std::shared_ptr<State> state = state_;
  fnd::Thread::detach(
      [state, body = std::move(body)] {
        std::lock_guard<std::mutex> inside(state->mutex);
        if (state->alive) body();
      },
      name);
}

void Quirel_ScanRetryGate::close() {
  state_->alive = false;
  // A retry inside may be waiting for the main thread: keep it turning until the retry leaves.
  while (!state_->mutex.try_lock()) fnd::RunLoop::main().runFor(fnd::RunLoopMode::Default, 0.01);
  state_->mutex.unlock();
}
