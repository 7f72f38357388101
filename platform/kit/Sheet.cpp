#include "kit/Sheet.h"

#include <map>

#include "kit/Window.h"

namespace kit {

namespace {
struct Attached {
  Window* parent;
  std::function<void(int)> completion;
};
std::map<const Window*, Attached>& sheets() {
  static std::map<const Window*, Attached> map;
  return map;
}
}  // namespace

bool Sheet::begin(Window& sheet, Window& parent, std::function<void(int)> completion) {
  if (attachedSheet(parent) || sheets().count(&sheet)) return false;
  sheets()[&sheet] = Attached{&parent, std::move(completion)};
  fnd::Rect p = parent.frame();
  fnd::Rect content = parent.contentRectForFrameRect(p);
  fnd::Rect s = sheet.frame();
  sheet.setFrameOrigin({p.midX() - s.size.width / 2, content.maxY() - s.size.height});
  sheet.setLevel(parent.level() + 1);
  parent.addChildWindow(&sheet);
  sheet.makeKeyAndOrderFront();
  return true;
}

void Sheet::end(Window& sheet, int code) {
  auto it = sheets().find(&sheet);
  if (it == sheets().end()) return;
  Attached a = std::move(it->second);
  sheets().erase(it);
  a.parent->removeChildWindow(&sheet);
  sheet.orderOut();
  if (a.parent->isVisible()) a.parent->makeKeyWindow();
  if (a.completion) a.completion(code);
}

Window* Sheet::attachedSheet(const Window& parent) {
  for (auto& [sheet, a] : sheets())
    if (a.parent == &parent) return const_cast<Window*>(sheet);
  return nullptr;
}

Window* Sheet::parentOfSheet(const Window& sheet) {
  auto it = sheets().find(&sheet);
  return it == sheets().end() ? nullptr : it->second.parent;
}

}  // namespace kit
