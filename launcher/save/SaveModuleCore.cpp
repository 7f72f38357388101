#include "launcher/save/SaveModuleCore.h"

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <new>
#include <vector>

#include "foundation/Bookmark.h"
#include "foundation/Paths.h"
#include "foundation/RunTempFolder.h"
#include "foundation/RunLoop.h"
#include "launcher/save/CMFileSystem.h"
#include "launcher/save/LineConvert.h"
#include "launcher/save/SMCodes.h"

namespace {

// How a delivered line becomes the line the writer takes.
enum class LineConversion {
  None,
  OneToGrey,       // 1-bit to 8-bit grey (bit 1 is white)
  OneToRgb,        // 1-bit to 8-bit RGB
  InvertBits,      // 1-bit, every bit inverted
  GreyToRgb,       // 8-bit grey to RGB
  SixteenToEight,  // 16-bit to 8-bit (high byte)
  SixteenToRgb,    // 16-bit grey to 8-bit RGB
  SwapRedBlue,     // 24-bit, red and blue swapped
  ReduceRgb,       // 48-bit to 24-bit (high bytes)
  ReduceSwapRgb,   // 48-bit to 24-bit, red and blue swapped
};

// Target row bytes and conversion for a depth and the writer's output format; false for a
// depth other than 1, 8, 16, 24, 48.
bool PlanLines(std::uint32_t depth, std::uint32_t m, std::uint64_t w, std::uint64_t* rowBytes, LineConversion* conv) {
  const bool noFile = SM_IsRefusedOutput(m) || m == SM_FORMAT_NONE;
  switch (depth) {
    case 1:
      if (m == SM_FORMAT_JPEG) *rowBytes = w, *conv = LineConversion::OneToGrey;
      else if (m == SM_FORMAT_JPEG_EXIF) *rowBytes = 3 * w, *conv = LineConversion::OneToRgb;
      else *rowBytes = (w + 7) / 8, *conv = noFile ? LineConversion::InvertBits : LineConversion::None;
      return true;
    case 8:
      if (m == SM_FORMAT_JPEG_EXIF) *rowBytes = 3 * w, *conv = LineConversion::GreyToRgb;
      else *rowBytes = w, *conv = LineConversion::None;
      return true;
    case 16:
      if (m == SM_FORMAT_JPEG || m == SM_FORMAT_PICT || noFile) *rowBytes = w, *conv = LineConversion::SixteenToEight;
      else if (m == SM_FORMAT_JPEG_EXIF) *rowBytes = 3 * w, *conv = LineConversion::SixteenToRgb;
      else *rowBytes = 2 * w, *conv = LineConversion::None;
      return true;
    case 24:
      *rowBytes = 3 * w;
      *conv = noFile ? LineConversion::SwapRedBlue : LineConversion::None;
      return true;
    case 48:
      if (m == SM_FORMAT_JPEG || m == SM_FORMAT_JPEG_EXIF) *rowBytes = 3 * w, *conv = LineConversion::ReduceRgb;
      else if (m == SM_FORMAT_PICT || noFile) *rowBytes = 3 * w, *conv = LineConversion::ReduceSwapRgb;
      else *rowBytes = 6 * w, *conv = LineConversion::None;
      return true;
    default:
      return false;
  }
}

// Packed bytes of a delivered line of the depth.
std::uint64_t SourceRowBytes(std::uint32_t depth, std::uint64_t w) {
  return depth == 1 ? (w + 7) / 8 : w * (depth / 8);
}

// One line of srcBytes packed bytes (its padding left out) into dst, through the pixel-line
// conversions; 16-bit samples are little-endian.
CMResult ConvertLine(LineConversion conv, const std::uint8_t* src, std::uint64_t srcBytes, std::uint8_t* dst,
                     std::uint64_t w, std::uint64_t rowBytes) {
  switch (conv) {
    case LineConversion::None:
      return CM_ConvertLine8(src, srcBytes, dst, rowBytes, false);
    case LineConversion::OneToGrey:
      return CM_ConvertLine1(src, srcBytes, dst, rowBytes, w, false, true, false, false);
    case LineConversion::OneToRgb:
      return CM_ConvertLine1(src, srcBytes, dst, rowBytes, w, true, false, false, false);
    case LineConversion::InvertBits:
      return CM_ConvertLine1(src, srcBytes, dst, rowBytes, w, false, false, true, false);
    case LineConversion::GreyToRgb:
      return CM_ConvertLine8(src, srcBytes, dst, rowBytes, true);
    case LineConversion::SixteenToEight:
      return CM_ConvertLine16(src, srcBytes, dst, rowBytes, true, false);
    case LineConversion::SixteenToRgb:
      return CM_ConvertLine16(src, srcBytes, dst, rowBytes, true, true);
    case LineConversion::SwapRedBlue:
      return CM_ConvertLine24(src, srcBytes, dst, rowBytes, false, true);
    case LineConversion::ReduceRgb:
      return CM_ConvertLine48(src, srcBytes, dst, rowBytes, true, false);
    case LineConversion::ReduceSwapRgb:
      return CM_ConvertLine48(src, srcBytes, dst, rowBytes, true, true);
  }
  return SM_ERR_BAD_SIZE;
}

void RemoveIfThere(const std::string& path) {
  if (!path.empty()) CM_RemoveFile(&path);
}

}  // namespace

