#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <thread>

#include "foundation/Lock.h"

// The data source's pump: whenever the data source waits on the main thread it runs the main
// run loop once (performMethods) or lets the application's events through (sendAnyEvents), so
// that queued user-interface requests run and the windows stay alive during the wait. On any
// other thread both calls do nothing.
//
// The application's events (window input, and the events the window kit queues) are served by
// a pass of the main run loop, so one pass in the default mode is how an event is dispatched;
// no part of the window kit is needed here.
class Dravon_PerformMethod {
 public:
  // The beat of the periodic events that bound a waiting sendAnyEvents(1).
  static constexpr double kPeriodicEventSeconds = 0.1;

  Dravon_PerformMethod() = default;
  Dravon_PerformMethod(const Dravon_PerformMethod&) = delete;
  Dravon_PerformMethod& operator=(const Dravon_PerformMethod&) = delete;

  // Runs the main run loop once in the default mode (due timers and queued requests).
  void performMethods();
  // Mode 1: waits for the next application event, at most one periodic beat, and dispatches
  // it; any other mode: dispatches what is already there without waiting.
  void sendAnyEvents(std::int32_t mode);
  // Waits until something happens on the main thread (an application event, a queued request,
  // a due timer or a wake-up of the run loop from another thread), at most `seconds`, and
  // serves it. The data source's waits pause here between their looks at the module's reports.
  void waitForEvents(double seconds);

  // Whether a pump call is running (diagnostics). It never unlocks anything: a lock is only
  // ever released by the thread that took it.
  bool checkProcessingStatus() const { return mProcessing.load() != 0; }

 private:
  // Runs `turn` once under the pump's guard (see the .cpp for the nesting rule).
  void pump(const std::function<void()>& turn);

  fnd::Lock PM_LOCK;
  std::atomic<std::int32_t> mProcessing{0};
  // The thread inside a pump call right now (the main thread), so that a wait started inside
  // a request that the pump runs can pump again instead of deadlocking on PM_LOCK.
  std::atomic<std::thread::id> mPumpingThread{};
};
