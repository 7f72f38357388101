#pragma once

#include <cstdint>
#include <vector>

namespace kit {

class Window;

// Keeps the front-to-back order of the visible windows: by level (higher in front), then by
// the last time each was ordered front; a child window stays directly above its parent.
// Tests read the order here; on screen it is shown through stay-on-top hints (levels above
// normal), transient parents (child windows) and raising the windows in order.
class ZOrderManager {
 public:
  static ZOrderManager& shared();

  ZOrderManager(const ZOrderManager&) = delete;
  ZOrderManager& operator=(const ZOrderManager&) = delete;

  // Visible windows, the frontmost first.
  std::vector<Window*> windowsFrontToBack() const;
  // Position from the front (0 is frontmost); -1 when the window is not ordered in.
  int indexOf(const Window* window) const;
  bool isOrderedIn(const Window* window) const { return indexOf(window) >= 0; }
  // Both ordered in and a in front of b.
  bool isAbove(const Window* a, const Window* b) const;

  // Called by windows.
  void orderFront(Window* window);
  void orderBack(Window* window);
  void orderOut(Window* window);
  void levelChanged(Window* window);
  void forget(Window* window);

 private:
  ZOrderManager() = default;
  struct Entry {
    Window* window;
    std::int64_t stamp;
  };
  std::vector<Entry> entries_;
  std::int64_t frontStamp_ = 0;
  std::int64_t backStamp_ = 0;
  void apply();
  Entry* find(const Window* window);
};

}  // namespace kit
