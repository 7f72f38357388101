#include "kit/Sheet.h"

#include <map>

#include "kit/View.h"
#include "kit/Window.h"

namespace kit {

namespace {

// Laid over the parent's content while a sheet is up: presses on the parent go nowhere.
class SheetBlocker : public View {
 public:
  using View::View;
  void mouseDown(const Event&) override {}
  void mouseUp(const Event&) override {}
  void mouseDragged(const Event&) override {}
  void rightMouseDown(const Event&) override {}
  void scrollWheel(const Event&) override {}
  bool performKeyEquivalent(const Event&) override { return false; }
};

struct Attached {
  Window* parent;
  std::function<void(int)> completion;
  View* blocker;
};
std::map<const Window*, Attached>& sheets() {
  static std::map<const Window*, Attached> map;
  return map;
}
}  // namespace

bool Sheet::begin(Window& sheet, Window& parent, std::function<void(int)> completion) {
  if (attachedSheet(parent) || sheets().count(&sheet)) return false;
  View* blocker = nullptr;
  if (View* content = parent.contentView()) {
    auto cover = std::make_unique<SheetBlocker>(content->bounds());
    cover->setAutoresizingMask(kViewWidthSizable | kViewHeightSizable);
    blocker = content->addSubview(std::move(cover));
  }
  sheets()[&sheet] = Attached{&parent, std::move(completion), blocker};
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
  if (a.blocker) a.blocker->removeFromSuperview();
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
