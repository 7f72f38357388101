#pragma once

// The save driver of the launcher's scans. The transfer loop hands it one image at a time:
// StartXformImage opens a writer for the image, WriteImageLines takes its memory blocks,
// EndXformImage closes it (or CancelXformImage drops it). An image saved as TIFF is then in
// its final file and counted finished at once; an image saved as JPEG is first written as a
// temporary TIFF and queued for the driver's worker threads, which run its later passes and
// write the final JPEG. The transfer loop polls the end flag, the counters and the first error.
//
// Per image slot (total count at the start of the image, modulo 1000) the driver keeps the
// final and temporary file names and the option record; a slot is freed when its image is
// done, so slots are reused indefinitely.
//
// Every operation answers a save-pipeline code (CMError.h) and throws nothing.
//
// Threads: every operation runs on the main thread except the worker bodies. Workers are
// started only through StartXformThread / StartFinalXformThread, so the driver knows each of
// them and waits for all before it is reinitialised, terminated or destroyed. Each queued
// image is claimed by exactly one worker.

#include <array>
#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <list>
#include <memory>
#include <mutex>
#include <string>

#include "launcher/save/CMError.h"
#include "launcher/save/CMThread.h"
#include "launcher/save/ICMSTR_CLASS.h"
#include "launcher/save/ISM_IMAGE_INFO.h"
#include "launcher/save/ISM_OPTION_INFO.h"
#include "launcher/save/ISM_XFORM_INFO.h"
#include "launcher/save/ImageToImageXform.h"
#include "launcher/save/LargeTiffXform.h"
#include "launcher/save/SM_ImageProperty_Struct.h"

class SaveModuleCore {
 public:
  static constexpr std::uint32_t kSlotCount = 1000;
  static constexpr std::uint32_t kWorkerWaitMs = 180000;

  // A file pass a queued JPEG image still needs, run on a worker thread with a private
  // transform writer (set up with the temporary folder, colour setting and profile): xform
  // carries the format pair, compression and names; image the input and output paths; option
  // the image's option record. By default the conversion pass (temporary TIFF to temporary
  // JPEG, RunConversionPass) and the EXIF JPEG pass (RunExifJpegPass); tests put stand-ins in
  // their place. An empty pass stops the chain with 0xACA03, and no file is reported as saved.
  using FilePass = std::function<CMResult(ImageToImageXform& writer, const ISM_XFORM_INFO* xform,
                                          const ISM_IMAGE_INFO* image, const ISM_OPTION_INFO* option)>;

  SaveModuleCore();
  ~SaveModuleCore();
  SaveModuleCore(const SaveModuleCore&) = delete;
  SaveModuleCore& operator=(const SaveModuleCore&) = delete;

  // Readies the driver (once, when the launcher starts): waits up to 180000 ms for running
  // workers (0xACA09), releases every slot and the transform record, then end flag 1, error
  // 0, both counts 0. 0xA9800 when a mutex or folder string cannot be made.
  CMResult Initialize();
  // Waits up to 180000 ms for running workers (0xACA09; they are then asked to stop and
  // nothing they use is released), releases all names, options, the transform record and the
  // writer, clears the error and the save settings.
  CMResult Terminate();

  // Starts a scan request: copies the folder (a "/" is appended when missing), hands it to
  // the writer, and clears the error recorded by an earlier request.
  CMResult SetTempFolderPath(const ICMSTR_CLASS* folder);
  // Replaces the held transform record by a copy. 0xACA04 for null.
  CMResult SetXformInfo(const ISM_XFORM_INFO* xform);
  // The save settings of the next image. fileName and filePath are required (0xACA04);
  // writerFormat 4322 (TIFF through the transform writer) or 4330 (TIFF strip by strip);
  // compression 4460-4462; colorSetting 0 none; profilePath may be null.
  CMResult SetSaveFileInfo(const std::string* fileName, const std::string* filePath, const std::string* bookmarkPath,
                           std::uint32_t writerFormat, std::uint32_t compression, std::uint32_t colorSetting,
                           const std::string* profilePath);

  // Opens the image (record with its property block and its own final path). 0xACA00 no
  // transform record or an image already open; 0xACA03 refused format pair or depth, or a
  // resize request; 0xACA04 the slot of this image is still in use; writer codes as the
  // writers' StartXform.
  CMResult StartXformImage(const ISM_IMAGE_INFO* image);
  // One block of rows lines starting at yOffset, each bytesPerRow as delivered, inside a
  // buffer of blockSize bytes. Blocks must come in line order and stay inside the image
  // (0xACA02). Repacked or converted when the writer needs another row layout. Any error is
  // recorded and returned.
  CMResult WriteImageLines(std::uint32_t yOffset, std::uint32_t rows, std::uint32_t bytesPerRow,
                           std::uint64_t blockSize, const void* data);
  // Closes the image after its last block and keeps a copy of the option record in its slot.
  // With every line written and no error recorded the image is counted: a TIFF image is then
  // finished, a JPEG image queued for the workers. Otherwise its files are deleted, the total
  // stays and the error is returned (0xACA05 when lines are missing).
  CMResult EndXformImage(const ISM_OPTION_INFO* option);
  // Drops the open image: stops its writer, deletes what it wrote, frees its slot.
  CMResult CancelXformImage();
  // Sets the end flag; 0xACA03 when the transform's output is refused.
  CMResult EndXform();

