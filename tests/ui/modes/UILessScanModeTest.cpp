// A scan without the main window: the request's scan dictionary in the template crop, the
// preview and scan requests, the film-frame thumbnails with their crops, check boxes and zoom.

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "ModesTestSupport.h"
#include "kit/Event.h"
#include "ui/controls/NoFocusButton.h"
#include "ui/controls/PreviewFrameView.h"
#include "ui/controls/PreviewView.h"
#include "ui/controls/ThumbnailFrameView.h"
#include "ui/controls/ThumbnailPreviewView.h"
#include "ui/model/CropInfo.h"
#include "ui/model/PreviewInfo.h"
#include "ui/model/SettingToSM.h"
#include "ui/model/ThumbnailInfo.h"
#include "ui/model/UIScannerInfo.h"
#include "ui/modes/uiless/UILessScanMode.h"

using modes_test::PostLog;

namespace {

// The window controller's set-up of the mode.
void ulSetUp(Quirel_UILessScanMode& mode, int opticalResolution, const fnd::Dictionary& scanner = {}) {
  fnd::Dictionary flags = scanner;
  flags.set("ThresholdValue", 128);
  flags.set("ImageDocumentTypeToSM", true);
  mode.setScannerInfo(modes_test::scannerWith(flags));
  mode.setPreferenceInfo(std::make_shared<Quirel_PreferenceInfo>());
  mode.setPlatenResolution(opticalResolution);
  mode.setFilmPlatenRect_Pixel96({{100, 50}, {1000, 2000}});
  mode.getTemplateCrop()->setImageSource(2);
  mode.getTemplateCrop()->setColorMode(3);
  mode.getTemplateCrop()->setThreshold(128);
}

fnd::Dictionary ulCropEntry(int resolution, double width) {
  return fnd::Dictionary{{"Resolution", resolution},
                         {"ScanRect", fnd::Dictionary{{"X", 0.0}, {"Y", 0.0}, {"width", width}, {"height", 400.0}}}};
}

fnd::Dictionary ulScanDic(const fnd::Array& crops, const fnd::Dictionary* setting = nullptr) {
  fnd::Dictionary d{{"CropItem", crops}};
  if (setting) d.set("ScanSetting", *setting);
  return d;
}

// Four corners (top left, top right, bottom right, bottom left; y down) of a frame.
fnd::Dictionary ulFrame(double x, double y, double w, double h) {
  auto p = [](double px, double py) { return fnd::Value(fnd::Dictionary{{"X", px}, {"Y", py}}); };
  return fnd::Dictionary{{"points", fnd::Array{p(x, y), p(x + w - 1, y), p(x + w - 1, y + h - 1), p(x, y + h - 1)}}};
}

fnd::Array ulFrames(int count) {
  fnd::Array frames;
  for (int i = 0; i < count; ++i) frames.push_back(ulFrame(10, 20 + i * 150, 100, 140));
  return frames;
}

// Answers the UI-less settings posts as the preview model would.
class UlFiller {
 public:
  UlFiller() {
    auto& center = fnd::NotificationCenter::defaultCenter();
    tokens_.push_back(center.observe("previewSettingFromUILessPost", nullptr, [this](const fnd::Notification& n) {
      const fnd::Value* v = n.info() ? n.info()->find("SetToSM") : nullptr;
      if (auto carrier = v ? v->toObject<Quirel_SettingToSM>() : nullptr) answer(*carrier);
    }));
    tokens_.push_back(center.observe("scanSettingFromUILessPost", nullptr, [this](const fnd::Notification& n) {
      answer(*static_cast<Quirel_SettingToSM*>(const_cast<void*>(n.sender)));
    }));
  }
  void answer(Quirel_SettingToSM& carrier) {
    threshold = carrier.getThresholdNum();
    if (refuse) {
      carrier.refuse();
      return;
    }
    ScanInfo info;
    std::memset(&info, 0, sizeof info);
    CropSetting crop;
    std::memset(&crop, 0, sizeof crop);
    crop.Resolution = 300;
    std::string temp = "/tmp";
    info.Setting.temporaryPath = temp.data();
    info.crop_num = 1;
    info.CropItem[0] = &crop;
    carrier.setDataSM(info);
  }
  bool refuse = false;
  int threshold = -1;

