#pragma once

#include <memory>
#include <string>

#include "foundation/Geometry.h"
#include "ui/controls/ColorButton.h"

// The two buttons that step through the thumbnails: "NextThumbnailPost" and
// "BackThumbnailPost", each with the clicked button as object.
class Quirel_CTRLS_NextThumbnailButton {
 public:
  static constexpr const char* kNextPost = "NextThumbnailPost";
  static constexpr const char* kBackPost = "BackThumbnailPost";

  Quirel_CTRLS_NextThumbnailButton();
  // The advanced mode holds its own pair through this class.
  virtual ~Quirel_CTRLS_NextThumbnailButton();
  Quirel_CTRLS_NextThumbnailButton(const Quirel_CTRLS_NextThumbnailButton&) = delete;
  Quirel_CTRLS_NextThumbnailButton& operator=(const Quirel_CTRLS_NextThumbnailButton&) = delete;

  Quirel_ColorButton* getNextBT() const { return mNextBT.get(); }
  Quirel_ColorButton* getBackBT() const { return mBackBT.get(); }
  // Pictures by name from the bundle's picture folder; an empty name gives no picture.
  void setNextBTImage(const std::string& enter, const std::string& exit, const std::string& down,
                      const std::string& disable, const std::string& bundle);
  void setBackBTImage(const std::string& enter, const std::string& exit, const std::string& down,
                      const std::string& disable, const std::string& bundle);
  void setNextBTRect(double x, double y, double width, double height) { setNextBTRect(fnd::Rect(x, y, width, height)); }
  void setNextBTRect(const fnd::Rect& rect) { mNextBT->setFrame(rect); }
  fnd::Rect getNextBTRect() const { return mNextBT->frame(); }
  void setBackBTRect(double x, double y, double width, double height) { setBackBTRect(fnd::Rect(x, y, width, height)); }
  void setBackBTRect(const fnd::Rect& rect) { mBackBT->setFrame(rect); }
  fnd::Rect getBackBTRect() const { return mBackBT->frame(); }
  void setHidden(bool hidden);
  void setEnabled(bool enabled);
  void setHiddenNextBT(bool hidden) { mNextBT->setHidden(hidden); }
  void setHiddenBackBT(bool hidden) { mBackBT->setHidden(hidden); }
  void setEnabledNextBT(bool enabled) { mNextBT->setEnabled(enabled); }
  void setEnabledBackBT(bool enabled) { mBackBT->setEnabled(enabled); }

  void NextBTAction();
  void BackBTAction();

 private:
  static void loadImages(Quirel_ColorButton& button, const std::string& enter, const std::string& exit,
                         const std::string& down, const std::string& disable, const std::string& bundle);
  std::unique_ptr<Quirel_ColorButton> mNextBT;
  std::unique_ptr<Quirel_ColorButton> mBackBT;
};
