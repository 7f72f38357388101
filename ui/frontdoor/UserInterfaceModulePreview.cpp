// The preview traffic of the main-window controller: the preview buffers, the blocks the scan
// module sends, the redraws, and what the active mode shows when a preview or a scan ends.
#include <cstdio>
#include <cstring>
#include <new>

#include "foundation/RunLoop.h"
#include "ui/base/LockHold.h"
#include "ui/controls/CTRLS_MainWindow.h"
#include "ui/frontdoor/UserInterfaceModule.h"
#include "ui/model/PreferenceInfo.h"
#include "ui/model/PreviewBitmap.h"
#include "ui/model/PreviewInfo.h"
#include "ui/model/ThumbnailCropResize.h"
#include "ui/modes/advanced/ExtendMode.h"
#include "ui/modes/basic/StandardMode.h"
#include "ui/modes/multiscan/MultiScanMode.h"
#include "ui/windows/ProcessImageDialog.h"

namespace {

// A white buffer of `bytes`, or null when it cannot be had.
Quirel_PreviewInfo::PixelBuffer newWhitePreviewBuffer(std::size_t bytes) {
  if (bytes == 0) return nullptr;
  Quirel_PreviewInfo::PixelBuffer buffer(new (std::nothrow) std::uint8_t[bytes]);
  if (buffer) std::memset(buffer.get(), 255, bytes);
  return buffer;
}

int previewReportInt(const fnd::Dictionary* info, const char* key, int fallback) {
  if (!info) return fallback;
  const fnd::Value* value = info->find(key);
  return value ? static_cast<int>(value->toInt()) : fallback;
}

}  // namespace

// --- buffers and blocks ----------------------------------------------------------------------

void Quirel_UserInterfaceModule::setPreviewMakeSizeMainThreadMode(std::int32_t width, std::int32_t height) {
  if (!mPreviewInfo) return;
  mPreviewInfo->setPreviewWidth(width);
  mPreviewInfo->setPreviewHeight(height);
  mPreviewInfo->setSendDataOffset(0);
  mPreviewInfo->setdcnt(0);

  // The old buffers go before the new ones are asked for.
  mPreviewInfo->setOriginalPixel24(nullptr);
  mPreviewInfo->setBeforeAdjustPixel24(nullptr);
  if (mExtendMode) mExtendMode->setBeforeAdjustPixel24(nullptr);
  mPreviewBufferBytes = 0;
  mPreviewDataRefused = false;
  const std::uint64_t bytes = width > 0 && height > 0
                                  ? static_cast<std::uint64_t>(width) * static_cast<std::uint64_t>(height) * 3
                                  : 0;
  Quirel_PreviewInfo::PixelBuffer original = newWhitePreviewBuffer(static_cast<std::size_t>(bytes));
  Quirel_PreviewInfo::PixelBuffer before = original ? newWhitePreviewBuffer(static_cast<std::size_t>(bytes)) : nullptr;
  if (original && before) {
    mPreviewBufferBytes = static_cast<std::size_t>(bytes);
    mPreviewInfo->setOriginalPixel24(std::move(original));
    mPreviewInfo->setBeforeAdjustPixel24(std::move(before));
    if (mExtendMode) mExtendMode->setBeforeAdjustPixel24(mPreviewInfo->getBeforeAdjustPixel24());
  } else {
    // No room for the preview: its blocks are refused and it ends as nothing usable.
    std::fprintf(stderr, "preview of %d x %d: no buffer\n", static_cast<int>(width), static_cast<int>(height));
    mPreviewDataRefused = true;
  }

  if (mMode == 3) {
    mPreviewInfo->setPrevModeandId(3, nullptr, nullptr);
  } else {
    const int mode = mTabChanging ? mNextMode : effectiveSingleMode();
    mPreviewInfo->setPrevModeandId(mode, mStandardMode.get(), mExtendMode.get());
  }
}

void Quirel_UserInterfaceModule::setPreviewDataMainThreadMode(std::int32_t byteCount, const std::uint8_t* data) {
  Quirel_LockHold hold{mPrevDataLock.get()};
  std::uint8_t* buffer = mPreviewInfo ? mPreviewInfo->getOriginalPixel24() : nullptr;
  if (byteCount > 0 && data) {
    if (!buffer || mPreviewBufferBytes == 0) {
      // A block before any make-size, or after the buffer could not be had.
      if (!mPreviewDataRefused) std::fprintf(stderr, "preview block of %d bytes without a buffer: refused\n", byteCount);
      mPreviewDataRefused = true;
    } else {
      const std::uint64_t offset = mPreviewInfo->getSendDataOffset();
      std::uint64_t length = static_cast<std::uint64_t>(byteCount);
      if (offset >= mPreviewBufferBytes) {
        length = 0;
      } else if (length > mPreviewBufferBytes - offset) {
        length = mPreviewBufferBytes - offset;
      }
      if (length != static_cast<std::uint64_t>(byteCount))
        std::fprintf(stderr, "preview block of %d bytes at %llu passes the buffer's end: cut to %llu\n", byteCount,
                     static_cast<unsigned long long>(offset), static_cast<unsigned long long>(length));
      if (length > 0) std::memcpy(buffer + offset, data, static_cast<std::size_t>(length));
      mPreviewInfo->setSendDataOffset(offset + length);
    }
  }
  // The block belongs to the carrier it came in, which frees it: it is never freed here, whatever
  // the model's parameters say.
}

