#pragma once

#include "foundation/Geometry.h"

// The main window's fixed geometry as plain arithmetic, in points of the window's content
// area (origin at the bottom left): the mode tabs, the Preferences and Close buttons with the
// strip that holds them on newer scanners, the preview toolbar's view and separators, and the
// preview frame, first as built and again when the multi-scan mode hands the area back.
class Quirel_MainWindowLayout {
 public:
  static constexpr double kButtonStripHeight = 45;
  // How far newer scanners (the "Ver1400Later" generation) raise and shorten the tabs to make
  // room for the strip.
  static constexpr double kTabViewLift = 40;

  struct Frames {
    fnd::Rect tabView;
    // In the strip on newer scanners, else where the modes place them.
    fnd::Rect preferenceButton{10, 10, 163, 32};
    fnd::Rect closeButton{167, 10, 163, 32};
    // Newer scanners only: below the tabs, as wide as they are. It keeps its distance to the
    // window's right edge (flexible right margin).
    bool hasButtonStrip = false;
    fnd::Rect buttonStrip;
    fnd::Rect toolView{5, 737, 455, 60};
    // Each of the toolbar's five horizontal separators, and its vertical one (which follows the
    // window's width).
    fnd::Rect horizontalSeparator{0, 0, 5, 25};
    fnd::Rect verticalSeparator{0, 0, 455, 5};
    fnd::Rect previewFrame{10, 10, 450, 720};
  };

  // tabViewFrame: the frame the tab view class gives its view.
  static Frames mainWindowFrames(const fnd::Rect& tabViewFrame, bool ver1400Later);

  // When the multi-scan mode hides its tab, the preview area fills the content left of the tabs.
  struct PreviewArea {
    fnd::Rect previewFrame;
    double toolViewWidth = 0;
  };
  static PreviewArea previewAreaAfterMultiScan(const fnd::Size& contentSize, double tabViewWidth);
};
