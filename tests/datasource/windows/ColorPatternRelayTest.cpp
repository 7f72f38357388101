// The colour-pattern dialog on the scan-module path, end to end: its outward "ResizeBitmap" and
// "ExecuteHSL" requests go through the data source's relays to the real simulated module, which
// fills the dialog's buffers while the post runs.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <cstring>

#include "../DataSourceSupport.h"
#include "foundation/Bundle.h"
#include "kit/Color.h"
#include "ui/adjust/ColorPatternDialog.h"
#include "ui/base/PVLocalizedBundle.h"
#include "ui/base/PostNotification.h"
#include "ui/model/CropInfo.h"
#include "ui/model/UIScannerInfo.h"

using namespace dstest;

namespace {

// A data source opened on the real module, with the root's part played by a relay that
// re-posts what the window controller sends outward under its own name, as the root does.
struct ColorPatternSource {
  ColorPatternSource() {
    opened = ds.dtScannerOpenDevice(fnd::Dictionary{});
    if (opened == 0) ds.dtScannerOpenUserInterface(0);
    if (opened == 0)
      rootRelay = fnd::NotificationCenter::defaultCenter().observe(
          Quirel_PostNotification::kOverrideNotification, &windowController, [this](const fnd::Notification& n) {
            fnd::NotificationCenter::defaultCenter().post(
                n.info()->string(Quirel_PostNotification::kOverrideNotificationName),
                ds.userInterfaceRoot()->notificationSender(), n.userInfo);
          });
  }
  ~ColorPatternSource() {
    rootRelay = {};
    ds.dtScannerCloseDevice();
  }
  FakeRootFactory factory;
  Dravon_DirectTWAIN ds;
  int windowController = 0;
  fnd::NotificationCenter::Token rootRelay;
  std::int32_t opened = -1;
};

// Red, green, blue and grey quarters.
std::vector<std::uint8_t> colorPatternQuarters(int w, int h) {
  std::vector<std::uint8_t> p(std::size_t(w) * std::size_t(h) * 3);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      const bool right = x >= w / 2, bottom = y >= h / 2;
      std::uint8_t* px = p.data() + (std::size_t(y) * std::size_t(w) + std::size_t(x)) * 3;
      px[0] = !right && !bottom ? 255 : (right && bottom ? 128 : 0);
      px[1] = right && !bottom ? 255 : (right && bottom ? 128 : 0);
      px[2] = !right && bottom ? 255 : (right && bottom ? 128 : 0);
    }
  return p;
}

std::vector<int> colorPatternPixel(const kit::Image& image, int x, int y) {
  const kit::Color c = image.colorAtPixel(x, y);
  return {int(std::lround(c.redComponent() * 255)), int(std::lround(c.greenComponent() * 255)),
          int(std::lround(c.blueComponent() * 255))};
}

}  // namespace

TEST(ColorPatternRelay, TheSimulatedModuleReducesAndBalancesTheDialogsCells) {
  fnd::NotificationCenter::Token texts = fnd::NotificationCenter::defaultCenter().observe(
      Quirel_PVLocalizedBundle::kLocalizePostName, nullptr, [](const fnd::Notification& n) {
        if (auto carrier = Quirel_PVLocalizedBundle::fromLocalizeRequest(n))
          carrier->setLocalizedBundleStr(fnd::Bundle::main().identifier());
      });
  ColorPatternSource s;
  ASSERT_EQ(s.opened, 0);
  const std::vector<std::uint8_t> picture = colorPatternQuarters(300, 200);
  auto crop = std::make_shared<Quirel_CropInfo>();
  crop->setcropCorRect(makeSRectDouble(0, 0, 300, 200));
  auto* block = static_cast<std::uint8_t*>(std::malloc(picture.size()));
  std::memcpy(block, picture.data(), picture.size());
  crop->setcropCorData(CropImage(block));
  Quirel_UIScannerInfo scanner{fnd::Dictionary{{"Ver1500Later", true}}};

  std::vector<std::string> relayed;
  fnd::NotificationCenter::Token ear = fnd::NotificationCenter::defaultCenter().observe(
      Quirel_PostNotification::kOverrideNotification, &s.windowController, [&](const fnd::Notification& n) {
        relayed.push_back(n.info()->string(Quirel_PostNotification::kOverrideNotificationName));
      });
  Quirel_ColorPatternDialog dialog(crop, &scanner, 0);
  dialog.setTWAINObject(&s.ds, &s.windowController);
  dialog.createDialog(nullptr);  // no plug-in description: the scan module does the work

  EXPECT_EQ(std::count(relayed.begin(), relayed.end(), "ResizeBitmap"), 1);
  EXPECT_EQ(std::count(relayed.begin(), relayed.end(), "ExecuteHSL"), Quirel_ColorPatternDialog::kCellCount - 1);
  EXPECT_EQ(dialog.reducedWidth(), 100);
  EXPECT_EQ(dialog.reducedHeight(), 66);
  const auto& cells = dialog.patternList();
  ASSERT_TRUE(cells[9]->getImage() && cells[14]->getImage());
  const kit::Image& neutral = *cells[9]->getImage();
  const kit::Image& red = *cells[14]->getImage();  // cyan-red +10, magenta-green -5, yellow-blue -5
  ASSERT_EQ(neutral.pixelsWide(), 100);
  ASSERT_EQ(red.pixelsHigh(), 66);
  // Area averages of the quarters; the red cell moves red up by 10/200 and the others down by
  // 5/200 of the range.
  EXPECT_EQ(colorPatternPixel(neutral, 90, 56), (std::vector<int>{128, 128, 128}));
  EXPECT_EQ(colorPatternPixel(red, 90, 56), (std::vector<int>{141, 122, 122}));
  EXPECT_EQ(colorPatternPixel(neutral, 10, 10), (std::vector<int>{255, 0, 0}));
  EXPECT_EQ(colorPatternPixel(red, 10, 10), (std::vector<int>{255, 0, 0}));
  EXPECT_EQ(colorPatternPixel(neutral, 90, 10), (std::vector<int>{0, 255, 0}));
  EXPECT_EQ(colorPatternPixel(red, 90, 10), (std::vector<int>{13, 249, 0}));
}
