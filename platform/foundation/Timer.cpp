#include "foundation/Timer.h"

#include <chrono>
#include <cmath>

#include "foundation/RunLoop.h"

namespace fnd {

namespace {
// Repeating timers never beat faster than this, so one cannot starve the loop.
constexpr double kMinimumRepeat = 0.001;
}  // namespace

double Timer::steadyNow() {
  return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

Timer::Timer(double intervalSeconds, bool repeats, Callback callback)
    : interval_(std::isfinite(intervalSeconds) && intervalSeconds > 0 ? intervalSeconds : 0),
      repeats_(repeats),
      callback_(std::move(callback)) {
  due_ = steadyNow() + interval_;
}

Timer::~Timer() = default;

std::shared_ptr<Timer> Timer::create(double intervalSeconds, bool repeats, Callback callback) {
  return std::shared_ptr<Timer>(new Timer(intervalSeconds, repeats, std::move(callback)));
}

std::shared_ptr<Timer> Timer::scheduled(double intervalSeconds, bool repeats, Callback callback, ModeSet modes) {
  auto timer = create(intervalSeconds, repeats, std::move(callback));
  RunLoop::main().addTimer(timer, modes);
  return timer;
}

Date Timer::fireDate() const {
  std::lock_guard guard(mutex_);
  return Date{Date::now().seconds + (due_ - steadyNow())};
}

void Timer::setFireDate(Date date) {
  {
    std::lock_guard guard(mutex_);
    if (!valid_) return;
    double delta = date.seconds - Date::now().seconds;
    if (!std::isfinite(delta)) delta = delta > 0 ? 1e9 : 0;
    due_ = steadyNow() + std::min(delta, 1e9);
  }
  RunLoop::main().wakeUp();
}

double Timer::dueTime() const {
  std::lock_guard guard(mutex_);
  return valid_ && !firing_ ? due_ : INFINITY;
}

bool Timer::isValid() const {
  std::lock_guard guard(mutex_);
  return valid_;
}

void Timer::invalidate() {
  Callback released;
  {
    std::lock_guard guard(mutex_);
    if (!valid_) return;
    valid_ = false;
    // A running callback works on its own copy, so releasing ours here is safe.
    released = std::move(callback_);
    callback_ = nullptr;
  }
  RunLoop::main().removeTimer(this);
}

void Timer::fire() {
  Callback callback;
  {
    std::lock_guard guard(mutex_);
    if (!valid_) return;
    callback = callback_;
  }
  if (callback) callback(*this);
  if (!repeats_) invalidate();
}

bool Timer::fireIfDue(double now) {
  Callback callback;
  {
    std::lock_guard guard(mutex_);
    if (!valid_ || firing_ || due_ > now) return false;
    firing_ = true;
    if (repeats_) {
      // Keep the phase; skip the beats that were missed.
      const double step = std::max(interval_, kMinimumRepeat);
      due_ += step * (std::floor((now - due_) / step) + 1);
    }
    callback = callback_;
  }
  struct Done {
    Timer& t;
    ~Done() {
      bool finished;
      {
        std::lock_guard guard(t.mutex_);
        t.firing_ = false;
        finished = !t.repeats_ && t.valid_;
      }
      if (finished) t.invalidate();
    }
  } done{*this};
  if (callback) callback(*this);
  return true;
}

}  // namespace fnd
