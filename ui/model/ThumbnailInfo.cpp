#include "ui/model/ThumbnailInfo.h"

#include <algorithm>

namespace {

// Older files hold centimetres, always converted at this resolution.
constexpr double kOlderFormResolution = 9600;

}  // namespace

Quirel_ThumbnailInfo::Quirel_ThumbnailInfo() { initData(); }

Quirel_ThumbnailInfo::Quirel_ThumbnailInfo(int no) {
  initData();
  mNo = no;
}

Quirel_ThumbnailInfo::Quirel_ThumbnailInfo(const fnd::Dictionary& d, const SSizeDouble& filmPlatenSize) {
  initData();
  mNo = d.intValue("No");
  mFocus = d.boolean("Focus");
  mSelected = d.boolean("Selected");
  mChecked = d.boolean("Checked");
  mRotation = d.intValue("Rotation");
  mMirror = d.boolean("Mirror");
  mZoom = d.boolean("Zoom");
  if (const fnd::Value* v = d.find("PreviewViewSize")) {
    mPreviewViewSize = fnd::Size{(*v)["Width"].toReal(), (*v)["Height"].toReal()};
  }
  if (const fnd::Value* v = d.find("PreviewRect")) {
    mVisiblePreviewSize_Pixel96 = makeSSizeDouble((*v)["Width"].toReal(), (*v)["Height"].toReal());
  }
  if (const fnd::Value* v = d.find("PreviewStartPoint")) {
    mPreviewStartPoint_Pixel96 = makeSPointDouble((*v)["X"].toReal(), (*v)["Y"].toReal());
  } else {
    // Older form: centimetres, start point in the displayed orientation.
    const fnd::Value& rect = d["PreviewRect"];
    SSizeDouble& visible = mVisiblePreviewSize_Pixel96;
    visible = makeSSizeDouble(cmToPixel(visible.width, kOlderFormResolution),
                              cmToPixel(visible.height, kOlderFormResolution));
    const SPointDouble displayed = makeSPointDouble(cmToPixel(rect["X"].toReal(), kOlderFormResolution),
                                                    cmToPixel(rect["Y"].toReal(), kOlderFormResolution));
    mPreviewStartPoint_Pixel96 = unrotatedStartPoint(displayed, visible, filmPlatenSize, mRotation, mMirror);
  }
  if (const fnd::Value* v = d.find("McPoints")) {
    // Up to four corners, as many as the array holds.
    const fnd::Array& points = v->toArray();
    for (std::size_t i = 0; i < 4 && i < points.size(); ++i) {
      mMcPoints[i] = makeSPointDouble(points[i]["X"].toReal(), points[i]["Y"].toReal());
    }
  }
}

Quirel_ThumbnailInfo::~Quirel_ThumbnailInfo() {
  if (mCheckBox) {
    mCheckBox->setAction(nullptr);
    mCheckBox.reset();
  }
  if (mPreviewView) {
    mPreviewView->removeFromSuperview();
    mPreviewView.reset();
  }
  if (mFrameView) {
    mFrameView->removeFromSuperview();
    mFrameView.reset();
  }
  mThumbnailCrop.reset();
  mCropInfo.reset();
}

void Quirel_ThumbnailInfo::initData() {
  mNo = 0;
  mFocus = false;
  mSelected = false;
  mChecked = false;
  mRotation = 0;
  mMirror = false;
  mZoom = false;
  mPreviewViewSize = fnd::Size{};
  mVisiblePreviewSize_Pixel96 = zeroSSizeDouble();
  mPreviewStartPoint_Pixel96 = zeroSPointDouble();
  for (SPointDouble& p : mMcPoints) p = zeroSPointDouble();
}

void Quirel_ThumbnailInfo::setFocus(bool focus) {
  mFocus = focus;
  if (mCropInfo) mCropInfo->setFocus(focus);
  if (mFrameView) mFrameView->setFocus(focus);
}

void Quirel_ThumbnailInfo::setSelected(bool selected) {
  mSelected = selected;
  if (mCropInfo) mCropInfo->setSelect(selected);
  if (mFrameView) mFrameView->setSelected(selected);
}

void Quirel_ThumbnailInfo::setWillSelected(bool willSelected) {
  if (mFrameView) mFrameView->setWillSelected(willSelected);
}

bool Quirel_ThumbnailInfo::isWillSelected() const { return mFrameView ? mFrameView->isWillSelected() : false; }

void Quirel_ThumbnailInfo::setChecked(bool checked) {
  mChecked = checked;
  if (mCheckBox) mCheckBox->setState(checked ? 1 : 0);
}

void Quirel_ThumbnailInfo::checkBoxAction() { mChecked = mCheckBox && mCheckBox->state() == 1; }

void Quirel_ThumbnailInfo::setRotation(int rotation) {
  mRotation = rotation;
  if (mCropInfo) mCropInfo->setRotation(rotation);
}

int Quirel_ThumbnailInfo::getRotation() const { return mCropInfo ? mCropInfo->getRotation() : mRotation; }

void Quirel_ThumbnailInfo::setMirror(bool mirror) {
  mMirror = mirror;
  if (mCropInfo) mCropInfo->setMirror(mirror);
}

bool Quirel_ThumbnailInfo::getMirror() const { return mCropInfo ? mCropInfo->getMirror() : mMirror; }

