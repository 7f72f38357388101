// The advanced platen crop table in a zoomed preview and in multi-crop mode, the film crop
// tables of both modes, and the platen thumbnail handlers.
#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <utility>
#include <vector>

#include "CropViewDoubles.h"
#include "ModeLinkDoubles.h"
#include "ScanModuleDouble.h"
#include "ui/model/PreviewInfo.h"
#include "ui/model/SettingToSM.h"

using namespace modedoubles;

namespace {

// The advanced mode in a zoomed preview: resetting a crop gives it the whole-area geometry.
class ZoomedExtendMode : public FakeExtendMode {
 public:
  std::vector<std::pair<double, double>> resets;
  SRectDouble whole{};
  SSizeDouble wholeVisible{};
  bool getZoomScan() override { return true; }
  SRectDouble updateCropByResetZoomScan(Quirel_CropInfo& crop, double w, double h) override {
    resets.emplace_back(w, h);
    crop.setInputX_Pixel96(whole.origin.x);
    crop.setInputY_Pixel96(whole.origin.y);
    crop.setVisiblePreviewSize_Pixel96(wholeVisible);
    crop.setPreviewStartPoint_Pixel96({0, 0});
    return whole;
  }
};

class MultiCropExtendMode : public FakeExtendMode {
 public:
  bool multiCrop = true;
  bool isMultiCropMode() override { return multiCrop; }
};

struct PathFixture {
  fnd::NotificationCenter center;
  ScanModuleDouble module{center};
  Quirel_PreviewInfo model{center};
  Quirel_PreferenceInfo prefs;
  Quirel_UIScannerInfo scanner{fnd::Dictionary{{"ThresholdValue", 110}, {"CIS", false}}};
  int progress = 0;
  PathFixture() {
    prefs.setMonitorGamma(1.8);  // neutral tone: no table unless a request asks for one
    model.setPlatenResolution(100);
    center.addObserver(this, "setProcessImagePercentagePost", nullptr, [this](const fnd::Notification&) { ++progress; });
  }
  ~PathFixture() { center.removeObserver(this); }
  template <class Mode>
  void ready(Mode& mode) {
    mode.preferences = &prefs;
    mode.scanner = &scanner;
    mode.paperSizes[0] = {1000, 1400};
    mode.paperPoints[21] = {1000, 2000};
  }
};

std::shared_ptr<Quirel_CropInfo> pathCrop(int resolution, SRectDouble input, SSizeDouble visible) {
  auto c = std::make_shared<Quirel_CropInfo>();
  c->setResolution(resolution);
  c->setInputRect_Pixel96(input);
  c->setVisiblePreviewSize_Pixel96(visible);
  return c;
}

void expectRect(const ScanRect& r, double x, double y, double w, double h) {
  EXPECT_DOUBLE_EQ(r.x, x);
  EXPECT_DOUBLE_EQ(r.y, y);
  EXPECT_DOUBLE_EQ(r.width, w);
  EXPECT_DOUBLE_EQ(r.height, h);
}

}  // namespace

