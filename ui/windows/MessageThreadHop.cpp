#include "ui/windows/MessageThreadHop.h"

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <memory>
#include <mutex>

#include "foundation/NotificationCenter.h"
#include "foundation/RunLoop.h"
#include "foundation/Thread.h"
#include "kit/Application.h"

namespace {

// Counts the application's announcements that it terminates; a wait ends on a new one.
std::atomic<unsigned> gTerminations{0};
std::once_flag gWatchOnce;

struct Hop {
  std::mutex mutex;
  std::condition_variable changed;
  bool started = false;
  bool done = false;
  bool abandoned = false;
  std::int32_t result = 0;
};

}  // namespace

// Listening starts when the library loads, so a termination before the first message is seen.
static const bool gWatching = (Quirel_MessageThreadHop::watchTermination(), true);

void Quirel_MessageThreadHop::watchTermination() {
  std::call_once(gWatchOnce, [] {
    fnd::NotificationCenter::defaultCenter().addObserver(
        &gTerminations, kit::Application::kWillTerminateNotification, nullptr,
        [](const fnd::Notification&) { ++gTerminations; });
  });
}

unsigned Quirel_MessageThreadHop::terminations() { return gTerminations; }

std::int32_t Quirel_MessageThreadHop::run(const std::function<std::int32_t()>& request) {
  watchTermination();
  if (fnd::isMainThread()) return request();
  // A termination announced before this request is met on the main thread: an application
  // that has terminated answers 0 there without showing anything.
  const unsigned terminationsBefore = gTerminations;

  auto hop = std::make_shared<Hop>();
  // Served in modal runs too: a box asked for while another one shows comes up at once.
  fnd::RunLoop::performOnMainThread(
      [hop, request] {
        {
          std::lock_guard<std::mutex> guard(hop->mutex);
          if (hop->abandoned) return;
          hop->started = true;
        }
        const std::int32_t answer = kit::Application::shared().isTerminated() ? 0 : request();
        {
          std::lock_guard<std::mutex> guard(hop->mutex);
          hop->result = answer;
          hop->done = true;
        }
        hop->changed.notify_all();
      },
      fnd::RunLoopMode::Default | fnd::RunLoopMode::ModalPanel);

  const auto startLimit = std::chrono::steady_clock::now() + std::chrono::duration<double>(kStartLimitSeconds);
  std::unique_lock<std::mutex> lock(hop->mutex);
  while (!hop->done) {
    hop->changed.wait_for(lock, std::chrono::duration<double>(kRoundSeconds));
    if (hop->done) break;
    if (gTerminations != terminationsBefore || (!hop->started && std::chrono::steady_clock::now() >= startLimit)) {
      hop->abandoned = true;
      return 0;
    }
  }
  return hop->result;
}