SaveModuleCore::SaveModuleCore() {
  CM_CreateString(&m_wszTempFolderPath, 1024);
  CM_CreateString(&m_wszDicFolderPath, 1024);
  CM_CreateMutex(&m_mxTotalImgCount);
  CM_CreateMutex(&m_mxFinishedImgCount);
  CM_CreateMutex(&m_mxEndXformFlag);
  CM_CreateMutex(&m_mxErrorMessage);
  CM_CreateMutex(&m_mxQueue);
}

SaveModuleCore::~SaveModuleCore() {
  Terminate();
  if (!m_WorkerThreads.empty()) {
    // Terminate gave up on a worker still in a pass: it was asked to stop, and leaves at its
    // next cancellation point. Nothing it uses may go before it has.
    m_bStopWorkers = true;
    Signal();
    for (CMThreadStruct* record : m_WorkerThreads) CM_CancelThread(record);
    WaitForWorkers(CM_WAIT_FOREVER);
  }
}

CMResult SaveModuleCore::Initialize() {
  return CM_Guard([&]() -> CMResult {
    for (auto* mutex : {&m_mxTotalImgCount, &m_mxFinishedImgCount, &m_mxEndXformFlag, &m_mxErrorMessage, &m_mxQueue})
      if (!*mutex && CM_CreateMutex(mutex) != CM_OK) CM_ThrowIfError(SM_ERR_CREATE);
    for (auto* text : {&m_wszTempFolderPath, &m_wszDicFolderPath})
      if (!*text && CM_CreateString(text, 1024) != CM_OK) CM_ThrowIfError(SM_ERR_CREATE);
    // Workers read the slots: they go first.
    m_bStopWorkers = false;
    SetEndXformFlag(1);
    CM_ThrowIfError(WaitForWorkers(kWorkerWaitMs));
    CM_ThrowIfError(m_ImageXformer.Initialize());
    CM_ThrowIfError(m_LargeTiffXformer.Initialize());
    CloseOpenImage();
    m_pXformInfo.reset();
    if (m_wszTempFolderPath->GetNSString()->empty()) {
      std::string folder = fnd::RunTempFolder::path();
      m_wszTempFolderPath->SetNSString(&folder);
      m_wszTempFolderPath->AddPathSeparator();
    }
    // Temporary files of images that never finished (an earlier run) go too.
    ReleaseAllSlots();
    m_QueuedSlots.clear();
    m_ImageXformer.SetTempFolderPath(m_wszTempFolderPath->GetNSString());
    SetEndXformFlag(1);
    m_uiErrorMessage = 0;
    m_uiTotalImgCount = 0;
    m_uiFinishedImgCount = 0;
    return CM_OK;
  });
}

CMResult SaveModuleCore::Terminate() {
  return CM_Guard([&]() -> CMResult {
    SetEndXformFlag(1);
    m_bStopWorkers = true;
    Signal();
    CMResult waited = WaitForWorkers(kWorkerWaitMs);
    if (waited != CM_OK) {
      for (CMThreadStruct* record : m_WorkerThreads) CM_CancelThread(record);
      CM_ThrowIfError(waited);
    }
    m_bStopWorkers = false;
    if (m_bImageOpen) CancelXformImage();
    ReleaseAllSlots();
    m_QueuedSlots.clear();
    m_pXformInfo.reset();
    m_ImageXformer.Terminate();
    m_LargeTiffXformer.Terminate();
    m_uiErrorMessage = 0;
    m_fileName.clear();
    m_filePath.clear();
    m_bookmark.clear();
    m_pfPath.reset();
    return CM_OK;
  });
}

