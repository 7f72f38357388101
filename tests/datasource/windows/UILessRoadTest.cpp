// The UI-less road through the data source, the front door's real root and the simulated
// scanner: a request with a film scan dictionary and no main window previews the film, the
// frame-select dialog shows its frames, and the checked frames are scanned and delivered.
#include <gtest/gtest.h>

#include <cmath>
#include <utility>
#include <vector>

#include "../../ui/frontdoor/UserInterfaceModuleSupport.h"
#include "../../ui/windows/WindowDoubles.h"
#include "../DataSourceSupport.h"
#include "datasource/windows/QuirelRoot.h"
#include "ui/controls/ColorButton.h"
#include "ui/controls/NoFocusButton.h"
#include "ui/frontdoor/Quirel.h"
#include "ui/frontdoor/UserInterfaceModule.h"
#include "ui/model/ThumbnailInfo.h"
#include "ui/modes/uiless/UILessScanMode.h"

using namespace dstest;

namespace {

constexpr std::int32_t kUlRequest = 0, kUlCreate = 1, kUlShow = 2, kUlClose = 3, kUlTerminate = 4, kUlInitSetting = 6;
constexpr std::uint32_t kUlBlock = 0x100000;

Quirel_UserInterfaceModule* ulController(Dravon_DirectTWAIN& ds) {
  auto* root = dynamic_cast<Dravon_QuirelRoot*>(ds.userInterfaceRoot());
  return root ? dynamic_cast<Quirel_UserInterfaceModule*>(root->quirel().windowController()) : nullptr;
}

// Film, colour, with the document's temporary folder; the one crop entry is the template.
fnd::Dictionary ulFilmScanDic(const std::string& temp) {
  return fnd::Dictionary{
      {"ScanSetting", fnd::Dictionary{{"ColorMode", 2}, {"TemporaryPath", temp}, {"NoCloseUI", 1}}},
      {"InputSource", 3},
      {"BitDepth", 8},
      {"CropItem", fnd::Array{fnd::Dictionary{{"Resolution", 300}}}}};
}

// One image pulled as the launcher pulls it; the bytes it held.
std::size_t ulPullImage(Dravon_DirectTWAIN& ds, DT_IMAGEINFO& info) {
  if (ds.dtScannerGetImageInfo(&info) != TWRC_SUCCESS) return 0;
  std::vector<std::uint8_t> buffer(kUlBlock);
  std::size_t total = 0;
  for (int block = 0; block < 100000; ++block) {
    TW_IMAGEMEMXFER x{0xFFFF, ~0u, ~0u, ~0u, ~0u, ~0u, ~0u, TW_MEMORY{TWMF_APPOWNS | TWMF_POINTER, kUlBlock, buffer.data()}};
    const std::int32_t answer = ds.dtScannerImageMemoryTransfer(&x);
    if (answer == TWRC_SUCCESS || answer == TWRC_XFERDONE) total += x.BytesWritten;
    if (answer != TWRC_SUCCESS) break;
  }
  return total;
}

}  // namespace