TEST(PreviewInfoScanPath, ZoomedFocusedCropIsMeasuredOnTheWholeAreaThenPutBack) {
  for (int rotation : {0, 1}) {
    SCOPED_TRACE(rotation);
    PathFixture f;
    const SRectDouble whole = makeSRectDouble(40, 60, 100, 100);
    const SSizeDouble wholeVisible{1000, 1400};
    // The same crop measured without zoom, already in its whole-area geometry.
    FakeExtendMode plain;
    f.ready(plain);
    auto reference = pathCrop(200, whole, wholeVisible);
    reference->setRotation(rotation);
    reference->setOutputSize_Pixel96({100, 100});
    plain.crops = {reference};
    Quirel_SettingToSM expected;
    expected.setScanModeObj(&plain);
    f.model.scanSettingFromExt(&expected);

    ZoomedExtendMode zoomed;
    f.ready(zoomed);
    zoomed.whole = whole;
    zoomed.wholeVisible = wholeVisible;
    const SRectDouble zoomInput = makeSRectDouble(5, 7, 100, 100);
    auto focused = pathCrop(200, zoomInput, {250, 350});
    focused->setRotation(rotation);
    focused->setOutputSize_Pixel96({100, 100});
    focused->setPreviewStartPoint_Pixel96({30, 40});
    focused->setFocus(true);
    auto other = pathCrop(150, makeSRectDouble(0, 0, 50, 50), {1000, 1400});
    zoomed.crops = {other, focused};
    Quirel_SettingToSM carrier;
    carrier.setScanModeObj(&zoomed);
    f.model.scanSettingFromExt(&carrier);

    // Only the focused crop is reset, with the paper size turned for rotation 1.
    ASSERT_EQ(zoomed.resets.size(), 1u);
    EXPECT_EQ(zoomed.resets[0], rotation == 1 ? std::make_pair(1400.0, 1000.0) : std::make_pair(1000.0, 1400.0));
    const ScanInfo got = carrier.getScanInfoSM(), want = expected.getScanInfoSM();
    ASSERT_EQ(got.crop_num, 3);
    const ScanRect& r = got.CropItem[1]->ScanRect;  // the last crop of the list: the focused one
    expectRect(r, want.CropItem[1]->ScanRect.x, want.CropItem[1]->ScanRect.y, want.CropItem[1]->ScanRect.width,
               want.CropItem[1]->ScanRect.height);
    EXPECT_GT(r.width, 0);
    // Its zoomed geometry is back.
    EXPECT_EQ(focused->getInputRect_Pixel96().origin.x, zoomInput.origin.x);
    EXPECT_EQ(focused->getInputRect_Pixel96().origin.y, zoomInput.origin.y);
    EXPECT_EQ(focused->getVisiblePreviewSize_Pixel96().width, 250);
    EXPECT_EQ(focused->getPreviewStartPoint_Pixel96().y, 40);
  }
}

TEST(PreviewInfoScanPath, MultiCropFramesTravelWithTheirCornersAndOneTable) {
  PathFixture f;
  MultiCropExtendMode mode;
  f.ready(mode);
  const SPointDouble corners[4] = {{10, 5}, {60, 15}, {50, 65}, {0, 55}};
  auto frame = [&](int resolution) {
    auto c = pathCrop(resolution, makeSRectDouble(0, 0, 60, 60), {1000, 1400});
    c->setMultiCrop(true);
    c->setMultiCropCorPoints(corners);
    c->setcropCorRect(makeSRectDouble(0, 5, 60, 60));
    return c;
  };
  mode.crops = {frame(300), pathCrop(150, makeSRectDouble(0, 0, 50, 50), {1000, 1400}), frame(301)};
  Quirel_SettingToSM carrier;
  carrier.setScanModeObj(&mode);
  f.model.scanSettingFromExt(&carrier);
  ScanInfo info = carrier.getScanInfoSM();
  // Frames only, in list order; one table for them all, even for a neutral tone.
  ASSERT_EQ(info.crop_num, 3);
  EXPECT_EQ(f.module.gammaTables, 1);
  std::int32_t shape[8];
  for (int slot : {1, 2}) {
    SCOPED_TRACE(slot);
    const CropSetting& s = *info.CropItem[slot];
    EXPECT_EQ(s.Resolution, 299 + slot);
    EXPECT_EQ(s.CropShape.Format, 4);
    std::memcpy(shape, s.CropShape.Shape, sizeof shape);
    EXPECT_EQ(std::vector<std::int32_t>(shape, shape + 8), (std::vector<std::int32_t>{10, 5, 60, 15, 50, 65, 0, 55}));
    expectRect(s.ScanRect, 0, 5, 60, 60);  // the frame's own pixels, not converted
    EXPECT_EQ(s.Scale, 100);
    EXPECT_EQ(s.RangeMode, 0);
    EXPECT_EQ(s.UserGamma, 1);
  }

  // Outside multi-crop mode a frame in the list is sent one pixel larger, among the other crops.
  mode.multiCrop = false;
  f.model.scanSettingFromExt(&carrier);
  info = carrier.getScanInfoSM();
  ASSERT_EQ(info.crop_num, 4);
  const CropSetting& last = *info.CropItem[1];  // the list's last item
  EXPECT_EQ(last.Resolution, 301);
  EXPECT_EQ(last.CropShape.Format, 4);
  expectRect(last.ScanRect, 0, 5, 61, 61);
  EXPECT_EQ(info.CropItem[2]->RangeMode, 1);
  EXPECT_EQ(info.CropItem[2]->CropShape.Format, 0);
}

