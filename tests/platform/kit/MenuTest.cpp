// Pop-up buttons and menus: unique titles, represented codes, disabled items, validation,
// the main menu found by tag, and the standard actions.

#include <gtest/gtest.h>

#include <memory>

#include "KitTestSupport.h"
#include "kit/Menu.h"
#include "kit/PopUpButton.h"

namespace {

using fnd::Rect;
using kit::Menu;
using kit::MenuItem;
using kit::PopUpButton;

class MenuTest : public kittest::KitTest {
 protected:
  void TearDown() override {
    // No answer may leak into the next test.
    Menu spare;
    while (Menu::pendingPopUpAnswers() > 0) spare.popUp(nullptr, {}, -1);
    Menu::setMainMenu(nullptr);
    KitTest::TearDown();
  }
  // Chooses the item at `index` at the next opening of a menu.
  static void choose(int index) {
    Menu::onNextPopUp([index](Menu&) { return index; });
  }
};

std::vector<int> numbers(const PopUpButton& p) {
  std::vector<int> out;
  for (int i = 0; i < p.numberOfItems(); ++i) out.push_back(p.itemAtIndex(i)->representedObject().toInt());
  return out;
}

TEST_F(MenuTest, AddingATitleThatExistsRemovesTheEarlierItemAndCodesStayWithTheirItems) {
  PopUpButton p(Rect(0, 0, 150, 26));
  int code = 10;
  for (const char* t : {"Colour", "Grey", "Black and white"}) p.addItemWithTitle(t)->setRepresentedObject(code++);
  p.selectItemAtIndex(1);
  EXPECT_EQ(p.titleOfSelectedItem(), "Grey");
  MenuItem* again = p.addItemWithTitle("Colour");
  again->setRepresentedObject(42);
  EXPECT_EQ(p.itemTitles(), (std::vector<std::string>{"Grey", "Black and white", "Colour"}));
  EXPECT_EQ(numbers(p), (std::vector<int>{11, 12, 42}));
  // The selection follows its item, not its old index.
  EXPECT_EQ(p.indexOfSelectedItem(), 0);
  EXPECT_EQ(p.titleOfSelectedItem(), "Grey");
  EXPECT_EQ(p.indexOfItemWithRepresentedObject(12), 1);
  // Re-adding the selected title drops the selection with its item.
  p.addItemWithTitle("Grey");
  EXPECT_EQ(p.indexOfSelectedItem(), -1);
  EXPECT_EQ(numbers(p), (std::vector<int>{12, 42, 0}));
}

TEST_F(MenuTest, SelectingByIndexClearsWithMinusOneAndIgnoresOtherIndices) {
  PopUpButton p(Rect(0, 0, 150, 26));
  EXPECT_EQ(p.indexOfSelectedItem(), -1);
  p.addItemsWithTitles({"A", "B", "C"});
  EXPECT_EQ(p.indexOfSelectedItem(), 0) << "the first item shows once there is one";
  p.selectItemAtIndex(2);
  p.selectItemAtIndex(3);
  p.selectItemAtIndex(-7);
  EXPECT_EQ(p.indexOfSelectedItem(), 2);
  p.selectItemAtIndex(-1);
  EXPECT_EQ(p.indexOfSelectedItem(), -1);
  EXPECT_EQ(p.titleOfSelectedItem(), "");
  p.addSeparatorItem();
  EXPECT_TRUE(p.itemAtIndex(3)->isSeparatorItem());
  p.removeAllItems();
  EXPECT_EQ(p.numberOfItems(), 0);
}

TEST_F(MenuTest, ADisabledItemOrASeparatorCannotBeChosenFromTheMenu) {
  PopUpButton p(Rect(0, 0, 150, 26));
  p.addItemsWithTitles({"100 dpi", "300 dpi", "600 dpi"});
  p.addSeparatorItem();
  p.itemAtIndex(2)->setEnabled(false);
  int actions = 0;
  p.setAction([&](kit::Control&) { ++actions; });
  choose(2);
  EXPECT_TRUE(p.performClick());
  EXPECT_EQ(p.indexOfSelectedItem(), 0);
  choose(3);
  p.performClick();
  EXPECT_EQ(p.indexOfSelectedItem(), 0);
  EXPECT_EQ(actions, 0);
  choose(1);
  p.performClick();
  EXPECT_EQ(p.indexOfSelectedItem(), 1);
  EXPECT_EQ(actions, 1);
  // Dismissed: nothing changes.
  choose(-1);
  p.performClick();
  EXPECT_EQ(p.indexOfSelectedItem(), 1);
  EXPECT_EQ(actions, 1);
}

TEST_F(MenuTest, APopUpWhoseOwnerRefusesTheMouseDownDoesNotOpen) {
  kit::Window w(Rect(0, 0, 200, 100), kit::kTitledWindowMask);
  w.makeKeyAndOrderFront();
  // A subclass deciding in its own mouse-down, as the focus-refusing pop-ups do.
  struct Guarded : PopUpButton {
    using PopUpButton::PopUpButton;
    bool open = false;
    int presses = 0;
    void mouseDown(const kit::Event& e) override {
      ++presses;
      if (open) PopUpButton::mouseDown(e);
      open = true;
    }
  };
  auto* p = static_cast<Guarded*>(w.contentView()->addSubview(std::make_unique<Guarded>(Rect(10, 10, 150, 26))));
  p->addItemsWithTitles({"A", "B"});
  int opened = 0;
  Menu::onNextPopUp([&](Menu&) {
    ++opened;
    return 1;
  });
  kit::Application& app = kit::Application::shared();
  for (int i = 0; i < 2; ++i) {
    app.postEvent(kittest::mouse(kit::EventType::LeftMouseDown, w, 20, 20));
    app.postEvent(kittest::mouse(kit::EventType::LeftMouseUp, w, 20, 20));
    app.dispatchQueuedEvents();
    EXPECT_EQ(opened, i);
  }
  EXPECT_EQ(p->presses, 2);
  EXPECT_EQ(p->titleOfSelectedItem(), "B");
}

TEST_F(MenuTest, TheValidationHookEnablesItemsAndTheirOwnFlagStillCounts) {
  Menu m;
  int ran = 0;
  MenuItem* a = m.addItemWithTitle("Copy", [&](MenuItem&) { ++ran; });
  MenuItem* b = m.addItemWithTitle("Paste", [&](MenuItem&) { ++ran; });
  m.setValidationHook([](const MenuItem& item) { return item.title() != "Paste"; });
  EXPECT_TRUE(m.isItemEnabled(*a));
  EXPECT_FALSE(m.isItemEnabled(*b));
  EXPECT_FALSE(m.performActionForItemAtIndex(1));
  EXPECT_TRUE(m.performActionForItemAtIndex(0));
  a->setEnabled(false);
  EXPECT_FALSE(m.isItemEnabled(*a));
  m.setAutoenablesItems(false);
  EXPECT_TRUE(m.isItemEnabled(*b));
  EXPECT_EQ(ran, 1);
}

TEST_F(MenuTest, MainMenuItemsAreFoundByTagAndRetitled) {
  auto main = std::make_unique<Menu>();
  auto app = std::make_unique<Menu>("Trivolan");
  struct Row {
    int tag;
    const char* title;
    kit::StandardAction action;
  };
  const Row rows[] = {{1001, "Hide", kit::StandardAction::Hide},
                      {1003, "Show All", kit::StandardAction::UnhideAll},
                      {1004, "Quit", kit::StandardAction::Terminate}};
  for (const Row& r : rows) {
    auto item = std::make_unique<MenuItem>(r.title, r.action);
    item->setTag(r.tag);
    app->addItem(std::move(item));
  }
  main->addItemWithTitle("Trivolan")->setSubmenu(std::move(app));
  Menu::setMainMenu(std::move(main));
  ASSERT_NE(Menu::mainMenu(), nullptr);
  MenuItem* quit = Menu::mainMenu()->findItemWithTag(1004);
  ASSERT_NE(quit, nullptr);
  quit->setTitle("Quit Trivolan");
  EXPECT_EQ(Menu::mainMenu()->itemAtIndex(0)->submenu()->itemWithTag(1004)->title(), "Quit Trivolan");
  EXPECT_EQ(Menu::mainMenu()->findItemWithTag(5555), nullptr);

  // Hide orders out the visible windows; Show All brings back those still alive.
  kit::Window w1(Rect(0, 0, 100, 100), kit::kTitledWindowMask);
  auto w2 = std::make_unique<kit::Window>(Rect(0, 0, 100, 100), kit::kTitledWindowMask);
  w1.orderFront();
  w2->orderFront();
  Menu::mainMenu()->findItemWithTag(1001)->perform();
  EXPECT_FALSE(w1.isVisible());
  EXPECT_FALSE(w2->isVisible());
  w2.reset();
  Menu::mainMenu()->findItemWithTag(1003)->perform();
  EXPECT_TRUE(w1.isVisible());
  // Quit asks the application to terminate.
  quit->perform();
  EXPECT_TRUE(kit::Application::shared().isTerminated());
}

}  // namespace
