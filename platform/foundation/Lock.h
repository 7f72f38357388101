#pragma once

#include <mutex>

#include "foundation/Value.h"

namespace fnd {

// A plain mutual-exclusion lock. Not recursive: locking it twice on one thread deadlocks, as on
// the original platform. Meets the standard Lockable requirements, so std::lock_guard and
// std::unique_lock work with it.
class Lock {
 public:
  Lock() = default;
  Lock(const Lock&) = delete;
  Lock& operator=(const Lock&) = delete;

  void lock() { mutex_.lock(); }
  bool tryLock() { return mutex_.try_lock(); }
  void unlock() { mutex_.unlock(); }

  // Waits for the lock until the date (wall clock); false when the date came first.
  bool lockBeforeDate(Date limit);
  // Waits for the lock at most seconds; false on time-out.
  bool lockFor(double seconds);

  // Standard spelling, for std::unique_lock and std::scoped_lock.
  bool try_lock() { return tryLock(); }

 private:
  std::timed_mutex mutex_;
};

}  // namespace fnd
