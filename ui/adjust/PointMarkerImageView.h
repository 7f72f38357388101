#pragma once

#include <string>

#include "kit/Image.h"
#include "kit/ImageView.h"

// A draggable point marker under the histogram. It reports the press, every drag and the
// release by notifications named after its point; the dialog reads the pointer itself.
class Quirel_PointMarkerImageView : public kit::ImageView {
 public:
  bool acceptsFirstResponder() const override { return false; }
  bool acceptsFirstMouse(const kit::Event*) const override { return true; }
  // Press and "CONTROL_YES", a drag post per drag event, the release: also when the wait for
  // the mouse-up ends because the window closed or the application ended.
  void mouseDown(const kit::Event& event) override;
  void drawRect(const fnd::Rect& dirtyRect) override;
  void setKnobImage(const kit::Image& image) { mKnobImage = image; }
  const kit::Image& knobImage() const { return mKnobImage; }

  std::string pressName() const { return "MOUSE_DOWN_" + mWord; }
  std::string dragName() const { return "MOUSE_DRAG_" + mWord; }
  std::string releaseName() const { return "MOUSE_UP_" + mWord; }

 protected:
  // word: "BLACK", "MID" or "WHITE".
  Quirel_PointMarkerImageView(const fnd::Rect& frame, std::string word) : kit::ImageView(frame), mWord(std::move(word)) {}

 private:
  std::string mWord;
  kit::Image mKnobImage;
};
