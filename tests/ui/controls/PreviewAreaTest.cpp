// The main window's wrappers: the preview area and its label, the mode tabs, the frame,
// separator, icon and thumbnail stepping buttons, and the two small views (localised caption,
// blue panel).

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <memory>
#include <string>

#include "ControlsTestSupport.h"
#include "foundation/Bundle.h"
#include "kit/Application.h"
#include "kit/RecordingContext.h"
#include "ui/base/PVLocalizedBundle.h"
#include "ui/controls/CTRLS_IconOnOffButton.h"
#include "ui/controls/CTRLS_NextThumbnailButton.h"
#include "ui/controls/CTRLS_Preview.h"
#include "ui/controls/CTRLS_PreviewFrame.h"
#include "ui/controls/CTRLS_Separator.h"
#include "ui/controls/CTRLS_TabView.h"
#include "ui/controls/CropView.h"
#include "ui/controls/UIOffColorView.h"
#include "ui/controls/WindowTitleView.h"

using controls_test::PostRecorder;
using controls_test::TestWindow;

namespace {

// Answers "getDSBundleLocalizePost" with the resource folder's own bundle, as the window
// controller does, while it lives.
struct PreviewAreaLocaliser {
  fnd::NotificationCenter::Token token = fnd::NotificationCenter::defaultCenter().observe(
      Quirel_PVLocalizedBundle::kLocalizePostName, nullptr, [](const fnd::Notification& n) {
        if (auto carrier = Quirel_PVLocalizedBundle::fromLocalizeRequest(n))
          carrier->setLocalizedBundleStr(fnd::Bundle::main().identifier());
      });
};

// The window grabbed to a PNG, read back; pixels by window point (y up).
struct PreviewAreaShot {
  kit::Image shot;
  double scale = 1;
  double height = 0;
  PreviewAreaShot(kit::Window& w, const std::string& name) {
    w.contentView()->display();
    std::string png = (std::filesystem::current_path() / name).string();
    EXPECT_TRUE(w.grabToPng(png));
    shot = kit::Image::fromFile(png);
    height = w.contentView()->frame().size.height;
    if (shot.isValid()) scale = shot.pixelsWide() / w.contentView()->frame().size.width;
  }
  kit::Color at(double x, double y) const {
    return shot.colorAtPixel(static_cast<int>(x * scale), static_cast<int>((height - y) * scale));
  }
};

}  // namespace

TEST(PreviewArea, ShadowFollowsTheScrollViewFourRightFourDown) {
  auto p = Quirel_CTRLS_Preview::initForStandardMode();
  p->setScrollViewRect(fnd::Rect(10, 20, 300, 400));
  EXPECT_EQ(p->getScrollViewRect(), fnd::Rect(10, 20, 300, 400));
  EXPECT_EQ(p->getShadowViewRect(), fnd::Rect(14, 16, 300, 400));
  p->setScrollViewRect(0.5, 0, 10, 10);
  EXPECT_EQ(p->getShadowViewRect(), fnd::Rect(4.5, -4, 10, 10));
}

TEST(PreviewArea, ImageViewKeepsItsExactSizeInAWholePointDocument) {
  auto p = Quirel_CTRLS_Preview::initForExtendMode();
  EXPECT_EQ(p->getImageView()->mode(), 1);
  p->setImageViewRect(fnd::Rect(3, 4, 300.4, 200.6));
  EXPECT_EQ(p->getImageViewRect(), fnd::Rect(0, 0, 300.4, 200.6));
  const fnd::Rect doc = p->getDocumentView()->frame();
  EXPECT_EQ(doc.origin, fnd::Point{});
  EXPECT_EQ(doc.size, fnd::Rect(3, 4, 300.4, 200.6).integral().size);
  EXPECT_GE(doc.size.width, 300.4);
  EXPECT_EQ(p->getScrollView()->documentView(), p->getDocumentView());
  EXPECT_EQ(p->getImageView()->superview(), p->getDocumentView());
  EXPECT_FALSE(p->getScrollView()->hasVerticalScroller());
  EXPECT_FALSE(p->getScrollView()->hasHorizontalScroller());
}