TEST(UILessRoad, TheFilmFramesFillTheDialogAndTwoCheckedFramesAreScanned) {
  DeviceFile file("UILess Road", fnd::Dictionary{{"FilmFrames", 4}}, {});
  windows_test::FakeMessages messages;
  Dravon_DirectTWAIN ds;
  LauncherEar ear{&ds};
  ASSERT_EQ(ds.dtScannerOpenDevice(fnd::Dictionary{{"DeviceName", "UILess Road"}}), 0);
  // The data source opens the interface as the launcher asks (its request never names the
  // UI-less mode); the main window it shows is closed and the same root is then given the
  // UI-less request and settings, as a module that asks for that mode supplies them.
  ds.dtScannerOpenUserInterface(0);
  Dravon_UIController* ui = ds.uiController();
  ui->uiControlMethod(nullptr, kUlClose);
  ui->uiControlMethod(nullptr, kUlTerminate);
  ASSERT_NE(ulController(ds), nullptr);
  const void* root = ds.userInterfaceRoot()->notificationSender();

  fnd::SharedDictionary scanSent;
  auto token = fnd::NotificationCenter::defaultCenter().observe(
      "UILessMode_Scan", root, [&](const fnd::Notification& n) { scanSent = n.userInfo; });

  fnd::SharedDictionary information = ds.scanController()->smGetDeviceInformation();
  fnd::Dictionary init = information ? *information : fnd::Dictionary{};
  init.set("PreferencePath", uim_test::freshSettingsFolder("uiless-road"));
  init.set("UILessMode", 1);
  init.set("Uthric", uim_test::modelParametersWith([](fnd::Dictionary& s) { s.set("Ver1600Later", true); }));
  const std::string temp = (testenv::freshFolder("uiless-road-temp")).string() + "/";

  ui->uiControlMethod(fnd::makeShared(fnd::Dictionary{{"ScanDic", ulFilmScanDic(temp)}}), kUlRequest);
  ui->uiControlMethod(fnd::makeShared(init), kUlInitSetting);
  ui->uiControlMethod(nullptr, kUlCreate);
  ui->uiControlMethod(nullptr, kUlShow);

  Quirel_UserInterfaceModule* uim = ulController(ds);
  ASSERT_NE(uim, nullptr);
  EXPECT_EQ(uim->getMainWindow(), nullptr) << "no main window in this mode";
  Quirel_UILessScanMode* mode = uim->getUILessMode();
  ASSERT_NE(mode, nullptr);

  // The preview of the film ends in the dialog, filled with the strip's frames.
  ASSERT_TRUE(pumpUntil([&] { return mode->getWindow() && mode->getWindow()->isVisible() && !mode->isDisabled(); }))
      << "the frame-select dialog did not come";
  const std::size_t frames = mode->getThumbnailList().size();
  ASSERT_GE(frames, 2u);
  EXPECT_TRUE(messages.shown.empty());

  // Two frames checked, then Scan.
  for (std::size_t i = 0; i < frames; ++i) mode->getThumbnailList()[i]->setChecked(i < 2);
  Quirel_ColorButton* scanButton = mode->getScanBtn();
  if (scanButton && !scanButton->isHidden()) {
    scanButton->performClick();
  } else {
    mode->getNextBtn()->performClick();
  }
  ASSERT_TRUE(pumpUntil([&] { return scanSent != nullptr; })) << "no scan request";
  // The template entry, then one entry per checked frame.
  EXPECT_EQ(scanSent->array("CropItem").size(), 3u);

  // The frames' sizes, in the order they were sent: the rectangle lies on the strip, and a frame
  // the dialog shows turned a quarter (rotation 1 or 3) comes turned.
  std::vector<std::pair<int, int>> sizes;
  for (const fnd::Value& v : scanSent->array("CropItem")) {
    const fnd::Dictionary r = v.isDictionary() ? v.toDictionary().dictionary("ScanRect") : fnd::Dictionary{};
    const int rotation = v.isDictionary() ? v.toDictionary().intValue("Rotation") : 0;
    const int w = int(std::lround(r.real("width"))), h = int(std::lround(r.real("height")));
    if (r.real("width") >= 1) sizes.push_back(rotation == 1 || rotation == 3 ? std::pair{h, w} : std::pair{w, h});
  }
  EXPECT_EQ(sizes.size(), 2u);
  // The simulated scanner delivers the two frames.
  ASSERT_TRUE(pumpUntil([&] { return ear.xferReady.load() >= 1; })) << "no image announced";
  std::vector<DT_IMAGEINFO> images;
  for (int i = 0; i < 4; ++i) {
    DT_IMAGEINFO info{};
    const std::size_t bytes = ulPullImage(ds, info);
    ASSERT_GT(bytes, 0u) << "image " << i;
    images.push_back(info);
    if (ds.dtScannerPendingTransfers(0) == 0) break;
  }
  EXPECT_EQ(images.size(), 2u);
  for (std::size_t i = 0; i < images.size() && i < sizes.size(); ++i) {
    EXPECT_NEAR(images[i].ImageWidth, sizes[i].first, 1) << i;
    EXPECT_NEAR(images[i].ImageLength, sizes[i].second, 1) << i;
  }
  EXPECT_EQ(ds.dtScannerNotifyDidFinishSaving(0), 0);
  EXPECT_TRUE(messages.shown.empty());

  ds.dtScannerCloseUserInterface();
  EXPECT_EQ(uim->getUILessMode(), nullptr) << "the close ends the UI-less scan";
  ds.dtScannerCloseDevice();
}
