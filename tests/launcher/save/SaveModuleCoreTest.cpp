#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <map>
#include <mutex>
#include <thread>

#include "SaveTestSupport.h"
#include "TestEnvironment.h"
#include "foundation/Paths.h"
#include "foundation/RunTempFolder.h"
#include "imageio/ColorSpace.h"
#include "imageio/ImageSource.h"
#include "launcher/save/CMFileSystem.h"
#include "launcher/save/CMSTR_CLASS.h"
#include "launcher/save/SMCodes.h"
#include "launcher/save/SaveModuleCore.h"

using savetest::Scan;
namespace fs = std::filesystem;

namespace {

// How one image is transferred.
struct Options {
  std::uint32_t writerFormat = SM_FORMAT_TIFF;
  std::uint32_t outFormat = SM_FORMAT_TIFF;
  std::uint32_t extraRowBytes = 0;  // padding the scanner adds to each delivered row
  std::uint32_t stopAfterLines = 0xFFFFFFFFu;
  bool cancel = false;
  std::int32_t rotation = SM_ROTATE_0;
};

// Drives the driver the way the transfer loop does, one image at a time.
class Driver {
 public:
  explicit Driver(const std::string& name)
      : saveFolder(testenv::freshFolder(name + "-save")), tempFolder(testenv::freshFolder(name + "-tmp")) {
    EXPECT_EQ(core.Initialize(), CM_OK);
    startRequest();
  }

  void startRequest() {
    std::unique_ptr<ICMSTR_CLASS> folder;
    std::string text = tempFolder.string();  // without the "/": the driver appends it
    CM_CreateStringWithNSString(&folder, &text, 1024);
    EXPECT_EQ(core.SetTempFolderPath(folder.get()), CM_OK);
  }

  // One image: answers EndXformImage's code (or the first failing step's).
  CMResult transfer(const Scan& scan, const fs::path& path, const Options& o = {}, std::uint32_t colorSetting = 0,
                    const std::string* profile = nullptr) {
    const std::string name = "scan", file = path.string(), folder = saveFolder.string();
    CMResult rc = core.SetSaveFileInfo(&name, &file, &folder, o.writerFormat, SM_COMPRESSION_HIGH, colorSetting, profile);
    if (rc != CM_OK) return rc;
    auto xform = savetest::makeXform(SM_FORMAT_RAW, o.outFormat);
    EXPECT_EQ(core.SetXformInfo(xform.get()), CM_OK);
    EXPECT_EQ(core.StartXformThread(), CM_OK);
    auto image = savetest::makeImage(scan, file);
    rc = core.StartXformImage(image.get());
    if (rc != CM_OK) return rc;
    // Blocks of at most 1 MiB as the scanner delivers them, rows padded as asked.
    const std::uint32_t bpr = scan.rowBytes() + o.extraRowBytes;
    const std::uint32_t rowsPerBlock = std::max<std::uint32_t>(1, std::min<std::uint32_t>(0x100000 / bpr, 13));
    std::vector<std::uint8_t> block(std::size_t(bpr) * rowsPerBlock, 0xEE);
    for (std::uint32_t y = 0; y < scan.height && y < o.stopAfterLines; y += rowsPerBlock) {
      std::uint32_t rows = std::min(rowsPerBlock, scan.height - y);
      for (std::uint32_t r = 0; r < rows; ++r)
        std::memcpy(block.data() + std::size_t(r) * bpr, scan.row(y + r), scan.rowBytes());
      rc = core.WriteImageLines(y, rows, bpr, block.size(), block.data());
      if (rc != CM_OK) break;
    }
    if (o.cancel || rc != CM_OK) {
      core.CancelXformImage();
      return rc != CM_OK ? rc : SM_ERR_ABORTED;
    }
    auto option = savetest::makeOption(o.rotation);
    rc = core.EndXformImage(option.get());
    if (fs::path(file).extension() == ".jpg") {
      core.SetEndXformFlag(0);
      auto final = savetest::makeXform(SM_FORMAT_TIFF, SM_FORMAT_JPEG_EXIF);
      core.SetXformInfo(final.get());
      EXPECT_EQ(core.StartFinalXformThread(), CM_OK);
    }
    core.EndXform();
    return rc;
  }

  // Waits until every queued image is done and every worker has ended.
  bool settle() {
    for (int round = 0; round < 6000; ++round) {
      if (core.GetFinishedImgCount() == core.GetTotalImgCount() && core.GetRunningWorkerCount() == 0) return true;
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return false;
  }

  std::vector<std::string> temporaries() const { return savetest::filesStartingWith(tempFolder, "PVTO_tmp"); }

  fs::path saveFolder;
  fs::path tempFolder;
  SaveModuleCore core;
};

// Stand-ins for the conversion and EXIF passes: they copy their input to their output and
// count the images they were run for.
struct CopyingPasses {
  std::mutex mutex;
  std::map<std::string, int> converted;  // by input path
  std::map<std::string, int> finished;   // by output path