  // Worker threads: the first runs before each image, the second after each JPEG image (with
  // the transform's pair set to 4322 to 4321). Both claim queued images until none is left
  // and the end flag is set (or an error is recorded). 0xACA01 when the thread cannot start.
  CMResult StartXformThread();
  CMResult StartFinalXformThread();

  // The passes of the JPEG chain (see FilePass); set before workers start.
  void SetFilePasses(FilePass convertPass, FilePass exifJpegPass);
  static CMResult RunConversionPass(ImageToImageXform& writer, const ISM_XFORM_INFO* xform, const ISM_IMAGE_INFO* image,
                                    const ISM_OPTION_INFO* option);
  static CMResult RunExifJpegPass(ImageToImageXform& writer, const ISM_XFORM_INFO* xform, const ISM_IMAGE_INFO* image,
                                  const ISM_OPTION_INFO* option);

  CMResult SetEndXformFlag(std::uint8_t flag);
  std::uint8_t GetEndXformFlag() const;
  CMResult GetErrorMessage() const;
  // Keeps the first non-zero code.
  CMResult SetErrorMessage(CMResult code);
  std::uint32_t GetTotalImgCount() const;
  CMResult IncTotalImgCount();
  std::uint32_t GetFinishedImgCount() const;
  CMResult IncFinishedImgCount();

  // The slot's entries for an index below 1000; otherwise 0xACA01 is recorded and slot 1000's
  // name (or no option) is answered.
  ICMSTR_CLASS* GetOutFileName(std::uint32_t index);
  ICMSTR_CLASS* GetTmpFileName(std::uint32_t index);
  ISM_OPTION_INFO* GetOptionInfo(std::uint32_t index);
  // kind 1 final name, 2 temporary name: an empty string of capacity 1024 into the slot
  // (0xACA04 when set; 0xA9821 / 0xA9822 when it cannot be made); kind 3 nothing; others
  // 0xACA02; an index above 1000 0xACA01.
  CMResult CreateFileName(std::uint32_t index, std::uint32_t kind);
  CMResult ReleaseOutFileName(std::uint32_t index);
  CMResult ReleaseTmpFileName(std::uint32_t index);
  CMResult ReleaseOptionInfo(std::uint32_t index);
  // The held format pair; 0xACA00 without a transform record.
  CMResult GetXformType(std::uint32_t* pair) const;
  // Maker "Vantrel", the transform's application and device names into the option record.
  // 0xACA04 for a missing argument.
  CMResult SetExifOptionInfo(const ISM_XFORM_INFO* xform, ISM_OPTION_INFO* option) const;

  // Temporary names of a slot inside the temporary folder.
  std::string TempTiffPath(std::uint32_t slot) const;    // "PVTO_tmpTF%03d.TIF"
  std::string TempExifPath(std::uint32_t slot) const;    // "PVTO_tmpEX%03d.JPG"
  std::string TempRotatePath(std::uint32_t slot) const;  // "PVTO_tmpRT%03d.TIF"

  // Running workers the driver still has to wait for (finished ones are not counted). A worker
  // counts as finished once it has done its last work, when it wakes the waiters; its thread
  // may still be on its way out.
  std::size_t GetRunningWorkerCount();
  // Waits until no worker runs, woken when one finishes; false when one still runs after
  // timeoutMs.
  bool WaitForRunningWorkers(std::uint32_t timeoutMs);

 private:
  // What a queued image still needs after its close.
  enum class Route : std::uint8_t {
    Final,       // written to its final file: nothing
    TiffToJpeg,  // temporary TIFF -> temporary JPEG -> final JPEG with EXIF data
    ExifOnly,    // temporary JPEG -> final JPEG with EXIF data
  };
  // The writer the open image's lines go to.
  enum class OpenWriter : std::uint8_t { None, Image, LargeTiff };

  struct WorkerStart;

  static void XformThreadProc(void* argument);
  static void FinalXformThreadProc(void* argument);
  static void RunWorker(WorkerStart* start);
  CMResult StartWorker(bool final);
  // Waits for every registered worker, in rounds, for at most timeoutMs in all.
  CMResult WaitForWorkers(std::uint32_t timeoutMs);
  void ReapEndedWorkers();

