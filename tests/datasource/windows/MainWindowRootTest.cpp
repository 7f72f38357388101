// The main window through the dispatcher and the front door's real root: the KINDs the data
// source sends when it opens and closes the user interface, with the real window controller,
// basic and multi-scan modes behind them.
#include <gtest/gtest.h>

#include "../../ui/frontdoor/UserInterfaceModuleSupport.h"
#include "../Doubles.h"
#include "datasource/UIController.h"
#include "datasource/windows/QuirelRoot.h"
#include "ui/frontdoor/Quirel.h"
#include "ui/modes/multiscan/MultiScanMode.h"
#include "ui/modes/toolbar/Toolbar.h"

namespace {

using namespace uim_test;

constexpr std::int32_t kSetRequest = 0, kCreate = 1, kShow = 2, kClose = 3, kTerminate = 4, kSetInitSetting = 6;

struct Dispatcher {
  Dispatcher() {
    ui.initUIM(3);
    const fnd::Dictionary bundle{{"TWAINID", fnd::Bundle::main().identifier()}};
    ui.setDsBundleInfo(&bundle, &dataSourceObject);
  }
  ~Dispatcher() { ui.releaseUIM(); }
  void send(std::int32_t kind, const fnd::Dictionary& dic = {}) { ui.uiControlMethod(fnd::makeShared(dic), kind); }
  Quirel_UserInterfaceModule* controller() const {
    auto* root = dynamic_cast<Dravon_QuirelRoot*>(ui.mainRoot());
    return root ? dynamic_cast<Quirel_UserInterfaceModule*>(root->quirel().windowController()) : nullptr;
  }
  Quirel_MainWindow* window() const {
    Quirel_UserInterfaceModule* c = controller();
    return c && c->getMainWindow() ? c->getMainWindow()->getWindow() : nullptr;
  }

  int dataSourceObject = 0;
  Dravon_UIController ui;
};

struct LifeCase {
  const char* name;
  int storedMode;
  int shownMode;
  double storedWidth;
  double shownWidth;
};

// Open (request, create, set-up, show) and close (close, terminate) as the data source sends
// them; the window shows in the stored mode at the stored frame and the close writes it back.
TEST(MainWindowRoot, TheDataSourcesKindsCreateSetUpShowCloseAndTerminateTheMainWindow) {
  const LifeCase cases[] = {
      {"basic", 0, 0, 900, 900},
      {"multi-scan", 2, 2, 1250, Quirel_MultiScanMode::kTabWidth},
      {"advanced", 1, 1, 900, 900},
  };
  for (const LifeCase& k : cases) {
    SCOPED_TRACE(k.name);
    DataSourceStandIn ds;
    const std::string folder = freshSettingsFolder(std::string("root-life-") + k.name);
    const fnd::Dictionary extend{{"Private", "kept"}};
    writePlist(folder + "InitSetting.xml",
               fnd::Dictionary{{"MainWindow", fnd::Dictionary{{"x", 100.0},
                                                              {"y", 50.0},
                                                              {"width", k.storedWidth},
                                                              {"height", 700.0},
                                                              {"hiddenWidth", 0.0}}},
                               {"Mode", k.storedMode},
                               {"ExtendMode", extend}});
    Dispatcher d;
    ASSERT_NE(d.controller(), nullptr);
    d.controller()->setDisplayManager(testDisplay());
    d.send(kSetRequest, fnd::Dictionary{{"ADFPrefetch", 1}});
    d.send(kCreate);
    ASSERT_NE(d.window(), nullptr);
    EXPECT_FALSE(d.window()->isVisible());
    d.send(kSetInitSetting, modelInitSetting(folder));
    d.send(kShow);
    Quirel_UserInterfaceModule* c = d.controller();
    EXPECT_EQ(c->getADFPrefetch(), 1);
    EXPECT_EQ(c->getTWAINObject(), &d.dataSourceObject);
    EXPECT_EQ(c->getMode(), k.shownMode);
    EXPECT_EQ(c->getToolbar()->getUIMode(), k.shownMode);
    ASSERT_TRUE(d.window()->isVisible());
    EXPECT_EQ(d.window()->frame().size.width, k.shownWidth);
    EXPECT_EQ(d.window()->frame().size.height, 700);

    d.send(kClose);
    EXPECT_FALSE(d.window()->isVisible());
    const std::optional<fnd::Dictionary> written = readPlist(folder + "InitSetting.xml");
    ASSERT_TRUE(written);
    EXPECT_EQ(written->integer("Mode"), k.shownMode);
    EXPECT_EQ(written->dictionary("MainWindow").real("width"), k.storedWidth);
    // The advanced mode writes its own entry, whichever mode was shown.
    EXPECT_EQ(written->dictionary("ExtendMode").find("Private"), nullptr);
    EXPECT_NE(written->dictionary("ExtendMode").find("ImageSource"), nullptr);
    EXPECT_TRUE(readPlist(folder + "Preference.xml"));

    d.send(kTerminate);
    EXPECT_EQ(d.window(), nullptr);
    EXPECT_TRUE(c->isTerminated());
  }
}

// The root relays the controller's outward requests with itself as sender: the data source
// sees the lamp time of the start-up coming from the root.
TEST(MainWindowRoot, TheControllersOutwardRequestsReachTheDataSourceFromTheRoot) {
  DataSourceStandIn ds;
  Dispatcher d;
  const void* root = d.ui.mainRoot()->notificationSender();
  int seen = 0;
  auto token = fnd::NotificationCenter::defaultCenter().observe("Set_ShutOffLampTime", root,
                                                                [&](const fnd::Notification&) { ++seen; });
  d.controller()->setDisplayManager(testDisplay());
  d.send(kCreate);
  d.send(kSetInitSetting, modelInitSetting(freshSettingsFolder("root-relay")));
  // The root hands the settings over when it shows the window.
  EXPECT_EQ(seen, 0);
  d.send(kShow);
  EXPECT_EQ(seen, 1);
  d.send(kTerminate);
}

// The close box asks the data source once, through the root, and the window stays until the
// close comes back.
TEST(MainWindowRoot, TheCloseBoxAsksTheDataSourceOnceThroughTheRoot) {
  DataSourceStandIn ds;
  Dispatcher d;
  const void* root = d.ui.mainRoot()->notificationSender();
  int asked = 0;
  auto token = fnd::NotificationCenter::defaultCenter().observe("Click_CloseButton", root,
                                                                [&](const fnd::Notification& n) {
                                                                  ++asked;
                                                                  EXPECT_TRUE(n.info() && n.info()->contains("AutoExit"));
                                                                });
  d.controller()->setDisplayManager(testDisplay());
  d.send(kCreate);
  d.send(kSetInitSetting, modelInitSetting(freshSettingsFolder("root-close-box")));
  d.send(kShow);
  d.window()->performClose();
  EXPECT_EQ(asked, 1);
  EXPECT_TRUE(d.window()->isVisible());
  d.send(kTerminate);
}

}  // namespace