CMResult SaveModuleCore::SetTempFolderPath(const ICMSTR_CLASS* folder) {
  return CM_Guard([&]() -> CMResult {
    if (!folder || !folder->GetNSString()) CM_ThrowIfError(SM_ERR_NO_XFORM);
    if (!m_wszTempFolderPath) CM_ThrowIfError(SM_ERR_CREATE);
    CM_ThrowIfError(m_wszTempFolderPath->SetNSString(folder->GetNSString()));
    CM_ThrowIfError(m_wszTempFolderPath->AddPathSeparator());
    CM_ThrowIfError(m_ImageXformer.SetTempFolderPath(m_wszTempFolderPath->GetNSString()));
    // A new scan request: an error of an earlier request must not fail this one.
    pthread_mutex_lock(&m_mxErrorMessage->handle);
    m_uiErrorMessage = 0;
    pthread_mutex_unlock(&m_mxErrorMessage->handle);
    return CM_OK;
  });
}

CMResult SaveModuleCore::SetXformInfo(const ISM_XFORM_INFO* xform) {
  return CM_Guard([&]() -> CMResult {
    if (!xform) CM_ThrowIfError(SM_ERR_NO_XFORM);
    std::unique_ptr<ISM_XFORM_INFO> copy;
    CM_ThrowIfError(SM_CopyXformInfo(&copy, xform));
    m_pXformInfo = std::move(copy);
    return CM_OK;
  });
}

CMResult SaveModuleCore::SetSaveFileInfo(const std::string* fileName, const std::string* filePath,
                                         const std::string* bookmarkPath, std::uint32_t writerFormat,
                                         std::uint32_t compression, std::uint32_t colorSetting,
                                         const std::string* profilePath) {
  return CM_Guard([&]() -> CMResult {
    if (!fileName || fileName->empty() || !filePath || filePath->empty()) CM_ThrowIfError(SM_ERR_NO_XFORM);
    m_fileName = *fileName;
    m_filePath = *filePath;
    m_bookmark = bookmarkPath ? *bookmarkPath : std::string();
    m_saveFileFormat = writerFormat;
    m_compression = compression;
    m_colorSetting = colorSetting;
    CM_ThrowIfError(m_ImageXformer.SetColorSetting(colorSetting, profilePath));
    m_pfPath = profilePath && !profilePath->empty() ? std::make_unique<std::string>(*profilePath) : nullptr;
    m_FinalFormat = 0xFFFF;
    return CM_OK;
  });
}

bool SaveModuleCore::SlotInUse(std::uint32_t slot) const {
  return m_SlotBusy[slot].load() || m_wszOutFileArray[slot] || m_wszTmpFileArray[slot] || m_OptionInfoArray[slot];
}

