#pragma once

#include <functional>
#include <memory>
#include <optional>

#include "foundation/RunLoopMode.h"
#include "foundation/Timer.h"
#include "foundation/Value.h"

namespace fnd {

// The main thread's run loop, with modes.
//
// It is served by the Qt core event loop (a QCoreApplication or QApplication made by the
// program's or test's main must exist for windows and for the waits to see Qt events; without
// one the loop still runs its own calls and timers). Qt's own events (window events, Qt
// timers) are delivered in every mode; our queued calls and timers only in their modes.
//
// Nesting: every run (runOnce, runUntil, run) pushes its mode; currentMode() is the innermost.
// A call queued for the default mode waits while a nested modal-panel or event-tracking run is
// going on and runs after it has ended, in queue order. A timer scheduled for the common modes
// fires inside such a nested run too.
//
// Outside any of our runs, when Qt's own loop is running (QCoreApplication::exec, a Qt
// dialog's exec), queued calls and timers are served as in the default mode. A Qt loop that
// runs inside one of our runs serves none of ours (not even common-mode timers) unless it is
// marked with a ModeScope for the mode it stands for (a menu's own loop: event tracking).
//
// Objects released with QObject::deleteLater() are deleted by the outermost of our runs at the
// start of each of its passes (Qt's own rules still spare objects released from deeper Qt event
// handlers), never by a nested run.
//
// The run methods belong to the main thread: called on another thread they return at once.
// stop(), perform(), performOnMainThread(), performAfterDelay() and addTimer() may be called
// from any thread; they wake the main thread when it is waiting.
class RunLoop {
 public:
  // The one run loop of the main thread.
  static RunLoop& main();
  // True on the thread that runs the Qt application (the thread that loaded us without one).
  static bool isMainThread();

  RunLoop(const RunLoop&) = delete;
  RunLoop& operator=(const RunLoop&) = delete;

  // One pass in mode: serves the calls and due timers of mode and pending Qt events; when none
  // of ours was ready, waits up to maxWaitSeconds (or until the next timer of the mode is due,
  // a call is queued, stop() is called or a Qt event arrives) and serves again.
  // True when at least one queued call or timer of ours ran.
  bool runOnce(RunLoopMode mode, double maxWaitSeconds);

  // Runs passes in mode until the date has come or stop() ends this run; at least one pass,
  // also for a date already past. True when stopped.
  bool runUntil(RunLoopMode mode, Date limit);
  // runUntil(mode, now + seconds).
  bool runFor(RunLoopMode mode, double seconds);

  // Runs passes in mode until stop() ends this run (the application's and modal loops).
  void run(RunLoopMode mode = RunLoopMode::Default);

  // Ends the innermost of our runs going on (at its next pass; a waiting pass wakes at once).
  // Does nothing when none is running. Any thread.
  void stop();

  // Mode of the innermost run going on; none outside our runs.
  std::optional<RunLoopMode> currentMode() const;
  // How many of our runs are nested right now (0 outside them).
  int depth() const;

  // Queues fn to run on the main thread during a run in one of modes. Calls run in the order
  // they were queued (a call whose mode is not running waits without holding up the others).
  // Never runs fn at once, not even on the main thread. Any thread.
  void perform(std::function<void()> fn, ModeSet modes = RunLoopMode::Default);
  // main().perform(fn, modes).
  static void performOnMainThread(std::function<void()> fn, ModeSet modes = RunLoopMode::Default);

  // Runs fn once on the main thread after seconds, during a run in one of modes. The returned
  // timer cancels the call with invalidate(); it may be dropped when no cancel is needed.
  std::shared_ptr<Timer> performAfterDelay(double seconds, std::function<void()> fn,
                                           ModeSet modes = RunLoopMode::Default);

  // Schedules timer for modes (added to the modes it already has). An invalid timer is ignored.
  void addTimer(const std::shared_ptr<Timer>& timer, ModeSet modes);

  // Ends a pass that is waiting (runOnce returns, runFor looks at its queues again), so that a
  // thread which changed what a main-thread wait is looking at gets it looked at at once. A
  // wake-up with no pass waiting is kept for the next pass. Any thread.
  void wakeUp();

  // Marks a loop that someone else runs on the main thread (a Qt menu's or drag's own event
  // loop) as a run in mode, so that calls and timers of that mode, and only those, are served
  // while it lasts. Main thread; scopes nest with our runs.
  class ModeScope {
   public:
    explicit ModeScope(RunLoopMode mode);
    ~ModeScope();
    ModeScope(const ModeScope&) = delete;
    ModeScope& operator=(const ModeScope&) = delete;

   private:
    bool active_ = false;
  };

 private:
  friend class Timer;
  RunLoop();
  ~RunLoop();
  void removeTimer(const Timer* timer);

  struct Impl;
  std::unique_ptr<Impl> impl_;
};

}  // namespace fnd
