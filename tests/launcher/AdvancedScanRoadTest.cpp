// The advanced mode's main road in the real program: opened in the advanced tab with the
// simulated scanner, Preview shows the platen with a frame on the first document, 600 dpi is
// chosen from the resolution list, and Scan leaves a JPEG of the frame in the save folder.
#include <algorithm>
#include <cmath>
#include <filesystem>

#include "TestEnvironment.h"
#include "ProgramRoadSupport.h"
#include "datasource/DirectTWAIN.h"
#include "datasource/UIRoot.h"
#include "datasource/windows/QuirelRoot.h"
#include "foundation/Paths.h"
#include "foundation/PropertyList.h"
#include "kit/Menu.h"
#include "kit/Window.h"
#include "launcher/DirectTWAINPort.h"
#include "scanmodule/DeviceModel.h"
#include "scanmodule/ImageRenderer.h"
#include "scanmodule/Scene.h"
#include "scanmodule/SimController.h"
#include "ui/controls/CTRLS_ADVPreviewButton.h"
#include "ui/controls/CTRLS_ADVScanButton.h"
#include "ui/controls/CTRLS_MainWindow.h"
#include "ui/controls/CTRLS_PushButton.h"
#include "ui/controls/CTRLS_ResolutionComboBox.h"
#include "ui/controls/ColorButton.h"
#include "ui/controls/MainWindow.h"
#include "ui/controls/NoFocusPopUpButton.h"
#include "ui/frontdoor/Quirel.h"
#include "ui/frontdoor/UserInterfaceModule.h"
#include "ui/model/CropInfo.h"
#include "ui/model/PreferenceInfo.h"
#include "ui/model/Units.h"
#include "ui/modes/advanced/ExtendMode.h"

