// The basic mode's road in the real program (trivolan_app), offscreen with the simulated scanner
// at no line delay: the launcher with the product's data source and the main window.
//
// "PreviewRoad": from the Preview button's click until the preview is shown (the controls
// enabled again with a focused frame), beside "PreviewRenderAlone": the simulated scanner
// rendering the same preview image (the platen at its preview resolution) alone.
// "ScanRoad": from the Scan button's click until the file is complete (the data source told the
// end of saving and the controls enabled again), beside "ScanRenderAndSaveAlone": the same rows
// rendered and written by the save pipeline alone (the temporary TIFF, the JPEG conversion and
// the EXIF pass), in the same 1 MiB blocks.
// Both pairs run in the same process and run; the ratios of the medians are printed at the end.
// The preview road needs the front door to give the basic mode its controls back at the end of
// a preview; without that it reports that the preview was not shown.
// Every saved file is checked, outside the clock, to read back whole. Short mode: one run each.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "BenchSupport.h"
#include "ReadBack.h"
#include "datasource/DirectTWAIN.h"
#include "datasource/UIRoot.h"
#include "datasource/windows/QuirelRoot.h"
#include "foundation/NotificationCenter.h"
#include "foundation/Paths.h"
#include "foundation/PropertyList.h"
#include "foundation/RunLoop.h"
#include "foundation/Timer.h"
#include "imageio/Image.h"
#include "imageio/ImageSource.h"
#include "kit/Application.h"
#include "kit/Window.h"
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
#include "scanmodule/SimController.h"
#include "ui/controls/CTRLS_STDPreviewButton.h"
#include "ui/controls/CTRLS_STDScanButton.h"
#include "ui/controls/CTRLS_MainWindow.h"
#include "ui/controls/MainWindow.h"
#include "ui/frontdoor/Quirel.h"
#include "ui/frontdoor/UserInterfaceModule.h"
#include "ui/model/PreferenceInfo.h"
#include "ui/modes/basic/StandardMode.h"

namespace {

namespace fs = std::filesystem;

constexpr const char* kRoadDevice = "Vantrel TS-800 Virtual";
constexpr std::uint32_t kRoadBlock = 0x100000;

std::map<std::string, std::vector<double>>& roadTimes() {
  static std::map<std::string, std::vector<double>> t;
  return t;
}

bool runFor(const std::function<bool()>& done, double seconds) {
  const auto end = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
  while (!done() && std::chrono::steady_clock::now() < end) fnd::RunLoop::main().runOnce(fnd::RunLoopMode::Default, 0.001);
  return done();
}

// --- the program

struct Road {
  std::unique_ptr<Zorvik_AppDelegate> delegate;
  std::shared_ptr<fnd::Timer> answerer;
  std::vector<fnd::NotificationCenter::Token> tokens;
  bool ready = false;

