// The basic mode's toolbar in the real program on the simulated scanner: after a preview the
// platen-thumbnail button shows the documents the scanner found on the platen as thumbnails.
#include <algorithm>
#include <cstdlib>
#include <optional>

#include "TestEnvironment.h"
#include "ProgramRoadSupport.h"
#include "datasource/DirectTWAIN.h"
#include "datasource/UIRoot.h"
#include "datasource/windows/QuirelRoot.h"
#include "foundation/Paths.h"
#include "foundation/Timer.h"
#include "foundation/PropertyList.h"
#include "foundation/RunLoop.h"
#include "kit/Window.h"
#include "launcher/DirectTWAINPort.h"
#include "scanmodule/DeviceModel.h"
#include "scanmodule/Scene.h"
#include "scanmodule/SimController.h"
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
#include "ui/settings/PrefsDialog.h"
#include "ui/settings/ScannerTestDialog.h"
#include "ui/windows/ProgressWindow.h"
#include "ui/windows/ShowMessageDialog.h"
#include "ui/controls/NoFocusButton.h"
#include "ui/controls/NoFocusTextField.h"

namespace launchertest {
namespace {

namespace fs = std::filesystem;

class BasicToolbarRoad : public ProgramRoadTest {
 protected:
  void SetUp() override {
    ProgramRoadTest::SetUp();
    withoutLastSettings();
  }
  void TearDown() override {
    // The program closes before the device file and the resources are put back.
    if (delegate && !kit::Application::shared().isTerminated() && controller() && controller()->getMainWindow())
      closeProgram();
    restoreEnvironment();
    ProgramRoadTest::TearDown();
  }
  Quirel_StandardMode* mode() const { return controller() ? controller()->getStandardMode() : nullptr; }
  bool controlsEnabled() const {
    return window() && window()->isEnabled() && mode()->getWindowMaskView() == nullptr &&
           mode()->getScanButton()->getColorPushBT()->isEnabled();
  }
  void openToTheBasicTab() {
    launchProgram();
    ASSERT_TRUE(runUntil([&] { return delegate->uiNotOpen() == 0 && window() && window()->isVisible(); }));
    ASSERT_EQ(controller()->getMode(), 0);
    ASSERT_NE(mode(), nullptr);
  }

  // The simulated scanner as the default list describes it, with behaviour switches added.
  void scannerWithBehaviour(const fnd::Dictionary& switches) {
    fnd::PropertyList::Result list = fnd::PropertyList::readFile(fnd::Paths::resourceDir() + "/devices/VirtualDevices.plist");
    ASSERT_TRUE(list.ok());
    fnd::Dictionary file = list.value->toDictionary();
    fnd::Array devices = file.array("Devices");
    ASSERT_FALSE(devices.empty());
    fnd::Dictionary device = devices[0].toDictionary();
    fnd::Dictionary behaviour = device.dictionary("Behaviour");
    for (const auto& [key, value] : switches) behaviour.set(key, value);
    device.set("Behaviour", behaviour);
    file.set("Devices", fnd::Array{device});
    const std::string path = (testenv::freshFolder("toolbar-road-devices") / "Devices.plist").string();
    ASSERT_TRUE(fnd::PropertyList::writeFile(fnd::Value(file), path));
    deviceFile_.emplace("TRIVOLAN_DEVICE_FILE", path);
  }

  // The program's resources with the road model's parameters changed: every entry a link to
  // the real one but the model folder, which holds the edited copy.
  void modelWithScannerInfo(const fnd::Dictionary& scannerInfo) {
    const fs::path real = fnd::Paths::resourceDir();
    const fs::path fixture = testenv::freshFolder("toolbar-road-resources");
    for (const auto& entry : fs::directory_iterator(real))
      if (entry.path().filename() != "models") fs::create_directory_symlink(entry.path(), fixture / entry.path().filename());
    fs::create_directories(fixture / "models");
    for (const auto& entry : fs::directory_iterator(real / "models")) {
      fnd::PropertyList::Result model = fnd::PropertyList::readFile(entry.path().string());
      ASSERT_TRUE(model.ok());
      fnd::Dictionary parameters = model.value->toDictionary();
      fnd::Dictionary scanner = parameters.dictionary("ScannerInfo");
      for (const auto& [key, value] : scannerInfo) scanner.set(key, value);
      parameters.set("ScannerInfo", scanner);
      ASSERT_TRUE(fnd::PropertyList::writeFile(fnd::Value(parameters), (fixture / "models" / entry.path().filename()).string()));
    }
    resourceDir_.emplace("TRIVOLAN_RESOURCE_DIR", fixture.string());
  }
  // The device file and the resources put back (the program must have closed first).
  void restoreEnvironment() {
    deviceFile_.reset();
    resourceDir_.reset();
  }

