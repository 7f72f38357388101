#pragma once

#include <array>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "scanmodule/DeviceModel.h"
#include "scanmodule/ImageRenderer.h"
#include "scanmodule/ImageStage.h"
#include "scanmodule/ToneTables.h"
#include "scanmodule/SMController.h"
#include "scanmodule/ScanRequest.h"
#include "ui/model/SM_COMMON/ScanInfo.h"

namespace velmor {

// The scan module's controller over the simulated scanner.
//
// A scan runs on the module's own thread, which posts every report. The data source's calls
// (on its thread) only move the scan on: smStartScan lets a page start, smReadScan takes the
// rows the module thread renders into a short queue, smContinousScan2 asks for the feeder's
// next page, smEndScan closes a page, smCancelScan stops it within a few rows.
//
// Order of one document: "SM_DOCUMENT_START", then per page "SM_IMAGEINFO", (smStartScan)
// "SM_PAGE_START_OBJECT", the rows, "SM_PAGE_END"; then "SM_DOCUMENT_END". A failure posts
// "ERROR_WILL_BE_NORTIFIED" and "TWAIN_ERROR_INFORMATION_OBJECT" before the document ends with
// status 2.
class SimController final : public Velmor_SMController {
 public:
  SimController();
  ~SimController() override;

  void initScanM() override;
  int smInitSetting(const fnd::Dictionary& settings) override;
  void smSetMaxPercentage(int percentage, int line) override;
  void smSetTransferMode(int mode) override;
  fnd::SharedDictionary smGetDeviceInformation() override;
  void smStartScan() override;
  const std::uint8_t* smReadScan() override;
  bool smWaitScan(double seconds) override;
  void smEndScan() override;
  int smContinousScan2(int source) override;
  void smCancelScan() override;
  int smCheckADFPaperStatus(int unit) override;
  void releaseScanM() override;

  void smPreviewScan(const fnd::Notification& note) override;
  void smCropCorrect(const fnd::Dictionary& request) override;
  void smAutoCrop(const fnd::Dictionary& request) override;
  void smStartScanEvent(const fnd::Dictionary& request) override;
  void smZoomScan(const fnd::Notification& note) override;
  void smScanModuleBackup(const fnd::Notification& note) override;
  void smScanModuleResume(const fnd::Notification& note) override;
  void smClearPreview(const fnd::Notification& note) override;
  void smSetUserGamma(const fnd::Dictionary& request) override;
  void smCalibration(const fnd::Notification& note) override;
  void smScannterTest(const fnd::Notification& note) override;
  void smSetLampOff(const fnd::Dictionary& request) override;
  void smChangeInputSource(const fnd::Notification& note) override;
  void smExecuteHSL(const fnd::Notification& note) override;
  void smResizeBitmap(const fnd::Notification& note) override;
  void smSetSilentSetting(const fnd::Notification& note) override;
  void smGetSilentSetting(const fnd::Notification& note) override;
  void smSetAutoPowerOffSetting(const fnd::Notification& note) override;
  void smGetAutoPowerOffSetting(const fnd::Notification& note) override;
  void smSetAutoPowerOnSetting(const fnd::Notification& note) override;
  void smGetAutoPowerOnSetting(const fnd::Notification& note) override;

  // The last input of a request that only records it ("Set_ShutOffLampTime" and the like), by
  // the name of its call; empty when it never came.
  fnd::Dictionary recordedInput(const std::string& call) const;
  // A user tone table kept by smSetUserGamma as ready tables: the red, green and blue tables
  // (65536 16-bit entries each), empty when none has that number.
  std::vector<fnd::Data> userGamma(int number) const;
  // A user tone setting kept by smSetUserGamma; empty when none has that number.
  std::optional<UserToneSetting> userToneSetting(int number) const;
  // The gamma of the data the module hands out: on screen the tone tables use the monitor gamma
  // relative to it, and a saved file none.
  static constexpr double kDataGamma = 2.2;
  // Name of the file a backup writes in its folder.
  static constexpr const char* kBackupFileName = "PreviewBackup.sm";
  // Resolution of the preview, dots per inch.
  static constexpr int kPreviewResolution = 75;
  // The area a per-crop request asks for, in preview pixels from the top left: for a
  // four-corner frame ("CropShape" format 4) the box around the corners, else its "ScanRect".
  // The dictionary form is read with the crop reader first.
  struct CropArea {
    double x = 0, y = 0, width = 0, height = 0;
  };
  static CropArea cropAreaOf(const CropSetting& crop);
  static CropArea cropAreaOf(const fnd::Dictionary& crop);
  static constexpr int kCornerShape = 4;

