// Cost of one crop recompute in the preview model: a 1200 x 1700 RGB preview with one crop over
// the whole of it; each step changes the crop's brightness (second case: its colour balance) and
// posts "updateImageSetAllSelectedPost", as one slider step does. The model's outward requests
// are answered by the simulated scan module, called as the data source's relay calls it. Beside
// it, in interleaved rounds, a memcpy of the same 6.1 MB preview. Prints the time per recompute,
// the memcpy's, their ratio and the share of the recompute spent inside the scan module. At the
// end it checks that every step reached the module and the last picture was shown whole.
// Short mode: one round of two steps.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "BenchSupport.h"
#include "capture/ScannerDevice.h"
#include "scanmodule/ModuleLoader.h"
#include "scanmodule/ScanReports.h"
#include "tests/ui/model/ModeLinkDoubles.h"
#include "ui/base/PostNotification.h"
#include "ui/model/PreviewInfo.h"

namespace {

using benchsupport::medianOf;

constexpr int kWidth = 1200;
constexpr int kHeight = 1700;
constexpr std::size_t kPreviewBytes = std::size_t{kWidth} * kHeight * 3;
// The simulated module previews at 75 dpi: a platen of 16 x 22.67 inches gives 1200 x 1700.
constexpr int kModulePreviewResolution = 75;
const int kRounds = benchsupport::rounds(15);
const int kStepsPerRound = benchsupport::pick(8, 2);

using Clock = std::chrono::steady_clock;


// The basic mode as the model reaches it; keeps only the last picture shown.
class BenchMode : public modedoubles::FakeStandardMode {
 public:
  void reDrawPreview(const PreviewBitmap& bitmap) override { last = bitmap; }
  PreviewBitmap last;
};

// The scan module with a finished preview, and the preview model with the same picture.
struct Setup {
  std::unique_ptr<velmor::ModuleLoader> loader;
  std::unique_ptr<Velmor_SMController> module;
  fnd::NotificationCenter center;  // the model's
  std::unique_ptr<Quirel_PreviewInfo> model;
  Quirel_PreferenceInfo prefs;
  std::shared_ptr<Quirel_UIScannerInfo> scanner = std::make_shared<Quirel_UIScannerInfo>(fnd::Dictionary{});
  BenchMode mode;
  std::shared_ptr<Quirel_CropInfo> crop = std::make_shared<Quirel_CropInfo>();
  fnd::Array cropList;
  Clock::duration inModule{};
  int cropRequests = 0, toneTables = 0;
  std::string failure;

  bool ready() {
    loader = velmor::ModuleLoader::load();
    if (!loader) return fail("the scan module could not be loaded");
    module = loader->module().createController();
    capture::DeviceDefinition def;
    def.name = "Vantrel TS-800 Virtual";
    def.identifier = "BENCH-1";
    def.model = fnd::Dictionary{{"PlatenWidth", double(kWidth) / kModulePreviewResolution},
                                {"PlatenHeight", double(kHeight) / kModulePreviewResolution}};
    const fnd::Dictionary device{{"ICScannerDevice", fnd::Value::object(capture::ScannerDevice::create(def))}};
    if (module->smInitSetting(device) != 0) return fail("the scan module refused the device");
    std::vector<std::uint8_t> picture;
    if (!previewIn(picture)) return false;

    model = std::make_unique<Quirel_PreviewInfo>(center);
    prefs.setMonitorGamma(1.8);  // neutral: only a tone change sends a table
    mode.preferences = &prefs;
    mode.scanner = scanner.get();
    model->setScannerInfo(scanner);
    model->setPrevModeandId(0, &mode, nullptr);
    model->setWholeSize(kWidth, kHeight);
    Quirel_PreviewInfo::PixelBuffer shown(new std::uint8_t[kPreviewBytes]);
    std::memcpy(shown.get(), picture.data(), kPreviewBytes);
    model->setOriginalPixel24(std::move(shown));
    Quirel_PreviewInfo::PixelBuffer before(new std::uint8_t[kPreviewBytes]);
    std::memcpy(before.get(), picture.data(), kPreviewBytes);
    model->setBeforeAdjustPixel24(std::move(before));

    // The data source's relay: each outward request is one call of the module's controller.
    center.addObserver(this, Quirel_PostNotification::kOverrideNotification, nullptr, [this](const fnd::Notification& n) {
      const fnd::Dictionary* info = n.info();
      if (!info) return;
      const std::string name = info->string(Quirel_PostNotification::kOverrideNotificationName);
      const Clock::time_point start = Clock::now();
      if (name == "crop_Imageset2") {
        module->smCropCorrect(*info);
        ++cropRequests;
      } else if (name == kSetUserGamma) {
        module->smSetUserGamma(*info);
        ++toneTables;
      }
      inModule += Clock::now() - start;
    });

    crop->setResolution(kModulePreviewResolution);
    crop->setVisiblePreviewSize_Pixel96({kWidth, kHeight});
    crop->setInputRect_Pixel96(makeSRectDouble(0, 0, kWidth, kHeight));
    crop->setSelect(true);
    crop->setFocus(true);
    cropList.push_back(fnd::Value::object(crop));
    step();
    const SRectDouble r = crop->getcropCorRect();
    if (!crop->getcropCorData() || static_cast<int>(r.size.width) != kWidth ||
        static_cast<int>(r.size.height) != kHeight || mode.last.width != kWidth)
      return fail("the first recompute did not bring back the whole crop");
    return true;
  }

