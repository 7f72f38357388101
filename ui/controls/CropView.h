#pragma once

#include <memory>

#include "foundation/Timer.h"
#include "kit/View.h"
#include "ui/model/CropFrameViewLink.h"

namespace kit {
class BezierPath;
}

// The frame of one crop on the preview: a dashed black line over a white one, so it shows on
// any image, whose dashes shift back and forth five times a second while the frame blinks.
// The crop record owns it; the preview shows it without owning it.
class Quirel_CropView : public kit::View, public CropFrameViewLink {
 public:
  static constexpr double kBlinkInterval = 0.2;

  explicit Quirel_CropView(const fnd::Rect& frame = {}) : kit::View(frame) {}
  ~Quirel_CropView() override;

  void setLineStyle(int style) override { mLineStyle = style; }
  int getLineStyle() const override { return mLineStyle; }
  bool acceptsFirstMouse(const kit::Event*) const override { return true; }
  // The ticks run in the default and the event-tracking modes, so the dashes move on during
  // a drag or while a menu is open.
  void runTimer(bool run) override;
  const fnd::Timer* timer() const { return mTimer.get(); }
  bool timerFlag() const { return mTimerFlg; }
  void timerAction();
  void drawRect(const fnd::Rect& dirty) override;
  void drawLineWithNeedLock();
  void drawLine();

  // The record's view of it.
  void setFrameRotation(double angle) override { kit::View::setFrameRotation(angle); }
  double frameRotation() const override { return kit::View::frameRotation(); }
  void setFrame(const fnd::Rect& frame) override { kit::View::setFrame(frame); }
  fnd::Rect frame() const override { return kit::View::frame(); }
  void setHidden(bool hidden) override { kit::View::setHidden(hidden); }
  bool isHidden() const override { return kit::View::isHidden(); }
  void removeFromSuperview() override { kit::View::removeFromSuperview(); }
  std::unique_ptr<CropFrameViewLink> makeSourceView(const fnd::Rect& frame, int lineStyle) override;
  fnd::Size superviewSize() const override;
  void redrawSuperview(const fnd::Rect& rect) override;

 protected:
  virtual std::unique_ptr<Quirel_CropView> makeSibling(const fnd::Rect& frame) const;
  // Dash phase by the blink flag.
  double dashPhase() const { return mTimerFlg ? 0.0 : 3.0; }
  // Strokes the four edges of r (left, top, bottom, right), each as a segment of its own.
  // The first edge keeps the path's width; the others take otherWidth when it is positive.
  static void strokeEdges(const fnd::Rect& r, kit::BezierPath& path, bool closeEach, double otherWidth = 0);

 private:
  int mLineStyle = 0;
  std::shared_ptr<fnd::Timer> mTimer;
  bool mTimerFlg = false;
};
