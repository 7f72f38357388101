// The user's tone settings carried out on the real program: the advanced mode with the simulated
// scanner, a frame given brightness, contrast, levels or tone curves, Scan saving a TIFF; the
// file's pixels are the platen's under the frame through the tables the tone mathematics gives
// for those values (the curves the final-review graph draws, the monitor's gamma left out).
#include <algorithm>
#include <cmath>
#include <filesystem>
#include <string>
#include <vector>

#include "TestEnvironment.h"
#include "ProgramRoadSupport.h"
#include "foundation/PropertyList.h"
#include "kit/Window.h"
#include "ui/controls/CTRLS_ADVPreviewButton.h"
#include "ui/controls/CTRLS_ADVScanButton.h"
#include "kit/Menu.h"
#include "ui/controls/CTRLS_ColorModePopup.h"
#include "ui/controls/ColorButton.h"
#include "ui/model/CropInfo.h"
#include "ui/model/PreferenceInfo.h"
#include "ui/model/SM_COMMON/CSpline.h"
#include "ui/model/SM_COMMON/ToneCurve.h"
#include "ui/modes/advanced/ExtendMode.h"
#include "scanmodule/ImageRenderer.h"
#include "scanmodule/Scene.h"
#include "scanmodule/SimController.h"

namespace launchertest {
namespace {

namespace fs = std::filesystem;

// A frame's tone values as the adjustment dialogs leave them in the crop.
struct ToneCase {
  const char* what;
  ChannelValues brightness{0, 0, 0, 0};
  ChannelValues contrast{0, 0, 0, 0};
  ChannelValues black{0, 0, 0, 0};
  ChannelValues mid{128, 128, 128, 128};
  ChannelValues white{255, 255, 255, 255};
  ChannelValues curve{0, 0, 0, 0};  // selected curve per channel: 4 inverted, 1 the first preset
};

// The points of a preset curve, as the dialogs and the graph know them.
std::vector<TagPoint> presetPoints(int preset) {
  switch (preset) {
    case 1: return {{0, 0}, {255, 255}, {30, 103}, {100, 195}};
    case 2: return {{0, 0}, {255, 255}, {155, 131}};
    case 3: return {{0, 0}, {255, 255}, {75, 40}, {175, 225}};
    case 4: return {{0, 255}, {255, 0}};
    default: return {{0, 0}, {255, 255}};
  }
}

// The three tables the tone mathematics gives for a case, without the monitor's gamma.
struct Tables {
  std::uint8_t rgb[3][256];
};
Tables predicted(const ToneCase& c) {
  std::uint8_t curves[4][256];
  const int presets[4] = {c.curve.master, c.curve.red, c.curve.green, c.curve.blue};
  for (int ch = 0; ch < 4; ++ch) {
    const std::vector<TagPoint> points = presetPoints(presets[ch]);
    SplineCalc(curves[ch], points.data(), int(points.size()));
  }
  auto four = [](ChannelValues v, int add, std::uint32_t* out) {
    out[0] = std::uint32_t(v.master + add), out[1] = std::uint32_t(v.red + add);
    out[2] = std::uint32_t(v.green + add), out[3] = std::uint32_t(v.blue + add);
  };
  ToneParam p{};
  four(c.brightness, 128, p.brightness);
  four(c.contrast, 128, p.contrast);
  four(c.black, 0, p.shadow);
  four(c.mid, 0, p.middle);
  four(c.white, 0, p.hilight);
  four({128, 128, 128, 128}, 0, p.grayPoint);
  for (double& g : p.gamma) g = 1.0;
  p.masterCurve = curves[0];
  p.redCurve = curves[1];
  p.greenCurve = curves[2];
  p.blueCurve = curves[3];
  Tables t;
  for (int i = 0; i < 256; ++i) t.rgb[0][i] = t.rgb[1][i] = t.rgb[2][i] = std::uint8_t(i);
  FinalToneCurve(t.rgb[0], t.rgb[1], t.rgb[2], p);
  return t;
}

class ScanToneRoad : public ProgramRoadTest {
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
  // Opened in the advanced tab, a preview shown with a frame on it.
  void openAndPreview() {
    ASSERT_TRUE(fnd::PropertyList::writeFile(fnd::Value(fnd::Dictionary{{"Mode", 1}, {"BeforeMode", 0}}),
                                             settings + "InitSetting.xml"));
    launchProgram();
    ASSERT_TRUE(runUntil([&] { return delegate->uiNotOpen() == 0 && window() && window()->isVisible(); }));
    ASSERT_EQ(controller()->getMode(), 1);
    ASSERT_TRUE(runUntil([&] { return controlsEnabled(); }, 1200));
    ASSERT_TRUE(mode()->getPreviewButton()->getColorPushBT()->performClick());
    ASSERT_TRUE(runUntil([&] { return controlsEnabled() && mode()->getFocusCrop() && mode()->getHasPreview(); }, 1200));
  }
  // Scan clicked with a TIFF asked for; the one file of a fresh save folder, and the area the
  // request named for it (pixels at its resolution, as the scanner places it).
  struct Scanned {
    SavedImage saved;
    int x = 0, y = 0, width = 0, height = 0, resolution = 0, rotation = 0, mirror = 0;
    double scale = 0;
    int hslSaturation = 0, hslCyanRed = 0;
  };
  Scanned scan(const std::string& folder) {
    Scanned out;
    controller()->getPreferenceInfo()->setSavePath(testenv::freshFolder(folder).string());
    controller()->getPreferenceInfo()->setFileFormat(1);
    fnd::Dictionary request;
    auto token = fnd::NotificationCenter::defaultCenter().observe(
        "AdvancedMode_Scan", nullptr, [&](const fnd::Notification& n) {
          if (n.info()) request = *n.info();
        });
    EXPECT_TRUE(mode()->getScanButton()->getColorPushBT()->performClick());
    const bool done = runUntil([&] { return !delegate->isTransferring() && !delegate->isScanning() && controlsEnabled() &&
                                            fs::exists(saveFolder()) && !fs::is_empty(saveFolder()); },
                               2400);
    EXPECT_TRUE(done) << "the scan saved a file";
    if (!done) return out;
    for (const auto& e : fs::directory_iterator(saveFolder())) out.saved = readSavedImage(e.path());
    for (const fnd::Value& item : request.array("CropItem")) {
      const fnd::Dictionary& crop = item.toDictionary();
      const fnd::Dictionary& rect = crop.dictionary("ScanRect");
      if (crop.intValue("Resolution") <= 0 || rect.real("width") < 1 || rect.real("height") < 1) continue;
      out.x = int(std::lround(rect.real("X")));
      out.y = int(std::lround(rect.real("Y")));
      out.width = int(std::lround(rect.real("width")));
      out.height = int(std::lround(rect.real("height")));
      out.resolution = crop.intValue("Resolution");
      out.rotation = crop.intValue("Rotation");
      out.mirror = crop.intValue("Mirror");
      out.scale = crop.real("Scale");
      out.hslSaturation = crop.intValue("HSLSaturation");
      out.hslCyanRed = crop.intValue("HSLCyanRed");
    }
    return out;
  }
  void setTone(const ToneCase& c) {
    Quirel_CropInfo& crop = *mode()->getFocusCrop();
    crop.setToneBC({c.brightness, c.contrast});
    HistogramValues h = crop.getHistogram();
    h.black = c.black;
    h.mid = c.mid;
    h.white = c.white;
    h.gray = {128, 128, 128, 128};
    crop.setHistogram(h);
    ToneCurveValues curve = crop.getToneCurve();
    curve.selectToneCurve = c.curve;
    crop.setToneCurve(curve);
  }
};

TEST_F(ScanToneRoad, EachToneSettingShowsInTheSavedPixelsAsTheToneMathematicsPredicts) {
  openAndPreview();
  const ToneCase cases[] = {
      {"brightness +50", {50, 0, 0, 0}},
      {"brightness -50", {-50, 0, 0, 0}},
      {"contrast +40", {0, 0, 0, 0}, {40, 0, 0, 0}},
      {"black point 40, white point 200", {}, {}, {40, 0, 0, 0}, {120, 128, 128, 128}, {200, 255, 255, 255}},
      {"inverted master curve", {}, {}, {}, {128, 128, 128, 128}, {255, 255, 255, 255}, {4, 0, 0, 0}},
      {"red-channel curve", {}, {}, {}, {128, 128, 128, 128}, {255, 255, 255, 255}, {0, 1, 0, 0}},
      {"nothing changed", {}},
  };
  int n = 0;
  for (const ToneCase& c : cases) {
    SCOPED_TRACE(c.what);
    setTone(c);
    const Scanned s = scan("tone-road-" + std::to_string(n++));
    ASSERT_TRUE(s.saved.ok);
    ASSERT_EQ(s.saved.bitsPerPixel, 24u);
    const std::vector<std::uint8_t> got = roadPackedRows(s.saved);
    const std::vector<std::uint8_t> raw =
        roadRenderedArea(s.x, s.y, int(s.saved.width), int(s.saved.height), s.resolution);
    ASSERT_EQ(got.size(), raw.size());
    const Tables t = predicted(c);
    int largest = 0;
    std::size_t changed = 0;
    for (std::size_t i = 0; i < raw.size(); ++i) {
      const int expected = t.rgb[i % 3][raw[i]];
      largest = std::max(largest, std::abs(int(got[i]) - expected));
      changed += got[i] != raw[i];
    }
    EXPECT_LE(largest, 2) << "largest difference from the prediction";
    if (std::string(c.what) == "nothing changed")
      EXPECT_EQ(changed, 0u);
    else
      EXPECT_GT(changed, raw.size() / 10) << "the setting shows in the file";
  }
}

// The preview a crop correction shows and the file the scan writes go through the same tables:
// the corrected preview agrees with the saved file averaged down to the preview's pixels.
TEST_F(ScanToneRoad, TheCorrectedPreviewAgreesWithTheScannedFile) {
  openAndPreview();
  Quirel_ExtendMode& m = *mode();
  ToneCase c{"brightness +40, contrast -20, red curve", {40, 0, 0, 0}, {-20, 0, 0, 0}};
  c.curve = {0, 1, 0, 0};
  setTone(c);
  fnd::Dictionary correction;
  auto token = fnd::NotificationCenter::defaultCenter().observe("crop_Imageset2", nullptr, [&](const fnd::Notification& n) {
    if (n.info()) correction = *n.info();
  });
  m.updateImageSetSelectByPreview(1);
  ASSERT_TRUE(runUntil([&] { return controlsEnabled() && m.getFocusCrop()->getcropCorData(); }, 1200));
  token.reset();
  const Quirel_CropInfo& crop = *m.getFocusCrop();
  const SRectDouble corRect = crop.getcropCorRect();
  const int pw = int(corRect.size.width), ph = int(corRect.size.height);
  ASSERT_GT(pw, 20);
  ASSERT_GT(ph, 20);
  const std::vector<std::uint8_t> shown(crop.getcropCorData(), crop.getcropCorData() + std::size_t(pw) * std::size_t(ph) * 3);
  const fnd::Array& items = correction.array("CropItem");
  ASSERT_GE(items.size(), 2u);
  const fnd::Dictionary& asked = items[1].toDictionary().dictionary("ScanRect");
  const int px0 = int(asked.real("X")), py0 = int(asked.real("Y"));

  const Scanned s = scan("tone-road-agreement");
  ASSERT_TRUE(s.saved.ok);
  ASSERT_EQ(s.resolution % velmor::SimController::kPreviewResolution, 0) << "a whole number of file pixels a preview pixel";
  const int f = s.resolution / velmor::SimController::kPreviewResolution;
  const std::vector<std::uint8_t> file = roadPackedRows(s.saved);
  const int fw = int(s.saved.width), fh = int(s.saved.height);
  // Each preview pixel whose whole block of file pixels lies in the file: the block's mean.
  std::size_t compared = 0, within3 = 0;
  for (int y = 0; y < ph; ++y)
    for (int x = 0; x < pw; ++x) {
      const int bx = (px0 + x) * f - s.x, by = (py0 + y) * f - s.y;
      if (bx < 0 || by < 0 || bx + f > fw || by + f > fh) continue;
      for (int ch = 0; ch < 3; ++ch) {
        int sum = 0, low = 255, high = 0;
        for (int dy = 0; dy < f; ++dy)
          for (int dx = 0; dx < f; ++dx) {
            const int v = file[(std::size_t(by + dy) * std::size_t(fw) + std::size_t(bx + dx)) * 3 + ch];
            sum += v, low = std::min(low, v), high = std::max(high, v);
          }
        // Compared on even ground only: where the file's block is one level, give or take two.
        if (high - low > 4) continue;
        const double mean = double(sum) / (f * f);
        const int seen = shown[(std::size_t(y) * std::size_t(pw) + std::size_t(x)) * 3 + ch];
        ++compared;
        within3 += std::abs(mean - seen) <= 3.0;
      }
    }
  // Most of the platen under the frame is even ground (patches, flat areas of the pictures).
  ASSERT_GT(compared, std::size_t(pw) * std::size_t(ph));
  EXPECT_EQ(within3, compared) << within3 << " of " << compared << " within 3 levels";
}

// Black and white: the levels take the tone first, then the threshold decides (an inverted
// master curve turns the page over, and brightness moves what counts as white).
TEST_F(ScanToneRoad, InBlackAndWhiteTheThresholdFollowsTheTone) {
  openAndPreview();
  Quirel_ExtendMode& m = *mode();
  Quirel_CTRLS_ColorModePopup& colours = *m.getColorModePopup();
  int item = -1;
  for (int i = 0; i < colours.getPopupBT()->numberOfItems(); ++i)
    if (colours.getRepresentedNumberAtIndex(i) == 0) item = i;
  ASSERT_GE(item, 0) << "black and white is offered";
  kit::Menu::onNextPopUp([item](kit::Menu&) { return item; });
  colours.getPopupBT()->performClick();
  ASSERT_TRUE(runUntil([&] { return controlsEnabled() && m.getColorModeNumber() == 0; }, 400));
  const ToneCase cases[] = {
      {"inverted master curve", {}, {}, {}, {128, 128, 128, 128}, {255, 255, 255, 255}, {4, 0, 0, 0}},
      {"brightness +50", {50, 0, 0, 0}},
  };
  int n = 0;
  for (const ToneCase& c : cases) {
    SCOPED_TRACE(c.what);
    setTone(c);
    fnd::Dictionary request;
    auto token = fnd::NotificationCenter::defaultCenter().observe(
        "AdvancedMode_Scan", nullptr, [&](const fnd::Notification& note) {
          if (note.info()) request = *note.info();
        });
    const Scanned s = scan("tone-road-bw-" + std::to_string(n++));
    ASSERT_TRUE(s.saved.ok);
    ASSERT_EQ(s.saved.bitsPerPixel, 1u);
    // The threshold the request names: the crop's, else the scan's.
    int threshold = request.dictionary("ScanSetting").intValue("Threshold");
    for (const fnd::Value& item : request.array("CropItem"))
      if (item.toDictionary().intValue("Resolution") > 0 && item.toDictionary().intValue("Threshold") > 0)
        threshold = item.toDictionary().intValue("Threshold");
    if (threshold <= 0) threshold = 128;
    const int w = int(s.saved.width), h = int(s.saved.height);
    const velmor::DeviceModel model = velmor::DeviceModel::resolve(fnd::Dictionary{{"DeviceName", kVirtualRoadScanner}});
    const velmor::Scene scene = velmor::Scene::platen(model.platenWidth, model.platenHeight);
    velmor::RenderSpec grey;
    grey.resolution = s.resolution;
    grey.x = s.x;
    grey.y = s.y;
    grey.width = w;
    grey.height = h;
    grey.mode = velmor::ColourMode::Grey;
    const velmor::ImageRenderer device(scene, grey);
    const Tables t = predicted(c);
    std::vector<std::uint8_t> levels(static_cast<std::size_t>(w));
    std::size_t same = 0, white = 0;
    for (int y = 0; y < h; ++y) {
      device.renderRow(y, levels.data());
      for (int x = 0; x < w; ++x) {
        const bool expected = t.rgb[1][levels[std::size_t(x)]] >= threshold;
        const bool bit = s.saved.pixels[std::size_t(y) * s.saved.bytesPerRow + std::size_t(x / 8)] & (0x80 >> (x % 8));
        same += bit == expected;
        white += expected;
      }
    }
    EXPECT_EQ(same, std::size_t(w) * std::size_t(h)) << "threshold " << threshold << ", " << white << " white";
  }
}

// The frame turned with the toolbar's rotate buttons or mirrored: the request names the frame's
// area on the platen with its rotation and mirror, and the file holds that area turned and
// flipped as the preview shows it (a left turn counter-clockwise, a right turn clockwise, the
// mirror left to right after the turn).
TEST_F(ScanToneRoad, TurnedAndMirroredFramesAreSavedTurnedAndMirrored) {
  openAndPreview();
  Quirel_ExtendMode& m = *mode();
  const fnd::Notification click{"road", nullptr, nullptr};
  struct Case {
    const char* what;
    int lefts, rights;
    bool mirror;
    int rotation;  // the code the request carries
  } cases[] = {
      {"as it is", 0, 0, false, 0},
      {"rotated left", 1, 0, false, 1},
      {"rotated right", 0, 1, false, 3},
      {"mirrored", 0, 0, true, 0},
      {"rotated left and mirrored", 1, 0, true, 1},
  };
  int n = 0;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    for (int i = 0; i < c.lefts; ++i) m.toolLeftRotateButtonClick(click);
    for (int i = 0; i < c.rights; ++i) m.toolRightRotateButtonClick(click);
    if (c.mirror) m.toolMirrorButtonClick(click);
    ASSERT_TRUE(runUntil([&] { return controlsEnabled(); }));
    const Scanned s = scan("geometry-road-" + std::to_string(n++));
    // Back to the frame as it was for the next case.
    if (c.mirror) m.toolMirrorButtonClick(click);
    for (int i = 0; i < c.lefts; ++i) m.toolRightRotateButtonClick(click);
    for (int i = 0; i < c.rights; ++i) m.toolLeftRotateButtonClick(click);
    ASSERT_TRUE(s.saved.ok);
    EXPECT_EQ(s.rotation, c.rotation);
    EXPECT_EQ(s.mirror, c.mirror ? 1 : 0);
    const bool across = c.rotation == 1 || c.rotation == 3;
    ASSERT_EQ(int(s.saved.width), across ? s.height : s.width);
    ASSERT_EQ(int(s.saved.height), across ? s.width : s.height);
    const std::vector<std::uint8_t> raw = roadRenderedArea(s.x, s.y, s.width, s.height, s.resolution);
    const std::vector<std::uint8_t> got = roadPackedRows(s.saved);
    ASSERT_EQ(got.size(), raw.size());
    // Each saved pixel against the platen's pixel it stands for.
    const int outW = int(s.saved.width), outH = int(s.saved.height);
    std::size_t differing = 0;
    for (int y = 0; y < outH; ++y)
      for (int x = 0; x < outW; ++x) {
        const int xs = c.mirror ? outW - 1 - x : x;
        int sx = xs, sy = y;
        if (c.rotation == 1) sx = s.width - 1 - y, sy = xs;
        if (c.rotation == 3) sx = y, sy = s.height - 1 - xs;
        for (int ch = 0; ch < 3; ++ch)
          differing += got[(std::size_t(y) * std::size_t(outW) + std::size_t(x)) * 3 + std::size_t(ch)] !=
                       raw[(std::size_t(sy) * std::size_t(s.width) + std::size_t(sx)) * 3 + std::size_t(ch)];
      }
    EXPECT_EQ(differing, 0u);
  }
}

// A print size at half the frame's size: the file is half as wide and high, and each of its
// pixels is the platen under it, averaged (compared where the platen is even, within 2 levels).
TEST_F(ScanToneRoad, APrintSizeAtHalfScalesTheFrameDown) {
  openAndPreview();
  Quirel_ExtendMode& m = *mode();
  const Scanned full = scan("scale-road-full");
  ASSERT_TRUE(full.saved.ok);
  m.updateCropByMagnification(50, *m.getFocusCrop());
  const Scanned s = scan("scale-road-half");
  ASSERT_TRUE(s.saved.ok);
  EXPECT_EQ(s.scale, 50.0);
  EXPECT_NEAR(double(s.saved.width), full.saved.width / 2.0, 1);
  EXPECT_NEAR(double(s.saved.height), full.saved.height / 2.0, 1);
  EXPECT_EQ(s.x, full.x);
  EXPECT_EQ(s.y, full.y);
  const int w = int(s.saved.width), h = int(s.saved.height), dw = 2 * w, dh = 2 * h;
  const std::vector<std::uint8_t> platen = roadRenderedArea(s.x, s.y, dw, dh, s.resolution);
  const std::vector<std::uint8_t> got = roadPackedRows(s.saved);
  std::size_t compared = 0, within2 = 0;
  for (int y = 1; y + 1 < h; ++y)
    for (int x = 1; x + 1 < w; ++x)
      for (int ch = 0; ch < 3; ++ch) {
        int sum = 0, low = 255, high = 0;
        for (int dy = -1; dy <= 2; ++dy)
          for (int dx = -1; dx <= 2; ++dx) {
            const int v = platen[(std::size_t(2 * y + dy) * std::size_t(dw) + std::size_t(2 * x + dx)) * 3 + std::size_t(ch)];
            sum += v, low = std::min(low, v), high = std::max(high, v);
          }
        if (high - low > 2) continue;
        ++compared;
        within2 += std::abs(got[(std::size_t(y) * std::size_t(w) + std::size_t(x)) * 3 + std::size_t(ch)] - sum / 16.0) <= 2.0;
      }
  ASSERT_GT(compared, std::size_t(w) * std::size_t(h));
  EXPECT_EQ(within2, compared);
}

// The frame's colour balance and saturation go through the HSL plug-in: saturation -100 saves
// a grey picture; a step of 50 towards red lifts red by a quarter of the range.
TEST_F(ScanToneRoad, ColourBalanceAndSaturationShowInTheSavedPixels) {
  openAndPreview();
  Quirel_CropInfo& crop = *mode()->getFocusCrop();
  crop.setColorBalance({-100, 0, 0, 0});
  const Scanned grey = scan("hsl-road-grey");
  ASSERT_TRUE(grey.saved.ok);
  EXPECT_EQ(grey.hslSaturation, -100);
  const std::vector<std::uint8_t> g = roadPackedRows(grey.saved);
  for (std::size_t i = 0; i + 2 < g.size(); i += 3) {
    ASSERT_EQ(g[i], g[i + 1]) << i;
    ASSERT_EQ(g[i + 1], g[i + 2]) << i;
  }

  crop.setColorBalance({0, 50, 0, 0});
  const Scanned red = scan("hsl-road-red");
  ASSERT_TRUE(red.saved.ok);
  EXPECT_EQ(red.hslCyanRed, 50);
  const std::vector<std::uint8_t> got = roadPackedRows(red.saved);
  const std::vector<std::uint8_t> raw =
      roadRenderedArea(red.x, red.y, int(red.saved.width), int(red.saved.height), red.resolution);
  ASSERT_EQ(got.size(), raw.size());
  int largest = 0;
  for (std::size_t i = 0; i + 2 < raw.size(); i += 3) {
    largest = std::max(largest, std::abs(int(got[i]) - int(std::min(255L, std::lround(raw[i] + 0.25 * 255)))));
    largest = std::max({largest, std::abs(int(got[i + 1]) - int(raw[i + 1])), std::abs(int(got[i + 2]) - int(raw[i + 2]))});
  }
  EXPECT_LE(largest, 2);
}

}  // namespace
}  // namespace launchertest