TEST(PreviewArea, LabelTextFollowsTheSourceAndMissingTitlesAreEmpty) {
  auto p = Quirel_CTRLS_Preview::initForStandardMode();
  EXPECT_EQ(p->getTitleTxt()->superview(), p->getImageView());
  EXPECT_EQ(p->getTitleTxt()->font().pointSize(), 17);
  p->setPlatenTitle("Platen");
  p->setADFTitle("Feeder");
  p->setFilmTitle("Film");
  struct Case {
    bool adf, film;
    const char* text;
  };
  for (const Case& c : {Case{true, true, "Feeder"}, Case{true, false, "Feeder"}, Case{false, true, "Film"},
                        Case{false, false, "Platen"}}) {
    p->setHiddenTitle(true);
    EXPECT_EQ(p->getTitleTxt()->superview(), nullptr);
    p->changeTitle(c.adf, c.film);
    EXPECT_EQ(p->getTitleTxt()->stringValue(), c.text);
    EXPECT_EQ(p->getTitleTxt()->superview(), p->getImageView()) << "shown again";
  }
  p->setADFTitle(nullptr);
  EXPECT_EQ(p->adfTitle(), "");
  p->changeTitle(true, false);
  EXPECT_EQ(p->getTitleTxt()->stringValue(), "");
  p->setTitleRect(1, 2, 3, 4);
  EXPECT_EQ(p->getTitleRect(), fnd::Rect(1, 2, 3, 4));
  auto extend = Quirel_CTRLS_Preview::initForExtendMode();
  EXPECT_EQ(extend->getTitleTxt()->font().pointSize(), 280);
}

TEST(PreviewArea, CropsJoinTheImageViewAndHidingDropsItsTrackingRect) {
  TestWindow w(fnd::Rect(0, 0, 400, 400));
  auto p = Quirel_CTRLS_Preview::initForStandardMode();
  Quirel_CTRLS_PreviewFrame frame;
  frame.setFrameViewRect(10, 10, 380, 380);
  EXPECT_EQ(frame.getFrameViewRect(), fnd::Rect(10, 10, 380, 380));
  frame.addView(p->getShadowView(), fnd::Rect(24, 6, 300, 300));
  frame.setSimplePreview(p->getScrollView(), fnd::Rect(20, 10, 300, 300));
  w.window().contentView()->addSubview(frame.getFrameView());
  p->setImageViewRect(fnd::Rect(0, 0, 300, 300));
  EXPECT_EQ(p->getScrollView()->window(), &w.window());

  Quirel_CropView crop(fnd::Rect(10, 10, 50, 50));
  p->addCrop(&crop);
  EXPECT_EQ(crop.superview(), p->getImageView());
  p->addCrop(nullptr);

  EXPECT_FALSE(p->getImageView()->trackingRects().empty());
  p->setHidden(true);
  EXPECT_TRUE(p->isHidden());
  EXPECT_TRUE(p->getShadowView()->isHidden());
  EXPECT_TRUE(p->getImageView()->trackingRects().empty());
  p->setHidden(false);
  EXPECT_FALSE(p->isHidden());
  p->setVisiblePreviewSize_Pixel96(fnd::Size(960, 1200));
  EXPECT_EQ(p->getVisiblePreviewSize_Pixel96(), fnd::Size(960, 1200));
  crop.removeFromSuperview();
  frame.getFrameView()->removeFromSuperview();
}

TEST(PreviewArea, WrapperGoesBeforeOrAfterItsWindowAndCrops) {
  // Both orders of destruction: the crop outlives the preview, then the preview the window.
  auto crop = std::make_unique<Quirel_CropView>(fnd::Rect(10, 10, 50, 50));
  {
    TestWindow w(fnd::Rect(0, 0, 300, 300));
    auto p = Quirel_CTRLS_Preview::initForStandardMode();
    w.window().contentView()->addSubview(p->getScrollView());
    p->setImageViewRect(fnd::Rect(0, 0, 200, 200));
    p->addCrop(crop.get());
    p.reset();
    EXPECT_EQ(crop->superview(), nullptr);
  }
  auto p = Quirel_CTRLS_Preview::initForExtendMode();
  {
    TestWindow w(fnd::Rect(0, 0, 300, 300));
    w.window().contentView()->addSubview(p->getScrollView());
    p->addCrop(crop.get());
  }
  crop.reset();
  p->getImageView()->display();
}

