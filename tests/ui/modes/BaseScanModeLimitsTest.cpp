// Feature tests, the scanner's limits and greying the main window.

#include <gtest/gtest.h>

#include "ModesTestSupport.h"
#include "kit/Window.h"
#include "ui/controls/CTRLS_MainWindow.h"
#include "ui/controls/DisabledView.h"

using modes_test::TestScanMode;

namespace {

// The limit comes first; with the unit and flag typed a swapped call does not compile.
template <class Mode, class... A>
concept CanCheckDataSize = requires(const Mode& m, A... a) { m.checkScanDataSize(a...); };
static_assert(CanCheckDataSize<Quirel_BaseScanMode, double, Quirel_DataSizeUnit, bool>);
static_assert(!CanCheckDataSize<Quirel_BaseScanMode, Quirel_DataSizeUnit, double, bool>);
static_assert(!CanCheckDataSize<Quirel_BaseScanMode, bool, Quirel_DataSizeUnit, double>);
static_assert(!CanCheckDataSize<Quirel_BaseScanMode, double, int, bool>);

// Frames of one byte per pixel, 8192 pixels wide: 7680 rows make 60 MiB, 131072 rows 1 GiB.
constexpr double kFrameWidth = 8192;
constexpr double kSixtyMiBHeight = 7680;
constexpr double kOneGiBHeight = 131072;

std::shared_ptr<Quirel_UIScannerInfo> limitsScanner(bool newer, bool large = false) {
  return modes_test::scannerWith(
      {{"Ver1500Later", newer},
       {"Ver1600Later", newer},
       {"EnableLargeScan", large},
       {"MaxScanSize", fnd::Dictionary{{"24bit", fnd::Dictionary{{"Width", 10200}, {"Height", 14000}}},
                                       {"48bit", fnd::Dictionary{{"Width", 5100}, {"Height", 7000}}},
                                       {"LargeScanSize", fnd::Dictionary{{"Width", 40000}, {"Height", 50000}}}}}});
}

}  // namespace

TEST(BaseScanModeLimits, FrameCountPixelLimitsAndTheLargeImageChoice) {
  TestScanMode mode;
  EXPECT_TRUE(mode.checkScanCount());  // platen, no frames
  mode.mScanMode = 1;
  for (int i = 0; i < 3; ++i) mode.addThumbnail(10, 10, false);
  EXPECT_FALSE(mode.checkScanCount());
  mode.mThumbnailList[1]->setChecked(true);
  EXPECT_TRUE(mode.checkScanCount());

  struct Case {
    double width;
    int colorMode;
    bool fits;
  };
  for (const Case c : {Case{10200, 3, true}, Case{10200.5, 3, true}, Case{10201, 3, false}, Case{5100, 4, true},
                       Case{5101, 4, false}, Case{5101, 2, false}, Case{5101, 1, true}}) {
    TestScanMode m;
    m.setScannerInfo(limitsScanner(false));
    m.addCrop(100, 100);
    m.addCrop(c.width, 100);
    EXPECT_EQ(m.checkScanSize(c.colorMode), c.fits) << c.width << " mode " << c.colorMode;
  }
  // The frame's own resolution scales its platen pixels.
  TestScanMode scaled;
  scaled.setScannerInfo(limitsScanner(false));
  scaled.setPlatenResolution(1200);
  scaled.addCrop(5101, 100, 2400);
  EXPECT_FALSE(scaled.checkScanSize(3));
  scaled.mMultiCrop = true;
  EXPECT_TRUE(scaled.checkScanSize(3));
  // Without frames the template crop decides.
  scaled.mCropList.clear();
  scaled.mMultiCrop = false;
  scaled.mTemplateCrop = std::make_shared<Quirel_CropInfo>();
  scaled.mTemplateCrop->setOutputSize_Pixel96({20000, 10});
  scaled.mTemplateCrop->setResolution(1200);
  EXPECT_FALSE(scaled.checkScanSize(3));

  // Large scans: the scanner's switch, then the application's say, then the preferences.
  struct Large {
    bool scanner;
    int application;
    bool preference;
    bool enabled;
  };
  for (const Large l : {Large{false, 2, true, false}, Large{true, 1, true, false}, Large{true, 2, false, true},
                        Large{true, 0, true, true}, Large{true, 0, false, false}}) {
    TestScanMode m;
    auto scanner = limitsScanner(false, l.scanner);
    const fnd::Dictionary request{{"LargeImageScan", l.application}};
    if (l.application) scanner->setTWAINRequest(&request);
    m.setScannerInfo(scanner);
    auto preferences = std::make_shared<Quirel_PreferenceInfo>();
    preferences->setEnableLargeScan(l.preference);
    m.setPreferenceInfo(preferences);
    EXPECT_EQ(m.isEnableLargeScan(), l.enabled) << l.scanner << l.application << l.preference;
    m.addCrop(30000, 100);
    EXPECT_EQ(m.checkScanSize(3), l.enabled);
  }
}