namespace launchertest {
namespace {

namespace fs = std::filesystem;

constexpr const char* kAdvancedRoadScanner = kVirtualRoadScanner;

struct AdvancedRoadPosts {
  explicit AdvancedRoadPosts(const std::vector<std::string>& names) {
    for (const std::string& name : names)
      tokens.push_back(fnd::NotificationCenter::defaultCenter().observe(
          name, nullptr, [this](const fnd::Notification& n) { posts.push_back({n.name, n.sender}); }));
  }
  int count(const std::string& name, const void* sender) const {
    return static_cast<int>(std::count_if(posts.begin(), posts.end(), [&](const auto& p) {
      return p.first == name && p.second == sender;
    }));
  }
  std::vector<std::pair<std::string, const void*>> posts;
  std::vector<fnd::NotificationCenter::Token> tokens;
};

double advancedMeanDifference(const std::vector<std::uint8_t>& a, const std::vector<std::uint8_t>& b) {
  if (a.size() != b.size() || a.empty()) return 1e9;
  double sum = 0;
  for (std::size_t i = 0; i < a.size(); ++i) sum += std::abs(int(a[i]) - int(b[i]));
  return sum / double(a.size());
}

class AdvancedScanRoad : public ProgramRoadTest {
 protected:
  void SetUp() override {
    ProgramRoadTest::SetUp();
    withoutLastSettings();
  }
  Quirel_ExtendMode* mode() const { return controller() ? controller()->getExtendMode() : nullptr; }
  bool controlsEnabled() const {
    return window() && window()->isEnabled() && mode()->getWindowMaskView() == nullptr &&
           mode()->getPreviewButton()->getColorPushBT()->isEnabled() &&
           mode()->getScanButton()->getColorPushBT()->isEnabled() && !mode()->getScanLoop();
  }
};

TEST_F(AdvancedScanRoad, PreviewFramesTheFirstDocumentAndScanAt600SavesItsJpeg) {
  // Opened in the advanced tab, with no preview of its own at the opening.
  ASSERT_TRUE(fnd::PropertyList::writeFile(fnd::Value(fnd::Dictionary{{"Mode", 1}, {"BeforeMode", 0}}),
                                           settings + "InitSetting.xml"));
  AdvancedRoadPosts posts({"Preview_Scan", "AdvancedMode_Scan", "ntfQuirel_SaveInfo"});
  launchProgram();
  ASSERT_TRUE(runUntil([&] { return delegate->uiNotOpen() == 0 && window() && window()->isVisible(); }));
  ASSERT_EQ(controller()->getMode(), 1);
  Quirel_ExtendMode& m = *mode();
  // A preview asked for at the opening ends first.
  ASSERT_TRUE(runUntil([&] { return controlsEnabled(); }, 1200));
  const int before = posts.count("Preview_Scan", root());

  // Preview.
  ASSERT_TRUE(m.getPreviewButton()->getColorPushBT()->performClick());
  EXPECT_FALSE(window()->isEnabled());
  ASSERT_TRUE(runUntil([&] { return controlsEnabled() && m.getFocusCrop() && m.getHasPreview(); }, 1200))
      << "the preview was shown with the controls enabled again";
  EXPECT_EQ(posts.count("Preview_Scan", root()), before + 1);
  int focused = 0;
  for (const auto& crop : m.getCropList()) focused += crop->isFocus();
  EXPECT_EQ(focused, 1);
  EXPECT_FALSE(m.getFocusCrop()->getCropView()->isHidden());
  const fs::path shots = TRIVOLAN_LAUNCHER_SHOTS_DIR;
  fs::create_directories(shots);
  ASSERT_TRUE(window()->grabToPng((shots / "advanced-preview.png").string()));

  // 600 dpi from the resolution list.
  Quirel_CTRLS_ResolutionComboBox& list = *m.getResolutionComboBox();
  int item = -1;
  for (int i = 0; i < list.getPopupBT()->numberOfItems(); ++i)
    if (list.getRepresentedNumberAtIndex(i) == 600) item = i;
  ASSERT_GE(item, 0) << "600 dpi is offered";
  kit::Menu::onNextPopUp([item](kit::Menu&) { return item; });
  list.getPopupBT()->performClick();
  ASSERT_EQ(m.getFocusCrop()->getResolution(), 600);

  // Scan.
  controller()->getPreferenceInfo()->setSavePath(testenv::freshFolder("advanced-road-jpeg").string());
  const Quirel_CropInfo& frame = *m.getFocusCrop();
  const int platen = m.getPlatenResolution();
  const double frameWidth = convertResolution(frame.getOutputWidth_Pixel96(), platen, 600);
  const double frameHeight = convertResolution(frame.getOutputHeight_Pixel96(), platen, 600);
  ASSERT_TRUE(m.getScanButton()->getColorPushBT()->performClick());
  ASSERT_TRUE(runUntil([&] { return !delegate->isTransferring() && !delegate->isScanning() && controlsEnabled() &&
                                    fs::exists(saveFolder()) && !fs::is_empty(saveFolder()); },
                       2400));
  EXPECT_EQ(posts.count("AdvancedMode_Scan", root()), 1);
  EXPECT_EQ(posts.count("ntfQuirel_SaveInfo", root()), 1);

  std::vector<fs::path> files;
  for (const auto& e : fs::directory_iterator(saveFolder())) files.push_back(e.path());
  ASSERT_EQ(files.size(), 1u);
  EXPECT_EQ(files[0].extension(), ".jpg");
  const SavedImage saved = readSavedImage(files[0]);
  ASSERT_TRUE(saved.ok);
  // The frame's size at 600 dpi, within the preview's mapping (1/75 inch: 8 pixels at 600 dpi).
  const int slack = 600 / velmor::SimController::kPreviewResolution + 1;
  EXPECT_NEAR(double(saved.width), frameWidth, 2 * slack);
  EXPECT_NEAR(double(saved.height), frameHeight, 2 * slack);
  EXPECT_EQ(saved.dpiX, 600);
  EXPECT_EQ(saved.dpiY, 600);
  EXPECT_FALSE(saved.properties.dictionary("{Exif}").empty()) << "an EXIF segment";
  // The pixels are the platen's at the first document: the best origin within the mapping's
  // slack; JPEG at the program's quality, so a mean difference of 2.5 levels allows its loss.
  const velmor::DeviceModel model = velmor::DeviceModel::resolve(fnd::Dictionary{{"DeviceName", kAdvancedRoadScanner}});
  const velmor::Scene scene = velmor::Scene::platen(model.platenWidth, model.platenHeight);
  ASSERT_FALSE(scene.documents().empty());
  const auto& doc = scene.documents().front();
  // The area and its slack are rendered once; each origin compares a window of it.
  const std::vector<std::uint8_t> savedRows = roadPackedRows(saved);
  const int w = int(saved.width), h = int(saved.height), wide = w + 2 * slack;
  const std::vector<std::uint8_t> around =
      roadRenderedArea(int(std::lround(doc.x * 600)) - slack, int(std::lround(doc.y * 600)) - slack, wide,
                           h + 2 * slack, 600);
  ASSERT_EQ(around.size(), std::size_t(wide) * std::size_t(h + 2 * slack) * 3);
  double best = 1e9;
  std::vector<std::uint8_t> window(std::size_t(w) * std::size_t(h) * 3);
  for (int dy = 0; dy <= 2 * slack && best >= 2.5; ++dy)
    for (int dx = 0; dx <= 2 * slack && best >= 2.5; ++dx) {
      for (int y = 0; y < h; ++y)
        std::copy_n(around.begin() + (std::ptrdiff_t(y + dy) * wide + dx) * 3, std::size_t(w) * 3,
                    window.begin() + std::ptrdiff_t(y) * w * 3);
      best = std::min(best, advancedMeanDifference(savedRows, window));
    }
  EXPECT_LT(best, 2.5);
  EXPECT_TRUE(controlsEnabled());
}

}  // namespace
}  // namespace launchertest
