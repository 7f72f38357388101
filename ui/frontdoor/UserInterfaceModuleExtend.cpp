// The advanced mode's side of the end of a preview and of a scan, and the retry of a preview
// whose first pass was an original scan.

#include "foundation/RunLoop.h"
#include "ui/controls/CTRLS_MainWindow.h"
#include "ui/frontdoor/UserInterfaceModule.h"
#include "ui/model/CropInfo.h"
#include "ui/model/PreferenceInfo.h"
#include "ui/model/PreviewInfo.h"
#include "ui/model/ThumbnailCropResize.h"
#include "ui/modes/advanced/ExtendMode.h"
#include "ui/windows/ProcessImageDialog.h"

void Quirel_UserInterfaceModule::endPreviewThread_ExtendMode(const fnd::Array* crops, int filmSize, int cancel,
                                                             int error, int duplicate) {
  if (!mExtendMode) return;
  if (mExtendMode->isFilmMode())
    endPreviewThread_Film_ExtendMode(crops, filmSize, cancel, error);
  else
    endPreviewThread_Platen_ExtendMode(crops, cancel, error, duplicate);
}

void Quirel_UserInterfaceModule::endPreviewThread_Platen_ExtendMode(const fnd::Array* crops, int cancel, int error,
                                                                    int duplicate) {
  Quirel_ExtendMode* mode = mExtendMode.get();
  if (!mode || !mPreviewInfo) return;
  const bool thumbnail = mode->isThumbnailMode();
  const bool zoomScan = mode->getZoomScan();
  const bool multiCrop = mode->isMultiCropMode();
  const Quirel_PreferenceInfo* prefs = mode->getPreferenceInfo();
  const int thumbnailSize = prefs ? prefs->getPlatenThumbnailSize() : 0;
  const int result = beginEndOfPreview(mode, crops, cancel, error, true);
  if (result == kPreviewAtStartFailed) return setEnableAfterPreview(mode);
  if (result == kPreviewNothingUsable) {
    mode->endPreviewClearImage();
    if (cancel == 0 && error != 0) mCallBackUpToSM = false;
  } else {
    const fnd::Dictionary* first =
        crops && !crops->empty() && (*crops)[0].isDictionary() ? &(*crops)[0].toDictionary() : nullptr;
    mPreviewInfo->setAutoCropInitRect(first);
    mPreviewInfo->setmultiCropPointArray(crops ? *crops : fnd::Array{}, thumbnail, duplicate != 0, thumbnailSize != 0);
    const SRectDouble autoCrop = mPreviewInfo->getAutoCropRect();
    fnd::Array points = mPreviewInfo->getMultiCropPoints();
    if (thumbnail) points = Quirel_ThumbnailCropResize::changePlatenThumbnailSize_MCPointArray(points, thumbnailSize);
    if (!(zoomScan && !thumbnail)) mode->endPreview_previewInfo(mPreviewInfo.get(), autoCrop, &points);
    if (mode->getOriginalScan()) {
      // The original scan was a first pass: the preview is asked again on the next pass of the
      // loop, and the window stays as it is until then.
      std::weak_ptr<bool> alive = mAlive;
      fnd::RunLoop::main().performAfterDelay(0, [this, alive] {
        const std::shared_ptr<bool> live = alive.lock();
        if (live && *live) retryPreview();
      });
      return;
    }
    if (thumbnail) {
      mPreviewInfo->createThumbnailImageDataPlaten(mode->getThumbnailList(), points);
      mode->setThumbnailRectFromCropCorRect();
      mode->setThumbnailImage(mPreviewInfo.get());
      mode->updateImageSetAllSelectByThumbnailPreview(0, true);
    } else if (mPreviewInfo->getPreviewMode() == 1) {
      mode->updateFocusCropPostByPreview(1, true, 1);
    } else {
      mode->updateImageSetAllSelectByPreview(1, multiCrop, true, mMode == 1);
    }
  }
  setEnableAfterPreview(mode);
}

void Quirel_UserInterfaceModule::endPreviewThread_Film_ExtendMode(const fnd::Array* crops, int filmSize, int cancel,
                                                                  int error) {
  Quirel_ExtendMode* mode = mExtendMode.get();
  if (!mode || !mPreviewInfo) return;
  const int result = beginEndOfPreview(mode, crops, cancel, error, true);
  if (result == kPreviewAtStartFailed) return setEnableAfterPreview(mode);
  if (result == kPreviewNothingUsable) {
    mode->endFilmPreviewClearImage();
    if (cancel == 0 && error != 0) mCallBackUpToSM = false;
  } else {
    const bool thumbnail = mode->isThumbnailMode();
    const Quirel_PreferenceInfo* prefs = mode->getPreferenceInfo();
    fnd::Array frames = crops ? *crops : fnd::Array{};
    if (thumbnail) frames = filmThumbnailFrames(frames, prefs);
    mode->endFilmPreview_previewInfo(mPreviewInfo.get(), &frames, filmSize);
    if (mode->getOriginalScan()) {
      std::weak_ptr<bool> alive = mAlive;
      fnd::RunLoop::main().performAfterDelay(0, [this, alive] {
        const std::shared_ptr<bool> live = alive.lock();
        if (live && *live) retryPreview();
      });
      return;
    }
    // Building several thumbnails takes a while: the panel shows how far it is.
    std::unique_ptr<Quirel_ProcessImageDialog> progress;
    if (mMode == 1 && frames.size() >= 2)
      progress = showThumbnailProgress(frames.size(), mMainWindow ? mMainWindow->getWindow() : nullptr);
    if (thumbnail) {
      mPreviewInfo->createThumbnailImageData(frames, mode->getThumbnailList());
      mode->setThumbnailImage(mPreviewInfo.get());
      mode->updateImageSetAllSelectByThumbnailPreview(1, false);
    } else if (mPreviewInfo->getPreviewMode() == 1) {
      mode->updateFocusCropPostByPreview(1, true, 1);
    } else {
      mode->updateImageSetAllSelectByPreview(1, false, true, false);
    }
    if (progress) progress->closeProcessImageDialog();
  }
  setEnableAfterPreview(mode);
}

void Quirel_UserInterfaceModule::retryPreview() {
  if (!mExtendMode) return;
  mExtendMode->setDoublePreview(true);
  mExtendMode->updateImageSetEndPreview();
}