void Quirel_UserInterfaceModule::drawPreviewAreaMainThreadMode() {
  const int mode = effectiveSingleMode();
  if (mode == 0 && mStandardMode && mStandardMode->getRedrawPreview()) drawPreviewAreaMainThread();
  if (mode == 1 && mExtendMode && mExtendMode->getRedrawPreview()) drawPreviewAreaMainThread();
}

PreviewBitmap Quirel_UserInterfaceModule::getPreviewBitmap() const {
  PreviewBitmap bitmap;
  if (!mPreviewInfo) return bitmap;
  const int width = mPreviewInfo->getPreviewWidth();
  const int height = mPreviewInfo->getPreviewHeight();
  const std::uint8_t* pixels = mPreviewInfo->getOriginalPixel24();
  const std::size_t bytes = width > 0 && height > 0 ? static_cast<std::size_t>(width) * height * 3 : 0;
  if (!pixels || bytes == 0 || bytes > mPreviewBufferBytes) return bitmap;
  bitmap.width = width;
  bitmap.height = height;
  // The last picture's bytes serve again when no mode kept them: a fresh buffer of a preview's
  // size would be touched page by page for the first time on every preview.
  if (!mPreviewBitmapBytes || mPreviewBitmapBytes.use_count() != 1)
    mPreviewBitmapBytes = std::make_shared<std::vector<std::uint8_t>>();
  mPreviewBitmapBytes->assign(pixels, pixels + bytes);
  bitmap.bytes = mPreviewBitmapBytes;
  return bitmap;
}

void Quirel_UserInterfaceModule::drawPreviewAreaMainThread() {
  Quirel_BaseScanMode* mode = singleMode(effectiveSingleMode());
  if (!mode) return;
  const PreviewBitmap bitmap = getPreviewBitmap();
  if (bitmap.bytes) mode->reDrawPreview(bitmap);
}

// --- end of preview --------------------------------------------------------------------------

int Quirel_UserInterfaceModule::checkPreviewResult_AutoMultiRect(const fnd::Array* crops, int cancel, int error,
                                                                 bool previewAtStart, bool thumbnailMode) {
  if (previewAtStart && error != 0) return kPreviewAtStartFailed;
  if (crops && cancel == 0 && error == 0) return kPreviewComplete;
  if (cancel != 0 && crops && !thumbnailMode) return kPreviewCancelledUsable;
  return kPreviewNothingUsable;
}

fnd::Dictionary Quirel_UserInterfaceModule::makeEndPreviewDictionary(const fnd::Dictionary* info) {
  fnd::Dictionary d;
  if (info) {
    if (const fnd::Value* crops = info->find("AutoMultiRect"); crops && crops->isArray())
      d.set("autoMultiRect", *crops);
  }
  d.set("filmSize", previewReportInt(info, "PreviewFilmSize", 0));
  d.set("inputSource", previewReportInt(info, "PreviewFilmPosiNega", 3));
  d.set("previewCancelFlag", previewReportInt(info, "PreviewCancelFlag", 0));
  d.set("previewErrorFlag", previewReportInt(info, "PreviewErrorFlag", 0));
  d.set("MC2DuplicateAuto", previewReportInt(info, "MC2DuplicateAuto", 0));
  return d;
}

void Quirel_UserInterfaceModule::endPreviewMainThreadMode(const fnd::Dictionary* info) {
  fnd::Dictionary internal = makeEndPreviewDictionary(info);
  // A preview whose blocks were refused has no picture to hand on, whatever the report says.
  if (mPreviewDataRefused) internal.remove("autoMultiRect");
  endPreviewThread(internal);
}

