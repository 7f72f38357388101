// The basic mode's toolbar in the real program on the simulated scanner: after a preview the
// platen-thumbnail button shows the documents the scanner found on the platen as thumbnails.
#include <algorithm>

#include "TestEnvironment.h"
#include "TransferTestSupport.h"
#include "datasource/DirectTWAIN.h"
#include "datasource/UIRoot.h"
#include "datasource/windows/QuirelRoot.h"
#include "foundation/Paths.h"
#include "foundation/Timer.h"
#include "kit/Window.h"
#include "launcher/DirectTWAINPort.h"
#include "scanmodule/DeviceModel.h"
#include "scanmodule/Scene.h"
#include "ui/controls/CTRLS_MainWindow.h"
#include "ui/controls/CTRLS_Preview.h"
#include "ui/controls/CTRLS_PushButton.h"
#include "ui/controls/CTRLS_STDPreviewButton.h"
#include "ui/controls/CTRLS_STDScanButton.h"
#include "ui/controls/CTRLS_TOOLThumbnailButton.h"
#include "ui/controls/MainWindow.h"
#include "ui/controls/ThumbnailPreviewView.h"
#include "ui/controls/ToolButton.h"
#include "ui/frontdoor/Quirel.h"
#include "ui/frontdoor/UserInterfaceModule.h"
#include "ui/model/ThumbnailInfo.h"
#include "ui/modes/basic/StandardMode.h"

namespace launchertest {
namespace {

namespace fs = std::filesystem;

class BasicToolbarRoad : public TransferTest {
 protected:
  void SetUp() override {
    TransferTest::SetUp();
    Zorvik_SetMainWindowStandIn(std::nullopt);
    // A box the road brings up is answered with OK.
    answerer_ = fnd::Timer::scheduled(
        0.05, true,
        [](fnd::Timer&) {
          kit::Application& a = kit::Application::shared();
          if (a.modalWindow() && a.pendingModalResponders() == 0) a.stopModalWithCode(1);
        },
        fnd::kCommonModes);
    const std::string settings = fnd::Paths::configDir() + "/";
    fs::create_directories(settings);
    fs::remove(settings + "InitSetting.xml");
    fs::remove(settings + "Preference.xml");
  }
  void TearDown() override {
    if (delegate && !kit::Application::shared().isTerminated() && controller() && controller()->getMainWindow()) {
      controller()->getCloseWindowButton()->pushBTAction();
      runUntil([] { return kit::Application::shared().isTerminated(); }, 400);
    }
    answerer_->invalidate();
    TransferTest::TearDown();
  }
  Quirel_UserInterfaceModule* controller() const {
    auto* port = delegate ? dynamic_cast<Zorvik_DirectTWAINPort*>(delegate->dataSource()) : nullptr;
    Dravon_UIRoot* r = port ? port->dataSource().userInterfaceRoot() : nullptr;
    auto* quirelRoot = dynamic_cast<Dravon_QuirelRoot*>(r);
    return quirelRoot ? dynamic_cast<Quirel_UserInterfaceModule*>(quirelRoot->quirel().windowController()) : nullptr;
  }
  Quirel_MainWindow* window() const {
    Quirel_UserInterfaceModule* c = controller();
    return c && c->getMainWindow() ? c->getMainWindow()->getWindow() : nullptr;
  }
  Quirel_StandardMode* mode() const { return controller() ? controller()->getStandardMode() : nullptr; }
  bool controlsEnabled() const {
    return window() && window()->isEnabled() && mode()->getWindowMaskView() == nullptr &&
           mode()->getScanButton()->getColorPushBT()->isEnabled();
  }
  void openToTheBasicTab() {
    delegate = std::make_unique<Zorvik_AppDelegate>([] { return Zorvik_MakeDirectTWAIN(); }, std::string());
    kit::Application::shared().setDelegate(delegate.get());
    launch();
    ASSERT_TRUE(runUntil([&] { return delegate->uiNotOpen() == 0 && window() && window()->isVisible(); }));
    ASSERT_EQ(controller()->getMode(), 0);
    ASSERT_NE(mode(), nullptr);
  }

  std::shared_ptr<fnd::Timer> answerer_;
};

TEST_F(BasicToolbarRoad, ThePlatenThumbnailButtonShowsTheFoundDocumentsAsThumbnails) {
  openToTheBasicTab();
  Quirel_StandardMode& m = *mode();
  mode()->getPreviewButton()->PreviewBTAction();
  ASSERT_TRUE(runUntil([&] { return controlsEnabled() && m.getHasPreview(); }, 1200));
  ASSERT_EQ(m.getScanMode(), 0);
  ASSERT_NE(m.getPlatenThumbnailButton(), nullptr) << "the model offers platen thumbnails";

  m.getPlatenThumbnailButton()->getToolBT()->sendAction();
  EXPECT_EQ(m.getScanMode(), 1);
  ASSERT_TRUE(runUntil([&] { return controlsEnabled() && !m.getThumbnailList().empty(); }, 1200))
      << "the thumbnails came with the controls enabled again";
  const velmor::DeviceModel model =
      velmor::DeviceModel::resolve(fnd::Dictionary{{"DeviceName", "Vantrel TS-800 Virtual"}});
  const std::size_t documents = velmor::Scene::platen(model.platenWidth, model.platenHeight).documents().size();
  ASSERT_GT(documents, 1u);
  // Not yet one per document: the preview model takes the first entry of the scanner's list as
  // the whole area found and makes thumbnails of the rest, while the simulated scanner lists
  // only the documents, so the first document gets none.
  EXPECT_EQ(m.getThumbnailList().size(), std::min<std::size_t>(documents - 1, Quirel_BaseScanMode::kMaxThumbnails));
  EXPECT_FALSE(m.getChangeThumbnailMode());
  EXPECT_TRUE(m.getPreviewView()->isHidden());
  // Not yet: the thumbnails stay without pictures (the preview model makes no thumbnail image
  // of this preview), so the picture below shows empty cells.
  int pictured = 0;
  for (const auto& t : m.getThumbnailList()) {
    auto* view = dynamic_cast<Quirel_ThumbnailPreviewView*>(t->getPreviewView());
    pictured += view && view->getImage().has_value();
  }
  EXPECT_EQ(pictured, 0);

  const fs::path shots = TRIVOLAN_LAUNCHER_SHOTS_DIR;
  fs::create_directories(shots);
  ASSERT_TRUE(window()->grabToPng((shots / "basic-mode-platen-thumbnails.png").string()));
}

}  // namespace
}  // namespace launchertest
