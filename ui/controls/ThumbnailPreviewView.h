#pragma once

#include <optional>

#include "foundation/Geometry.h"
#include "kit/Image.h"
#include "ui/controls/ResponderView.h"
#include "ui/model/ThumbnailPreviewViewLink.h"

// The thumbnail image of one cell, drawn through the owner's transform scaled to the view.
// Its presses and drags become a stream of notifications with the cell number.
class Quirel_ThumbnailPreviewView : public Quirel_ResponderView, public ThumbnailPreviewViewLink {
 public:
  static constexpr const char* kMouseEventPost = "MouseEventOnThumbnailPreviewPost";
  static constexpr const char* kUpdateCursorRectsPost = "ThumbnailPreviewViewUpdateCursorRectsPost";

  explicit Quirel_ThumbnailPreviewView(const fnd::Rect& frame = {}, int no = 0);
  ~Quirel_ThumbnailPreviewView() override;
  int getNo() const { return mNo; }
  void setImage(std::optional<kit::Image> image) { mImage = std::move(image); }
  const std::optional<kit::Image>& getImage() const { return mImage; }
  void removeImage();
  // Keeps a scaled copy; the caller's transform is left as it was.
  void setTransform(const fnd::AffineTransform& transform, int rotation);
  const std::optional<fnd::AffineTransform>& transform() const { return mTransform; }
  void mouseDown(const kit::Event& event) override;
  void drawRect(const fnd::Rect& dirty) override;
  bool acceptsFirstResponder() const override { return false; }
  void setDownOnOff(bool on) { mDownOnOff = on; }
  void resetCursorRects() override;
  void mouseEntered(const kit::Event&) override { mEntered = true; }
  void mouseExited(const kit::Event&) override { mEntered = false; }
  bool isEntered() const { return mEntered; }
  void removeTrackingRect() override { Quirel_ResponderView::removeTrackingRect(); }
  void removeFromSuperview() override { kit::View::removeFromSuperview(); }

 private:
  bool hasDrawableImage() const;
  int mNo = 0;
  std::optional<kit::Image> mImage;
  std::optional<fnd::AffineTransform> mTransform;
  bool mDownOnOff = true;
  bool mEntered = false;
};
