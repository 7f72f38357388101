// The launcher's transfer calls: the image description, the blocks, the pending images and the
// end of saving. They run on the main thread; what they wait for comes from the module's thread.
#include "datasource/DirectTWAIN.h"
#include "foundation/Thread.h"

std::int32_t Dravon_DirectTWAIN::dtScannerSetupMemorySize(std::uint32_t) { return TWRC_SUCCESS; }

std::int32_t Dravon_DirectTWAIN::dtScannerGetImageInfo(DT_IMAGEINFO* info) {
  const std::int16_t waited = getImageInfo();
  mIsFinalLine = false;
  mImageInfoFailure = 0;
  if (waited != 0) {
    // The error was met (and shown) by the wait; the next transfer answers the same class
    // instead of starting the scanner for an image that is not there.
    const std::int16_t cls = dsGetErrorInfo();
    mImageInfoFailure = cls != 0 ? cls : static_cast<std::int16_t>(TWRC_CANCEL);
  }
  if (info) {
    const TW_IMAGEINFO& t = mImageInfo;
    *info = DT_IMAGEINFO{t.XResolution.Whole, t.YResolution.Whole, t.ImageWidth, t.ImageLength, t.SamplesPerPixel,
                         t.BitsPerPixel};
    if (waited != 0) *info = DT_IMAGEINFO{};
  }
  return mImageInfoFailure;
}

std::int32_t Dravon_DirectTWAIN::dtScannerImageMemoryTransfer(TW_IMAGEMEMXFER* xfer) {
  std::int32_t result = 0;
  std::int16_t failedClass = mImageInfoFailure;
  if (failedClass == 0) {
    // An image not described yet is described before the scanner starts: the description's
    // wait also ends the page before it, without which the module never reports this one.
    if (mRowsTransfered.load() == 0 && mCalledImageInfo.load() != mDoingDSpage.load()) result = getImageInfo();
    // A record that cannot take a row is refused before the scanner moves.
    const bool describedNow = mCalledImageInfo.load() == mDoingDSpage.load();
    if (result == 0 && (!xfer || !transferDestination(*xfer) || (describedNow && !transferRecordUsable(xfer))))
      result = kInternalFailure;

    if (result == 0 && myScan && mRowsTransfered.load() == 0) {
      myScan->smSetTransferMode(3);
      ++mMainLoopCount;
      myScan->smStartScan();
      mTransferStartedScan = true;
      const std::int16_t waited = dsWaitForNextEvent(3);
      --mMainLoopCount;
      result = waited;
    }
    if (result == 0) {
      const bool pageMode = mDataTransMode.load() == 2 || mDataTransMode.load() == 3;
      if (!mRemainTransData.load()) result = pageMode ? getScanImagePage() : getScanImageBlock();
      if (result == 0) result = pageMode ? setAppImagePage(xfer) : setAppImageBlock(xfer);
    }

    if (result == kInternalFailure) {
      const std::int32_t error = deviceError();
      if (error == 0 || error == 1110) dsEndScan(1);
      if (error == 0) setDeviceError(kErrInternal, kInternalNumbers);
      dsCheckError(lastErrorReport(), 1);
    } else if (result == 0 && deviceError() == 0) {
      if (!mIsFinalLine.load()) return TWRC_SUCCESS;
      mRowsTransfered = 0;
      mXferReady = false;
      mCurrentState = kStateTransferring;
      return TWRC_XFERDONE;
    } else if ((result == kErrCancelFeeder || result == kErrCancel) && deviceError() == result) {
      // A cancel met by this call itself has not been through the error check yet.
      dsCheckError(lastErrorReport(), 1);
    }
    failedClass = dsGetErrorInfo();
  }
  if (failedClass != 0) uimCloseProgress();
  dsWaitForNextEvent(6);
  mCurrentState = kStateXferReady;
  // An error settled as none (10001, 10003) still left the block unfinished: never 0 for it.
  return failedClass != 0 ? failedClass : TWRC_CANCEL;
}

