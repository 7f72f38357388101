// Image delivery and save of one platen scan: the data source on the simulated module hands the
// image over in 1 MiB blocks (dtScannerImageMemoryTransfer) and the save driver writes them to
// its final TIFF, beside the save driver alone fed the same rows, rendered by the same renderer
// into 1 MiB blocks. Line, file and memory delivery, at about 50 and 12 megapixels, run
// interleaved in rounds; at the end it prints the time ratios and the peak resident memory.
// Every saved file gets a name of its own (the driver puts a final file in place only onto a
// free name) and is checked, outside the clock, to read back whole, then removed. Short mode:
// one round at each of two small sizes.
#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "BenchSupport.h"
#include "ReadBack.h"
#include "datasource/DirectTWAIN.h"
#include "foundation/PropertyList.h"
#include "foundation/RunLoop.h"
#include "launcher/save/CMSTR_CLASS.h"
#include "launcher/save/SMCodes.h"
#include "launcher/save/SaveModuleCore.h"
#include "scanmodule/ImageRenderer.h"
#include "scanmodule/Scene.h"
#include "tests/datasource/Doubles.h"

namespace {

std::string folder() { return benchsupport::scratchFolder("delivery-bench"); }
using benchsupport::medianOf;
using benchsupport::resetPeakMemory;
using benchsupport::peakMemoryMiB;

constexpr std::uint32_t kBlockBytes = 0x100000;
constexpr double kPlatenWidth = 8.5, kPlatenHeight = 11.7;  // the simulated platen, inches

struct Size {
  const char* name;
  int resolution, width, height;
};
// The whole platen at 720 dpi (51.6 megapixels) and at 360 dpi (12.9); in short mode at 72 and
// 36 dpi.
const Size kLarge = benchsupport::pick(Size{"50 MP", 720, 6120, 8424}, Size{"0.5 MP", 72, 612, 842});
const Size kSmall = benchsupport::pick(Size{"12 MP", 360, 3060, 4212}, Size{"0.1 MP", 36, 306, 421});




struct Figures {
  std::vector<double> seconds;
  std::vector<double> ratios;  // to the baseline of the same round
  double peakMiB = 0;
};
std::map<std::string, Figures>& figures() {
  static std::map<std::string, Figures> f;
  return f;
}

SaveModuleCore& driver() {
  static SaveModuleCore core;
  return core;
}

bool readyDriver() {
  SaveModuleCore& core = driver();
  if (core.Initialize() != CM_OK) return false;
  std::unique_ptr<ICMSTR_CLASS> temp;
  const std::string tempText = folder();
  CM_CreateStringWithNSString(&temp, &tempText, 1024);
  return core.SetTempFolderPath(temp.get()) == CM_OK;
}

// The file the last saveImage wrote: a name no earlier one used.
std::string savedPath;

// The save driver's part of one image: set up, the blocks (from `nextBlock`), the end.
template <class NextBlock>
bool saveImage(int width, int height, int resolution, NextBlock nextBlock) {
  SaveModuleCore& core = driver();
  static int count = 0;
  savedPath = folder() + "/saved-" + std::to_string(++count) + ".tif";
  const std::string name = "bench", path = savedPath, saveFolder = folder();
  if (core.SetSaveFileInfo(&name, &path, &saveFolder, SM_FORMAT_TIFF, SM_COMPRESSION_HIGH, 0, nullptr) != CM_OK)
    return false;
  std::unique_ptr<ISM_XFORM_INFO> xform;
  SM_CreateXformInfo(&xform);
  xform->SetFormat(SM_FORMAT_RAW, SM_FORMAT_TIFF);
  core.SetXformInfo(xform.get());
  core.StartXformThread();
  SM_ImageProperty_Struct property{static_cast<std::uint32_t>(width), static_cast<std::uint32_t>(height), 8, 3,
                                   double(resolution), double(resolution)};
  std::unique_ptr<ISM_IMAGE_INFO> image;
  const std::string empty;
  SM_CreateImageInfoWithProperty(&image, &property, &empty, &path);
  if (core.StartXformImage(image.get()) != CM_OK) return false;
  std::vector<std::uint8_t> block(kBlockBytes);
  for (;;) {
    std::uint32_t y = 0, rows = 0, rowBytes = 0;
    const int more = nextBlock(block, &y, &rows, &rowBytes);
    if (more < 0) return false;
    if (rows > 0 && core.WriteImageLines(y, rows, rowBytes, kBlockBytes, block.data()) != CM_OK) return false;
    if (more == 0) break;
  }
  std::unique_ptr<ISM_OPTION_INFO> option;
  SM_CreateOptionInfo(&option);
  option->SetRotation(SM_ROTATE_0);
  option->SetOptionSwitch(SM_SWITCH_4081);
  if (core.EndXformImage(option.get()) != CM_OK) return false;
  core.EndXform();
  return core.GetFinishedImgCount() == core.GetTotalImgCount() && core.GetErrorMessage() == CM_OK;
}

// The baseline: the renderer's rows straight into the save driver.
bool saveRenderedRows(const Size& size) {
  const velmor::Scene scene = velmor::Scene::platen(kPlatenWidth, kPlatenHeight);
  velmor::RenderSpec renderSpec;
  renderSpec.resolution = size.resolution;
  renderSpec.width = size.width;
  renderSpec.height = size.height;
  const velmor::ImageRenderer renderer(scene, renderSpec);
  const auto rowBytes = static_cast<std::uint32_t>(renderer.rowBytes());
  const std::uint32_t perBlock = kBlockBytes / rowBytes;
  std::uint32_t next = 0;
  return saveImage(size.width, size.height, size.resolution,
                   [&](std::vector<std::uint8_t>& block, std::uint32_t* y, std::uint32_t* rows, std::uint32_t* bytes) {
                     *y = next;
                     *rows = std::min(perBlock, static_cast<std::uint32_t>(size.height) - next);
                     *bytes = rowBytes;
                     for (std::uint32_t r = 0; r < *rows; ++r) renderer.renderRow(int(next + r), block.data() + r * rowBytes);
                     next += *rows;
                     return next < static_cast<std::uint32_t>(size.height) ? 1 : 0;
                   });
}

// One opened data source per delivery mode, its user interface on a window-free root.
struct Delivery {
  std::string device;
  std::unique_ptr<Dravon_DirectTWAIN> ds;
  int ready = 0;
};
std::map<std::string, Delivery>& deliveries() {
  static std::map<std::string, Delivery> d;
  return d;
}

bool pump(const std::function<bool()>& done) {
  for (int i = 0; i < 200000 && !done(); ++i) fnd::RunLoop::main().runOnce(fnd::RunLoopMode::Default, 0.001);
  return done();
}

bool saveDelivered(const std::string& mode, const Size& size) {
  Delivery& d = deliveries()[mode];
  Dravon_DirectTWAIN& ds = *d.ds;
  const fnd::Dictionary crop{
      {"Resolution", size.resolution},
      {"ScanRect", fnd::Dictionary{{"X", 0}, {"Y", 0}, {"width", size.width}, {"height", size.height}}}};
  auto request = fnd::makeShared(fnd::Dictionary{
      {"ScanSetting", fnd::Dictionary{{"ColorMode", 2}, {"TemporaryPath", folder()}, {"NoCloseUI", 1}}},
      {"InputSource", 0},
      {"BitDepth", 8},
      {"CropItem", fnd::Array{fnd::Dictionary{}, crop}}});
  const int before = d.ready;
  fnd::NotificationCenter::defaultCenter().post("StandardMode_Scan", ds.userInterfaceRoot()->notificationSender(), request);
  if (!pump([&] { return d.ready > before; })) return false;

  ds.dtScannerSetupMemorySize(kBlockBytes);
  DT_IMAGEINFO info{};
  if (ds.dtScannerGetImageInfo(&info) != TWRC_SUCCESS) return false;
  const bool saved = saveImage(info.ImageWidth, info.ImageLength, info.XResolution,
                               [&](std::vector<std::uint8_t>& block, std::uint32_t* y, std::uint32_t* rows,
                                   std::uint32_t* bytes) {
                                 TW_IMAGEMEMXFER x{0xFFFF, ~0u, ~0u, ~0u, ~0u, ~0u, ~0u,
                                                   TW_MEMORY{TWMF_APPOWNS | TWMF_POINTER, kBlockBytes, block.data()}};
                                 const std::int32_t answer = ds.dtScannerImageMemoryTransfer(&x);
                                 if (answer != TWRC_SUCCESS && answer != TWRC_XFERDONE) return -1;
                                 *y = x.YOffset;
                                 *rows = x.Rows;
                                 *bytes = x.BytesPerRow;
                                 return answer == TWRC_SUCCESS ? 1 : 0;
                               });
  if (!saved) {
    ds.dtScannerPendingTransfers(1);
    ds.dtScannerNotifyDidFinishSaving(2);
    return false;
  }
  if (ds.dtScannerPendingTransfers(0) != 0) return false;
  ds.dtScannerNotifyDidFinishSaving(0);
  return true;
}

// One timed save; then, outside the clock, its file is checked to read back whole at the size
// asked for, and removed.
template <class Fn>
bool timed(const std::string& name, const Size& size, Fn fn, double* seconds) {
  resetPeakMemory();
  savedPath.clear();
  const auto start = std::chrono::steady_clock::now();
  const bool ok = fn();
  *seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  Figures& f = figures()[name];
  f.seconds.push_back(*seconds);
  f.peakMiB = std::max(f.peakMiB, peakMemoryMiB());
  if (!ok) return false;
  const bool whole = benchsupport::readsBack(savedPath, std::size_t(size.width), std::size_t(size.height));
  std::filesystem::remove(savedPath);
  return whole;
}

// One round at one size: the baseline, then each delivery mode, each ratio to that baseline.
void runRound(benchmark::State& state, const Size& size) {
  for (auto _ : state) {
    double base = 0, total = 0;
    const std::string prefix = std::string(size.name) + " ";
    if (!timed(prefix + "baseline", size, [&] { return saveRenderedRows(size); }, &base)) {
      state.SkipWithError("baseline failed");
      break;
    }
    total += base;
    for (const char* mode : {"line", "file", "memory"}) {
      double s = 0;
      if (!timed(prefix + mode, size, [&] { return saveDelivered(mode, size); }, &s)) {
        state.SkipWithError("delivery failed");
        return;
      }
      figures()[prefix + mode].ratios.push_back(s / base);
      total += s;
    }
    state.SetIterationTime(total);
  }
}

void BM_Delivery50MP(benchmark::State& state) { runRound(state, kLarge); }
void BM_Delivery12MP(benchmark::State& state) { runRound(state, kSmall); }
BENCHMARK(BM_Delivery50MP)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(benchsupport::rounds(5));
BENCHMARK(BM_Delivery12MP)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(benchsupport::rounds(5));

// A device file with one virtual scanner per delivery mode, no line delay.
bool openDeliveries() {
  fnd::Array devices;
  for (const char* mode : {"Line", "File", "Memory"}) {
    devices.push_back(fnd::Dictionary{{"Name", std::string("Bench ") + mode},
                                      {"Identifier", std::string("BENCH-") + mode},
                                      {"Transport", "USB"},
                                      {"LocationID", 1},
                                      {"Model", fnd::Dictionary{}},
                                      {"Behaviour", fnd::Dictionary{{"PageDelivery", mode}, {"LineDelay", 0}}}});
  }
  const std::string file = folder() + "/Devices.plist";
  fnd::PropertyList::writeFile(fnd::Value(fnd::Dictionary{{"Devices", devices}}), file);
  ::setenv("TRIVOLAN_DEVICE_FILE", file.c_str(), 1);
  for (const auto& [mode, name] : {std::pair{"line", "Bench Line"}, {"file", "Bench File"}, {"memory", "Bench Memory"}}) {
    Delivery& d = deliveries()[mode];
    d.device = name;
    d.ds = std::make_unique<Dravon_DirectTWAIN>();
    fnd::NotificationCenter::defaultCenter().addObserver(&d, Dravon_DirectTWAIN::kXferReadyNotification, d.ds.get(),
                                                         [&d](const fnd::Notification&) { ++d.ready; });
    if (d.ds->dtScannerOpenDevice(fnd::Dictionary{{"DeviceName", name}}) != 0) return false;
    d.ds->dtScannerOpenUserInterface(0);
  }
  return true;
}

void closeDeliveries() {
  for (auto& [mode, d] : deliveries()) {
    fnd::NotificationCenter::defaultCenter().removeObserver(&d);
    d.ds->dtScannerCloseUserInterface();
    d.ds->dtScannerCloseDevice();
    d.ds.reset();
  }
}

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  dstest::FakeRootFactory roots;
  if (!readyDriver() || !openDeliveries()) {
    std::fprintf(stderr, "the save driver or the data sources could not be readied\n");
    return 1;
  }
  std::string loadBefore;
  std::getline(std::ifstream("/proc/loadavg"), loadBefore);
  benchmark::Initialize(&argc, argv);
  benchsupport::runBenchmarks();
  benchmark::Shutdown();