CMResult SaveModuleCore::StartXformImage(const ISM_IMAGE_INFO* image) {
  bool opened = false;
  std::uint32_t slot = 0;
  std::string writerPath;  // the file the writer was opened on
  bool writesFinalFile = false;
  CMResult rc = CM_Guard([&]() -> CMResult {
    if (!image || !image->GetProperty() || !image->GetOutputPath()) CM_ThrowIfError(SM_ERR_NO_XFORM);
    if (!m_pXformInfo || m_bImageOpen) CM_ThrowIfError(SM_ERR_XFORM_OPEN);
    slot = GetTotalImgCount() % kSlotCount;
    if (m_pXformInfo->GetInFormat() != SM_FORMAT_RAW || SM_IsRefusedOutput(m_pXformInfo->GetOutFormat()))
      CM_ThrowIfError(SM_ERR_UNSUPPORTED);
    // Lines of a resize request would go nowhere and the image would count as saved.
    if (m_pXformInfo->GetSwitch1() == SM_SWITCH_4080 || m_pXformInfo->GetSwitch2() == SM_SWITCH_4080)
      CM_ThrowIfError(SM_ERR_UNSUPPORTED);
    if (SlotInUse(slot)) CM_ThrowIfError(SM_ERR_NO_XFORM);
    // From here the slot is this image's: a failure frees it again.
    m_SlotBusy[slot] = true;
    opened = true;
    m_uiOpenSlot = slot;

    m_RawImageProperty = *image->GetProperty();
    const std::uint32_t depth = m_RawImageProperty.uiBitsPerSample * m_RawImageProperty.uiSamplePerPixel;
    std::uint64_t rowBytes = 0;
    LineConversion conv{};
    if (!PlanLines(depth, SM_FORMAT_TIFF, m_RawImageProperty.uiImageWidth, &rowBytes, &conv))
      CM_ThrowIfError(SM_ERR_UNSUPPORTED);

    const bool large = m_saveFileFormat == SM_FORMAT_LARGE_TIFF;
    if (large) {
      CM_ThrowIfError(m_LargeTiffXformer.Initialize());
    } else {
      CM_ThrowIfError(m_ImageXformer.Initialize());
      CM_ThrowIfError(m_ImageXformer.SetTempFolderPath(m_wszTempFolderPath->GetNSString()));
    }
    // Security-scoped access to the save folder outlasts the image and its passes.
    if (!m_bookmark.empty() && m_bookmark.rfind(fnd::Paths::picturesDir(), 0) != 0)
      fnd::Bookmark::startAccessingSecurityScopedResource(m_bookmark);

    std::unique_ptr<ISM_XFORM_INFO> xform;
    CM_ThrowIfError(SM_CopyXformInfo(&xform, m_pXformInfo.get()));
    std::unique_ptr<ISM_IMAGE_INFO> copy;
    CM_ThrowIfError(SM_CopyImageInfo(&copy, image));
    bool needsFinalName = false;
    Route route = Route::Final;
    std::string outputPath;
    std::unique_ptr<ICMSTR_CLASS> extension;
    if (ICMSTR_CLASS* path = image->GetOutputPathString()) extension = path->GetPathExtension();
    if (m_saveFileFormat == SM_FORMAT_TIFF && extension && *extension->GetNSString() == "jpg") {
      // A JPEG is first written as a temporary TIFF; the workers make the final file.
      outputPath = TempTiffPath(slot);
      CM_ThrowIfError(CreateFileName(slot, 2));
      CM_ThrowIfError(m_wszTmpFileArray[slot]->SetNSString(&outputPath));
      xform->SetFormat(SM_FORMAT_RAW, SM_FORMAT_TIFF);
      needsFinalName = true;
      route = Route::TiffToJpeg;
    } else if (m_saveFileFormat == SM_FORMAT_TIFF) {
      outputPath = *image->GetOutputPath();
      xform->SetFormat(SM_FORMAT_RAW, SM_FORMAT_TIFF);
    } else if (large) {
      outputPath = *image->GetOutputPath();
      xform->SetFormat(SM_FORMAT_RAW, SM_FORMAT_LARGE_TIFF);
    } else if (m_pXformInfo->GetOutFormat() == SM_FORMAT_JPEG_EXIF) {
      // A JPEG to be finished by the EXIF pass: written as a JPEG (grey as RGB), so that the
      // temporary file is what its name says. A TIFF under this name would need the
      // tmp-to-output pass, whose output is this same name and which then deletes its input.
      outputPath = TempExifPath(slot);
      CM_ThrowIfError(CreateFileName(slot, 2));
      CM_ThrowIfError(m_wszTmpFileArray[slot]->SetNSString(&outputPath));
      xform->SetFormat(SM_FORMAT_RAW, SM_FORMAT_JPEG_EXIF);
      needsFinalName = true;
      route = Route::ExifOnly;
    } else {
      outputPath = *image->GetOutputPath();
    }
    CM_ThrowIfError(copy->SetOutputPath(&outputPath));
    // The lines go to the writer opened here, whatever the transform record says later.
    m_OpenWriter = large ? OpenWriter::LargeTiff : OpenWriter::Image;
    writerPath = outputPath;
    // The final name was free when the image was given it; a file that takes it meanwhile is
    // someone else's, and the image's file never replaces it. Temporary files are rewritten.
    writesFinalFile = route == Route::Final;
    m_LargeTiffXformer.SetKeepsExistingOutput(writesFinalFile);
    m_ImageXformer.SetKeepsExistingOutput(writesFinalFile);
    CM_ThrowIfError(large ? m_LargeTiffXformer.StartXform(xform.get(), copy.get())
                          : m_ImageXformer.StartXform(xform.get(), copy.get()));
    if (needsFinalName) {
      CM_ThrowIfError(CreateFileName(slot, 1));
      CM_ThrowIfError(m_wszOutFileArray[slot]->SetNSString(image->GetOutputPath()));
    }
    m_SlotRoute[slot] = route;
    m_bImageOpen = true;
    m_uiLinesWritten = 0;
    m_uiWriterOutFormat = xform->GetOutFormat();
    m_OpenOutputPath = outputPath;
    return CM_OK;
  });
  if (rc != CM_OK && opened) {
    AbortOpenWriter();
    // A temporary file may have been begun; what is at a final name is not this image's (its
    // writers put nothing there before the image ends).
    if (!writesFinalFile) RemoveIfThere(writerPath);
    ReleaseSlot(slot, true, nullptr);
    CloseOpenImage();
  }
  return rc;
}

