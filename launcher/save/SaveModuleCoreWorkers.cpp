// The save driver's worker threads and the passes they run on queued images.

#include <algorithm>
#include <chrono>
#include <iterator>

#include "launcher/save/CMCommon.h"
#include "launcher/save/CMFileSystem.h"
#include "launcher/save/ExifJpegXform.h"
#include "launcher/save/ImageConvertXform.h"
#include "launcher/save/RotateResizeXform.h"
#include "launcher/save/SMCodes.h"
#include "launcher/save/SaveModuleCore.h"

namespace {

constexpr std::uint32_t kPollMs = 50;

}  // namespace

// What a worker takes along when it starts: its own copies of everything the main thread may
// change while it runs (the transform record, the temporary folder, the colour settings).
struct SaveModuleCore::WorkerStart {
  SaveModuleCore* core = nullptr;
  bool final = false;
  std::unique_ptr<ISM_XFORM_INFO> xform;
  std::unique_ptr<ICMSTR_CLASS> tempFolder;
  std::uint32_t colorSetting = 0;
  std::unique_ptr<std::string> profilePath;
  FilePass convertPass;
  FilePass exifJpegPass;
};

CMResult SaveModuleCore::RunConversionPass(ImageToImageXform& writer, const ISM_XFORM_INFO* xform, const ISM_IMAGE_INFO* image,
                                           const ISM_OPTION_INFO*) {
  return CM_Guard([&]() -> CMResult {
    ImageConvertXform pass;
    CM_ThrowIfError(pass.Initialize());
    CM_ThrowIfError(pass.StartConvertXform(xform, image));
    CM_ThrowIfError(pass.ConvertXform());
    CM_ThrowIfError(pass.EndConvertXform());
    writer.SetThumbnail(pass.TakeThumbnail());
    return CM_OK;
  });
}

CMResult SaveModuleCore::RunExifJpegPass(ImageToImageXform& writer, const ISM_XFORM_INFO* xform,
                                         const ISM_IMAGE_INFO* image, const ISM_OPTION_INFO* option) {
  // The driver's final file: the name was free when the image was given it, and a file that
  // took it since is someone else's.
  return SM_RunExifJpegPass(writer.GetTempFolderPath(), writer.GetProfilePath(), xform, image, option,
                            writer.GetThumbnail(), true);
}

void SaveModuleCore::SetFilePasses(FilePass convertPass, FilePass exifJpegPass) {
  m_ConvertPass = std::move(convertPass);
  m_ExifJpegPass = std::move(exifJpegPass);
}

CMResult SaveModuleCore::StartXformThread() { return StartWorker(false); }

CMResult SaveModuleCore::StartFinalXformThread() { return StartWorker(true); }

CMResult SaveModuleCore::StartWorker(bool final) {
  return CM_Guard([&]() -> CMResult {
    ReapEndedWorkers();
    auto start = std::make_unique<WorkerStart>();
    start->core = this;
    start->final = final;
    if (m_pXformInfo) CM_ThrowIfError(SM_CopyXformInfo(&start->xform, m_pXformInfo.get()));
    CM_ThrowIfError(CM_CopyString(&start->tempFolder, m_wszTempFolderPath.get()));
    start->colorSetting = m_colorSetting;
    if (m_pfPath) start->profilePath = std::make_unique<std::string>(*m_pfPath);
    start->convertPass = m_ConvertPass;
    start->exifJpegPass = m_ExifJpegPass;
    m_WorkerThreads.push_back(nullptr);
    auto record = std::prev(m_WorkerThreads.end());
    ++m_uiBusyWorkers;
    if (CM_CreateThread(&*record, final ? &SaveModuleCore::FinalXformThreadProc : &SaveModuleCore::XformThreadProc,
                        start.get()) != CM_OK) {
      --m_uiBusyWorkers;
      m_WorkerThreads.erase(record);
      CM_ThrowIfError(SM_ERR_BAD_COUNT);
    }
    start.release();  // the worker owns it now
    return CM_OK;
  });
}

void SaveModuleCore::ReapEndedWorkers() {
  for (auto it = m_WorkerThreads.begin(); it != m_WorkerThreads.end();) {
    std::uint32_t result = 2;
    if (*it) CM_WaitThreadEnd(&*it, 0, &result);
    it = (*it == nullptr) ? m_WorkerThreads.erase(it) : std::next(it);
  }
}