  // Rows the module has rendered for the current page (for tests).
  int rowsProduced() const;
  // Rows waiting in the line queue at most: the scanner's buffer, deep enough that rendering
  // goes on while the reader on the main thread is busy with a window for a moment.
  static constexpr std::size_t kQueueDepth = 64;
  // Rows handed over per wake-up of either side: the reader is woken once this many rows wait
  // (or the page ends, fails or a report follows), and a renderer stopped by a full queue once
  // this much room is free again, so that neither thread is woken for every single row.
  static constexpr std::size_t kWakeBatch = 16;
  // Longest wait of smContinousScan2 for the module's answer, seconds.
  static constexpr double kAnswerTimeout = 30.0;

 private:
  enum class Outcome { Done, Cancelled, Failed, Stopping };

  void workerMain();
  void enqueue(std::function<void()> task);
  void runDocument(const ScanRequest& request, const DeviceModel& model);
  Outcome deliverPage(ImageStage& stage, const DeviceModel& model, int page);
  Outcome deliverLines(ImageStage& stage, const DeviceModel& model, int page, int lostAt);
  Outcome deliverWhole(ImageStage& stage, const DeviceModel& model, int page, int lostAt, const std::string& folder,
                       bool toFile);
  // The tables of user tone table `number` with `masterGamma` for the monitor gamma; null for
  // number 0, a number never sent, or tables that change nothing.
  std::shared_ptr<const ToneTables> toneFor(int number, double masterGamma, bool sixteenBit) const;
  void runPreview(const DeviceModel& model, int inputSource);
  // The document or preview is over: the next request is taken from here on.
  void endRunning();
  // The last preview, as kept for backup, crop correction and automatic crop.
  struct Preview {
    int width = 0, height = 0;
    std::vector<std::uint8_t> rgb;  // 8-bit RGB rows, top first
    // The documents on it: x, y (top left), width, height in preview pixels.
    std::vector<std::array<int, 4>> documents;
  };
  void keepPreview(Preview preview);
  // Posts a preview's size, its data in blocks, and the call to draw it (the module's thread
  // or, for a resume, the caller's). False when a cancel or the stop ended it early. With
  // `fill`, each block's rows (first, count) are made just before the block is posted, so the
  // user interface takes one block while the next is read.
  bool sendPreview(const Preview& preview, const std::function<void(int, int)>& fill = {});
  // Extra reports of the device's switches at a document's start and during its pages.
  void postDocumentExtras(const DeviceModel& model);
  void postProgressDetails(const DeviceModel& model, int page, int pages);
  void record(const std::string& call, const fnd::Dictionary& input);
  DeviceModel currentModel() const;

  // Waits under lock until pred, a cancel or the stop; the outcome that ended the wait.
  Outcome waitFor(std::unique_lock<std::mutex>& lock, const std::function<bool()>& pred);
  // Wakes a reader waiting in smWaitScan when rows wait for it.
  void wakeReader();
  void post(const char* name, fnd::Dictionary info = {});
  void postError(int error, int page, int line);
  void postPercent(int percent);

  mutable std::mutex mutex_;
  std::condition_variable changed_;
  std::deque<std::function<void()>> tasks_;
  bool stopping_ = false;

  // Guarded by mutex_.
  DeviceModel model_;
  bool haveModel_ = false;
  int maxPercent_ = 80;
  int maxLinePercent_ = 99;
  int transferMode_ = 3;
  bool cancel_ = false;
  bool documentRunning_ = false;
  bool documentPending_ = false;
  int lastStatus_ = 0;
  int startRequests_ = 0;
  int endRequests_ = 0;
  int pagesEnded_ = 0;
  bool continueAsked_ = false;
  int decisionPage_ = -1;
  int decision_ = 0;
  int rowsProduced_ = 0;
  bool linesOver_ = false;  // every row of the page is queued (or read)
  bool queueFull_ = false;  // the renderer filled the queue and waits for a batch's room
  std::deque<std::vector<std::uint8_t>> rows_;
  std::vector<std::vector<std::uint8_t>> spareRows_;
  std::string currentTempPath_;

  // Never changed once kept: readers share it instead of copying the whole picture.
  std::shared_ptr<const Preview> preview_ = std::make_shared<Preview>();
  // The pixels of the preview before the kept one, when nothing held it any more: the next
  // preview is read into them rather than into memory touched for the first time.
  std::vector<std::uint8_t> spareRgb_;
  // User tone tables by number: ready 16-bit tables, or the tone setting they are built from
  // (a number holds one or the other, the one sent last).
  std::map<int, std::vector<fnd::Data>> gamma_;
  std::map<int, UserToneSetting> toneSettings_;
  std::map<std::string, fnd::Dictionary> recorded_;

  // Touched only by the caller of smReadScan.
  std::vector<std::uint8_t> current_;

  std::thread worker_;
};

}  // namespace velmor