CMResult SaveModuleCore::WriteImageLines(std::uint32_t yOffset, std::uint32_t rows, std::uint32_t bytesPerRow,
                                         std::uint64_t blockSize, const void* data) {
  CMResult rc = CM_Guard([&]() -> CMResult {
    if (!m_bImageOpen) CM_ThrowIfError(SM_ERR_NO_XFORM);
    if (rows == 0) return CM_OK;
    if (!data) CM_ThrowIfError(SM_ERR_BAD_SIZE);
    const SM_ImageProperty_Struct& p = m_RawImageProperty;
    const std::uint32_t depth = p.uiBitsPerSample * p.uiSamplePerPixel;
    // In line order, inside the image and inside the block.
    if (yOffset != m_uiLinesWritten || std::uint64_t(yOffset) + rows > p.uiImageLength ||
        std::uint64_t(bytesPerRow) * rows > blockSize)
      CM_ThrowIfError(SM_ERR_BAD_SIZE);
    std::uint64_t target = 0;
    LineConversion conv{};
    if (!PlanLines(depth, m_uiWriterOutFormat, p.uiImageWidth, &target, &conv)) CM_ThrowIfError(SM_ERR_UNSUPPORTED);
    if (bytesPerRow < SourceRowBytes(depth, p.uiImageWidth)) CM_ThrowIfError(SM_ERR_BAD_SIZE);

    const std::uint8_t* lines = static_cast<const std::uint8_t*>(data);
    // Lines that need no conversion go to the writer as they lie, padding and all: its own
    // copy of the block drops the padding, so a padded block is copied once.
    std::uint64_t stride = bytesPerRow;
    std::unique_ptr<std::uint8_t[]> converted;
    if (conv != LineConversion::None) {
      stride = target;
      converted.reset(new (std::nothrow) std::uint8_t[target * rows]);
      if (!converted) CM_ThrowIfError(SM_ERR_CREATE);
      const std::uint64_t packed = SourceRowBytes(depth, p.uiImageWidth);
      for (std::uint32_t y = 0; y < rows; ++y)
        CM_ThrowIfError(ConvertLine(conv, lines + std::uint64_t(y) * bytesPerRow, packed, converted.get() + y * target,
                                    p.uiImageWidth, target));
      lines = converted.get();
    }
    const bool writesFile = !(SM_IsRefusedOutput(m_uiWriterOutFormat) || m_uiWriterOutFormat == SM_FORMAT_NONE);
    if (writesFile && m_OpenWriter == OpenWriter::Image)
      CM_ThrowIfError(m_ImageXformer.WriteLines(yOffset, rows, std::uint32_t(target), target * rows, lines, stride));
    else if (writesFile && m_OpenWriter == OpenWriter::LargeTiff)
      CM_ThrowIfError(m_LargeTiffXformer.WriteLines(rows, stride, lines));
    m_uiLinesWritten += rows;
    return CM_OK;
  });
  if (rc != CM_OK) SetErrorMessage(rc);
  return rc;
}

CMResult SaveModuleCore::EndXformImage(const ISM_OPTION_INFO* option) {
  return CM_Guard([&]() -> CMResult {
    if (!m_bImageOpen) CM_ThrowIfError(SM_ERR_NO_XFORM);
    const std::uint32_t slot = m_uiOpenSlot;
    CMResult rc = CM_OK;
    if (m_pXformInfo && SM_IsRefusedOutput(m_pXformInfo->GetOutFormat())) rc = SM_ERR_UNSUPPORTED;
    if (rc == CM_OK && option) {
      m_OptionInfoArray[slot].reset();
      rc = SM_CopyOptionInfo(&m_OptionInfoArray[slot], option);
    }
    if (rc == CM_OK && !m_OptionInfoArray[slot]) rc = SM_ERR_OPTION_COPY1;
    if (rc != CM_OK) SetErrorMessage(rc);

    // Close the writer; an image with lines missing cannot be finished.
    if (m_uiLinesWritten != m_RawImageProperty.uiImageLength) {
      AbortOpenWriter();
      SetErrorMessage(SM_ERR_NO_LINES);
    } else if (m_OpenWriter == OpenWriter::LargeTiff) {
      // A grey image carries the profile only with device colour (setting 2), a colour image
      // with any colour setting.
      const std::uint32_t depth = m_RawImageProperty.uiBitsPerSample * m_RawImageProperty.uiSamplePerPixel;
      const bool grey = depth == 8 || depth == 16;
      const bool withProfile = grey ? m_colorSetting == 2 : m_colorSetting != 0;
      if (!withProfile) m_pfPath.reset();
      CMResult closed = m_LargeTiffXformer.EndXform(withProfile ? m_pfPath.get() : nullptr);
      if (closed != CM_OK) SetErrorMessage(closed);
    } else {
      CMResult closed = m_ImageXformer.EndXform();
      if (closed != CM_OK) SetErrorMessage(closed);
    }

    const Route route = m_SlotRoute[slot];
    CMResult recorded = GetErrorMessage();
    if (recorded == CM_OK) {
      IncTotalImgCount();
      if (route == Route::Final) {
        // Nothing more to do for this image: its file is final.
        ReleaseSlot(slot, false, nullptr);
        IncFinishedImgCount();
      } else {
        pthread_mutex_lock(&m_mxQueue->handle);
        m_QueuedSlots.push_back(slot);
        pthread_mutex_unlock(&m_mxQueue->handle);
        Signal();
      }
    } else {
      // Nothing of a failed image stays: not its final file, not its temporary files. A file
      // at its final name that the image did not write (a JPEG's final file is written only
      // later) is someone else's and stays.
      RemoveOpenImageFile();
      ReleaseSlot(slot, true, nullptr);
    }
    CloseOpenImage();
    return recorded;
  });
}