void Dravon_DirectTWAIN::waitForPendingError() {
  if (deviceError() != 0) return;
  ++mMainLoopCount;
  auto status = std::make_shared<Quirel_progressCancelStatus>();
  const std::int64_t start = tickCount();
  for (;;) {
    if (deviceError() != 0) break;
    if (waitsMustEnd()) {
      setDeviceError(kErrCancel);
      break;
    }
    if (tickCount() - start > static_cast<std::int64_t>(kPendingErrorTimeout * 60)) {
      // The module said the document failed but never said why.
      setDeviceError(kErrInternal, kInternalNumbers);
      break;
    }
    if (myUICtrl) myUICtrl->uiControlEvent(status, 400);
    if (myPMethod) myPMethod->sendAnyEvents(0);
    if (status->getCancelNum() == 1) {
      dsCancelScan();
      setDeviceError(mScanningMode.load() == 1 ? kErrCancelFeeder : kErrCancel);
      break;
    }
    pauseForReport();
  }
  --mMainLoopCount;
}

std::int32_t Dravon_DirectTWAIN::dtScannerPendingTransfers(std::int32_t mode) {
  mImageInfoFailure = 0;
  if (mode == 1) {
    if (deviceError() == 0) mGaveUpTransfers = true;
    dsEndScan(1);
    {
      std::lock_guard guard(DS_NTC_XFERCOUNT_LOCK);
      mXferCount = 0;
    }
    mRowsTransfered = 0;
    mRemainTransData = false;
    mCurrentState = kStateUIOpen;
    mXferReady = false;
    return 0;
  }

  // A report that arrives meanwhile is left to this call's checks: handled on the module's
  // thread, its message would wait for this thread while this thread waits for the module.
  ++mMainLoopCount;
  const std::int32_t count = pendingCount();
  --mMainLoopCount;
  return count;
}

std::int32_t Dravon_DirectTWAIN::pendingCount() {
  const std::int32_t rows = mRowsTransfered.load();
  if (rows == 0 || rows >= mImageInfo.ImageLength) dsWaitForNextEvent(4);

  if (mModelYear >= 2008 && myScan) {
    int source = 0;
    if (mScanningMode.load() == 1) {
      source = mADFOption.load() == 2 ? 2 : 1;
    } else if (mScanningMode.load() == 2) {
      source = mFilmOption.load();
    }
    const int answer = myScan->smContinousScan2(source);
    std::lock_guard guard(DS_NTC_XFERCOUNT_LOCK);
    mXferCount = static_cast<std::uint16_t>(answer);
  }

  std::uint16_t count = mXferCount.load();
  const bool documentOver =
      (mReceivedSMnc.load() & kBitDocumentEnd) != 0 && mDoingSMpage.load() == mDoingDSpage.load();
  if (count != 0 && !documentOver && count != 65534 && mScanningMode.load() == 1 &&
      dsCheckVolumeInfo(smImageInfo().size) != kVolumeOK) {
    count = 65533;
    std::lock_guard guard(DS_NTC_XFERCOUNT_LOCK);
    mXferCount = count;
  }
  if (count != 0 && !documentOver && count != 65533 && count != 65534) {
    mCurrentState = kStateXferReady;
    mXferReady = true;
    ++mDoingDSpage;
    mRowsTransfered = 0;
    mRemainTransData = false;
    return count;
  }

  // No more images: a refused next page is not scanned (the module would wait for it).
  dsEndScan(count == 65533 ? 1 : 0);
  uimCloseProgress();
  if (mStartedScan.load()) {
    dsWaitForNextEvent(5);
    mStartedScan = false;
  }
  if (count == 65533) {
    if (deviceError() == 0) setDeviceError(kErrInternal, kInternalNumbers);
    dsCheckError(lastErrorReport(), 1);
  } else if (count == 65534) {
    waitForPendingError();
    dsCheckError(lastErrorReport(), 1);
  }
  dsWaitForNextEvent(6);
  mCurrentState = kStateUIOpen;
  mXferReady = false;
  mRowsTransfered = 0;
  mRemainTransData = false;
  return static_cast<std::int16_t>(count);
}

std::int32_t Dravon_DirectTWAIN::dtScannerNotifyDidFinishSaving(std::int32_t status) {
  if ((status == 0 || status == 1) && myUICtrl) myUICtrl->uiControlMessage(fnd::makeShared(), 305);
  const std::int16_t cls = dsGetErrorInfo();
  const bool gaveUp = mGaveUpTransfers.exchange(false);
  if (cls == 1 || mClosePictavoUI.load() == 1 || (gaveUp && deviceError() == 0)) {
    dsPerformCloseDSReq(1);
  } else if (myUICtrl) {
    // The user interface disabled its controls for the scan itself: they are enabled whoever
    // disabled them.
    mControlMainWindow = 0;
    myUICtrl->uiControlMethod(nullptr, 10);
  }
  return 0;
}