void Quirel_UserInterfaceModule::endPreviewThread(const fnd::Dictionary& internal) {
  const fnd::Value* cropsValue = internal.find("autoMultiRect");
  const fnd::Array* crops = cropsValue && cropsValue->isArray() ? &cropsValue->toArray() : nullptr;
  const int filmSize = static_cast<int>(internal.integer("filmSize"));
  const int cancel = static_cast<int>(internal.integer("previewCancelFlag"));
  const int error = static_cast<int>(internal.integer("previewErrorFlag"));
  const int duplicate = static_cast<int>(internal.integer("MC2DuplicateAuto"));
  switch (mMode) {
    case 0:
      endPreviewThread_StandardMode(crops, filmSize, cancel, error, duplicate);
      break;
    case 1:
      endPreviewThread_ExtendMode(crops, filmSize, cancel, error, duplicate);
      break;
    case 2:
      if (mBeforeMode == 0)
        endPreviewThread_StandardMode(crops, filmSize, cancel, error, duplicate);
      else
        endPreviewThread_ExtendMode(crops, filmSize, cancel, error, duplicate);
      break;
    case 3:
      endPreviewThread_UILessMode(crops, filmSize, static_cast<std::int32_t>(internal.integer("inputSource")), cancel,
                                  error);
      break;
    default:
      break;
  }
}

void Quirel_UserInterfaceModule::endPreviewThread_StandardMode(const fnd::Array* crops, int filmSize, int cancel,
                                                               int error, int duplicate) {
  if (!mStandardMode) return;
  if (mStandardMode->isFilmMode())
    endPreviewThread_Film_StandardMode(crops, filmSize, cancel, error);
  else
    endPreviewThread_Platen_StandardMode(crops, cancel, error, duplicate);
}

void Quirel_UserInterfaceModule::setEnableAfterPreview(Quirel_BaseScanMode* mode) {
  // Each mode's own version: the advanced one also enables its floating dialogs.
  if (mode == mExtendMode.get())
    mExtendMode->setEnabledMainWindow(true);
  else if (mode == mStandardMode.get())
    mStandardMode->setEnabledMainWindow(true);
  else
    mode->setEnabledMainWindow(true);
  setEnableControlMainWindow(true);
  mode->updateMouseCursorRects();
}

// The first steps of every end of a preview: the result, the scan-end sound of a preview that
// was a scan, a failed start-up preview marked for the reset, the progress status.
int Quirel_UserInterfaceModule::beginEndOfPreview(Quirel_BaseScanMode* mode, const fnd::Array* crops, int cancel,
                                                  int error, bool zoomKeepsProgress) {
  mCallBackUpToSM = true;
  const bool needScan = mode->getNeedScan();
  const int result =
      checkPreviewResult_AutoMultiRect(crops, cancel, error, mode->getPreviewAtStart(), mode->isThumbnailMode());
  if (needScan) {
    if (result == kPreviewComplete)
      startScanSound(mode->getPreferenceInfo());
    else
      stopScanSound();
  }
  if (result == kPreviewAtStartFailed) {
    mPreviewInfo->setUIResetImageError(true);
    return result;
  }
  if (needScan && !(zoomKeepsProgress && mode->getZoomScan()) &&
      (result == kPreviewCancelledUsable || result == kPreviewNothingUsable))
    mode->setProgressStatusValue(-1);
  return result;
}

void Quirel_UserInterfaceModule::endPreviewThread_Platen_StandardMode(const fnd::Array* crops, int cancel, int error,
                                                                      int duplicate) {
  Quirel_StandardMode* mode = mStandardMode.get();
  if (!mode || !mPreviewInfo) return;
  const bool thumbnail = mode->isThumbnailMode();
  const Quirel_PreferenceInfo* prefs = mode->getPreferenceInfo();
  const int result = beginEndOfPreview(mode, crops, cancel, error);
  // A failed start-up preview shows nothing, but the window comes back all the same.
  if (result == kPreviewAtStartFailed) return setEnableAfterPreview(mode);
  const int thumbnailSize = prefs ? prefs->getPlatenThumbnailSize() : 0;
  if (result == kPreviewNothingUsable) {
    mode->endPreviewClearImage();
    if (cancel == 0 && error != 0) mCallBackUpToSM = false;
  } else {
    const fnd::Dictionary* first = crops && !crops->empty() && (*crops)[0].isDictionary() ? &(*crops)[0].toDictionary() : nullptr;
    mPreviewInfo->setAutoCropInitRect(first);
    mPreviewInfo->setmultiCropPointArray(crops ? *crops : fnd::Array{}, thumbnail, duplicate != 0, thumbnailSize != 0);
    const SRectDouble autoCrop = mPreviewInfo->getAutoCropRect();
    fnd::Array points = mPreviewInfo->getMultiCropPoints();
    if (thumbnail) points = Quirel_ThumbnailCropResize::changePlatenThumbnailSize_MCPointArray(points, thumbnailSize);
    mode->endPreview_previewInfo(mPreviewInfo.get(), autoCrop, &points);
    if (thumbnail) {
      mPreviewInfo->createThumbnailImageDataPlaten(mode->getThumbnailList(), points);
      mode->setThumbnailRectFromCropCorRect();
      mode->setThumbnailImage(mPreviewInfo.get());
      mode->updateImageSetAllSelectByThumbnailPreview(0);
    } else {
      mode->updateImageSetAllSelectByPreview(0, false, true, mMode == 0);
    }
  }
  setEnableAfterPreview(mode);
}

