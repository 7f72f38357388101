#include "foundation/RecursiveLock.h"

#include <chrono>

namespace fnd {

bool RecursiveLock::lockFor(double seconds) {
  if (!(seconds > 0)) return tryLock();  // also NaN
  if (seconds > 1e9) seconds = 1e9;
  // A system-clock deadline: that wait maps onto pthread_mutex_timedlock, which the thread
  // sanitizer understands (the steady-clock variant is invisible to it and reads as a bad unlock).
  const auto deadline = std::chrono::system_clock::now() +
                        std::chrono::duration_cast<std::chrono::system_clock::duration>(std::chrono::duration<double>(seconds));
  return mutex_.try_lock_until(deadline);
}

bool RecursiveLock::lockBeforeDate(Date limit) { return lockFor(limit.seconds - Date::now().seconds); }

}  // namespace fnd
