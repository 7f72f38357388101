// The advanced mode's preview events, keys and toolbar actions, driven by real mouse and key
// events on the real preview view of a main window.

#include <gtest/gtest.h>

#include "ExtendModeWindowRig.h"
#include "ui/controls/CTRLS_Preview.h"
#include "ui/controls/PreviewView.h"
#include "ui/model/CropFrameViewLink.h"
#include "ui/settings/InfoDialog.h"
#include "ui/controls/InfoDlgPanel.h"
#include "ui/windows/MessagePort.h"

namespace ext_events_test {

using extend_rig::WindowRig;
using kit::EventType;

// Answers every box with `answer` and remembers the numbers.
class AnsweringPort : public Quirel_MessagePort {
 public:
  std::int32_t MES_ShowMessageAndNumberMainThreadMode(std::int32_t n, std::int32_t, std::int32_t,
                                                      std::int32_t) override {
    shown.push_back(n);
    return answer;
  }
  std::int32_t MES_NetworkErrorMessageAndNumberMainThreadMode(std::int32_t, std::int32_t, std::int32_t,
                                                              std::int32_t) override {
    return 0;
  }
  std::int32_t MES_NetworkErrorMessageAndNumberMainThreadMode2(std::int32_t, std::int32_t, std::int32_t,
                                                               std::int32_t) override {
    return 0;
  }
  std::vector<int> shown;
  std::int32_t answer = 1;
};

struct PortScope {
  explicit PortScope(Quirel_MessagePort* p) : old(Quirel_MessagePort::install(p)) {}
  ~PortScope() { Quirel_MessagePort::install(old); }
  Quirel_MessagePort* old;
};

// A 2550 x 3508 pixel platen preview in the rig's window.
struct PreviewRig : WindowRig {
  PreviewRig(const fnd::Dictionary& scanner = {{"Ver1400Later", true}, {"Ver1500Later", true}})
      : WindowRig(scanner) {
    mode.resetPreview({2550, 3508}, false, false);
    window().makeKeyAndOrderFront();
  }
  Quirel_PreviewView& view() const { return *mode.mPreview->getImageView(); }
  fnd::Point inWindow(fnd::Point p) const { return view().convertPointToView(p, nullptr); }
  // A press at the first point, drags through the rest, a release at the last.
  void gesture(const std::vector<fnd::Point>& points) {
    kit::Application& app = kit::Application::shared();
    kit::Window* w = &window();
    app.postEvent(kit::Event::mouseEvent(EventType::LeftMouseDown, inWindow(points.front()), 0, w));
    for (std::size_t i = 1; i < points.size(); ++i)
      app.postEvent(kit::Event::mouseEvent(EventType::LeftMouseDragged, inWindow(points[i]), 0, w));
    app.postEvent(kit::Event::mouseEvent(EventType::LeftMouseUp, inWindow(points.back()), 0, w));
    app.dispatchQueuedEvents();
  }
  Quirel_CropInfo& addFrame(const fnd::Rect& r) {
    Quirel_CropInfo* crop = mode.createCropWithView(r);
    Quirel_BaseScanMode::copyCrop(*mode.mTemplateCrop, *crop, false);
    mode.updateCropFromCropRect(*crop);
    return *crop;
  }
  void pressDelete() {
    view().window()->makeFirstResponder(&view());
    kit::Application& app = kit::Application::shared();
    app.postEvent(kit::Event::keyEvent(EventType::KeyDown, std::string(1, '\x7f'), 0, &window()));
    app.dispatchQueuedEvents();
  }
};

TEST(ExtendModeEvents, ChoicesClearOnlyForChangesByHandWithTheCropTool) {
  struct Case {
    const char* what;
    int tool;
    bool multiCrop;
    bool onOtherCrop;  // the press lands on the second frame
    bool drag;
    bool cleared;
  };
  const std::vector<Case> cases = {
      {"crop tool drag that changes nothing", 0, false, false, true, true},
      {"crop tool click on empty preview", 0, false, false, false, false},
      {"crop tool click moving the focus", 0, false, true, false, true},
      {"hand drag", 1, false, false, true, false},
      {"zoom click", 2, false, false, false, false},
      {"multi-crop drag", 0, true, false, true, false},
  };
  for (const Case& c : cases) {
    PreviewRig rig;
    auto& m = rig.mode;
    m.mHasPreview = true;
    Quirel_CropInfo& first = rig.addFrame({20, 20, 60, 60});
    rig.addFrame({200, 200, 60, 60});
    m.setFocus(&first);
    m.mToolMode = c.tool;
    m.mMultiCrop = c.multiCrop;
    m.mFavorite = 3;
    m.mToneCurve = 2;
    const fnd::Point at = c.onOtherCrop ? fnd::Point{230, 230} : fnd::Point{150, 120};
    rig.gesture(c.drag ? std::vector<fnd::Point>{at, at} : std::vector<fnd::Point>{at});
    EXPECT_EQ(m.mFavorite == 0 && m.mToneCurve == 0, c.cleared) << c.what;
    EXPECT_FALSE(m.mIgnoreKey) << c.what;
  }
}

TEST(ExtendModeEvents, DeleteKeyOnlyWhereItMayAct) {
  struct Case {
    const char* what;
    int scanMode;
    bool zoomScan;
    bool withCrops;
    bool ignoreKey;
    bool acts;
  };
  for (const Case& c : std::vector<Case>{{"platen with crops", 0, false, true, false, true},
                                         {"thumbnail mode", 1, false, true, false, false},
                                         {"zoomed", 0, true, true, false, false},
                                         {"no crops", 0, false, false, false, false},
                                         {"right after a crop release", 0, false, true, true, false}}) {
    PreviewRig rig;
    auto& m = rig.mode;
    if (c.withCrops) {
      rig.addFrame({200, 200, 60, 60}).setSelect(false);
      Quirel_CropInfo& chosen = rig.addFrame({20, 20, 60, 60});
      chosen.setSelect(true);
      m.setFocus(&chosen);
    }
    m.mScanMode = c.scanMode;
    m.mZoomScan = c.zoomScan;
    m.mIgnoreKey = c.ignoreKey;
    m.mFavorite = 3;
    m.valueDisplays.clear();
    const std::size_t before = m.mCropList.size();
    rig.pressDelete();
    EXPECT_EQ(m.mFavorite == 0, c.acts) << c.what;
    EXPECT_EQ(!m.valueDisplays.empty(), c.acts) << c.what;
    // The selected frame itself goes; the other stays.
    EXPECT_EQ(m.mCropList.size(), c.acts ? before - 1 : before) << c.what;
  }
}

TEST(ExtendModeEvents, DeleteKeyAndButtonRemoveTheSelectedFrames) {
  PreviewRig rig;
  auto& m = rig.mode;
  m.mHasPreview = true;
  Quirel_CropInfo& kept = rig.addFrame({200, 200, 60, 60});
  kept.setSelect(false);
  Quirel_CropInfo& chosen = rig.addFrame({20, 20, 60, 60});
  chosen.setSelect(true);
  m.setFocus(&chosen);
  ASSERT_EQ(m.mCropList.size(), 2u);
  rig.pressDelete();
  ASSERT_EQ(m.mCropList.size(), 1u);
  EXPECT_EQ(m.mCropList.front().get(), &kept);
  // The one left takes the focus, and the toolbar's delete button removes it through a click.
  ASSERT_EQ(m.getFocusCrop(), &kept);
  rig.toolbar.setUIMode(1);
  m.setEnabledToolbar();
  modes_test::PostLog log({"ToolDeleteCropButtonPost"});
  // The delete button is the last of the shared rows: after the film button and thirteen rows.
  auto* button = dynamic_cast<kit::Control*>(rig.toolView->getToolView()->subviews().at(14));
  ASSERT_NE(button, nullptr);
  ASSERT_TRUE(button->isEnabled());
  button->performClick();
  ASSERT_EQ(log.names().size(), 1u);
  EXPECT_TRUE(m.mCropList.empty());
  // Deleting the last frame keeps its settings on the template.
  EXPECT_EQ(m.mTemplateCrop->getResolution(), 300);
  // With nothing left the button is switched off and the key does nothing.
  EXPECT_FALSE(button->isEnabled());
  m.valueDisplays.clear();
  rig.pressDelete();
  EXPECT_TRUE(m.valueDisplays.empty());
}

TEST(ExtendModeEvents, PlatenThumbnailSwitchAsksFirstAndCancelLeavesAll) {
  PreviewRig rig({{"Ver1500Later", true}, {"PlatenThumbnail", true}});
  auto& m = rig.mode;
  m.mHasPreview = true;
  m.mImgSrcSetting[0].paperSize = 4;
  m.mFavorite = 3;
  rig.addFrame({20, 20, 60, 60});
  AnsweringPort port;
  PortScope scope(&port);
  port.answer = 0;
  m.ntf_toolPlatenThumbnailButtonClick({});
  EXPECT_EQ(port.shown, std::vector<int>{1003});
  EXPECT_EQ(m.mScanMode, 0);
  EXPECT_EQ(m.mFavorite, 3);
  EXPECT_EQ(m.mCropList.size(), 1u);
  EXPECT_EQ(m.mImgSrcSetting[0].paperSize, 4);
  EXPECT_FALSE(m.mChangeThumbnailMode);
  // Without a preview nothing is asked and the mode switches at once.
  m.mHasPreview = false;
  m.ntf_toolPlatenThumbnailButtonClick({});
  EXPECT_EQ(port.shown.size(), 1u);
  EXPECT_EQ(m.mScanMode, 1);
  EXPECT_TRUE(m.mCropList.empty());
  EXPECT_FALSE(m.mChangeThumbnailMode);  // no preview taken
}

// With nothing to answer the request (no preview model to fill it), a preview that cannot go
// out gives the window back: the thumbnail switch, the automatic crop of the original scan and
// multi-crop off from its button.
TEST(ExtendModeEvents, APreviewThatCannotGoOutGivesTheWindowBack) {
  {
    PreviewRig rig({{"Ver1500Later", true}, {"PlatenThumbnail", true}});
    auto& m = rig.mode;
    m.mHasPreview = true;
    AnsweringPort port;
    PortScope scope(&port);
    m.ntf_toolPlatenThumbnailButtonClick({});
    EXPECT_EQ(m.mScanMode, 1);
    EXPECT_FALSE(m.mChangeThumbnailMode);
    EXPECT_EQ(m.getWindowMaskView(), nullptr);
  }
  {
    PreviewRig rig;
    auto& m = rig.mode;
    m.mHasPreview = true;
    m.mTemplateCrop->setColorMode(1);  // a mode without automatic tone always on: an original scan
    m.ntf_toolAutoCropButtonClick({});
    EXPECT_EQ(m.getWindowMaskView(), nullptr);
  }
  {
    PreviewRig rig;
    auto& m = rig.mode;
    m.mHasPreview = true;
    m.ntf_toolMultiCropButtonClick({});
    ASSERT_TRUE(m.mMultiCrop);
    m.ntf_toolMultiCropButtonClick(fnd::Notification{"ToolMultiCropButtonPost", &rig, nullptr});
    EXPECT_FALSE(m.mMultiCrop);
    EXPECT_EQ(m.getWindowMaskView(), nullptr);
  }
}

TEST(ExtendModeEvents, MultiCropOffFromTheModeSwitchTakesNoPreview) {
  PreviewRig rig;
  auto& m = rig.mode;
  m.mHasPreview = true;
  modes_test::PostLog log({"setMCPointsByMultiCropButtonPost", "previewSettingFromExtPost"});
  m.mToolMode = 2;
  m.ntf_toolMultiCropButtonClick({});
  EXPECT_TRUE(m.mMultiCrop);
  EXPECT_EQ(m.mToolMode, 0);
  EXPECT_EQ(log.names().size(), 1u);
  // Off with no sender: no preview is asked for; with the button as sender one is.
  m.ntf_toolMultiCropButtonClick({});
  EXPECT_FALSE(m.mMultiCrop);
  EXPECT_EQ(log.names(), std::vector<std::string>{"setMCPointsByMultiCropButtonPost"});
  m.ntf_toolMultiCropButtonClick({});
  m.ntf_toolMultiCropButtonClick(fnd::Notification{"ToolMultiCropButtonPost", &rig, nullptr});
  EXPECT_EQ(log.names().back(), "previewSettingFromExtPost");
}

TEST(ExtendModeEvents, OneCropPerFilmFrame) {
  auto frames = [](int n) {
    fnd::Array a;
    for (int i = 0; i < n; ++i)
      a.push_back(fnd::Value(fnd::Dictionary{{"x", fnd::Value(100.0 + 300 * i)}, {"y", fnd::Value(100.0)},
                                             {"width", fnd::Value(250.0)}, {"height", fnd::Value(400.0)}}));
    return a;
  };
  for (const auto& [oneFrame, expected] : {std::pair{true, 1u}, std::pair{false, 3u}}) {
    PreviewRig rig({{"Ver1500Later", true}, {"OneFrameFAU", oneFrame}, {"Ver1600Later", false}});
    auto& m = rig.mode;
    m.mScanMode = 2;
    m.addDefaultFilmSizeRects(21, frames(3));
    Quirel_CropInfo& focus = rig.addFrame({20, 20, 60, 60});
    focus.setPaperSize(21);
    m.setFocus(&focus);
    m.ntf_toolShowAllCropButtonClick({});
    EXPECT_EQ(m.mCropList.size(), expected) << oneFrame;
    ASSERT_FALSE(m.mCropList.empty());
    EXPECT_TRUE(m.mCropList.front()->isFocus());
    EXPECT_EQ(m.mCropList.front()->getInputRect_Pixel96().origin.x, 100);
  }
  // Without a focus crop, or without a film platen, nothing is lost.
  PreviewRig rig;
  auto& m = rig.mode;
  m.addDefaultFilmSizeRects(21, frames(3));
  rig.addFrame({20, 20, 60, 60}).setPaperSize(21);
  m.ntf_toolShowAllCropButtonClick({});
  EXPECT_EQ(m.mCropList.size(), 1u);
  m.setFocus(m.mCropList.front().get());
  m.setFilmPlatenRect_Pixel96({{0, 0}, {0, 0}});
  m.ntf_toolShowAllCropButtonClick({});
  EXPECT_EQ(m.mCropList.size(), 1u);
}

TEST(ExtendModeEvents, HelpTellsTheDeviceOnlyFrom1700) {
  for (bool ver1700 : {false, true}) {
    PreviewRig rig({{"Ver1500Later", true}, {"Ver1700Later", ver1700}});
    modes_test::PostLog log({Quirel_PostNotification::kOverrideNotification, "OpenHelpBookPost"});
    rig.mode.ntf_toolHelpButtonClick({});
    const std::vector<std::string> expected =
        ver1700 ? std::vector<std::string>{"setALMUserInterfaceData", "OpenHelpBookPost"}
                : std::vector<std::string>{"OpenHelpBookPost"};
    EXPECT_EQ(log.names(), expected);
    EXPECT_EQ(log.posts.back().info.intValue("HelpMode"), 2);
    if (ver1700) {
      EXPECT_EQ(log.posts.front().info.intValue("HELP"), 2);
    }
  }
}

TEST(ExtendModeEvents, ScanInformationFirstOpensCentredOnTheVisibleFrame) {
  PreviewRig rig;
  auto& m = rig.mode;
  m.setDisplayManager(Quirel_DisplayManager(fnd::Rect(1920, 0, 1600, 1200), fnd::Rect(1920, 40, 1600, 1130)));
  ASSERT_NE(m.mInfoDialog, nullptr);
  kit::Window* w = m.mInfoDialog->getWindow();
  m.ntf_toolScanInfoButtonClick({});
  EXPECT_TRUE(m.mInfoDialog->isVisible());
  // Filled with the crop's values first, then placed at its new size.
  const fnd::Size size = w->frame().size;
  EXPECT_EQ(w->frame().origin.x, 1920 + std::floor((1600 - size.width) / 2));
  EXPECT_EQ(w->frame().origin.y, 40 + std::floor((1130 - size.height) / 2));
  // Moved and reopened: it stays where it was put.
  m.ntf_toolScanInfoButtonClick({});
  EXPECT_FALSE(m.mInfoDialog->isVisible());
  w->setFrameOrigin({30, 30});
  m.ntf_toolScanInfoButtonClick({});
  EXPECT_EQ(w->frame().origin, fnd::Point(30, 30));
  m.ntf_toolScanInfoButtonClick({});
}

TEST(ExtendModeEvents, ToolButtonsStopTheEyedropper) {
  PreviewRig rig;
  auto& m = rig.mode;
  for (const auto& [action, tool] : std::vector<std::pair<Quirel_ExtendMode::Forwarder, int>>{
           {&Quirel_ExtendMode::ntf_toolCropButtonClick, 0},
           {&Quirel_ExtendMode::ntf_toolHandButtonClick, 1},
           {&Quirel_ExtendMode::ntf_toolZoomButtonClick, 2}}) {
    m.mToolMode = 3;
    (m.*action)({});
    EXPECT_EQ(m.mToolMode, tool);
  }
}

}  // namespace ext_events_test
