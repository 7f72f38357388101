#pragma once

#include <functional>
#include <memory>
#include <mutex>

#include "foundation/RunLoopMode.h"
#include "foundation/Value.h"

namespace fnd {

class RunLoop;

// A timer of the main run loop. It fires on the main thread, during a run in one of the modes
// it is scheduled for, once its fire date has come. A repeating timer keeps its phase: the
// next fire date is the last one plus the interval (missed beats are skipped, not queued).
// A timer is never fired again while its own callback is still running (say, a callback that
// runs a modal loop). A non-repeating timer is invalid once it has fired.
//
// The run loop keeps a scheduled timer alive until it is invalidated; the caller keeps the
// shared_ptr it got to invalidate it or change its fire date. Invalidating releases the
// callback, so a callback may capture the timer's own shared_ptr without a leak.
// invalidate(), isValid(), setFireDate() and fireDate() may be called from any thread.
class Timer {
 public:
  using Callback = std::function<void(Timer&)>;

  // A timer that is not yet scheduled (RunLoop::addTimer schedules it). The first fire date is
  // now + interval. Intervals below one millisecond count as one millisecond for repeating
  // timers, so a repeating timer cannot spin.
  static std::shared_ptr<Timer> create(double intervalSeconds, bool repeats, Callback callback);

  // A timer scheduled on the main run loop for modes (default mode unless told otherwise).
  static std::shared_ptr<Timer> scheduled(double intervalSeconds, bool repeats, Callback callback,
                                          ModeSet modes = RunLoopMode::Default);

  Timer(const Timer&) = delete;
  Timer& operator=(const Timer&) = delete;
  ~Timer();

  double interval() const { return interval_; }
  bool repeats() const { return repeats_; }

  Date fireDate() const;
  // Moves the next firing; a past date fires at the next run in one of the timer's modes.
  void setFireDate(Date date);

  // Calls the callback now, on the calling thread (meant for the main thread), without
  // changing the schedule of a repeating timer; a non-repeating timer is invalidated.
  void fire();

  // Stops the timer for good and takes it out of its run loop. Safe from inside the callback.
  void invalidate();
  bool isValid() const;

 private:
  friend class RunLoop;
  Timer(double intervalSeconds, bool repeats, Callback callback);

  // Seconds on the steady clock, the time base of due times.
  static double steadyNow();
  // Used by the run loop (main thread): steady-clock seconds of the next firing.
  double dueTime() const;
  // Fires when due at `now` (steady seconds); true when the callback ran.
  bool fireIfDue(double now);

  const double interval_;
  const bool repeats_;
  mutable std::mutex mutex_;
  Callback callback_;
  double due_ = 0;  // steady-clock seconds
  bool valid_ = true;
  bool firing_ = false;
};

}  // namespace fnd
