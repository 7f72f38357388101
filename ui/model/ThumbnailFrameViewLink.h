#pragma once

// The frame view of one thumbnail, as the thumbnail record sees it; the view layer implements it.
class ThumbnailFrameViewLink {
 public:
  virtual ~ThumbnailFrameViewLink() = default;

  virtual void setFocus(bool focus) = 0;
  virtual void setSelected(bool selected) = 0;
  virtual void setWillSelected(bool willSelected) = 0;
  virtual bool isWillSelected() const = 0;
  virtual void setHidden(bool hidden) = 0;
  virtual bool isHidden() const = 0;
  virtual void removeFromSuperview() = 0;
};
