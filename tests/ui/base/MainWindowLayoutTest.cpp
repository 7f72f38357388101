#include <gtest/gtest.h>

#include "ui/base/MainWindowLayout.h"

namespace {

using MainLayout = Quirel_MainWindowLayout;

// The frame the mode tabs' class gives its view.
const fnd::Rect kModeTabs(460, 0, 340, 800);

}  // namespace

TEST(MainWindowLayout, ButtonsToolbarAndPreviewSitWhereTheWindowPutsThem) {
  for (bool newer : {false, true}) {
    SCOPED_TRACE(newer);
    const MainLayout::Frames f = MainLayout::mainWindowFrames(kModeTabs, newer);
    EXPECT_EQ(f.preferenceButton, fnd::Rect(10, 10, 163, 32));
    EXPECT_EQ(f.closeButton, fnd::Rect(167, 10, 163, 32));
    EXPECT_EQ(f.toolView, fnd::Rect(5, 737, 455, 60));
    EXPECT_EQ(f.previewFrame, fnd::Rect(10, 10, 450, 720));
    EXPECT_EQ(f.horizontalSeparator, fnd::Rect(0, 0, 5, 25));
    EXPECT_EQ(f.verticalSeparator, fnd::Rect(0, 0, 455, 5));
    // The toolbar sits on the preview frame, 7 above its top.
    EXPECT_EQ(f.toolView.origin.y - f.previewFrame.maxY(), 7);
  }
}

TEST(MainWindowLayout, NewerScannersRaiseTheTabsOverAStripOfTheirWidth) {
  const MainLayout::Frames older = MainLayout::mainWindowFrames(kModeTabs, false);
  EXPECT_EQ(older.tabView, kModeTabs);
  EXPECT_FALSE(older.hasButtonStrip);

  const MainLayout::Frames newer = MainLayout::mainWindowFrames(kModeTabs, true);
  EXPECT_EQ(newer.tabView, fnd::Rect(460, 40, 340, 760));
  EXPECT_TRUE(newer.hasButtonStrip);
  EXPECT_EQ(newer.buttonStrip, fnd::Rect(460, 0, 340, 45));
  // Both buttons fit side by side inside the strip.
  EXPECT_LE(newer.closeButton.maxX(), newer.buttonStrip.size.width);
  EXPECT_LE(newer.closeButton.maxY(), newer.buttonStrip.size.height);
  // The tabs' top stays where it was.
  EXPECT_EQ(newer.tabView.maxY(), kModeTabs.maxY());

  // The strip follows a tab view placed elsewhere.
  EXPECT_EQ(MainLayout::mainWindowFrames(fnd::Rect(600, 0, 300, 900), true).buttonStrip, fnd::Rect(600, 0, 300, 45));
}

TEST(MainWindowLayout, LeavingMultiScanFillsTheContentLeftOfTheTabs) {
  struct Row {
    fnd::Size content;
    double tabWidth;
    fnd::Rect preview;
    double toolWidth;
  };
  for (const Row& r : {Row{{800, 800}, 340, {10, 10, 450, 720}, 455},
                       Row{{1000, 900}, 340, {10, 10, 650, 820}, 655},
                       Row{{800, 800}, 300, {10, 10, 490, 720}, 495}}) {
    SCOPED_TRACE(r.content.width);
    const MainLayout::PreviewArea a = MainLayout::previewAreaAfterMultiScan(r.content, r.tabWidth);
    EXPECT_EQ(a.previewFrame, r.preview);
    EXPECT_EQ(a.toolViewWidth, r.toolWidth);
  }
  // At the built window's size the area comes back to the frames it was built with.
  const MainLayout::Frames built = MainLayout::mainWindowFrames(kModeTabs, false);
  const MainLayout::PreviewArea back = MainLayout::previewAreaAfterMultiScan({800, 800}, kModeTabs.size.width);
  EXPECT_EQ(back.previewFrame, built.previewFrame);
  EXPECT_EQ(back.toolViewWidth, built.toolView.size.width);
}
