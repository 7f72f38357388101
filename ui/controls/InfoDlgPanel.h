#pragma once

#include "ui/controls/FloatingPanel.h"

// The window of the scan-information dialog. All three window buttons are refused while the
// dialog is disabled; mouse moves are reported only while the panel is key.
class Quirel_InfoDlgPanel : public Quirel_FloatingPanel {
 public:
  Quirel_InfoDlgPanel(const fnd::Rect& contentRect, unsigned styleMask) : Quirel_FloatingPanel(contentRect, styleMask) {}
  void mouseMoved(const kit::Event& event) override;

 protected:
  std::vector<kit::WindowButton> testedButtons() const override {
    return {kit::WindowButton::Zoom, kit::WindowButton::Miniaturize, kit::WindowButton::Close};
  }
};
