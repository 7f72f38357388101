// The launcher's transfer loop (trivolan_app): a whole-platen scan at 720 dpi (6120 x 8424,
// 51.6 megapixels of RGB) and at 360 dpi (12.9 megapixels) pulled from the simulated scanner
// (no line delay) through the data source in 1 MiB blocks into the save driver, as TIFF and as
// JPEG, from the Scan button's requests until the data source is told the end of saving.
//
// Beside each, in the same run, the save pipeline alone fed the same rows in the same 1 MiB
// blocks, with the same passes (for JPEG the temporary TIFF, the conversion and the EXIF pass):
// "SavePipelineAlone" with the renderer's rows made before the clock starts, and
// "SavePipelineFedByRenderer" with each block rendered as the simulated scanner renders it.
// The simulated scanner renders far slower than the pipeline saves, so the loop is compared
// with the second: its cost beyond it is the data source's line copies and the launcher's and
// data source's polling. "ScannerRenderAlone" shows the renderer's own time.
//
// Counters per run: peak_rss_growth_KiB, the growth of the process's peak resident size during
// the save over the resident size before it, from the second run on (the first warms the heap);
// megapixels; for the loop ms_in_data_source, the time inside the data source's transfer calls
// (its waits for the scanner included). After each run, outside the clock, every file saved is
// checked to read back whole at the scan's size. Short mode: one run each at 36 and 18 dpi.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <algorithm>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "BenchSupport.h"
#include "ReadBack.h"
#include "datasource/DirectTWAIN.h"
#include "datasource/UIRoot.h"
#include "foundation/NotificationCenter.h"
#include "foundation/Paths.h"
#include "foundation/PropertyList.h"
#include "foundation/RunLoop.h"
#include "foundation/Timer.h"
#include "kit/Application.h"
#include "launcher/AppDelegate.h"
#include "launcher/DataSourcePort.h"
#include "launcher/DirectTWAINPort.h"
#include "launcher/save/ICMSTR_CLASS.h"
#include "launcher/save/ISM_IMAGE_INFO.h"
#include "launcher/save/ISM_OPTION_INFO.h"
#include "launcher/save/ISM_XFORM_INFO.h"
#include "launcher/save/SMCodes.h"
#include "launcher/save/SaveModuleCore.h"
#include "scanmodule/DeviceModel.h"
#include "scanmodule/ImageRenderer.h"
#include "scanmodule/Scene.h"