  // Runs the module's preview and collects its picture.
  bool previewIn(std::vector<std::uint8_t>& picture) {
    std::mutex mutex;
    std::condition_variable ended;
    bool done = false;
    fnd::NotificationCenter& reports = fnd::NotificationCenter::defaultCenter();
    int token = 0;
    reports.addObserver(&token, velmor::report::kSetPreviewData, nullptr, [&](const fnd::Notification& n) {
      const fnd::Data& d = n.info()->get("PreviewSendData").toData();
      std::lock_guard lock(mutex);
      picture.insert(picture.end(), d.begin(), d.end());
    });
    reports.addObserver(&token, velmor::report::kEndPreview, nullptr, [&](const fnd::Notification&) {
      std::lock_guard lock(mutex);
      done = true;
      ended.notify_all();
    });
    module->smPreviewScan(fnd::Notification{"Preview_Scan", nullptr, fnd::makeShared(fnd::Dictionary{})});
    bool finished;
    {
      std::unique_lock lock(mutex);
      finished = ended.wait_for(lock, std::chrono::seconds(60), [&] { return done; });
    }
    reports.removeObserver(&token);
    if (!finished) return fail("the module's preview did not end");
    if (picture.size() != kPreviewBytes) return fail("the module's preview is not 1200 x 1700");
    return true;
  }

  bool fail(const char* why) {
    failure = why;
    return false;
  }

  // One slider step: one recompute of the crop list.
  void step() {
    center.post("updateImageSetAllSelectedPost", nullptr,
                std::make_shared<fnd::Dictionary>(fnd::Dictionary{{"Mode", 0}, {"CropList", fnd::Value(cropList)}}));
  }

  ~Setup() {
    center.removeObserver(this);
    model.reset();
    if (module) module->releaseScanM();
    module.reset();  // before the library is unloaded
  }
};

Setup& setup() {
  static Setup s;
  return s;
}

struct Figures {
  std::vector<double> perOp;  // seconds per operation, one entry a round
  std::vector<double> moduleShare;  // of each round
  double moduleSeconds = 0, totalSeconds = 0;
};
std::map<std::string, Figures>& figures() {
  static std::map<std::string, Figures> f;
  return f;
}

template <class Fn>
double timeSteps(const char* name, Fn fn) {
  Setup& s = setup();
  const Clock::duration moduleBefore = s.inModule;
  const Clock::time_point start = Clock::now();
  for (int i = 0; i < kStepsPerRound; ++i) fn(i);
  const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
  Figures& f = figures()[name];
  f.perOp.push_back(seconds / kStepsPerRound);
  f.totalSeconds += seconds;
  const double module = std::chrono::duration<double>(s.inModule - moduleBefore).count();
  f.moduleSeconds += module;
  f.moduleShare.push_back(module / seconds);
  return seconds;
}

int gStep = 0;

// One round: the memcpy, then a brightness recompute, then a colour-balance recompute.
void BM_InterleavedRounds(benchmark::State& state) {
  Setup& s = setup();
  std::vector<std::uint8_t> target(kPreviewBytes);
  const std::uint8_t* source = s.model->getOriginalPixel24();
  for (auto _ : state) {
    double total = timeSteps("memcpy", [&](int) {
      std::memcpy(target.data(), source, kPreviewBytes);
      benchmark::DoNotOptimize(target.data());
      benchmark::ClobberMemory();
    });
    total += timeSteps("brightness", [&](int) {
      ToneBCValues bc{};
      bc.brightness.master = 1 + (++gStep % 60);  // a new value each step, never neutral
      s.crop->setToneBC(bc);
      s.step();
    });
    s.crop->setToneBC(ToneBCValues{});
    total += timeSteps("balance", [&](int) {
      ColorBalanceValues b{};
      b.cyanRed = 1 + (++gStep % 60);
      s.crop->setColorBalance(b);
      s.step();
    });
    s.crop->setColorBalance(ColorBalanceValues{});
    state.SetIterationTime(total);
  }
}
BENCHMARK(BM_InterleavedRounds)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(kRounds);

}  // namespace