  static CMResult copy(const ISM_IMAGE_INFO* image) {
    const std::string* in = image->GetInputPath();
    const std::string* out = image->GetOutputPath();
    std::error_code ec;
    fs::copy_file(*in, *out, fs::copy_options::overwrite_existing, ec);
    return ec ? SM_ERR_IMAGE : CM_OK;
  }

  void install(SaveModuleCore& core) {
    core.SetFilePasses(
        [this](ImageToImageXform&, const ISM_XFORM_INFO* xform, const ISM_IMAGE_INFO* image, const ISM_OPTION_INFO*) {
          EXPECT_EQ(xform->GetFormatPair(), SM_FormatPair(SM_FORMAT_TIFF, SM_FORMAT_JPEG_EXIF));
          std::lock_guard lock(mutex);
          ++converted[*image->GetInputPath()];
          return copy(image);
        },
        [this](ImageToImageXform&, const ISM_XFORM_INFO* xform, const ISM_IMAGE_INFO* image, const ISM_OPTION_INFO* option) {
          EXPECT_EQ(xform->GetFormatPair(), SM_FormatPair(SM_FORMAT_JPEG, SM_FORMAT_JPEG_EXIF));
          EXPECT_EQ(*option->GetMakerName(), "Vantrel");
          EXPECT_EQ(*option->GetAppName(), "Trivolan");
          std::lock_guard lock(mutex);
          ++finished[*image->GetOutputPath()];
          return copy(image);
        });
  }
};

TEST(SaveModuleCore, ATiffImageIsSavedUnderItsFinalNameWithTheCountersAndEndFlagRight) {
  Driver d("tiff");
  // Rows arrive padded: they are repacked before they are written.
  Scan padded(33, 70, 24);
  fs::path first = d.saveFolder / "scan_20261210_0001.tif";
  Options o;
  o.extraRowBytes = 5;
  ASSERT_EQ(d.transfer(padded, first, o), CM_OK);
  EXPECT_EQ(d.core.GetTotalImgCount(), 1u);
  EXPECT_EQ(d.core.GetFinishedImgCount(), 1u) << "a TIFF image is final when it is closed";
  EXPECT_EQ(d.core.GetEndXformFlag(), 1);
  EXPECT_EQ(d.core.GetErrorMessage(), CM_OK);
  EXPECT_TRUE(savetest::readTiff(first).bytes == padded.bytes);

  // Rows already packed are written in place; 16-bit grey keeps its samples.
  Scan packed(21, 40, 16);
  fs::path second = d.saveFolder / "scan_20261210_0002.tif";
  ASSERT_EQ(d.transfer(packed, second), CM_OK);
  EXPECT_TRUE(savetest::readTiff(second).bytes == packed.bytes);

  // 16-bit samples in rows padded by an odd count: the padding goes, the samples stay.
  Scan deep(19, 30, 48);
  fs::path third = d.saveFolder / "scan_20261210_0003.tif";
  o.extraRowBytes = 7;
  ASSERT_EQ(d.transfer(deep, third, o), CM_OK);
  EXPECT_TRUE(savetest::readTiff(third).bytes == deep.bytes);
  ASSERT_TRUE(d.settle());
  EXPECT_EQ(d.core.GetTotalImgCount(), 3u);
  EXPECT_EQ(d.core.GetFinishedImgCount(), 3u);
  EXPECT_TRUE(d.temporaries().empty());
  EXPECT_EQ(d.core.GetOptionInfo(0), nullptr) << "a finished image's slot is free";
}

TEST(SaveModuleCore, TheStripWriterRouteGetsTheLinesAndChecksTheirCount) {
  Driver d("strips");
  const fs::path profileFile = d.saveFolder / "scanner.icc";
  const fnd::Data srgb = imageio::ColorSpace::sRGBProfileData();
  std::ofstream(profileFile, std::ios::binary).write(reinterpret_cast<const char*>(srgb.data()), std::streamsize(srgb.size()));
  const std::string profile = profileFile.string();
  struct Case {
    std::uint32_t depth;
    std::uint32_t padding;
    std::uint32_t colorSetting;
    bool profileExpected;
  } cases[] = {{1, 0, 0, false},  {8, 3, 0, false},  {16, 0, 0, false}, {16, 5, 0, false},
               {24, 2, 1, true},  {48, 0, 0, false}, {48, 7, 0, false}};
  int n = 0;
  for (const Case& c : cases) {
    SCOPED_TRACE("depth " + std::to_string(c.depth));
    Scan scan(35, 50, c.depth, std::uint32_t(c.depth));
    fs::path path = d.saveFolder / ("large" + std::to_string(n++) + ".tif");
    // The transform record says TIFF (4322) as the transfer loop sets it; the writer chosen
    // by the save settings is the one that gets the lines.
    Options o;
    o.writerFormat = SM_FORMAT_LARGE_TIFF;
    o.extraRowBytes = c.padding;
    ASSERT_EQ(d.transfer(scan, path, o, c.colorSetting, &profile), CM_OK);
    savetest::TiffContents t = savetest::readTiff(path);
    ASSERT_TRUE(t.ok) << t.error;
    EXPECT_EQ(t.width, scan.width);
    EXPECT_EQ(t.height, scan.height);
    EXPECT_TRUE(t.bytes == scan.bytes);
    if (c.profileExpected) {
      EXPECT_TRUE(fnd::Data(t.icc.begin(), t.icc.end()) == srgb);
    }
  }
  ASSERT_TRUE(d.settle());
  EXPECT_EQ(d.core.GetFinishedImgCount(), 7u);

  // A scan that ends early leaves no partial file.
  Options cut;
  cut.writerFormat = SM_FORMAT_LARGE_TIFF;
  cut.stopAfterLines = 20;
  Scan scan(35, 50, 24);
  fs::path partial = d.saveFolder / "partial.tif";
  EXPECT_EQ(d.transfer(scan, partial, cut), SM_ERR_NO_LINES);
  EXPECT_FALSE(fs::exists(partial));
  EXPECT_EQ(d.core.GetTotalImgCount(), 7u);
}

TEST(SaveModuleCore, AFailedCloseDeletesTheFinalFileAndLeavesTheTotalUnchanged) {
  Driver d("failclose");
  Scan scan(16, 20, 8);
  // A block past the last line fails after the writer has had every line.
  fs::path path = d.saveFolder / "over.tif";
  const std::string name = "scan", file = path.string();
  ASSERT_EQ(d.core.SetSaveFileInfo(&name, &file, nullptr, SM_FORMAT_TIFF, 0, 0, nullptr), CM_OK);
  auto xform = savetest::makeXform(SM_FORMAT_RAW, SM_FORMAT_TIFF);
  ASSERT_EQ(d.core.SetXformInfo(xform.get()), CM_OK);
  auto image = savetest::makeImage(scan, file);
  ASSERT_EQ(d.core.StartXformImage(image.get()), CM_OK);
  ASSERT_EQ(d.core.WriteImageLines(0, 20, 16, 0x100000, scan.bytes.data()), CM_OK);
  EXPECT_EQ(d.core.WriteImageLines(20, 1, 16, 0x100000, scan.bytes.data()), SM_ERR_BAD_SIZE);
  auto option = savetest::makeOption();
  EXPECT_EQ(d.core.EndXformImage(option.get()), SM_ERR_BAD_SIZE);
  EXPECT_FALSE(fs::exists(path));
  EXPECT_EQ(d.core.GetTotalImgCount(), 0u);
  EXPECT_EQ(d.core.GetOptionInfo(0), nullptr);

  // A short image (the scan ended early) is not saved either, nor counted.
  d.startRequest();
  Options shortScan;
  shortScan.stopAfterLines = 10;
  fs::path cut = d.saveFolder / "short.tif";
  // The block loop stops early; closing finds the lines missing.
  EXPECT_EQ(d.transfer(scan, cut, shortScan), SM_ERR_NO_LINES);
  EXPECT_FALSE(fs::exists(cut));
  EXPECT_EQ(d.core.GetTotalImgCount(), 0u);

  // Out of order is refused as it comes.
  d.startRequest();
  ASSERT_EQ(d.core.StartXformImage(image.get()), CM_OK);
  EXPECT_EQ(d.core.WriteImageLines(5, 1, 16, 0x100000, scan.bytes.data()), SM_ERR_BAD_SIZE);
  EXPECT_EQ(d.core.WriteImageLines(0, 2, 16, 16, scan.bytes.data()), SM_ERR_BAD_SIZE) << "rows past the block";
  EXPECT_EQ(d.core.CancelXformImage(), CM_OK);
  ASSERT_TRUE(d.settle());
  EXPECT_TRUE(d.temporaries().empty());
}

TEST(SaveModuleCore, RefusedFormatsMissingArgumentsAndSlotIndexes) {
  Driver d("refused");
  Scan scan(8, 8, 8);
  const std::string name = "scan", file = (d.saveFolder / "r.tif").string();
  EXPECT_EQ(d.core.SetSaveFileInfo(nullptr, &file, nullptr, SM_FORMAT_TIFF, 0, 0, nullptr), SM_ERR_NO_XFORM);
  EXPECT_EQ(d.core.SetSaveFileInfo(&name, nullptr, nullptr, SM_FORMAT_TIFF, 0, 0, nullptr), SM_ERR_NO_XFORM);
  const std::string empty;
  EXPECT_EQ(d.core.SetSaveFileInfo(&name, &empty, nullptr, SM_FORMAT_TIFF, 0, 0, nullptr), SM_ERR_NO_XFORM);

  std::uint32_t pair = 0;
  EXPECT_EQ(d.core.GetXformType(&pair), SM_ERR_XFORM_OPEN) << "no transform record yet";
  auto image = savetest::makeImage(scan, file);
  EXPECT_EQ(d.core.StartXformImage(image.get()), SM_ERR_XFORM_OPEN);

  for (std::uint32_t refused : {SM_FORMAT_REFUSED_A, SM_FORMAT_REFUSED_B}) {
    Options o;
    o.outFormat = refused;
    EXPECT_EQ(d.transfer(scan, file, o), SM_ERR_UNSUPPORTED) << refused;
    EXPECT_EQ(d.core.EndXform(), SM_ERR_UNSUPPORTED);
    EXPECT_EQ(d.core.GetXformType(&pair), CM_OK);
    EXPECT_EQ(pair, SM_FormatPair(SM_FORMAT_RAW, refused));
  }
  // A depth the writers do not know.
  Scan odd(8, 8, 8);
  auto xform = savetest::makeXform(SM_FORMAT_RAW, SM_FORMAT_TIFF);
  ASSERT_EQ(d.core.SetSaveFileInfo(&name, &file, nullptr, SM_FORMAT_TIFF, 0, 0, nullptr), CM_OK);
  ASSERT_EQ(d.core.SetXformInfo(xform.get()), CM_OK);
  auto twelve = savetest::makeImage(odd, file);
  SM_ImageProperty_Struct p = *twelve->GetProperty();
  p.uiBitsPerSample = 12;
  twelve->SetProperty(&p);
  EXPECT_EQ(d.core.StartXformImage(twelve.get()), SM_ERR_UNSUPPORTED);
  EXPECT_EQ(d.core.GetTotalImgCount(), 0u);
  EXPECT_FALSE(fs::exists(file));

  // The workers started for the refused transforms recorded it too.
  ASSERT_TRUE(d.settle());
  EXPECT_EQ(d.core.GetErrorMessage(), SM_ERR_UNSUPPORTED);
  d.startRequest();

  // Slot indexes.
  EXPECT_EQ(d.core.CreateFileName(3, 1), CM_OK);
  EXPECT_EQ(d.core.CreateFileName(3, 1), SM_ERR_NO_XFORM) << "already set";
  EXPECT_EQ(d.core.CreateFileName(3, 3), CM_OK);
  EXPECT_EQ(d.core.CreateFileName(3, 4), SM_ERR_BAD_SIZE);
  EXPECT_NE(d.core.GetOutFileName(3), nullptr);
  EXPECT_EQ(d.core.ReleaseOutFileName(3), CM_OK);
  EXPECT_EQ(d.core.GetOutFileName(3), nullptr);
  EXPECT_EQ(d.core.GetErrorMessage(), CM_OK);
  EXPECT_EQ(d.core.GetOptionInfo(1000), nullptr);
  EXPECT_EQ(d.core.GetErrorMessage(), SM_ERR_BAD_COUNT);
  // A second error does not replace the first.
  d.core.SetErrorMessage(SM_ERR_IMAGE);
  EXPECT_EQ(d.core.GetErrorMessage(), SM_ERR_BAD_COUNT);
}

TEST(SaveModuleCore, OtherWriterFormatsGetTheirLinesInTheJpegWritersLayout) {
  Driver d("layouts");
  CopyingPasses passes;
  passes.install(d.core);
  struct Case {
    std::uint32_t depth;
    std::uint32_t outFormat;
  } cases[] = {{1, SM_FORMAT_JPEG}, {1, SM_FORMAT_JPEG_EXIF}, {8, SM_FORMAT_JPEG_EXIF}, {16, SM_FORMAT_JPEG},
               {16, SM_FORMAT_JPEG_EXIF}, {24, SM_FORMAT_JPEG}, {48, SM_FORMAT_JPEG}, {48, SM_FORMAT_JPEG_EXIF}};
  int n = 0;
  for (const Case& c : cases) {
    SCOPED_TRACE("depth " + std::to_string(c.depth) + " to " + std::to_string(c.outFormat));
    Scan scan(27, 19, c.depth, std::uint32_t(n));
    Options o;
    o.writerFormat = 0;  // neither of the TIFF writers
    o.outFormat = c.outFormat;
    fs::path other = d.saveFolder / ("p" + std::to_string(n++) + ".jpg");
    ASSERT_EQ(d.transfer(scan, other, o), CM_OK);
    ASSERT_TRUE(d.settle());
    ASSERT_EQ(d.core.GetErrorMessage(), CM_OK);
    auto source = imageio::ImageSource::createWithPath(other.string());
    ASSERT_TRUE(source);
    fnd::Dictionary props = source->copyPropertiesAtIndex(0).value_or(fnd::Dictionary());
    EXPECT_EQ(props.intValue("PixelWidth"), 27);
    EXPECT_EQ(props.intValue("PixelHeight"), 19);
    // The EXIF JPEG is always colour; a plain JPEG of a grey scan stays grey.
    const bool grey = c.depth <= 16 && c.outFormat == SM_FORMAT_JPEG;
    EXPECT_EQ(props.string("ColorModel"), grey ? "Gray" : "RGB");
  }
  EXPECT_TRUE(d.temporaries().empty());
}

TEST(SaveModuleCore, TemporaryNamesLieInTheTemporaryFolderWithTheSlotNumber) {
  SaveModuleCore core;
  ASSERT_EQ(core.Initialize(), CM_OK);
  // Before the transfer loop names a folder, the program's own temporary folder is used, inside
  // the user's temporary folder.
  const std::string temp = fnd::RunTempFolder::path() + "/";
  EXPECT_EQ(fs::path(fnd::RunTempFolder::path()).parent_path().string(), fnd::Paths::tempDir());
  EXPECT_EQ(core.TempTiffPath(7), temp + "PVTO_tmpTF007.TIF");
  EXPECT_EQ(core.TempExifPath(42), temp + "PVTO_tmpEX042.JPG");
  EXPECT_EQ(core.TempRotatePath(999), temp + "PVTO_tmpRT999.TIF");
  std::unique_ptr<ICMSTR_CLASS> folder;
  const std::string other = "/somewhere/else/";
  CM_CreateStringWithNSString(&folder, &other, 1024);
  ASSERT_EQ(core.SetTempFolderPath(folder.get()), CM_OK);
  EXPECT_EQ(core.TempTiffPath(0), "/somewhere/else/PVTO_tmpTF000.TIF") << "no second separator";
}

TEST(SaveModuleCore, StartingAndEndingRemoveEverySlotsLeftoverTemporaryFileAndNothingElse) {
  const fs::path temp = testenv::freshFolder("leftovers");
  const std::vector<std::string> leftovers{"PVTO_tmpTF000.TIF", "PVTO_tmpEX999.JPG", "PVTO_tmpRT042.TIF"};
  // Near misses: other passes' names, other cases, a fourth digit, a folder, another extension.
  const std::vector<std::string> kept{"PVTO_tmpTF1000.TIF", "PVTO_tmpTH0.JPG", "PVTO_tmpTF007.tif", "PVTO_tmpEX007.TIF",
                                      "PVTO_tmpTFabc.TIF",  "keep.TIF",        "PVTO_tmpSZ001.TIF"};
  auto lay = [&] {
    for (const auto& name : leftovers) std::ofstream(temp / name) << "x";
    for (const auto& name : kept) std::ofstream(temp / name) << "x";
    fs::create_directories(temp / "PVTO_tmpTF001.TIF");
  };
  auto expectSwept = [&](const char* when) {
    for (const auto& name : leftovers) EXPECT_FALSE(fs::exists(temp / name)) << when << ": " << name;
    for (const auto& name : kept) EXPECT_TRUE(fs::exists(temp / name)) << when << ": " << name;
    EXPECT_TRUE(fs::is_directory(temp / "PVTO_tmpTF001.TIF")) << when;
  };
  SaveModuleCore core;
  lay();
  std::unique_ptr<ICMSTR_CLASS> folder;
  const std::string text = temp.string() + "/";
  CM_CreateStringWithNSString(&folder, &text, 1024);
  ASSERT_EQ(core.SetTempFolderPath(folder.get()), CM_OK);
  ASSERT_EQ(core.Initialize(), CM_OK);
  expectSwept("initialise");
  lay();
  ASSERT_EQ(core.Terminate(), CM_OK);
  expectSwept("terminate");
}

TEST(SaveModuleCore, TheFirstErrorIsClearedByTheNextRequestAndSlotsAreReusedPastAThousandImages) {
  Driver d("requests");
  Scan tiny(1, 1, 8);
  d.core.SetErrorMessage(SM_ERR_IMAGE);
  // While the error stands, an image of the same request is not counted and leaves no file.
  EXPECT_EQ(d.transfer(tiny, d.saveFolder / "blocked.tif"), SM_ERR_IMAGE);
  EXPECT_FALSE(fs::exists(d.saveFolder / "blocked.tif"));
  EXPECT_EQ(d.core.GetTotalImgCount(), 0u);

  d.startRequest();
  EXPECT_EQ(d.core.GetErrorMessage(), CM_OK);
  for (int i = 0; i < 1001; ++i) {
    fs::path path = d.saveFolder / ("t" + std::to_string(i) + ".tif");
    ASSERT_EQ(d.transfer(tiny, path), CM_OK) << "image " << i;
  }
  EXPECT_EQ(d.core.GetTotalImgCount(), 1001u);
  EXPECT_EQ(d.core.GetFinishedImgCount(), 1001u);
  EXPECT_TRUE(fs::exists(d.saveFolder / "t1000.tif")) << "the 1001st image used slot 0 again";
  ASSERT_TRUE(d.settle());
}

TEST(SaveModuleCore, AJpegImageBecomesItsFinalJpegWithTheProgramsExifData) {
  Driver d("jpeg");
  int n = 0;
  for (std::uint32_t depth : {24u, 8u, 1u}) {
    SCOPED_TRACE("depth " + std::to_string(depth));
    Scan scan(64, 40, depth, depth);
    fs::path path = d.saveFolder / ("scan_000" + std::to_string(++n) + ".jpg");
    ASSERT_EQ(d.transfer(scan, path), CM_OK);
    ASSERT_TRUE(d.settle());
    ASSERT_EQ(d.core.GetErrorMessage(), CM_OK);
    EXPECT_EQ(d.core.GetEndXformFlag(), 1);
    auto source = imageio::ImageSource::createWithPath(path.string());
    ASSERT_TRUE(source) << path;
    fnd::Dictionary props = source->copyPropertiesAtIndex(0).value_or(fnd::Dictionary());
    EXPECT_EQ(props.intValue("PixelWidth"), 64);
    EXPECT_EQ(props.intValue("PixelHeight"), 40);
    EXPECT_EQ(props.string("ColorModel"), "RGB") << "an EXIF JPEG is always colour";
    const fnd::Dictionary& tiff = props.dictionary("{TIFF}");
    EXPECT_EQ(tiff.string("Make"), "Vantrel");
    EXPECT_EQ(tiff.string("Model"), "Test Scanner");
    EXPECT_EQ(tiff.string("Software"), "Trivolan");
  }
  EXPECT_EQ(d.core.GetFinishedImgCount(), 3u);
  EXPECT_TRUE(d.temporaries().empty());
}

TEST(SaveModuleCore, WithoutTheJpegPassesAJpegImageEndsWithAClearErrorAndLeavesNothingBehind) {
  Driver d("nopass");
  d.core.SetFilePasses({}, {});
  Scan scan(30, 20, 24);
  fs::path path = d.saveFolder / "scan_0001.jpg";
  EXPECT_EQ(d.transfer(scan, path), CM_OK) << "queued";
  ASSERT_TRUE(d.settle());
  EXPECT_EQ(d.core.GetErrorMessage(), SM_ERR_UNSUPPORTED);
  EXPECT_EQ(d.core.GetEndXformFlag(), 1) << "the transfer loop's wait ends";
  EXPECT_FALSE(fs::exists(path));
  EXPECT_TRUE(d.temporaries().empty());
  EXPECT_EQ(d.core.GetFinishedImgCount(), 1u);
}

TEST(SaveModuleCore, TheFinalPassWritesToItsOwnImagesPathWhileTheNextImageIsSetUp) {
  Driver d("ownpath");
  CopyingPasses passes;
  std::mutex gateMutex;
  std::condition_variable gateChanged;
  bool open = false;
  std::atomic<bool> inPass{false};
  // The conversion waits until the test lets it go, so the next image is set up meanwhile.
  d.core.SetFilePasses(
      [&](ImageToImageXform&, const ISM_XFORM_INFO*, const ISM_IMAGE_INFO* image, const ISM_OPTION_INFO*) {
        inPass = true;
        std::unique_lock lock(gateMutex);
        gateChanged.wait_for(lock, std::chrono::seconds(30), [&] { return open; });
        return CopyingPasses::copy(image);
      },
      [](ImageToImageXform&, const ISM_XFORM_INFO*, const ISM_IMAGE_INFO* image, const ISM_OPTION_INFO*) {
        return CopyingPasses::copy(image);
      });
  Scan a(12, 10, 8, 1), b(12, 10, 8, 2);
  fs::path pathA = d.saveFolder / "a_0001.jpg", pathB = d.saveFolder / "b_0002.tif";
  ASSERT_EQ(d.transfer(a, pathA), CM_OK);
  while (!inPass) std::this_thread::sleep_for(std::chrono::milliseconds(1));
  ASSERT_EQ(d.transfer(b, pathB), CM_OK);  // the driver's current path is now B's
  {
    std::lock_guard lock(gateMutex);
    open = true;
  }
  gateChanged.notify_all();
  ASSERT_TRUE(d.settle());
  EXPECT_EQ(d.core.GetErrorMessage(), CM_OK);
  // The stand-in passes copy the temporary TIFF through, so A's pixels are in A's file.
  EXPECT_TRUE(savetest::readTiff(pathA).bytes == a.bytes);
  EXPECT_TRUE(savetest::readTiff(pathB).bytes == b.bytes);
  EXPECT_TRUE(d.temporaries().empty());
}

TEST(SaveModuleCore, AnOptionThatAsksForATurnTurnsTheTemporaryTiffBeforeTheJpegPasses) {
  Driver d("rotate");
  CopyingPasses passes;
  passes.install(d.core);
  Scan scan(30, 12, 24);
  Options turn;
  turn.rotation = SM_ROTATE_90;
  fs::path path = d.saveFolder / "turned.jpg";
  ASSERT_EQ(d.transfer(scan, path, turn), CM_OK);
  ASSERT_TRUE(d.settle());
  EXPECT_EQ(d.core.GetErrorMessage(), CM_OK);
  // The stand-in passes copy the turned temporary TIFF through.
  savetest::TiffContents t = savetest::readTiff(path);
  ASSERT_TRUE(t.ok) << t.error;
  EXPECT_EQ(t.width, 12u);
  EXPECT_EQ(t.height, 30u);
  EXPECT_EQ(passes.converted.count(d.core.TempRotatePath(0)), 1u) << "the conversion read the turned copy";
  EXPECT_TRUE(d.temporaries().empty());
}

TEST(SaveModuleCore, StressManySmallImagesOfBothKindsAreEachHandledExactlyOnce) {
  constexpr int kImages = 60;
  enum class Passes { Real, StandIn, None };
  for (Passes kind : {Passes::Real, Passes::StandIn, Passes::None}) {
    const char* names[] = {"stress-real", "stress-standin", "stress-none"};
    SCOPED_TRACE(names[int(kind)]);
    Driver d(names[int(kind)]);
    CopyingPasses passes;
    if (kind == Passes::StandIn) passes.install(d.core);
    if (kind == Passes::None) d.core.SetFilePasses({}, {});
    const bool withPasses = kind != Passes::None;
    std::vector<fs::path> queued, dropped;
    for (int i = 0; i < kImages; ++i) {
      // Each few images a new request, as after the user pressed Scan again.
      if (i % 7 == 0) {
        ASSERT_TRUE(d.settle());
        d.startRequest();
      }
      Scan scan(5 + i % 4, 3 + i % 5, (i % 3 == 0) ? 24 : 8, std::uint32_t(i));
      const bool jpeg = i % 2 == 1;
      fs::path path = d.saveFolder / ("img_" + std::to_string(i) + (jpeg ? ".jpg" : ".tif"));
      (d.transfer(scan, path) == CM_OK ? queued : dropped).push_back(path);
    }
    ASSERT_TRUE(d.settle());
    EXPECT_EQ(d.core.GetFinishedImgCount(), d.core.GetTotalImgCount());
    EXPECT_EQ(d.core.GetTotalImgCount(), queued.size());
    EXPECT_TRUE(d.temporaries().empty()) << d.temporaries().size() << " temporary files left";
    for (const fs::path& p : dropped) EXPECT_FALSE(fs::exists(p)) << p;
    int jpegs = 0;
    for (const fs::path& p : queued) {
      const bool jpeg = p.extension() == ".jpg";
      jpegs += jpeg;
      // Without the passes a JPEG image ends with the clear error and claims no file.
      EXPECT_EQ(fs::exists(p), !jpeg || withPasses) << p;
      if (jpeg && kind == Passes::StandIn) {
        EXPECT_EQ(passes.finished[p.string()], 1) << p;
      }
    }
    if (kind == Passes::Real) {
      EXPECT_TRUE(dropped.empty());
      EXPECT_EQ(d.core.GetErrorMessage(), CM_OK);
    } else if (kind == Passes::StandIn) {
      EXPECT_TRUE(dropped.empty());
      int conversions = 0;
      for (const auto& [input, count] : passes.converted) conversions += count;
      EXPECT_EQ(conversions, jpegs) << "one conversion for each JPEG image";
      EXPECT_EQ(d.core.GetErrorMessage(), CM_OK);
    } else {
      EXPECT_EQ(d.core.GetErrorMessage(), SM_ERR_UNSUPPORTED);
    }
  }
}

TEST(SaveModuleCore, CancellingAnImageInTheMiddleDropsItAndFreesItsSlot) {
  Driver d("cancel");
  Scan scan(40, 60, 24);
  struct Case {
    const char* name;
    std::uint32_t writerFormat;
  } cases[] = {{"c.tif", SM_FORMAT_TIFF}, {"c.jpg", SM_FORMAT_TIFF}, {"strips.tif", SM_FORMAT_LARGE_TIFF}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Options o;
    o.stopAfterLines = 26;
    o.cancel = true;
    o.writerFormat = c.writerFormat;
    fs::path path = d.saveFolder / c.name;
    EXPECT_EQ(d.transfer(scan, path, o), SM_ERR_ABORTED);
    EXPECT_FALSE(fs::exists(path));
    EXPECT_EQ(d.core.GetTotalImgCount(), 0u);
    EXPECT_EQ(d.core.GetTmpFileName(0), nullptr);
    EXPECT_EQ(d.core.GetOutFileName(0), nullptr);
    EXPECT_TRUE(d.temporaries().empty());
    EXPECT_EQ(d.core.GetErrorMessage(), CM_OK);
  }
  // The next image takes the freed slot.
  ASSERT_EQ(d.transfer(scan, d.saveFolder / "next.tif"), CM_OK);
  ASSERT_TRUE(d.settle());
}

// A clock on which waits pass at once: the 180000 ms wait for a worker runs out immediately.
class RushingClock final : public CMClock {
 public:
  std::uint64_t NowMs() override { return now.load(); }
  void Sleep(std::uint32_t ms) override {
    now += ms;
    std::this_thread::yield();
  }
  void WaitCond(CMCond*, CMMutex*, std::uint32_t ms) override { now += ms; }
  std::atomic<std::uint64_t> now{0};
};

TEST(SaveModuleCore, AWaitForTheWorkersEndsWhenTheLastFinishesAndFindsNoneRunning) {
  std::atomic<bool> release{false};
  std::atomic<bool> inPass{false};
  Driver d("wait-workers");
  d.core.SetFilePasses(
      [&](ImageToImageXform&, const ISM_XFORM_INFO*, const ISM_IMAGE_INFO* image, const ISM_OPTION_INFO*) {
        inPass = true;
        while (!release) std::this_thread::sleep_for(std::chrono::milliseconds(1));
        return CopyingPasses::copy(image);
      },
      [&](ImageToImageXform&, const ISM_XFORM_INFO*, const ISM_IMAGE_INFO* image, const ISM_OPTION_INFO*) {
        return CopyingPasses::copy(image);
      });
  Scan scan(6, 6, 8);
  ASSERT_EQ(d.transfer(scan, d.saveFolder / "waited.jpg"), CM_OK);
  while (!inPass) std::this_thread::sleep_for(std::chrono::milliseconds(1));
  // A worker is in its pass: a wait that may not wait finds it running.
  EXPECT_FALSE(d.core.WaitForRunningWorkers(0));
  EXPECT_GE(d.core.GetRunningWorkerCount(), 1u);
  release = true;
  // Woken by the last worker's end, the wait finds no worker running, whether or not its thread
  // has gone yet.
  ASSERT_TRUE(d.core.WaitForRunningWorkers(SaveModuleCore::kWorkerWaitMs));
  EXPECT_EQ(d.core.GetRunningWorkerCount(), 0u);
  EXPECT_EQ(d.core.GetErrorMessage(), CM_OK);
  EXPECT_TRUE(std::filesystem::exists(d.saveFolder / "waited.jpg"));
}

TEST(SaveModuleCore, TerminateWaitsForEveryWorkerAndGivesUpOnAStuckOneWithoutFreeingItsData) {
  std::atomic<bool> release{false};
  std::atomic<bool> inPass{false};
  std::atomic<int> passesDone{0};
  {
    Driver d("terminate");
    d.core.SetFilePasses(
        [&](ImageToImageXform&, const ISM_XFORM_INFO*, const ISM_IMAGE_INFO* image, const ISM_OPTION_INFO*) {
          inPass = true;
          while (!release) std::this_thread::sleep_for(std::chrono::milliseconds(1));
          ++passesDone;
          return CopyingPasses::copy(image);
        },
        [&](ImageToImageXform&, const ISM_XFORM_INFO*, const ISM_IMAGE_INFO* image, const ISM_OPTION_INFO*) {
          return CopyingPasses::copy(image);
        });
    Scan scan(6, 6, 8);
    ASSERT_EQ(d.transfer(scan, d.saveFolder / "stuck.jpg"), CM_OK);
    while (!inPass) std::this_thread::sleep_for(std::chrono::milliseconds(1));
    // The transfer's own worker may still be on its way out; only the stuck pass may remain
    // when the rushing clock makes every wait give up at once.
    for (int i = 0; i < 10000 && d.core.GetRunningWorkerCount() > 1; ++i) {
      std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    ASSERT_EQ(d.core.GetRunningWorkerCount(), 1u);
    RushingClock clock;
    CMClock* previous = CM_SetClock(&clock);
    EXPECT_EQ(d.core.Terminate(), SM_ERR_WORKER_TIMEOUT);
    EXPECT_GE(clock.now.load(), SaveModuleCore::kWorkerWaitMs);
    CM_SetClock(previous);
    EXPECT_EQ(d.core.GetRunningWorkerCount(), 1u);
    release = true;
    // The destructor waits for the worker it gave up on before anything goes.
  }
  EXPECT_EQ(passesDone.load(), 1);
}

}  // namespace
