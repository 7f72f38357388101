#pragma once

#include <condition_variable>
#include <functional>
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
  // As lockWhenCondition with a time-out, also giving up as soon as `giveUp` answers true: it is
  // asked when the wait begins and whenever the lock changes or wakeWaiters is called, under the
  // lock's own mutex (so it must not use this lock). False when the lock was not taken.
  bool lockWhenConditionUnless(int condition, double timeoutSeconds, const std::function<bool()>& giveUp);
  // Wakes every waiter to look at its give-up test again (after what the test reads has changed).
  void wakeWaiters();

  // Sets the condition and frees the lock (the condition is set even if the lock was free).
  void unlockWithCondition(int condition);

  // Standard spelling, for std::unique_lock.
  bool try_lock() { return tryLock(); }

 private:
  template <class Pred>
  bool acquireUntil(double timeoutSeconds, Pred ready, const std::function<bool()>* giveUp = nullptr);

  mutable std::mutex mutex_;
  std::condition_variable changed_;
  int condition_;
  bool held_ = false;
};

}  // namespace fnd
