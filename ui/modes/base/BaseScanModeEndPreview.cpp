// The end of a preview: frames fitted to the automatic crop, thumbnails of the documents found,
// film frames from the scanner's corners or the defaults, the redrawn preview, and the posts
// that ask the preview model to recompute the corrected preview.

#include <algorithm>
#include <array>

#include "kit/Image.h"
#include "ui/controls/CTRLS_MainWindow.h"
#include "ui/controls/CTRLS_Preview.h"
#include "ui/controls/MainWindow.h"
#include "ui/model/CropInfo.h"
#include "ui/model/OutputSize.h"
#include "ui/model/PreferenceInfo.h"
#include "ui/model/PreviewInfo.h"
#include "ui/model/ThumbnailInfo.h"
#include "ui/model/UIScannerInfo.h"
#include "ui/modes/base/BaseScanMode.h"
#include "ui/windows/ProcessImageDialog.h"

namespace {

// The four corners of one entry of a corner list: top left, top right, bottom right, bottom left.
std::array<SPointDouble, 4> endCorners(const fnd::Value& entry) {
  std::array<SPointDouble, 4> corners{};
  const fnd::Array& points = entry.toDictionary().array("points");
  for (std::size_t i = 0; i < corners.size() && i < points.size(); ++i)
    corners[i] = {points[i].toDictionary().real("X"), points[i].toDictionary().real("Y")};
  return corners;
}

// The frame rectangle of a corner entry, y flipped to point up in a preview `height` pixels high.
SRectDouble endFrameRect(const fnd::Value& entry, double height) {
  std::array<SPointDouble, 4> c = endCorners(entry);
  c[1].x += 1;
  c[2].x += 1;
  c[2].y += 1;
  c[3].y += 1;
  for (SPointDouble& p : c) p.y = height - p.y;
  return {{c[3].x, c[3].y}, {c[1].x - c[0].x, c[0].y - c[3].y}};
}

SRectDouble endScaled(const SRectDouble& r, const SSizeDouble& from, double toWidth, double toHeight) {
  return {{calcRatio(from.width, r.origin.x, toWidth), calcRatio(from.height, r.origin.y, toHeight)},
          {calcRatio(from.width, r.size.width, toWidth), calcRatio(from.height, r.size.height, toHeight)}};
}

fnd::Rect endToRect(const SRectDouble& r) { return fnd::Rect(r.origin.x, r.origin.y, r.size.width, r.size.height); }

}  // namespace

void Quirel_BaseScanMode::endPreview_previewInfo(Quirel_PreviewInfo* preview, const SRectDouble& autoCropRect,
                                                 const fnd::Array* mcPoints) {
  mHasPreview = true;
  mHasNonThumPreview = true;
  const bool platenThumbnail = mScannerInfo && mScannerInfo->platenThumbnail();
  if (!platenThumbnail) mEnableThumbnailBtn = true;
  if (mUIMode == 1 && mZoomScan) return;
  if (preview) mPreviewDataSize = {static_cast<double>(preview->getPreviewWidth()),
                                   static_cast<double>(preview->getPreviewHeight())};
  if (!mCreateFilmCrop) return;
  bool fitFocus = false;
  if (mScanMode != 0) {
    mEnableThumbnailBtn = true;
    endPlatenThumbnailPreview_autoCropRect(autoCropRect, mcPoints);
    if (!mChangeThumbnailSize && mTemplateCrop)
      for (const auto& crop : mCropList) crop->setOutputSize(mTemplateCrop->getTempOutputSize());
  } else {
    if (platenThumbnail) mEnableThumbnailBtn = getProgressStatus() != -1;
    if (mScannerInfo && mScannerInfo->isVer1700Later() && mChangeThumbnailMode) {
      endPlatenPreviewAndCreateCrop_autoCropRect(autoCropRect);
      fitFocus = true;
    } else {
      endPlatenPreview_autoCropRect(autoCropRect);
      fitFocus = !mPreferenceInfo || mPreferenceInfo->getCropAfterPrev() == 0;
    }
  }
  if (fitFocus) {
    if (mUIMode == 1 && mTemplateCrop && !isAlwaysAutoTone(mTemplateCrop->getColorMode())) mOriginalScan = true;
    if (Quirel_CropInfo* focus = getFocusCrop()) {
      if (focus->getOutputSize() != 0) {
        if (const auto size = getOutputSizeObject(focus->getOutputSize()))
          updateCropForFixedAutoCrop(*size, *focus, false);
      } else {
        updateCropForFlexibleAutoCrop(*focus);
      }
      focus->setHidden(false);
    }
  }
  if (mTemplateCrop) mTemplateCrop->setTempOutputSize(0);
  const bool keepTone =
      mUIMode == 1 && mScannerInfo && mScannerInfo->isVer1700Later() && mChangeFavoriteSetting;
  if (mTemplateCrop) updateAutoToneByPreviewUpdate(*mTemplateCrop, keepTone);
  for (const auto& crop : mCropList) updateAutoToneByPreviewUpdate(*crop, keepTone);
}

