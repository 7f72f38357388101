#include "ui/base/MainWindowLayout.h"

Quirel_MainWindowLayout::Frames Quirel_MainWindowLayout::mainWindowFrames(const fnd::Rect& tabViewFrame,
                                                                          bool ver1400Later) {
  Frames f;
  f.tabView = tabViewFrame;
  if (ver1400Later) {
    f.tabView.origin.y += kTabViewLift;
    f.tabView.size.height -= kTabViewLift;
    f.hasButtonStrip = true;
    f.buttonStrip = fnd::Rect(tabViewFrame.origin.x, 0, tabViewFrame.size.width, kButtonStripHeight);
  }
  return f;
}

Quirel_MainWindowLayout::PreviewArea Quirel_MainWindowLayout::previewAreaAfterMultiScan(const fnd::Size& contentSize,
                                                                                        double tabViewWidth) {
  PreviewArea a;
  a.previewFrame = fnd::Rect(10, 10, contentSize.width - (tabViewWidth + 10), contentSize.height - 80);
  a.toolViewWidth = contentSize.width - (tabViewWidth + 5);
  return a;
}