std::size_t SaveModuleCore::GetRunningWorkerCount() {
  ReapEndedWorkers();
  // Counted by their work, not by their threads: a waiter woken by a worker's last Signal must
  // find it finished, though its thread may not have ended yet (it is reaped later).
  return m_uiBusyWorkers.load();
}

bool SaveModuleCore::WaitForRunningWorkers(std::uint32_t timeoutMs) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
  for (;;) {
    const std::uint64_t seen = SignalCount();
    if (GetRunningWorkerCount() == 0) return true;
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
    if (left.count() <= 0) return false;
    WaitForSignal(seen, std::uint32_t(std::min<long long>(left.count(), kPollMs)));
  }
}

CMResult SaveModuleCore::WaitForWorkers(std::uint32_t timeoutMs) {
  CMClock* clock = CM_GetClock();
  const std::uint64_t begin = clock->NowMs();
  for (auto it = m_WorkerThreads.begin(); it != m_WorkerThreads.end();) {
    std::uint32_t left = timeoutMs;
    if (timeoutMs != CM_WAIT_FOREVER) {
      const std::uint64_t spent = clock->NowMs() - begin;
      left = spent >= timeoutMs ? 0 : std::uint32_t(timeoutMs - spent);
    }
    std::uint32_t result = 2;
    if (*it) CM_ThrowIfError(CM_WaitThreadEnd(&*it, left, &result));
    if (*it != nullptr) return SM_ERR_WORKER_TIMEOUT;
    it = m_WorkerThreads.erase(it);
  }
  return CM_OK;
}

bool SaveModuleCore::ClaimQueuedImage(std::uint32_t* slot) {
  pthread_mutex_lock(&m_mxQueue->handle);
  const bool claimed = !m_QueuedSlots.empty();
  if (claimed) {
    *slot = m_QueuedSlots.front();
    m_QueuedSlots.pop_front();
  }
  pthread_mutex_unlock(&m_mxQueue->handle);
  return claimed;
}

void SaveModuleCore::XformThreadProc(void* argument) { RunWorker(static_cast<WorkerStart*>(argument)); }

void SaveModuleCore::FinalXformThreadProc(void* argument) { RunWorker(static_cast<WorkerStart*>(argument)); }

void SaveModuleCore::RunWorker(WorkerStart* raw) {
  CM_DisableThreadCancel();
  std::unique_ptr<WorkerStart> start(raw);
  SaveModuleCore* core = start->core;
  // However the work ends (a cancel too), what the worker took along goes first, then the count
  // is lowered and the waiters woken: after that it touches nothing of the driver.
  struct WorkEnd {
    SaveModuleCore* core;
    std::unique_ptr<WorkerStart>& start;
    ~WorkEnd() {
      start.reset();
      --core->m_uiBusyWorkers;
      core->Signal();
    }
  } workEnd{core, start};
  CMResult setup = CM_Guard([&]() -> CMResult {
    if (!start->xform) CM_ThrowIfError(SM_ERR_CREATE);
    if (SM_IsRefusedOutput(start->xform->GetOutFormat())) CM_ThrowIfError(SM_ERR_UNSUPPORTED);
    if (!start->final && start->xform->GetInFormat() != SM_FORMAT_RAW) CM_ThrowIfError(SM_ERR_UNSUPPORTED);
    return CM_OK;
  });
  if (setup != CM_OK) core->SetErrorMessage(setup);

  // Each queued image is claimed by exactly one worker. After an error the remaining queued
  // images are dropped (their temporary files deleted) rather than left behind.
  for (;;) {
    CM_TestCancel();
    const std::uint64_t seen = core->SignalCount();
    std::uint32_t slot = 0;
    if (core->ClaimQueuedImage(&slot)) {
      CMResult rc = core->GetErrorMessage();
      if (rc == CM_OK) rc = core->RunImagePasses(*start, slot);
      if (rc != CM_OK) core->SetErrorMessage(rc);
      core->ReleaseSlot(slot, rc != CM_OK, start->tempFolder.get());
      core->IncFinishedImgCount();
      continue;
    }
    if (core->GetErrorMessage() != CM_OK || core->GetEndXformFlag() != 0 || core->m_bStopWorkers.load()) break;
    // Until an image is queued or the driver says to stop; the time-out only bounds a look.
    core->WaitForSignal(seen, kPollMs);
  }
}