void Quirel_BaseScanMode::endPlatenPreview_autoCropRect(const SRectDouble& rect) {
  const int cropAfterPreview = mPreferenceInfo ? mPreferenceInfo->getCropAfterPrev() : 0;
  if (cropAfterPreview == 0) {
    setAutoCropRect(mPreviewDataSize, rect);
  } else if (cropAfterPreview == 1) {
    for (auto it = mCropList.rbegin(); it != mCropList.rend(); ++it) (*it)->setHidden(false);
  }
}

void Quirel_BaseScanMode::endPlatenPreviewAndCreateCrop_autoCropRect(const SRectDouble& rect) {
  setAutoCropRect(mPreviewDataSize, rect);
}

void Quirel_BaseScanMode::setAutoCropRect(const SSizeDouble& dataSize, const SRectDouble& found) {
  SRectDouble r = found;
  if (mScannerInfo) {
    const double preview = mScannerInfo->platenPreviewResolution();
    const double autoCrop = mScannerInfo->platenAutoCropResolution();
    r = {{convertResolution(r.origin.x, autoCrop, preview), convertResolution(r.origin.y, autoCrop, preview)},
         {convertResolution(r.size.width, autoCrop, preview), convertResolution(r.size.height, autoCrop, preview)}};
  }
  Quirel_CropInfo* crop = getFocusCrop();
  if (!crop) {
    crop = createCropWithView(fnd::Rect());
    if (mTemplateCrop) {
      copyCrop(*mTemplateCrop, *crop, false);
      if (mScannerInfo && mScannerInfo->isVer1500Later()) crop->setOutputSize(mTemplateCrop->getTempOutputSize());
    }
    crop->setSelect(true);
    setFocus(crop);
    crop->setLineStyle(1);
  }
  const SSizeDouble visible = crop->getVisiblePreviewSize_Pixel96();
  const double W = visible.width, H = visible.height, w = dataSize.width, h = dataSize.height;
  const double x = r.origin.x, y = r.origin.y, width = r.size.width, height = r.size.height;
  double nx = 0, ny = 0, nw = 0, nh = 0;
  switch (crop->getRotation()) {
    case 1:
    case 3:
      nx = crop->getRotation() == 1 ? calcRatio(w, y, H) : calcRatio(w, h - (y + height), H);
      ny = crop->getRotation() == 1 ? calcRatio(h, x, W) : calcRatio(h, w - (x + width), W);
      nw = calcRatio(w, height, H);
      nh = calcRatio(h, width, W);
      break;
    case 2:
      nx = calcRatio(w, w - (x + width), W);
      ny = calcRatio(h, y, H);
      nw = calcRatio(w, width, W);
      nh = calcRatio(h, height, H);
      break;
    default:
      nx = calcRatio(w, x, W);
      ny = calcRatio(h, h - (y + height), H);
      nw = calcRatio(w, width, W);
      nh = calcRatio(h, height, H);
      break;
  }
  if (nx + nw > W) {
    nw = std::min(nw, W);
    nx = W - nw;
  }
  if (ny + nh > H) {
    nh = std::min(nh, H);
    ny = H - nh;
  }
  crop->setInputRect_Pixel96({{nx, ny}, {nw, nh}});
  if (crop->getOutputSize() != 0) {
    crop->setMagnification(nw != 0 ? static_cast<int>(crop->getOutputWidth_Pixel96() * 100 / nw) : 0);
  } else {
    const int m = crop->getMagnification();
    crop->setOutputSize_Pixel96({maltipleUnit(m, nw), maltipleUnit(m, nh)});
    crop->setRatio(nw, nh);
  }
  updateCropRectFromCrop(*crop, false);
}