void Quirel_ThumbnailInfo::setPreviewViewSize(const fnd::Size& size) {
  mPreviewViewSize = size;
  if (mCropInfo) mCropInfo->setPreviewViewSize(size);
}

fnd::Size Quirel_ThumbnailInfo::getPreviewViewSize() const {
  return mCropInfo ? mCropInfo->getPreviewViewSize() : mPreviewViewSize;
}

void Quirel_ThumbnailInfo::setVisiblePreviewSize_Pixel96(const SSizeDouble& size) {
  mVisiblePreviewSize_Pixel96 = size;
  if (mCropInfo) mCropInfo->setVisiblePreviewSize_Pixel96(size);
}

SSizeDouble Quirel_ThumbnailInfo::getVisiblePreviewSize_Pixel96() const {
  return mCropInfo ? mCropInfo->getVisiblePreviewSize_Pixel96() : mVisiblePreviewSize_Pixel96;
}

void Quirel_ThumbnailInfo::setPreviewStartPoint_Pixel96(const SPointDouble& point) {
  mPreviewStartPoint_Pixel96 = point;
  if (mCropInfo) mCropInfo->setPreviewStartPoint_Pixel96(point);
}

SPointDouble Quirel_ThumbnailInfo::getPreviewStartPoint_Pixel96() const {
  return mCropInfo ? mCropInfo->getPreviewStartPoint_Pixel96() : mPreviewStartPoint_Pixel96;
}

void Quirel_ThumbnailInfo::setMultiCropPoints(const SPointDouble points[4]) {
  if (points) std::copy(points, points + 4, mMcPoints);
}

void Quirel_ThumbnailInfo::getMultiCropPoints(SPointDouble points[4]) const {
  if (points) std::copy(mMcPoints, mMcPoints + 4, points);
}

bool Quirel_ThumbnailInfo::hasCrop() const { return mCropInfo && mCropInfo->hasCropView(); }

void Quirel_ThumbnailInfo::setCropInfo(std::shared_ptr<Quirel_CropInfo> crop) {
  mCropInfo = std::move(crop);
  if (mCropInfo) mCropInfo->setSelect(mSelected);
}

void Quirel_ThumbnailInfo::setThumbnailCrop(std::shared_ptr<Quirel_CropInfo> crop) {
  if (!mCropInfo) return;
  removeThumbnailCrop();
  mThumbnailCrop = std::move(crop);
  mCropInfo->setThumbnailCrop(mThumbnailCrop);
}

std::shared_ptr<Quirel_CropInfo> Quirel_ThumbnailInfo::getThumnailCrop() const {
  return mThumbnailCrop ? mThumbnailCrop : mCropInfo;
}

void Quirel_ThumbnailInfo::saveThumbnailCrop() {
  if (!mCropInfo) return;
  if (!mThumbnailCrop) mThumbnailCrop = std::make_shared<Quirel_CropInfo>();
  mThumbnailCrop->copyCropInfoToThumbnailCrop(mCropInfo.get());
  mCropInfo->setThumbnailCrop(mThumbnailCrop);
}

void Quirel_ThumbnailInfo::removeThumbnailCrop() {
  if (!mCropInfo) return;
  mThumbnailCrop.reset();
  mCropInfo->removeThumbnailCrop();
}

void Quirel_ThumbnailInfo::setCheckBox(std::unique_ptr<ThumbnailCheckBoxLink> box) {
  if (mCheckBox) mCheckBox->setAction(nullptr);
  mCheckBox = std::move(box);
  if (mCheckBox) mCheckBox->setAction([this] { checkBoxAction(); });
}

void Quirel_ThumbnailInfo::setHidden(bool hidden) {
  if (hidden && mPreviewView) mPreviewView->removeTrackingRect();
  if (mFrameView) mFrameView->setHidden(hidden);
}

bool Quirel_ThumbnailInfo::isHidden() const { return mFrameView ? mFrameView->isHidden() : false; }

fnd::Dictionary Quirel_ThumbnailInfo::getDictionary() const {
  fnd::Dictionary d;
  d.set("No", mNo);
  d.set("Focus", mFocus);
  d.set("Selected", mSelected);
  d.set("Checked", mChecked);
  d.set("Rotation", mRotation);
  d.set("Mirror", mMirror);
  d.set("Zoom", mZoom);
  d.set("PreviewViewSize", fnd::Dictionary{{"Width", mPreviewViewSize.width}, {"Height", mPreviewViewSize.height}});
  d.set("PreviewRect", fnd::Dictionary{{"X", 0.0},
                                       {"Y", 0.0},
                                       {"Width", mVisiblePreviewSize_Pixel96.width},
                                       {"Height", mVisiblePreviewSize_Pixel96.height}});
  d.set("PreviewStartPoint",
        fnd::Dictionary{{"X", mPreviewStartPoint_Pixel96.x}, {"Y", mPreviewStartPoint_Pixel96.y}});
  fnd::Array points;
  for (const SPointDouble& p : mMcPoints) points.emplace_back(fnd::Dictionary{{"X", p.x}, {"Y", p.y}});
  d.set("McPoints", std::move(points));
  if (mCropInfo) d.set("CropInfo", mCropInfo->getDictionary());
  if (mThumbnailCrop) d.set("ThumbnailCrop", mThumbnailCrop->getDictionary());
  return d;
}
