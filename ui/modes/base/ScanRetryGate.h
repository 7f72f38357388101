#pragma once

#include <atomic>
#include <functional>
#include <memory>
#include <mutex>
#include <string>

// Kept by a scan mode and by each retry it starts: a retry enters the gate before it touches
// the mode, and the mode's end closes it (waiting, on the main loop, for a retry inside), so a
// retry or a queued call that comes late leaves the mode alone.
class Quirel_ScanRetryGate {
 public:
  // What work queued for later keeps: true while the mode is still there.
  using Ticket = std::shared_ptr<const std::atomic<bool>>;

  Quirel_ScanRetryGate();
  ~Quirel_ScanRetryGate();
  Quirel_ScanRetryGate(const Quirel_ScanRetryGate&) = delete;
  Quirel_ScanRetryGate& operator=(const Quirel_ScanRetryGate&) = delete;

  // Runs body on a thread of its own, inside the gate, unless the gate has closed by then.
  void detach(std::function<void()> body, const std::string& name);
  bool isOpen() const { return state_->alive; }
  Ticket ticket() const { return Ticket(state_, &state_->alive); }
  // Closes the gate and returns once no retry is inside; calling it again does nothing more.
  void close();

 private:
  struct State {
    std::mutex mutex;
    std::atomic<bool> alive{true};
  };
  std::shared_ptr<State> state_;
};