  bool ClaimQueuedImage(std::uint32_t* slot);
  CMResult RunImagePasses(const WorkerStart& start, std::uint32_t slot);
  CMResult RotationPass(const WorkerStart& start, std::uint32_t slot, const ISM_XFORM_INFO* xform);
  // The conversion's thumbnail (or null) comes back in thumbnail, for the final JPEG pass.
  CMResult TmpToOutputPass(const WorkerStart& start, std::uint32_t slot, const ISM_XFORM_INFO* xform,
                           std::shared_ptr<const SM_ThumbnailPixels>* thumbnail);
  CMResult FinalJpegPass(const WorkerStart& start, std::uint32_t slot, const ISM_XFORM_INFO* xform, bool removeInput,
                         std::shared_ptr<const SM_ThumbnailPixels> thumbnail);
  // Frees the slot's entries, after deleting its temporary files when asked (those in
  // tempFolder, or in the driver's temporary folder for null).
  void ReleaseSlot(std::uint32_t slot, bool deleteTemporaries, const ICMSTR_CLASS* tempFolder);
  // Every slot, with every slot's temporary file left in the temporary folder.
  void ReleaseAllSlots();
  bool SlotInUse(std::uint32_t slot) const;
  // A slot's temporary file in folder (a null folder or text gives the bare name).
  static std::string SlotTempPath(const ICMSTR_CLASS* folder, const char* format, std::uint32_t slot);
  static constexpr const char* kTempTiffName = "PVTO_tmpTF%03u.TIF";
  static constexpr const char* kTempExifName = "PVTO_tmpEX%03u.JPG";
  static constexpr const char* kTempRotateName = "PVTO_tmpRT%03u.TIF";
  void CloseOpenImage();
  // Abandons the open image's writer (its partial file is the caller's to delete).
  CMResult AbortOpenWriter();
  // Deletes the open image's file once its writer has ended: a temporary one, or the final
  // one only when this image's writer put it there.
  void RemoveOpenImageFile();

  CMResult LockedRead(const std::unique_ptr<CMMutex>& mutex, const std::uint32_t& value, std::uint32_t* out) const;

  ImageToImageXform m_ImageXformer;
  LargeTiffXform m_LargeTiffXformer;
  std::unique_ptr<ISM_XFORM_INFO> m_pXformInfo;
  SM_ImageProperty_Struct m_RawImageProperty{};
  // Thread records of every worker started and not yet waited for.
  std::list<CMThreadStruct*> m_WorkerThreads;
  std::array<std::unique_ptr<ICMSTR_CLASS>, kSlotCount + 1> m_wszOutFileArray;
  std::array<std::unique_ptr<ICMSTR_CLASS>, kSlotCount + 1> m_wszTmpFileArray;
  std::array<std::unique_ptr<ISM_OPTION_INFO>, kSlotCount + 1> m_OptionInfoArray;
  std::uint32_t m_uiTotalImgCount = 0;
  std::unique_ptr<CMMutex> m_mxTotalImgCount;
  std::uint32_t m_uiFinishedImgCount = 0;
  std::unique_ptr<CMMutex> m_mxFinishedImgCount;
  std::uint8_t m_bEndXformFlag = 1;
  std::unique_ptr<CMMutex> m_mxEndXformFlag;
  CMResult m_uiErrorMessage = 0;
  std::unique_ptr<CMMutex> m_mxErrorMessage;
  std::unique_ptr<ICMSTR_CLASS> m_wszTempFolderPath;
  std::unique_ptr<ICMSTR_CLASS> m_wszDicFolderPath;
  std::uint32_t m_uiInFileFormat = 0;
  std::uint32_t m_uiOCRLanguage = 0;
  std::string m_fileName;
  std::string m_filePath;
  std::uint32_t m_saveFileFormat = 0;
  std::uint32_t m_compression = 0;
  std::uint32_t m_colorSetting = 0;
  std::unique_ptr<std::string> m_pfPath;
  std::string m_bookmark;
  std::uint32_t m_FinalFormat = 0xFFFF;

  // Queued images waiting for a worker, oldest first, and what each slot still needs. The
  // queue has its own mutex, never held together with another.
  std::deque<std::uint32_t> m_QueuedSlots;
  std::unique_ptr<CMMutex> m_mxQueue;
  std::array<Route, kSlotCount> m_SlotRoute{};
  // Slots between their image's start and the end of its passes.
  std::array<std::atomic<bool>, kSlotCount> m_SlotBusy{};

  // The image being transferred (main thread only).
  bool m_bImageOpen = false;
  OpenWriter m_OpenWriter = OpenWriter::None;
  std::uint32_t m_uiOpenSlot = 0;
  std::uint32_t m_uiLinesWritten = 0;
  std::uint32_t m_uiWriterOutFormat = 0;
  std::string m_OpenOutputPath;

  FilePass m_ConvertPass = &SaveModuleCore::RunConversionPass;
  FilePass m_ExifJpegPass = &SaveModuleCore::RunExifJpegPass;
  // Set by Terminate and the destructor: workers leave at their next look.
  std::atomic<bool> m_bStopWorkers{false};

  // Something a waiting worker or the transfer loop looks at has changed (an image queued, the
  // end flag or an error set, a stop, a worker done): each change counts one, wakes the
  // workers that wait for it and the main run loop. A waiter reads the count before it looks,
  // so a change made while it looked ends its wait at once.
  void Signal();
  std::uint64_t SignalCount() const;
  void WaitForSignal(std::uint64_t seen, std::uint32_t timeoutMs) const;
  mutable std::mutex m_SignalMutex;
  mutable std::condition_variable m_Signal;
  std::uint64_t m_uiSignalCount = 0;
  // Workers started whose work has not ended yet (lowered before their last Signal).
  std::atomic<std::size_t> m_uiBusyWorkers{0};
};