TEST(PreviewInfoScanPath, FilmCropsArePlacedOnTheFilmAndConvertedToTheirResolution) {
  // A frame's crop at (10, 20) 100 x 50 in a visible area of 400 x 300 starting at (5, 7) of a
  // 500 x 600 preview, film origin (1000, 2000): x = 10 + 5, y = 600 - (20 + 7 + 50) = 523, then
  // the origin, then 100 -> 200 dpi.
  auto filmCrop = [] {
    auto c = pathCrop(200, makeSRectDouble(10, 20, 100, 50), {400, 300});
    c->setPreviewStartPoint_Pixel96({5, 7});
    c->setPreviewSize_Pixel96({500, 600});
    c->setOutputSize_Pixel96({100, 50});
    return c;
  };
  for (bool advanced : {false, true}) {
    SCOPED_TRACE(advanced ? "advanced" : "basic");
    PathFixture f;
    FakeStandardMode basic;
    FakeExtendMode extend;
    f.ready(basic);
    f.ready(extend);
    basic.film = extend.film = true;
    basic.imageSource = 4;
    extend.imageSource = 1;
    auto a = filmCrop();
    auto b = pathCrop(300, makeSRectDouble(0, 0, 40, 40), {400, 300});  // list item 1, so slot 1
    (advanced ? extend.crops : basic.crops) = {a, b};
    Quirel_SettingToSM carrier;
    carrier.setScanModeObj(advanced ? static_cast<ModeLink*>(&extend) : static_cast<ModeLink*>(&basic));
    if (advanced)
      f.model.scanSettingFromExt(&carrier);
    else
      f.model.scanSettingFromStd(&carrier);
    const ScanInfo info = carrier.getScanInfoSM();
    ASSERT_EQ(info.crop_num, 3);
    EXPECT_EQ(info.CropItem[1]->Resolution, 300);
    const CropSetting& s = *info.CropItem[2];
    expectRect(s.ScanRect, 2030, 5046, 200, 100);
    EXPECT_EQ(s.RangeMode, 1);
    EXPECT_EQ(s.CropShape.Format, 0);
    EXPECT_EQ(s.Scale, 100);
    if (advanced) expectRect(s.AGRect, 2030, 5046, 200, 100);

    // An empty list leaves the table as it is.
    (advanced ? extend.crops : basic.crops).clear();
    if (advanced)
      f.model.scanSettingFromExt(&carrier);
    else
      f.model.scanSettingFromStd(&carrier);
    EXPECT_FALSE(carrier.isRefused());
    EXPECT_EQ(carrier.getScanInfoSM().crop_num, 1);
  }
}

TEST(PreviewInfoScanPath, AdvancedFilmCropsSharingToneValuesMeasureExposureOnTheBaseFrame) {
  PathFixture f;
  FakeExtendMode mode;
  f.ready(mode);
  mode.film = true;
  mode.imageSource = 1;
  // The base frame: at (0, 0) 50 x 50 of the same preview, exposure 120 -> y = 600 - 50 = 550.
  auto base = pathCrop(200, makeSRectDouble(0, 0, 50, 50), {400, 300});
  base->setPreviewSize_Pixel96({500, 600});
  base->setOutputSize_Pixel96({50, 50});
  base->setExposure(true);
  base->setExposureValue(120);
  auto c = pathCrop(200, makeSRectDouble(10, 20, 100, 50), {400, 300});
  c->setPreviewStartPoint_Pixel96({5, 7});
  c->setPreviewSize_Pixel96({500, 600});
  c->setOutputSize_Pixel96({100, 50});
  c->setApplyToneValueToAll(true);
  c->setBaseCropOfApplyToneValueToAll(base.get());
  mode.crops = {c};
  Quirel_SettingToSM carrier;
  carrier.setScanModeObj(&mode);
  f.model.scanSettingFromExt(&carrier);
  const ScanInfo info = carrier.getScanInfoSM();
  ASSERT_EQ(info.crop_num, 2);
  const CropSetting& s = *info.CropItem[1];
  expectRect(s.ScanRect, 2030, 5046, 200, 100);
  EXPECT_EQ(s.meRatio, 120);
  expectRect(s.AGRect, 2000, 5100, 100, 100);
  // Without exposure on the base frame the ratio is 100.
  c->getBaseCropOfApplyToneValueToAll()->setExposure(false);
  f.model.scanSettingFromExt(&carrier);
  EXPECT_EQ(carrier.getScanInfoSM().CropItem[1]->meRatio, 100);
}

