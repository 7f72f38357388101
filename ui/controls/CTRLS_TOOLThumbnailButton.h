#pragma once

#include <memory>
#include <string>

#include "foundation/Geometry.h"
#include "ui/controls/IconButtonBase.h"
#include "ui/controls/ToolButton.h"

// The toolbar button that switches between the thumbnails and the whole preview: two picture
// sets, the one in force chosen by the thumbnail mode. Each click posts
// "ToolThumbnailButtonPost" (object: the button) and leaves the button off.
class Quirel_CTRLS_TOOLThumbnailButton {
 public:
  static constexpr const char* kThumbnailPost = "ToolThumbnailButtonPost";

  Quirel_CTRLS_TOOLThumbnailButton();
  ~Quirel_CTRLS_TOOLThumbnailButton();
  Quirel_CTRLS_TOOLThumbnailButton(const Quirel_CTRLS_TOOLThumbnailButton&) = delete;
  Quirel_CTRLS_TOOLThumbnailButton& operator=(const Quirel_CTRLS_TOOLThumbnailButton&) = delete;

  Quirel_ToolButton* getToolBT() const { return mToolBT.get(); }
  void setToolBTRect(const fnd::Rect& rect) { mToolBT->setFrame(rect); }
  void setToolBTOrigin(double x, double y) { mToolBT->setFrameOrigin(fnd::Point{x, y}); }
  fnd::Rect getToolBTRect() const { return mToolBT->frame(); }
  // Load the thumbnail-mode and the whole-preview pictures; the button is not changed.
  void setThumbnailOnImage(const std::string& enter, const std::string& exit, const std::string& disable,
                           const std::string& bundle) {
    mOn.load(enter, exit, disable, bundle);
  }
  void setThumbnailOffImage(const std::string& enter, const std::string& exit, const std::string& disable,
                            const std::string& bundle) {
    mOff.load(enter, exit, disable, bundle);
  }
  void setThumbnailMode(bool on);
  bool isThumbnailMode() const { return mIsThumbnail; }
  void setEnabled(bool enabled) { mToolBT->setEnabled(enabled); }
  bool isEnabled() const { return mToolBT->isEnabled(); }
  void setHidden(bool hidden) { mToolBT->setHidden(hidden); }
  bool isHidden() const { return mToolBT->isHidden(); }
  void ThumbnailBTAction();

 private:
  std::unique_ptr<Quirel_ToolButton> mToolBT;
  bool mIsThumbnail = false;
  Quirel_IconImages mOn;   // thumbnail mode
  Quirel_IconImages mOff;  // whole preview
};
