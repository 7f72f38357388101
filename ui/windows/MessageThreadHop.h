#pragma once

#include <cstdint>
#include <functional>

// Brings a message request from a worker thread to the main thread and its answer back. The
// worker waits in short rounds; the wait ends with the answer, when the application announces
// that it terminates (answer 0), or when the main thread has not taken the request up within
// kStartLimitSeconds (answer 0; the request is then dropped unseen). On the main thread a
// request meets an application that has already terminated and answers 0 at once.
class Quirel_MessageThreadHop {
 public:
  static constexpr double kStartLimitSeconds = 60.0;
  static constexpr double kRoundSeconds = 0.1;

  // Runs `request` on the main thread (also inside a modal run) and answers its result. Called
  // on the main thread it simply runs it.
  static std::int32_t run(const std::function<std::int32_t()>& request);

  // Starts listening for the application's termination (once; any thread).
  static void watchTermination();
  // How often the application has announced that it terminates.
  static unsigned terminations();
};
