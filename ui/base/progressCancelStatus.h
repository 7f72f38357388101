#pragma once

#include <atomic>
#include <cstdint>

// Cancel state that the data source hands to a window while it waits: the window sets 0, then 1
// when its button was pressed. Shared between the two (std::shared_ptr); the data source may
// read it from its own thread.
class Quirel_progressCancelStatus {
 public:
  std::int32_t getCancelNum() const { return cancelSts_.load(); }
  void setCancelNum(std::int32_t num) { cancelSts_.store(num); }

 private:
  std::atomic<std::int32_t> cancelSts_{0};
};
