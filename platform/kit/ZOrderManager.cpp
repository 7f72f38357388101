#include "kit/ZOrderManager.h"

#include <algorithm>
#include <functional>

#include "kit/Window.h"

namespace kit {

ZOrderManager& ZOrderManager::shared() {
  static ZOrderManager* manager = new ZOrderManager();  // lives as long as the process
  return *manager;
}

ZOrderManager::Entry* ZOrderManager::find(const Window* window) {
  for (Entry& e : entries_)
    if (e.window == window) return &e;
  return nullptr;
}

std::vector<Window*> ZOrderManager::windowsFrontToBack() const {
  // Top-level windows (no visible parent) sorted back to front by level, then stamp; each
  // followed by its children, recursively.
  auto stampOf = [this](const Window* w) {
    for (const Entry& e : entries_)
      if (e.window == w) return e.stamp;
    return std::int64_t{0};
  };
  auto backToFront = [&](std::vector<Window*> list) {
    std::stable_sort(list.begin(), list.end(), [&](Window* a, Window* b) {
      if (a->level() != b->level()) return a->level() < b->level();
      return stampOf(a) < stampOf(b);
    });
    return list;
  };
  std::vector<Window*> roots;
  for (const Entry& e : entries_) {
    Window* parent = e.window->parentWindow();
    bool parentIn = false;
    for (const Entry& p : entries_)
      if (p.window == parent) parentIn = true;
    if (!parentIn) roots.push_back(e.window);
  }
  std::vector<Window*> ordered;
  std::function<void(Window*)> emit = [&](Window* w) {
    ordered.push_back(w);
    std::vector<Window*> kids;
    for (Window* c : w->childWindows())
      for (const Entry& e : entries_)
        if (e.window == c) kids.push_back(c);
    for (Window* c : backToFront(kids)) emit(c);
  };
  for (Window* w : backToFront(roots)) emit(w);
  std::reverse(ordered.begin(), ordered.end());
  return ordered;
}

int ZOrderManager::indexOf(const Window* window) const {
  std::vector<Window*> order = windowsFrontToBack();
  auto it = std::find(order.begin(), order.end(), window);
  return it == order.end() ? -1 : static_cast<int>(it - order.begin());
}

bool ZOrderManager::isAbove(const Window* a, const Window* b) const {
  int ia = indexOf(a), ib = indexOf(b);
  return ia >= 0 && ib >= 0 && ia < ib;
}

void ZOrderManager::orderFront(Window* window) {
  if (Entry* e = find(window))
    e->stamp = ++frontStamp_;
  else
    entries_.push_back({window, ++frontStamp_});
  apply();
}

void ZOrderManager::orderBack(Window* window) {
  if (Entry* e = find(window))
    e->stamp = --backStamp_;
  else
    entries_.push_back({window, --backStamp_});
  apply();
}

void ZOrderManager::orderOut(Window* window) {
  auto it = std::remove_if(entries_.begin(), entries_.end(), [window](const Entry& e) { return e.window == window; });
  if (it == entries_.end()) return;
  entries_.erase(it, entries_.end());
  apply();
}

void ZOrderManager::levelChanged(Window* window) {
  if (find(window)) apply();
}

void ZOrderManager::forget(Window* window) {
  entries_.erase(std::remove_if(entries_.begin(), entries_.end(), [window](const Entry& e) { return e.window == window; }),
                 entries_.end());
}

void ZOrderManager::apply() {
  std::vector<Window*> order = windowsFrontToBack();
  for (auto it = order.rbegin(); it != order.rend(); ++it) {
    Window* w = *it;
    w->applyStacking(w->level() > kNormalWindowLevel, w->parentWindow());
  }
}

}  // namespace kit