TEST(PreviewInfoScanPath, PlatenThumbnailHandlersRequestTheirThumbnailsAndRebuildTheImages) {
  PathFixture f;
  FakeStandardMode mode;
  f.ready(mode);
  f.model.setPrevModeandId(0, &mode, nullptr);
  f.model.setWholeSize(40, 30);
  viewdoubles::ViewLog log;
  auto platenThumbnail = [&](int no, int level) {
    auto t = std::make_shared<Quirel_ThumbnailInfo>(no);
    t->setCropInfo(pathCrop(level, makeSRectDouble(0, 0, 40, 30), {40, 30}));
    return t;
  };
  ThumbnailList list{platenThumbnail(0, 20), platenThumbnail(1, 40), platenThumbnail(2, 60)};
  // Thumbnail 1 holds an inner crop (grey 90) inside its frame (grey 40).
  auto inner = pathCrop(90, makeSRectDouble(5, 5, 10, 10), {40, 30});
  inner->setPreviewSize_Pixel96({40, 30});
  inner->setCropView(std::make_unique<viewdoubles::FrameView>(log, "inner"));
  list[1]->setCropInfo(inner);
  list[1]->setThumbnailCrop(pathCrop(40, makeSRectDouble(0, 0, 40, 30), {40, 30}));
  ASSERT_TRUE(list[1]->hasCrop());
  // The first frame asks for full automatic tone: platen thumbnails send it as it is.
  list[0]->getThumnailCrop()->setAutoTone(5);
  const fnd::Value point = fnd::Dictionary{{"min", fnd::Dictionary{{"X", 0}, {"Y", 0}}},
                                           {"max", fnd::Dictionary{{"X", 39}, {"Y", 29}}}};
  ASSERT_EQ(f.model.createThumbnailImageDataPlaten(list, fnd::Array{point, point, point}), 3);
  const auto frameBefore = f.model.getThumbnailImageDataAtIndex(1, nullptr);
  ASSERT_TRUE(frameBefore);
  EXPECT_EQ((*frameBefore->bytes)[0], 40);

  struct Step {
    const char* name;
    std::function<void()> post;
    int requests, progress;
  };
  list[2]->setSelected(true);
  list[0]->setFocus(true);
  const std::vector<Step> steps{
      {"all", [&] { f.model.updateImageSetAllSelectedThumbnailPlaten(0, &list); }, 3, 3},
      {"selected", [&] { f.model.updateImageSetSelectedThumbnailPlaten(0, &list); }, 1, 1},
      {"focus", [&] { f.model.updateFocusThumbnailPlaten(0, &list); }, 1, 0},
  };
  for (const Step& step : steps) {
    SCOPED_TRACE(step.name);
    const int requests = f.module.cropRequests, progress = f.progress;
    f.module.autoTones.clear();
    step.post();
    EXPECT_EQ(f.module.cropRequests - requests, step.requests);
    EXPECT_EQ(f.progress - progress, step.progress);
    if (step.requests == 3 || std::string(step.name) == "focus") {
      ASSERT_FALSE(f.module.autoTones.empty());
      EXPECT_EQ(f.module.autoTones.front(), 5);
    }
  }
  // After the all-thumbnails step thumbnail 1 shows its frame as stored, with the inner crop's
  // answer pasted at the crop's place in the frame.
  const auto shown = f.model.getThumbnailImageDataAtIndex(1, nullptr);
  ASSERT_TRUE(shown);
  EXPECT_NE(shown, frameBefore);
  const SRectDouble at = inner->getcropCorRect();
  ASSERT_GT(at.size.width, 0);
  const auto& bytes = *shown->bytes;
  EXPECT_EQ(bytes[(static_cast<std::size_t>(at.origin.y) * shown->width + static_cast<std::size_t>(at.origin.x)) * 3],
            90);
  EXPECT_EQ(bytes[0], 40);
  EXPECT_EQ(list[1]->getThumnailCrop()->getcropCorData()[0], 40);  // reset from the stored copy
}

