// The image transfer loop: one run per "MSG_XFERREADY" pulls every image of the scan request
// in 1 MiB blocks into the save driver and tells the data source the end of saving once.
#include <chrono>
#include <new>

#include "foundation/RunTempFolder.h"
#include "foundation/RunLoop.h"
#include "launcher/AppDelegate.h"
#include "launcher/ProcessImageDialog.h"
#include "launcher/save/ICMSTR_CLASS.h"
#include "launcher/save/ISM_IMAGE_INFO.h"
#include "launcher/save/ISM_OPTION_INFO.h"
#include "launcher/save/ISM_XFORM_INFO.h"
#include "launcher/save/SMCodes.h"

namespace {

constexpr const char* kTransferStrings = "PictavoTrivo";
constexpr const char* kTransferMessages = "Message";
// The data source answering "a block" with no rows this many times in a row has stopped
// delivering: the image is given up rather than asked for ever.
constexpr int kEmptyBlockLimit = 1000;

}  // namespace

void Zorvik_AppDelegate::ntfXferReady(const fnd::Notification&) {
  // After the data source's post has returned.
  // At the next turn of the loop: the post has returned by then, and nothing is gained by
  // waiting longer.
  performLater(0, [this] { xferReady(); });
}

CMResult Zorvik_AppDelegate::imagePropertyFor(const DT_IMAGEINFO& info, SM_ImageProperty_Struct* property) {
  if (info.XResolution <= 0 || info.YResolution <= 0 || info.ImageWidth <= 0 || info.ImageLength <= 0 ||
      info.BitsPerPixel <= 0)
    return SM_ERR_IMAGE;
  std::uint32_t bitsPerSample = 0;
  std::uint32_t samplesPerPixel = 0;
  if (!SM_SampleLayoutForDepth(static_cast<std::uint32_t>(info.BitsPerPixel), &bitsPerSample, &samplesPerPixel))
    return SM_ERR_UNSUPPORTED;
  *property = SM_ImageProperty_Struct{static_cast<std::uint32_t>(info.ImageWidth),
                                      static_cast<std::uint32_t>(info.ImageLength),
                                      bitsPerSample,
                                      samplesPerPixel,
                                      static_cast<double>(info.XResolution),
                                      static_cast<double>(info.YResolution)};
  return CM_OK;
}

TW_IMAGEMEMXFER Zorvik_AppDelegate::presetTransferRecord(void* buffer) {
  TW_IMAGEMEMXFER x{};
  x.Compression = 0xFFFF;
  x.BytesPerRow = x.Columns = x.Rows = x.XOffset = x.YOffset = x.BytesWritten = 0xFFFFFFFF;
  x.Memory = TW_MEMORY{TWMF_APPOWNS | TWMF_POINTER, kBlockSize, buffer};
  return x;
}

void Zorvik_AppDelegate::waitForSaveWorkers(bool turnLoop) {
  if (!turnLoop) {
    // Woken by the driver when a worker finishes.
    mSaveModule.WaitForRunningWorkers(kWorkerWaitMs);
    return;
  }
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(kWorkerWaitMs);
  while (mSaveModule.GetRunningWorkerCount() > 0 && std::chrono::steady_clock::now() < deadline) {
    // A worker that ends wakes the loop; the poll interval only bounds a look.
    waitMainThreadForEvent(kPollSeconds);
  }
}

bool Zorvik_AppDelegate::finalJpegPassEnded() {
  // The end flag alone is set by the request itself before the worker takes the image up; the
  // image counts as finished only once its passes are over.
  return mSaveModule.GetEndXformFlag() && mSaveModule.GetFinishedImgCount() >= mSaveModule.GetTotalImgCount();
}

