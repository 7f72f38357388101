// How the real controller reaches its real modes, preview model, progress window and help: a
// preview of either mode, the toolbar's buttons, the progress detail, the after-scan windows and
// the restored frames, each checked where the other side acts on it.
#include <gtest/gtest.h>

#include "UserInterfaceModuleSupport.h"
#include "foundation/RunLoop.h"
#include "kit/RecordingWorkspace.h"
#include "ui/base/ProgressLayout.h"
#include "ui/controls/CTRLS_Preview.h"
#include "ui/controls/CTRLS_PushButton.h"
#include "ui/controls/PreviewView.h"
#include "ui/model/CropInfo.h"
#include "ui/model/PreferenceInfo.h"
#include "ui/model/PreviewInfo.h"
#include "ui/modes/advanced/ExtendMode.h"
#include "ui/modes/basic/StandardMode.h"
#include "ui/modes/multiscan/MultiScanMode.h"
#include "ui/windows/ProgressWindow.h"

namespace uim_test {
namespace {

kit::Application& wiringApp() { return kit::Application::shared(); }

class UserInterfaceModuleWiring : public ::testing::Test {
 protected:
  void TearDown() override {
    while (wiringApp().pendingModalResponders() > 0) {
      kit::Window spare(fnd::Rect(0, 0, 10, 10), kit::kTitledWindowMask);
      wiringApp().runModalForWindow(spare);
    }
  }
};

// The initial settings of a controller that starts in `mode`, kept in the fresh folder `name`.
fnd::Dictionary startIn(const std::string& name, int mode, bool ver1500 = true) {
  const std::string folder = freshSettingsFolder(name);
  storeStartMode(folder, mode);
  return generationInitSetting(folder, ver1500);
}

// The scanner's side of a preview: its size, its pixels and the end report with one document.
void scannerPreview(const Controller& c, fnd::Dictionary report = {}) {
  const int width = 255, height = 351;
  std::vector<std::uint8_t> pixels(static_cast<std::size_t>(width) * height * 3, 200);
  c->setPreviewMakeSizeMainThreadMode(width, height);
  c->setPreviewDataMainThreadMode(static_cast<std::int32_t>(pixels.size()), pixels.data());
  if (!report.contains("AutoMultiRect") && !report.contains("PreviewErrorFlag"))
    report.set("AutoMultiRect", fnd::Array{fnd::Dictionary{{"min", fnd::Dictionary{{"X", 20}, {"Y", 30}}},
                                                           {"max", fnd::Dictionary{{"X", 120}, {"Y", 200}}}}});
  c->endPreviewMainThreadMode(fnd::makeShared(report).get());
}

// The per-crop requests to the scan module from index `from` of the data source's list.
std::vector<fnd::Dictionary> cropRequestsFrom(const DataSourceStandIn& ds, std::size_t from) {
  std::vector<fnd::Dictionary> out;
  for (std::size_t i = from; i < ds.requests.size(); ++i)
    if (ds.requests[i] == "crop_Imageset2") out.push_back(ds.requestInfo[i]);
  return out;
}

// After a basic-mode preview the per-crop requests read the basic mode: the user's monitor
// gamma and the mode's image source, as the preview request just before them did.
TEST_F(UserInterfaceModuleWiring, ABasicPreviewsCropRequestsCarryTheBasicModesSettings) {
  DataSourceStandIn ds;
  Controller c(startIn("uimw-basic-crops", 0));
  c->showMainWindowMainThreadMode();
  ASSERT_EQ(c->getMode(), 0);
  Quirel_StandardMode& m = *c->getStandardMode();
  m.previewStart(nullptr);
  ASSERT_EQ(ds.count("Preview_Scan"), 1);
  const std::size_t before = ds.requests.size();
  const double gamma = c->getPreferenceInfo()->getMonitorGamma();
  ASSERT_GT(gamma, 0);
  scannerPreview(c);
  const std::vector<fnd::Dictionary> crops = cropRequestsFrom(ds, before);
  ASSERT_FALSE(crops.empty()) << "the frame found goes to the scan module for its correction";
  for (const fnd::Dictionary& r : crops) {
    EXPECT_DOUBLE_EQ(r.dictionary("ScanSetting").real("MonitorGamma"), gamma);
    EXPECT_EQ(r.dictionary("ScanSetting").integer("ImageSource"),
              ds.requestInfo[before - 1].dictionary("ScanSetting").integer("ImageSource"));
  }
}

// Preferences opens the dialog of the mode shown, or, on the multi-scan tab, of the mode it was
// entered from.
TEST_F(UserInterfaceModuleWiring, PreferencesOpensInEveryModeWithTheModeItWasEnteredFrom) {
  const struct {
    int start;
    int tab;  // the tab clicked before the button, or -1
    int dialogOf;
  } cases[] = {{0, -1, 0}, {1, -1, 1}, {1, 2, 1}, {0, 2, 0}};
  for (const auto& k : cases) {
    SCOPED_TRACE(std::to_string(k.start) + " " + std::to_string(k.tab));
    DataSourceStandIn ds;
    Controller c(startIn("uimw-prefs", k.start));
    c->getPreferenceInfo()->setPrevStart(2);
    c->showMainWindowMainThreadMode();
    ASSERT_EQ(c->getMode(), k.start);
    if (k.tab >= 0) {
      // Leaving for the multi-scan tab may ask first.
      for (int i = 0; i < 2; ++i)
        wiringApp().onNextModalWindow([](kit::Window&) { wiringApp().stopModalWithCode(1); });
      ASSERT_TRUE(clickModeTab(c, k.tab));
      for (int i = 0; i < 5; ++i) fnd::RunLoop::main().runOnce(fnd::RunLoopMode::Default, 0.02);
      TearDown();
      ASSERT_EQ(c->getMode(), k.tab);
    }
    Quirel_BaseScanMode* owner =
        k.dialogOf == 0 ? static_cast<Quirel_BaseScanMode*>(c->getStandardMode()) : c->getExtendMode();
    bool shown = false;
    wiringApp().onNextModalWindow([&](kit::Window&) {
      shown = owner->getPrefsDialog() != nullptr;
      wiringApp().stopModalWithCode(0);
    });
    c->getPreferenceButton()->pushBTAction();
    EXPECT_TRUE(shown) << "the preferences of mode " << k.dialogOf;
    EXPECT_EQ(wiringApp().pendingModalResponders(), 0u);
  }
}

// Calibration asked for from the preferences reaches the scan module from the advanced mode too.
TEST_F(UserInterfaceModuleWiring, CalibrationFromThePreferencesStartsInTheAdvancedMode) {
  for (const int mode : {0, 1}) {
    SCOPED_TRACE(mode);
    DataSourceStandIn ds;
    Controller c(startIn("uimw-calibration", mode));
    c->getPreferenceInfo()->setPrevStart(2);
    c->showMainWindowMainThreadMode();
    ASSERT_EQ(c->getMode(), mode);
    // The notice before a calibration is answered with OK.
    wiringApp().onNextModalWindow([](kit::Window&) { wiringApp().stopModalWithCode(1); });
    fnd::NotificationCenter::defaultCenter().post("PreferenceCalibrationStartPost", nullptr,
                                                  fnd::makeShared(fnd::Dictionary{{"CalibrationMode", 1}}));
    for (int i = 0; i < 5; ++i) fnd::RunLoop::main().runOnce(fnd::RunLoopMode::Default, 0.02);
    TearDown();
    EXPECT_EQ(ds.count("ExecuteCalibrationPost"), 1);
  }
}

// The toolbar's Help opens the model's help, in both modes.
TEST_F(UserInterfaceModuleWiring, HelpFromTheToolbarOpensTheHelp) {
  for (const int mode : {0, 1}) {
    SCOPED_TRACE(mode);
    DataSourceStandIn ds;
    kit::RecordingWorkspace workspace;
    // The shipped model: its help is the web manual.
    const std::string folder = freshSettingsFolder("uimw-help");
    storeStartMode(folder, mode);
    Controller c(modelInitSetting(folder));
    c->getPreferenceInfo()->setPrevStart(2);
    c->showMainWindowMainThreadMode();
    if (mode == 0)
      c->getStandardMode()->toolHelpButtonClick(nullptr);
    else
      c->getExtendMode()->toolHelpButtonClick(fnd::Notification{"press", nullptr});
    EXPECT_EQ(workspace.requests.size(), 1u);
  }
}

// On the newest models an automatic crop that finds nothing (narrower than 12) deletes the
// focused frame: each mode's own handling, which the plain refit does not have.
TEST_F(UserInterfaceModuleWiring, AnAutomaticCropThatFindsNothingTakesTheModesOwnWay) {
  for (const int mode : {0, 1}) {
    SCOPED_TRACE(mode);
    DataSourceStandIn ds;
    Controller c(startIn("uimw-autocrop", mode));
    c->getPreferenceInfo()->setPrevStart(2);
    c->showMainWindowMainThreadMode();
    Quirel_BaseScanMode& m = mode == 0 ? static_cast<Quirel_BaseScanMode&>(*c->getStandardMode()) : *c->getExtendMode();
    if (mode == 0)
      c->getStandardMode()->previewStart(nullptr);
    else
      c->getExtendMode()->previewStart(fnd::Notification{"press", nullptr});
    scannerPreview(c);
    ASSERT_EQ(m.getCropList().size(), 1u);
    const fnd::Dictionary tiny{{"min", fnd::Dictionary{{"X", 40}, {"Y", 40}}},
                               {"max", fnd::Dictionary{{"X", 45}, {"Y", 44}}}};
    c->getPreviewInfo()->setAutoCropInitRect(&tiny);
    fnd::NotificationCenter::defaultCenter().post("reDrawCropbyAutoCropButtonPost", nullptr);
    EXPECT_TRUE(m.getCropList().empty());
  }
}

// The progress window's source and colour rows are filled in the advanced mode as in the basic.
TEST_F(UserInterfaceModuleWiring, TheProgressDetailNamesTheSourceAndColourInBothModes) {
  for (const int mode : {0, 1}) {
    SCOPED_TRACE(mode);
    DataSourceStandIn ds;
    Controller c(startIn("uimw-progress", mode));
    c->getPreferenceInfo()->setPrevStart(2);
    c->showMainWindowMainThreadMode();
    Quirel_ProgressWindow progress;
    progress.setInitSettingMainThreadMode(fnd::makeShared(modelInitSetting(freshSettingsFolder("uimw-progress-w"))));
    progress.createProgressWindowMainThreadMode();
    const fnd::Dictionary crop{{"Resolution", 300}};
    const fnd::Dictionary info{
        {"MessageID", 1325},
        {"DetailInfo", true},
        {"ScanInfo", fnd::Dictionary{{"ScanSetting", fnd::Dictionary{{"ColorSetting", 0}}}, {"CropItem", fnd::Array{crop}}}}};
    progress.setInformationDataMainThreadMode(&info);
    progress.setScanningInfoMainThreadMode(1, 1, 1);
    EXPECT_NE(progress.detailValue(0)->stringValue(), "");
    EXPECT_NE(progress.detailValue(1)->stringValue(), "");
    progress.closeProgressWindowMainThreadMode();
  }
}

// The progress window reads the model's file as the controller does: the shipped model, which
// the data source names by folder and model word, takes the newer layout.
TEST_F(UserInterfaceModuleWiring, TheProgressWindowReadsTheModelTheDataSourceNames) {
  for (const bool newer : {true, false}) {
    SCOPED_TRACE(newer);
    DataSourceStandIn ds;
    const std::string folder = freshSettingsFolder("uimw-progress-layout");
    const fnd::Dictionary init = newer ? modelInitSetting(folder) : generationInitSetting(folder, false);
    Controller c(init);
    ASSERT_EQ(c->getScannerInfo()->isVer1500Later(), newer);
    Quirel_ProgressWindow progress;
    progress.setInitSettingMainThreadMode(fnd::makeShared(init));
    EXPECT_EQ(progress.layout(), newer ? Quirel_ProgressLayout::kNewerLayout
                                       : Quirel_ProgressLayout::kOlderLayout);
  }
}

// A question of the same name from another sender gets no answer and does no harm.
TEST_F(UserInterfaceModuleWiring, TheProgressQuestionsFromAnotherSenderAreNotAnswered) {
  DataSourceStandIn ds;
  Controller c(startIn("uimw-progress-sender", 0));
  c->showMainWindowMainThreadMode();
  std::vector<std::uint8_t> stranger(4096, 0xA5);
  fnd::NotificationCenter::defaultCenter().post(Quirel_ProgressWindow::kSetImageSourceAndColorModeStrPost,
                                                stranger.data());
  fnd::NotificationCenter::defaultCenter().post("setMainWindowObjectPost", stranger.data());
  EXPECT_EQ(stranger, std::vector<std::uint8_t>(4096, 0xA5));
}

// The after-scan windows disable the mode shown: in the advanced mode its own panel.
TEST_F(UserInterfaceModuleWiring, TheAfterScanWindowsDisableTheModeShown) {
  for (const int mode : {0, 1}) {
    SCOPED_TRACE(mode);
    DataSourceStandIn ds;
    Controller c(startIn("uimw-after-scan", mode));
    c->getPreferenceInfo()->setPrevStart(2);
    c->showMainWindowMainThreadMode();
    Quirel_BaseScanMode& shown =
        mode == 0 ? static_cast<Quirel_BaseScanMode&>(*c->getStandardMode()) : *c->getExtendMode();
    c->showCloseSelectWindow();
    EXPECT_NE(shown.getWindowMaskView(), nullptr);
    c->closeCloseSelectWindow();
    EXPECT_EQ(shown.getWindowMaskView(), nullptr);
  }
}

// A failed start-up preview gives the window back, and the preview model is marked for the reset.
TEST_F(UserInterfaceModuleWiring, AFailedStartUpPreviewGivesTheWindowBack) {
  for (const int mode : {0, 1}) {
    SCOPED_TRACE(mode);
    DataSourceStandIn ds;
    // The last run kept its preview, and the preferences ask for it again at start.
    const std::string folder = freshSettingsFolder("uimw-start-failed");
    fs::create_directories(folder);
    Quirel_PreferenceInfo preferences;
    preferences.setPrevStart(1);
    ASSERT_TRUE(preferences.writeToFolder(folder));
    writePlist(folder + "InitSetting.xml",
               fnd::Dictionary{{"MainWindow", fnd::Dictionary{{"x", 100.0}, {"y", 50.0}, {"width", 1000.0},
                                                              {"height", 800.0}, {"hiddenWidth", 0.0}}},
                               {"Mode", mode},
                               {"BeforeMode", 0},
                               {mode == 0 ? "StandardMode" : "ExtendMode", fnd::Dictionary{{"HasPreview", true}}}});
    Controller c(generationInitSetting(folder, true));
    ASSERT_EQ(c->getPreferenceInfo()->getPrevStart(), 1);
    c->showMainWindowMainThreadMode();
    Quirel_BaseScanMode& m = mode == 0 ? static_cast<Quirel_BaseScanMode&>(*c->getStandardMode()) : *c->getExtendMode();
    ASSERT_TRUE(m.getPreviewAtStart()) << "the start-up preview was asked for";
    ASSERT_NE(m.getWindowMaskView(), nullptr);
    scannerPreview(c, fnd::Dictionary{{"PreviewErrorFlag", 1}});
    EXPECT_TRUE(c->getPreviewInfo()->getUIResetImageError());
    EXPECT_EQ(m.getWindowMaskView(), nullptr);
  }
}

// After a preview the frames' cursor areas are renewed (older models keep them on the view).
TEST_F(UserInterfaceModuleWiring, AfterAPreviewTheFramesHaveTheirCursorAreas) {
  DataSourceStandIn ds;
  Controller c(startIn("uimw-cursors", 0, false));
  c->getPreferenceInfo()->setPrevStart(2);
  c->showMainWindowMainThreadMode();
  Quirel_StandardMode& m = *c->getStandardMode();
  m.previewStart(nullptr);
  scannerPreview(c);
  ASSERT_EQ(m.getCropList().size(), 1u);
  ASSERT_NE(m.getPreviewView(), nullptr);
  EXPECT_FALSE(m.getPreviewView()->getImageView()->cursorRects().empty());
}

// Frames restored with their data-retain numbers keep them: the next number handed out is free.
TEST_F(UserInterfaceModuleWiring, RestoredFramesKeepTheirRetainNumbers) {
  DataSourceStandIn ds;
  const std::string folder = freshSettingsFolder("uimw-retain");
  const fnd::Dictionary frame{{"Resolution", 300}, {"retainNum", 1}, {"Selected", true}, {"Forcus", true}};
  writePlist(folder + "InitSetting.xml",
             fnd::Dictionary{{"MainWindow", fnd::Dictionary{{"x", 100.0}, {"y", 50.0}, {"width", 900.0},
                                                            {"height", 700.0}, {"hiddenWidth", 0.0}}},
                             {"Mode", 1},
                             {"BeforeMode", 1},
                             {"ExtendMode", fnd::Dictionary{{"ImageSource", 0}, {"CropList", fnd::Array{frame}}}}});
  Controller c(modelInitSetting(folder));
  ASSERT_EQ(c->getExtendMode()->getCropList().size(), 1u);
  ASSERT_EQ(c->getExtendMode()->getCropList().front()->getRetainNumber(), 1);
  EXPECT_EQ(c->getPreviewInfo()->searchRetainNumber(), 2);
}

// Only "UILessMode" 1 means a scan without the main window; another value builds the window.
TEST_F(UserInterfaceModuleWiring, OnlyUILessModeOneLeavesTheMainWindowOut) {
  for (const int value : {2, -1}) {
    SCOPED_TRACE(value);
    DataSourceStandIn ds;
    fnd::Dictionary init = modelInitSetting(freshSettingsFolder("uimw-uiless-value"));
    init.set("UILessMode", value);
    Controller c(init);
    EXPECT_NE(c->getMode(), 3);
    EXPECT_NE(c->getStandardMode(), nullptr);
    EXPECT_NE(c->getExtendMode(), nullptr);
  }
}

}  // namespace
}  // namespace uim_test
