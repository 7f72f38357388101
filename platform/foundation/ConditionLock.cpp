#include "foundation/ConditionLock.h"

#include <chrono>
#include <limits>

namespace fnd {

template <class Pred>
bool ConditionLock::acquireUntil(double timeoutSeconds, Pred ready, const std::function<bool()>* giveUp) {
  std::unique_lock guard(mutex_);
  bool gaveUp = false;
  auto free = [&] { return !held_ && ready(); };
  auto done = [&] { return free() || (giveUp && (gaveUp = (*giveUp)())); };
  if (timeoutSeconds == std::numeric_limits<double>::infinity()) {
    changed_.wait(guard, done);
  } else if (!(timeoutSeconds > 0)) {  // also NaN
    if (!free()) return false;
  } else {
    // Cap absurd time-outs so the steady-clock arithmetic cannot overflow.
    const double capped = timeoutSeconds > 1e9 ? 1e9 : timeoutSeconds;
    const auto deadline = std::chrono::steady_clock::now() +
                          std::chrono::duration_cast<std::chrono::steady_clock::duration>(std::chrono::duration<double>(capped));
    if (!changed_.wait_until(guard, deadline, done)) return false;
  }
  // A free lock in the right condition is taken even when the give-up test says yes as well.
  if (!free()) return false;
  held_ = true;
  return true;
}

int ConditionLock::condition() const {
  std::lock_guard guard(mutex_);
  return condition_;
}

void ConditionLock::lock() { acquireUntil(std::numeric_limits<double>::infinity(), [] { return true; }); }

bool ConditionLock::tryLock() {
  return acquireUntil(0, [] { return true; });
}

bool ConditionLock::lockBeforeDate(Date limit) {
  return acquireUntil(limit.seconds - Date::now().seconds, [] { return true; });
}

void ConditionLock::unlock() {
  {
    std::lock_guard guard(mutex_);
    if (!held_) return;
    held_ = false;
  }
  changed_.notify_all();
}

void ConditionLock::lockWhenCondition(int condition) {
  acquireUntil(std::numeric_limits<double>::infinity(), [&] { return condition_ == condition; });
}

bool ConditionLock::tryLockWhenCondition(int condition) {
  return acquireUntil(0, [&] { return condition_ == condition; });
}

bool ConditionLock::lockWhenCondition(int condition, double timeoutSeconds) {
  return acquireUntil(timeoutSeconds, [&] { return condition_ == condition; });
}

bool ConditionLock::lockWhenConditionBeforeDate(int condition, Date limit) {
  return lockWhenCondition(condition, limit.seconds - Date::now().seconds);
}

bool ConditionLock::lockWhenConditionUnless(int condition, double timeoutSeconds,
                                            const std::function<bool()>& giveUp) {
  return acquireUntil(timeoutSeconds, [&] { return condition_ == condition; }, giveUp ? &giveUp : nullptr);
}

void ConditionLock::wakeWaiters() {
  // Taken and left first: a waiter between its test and its sleep holds the mutex, so the
  // notice cannot fall between the two.
  { std::lock_guard guard(mutex_); }
  changed_.notify_all();
}

void ConditionLock::unlockWithCondition(int condition) {
  {
    std::lock_guard guard(mutex_);
    condition_ = condition;
    held_ = false;
  }
  // Waiters for different conditions share one variable: wake them all to re-check.
  changed_.notify_all();
}

}  // namespace fnd