CMResult SaveModuleCore::RunImagePasses(const WorkerStart& start, std::uint32_t slot) {
  return CM_Guard([&]() -> CMResult {
    const ISM_OPTION_INFO* option = m_OptionInfoArray[slot].get();
    if (!option) CM_ThrowIfError(SM_ERR_CREATE);
    const Route route = m_SlotRoute[slot];
    if (route == Route::Final) return CM_OK;
    std::unique_ptr<ISM_XFORM_INFO> xform;
    CM_ThrowIfError(SM_CopyXformInfo(&xform, start.xform.get()));
    // The image is turned first when its option asks for it (the transfer loop never does),
    // whichever worker claimed it. Only a temporary TIFF can be turned.
    if (option->GetRotation() != SM_ROTATE_0) {
      if (route != Route::TiffToJpeg) CM_ThrowIfError(SM_ERR_UNSUPPORTED);
      CM_ThrowIfError(RotationPass(start, slot, xform.get()));
    }
    CM_ThrowIfError(xform->SetFormat(SM_FORMAT_TIFF, SM_FORMAT_JPEG_EXIF));
    std::shared_ptr<const SM_ThumbnailPixels> thumbnail;
    if (route == Route::TiffToJpeg) CM_ThrowIfError(TmpToOutputPass(start, slot, xform.get(), &thumbnail));
    CM_ThrowIfError(FinalJpegPass(start, slot, xform.get(), true, std::move(thumbnail)));
    return CM_OK;
  });
}

CMResult SaveModuleCore::RotationPass(const WorkerStart& start, std::uint32_t slot, const ISM_XFORM_INFO* xform) {
  CMAutoreleasePool* pool = nullptr;
  CM_CreateAutoreleasePool(&pool);
  CMResult rc = CM_Guard([&]() -> CMResult {
    if (!m_wszTmpFileArray[slot] || !m_OptionInfoArray[slot]) CM_ThrowIfError(SM_ERR_CREATE);
    const std::string input = *m_wszTmpFileArray[slot]->GetNSString();
    const std::string output = SlotTempPath(start.tempFolder.get(), kTempRotateName, slot);
    std::unique_ptr<ISM_IMAGE_INFO> image;
    SM_ImageProperty_Struct none{};
    CM_ThrowIfError(SM_CreateImageInfoWithProperty(&image, &none, &input, &output));
    std::unique_ptr<ISM_XFORM_INFO> pair;
    CM_ThrowIfError(SM_CopyXformInfo(&pair, xform));
    CM_ThrowIfError(pair->SetFormat(SM_FORMAT_TIFF, SM_FORMAT_TIFF));
    RotateResizeXform rotation;
    CM_ThrowIfError(rotation.Initialize());
    CM_ThrowIfError(rotation.SetTempFolderPath(start.tempFolder->GetNSString()));
    CM_ThrowIfError(rotation.StartRotation(pair.get(), image.get(), m_OptionInfoArray[slot].get()));
    CM_ThrowIfError(rotation.Rotate());
    CM_ThrowIfError(rotation.EndRotation());
    bool made = false;
    CM_ThrowIfError(CM_FileExists(&output, &made));
    if (!made) CM_ThrowIfError(SM_ERR_ROTATE);
    // The turned copy is the image's temporary file from now on.
    CM_ThrowIfError(CM_RemoveFile(&input));
    CM_ThrowIfError(m_wszTmpFileArray[slot]->SetNSString(&output));
    return CM_OK;
  });
  CM_ReleaseAutoreleasePool(pool);
  return rc;
}

