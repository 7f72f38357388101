#pragma once

#include <chrono>

namespace fnd::detail {

// The timed wait shared by Lock and RecursiveLock: at most `seconds` (none for zero, less or
// NaN; absurd values are capped so the clock arithmetic cannot overflow).
//
// A system-clock deadline: that wait maps onto pthread_mutex_timedlock, which the thread
// sanitizer understands (the steady-clock variant is invisible to it and reads as a bad unlock).
template <class TimedMutex>
bool lockWithin(TimedMutex& mutex, double seconds) {
  if (!(seconds > 0)) return mutex.try_lock();  // also NaN
  if (seconds > 1e9) seconds = 1e9;
  const auto deadline = std::chrono::system_clock::now() +
                        std::chrono::duration_cast<std::chrono::system_clock::duration>(std::chrono::duration<double>(seconds));
  return mutex.try_lock_until(deadline);
}

}  // namespace fnd::detail