TEST(BaseScanModeLimits, DataSizesAgainstALimitEachOrAsARunningTotal) {
  struct Case {
    const char* what;
    double limit;
    Quirel_DataSizeUnit unit;
    bool total;
    bool newer;
    std::vector<double> heights;  // frames 8192 wide, one byte per pixel
    bool fits;
  };
  const double gib = kOneGiBHeight;
  for (const Case& c : {
           Case{"no limit", 0, Quirel_DataSizeUnit::MiB, true, false, {kSixtyMiBHeight * 10}, true},
           Case{"negative limit", -5, Quirel_DataSizeUnit::MiB, true, false, {kSixtyMiBHeight * 10}, true},
           Case{"two 60 MiB in total", 100, Quirel_DataSizeUnit::MiB, true, false,
                {kSixtyMiBHeight, kSixtyMiBHeight}, false},
           Case{"two 60 MiB each", 100, Quirel_DataSizeUnit::MiB, false, false, {kSixtyMiBHeight, kSixtyMiBHeight},
                true},
           Case{"exactly the limit passes by the added hundredth", 60, Quirel_DataSizeUnit::MiB, false, false,
                {kSixtyMiBHeight}, true},
           Case{"1 GiB frame, older model", 1, Quirel_DataSizeUnit::GiB, false, false, {gib}, true},
           Case{"1 GiB frame, newer model: no hundredth for GiB", 1, Quirel_DataSizeUnit::GiB, false, true, {gib},
                false},
           Case{"newer model keeps the hundredth for MiB", 60, Quirel_DataSizeUnit::MiB, false, true,
                {kSixtyMiBHeight}, true},
           Case{"bytes", 1000, Quirel_DataSizeUnit::Byte, false, false, {1}, false},
       }) {
    TestScanMode m;
    m.setScannerInfo(limitsScanner(c.newer));
    for (double h : c.heights) m.addCrop(kFrameWidth, h, 0, 1);
    EXPECT_EQ(m.checkScanDataSize(c.limit, c.unit, c.total), c.fits) << c.what;
  }

  // Thumbnails: only the checked ones count; multi-crop answers YES outside thumbnail modes.
  TestScanMode thumbs;
  thumbs.mScanMode = 1;
  thumbs.addThumbnail(kFrameWidth, kSixtyMiBHeight, true);
  thumbs.addThumbnail(kFrameWidth, kSixtyMiBHeight * 5, false);
  thumbs.addThumbnail(kFrameWidth, kSixtyMiBHeight, true);
  EXPECT_TRUE(thumbs.checkScanDataSize(100, Quirel_DataSizeUnit::MiB, false));
  EXPECT_FALSE(thumbs.checkScanDataSize(100, Quirel_DataSizeUnit::MiB, true));
  thumbs.mMultiCrop = true;
  EXPECT_FALSE(thumbs.checkScanDataSize(100, Quirel_DataSizeUnit::MiB, true));
  thumbs.mScanMode = 0;
  thumbs.addCrop(kFrameWidth, kSixtyMiBHeight * 5, 0, 1);
  EXPECT_TRUE(thumbs.checkScanDataSize(100, Quirel_DataSizeUnit::MiB, true));
  EXPECT_TRUE(thumbs.checkScanSize(3));
}

