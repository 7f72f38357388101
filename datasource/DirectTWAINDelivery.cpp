// Image delivery: the description of the current page, its rows in blocks into the launcher's
// buffer (from the module's lines, or from the page it handed over in memory or as a file), the
// scan-result bitmap, the progress bar and the Cancel button while rows are copied.
#include <algorithm>
#include <chrono>
#include <cstring>

#include "datasource/DirectTWAIN.h"
#include "foundation/RunTempFolder.h"
#include "foundation/Thread.h"

namespace {

// Counts a data-source call as running while it lives: an error report that arrives meanwhile
// is left to the call's own checks.
class DeliveryBusyMark {
 public:
  explicit DeliveryBusyMark(std::atomic<std::int16_t>& count) : count_(count) { ++count_; }
  ~DeliveryBusyMark() { --count_; }
  DeliveryBusyMark(const DeliveryBusyMark&) = delete;
  DeliveryBusyMark& operator=(const DeliveryBusyMark&) = delete;

 private:
  std::atomic<std::int16_t>& count_;
};

// The longest the line path waits for the module before it looks at errors and Cancel again.
constexpr double kLineWaitSeconds = 0.004;

// Pauses between empty answers of the module: the first few only yield, then sleeps that grow
// to a few milliseconds, so a slow scanner costs no processor and a fast one no delay.
class LinePause {
 public:
  void operator()() {
    if (round_ < 16) {
      ++round_;
      std::this_thread::yield();
      return;
    }
    fnd::Thread::sleepFor(seconds_);
    seconds_ = std::min(seconds_ * 2, 0.004);
  }

 private:
  int round_ = 0;
  double seconds_ = 0.0001;
};

}  // namespace

std::int64_t Dravon_DirectTWAIN::tickCount() {
  const auto now = std::chrono::steady_clock::now().time_since_epoch();
  return std::chrono::duration_cast<std::chrono::microseconds>(now).count() * 60 / 1000000;
}

Velmor_Module* Dravon_DirectTWAIN::scanModule() const {
  if (mModuleOverride) return mModuleOverride;
  return mModuleLoader ? &mModuleLoader->module() : nullptr;
}

// --- description -------------------------------------------------------------------------------

std::int16_t Dravon_DirectTWAIN::getImageInfo() {
  std::int16_t waited = 0;
  if (mCalledOpenMainUI.load()) {
    waited = dsWaitForNextEvent(2);
    TW_IMAGEINFO& t = mImageInfo;
    if (waited != 0) {
      // No image report: the launcher is told of no image rather than of one that never comes.
      t = TW_IMAGEINFO{};
    } else {
      const SmImageInfo info = smImageInfo();
      t.XResolution = TW_FIX32{static_cast<std::int16_t>(info.resolution), 0};
      t.YResolution = t.XResolution;
      t.ImageWidth = info.width;
      t.ImageLength = info.height;
      const auto bits = static_cast<std::int16_t>(info.pixels);
      if (info.samples == 1) {
        t.PixelType = bits == 8 || bits == 16 ? TWPT_GRAY : TWPT_BW;
        t.SamplesPerPixel = 1;
        t.BitsPerPixel = bits;
        t.BitsPerSample[0] = bits;
      } else if (info.samples == 3) {
        t.PixelType = TWPT_RGB;
        t.SamplesPerPixel = 3;
        t.BitsPerPixel = static_cast<std::int16_t>(3 * bits);
        for (int i = 0; i < 3; ++i) t.BitsPerSample[i] = bits;
      }
      t.Planar = 0;
      t.Compression = 0;
    }
  }
  mCalledImageInfo = mDoingDSpage.load();
  return waited;
}

std::uint64_t Dravon_DirectTWAIN::describedRowBytes() const {
  const TW_IMAGEINFO& t = mImageInfo;
  if (t.ImageWidth <= 0 || t.ImageLength <= 0 || t.SamplesPerPixel <= 0 || t.BitsPerPixel <= 0) return 0;
  return rowBytes(t.SamplesPerPixel, t.BitsPerPixel / t.SamplesPerPixel, t.ImageWidth);
}