TEST(ModeTabs, AnItemWithFlagOffExistsButIsNotShown) {
  Quirel_CTRLS_TabView tabs(true, true, false);
  Quirel_NoFocusTabView* view = tabs.getTabView();
  EXPECT_EQ(view->frame(), fnd::Rect(460, 0, 340, 800));
  EXPECT_EQ(view->autoresizingMask(), 17u);
  ASSERT_EQ(view->numberOfTabViewItems(), 2);
  EXPECT_EQ(view->tabViewItemAtIndex(0)->label(), "Simple Mode");
  EXPECT_EQ(view->tabViewItemAtIndex(1)->label(), "Advanced Mode");
  EXPECT_EQ(tabs.multiScanTabItem()->label(), "Multi-Scan");
  EXPECT_EQ(tabs.multiScanTabItem()->tabView(), nullptr);
  tabs.setMultiScanTabViewLabel("Several");
  EXPECT_EQ(tabs.multiScanTabItem()->label(), "Several");
  kit::View inner;
  tabs.setMultiScanTabViewItem(&inner, fnd::Rect(1, 2, 30, 40));
  EXPECT_EQ(inner.superview(), tabs.multiScanView());
  EXPECT_EQ(inner.frame(), fnd::Rect(1, 2, 30, 40));
  EXPECT_EQ(tabs.multiScanView()->frame(), fnd::Rect(460, 0, 340, 800));
  tabs.setExtendTabViewLabel("Expert");
  EXPECT_EQ(view->tabViewItemAtIndex(1)->label(), "Expert");
  tabs.selectTabViewItemAtIndex(1);
  EXPECT_EQ(view->indexOfSelectedTabViewItem(), 1);
  inner.removeFromSuperview();

  Quirel_CTRLS_TabView all(true, true, true);
  EXPECT_EQ(all.getTabView()->numberOfTabViewItems(), 3);
  Quirel_CTRLS_TabView none(false, false, false);
  EXPECT_EQ(none.getTabView()->numberOfTabViewItems(), 0);
  none.setStandardTabViewLabel("Basic");
  EXPECT_EQ(none.standardTabItem()->label(), "Basic");
}

TEST(MainWindowPieces, SeparatorMovesOneCoordinateAtATime) {
  Quirel_CTRLS_Separator s;
  EXPECT_EQ(s.getRect(), fnd::Rect(10, 10, 295, 5));
  EXPECT_EQ(s.getSeparator()->boxType(), kit::BoxType::Separator);
  s.setOriginY(40);
  s.setOriginX(7);
  EXPECT_EQ(s.getRect(), fnd::Rect(7, 40, 295, 5));
  s.setHidden(true);
  EXPECT_TRUE(s.isHidden());
}

TEST(MainWindowPieces, IconOnOffStateAndThumbnailSteppingPosts) {
  Quirel_CTRLS_IconOnOffButton icon;
  EXPECT_EQ(icon.getIconBTRect(), fnd::Rect(10, 10, 30, 25));
  icon.setOnState(true);
  EXPECT_TRUE(icon.isOnState());
  EXPECT_EQ(icon.getIconOnOffBT()->state(), 1);
  icon.setOnState(false);
  EXPECT_FALSE(icon.isOnState());
  icon.setIconBTRect(1, 2, 3, 4);
  EXPECT_EQ(icon.getIconBTRect(), fnd::Rect(1, 2, 3, 4));

  PostRecorder rec({"NextThumbnailPost", "BackThumbnailPost"});
  TestWindow w;
  Quirel_CTRLS_NextThumbnailButton steps;
  steps.setNextBTRect(100, 20, 40, 30);
  steps.setBackBTRect(fnd::Rect(20, 20, 40, 30));
  steps.setNextBTImage("BtnDirection_on", "BtnDirection_off", "", "BtnDirection_d", controls_test::kBundle);
  w.window().contentView()->addSubview(steps.getNextBT());
  w.window().contentView()->addSubview(steps.getBackBT());
  w.click({120, 35});
  w.click({40, 35});
  EXPECT_EQ(rec.posts, (std::vector<std::string>{"NextThumbnailPost", "BackThumbnailPost"}));
  EXPECT_EQ(rec.senders, (std::vector<const void*>{steps.getNextBT(), steps.getBackBT()}));
  steps.setEnabledBackBT(false);
  w.click({40, 35});
  EXPECT_EQ(rec.posts.size(), 2u);
  steps.setEnabled(true);
  steps.setHiddenNextBT(true);
  EXPECT_TRUE(steps.getNextBT()->isHidden());
  EXPECT_FALSE(steps.getBackBT()->isHidden());
  steps.setHidden(false);
  EXPECT_FALSE(steps.getNextBT()->isHidden());
  steps.getNextBT()->removeFromSuperview();
  steps.getBackBT()->removeFromSuperview();
}