void Quirel_UserInterfaceModule::endPreviewThread_Film_StandardMode(const fnd::Array* crops, int filmSize, int cancel,
                                                                    int error) {
  Quirel_StandardMode* mode = mStandardMode.get();
  if (!mode || !mPreviewInfo) return;
  const bool thumbnail = mode->isThumbnailMode();
  const Quirel_PreferenceInfo* prefs = mode->getPreferenceInfo();
  const int result = beginEndOfPreview(mode, crops, cancel, error);
  // A failed start-up preview shows nothing, but the window comes back all the same.
  if (result == kPreviewAtStartFailed) return setEnableAfterPreview(mode);
  if (result == kPreviewNothingUsable) {
    mode->endFilmPreviewClearImage();
    if (cancel == 0 && error != 0) mCallBackUpToSM = false;
  } else {
    fnd::Array frames = crops ? *crops : fnd::Array{};
    if (thumbnail) frames = filmThumbnailFrames(frames, prefs);
    mode->endFilmPreview_previewInfo(mPreviewInfo.get(), &frames, filmSize);
    // Building several thumbnails takes a while: the panel shows how far it is.
    std::unique_ptr<Quirel_ProcessImageDialog> progress;
    if (mMode == 0 && frames.size() >= 2)
      progress = showThumbnailProgress(frames.size(), mMainWindow ? mMainWindow->getWindow() : nullptr);
    if (thumbnail) {
      mPreviewInfo->createThumbnailImageData(frames, mode->getThumbnailList());
      mode->setThumbnailImage(mPreviewInfo.get());
      mode->updateImageSetAllSelectByThumbnailPreview(0, false);
    } else {
      mode->updateImageSetAllSelectByPreview(0, false, true, false);
    }
    if (progress) progress->closeProcessImageDialog();
  }
  setEnableAfterPreview(mode);
}

// --- end of scan and retry -------------------------------------------------------------------

void Quirel_UserInterfaceModule::endScanMainThreadMode() {
  Quirel_LockHold hold{mEndScanLock.get()};
  if (mMode == 0) {
    // The basic mode itself hears nothing; only the sound follows its outcome.
    if (!mStandardMode || mStandardMode->getProgressStatus() == -1)
      stopScanSound();
    else
      startScanSound(mStandardMode->getPreferenceInfo());
  } else if (mMode == 1) {
    if (mExtendMode) mExtendMode->endScan();
    if (!mExtendMode || mExtendMode->getProgressStatus() == -1)
      stopScanSound();
    else
      startScanSound(mExtendMode->getPreferenceInfo());
  } else {
    startScanSound(mMultiMode ? mMultiMode->getPreferenceInfo() : nullptr);
  }
  // A finished scan is a state worth keeping should the program not get to its close.
  saveSettingsNow();
}

void Quirel_UserInterfaceModule::scanRetryStart() {
  if (mMode == 0 && mStandardMode) mStandardMode->scanStartRerty();
  if (mMode == 1 && mExtendMode) mExtendMode->scanStartRerty();
}

std::unique_ptr<Quirel_ProcessImageDialog> Quirel_UserInterfaceModule::showThumbnailProgress(std::size_t count,
                                                                                              kit::Window* parent) {
  auto progress = std::make_unique<Quirel_ProcessImageDialog>(mCenter);
  progress->setDivideCount(static_cast<std::int32_t>(count));
  progress->setParentWindow(parent);
  progress->showProcessImageDialog();
  return progress;
}

fnd::Array Quirel_UserInterfaceModule::filmThumbnailFrames(const fnd::Array& frames,
                                                         const Quirel_PreferenceInfo* prefs) const {
  const std::int32_t sizeCode = Quirel_ThumbnailCropResize::filmThumbnailSizeCode(
      mMode, prefs && prefs->getSmallThumbanilWhenUIOff(),
      prefs ? prefs->getFilmThumbnailSize() : Quirel_ThumbnailCropResize::kSizeNormal);
  return Quirel_ThumbnailCropResize::changeFilmThumbnailSize_previewInfo(
      frames, sizeCode, mPreviewInfo->getPreviewWidth(), mPreviewInfo->getPreviewHeight());
}
