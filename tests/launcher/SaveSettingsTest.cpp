// Save settings and file naming: dated, numbered names in the save folder, the transform's
// format and compression, and the folder checks before or after an image.
#include <fstream>

#include "TransferTestSupport.h"
#include "TestEnvironment.h"
#include "launcher/ProcessImageDialog.h"
#include "launcher/save/ISM_XFORM_INFO.h"
#include "launcher/save/SMCodes.h"

namespace launchertest {
namespace {

namespace fs = std::filesystem;

void touch(const fs::path& p) { std::ofstream(p) << "x"; }

TEST_F(TransferTest, FileNamesCarryTheDateAndTheNextFreeNumber) {
  struct Case {
    const char* what;
    const char* name;  // "SaveFileName"; null: absent
    std::int64_t format;
    std::vector<const char*> existing;
    const char* first;   // the first image's file
    const char* second;  // the next image's file once the first exists; null: not asked
  };
  const std::vector<Case> cases = {
      {"an empty folder starts at 1", nullptr, 0, {}, "IMG_20170325_0001.jpg", "IMG_20170325_0002.jpg"},
      {"both formats count", nullptr, 0, {"IMG_20170325_0007.tif"}, "IMG_20170325_0008.jpg", nullptr},
      {"any case, any extension", nullptr, 1, {"img_20170325_0003.JPG", "IMG_20170325_0002.png"},
       "IMG_20170325_0004.tif", nullptr},
      {"other days and other names do not count", nullptr, 1,
       {"IMG_20170324_0009.tif", "IMGX_20170325_0009.tif", "IMG_20170325_00x9.tif"}, "IMG_20170325_0001.tif", nullptr},
      {"a slash becomes a colon", "a/b", 0, {}, "a:b_20170325_0001.jpg", nullptr},
      {"a name with underscores keeps its name and date", "my_scan", 1, {}, "my_scan_20170325_0001.tif",
       "my_scan_20170325_0002.tif"},
      {"a taken next number is skipped", "my_scan", 0, {"my_scan_20170325_0002.tif"}, "my_scan_20170325_0003.jpg",
       "my_scan_20170325_0004.jpg"},
      {"10000 prints with five digits", nullptr, 0, {"IMG_20170325_9999.tif"}, "IMG_20170325_10000.jpg",
       "IMG_20170325_10001.jpg"},
      {"an empty name is the default", "", 1, {}, "IMG_20170325_0001.tif", nullptr},
  };
  Zorvik_AppDelegate& d = launched();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const fs::path folder = testenv::freshFolder("naming");
    for (const char* e : c.existing) touch(folder / e);
    fnd::Dictionary extra;
    if (c.name) extra.set("SaveFileName", c.name);
    postSaveInfo(folder.string(), c.format, extra);
    EXPECT_FALSE(d.fileIndexOver());
    EXPECT_TRUE(d.isScanning());
    // The first image keeps the name the settings chose (nothing exists there yet).
    d.changeSaveFileName();
    EXPECT_EQ(d.saveFilePath(), (folder / c.first).string());
    EXPECT_EQ(d.saveFileURL(), (folder / c.first).string());
    if (c.second) {
      touch(d.saveFilePath());
      d.changeSaveFileName();
      EXPECT_EQ(d.saveFilePath(), (folder / c.second).string());
    }
  }
}

TEST_F(TransferTest, NoFreeNumberLeftMarksTheIndexOver) {
  Zorvik_AppDelegate& d = launched();
  for (const char* taken : {"IMG_20170325_10000.tif", "IMG_20170325_99999999999.jpg"}) {
    SCOPED_TRACE(taken);
    const fs::path folder = testenv::freshFolder("index-over");
    touch(folder / taken);
    postSaveInfo(folder.string(), 0);
    EXPECT_TRUE(d.fileIndexOver());
  }
  // The largest number is found whatever the form of the name: composed or not, any case.
  const fs::path folder = testenv::freshFolder("index-nfc");
  touch(folder / "Cafe\xCC\x81_20170325_0041.tif");  // "e" and a combining acute accent
  touch(folder / "CAF\xC3\x89_20170325_0040.jpg");   // capital E with acute
  EXPECT_EQ(Zorvik_AppDelegate::FindMaxFileNumber(folder.string(), "Caf\xC3\xA9_20170325"), 41u);
  EXPECT_EQ(Zorvik_AppDelegate::FindMaxFileNumber((folder / "missing").string(), "IMG_20170325"), 0u);
}

TEST_F(TransferTest, TimeStampIsTodaysDateUnlessSkipped) {
  EXPECT_EQ(Zorvik_AppDelegate::stringAddTimeStamp("/p/IMG", false), "/p/IMG_20170325");
  EXPECT_EQ(Zorvik_AppDelegate::stringAddTimeStamp("/p/IMG", true), "/p/IMG");
}

TEST_F(TransferTest, TransformCarriesFormatCompressionAndNames) {
  struct Case {
    std::int64_t format, compression;
    std::uint32_t pair, writer;
    std::int32_t jpegCompression;  // 0: not set
  };
  const std::vector<Case> cases = {
      {0, 0, SM_FormatPair(SM_FORMAT_RAW, SM_FORMAT_TIFF), SM_FORMAT_TIFF, SM_COMPRESSION_LOW},
      {0, 1, SM_FormatPair(SM_FORMAT_RAW, SM_FORMAT_TIFF), SM_FORMAT_TIFF, SM_COMPRESSION_MEDIUM},
      {0, 2, SM_FormatPair(SM_FORMAT_RAW, SM_FORMAT_TIFF), SM_FORMAT_TIFF, SM_COMPRESSION_HIGH},
      {0, 7, SM_FormatPair(SM_FORMAT_RAW, SM_FORMAT_TIFF), SM_FORMAT_TIFF, SM_COMPRESSION_HIGH},
      {1, 0, SM_FormatPair(SM_FORMAT_RAW, SM_FORMAT_TIFF), SM_FORMAT_TIFF, 0},
      // A large TIFF's transform names the strip writer it is written with.
      {2, 0, SM_FormatPair(SM_FORMAT_RAW, SM_FORMAT_LARGE_TIFF), SM_FORMAT_LARGE_TIFF, 0},
  };
  Zorvik_AppDelegate& d = launched();
  const fs::path folder = testenv::freshFolder("xform");
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "format " << c.format << " compression " << c.compression);
    postSaveInfo(folder.string(), c.format, fnd::Dictionary{{"SaveCompression", (long long)c.compression}});
    EXPECT_EQ(d.outFileFormat(), c.writer);
    std::unique_ptr<ISM_XFORM_INFO> xform;
    ASSERT_EQ(SM_CreateXformInfo(&xform), CM_OK);
    d.setFileFormat(xform.get());
    EXPECT_EQ(xform->GetFormatPair(), c.pair);
    EXPECT_EQ(xform->GetCompression(), c.jpegCompression);
    ASSERT_TRUE(xform->GetAppName());
    EXPECT_EQ(*xform->GetAppName(), "Trivolan");
    ASSERT_TRUE(xform->GetDeviceName());
    EXPECT_EQ(*xform->GetDeviceName(), "Vantrel TS-800 Virtual");
  }
}

