// The advanced mode's toolbar buttons in both looks and its preview area; pictures of both
// toolbars and of the window with three dialogs open in cascade.

#include <gtest/gtest.h>

#include <filesystem>
#include <iostream>

#include "ExtendModeWindowRig.h"
#include "foundation/RunLoop.h"
#include "kit/Image.h"
#include "ui/adjust/ColorBalanceDialog.h"
#include "ui/adjust/HistogramDialog.h"
#include "ui/adjust/ToneBCDialog.h"
#include "ui/controls/CTRLS_ADVNextThumbnailButton.h"
#include "ui/controls/CTRLS_Preview.h"
#include "ui/controls/CTRLS_TOOLAllCropPushButton.h"
#include "ui/controls/ColorButton.h"
#include "ui/controls/NoFocusButton.h"
#include "ui/controls/ToolView.h"

namespace ext_toolbar_test {

using extend_rig::WindowRig;

const fnd::Dictionary kVer15{{"Ver1400Later", true}, {"Ver1500Later", true}, {"PlatenThumbnail", true}};
const fnd::Dictionary kVer15NoPlaten{{"Ver1400Later", true}, {"Ver1500Later", true}};
const fnd::Dictionary kVer14{{"Ver1400Later", true}, {"Ver1500Later", false}};
const fnd::Dictionary kVer13{{"Ver1400Later", false}, {"Ver1500Later", false}};

// The buttons of the toolbar's view, in the order they were added.
std::vector<kit::View*> items(const WindowRig& rig) { return rig.toolView->getToolView()->subviews(); }

int countOf(const WindowRig& rig, bool pushButtons) {
  int n = 0;
  for (kit::View* v : items(rig))
    if ((dynamic_cast<Quirel_NoFocusButton*>(v) != nullptr) == pushButtons) ++n;
  return n;
}

TEST(ExtendModeToolbar, NewerLookHas40PointButtonsAndPlatenThumbnailOnlyWhenOffered) {
  WindowRig rig(kVer15);
  const auto all = items(rig);
  ASSERT_EQ(all.size(), 18u);  // rows 1 to 18
  for (kit::View* v : all) {
    EXPECT_EQ(v->frame().size, fnd::Size(40, 40));
    EXPECT_NE(dynamic_cast<Quirel_ToolButton*>(v), nullptr);  // no push buttons, no multi-crop
  }
  WindowRig without(kVer15NoPlaten);
  EXPECT_EQ(items(without).size(), 17u);
  // The select-all-frames button starts hidden.
  EXPECT_TRUE(all.back()->isHidden());
}

TEST(ExtendModeToolbar, OlderLookHas25PointButtonsAndThreePushButtons) {
  WindowRig rig(kVer14);
  const auto all = items(rig);
  ASSERT_EQ(all.size(), 18u);  // film thumbnail, 14 tools, 3 push buttons
  EXPECT_EQ(countOf(rig, true), 3);
  for (kit::View* v : all)
    if (dynamic_cast<Quirel_ToolButton*>(v)) {
      EXPECT_EQ(v->frame().size, fnd::Size(25, 25));
    }
}

TEST(ExtendModeToolbar, PushButtonWidthFollowsItsTitle) {
  // 130 at least; a title wider than that gets 10 more than its width.
  const std::string longTitle = "Select every crop frame on the preview at once";
  WindowRig rig(kVer14, {{"IDMAC_TOOL_BTN_SELALLCROP", longTitle}, {"IDMAC_TOOL_BTN_SELALLFRAME", "All"}});
  int checked = 0;
  for (kit::View* v : items(rig)) {
    auto* b = dynamic_cast<Quirel_NoFocusButton*>(v);
    if (!b) continue;
    const double natural = b->font().widthOfString(b->title());
    if (b->title() == longTitle) {
      ASSERT_GT(natural, 130);
      EXPECT_EQ(b->frame().size.width, natural + 10);
      ++checked;
    } else if (b->title() == "All") {
      EXPECT_EQ(b->frame().size.width, 130);
      ++checked;
    }
  }
  EXPECT_EQ(checked, 2);
}

TEST(ExtendModeToolbar, DisabledPicturesOnlyFrom1400InTheOlderLook) {
  // Without 1400, the disabled look falls back to the plain one; with it, it is its own.
  WindowRig v13(kVer13), v14(kVer14);
  auto disabledDiffers = [](WindowRig& rig) {
    auto* b = dynamic_cast<Quirel_ToolButton*>(items(rig)[1]);
    return b && b->disableImage().isValid();
  };
  EXPECT_FALSE(disabledDiffers(v13));
  EXPECT_TRUE(disabledDiffers(v14));
}

TEST(ExtendModeToolbar, EachThumbnailButtonReachesOnlyItsOwnAction) {
  WindowRig rig(kVer15);
  auto all = items(rig);
  // Apart, so that each click meets its own button.
  for (std::size_t i = 0; i < all.size(); ++i) all[i]->setFrameOrigin({i * 45.0, 0});
  // Both post "ToolThumbnailButtonPost"; the platen one switches to platen thumbnails only.
  rig.mode.mScanMode = 0;
  dynamic_cast<kit::Control&>(*all[0]).performClick();
  EXPECT_EQ(rig.mode.mScanMode, 1);
  EXPECT_TRUE(rig.mode.mPlatenThumbnail);
  rig.mode.mScanMode = 2;
  dynamic_cast<kit::Control&>(*all[1]).performClick();
  EXPECT_EQ(rig.mode.mScanMode, 3);
  EXPECT_TRUE(rig.mode.mFilmThumbnail);
  EXPECT_TRUE(rig.mode.mPlatenThumbnail);  // untouched by the film button
}

TEST(ExtendModeToolbar, PreviewAreaWithArrowsHidden) {
  WindowRig old(kVer14), newer(kVer15);
  ASSERT_NE(newer.mode.mPreview, nullptr);
  EXPECT_EQ(newer.mode.mNextThumbnailBtn->getNextBT()->frame(), fnd::Rect(35, 10, 23, 23));
  EXPECT_EQ(old.mode.mNextThumbnailBtn->getBackBT()->frame(), fnd::Rect(10, 10, 19, 19));
  EXPECT_TRUE(newer.mode.mNextThumbnailBtn->getNextBT()->isHidden());
  EXPECT_NE(dynamic_cast<Quirel_CTRLS_ADVNextThumbnailButton*>(newer.mode.mNextThumbnailBtn.get()), nullptr);
}

void grab(kit::Window& window, const char* name) {
  const std::filesystem::path png = std::filesystem::current_path() / name;
  std::filesystem::remove(png);
  window.makeKeyAndOrderFront();
  bool grabbed = false;
  fnd::RunLoop::main().performAfterDelay(0.05, [&] {
    window.contentView()->display();
    grabbed = window.grabToPng(png.string());
    fnd::RunLoop::main().stop();
  });
  fnd::RunLoop::main().runFor(fnd::RunLoopMode::Default, 5);
  EXPECT_TRUE(grabbed);
  EXPECT_TRUE(std::filesystem::exists(png));
  std::cout << "picture: " << png.string() << "\n";
}

TEST(ExtendModePicture, ToolbarsInBothLooks) {
  for (const auto& [flags, name] : {std::pair{kVer15, "advanced-toolbar-v15.png"}, std::pair{kVer14, "advanced-toolbar-v14.png"}}) {
    WindowRig rig(flags);
    // The older look has two rows of 25 points.
    kit::Window strip(fnd::Rect(0, 0, 620, 70), kit::kTitledWindowMask);
    rig.toolView->setToolViewRect(5, 5, 610, 60);
    strip.contentView()->addSubview(rig.toolView->getToolView());
    rig.toolbar.setUIMode(1);
    rig.toolbar.setHiddenToolbar(0, 0);
    rig.toolbar.setEnabledToolbar_scanMode(0, true, false, 1, false, false, 3);
    grab(strip, name);
    strip.contentView()->subviews().front()->removeFromSuperview();
  }
}

}  // namespace ext_toolbar_test
