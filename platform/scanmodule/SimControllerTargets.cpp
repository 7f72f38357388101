// The simulated scanner's answers to the user interface's requests other than scans: device
// settings, calibration, self test, preview backup and resume, tone tables, crop correction and
// automatic crop, and the extra reports its device definition can switch on.
#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdlib>
#include <memory>
#include <new>
#include <cstring>
#include <filesystem>
#include <thread>
#include <utility>

#include "foundation/FileManager.h"
#include "foundation/PropertyList.h"
#include "imageio/AreaAverager.h"
#include "scanmodule/DeviceSettings.h"
#include "scanmodule/ColourMatch.h"
#include "scanmodule/ErrorInformation.h"
#include "scanmodule/HSLFilter.h"
#include "scanmodule/ScanInfoRecord.h"
#include "scanmodule/ScanReports.h"
#include "scanmodule/SimController.h"
#include "ui/model/SM_COMMON/ScanDic/ScanDic.h"
#include "ui/model/SM_COMMON/ToneDic/ToneDic.h"

namespace velmor {

namespace {

// Writes an answer into the "SMResult" integer of a request, whichever way it was handed.
void answerResult(const fnd::Notification& note, int value) {
  const fnd::Dictionary* info = note.info();
  if (!info) return;
  const fnd::Value& slot = info->get("SMResult");
  if (auto p = slot.toObject<int>()) {
    *p = value;
  } else if (slot.isPointer() && slot.toPointer()) {
    *static_cast<int*>(slot.toPointer()) = value;
  }
}

constexpr std::size_t kToneTableBytes = 0x20000;

// A side of a picture handed over by address: positive and small enough that its byte count
// cannot overflow.
bool pictureSideFits(int side) { return side > 0 && side <= 65535; }
constexpr int kPreviewBlockRows = 64;

}  // namespace

DeviceModel SimController::currentModel() const {
  std::lock_guard lock(mutex_);
  return model_;
}

void SimController::record(const std::string& call, const fnd::Dictionary& input) {
  std::lock_guard lock(mutex_);
  recorded_[call] = input;
}

fnd::Dictionary SimController::recordedInput(const std::string& call) const {
  std::lock_guard lock(mutex_);
  auto it = recorded_.find(call);
  return it == recorded_.end() ? fnd::Dictionary{} : it->second;
}

std::vector<fnd::Data> SimController::userGamma(int number) const {
  std::lock_guard lock(mutex_);
  auto it = gamma_.find(number);
  return it == gamma_.end() ? std::vector<fnd::Data>{} : it->second;
}

// --- preview kept, sent, backed up and resumed -------------------------------------------------

void SimController::keepPreview(Preview preview) {
  std::shared_ptr<const Preview> replaced;
  {
    std::lock_guard lock(mutex_);
    // Made as a changeable object and handed out as a constant one, so that once nothing else
    // holds it its pixels may be taken for the next preview.
    replaced = std::exchange(preview_, std::shared_ptr<const Preview>(std::make_shared<Preview>(std::move(preview))));
    if (replaced.use_count() == 1 && !replaced->rgb.empty())
      spareRgb_ = std::move(const_cast<Preview&>(*replaced).rgb);
  }
}

bool SimController::sendPreview(const Preview& preview, const std::function<void(int, int)>& fill) {
  post(report::kSetPreviewMakeSize, fnd::Dictionary{{"PreviewWidth", preview.width}, {"PreviewHeight", preview.height}});
  const std::size_t rowBytes = static_cast<std::size_t>(preview.width) * 3;
  for (int r = 0; r < preview.height; r += kPreviewBlockRows) {
    const int n = std::min(kPreviewBlockRows, preview.height - r);
    if (fill) fill(r, n);
    const auto first = preview.rgb.begin() + static_cast<std::ptrdiff_t>(rowBytes * static_cast<std::size_t>(r));
    const std::size_t size = rowBytes * static_cast<std::size_t>(n);
    // The bytes travel as a typed value, so a receiver can check what it got.
    post(report::kSetPreviewData, fnd::Dictionary{{"PreviewSendSize", static_cast<long long>(size)},
                                                  {"PreviewSendData", fnd::Data(first, first + static_cast<std::ptrdiff_t>(size))}});
    postPercent((r + n) * 100 / preview.height);
    std::lock_guard lock(mutex_);
    if (stopping_ || (cancel_ && std::this_thread::get_id() == worker_.get_id())) return false;
  }
  post(report::kDrawPreviewArea);
  return true;
}

void SimController::smScanModuleBackup(const fnd::Notification& note) {
  std::shared_ptr<const Preview> kept;
  {
    std::lock_guard lock(mutex_);
    kept = preview_;
  }
  const Preview& preview = *kept;
  const fnd::Dictionary* info = note.info();
  const std::string folder = info ? info->string("BackupPath") : std::string();
  if (preview.rgb.empty() || folder.empty()) {
    answerResult(note, 1);
    return;
  }
  fnd::Array documents;
  for (const auto& d : preview.documents) documents.emplace_back(fnd::Array{d[0], d[1], d[2], d[3]});
  const fnd::Value file(fnd::Dictionary{{"Width", preview.width},
                                        {"Height", preview.height},
                                        {"Documents", documents},
                                        {"RGB", fnd::Data(preview.rgb.begin(), preview.rgb.end())}});
  std::error_code ec;
  std::filesystem::create_directories(folder, ec);
  const bool written = fnd::PropertyList::writeFile(file, (std::filesystem::path(folder) / kBackupFileName).string());
  answerResult(note, written ? 0 : 1);
}

void SimController::smScanModuleResume(const fnd::Notification& note) {
  const fnd::Dictionary* info = note.info();
  const std::string folder = info ? info->string("ResumePath") : std::string();
  const auto read = folder.empty() ? fnd::PropertyList::Result{}
                                   : fnd::PropertyList::readFile((std::filesystem::path(folder) / kBackupFileName).string());
  Preview preview;
  if (read.ok() && read.value->isDictionary()) {
    const fnd::Dictionary& d = read.value->toDictionary();
    preview.width = d.intValue("Width");
    preview.height = d.intValue("Height");
    const fnd::Data& rgb = d.data("RGB");
    for (const fnd::Value& doc : d.array("Documents")) {
      const fnd::Array& a = doc.toArray();
      if (a.size() == 4) preview.documents.push_back({a[0].toInt(), a[1].toInt(), a[2].toInt(), a[3].toInt()});
    }
    const std::size_t expected = static_cast<std::size_t>(std::max(0, preview.width)) * 3 *
                                 static_cast<std::size_t>(std::max(0, preview.height));
    if (preview.width > 0 && preview.height > 0 && rgb.size() == expected) preview.rgb.assign(rgb.begin(), rgb.end());
  }
  // Nothing kept, or a damaged file: there is no preview to resume.
  if (preview.rgb.empty()) {
    answerResult(note, 1);
    return;
  }
  sendPreview(preview);
  keepPreview(std::move(preview));
  answerResult(note, 0);
}

void SimController::smClearPreview(const fnd::Notification& note) {
  record("smClearPreview", note.info() ? *note.info() : fnd::Dictionary{});
}

// --- tone tables, crop correction, automatic crop ----------------------------------------------

void SimController::smSetUserGamma(const fnd::Dictionary& request) {
  // Ready tables ("Red", "Green", "Blue", the record form) or the tone setting to build them
  // from ("Spline" and "ToneParam", what the user interface sends); anything else keeps nothing.
  if (request.contains("Red") || request.contains("Green") || request.contains("Blue")) {
    std::unique_ptr<UserGamma> record(new (std::nothrow) UserGamma{});
    if (!record || UIM_GetDictionary_UserGamma(&request, record.get()) != 0) return;
    std::vector<fnd::Data> tables;
    for (const char* channel : {"Red", "Green", "Blue"}) {
      if (!request.get(channel).isData()) return;  // all three or none
    }
    for (const std::uint8_t* block : {record->Red, record->Green, record->Blue})
      tables.emplace_back(block, block + kToneTableBytes);
    std::lock_guard lock(mutex_);
    toneSettings_.erase(record->UserGammaNumber);
    gamma_[record->UserGammaNumber] = std::move(tables);
    return;
  }
  UserToneSetting setting;
  if (UIM_GetDictionary_UserToneSetting(&request, &setting) != 0) return;
  std::lock_guard lock(mutex_);
  gamma_.erase(setting.UserGammaNumber);
  toneSettings_[setting.UserGammaNumber] = setting;
}

std::optional<UserToneSetting> SimController::userToneSetting(int number) const {
  std::lock_guard lock(mutex_);
  auto it = toneSettings_.find(number);
  if (it == toneSettings_.end()) return std::nullopt;
  return it->second;
}

std::shared_ptr<const ToneTables> SimController::toneFor(int number, double masterGamma, bool sixteenBit) const {
  if (number == 0) return nullptr;
  std::optional<UserToneSetting> setting;
  std::vector<fnd::Data> tables;
  {
    std::lock_guard lock(mutex_);
    if (auto it = toneSettings_.find(number); it != toneSettings_.end()) setting = it->second;
    if (auto it = gamma_.find(number); it != gamma_.end()) tables = it->second;
  }
  std::shared_ptr<const ToneTables> tone =
      setting ? ToneTables::fromSetting(*setting, masterGamma, sixteenBit) : ToneTables::fromTables16(tables);
  return tone && !tone->identity() ? tone : nullptr;
}

SimController::CropArea SimController::cropAreaOf(const CropSetting& crop) {
  CropArea area{crop.ScanRect.x, crop.ScanRect.y, crop.ScanRect.width, crop.ScanRect.height};
  // A four-corner frame is the frame itself, whatever rectangle comes with it (a thumbnail's
  // request carries the thumbnail's whole rectangle beside its corners).
  if (crop.CropShape.Format == kCornerShape) {
    std::int32_t v[8];
    std::memcpy(v, crop.CropShape.Shape, sizeof v);
    const std::int32_t left = std::min({v[0], v[2], v[4], v[6]}), right = std::max({v[0], v[2], v[4], v[6]});
    const std::int32_t top = std::min({v[1], v[3], v[5], v[7]}), bottom = std::max({v[1], v[3], v[5], v[7]});
    // The corners are the frame's outermost pixels: the box holds them.
    area = CropArea{double(left), double(top), double(right) - left + 1, double(bottom) - top + 1};
  }
  return area;
}

SimController::CropArea SimController::cropAreaOf(const fnd::Dictionary& crop) {
  CropSetting setting;
  std::memset(&setting, 0, sizeof setting);
  UIM_GetDictionary_CropSetting(&crop, &setting);
  return cropAreaOf(setting);
}

void SimController::smCropCorrect(const fnd::Dictionary& request) {
  const ScanInfoRecord record(request);
  const CropSetting* crop = record.crop(1);
  if (!crop) return;
  std::int32_t* cellWidth = crop->DATA_WIDTH;
  std::int32_t* cellHeight = crop->DATA_HEIGHT;
  unsigned char** cellImage = crop->DATA_P;
  unsigned char** cellBefore = crop->DATA_H;
  if (!cellWidth || !cellHeight || !cellImage) return;

  std::shared_ptr<const Preview> kept;
  {
    std::lock_guard lock(mutex_);
    kept = preview_;
  }
  // Shown on screen: the monitor's gamma relative to the data's (none sent reads as the data's).
  const double monitorGamma = record.setting().MonitorGamma > 0 ? record.setting().MonitorGamma : kDataGamma;
  const std::shared_ptr<const ToneTables> tone = toneFor(crop->UserGamma, monitorGamma / kDataGamma, false);
  // The same colour matching as the scan, so the preview shows what the file will hold.
  const ColorSyncSetting& sync = record.setting().ColorSync;
  const std::unique_ptr<ColourMatch> colour =
      record.setting().ColorSetting == 1 && sync.SourceProfile && sync.TargetProfile
          ? ColourMatch::open(sync.SourceProfile, sync.TargetProfile, 8)
          : nullptr;
  const std::unique_ptr<HSLFilter> hsl =
      HSLFilter::open({crop->HSLCyanRed, crop->HSLMagentaGreen, crop->HSLYellowBlue, crop->HSLSaturation});
  const Preview& preview = *kept;
  *cellWidth = 0;
  *cellHeight = 0;
  *cellImage = nullptr;
  if (cellBefore) *cellBefore = nullptr;
  if (preview.rgb.empty()) return;

  // The crop's area on the preview, in the preview's own pixels (top left origin) whatever
  // resolution the crop asks for: its rectangle, or, for a four-corner frame sent without one
  // (a thumbnail of a document found on the platen), the box around its corners.
  const CropArea area = cropAreaOf(*crop);
  const int x0 = std::clamp(static_cast<int>(area.x), 0, preview.width);
  const int y0 = std::clamp(static_cast<int>(area.y), 0, preview.height);
  const int x1 = std::clamp(static_cast<int>(area.x + area.width), x0, preview.width);
  const int y1 = std::clamp(static_cast<int>(area.y + area.height), y0, preview.height);
  const int w = x1 - x0, h = y1 - y0;
  if (w <= 0 || h <= 0) return;

  const std::size_t bytes = static_cast<std::size_t>(w) * static_cast<std::size_t>(h) * 3;
  // The requester adopts both blocks and frees them with free().
  auto* corrected = static_cast<unsigned char*>(std::malloc(bytes));
  auto* before = cellBefore ? static_cast<unsigned char*>(std::malloc(bytes)) : nullptr;
  if (!corrected || (cellBefore && !before)) {
    std::free(corrected);
    std::free(before);
    return;
  }
  const bool grey = record.setting().ColorMode == 1;
  for (int y = 0; y < h; ++y) {
    const std::uint8_t* src = preview.rgb.data() + (static_cast<std::size_t>(y0 + y) * preview.width + x0) * 3;
    unsigned char* out = corrected + static_cast<std::size_t>(y) * w * 3;
    if (before) std::memcpy(before + static_cast<std::size_t>(y) * w * 3, src, static_cast<std::size_t>(w) * 3);
    std::memcpy(out, src, static_cast<std::size_t>(w) * 3);
    if (colour) colour->apply(out, w);
    if (tone) ImageStage::applyTone(*tone, 3, 8, out, w);
    if (hsl) hsl->apply(out, w, 8);
    if (grey) {
      for (int x = 0; x < w; ++x) {
        unsigned char* px = out + x * 3;
        px[0] = px[1] = px[2] = static_cast<std::uint8_t>((px[0] * 299 + px[1] * 587 + px[2] * 114) / 1000);
      }
    }
  }
  *cellWidth = w;
  *cellHeight = h;
  *cellImage = corrected;
  if (cellBefore) *cellBefore = before;
}

void SimController::smAutoCrop(const fnd::Dictionary& request) {
  const fnd::Array& points = request.array("points");
  // The answer goes into the poster's own dictionary under "autoCropPDic".
  std::shared_ptr<fnd::Dictionary> answer = request.get("autoCropPDic").toObject<fnd::Dictionary>();
  if (!answer || points.size() != 4) return;
  Preview preview;
  {
    std::lock_guard lock(mutex_);
    preview.width = preview_->width;
    preview.height = preview_->height;
    preview.documents = preview_->documents;
  }
  if (preview.documents.empty()) {
    answer->set("newPoints", points);  // nothing found: the frame stays
    return;
  }
  const fnd::Dictionary& p0 = points[0].toDictionary();
  const fnd::Dictionary& p2 = points[2].toDictionary();
  const int fx0 = p0.intValue("X"), fy0 = p0.intValue("Y"), fx1 = p2.intValue("X"), fy1 = p2.intValue("Y");
  // The document under most of the frame; with no frame (or none under it) the one first found.
  const std::array<int, 4>* best = &preview.documents.front();
  long long bestArea = 0;
  for (const auto& d : preview.documents) {
    const long long ow = std::min(fx1, d[0] + d[2]) - std::max(fx0, d[0]);
    const long long oh = std::min(fy1, d[1] + d[3]) - std::max(fy0, d[1]);
    if (ow > 0 && oh > 0 && ow * oh > bestArea) {
      bestArea = ow * oh;
      best = &d;
    }
  }
  const int x0 = std::clamp((*best)[0], 0, preview.width - 1), y0 = std::clamp((*best)[1], 0, preview.height - 1);
  const int x1 = std::min((*best)[0] + (*best)[2], preview.width - 1);
  const int y1 = std::min((*best)[1] + (*best)[3], preview.height - 1);
  auto pt = [](int x, int y) { return fnd::Value(fnd::Dictionary{{"X", x}, {"Y", y}}); };
  answer->set("newPoints", fnd::Array{pt(x0, y0), pt(x1, y0), pt(x1, y1), pt(x0, y1)});
}

// --- calibration and self test -----------------------------------------------------------------

void SimController::smCalibration(const fnd::Notification& note) {
  const DeviceModel model = currentModel();
  record("smCalibration", note.info() ? *note.info() : fnd::Dictionary{});
  post(report::kDisplayCalibration, fnd::Dictionary{{"DisplayMode", 1350}});
  post(report::kCloseCalibration);
  if (model.manualCalibrationError) {
    post(report::kManualCalibrationError, fnd::Dictionary{{"TestStatus", report::kCalibrationFailed},
                                                          {"Number1", report::kCalibrationFailed},
                                                          {"Number2", 0},
                                                          {"Number3", 0}});
  }
}

void SimController::smScannterTest(const fnd::Notification& note) {
  const DeviceModel model = currentModel();
  record("smScannterTest", note.info() ? *note.info() : fnd::Dictionary{});
  const int status = model.scannerTestStatus != 0 ? model.scannerTestStatus : report::kScannerTestPassed;
  post(report::kDisplayScannerTestStatus, fnd::Dictionary{{"TestStatus", status}});
  post(report::kEndScannerTest, fnd::Dictionary{{"TestStatus", status}});
}

// --- requests that are only recorded -----------------------------------------------------------

void SimController::smSetLampOff(const fnd::Dictionary& request) { record("smSetLampOff", request); }

void SimController::smChangeInputSource(const fnd::Notification& note) {
  record("smChangeInputSource", note.info() ? *note.info() : fnd::Dictionary{});
}

// --- picture work for the colour-pattern dialog -------------------------------------------------
// Both fill the caller's destination (8-bit RGB, rows from the top, no padding) before they
// return and answer "SMResult" 0; a request with a missing buffer, a side that is not positive
// or too large, or a setting they cannot honour is answered 1 with the destination untouched.

void SimController::smExecuteHSL(const fnd::Notification& note) {
  record("smExecuteHSL", note.info() ? *note.info() : fnd::Dictionary{});
  const fnd::Dictionary* info = note.info();
  if (!info) return;
  const int width = info->intValue("srcWidth"), height = info->intValue("srcHeight");
  const auto* src = static_cast<const std::uint8_t*>(info->get("srcBitmap").toPointer());
  auto* dst = static_cast<std::uint8_t*>(info->get("dstBitmap").toPointer());
  // Saturation is not something this module changes.
  if (!src || !dst || !pictureSideFits(width) || !pictureSideFits(height) || info->intValue("Saturation") != 0) {
    answerResult(note, 1);
    return;
  }
  // The same move as the HSL plug-in's: a full step of 100 moves a channel by half its range.
  const int settings[3] = {info->intValue("CyanRed"), info->intValue("MagentaGreen"), info->intValue("YellowBlue")};
  double shift[3];
  for (int c = 0; c < 3; ++c) shift[c] = std::clamp(settings[c], -100, 100) / 100.0 / 2;
  std::uint8_t table[3][256];
  for (int c = 0; c < 3; ++c)
    for (int v = 0; v < 256; ++v)
      table[c][v] = static_cast<std::uint8_t>(std::lround(std::clamp(v / 255.0 + shift[c], 0.0, 1.0) * 255.0));
  const std::size_t samples = std::size_t(width) * std::size_t(height) * 3;
  for (std::size_t i = 0; i < samples; ++i) dst[i] = table[i % 3][src[i]];
  answerResult(note, 0);
}

void SimController::smResizeBitmap(const fnd::Notification& note) {
  record("smResizeBitmap", note.info() ? *note.info() : fnd::Dictionary{});
  const fnd::Dictionary* info = note.info();
  if (!info) return;
  const int sw = info->intValue("srcWidth"), sh = info->intValue("srcHeight");
  const int dw = info->intValue("dstWidth"), dh = info->intValue("dstHeight");
  const auto* src = static_cast<const std::uint8_t*>(info->get("srcBitmap").toPointer());
  auto* dst = static_cast<std::uint8_t*>(info->get("dstBitmap").toPointer());
  // Area averaging only reduces.
  if (!src || !dst || !pictureSideFits(sw) || !pictureSideFits(sh) || !pictureSideFits(dw) || !pictureSideFits(dh) ||
      dw > sw || dh > sh) {
    answerResult(note, 1);
    return;
  }
  try {
    imageio::AreaAverager averager(std::size_t(sw), std::size_t(sh), std::size_t(dw), std::size_t(dh), 3);
    for (int y = 0; y < sh; ++y) averager.addRow(src + std::size_t(y) * std::size_t(sw) * 3);
    const std::vector<std::uint8_t>& out = averager.pixels();
    std::memcpy(dst, out.data(), std::min(out.size(), std::size_t(dw) * std::size_t(dh) * 3));
  } catch (const std::bad_alloc&) {
    answerResult(note, 1);
    return;
  }
  answerResult(note, 0);
}

// --- settings the device keeps -----------------------------------------------------------------

void SimController::smGetSilentSetting(const fnd::Notification& note) {
  fnd::Dictionary* info = note.info();
  if (!info) return;
  const DeviceModel model = currentModel();
  info->set("FuncStatus", model.funcStatus);
  if (model.funcStatus != 0) return;
  const DeviceSettings::Silent s = DeviceSettings::silent(model.name);
  info->set("SilentSetting", s.setting);
  info->set("StartHour", s.startHour);
  info->set("StartMinutes", s.startMinutes);
  info->set("EndHour", s.endHour);
  info->set("EndMinutes", s.endMinutes);
}

void SimController::smSetSilentSetting(const fnd::Notification& note) {
  fnd::Dictionary* info = note.info();
  if (!info) return;
  const DeviceModel model = currentModel();
  info->set("FuncStatus", model.funcStatus);
  if (model.funcStatus != 0) return;  // the device refused: it keeps what it had
  DeviceSettings::setSilent(model.name, DeviceSettings::Silent{info->intValue("SilentSetting"), info->intValue("StartHour"),
                                                               info->intValue("StartMinutes"), info->intValue("EndHour"),
                                                               info->intValue("EndMinutes")});
}

void SimController::smGetAutoPowerOffSetting(const fnd::Notification& note) {
  fnd::Dictionary* info = note.info();
  if (!info) return;
  const DeviceModel model = currentModel();
  info->set("FuncStatus", model.funcStatus);
  if (model.funcStatus == 0) info->set("AutoPowerOffTime", DeviceSettings::power(model.name).offTime);
}

void SimController::smSetAutoPowerOffSetting(const fnd::Notification& note) {
  fnd::Dictionary* info = note.info();
  if (!info) return;
  const DeviceModel model = currentModel();
  info->set("FuncStatus", model.funcStatus);
  if (model.funcStatus == 0) DeviceSettings::setPowerOff(model.name, info->intValue("AutoPowerOffTime"));
}

void SimController::smGetAutoPowerOnSetting(const fnd::Notification& note) {
  fnd::Dictionary* info = note.info();
  if (!info) return;
  const DeviceModel model = currentModel();
  info->set("FuncStatus", model.funcStatus);
  if (model.funcStatus == 0) info->set("AutoPowerOnSetting", DeviceSettings::power(model.name).on);
}

void SimController::smSetAutoPowerOnSetting(const fnd::Notification& note) {
  fnd::Dictionary* info = note.info();
  if (!info) return;
  const DeviceModel model = currentModel();
  info->set("FuncStatus", model.funcStatus);
  if (model.funcStatus == 0) DeviceSettings::setPowerOn(model.name, info->intValue("AutoPowerOnSetting"));
}

// --- extra reports of a scan -------------------------------------------------------------------

void SimController::postDocumentExtras(const DeviceModel& model) {
  if (model.slowOpen > 0) {
    // The device takes its time to answer: the user sees that it is being connected.
    post(report::kDisplayScannerConnect);
    {
      std::unique_lock lock(mutex_);
      changed_.wait_for(lock, std::chrono::duration<double>(model.slowOpen), [&] { return stopping_ || cancel_; });
    }
    post(report::kCloseScannerConnect);
  }
  if (model.updateReadPushButton) post(report::kUpdateReadPushButton);
  if (model.modalQuestion > 0) {
    auto answer = std::make_shared<ModalAnswer>();
    post(report::kModalDialog, fnd::Dictionary{{"ErrorNumber", model.modalQuestion}, {"object", fnd::Value::object(answer)}});
    record("ModalAnswer", fnd::Dictionary{{"answer", answer->answer}});
  }
}

void SimController::postProgressDetails(const DeviceModel& model, int page, int pages) {
  if (!model.progressDetails) return;
  post(report::kSetInformationData, fnd::Dictionary{{"Page", page + 1}, {"Pages", pages}});
  post(report::kSetEstimatedRemainingTime, fnd::Dictionary{{"TimeVal", (pages - page) * 10}});
  post(report::kSetMessageFieldInfo,
       fnd::Dictionary{{"MessageID", 1900}, {"PFormat", "%d / %d"}, {"PParameter", fnd::Array{page + 1, pages}}});
}

}  // namespace velmor
