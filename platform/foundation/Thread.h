#pragma once

#include <functional>
#include <string>

#include "foundation/Value.h"

namespace fnd {

// True on the main thread: the thread that runs the Qt application, or, before there is one,
// the thread that loaded this library.
bool isMainThread();

// Detached threads and sleeping.
class Thread {
 public:
  Thread() = delete;

  // Starts body on a new thread that nobody joins. The name (at most 15 bytes are kept) shows
  // in debuggers. An exception escaping body is reported on stderr and ends only that thread.
  // False (body not run) when the system cannot start a thread.
  static bool detach(std::function<void()> body, const std::string& name = {});

  // Blocks the calling thread for seconds (nothing for zero or less).
  static void sleepFor(double seconds);
  // Blocks the calling thread until the date (wall clock).
  static void sleepUntil(Date date);

  static bool isMainThread() { return fnd::isMainThread(); }
};

}  // namespace fnd
