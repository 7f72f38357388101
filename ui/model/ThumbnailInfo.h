#pragma once

#include <memory>

#include "foundation/Geometry.h"
#include "foundation/Value.h"
#include "ui/model/CropInfo.h"
#include "ui/model/ThumbnailCheckBoxLink.h"
#include "ui/model/ThumbnailFrameViewLink.h"
#include "ui/model/ThumbnailPreviewViewLink.h"
#include "ui/model/Units.h"

// One frame of a multi-frame preview (film frames, or several originals on the platen): its
// number, focus, selection and check state, rotation, mirroring, zoom, preview geometry, the
// corners of its multi-crop quadrilateral, its crop with that crop's thumbnail crop, and the
// three views that show it. While a crop is attached, the shared settings are the crop's: the
// setters forward to it and the getters answer from it.
//
// Ownership: the crop and the thumbnail crop are shared with the scan mode's crop list and with
// the crop; the three views are owned here. Main thread only.
class Quirel_ThumbnailInfo {
 public:
  Quirel_ThumbnailInfo();
  // The defaults, numbered `no`.
  explicit Quirel_ThumbnailInfo(int no);
  // From a stored entry: `filmPlatenSize` is the whole film or platen preview
  // in _Pixel96 units, needed to turn an older (centimetre) start point around. "CropInfo" and
  // "ThumbnailCrop" are left to the caller, which attaches the crops.
  Quirel_ThumbnailInfo(const fnd::Dictionary& dictionary, const SSizeDouble& filmPlatenSize);
  ~Quirel_ThumbnailInfo();
  Quirel_ThumbnailInfo(const Quirel_ThumbnailInfo&) = delete;
  Quirel_ThumbnailInfo& operator=(const Quirel_ThumbnailInfo&) = delete;

  void initData();
  int getNo() const { return mNo; }

  void setFocus(bool focus);
  bool isFocus() const { return mFocus; }
  void setSelected(bool selected);
  bool isSelected() const { return mSelected; }
  // Straight to the frame view (NO without one).
  void setWillSelected(bool willSelected);
  bool isWillSelected() const;
  void setChecked(bool checked);
  bool isChecked() const { return mChecked; }
  // The check box's action: checked exactly when the box shows 1.
  void checkBoxAction();

  void setRotation(int rotation);
  int getRotation() const;
  void setMirror(bool mirror);
  bool getMirror() const;
  void setPreviewViewSize(const fnd::Size& size);
  fnd::Size getPreviewViewSize() const;
  void setVisiblePreviewSize_Pixel96(const SSizeDouble& size);
  SSizeDouble getVisiblePreviewSize_Pixel96() const;
  void setPreviewStartPoint_Pixel96(const SPointDouble& point);
  SPointDouble getPreviewStartPoint_Pixel96() const;
  void setZoom(bool zoom) { mZoom = zoom; }
  bool isZoom() const { return mZoom; }
  void setMultiCropPoints(const SPointDouble points[4]);
  void getMultiCropPoints(SPointDouble points[4]) const;

  // YES only when a crop is attached and it has a frame view.
  bool hasCrop() const;
  // Attaches the crop and gives it this thumbnail's selection.
  void setCropInfo(std::shared_ptr<Quirel_CropInfo> crop);
  const std::shared_ptr<Quirel_CropInfo>& getCropInfo() const { return mCropInfo; }
  // Replaces the thumbnail crop and hands it to the crop; nothing without a crop.
  void setThumbnailCrop(std::shared_ptr<Quirel_CropInfo> crop);
  // The thumbnail crop, else the crop (spelled as the callers know it).
  std::shared_ptr<Quirel_CropInfo> getThumnailCrop() const;
  // Makes (if needed) and fills the thumbnail crop from the crop; nothing without a crop.
  void saveThumbnailCrop();
  // Drops the thumbnail crop here and in the crop; nothing without a crop.
  void removeThumbnailCrop();

  void setFrameView(std::unique_ptr<ThumbnailFrameViewLink> view) { mFrameView = std::move(view); }
  ThumbnailFrameViewLink* getFrameView() const { return mFrameView.get(); }
  void setPreviewView(std::unique_ptr<ThumbnailPreviewViewLink> view) { mPreviewView = std::move(view); }
  ThumbnailPreviewViewLink* getPreviewView() const { return mPreviewView.get(); }
  // The thumbnail becomes the box's target (checkBoxAction).
  void setCheckBox(std::unique_ptr<ThumbnailCheckBoxLink> box);
  ThumbnailCheckBoxLink* getCheckBox() const { return mCheckBox.get(); }
  void setHidden(bool hidden);
  bool isHidden() const;

  // Rotation, mirror and sizes are this thumbnail's own fields, not the crop's.
  fnd::Dictionary getDictionary() const;

 private:
  int mNo = 0;
  bool mFocus = false;
  bool mSelected = false;
  bool mChecked = false;
  int mRotation = 0;
  bool mMirror = false;
  bool mZoom = false;
  fnd::Size mPreviewViewSize;
  SSizeDouble mVisiblePreviewSize_Pixel96{};
  SPointDouble mPreviewStartPoint_Pixel96{};
  SPointDouble mMcPoints[4]{};
  std::shared_ptr<Quirel_CropInfo> mCropInfo;
  std::shared_ptr<Quirel_CropInfo> mThumbnailCrop;
  std::unique_ptr<ThumbnailFrameViewLink> mFrameView;
  std::unique_ptr<ThumbnailPreviewViewLink> mPreviewView;
  std::unique_ptr<ThumbnailCheckBoxLink> mCheckBox;
};
