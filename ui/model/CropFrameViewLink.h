#pragma once

#include <memory>

#include "foundation/Geometry.h"

// The frame view that shows one crop on the preview, as the crop record sees it. The view
// layer implements it; the record owns the view through this interface and only calls these.
class CropFrameViewLink {
 public:
  virtual ~CropFrameViewLink() = default;

  virtual void setFrameRotation(double angle) = 0;
  virtual double frameRotation() const = 0;
  // In the superview's points.
  virtual void setFrame(const fnd::Rect& frame) = 0;
  // The superview's actual size (empty without one).
  virtual fnd::Size superviewSize() const = 0;
  // Marks a rectangle of the superview (its points) for redrawing: the old, then the new frame.
  virtual void redrawSuperview(const fnd::Rect& rect) = 0;
  virtual void setHidden(bool hidden) = 0;
  virtual bool isHidden() const = 0;
  virtual fnd::Rect frame() const = 0;
  virtual int getLineStyle() const = 0;
  virtual void setLineStyle(int style) = 0;
  // Starts or stops the blinking of the frame.
  virtual void runTimer(bool run) = 0;
  virtual void removeFromSuperview() = 0;
  // A new frame view in this view's superview, with the given frame and line style: the
  // outline of the crop's source while it is being moved.
  virtual std::unique_ptr<CropFrameViewLink> makeSourceView(const fnd::Rect& frame, int lineStyle) = 0;
};