std::uint8_t* Dravon_DirectTWAIN::transferDestination(const TW_IMAGEMEMXFER& xfer) {
  if (!xfer.Memory.TheMem) return nullptr;
  if (xfer.Memory.Flags & TWMF_HANDLE) return *static_cast<std::uint8_t**>(xfer.Memory.TheMem);
  return static_cast<std::uint8_t*>(xfer.Memory.TheMem);
}

bool Dravon_DirectTWAIN::transferRecordUsable(const TW_IMAGEMEMXFER* xfer) const {
  if (!xfer || !transferDestination(*xfer)) return false;
  const std::uint64_t row = describedRowBytes();
  // A buffer that cannot take one row would never finish the image.
  return row != 0 && row <= xfer->Memory.Length;
}

void Dravon_DirectTWAIN::fillTransferRecord(TW_IMAGEMEMXFER& xfer, std::uint32_t rows) const {
  const auto row = static_cast<std::uint32_t>(describedRowBytes());
  xfer.Compression = 0;
  xfer.BytesPerRow = row;
  xfer.Columns = static_cast<std::uint32_t>(mImageInfo.ImageWidth);
  xfer.Rows = rows;
  xfer.XOffset = 0;
  xfer.YOffset = static_cast<std::uint32_t>(mRowsTransfered.load());
  xfer.BytesWritten = rows * row;
}

// --- preparation of an image's first block -----------------------------------------------------

std::int16_t Dravon_DirectTWAIN::getScanImageBlock() {
  if (mCalledImageInfo != mDoingDSpage.load()) {
    const std::int16_t waited = getImageInfo();
    if (waited != 0) return waited;
  }
  if (dsCheckVolumeInfo(smImageInfo().size) != kVolumeOK) return kInternalFailure;
  if (mNeedResultWindow.load()) myBitmap = prepareDSBitmap();
  return 0;
}

std::int16_t Dravon_DirectTWAIN::getScanImagePage() { return getScanImageBlock(); }

// --- result bitmap -----------------------------------------------------------------------------

std::unique_ptr<Velmor_BITMAP> Dravon_DirectTWAIN::prepareDSBitmap() {
  const std::string folder = tempPath();
  Velmor_Module* module = scanModule();
  if (folder.empty() || !module) return nullptr;
  std::unique_ptr<Velmor_FileCreate> names = module->createFileCreate();
  std::unique_ptr<Velmor_BITMAP> bitmap = module->createBitmap();
  if (!names || !bitmap) return nullptr;
  names->SetTemporaryPath(folder);
  const std::string file = names->GetTemporaryFileName();
  const TW_IMAGEINFO& t = mImageInfo;
  const int samples = t.SamplesPerPixel;
  const int depth = samples > 0 ? t.BitsPerPixel / samples : 0;
  const int resolution = t.XResolution.Whole;
  if (bitmap->CreateSMBitmap(0, 1, t.ImageWidth, t.ImageLength, samples, depth, resolution, resolution, file) != 0)
    return nullptr;
  return bitmap;
}

std::string Dravon_DirectTWAIN::createBitmapFile(Velmor_BITMAP& bitmap) {
  Velmor_Module* module = scanModule();
  if (!module) return {};
  std::unique_ptr<Velmor_FileCreate> writer = module->createFileCreate();
  if (!writer) return {};
  // A temporary file, so a temporary folder: the document's, else the system's. The result
  // window deletes it once it has loaded the picture.
  std::string folder = tempPath();
  if (folder.empty()) folder = fnd::RunTempFolder::path();
  writer->SetTemporaryPath(folder);
  return writer->SaveBitmapTemporary(bitmap);
}

void Dravon_DirectTWAIN::copyToResultBitmap(const std::uint8_t* row, std::uint64_t bytes) {
  if (!myBitmap || !mNeedResultWindow.load()) return;
  // The bitmap hands out the place of each row and keeps within its own rows.
  if (std::uint8_t* at = myBitmap->WriteNext()) {
    std::memcpy(at, row, static_cast<std::size_t>(std::min<std::uint64_t>(bytes, static_cast<std::uint64_t>(myBitmap->lineBytes))));
    ++myBitmap->writeLines;
  }
}

void Dravon_DirectTWAIN::releaseResultBitmap() { myBitmap.reset(); }

void Dravon_DirectTWAIN::closePageReader() {
  if (mPageReader) {
    std::fclose(mPageReader);
    mPageReader = nullptr;
  }
}

