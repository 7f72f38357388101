// Cost of the refresh the user waits for after a change in the advanced mode: the mode offscreen
// on a 1200 x 1700 preview with one crop, the histogram and final-review dialogs open with their
// real graph views. One refresh is the value display of the selected crop with both dialogs
// visible, then both graphs drawn into an offscreen image. The crop's pixels (before and after
// correction) are new at each refresh. Beside it, in interleaved rounds, a memcpy of the same
// 6.1 MB. Prints the time per refresh, the memcpy's, their ratio, and the shares spent counting
// the histograms and drawing the graphs. At the end it checks that the last graph drawn is not
// blank and that the histograms count every pixel. Short mode: one round of two refreshes.

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QImage>
#include <QPainter>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "BenchSupport.h"
#include "kit/PainterContext.h"
#include "tests/ui/modes/advanced/ExtendModeWindowRig.h"
#include "ui/adjust/FinalReviewDialog.h"
#include "ui/adjust/FinalReviewGraph.h"
#include "ui/adjust/HistogramDialog.h"
#include "ui/adjust/HistogramGraphView.h"
#include "ui/adjust/ToneGraphLook.h"
#include "ui/controls/ImageDataProcessPanel.h"
#include "ui/model/Units.h"

namespace {

using benchsupport::medianOf;
using Clock = std::chrono::steady_clock;

constexpr int kWidth = 1200;
constexpr int kHeight = 1700;
constexpr std::size_t kPreviewBytes = std::size_t{kWidth} * kHeight * 3;
const int kRounds = benchsupport::rounds(15);
const int kStepsPerRound = benchsupport::pick(6, 2);
constexpr int kPatterns = 4;

double secondsSince(Clock::time_point start) { return std::chrono::duration<double>(Clock::now() - start).count(); }

// The first view of type V under `view`, depth first.
template <class V>
V* findView(kit::View* view) {
  if (!view) return nullptr;
  if (auto* v = dynamic_cast<V*>(view)) return v;
  for (kit::View* sub : view->subviews())
    if (V* found = findView<V>(sub)) return found;
  return nullptr;
}

CropImage cropImageFrom(const std::vector<std::uint8_t>& pattern) {
  auto* bytes = static_cast<std::uint8_t*>(std::malloc(kPreviewBytes));
  if (!bytes) std::abort();
  std::memcpy(bytes, pattern.data(), kPreviewBytes);
  return CropImage(bytes);
}

struct Setup {
  std::unique_ptr<extend_rig::WindowRig> rig;
  Quirel_CropInfo* crop = nullptr;
  kit::View* histogramGraph = nullptr;
  kit::View* finalGraph = nullptr;
  std::vector<std::vector<std::uint8_t>> patterns;
  QImage canvas{150, 150, QImage::Format_ARGB32_Premultiplied};
  std::string failure;
  int step = 0;

  bool ready() {
    rig = std::make_unique<extend_rig::WindowRig>();
    auto& m = rig->mode;
    m.resetPreview({kWidth, kHeight}, false, false);
    m.mHasPreview = true;
    rig->window().makeKeyAndOrderFront();
    crop = m.createCropWithView(fnd::Rect(10, 10, 200, 280));
    if (!crop) return fail("no crop was made");
    Quirel_BaseScanMode::copyCrop(*m.mTemplateCrop, *crop, false);
    m.updateCropFromCropRect(*crop);
    crop->setSelect(true);
    m.setFocus(crop);
    crop->setcropCorRect(makeSRectDouble(0, 0, kWidth, kHeight));
    // Distinct pictures: a smooth picture with a different cast each, so every count changes.
    for (int p = 0; p < kPatterns; ++p) {
      std::vector<std::uint8_t> picture(kPreviewBytes);
      for (int y = 0; y < kHeight; ++y)
        for (int x = 0; x < kWidth; ++x) {
          std::uint8_t* px = &picture[(std::size_t{static_cast<std::size_t>(y)} * kWidth + x) * 3];
          px[0] = static_cast<std::uint8_t>((x * 255 / kWidth + p * 37) & 0xff);
          px[1] = static_cast<std::uint8_t>((y * 255 / kHeight + p * 53) & 0xff);
          px[2] = static_cast<std::uint8_t>(((x + y) * 255 / (kWidth + kHeight) + p * 71) & 0xff);
        }
      patterns.push_back(std::move(picture));
    }
    newPixels();
    m.ntf_histogramOpen({});
    m.ntf_finalReviewOpen({});
    Quirel_HistogramDialog* hist = m.getHistogramDialog();
    Quirel_FinalReviewDialog* review = m.getFinalReviewDialog();
    if (!hist || !review || !hist->isVisible() || !review->isVisible())
      return fail("the histogram and final-review dialogs did not open");
    histogramGraph = findView<Quirel_HistogramGraphView>(hist->getWindow()->contentView());
    finalGraph = findView<Quirel_FinalReviewGraph>(review->getWindow()->contentView());
    if (!histogramGraph || !finalGraph) return fail("the dialogs have no graph views");
    return true;
  }

