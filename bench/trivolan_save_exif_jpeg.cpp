// A 50-megapixel 8-bit RGB scan saved as JPEG through the whole chain of the save driver (1 MiB
// blocks -> temporary TIFF -> conversion pass -> temporary JPEG -> EXIF JPEG pass -> final
// .jpg), beside the same pixels encoded once by libjpeg-turbo alone at the same quality.
// The chain and libjpeg-turbo run in turns inside one benchmark (rounds of: libjpeg-turbo, then
// the chain), so a shared machine's load falls on both alike. Prints, for best and median of
// the rounds, the whole chain's ratio to libjpeg-turbo and the ratio of the time from the last
// block handed to the driver until the final .jpg is in place; then the conversion pass and the
// EXIF JPEG pass measured on their own (the EXIF pass, given no thumbnail, by its two steps).
// Every final file gets a name of its own (the driver puts a final file in place only onto a
// free name); after each run, outside the clock, its output is checked to read back whole.
// Short mode: one round and one run each on a 1000 x 800 image.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <thread>
#include <vector>

#include <jpeglib.h>

#include "BenchSupport.h"
#include "ReadBack.h"
#include "imageio/DataProvider.h"
#include "imageio/Image.h"
#include "imageio/ImageDestination.h"
#include "imageio/ImageProperties.h"
#include "launcher/save/CMSTR_CLASS.h"
#include "launcher/save/ExifJpegXform.h"
#include "launcher/save/ExifSegment.h"
#include "launcher/save/ICMFILE_CLASS.h"
#include "launcher/save/ImageConvertXform.h"
#include "launcher/save/JpegTables.h"
#include "launcher/save/SMCodes.h"
#include "launcher/save/SaveModuleCore.h"