std::int32_t Dravon_DirectTWAIN::finishImage() {
  if (mNeedResultWindow.load()) {
    if (mDoingDSpage.load() == 1 && myUICtrl) {
      myUICtrl->uiControlNotification(nullptr, 202);
      mShowingResWin = 1;
    }
    if (!myBitmap) return kInternalFailure;
    const std::string path = createBitmapFile(*myBitmap);
    if (path.empty()) return kInternalFailure;
    if (myUICtrl)
      myUICtrl->uiControlNotification(fnd::makeShared(fnd::Dictionary{{"filePath", path}, {"fileErase", 1}}), 203);
  }
  return setPercentageAndCheckCancel(100);
}

// --- progress and Cancel -----------------------------------------------------------------------

std::int32_t Dravon_DirectTWAIN::setPercentageAndCheckCancel(std::int16_t percent) {
  if (mCreatedProgressWin.load() == 0 || !myUICtrl) return 0;
  myUICtrl->uiControlMethod(fnd::makeShared(fnd::Dictionary{{"PercentVal", percent}}), 105);
  auto status = std::make_shared<Quirel_progressCancelStatus>();
  myUICtrl->uiControlEvent(status, 400);
  if (myPMethod) myPMethod->sendAnyEvents(0);
  if (status->getCancelNum() != 1) return 0;
  dsCancelScan();
  const std::int32_t error = mScanningMode.load() == 1 ? kErrCancelFeeder : kErrCancel;
  setDeviceError(error);
  return error;
}

std::int32_t Dravon_DirectTWAIN::getSMStatus(const std::shared_ptr<Quirel_progressCancelStatus>& status) {
  const std::int32_t error = deviceError();
  if (error != 0) {
    dsCheckError(lastErrorReport(), 1);
    return error;
  }
  const std::int64_t now = tickCount();
  if (now < mTickTime) {
    mTickTime = 0;
    return 0;
  }
  if (now - mTickTime <= mCancelInterval) return 0;
  mTickTime = now;
  if (!myUICtrl) return 0;
  status->setCancelNum(0);
  myUICtrl->uiControlEvent(status, 400);
  if (myPMethod) myPMethod->sendAnyEvents(0);
  if (status->getCancelNum() != 1) return 0;
  dsCancelScan();
  const std::int32_t cancel = mScanningMode.load() == 1 ? kErrCancelFeeder : kErrCancel;
  setDeviceError(cancel);
  return cancel;
}

// --- line path ---------------------------------------------------------------------------------

const std::uint8_t* Dravon_DirectTWAIN::nextLine(std::uint32_t row,
                                                 const std::shared_ptr<Quirel_progressCancelStatus>& status,
                                                 std::int32_t* result) {
  *result = 0;
  LinePause pause;
  for (;;) {
    if (const std::uint8_t* line = myScan->smReadScan()) return line;
    if (mRowsTransfered.load() == 0 && row == 0 && (mErrWillOccur.load() == 1 || deviceError() == kErrPaperOut)) {
      dsWaitForNextEvent(10);
      getSMStatus(status);
    }
    // The row stays unwritten; the next status check answers the error.
    if (deviceError() != 0) return nullptr;
    if (waitsMustEnd()) {
      setDeviceError(kErrCancel);
      *result = kErrCancel;
      return nullptr;
    }
    if ((mReceivedSMnc.load() & (kBitDocumentEnd | kBitPageEnd)) != 0) {
      // Rows the module queued before it ended the page or the document stay readable; after
      // them none will come.
      if (const std::uint8_t* line = myScan->smReadScan()) return line;
      if (mErrWillOccur.load() != 0) {
        dsWaitForNextEvent(9);
        if (deviceError() != 0) return nullptr;
      }
      setDeviceError(kErrCancel);
      *result = kErrCancel;
      return nullptr;
    }
    if (const std::int32_t s = getSMStatus(status); s != 0) {
      *result = s;
      return nullptr;
    }
    // A module that can wait for its next row is asked to (no longer than our longest pause,
    // so errors and Cancel are looked at as often); when it has none after all (it cannot
    // wait, or the page ended or was cancelled) our pauses keep the loop from spinning.
    if (!myScan->smWaitScan(kLineWaitSeconds)) pause();
  }
}

