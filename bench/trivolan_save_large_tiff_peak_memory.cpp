// Peak memory of the save pipeline's strip-wise TIFF writer (trivolan_save's LargeTiffXform)
// for a 1-gigapixel grey image handed over in 1 MiB blocks, as the scanner's transfer loop
// does. The writer must hold about one block, never the image. Beside it, a plain sequential
// write of the same bytes in the same blocks (the baseline).
//
// Reported per run: peak_rss_growth_KiB, the growth of the process's peak resident size
// during the write over the resident size before it (the one reused block is allocated and
// touched beforehand); block_MiB, the block size. The 16-bit case shows the staging buffer
// that byte-swaps samples on their way to the file (a quarter of a block at most). Each file
// is checked, outside the clock, to read back whole (the plain write: to have every byte).
// Short mode: one run each of a 4096 x 1024 image.
#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "BenchSupport.h"
#include "ReadBack.h"
#include "launcher/save/ISM_IMAGE_INFO.h"
#include "launcher/save/ISM_XFORM_INFO.h"
#include "launcher/save/LargeTiffXform.h"
#include "launcher/save/SMCodes.h"

namespace {

std::string folder() { return benchsupport::scratchFolder("large-tiff-bench"); }
using benchsupport::statusKiB;
inline bool resetPeak() { return benchsupport::resetPeakMemory(); }

const std::uint32_t kWidth = benchsupport::pick(32768u, 4096u);
const std::uint32_t kHeight = benchsupport::pick(32768u, 1024u);  // 1 gigapixel, 1 GiB of 8-bit grey
constexpr std::size_t kBlockBytes = std::size_t(1) << 20;
const std::uint32_t kBlockLines = std::uint32_t(kBlockBytes / kWidth);
const int kRuns = benchsupport::rounds(2);




std::vector<std::uint8_t>& block() {
  static std::vector<std::uint8_t> b = [] {
    std::vector<std::uint8_t> v(kBlockBytes);
    for (std::size_t i = 0; i < v.size(); ++i) v[i] = std::uint8_t(i * 31 + i / kWidth);
    return v;
  }();
  return b;
}

// What the write at path should have made: a TIFF of width x height, or (width 0) a plain file
// of the image's bytes.
template <class Write>
void measure(benchmark::State& state, std::uint32_t width, Write write) {
  const std::string path = folder() + "/large.tif";
  block();
  for (auto _ : state) {
    state.PauseTiming();
    std::filesystem::remove(path);
    if (!resetPeak()) {
      state.SkipWithError("cannot reset the peak resident size");
      return;
    }
    const long before = statusKiB("VmRSS");
    state.ResumeTiming();
    if (!write(path)) {
      state.SkipWithError("the write failed");
      return;
    }
    state.PauseTiming();
    const long peak = statusKiB("VmHWM");
    state.counters["peak_rss_growth_KiB"] = double(peak - before);
    state.counters["block_MiB"] = double(kBlockBytes) / double(1 << 20);
    const bool whole = width ? benchsupport::readsBack(path, width, kHeight)
                             : benchsupport::hasSize(path, std::uint64_t(kWidth) * kHeight);
    std::filesystem::remove(path);
    if (!whole) {
      state.SkipWithError("the file does not read back");
      return;
    }
    state.ResumeTiming();
  }
  state.SetBytesProcessed(std::int64_t(state.iterations()) * std::int64_t(kWidth) * kHeight);
}

// Writes the picture through LargeTiffXform: 8-bit grey kWidth x kHeight, or 16-bit grey of
// half the width (the same bytes), whose samples the writer swaps through its staging buffer.
bool writeLargeTiff(const std::string& path, std::uint32_t bits) {
  const std::uint32_t width = bits == 16 ? kWidth / 2 : kWidth;
  SM_ImageProperty_Struct property{width, kHeight, bits, 1, 300, 300};
  std::unique_ptr<ISM_IMAGE_INFO> image;
  std::unique_ptr<ISM_XFORM_INFO> xform;
  const std::string none;
  if (SM_CreateImageInfoWithProperty(&image, &property, &none, &path) != CM_OK) return false;
  if (SM_CreateXformInfo(&xform) != CM_OK) return false;
  xform->SetFormat(SM_FORMAT_RAW, SM_FORMAT_LARGE_TIFF);
  LargeTiffXform writer;
  if (writer.StartXform(xform.get(), image.get()) != CM_OK) return false;
  for (std::uint32_t y = 0; y < kHeight; y += kBlockLines)
    if (writer.WriteLines(kBlockLines, kWidth, block().data()) != CM_OK) return false;
  return writer.EndXform(nullptr) == CM_OK;
}

void BM_LargeTiffXform_Grey1Gigapixel(benchmark::State& state) {
  measure(state, kWidth, [](const std::string& path) { return writeLargeTiff(path, 8); });
}
BENCHMARK(BM_LargeTiffXform_Grey1Gigapixel)->Unit(benchmark::kMillisecond)->Iterations(kRuns)->UseRealTime();

// 16-bit grey, 0.5 gigapixel: the same 1 GiB, byte-swapped on its way to the file.
void BM_LargeTiffXform_Grey16HalfGigapixel(benchmark::State& state) {
  measure(state, kWidth / 2, [](const std::string& path) { return writeLargeTiff(path, 16); });
}
BENCHMARK(BM_LargeTiffXform_Grey16HalfGigapixel)->Unit(benchmark::kMillisecond)->Iterations(kRuns)->UseRealTime();

// The same bytes written in the same blocks with write(2): no header, no directory.
void BM_Baseline_PlainWrite1GiB(benchmark::State& state) {
  measure(state, 0, [](const std::string& path) {
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0) return false;
    bool ok = true;
    for (std::uint32_t y = 0; y < kHeight && ok; y += kBlockLines)
      ok = ::write(fd, block().data(), kBlockBytes) == ssize_t(kBlockBytes);
    return ::close(fd) == 0 && ok;
  });
}
BENCHMARK(BM_Baseline_PlainWrite1GiB)->Unit(benchmark::kMillisecond)->Iterations(kRuns)->UseRealTime();

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchsupport::runBenchmarks();
  benchmark::Shutdown();
  std::filesystem::remove_all(folder());
  return benchsupport::exitStatus();
}