void Quirel_BaseScanMode::endPlatenThumbnailPreview_autoCropRect(const SRectDouble& rect, const fnd::Array* mcPoints) {
  // The thumbnail i of a new preview: reused when the sizes change and it exists, else new.
  // A reuse asked for past the list makes the missing thumbnail rather than reading past it.
  auto thumbnailAt = [this](int i) -> Quirel_ThumbnailInfo* {
    if (mChangeThumbnailSize && i < static_cast<int>(mThumbnailList.size())) {
      Quirel_ThumbnailInfo* t = mThumbnailList[i].get();
      if (const auto& crop = t->getCropInfo(); crop && crop->hasCropView()) {
        t->removeThumbnailCrop();
        crop->removeCropView();
      }
      return t;
    }
    return createEmptyThumbnailWithIndex(i);
  };
  if (mcPoints && !mcPoints->empty()) {
    mThumbnailCount = std::min(static_cast<int>(mcPoints->size()), kMaxThumbnails);
    for (int i = 0; i < mThumbnailCount; ++i) {
      const std::array<SPointDouble, 4> corners = endCorners((*mcPoints)[i]);
      Quirel_ThumbnailInfo* t = thumbnailAt(i);
      t->setMultiCropPoints(corners.data());
      t->setHidden(false);
    }
    return;
  }
  mThumbnailCount = 1;
  const double x = rect.origin.x, y = rect.origin.y, w = rect.size.width, h = rect.size.height;
  const SPointDouble corners[4] = {{x, y + h}, {x + w, y + h}, {x + w, y}, {x, y}};
  Quirel_ThumbnailInfo* t = thumbnailAt(0);
  t->setMultiCropPoints(corners);
  t->setHidden(false);
}

namespace {

const Quirel_CropInfo* endCopySource(const Quirel_CropInfo* focus, const std::shared_ptr<Quirel_CropInfo>& templ) {
  return focus ? focus : templ.get();
}

}  // namespace

void Quirel_BaseScanMode::endFilmPlatenPreview_capsPointArray(const fnd::Array* corners) {
  if (!corners) return;
  if (corners->empty()) {
    createDefaultFilmCrop(1);
    return;
  }
  const fnd::Size v = mPreview ? mPreview->getImageViewRect().size : fnd::Size();
  for (std::size_t k = corners->size(); k-- > 0;) {
    const SRectDouble r = endFrameRect((*corners)[k], mPreviewDataSize.height);
    Quirel_CropInfo* crop = createCropWithView(endToRect(endScaled(r, mPreviewDataSize, v.width, v.height)));
    if (const Quirel_CropInfo* source = endCopySource(getFocusCrop(), mTemplateCrop); source && source != crop)
      copyCrop(*source, *crop, false);
    crop->setSelect(true);
    crop->setLineStyle(1);
    if (k == 0) setFocus(crop);
    updateCropFromCropRect(*crop);
    if (mScannerInfo && mScannerInfo->isVer1600Later()) {
      const SRectDouble film = endScaled(r, mPreviewDataSize, mFilmPlatenRect_Pixel96.size.width,
                                         mFilmPlatenRect_Pixel96.size.height);
      crop->setInputRect_Pixel96(film);
      const int m = crop->getMagnification();
      crop->setOutputSize_Pixel96({maltipleUnit(m, film.size.width), maltipleUnit(m, film.size.height)});
      updateCropRectFromCrop(*crop, true);
    }
  }
}

void Quirel_BaseScanMode::endFilmPlatenPreview_capsPointArray(const fnd::Array* corners, int capsFilmSize,
                                                               int userFilmSize) {
  if (!corners) return;
  if (!corners->empty() && (mUseCapsFilmSize || capsFilmSize == userFilmSize))
    endFilmPlatenPreview_capsPointArray(corners);
  else
    createDefaultFilmCrop(1);
}

void Quirel_BaseScanMode::endFilmThumbnailPreview_capsPointArray(const fnd::Array* corners) {
  if (!corners) return;
  mThumbnailCount = std::min(static_cast<int>(corners->size()), kMaxThumbnails);
  for (int i = 0; i < mThumbnailCount; ++i) {
    const SRectDouble r = endScaled(endFrameRect((*corners)[i], mPreviewDataSize.height), mPreviewDataSize,
                                    mFilmPlatenRect_Pixel96.size.width, mFilmPlatenRect_Pixel96.size.height);
    createThumbnailWithIndex(i, std::nullopt, r, true);
  }
}

