#pragma once

#include <memory>
#include <mutex>

namespace velmor {

// A slot that carries one owned thing from the scan module to the data source inside a
// notification's user info (as fnd::Value::object(std::shared_ptr<HandOver<T>>)).
//
// The receiver takes the thing during the post and owns it from then on. Whatever nobody took
// is destroyed with the slot when the last copy of the user info goes, so a page is never
// leaked and never freed twice.
template <class T>
class HandOver {
 public:
  explicit HandOver(std::unique_ptr<T> item) : item_(std::move(item)) {}
  HandOver(const HandOver&) = delete;
  HandOver& operator=(const HandOver&) = delete;

  // The thing, once; null for every later call.
  std::unique_ptr<T> take() {
    std::lock_guard lock(mutex_);
    return std::move(item_);
  }

  bool taken() const {
    std::lock_guard lock(mutex_);
    return item_ == nullptr;
  }

 private:
  mutable std::mutex mutex_;
  std::unique_ptr<T> item_;
};

}  // namespace velmor
