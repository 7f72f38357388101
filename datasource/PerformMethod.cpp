#include "datasource/PerformMethod.h"

#include "foundation/RunLoop.h"
#include "foundation/Thread.h"

void Dravon_PerformMethod::pump(const std::function<void()>& turn) {
  // Only the main thread has anything to run; a worker's call returns at once instead of
  // queueing behind a main-thread turn that may be showing a modal box.
  if (!fnd::RunLoop::isMainThread()) return;
  // A wait that began inside a request this pump is running (a main-thread dispatch made from
  // a handler) must be able to run the requests queued behind it, or it would never end: the
  // nested call turns the loop again instead of locking PM_LOCK a second time.
  if (mPumpingThread.load() == std::this_thread::get_id()) {
    turn();
    return;
  }
  PM_LOCK.lock();
  if (mProcessing.load() == 1) {
    PM_LOCK.unlock();
    return;
  }
  mProcessing = 1;
  mPumpingThread = std::this_thread::get_id();
  turn();
  mPumpingThread = std::thread::id();
  PM_LOCK.unlock();
  mProcessing = 0;
}

void Dravon_PerformMethod::performMethods() {
  pump([] { fnd::RunLoop::main().runOnce(fnd::RunLoopMode::Default, 0); });
}

void Dravon_PerformMethod::sendAnyEvents(std::int32_t mode) {
  const double wait = mode == 1 ? kPeriodicEventSeconds : 0;
  pump([wait] { fnd::RunLoop::main().runOnce(fnd::RunLoopMode::Default, wait); });
}

void Dravon_PerformMethod::waitForEvents(double seconds) {
  if (!fnd::RunLoop::isMainThread()) {
    fnd::Thread::sleepFor(seconds);
    return;
  }
  pump([seconds] { fnd::RunLoop::main().runOnce(fnd::RunLoopMode::Default, seconds); });
}
