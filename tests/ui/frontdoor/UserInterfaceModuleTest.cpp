// The main-window controller's life: made, window created, set up, shown, closed (settings
// written or dropped), terminated; and the close against a message box on the same thread.
#include <gtest/gtest.h>

#include "UserInterfaceModuleSupport.h"
#include "foundation/RunLoop.h"
#include "kit/Button.h"
#include "kit/View.h"
#include "ui/base/LockHold.h"
#include "ui/base/PVLocalizedString.h"
#include "ui/model/PreferenceInfo.h"
#include "ui/model/PreviewInfo.h"
#include "ui/controls/CTRLS_TabView.h"
#include "ui/modes/advanced/ExtendMode.h"
#include "ui/modes/basic/StandardMode.h"
#include "ui/modes/multiscan/MultiScanMode.h"
#include "ui/modes/toolbar/Toolbar.h"
#include "ui/windows/MessageFunctions.h"

namespace uim_test {
namespace {

kit::Application& app() { return kit::Application::shared(); }

void clickButton(kit::Window& window, const std::string& title) {
  kit::View* v = window.contentView()->findView([&](kit::View& view) {
    auto* b = dynamic_cast<kit::Button*>(&view);
    return b && b->title() == title;
  });
  ASSERT_NE(nullptr, v) << title;
  static_cast<kit::Button*>(v)->performClick();
}

fnd::Dictionary mainWindowEntry(double x, double y, double width, double height, double hiddenWidth) {
  return fnd::Dictionary{{"x", x},
                         {"y", y},
                         {"width", width},
                         {"height", height},
                         {"hiddenWidth", hiddenWidth},
                         {"oldWindowRect", fnd::Dictionary{{"x", 5.0}, {"y", 6.0}, {"width", 900.0}, {"height", 700.0}}}};
}

TEST(UserInterfaceModule, InitTakesTheDataSourcesBundleAndAnswersTheWindowsQuestion) {
  DataSourceStandIn ds;
  Quirel_UserInterfaceModule uim;
  EXPECT_EQ(uim.getDSBundleLocalized(), fnd::Bundle::main().identifier());
  ASSERT_NE(uim.getLocalizedString(), nullptr);
  EXPECT_EQ(uim.getLocalizedString()->bundleStr(), fnd::Bundle::main().identifier());
  // A dialog asking the window controller gets the same bundle.
  EXPECT_EQ(Quirel_PVLocalizedBundle::askWindowController(&ds), fnd::Bundle::main().identifier());
  EXPECT_EQ(uim.notificationSender(), static_cast<const void*>(&uim));
  EXPECT_EQ(uim.getADFPrefetch(), -1);
  EXPECT_TRUE(uim.getCallBackUpToSM());
  EXPECT_EQ(uim.getUserLocaleUnits().unit, 1);
  EXPECT_EQ(uim.getUserLocaleUnits().paperSize, 10);
  EXPECT_EQ(uim.getUserLocaleUnits().filmSize, 3);
  EXPECT_EQ(uim.scanResultLock(), nullptr);
}

TEST(UserInterfaceModule, TheRequestsFeederPrefetchReachesThePreviewModelAndMinusOneWithoutIt) {
  DataSourceStandIn ds;
  struct Case {
    std::optional<fnd::Dictionary> request;
    int expected;
  };
  const Case cases[] = {{std::nullopt, -1}, {fnd::Dictionary{{"Other", 1}}, -1}, {fnd::Dictionary{{"ADFPrefetch", 2}}, 2}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.expected);
    Quirel_UserInterfaceModule uim;
    if (c.request) uim.setTWAINRequest(fnd::makeShared(*c.request));
    uim.createMainWindowMainThreadMode();
    EXPECT_EQ(uim.getADFPrefetch(), c.expected);
    ASSERT_NE(uim.getPreviewInfo(), nullptr);
    EXPECT_EQ(uim.getPreviewInfo()->getADFPrefetchValue(), c.expected);
    // The request is the controller's own copy.
    if (c.request) {
      EXPECT_EQ(*uim.getTWAINRequest(), *c.request);
    }
    uim.terminateMainWindowMainThreadMode();
  }
}

TEST(UserInterfaceModule, CreateMakesTheWindowWithItsTitleTheLocksAndThePreviewModel) {
  DataSourceStandIn ds;
  Quirel_UserInterfaceModule uim;
  uim.createMainWindowMainThreadMode();
  ASSERT_NE(uim.getMainWindow(), nullptr);
  Quirel_MainWindow* window = uim.getMainWindow()->getWindow();
  EXPECT_EQ(window->title(), "Scanner");
  EXPECT_EQ(window->delegate(), &uim);
  EXPECT_TRUE(window->titleDownOnOff());
  EXPECT_FALSE(window->isVisible());
  for (fnd::Lock* lock : {uim.scanResultLock(), uim.closeSelectLock(), uim.prevDataLock(), uim.endScanLock(),
                          uim.messageLock()})
    EXPECT_NE(lock, nullptr);
  EXPECT_EQ(uim.getPreviewInfo()->getUIMObject(), uim.notificationSender());
  EXPECT_NE(uim.getHelpControl(), nullptr);

  uim.terminateMainWindowMainThreadMode();
  EXPECT_EQ(uim.getMainWindow(), nullptr);
  EXPECT_EQ(uim.getPreviewInfo(), nullptr);
  EXPECT_EQ(uim.messageLock(), nullptr);
  // Terminate ends every observation: nobody answers the windows' question any more.
  EXPECT_EQ(Quirel_PVLocalizedBundle::askWindowController(&ds), "");
}

TEST(UserInterfaceModule, ShowPutsTheWindowUpAtItsFirstFrameInTheRestoredMode) {
  DataSourceStandIn ds;
  const std::string folder = freshSettingsFolder("uim-show");
  writePlist(folder + "InitSetting.xml",
             fnd::Dictionary{{"MainWindow", mainWindowEntry(120, 40, 900, 700, 0)}, {"Mode", 0}, {"BeforeMode", 0}});
  Controller c(modelInitSetting(folder));
  c->showMainWindowMainThreadMode();
  Quirel_MainWindow* window = c.window();
  EXPECT_TRUE(window->isVisible());
  EXPECT_EQ(window->frame(), frameFromTop(120, 40, 900, 700));
  EXPECT_EQ(c->getToolbar()->getUIMode(), 0);
  EXPECT_EQ(c->getMode(), 0);
  // The data-source object reaches the modes and the preview model.
  EXPECT_EQ(c->getPreviewInfo()->getTWAINObject(), &c.dataSourceObject);
  c->activateMainWindowMainThreadMode();
  EXPECT_TRUE(window->isVisible());
}

// The close writes what the window shows: the frame with "y" from the display's top, the
// modes' last settings, the flags; the preference record beside it.
TEST(UserInterfaceModule, CloseWritesTheFrameFromTheTopAndTheModesAndThePreferences) {
  DataSourceStandIn ds;
  const std::string folder = freshSettingsFolder("uim-close");
  Controller c(modelInitSetting(folder));
  c->showMainWindowMainThreadMode();
  c.window()->setFrame(frameFromTop(200, 60, 1000, 720), false);
  c->closeMainWindowMainThreadMode();
  EXPECT_TRUE(c->isClosed());
  EXPECT_FALSE(c.window()->isVisible());
  EXPECT_TRUE(c.window()->getCloseFlg());

  const std::optional<fnd::Dictionary> written = readPlist(folder + "InitSetting.xml");
  ASSERT_TRUE(written);
  const fnd::Dictionary& w = written->dictionary("MainWindow");
  EXPECT_EQ(w.real("x"), 200);
  EXPECT_EQ(w.real("y"), 60);
  EXPECT_EQ(w.real("width"), 1000);
  EXPECT_EQ(w.real("height"), 720);
  EXPECT_EQ(w.real("hiddenWidth"), 0);
  EXPECT_TRUE(w.dictionary("oldWindowRect").contains("width"));
  EXPECT_EQ(written->integer("Mode"), 0);
  EXPECT_EQ(written->integer("BeforeMode"), 0);
  EXPECT_TRUE(written->get("ShowChangeTabMessage").isBool());
  EXPECT_EQ(written->dictionary("StandardMode"), c->getStandardMode()->getLastSetting());
  EXPECT_EQ(written->dictionary("ExtendMode"), c->getExtendMode()->getLastSetting());
  EXPECT_EQ(written->dictionary("UIOFFMode"),
            (fnd::Dictionary{{"ShowMultiPDFScanStartMessage", true}, {"ShowAutoScanConfirmMessage", true}}));
  const std::optional<fnd::Dictionary> preference = readPlist(folder + "Preference.xml");
  ASSERT_TRUE(preference);
  EXPECT_EQ(*preference, c->getPreferenceInfo()->getDictionary());
  // No preview: nothing to back up.
  EXPECT_EQ(ds.count(Quirel_UserInterfaceModule::kBackupPost), 0);
}

TEST(UserInterfaceModule, AWindowWhoseTopIsAtTheDisplaysHeightStoresYZero) {
  DataSourceStandIn ds;
  const std::string folder = freshSettingsFolder("uim-top");
  Controller c(modelInitSetting(folder));
  c->showMainWindowMainThreadMode();
  c.window()->setFrame(fnd::Rect(100, kDisplayHeight - 700, 900, 700), false);
  c->closeMainWindowMainThreadMode();
  const std::optional<fnd::Dictionary> written = readPlist(folder + "InitSetting.xml");
  ASSERT_TRUE(written);
  EXPECT_EQ(written->dictionary("MainWindow").real("y"), 0);
}

// The multi-scan layout shows only the tab: the window is narrowed by the hidden width on show,
// and the close stores the whole frame (x less, width plus the hidden width) with that width.
TEST(UserInterfaceModule, TheMultiScanLayoutNarrowsOnShowAndTheCloseStoresTheWholeFrame) {
  DataSourceStandIn ds;
  const std::string folder = freshSettingsFolder("uim-multi");
  writePlist(folder + "InitSetting.xml", fnd::Dictionary{{"MainWindow", mainWindowEntry(100, 50, 1250, 700, 350)},
                                                         {"Mode", 2},
                                                         {"BeforeMode", 0},
                                                         {"StandardMode", fnd::Dictionary{{"Rotation", 1}}},
                                                         {"MultiScanMode", fnd::Dictionary{{"ShowResult", true}}}});
  Controller c(modelInitSetting(folder));
  EXPECT_EQ(c->getMode(), 2);
  EXPECT_EQ(c->getMainWindow()->getFirstRect(), frameFromTop(100, 50, 1250, 700));
  // The modes' settings came back: the basic mode's and the multi-scan mode's.
  EXPECT_EQ(c->getStandardMode()->getRotation(), 1);
  EXPECT_TRUE(c->getMultiScanMode()->getShowResult());
  c->showMainWindowMainThreadMode();
  EXPECT_EQ(c->getToolbar()->getUIMode(), 2);
  const double hidden = c->getMultiScanMode()->getHiddenWidth();
  EXPECT_EQ(hidden, 1250 - Quirel_MultiScanMode::kTabWidth);
  EXPECT_EQ(c.window()->frame(), frameFromTop(100 + hidden, 50, Quirel_MultiScanMode::kTabWidth, 700));

  c->closeMainWindowMainThreadMode();
  const std::optional<fnd::Dictionary> written = readPlist(folder + "InitSetting.xml");
  ASSERT_TRUE(written);
  const fnd::Dictionary& w = written->dictionary("MainWindow");
  EXPECT_EQ(w.real("x"), 100);
  EXPECT_EQ(w.real("y"), 50);
  EXPECT_EQ(w.real("width"), 1250);
  EXPECT_EQ(w.real("hiddenWidth"), hidden);
  EXPECT_EQ(written->integer("Mode"), 2);
  EXPECT_EQ(written->integer("BeforeMode"), 0);
  EXPECT_EQ(written->dictionary("MultiScanMode"), c->getMultiScanMode()->getLastSetting());
  EXPECT_TRUE(written->dictionary("MultiScanMode").boolean("ShowResult"));

  // The next start shows the same window.
  Controller again(modelInitSetting(folder));
  again->showMainWindowMainThreadMode();
  EXPECT_EQ(again.window()->frame(), frameFromTop(100 + hidden, 50, Quirel_MultiScanMode::kTabWidth, 700));
}

TEST(UserInterfaceModule, AMultiScanOfFilmWithoutTheFilmUnitKeepsModeAndFrameButNotTheSettings) {
  DataSourceStandIn ds;
  const std::string folder = freshSettingsFolder("uim-multi-film");
  writePlist(folder + "InitSetting.xml", fnd::Dictionary{{"MainWindow", mainWindowEntry(100, 50, 1250, 700, 350)},
                                                         {"Mode", 2},
                                                         {"BeforeMode", 0},
                                                         {"StandardMode", fnd::Dictionary{{"Rotation", 1}}},
                                                         {"MultiScanMode", fnd::Dictionary{{"ImageSource", 5}, {"ShowResult", true}}}});
  Controller c(modelInitSetting(folder));
  EXPECT_EQ(c->getMode(), 2);
  EXPECT_EQ(c->getMainWindow()->getFirstRect(), frameFromTop(100, 50, 1250, 700));
  EXPECT_EQ(c->getStandardMode()->getRotation(), 0);
  EXPECT_FALSE(c->getMultiScanMode()->getShowResult());
}

// The close button does not close: it disables the window and asks the data source to close
// the driver, which comes back with the close.
TEST(UserInterfaceModule, TheCloseButtonAsksTheDataSourceAndKeepsTheWindowUntilTheCloseComes) {
  for (int autoExit : {0, 1}) {
    SCOPED_TRACE(autoExit);
    DataSourceStandIn ds;
    const std::string folder = freshSettingsFolder("uim-close-button-" + std::to_string(autoExit));
    Controller c(modelInitSetting(folder));
    c->getPreferenceInfo()->setAutoExit(autoExit);
    c->showMainWindowMainThreadMode();
    c.window()->performClose();
    EXPECT_TRUE(c.window()->isVisible());
    EXPECT_FALSE(c.window()->isEnabledSystemBtn());
    EXPECT_NE(c->getStandardMode()->getWindowMaskView(), nullptr);
    ASSERT_EQ(ds.count("Click_CloseButton"), 1);
    EXPECT_EQ(ds.requestInfo.back().get("AutoExit"), fnd::Value(autoExit == 1));
    EXPECT_FALSE(c->isClosed());
  }
}

// A stored advanced mode opens the advanced tab; the entry written back at the close is the
// mode's own (what it knows of the stored one, nothing foreign).
TEST(UserInterfaceModule, AStoredAdvancedModeOpensTheAdvancedTabAndItsEntrySurvivesTheClose) {
  DataSourceStandIn ds;
  const std::string folder = freshSettingsFolder("uim-extend");
  const fnd::Dictionary extend{{"HasPreview", false}, {"Private", "kept"}, {"Numbers", fnd::Array{1, 2, 3}}};
  writePlist(folder + "InitSetting.xml", fnd::Dictionary{{"MainWindow", mainWindowEntry(100, 50, 900, 700, 0)},
                                                         {"Mode", 1},
                                                         {"BeforeMode", 1},
                                                         {"ExtendMode", extend}});
  Controller c(modelInitSetting(folder));
  EXPECT_EQ(c->getMode(), 1);
  c->showMainWindowMainThreadMode();
  EXPECT_EQ(c->getToolbar()->getUIMode(), 1);
  EXPECT_EQ(c->getTabView()->getTabView()->selectedTabViewItem(), c->getTabView()->extendTabItem());
  EXPECT_EQ(c.window()->frame(), frameFromTop(100, 50, 900, 700));
  c->closeMainWindowMainThreadMode();
  const std::optional<fnd::Dictionary> written = readPlist(folder + "InitSetting.xml");
  ASSERT_TRUE(written);
  EXPECT_EQ(written->integer("Mode"), 1);
  const fnd::Dictionary entry = written->dictionary("ExtendMode");
  EXPECT_EQ(entry.find("Private"), nullptr);
  ASSERT_NE(entry.find("HasPreview"), nullptr);
  EXPECT_FALSE(entry.boolean("HasPreview"));
  EXPECT_NE(entry.find("ImageSource"), nullptr);
}

struct DropCase {
  const char* name;
  bool resetImageError;
  int backupAnswer;
  bool kept;
};

// The stored state stays only when the preview model reports no reset-image error and the scan
// module accepted the preview's backup (when there was one to back up); the preferences, which
// have nothing to do with the preview, are written in every case.
TEST(UserInterfaceModule, AResetImageErrorOrARefusedBackupDropsTheStoredStateButKeepsThePreferences) {
  const DropCase cases[] = {{"written", false, 0, true}, {"reset error", true, 0, false}, {"refused", false, 1, false}};
  for (const DropCase& k : cases) {
    SCOPED_TRACE(k.name);
    DataSourceStandIn ds;
    ds.backupAnswer = k.backupAnswer;
    const std::string folder = freshSettingsFolder(std::string("uim-drop-") + k.name);
    fs::create_directories(folder);
    Quirel_PreferenceInfo preferences;
    preferences.setPrevStart(1);
    preferences.setTempPath(folder + "temp/");
    ASSERT_TRUE(preferences.writeToFolder(folder));
    writePlist(folder + "InitSetting.xml", fnd::Dictionary{{"MainWindow", mainWindowEntry(100, 50, 900, 700, 0)},
                                                           {"Mode", 0},
                                                           {"StandardMode", fnd::Dictionary{{"HasPreview", true}}}});
    fnd::Dictionary initSetting = modelInitSetting(folder);
    initSetting.set("Uthric", olderModelParameters());
    Controller c(initSetting);
    ASSERT_TRUE(fs::exists(folder + "InitSetting.xml"));
    c->showMainWindowMainThreadMode();
    c->getPreviewInfo()->setUIResetImageError(k.resetImageError);
    c->closeMainWindowMainThreadMode();
    EXPECT_EQ(fs::exists(folder + "InitSetting.xml"), k.kept);
    EXPECT_TRUE(fs::exists(folder + "Preference.xml"));
    // The backup is asked only without a reset error, with the record's temporary folder.
    EXPECT_EQ(ds.count(Quirel_UserInterfaceModule::kBackupPost), k.resetImageError ? 0 : 1);
    for (const fnd::Dictionary& info : ds.requestInfo) {
      if (info.string("OverrideNotificationName") == Quirel_UserInterfaceModule::kBackupPost) {
        EXPECT_EQ(info.get("BackupPath").toString(), folder + "temp/");
      }
    }
  }
}

TEST(UserInterfaceModule, CloseAndTerminateWithoutAWindowOrAShowDoNoHarm) {
  DataSourceStandIn ds;
  Quirel_UserInterfaceModule uim;
  uim.closeMainWindowMainThreadMode();
  uim.terminateMainWindowMainThreadMode();
  uim.createMainWindowMainThreadMode();
  uim.closeMainWindowMainThreadMode();
  EXPECT_TRUE(uim.isClosed());
  uim.terminateMainWindowMainThreadMode();
  EXPECT_TRUE(uim.isTerminated());
}

// ---- the five locks on the main thread ---------------------------------------------------------

class UserInterfaceModuleLocks : public ::testing::Test {
 protected:
  void SetUp() override {
    folder = freshSettingsFolder("uim-locks");
    fs::create_directories(folder);
    Quirel_PreferenceInfo preferences;
    preferences.setPrevStart(1);
    preferences.setTempPath(folder + "temp/");
    ASSERT_TRUE(preferences.writeToFolder(folder));
    writePlist(folder + "InitSetting.xml",
               fnd::Dictionary{{"Mode", 0}, {"StandardMode", fnd::Dictionary{{"HasPreview", true}}}});
  }
  void TearDown() override {
    // An answer a failed test left unused would answer the next test's box.
    while (app().pendingModalResponders() > 0) {
      kit::Window spare(fnd::Rect(0, 0, 10, 10), kit::kTitledWindowMask);
      app().runModalForWindow(spare);
    }
  }
  bool allFree(const Controller& c) {
    for (fnd::Lock* lock : {c->scanResultLock(), c->closeSelectLock(), c->messageLock(), c->endScanLock()}) {
      if (!lock || !lock->tryLock()) return false;
      lock->unlock();
    }
    return true;
  }
  std::string folder;
};

// The scan module's backup (asked inside the close) brings up a box: it shows at once,
// inside the close's hold of the locks, and the close then finishes.
TEST_F(UserInterfaceModuleLocks, ABoxShownDuringTheCloseShowsAndTheCloseFinishes) {
  DataSourceStandIn ds;
  Controller c(modelInitSetting(folder));
  c->showMainWindowMainThreadMode();
  bool shown = false;
  bool closeHeldThem = false;
  ds.onBackup = [&] {
    app().onNextModalWindow([&](kit::Window& w) {
      shown = true;
      closeHeldThem = Quirel_LockHold::isHeld(c->messageLock()) && Quirel_LockHold::isHeld(c->endScanLock()) &&
                      Quirel_LockHold::isHeld(c->scanResultLock()) && Quirel_LockHold::isHeld(c->closeSelectLock());
      clickButton(w, "OK");
    });
    EXPECT_EQ(MES_ShowMessageAndNumberMainThreadMode(1640, 0, 0, 0), 1);
  };
  c->closeMainWindowMainThreadMode();
  EXPECT_TRUE(shown);
  EXPECT_TRUE(closeHeldThem);
  EXPECT_TRUE(c->isClosed());
  EXPECT_TRUE(fs::exists(folder + "InitSetting.xml"));
  EXPECT_TRUE(allFree(c));
}

// The data source asks for the close while a box shows (from the box's nested run): the close
// waits for the box, then runs; a terminate asked meanwhile follows the close.
TEST_F(UserInterfaceModuleLocks, ACloseAskedForDuringABoxRunsAfterTheBox) {
  DataSourceStandIn ds;
  Controller c(modelInitSetting(folder));
  c->showMainWindowMainThreadMode();
  std::vector<std::string> order;
  app().onNextModalWindow([&](kit::Window& w) {
    c->closeMainWindowMainThreadMode();
    c->terminateMainWindowMainThreadMode();
    order.push_back(c->isClosed() ? "closed in the box" : "close waits");
    EXPECT_TRUE(c->isClosePending());
    EXPECT_FALSE(c->isTerminated());
    clickButton(w, "OK");
  });
  EXPECT_EQ(MES_ShowMessageAndNumberMainThreadMode(1640, 0, 0, 0), 1);
  order.push_back("box answered");
  EXPECT_FALSE(c->isClosed());
  for (int i = 0; i < 20 && !c->isTerminated(); ++i) fnd::RunLoop::main().runOnce(fnd::RunLoopMode::Default, 0.01);
  EXPECT_TRUE(c->isClosed());
  EXPECT_TRUE(c->isTerminated());
  EXPECT_FALSE(c->isClosePending());
  EXPECT_EQ(order, (std::vector<std::string>{"close waits", "box answered"}));
  EXPECT_TRUE(fs::exists(folder + "InitSetting.xml"));
  EXPECT_EQ(ds.count(Quirel_UserInterfaceModule::kBackupPost), 1);
}

// A controller that goes while its close still waits drops the close: nothing runs on it later.
TEST_F(UserInterfaceModuleLocks, AWaitingCloseOfAControllerThatWentDoesNothing) {
  DataSourceStandIn ds;
  auto c = std::make_unique<Controller>(modelInitSetting(folder));
  (*c)->showMainWindowMainThreadMode();
  {
    Quirel_LockHold box{(*c)->endScanLock(), (*c)->messageLock()};
    (*c)->closeMainWindowMainThreadMode();
    EXPECT_TRUE((*c)->isClosePending());
  }
  c->uim.reset();
  fnd::RunLoop::main().runOnce(fnd::RunLoopMode::Default, 0.01);
  EXPECT_EQ(ds.count(Quirel_UserInterfaceModule::kBackupPost), 0);
}

}  // namespace
}  // namespace uim_test