  bool fail(const char* why) {
    failure = why;
    return false;
  }

  // The crop's pixels before and after correction replaced by the next pictures (not timed).
  void newPixels() {
    ++step;
    crop->setcropBefData(cropImageFrom(patterns[static_cast<std::size_t>(step % kPatterns)]));
    crop->setcropCorData(cropImageFrom(patterns[static_cast<std::size_t>((step + 1) % kPatterns)]));
  }

  void drawGraph(kit::View& view) {
    canvas.fill(Qt::white);
    QPainter painter(&canvas);
    kit::PainterContext ctx(&painter, view.bounds(), view.isFlipped());
    view.displayRectIgnoringOpacity(view.bounds(), ctx);
  }

  // Before the application goes: the windows are Qt widgets.
  void tearDown() {
    if (rig)
      for (const auto& w : rig->mode.getDialogList())
        if (w && w->isVisible()) w->orderOut();
    rig.reset();
  }
};

Setup& setup() {
  static Setup s;
  return s;
}

struct Figures {
  std::vector<double> perOp;  // seconds an operation, one entry a round
  double seconds = 0;
};
std::map<std::string, Figures>& figures() {
  static std::map<std::string, Figures> f;
  return f;
}

void note(const char* name, double seconds, int ops) {
  Figures& f = figures()[name];
  f.perOp.push_back(seconds / ops);
  f.seconds += seconds;
}

// One round: the memcpy; the refreshes (value display, then drawing, timed apart); then the
// histogram counting alone as the two graph views do it (before and after correction).
void BM_InterleavedRounds(benchmark::State& state) {
  Setup& s = setup();
  std::vector<std::uint8_t> target(kPreviewBytes);
  const std::uint8_t* source = s.patterns[0].data();
  std::int32_t r[256], g[256], b[256], k[256];
  for (auto _ : state) {
    Clock::time_point start = Clock::now();
    for (int i = 0; i < kStepsPerRound; ++i) {
      std::memcpy(target.data(), source, kPreviewBytes);
      benchmark::DoNotOptimize(target.data());
      benchmark::ClobberMemory();
    }
    const double copy = secondsSince(start);
    note("memcpy", copy, kStepsPerRound);

    double display = 0, drawing = 0;
    for (int i = 0; i < kStepsPerRound; ++i) {
      s.newPixels();
      start = Clock::now();
      s.rig->mode.Quirel_ExtendMode::setValueOfSelectedCrop(0);
      display += secondsSince(start);
      start = Clock::now();
      s.drawGraph(*s.histogramGraph);
      s.drawGraph(*s.finalGraph);
      drawing += secondsSince(start);
    }
    note("refresh", display + drawing, kStepsPerRound);
    note("drawing", drawing, kStepsPerRound);

    start = Clock::now();
    for (int i = 0; i < kStepsPerRound; ++i) {
      Quirel_ToneGraphLook::countHistograms(kWidth, kHeight, s.crop->getcropBefData(), r, g, b, k);
      Quirel_ToneGraphLook::countHistograms(kWidth, kHeight, s.crop->getcropCorData(), r, g, b, k);
      benchmark::DoNotOptimize(r);
    }
    note("counting", secondsSince(start), kStepsPerRound);
    state.SetIterationTime(copy + display + drawing);
  }
}
BENCHMARK(BM_InterleavedRounds)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(kRounds);

}  // namespace

