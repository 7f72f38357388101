#pragma once

#include <condition_variable>
#include <mutex>

#include "foundation/Value.h"

namespace fnd {

// A lock that carries an integer condition: lockWhenCondition(c) waits until the lock is free
// AND the condition is c; unlockWithCondition(c) sets the condition and frees the lock in one
// step, waking the waiters. The holder is not tied to a thread: another thread may unlock it
// (hand-over between threads is what it is used for). Unlocking a free lock does nothing.
class ConditionLock {
 public:
  explicit ConditionLock(int condition = 0) : condition_(condition) {}
  ConditionLock(const ConditionLock&) = delete;
  ConditionLock& operator=(const ConditionLock&) = delete;

  // The current condition (read under the internal mutex, so any thread may ask).
  int condition() const;

  // Plain locking, whatever the condition.
  void lock();
  bool tryLock();
  bool lockBeforeDate(Date limit);
  void unlock();

  // Waits until the lock is free and the condition equals `condition`, then takes the lock.
  void lockWhenCondition(int condition);
  // Takes the lock only if it is free and the condition equals `condition` right now.
  bool tryLockWhenCondition(int condition);
  // As lockWhenCondition, giving up after timeoutSeconds; false on time-out (lock not taken).
  bool lockWhenCondition(int condition, double timeoutSeconds);
  // As lockWhenCondition, giving up at the date (wall clock); false on time-out.
  bool lockWhenConditionBeforeDate(int condition, Date limit);

  // Sets the condition and frees the lock (the condition is set even if the lock was free).
  void unlockWithCondition(int condition);

  // Standard spelling, for std::unique_lock.
  bool try_lock() { return tryLock(); }

 private:
  template <class Pred>
  bool acquireUntil(double timeoutSeconds, Pred ready);

  mutable std::mutex mutex_;
  std::condition_variable changed_;
  int condition_;
  bool held_ = false;
};

}  // namespace fnd