Zorvik_AppDelegate::JpegWaitEnd Zorvik_AppDelegate::waitForFinalJpeg() {
  auto workerFailed = [this] {
    m_SerchDeviceDlg->showProcessImageDialog("IDS_ERROR_01", kTransferMessages);
    return JpegWaitEnd::Failed;
  };
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(kWorkerWaitMs);
  for (;;) {
    if (finalJpegPassEnded()) {
      const CMResult check = checkSavePathAccess(m_SaveFilePath, 0);
      if (check == CM_ERR_FOLDER_NOT_WRITABLE || check == CM_ERR_NO_PERMISSION) return JpegWaitEnd::FolderRefused;
      if (mSaveModule.GetErrorMessage() != CM_OK) return workerFailed();
      if (check == CM_OK) return JpegWaitEnd::Saved;
      // Not there yet. With every image done and no worker left, it never will be.
      const bool idle = mSaveModule.GetRunningWorkerCount() == 0 &&
                        mSaveModule.GetFinishedImgCount() == mSaveModule.GetTotalImgCount();
      if (idle && !IsFile(m_SaveFilePath)) return JpegWaitEnd::Failed;
    } else if (mSaveModule.GetErrorMessage() != CM_OK) {
      return workerFailed();
    }
    if (isTerminating() || std::chrono::steady_clock::now() >= deadline) return JpegWaitEnd::Failed;
    // The save driver wakes the loop when its end flag or an error is set.
    waitMainThreadForEvent(kPollSeconds);
  }
}