void Quirel_BaseScanMode::createDefaultFilmCrop(int count) {
  const fnd::Size v = mPreview ? mPreview->getImageViewRect().size : fnd::Size();
  SSizeDouble film = mFilmPlatenRect_Pixel96.size;
  const int templateRotation = mTemplateCrop ? mTemplateCrop->getRotation() : 0;
  if (templateRotation == 1 || templateRotation == 3) std::swap(film.width, film.height);
  const fnd::Array* rects = getDefaultFilmSizeRects(mTemplateCrop ? mTemplateCrop->getPaperSize() : 0);
  if (!rects || rects->empty()) return;
  for (int number = static_cast<int>(rects->size()); number >= 1; --number) {
    if (count != -1 && count < number) continue;
    const SRectDouble r = dictionaryToRect(&(*rects)[number - 1].toDictionary());
    Quirel_CropInfo* crop = createCropWithView(endToRect(endScaled(r, film, v.width, v.height)));
    if (const Quirel_CropInfo* source = endCopySource(getFocusCrop(), mTemplateCrop); source && source != crop)
      copyCrop(*source, *crop, false);
    crop->setSelect(true);
    crop->setLineStyle(1);
    if (number == 1) setFocus(crop);
    crop->setInputRect_Pixel96(r);
    const int m = crop->getMagnification();
    crop->setOutputSize_Pixel96({maltipleUnit(m, r.size.width), maltipleUnit(m, r.size.height)});
    setConvertedRect(*crop);
    updateCropRectFromCrop(*crop, true);
  }
}

void Quirel_BaseScanMode::reDrawPreview(const PreviewBitmap& bitmap) {
  if (!mPreview) return;
  const double angle = getSRotationRate(mRotation);
  mPreview->setTransform(makeTransform(angle, mMirror, mPreview->getImageViewRect().size), static_cast<int>(angle));
  const std::size_t need = static_cast<std::size_t>(std::max(bitmap.width, 0)) *
                           static_cast<std::size_t>(std::max(bitmap.height, 0)) * 3;
  if (bitmap.width > 0 && bitmap.height > 0 && bitmap.bytes && bitmap.bytes->size() >= need) {
    // The picture it replaces (or the one the preview's start let go) lends its pixels when
    // nothing else kept it.
    kit::Image replaced;
    if (const std::optional<kit::Image>& shown = mPreview->getImageView()->getPreviewImage())
      replaced = *shown;
    else if (mClearedPicture)
      replaced = *mClearedPicture;
    mClearedPicture.reset();
    mPreview->setImage(std::nullopt);
    mPreview->setImage(kit::Image::fromRGB(bitmap.bytes->data(), bitmap.width, bitmap.height, std::move(replaced)));
  }
  // Drawn with the next redraw, not at once: at the end of a preview the picture is set twice
  // (as it came, then with its crops corrected) and the enabling that follows draws the whole
  // window; drawing each picture at once drew the preview three times.
  mPreview->updateDisplay();
  if (kit::View* picture = mPreview->getImageView()) picture->setNeedsDisplay(true);
}

// ---- image-set posts ------------------------------------------------------------------------

namespace {

fnd::Value endCropListValue(const CropList& list) {
  fnd::Array array;
  for (const auto& crop : list) array.push_back(fnd::Value::object(crop));
  return fnd::Value(std::move(array));
}

fnd::Value endThumbnailListValue(const ThumbnailList& list) {
  fnd::Array array;
  for (const auto& t : list) array.push_back(fnd::Value::object(t));
  return fnd::Value(std::move(array));
}

}  // namespace

namespace end_detail {

// Posts to the preview model; with a count, a progress panel stands over the main window for
// the length of the post.
void postImageSet(fnd::NotificationCenter& center, const void* sender, const char* name, fnd::Dictionary info,
                  int panelCount, Quirel_CTRLS_MainWindow* window) {
  std::unique_ptr<Quirel_ProcessImageDialog> panel;
  if (panelCount > 0) {
    panel = std::make_unique<Quirel_ProcessImageDialog>(center);
    panel->setDivideCount(panelCount);
    panel->setParentWindow(window ? window->getWindow() : nullptr);
    panel->showProcessImageDialog();
  }
  center.post(name, sender, fnd::makeShared(std::move(info)));
  if (panel) panel->closeProcessImageDialog();
}

}  // namespace end_detail

void Quirel_BaseScanMode::updateImageSetAllSelectByPreview(int mode, bool multiCrop, bool doIt, bool showPanel) {
  if (inThumbnailMode() || !doIt) return;
  fnd::Dictionary info{{"Mode", mode}, {"multiCropMode", multiCrop}};
  const bool crops = !mCropList.empty();
  if (crops)
    info.set("CropList", endCropListValue(mCropList));
  else
    info.set("CropTemplate", fnd::Value::object(mTemplateCrop));
  const int count = static_cast<int>(mCropList.size());
  const int panel = inFilmMode() && count >= 2 && showPanel ? count : 0;
  mIgnoreKey = true;
  end_detail::postImageSet(mCenter, selfIdentity(), crops ? "updateImageSetAllSelectedPost" : "updateImageSetTemplatePost",
                           std::move(info), panel, mMainWindow.get());
  mIgnoreKey = false;
}