std::int16_t Dravon_DirectTWAIN::setAppImageBlock(TW_IMAGEMEMXFER* xfer) {
  DeliveryBusyMark busy(mMainLoopCount);
  if (!transferRecordUsable(xfer) || !myScan) return kInternalFailure;
  const std::uint64_t row = describedRowBytes();
  const auto missing = static_cast<std::uint64_t>(mImageInfo.ImageLength - mRowsTransfered.load());
  const auto rows = static_cast<std::uint32_t>(std::min<std::uint64_t>(xfer->Memory.Length / row, missing));
  fillTransferRecord(*xfer, rows);
  std::uint8_t* dest = transferDestination(*xfer);
  if (mRowsTransfered.load() == 0 && myBitmap) myBitmap->Reset();

  auto status = std::make_shared<Quirel_progressCancelStatus>();
  for (std::uint32_t i = 0; i < rows; ++i) {
    if (const std::int32_t s = getSMStatus(status); s != 0) return static_cast<std::int16_t>(s);
    std::int32_t result = 0;
    const std::uint8_t* line = nextLine(i, status, &result);
    if (result != 0) return static_cast<std::int16_t>(result);
    if (!line) continue;
    std::memcpy(dest + static_cast<std::uint64_t>(i) * xfer->BytesPerRow, line, static_cast<std::size_t>(row));
    copyToResultBitmap(line, row);
  }
  // An error on the block's last row left it unwritten with no row after it to report it.
  if (deviceError() != 0) return static_cast<std::int16_t>(getSMStatus(status));

  mCurrentState = kStateTransferring;
  mRowsTransfered += static_cast<std::int32_t>(rows);
  if (mRowsTransfered.load() < mImageInfo.ImageLength) {
    mRemainTransData = true;
    return 0;
  }
  mIsFinalLine = true;
  mRemainTransData = false;
  return static_cast<std::int16_t>(finishImage());
}

// --- page path ---------------------------------------------------------------------------------

std::int16_t Dravon_DirectTWAIN::setAppImagePage(TW_IMAGEMEMXFER* xfer) {
  if (!transferRecordUsable(xfer)) return kInternalFailure;
  const std::uint64_t row = describedRowBytes();
  const std::int32_t length = mImageInfo.ImageLength;
  const std::int32_t done = mRowsTransfered.load();
  if (const std::int32_t s = setPercentageAndCheckCancel(static_cast<std::int16_t>(done * 18LL / length + 82)); s != 0)
    return static_cast<std::int16_t>(s);

  const auto rows = static_cast<std::uint32_t>(
      std::min<std::uint64_t>(xfer->Memory.Length / row, static_cast<std::uint64_t>(length - done)));
  fillTransferRecord(*xfer, rows);
  std::uint8_t* dest = transferDestination(*xfer);
  const std::uint64_t bytes = static_cast<std::uint64_t>(rows) * row;
  const std::uint64_t offset = static_cast<std::uint64_t>(done) * row;
  if (done == 0 && myBitmap) myBitmap->Reset();

  if (mDataTransMode.load() == 2) {
    if (done == 0) {
      closePageReader();
      const std::string path = pageFilePath();
      if (path.empty() || !(mPageReader = std::fopen(path.c_str(), "rb"))) return kInternalFailure;
    }
    // A page file shorter than its image fails here instead of delivering made-up rows.
    if (!mPageReader || std::fread(dest, 1, static_cast<std::size_t>(bytes), mPageReader) != bytes)
      return kInternalFailure;
  } else {
    std::lock_guard guard(mPageMutex);
    // Only within the block the module handed over.
    if (!mPageMemory || offset > mPageMemory->size() || bytes > mPageMemory->size() - offset) return kInternalFailure;
    std::memcpy(dest, mPageMemory->data() + offset, static_cast<std::size_t>(bytes));
  }
  if (myBitmap && mNeedResultWindow.load())
    for (std::uint32_t i = 0; i < rows; ++i) copyToResultBitmap(dest + i * row, row);

  mCurrentState = kStateTransferring;
  mRowsTransfered += static_cast<std::int32_t>(rows);
  if (mRowsTransfered.load() < length) {
    mRemainTransData = true;
    return 0;
  }
  mIsFinalLine = true;
  mRemainTransData = false;
  closePageReader();
  return static_cast<std::int16_t>(finishImage());
}