CMResult SaveModuleCore::CancelXformImage() {
  CMResult rc = CM_Guard([&]() -> CMResult {
    if (!m_pXformInfo || !m_bImageOpen) return CM_OK;
    const std::uint32_t slot = m_uiOpenSlot;
    CMResult aborted = AbortOpenWriter();
    // A dropped image leaves no file behind (and takes none that is not its own).
    RemoveOpenImageFile();
    ReleaseSlot(slot, true, nullptr);
    CloseOpenImage();
    return aborted;
  });
  if (rc != CM_OK) SetErrorMessage(rc);
  return rc;
}

CMResult SaveModuleCore::EndXform() {
  SetEndXformFlag(1);
  if (m_pXformInfo && SM_IsRefusedOutput(m_pXformInfo->GetOutFormat())) return SM_ERR_UNSUPPORTED;
  return CM_OK;
}

void SaveModuleCore::RemoveOpenImageFile() {
  if (m_SlotRoute[m_uiOpenSlot] != Route::Final) {
    RemoveIfThere(m_OpenOutputPath);
    return;
  }
  const bool written = m_OpenWriter == OpenWriter::LargeTiff ? m_LargeTiffXformer.OutputWritten()
                                                              : m_ImageXformer.OutputWritten();
  if (written) RemoveIfThere(m_OpenOutputPath);
}

CMResult SaveModuleCore::AbortOpenWriter() {
  CMResult rc = m_OpenWriter == OpenWriter::LargeTiff ? m_LargeTiffXformer.AbortXform() : m_ImageXformer.AbortXform();
  // Nothing open is nothing to abort.
  return rc == SM_ERR_NO_XFORM ? CM_OK : rc;
}

void SaveModuleCore::CloseOpenImage() {
  m_bImageOpen = false;
  m_OpenWriter = OpenWriter::None;
  m_uiLinesWritten = 0;
  m_uiWriterOutFormat = 0;
  m_OpenOutputPath.clear();
}

void SaveModuleCore::ReleaseSlot(std::uint32_t slot, bool deleteTemporaries, const ICMSTR_CLASS* tempFolder) {
  if (slot > kSlotCount) return;
  if (deleteTemporaries && slot < kSlotCount) {
    if (m_wszTmpFileArray[slot]) RemoveIfThere(*m_wszTmpFileArray[slot]->GetNSString());
    const ICMSTR_CLASS* folder = tempFolder ? tempFolder : m_wszTempFolderPath.get();
    if (folder && folder->GetNSString() && !folder->GetNSString()->empty())
      for (const char* format : {kTempTiffName, kTempExifName, kTempRotateName})
        RemoveIfThere(SlotTempPath(folder, format, slot));
  }
  ReleaseOutFileName(slot);
  ReleaseTmpFileName(slot);
  ReleaseOptionInfo(slot);
  if (slot < kSlotCount) m_SlotBusy[slot] = false;
}

