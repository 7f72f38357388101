#include "ui/base/LockHold.h"

#include <algorithm>
#include <mutex>
#include <thread>
#include <utility>

namespace {

struct Holding {
  const fnd::Lock* lock;
  std::thread::id thread;
};

std::mutex gMutex;
std::vector<Holding> gHeld;

bool heldHere(const fnd::Lock* lock) {
  const std::thread::id self = std::this_thread::get_id();
  std::lock_guard<std::mutex> guard(gMutex);
  return std::any_of(gHeld.begin(), gHeld.end(), [&](const Holding& h) { return h.lock == lock && h.thread == self; });
}

}  // namespace

Quirel_LockHold::Quirel_LockHold(std::initializer_list<fnd::Lock*> locks) {
  for (fnd::Lock* lock : locks) {
    if (!lock) continue;
    if (heldHere(lock)) {
      nested_ = true;
      continue;
    }
    if (!lock->lockFor(kWaitSeconds)) continue;
    {
      std::lock_guard<std::mutex> guard(gMutex);
      gHeld.push_back({lock, std::this_thread::get_id()});
    }
    taken_.push_back(lock);
  }
}

Quirel_LockHold::~Quirel_LockHold() { release(); }

void Quirel_LockHold::release() {
  std::vector<fnd::Lock*> taken = std::exchange(taken_, {});
  const std::thread::id self = std::this_thread::get_id();
  for (fnd::Lock* lock : taken) {
    {
      std::lock_guard<std::mutex> guard(gMutex);
      auto it = std::find_if(gHeld.begin(), gHeld.end(),
                             [&](const Holding& h) { return h.lock == lock && h.thread == self; });
      if (it != gHeld.end()) gHeld.erase(it);
    }
    lock->unlock();
  }
}

bool Quirel_LockHold::isHeld(const fnd::Lock* lock) { return lock && heldHere(lock); }

bool Quirel_LockHold::anyHeld(std::initializer_list<const fnd::Lock*> locks) {
  return std::any_of(locks.begin(), locks.end(), [](const fnd::Lock* l) { return isHeld(l); });
}
