#include "foundation/RunLoop.h"

#include "foundation/Thread.h"

namespace fnd {

// Stub while the run loop is being written.
struct RunLoop::Impl {};
RunLoop& RunLoop::main() {
  static RunLoop* loop = new RunLoop;
  return *loop;
}
bool RunLoop::isMainThread() { return fnd::isMainThread(); }
RunLoop::RunLoop() : impl_(std::make_unique<Impl>()) {}
RunLoop::~RunLoop() = default;
bool RunLoop::runOnce(RunLoopMode, double) { return false; }
bool RunLoop::runUntil(RunLoopMode, Date) { return false; }
bool RunLoop::runFor(RunLoopMode, double) { return false; }
void RunLoop::run(RunLoopMode) {}
void RunLoop::stop() {}
std::optional<RunLoopMode> RunLoop::currentMode() const { return std::nullopt; }
int RunLoop::depth() const { return 0; }
void RunLoop::perform(std::function<void()>, ModeSet) {}
void RunLoop::performOnMainThread(std::function<void()> fn, ModeSet modes) { main().perform(std::move(fn), modes); }
std::shared_ptr<Timer> RunLoop::performAfterDelay(double seconds, std::function<void()> fn, ModeSet modes) {
  return Timer::scheduled(seconds, false, [fn = std::move(fn)](Timer&) { fn(); }, modes);
}
void RunLoop::addTimer(const std::shared_ptr<Timer>&, ModeSet) {}
void RunLoop::removeTimer(const Timer*) {}
RunLoop::ModeScope::ModeScope(RunLoopMode) {}
RunLoop::ModeScope::~ModeScope() = default;

}  // namespace fnd