void SaveModuleCore::ReleaseAllSlots() {
  for (std::uint32_t i = 0; i <= kSlotCount; ++i) {
    if (m_wszTmpFileArray[i]) RemoveIfThere(*m_wszTmpFileArray[i]->GetNSString());
    ReleaseSlot(i, false, nullptr);
  }
  // Every slot's temporary names in one listing of the folder rather than 3000 look-ups: the
  // same files go, and start-up does not pay a file-system call per name.
  const std::string* folder = CM_TextOf(m_wszTempFolderPath.get());
  if (!folder || folder->empty()) return;
  std::error_code ec;
  std::vector<std::string> stale;
  for (std::filesystem::directory_iterator it(*folder, ec), end; !ec && it != end; it.increment(ec)) {
    const std::string name = it->path().filename().string();
    if (name.size() != 17 || name.compare(0, 8, "PVTO_tmp") != 0) continue;
    const std::string digits = name.substr(10, 3);
    if (digits.find_first_not_of("0123456789") != std::string::npos) continue;
    for (const char* format : {kTempTiffName, kTempExifName, kTempRotateName})
      if (name == SlotTempPath(nullptr, format, unsigned(std::stoul(digits)))) stale.push_back(*folder + name);
  }
  for (const std::string& path : stale) RemoveIfThere(path);
}

CMResult SaveModuleCore::SetEndXformFlag(std::uint8_t flag) {
  if (!m_mxEndXformFlag) return SM_ERR_CREATE;
  pthread_mutex_lock(&m_mxEndXformFlag->handle);
  m_bEndXformFlag = flag;
  pthread_mutex_unlock(&m_mxEndXformFlag->handle);
  if (flag != 0) Signal();
  return CM_OK;
}

std::uint8_t SaveModuleCore::GetEndXformFlag() const {
  if (!m_mxEndXformFlag) return m_bEndXformFlag;
  pthread_mutex_lock(&m_mxEndXformFlag->handle);
  std::uint8_t flag = m_bEndXformFlag;
  pthread_mutex_unlock(&m_mxEndXformFlag->handle);
  return flag;
}

CMResult SaveModuleCore::GetErrorMessage() const {
  std::uint32_t code = 0;
  LockedRead(m_mxErrorMessage, m_uiErrorMessage, &code);
  return code;
}

CMResult SaveModuleCore::SetErrorMessage(CMResult code) {
  if (!m_mxErrorMessage) return SM_ERR_CREATE;
  pthread_mutex_lock(&m_mxErrorMessage->handle);
  if (m_uiErrorMessage == 0) m_uiErrorMessage = code;
  pthread_mutex_unlock(&m_mxErrorMessage->handle);
  Signal();
  return CM_OK;
}

void SaveModuleCore::Signal() {
  {
    std::lock_guard guard(m_SignalMutex);
    ++m_uiSignalCount;
  }
  m_Signal.notify_all();
  // The transfer loop waits on the main run loop.
  fnd::RunLoop::main().wakeUp();
}

std::uint64_t SaveModuleCore::SignalCount() const {
  std::lock_guard guard(m_SignalMutex);
  return m_uiSignalCount;
}

void SaveModuleCore::WaitForSignal(std::uint64_t seen, std::uint32_t timeoutMs) const {
  std::unique_lock guard(m_SignalMutex);
  m_Signal.wait_for(guard, std::chrono::milliseconds(timeoutMs), [&] { return m_uiSignalCount != seen; });
}

CMResult SaveModuleCore::LockedRead(const std::unique_ptr<CMMutex>& mutex, const std::uint32_t& value,
                                    std::uint32_t* out) const {
  if (!mutex) {
    *out = value;
    return SM_ERR_CREATE;
  }
  pthread_mutex_lock(&mutex->handle);
  *out = value;
  pthread_mutex_unlock(&mutex->handle);
  return CM_OK;
}

std::uint32_t SaveModuleCore::GetTotalImgCount() const {
  std::uint32_t n = 0;
  LockedRead(m_mxTotalImgCount, m_uiTotalImgCount, &n);
  return n;
}

CMResult SaveModuleCore::IncTotalImgCount() {
  if (!m_mxTotalImgCount) return SM_ERR_CREATE;
  pthread_mutex_lock(&m_mxTotalImgCount->handle);
  ++m_uiTotalImgCount;
  pthread_mutex_unlock(&m_mxTotalImgCount->handle);
  return CM_OK;
}

std::uint32_t SaveModuleCore::GetFinishedImgCount() const {
  std::uint32_t n = 0;
  LockedRead(m_mxFinishedImgCount, m_uiFinishedImgCount, &n);
  return n;
}

CMResult SaveModuleCore::IncFinishedImgCount() {
  if (!m_mxFinishedImgCount) return SM_ERR_CREATE;
  pthread_mutex_lock(&m_mxFinishedImgCount->handle);
  ++m_uiFinishedImgCount;
  pthread_mutex_unlock(&m_mxFinishedImgCount->handle);
  return CM_OK;
}

