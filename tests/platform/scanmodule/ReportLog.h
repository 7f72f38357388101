#pragma once

#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "foundation/NotificationCenter.h"

// Records the reports one controller posts, with the thread each came from.
class ReportLog {
 public:
  struct Entry {
    std::string name;
    fnd::Dictionary info;  // plain values only: objects are left out so the log keeps nothing alive
    std::thread::id thread;
  };

  explicit ReportLog(const void* sender);

  // Called inside each post, on the posting thread (to take payloads while they are offered).
  void setHook(std::function<void(const fnd::Notification&)> hook);

  // Waits (at most `seconds`) until `count` reports of this name have come.
  bool waitFor(const std::string& name, int count = 1, double seconds = 20.0);
  int count(const std::string& name) const;
  std::vector<Entry> entries() const;
  // Names of the scan reports ("SM_..."), in order.
  std::vector<std::string> scanReports() const;
  // The last report of that name (empty info when none).
  Entry last(const std::string& name) const;

 private:
  mutable std::mutex mutex_;
  std::condition_variable changed_;
  std::vector<Entry> entries_;
  std::function<void(const fnd::Notification&)> hook_;
  fnd::NotificationCenter::Token token_;
};