  Dravon_DirectTWAIN* dataSource() const {
    auto* port = delegate ? dynamic_cast<Zorvik_DirectTWAINPort*>(delegate->dataSource()) : nullptr;
    return port ? &port->dataSource() : nullptr;
  }
  Quirel_UserInterfaceModule* controller() const {
    auto* root = dataSource() ? dynamic_cast<Dravon_QuirelRoot*>(dataSource()->userInterfaceRoot()) : nullptr;
    return root ? dynamic_cast<Quirel_UserInterfaceModule*>(root->quirel().windowController()) : nullptr;
  }
  Quirel_StandardMode* mode() const { return controller() ? controller()->getStandardMode() : nullptr; }
  bool enabled() const {
    Quirel_UserInterfaceModule* c = controller();
    Quirel_MainWindow* w = c && c->getMainWindow() ? c->getMainWindow()->getWindow() : nullptr;
    return w && w->isVisible() && w->isEnabled() && mode() && mode()->getWindowMaskView() == nullptr;
  }
};

Road& road() {
  static Road r;
  return r;
}

bool startRoad() {
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

  Road& r = road();
  r.delegate = std::make_unique<Zorvik_AppDelegate>([] { return Zorvik_MakeDirectTWAIN(); }, deviceFile);
  // A box nobody expected is answered OK within a tick; the boxes a road expects are answered
  // the moment they are up (answerBoxAtOnce), which this one leaves alone.
  r.answerer = fnd::Timer::scheduled(
      0.05, true,
      [](fnd::Timer&) {
        kit::Application& a = kit::Application::shared();
        if (a.modalWindow() && a.pendingModalResponders() == 0) a.stopModalWithCode(1);
      },
      fnd::kCommonModes);
  kit::Application::shared().setDelegate(r.delegate.get());
  r.delegate->applicationDidFinishLaunching(kit::Application::shared());
  r.ready = runFor([&] { return r.delegate->uiNotOpen() == 0 && r.enabled(); }, 30) && r.controller()->getMode() == 0;
  return r.ready;
}

// The save-folder notice after each scan is answered OK as soon as it is up, as by a user
// waiting for it: the scan's time holds the box's own cost, not the answerer's tick. A responder
// the last scan left unused (no box came) serves the next one.
void answerBoxAtOnce() {
  kit::Application& a = kit::Application::shared();
  if (a.pendingModalResponders() == 0)
    a.onNextModalWindow([](kit::Window&) { kit::Application::shared().stopModalWithCode(1); });
}

void stopRoad() {
  Road& r = road();
  if (!r.delegate) return;
  r.delegate->closeRequest();
  r.answerer->invalidate();
  r.tokens.clear();
  kit::Application::shared().setDelegate(nullptr);
  r.delegate.reset();
}

std::string freshFolder() {
  const std::string folder = fnd::Paths::tempDir() + "/saved";
  std::error_code ec;
  fs::remove_all(folder, ec);
  fs::create_directories(folder, ec);
  return folder;
}

// --- the scanner and the save pipeline alone

velmor::Scene roadScene() {
  const velmor::DeviceModel model = velmor::DeviceModel::resolve(fnd::Dictionary{{"DeviceName", kRoadDevice}});
  return velmor::Scene::platen(model.platenWidth, model.platenHeight);
}

struct Area {
  int resolution = 0, x = 0, y = 0, width = 0, height = 0;
};

// The area the road's scan saved: the first document the scanner found (where the preview put
// its frame), at the size and resolution of the saved file.
Area& scannedArea() {
  static Area a;
  return a;
}

void noteSavedArea(const std::string& folder) {
  std::error_code ec;
  for (const auto& e : fs::directory_iterator(folder, ec)) {
    auto source = imageio::ImageSource::createWithPath(e.path().string());
    imageio::ImageRef image = source && source->count() ? source->createImageAtIndex(0) : nullptr;
    if (!image) continue;
    const fnd::Dictionary props = source->copyPropertiesAtIndex(0) ? *source->copyPropertiesAtIndex(0) : fnd::Dictionary();
    const int resolution = int(props.real("DPIWidth"));
    // The scene is kept: a reference into a temporary's documents would dangle.
    const velmor::Scene scene = roadScene();
    const auto& doc = scene.documents().front();
    scannedArea() = Area{resolution, int(doc.x * resolution), int(doc.y * resolution), int(image->width()),
                         int(image->height())};
  }
}

// The rows of area `a` rendered block by block into the save driver, JPEG with EXIF.
bool renderAndSave(SaveModuleCore& core, const Area& a, const std::string& folder) {
  const velmor::Scene scene = roadScene();
  velmor::RenderSpec area;
  area.resolution = a.resolution;
  area.x = a.x;
  area.y = a.y;
  area.width = a.width;
  area.height = a.height;
  const velmor::ImageRenderer renderer(scene, area);

  std::unique_ptr<ICMSTR_CLASS> temp;
  const std::string tempText = fnd::Paths::tempDir();
  CM_CreateStringWithNSString(&temp, &tempText, 1024);
  CMResult rc = core.SetTempFolderPath(temp.get());
  const std::string name = "IMG";
  const std::string path = folder + "/IMG_alone.jpg";
  if (rc == CM_OK) rc = core.SetSaveFileInfo(&name, &path, &folder, SM_FORMAT_TIFF, 2, 0, nullptr);
  std::unique_ptr<ISM_XFORM_INFO> xform;
  SM_CreateXformInfo(&xform);
  xform->SetFormat(SM_FORMAT_RAW, SM_FORMAT_TIFF);
  // The quality the road's default preferences give (medium), so both encode the same way.
  xform->SetCompression(SM_COMPRESSION_MEDIUM);
  const std::string app = "Trivolan", device = kRoadDevice;
  xform->SetAppName(&app);
  xform->SetDeviceName(&device);
  if (rc == CM_OK) rc = core.SetXformInfo(xform.get());
  if (rc == CM_OK) rc = core.StartXformThread();
  SM_ImageProperty_Struct property{std::uint32_t(a.width), std::uint32_t(a.height), 8, 3, double(a.resolution),
                                   double(a.resolution)};
  std::unique_ptr<ISM_IMAGE_INFO> image;
  SM_CreateImageInfoWithProperty(&image, &property, &path, &path);
  if (rc == CM_OK) rc = core.StartXformImage(image.get());
  const std::uint32_t rowBytes = std::uint32_t(renderer.rowBytes());
  const std::uint32_t perBlock = kRoadBlock / rowBytes;
  std::vector<std::uint8_t> block(kRoadBlock);
  for (std::uint32_t y = 0; rc == CM_OK && y < std::uint32_t(a.height); y += perBlock) {
    const std::uint32_t n = std::min(perBlock, std::uint32_t(a.height) - y);
    for (std::uint32_t i = 0; i < n; ++i) renderer.renderRow(int(y + i), block.data() + std::size_t(i) * rowBytes);
    rc = core.WriteImageLines(y, n, rowBytes, kRoadBlock, block.data());
  }
  std::unique_ptr<ISM_OPTION_INFO> option;
  SM_CreateOptionInfo(&option);
  option->SetRotation(SM_ROTATE_0);
  option->SetOptionSwitch(SM_SWITCH_4081);
  if (rc == CM_OK) rc = core.EndXformImage(option.get());
  if (rc == CM_OK) {
    core.SetEndXformFlag(0);
    xform->SetFormat(SM_FORMAT_TIFF, SM_FORMAT_JPEG_EXIF);
    core.SetXformInfo(xform.get());
    rc = core.StartFinalXformThread();
  }
  core.EndXform();
  // Woken when the final pass's worker finishes, as the transfer loop is.
  core.WaitForRunningWorkers(SaveModuleCore::kWorkerWaitMs);
  return rc == CM_OK && core.GetErrorMessage() == CM_OK && fs::exists(path);
}

// --- the benchmarks

void BM_PreviewRoad(benchmark::State& state) {
  Road& r = road();
  if (!r.ready) return state.SkipWithError("the program did not show the basic mode");
  for (auto _ : state) {
    const auto start = std::chrono::steady_clock::now();
    r.mode()->getPreviewButton()->PreviewBTAction();
    // The click disables the window at once; the preview is shown when it is enabled again.
    const bool ok = runFor([&] { return r.enabled() && r.mode()->getFocusCrop(); }, 60);
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    if (!ok) return state.SkipWithError("the preview was not shown");
    roadTimes()["PreviewRoad"].push_back(seconds);
    state.SetIterationTime(seconds);
  }
}

void BM_PreviewRenderAlone(benchmark::State& state) {
  const velmor::Scene scene = roadScene();
  velmor::RenderSpec area;
  area.resolution = velmor::SimController::kPreviewResolution;
  area.width = int(scene.width() * area.resolution);
  area.height = int(scene.height() * area.resolution);
  const velmor::ImageRenderer renderer(scene, area);
  std::vector<std::uint8_t> image(renderer.rowBytes() * std::size_t(renderer.rows()));
  for (auto _ : state) {
    const auto start = std::chrono::steady_clock::now();
    for (int row = 0; row < renderer.rows(); ++row) renderer.renderRow(row, image.data() + renderer.rowBytes() * std::size_t(row));
    benchmark::DoNotOptimize(image.data());
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    roadTimes()["PreviewRenderAlone"].push_back(seconds);
    state.SetIterationTime(seconds);
  }
}

void BM_ScanRoad(benchmark::State& state) {
  Road& r = road();
  if (!r.ready || !r.mode()->getFocusCrop()) return state.SkipWithError("no preview to scan from");
  for (auto _ : state) {
    const std::string folder = freshFolder();
    r.controller()->getPreferenceInfo()->setSavePath(folder);
    answerBoxAtOnce();
    const auto start = std::chrono::steady_clock::now();
    r.mode()->getScanButton()->ScanBTAction();
    const bool ok = runFor([&] { return r.enabled() && !r.delegate->isTransferring() && !r.delegate->isScanning() &&
                                        !fs::is_empty(folder); },
                           120);
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    if (!ok) return state.SkipWithError("the scan was not saved");
    roadTimes()["ScanRoad"].push_back(seconds);
    state.SetIterationTime(seconds);
    std::error_code ec;
    for (const auto& e : fs::directory_iterator(folder, ec))
      if (!benchsupport::readsBack(e.path().string())) return state.SkipWithError("the saved scan does not read back");
    noteSavedArea(folder);
  }
  const Area a = scannedArea();
  state.counters["megapixels"] = double(a.width) * a.height / 1e6;
  state.counters["dpi"] = a.resolution;
}

void BM_ScanRenderAndSaveAlone(benchmark::State& state) {
  const Area a = scannedArea();
  if (a.width <= 0 || a.height <= 0) return state.SkipWithError("the road sent no scan to compare with");
  SaveModuleCore core;
  core.Initialize();
  for (auto _ : state) {
    const std::string folder = freshFolder();
    const auto start = std::chrono::steady_clock::now();
    const bool ok = renderAndSave(core, a, folder);
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    if (!ok) {
      state.SkipWithError("the image was not saved");
      break;
    }
    if (!benchsupport::readsBack(folder + "/IMG_alone.jpg", std::size_t(a.width), std::size_t(a.height))) {
      state.SkipWithError("the saved image does not read back");
      break;
    }
    roadTimes()["ScanRenderAndSaveAlone"].push_back(seconds);
    state.SetIterationTime(seconds);
  }
  core.Terminate();
  state.counters["megapixels"] = double(a.width) * a.height / 1e6;
}

void registerRoad() {
  // The baselines beside their roads, each after the road it compares with (the scan's baseline
  // needs the area the road's request named).
  using Bench = void (*)(benchmark::State&);
  const std::pair<const char*, Bench> order[] = {{"PreviewRenderAlone", &BM_PreviewRenderAlone},
                                                 {"PreviewRoad", &BM_PreviewRoad},
                                                 {"ScanRoad", &BM_ScanRoad},
                                                 {"ScanRenderAndSaveAlone", &BM_ScanRenderAndSaveAlone}};
  for (const auto& [name, fn] : order)
    benchmark::RegisterBenchmark(name, fn)
        ->Iterations(benchsupport::rounds(5))
        ->UseManualTime()
        ->Unit(benchmark::kMillisecond);
}

void printRatios() {
  auto median = [](const char* name) { return benchsupport::medianOf(roadTimes()[name]); };
  auto best = [](const char* name) {
    const std::vector<double>& t = roadTimes()[name];
    return t.empty() ? 0.0 : *std::min_element(t.begin(), t.end());
  };
  const double preview = median("PreviewRoad"), previewAlone = median("PreviewRenderAlone");
  const double scan = median("ScanRoad"), scanAlone = median("ScanRenderAndSaveAlone");
  if (previewAlone > 0 && preview > 0)
    std::printf("preview road / scanner rendering alone: medians %.1f ms / %.1f ms = %.2f, best %.2f over %zu runs "
                "(target <= 1.5)\n",
                preview * 1e3, previewAlone * 1e3, preview / previewAlone,
                best("PreviewRoad") / best("PreviewRenderAlone"), roadTimes()["PreviewRoad"].size());
  if (scanAlone > 0 && scan > 0)
    std::printf("scan road / rendering and saving alone: medians %.1f ms / %.1f ms = %.2f, best %.2f over %zu runs "
                "(target <= 1.2)\n",
                scan * 1e3, scanAlone * 1e3, scan / scanAlone, best("ScanRoad") / best("ScanRenderAndSaveAlone"),
                roadTimes()["ScanRoad"].size());
  std::printf("load: %s\n", benchsupport::loadAverage().c_str());
}

}  // namespace

int main(int argc, char** argv) {
  // Everything the program writes goes to a folder of its own.
  const std::string base = benchsupport::isolateProgramFolders("basic-road-bench");
  setenv("QT_QPA_PLATFORM", "offscreen", 0);

  QApplication qt(argc, argv);
  benchmark::Initialize(&argc, argv);
  if (!startRoad()) std::fprintf(stderr, "the program did not show the basic mode\n");
  registerRoad();
  benchsupport::runBenchmarks();
  benchmark::Shutdown();
  printRatios();
  stopRoad();
  std::error_code ec;
  fs::remove_all(base, ec);
  return benchsupport::exitStatus();
}
