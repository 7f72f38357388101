#include "foundation/Timer.h"

#include "foundation/RunLoop.h"

namespace fnd {

// Stub while the run loop is being written.
std::shared_ptr<Timer> Timer::create(double intervalSeconds, bool repeats, Callback callback) {
  return std::shared_ptr<Timer>(new Timer(intervalSeconds, repeats, std::move(callback)));
}
std::shared_ptr<Timer> Timer::scheduled(double intervalSeconds, bool repeats, Callback callback, ModeSet modes) {
  auto t = create(intervalSeconds, repeats, std::move(callback));
  RunLoop::main().addTimer(t, modes);
  return t;
}
Timer::Timer(double intervalSeconds, bool repeats, Callback callback)
    : interval_(intervalSeconds), repeats_(repeats), callback_(std::move(callback)) {}
Timer::~Timer() = default;
double Timer::steadyNow() { return 0; }
Date Timer::fireDate() const { return {}; }
void Timer::setFireDate(Date) {}
void Timer::fire() {}
void Timer::invalidate() {}
bool Timer::isValid() const { return false; }
double Timer::dueTime() const { return due_; }
bool Timer::fireIfDue(double) { return false; }

}  // namespace fnd