 private:
  std::vector<fnd::NotificationCenter::Token> tokens_;
};

kit::Button* ulBox(const Quirel_ThumbnailInfo& t) { return dynamic_cast<kit::Button*>(t.getCheckBox()); }

}  // namespace

TEST(UILessScanMode, ScanDictionaryWidthAndResolutionIntoTheTemplate) {
  struct Case {
    int optical;
    fnd::Dictionary entry;
    int resolution;
    double width;
  };
  const Case cases[] = {
      {1200, ulCropEntry(300, 600), 300, 2400},
      {300, ulCropEntry(300, 600), 300, 600},
      {1200, fnd::Dictionary{{"Resolution", 600}}, 600, 0},  // no scan rectangle
      {1200, fnd::Dictionary{{"ScanRect", fnd::Dictionary{{"width", 300.0}}}}, 600, 600},  // template's 600 dpi
  };
  for (const Case& c : cases) {
    Quirel_UILessScanMode mode;
    ulSetUp(mode, c.optical);
    mode.getTemplateCrop()->setResolution(600);
    mode.getTemplateCrop()->setInputWidth_Pixel96(777);
    const fnd::Dictionary dic = ulScanDic(fnd::Array{c.entry});
    mode.setScanDic(&dic);
    EXPECT_EQ(mode.getTemplateCrop()->getResolution(), c.resolution);
    EXPECT_EQ(mode.getTemplateCrop()->getInputWidth_Pixel96(), c.width);
  }
}

TEST(UILessScanMode, ScanDictionaryColourModeAndCorrectionsOnlyWhenPresent) {
  struct Case {
    std::optional<int> colorMode;  // none: "ScanSetting" without "ColorMode"
    int expected;
  };
  for (const Case c : {Case{2, 3}, Case{0, 0}, Case{1, 1}, Case{5, 3}, Case{std::nullopt, 3}}) {
    Quirel_UILessScanMode mode;
    ulSetUp(mode, 1200);
    fnd::Dictionary setting{{"Resolution", 300}};
    if (c.colorMode) setting.set("ColorMode", *c.colorMode);
    fnd::Dictionary entry = ulCropEntry(300, 600);
    entry.set("UnsharpMask", 1);
    entry.set("AUTOFINEPHOTO", 1);
    const fnd::Dictionary dic = ulScanDic(fnd::Array{entry}, &setting);
    mode.getTemplateCrop()->setDescreen(1);
    mode.setScanDic(&dic);
    Quirel_CropInfo& t = *mode.getTemplateCrop();
    EXPECT_EQ(t.getColorMode(), c.expected);
    EXPECT_EQ(t.getUnsharpMask(), 1);
    EXPECT_EQ(t.getAutoPhotoCorrect(), 1);
    EXPECT_EQ(t.getDescreen(), 1);    // absent: kept
    EXPECT_EQ(t.getThreshold(), 128);  // absent: the scanner's value stays
  }
}

TEST(UILessScanMode, EmptyOrMissingCropListKeepsTheTemplateAndTheSameDictionarySurvives) {
  for (const fnd::Dictionary& dic : {fnd::Dictionary{{"CropItem", fnd::Array{}}}, fnd::Dictionary{}}) {
    Quirel_UILessScanMode mode;
    ulSetUp(mode, 1200);
    mode.getTemplateCrop()->setResolution(400);
    mode.getTemplateCrop()->setInputWidth_Pixel96(777);
    mode.setScanDic(&dic);
    EXPECT_EQ(mode.getTemplateCrop()->getResolution(), 400);
    EXPECT_EQ(mode.getTemplateCrop()->getInputWidth_Pixel96(), 777);
  }
  Quirel_UILessScanMode mode;
  ulSetUp(mode, 1200);
  const fnd::Dictionary dic = ulScanDic(fnd::Array{ulCropEntry(300, 600)});
  mode.setScanDic(&dic);
  mode.setScanDic(&mode.getScanDic());
  EXPECT_EQ(mode.getScanDic(), dic);
  EXPECT_EQ(mode.getTemplateCrop()->getInputWidth_Pixel96(), 2400);
}