  // What the user saw running the self-test from the preferences of the basic tab.
  struct SelfTestRun {
    std::string message;
    int closeCode = -1;
    bool prefsLeftOpen = false;
  };
  SelfTestRun selfTestFromThePreferences() {
    SelfTestRun run;
    answerBoxes = false;
    kit::Application& app = kit::Application::shared();
    app.onNextModalWindow([&](kit::Window&) {
      Quirel_PrefsDialog* prefs = mode()->getPrefsDialog();
      if (!prefs || !prefs->mScanTestBtn) {
        ADD_FAILURE() << "the preferences offer the self-test";
        if (prefs) prefs->PreferenceCancelClose();
        return;
      }
      prefs->tabView()->getTabView()->selectTabViewItem(prefs->tabView()->tabItem(Quirel_CTRLS_PREFTabView::kScanner));
      app.onNextModalWindow([&](kit::Window& w) {
        auto* test = dynamic_cast<Quirel_ScannerTestDialog*>(&w);
        if (!test) {
          app.stopModalWithCode(0);
          return;
        }
        test->startButton()->performClick();
        for (int i = 0; i < 400 && !test->closeButton()->isEnabled(); ++i)
          fnd::RunLoop::main().runOnce(fnd::RunLoopMode::ModalPanel, 0.05);
        run.message = test->messageField()->stringValue();
        test->closeButton()->performClick();
      });
      prefs->mScanTestBtn->getPushBT()->performClick();
      run.prefsLeftOpen = !prefs->isClosing();
      if (run.prefsLeftOpen) prefs->PreferenceCancelClose();
    });
    controller()->getPreferenceButton()->getPushBT()->performClick();
    answerBoxes = true;
    return run;
  }

  // The quiet-mode button of the preferences, whose device exchange the simulated scanner
  // refuses; answers the texts of the message boxes shown on the way.
  std::vector<std::string> quietModeFromThePreferences(bool expectBox) {
    std::vector<std::string> texts;
    answerBoxes = false;
    kit::Application& app = kit::Application::shared();
    app.onNextModalWindow([&](kit::Window&) {
      Quirel_PrefsDialog* prefs = mode()->getPrefsDialog();
      if (!prefs || !prefs->mQuietModeSettingBtn) {
        ADD_FAILURE() << "the preferences offer the quiet-mode setting";
        if (prefs) prefs->PreferenceCancelClose();
        return;
      }
      prefs->tabView()->getTabView()->selectTabViewItem(prefs->tabView()->tabItem(Quirel_CTRLS_PREFTabView::kScanner));
      if (expectBox) app.onNextModalWindow([&](kit::Window& w) {
        auto* box = dynamic_cast<Quirel_ShowMessageDialog*>(&w);
        texts.push_back(box ? box->textField()->stringValue() : std::string("<not a message>"));
        if (box)
          box->okButton()->performClick();
        else
          app.stopModalWithCode(0);
      });
      prefs->mQuietModeSettingBtn->getPushBT()->performClick();
      if (!prefs->isClosing()) {
        ADD_FAILURE() << "the refused exchange closes the preferences";
        prefs->PreferenceCancelClose();
      }
    });
    controller()->getPreferenceButton()->getPushBT()->performClick();
    answerBoxes = true;
    return texts;
  }

  std::optional<testenv::ScopedEnv> deviceFile_;
  std::optional<testenv::ScopedEnv> resourceDir_;
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
  // One thumbnail per document found, each with its picture: the document's preview pixels.
  ASSERT_EQ(m.getThumbnailList().size(), std::min<std::size_t>(documents, Quirel_BaseScanMode::kMaxThumbnails));
  EXPECT_FALSE(m.getChangeThumbnailMode());
  EXPECT_TRUE(m.getPreviewView()->isHidden());
  const double k = velmor::SimController::kPreviewResolution;
  for (std::size_t i = 0; i < m.getThumbnailList().size(); ++i) {
    SCOPED_TRACE(i);
    auto* view = dynamic_cast<Quirel_ThumbnailPreviewView*>(m.getThumbnailList()[i]->getPreviewView());
    ASSERT_NE(view, nullptr);
    ASSERT_TRUE(view->getImage().has_value()) << "the thumbnail has its picture";
    const velmor::Scene platen = velmor::Scene::platen(model.platenWidth, model.platenHeight);
    const auto& doc = platen.documents()[i];
    const kit::Image& picture = *view->getImage();
    EXPECT_NEAR(picture.pixelsWide(), doc.width * k, 2);
    EXPECT_NEAR(picture.pixelsHigh(), doc.height * k, 2);
    // Its middle is the document's middle.
    const kit::Color seen = picture.colorAtPixel(picture.pixelsWide() / 2, picture.pixelsHigh() / 2);
    const velmor::Rgb there = platen.colourAt(doc.x + doc.width / 2, doc.y + doc.height / 2);
    EXPECT_NEAR(seen.redComponent(), there.r, 0.1);
    EXPECT_NEAR(seen.greenComponent(), there.g, 0.1);
    EXPECT_NEAR(seen.blueComponent(), there.b, 0.1);
  }

