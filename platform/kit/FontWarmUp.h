#pragma once

#include <thread>

namespace kit {

// Reads the system's font configuration on a worker thread while the program sets itself up,
// so that the first window that lays out text finds it loaded instead of reading it then
// (several milliseconds of parsing before the first window can show). Made first thing in
// main, before the application object; its end waits for the worker, which needs nothing and
// always finishes. Without a thread to spare, the configuration is read when first needed, as
// it would be anyway.
class FontWarmUp {
 public:
  FontWarmUp();
  ~FontWarmUp();
  FontWarmUp(const FontWarmUp&) = delete;
  FontWarmUp& operator=(const FontWarmUp&) = delete;

 private:
  std::thread worker_;
};

}  // namespace kit