TEST(UILessScanMode, PreviewCarriesTheDocumentSizeAndTheScanNotAndNeitherSavesSettings) {
  Quirel_UILessScanMode mode;
  ulSetUp(mode, 1200);
  UlFiller filler;
  int uim = 0;
  mode.setUIMObject(&uim);
  PostLog log({Quirel_PostNotification::kOverrideNotification});
  EXPECT_TRUE(mode.previewStart());
  EXPECT_EQ(filler.threshold, 128);
  EXPECT_TRUE(mode.scanStart());
  EXPECT_EQ(filler.threshold, 0);
  ASSERT_EQ(log.names(), (std::vector<std::string>{"Preview_Scan", "UILessMode_Scan"}));
  EXPECT_TRUE(log.posts[0].info.contains("INPUTDOCUMENTSIZE"));
  EXPECT_FALSE(log.posts[1].info.contains("INPUTDOCUMENTSIZE"));
  EXPECT_TRUE(log.posts[1].info.contains("IMAGEDOCUMENTTYPE"));
  EXPECT_EQ(log.posts[0].sender, &uim);
}

TEST(UILessScanMode, RefusedRecordsSendNothing) {
  Quirel_UILessScanMode mode;
  ulSetUp(mode, 1200);
  UlFiller filler;
  filler.refuse = true;
  PostLog log({Quirel_PostNotification::kOverrideNotification});
  EXPECT_FALSE(mode.scanStart());
  EXPECT_TRUE(log.posts.empty());
  // Without a preview no frame would ever come: the user interface is closed instead.
  EXPECT_FALSE(mode.previewStart());
  EXPECT_EQ(log.names(), (std::vector<std::string>{"UILessMode_CancelClosePost"}));
}

TEST(UILessScanMode, FrameRectangleFromCornersTakesTheEdgesOnce) {
  // Corners (10, 20), (109, 20), (109, 219), (10, 219) in a 1000-high preview: origin (10, 780),
  // 100 x 200, then scaled into the film area.
  const std::array<SPointDouble, 4> c{{{10, 20}, {109, 20}, {109, 219}, {10, 219}}};
  const SRectDouble same = Quirel_UILessScanMode::frameRectFromCorners(c, 1000, 1000, {1000, 1000});
  EXPECT_EQ(same.origin.x, 10);
  EXPECT_EQ(same.origin.y, 780);
  EXPECT_EQ(same.size.width, 100);
  EXPECT_EQ(same.size.height, 200);
  const SRectDouble scaled = Quirel_UILessScanMode::frameRectFromCorners(c, 500, 1000, {1000, 2000});
  EXPECT_EQ(scaled.origin.x, 20);
  EXPECT_EQ(scaled.origin.y, 1560);
  EXPECT_EQ(scaled.size.width, 200);
  EXPECT_EQ(scaled.size.height, 400);
  const SRectDouble none = Quirel_UILessScanMode::frameRectFromCorners(c, 0, 0, {1000, 2000});
  EXPECT_EQ(none.size.width, 0);
}

TEST(UILessScanMode, PictureFitsTheSpaceAboveTheCheckBox) {
  // A frame of 320 x 300 with the box's top at 30 leaves 300 x 250.
  struct Case {
    fnd::Size picture;
    int rotation;
    fnd::Rect expected;
  };
  const Case cases[] = {
      {{200, 100}, 0, fnd::Rect(10, 90, 300, 150)},
      {{200, 100}, 1, fnd::Rect(97.5, 40, 125, 250)},
      {{100, 400}, 2, fnd::Rect(128.75, 40, 62.5, 250)},
      {{0, 100}, 0, fnd::Rect(10, 40, 300, 250)},  // a zero side: no division
      {{0, 0}, 1, fnd::Rect(10, 40, 300, 250)},
  };
  for (const Case& c : cases)
    EXPECT_EQ(Quirel_UILessScanMode::pictureRectInFrame({320, 300}, 30, c.picture, c.rotation), c.expected)
        << c.picture.width << "x" << c.picture.height << " r" << c.rotation;
}

