// The after-scan windows as the data source drives them through its dispatcher and the front
// door's real root: the scan-result list of a multi-page scan and the modal save-folder notice.
#include <gtest/gtest.h>

#include <fstream>

#include "../../ui/frontdoor/UserInterfaceModuleSupport.h"
#include "../Doubles.h"
#include "datasource/UIController.h"
#include "datasource/windows/QuirelRoot.h"
#include "foundation/RunLoop.h"
#include "foundation/RunTempFolder.h"
#include "ui/frontdoor/Quirel.h"

namespace {

using namespace uim_test;

constexpr std::int32_t kAsCreate = 1, kAsShow = 2, kAsClose = 3, kAsTerminate = 4, kAsSetInitSetting = 6;

struct AfterScanDispatcher {
  AfterScanDispatcher() {
    ui.initUIM(3);
    const fnd::Dictionary bundle{{"TWAINID", fnd::Bundle::main().identifier()}};
    ui.setDsBundleInfo(&bundle, &dataSourceObject);
  }
  ~AfterScanDispatcher() { ui.releaseUIM(); }
  void send(std::int32_t kind, const fnd::Dictionary& dic = {}) { ui.uiControlMethod(fnd::makeShared(dic), kind); }
  void notify(std::int32_t kind, const fnd::Dictionary& dic = {}) {
    ui.uiControlNotification(fnd::makeShared(dic), kind);
    for (int i = 0; i < 5; ++i) fnd::RunLoop::main().runOnce(fnd::RunLoopMode::Default, 0.01);
  }
  Quirel_UserInterfaceModule* controller() const {
    auto* root = dynamic_cast<Dravon_QuirelRoot*>(ui.mainRoot());
    return root ? dynamic_cast<Quirel_UserInterfaceModule*>(root->quirel().windowController()) : nullptr;
  }
  void open(const std::string& name) {
    ASSERT_NE(controller(), nullptr);
    controller()->setDisplayManager(testDisplay());
    send(kAsCreate);
    send(kAsSetInitSetting, modelInitSetting(freshSettingsFolder(name)));
    send(kAsShow);
  }

  int dataSourceObject = 0;
  Dravon_UIController ui;
};

}  // namespace

TEST(AfterScanRoot, TheScanResultListOfAMultiPageScan) {
  DataSourceStandIn ds;
  AfterScanDispatcher d;
  d.open("root-scan-result");
  Quirel_UserInterfaceModule* c = d.controller();
  d.notify(202);
  ASSERT_NE(c->getScanResultDialog(), nullptr);
  // The data source's temporary picture of the page, in the program's own temporary folder:
  // shown, then deleted.
  const std::string page = fnd::RunTempFolder::path() + "/root-page.ppm";
  {
    std::ofstream out(page, std::ios::binary);
    out << "P6\n3 2\n255\n";
    for (int i = 0; i < 6; ++i) out.put('\x20').put('\x90').put('\x40');
  }
  d.notify(203, fnd::Dictionary{{"filePath", page}, {"fileErase", 1}});
  EXPECT_EQ(c->getScanResultDialog()->items().size(), 1u);
  EXPECT_FALSE(std::filesystem::exists(page));
  d.notify(205);
  EXPECT_TRUE(c->getScanResultDialog()->closeButton()->isEnabled());
  // While the data source waits on the window, Close answers its next hook.
  auto status = std::make_shared<Quirel_progressCancelStatus>();
  d.ui.uiControlEvent(status, 401);
  c->getScanResultDialog()->closeButton()->performClick();
  d.ui.uiControlEvent(status, 401);
  EXPECT_EQ(status->getCancelNum(), 1);
  d.notify(204);
  EXPECT_EQ(c->getScanResultDialog(), nullptr);
  d.send(kAsTerminate);
}

TEST(AfterScanRoot, TheModalSaveFolderNoticeAndACloseAskedForDuringIt) {
  DataSourceStandIn ds;
  AfterScanDispatcher d;
  d.open("root-save-notice");
  Quirel_UserInterfaceModule* c = d.controller();
  bool shown = false, closedInside = true;
  kit::Application::shared().onNextModalWindow([&](kit::Window& w) {
    shown = c->getCloseSavePathDialog() && &w == c->getCloseSavePathDialog()->getWindow();
    d.send(kAsClose);
    closedInside = c->isClosed();
    c->getCloseSavePathDialog()->okButton()->performClick();
  });
  auto dic = fnd::makeShared();
  EXPECT_EQ(d.ui.uiControlMessage(dic, 305), 1);
  EXPECT_TRUE(shown);
  EXPECT_FALSE(closedInside);
  EXPECT_EQ(c->getCloseSavePathDialog(), nullptr);
  for (int i = 0; i < 20 && !c->isClosed(); ++i) fnd::RunLoop::main().runOnce(fnd::RunLoopMode::Default, 0.01);
  EXPECT_TRUE(c->isClosed());
  d.send(kAsTerminate);
}