namespace {

using benchsupport::statusKiB;
inline bool resetPeak() { return benchsupport::resetPeakMemory(); }

namespace fs = std::filesystem;

constexpr const char* kScanner = "Vantrel TS-800 Virtual";
constexpr std::uint32_t kBlock = 0x100000;

// --- memory



// --- the scan

struct Scan {
  int resolution;
  int width, height;
};

Scan platenAt(int resolution) {
  const velmor::DeviceModel model = velmor::DeviceModel::resolve(fnd::Dictionary{{"DeviceName", kScanner}});
  return Scan{resolution, int(model.platenWidth * resolution), int(model.platenHeight * resolution)};
}

const std::vector<std::uint8_t>& renderedRows(const Scan& s) {
  static std::map<int, std::vector<std::uint8_t>> cache;
  auto found = cache.find(s.resolution);
  if (found != cache.end()) return found->second;
  const velmor::DeviceModel model = velmor::DeviceModel::resolve(fnd::Dictionary{{"DeviceName", kScanner}});
  const velmor::Scene scene = velmor::Scene::platen(model.platenWidth, model.platenHeight);
  velmor::RenderSpec renderSpec;
  renderSpec.resolution = s.resolution;
  renderSpec.width = s.width;
  renderSpec.height = s.height;
  const velmor::ImageRenderer renderer(scene, renderSpec);
  std::vector<std::uint8_t> rows(renderer.rowBytes() * std::size_t(renderer.rows()));
  for (int r = 0; r < renderer.rows(); ++r) renderer.renderRow(r, rows.data() + renderer.rowBytes() * std::size_t(r));
  return cache.emplace(s.resolution, std::move(rows)).first->second;
}

// Every file in folder (at least one) reads back whole at the scan's size.
bool savedFilesReadBack(const std::string& folder, const Scan& s) {
  int files = 0;
  std::error_code ec;
  for (const auto& e : fs::directory_iterator(folder, ec)) {
    ++files;
    if (!benchsupport::readsBack(e.path().string(), std::size_t(s.width), std::size_t(s.height))) return false;
  }
  return benchsupport::check(files > 0, folder + ": no file saved");
}

std::string saveFolder() {
  const std::string folder = fnd::Paths::tempDir() + "/saved";
  std::error_code ec;
  fs::remove_all(folder, ec);
  fs::create_directories(folder, ec);
  return folder;
}

// Every run's seconds, by runKey.
std::map<std::string, std::vector<double>>& runTimes() {
  static std::map<std::string, std::vector<double>> t;
  return t;
}
std::string runKey(const Scan& s, std::int64_t format, const char* what) {
  return std::to_string(s.resolution) + (format == 0 ? " JPEG " : " TIFF ") + what;
}

// Per size and format: the loop against the pipeline fed by the renderer, best and median.
void printRatios() {
  for (const int dpi : {benchsupport::pick(720, 36), benchsupport::pick(360, 18)})
    for (const std::int64_t format : {1, 0}) {
      const Scan s = platenAt(dpi);
      const std::vector<double>& loop = runTimes()[runKey(s, format, "loop")];
      const std::vector<double>& fed = runTimes()[runKey(s, format, "fed")];
      if (loop.empty() || fed.empty()) continue;
      const double bestLoop = *std::min_element(loop.begin(), loop.end());
      const double bestFed = *std::min_element(fed.begin(), fed.end());
      std::printf("%d dpi %s: loop best %.3f s, median %.3f s; pipeline fed by the renderer best %.3f s, "
                  "median %.3f s; ratio best %.2f, median %.2f over %zu runs (goal 1.2 or less)\n",
                  dpi, format == 0 ? "JPEG" : "TIFF", bestLoop, benchsupport::medianOf(loop), bestFed,
                  benchsupport::medianOf(fed), bestLoop / bestFed,
                  benchsupport::medianOf(loop) / benchsupport::medianOf(fed), loop.size());
    }
  std::printf("load: %s\n", benchsupport::loadAverage().c_str());
}

// --- the program: the launcher with the product's data source on the virtual scanner

class CountingDataSource final : public Zorvik_DataSourcePort {
 public:
  explicit CountingDataSource(std::unique_ptr<Zorvik_DataSourcePort> real) : real_(std::move(real)) {}
  std::int32_t dtScannerOpenDevice(const fnd::Dictionary& d) override { return real_->dtScannerOpenDevice(d); }
  std::int32_t dtScannerOpenUserInterface(std::int32_t u) override { return real_->dtScannerOpenUserInterface(u); }
  std::int32_t dtScannerCloseUserInterface() override { return real_->dtScannerCloseUserInterface(); }
  std::int32_t dtScannerCloseDevice() override { return real_->dtScannerCloseDevice(); }
  std::int32_t dtScannerSetupMemorySize(std::uint32_t s) override { return real_->dtScannerSetupMemorySize(s); }
  std::int32_t dtScannerGetImageInfo(DT_IMAGEINFO* i) override {
    return timed([&] { return real_->dtScannerGetImageInfo(i); });
  }
  std::int32_t dtScannerImageMemoryTransfer(TW_IMAGEMEMXFER* x) override {
    return timed([&] { return real_->dtScannerImageMemoryTransfer(x); });
  }
  std::int32_t dtScannerPendingTransfers(std::int32_t m) override {
    return timed([&] { return real_->dtScannerPendingTransfers(m); });
  }
  std::int32_t dtScannerNotifyDidFinishSaving(std::int32_t status) override {
    lastStatus = status;
    ++told;
    return timed([&] { return real_->dtScannerNotifyDidFinishSaving(status); });
  }
  const void* notificationSender() const override { return real_->notificationSender(); }
  template <class Call>
  std::int32_t timed(Call call) {
    const auto start = std::chrono::steady_clock::now();
    const std::int32_t answer = call();
    secondsInDataSource += std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    return answer;
  }
  const void* root() const {
    Dravon_UIRoot* r = static_cast<Zorvik_DirectTWAINPort&>(*real_).dataSource().userInterfaceRoot();
    return r ? r->notificationSender() : nullptr;
  }

