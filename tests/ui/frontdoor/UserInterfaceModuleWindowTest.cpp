// The main window as the controller builds it (tabs, buttons, toolbar, preview frame) and its
// manners: close box, resize, zoom, activation, Command-A, the open panels, the relays.
#include <gtest/gtest.h>

#include <iostream>

#include "UserInterfaceModuleSupport.h"
#include "kit/Button.h"
#include "kit/TabView.h"
#include "ui/controls/CTRLS_PreviewFrame.h"
#include "ui/controls/CTRLS_PushButton.h"
#include "ui/controls/CTRLS_TOOLView.h"
#include "ui/controls/CTRLS_TabView.h"
#include "ui/controls/NoFocusButton.h"
#include "ui/controls/NoFocusView.h"
#include "ui/controls/ResponderView.h"
#include "ui/model/PreferenceInfo.h"
#include "ui/modes/multiscan/MultiScanMode.h"
#include "ui/modes/toolbar/Toolbar.h"

namespace uim_test {
namespace {

// A model with the multi-scan tab (every generation up to the one before 1900), or older.
fnd::Dictionary multiScanModel() {
  return modelParametersWith([](fnd::Dictionary& s) {
    s.set("Ver1900Later", false);
    s.set("Ver1910Later", false);
  });
}
fnd::Dictionary pre1400Model() {
  return modelParametersWith([](fnd::Dictionary& s) {
    for (const char* key : {"Ver1400Later", "Ver1500Later", "Ver1600Later", "Ver1700Later", "Ver1800Later",
                            "Ver1900Later", "Ver1910Later"})
      s.set(key, false);
  });
}
fnd::Dictionary pre1700Model() {
  return modelParametersWith([](fnd::Dictionary& s) {
    for (const char* key : {"Ver1700Later", "Ver1800Later", "Ver1900Later", "Ver1910Later"}) s.set(key, false);
  });
}

fnd::Dictionary initSettingWith(const std::string& folder, const fnd::Dictionary& parameters) {
  fnd::Dictionary d = modelInitSetting(folder);
  d.set("Uthric", parameters);
  return d;
}

kit::View* contentOf(const Controller& c) { return c.window()->contentView(); }

struct LayoutCase {
  const char* name;
  fnd::Dictionary (*model)();
  bool strip;
  bool multiScanTab;
};

TEST(UserInterfaceModuleWindow, TheWindowHoldsTabsButtonsToolViewAndPreviewFrameByGeneration) {
  const LayoutCase cases[] = {{"1900 and later", [] { return modelParametersWith([](fnd::Dictionary&) {}); }, true, false},
                              {"1400 to 1800", multiScanModel, true, true},
                              {"before 1400", pre1400Model, false, true}};
  for (const LayoutCase& k : cases) {
    SCOPED_TRACE(k.name);
    DataSourceStandIn ds;
    Controller c(initSettingWith(freshSettingsFolder(std::string("uimw-layout-") + k.name), k.model()));
    kit::TabView* tabs = c->getTabView()->getTabView();
    EXPECT_EQ(tabs->superview(), contentOf(c));
    EXPECT_EQ(tabs->delegate(), static_cast<kit::TabViewDelegate*>(c.uim.get()));
    // The tab class's own frame, raised and shortened by 40 for the strip.
    const fnd::Rect classFrame = Quirel_CTRLS_TabView(true, false, true).getTabView()->frame();
    const double lift = k.strip ? 40 : 0;
    EXPECT_EQ(tabs->frame(), fnd::Rect(classFrame.origin.x, classFrame.origin.y + lift, classFrame.size.width,
                                       classFrame.size.height - lift));
    // Basic and advanced tabs, and the multi-scan one but on the newest generation.
    EXPECT_EQ(tabs->numberOfTabViewItems(), k.multiScanTab ? 3 : 2);
    EXPECT_EQ(tabs->indexOfTabViewItem(c->getTabView()->extendTabItem()), 1);
    EXPECT_EQ(tabs->indexOfTabViewItem(c->getTabView()->multiScanTabItem()) >= 0, k.multiScanTab);

    kit::View* prefs = c->getPreferenceButton()->getPushBT();
    kit::View* close = c->getCloseWindowButton()->getPushBT();
    // Older models: the advanced page, the last to place them, lays them out on its own.
    if (k.strip) {
      EXPECT_EQ(prefs->frame(), fnd::Rect(10, 10, 163, 32));
      EXPECT_EQ(close->frame(), fnd::Rect(167, 10, 163, 32));
    }
    EXPECT_EQ(static_cast<kit::Button*>(prefs)->title(), "Preferences...");
    EXPECT_EQ(static_cast<kit::Button*>(close)->title(), "Close");
    if (k.strip) {
      kit::View* strip = c->getButtonView();
      EXPECT_EQ(strip->superview(), contentOf(c));
      EXPECT_EQ(prefs->superview(), strip);
      EXPECT_EQ(close->superview(), strip);
      EXPECT_EQ(strip->frame(), fnd::Rect(tabs->frame().origin.x, 0, tabs->frame().size.width, 45));
    } else {
      // Older models: the modes place the buttons.
      EXPECT_EQ(c->getButtonView()->superview(), nullptr);
    }
    kit::View* toolView = c->getToolbar()->getToolbarView()->getToolView();
    EXPECT_EQ(toolView->superview(), contentOf(c));
    EXPECT_EQ(toolView->frame(), fnd::Rect(5, 737, 455, 60));
    kit::View* frame = c->getPreviewFrame()->getFrameView();
    EXPECT_EQ(frame->superview(), contentOf(c));
    EXPECT_EQ(frame->frame(), fnd::Rect(10, 10, 450, 720));
  }
}

// The strip follows the tabs when the window grows; the toolbar's long separator widens.
TEST(UserInterfaceModuleWindow, TheStripStaysUnderTheTabsWhenTheWindowGrows) {
  DataSourceStandIn ds;
  Controller c(initSettingWith(freshSettingsFolder("uimw-grow"), multiScanModel()));
  c->showMainWindowMainThreadMode();
  kit::View* tabs = c->getTabView()->getTabView();
  const fnd::Rect before = c.window()->frame();
  c.window()->setFrame(fnd::Rect(before.origin.x, before.origin.y, before.size.width + 120, before.size.height), false);
  EXPECT_EQ(c->getButtonView()->frame().origin.x, tabs->frame().origin.x);
  EXPECT_EQ(c->getButtonView()->frame().origin.y, 0);
}

TEST(UserInterfaceModuleWindow, PicturesOfTheBasicAndMultiScanModes) {
  for (int mode : {0, 2}) {
    SCOPED_TRACE(mode);
    DataSourceStandIn ds;
    const std::string folder = freshSettingsFolder("uimw-picture-" + std::to_string(mode));
    storeStartMode(folder, mode);
    Controller c(initSettingWith(folder, multiScanModel()));
    c->showMainWindowMainThreadMode();
    EXPECT_EQ(c->getMode(), mode);
    EXPECT_EQ(c->getTabView()->getTabView()->selectedTabViewItem(),
              mode == 2 ? c->getTabView()->multiScanTabItem() : c->getTabView()->standardTabItem());
    // The start-up selection leaves no change going.
    EXPECT_FALSE(c->isTabChanging());
    const std::string png =
        (testenv::freshFolder("uimw-picture") / ("main-window-mode" + std::to_string(mode) + ".png")).string();
    EXPECT_TRUE(c.window()->grabToPng(png));
    std::cout << "main window, mode " << mode << ": " << png << std::endl;
  }
}

// ---- window events ----------------------------------------------------------------------------

TEST(UserInterfaceModuleWindow, TheCloseButtonAsksOnceAndTheWindowStays) {
  DataSourceStandIn ds;
  Controller c(modelInitSetting(freshSettingsFolder("uimw-close-button")));
  c->getPreferenceInfo()->setAutoExit(1);
  c->showMainWindowMainThreadMode();
  c->getCloseWindowButton()->getPushBT()->performClick();
  EXPECT_EQ(ds.count("Click_CloseButton"), 1);
  EXPECT_EQ(ds.requestInfo.back().get("AutoExit"), fnd::Value(true));
  EXPECT_TRUE(c.window()->isVisible());
  EXPECT_FALSE(c.window()->isEnabledSystemBtn());
}

TEST(UserInterfaceModuleWindow, AResizeWhileDisabledKeepsTheSizeAndOtherwiseStopsAtTheMinimum) {
  DataSourceStandIn ds;
  Controller c(modelInitSetting(freshSettingsFolder("uimw-resize")));
  c->showMainWindowMainThreadMode();
  Quirel_MainWindow* w = c.window();
  const fnd::Rect start = w->frame();
  const fnd::Size bigger(start.size.width + 100, start.size.height + 50);
  for (int which : {0, 1}) {
    if (which == 0) w->setEnabled(false);
    else w->setEnabledSystemBtn(false);
    EXPECT_EQ(c->windowWillResize(*w, bigger), start.size);
    w->setEnabled(true);
    w->setEnabledSystemBtn(true);
  }
  const fnd::Size min = w->minSize();
  EXPECT_EQ(c->windowWillResize(*w, fnd::Size(10, 10)), min);
  EXPECT_EQ(c->windowWillResize(*w, bigger), bigger);
}

TEST(UserInterfaceModuleWindow, AResizeOnNewerModelsTellsTheScanModuleTheWholeSize) {
  struct Case {
    const char* name;
    fnd::Dictionary (*model)();
    int posts;
  };
  const Case cases[] = {{"1700 and later", [] { return modelParametersWith([](fnd::Dictionary&) {}); }, 1},
                        {"before 1700", pre1700Model, 0}};
  for (const Case& k : cases) {
    SCOPED_TRACE(k.name);
    DataSourceStandIn ds;
    Controller c(initSettingWith(freshSettingsFolder(std::string("uimw-alm-") + k.name), k.model()));
    c->showMainWindowMainThreadMode();
    const int before = ds.count("setALMUserInterfaceData");
    const fnd::Rect f = c.window()->frame();
    c.window()->setFrame(fnd::Rect(f.origin.x, f.origin.y, 1001.7, 850.4), false);
    EXPECT_EQ(ds.count("setALMUserInterfaceData") - before, k.posts);
    if (k.posts) {
      EXPECT_EQ(ds.requestInfo.back().get("SIZE_WIDTH"), fnd::Value(1001));
      EXPECT_EQ(ds.requestInfo.back().get("SIZE_HEIGHT"), fnd::Value(850));
    }
    EXPECT_EQ(c->getOldWindowRect(), c.window()->frame());
  }
}

TEST(UserInterfaceModuleWindow, ZoomInTheMultiScanModeKeepsXAndWidth) {
  DataSourceStandIn ds;
  const std::string folder = freshSettingsFolder("uimw-zoom");
  storeStartMode(folder, 2);
  Controller c(initSettingWith(folder, multiScanModel()));
  c->showMainWindowMainThreadMode();
  Quirel_MainWindow* w = c.window();
  const fnd::Rect before = w->frame();
  const fnd::Rect proposed(0, 0, 1900, 1040);
  EXPECT_FALSE(c->windowShouldZoom(*w, proposed));
  EXPECT_EQ(w->frame().origin.x, before.origin.x);
  EXPECT_EQ(w->frame().size.width, before.size.width);
  EXPECT_EQ(w->frame().size.height, 1040);
  // The zoom button itself.
  w->performZoom();
  EXPECT_EQ(w->frame().origin.x, before.origin.x);
  EXPECT_EQ(w->frame().size.width, before.size.width);
  // Disabled: no zoom at all.
  w->setEnabled(false);
  EXPECT_FALSE(c->windowShouldZoom(*w, fnd::Rect(0, 0, 2000, 300)));
}

TEST(UserInterfaceModuleWindow, ZoomInTheBasicModeAgreesOnlyAboveTheMinimum) {
  DataSourceStandIn ds;
  Controller c(modelInitSetting(freshSettingsFolder("uimw-zoom-basic")));
  c->showMainWindowMainThreadMode();
  Quirel_MainWindow* w = c.window();
  const fnd::Size min = w->minSize();
  EXPECT_TRUE(c->windowShouldZoom(*w, fnd::Rect(0, 0, min.width + 10, min.height + 10)));
  EXPECT_FALSE(c->windowShouldZoom(*w, fnd::Rect(20, 30, 100, min.height + 10)));
  EXPECT_EQ(w->frame(), fnd::Rect(20, 30, min.width, min.height + 10));
}

// A crop view holding the keyboard.
class KeyView : public Quirel_ResponderView {
 public:
  using Quirel_ResponderView::Quirel_ResponderView;
  bool acceptsFirstResponder() const override { return true; }
};

TEST(UserInterfaceModuleWindow, CommandASelectsAllInTheSingleImageModesOnly) {
  struct Case {
    const char* name;
    int mode;
    const char* chars;
    unsigned modifiers;
    int target;
  };
  const Case cases[] = {{"basic, Command-A", 0, "a", kit::kCommandKeyMask, 0},
                        {"basic, Command-Shift-A", 0, "A", kit::kCommandKeyMask | kit::kShiftKeyMask, 0},
                        {"basic, A alone", 0, "a", 0, -1},
                        {"basic, Command-B", 0, "b", kit::kCommandKeyMask, -1},
                        {"advanced, Command-A", 1, "a", kit::kCommandKeyMask, 1},
                        {"multi-scan, Command-A", 2, "a", kit::kCommandKeyMask, -1}};
  for (const Case& k : cases) {
    SCOPED_TRACE(k.name);
    DataSourceStandIn ds;
    const std::string folder = freshSettingsFolder("uimw-select-all");
    storeStartMode(folder, k.mode);
    Controller c(initSettingWith(folder, multiScanModel()));
    c->showMainWindowMainThreadMode();
    Quirel_MainWindow* w = c.window();
    KeyView* view = static_cast<KeyView*>(contentOf(c)->addSubview(std::make_unique<KeyView>(fnd::Rect(0, 0, 5, 5))));
    w->makeKeyWindow();
    ASSERT_TRUE(w->makeFirstResponder(view));
    kit::Application::shared().sendEvent(kit::Event::keyEvent(kit::EventType::KeyDown, k.chars, k.modifiers, w));
    EXPECT_EQ(c->selectAllTarget(), k.target);
    if (k.target < 0) continue;
    // Not while disabled, closing, or with a text field holding the keyboard.
    w->setEnabledSystemBtn(false);
    EXPECT_EQ(c->selectAllTarget(), -1);
    w->setEnabledSystemBtn(true);
    w->makeFirstResponder(nullptr);
    EXPECT_EQ(c->selectAllTarget(), -1);
  }
}

TEST(UserInterfaceModuleWindow, ActivationWithAnOpenPanelUpPostsWithoutMovingTheWindow) {
  DataSourceStandIn ds;
  Controller c(modelInitSetting(freshSettingsFolder("uimw-activate")));
  c->showMainWindowMainThreadMode();
  Quirel_MainWindow* w = c.window();
  int becameActive = 0, levelChanges = 0;
  auto& center = fnd::NotificationCenter::defaultCenter();
  auto t1 = center.observe("appBecomeActiveFromMainPost", c.uim.get(), [&](const fnd::Notification&) { ++becameActive; });
  auto t2 = center.observe("floatingDialogLevelChangePost", c.uim.get(), [&](const fnd::Notification&) { ++levelChanges; });

  center.post("showModalDialog_FolderOpen", nullptr);
  EXPECT_TRUE(c->getShowOpenPanel());
  EXPECT_EQ(w->level(), kit::kNormalWindowLevel);
  EXPECT_EQ(levelChanges, 1);
  const fnd::Rect frame = w->frame();
  center.post(kit::Application::kDidBecomeActiveNotification, &kit::Application::shared());
  EXPECT_EQ(becameActive, 1);
  EXPECT_EQ(w->level(), kit::kNormalWindowLevel);
  EXPECT_EQ(w->frame(), frame);

  center.post("closeModalDialog_FolderOpen", nullptr);
  EXPECT_FALSE(c->getShowOpenPanel());
  EXPECT_EQ(w->level(), w->baseWindowLevel());
  EXPECT_EQ(levelChanges, 2);

  // Hidden window, no panel: nothing at all.
  w->orderOut();
  center.post(kit::Application::kDidBecomeActiveNotification, &kit::Application::shared());
  EXPECT_EQ(becameActive, 1);
  EXPECT_FALSE(w->isVisible());
}

TEST(UserInterfaceModuleWindow, TheAdjustmentDialogsDragsHoldTheTitleBarAndBringTheDialogBack) {
  DataSourceStandIn ds;
  Controller c(modelInitSetting(freshSettingsFolder("uimw-adjust")));
  c->showMainWindowMainThreadMode();
  Quirel_MainWindow* w = c.window();
  auto& center = fnd::NotificationCenter::defaultCenter();
  std::vector<std::string> posted;
  std::vector<fnd::NotificationCenter::Token> tokens;
  for (const char* name : {"TONEBC_MAKEKEY_FROM_MAIN", "HIST_MAKEKEY_FROM_MAIN", "THRESHOLD_MAKEKEY_FROM_MAIN",
                           "COLOR_MAKEKEY_FROM_MAIN"})
    tokens.push_back(center.observe(name, c.uim.get(), [&posted](const fnd::Notification& n) { posted.push_back(n.name); }));

  center.post("TONEBC_CHG_TO_MAIN", nullptr);
  EXPECT_FALSE(w->titleDownOnOff());
  center.post("HIST_CHG_TO_MAIN", nullptr);
  center.post("COLOR_CHG_TO_MAIN", nullptr);
  c->windowDidBecomeKey(*w);
  // The tone dialog's flag clears the histogram's too.
  EXPECT_EQ(posted, (std::vector<std::string>{"TONEBC_MAKEKEY_FROM_MAIN", "COLOR_MAKEKEY_FROM_MAIN"}));
  center.post("TITLE_DOWN_OK_FROM_TONEBC", nullptr);
  EXPECT_TRUE(w->titleDownOnOff());

  // A zoom click only clears its own flag.
  posted.clear();
  center.post("THRESHOLD_CHG_TO_MAIN", nullptr);
  center.post(Quirel_MainWindow::kZoomBtnOnPost, nullptr);
  EXPECT_TRUE(c->getZoomBtnFlg());
  c->windowDidBecomeKey(*w);
  EXPECT_TRUE(posted.empty());
  EXPECT_FALSE(c->getZoomBtnFlg());
  c->windowDidBecomeKey(*w);
  EXPECT_EQ(posted, std::vector<std::string>{"THRESHOLD_MAKEKEY_FROM_MAIN"});
  center.post("THRESHOLD_FIX_TO_MAIN", nullptr);
  EXPECT_TRUE(w->titleDownOnOff());
  center.post(Quirel_MainWindow::kZoomBtnOnPost, nullptr);
  c->windowDidResignKey(*w);
  EXPECT_FALSE(c->getZoomBtnFlg());
}

TEST(UserInterfaceModuleWindow, APendingDialogChangeHoldsTheAdvancedControlsUntilFixed) {
  DataSourceStandIn ds;
  Controller c(modelInitSetting(freshSettingsFolder("uimw-adjust-controls")));
  c->showMainWindowMainThreadMode();
  Quirel_MainWindow* w = c.window();
  auto& center = fnd::NotificationCenter::defaultCenter();
  // The Preferences button is one of the advanced mode's controls.
  Quirel_NoFocusButton* pref = c->getPreferenceButton()->getPushBT();
  ASSERT_TRUE(pref->downOnOff());
  for (const std::string x : {"COLOR", "TONEBC", "HIST", "THRESHOLD"}) {
    center.post(x + "_CHG_TO_MAIN", nullptr);
    EXPECT_FALSE(pref->downOnOff()) << x;
    EXPECT_FALSE(w->titleDownOnOff()) << x;
    center.post(x + "_FIX_TO_MAIN", nullptr);
    EXPECT_TRUE(pref->downOnOff()) << x;
    EXPECT_TRUE(w->titleDownOnOff()) << x;
  }
}

}  // namespace
}  // namespace uim_test
