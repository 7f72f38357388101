#pragma once

#include "ui/controls/FloatingPanel.h"

// The window of each image-adjustment dialog. Only its close button is refused while the
// dialog is disabled; every mouse move is reported to the tone-curve dialog, and, while the
// panel is key, to the curve and histogram dialogs.
class Quirel_ImageDataProcessPanel : public Quirel_FloatingPanel {
 public:
  static constexpr const char* kToneCurveMouseMovedPost = "ToneCurveDlgMouseMoved";

  Quirel_ImageDataProcessPanel(const fnd::Rect& contentRect, unsigned styleMask)
      : Quirel_FloatingPanel(contentRect, styleMask) {}
  void mouseMoved(const kit::Event& event) override;

 protected:
  std::vector<kit::WindowButton> testedButtons() const override { return {kit::WindowButton::Close}; }
};
