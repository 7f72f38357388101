// Cost of the 16-bit final tone curve: building the 65536-entry tables, and applying them to a
// 20-megapixel 16-bit RGB image, beside a memcpy of the same image measured in the same run.
// Prints the ratio of applying to copying at the end. Each result is checked after its runs:
// every applied sample is its table's entry, the copy equals the source, the tables are not
// flat. Short mode: one iteration each on 100 000 pixels.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include <unistd.h>

#include "BenchSupport.h"
#include "ui/model/SM_COMMON/ToneCurve.h"

namespace {

const std::size_t kPixels = benchsupport::pick<std::size_t>(20'000'000, 100'000);
const std::size_t kSamples = kPixels * 3;
constexpr int kEntries = 65536;

ToneParam sampleParam() {
  ToneParam t{};
  for (int c = 0; c < 4; ++c) {
    t.brightness[c] = 128;
    t.contrast[c] = 128;
    t.gamma[c] = 1.0;
    t.shadow[c] = 0;
    t.middle[c] = 128;
    t.hilight[c] = 255;
    t.grayPoint[c] = 128;
  }
  // A typical correction: monitor gamma, some levels, a little brightness and contrast.
  t.gamma[kToneMaster] = 2.2;
  t.shadow[kToneMaster] = 8;
  t.middle[kToneMaster] = 120;
  t.hilight[kToneMaster] = 245;
  t.brightness[kToneMaster] = 140;
  t.contrast[kToneMaster] = 150;
  t.grayPoint[kToneRed] = 120;
  t.grayPoint[kToneBlue] = 135;
  return t;
}

struct Image {
  std::vector<std::uint16_t> source;
  std::vector<std::uint16_t> target;
  std::vector<std::int16_t> red, green, blue;

  Image() : source(kSamples), target(kSamples), red(kEntries), green(kEntries), blue(kEntries) {
    std::uint32_t state = 2463534242u;  // xorshift: any spread of levels will do
    for (auto& s : source) {
      state ^= state << 13;
      state ^= state >> 17;
      state ^= state << 5;
      s = static_cast<std::uint16_t>(state);
    }
    MakeFinalToneCurve(red.data(), green.data(), blue.data(), kEntries, sampleParam());
  }
};

Image& image() {
  static Image instance;
  return instance;
}

void applyCurve(const Image& in, std::uint16_t* out) {
  const std::uint16_t* s = in.source.data();
  const std::int16_t* r = in.red.data();
  const std::int16_t* g = in.green.data();
  const std::int16_t* b = in.blue.data();
  for (std::size_t p = 0; p < kPixels; ++p, s += 3, out += 3) {
    out[0] = static_cast<std::uint16_t>(r[s[0]]);
    out[1] = static_cast<std::uint16_t>(g[s[1]]);
    out[2] = static_cast<std::uint16_t>(b[s[2]]);
  }
}

void BM_ApplyFinalToneCurve16(benchmark::State& state) {
  Image& img = image();
  for (auto _ : state) {
    applyCurve(img, img.target.data());
    benchmark::DoNotOptimize(img.target.data());
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * kSamples * 2));
  bool applied = true;
  for (std::size_t i = 0; i < kSamples && applied; ++i) {
    const std::int16_t* table = i % 3 == 0 ? img.red.data() : i % 3 == 1 ? img.green.data() : img.blue.data();
    applied = img.target[i] == static_cast<std::uint16_t>(table[img.source[i]]);
  }
  benchsupport::check(applied, "the tone curve was not applied to every sample");
}
BENCHMARK(BM_ApplyFinalToneCurve16)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Apply(benchsupport::oneIterationWhenShort);

void BM_MemcpyBaseline(benchmark::State& state) {
  Image& img = image();
  for (auto _ : state) {
    std::memcpy(img.target.data(), img.source.data(), kSamples * 2);
    benchmark::DoNotOptimize(img.target.data());
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * kSamples * 2));
  benchsupport::check(img.target == img.source, "the copy differs from its source");
}
BENCHMARK(BM_MemcpyBaseline)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Apply(benchsupport::oneIterationWhenShort);

void BM_MakeFinalToneCurve65536(benchmark::State& state) {
  std::vector<std::int16_t> r(kEntries), g(kEntries), b(kEntries);
  const ToneParam param = sampleParam();
  for (auto _ : state) {
    MakeFinalToneCurve(r.data(), g.data(), b.data(), kEntries, param);
    benchmark::DoNotOptimize(r.data());
  }
  for (const auto* table : {&r, &g, &b})
    benchsupport::check(std::adjacent_find(table->begin(), table->end(), std::not_equal_to<>()) != table->end(),
                        "a tone table is flat");
}
BENCHMARK(BM_MakeFinalToneCurve65536)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Apply(benchsupport::oneIterationWhenShort);

// Shows every run as usual and keeps each benchmark's time per iteration for the ratio.
class RatioReporter : public benchsupport::FailureCountingReporter {
 public:
  void ReportRuns(const std::vector<Run>& reports) override {
    for (const Run& run : reports) {
      if (run.run_type == Run::RT_Iteration && !run.error_occurred) {
        times_[run.run_name.function_name] = run.GetAdjustedRealTime();
      }
    }
    FailureCountingReporter::ReportRuns(reports);
  }

  double time(const std::string& name) const {
    const auto it = times_.find(name);
    return it == times_.end() ? 0.0 : it->second;
  }

 private:
  std::map<std::string, double> times_;
};

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
    return 1;
  }
  RatioReporter reporter;
  benchsupport::runBenchmarks(&reporter);
  benchmark::Shutdown();
  const double apply = reporter.time("BM_ApplyFinalToneCurve16");
  const double copy = reporter.time("BM_MemcpyBaseline");
  if (apply > 0.0 && copy > 0.0) {
    std::printf("tone curve / memcpy on %zu 16-bit RGB pixels: %.2f\n", kPixels, apply / copy);
  }
  return benchsupport::exitStatus();
}
