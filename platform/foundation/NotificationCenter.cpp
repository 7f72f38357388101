#include "foundation/NotificationCenter.h"

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <mutex>
#include <thread>
#include <vector>

namespace fnd {

namespace {

struct Observer {
  std::uint64_t id = 0;
  const void* owner = nullptr;
  std::string name;
  const void* sender = nullptr;
  NotificationCenter::Handler handler;
  bool alive = true;
  // Threads calling the handler right now (one entry per call in progress; a thread appears
  // more than once when posts nest).
  std::vector<std::thread::id> callers;

  bool matches(const Notification& n) const {
    return (name.empty() || name == n.name) && (sender == nullptr || sender == n.sender);
  }
};

// Long enough for any handler that is merely busy; a handler blocked on the removing thread
// would otherwise hang both threads.
constexpr auto kRemovalWait = std::chrono::seconds(5);

}  // namespace

struct NotificationCenter::Impl {
  mutable std::mutex mutex;
  std::condition_variable callFinished;
  std::vector<std::shared_ptr<Observer>> observers;  // in the order added
  std::uint64_t nextId = 1;

  std::uint64_t add(const void* owner, std::string name, const void* sender, Handler handler) {
    auto o = std::make_shared<Observer>();
    o->owner = owner;
    o->name = std::move(name);
    o->sender = sender;
    o->handler = std::move(handler);
    std::lock_guard guard(mutex);
    o->id = nextId++;
    observers.push_back(o);
    return o->id;
  }

  // Takes every observer matching pred out of the list, then waits until calls of theirs
  // running on other threads have returned. The handlers are destroyed here, outside the lock
  // (a handler's captures may post or remove observers from their destructors).
  template <class Pred>
  void remove(Pred pred) {
    std::vector<std::shared_ptr<Observer>> removed;
    std::unique_lock guard(mutex);
    for (auto it = observers.begin(); it != observers.end();) {
      if (pred(**it)) {
        (*it)->alive = false;
        removed.push_back(std::move(*it));
        it = observers.erase(it);
      } else {
        ++it;
      }
    }
    if (removed.empty()) return;
    const auto self = std::this_thread::get_id();
    auto othersDone = [&] {
      for (const auto& o : removed) {
        for (const auto& t : o->callers) {
          if (t != self) return false;
        }
      }
      return true;
    };
    if (!callFinished.wait_for(guard, kRemovalWait, othersDone)) {
      std::fprintf(stderr, "fnd::NotificationCenter: an observer removed while still running on another thread\n");
    }
    // A handler still running (on this thread, further up the stack, or late on another) stays
    // in its observer, which goes with the last post holding it; the others go now.
    std::vector<Handler> handlers;
    for (auto& o : removed) {
      if (o->callers.empty()) handlers.push_back(std::move(o->handler));
    }
    guard.unlock();
    handlers.clear();
  }
};

NotificationCenter::Token::Token(Token&& other) noexcept : center_(other.center_), id_(other.id_) {
  other.center_ = nullptr;
}

NotificationCenter::Token& NotificationCenter::Token::operator=(Token&& other) noexcept {
  if (this != &other) {
    reset();
    center_ = other.center_;
    id_ = other.id_;
    other.center_ = nullptr;
  }
  return *this;
}

NotificationCenter::Token::~Token() { reset(); }

void NotificationCenter::Token::reset() {
  if (center_) center_->removeById(id_);
  center_ = nullptr;
}

NotificationCenter::NotificationCenter() : impl_(std::make_unique<Impl>()) {}
NotificationCenter::~NotificationCenter() = default;

NotificationCenter& NotificationCenter::defaultCenter() {
  // Never destroyed: observers in other static objects may still remove themselves at exit.
  static NotificationCenter* center = new NotificationCenter;
  return *center;
}

void NotificationCenter::addObserver(const void* owner, std::string name, const void* sender, Handler handler) {
  if (!handler) return;
  impl_->add(owner, std::move(name), sender, std::move(handler));
}

void NotificationCenter::removeObserver(const void* owner) {
  if (!owner) return;
  impl_->remove([owner](const Observer& o) { return o.owner == owner; });
}

void NotificationCenter::removeObserver(const void* owner, const std::string& name, const void* sender) {
  if (!owner) return;
  impl_->remove([&](const Observer& o) {
    return o.owner == owner && (name.empty() || o.name == name) && (sender == nullptr || o.sender == sender);
  });
}

NotificationCenter::Token NotificationCenter::observe(std::string name, const void* sender, Handler handler) {
  if (!handler) return {};
  return Token(this, impl_->add(nullptr, std::move(name), sender, std::move(handler)));
}

void NotificationCenter::removeById(std::uint64_t id) {
  impl_->remove([id](const Observer& o) { return o.id == id; });
}

void NotificationCenter::post(std::string name, const void* sender, SharedDictionary userInfo) {
  post(Notification{std::move(name), sender, std::move(userInfo)});
}

void NotificationCenter::post(const Notification& notification) {
  // The observers registered now are the ones this post goes to.
  std::vector<std::shared_ptr<Observer>> targets;
  {
    std::lock_guard guard(impl_->mutex);
    for (const auto& o : impl_->observers) {
      if (o->matches(notification)) targets.push_back(o);
    }
  }
  const auto self = std::this_thread::get_id();
  for (const auto& o : targets) {
    {
      std::lock_guard guard(impl_->mutex);
      if (!o->alive) continue;  // removed by an earlier observer of this post, or elsewhere
      // While this thread is listed as a caller, removal leaves the handler in place (see
      // Impl::remove), so it is called where it is, without a copy per post.
      o->callers.push_back(self);
    }
    struct Leave {
      Impl& impl;
      Observer& o;
      std::thread::id self;
      ~Leave() {
        {
          std::lock_guard guard(impl.mutex);
          o.callers.erase(std::find(o.callers.begin(), o.callers.end(), self));
        }
        impl.callFinished.notify_all();
      }
    } leave{*impl_, *o, self};
    o->handler(notification);
  }
}

std::size_t NotificationCenter::observerCount() const {
  std::lock_guard guard(impl_->mutex);
  return impl_->observers.size();
}

}  // namespace fnd
