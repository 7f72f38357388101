#pragma once

#include "kit/Image.h"
#include "kit/View.h"
#include "ui/controls/FRZoomViewLink.h"

// The final review's magnifier: the 21 x 21 preview pixels around the pointer, each drawn as a
// 3 x 3 block, turned and mirrored as the preview is, with the centre pixel framed in the
// complement of its corrected value for one drawing.
class Quirel_FRZoomView : public kit::View, public Quirel_FRZoomViewLink {
 public:
  static constexpr int kSide = 21;

  explicit Quirel_FRZoomView(const fnd::Rect& frame = {}) : kit::View(frame) {}

  kit::View* linkedView() override { return this; }
  // Values 0..255.
  void setRGB(double red, double green, double blue) override;
  void setGray(double gray) override;
  // Keeps the block; one smaller than 21 x 21 pixels is not copied and draws black.
  void getZoomViewData(const kit::Image& data) override { mZoomViewData = data; }
  void setRotation(int rotation) override { mRotation = rotation; }
  void setMirror(bool mirror) override { mMirror = mirror; }

  void drawRect(const fnd::Rect& dirtyRect) override;
  bool acceptsFirstMouse(const kit::Event*) const override { return true; }
  void mouseDown(const kit::Event& event) override;

 private:
  kit::Image mZoomViewData;
  double mRed = 0, mGreen = 0, mBlue = 0, mGray = 0;
  bool mColorMode = false;
  bool mGrayMode = false;
  int mRotation = 0;
  bool mMirror = false;
};
