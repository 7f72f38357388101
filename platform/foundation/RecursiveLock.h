#pragma once

#include <mutex>

#include "foundation/Value.h"

namespace fnd {

// A lock the holding thread may take again; it is free once unlocked as often as locked.
// Meets the standard Lockable requirements.
class RecursiveLock {
 public:
  RecursiveLock() = default;
  RecursiveLock(const RecursiveLock&) = delete;
  RecursiveLock& operator=(const RecursiveLock&) = delete;

  void lock() { mutex_.lock(); }
  bool tryLock() { return mutex_.try_lock(); }
  void unlock() { mutex_.unlock(); }

  // Waits for the lock until the date (wall clock); false when the date came first.
  bool lockBeforeDate(Date limit);
  // Waits for the lock at most seconds; false on time-out.
  bool lockFor(double seconds);

  bool try_lock() { return tryLock(); }

 private:
  std::recursive_timed_mutex mutex_;
};

}  // namespace fnd