TEST(UILessScanMode, ThumbnailsOfTheFoundFrames) {
  Quirel_PreviewInfo preview;
  preview.setWholeSize(1000, 2000);
  {
    Quirel_UILessScanMode mode;
    ulSetUp(mode, 1200);
    mode.createDialog();
    const fnd::Array frames = ulFrames(15);
    mode.createThumbnail(&preview, &frames, 3, 256);
    ASSERT_EQ(mode.getThumbnailList().size(), 12u);
    EXPECT_EQ(mode.getCropList().size(), 12u);
    EXPECT_EQ(mode.getThumbnailCount(), 12);
    for (std::size_t i = 0; i < 12; ++i) {
      const Quirel_ThumbnailInfo& t = *mode.getThumbnailList()[i];
      EXPECT_EQ(ulBox(t)->title(), std::to_string(i + 1));
      EXPECT_EQ(t.isChecked(), i == 0);
      EXPECT_TRUE(t.isHidden());
    }
    EXPECT_EQ(mode.getAllSelectCbx()->state(), kit::kOffState);
    EXPECT_EQ(mode.getTemplateCrop()->getPaperSize(), 24);
    EXPECT_EQ(mode.getInputSource(), 3);
    // The template's input width is 0: magnification 100, output as large as the input.
    const Quirel_CropInfo& crop = *mode.getCropList()[1];
    EXPECT_EQ(crop.getMagnification(), 100);
    EXPECT_EQ(crop.getOutputSize_Pixel96().width, crop.getInputWidth_Pixel96());
    EXPECT_EQ(crop.getInputWidth_Pixel96(), 100);
    EXPECT_EQ(crop.getInputHeight_Pixel96(), 140);
    EXPECT_EQ(crop.getPreviewSize_Pixel96().height, 2000);
  }
  struct Case {
    int index, filmType, paperSize, inputSource;
  };
  for (const Case c : {Case{1, 0, 22, 4}, Case{0, 7, 21, 4}, Case{11, 256, 21, 3}, Case{10, 1, 31, 4}}) {
    Quirel_UILessScanMode mode;
    ulSetUp(mode, 1200);
    mode.createDialog();
    const fnd::Array frames = ulFrames(1);
    mode.createThumbnail(&preview, &frames, c.index, c.filmType);
    EXPECT_EQ(mode.getTemplateCrop()->getPaperSize(), c.paperSize);
    EXPECT_EQ(mode.getInputSource(), c.inputSource);
    ASSERT_EQ(mode.getThumbnailList().size(), 1u);
    EXPECT_TRUE(mode.getThumbnailList()[0]->isChecked());
    EXPECT_EQ(mode.getAllSelectCbx()->state(), kit::kOnState);
  }
}

// The request's automatic photo correction reaches every frame found, as its other settings do.
TEST(UILessScanMode, EveryFrameKeepsTheRequestsAutomaticPhotoCorrection) {
  Quirel_PreviewInfo preview;
  preview.setWholeSize(1000, 2000);
  for (const int on : {1, 0}) {
    SCOPED_TRACE(on);
    Quirel_UILessScanMode mode;
    ulSetUp(mode, 1200);
    fnd::Dictionary entry = ulCropEntry(300, 600);
    entry.set("AUTOFINEPHOTO", on);
    entry.set("UnsharpMask", 1);
    const fnd::Dictionary dic = ulScanDic(fnd::Array{entry});
    mode.setScanDic(&dic);
    mode.createDialog();
    const fnd::Array frames = ulFrames(3);
    mode.createThumbnail(&preview, &frames, 3, 256);
    ASSERT_EQ(mode.getCropList().size(), 3u);
    for (const auto& crop : mode.getCropList()) {
      EXPECT_EQ(crop->getAutoPhotoCorrect(), on);
      EXPECT_EQ(crop->getUnsharpMask(), 1);
    }
  }
}

TEST(UILessScanMode, MagnificationFromTheRequestedWidth) {
  Quirel_PreviewInfo preview;
  preview.setWholeSize(1000, 2000);
  Quirel_UILessScanMode mode;
  ulSetUp(mode, 1200);
  mode.createDialog();
  mode.getTemplateCrop()->setInputWidth_Pixel96(280);  // twice the shorter side of a 100 x 140 frame
  const fnd::Array frames = ulFrames(2);
  mode.createThumbnail(&preview, &frames, 3, 0);  // a holder whose frames stay upright
  const Quirel_CropInfo& crop = *mode.getCropList()[0];
  EXPECT_EQ(crop.getRotation(), 0);
  EXPECT_EQ(crop.getMagnification(), 280);
  EXPECT_EQ(crop.getOutputSize_Pixel96().width, 280);
  EXPECT_EQ(crop.getOutputSize_Pixel96().height, 392);
}

