#include "ReportLog.h"

ReportLog::ReportLog(const void* sender) {
  token_ = fnd::NotificationCenter::defaultCenter().observe("", sender, [this](const fnd::Notification& n) {
    std::function<void(const fnd::Notification&)> hook;
    {
      std::lock_guard lock(mutex_);
      hook = hook_;
    }
    if (hook) hook(n);
    Entry e{n.name, {}, std::this_thread::get_id()};
    if (const fnd::Dictionary* info = n.info()) {
      for (const auto& [key, value] : *info) {
        if (!value.isObject() && !value.isPointer()) e.info.set(key, value);
      }
    }
    std::lock_guard lock(mutex_);
    entries_.push_back(std::move(e));
    changed_.notify_all();
  });
}

void ReportLog::setHook(std::function<void(const fnd::Notification&)> hook) {
  std::lock_guard lock(mutex_);
  hook_ = std::move(hook);
}

bool ReportLog::waitFor(const std::string& name, int n, double seconds) {
  std::unique_lock lock(mutex_);
  return changed_.wait_for(lock, std::chrono::duration<double>(seconds), [&] {
    int c = 0;
    for (const auto& e : entries_) c += e.name == name;
    return c >= n;
  });
}

int ReportLog::count(const std::string& name) const {
  std::lock_guard lock(mutex_);
  int c = 0;
  for (const auto& e : entries_) c += e.name == name;
  return c;
}

std::vector<ReportLog::Entry> ReportLog::entries() const {
  std::lock_guard lock(mutex_);
  return entries_;
}

std::vector<std::string> ReportLog::scanReports() const {
  std::lock_guard lock(mutex_);
  std::vector<std::string> names;
  for (const auto& e : entries_) {
    if (e.name.rfind("SM_", 0) == 0 || e.name == "ERROR_WILL_BE_NORTIFIED" || e.name == "TWAIN_ERROR_INFORMATION_OBJECT") {
      names.push_back(e.name);
    }
  }
  return names;
}

ReportLog::Entry ReportLog::last(const std::string& name) const {
  std::lock_guard lock(mutex_);
  for (auto it = entries_.rbegin(); it != entries_.rend(); ++it) {
    if (it->name == name) return *it;
  }
  return {};
}