int main(int argc, char** argv) {
  std::string loadBefore;
  std::getline(std::ifstream("/proc/loadavg"), loadBefore);
  if (!setup().ready()) {
    std::fprintf(stderr, "%s\n", setup().failure.c_str());
    return 1;
  }
  const int requestsBefore = setup().cropRequests, tablesBefore = setup().toneTables;
  benchmark::Initialize(&argc, argv);
  benchsupport::runBenchmarks();
  benchmark::Shutdown();
  auto& f = figures();
  const Figures& copy = f["memcpy"];
  std::printf("\npreview %d x %d RGB (%.1f MB), one crop over all of it; %d rounds of %d steps each\n", kWidth, kHeight,
              kPreviewBytes / 1e6, kRounds, kStepsPerRound);
  for (const char* name : {"brightness", "balance"}) {
    const Figures& r = f[name];
    if (r.perOp.empty() || copy.perOp.empty()) continue;
    const double best = *std::min_element(r.perOp.begin(), r.perOp.end());
    const double bestCopy = *std::min_element(copy.perOp.begin(), copy.perOp.end());
    const double share = r.totalSeconds > 0 ? r.moduleSeconds / r.totalSeconds : 0;
    std::printf("%-10s recompute: best %.2f ms, median %.2f ms; memcpy best %.3f ms, median %.3f ms; "
                "ratio best %.2f, median %.2f; in the scan module %.0f%%\n",
                name, best * 1e3, medianOf(r.perOp) * 1e3, bestCopy * 1e3, medianOf(copy.perOp) * 1e3, best / bestCopy,
                medianOf(r.perOp) / medianOf(copy.perOp), 100 * share);
    // On a loaded machine the best round is the one that had a processor to itself.
    const std::size_t bestRound = static_cast<std::size_t>(std::min_element(r.perOp.begin(), r.perOp.end()) - r.perOp.begin());
    std::printf("%-10s best round: %.0f%% in the scan module, outside it %.2f ms, ratio to memcpy %.2f\n", name,
                100 * r.moduleShare[bestRound], best * (1 - r.moduleShare[bestRound]) * 1e3,
                best * (1 - r.moduleShare[bestRound]) / bestCopy);
    // The model's own part: the recompute without the time inside the module's calls.
    std::printf("%-10s outside the module: %.2f ms a recompute (median), ratio to memcpy %.2f\n", name,
                medianOf(r.perOp) * (1 - share) * 1e3, medianOf(r.perOp) * (1 - share) / medianOf(copy.perOp));
  }
  // Each round's time an operation, in ms: a loaded machine shows as scattered rounds.
  for (const char* name : {"memcpy", "brightness", "balance"}) {
    std::printf("%s rounds:", name);
    for (double v : f[name].perOp) std::printf(" %.2f", v * 1e3);
    std::printf("\n");
  }
  const int requests = setup().cropRequests - requestsBefore, tables = setup().toneTables - tablesBefore;
  std::printf("requests answered by the module: %d crop corrections, %d tone tables\n", requests, tables);
  // Each step asks the module once for the crop and, for a tone change, once for its table.
  const int steps = 2 * kStepsPerRound * int(f["brightness"].perOp.size());
  benchsupport::check(requests >= steps, std::to_string(requests) + " crop corrections for " + std::to_string(steps) +
                                             " steps");
  benchsupport::check(tables >= kStepsPerRound * int(f["brightness"].perOp.size()),
                      "a brightness step sent no tone table");
  benchsupport::check(setup().mode.last.width == kWidth && setup().mode.last.height == kHeight,
                      "the last picture shown is not the whole preview");
  std::string loadAfter;
  std::getline(std::ifstream("/proc/loadavg"), loadAfter);
  std::printf("machine load (1, 5, 15 min): before %s, after %s\n", loadBefore.c_str(), loadAfter.c_str());
  return benchsupport::exitStatus();
}