  int told = 0;
  int lastStatus = -1;
  double secondsInDataSource = 0;  // inside the transfer calls (the data source's waits included)

 private:
  std::unique_ptr<Zorvik_DataSourcePort> real_;
};

struct Program {
  std::unique_ptr<Zorvik_AppDelegate> delegate;
  CountingDataSource* port = nullptr;
  std::shared_ptr<fnd::Timer> answerer;
  bool ready = false;
};

Program& program() {
  static Program p;
  return p;
}

bool runUntil(const std::function<bool()>& done, double seconds) {
  const auto end = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
  while (!done() && std::chrono::steady_clock::now() < end) fnd::RunLoop::main().runOnce(fnd::RunLoopMode::Default, 0.01);
  return done();
}

bool startProgram() {
  // The virtual scanner without its line delay.
  fnd::PropertyList::Result devices =
      fnd::PropertyList::readFile(fnd::Paths::resourceDir() + "/devices/VirtualDevices.plist");
  if (!devices.ok()) return false;
  fnd::Array entries = devices.value->toDictionary().array("Devices");
  if (entries.empty()) return false;
  fnd::Dictionary first = entries.front().toDictionary();
  fnd::Dictionary behaviour = first.dictionary("Behaviour");
  behaviour.set("LineDelay", fnd::Value(0.0));
  first.set("Behaviour", fnd::Value(behaviour));
  const std::string deviceFile = fnd::Paths::tempDir() + "/Devices.plist";
  if (!fnd::PropertyList::writeFile(fnd::Value(fnd::Dictionary{{"Devices", fnd::Array{first}}}), deviceFile))
    return false;

  Zorvik_SetMainWindowStandIn(true);
  Program& p = program();
  p.delegate = std::make_unique<Zorvik_AppDelegate>(
      [&p]() -> std::unique_ptr<Zorvik_DataSourcePort> {
        std::unique_ptr<Zorvik_DataSourcePort> real = Zorvik_MakeDirectTWAIN();
        if (!real) return nullptr;
        auto counting = std::make_unique<CountingDataSource>(std::move(real));
        p.port = counting.get();
        return counting;
      },
      deviceFile);
  // Any box is answered with OK.
  p.answerer = fnd::Timer::scheduled(
      0.05, true,
      [](fnd::Timer&) {
        kit::Application& a = kit::Application::shared();
        if (a.modalWindow()) a.stopModalWithCode(1);
      },
      fnd::kCommonModes);
  kit::Application::shared().setDelegate(p.delegate.get());
  p.delegate->applicationDidFinishLaunching(kit::Application::shared());
  p.ready = runUntil([&] { return p.delegate->uiNotOpen() == 0 && p.port && p.port->root(); }, 30);
  return p.ready;
}

void stopProgram() {
  Program& p = program();
  if (!p.delegate) return;
  p.delegate->closeRequest();
  p.answerer->invalidate();
  kit::Application::shared().setDelegate(nullptr);
  p.delegate.reset();
}

// One request through the real program; answers whether the data source was told 0.
bool scanThroughLoop(const Scan& s, std::int64_t format, const std::string& folder) {
  Program& p = program();
  const int told = p.port->told;
  auto& center = fnd::NotificationCenter::defaultCenter();
  center.post("ntfQuirel_SaveInfo", p.port->root(),
              fnd::makeShared(fnd::Dictionary{{"SaveFilePath", folder},
                                              {"SaveFileFormat", static_cast<long long>(format)},
                                              {"SaveCompression", 2}}));
  const fnd::Dictionary crop{{"Resolution", s.resolution},
                             {"ScanRect", fnd::Dictionary{{"X", 0}, {"Y", 0}, {"width", s.width}, {"height", s.height}}}};
  center.post("StandardMode_Scan", p.port->root(),
              fnd::makeShared(fnd::Dictionary{
                  {"ScanSetting", fnd::Dictionary{{"ColorMode", 2}, {"TemporaryPath", fnd::Paths::tempDir()}, {"NoCloseUI", 1}}},
                  {"InputSource", 0},
                  {"BitDepth", 8},
                  {"CropItem", fnd::Array{crop}}}));
  return runUntil([&] { return p.port->told > told && !p.delegate->isTransferring(); }, 600) && p.port->lastStatus == 0;
}

// The same rows into the save driver alone, as the loop hands them over.
// fill(y, n, block) puts rows y to y + n - 1 into the block.
using RowFill = std::function<void(std::uint32_t y, std::uint32_t n, std::uint8_t* block)>;

bool saveAlone(SaveModuleCore& core, const Scan& s, std::int64_t format, const std::string& folder,
               const RowFill& fill) {
  std::unique_ptr<ICMSTR_CLASS> temp;
  const std::string tempText = fnd::Paths::tempDir();
  CM_CreateStringWithNSString(&temp, &tempText, 1024);
  CMResult rc = core.SetTempFolderPath(temp.get());
  const std::string name = "IMG";
  const std::string path = folder + (format == 0 ? "/IMG_alone.jpg" : "/IMG_alone.tif");
  const std::uint32_t writer = format == 2 ? SM_FORMAT_LARGE_TIFF : SM_FORMAT_TIFF;
  if (rc == CM_OK) rc = core.SetSaveFileInfo(&name, &path, &folder, writer, 2, 0, nullptr);
  std::unique_ptr<ISM_XFORM_INFO> xform;
  SM_CreateXformInfo(&xform);
  xform->SetFormat(SM_FORMAT_RAW, writer);
  xform->SetCompression(SM_COMPRESSION_HIGH);
  const std::string app = "Trivolan", device = kScanner;
  xform->SetAppName(&app);
  xform->SetDeviceName(&device);
  if (rc == CM_OK) rc = core.SetXformInfo(xform.get());
  if (rc == CM_OK) rc = core.StartXformThread();
  SM_ImageProperty_Struct property{std::uint32_t(s.width), std::uint32_t(s.height), 8, 3, double(s.resolution),
                                   double(s.resolution)};
  std::unique_ptr<ISM_IMAGE_INFO> image;
  SM_CreateImageInfoWithProperty(&image, &property, &path, &path);
  if (rc == CM_OK) rc = core.StartXformImage(image.get());
  const std::uint32_t rowBytes = std::uint32_t(s.width) * 3;
  const std::uint32_t perBlock = kBlock / rowBytes;
  // The loop's one reused block: each block is copied into it, as the data source does.
  std::vector<std::uint8_t> block(kBlock);
  for (std::uint32_t y = 0; rc == CM_OK && y < std::uint32_t(s.height); y += perBlock) {
    const std::uint32_t n = std::min(perBlock, std::uint32_t(s.height) - y);
    fill(y, n, block.data());
    rc = core.WriteImageLines(y, n, rowBytes, kBlock, block.data());
  }
  std::unique_ptr<ISM_OPTION_INFO> option;
  SM_CreateOptionInfo(&option);
  option->SetRotation(SM_ROTATE_0);
  option->SetOptionSwitch(SM_SWITCH_4081);
  if (rc == CM_OK) rc = core.EndXformImage(option.get());
  if (rc == CM_OK && format == 0) {
    core.SetEndXformFlag(0);
    xform->SetFormat(SM_FORMAT_TIFF, SM_FORMAT_JPEG_EXIF);
    core.SetXformInfo(xform.get());
    rc = core.StartFinalXformThread();
  }
  core.EndXform();
  while (core.GetRunningWorkerCount() > 0) std::this_thread::sleep_for(std::chrono::milliseconds(5));
  return rc == CM_OK && core.GetErrorMessage() == CM_OK && fs::exists(path);
}

void BM_TransferLoop(benchmark::State& state) {
  const Scan s = platenAt(int(state.range(0)));
  const std::int64_t format = state.range(1);
  if (!program().ready) {
    state.SkipWithError("the program did not open the virtual scanner");
    return;
  }
  long peak = 0;
  int runs = 0;
  double inDataSource = 0;
  for (auto _ : state) {
    const std::string folder = saveFolder();
    const long before = statusKiB("VmRSS");
    resetPeak();
    program().port->secondsInDataSource = 0;
    const auto start = std::chrono::steady_clock::now();
    const bool ok = scanThroughLoop(s, format, folder);
    inDataSource += program().port->secondsInDataSource;
    const auto end = std::chrono::steady_clock::now();
    // The first run warms the heap and the writers' buffers; the peak counts from the second.
    if (++runs > 1) peak = std::max(peak, statusKiB("VmHWM") - before);
    if (!ok) {
      state.SkipWithError("the scan was not saved");
      return;
    }
    if (!savedFilesReadBack(folder, s)) {
      state.SkipWithError("the saved scan does not read back");
      return;
    }
    const double seconds = std::chrono::duration<double>(end - start).count();
    state.SetIterationTime(seconds);
    runTimes()[runKey(s, format, "loop")].push_back(seconds);
  }
  state.counters["peak_rss_growth_KiB"] = double(peak);
  state.counters["megapixels"] = double(s.width) * s.height / 1e6;
  state.counters["ms_in_data_source"] = inDataSource * 1000 / double(state.iterations());
}

// range(2): 0 the rows rendered beforehand and copied in; 1 rendered into the block as the
// scanner makes them (the same producer as the loop's, without the data source and launcher).
void BM_SavePipelineAlone(benchmark::State& state) {
  const Scan s = platenAt(int(state.range(0)));
  const std::int64_t format = state.range(1);
  const std::uint32_t rowBytes = std::uint32_t(s.width) * 3;
  RowFill fill;
  const velmor::DeviceModel model = velmor::DeviceModel::resolve(fnd::Dictionary{{"DeviceName", kScanner}});
  const velmor::Scene scene = velmor::Scene::platen(model.platenWidth, model.platenHeight);
  velmor::RenderSpec renderSpec;
  renderSpec.resolution = s.resolution;
  renderSpec.width = s.width;
  renderSpec.height = s.height;
  const velmor::ImageRenderer renderer(scene, renderSpec);
  if (state.range(2) == 0) {
    const std::vector<std::uint8_t>& rows = renderedRows(s);
    fill = [&rows, rowBytes](std::uint32_t y, std::uint32_t n, std::uint8_t* block) {
      std::memcpy(block, rows.data() + std::size_t(y) * rowBytes, std::size_t(n) * rowBytes);
    };
  } else {
    fill = [&renderer, rowBytes](std::uint32_t y, std::uint32_t n, std::uint8_t* block) {
      for (std::uint32_t i = 0; i < n; ++i) renderer.renderRow(int(y + i), block + std::size_t(i) * rowBytes);
    };
  }
  SaveModuleCore core;
  core.Initialize();
  long peak = 0;
  int runs = 0;
  for (auto _ : state) {
    const std::string folder = saveFolder();
    const long before = statusKiB("VmRSS");
    resetPeak();
    const auto start = std::chrono::steady_clock::now();
    const bool ok = saveAlone(core, s, format, folder, fill);
    const auto end = std::chrono::steady_clock::now();
    // The first run warms the heap and the writers' buffers; the peak counts from the second.
    if (++runs > 1) peak = std::max(peak, statusKiB("VmHWM") - before);
    if (!ok) {
      state.SkipWithError("the image was not saved");
      return;
    }
    if (!savedFilesReadBack(folder, s)) {
      state.SkipWithError("the saved image does not read back");
      return;
    }
    const double seconds = std::chrono::duration<double>(end - start).count();
    state.SetIterationTime(seconds);
    runTimes()[runKey(s, format, state.range(2) == 0 ? "alone" : "fed")].push_back(seconds);
  }
  core.Terminate();
  state.counters["peak_rss_growth_KiB"] = double(peak);
  state.counters["megapixels"] = double(s.width) * s.height / 1e6;
}

// What the simulated scanner itself spends: the renderer's rows into one reused block.
void BM_ScannerRenderAlone(benchmark::State& state) {
  const Scan s = platenAt(int(state.range(0)));
  const velmor::DeviceModel model = velmor::DeviceModel::resolve(fnd::Dictionary{{"DeviceName", kScanner}});
  const velmor::Scene scene = velmor::Scene::platen(model.platenWidth, model.platenHeight);
  velmor::RenderSpec renderSpec;
  renderSpec.resolution = s.resolution;
  renderSpec.width = s.width;
  renderSpec.height = s.height;
  const velmor::ImageRenderer renderer(scene, renderSpec);
  std::vector<std::uint8_t> block(kBlock);
  const std::size_t perBlock = kBlock / renderer.rowBytes();
  for (auto _ : state) {
    const auto start = std::chrono::steady_clock::now();
    for (int r = 0; r < renderer.rows(); ++r)
      renderer.renderRow(r, block.data() + renderer.rowBytes() * (std::size_t(r) % perBlock));
    benchmark::DoNotOptimize(block.data());
    state.SetIterationTime(std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
  }
  state.counters["megapixels"] = double(s.width) * s.height / 1e6;
}

// Baseline and loop side by side, per size and format (0 JPEG, 1 TIFF).
void registerAll() {
  const int runs = benchsupport::rounds(3);
  for (int dpi : {benchsupport::pick(720, 36), benchsupport::pick(360, 18)}) {
    benchmark::RegisterBenchmark("ScannerRenderAlone", BM_ScannerRenderAlone)
        ->Args({dpi})
        ->Iterations(runs)
        ->UseManualTime()
        ->Unit(benchmark::kMillisecond);
    for (int format : {1, 0}) {
      benchmark::RegisterBenchmark("SavePipelineAlone", BM_SavePipelineAlone)
          ->Args({dpi, format, 0})
          ->Iterations(runs)
          ->UseManualTime()
          ->Unit(benchmark::kMillisecond);
      benchmark::RegisterBenchmark("SavePipelineFedByRenderer", BM_SavePipelineAlone)
          ->Args({dpi, format, 1})
          ->Iterations(runs)
          ->UseManualTime()
          ->Unit(benchmark::kMillisecond);
      benchmark::RegisterBenchmark("TransferLoop", BM_TransferLoop)
          ->Args({dpi, format})
          ->Iterations(runs)
          ->UseManualTime()
          ->Unit(benchmark::kMillisecond);
    }
  }
}

}  // namespace

int main(int argc, char** argv) {
  // Everything the program writes goes to a folder of its own.
  const std::string base = benchsupport::isolateProgramFolders("transfer-loop-bench");
  setenv("QT_QPA_PLATFORM", "offscreen", 0);

  QApplication qt(argc, argv);
  benchmark::Initialize(&argc, argv);
  if (!startProgram()) std::fprintf(stderr, "the program did not open the virtual scanner\n");
  registerAll();
  benchsupport::runBenchmarks();
  benchmark::Shutdown();
  printRatios();
  stopProgram();
  std::error_code ec;
  fs::remove_all(base, ec);
  return benchsupport::exitStatus();
}
