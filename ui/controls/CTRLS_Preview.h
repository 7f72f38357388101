#pragma once

#include <memory>
#include <optional>
#include <string>

#include "foundation/Geometry.h"
#include "kit/ClipView.h"
#include "kit/Image.h"
#include "ui/controls/NoFocusTextField.h"
#include "ui/controls/PreviewScrollView.h"
#include "ui/controls/PreviewShadowView.h"
#include "ui/controls/PreviewView.h"

// The preview area of a main window: the image view inside a bordered scroll view with a grey
// shadow behind it, and the label an empty preview shows (its text names the source: platen,
// feeder or film). Crop frames join the image view through addCrop.
class Quirel_CTRLS_Preview {
 public:
  static std::unique_ptr<Quirel_CTRLS_Preview> initForStandardMode();
  static std::unique_ptr<Quirel_CTRLS_Preview> initForExtendMode();
  ~Quirel_CTRLS_Preview();
  Quirel_CTRLS_Preview(const Quirel_CTRLS_Preview&) = delete;
  Quirel_CTRLS_Preview& operator=(const Quirel_CTRLS_Preview&) = delete;

  Quirel_PreviewScrollView* getScrollView() const { return mScrollView.get(); }
  // The scroll view takes the rectangle; the shadow lies 4 right and 4 down of it.
  void setScrollViewRect(double x, double y, double width, double height);
  void setScrollViewRect(const fnd::Rect& rect);
  fnd::Rect getScrollViewRect() const { return mScrollView->frame(); }
  Quirel_PreviewShadowView* getShadowView() const { return mShadowView.get(); }
  fnd::Rect getShadowViewRect() const { return mShadowView->frame(); }

  Quirel_PreviewView* getImageView() const { return mPreView.get(); }
  kit::View* getDocumentView() const { return mTempView.get(); }
  // The document view takes the whole-point size of the rectangle, the image view the exact one.
  void setImageViewRect(const fnd::Rect& rect);
  fnd::Rect getImageViewRect() const { return mPreView->frame(); }

  void setHasVerticalScroller(bool on) { mScrollView->setHasVerticalScroller(on); }
  void setHasHorizontalScroller(bool on) { mScrollView->setHasHorizontalScroller(on); }
  void setHidden(bool hidden);
  bool isHidden() const { return mScrollView->isHidden(); }
  void updateDisplay();
  void updateDisplayForImageView() { mPreView->display(); }

  // A crop frame view joins the image view; the caller (its crop record) keeps it.
  void addCrop(kit::View* cropView);

  void setVisiblePreviewSize_Pixel96(const fnd::Size& size) { mVisiblePreviewSize_Pixel96 = size; }
  fnd::Size getVisiblePreviewSize_Pixel96() const { return mVisiblePreviewSize_Pixel96; }

  void setTransform(const fnd::AffineTransform& transform, int rotation) { mPreView->setTransform(transform, rotation); }
  void setImage(std::optional<kit::Image> image) { mPreView->setPreviewImage(std::move(image)); }
  void removeImage() { mPreView->removePreviewImage(); }

  // Label texts; a missing text is stored as "".
  void setPlatenTitle(const char* title) { mPlatenTitle = title ? title : ""; }
  void setADFTitle(const char* title) { mADFTitle = title ? title : ""; }
  void setFilmTitle(const char* title) { mFilmTitle = title ? title : ""; }
  const std::string& platenTitle() const { return mPlatenTitle; }
  const std::string& adfTitle() const { return mADFTitle; }
  const std::string& filmTitle() const { return mFilmTitle; }
  // Shows the label with the feeder text, else the film text, else the platen text.
  void changeTitle(bool adf, bool film);
  void setTitleRect(double x, double y, double width, double height);
  void setTitleRect(const fnd::Rect& rect) { mTitleTxt->setFrame(rect); }
  fnd::Rect getTitleRect() const { return mTitleTxt->frame(); }
  Quirel_NoFocusTextField* getTitleTxt() const { return mTitleTxt.get(); }
  void setHiddenTitle(bool hidden);

 private:
  explicit Quirel_CTRLS_Preview(std::unique_ptr<Quirel_PreviewView> imageView);

  std::unique_ptr<Quirel_PreviewScrollView> mScrollView;
  // The scroll view's own clip view (it hands the wheel back); owned by the scroll view.
  kit::ClipView* mClipView = nullptr;
  std::unique_ptr<Quirel_PreviewShadowView> mShadowView;
  std::unique_ptr<kit::View> mTempView;
  std::unique_ptr<Quirel_PreviewView> mPreView;
  std::unique_ptr<Quirel_NoFocusTextField> mTitleTxt;
  std::string mPlatenTitle;
  std::string mADFTitle;
  std::string mFilmTitle;
  fnd::Size mVisiblePreviewSize_Pixel96;
};