  const fs::path shots = TRIVOLAN_LAUNCHER_SHOTS_DIR;
  fs::create_directories(shots);
  ASSERT_TRUE(window()->grabToPng((shots / "basic-mode-platen-thumbnails.png").string()));
}

// The automatic-crop button, pressed with the frame over part of a photograph: the scanner
// answers the document under the frame, and the frame snaps to that document (not to the area
// around every document the preview found).
TEST_F(BasicToolbarRoad, TheAutomaticCropButtonSnapsAFrameOverPartOfAPhotoToThatPhoto) {
  openToTheBasicTab();
  Quirel_StandardMode& m = *mode();
  m.getPreviewButton()->PreviewBTAction();
  ASSERT_TRUE(runUntil([&] { return controlsEnabled() && m.getHasPreview() && m.getFocusCrop(); }, 1200));
  const velmor::DeviceModel model =
      velmor::DeviceModel::resolve(fnd::Dictionary{{"DeviceName", "Vantrel TS-800 Virtual"}});
  const velmor::Scene platen = velmor::Scene::platen(model.platenWidth, model.platenHeight);
  ASSERT_GT(platen.documents().size(), 1u);
  const auto& photo = platen.documents().front();
  const double k = velmor::SimController::kPreviewResolution;
  // Where the frame stands when it lies exactly on the photo (preview pixels, the corner
  // pixels inside), the frame's own units.
  m.setAutoCropRect(m.getPreviewDataSize(),
                    makeSRectDouble(photo.x * k, photo.y * k, photo.width * k - 1, photo.height * k - 1));
  const SRectDouble onPhoto = m.getFocusCrop()->getInputRect_Pixel96();
  // The frame drawn over the photo's upper left quarter.
  m.setAutoCropRect(m.getPreviewDataSize(), makeSRectDouble(photo.x * k + 5, photo.y * k + 5, photo.width * k / 2,
                                                            photo.height * k / 2));
  const SRectDouble drawn = m.getFocusCrop()->getInputRect_Pixel96();
  ASSERT_LT(drawn.size.width, onPhoto.size.width - 10);

  m.toolAutoCropButtonClick(nullptr);
  ASSERT_TRUE(runUntil([&] { return controlsEnabled(); }));
  ASSERT_EQ(m.getCropList().size(), 1u);
  const SRectDouble snapped = m.getFocusCrop()->getInputRect_Pixel96();
  const double slack = 2 * onPhoto.size.width / (photo.width * k - 1);  // two preview pixels
  EXPECT_NEAR(snapped.origin.x, onPhoto.origin.x, slack);
  EXPECT_NEAR(snapped.origin.y, onPhoto.origin.y, slack);
  EXPECT_NEAR(snapped.size.width, onPhoto.size.width, slack);
  EXPECT_NEAR(snapped.size.height, onPhoto.size.height, slack);
}

// The self-test from the basic tab's preferences, through the data source and the simulated
// scanner: a passing test leaves the preferences open; a failing one closes them with an error

// A scanner slow to answer at the start of a scan: the program shows the connecting window
// while it waits, and takes it down when the scanner answers; the scan then goes on.
TEST_F(BasicToolbarRoad, ASlowScannerShowsTheConnectingWindowWhileItAnswers) {
  scannerWithBehaviour({{"SlowOpen", 0.5}});
  openToTheBasicTab();
  Quirel_StandardMode& m = *mode();
  m.getPreviewButton()->PreviewBTAction();
  ASSERT_TRUE(runUntil([&] { return controlsEnabled() && m.getHasPreview(); }, 1200));
  controller()->getPreferenceInfo()->setSavePath(testenv::freshFolder("toolbar-road-slow").string());
  bool shown = false;
  std::string text;
  auto connecting = [&] {
    auto* root = dataSource() ? dynamic_cast<Dravon_QuirelRoot*>(dataSource()->connectRoot()) : nullptr;
    auto* progress = root ? dynamic_cast<Quirel_ProgressWindow*>(root->quirel().progressWindow()) : nullptr;
    kit::Window* window = progress ? progress->scannerConnectWindow() : nullptr;
    if (window && window->isVisible()) {
      shown = true;
      text = progress->scannerConnectMessage()->stringValue();
    }
    return shown;
  };
  m.getScanButton()->ScanBTAction();
  EXPECT_TRUE(runUntil(connecting, 400)) << "the connecting window came up";
  EXPECT_FALSE(text.empty());
  ASSERT_TRUE(runUntil([&] { return !delegate->isTransferring() && !delegate->isScanning() && controlsEnabled(); }, 2400));
  EXPECT_EQ(dataSource()->connectRoot(), nullptr) << "and went when the scanner answered";
}

// that asks the data source to close the driver.
TEST_F(BasicToolbarRoad, TheSelfTestFromThePreferencesPassesOrClosesTheDriver) {
  for (bool failing : {false, true}) {
    SCOPED_TRACE(failing ? "failing" : "passing");
    // A model that offers the self-test: not a multi-function one, not scanner-only.
    modelWithScannerInfo(fnd::Dictionary{{"MFP", false}, {"SFS", false}, {"ScannerTest", true}});
    if (failing) scannerWithBehaviour(fnd::Dictionary{{"ScannerTestStatus", 1629}});
    std::vector<std::string> closes;
    fnd::NotificationCenter::Token token = fnd::NotificationCenter::defaultCenter().observe(
        "Click_CloseButton", nullptr, [&](const fnd::Notification& n) { closes.push_back(n.name); });
    openToTheBasicTab();
    if (HasFatalFailure()) return;
    const SelfTestRun run = selfTestFromThePreferences();
    EXPECT_EQ(mode()->getPrefsDialog(), nullptr);
    if (!failing) {
      EXPECT_EQ(run.message, "The scanner test completed successfully.");
      EXPECT_TRUE(run.prefsLeftOpen);
      EXPECT_TRUE(closes.empty());
    } else {
      EXPECT_NE(run.message, "The scanner test completed successfully.");
      EXPECT_FALSE(run.prefsLeftOpen);
      EXPECT_EQ(closes.size(), 1u) << "the data source is asked to close the driver";
    }
    controller()->getCloseWindowButton()->pushBTAction();
    runUntil([] { return kit::Application::shared().isTerminated(); }, 400);
    delegate.reset();
    kit::Application::shared().resetTerminated();
    restoreEnvironment();
  }
}

// The quiet-mode button of the preferences on a device that refuses the exchange: a status the
// device gives (1) closes the preferences with the window's controls disabled; a failed
// exchange (-1) says so and asks the data source to close the driver.
TEST_F(BasicToolbarRoad, ARefusedQuietModeExchangeClosesThePreferences) {
  for (int status : {1, -1}) {
    SCOPED_TRACE(status);
    modelWithScannerInfo(fnd::Dictionary{{"MFP", false}, {"SFS", false}, {"QuietMode", true}, {"QuietModeSettingType", 2}});
    scannerWithBehaviour(fnd::Dictionary{{"FuncStatus", status}});
    std::vector<std::string> names;
    std::vector<fnd::NotificationCenter::Token> tokens;
    for (const char* name : {"Click_CloseButton", "disableMainWindowControlPost"})
      tokens.push_back(fnd::NotificationCenter::defaultCenter().observe(
          name, nullptr, [&](const fnd::Notification& n) { names.push_back(n.name); }));
    openToTheBasicTab();
    if (HasFatalFailure()) return;
    const std::vector<std::string> texts = quietModeFromThePreferences(status != 1);
    EXPECT_EQ(mode()->getPrefsDialog(), nullptr);
    if (status == 1) {
      EXPECT_TRUE(texts.empty());
      EXPECT_EQ(names, std::vector<std::string>{"disableMainWindowControlPost"});
      // The window controller takes the request: the basic mode's controls are off.
      runUntil([&] { return !mode()->getScanButton()->getColorPushBT()->isEnabled(); }, 200);
      EXPECT_FALSE(mode()->getScanButton()->getColorPushBT()->isEnabled());
      EXPECT_FALSE(mode()->getPreviewButton()->getColorPushBT()->isEnabled());
    } else {
      ASSERT_EQ(texts.size(), 1u);
      EXPECT_NE(texts[0].find("could not be exchanged with the scanner"), std::string::npos) << texts[0];
      EXPECT_EQ(names, std::vector<std::string>{"Click_CloseButton"});
    }
    tokens.clear();
    if (controller() && controller()->getMainWindow()) {
      controller()->getCloseWindowButton()->pushBTAction();
      runUntil([] { return kit::Application::shared().isTerminated(); }, 400);
    }
    delegate.reset();
    kit::Application::shared().resetTerminated();
    restoreEnvironment();
  }
}

}  // namespace
}  // namespace launchertest