TEST(UILessScanMode, CheckBoxesAndSelectAll) {
  Quirel_PreviewInfo preview;
  Quirel_UILessScanMode mode;
  ulSetUp(mode, 1200);
  mode.createDialog();
  const fnd::Array frames = ulFrames(3);
  mode.createThumbnail(nullptr, &frames, 1, 0);
  const ThumbnailList& list = mode.getThumbnailList();
  mode.setThumbnailImage(&preview);  // shows them (without pictures)
  ulBox(*list[1])->performClick();
  EXPECT_TRUE(list[1]->isChecked());
  EXPECT_EQ(mode.getAllSelectCbx()->state(), kit::kOffState);
  ulBox(*list[2])->performClick();
  EXPECT_EQ(mode.getAllSelectCbx()->state(), kit::kOnState);
  ulBox(*list[0])->performClick();
  EXPECT_FALSE(list[0]->isChecked());
  EXPECT_EQ(mode.getAllSelectCbx()->state(), kit::kOffState);
  mode.getAllSelectCbx()->performClick();
  for (const auto& t : list) EXPECT_TRUE(t->isChecked());
  mode.getAllSelectCbx()->performClick();
  for (const auto& t : list) EXPECT_FALSE(t->isChecked());
}

TEST(UILessScanMode, DoubleClickZoomsOneFrameAndHidesTheOthers) {
  Quirel_UILessScanMode mode;
  ulSetUp(mode, 1200);
  mode.createDialog();
  const fnd::Array frames = ulFrames(3);
  mode.createThumbnail(nullptr, &frames, 1, 0);
  const ThumbnailList& list = mode.getThumbnailList();
  for (const auto& t : list) t->setHidden(false);
  auto click = [&](int no, int count) {
    auto* frame = dynamic_cast<kit::View*>(list[static_cast<std::size_t>(no)]->getFrameView());
    const kit::Event e = kit::Event::mouseEvent(kit::EventType::LeftMouseDown, {5, 5}, 0, nullptr, count);
    Quirel_PreviewView::postWithEvent(Quirel_ThumbnailFrameView::kMouseEventPost, frame, e,
                                      {{Quirel_ThumbnailFrameView::kNoKey, no}});
  };
  click(1, 1);
  EXPECT_FALSE(list[1]->isZoom());
  click(1, 2);
  EXPECT_TRUE(list[1]->isZoom());
  EXPECT_TRUE(list[0]->isHidden());
  EXPECT_TRUE(list[2]->isHidden());
  EXPECT_FALSE(list[1]->isHidden());
  // The zoomed frame takes the whole area's single slot.
  EXPECT_EQ(dynamic_cast<kit::View*>(list[1]->getFrameView())->frame(), mode.makeThumbnailRect(0, 1));
  click(1, 2);
  EXPECT_FALSE(list[1]->isZoom());
  EXPECT_FALSE(list[0]->isHidden());
  EXPECT_EQ(dynamic_cast<kit::View*>(list[1]->getFrameView())->frame(), mode.makeThumbnailRect(1, 3));

  // With a single frame a double click changes nothing.
  Quirel_UILessScanMode one;
  ulSetUp(one, 1200);
  one.createDialog();
  const fnd::Array single = ulFrames(1);
  one.createThumbnail(nullptr, &single, 1, 0);
  auto* frame = dynamic_cast<kit::View*>(one.getThumbnailList()[0]->getFrameView());
  Quirel_PreviewView::postWithEvent(Quirel_ThumbnailFrameView::kMouseEventPost, frame,
                                    kit::Event::mouseEvent(kit::EventType::LeftMouseDown, {5, 5}, 0, nullptr, 2),
                                    {{Quirel_ThumbnailFrameView::kNoKey, 0}});
  EXPECT_FALSE(one.getThumbnailList()[0]->isZoom());
}

TEST(UILessScanMode, RemovingTheThumbnailsTellsTheWindowController) {
  Quirel_UILessScanMode mode;
  ulSetUp(mode, 1200);
  mode.createDialog();
  const fnd::Array frames = ulFrames(2);
  mode.createThumbnail(nullptr, &frames, 1, 0);
  kit::View* frame = dynamic_cast<kit::View*>(mode.getThumbnailList()[0]->getFrameView());
  EXPECT_EQ(frame->superview(), mode.getPreviewFrame());
  PostLog log({"removeThumbnailImagePost"});
  mode.removeAllThumbnail();
  EXPECT_TRUE(mode.getThumbnailList().empty());
  EXPECT_TRUE(mode.getPreviewFrame()->subviews().empty());
  ASSERT_EQ(log.posts.size(), 1u);
  EXPECT_EQ(log.posts[0].sender, static_cast<const void*>(&mode));
}