  for (const Size& size : {kLarge, kSmall}) {
    const std::string prefix = std::string(size.name) + " ";
    const Figures& base = figures()[prefix + "baseline"];
    if (base.seconds.empty()) continue;
    std::printf("\n%s: %d x %d RGB 8 bits at %d dpi (%.1f MiB), 1 MiB blocks\n", size.name, size.width, size.height,
                size.resolution, size.width * 3.0 * size.height / 1048576.0);
    std::printf("  %-9s best %.3f s  median %.3f s  peak %.1f MiB\n", "baseline",
                *std::min_element(base.seconds.begin(), base.seconds.end()), medianOf(base.seconds), base.peakMiB);
    for (const char* mode : {"line", "file", "memory"}) {
      const Figures& f = figures()[prefix + mode];
      if (f.seconds.empty() || f.ratios.empty()) continue;
      std::printf("  %-9s best %.3f s  median %.3f s  peak %.1f MiB (+%.1f)  ratio per round: best %.3f median %.3f\n",
                  mode, *std::min_element(f.seconds.begin(), f.seconds.end()), medianOf(f.seconds), f.peakMiB,
                  f.peakMiB - base.peakMiB, *std::min_element(f.ratios.begin(), f.ratios.end()), medianOf(f.ratios));
    }
  }
  std::string loadAfter;
  std::getline(std::ifstream("/proc/loadavg"), loadAfter);
  std::printf("machine load (1, 5, 15 min): before %s, after %s\n", loadBefore.c_str(), loadAfter.c_str());
  closeDeliveries();
  driver().Terminate();
  std::filesystem::remove_all(folder());
  return benchsupport::exitStatus();
}
