#include "foundation/RunLoop.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QTimer>
#include <algorithm>
#include <atomic>
#include <chrono>
#include <cmath>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <vector>

#include "foundation/Thread.h"

namespace fnd {

namespace {

// A pass never sleeps longer than this, even in run(): a lost wake-up costs a moment, not a hang.
constexpr double kLongestWait = 1.0;
// Waits longer than this are treated as "for ever" (no overflow in the clock arithmetic).
constexpr double kForever = 1e9;

struct QueuedCall {
  std::function<void()> fn;
  ModeSet modes;
  std::uint64_t seq = 0;
};

struct ScheduledTimer {
  std::shared_ptr<Timer> timer;
  ModeSet modes;
};

struct Level {
  RunLoopMode mode;
  bool own = true;  // one of our runs; false for a ModeScope (a loop Qt runs for someone else)
  bool stopped = false;
};

}  // namespace

struct RunLoop::Impl {
  std::mutex mutex;  // guards everything below except serviceTimer
  std::deque<QueuedCall> calls;
  std::uint64_t nextSeq = 1;
  std::vector<ScheduledTimer> timers;
  std::vector<Level> levels;  // innermost last; pushed and popped on the main thread only
  // For the loop without a Qt application: a wake-up that a waiting pass has not seen yet.
  bool woken = false;
  std::condition_variable wakeCondition;

  // True while a wake-up event is on its way to the main thread (so we post at most one).
  std::atomic<bool> wakePosted{false};
  // Serves due timers when Qt's own loop runs outside ours; main thread only.
  QTimer* serviceTimer = nullptr;

  // ---- main thread ----

  // The mode that Qt-driven service (wake-up events, the service timer) serves right now, or
  // none when one of our runs is innermost: it serves by itself after Qt returns to it.
  std::optional<RunLoopMode> serviceMode() {
    std::lock_guard guard(mutex);
    if (levels.empty()) return RunLoopMode::Default;
    if (levels.back().own) return std::nullopt;
    return levels.back().mode;
  }

  bool levelStopped(std::size_t index) {
    std::lock_guard guard(mutex);
    return index < levels.size() && levels[index].stopped;
  }