TEST(PreviewInfoScanPath, EveryCropFillerRefusesAnOverlongListWhole) {
  class ThumbnailBasicMode : public FakeStandardMode {
   public:
    bool isThumbnailMode() override { return true; }
  };
  struct Refusal {
    const char* name;
    int limit;  // the longest list carried
    std::function<void(PathFixture&, int, Quirel_SettingToSM&)> request;
  };
  auto crops = [](int n) {
    CropList list;
    for (int i = 0; i < n; ++i) list.push_back(pathCrop(100 + i, makeSRectDouble(0, 0, 40, 40), {1000, 1400}));
    return list;
  };
  const std::vector<Refusal> rows{
      {"basic film crops", kScanInfoMaxCrops - 1,
       [&](PathFixture& f, int n, Quirel_SettingToSM& carrier) {
         FakeStandardMode mode;
         f.ready(mode);
         mode.film = true;
         mode.imageSource = 4;
         mode.crops = crops(n);
         carrier.setScanModeObj(&mode);
         f.model.scanSettingFromStd(&carrier);
       }},
      {"basic platen thumbnails", kScanInfoMaxCrops - 1,
       [&](PathFixture& f, int n, Quirel_SettingToSM& carrier) {
         ThumbnailBasicMode mode;
         f.ready(mode);
         for (int i = 0; i < n; ++i) {
           auto t = std::make_shared<Quirel_ThumbnailInfo>(i);
           t->setCropInfo(pathCrop(100, makeSRectDouble(0, 0, 40, 40), {1000, 1400}));
           t->setChecked(true);
           mode.thumbnails.push_back(t);
         }
         carrier.setScanModeObj(&mode);
         f.model.scanSettingFromStd(&carrier);
       }},
      // The advanced crop lists are numbered for tone tables: 30 entries at most.
      {"advanced platen crops", kUserGammaTableMax,
       [&](PathFixture& f, int n, Quirel_SettingToSM& carrier) {
         FakeExtendMode mode;
         f.ready(mode);
         mode.crops = crops(n);
         carrier.setScanModeObj(&mode);
         f.model.scanSettingFromExt(&carrier);
       }},
      {"advanced film crops", kUserGammaTableMax,
       [&](PathFixture& f, int n, Quirel_SettingToSM& carrier) {
         FakeExtendMode mode;
         f.ready(mode);
         mode.film = true;
         mode.imageSource = 1;
         mode.crops = crops(n);
         carrier.setScanModeObj(&mode);
         f.model.scanSettingFromExt(&carrier);
       }},
      {"advanced multi-crop frames", kScanInfoMaxCrops - 1,
       [&](PathFixture& f, int n, Quirel_SettingToSM& carrier) {
         MultiCropExtendMode mode;
         f.ready(mode);
         mode.crops = crops(n);
         for (const auto& c : mode.crops) c->setMultiCrop(true);
         carrier.setScanModeObj(&mode);
         f.model.scanSettingFromExt(&carrier);
       }},
  };
  for (const Refusal& row : rows) {
    SCOPED_TRACE(row.name);
    PathFixture f;
    Quirel_SettingToSM carrier;
    row.request(f, row.limit + 1, carrier);
    EXPECT_TRUE(carrier.isRefused());
    const ScanInfo refused = carrier.getScanInfoSM();
    EXPECT_EQ(refused.crop_num, 0);
    for (CropSetting* c : refused.CropItem) EXPECT_EQ(c, nullptr);
    row.request(f, row.limit, carrier);
    EXPECT_FALSE(carrier.isRefused());
    EXPECT_EQ(carrier.getScanInfoSM().crop_num, row.limit + 1);
  }
}
