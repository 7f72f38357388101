#include "scanmodule/SimController.h"

#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <memory>

#include "scanmodule/ErrorInformation.h"
#include "scanmodule/HandOver.h"
#include "scanmodule/PageFile.h"
#include "scanmodule/PageMemory.h"
#include "scanmodule/ScanReports.h"
#include "scanmodule/Scene.h"
#include "scanmodule/SimFileCreate.h"

namespace velmor {

namespace {

// The message the progress window shows while a document is scanned.
constexpr int kScanningMessage = 1325;

Scene sceneFor(const ScanRequest& request, const DeviceModel& model, int page) {
  switch (request.source) {
    case Source::Feeder:
      return Scene::feederPage(model.feederWidth, model.feederHeight, page);
    case Source::Film:
      return Scene::filmStrip(model.filmFrames);
    case Source::Platen:
      break;
  }
  return Scene::platen(model.platenWidth, model.platenHeight);
}

}  // namespace

SimController::SimController() : worker_([this] { workerMain(); }) {}

SimController::~SimController() { releaseScanM(); }

void SimController::workerMain() {
  for (;;) {
    std::function<void()> task;
    {
      std::unique_lock lock(mutex_);
      changed_.wait(lock, [&] { return stopping_ || !tasks_.empty(); });
      if (stopping_) return;
      task = std::move(tasks_.front());
      tasks_.pop_front();
    }
    task();
  }
}

void SimController::enqueue(std::function<void()> task) {
  std::lock_guard lock(mutex_);
  if (stopping_) return;
  tasks_.push_back(std::move(task));
  changed_.notify_all();
}

void SimController::initScanM() {}

int SimController::smInitSetting(const fnd::Dictionary& settings) {
  DeviceModel model = DeviceModel::resolve(settings);
  const bool refuse = model.refuseInitialSetting;
  {
    std::lock_guard lock(mutex_);
    model_ = std::move(model);
    haveModel_ = true;
  }
  if (!refuse) return 0;
  // The data source waits for the report that says why.
  enqueue([this] { postError(errors::kNotReady, 0, 0); });
  return 1;
}

void SimController::smSetMaxPercentage(int percentage, int line) {
  std::lock_guard lock(mutex_);
  maxPercent_ = std::clamp(percentage, 0, 100);
  maxLinePercent_ = std::clamp(line, 0, 100);
}

void SimController::smSetTransferMode(int mode) {
  std::lock_guard lock(mutex_);
  transferMode_ = mode;
}

fnd::SharedDictionary SimController::smGetDeviceInformation() {
  std::lock_guard lock(mutex_);
  if (!haveModel_) return nullptr;
  return fnd::makeShared(model_.capabilities());
}

void SimController::smStartScanEvent(const fnd::Dictionary& request) {
  DeviceModel model;
  {
    std::lock_guard lock(mutex_);
    if (documentRunning_ || documentPending_ || stopping_) return;  // one document at a time
    if (!haveModel_) {
      model_ = DeviceModel::resolve(request);
      haveModel_ = true;
    }
    model = model_;
    documentPending_ = true;
    cancel_ = false;
  }
  ScanRequest scan = ScanRequest::fromDictionary(request, model);
  enqueue([this, scan = std::move(scan), model = std::move(model)] { runDocument(scan, model); });
}

void SimController::smStartScan() {
  std::lock_guard lock(mutex_);
  ++startRequests_;
  changed_.notify_all();
}

const std::uint8_t* SimController::smReadScan() {
  std::lock_guard lock(mutex_);
  if (cancel_ || rows_.empty()) return nullptr;
  if (!current_.empty()) spareRows_.push_back(std::move(current_));
  current_ = std::move(rows_.front());
  rows_.pop_front();
  // The renderer, stopped by a full queue, waits for a batch's room (deliverLines); the queue
  // shrinks one row at a time, so it passes this size on its way down.
  if (rows_.size() == kQueueDepth - kWakeBatch) changed_.notify_all();
  return current_.data();
}

bool SimController::smWaitScan(double seconds) {
  std::unique_lock lock(mutex_);
  changed_.wait_for(lock, std::chrono::duration<double>(seconds),
                    [&] { return !rows_.empty() || cancel_ || stopping_ || !documentRunning_ || linesOver_; });
  return !rows_.empty() && !cancel_;
}

void SimController::smEndScan() {
  std::lock_guard lock(mutex_);
  ++endRequests_;
  changed_.notify_all();
}

int SimController::smContinousScan2(int /*source*/) {
  std::unique_lock lock(mutex_);
  auto decided = [&] { return pagesEnded_ > 0 && decisionPage_ == pagesEnded_ - 1; };
  if (!documentRunning_ && !documentPending_) return lastStatus_ == report::kStatusError ? report::kPendingError : 0;
  if (!decided()) {
    continueAsked_ = true;
    changed_.notify_all();
    const bool answered = changed_.wait_for(lock, std::chrono::duration<double>(kAnswerTimeout), [&] {
      return decided() || stopping_ || (!documentRunning_ && !documentPending_);
    });
    continueAsked_ = false;
    if (!answered) {
      // The module thread did not answer: give up the document and say why.
      cancel_ = true;
      rows_.clear();
      changed_.notify_all();
      lock.unlock();
      enqueue([this] { postError(errors::kConnectionLost, 0, 0); });
      return report::kPendingError;
    }
    if (!decided()) return lastStatus_ == report::kStatusError ? report::kPendingError : 0;
  }
  return decision_;
}

void SimController::smCancelScan() {
  std::lock_guard lock(mutex_);
  cancel_ = true;
  rows_.clear();
  changed_.notify_all();
}

int SimController::smCheckADFPaperStatus(int /*unit*/) {
  std::lock_guard lock(mutex_);
  return model_.feederPages > 0 && !model_.noPaper ? 1 : 0;
}

void SimController::releaseScanM() {
  {
    std::lock_guard lock(mutex_);
    stopping_ = true;
    tasks_.clear();
    changed_.notify_all();
  }
  if (worker_.joinable() && worker_.get_id() != std::this_thread::get_id()) worker_.join();
}

int SimController::rowsProduced() const {
  std::lock_guard lock(mutex_);
  return rowsProduced_;
}

void SimController::wakeReader() {
  std::lock_guard lock(mutex_);
  if (!rows_.empty()) changed_.notify_all();
}

SimController::Outcome SimController::waitFor(std::unique_lock<std::mutex>& lock, const std::function<bool()>& pred) {
  changed_.wait(lock, [&] { return stopping_ || cancel_ || pred(); });
  if (stopping_) return Outcome::Stopping;
  if (cancel_) return Outcome::Cancelled;
  return Outcome::Done;
}

void SimController::post(const char* name, fnd::Dictionary info) {
  fnd::NotificationCenter::defaultCenter().post(name, this, fnd::makeShared(std::move(info)));
}

void SimController::postError(int error, int page, int line) {
  post(report::kErrorWillBeNotified);
  auto details = std::make_shared<ErrorInformation>(ErrorInformation{error, error, page, line});
  post(report::kErrorInformation, fnd::Dictionary{{"object", fnd::Value::object(details)}});
}

void SimController::postPercent(int percent) { post(report::kSetPercentage, fnd::Dictionary{{"PercentVal", percent}}); }

void SimController::runDocument(const ScanRequest& request, const DeviceModel& model) {
  {
    std::lock_guard lock(mutex_);
    documentPending_ = false;
    documentRunning_ = true;
    startRequests_ = endRequests_ = pagesEnded_ = 0;
    decisionPage_ = -1;
    decision_ = 0;
    rowsProduced_ = 0;
    rows_.clear();
    currentTempPath_ = request.temporaryPath;
  }
  post(report::kDocumentStart);
  post(report::kStartNoSleep);
  post(report::kCreateProgressWindow);
  post(report::kShowProgressWindow);
  // The window shows what it is told: the scanning message, the bar, Cancel and the page line.
  post(report::kSetInformationData, fnd::Dictionary{{"MessageID", kScanningMessage},
                                                    {"ProgressBar", true},
                                                    {"CancelButton", true},
                                                    {"DetailInfo", true}});
  postDocumentExtras(model);

  const int pages = request.source == Source::Feeder ? model.feederPages : static_cast<int>(request.areas.size());
  int status = report::kStatusDone;
  bool stopped = false;

  auto fail = [&](int error, int page, int line) {
    postError(error, page, line);
    status = report::kStatusError;
  };

  if (model.coverOpen) {
    fail(errors::kCoverOpen, 1, 0);
  } else if (request.source == Source::Feeder && (model.noPaper || pages == 0)) {
    fail(errors::kPaperOut, 1, 0);
  } else if (request.source == Source::Feeder && model.jamAtPage == 1) {
    fail(errors::kPaperJam, 1, 0);
  }

  for (int page = 0; status == report::kStatusDone && page < pages; ++page) {
    const ScanRequest::Area& area = request.areas[request.source == Source::Feeder ? 0 : static_cast<std::size_t>(page)];
    const Scene scene = sceneFor(request, model, page);
    // A saved file takes the user's tone without the monitor's gamma.
    ImageStage renderer(scene, area, toneFor(area.userGamma, 1.0, area.bitsPerSample == 16),
                        ImageStage::Orientation{area.rotation, area.mirror}, area.scale,
                        HSLFilter::open({area.cyanRed, area.magentaGreen, area.yellowBlue, area.saturation}),
                        ColourMatch::open(request.sourceProfile, request.targetProfile, area.bitsPerSample));
    const RenderSpec& renderSpec = renderer.renderSpec();

    // A device may report its first page as a placeholder first; the data source treats it
    // like an image report.
    post(page == 0 && model.imageInfoDummy ? report::kImageInfoDummy : report::kImageInfo,
         fnd::Dictionary{{"SAMPLES", renderer.samplesPerPixel()},
                                             {"PIXELS", renderSpec.bitsPerSample},
                                             {"WIDTH", renderSpec.width},
                                             {"HEIGHT", renderSpec.height},
                                             {"RESOLUTION", renderSpec.resolution},
                                             {"SOURCETYPE", request.imageSource},
                                             {"InputSource", request.inputSource},
                                             {"NoCloseUI", request.noCloseUI},
                                             {"TemporaryPath", request.temporaryPath}});
    post(report::kSetScanningInfo,
         fnd::Dictionary{{"NowVal", page + 1}, {"TotalVal", pages}, {"SourceVal", request.inputSource}});
    postProgressDetails(model, page, pages);

    Outcome outcome;
    {
      std::unique_lock lock(mutex_);
      outcome = waitFor(lock, [&] { return startRequests_ > page; });
    }
    if (outcome == Outcome::Done) outcome = deliverPage(renderer, model, page);
    if (outcome == Outcome::Stopping) {
      stopped = true;
      break;
    }
    if (outcome == Outcome::Cancelled) {
      status = report::kStatusCancelled;
      break;
    }
    if (outcome == Outcome::Failed) {
      status = report::kStatusError;
      break;
    }

    const int remaining = pages - page - 1;
    // Counted before it is reported: a reader that sees the page end and asks at once how many
    // pages follow must wait for this page's answer, not take the previous page's.
    {
      std::lock_guard lock(mutex_);
      ++pagesEnded_;
    }
    post(report::kPageEnd, fnd::Dictionary{{"CROPS", remaining}});

    // The data source now asks how many pages follow (or, on older models, ends the page).
    std::unique_lock lock(mutex_);
    outcome = waitFor(lock, [&] { return continueAsked_ || endRequests_ > page; });
    if (outcome != Outcome::Done) {
      stopped = outcome == Outcome::Stopping;
      if (!stopped) status = report::kStatusCancelled;
      break;
    }
    int answer = remaining;
    if (remaining > 0 && request.source == Source::Feeder && model.jamAtPage == page + 2) {
      lock.unlock();
      fail(errors::kPaperJam, page + 2, 0);
      lock.lock();
      answer = report::kPendingError;
    }
    decision_ = answer;
    decisionPage_ = page;
    changed_.notify_all();
    if (answer == 0 || answer == report::kPendingError) break;
    // The next image report waits until the data source has closed this page.
    outcome = waitFor(lock, [&] { return endRequests_ > page; });
    if (outcome != Outcome::Done) {
      stopped = outcome == Outcome::Stopping;
      if (!stopped) status = report::kStatusCancelled;
      break;
    }
  }

  // The document is over before its end is reported: a scan asked for from the report on (the
  // data source may ask as soon as it sees the end, while the post still runs) is taken, and runs
  // after this task on this thread. Rows already queued stay readable; the next document or a
  // cancel drops them.
  {
    std::lock_guard lock(mutex_);
    if (status != report::kStatusDone && cancel_ && status != report::kStatusError) status = report::kStatusCancelled;
    lastStatus_ = status;
    documentRunning_ = false;
    changed_.notify_all();
  }
  if (!stopped) post(report::kDocumentEnd, fnd::Dictionary{{"STATUS", status}});
  if (!stopped) {
    post(report::kCloseProgressWindow);
    post(report::kStopNoSleep);
    post(report::kEndScan);
  }
}

SimController::Outcome SimController::deliverPage(ImageStage& renderer, const DeviceModel& model, int page) {
  const int lostAt = model.connectionLostAtLine > 0 && model.connectionLostAtPage == page + 1 ? model.connectionLostAtLine : -1;
  std::string folder;
  {
    std::lock_guard lock(mutex_);
    folder = currentTempPath_;
  }
  switch (model.delivery) {
    case DeviceModel::Delivery::Line:
      return deliverLines(renderer, model, page, lostAt);
    case DeviceModel::Delivery::File:
      return deliverWhole(renderer, model, page, lostAt, folder, true);
    case DeviceModel::Delivery::Memory:
      return deliverWhole(renderer, model, page, lostAt, folder, false);
  }
  return Outcome::Failed;
}

SimController::Outcome SimController::deliverLines(ImageStage& renderer, const DeviceModel& model, int page, int lostAt) {
  {
    std::lock_guard lock(mutex_);
    linesOver_ = false;
    queueFull_ = false;
  }
  post(report::kPageStartObject);
  const int rows = renderer.rows();
  const std::size_t rowBytes = renderer.rowBytes();
  const auto delay = std::chrono::duration<double>(model.lineDelay);
  int lastPercent = -1;
  int maxPercent;
  {
    std::lock_guard lock(mutex_);
    maxPercent = maxLinePercent_;
  }
  for (int row = 0; row < rows; ++row) {
    if (row == lostAt) {
      wakeReader();
      postError(errors::kConnectionLost, page + 1, row);
      return Outcome::Failed;
    }
    std::vector<std::uint8_t> buffer;
    {
      std::unique_lock lock(mutex_);
      // Once full, the queue takes rows again when a batch's room is free: smReadScan wakes
      // this thread then, not for every row it takes.
      const Outcome o = waitFor(lock, [&] {
        return rows_.size() < kQueueDepth && (!queueFull_ || rows_.size() <= kQueueDepth - kWakeBatch);
      });
      queueFull_ = false;
      if (o != Outcome::Done) return o;
      if (!spareRows_.empty()) {
        buffer = std::move(spareRows_.back());
        spareRows_.pop_back();
      }
    }
    buffer.resize(rowBytes);
    if (!renderer.produceRow(row, buffer.data())) {
      wakeReader();
      postError(errors::kNoMemory, page + 1, row);
      return Outcome::Failed;
    }
    {
      std::unique_lock lock(mutex_);
      if (stopping_) return Outcome::Stopping;
      if (cancel_) return Outcome::Cancelled;
      rows_.push_back(std::move(buffer));
      ++rowsProduced_;
      queueFull_ = rows_.size() >= kQueueDepth;
      // A reader waiting for rows is woken once a batch waits (each row when rows come slowly);
      // its waits are short, and the page's end, a failure and every report wake it too.
      if (model.lineDelay > 0 || rows_.size() >= kWakeBatch) changed_.notify_all();
      if (model.lineDelay > 0) {
        changed_.wait_for(lock, delay, [&] { return stopping_ || cancel_; });
      }
    }
    const int percent = static_cast<int>(static_cast<long long>(row + 1) * maxPercent / rows);
    if (percent / 5 != lastPercent / 5) {
      lastPercent = percent;
      wakeReader();  // the rows before the report are read before it
      postPercent(percent);
    }
  }
  {
    std::lock_guard lock(mutex_);
    linesOver_ = true;
    changed_.notify_all();
  }
  return Outcome::Done;
}

SimController::Outcome SimController::deliverWhole(ImageStage& renderer, const DeviceModel& model, int page, int lostAt,
                                                   const std::string& folder, bool toFile) {
  const int rows = renderer.rows();
  const std::size_t rowBytes = renderer.rowBytes();
  const std::size_t total = rowBytes * static_cast<std::size_t>(rows);
  int maxPercent;
  {
    std::lock_guard lock(mutex_);
    maxPercent = maxPercent_;
  }

  std::unique_ptr<std::uint8_t[]> block;
  std::vector<std::uint8_t> row;
  std::FILE* out = nullptr;
  std::string path, partPath;
  if (toFile) {
    SimFileCreate names;
    names.SetTemporaryPath(folder);
    path = names.GetTemporaryFileName();  // makes the folder when it is missing
    partPath = path + ".part";
    out = path.empty() ? nullptr : std::fopen(partPath.c_str(), "wb");
    row.resize(rowBytes);
  } else {
    block.reset(new (std::nothrow) std::uint8_t[total]);
  }
  if ((toFile && !out) || (!toFile && !block)) {
    postError(errors::kNoMemory, page + 1, 0);
    return Outcome::Failed;
  }
  auto abandon = [&] {
    if (out) {
      std::fclose(out);
      std::remove(partPath.c_str());
    }
  };

  const auto delay = std::chrono::duration<double>(model.lineDelay);
  int lastPercent = -1;
  for (int r = 0; r < rows; ++r) {
    if (r == lostAt) {
      abandon();
      postError(errors::kConnectionLost, page + 1, r);
      return Outcome::Failed;
    }
    std::uint8_t* dest = toFile ? row.data() : block.get() + rowBytes * static_cast<std::size_t>(r);
    if (!renderer.produceRow(r, dest) || (toFile && std::fwrite(dest, 1, rowBytes, out) != rowBytes)) {
      abandon();
      postError(errors::kNoMemory, page + 1, r);
      return Outcome::Failed;
    }
    {
      std::unique_lock lock(mutex_);
      rowsProduced_ = r + 1;
      if (model.lineDelay > 0) changed_.wait_for(lock, delay, [&] { return stopping_ || cancel_; });
      if (stopping_ || cancel_) {
        const Outcome o = stopping_ ? Outcome::Stopping : Outcome::Cancelled;
        lock.unlock();
        abandon();
        return o;
      }
    }
    const int percent = static_cast<int>(static_cast<long long>(r + 1) * maxPercent / rows);
    if (percent / 5 != lastPercent / 5) {
      lastPercent = percent;
      postPercent(percent);
    }
  }

  fnd::Dictionary info;
  if (toFile) {
    const bool written = std::fflush(out) == 0 && ::fsync(::fileno(out)) == 0;
    const bool closed = std::fclose(out) == 0;
    std::error_code ec;
    if (!written || !closed || (std::filesystem::rename(partPath, path, ec), ec)) {
      std::remove(partPath.c_str());
      postError(errors::kNoMemory, page + 1, rows);
      return Outcome::Failed;
    }
    info.set("File", path);
    info.set("object", fnd::Value::object(std::make_shared<HandOver<PageFile>>(std::make_unique<PageFile>(path))));
  } else {
    info.set("object", fnd::Value::object(
                           std::make_shared<HandOver<PageMemory>>(std::make_unique<PageMemory>(std::move(block), total))));
  }
  // Whatever the receivers did not take goes with this post.
  post(report::kPageStartObject, std::move(info));
  return Outcome::Done;
}

void SimController::smPreviewScan(const fnd::Notification& note) {
  DeviceModel model;
  int inputSource = 0;
  {
    std::lock_guard lock(mutex_);
    if (documentRunning_ || documentPending_ || stopping_) return;
    model = model_;
    documentPending_ = true;
    cancel_ = false;
  }
  if (const fnd::Dictionary* info = note.info()) inputSource = info->intValue("InputSource");
  enqueue([this, model = std::move(model), inputSource] { runPreview(model, inputSource); });
}

void SimController::smZoomScan(const fnd::Notification& note) { smPreviewScan(note); }

void SimController::runPreview(const DeviceModel& model, int inputSource) {
  {
    std::lock_guard lock(mutex_);
    documentPending_ = false;
    documentRunning_ = true;
  }
  const bool film = inputSource >= 3 && inputSource <= 7;
  const Scene scene = film ? Scene::filmStrip(model.filmFrames) : Scene::platen(model.platenWidth, model.platenHeight);
  RenderSpec renderSpec;
  renderSpec.resolution = kPreviewResolution;
  renderSpec.width = static_cast<int>(scene.width() * renderSpec.resolution);
  renderSpec.height = static_cast<int>(scene.height() * renderSpec.resolution);
  const ImageRenderer renderer(scene, renderSpec);

  post(report::kCreateProgressWindow);
  post(report::kShowProgressWindow);
  Preview preview;
  preview.width = renderSpec.width;
  preview.height = renderSpec.height;
  const std::size_t rowBytes = renderer.rowBytes();
  {
    std::lock_guard lock(mutex_);
    preview.rgb = std::move(spareRgb_);
    spareRgb_.clear();
  }
  preview.rgb.resize(rowBytes * static_cast<std::size_t>(renderSpec.height));
  // Read block by block as it is sent, the way a scanner's preview arrives: the user interface
  // takes each block while the next is read, rather than all of them after the whole platen.
  std::uint8_t* const rows = preview.rgb.data();
  const auto readRows = [&](int first, int count) {
    for (int r = first; r < first + count; ++r) renderer.renderRow(r, rows + rowBytes * static_cast<std::size_t>(r));
  };
  if (!film) {
    for (const auto& d : scene.documents()) {
      const double k = kPreviewResolution;
      preview.documents.push_back({static_cast<int>(d.x * k), static_cast<int>(d.y * k), static_cast<int>(d.width * k),
                                   static_cast<int>(d.height * k)});
    }
  }
  const bool cancelled = !sendPreview(preview, readRows);
  if (!cancelled) keepPreview(std::move(preview));
  bool stopping;
  {
    std::lock_guard lock(mutex_);
    stopping = stopping_;
  }
  if (!stopping) {
    // The documents on the platen, or the frames of the film, as crop descriptions: corners
    // top left, top right, bottom right, bottom left, in preview pixels (the resolution the
    // scanner finds documents at) with the origin at the top left; the right and bottom
    // edges are the last pixels inside. On the platen the list starts with the area the
    // automatic crop found, the one rectangle enclosing every document: the user interface
    // takes that first entry as its automatic crop and the entries after it as the documents.
    // Film frames are listed alone.
    fnd::Array crops;
    if (!cancelled) {
      const double k = kPreviewResolution;
      auto crop = [k](double x, double y, double width, double height) {
        const long long x0 = std::lround(x * k), y0 = std::lround(y * k);
        const long long x1 = std::lround((x + width) * k) - 1, y1 = std::lround((y + height) * k) - 1;
        auto pt = [](long long px, long long py) { return fnd::Value(fnd::Dictionary{{"X", px}, {"Y", py}}); };
        return fnd::Value(fnd::Dictionary{{"points", fnd::Array{pt(x0, y0), pt(x1, y0), pt(x1, y1), pt(x0, y1)}},
                                          {"min", pt(x0, y0)},
                                          {"max", pt(x1, y1)}});
      };
      if (!film && !scene.documents().empty()) {
        const Scene::Area all = scene.documentsArea();
        crops.push_back(crop(all.x, all.y, all.width, all.height));
      }
      for (const auto& d : scene.documents()) crops.push_back(crop(d.x, d.y, d.width, d.height));
    }
    fnd::Dictionary end{{"PreviewFilmSize", 0},
                        {"PreviewFilmPosiNega", film ? inputSource : 3},
                        {"PreviewCancelFlag", cancelled ? 1 : 0},
                        {"PreviewErrorFlag", 0},
                        {"MC2DuplicateAuto", 0}};
    if (!cancelled) end.set("AutoMultiRect", crops);
    // Over before its end is reported, so a scan asked for on the report is taken.
    endRunning();
    post(report::kCloseProgressWindow);
    post(report::kEndPreview, std::move(end));
    return;
  }
  endRunning();
}

void SimController::endRunning() {
  std::lock_guard lock(mutex_);
  documentRunning_ = false;
  changed_.notify_all();
}


}  // namespace velmor