  // Fires the due timers of mode, then runs the calls of mode that were queued when the pass
  // began, in queue order. Stops early when the run at levelIndex is stopped.
  bool serve(RunLoopMode mode, std::size_t levelIndex) {
    bool ran = false;
    std::vector<std::shared_ptr<Timer>> due;
    std::uint64_t lastSeq;
    {
      std::lock_guard guard(mutex);
      for (const auto& t : timers) {
        if (t.modes.contains(mode)) due.push_back(t.timer);
      }
      lastSeq = nextSeq - 1;
    }
    const double now = Timer::steadyNow();
    // Earliest first. Due times are read once: another thread may move them meanwhile.
    std::vector<std::pair<double, std::shared_ptr<Timer>>> byDue;
    for (auto& t : due) byDue.emplace_back(t->dueTime(), std::move(t));
    std::stable_sort(byDue.begin(), byDue.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
    for (const auto& entry : byDue) {
      if (levelStopped(levelIndex)) return ran;
      if (entry.second->fireIfDue(now)) ran = true;
    }
    for (;;) {
      if (levelStopped(levelIndex)) return ran;
      std::function<void()> fn;
      {
        std::lock_guard guard(mutex);
        auto it = std::find_if(calls.begin(), calls.end(),
                               [&](const QueuedCall& c) { return c.seq <= lastSeq && c.modes.contains(mode); });
        if (it == calls.end()) break;
        fn = std::move(it->fn);
        calls.erase(it);
      }
      ran = true;
      if (fn) fn();
    }
    return ran;
  }

  bool hasCalls(RunLoopMode mode) {
    std::lock_guard guard(mutex);
    return std::any_of(calls.begin(), calls.end(), [&](const QueuedCall& c) { return c.modes.contains(mode); });
  }

  // Steady time of the next timer of mode (infinity when none).
  double nextDue(RunLoopMode mode) {
    std::vector<std::shared_ptr<Timer>> mine;
    {
      std::lock_guard guard(mutex);
      for (const auto& t : timers) {
        if (t.modes.contains(mode)) mine.push_back(t.timer);
      }
    }
    double next = INFINITY;
    for (const auto& t : mine) next = std::min(next, t->dueTime());
    return next;
  }

  // Waits until the steady time `until`, a wake-up or a Qt event, serving Qt events meanwhile.
  void wait(double until) {
    const double remaining = until - Timer::steadyNow();
    if (QCoreApplication::instance()) {
      if (remaining <= 0) {
        QCoreApplication::processEvents(QEventLoop::AllEvents);
        return;
      }
      // The timer bounds the wait; its own event is what ends processEvents on a time-out.
      QTimer bound;
      bound.setSingleShot(true);
      bound.setTimerType(Qt::PreciseTimer);
      bound.start(static_cast<int>(std::ceil(std::min(remaining, kLongestWait) * 1000.0)));
      QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
      return;
    }
    if (remaining <= 0) return;
    std::unique_lock guard(mutex);
    wakeCondition.wait_for(guard, std::chrono::duration<double>(std::min(remaining, kLongestWait)),
                           [this] { return woken; });
    woken = false;
  }

  // Qt deletes objects handed to deleteLater() only when a loop it knows of returns. Our
  // outermost run (the application's loop) plays that part at the start of each pass, when none
  // of our calls is on the stack; a nested run never does. Qt's own rules still spare objects
  // released from deeper Qt event handlers.
  void deleteReleasedObjects(std::size_t levelIndex) {
    if (levelIndex == 0 && QCoreApplication::instance()) {
      QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
  }

  // Lets Qt's own loop serve our timers when none of our runs is innermost.
  void armServiceTimer() {
    if (!QCoreApplication::instance()) return;
    const auto mode = serviceMode();
    const double next = mode ? nextDue(*mode) : INFINITY;
    if (!serviceTimer) {
      if (std::isinf(next)) return;
      serviceTimer = new QTimer;  // lives as long as the (never destroyed) main run loop
      serviceTimer->setSingleShot(true);
      serviceTimer->setTimerType(Qt::PreciseTimer);
      QObject::connect(serviceTimer, &QTimer::timeout, [this] { serveFromQt(); });
    }
    if (std::isinf(next)) {
      serviceTimer->stop();
      return;
    }
    const double ms = std::clamp((next - Timer::steadyNow()) * 1000.0, 0.0, kLongestWait * 1000.0);
    serviceTimer->start(static_cast<int>(std::ceil(ms)));
  }

  // Called from Qt events on the main thread: a wake-up, or the service timer.
  void serveFromQt() {
    if (auto mode = serviceMode()) serve(*mode, SIZE_MAX);
    armServiceTimer();
  }

  // ---- any thread ----

  void wakeUp() {
    {
      std::lock_guard guard(mutex);
      woken = true;
    }
    wakeCondition.notify_all();
    // Post only when no wake-up is on its way: the handler clears the flag before it looks at
    // the queues, so what is queued after that is seen by it or by the next wake-up.
    if (QCoreApplication* app = QCoreApplication::instance(); app && !wakePosted.exchange(true)) {
      QMetaObject::invokeMethod(
          app,
          [this] {
            wakePosted = false;
            serveFromQt();
          },
          Qt::QueuedConnection);
    }
  }
};

RunLoop& RunLoop::main() {
  // Never destroyed: worker threads may still queue calls while the program exits.
  static RunLoop* loop = new RunLoop;
  return *loop;
}

bool RunLoop::isMainThread() { return fnd::isMainThread(); }

RunLoop::RunLoop() : impl_(std::make_unique<Impl>()) {}
RunLoop::~RunLoop() = default;

namespace {
// Pushes a level for the length of a run (or a ModeScope) and pops it, also on an exception.
class LevelGuard {
 public:
  LevelGuard(std::mutex& mutex, std::vector<Level>& levels, Level level) : mutex_(mutex), levels_(levels) {
    std::lock_guard guard(mutex_);
    levels_.push_back(level);
    index_ = levels_.size() - 1;
  }
  ~LevelGuard() {
    std::lock_guard guard(mutex_);
    levels_.pop_back();
  }
  LevelGuard(const LevelGuard&) = delete;
  LevelGuard& operator=(const LevelGuard&) = delete;
  std::size_t index() const { return index_; }

 private:
  std::mutex& mutex_;
  std::vector<Level>& levels_;
  std::size_t index_ = 0;
};
}  // namespace

bool RunLoop::runOnce(RunLoopMode mode, double maxWaitSeconds) {
  if (!isMainThread()) return false;
  bool ran;
  {
    LevelGuard level(impl_->mutex, impl_->levels, Level{mode, true, false});
    impl_->deleteReleasedObjects(level.index());
    ran = impl_->serve(mode, level.index());
    if (ran || impl_->levelStopped(level.index())) {
      // Qt events are served in every mode, also when ours kept the pass busy.
      if (QCoreApplication::instance()) QCoreApplication::processEvents(QEventLoop::AllEvents);
    } else {
      const double wait = std::isnan(maxWaitSeconds) ? 0.0 : std::clamp(maxWaitSeconds, 0.0, kForever);
      const double until = std::min(Timer::steadyNow() + wait, impl_->nextDue(mode));
      if (!impl_->hasCalls(mode)) impl_->wait(until);
      if (!impl_->levelStopped(level.index())) ran = impl_->serve(mode, level.index());
    }
  }
  impl_->armServiceTimer();
  return ran;
}

bool RunLoop::runUntil(RunLoopMode mode, Date limit) {
  if (!isMainThread()) return false;
  double seconds = limit.seconds - Date::now().seconds;
  if (!std::isfinite(seconds)) seconds = seconds > 0 ? kForever : 0;
  return runFor(mode, seconds);
}

bool RunLoop::runFor(RunLoopMode mode, double seconds) {
  if (!isMainThread()) return false;
  const double end = Timer::steadyNow() + std::clamp(std::isnan(seconds) ? 0.0 : seconds, 0.0, kForever);
  bool stopped = false;
  {
    LevelGuard level(impl_->mutex, impl_->levels, Level{mode, true, false});
    // At least one pass, however short the time: a caller that was held up must still see
    // what was ready when it asked.
    for (;;) {
      if (impl_->levelStopped(level.index())) {
        stopped = true;
        break;
      }
      impl_->deleteReleasedObjects(level.index());
      const bool ran = impl_->serve(mode, level.index());
      const bool late = Timer::steadyNow() >= end;
      if (ran || late) {
        if (QCoreApplication::instance()) QCoreApplication::processEvents(QEventLoop::AllEvents);
      }
      if (late) {
        stopped = impl_->levelStopped(level.index());
        break;
      }
      if (ran || impl_->levelStopped(level.index())) continue;
      const double until = std::min(end, impl_->nextDue(mode));
      if (!impl_->hasCalls(mode)) impl_->wait(until);
    }
  }
  impl_->armServiceTimer();
  return stopped;
}

void RunLoop::run(RunLoopMode mode) {
  if (!isMainThread()) return;
  // Ends only by stop(); each pass still waits at most kLongestWait.
  runFor(mode, kForever);
}

void RunLoop::stop() {
  {
    std::lock_guard guard(impl_->mutex);
    for (auto it = impl_->levels.rbegin(); it != impl_->levels.rend(); ++it) {
      if (it->own) {
        it->stopped = true;
        break;
      }
    }
  }
  impl_->wakeUp();
}

std::optional<RunLoopMode> RunLoop::currentMode() const {
  std::lock_guard guard(impl_->mutex);
  if (impl_->levels.empty()) return std::nullopt;
  return impl_->levels.back().mode;
}

int RunLoop::depth() const {
  std::lock_guard guard(impl_->mutex);
  return static_cast<int>(std::count_if(impl_->levels.begin(), impl_->levels.end(), [](const Level& l) { return l.own; }));
}

void RunLoop::perform(std::function<void()> fn, ModeSet modes) {
  if (!fn || modes.empty()) return;
  {
    std::lock_guard guard(impl_->mutex);
    impl_->calls.push_back(QueuedCall{std::move(fn), modes, impl_->nextSeq++});
  }
  impl_->wakeUp();
}

void RunLoop::performOnMainThread(std::function<void()> fn, ModeSet modes) { main().perform(std::move(fn), modes); }

std::shared_ptr<Timer> RunLoop::performAfterDelay(double seconds, std::function<void()> fn, ModeSet modes) {
  auto timer = Timer::create(seconds, false, [fn = std::move(fn)](Timer&) {
    if (fn) fn();
  });
  addTimer(timer, modes);
  return timer;
}

void RunLoop::addTimer(const std::shared_ptr<Timer>& timer, ModeSet modes) {
  if (!timer || modes.empty() || !timer->isValid()) return;
  {
    std::lock_guard guard(impl_->mutex);
    auto it = std::find_if(impl_->timers.begin(), impl_->timers.end(),
                           [&](const ScheduledTimer& t) { return t.timer == timer; });
    if (it != impl_->timers.end()) {
      it->modes |= modes;
    } else {
      impl_->timers.push_back(ScheduledTimer{timer, modes});
    }
  }
  // It may have been invalidated on another thread meanwhile; take it out again then.
  if (!timer->isValid()) removeTimer(timer.get());
  impl_->wakeUp();
}

void RunLoop::removeTimer(const Timer* timer) {
  std::shared_ptr<Timer> last;  // released outside the lock: the timer may go with it
  {
    std::lock_guard guard(impl_->mutex);
    auto it = std::find_if(impl_->timers.begin(), impl_->timers.end(),
                           [&](const ScheduledTimer& t) { return t.timer.get() == timer; });
    if (it == impl_->timers.end()) return;
    last = std::move(it->timer);
    impl_->timers.erase(it);
  }
}

void RunLoop::wakeUp() { impl_->wakeUp(); }

RunLoop::ModeScope::ModeScope(RunLoopMode mode) {
  if (!isMainThread()) return;
  auto& impl = *main().impl_;
  {
    std::lock_guard guard(impl.mutex);
    impl.levels.push_back(Level{mode, false, false});
  }
  active_ = true;
  // Calls already queued for this mode are served by the loop that is about to run.
  impl.wakeUp();
  impl.armServiceTimer();
}

RunLoop::ModeScope::~ModeScope() {
  if (!active_) return;
  auto& impl = *main().impl_;
  {
    std::lock_guard guard(impl.mutex);
    if (!impl.levels.empty() && !impl.levels.back().own) impl.levels.pop_back();
  }
  impl.armServiceTimer();
}

}  // namespace fnd
