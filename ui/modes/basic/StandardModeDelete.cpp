// The basic mode's deletion of crop frames, from the toolbar button and the Delete key: removing
// every frame keeps one thing of the focused frame (a film frame at the first default position,
// a frame of its named size, or its settings in the template).

#include <algorithm>

#include "ui/controls/CTRLS_Preview.h"
#include "ui/model/CropInfo.h"
#include "ui/model/Units.h"
#include "ui/modes/basic/StandardMode.h"

void Quirel_StandardMode::deleteCrops() {
  if (isThumbnailMode() || mCropList.empty() || getSelectedCropCount() == 0 || !mTemplateCrop) return;
  mClickCrop = nullptr;
  if (getSelectedCropCount() < static_cast<int>(mCropList.size())) {
    for (auto it = mCropList.end(); it != mCropList.begin();) {
      --it;
      if ((*it)->isSelected()) it = mCropList.erase(it);
    }
  } else {
    // Held until its settings have been copied into whatever takes its place.
    std::shared_ptr<Quirel_CropInfo> kept;
    for (auto it = mCropList.rbegin(); it != mCropList.rend() && !kept; ++it)
      if ((*it)->isFocus()) kept = *it;
    mCropList.clear();
    if (kept) replaceDeletedFocus(kept);
  }
  if (!mCropList.empty()) {
    if (Quirel_CropInfo* next = getNextCrop(nullptr)) {
      next->setSelect(true);
      setFocus(next);
      next->setLineStyle(1);
    }
  }
  if (mPreview) mPreview->updateDisplay();
  updateMouseCursorRects();
}

void Quirel_StandardMode::replaceDeletedFocus(const std::shared_ptr<Quirel_CropInfo>& kept) {
  const int n = kept->getOutputSize();
  // A film size without a default frame (an empty roll-film class) has no first position to
  // put the frame at: it goes the way of the platen.
  const fnd::Array* filmRects = isFilmMode() ? getDefaultFilmSizeRects(kept->getPaperSize()) : nullptr;
  if (filmRects && !filmRects->empty() && (*filmRects)[0].isDictionary() && mPreview) {
    const SRectDouble g = dictionaryToRect(&(*filmRects)[0].toDictionary());
    const fnd::Size view = mPreview->getImageViewRect().size;
    double fw = mFilmPlatenRect_Pixel96.size.width;
    double fh = mFilmPlatenRect_Pixel96.size.height;
    if (kept->getRotation() == 1 || kept->getRotation() == 3) std::swap(fw, fh);
    const fnd::Rect at(calcRatio(fw, g.origin.x, view.width), calcRatio(fh, g.origin.y, view.height),
                       calcRatio(fw, g.size.width, view.width), calcRatio(fh, g.size.height, view.height));
    Quirel_CropInfo* made = createCropWithView(at);
    if (!made) return;
    copyCrop(*kept, *made, false);
    made->setInputRect_Pixel96(g);
    made->setOutputWidth_Pixel96(maltipleUnit(made->getMagnification(), g.size.width));
    made->setOutputHeight_Pixel96(maltipleUnit(made->getMagnification(), g.size.height));
    setConvertedRect(*made);
    if (n != 0) updateCropByOutputSize(n, *made, true);
    updateCropRectFromCrop(*made, true);
    refreshAutoToneOfCrop(*made, *made);
    return;
  }
  if (n != 0) {
    Quirel_CropInfo* made = createCropWithView(fnd::Rect());
    if (!made) return;
    copyCrop(*kept, *made, false);
    updateCropByOutputSize(n, *made, true);
    refreshAutoToneOfCrop(*made, *made);
    return;
  }
  takeCropIntoTemplate(*kept);
  refreshAutoToneOfCrop(*mTemplateCrop, *mTemplateCrop);
}

void Quirel_StandardMode::deleteKeyDownOnPreview(const fnd::Notification*) {
  if (isThumbnailMode() || mCropList.empty()) return;
  deleteCrops();
  setValueOfSelectedCrop(false);
  RemakeDeleteCropPostByPreview(0);
  if (mCropList.size() == 1) updateFocusCropPostByPreview(0, mHasPreview, 1);
  updatePreviewArea();
}

void Quirel_StandardMode::toolDeleteCropButtonClick(const fnd::Notification*) {
  deleteCrops();
  setValueOfSelectedCrop(false);
  RemakeDeleteCropPostByPreview(0);
  if (mCropList.size() == 1) updateFocusCropPostByPreview(0, mHasPreview, 1);
  updatePreviewArea();
}
