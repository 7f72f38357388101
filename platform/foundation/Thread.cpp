#include "foundation/Thread.h"

#include <pthread.h>

#include <QCoreApplication>
#include <QThread>
#include <chrono>
#include <cstdio>
#include <exception>
#include <system_error>
#include <thread>

namespace fnd {

namespace {
// The thread that loaded the library: the main thread of every program we build.
const std::thread::id gLoadThread = std::this_thread::get_id();
}  // namespace

bool isMainThread() {
  if (QCoreApplication* app = QCoreApplication::instance()) return QThread::currentThread() == app->thread();
  return std::this_thread::get_id() == gLoadThread;
}

bool Thread::detach(std::function<void()> body, const std::string& name) {
  auto run = [body = std::move(body), name]() {
    if (!name.empty()) pthread_setname_np(pthread_self(), name.substr(0, 15).c_str());
    try {
      if (body) body();
    } catch (const std::exception& e) {
      std::fprintf(stderr, "fnd::Thread %s: uncaught exception: %s\n", name.c_str(), e.what());
    } catch (...) {
      std::fprintf(stderr, "fnd::Thread %s: uncaught exception\n", name.c_str());
    }
  };
  try {
    std::thread(std::move(run)).detach();
  } catch (const std::system_error& e) {
    std::fprintf(stderr, "fnd::Thread %s: cannot start: %s\n", name.c_str(), e.what());
    return false;
  }
  return true;
}

void Thread::sleepFor(double seconds) {
  if (!(seconds > 0)) return;  // also NaN
  if (seconds > 1e9) seconds = 1e9;
  std::this_thread::sleep_for(std::chrono::duration<double>(seconds));
}

void Thread::sleepUntil(Date date) { sleepFor(date.seconds - Date::now().seconds); }

}  // namespace fnd