TEST_F(TransferTest, ProfilePathIsReadOnlyWithAColourSetting) {
  Zorvik_AppDelegate& d = launched();
  const fs::path folder = testenv::freshFolder("profile");
  postSaveInfo(folder.string(), 1, fnd::Dictionary{{"ColorSetting", 0}, {"OutputPf_FilePath", "/p/a.icc"}});
  EXPECT_FALSE(d.outputProfilePath());
  postSaveInfo(folder.string(), 1,
               fnd::Dictionary{{"ColorSetting", 2}, {"OutputPf_FilePath", "/p/a.icc"}, {"isLargeTif", true}});
  ASSERT_TRUE(d.outputProfilePath());
  EXPECT_EQ(*d.outputProfilePath(), "/p/a.icc");
  EXPECT_EQ(d.colorSetting(), 2u);
  // The large-image flag is read and left off: format 1 stays a TIFF of the transform writer.
  EXPECT_EQ(d.outFileFormat(), SM_FORMAT_TIFF);
  // Without a folder the files go to the pictures folder, never to the file system's root.
  postSaveInfo("", 1);
  EXPECT_EQ(d.saveFilePath(), fnd::Paths::picturesDir() + "/IMG_20170325_0001.tif");
}

// Missing, read-only and full folders, checked before a TIFF and after a JPEG.
TEST_F(TransferTest, FolderChecksRefuseTheRequestWithTheirMessage) {
  struct Case {
    const char* what;
    std::int64_t format;
    bool missing, readOnly;
    std::int32_t bits;
    std::uint64_t free;  // bytes the folder has
    const char* key;
    const char* table;
    bool transferred;  // the image was pulled before the check
  };
  const std::uint64_t grey8 = 400 * 300;
  const std::vector<Case> cases = {
      {"missing, TIFF", 1, true, false, 8, 1ull << 40, "PVTO_ERROR_02", "PictavoTrivo", false},
      {"read-only, TIFF", 1, false, true, 8, 1ull << 40, "PVTO_ERROR_03", "PictavoTrivo", false},
      {"too full, 8-bit TIFF", 1, false, false, 8, grey8 - 1, "IDMAC_ERROR_05", "Message", false},
      {"16-bit needs twice an 8-bit image", 1, false, false, 16, grey8 * 2 - 1, "IDMAC_ERROR_05", "Message", false},
      {"too full, large TIFF", 2, false, false, 8, grey8 - 1, "IDMAC_ERROR_05", "Message", false},
      {"missing, JPEG", 0, true, false, 8, 1ull << 40, "PVTO_ERROR_02", "PictavoTrivo", true},
  };
  Zorvik_AppDelegate& d = launched();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const fs::path base = testenv::freshFolder("checks");
    const fs::path folder = c.missing ? base / "gone" : base;
    Zorvik_AppDelegate::setFreeSpaceSource([&](const std::string&) { return c.free; });
    Zorvik_AppDelegate::setWritableSource([&](const std::string&) { return !c.readOnly; });
    log->calls.clear();
    log->pendingModes.clear();
    log->finishStatuses.clear();
    log->images = {image(400, 300, c.bits)};
    log->currentImage = 0;
    messages.clear();
    postSaveInfo(folder.string(), c.format);
    answerNextMessage();
    ASSERT_TRUE(runTransfer());
    EXPECT_EQ(messages, std::vector<std::string>{fnd::Bundle::main().localizedString(c.key, "", c.table)});
    EXPECT_EQ(log->finishStatuses, std::vector<std::int32_t>{2});
    ASSERT_FALSE(log->pendingModes.empty());
    EXPECT_EQ(log->pendingModes.back(), 1);
    const bool pulled =
        std::find(log->calls.begin(), log->calls.end(), "dtScannerImageMemoryTransfer") != log->calls.end();
    EXPECT_EQ(pulled, c.transferred);
    EXPECT_TRUE(namesIn(base).empty());
    EXPECT_FALSE(anyTemporaryFileLeft());
    EXPECT_FALSE(d.isScanning());
  }
  // With room for exactly one 16-bit image the same request goes through.
  const fs::path folder = testenv::freshFolder("checks-fit");
  Zorvik_AppDelegate::setFreeSpaceSource([&](const std::string&) { return grey8 * 2; });
  Zorvik_AppDelegate::setWritableSource({});
  log->finishStatuses.clear();
  log->images = {image(400, 300, 16)};
  log->currentImage = 0;
  postSaveInfo(folder.string(), 1);
  ASSERT_TRUE(runTransfer());
  EXPECT_EQ(log->finishStatuses, std::vector<std::int32_t>{0});
  EXPECT_EQ(namesIn(folder), std::vector<std::string>{"IMG_20170325_0001.tif"});
}