CMResult SaveModuleCore::TmpToOutputPass(const WorkerStart& start, std::uint32_t slot, const ISM_XFORM_INFO* xform,
                                         std::shared_ptr<const SM_ThumbnailPixels>* thumbnail) {
  CMAutoreleasePool* pool = nullptr;
  CM_CreateAutoreleasePool(&pool);
  CMResult rc = CM_Guard([&]() -> CMResult {
    if (!m_wszTmpFileArray[slot]) CM_ThrowIfError(SM_ERR_CREATE);
    const std::string input = *m_wszTmpFileArray[slot]->GetNSString();
    const std::uint32_t out = xform->GetOutFormat();
    std::string output;
    if (out == SM_FORMAT_JPEG_EXIF) {
      output = SlotTempPath(start.tempFolder.get(), kTempExifName, slot);
    } else {
      if (!m_wszOutFileArray[slot]) CM_ThrowIfError(SM_ERR_CREATE);
      output = *m_wszOutFileArray[slot]->GetNSString();
    }
    std::unique_ptr<ISM_IMAGE_INFO> image;
    SM_ImageProperty_Struct none{};
    CM_ThrowIfError(SM_CreateImageInfoWithProperty(&image, &none, &input, &output));
    std::unique_ptr<ISM_XFORM_INFO> pair;
    CM_ThrowIfError(SM_CopyXformInfo(&pair, xform));
    CM_ThrowIfError(pair->SetFormat(SM_FORMAT_TIFF, out));
    ImageToImageXform writer;
    CM_ThrowIfError(writer.Initialize());
    CM_ThrowIfError(writer.SetTempFolderPath(start.tempFolder->GetNSString()));
    CM_ThrowIfError(writer.SetColorSetting(start.colorSetting, start.profilePath.get()));
    CM_ThrowIfError(start.convertPass ? start.convertPass(writer, pair.get(), image.get(), m_OptionInfoArray[slot].get())
                                      : SM_ERR_UNSUPPORTED);
    CM_ThrowIfError(CM_RemoveFile(&input));
    if (out == SM_FORMAT_JPEG_EXIF) CM_ThrowIfError(m_wszTmpFileArray[slot]->SetNSString(&output));
    *thumbnail = writer.GetThumbnail();
    return CM_OK;
  });
  CM_ReleaseAutoreleasePool(pool);
  return rc;
}

CMResult SaveModuleCore::FinalJpegPass(const WorkerStart& start, std::uint32_t slot, const ISM_XFORM_INFO* xform,
                                       bool removeInput, std::shared_ptr<const SM_ThumbnailPixels> thumbnail) {
  SetEndXformFlag(0);
  CMAutoreleasePool* pool = nullptr;
  CM_CreateAutoreleasePool(&pool);
  CMResult rc = CM_Guard([&]() -> CMResult {
    // The image's own final path: the driver's current one may belong to a later image.
    if (!m_wszOutFileArray[slot] || !m_OptionInfoArray[slot]) CM_ThrowIfError(SM_ERR_CREATE);
    const std::string input = SlotTempPath(start.tempFolder.get(), kTempExifName, slot);
    std::unique_ptr<ICMSTR_CLASS> output;
    CM_ThrowIfError(CM_CopyString(&output, m_wszOutFileArray[slot].get()));
    const std::string jpg = "jpg";
    CM_ThrowIfError(output->ChangePathExtension(&jpg));
    std::unique_ptr<ISM_IMAGE_INFO> image;
    SM_ImageProperty_Struct none{};
    CM_ThrowIfError(SM_CreateImageInfoWithProperty(&image, &none, &input, output->GetNSString()));
    std::unique_ptr<ISM_XFORM_INFO> pair;
    CM_ThrowIfError(SM_CopyXformInfo(&pair, xform));
    CM_ThrowIfError(pair->SetFormat(SM_FORMAT_JPEG, SM_FORMAT_JPEG_EXIF));
    std::unique_ptr<ISM_OPTION_INFO> option;
    CM_ThrowIfError(SM_CopyOptionInfo(&option, m_OptionInfoArray[slot].get()));
    CM_ThrowIfError(SetExifOptionInfo(pair.get(), option.get()));
    ImageToImageXform writer;
    CM_ThrowIfError(writer.Initialize());
    CM_ThrowIfError(writer.SetTempFolderPath(start.tempFolder->GetNSString()));
    CM_ThrowIfError(writer.SetColorSetting(start.colorSetting, start.profilePath.get()));
    writer.SetThumbnail(std::move(thumbnail));
    // Without an EXIF pass the chain stops here: no final file is claimed.
    CM_ThrowIfError(start.exifJpegPass ? start.exifJpegPass(writer, pair.get(), image.get(), option.get())
                                       : SM_ERR_UNSUPPORTED);
    if (removeInput && m_wszTmpFileArray[slot]) {
      const std::string temporary = *m_wszTmpFileArray[slot]->GetNSString();
      CM_ThrowIfError(CM_RemoveFile(&temporary));
    }
    return CM_OK;
  });
  CM_ReleaseAutoreleasePool(pool);
  // Set also after a failure: the transfer loop's wait ends on it.
  SetEndXformFlag(1);
  return rc;
}
