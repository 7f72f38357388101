#include "foundation/Lock.h"

#include <chrono>

namespace fnd {

bool Lock::lockFor(double seconds) {
  if (seconds <= 0) return tryLock();
  return mutex_.try_lock_for(std::chrono::duration<double>(seconds));
}

bool Lock::lockBeforeDate(Date limit) {
  // A steady-clock wait, so a clock change while waiting does not stretch it.
  return lockFor(limit.seconds - Date::now().seconds);
}

}  // namespace fnd
