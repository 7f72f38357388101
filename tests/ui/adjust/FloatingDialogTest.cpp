// What every floating dialog shares, shown on the colour balance dialog: level, collapsing by
// the zoom button, refused resizing, the grey cover while disabled, and the text round-down.

#include <gtest/gtest.h>

#include "AdjustTestSupport.h"
#include "kit/Window.h"
#include "ui/adjust/ColorBalanceDialog.h"
#include "ui/controls/DisabledView.h"
#include "ui/controls/ImageDataProcessPanel.h"
#include "ui/controls/NoFocusButton.h"

using namespace adjust_test;

namespace {

struct FloatingFixture {
  explicit FloatingFixture(bool v1400, kit::Window* parent = nullptr)
      : info(scanner(v1400, v1400, false)), dialog(&list, &templateCrop, info.get(), parent) {
    dialog.createColorBalanceDialog(fnd::Size(220, 400));
  }
  TextsAnswer texts;
  CropList list;
  Quirel_CropInfo templateCrop;
  std::unique_ptr<Quirel_UIScannerInfo> info;
  Quirel_ColorBalanceDialog dialog;
};

}  // namespace

TEST(FloatingDialog, FloatsAtTenAloneAndOneAboveItsParentFollowingItsLevel) {
  {
    FloatingFixture f(true);
    EXPECT_EQ(f.dialog.getWindow()->level(), 10);
  }
  kit::Window parent(fnd::Rect(0, 0, 300, 200), kit::kTitledWindowMask);
  parent.setLevel(3);
  FloatingFixture f(true, &parent);
  EXPECT_EQ(f.dialog.getWindow()->level(), 4);
  parent.setLevel(8);
  EXPECT_EQ(f.dialog.getWindow()->level(), 4);  // only the notification moves it
  fnd::NotificationCenter::defaultCenter().post(Quirel_FloatingDialog::kLevelChangePost, &parent);
  EXPECT_EQ(f.dialog.getWindow()->level(), 9);
}

TEST(FloatingDialog, TheZoomButtonCollapsesToTheTitleBarAndBackWithTheTopEdgeFixed) {
  FloatingFixture f(true);
  kit::Window& w = *f.dialog.getWindow();
  w.setFrameOrigin(fnd::Point(100, 200));
  const fnd::Rect open = w.frame();
  w.performZoom();
  EXPECT_EQ(f.dialog.getContentState(), Quirel_FloatingDialog::kHidden);
  EXPECT_EQ(w.contentRectSize().height, 0);
  EXPECT_DOUBLE_EQ(w.frame().maxY(), open.maxY());
  EXPECT_DOUBLE_EQ(w.frame().origin.x, open.origin.x);
  EXPECT_FALSE(w.isZoomed());
  w.performZoom();
  EXPECT_EQ(f.dialog.getContentState(), Quirel_FloatingDialog::kOpen);
  EXPECT_EQ(w.frame(), open);
  EXPECT_FALSE(w.isZoomed());

  // An older model refuses the zoom and keeps its frame.
  FloatingFixture old(false);
  const fnd::Rect before = old.dialog.getWindow()->frame();
  old.dialog.getWindow()->performZoom();
  EXPECT_EQ(old.dialog.getWindow()->frame(), before);
  EXPECT_EQ(old.dialog.getContentState(), Quirel_FloatingDialog::kOpen);
}

TEST(FloatingDialog, AResizeDragKeepsTheSize) {
  FloatingFixture f(true);
  kit::Window& w = *f.dialog.getWindow();
  EXPECT_NE(w.styleMask() & kit::kResizableWindowMask, 0u);  // resizable on 1400 to 1899
  const fnd::Size size = w.frame().size;
  EXPECT_EQ(f.dialog.windowWillResize(w, fnd::Size(600, 700)), size);
}

TEST(FloatingDialog, DisablingAddsOneCoverAndEnablingRemovesIt) {
  FloatingFixture f(true);
  Quirel_ImageDataProcessPanel& w = *f.dialog.getWindow();
  auto covers = [&] {
    int n = 0;
    for (kit::View* v : w.contentView()->subviews()) n += dynamic_cast<Quirel_DisabledView*>(v) != nullptr;
    return n;
  };
  f.dialog.setEnabledAllControl(false);
  f.dialog.setEnabledAllControl(false);
  EXPECT_EQ(covers(), 1);
  EXPECT_TRUE(w.becomesKeyOnlyIfNeeded());
  EXPECT_FALSE(w.isEnabled());
  EXPECT_FALSE(f.dialog.resetButton()->isEnabled());
  EXPECT_TRUE(f.dialog.resetButton()->toolTip().empty());
  f.dialog.setEnabledAllControl(true);
  EXPECT_EQ(covers(), 0);
  EXPECT_FALSE(w.becomesKeyOnlyIfNeeded());
  EXPECT_TRUE(w.isEnabled());
  EXPECT_FALSE(f.dialog.resetButton()->toolTip().empty());
}

TEST(FloatingDialog, TextsAreRoundedDownOrAreNoNumber) {
  struct Case {
    const char* text;
    int digits;
    const char* expected;
  } cases[] = {{"12.9", 0, "12"}, {"", 0, "0"},       {"abc", 0, "nan"}, {"12abc", 0, "nan"}, {"-", 0, "nan"},
               {"-1.5", 0, "-2"}, {"007", 0, "7"},    {"0.29", 2, "0.29"}, {"0.999", 2, "0.99"}, {"", 1, "0.0"},
               {"-127", 0, "-127"}, {"128", 0, "128"}, {".5", 0, "0"}};
  for (const Case& c : cases)
    EXPECT_EQ(Quirel_FloatingDialog::roundDownForString(c.text, c.digits), c.expected) << c.text << " " << c.digits;
}
