#include "kit/MenuItem.h"

#include <QLineEdit>
#include <algorithm>
#include <vector>

#include "kit/Application.h"
#include "kit/Menu.h"
#include "kit/View.h"
#include "kit/Window.h"

namespace kit {

namespace {

// Windows hidden by the Hide item, shown again by Show All.
std::vector<Window*>& hiddenWindows() {
  static std::vector<Window*> list;
  return list;
}

QLineEdit* focusedEditor() {
  Window* key = Application::shared().keyWindow();
  if (!key) return nullptr;
  auto* view = dynamic_cast<View*>(key->firstResponder());
  return view ? dynamic_cast<QLineEdit*>(view->nativeWidget()) : nullptr;
}

}  // namespace

MenuItem::MenuItem(std::string title, Action action, std::string keyEquivalent)
    : title_(std::move(title)), action_(std::move(action)), keyEquivalent_(std::move(keyEquivalent)) {}

MenuItem::MenuItem(std::string title, StandardAction action, std::string keyEquivalent)
    : title_(std::move(title)), standard_(action), keyEquivalent_(std::move(keyEquivalent)) {}

std::unique_ptr<MenuItem> MenuItem::separatorItem() {
  auto item = std::make_unique<MenuItem>();
  item->separator_ = true;
  item->enabled_ = false;
  return item;
}

MenuItem::~MenuItem() = default;

void MenuItem::setAction(Action action) {
  action_ = std::move(action);
  standard_ = StandardAction::None;
}

void MenuItem::setStandardAction(StandardAction action) {
  standard_ = action;
  action_ = nullptr;
}

void MenuItem::setSubmenu(std::unique_ptr<Menu> submenu) { submenu_ = std::move(submenu); }

bool MenuItem::perform() {
  if (action_) {
    Action run = action_;
    run(*this);
    return true;
  }
  if (standard_ == StandardAction::None) return false;
  performStandardAction(standard_);
  return true;
}

void MenuItem::performStandardAction(StandardAction action) {
  Application& app = Application::shared();
  Window* key = app.keyWindow();
  switch (action) {
    case StandardAction::None:
    case StandardAction::HideOthers:  // other applications are the window manager's
      break;
    case StandardAction::Hide: {
      auto& hidden = hiddenWindows();
      for (Window* w : app.windows())
        if (w->isVisible()) {
          hidden.push_back(w);
          w->orderOut();
        }
      break;
    }
    case StandardAction::UnhideAll: {
      std::vector<Window*> hidden = std::move(hiddenWindows());
      hiddenWindows().clear();
      std::vector<Window*> alive = app.windows();
      for (Window* w : hidden)
        if (std::find(alive.begin(), alive.end(), w) != alive.end()) w->orderFront();
      break;
    }
    case StandardAction::Terminate:
      app.terminate();
      break;
    case StandardAction::Cut:
      if (QLineEdit* e = focusedEditor()) e->cut();
      break;
    case StandardAction::Copy:
      if (QLineEdit* e = focusedEditor()) e->copy();
      break;
    case StandardAction::Paste:
      if (QLineEdit* e = focusedEditor()) e->paste();
      break;
    case StandardAction::Delete:
      if (QLineEdit* e = focusedEditor()) e->del();
      break;
    case StandardAction::SelectAll:
      if (QLineEdit* e = focusedEditor()) e->selectAll();
      break;
    case StandardAction::Miniaturize:
      if (key) key->performMiniaturize();
      break;
    case StandardAction::Zoom:
      if (key) key->performZoom();
      break;
    case StandardAction::ArrangeInFront:
      for (Window* w : app.windows())
        if (w->isVisible()) w->orderFront();
      if (key) key->orderFront();
      break;
  }
}

}  // namespace kit