namespace {

std::string folder() { return benchsupport::scratchFolder("save-exif-bench"); }
using benchsupport::medianOf;

namespace fs = std::filesystem;

const std::uint32_t kWidth = benchsupport::pick(8660u, 1000u);
const std::uint32_t kHeight = benchsupport::pick(5800u, 800u);  // 50.2 megapixels
const std::uint32_t kRowBytes = kWidth * 3;
constexpr std::uint32_t kBlockBytes = 0x100000;
const std::uint32_t kRowsPerBlock = kBlockBytes / kRowBytes;
constexpr std::int16_t kCompression = SM_COMPRESSION_HIGH;
const int kRuns = benchsupport::rounds(3);
const int kRounds = benchsupport::rounds(7);  // turns of libjpeg-turbo and the chain

// Rows y .. y + rows - 1 of the test scan: smooth ramps with some fine texture.
void fillRows(std::uint8_t* p, std::uint32_t y, std::uint32_t rows) {
  for (std::uint32_t r = 0; r < rows; ++r) {
    const std::uint32_t line = y + r;
    for (std::uint32_t x = 0; x < kWidth; ++x, p += 3) {
      p[0] = std::uint8_t(x * 255 / kWidth);
      p[1] = std::uint8_t(line * 255 / kHeight);
      p[2] = std::uint8_t((x ^ line) & 0xFF);
    }
  }
}

std::string tempFolder() { return folder() + "/tmp/"; }
std::string saveFolder() { return folder() + "/save/"; }

std::map<std::string, double>& best() {
  static std::map<std::string, double> s;
  return s;
}

// Every round's figures of the interleaved benchmark, by name.
std::map<std::string, std::vector<double>>& rounds() {
  static std::map<std::string, std::vector<double>> r;
  return r;
}

double bestOf(const std::vector<double>& v) { return v.empty() ? 0 : *std::min_element(v.begin(), v.end()); }

// prepare runs before the clock starts; fn is timed; verify checks fn's output afterwards.
template <class Prepare, class Fn, class Verify>
void timed(benchmark::State& state, const char* name, Prepare prepare, Fn fn, Verify verify) {
  for (auto _ : state) {
    if (!prepare()) {
      state.SkipWithError("preparation failed");
      break;
    }
    auto start = std::chrono::steady_clock::now();
    const bool ok = fn();
    const double s = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    if (!ok) {
      state.SkipWithError("the run failed");
      break;
    }
    if (!verify()) {
      state.SkipWithError("the output does not read back");
      break;
    }
    state.SetIterationTime(s);
    double& b = best()[name];
    if (b == 0 || s < b) b = s;
  }
}

bool nothing() { return true; }

// The final file of the run under way: a name no earlier run used.
std::string outputPath;
bool freshOutput(const char* stem) {
  static int count = 0;
  outputPath = saveFolder() + stem + "-" + std::to_string(++count) + ".jpg";
  return true;
}
// The final file reads back whole; then it is removed, so the runs do not fill the disk.
bool outputReadsBack() {
  const bool whole = benchsupport::readsBack(outputPath, kWidth, kHeight);
  fs::remove(outputPath);
  return whole;
}

// --- libjpeg-turbo alone ----------------------------------------------------------------------

std::string libjpegPath() { return folder() + "/libjpeg.jpg"; }
bool libjpegReadsBack() { return benchsupport::readsBack(libjpegPath(), kWidth, kHeight); }

bool encodeWithLibjpeg() {
  const std::string path = libjpegPath();
  FILE* f = std::fopen(path.c_str(), "wb");
  if (!f) return false;
  jpeg_compress_struct cinfo{};
  jpeg_error_mgr err{};
  cinfo.err = jpeg_std_error(&err);
  jpeg_create_compress(&cinfo);
  jpeg_stdio_dest(&cinfo, f);
  cinfo.image_width = kWidth;
  cinfo.image_height = kHeight;
  cinfo.input_components = 3;
  cinfo.in_color_space = JCS_RGB;
  jpeg_set_defaults(&cinfo);
  jpeg_set_quality(&cinfo, int(SM_JpegQuality(kCompression) * 100 + 0.5), TRUE);
  jpeg_start_compress(&cinfo, TRUE);
  // The same 1 MiB blocks the chain is fed with.
  std::vector<std::uint8_t> block(kBlockBytes);
  for (std::uint32_t y = 0; y < kHeight; y += kRowsPerBlock) {
    const std::uint32_t rows = std::min(kRowsPerBlock, kHeight - y);
    fillRows(block.data(), y, rows);
    for (std::uint32_t r = 0; r < rows; ++r) {
      JSAMPROW row = block.data() + std::size_t(r) * kRowBytes;
      jpeg_write_scanlines(&cinfo, &row, 1);
    }
  }
  jpeg_finish_compress(&cinfo);
  jpeg_destroy_compress(&cinfo);
  return std::fclose(f) == 0;
}

// --- the whole chain through the save driver --------------------------------------------------

SaveModuleCore& driver() {
  static SaveModuleCore core;
  return core;
}

std::unique_ptr<ISM_XFORM_INFO> xformFor(std::uint32_t in, std::uint32_t out) {
  std::unique_ptr<ISM_XFORM_INFO> x;
  SM_CreateXformInfo(&x);
  x->SetFormat(in, out);
  x->SetCompression(kCompression);
  const std::string app = "Trivolan", device = "Bench Scanner";
  x->SetAppName(&app);
  x->SetDeviceName(&device);
  return x;
}

// The size of the chain's last final file.
std::uintmax_t finalFileBytes = 0;

// Set by saveThroughDriver: when the last block's WriteImageLines returned.
std::chrono::steady_clock::time_point lastBlockHanded;

// Saves to outputPath.
bool saveThroughDriver() {
  SaveModuleCore& core = driver();
  const std::string name = "bench", path = outputPath, save = saveFolder();
  if (core.SetSaveFileInfo(&name, &path, &save, SM_FORMAT_TIFF, kCompression, 0, nullptr) != CM_OK) return false;
  auto first = xformFor(SM_FORMAT_RAW, SM_FORMAT_TIFF);
  core.SetXformInfo(first.get());
  core.StartXformThread();
  SM_ImageProperty_Struct property{kWidth, kHeight, 8, 3, 600.0, 600.0};
  std::unique_ptr<ISM_IMAGE_INFO> image;
  SM_CreateImageInfoWithProperty(&image, &property, &path, &path);
  if (core.StartXformImage(image.get()) != CM_OK) return false;
  std::vector<std::uint8_t> block(kBlockBytes);
  for (std::uint32_t y = 0; y < kHeight; y += kRowsPerBlock) {
    const std::uint32_t rows = std::min(kRowsPerBlock, kHeight - y);
    fillRows(block.data(), y, rows);
    if (core.WriteImageLines(y, rows, kRowBytes, kBlockBytes, block.data()) != CM_OK) return false;
  }
  lastBlockHanded = std::chrono::steady_clock::now();
  std::unique_ptr<ISM_OPTION_INFO> option;
  SM_CreateOptionInfo(&option);
  option->SetRotation(SM_ROTATE_0);
  option->SetOptionSwitch(SM_SWITCH_4081);
  if (core.EndXformImage(option.get()) != CM_OK) return false;
  core.SetEndXformFlag(0);
  auto final = xformFor(SM_FORMAT_TIFF, SM_FORMAT_JPEG_EXIF);
  core.SetXformInfo(final.get());
  core.StartFinalXformThread();
  core.EndXform();
  // The transfer loop's wait: until the final file is done and the workers are gone.
  while (core.GetFinishedImgCount() != core.GetTotalImgCount() || core.GetRunningWorkerCount() != 0)
    std::this_thread::sleep_for(std::chrono::milliseconds(2));
  return core.GetErrorMessage() == CM_OK && fs::exists(path);
}

// --- the passes on their own ------------------------------------------------------------------

// The temporary TIFF the transfer leaves, and the temporary JPEG the conversion leaves; made
// once, copied into place before each timed run (the passes consume their inputs).
const std::string& pristineTiff() {
  static const std::string path = [] {
    const std::string p = folder() + "/pristine.tif";
    std::vector<std::uint8_t> bytes(std::size_t(kRowBytes) * kHeight);
    fillRows(bytes.data(), 0, kHeight);
    auto image = imageio::Image::create(kWidth, kHeight, 8, 24, kRowBytes, imageio::ColorSpace::sRGB(), {},
                                        imageio::DataProvider::createWithData(std::move(bytes)));
    fnd::Dictionary props;
    props.set(imageio::kCGImagePropertyDPIWidth, fnd::Value(600.0));
    props.set(imageio::kCGImagePropertyDPIHeight, fnd::Value(600.0));
    auto d = imageio::ImageDestination::createWithPath(p, imageio::ImageType::TIFF, 1);
    d->addImage(image, props);
    return d->finalize() ? p : std::string();
  }();
  return path;
}

bool convert(const std::string& tiff, const std::string& jpeg) {
  auto pair = xformFor(SM_FORMAT_TIFF, SM_FORMAT_JPEG_EXIF);
  std::unique_ptr<ISM_IMAGE_INFO> image;
  SM_ImageProperty_Struct none{};
  SM_CreateImageInfoWithProperty(&image, &none, &tiff, &jpeg);
  ImageConvertXform pass;
  return pass.Initialize() == CM_OK && pass.StartConvertXform(pair.get(), image.get()) == CM_OK &&
         pass.ConvertXform() == CM_OK && pass.EndConvertXform() == CM_OK;
}

const std::string& pristineJpeg() {
  static const std::string path = [] {
    const std::string p = folder() + "/pristine.jpg";
    return !pristineTiff().empty() && convert(pristineTiff(), p) ? p : std::string();
  }();
  return path;
}

const std::string kTempTiff = "PVTO_tmpTF000.TIF";
const std::string kTempJpeg = "PVTO_tmpEX000.JPG";

bool placeTempTiff() {
  std::error_code ec;
  return !pristineTiff().empty() &&
         fs::copy_file(pristineTiff(), tempFolder() + kTempTiff, fs::copy_options::overwrite_existing, ec);
}
bool placeTempJpeg() {
  std::error_code ec;
  return !pristineJpeg().empty() &&
         fs::copy_file(pristineJpeg(), tempFolder() + kTempJpeg, fs::copy_options::overwrite_existing, ec);
}

bool conversionPass() { return convert(tempFolder() + kTempTiff, tempFolder() + kTempJpeg); }

bool exifPass() {
  auto pair = xformFor(SM_FORMAT_JPEG, SM_FORMAT_JPEG_EXIF);
  std::unique_ptr<ISM_IMAGE_INFO> image;
  SM_ImageProperty_Struct none{};
  const std::string in = tempFolder() + kTempJpeg, out = outputPath, temp = tempFolder();
  SM_CreateImageInfoWithProperty(&image, &none, &in, &out);
  std::unique_ptr<ISM_OPTION_INFO> option;
  SM_CreateOptionInfo(&option);
  const std::string maker = "Vantrel", device = "Bench Scanner", app = "Trivolan";
  option->SetMakerName(&maker);
  option->SetDeviceName(&device);
  option->SetAppName(&app);
  return SM_RunExifJpegPass(&temp, nullptr, pair.get(), image.get(), option.get()) == CM_OK;
}

std::string thumbnailPath() { return tempFolder() + "PVTO_tmpTH1.JPG"; }
bool thumbnailReadsBack() { return benchsupport::readsBack(thumbnailPath()); }
bool temporaryJpegReadsBack() { return benchsupport::readsBack(tempFolder() + kTempJpeg, kWidth, kHeight); }

// The EXIF pass's steps on the temporary JPEG: the thumbnail, then the final file.
bool thumbnailStep() {
  ExifJpegXform pass;
  const std::string temp = tempFolder(), in = tempFolder() + kTempJpeg, th1 = thumbnailPath();
  std::unique_ptr<ICMSTR_CLASS> source, target;
  CM_CreateStringWithNSString(&source, &in, 1024);
  CM_CreateStringWithNSString(&target, &th1, 1024);
  return pass.SetTempFolderPath(&temp) == CM_OK && pass.MakeThumbnail(source.get(), target.get()) == CM_OK;
}

// The tables merged in memory and the final file written with one copy of the scan data.
bool writeStep() {
  SM_ExifInfo_Struct record{};
  std::unique_ptr<ISM_OPTION_INFO> option;
  SM_CreateOptionInfo(&option);
  const std::string maker = "Vantrel", device = "Bench Scanner", app = "Trivolan";
  option->SetMakerName(&maker);
  option->SetDeviceName(&device);
  option->SetAppName(&app);
  SM_ImageProperty_Struct property{kWidth, kHeight, 8, 3, 600.0, 600.0};
  const std::string in = tempFolder() + kTempJpeg, th1 = thumbnailPath(), out = outputPath;
  std::snprintf(record.ThumbnailLength, sizeof record.ThumbnailLength, "%lld",
                static_cast<long long>(fs::file_size(th1)));
  std::unique_ptr<ICMFILE_CLASS> file;
  CM_CreateFile(&file);
  std::uint64_t scan = 0, first = 0;
  std::vector<std::uint8_t> head, merged;
  return SM_MakeExifInfo(option.get(), &property, &record) == CM_OK && file->Open(&in, ICMFILE_CLASS::kRead) == CM_OK &&
         SM_FindColourScanStart(file.get(), &scan) == CM_OK && SM_FindFirstTableSegment(file.get(), &first) == CM_OK &&
         SM_MergedJpegHead(file.get(), first, scan, &head, &merged) == CM_OK &&
         SM_WriteExifSegmentFrom(file.get(), merged, scan, &out, &th1, &record) == CM_OK && file->Close() == CM_OK;
}

bool placeTempJpegAndThumbnail() { return placeTempJpeg() && thumbnailStep() && freshOutput("step"); }
bool placeTempJpegForPass() { return placeTempJpeg() && freshOutput("pass"); }
bool readyChain() { return freshOutput("scan"); }

void BM_LibjpegTurboAlone(benchmark::State& s) { timed(s, "libjpeg", nothing, encodeWithLibjpeg, libjpegReadsBack); }
void BM_SaveDriverJpegChain(benchmark::State& s) { timed(s, "chain", readyChain, saveThroughDriver, outputReadsBack); }

// One round: libjpeg-turbo alone, then the chain; the round's time is both together.
void BM_InterleavedRounds(benchmark::State& state) {
  using clock = std::chrono::steady_clock;
  for (auto _ : state) {
    freshOutput("scan");
    const auto a = clock::now();
    const bool encoded = encodeWithLibjpeg();
    const auto b = clock::now();
    const bool saved = saveThroughDriver();
    const auto c = clock::now();
    if (!encoded || !saved) {
      state.SkipWithError("a run failed");
      break;
    }
    std::error_code ec;
    finalFileBytes = fs::file_size(outputPath, ec);
    if (!libjpegReadsBack() || !outputReadsBack()) {
      state.SkipWithError("an output does not read back");
      break;
    }
    rounds()["libjpeg"].push_back(std::chrono::duration<double>(b - a).count());
    rounds()["chain"].push_back(std::chrono::duration<double>(c - b).count());
    rounds()["last block"].push_back(std::chrono::duration<double>(c - lastBlockHanded).count());
    state.SetIterationTime(std::chrono::duration<double>(c - a).count());
  }
}
void BM_ConversionPass(benchmark::State& s) {
  timed(s, "conversion", placeTempTiff, conversionPass, temporaryJpegReadsBack);
}
void BM_ExifJpegPass(benchmark::State& s) { timed(s, "exif", placeTempJpegForPass, exifPass, outputReadsBack); }
void BM_ExifStepThumbnail(benchmark::State& s) {
  timed(s, "thumbnail", placeTempJpeg, thumbnailStep, thumbnailReadsBack);
}
void BM_ExifStepWriteFinal(benchmark::State& s) {
  timed(s, "write", placeTempJpegAndThumbnail, writeStep, outputReadsBack);
}

BENCHMARK(BM_InterleavedRounds)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(kRounds);
BENCHMARK(BM_LibjpegTurboAlone)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(kRuns);
BENCHMARK(BM_SaveDriverJpegChain)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(kRuns);
BENCHMARK(BM_ConversionPass)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(kRuns);
BENCHMARK(BM_ExifJpegPass)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(kRuns);
BENCHMARK(BM_ExifStepThumbnail)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(kRuns);
BENCHMARK(BM_ExifStepWriteFinal)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(kRuns);

}  // namespace