TEST(BaseScanModeLimits, FeatureTestsAndCalibrationNotices) {
  // Platen-thumbnail resolutions.
  TestScanMode m;
  EXPECT_EQ(m.convEnableResolution(1201), 1201);  // not the platen-thumbnail mode
  m.mScanMode = 1;
  for (const auto& [in, out] : {std::pair{1200, 1200}, std::pair{1201, 2400}, std::pair{2400, 2400},
                               std::pair{2401, 4800}, std::pair{9600, 9600}, std::pair{9601, 19200},
                               std::pair{19201, 19201}, std::pair{30000, 30000}})
    EXPECT_EQ(m.convEnableResolution(in), out) << in;

  struct Calibration {
    const char* flag;
    int kind;
    bool preview;
    int message;
  };
  for (const Calibration c : {Calibration{"", 1, true, 1202}, Calibration{"OneFrameFAU", 1, false, -1},
                              Calibration{"OneFrameFAU", 0, true, 1281}, Calibration{"OneFrameFAU", 0, false, 1280},
                              Calibration{"CIS", 0, true, 1418}, Calibration{"CIS", 2, false, 1415},
                              Calibration{"", 0, true, 1202}, Calibration{"", 0, false, -1}}) {
    TestScanMode mode;
    fnd::Dictionary flags{{"CIS", false}};  // the record's default is a CIS model
    if (*c.flag) flags.set(c.flag, true);
    mode.setScannerInfo(modes_test::scannerWith(flags));
    mode.mHasPreview = c.preview;
    EXPECT_EQ(mode.getCalibrationMassageID(c.kind), c.message) << c.flag << c.kind << c.preview;
  }

  // Always-auto-tone follows the colour-management choice of the colour type.
  struct AutoTone {
    bool newer;
    int choice;
    bool enabled;
  };
  for (const AutoTone a : {AutoTone{true, 0, true}, AutoTone{true, 1, false}, AutoTone{false, 1, true},
                           AutoTone{false, 2, false}}) {
    TestScanMode mode;
    mode.setScannerInfo(modes_test::scannerWith({{"Ver1400Later", a.newer}}));
    auto preferences = std::make_shared<Quirel_PreferenceInfo>();
    preferences->setColorSetting(3, a.choice);
    preferences->setAlwaysAutoTone(true);
    mode.setPreferenceInfo(preferences);
    EXPECT_EQ(mode.isEnabledAlwaysAutoTone(3), a.enabled) << a.newer << a.choice;
    EXPECT_EQ(mode.isAlwaysAutoTone(3), a.enabled);
  }

  // Colour adjustment and copy gamma by the focused frame's colour mode and the mode.
  TestScanMode adjust;
  adjust.setScannerInfo(modes_test::scannerWith({{"ImageAdjustment", true}, {"CopyGamma", true}, {"RACS2", true}}));
  adjust.mTemplateCrop = std::make_shared<Quirel_CropInfo>();
  adjust.mTemplateCrop->setColorMode(3);
  EXPECT_FALSE(adjust.isHiddenColorAdjust());
  EXPECT_TRUE(adjust.isHiddenCopyGamma());  // basic mode
  adjust.mUIMode = 1;
  EXPECT_TRUE(adjust.isHiddenCopyGamma());  // no preview yet
  adjust.mHasPreview = true;
  adjust.mTemplateCrop->setColorAdjust(3);
  EXPECT_FALSE(adjust.isHiddenCopyGamma());
  adjust.mScanMode = 2;
  EXPECT_TRUE(adjust.isHiddenCopyGamma());  // film
  auto focused = adjust.addCrop(10, 10, 0, 0);
  focused->setFocus(true);
  EXPECT_TRUE(adjust.isHiddenColorAdjust());  // the focused frame is two-level
  EXPECT_FALSE(adjust.isHiddenPlatenCopyGammaAtCrop(*adjust.mTemplateCrop));
  focused->setColorAdjust(1);
  EXPECT_TRUE(adjust.isHiddenPlatenCopyGammaAtCrop(*focused));
}

TEST(BaseScanModeLimits, DisablingTwiceLaysOneOverlayAndEnablingTwiceRemovesItOnce) {
  TestScanMode mode;
  mode.setEnabledMainWindow(false);  // no window yet: nothing to grey
  EXPECT_EQ(mode.getWindowMaskView(), nullptr);

  auto wrapper = std::make_shared<Quirel_CTRLS_MainWindow>();
  mode.setMainWindow(wrapper);
  Quirel_MainWindow* window = wrapper->getWindow();
  kit::View* content = window->contentView();
  const std::size_t views = content->subviews().size();

  mode.setEnabledMainWindow(false);
  mode.setEnabledMainWindow(false);
  EXPECT_FALSE(window->isEnabledSystemBtn());
  ASSERT_NE(mode.getWindowMaskView(), nullptr);
  EXPECT_EQ(content->subviews().size(), views + 1);
  EXPECT_EQ(content->subviews().back(), mode.getWindowMaskView());
  EXPECT_EQ(mode.getWindowMaskView()->frame(), content->bounds());

  mode.setEnabledMainWindow(true);
  EXPECT_TRUE(window->isEnabledSystemBtn());
  EXPECT_EQ(mode.getWindowMaskView(), nullptr);
  EXPECT_EQ(content->subviews().size(), views);
  mode.setEnabledMainWindow(true);
  EXPECT_EQ(content->subviews().size(), views);
}