void Quirel_BaseScanMode::RemakeDeleteCropPostByPreview(int mode) {
  if (inThumbnailMode() || !mHasPreview) return;
  end_detail::postImageSet(mCenter, selfIdentity(), "RemakeDeleteCropPost",
                           fnd::Dictionary{{"Mode", mode}, {"CropList", endCropListValue(mCropList)}}, 0, nullptr);
  if (mCropList.empty()) updateImageSetAllSelectByPreview(mode, false, true, true);
}

void Quirel_BaseScanMode::updateImageSetSelectByPreview(int mode) {
  if (inThumbnailMode() || !mHasPreview) return;
  fnd::Dictionary info{{"Mode", mode}};
  const bool crops = !mCropList.empty();
  if (crops)
    info.set("CropList", endCropListValue(mCropList));
  else
    info.set("CropTemplate", fnd::Value::object(mTemplateCrop));
  const int selected = getSelectedCropCount();
  end_detail::postImageSet(mCenter, selfIdentity(), crops ? "UpdateImageSetSelectedPost" : "updateImageSetTemplatePost",
                           std::move(info), inFilmMode() && selected >= 2 ? selected : 0, mMainWindow.get());
}

void Quirel_BaseScanMode::updateImageSetSelectByThumbnailPreview(int mode) {
  if (!inThumbnailMode() || !mHasPreview) return;
  const int selected = getSelectedCropCount();
  end_detail::postImageSet(
      mCenter, selfIdentity(),
      mScanMode == 1 ? "UpdateImageSetSelectedThumbnailPlatenPost" : "UpdateImageSetSelectedThumbnailPost",
      fnd::Dictionary{{"Mode", mode}, {"ThumbnailList", endThumbnailListValue(mThumbnailList)}},
      selected >= 2 ? selected : 0, mMainWindow.get());
}

void Quirel_BaseScanMode::updateImageSetAllSelectByThumbnailPreview(int mode, bool showPanel) {
  if (!inThumbnailMode() || !mHasPreview) return;
  const int count = static_cast<int>(mThumbnailList.size());
  end_detail::postImageSet(
      mCenter, selfIdentity(),
      mScanMode == 1 ? "updateImageSetAllSelectedThumbnailPlatenPost" : "updateImageSetAllSelectedThumbnailPost",
      fnd::Dictionary{{"Mode", mode}, {"ThumbnailList", endThumbnailListValue(mThumbnailList)}},
      count >= 2 && showPanel ? count : 0, mMainWindow.get());
}

void Quirel_BaseScanMode::updateFocusCropPostByPreview(int mode, bool doIt, int correction) {
  if (inThumbnailMode() || !doIt) return;
  end_detail::postImageSet(
      mCenter, selfIdentity(), "UpdateFocusCropPost",
      fnd::Dictionary{{"Mode", mode}, {"CropList", endCropListValue(mCropList)}, {"CropCor", correction}}, 0, nullptr);
}

void Quirel_BaseScanMode::updateFocusThumbnailPostByPreview(int mode, bool doIt) {
  if (!inThumbnailMode() || !doIt) return;
  end_detail::postImageSet(mCenter, selfIdentity(),
                           mScanMode == 1 ? "updateFocusThumbnailPlatenPost" : "updateFocusThumbnailPost",
                           fnd::Dictionary{{"Mode", mode}, {"ThumbnailList", endThumbnailListValue(mThumbnailList)}},
                           0, nullptr);
}

void Quirel_BaseScanMode::remakeMultiCropButtonByPreview() {
  if (mScanMode != 0) return;
  end_detail::postImageSet(
      mCenter, selfIdentity(), "remakeMultiCropButtonPost",
      fnd::Dictionary{{"Mode", 1}, {"CropList", endCropListValue(mCropList)}, {"multiCropMode", true}}, 0, nullptr);
}

void Quirel_BaseScanMode::remakeCropAutoCropButtonByPreview(int mode) {
  if (mScanMode != 0) return;
  end_detail::postImageSet(mCenter, selfIdentity(), "remakeCropAutoCropButtonPost",
                           fnd::Dictionary{{"Mode", mode}, {"CropList", endCropListValue(mCropList)}}, 0, nullptr);
}

void Quirel_BaseScanMode::remakeCropFromCorrectionDlg(const fnd::Notification& n) {
  const fnd::Value* module = n.info() ? n.info()->find("Module") : nullptr;
  if (!module || !module->isString() || module->toString() != "updateImageSetSelectByPreview") return;
  if (inThumbnailMode())
    updateImageSetSelectByThumbnailPreview(1);
  else
    updateImageSetSelectByPreview(1);
}