int main(int argc, char** argv) {
  benchsupport::isolateProgramFolders("adjust-refresh-bench");
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  std::string loadBefore;
  std::getline(std::ifstream("/proc/loadavg"), loadBefore);
  QApplication qt(argc, argv);
  if (!setup().ready()) {
    std::fprintf(stderr, "%s\n", setup().failure.c_str());
    setup().tearDown();
    return 1;
  }
  benchmark::Initialize(&argc, argv);
  benchsupport::runBenchmarks();
  benchmark::Shutdown();
  // What the refreshes made: a graph drawn on the canvas, every pixel counted.
  const QImage& canvas = setup().canvas;
  bool drawn = false;
  for (int y = 0; y < canvas.height() && !drawn; ++y)
    for (int x = 0; x < canvas.width() && !drawn; ++x) drawn = canvas.pixel(x, y) != qRgb(255, 255, 255);
  benchsupport::check(drawn, "the graphs drew nothing");
  std::int32_t r[256], g[256], b[256], k[256];
  Quirel_ToneGraphLook::countHistograms(kWidth, kHeight, setup().crop->getcropCorData(), r, g, b, k);
  std::int64_t counted = 0;
  for (std::int32_t n : r) counted += n;
  benchsupport::check(counted == std::int64_t{kWidth} * kHeight, "the histogram does not count every pixel");
  setup().tearDown();
  auto& f = figures();
  const Figures& copy = f["memcpy"];
  const Figures& refresh = f["refresh"];
  if (copy.perOp.empty() || refresh.perOp.empty()) {
    benchsupport::fail("no refresh ran");
    return benchsupport::exitStatus();
  }
  const double bestCopy = *std::min_element(copy.perOp.begin(), copy.perOp.end());
  const double best = *std::min_element(refresh.perOp.begin(), refresh.perOp.end());
  std::printf("\npreview %d x %d RGB (%.1f MB), one crop, histogram and final review open; %d rounds of %d refreshes\n",
              kWidth, kHeight, kPreviewBytes / 1e6, kRounds, kStepsPerRound);
  std::printf("refresh: best %.2f ms, median %.2f ms; memcpy best %.3f ms, median %.3f ms; ratio best %.2f, median %.2f "
              "(target 10 or less)\n",
              best * 1e3, medianOf(refresh.perOp) * 1e3, bestCopy * 1e3, medianOf(copy.perOp) * 1e3, best / bestCopy,
              medianOf(refresh.perOp) / medianOf(copy.perOp));
  const double counting = medianOf(f["counting"].perOp), drawing = medianOf(f["drawing"].perOp);
  const double median = medianOf(refresh.perOp);
  std::printf("of a refresh (medians): counting the two histograms %.2f ms (%.0f%%), drawing the two graphs %.2f ms "
              "(%.0f%%), the rest %.2f ms (%.0f%%)\n",
              counting * 1e3, 100 * counting / median, drawing * 1e3, 100 * drawing / median,
              (median - counting - drawing) * 1e3, 100 * (median - counting - drawing) / median);
  for (const char* name : {"memcpy", "refresh", "drawing", "counting"}) {
    std::printf("%s rounds:", name);
    for (double v : f[name].perOp) std::printf(" %.2f", v * 1e3);
    std::printf("\n");
  }
  std::string loadAfter;
  std::getline(std::ifstream("/proc/loadavg"), loadAfter);
  std::printf("machine load (1, 5, 15 min): before %s, after %s\n", loadBefore.c_str(), loadAfter.c_str());
  return benchsupport::exitStatus();
}
