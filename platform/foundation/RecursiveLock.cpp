#include "foundation/RecursiveLock.h"

#include <chrono>

namespace fnd {

bool RecursiveLock::lockFor(double seconds) {
  if (seconds <= 0) return tryLock();
  return mutex_.try_lock_for(std::chrono::duration<double>(seconds));
}

bool RecursiveLock::lockBeforeDate(Date limit) { return lockFor(limit.seconds - Date::now().seconds); }

}  // namespace fnd