void Zorvik_AppDelegate::xferReady() {
  if (!mDirectTWAIN) return;
  if (mTransferring) {
    // A run is under way (its waits turn the main loop): this request follows it.
    performLater(0.1, [this] { xferReady(); });
    return;
  }
  mTransferring = true;
  Zorvik_DataSourcePort& ds = *mDirectTWAIN;

  // Run start.
  ds.dtScannerSetupMemorySize(kBlockSize);
  std::unique_ptr<ICMSTR_CLASS> tempFolder;
  const std::string tempText = fnd::RunTempFolder::path();
  CM_CreateStringWithNSString(&tempFolder, &tempText, 1024);
  mSaveModule.SetTempFolderPath(tempFolder.get());

  bool failed = false;         // a transfer failed or was cancelled
  bool broken = false;         // ended by an error: the data source is told 2
  bool told = false;           // the data source was told the end of saving already
  bool cancelledRest = false;  // the remaining transfers were given up
  std::int32_t pending = 0;
  auto cancelRest = [&] {
    if (!cancelledRest) ds.dtScannerPendingTransfers(1);
    cancelledRest = true;
    pending = 0;
  };
  auto tellOnce = [&](std::int32_t status) {
    if (told) return;
    ds.dtScannerNotifyDidFinishSaving(status);
    told = true;
  };
  // An image that cannot be set up, written or closed: dropped, the rest given up, and the
  // user told that the image could not be saved.
  auto endWithError = [&] {
    mSaveModule.CancelXformImage();
    cancelRest();
    showLauncherMessage("IDS_ERROR_08", kTransferMessages);
    broken = true;
  };

  if (!mHasSaveSettings) {
    // Images without save settings have nowhere to go.
    endWithError();
  } else {
    do {
      DT_IMAGEINFO info{};
      ds.dtScannerGetImageInfo(&info);

      if (mFileIndexOver) {
        mSaveModule.CancelXformImage();
        cancelRest();
        showLauncherMessage("PVTO_ERROR_10", kTransferStrings, {fnd::Value(m_SaveFileName)});
        // The application closes the data source and ends once the run has told it.
        mCloseAfterRun = true;
        broken = true;
        break;
      }

      std::unique_ptr<std::uint8_t[]> buffer(new (std::nothrow) std::uint8_t[kBlockSize]());
      if (!buffer) {
        cancelRest();
        failed = true;
        break;
      }
      TW_IMAGEMEMXFER xfer = presetTransferRecord(buffer.get());
      std::unique_ptr<ISM_XFORM_INFO> xform;
      std::unique_ptr<ISM_IMAGE_INFO> image;
      SM_CreateXformInfo(&xform);
      SM_CreateImageInfo(&image);

      SM_ImageProperty_Struct property{};
      CMResult rc = xform && image ? imagePropertyFor(info, &property) : SM_ERR_CREATE;
      if (rc == CM_OK) rc = image->SetProperty(&property);
      if (rc != CM_OK) {
        endWithError();
        break;
      }
      m_RawImageProperty = property;

      changeSaveFileName();
      // The image's own final path: the driver deletes it when closing the image fails.
      image->SetOutputPath(&m_SaveFilePath);
      setFileFormat(xform.get());

      // A TIFF is written straight into its final file: the folder is checked first.
      if (mSaveFileFormat != 0) {
        const CMResult check = checkSavePathAccess(m_SaveFilePath, mSaveFileFormat);
        if (check == CM_ERR_FOLDER_NOT_WRITABLE || check == CM_ERR_NO_PERMISSION) {
          cancelRest();
          tellOnce(2);
          break;
        }
      }

      std::unique_ptr<ISM_XFORM_INFO> copy;
      rc = SM_CopyXformInfo(&copy, xform.get());
      if (rc == CM_OK) rc = mSaveModule.SetXformInfo(copy.get());
      if (rc == CM_OK) rc = mSaveModule.StartXformThread();
      if (rc == CM_OK) rc = mSaveModule.StartXformImage(image.get());
      if (rc != CM_OK) {
        endWithError();
        break;
      }

      // Block loop.
      std::int32_t code = TWRC_FAILURE;
      bool writeFailed = false;
      int emptyBlocks = 0;
      for (;;) {
        xfer.Memory = TW_MEMORY{TWMF_APPOWNS | TWMF_POINTER, kBlockSize, buffer.get()};
        code = ds.dtScannerImageMemoryTransfer(&xfer);
        if (code != TWRC_SUCCESS && code != TWRC_XFERDONE) break;
        if (mSaveModule.WriteImageLines(xfer.YOffset, xfer.Rows, xfer.BytesPerRow, kBlockSize, buffer.get()) !=
            CM_OK) {
          writeFailed = true;
          break;
        }
        if (code == TWRC_XFERDONE) break;
        emptyBlocks = xfer.Rows == 0 ? emptyBlocks + 1 : 0;
        if (emptyBlocks >= kEmptyBlockLimit) {
          code = TWRC_FAILURE;
          break;
        }
      }
      image.reset();

      if (writeFailed) {
        // Even the last block: an image with a failed write is never counted as saved.
        endWithError();
      } else if (code == TWRC_XFERDONE) {
        pending = ds.dtScannerPendingTransfers(0);
        if (pending <= 0) m_ProcDlg->showProcessImageDialog("PVTO_ERROR_14", kTransferStrings);
        std::unique_ptr<ISM_OPTION_INFO> option;
        rc = SM_CreateOptionInfo(&option);
        if (rc == CM_OK) {
          option->SetRotation(SM_ROTATE_0);
          option->SetOptionSwitch(SM_SWITCH_4081);
          rc = mSaveModule.EndXformImage(option.get());
        } else {
          mSaveModule.CancelXformImage();
        }
        if (rc == CM_OK && mSaveFileFormat == 0) {
          mSaveModule.SetEndXformFlag(0);
          copy->SetFormat(SM_FORMAT_TIFF, SM_FORMAT_JPEG_EXIF);
          rc = mSaveModule.SetXformInfo(copy.get());
          if (rc == CM_OK) rc = mSaveModule.StartFinalXformThread();
        }
        mSaveModule.EndXform();
        if (rc != CM_OK) {
          // The image could not be closed (its file is gone) or its final pass not started.
          endWithError();
          break;
        }
      } else {
        mSaveModule.CancelXformImage();
        cancelRest();
        failed = true;
      }
      copy.reset();
      buffer.reset();
      if (failed || broken) break;

      if (mSaveFileFormat == 0) {
        switch (waitForFinalJpeg()) {
          case JpegWaitEnd::Saved:
            break;
          case JpegWaitEnd::FolderRefused:
            cancelRest();
            tellOnce(2);
            break;
          case JpegWaitEnd::Failed:
            cancelRest();
            broken = true;
            break;
        }
        if (told || broken) break;
      }
    } while (pending > 0);
  }

  // Run end: no worker is left writing when the data source hears of it.
  m_ProcDlg->closeProcessImageDialog();
  tempFolder.reset();
  waitForSaveWorkers(true);
  if (!told) {
    if (broken) {
      m_SerchDeviceDlg->closeProcessImageDialog();
      tellOnce(2);
    } else if (!IsFile(m_SaveFilePath) && mSaveModule.GetEndXformFlag()) {
      cancelRest();
      tellOnce(2);
    } else if (mSaveModule.GetErrorMessage() != CM_OK) {
      m_SerchDeviceDlg->closeProcessImageDialog();
      tellOnce(2);
    } else {
      tellOnce(failed ? 1 : 0);
    }
  }
  mScanning = false;
  mTransferring = false;
  if (mCloseAfterRun) {
    mCloseAfterRun = false;
    mModal = false;
    closeRequest();
  }
}
