#pragma once

// The preview view of one thumbnail, as the thumbnail record sees it; the view layer implements it.
class ThumbnailPreviewViewLink {
 public:
  virtual ~ThumbnailPreviewViewLink() = default;

  // Drops the view's mouse tracking rectangle (before the thumbnail is hidden).
  virtual void removeTrackingRect() = 0;
  virtual void removeFromSuperview() = 0;
};