int main(int argc, char** argv) {
  fs::create_directories(tempFolder());
  fs::create_directories(saveFolder());
  if (driver().Initialize() != CM_OK) return 1;
  std::unique_ptr<ICMSTR_CLASS> temp;
  const std::string tempText = tempFolder();
  CM_CreateStringWithNSString(&temp, &tempText, 1024);
  if (driver().SetTempFolderPath(temp.get()) != CM_OK) return 1;

  std::string loadBefore;
  std::getline(std::ifstream("/proc/loadavg"), loadBefore);
  benchmark::Initialize(&argc, argv);
  benchsupport::runBenchmarks();
  benchmark::Shutdown();

  auto& b = best();
  std::printf("\nimage: %u x %u RGB, 8 bits (%.1f megapixels), blocks of %u rows (1 MiB), JPEG quality %.2f\n", kWidth,
              kHeight, kWidth * double(kHeight) / 1e6, kRowsPerBlock, SM_JpegQuality(kCompression));
  std::string loadAfter;
  std::getline(std::ifstream("/proc/loadavg"), loadAfter);
  std::printf("machine load (1, 5, 15 min): before %s, after %s\n", loadBefore.c_str(), loadAfter.c_str());
  auto& r = rounds();
  if (!r["libjpeg"].empty()) {
    std::vector<double> chainRatio, lastRatio;
    for (std::size_t i = 0; i < r["libjpeg"].size(); ++i) {
      chainRatio.push_back(r["chain"][i] / r["libjpeg"][i]);
      lastRatio.push_back(r["last block"][i] / r["libjpeg"][i]);
    }
    std::printf("%zu interleaved rounds (libjpeg-turbo, then the chain):\n", r["libjpeg"].size());
    for (const char* name : {"libjpeg", "chain", "last block"})
      std::printf("  %-11s best %.3f s, median %.3f s\n", name, bestOf(r[name]), medianOf(r[name]));
    std::printf("  whole chain / libjpeg-turbo: best %.2f (best over best), median of rounds %.2f (goal 1.6 or less)\n",
                bestOf(r["chain"]) / bestOf(r["libjpeg"]), medianOf(chainRatio));
    std::printf("  last block -> final .jpg / libjpeg-turbo: best %.2f (best over best), median of rounds %.2f "
                "(goal 1.25 or less)\n",
                bestOf(r["last block"]) / bestOf(r["libjpeg"]), medianOf(lastRatio));
  }
  if (b["libjpeg"] > 0 && b["chain"] > 0) {
    std::printf("best of %d: save driver JPEG chain %.3f s, libjpeg-turbo alone %.3f s, ratio %.2f\n", kRuns,
                b["chain"], b["libjpeg"], b["chain"] / b["libjpeg"]);
    // The passes on their own: the EXIF pass here has no thumbnail handed from a conversion,
    // so it takes the decoding road the chain no longer takes.
    std::printf("passes on their own: conversion pass %.3f s; EXIF JPEG pass without a handed thumbnail %.3f s "
                "(thumbnail by decoding %.3f s, tables merged and final file written %.3f s)\n",
                b["conversion"], b["exif"], b["thumbnail"], b["write"]);
  }
  std::error_code ec;
  if (finalFileBytes > 0)
    std::printf("final file %.1f MiB, libjpeg-turbo's %.1f MiB\n", double(finalFileBytes) / 1048576.0,
                double(fs::file_size(libjpegPath(), ec)) / 1048576.0);
  driver().Terminate();
  fs::remove_all(folder());
  return benchsupport::exitStatus();
}