ICMSTR_CLASS* SaveModuleCore::GetOutFileName(std::uint32_t index) {
  if (index >= kSlotCount) {
    SetErrorMessage(SM_ERR_BAD_COUNT);
    return m_wszOutFileArray[kSlotCount].get();
  }
  return m_wszOutFileArray[index].get();
}

ICMSTR_CLASS* SaveModuleCore::GetTmpFileName(std::uint32_t index) {
  if (index >= kSlotCount) {
    SetErrorMessage(SM_ERR_BAD_COUNT);
    return m_wszTmpFileArray[kSlotCount].get();
  }
  return m_wszTmpFileArray[index].get();
}

ISM_OPTION_INFO* SaveModuleCore::GetOptionInfo(std::uint32_t index) {
  if (index >= kSlotCount) {
    SetErrorMessage(SM_ERR_BAD_COUNT);
    return nullptr;
  }
  return m_OptionInfoArray[index].get();
}

CMResult SaveModuleCore::CreateFileName(std::uint32_t index, std::uint32_t kind) {
  if (kind == 3) return CM_OK;
  if (kind != 1 && kind != 2) return SM_ERR_BAD_SIZE;
  if (index > kSlotCount) return SM_ERR_BAD_COUNT;
  auto& slot = kind == 1 ? m_wszOutFileArray[index] : m_wszTmpFileArray[index];
  if (slot) return SM_ERR_NO_XFORM;
  if (CM_CreateString(&slot, 1024) != CM_OK) return kind == 1 ? SM_ERR_NAME_CREATE1 : SM_ERR_NAME_CREATE2;
  return CM_OK;
}

CMResult SaveModuleCore::ReleaseOutFileName(std::uint32_t index) {
  if (index > kSlotCount) return SM_ERR_BAD_COUNT;
  if (m_wszOutFileArray[index]) CM_ReleaseString(&m_wszOutFileArray[index]);
  return CM_OK;
}

CMResult SaveModuleCore::ReleaseTmpFileName(std::uint32_t index) {
  if (index > kSlotCount) return SM_ERR_BAD_COUNT;
  if (m_wszTmpFileArray[index]) CM_ReleaseString(&m_wszTmpFileArray[index]);
  return CM_OK;
}

CMResult SaveModuleCore::ReleaseOptionInfo(std::uint32_t index) {
  if (index > kSlotCount) return SM_ERR_BAD_COUNT;
  if (m_OptionInfoArray[index]) SM_ReleaseOptionInfo(&m_OptionInfoArray[index]);
  return CM_OK;
}

CMResult SaveModuleCore::GetXformType(std::uint32_t* pair) const {
  if (!m_pXformInfo) return SM_ERR_XFORM_OPEN;
  if (!pair) return SM_ERR_NO_XFORM;
  *pair = m_pXformInfo->GetFormatPair();
  return CM_OK;
}

CMResult SaveModuleCore::SetExifOptionInfo(const ISM_XFORM_INFO* xform, ISM_OPTION_INFO* option) const {
  return CM_Guard([&]() -> CMResult {
    if (!xform || !option) CM_ThrowIfError(SM_ERR_NO_XFORM);
    const std::string maker = "Vantrel";
    CM_ThrowIfError(option->SetMakerName(&maker));
    if (const std::string* app = xform->GetAppName()) CM_ThrowIfError(option->SetAppName(app));
    if (const std::string* device = xform->GetDeviceName()) CM_ThrowIfError(option->SetDeviceName(device));
    return CM_OK;
  });
}

std::string SaveModuleCore::TempTiffPath(std::uint32_t slot) const {
  return SlotTempPath(m_wszTempFolderPath.get(), kTempTiffName, slot);
}

std::string SaveModuleCore::TempExifPath(std::uint32_t slot) const {
  return SlotTempPath(m_wszTempFolderPath.get(), kTempExifName, slot);
}

std::string SaveModuleCore::TempRotatePath(std::uint32_t slot) const {
  return SlotTempPath(m_wszTempFolderPath.get(), kTempRotateName, slot);
}

std::string SaveModuleCore::SlotTempPath(const ICMSTR_CLASS* folder, const char* format, std::uint32_t slot) {
  char name[64];
  std::snprintf(name, sizeof name, format, unsigned(slot % kSlotCount));
  const std::string* text = CM_TextOf(folder);
  return (text ? *text : std::string()) + name;
}
