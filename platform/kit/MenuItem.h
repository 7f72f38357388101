#pragma once

#include <functional>
#include <memory>
#include <string>

#include "foundation/Value.h"

namespace kit {

class Menu;

// What the platform's standard items do, without a target of their own: hide the
// application's windows, hide the other applications (nothing on Linux), show the hidden
// windows again, quit, edit the key window's text field, minimise, zoom, bring all windows
// to the front.
enum class StandardAction {
  None,
  Hide,
  HideOthers,
  UnhideAll,
  Terminate,
  Cut,
  Copy,
  Paste,
  Delete,
  SelectAll,
  Miniaturize,
  Zoom,
  ArrangeInFront,
};

// One item of a menu: a title, a tag, an action (a function or a standard action), a key
// equivalent, its own enabled flag and state, a represented value that owners use as a
// stable code, and optionally a submenu. Separators are items too.
class MenuItem {
 public:
  using Action = std::function<void(MenuItem&)>;

  explicit MenuItem(std::string title = {}, Action action = {}, std::string keyEquivalent = {});
  MenuItem(std::string title, StandardAction action, std::string keyEquivalent = {});
  static std::unique_ptr<MenuItem> separatorItem();
  ~MenuItem();
  MenuItem(const MenuItem&) = delete;
  MenuItem& operator=(const MenuItem&) = delete;

  const std::string& title() const { return title_; }
  void setTitle(const std::string& title) { title_ = title; }
  int tag() const { return tag_; }
  void setTag(int tag) { tag_ = tag; }
  bool isSeparatorItem() const { return separator_; }
  // The item's own flag; a menu that validates its items may still disable it.
  bool isEnabled() const { return enabled_; }
  void setEnabled(bool on) { enabled_ = on; }
  bool isHidden() const { return hidden_; }
  void setHidden(bool on) { hidden_ = on; }
  int state() const { return state_; }
  void setState(int state) { state_ = state; }
  const std::string& keyEquivalent() const { return keyEquivalent_; }
  void setKeyEquivalent(const std::string& key) { keyEquivalent_ = key; }
  unsigned keyEquivalentModifierMask() const { return keyModifiers_; }
  void setKeyEquivalentModifierMask(unsigned mask) { keyModifiers_ = mask; }
  const fnd::Value& representedObject() const { return represented_; }
  void setRepresentedObject(const fnd::Value& value) { represented_ = value; }

  void setAction(Action action);
  const Action& action() const { return action_; }
  StandardAction standardAction() const { return standard_; }
  void setStandardAction(StandardAction action);
  bool hasAction() const { return action_ || standard_ != StandardAction::None; }

  Menu* submenu() const { return submenu_.get(); }
  void setSubmenu(std::unique_ptr<Menu> submenu);
  // The menu that holds the item, or null.
  Menu* menu() const { return menu_; }

  // Runs the action (the function, else the standard action); false when there is none.
  bool perform();
  // What a standard action does, for callers without an item.
  static void performStandardAction(StandardAction action);

 private:
  friend class Menu;
  std::string title_;
  Action action_;
  StandardAction standard_ = StandardAction::None;
  std::string keyEquivalent_;
  unsigned keyModifiers_ = 0;
  int tag_ = 0;
  int state_ = 0;
  bool enabled_ = true;
  bool hidden_ = false;
  bool separator_ = false;
  fnd::Value represented_;
  std::unique_ptr<Menu> submenu_;
  Menu* menu_ = nullptr;
};

}  // namespace kit