TEST_F(TransferTest, ANulInTheNameOrFolderCutsNoPathShort) {
  // A NUL cut short would make every number name one file: each image overwrote the last and
  // the search for the next free number never ended.
  launched();
  const fs::path folder = testenv::freshFolder("nul-name");
  log->images = {image(40, 30, 8), image(40, 30, 8)};
  postSaveInfo(folder.string(), 1, fnd::Dictionary{{"SaveFileName", std::string("ab\0cd", 5)}});
  ASSERT_TRUE(runTransfer());
  EXPECT_EQ(log->finishStatuses, std::vector<std::int32_t>{0});
  EXPECT_EQ(namesIn(folder), (std::vector<std::string>{"ab:cd_20170325_0001.tif", "ab:cd_20170325_0002.tif"}));

  // A folder with a NUL names no folder: nothing is written where its cut-short text points.
  const fs::path base = testenv::freshFolder("nul-folder");
  fs::create_directory(base / "in");
  log->finishStatuses.clear();
  log->images = {image(40, 30, 8)};
  log->currentImage = 0;
  messages.clear();
  postSaveInfo((base / "in").string() + std::string("\0/x", 3), 1);
  answerNextMessage();
  ASSERT_TRUE(runTransfer());
  EXPECT_EQ(log->finishStatuses, std::vector<std::int32_t>{2});
  EXPECT_EQ(messages, std::vector<std::string>{fnd::Bundle::main().localizedString("PVTO_ERROR_02", "", "PictavoTrivo")});
  EXPECT_EQ(namesIn(base / "in"), std::vector<std::string>{});
  EXPECT_EQ(namesIn(base), std::vector<std::string>{"in"});
}

}  // namespace
}  // namespace launchertest