TEST(MainWindowPieces, WindowTitleViewShowsItsKeysText) {
  {
    Quirel_WindowTitleView unanswered(fnd::Rect(0, 0, 200, 14), "IDMAC_OK_BTN");
    EXPECT_EQ(unanswered.getTitle()->stringValue(), "") << "no bundle named";
  }
  PreviewAreaLocaliser controller;
  Quirel_WindowTitleView title(fnd::Rect(0, 0, 200, 14), "IDMAC_CANCEL_BTN");
  EXPECT_EQ(title.getTitle()->stringValue(), "Cancel");
  EXPECT_EQ(title.getTitle()->frame(), fnd::Rect(0, 1, 200, 12));
  EXPECT_EQ(title.getTitle()->font().pointSize(), 10);
  EXPECT_FALSE(title.getTitle()->isEditable());
  EXPECT_EQ(title.getTitle()->superview(), &title);
}

TEST(MainWindowPieces, OffColorViewIsBlueInsideItsOutlineWithAWhiteBand) {
  TestWindow w(fnd::Rect(0, 0, 200, 200));
  w.add(std::make_unique<Quirel_UIOffColorView>(fnd::Rect(20, 20, 120, 100)));
  PreviewAreaShot s(w.window(), "uioffcolor.png");
  ASSERT_TRUE(s.shot.isValid());
  auto isBlue = [](const kit::Color& c) {
    return std::abs(c.redComponent() - 0.192) < 0.03 && std::abs(c.greenComponent() - 0.388) < 0.03 &&
           std::abs(c.blueComponent() - 0.612) < 0.03;
  };
  auto isWhite = [](const kit::Color& c) {
    return c.redComponent() > 0.97 && c.greenComponent() > 0.97 && c.blueComponent() > 0.97;
  };
  // The view's points (origin 20, 20): blue below and above the band {0, 8, 120, 84}.
  EXPECT_TRUE(isBlue(s.at(20 + 60, 20 + 5)));
  EXPECT_TRUE(isBlue(s.at(20 + 60, 20 + 95)));
  EXPECT_TRUE(isWhite(s.at(20 + 60, 20 + 50)));
  EXPECT_TRUE(isWhite(s.at(20 + 1, 20 + 50))) << "the band runs the whole width";
  EXPECT_FALSE(isBlue(s.at(20 + 0.5, 20 + 0.5))) << "the rounded corner leaves the corner out";

  // The outline: a rounded rectangle inset by 2, width 2, in the blue.
  Quirel_UIOffColorView v(fnd::Rect(0, 0, 120, 100));
  kit::RecordingContext ctx;
  v.displayRectIgnoringOpacity(v.bounds(), ctx);
  ASSERT_EQ(ctx.strokes().size(), 1u);
  EXPECT_EQ(ctx.strokes()[0].path.lineWidth(), 2.0);
  EXPECT_EQ(ctx.strokes()[0].path.controlPointBounds(), fnd::Rect(2, 2, 116, 96));
  ASSERT_EQ(ctx.fills().size(), 2u);
  EXPECT_EQ(ctx.fills()[0].path.controlPointBounds(), fnd::Rect(3, 3, 114, 94));
  EXPECT_EQ(ctx.fills()[1].path.controlPointBounds(), fnd::Rect(0, 8, 120, 84));
  EXPECT_TRUE(isWhite(ctx.fills()[1].state.fillColor));
}
