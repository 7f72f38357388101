// The save driver writing a 50-megapixel 8-bit RGB scan to its final TIFF, fed in 1 MiB
// blocks as the transfer loop feeds it, beside a plain sequential write of the same bytes in
// the same blocks. Prints the time ratio and the peak memory of each at the end; then the
// same for blocks whose rows a scanner padded to a multiple of 32 bytes.
//
// The blocks are made as they are needed (as a scanner delivers them), so the peak memory
// is the pipeline's own: it holds one block at a time, never the image. Each round's files get
// names of their own (the driver puts a final file in place only onto a free name); each is
// checked to read back whole, then removed. Short mode: one round on a 1000 x 800 image.
#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <vector>

#include "BenchSupport.h"
#include "ReadBack.h"
#include "launcher/save/CMSTR_CLASS.h"
#include "launcher/save/SMCodes.h"
#include "launcher/save/SaveModuleCore.h"

namespace {

std::string folder() { return benchsupport::scratchFolder("save-driver-bench"); }
using benchsupport::medianOf;
using benchsupport::resetPeakMemory;
using benchsupport::peakMemoryMiB;

const std::uint32_t kWidth = benchsupport::pick(8660u, 1000u);
const std::uint32_t kHeight = benchsupport::pick(5800u, 800u);  // 50.2 megapixels
const std::uint32_t kRowBytes = kWidth * 3;
constexpr std::uint32_t kBlockBytes = 0x100000;
const std::uint32_t kRowsPerBlock = kBlockBytes / kRowBytes;
const std::uint32_t kPaddedRowBytes = (kRowBytes + 31) & ~31u;

// Fills the block with rows y .. y + rows - 1 of the test scan, stride bytes apart.
void fillBlock(std::vector<std::uint8_t>& block, std::uint32_t y, std::uint32_t rows, std::uint32_t stride = kRowBytes) {
  for (std::uint32_t r = 0; r < rows; ++r) {
    std::uint8_t* p = block.data() + std::size_t(r) * stride;
    const std::uint32_t line = y + r;
    for (std::uint32_t x = 0; x < kWidth; ++x, p += 3) {
      p[0] = std::uint8_t(x * 255 / kWidth);
      p[1] = std::uint8_t(line * 255 / kHeight);
      p[2] = std::uint8_t((x ^ line) & 0xFF);
    }
  }
}




struct Figures {
  std::vector<double> all;
  double seconds = 0;  // best run
  double total = 0;    // all runs, for the mean
  int runs = 0;
  double peakMiB = 0;
  double mean() const { return runs ? total / runs : 0; }
};
std::map<std::string, Figures>& figures() {
  static std::map<std::string, Figures> f;
  return f;
}

// One timed run of fn, recorded under name; false when it failed.
template <class Fn>
bool runOnce(const char* name, Fn fn, double* seconds) {
  resetPeakMemory();
  auto start = std::chrono::steady_clock::now();
  const bool ok = fn();
  const double s = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  Figures& f = figures()[name];
  if (f.seconds == 0 || s < f.seconds) f.seconds = s;
  f.total += s;
  f.all.push_back(s);
  ++f.runs;
  f.peakMiB = std::max(f.peakMiB, peakMemoryMiB());
  *seconds = s;
  return ok;
}

// The driver lives as long as the program, as in the launcher; it is readied once.
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

// One image, as the transfer loop hands it over, its rows stride bytes apart, to path.
bool writeThroughDriver(std::uint32_t stride, const std::string& path) {
  SaveModuleCore& core = driver();
  const std::string name = "bench", saveFolder = folder();
  if (core.SetSaveFileInfo(&name, &path, &saveFolder, SM_FORMAT_TIFF, SM_COMPRESSION_HIGH, 0, nullptr) != CM_OK)
    return false;
  std::unique_ptr<ISM_XFORM_INFO> xform;
  SM_CreateXformInfo(&xform);
  xform->SetFormat(SM_FORMAT_RAW, SM_FORMAT_TIFF);
  core.SetXformInfo(xform.get());
  core.StartXformThread();
  SM_ImageProperty_Struct property{kWidth, kHeight, 8, 3, 600.0, 600.0};
  std::unique_ptr<ISM_IMAGE_INFO> image;
  const std::string empty;
  SM_CreateImageInfoWithProperty(&image, &property, &empty, &path);
  if (core.StartXformImage(image.get()) != CM_OK) return false;
  // One block buffer, reused for every block, as the transfer loop's.
  // As many rows as fit in it at this stride.
  std::vector<std::uint8_t> block(kBlockBytes);
  const std::uint32_t perBlock = kBlockBytes / stride;
  for (std::uint32_t y = 0; y < kHeight; y += perBlock) {
    const std::uint32_t rows = std::min(perBlock, kHeight - y);
    fillBlock(block, y, rows, stride);
    if (core.WriteImageLines(y, rows, stride, kBlockBytes, block.data()) != CM_OK) return false;
  }
  std::unique_ptr<ISM_OPTION_INFO> option;
  SM_CreateOptionInfo(&option);
  option->SetRotation(SM_ROTATE_0);
  option->SetOptionSwitch(SM_SWITCH_4081);
  if (core.EndXformImage(option.get()) != CM_OK) return false;
  core.EndXform();
  return core.GetFinishedImgCount() == core.GetTotalImgCount() && core.GetErrorMessage() == CM_OK;
}

std::string plainPath() { return folder() + "/plain.raw"; }

bool writePlain() {
  int fd = ::open(plainPath().c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  if (fd < 0) return false;
  std::vector<std::uint8_t> block(kBlockBytes);
  for (std::uint32_t y = 0; y < kHeight; y += kRowsPerBlock) {
    const std::uint32_t rows = std::min(kRowsPerBlock, kHeight - y);
    fillBlock(block, y, rows);
    std::size_t done = 0, size = std::size_t(rows) * kRowBytes;
    while (done < size) {
      ssize_t w = ::write(fd, block.data() + done, size - done);
      if (w <= 0) {
        ::close(fd);
        return false;
      }
      done += std::size_t(w);
    }
  }
  return ::close(fd) == 0;
}

// A name no earlier round used.
std::string freshPath(const char* stem) {
  static int count = 0;
  return folder() + "/" + stem + "-" + std::to_string(++count) + ".tif";
}

std::vector<double>& roundRatios() {
  static std::vector<double> r;
  return r;
}
std::vector<double>& paddedRatios() {
  static std::vector<double> r;
  return r;
}

// One round: the plain write, the driver, then the driver given padded rows; the round's time
// is all three together.
void BM_InterleavedRounds(benchmark::State& state) {
  for (auto _ : state) {
    double plain = 0, saved = 0, padded = 0;
    const std::string packedPath = freshPath("driver"), paddedPath = freshPath("padded");
    if (!runOnce("plain", writePlain, &plain) ||
        !runOnce("driver", [&] { return writeThroughDriver(kRowBytes, packedPath); }, &saved) ||
        !runOnce("padded", [&] { return writeThroughDriver(kPaddedRowBytes, paddedPath); }, &padded)) {
      state.SkipWithError("write failed");
      break;
    }
    // Outside the clock: each file whole, then out of the way of the next round.
    const bool whole = benchsupport::hasSize(plainPath(), std::uint64_t(kRowBytes) * kHeight) &&
                       benchsupport::readsBack(packedPath, kWidth, kHeight) &&
                       benchsupport::readsBack(paddedPath, kWidth, kHeight);
    std::filesystem::remove(packedPath);
    std::filesystem::remove(paddedPath);
    if (!whole) {
      state.SkipWithError("an output file does not read back");
      break;
    }
    roundRatios().push_back(saved / plain);
    paddedRatios().push_back(padded / plain);
    state.SetIterationTime(plain + saved + padded);
  }
}

BENCHMARK(BM_InterleavedRounds)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(benchsupport::rounds(9));

}  // namespace

int main(int argc, char** argv) {
  if (!readyDriver()) {
    std::fprintf(stderr, "the save driver could not be readied\n");
    return 1;
  }
  std::string loadBefore;
  std::getline(std::ifstream("/proc/loadavg"), loadBefore);
  benchmark::Initialize(&argc, argv);
  benchsupport::runBenchmarks();
  benchmark::Shutdown();
  auto& f = figures();
  std::printf("\nimage: %u x %u RGB, 8 bits (%.1f megapixels, %.1f MiB), blocks of %u rows (1 MiB)\n", kWidth, kHeight,
              kWidth * double(kHeight) / 1e6, double(kRowBytes) * kHeight / 1048576.0, kRowsPerBlock);
  if (f["plain"].seconds > 0 && f["driver"].seconds > 0 && !roundRatios().empty()) {
    std::printf("time (best run): save driver to final TIFF %.3f s, plain sequential write %.3f s, ratio %.3f\n",
                f["driver"].seconds, f["plain"].seconds, f["driver"].seconds / f["plain"].seconds);
    std::printf("time (median):   save driver to final TIFF %.3f s, plain sequential write %.3f s, ratio %.3f\n",
                medianOf(f["driver"].all), medianOf(f["plain"].all),
                medianOf(f["driver"].all) / medianOf(f["plain"].all));
    std::printf("ratio of each round (driver / plain): best %.3f, median %.3f over %zu rounds\n",
                *std::min_element(roundRatios().begin(), roundRatios().end()), medianOf(roundRatios()),
                roundRatios().size());
    std::printf("peak resident memory: save driver %.1f MiB, plain write %.1f MiB\n", f["driver"].peakMiB,
                f["plain"].peakMiB);
    std::printf("rows padded to %u bytes: save driver best %.3f s, median %.3f s; ratio of each round (padded driver / "
                "plain): best %.3f, median %.3f; peak resident memory %.1f MiB\n",
                kPaddedRowBytes, f["padded"].seconds, medianOf(f["padded"].all),
                *std::min_element(paddedRatios().begin(), paddedRatios().end()), medianOf(paddedRatios()),
                f["padded"].peakMiB);
  }
  std::string loadAfter;
  std::getline(std::ifstream("/proc/loadavg"), loadAfter);
  std::printf("machine load (1, 5, 15 min): before %s, after %s\n", loadBefore.c_str(), loadAfter.c_str());
  driver().Terminate();
  std::filesystem::remove_all(folder());
  return benchsupport::exitStatus();
}
