// The transfer loop against the recording data source and the real save driver: blocks in,
// files out, and the data source told the end of saving once, whatever ends the run.
#include <sys/resource.h>

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <thread>

#include "TestEnvironment.h"
#include "TransferTestSupport.h"
#include "foundation/StringFormat.h"
#include "foundation/Timer.h"
#include "launcher/ProcessImageDialog.h"
#include "launcher/save/SMCodes.h"

namespace launchertest {
namespace {

namespace fs = std::filesystem;

std::string text(const char* key, const char* table) { return fnd::Bundle::main().localizedString(key, "", table); }

double meanDifference(const std::vector<std::uint8_t>& a, const std::vector<std::uint8_t>& b) {
  if (a.size() != b.size() || a.empty()) return 1e9;
  double sum = 0;
  for (std::size_t i = 0; i < a.size(); ++i) sum += std::abs(int(a[i]) - int(b[i]));
  return sum / double(a.size());
}

// A saved file's pixel rows without the row padding of the read-back.
std::vector<std::uint8_t> packedRows(const SavedImage& s, std::size_t rowBytes) {
  std::vector<std::uint8_t> out;
  for (std::size_t y = 0; y < s.height; ++y)
    out.insert(out.end(), s.pixels.begin() + std::ptrdiff_t(y * s.bytesPerRow),
               s.pixels.begin() + std::ptrdiff_t(y * s.bytesPerRow + rowBytes));
  return out;
}

TEST_F(TransferTest, ATiffImageIsPulledInMebibyteBlocksStraightIntoItsFile) {
  Zorvik_AppDelegate& d = launched();
  const fs::path folder = testenv::freshFolder("one-tiff");
  log->images = {image(1000, 700, 24)};
  postSaveInfo(folder.string(), 1);
  // The run starts after the data source's post has returned.
  fnd::NotificationCenter::defaultCenter().post(Zorvik_AppDelegate::kXferReadyNotification, sender());
  EXPECT_TRUE(log->calls.empty());
  ASSERT_TRUE(runUntil([&] { return !log->finishStatuses.empty() && !d.isTransferring(); }));

  // 3000 bytes a row: 349 rows a block, three blocks.
  EXPECT_EQ(log->calls, (std::vector<std::string>{"dtScannerSetupMemorySize", "dtScannerGetImageInfo",
                                                  "dtScannerImageMemoryTransfer", "dtScannerImageMemoryTransfer",
                                                  "dtScannerImageMemoryTransfer", "dtScannerPendingTransfers",
                                                  "dtScannerNotifyDidFinishSaving"}));
  EXPECT_EQ(log->memorySizes, std::vector<std::uint32_t>{0x100000});
  const TW_IMAGEMEMXFER& first = log->transfers.at(0);
  EXPECT_EQ(first.Compression, 0xFFFF);
  for (std::uint32_t v : {first.BytesPerRow, first.Columns, first.Rows, first.XOffset, first.YOffset, first.BytesWritten})
    EXPECT_EQ(v, 0xFFFFFFFFu);
  EXPECT_EQ(first.Memory.Flags, 9u);
  EXPECT_EQ(first.Memory.Length, 0x100000u);
  EXPECT_NE(first.Memory.TheMem, nullptr);
  EXPECT_EQ(log->transfers.at(2).Memory.TheMem, first.Memory.TheMem) << "one buffer for every block";
  EXPECT_EQ(log->pendingModes, std::vector<std::int32_t>{0});
  EXPECT_EQ(log->finishStatuses, std::vector<std::int32_t>{0});
  EXPECT_FALSE(d.isScanning());
  EXPECT_EQ(d.savingNotice().lastShownKey(), "PVTO_ERROR_14");
  EXPECT_FALSE(d.savingNotice().isShowing());

  ASSERT_EQ(namesIn(folder), std::vector<std::string>{"IMG_20170325_0001.tif"});
  const SavedImage saved = readSavedImage(folder / "IMG_20170325_0001.tif");
  ASSERT_TRUE(saved.ok);
  EXPECT_EQ(saved.width, 1000u);
  EXPECT_EQ(saved.height, 700u);
  EXPECT_EQ(saved.dpiX, 300);
  EXPECT_EQ(packedRows(saved, 3000), deliveredBytes(log->images[0]));
  EXPECT_FALSE(anyTemporaryFileLeft());
}

TEST_F(TransferTest, BitsPerPixelGiveTheSaveLayout) {
  struct Case {
    std::int32_t bits, width, dpi;
    CMResult result;
    std::uint32_t bitsPerSample, samples;
  };
  const std::vector<Case> cases = {
      {1, 10, 300, CM_OK, 1, 1},          {8, 10, 300, CM_OK, 8, 1},          {16, 10, 300, CM_OK, 16, 1},
      {24, 10, 300, CM_OK, 8, 3},         {48, 10, 300, CM_OK, 16, 3},        {12, 10, 300, SM_ERR_UNSUPPORTED, 0, 0},
      {32, 10, 300, SM_ERR_UNSUPPORTED, 0, 0}, {0, 10, 300, SM_ERR_IMAGE, 0, 0}, {24, 0, 300, SM_ERR_IMAGE, 0, 0},
      {24, 10, 0, SM_ERR_IMAGE, 0, 0},    {24, -5, 300, SM_ERR_IMAGE, 0, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.bits << " bits, width " << c.width << ", " << c.dpi << " dpi");
    SM_ImageProperty_Struct p{};
    EXPECT_EQ(Zorvik_AppDelegate::imagePropertyFor(DT_IMAGEINFO{c.dpi, c.dpi, c.width, 20, 1, c.bits}, &p), c.result);
    if (c.result != CM_OK) continue;
    EXPECT_EQ(p.uiBitsPerSample, c.bitsPerSample);
    EXPECT_EQ(p.uiSamplePerPixel, c.samples);
    EXPECT_EQ(p.uiImageWidth, 10u);
    EXPECT_EQ(p.uiImageLength, 20u);
    EXPECT_EQ(p.fResolutionX, double(c.dpi));
  }
}

TEST_F(TransferTest, SeveralJpegImagesWaitForEachFinalFileAndNumberOn) {
  launched();
  const fs::path folder = testenv::freshFolder("jpegs");
  log->images = {image(640, 480, 24, 300), image(300, 200, 8, 150), image(40, 30, 48, 300)};
  // Each image is asked for only once the previous one's final file exists.
  std::vector<bool> previousThere;
  log->transferAnswer = [&](TW_IMAGEMEMXFER*, const std::function<std::int32_t()>& deliver) {
    if (log->rowsDelivered == 0 && log->currentImage > 0)
      previousThere.push_back(fs::exists(folder / fnd::stringWithFormat("IMG_20170325_%04d.jpg", int(log->currentImage))));
    return deliver();
  };
  postSaveInfo(folder.string(), 0, fnd::Dictionary{{"SaveCompression", 2}});
  ASSERT_TRUE(runTransfer());
  EXPECT_EQ(previousThere, (std::vector<bool>{true, true}));
  EXPECT_EQ(log->pendingModes, (std::vector<std::int32_t>{0, 0, 0}));
  EXPECT_EQ(log->finishStatuses, std::vector<std::int32_t>{0});
  ASSERT_EQ(namesIn(folder), (std::vector<std::string>{"IMG_20170325_0001.jpg", "IMG_20170325_0002.jpg",
                                                       "IMG_20170325_0003.jpg"}));
  const SavedImage rgb = readSavedImage(folder / "IMG_20170325_0001.jpg");
  ASSERT_TRUE(rgb.ok);
  EXPECT_EQ(rgb.width, 640u);
  EXPECT_EQ(rgb.height, 480u);
  EXPECT_EQ(rgb.dpiX, 300);
  EXPECT_LT(meanDifference(packedRows(rgb, 640 * 3), deliveredBytes(log->images[0])), 6.0);
  const SavedImage grey = readSavedImage(folder / "IMG_20170325_0002.jpg");
  ASSERT_TRUE(grey.ok);
  EXPECT_EQ(grey.width, 300u);
  EXPECT_EQ(grey.dpiX, 150);
  const fnd::Dictionary tiff = grey.properties.dictionary("{TIFF}");
  EXPECT_EQ(tiff.string("Make"), "Vantrel");
  EXPECT_EQ(tiff.string("Model"), "Vantrel TS-800 Virtual");
  EXPECT_EQ(tiff.string("Software"), "Trivolan");
  EXPECT_FALSE(anyTemporaryFileLeft());
}

TEST_F(TransferTest, CancelInTheSecondJpegKeepsTheFirstFileAndTellsTwo) {
  launched();
  const fs::path folder = testenv::freshFolder("cancel-second");
  log->images = {image(500, 1000, 24), image(500, 1000, 24), image(500, 1000, 24)};
  log->transferAnswer = [&](TW_IMAGEMEMXFER*, const std::function<std::int32_t()>& deliver) {
    // The second image's second block is cancelled.
    if (log->currentImage == 1 && log->rowsDelivered > 0) return TWRC_CANCEL;
    return deliver();
  };
  postSaveInfo(folder.string(), 0);
  ASSERT_TRUE(runTransfer());
  EXPECT_EQ(namesIn(folder), std::vector<std::string>{"IMG_20170325_0001.jpg"});
  EXPECT_EQ(log->pendingModes, (std::vector<std::int32_t>{0, 1}));
  EXPECT_EQ(log->finishStatuses, std::vector<std::int32_t>{2});
  EXPECT_FALSE(anyTemporaryFileLeft());
}

TEST_F(TransferTest, AFailedOrCancelledFirstImageLeavesNoFile) {
  for (std::int64_t format : {0, 1, 2}) {
    for (std::int32_t answer : {TWRC_FAILURE, TWRC_CANCEL, 5}) {
      SCOPED_TRACE(testing::Message() << "format " << format << ", answer " << answer);
    messages.clear();
      launched();
      const fs::path folder = testenv::freshFolder("fail-first");
      log->images = {image(500, 900, 24), image(500, 400, 24)};
      log->transferAnswer = [&](TW_IMAGEMEMXFER*, const std::function<std::int32_t()>& deliver) {
        return log->rowsDelivered > 0 ? answer : deliver();
      };
      postSaveInfo(folder.string(), format);
      ASSERT_TRUE(runTransfer());
      EXPECT_TRUE(namesIn(folder).empty());
      EXPECT_FALSE(anyTemporaryFileLeft());
      EXPECT_EQ(log->pendingModes, std::vector<std::int32_t>{1});
      EXPECT_EQ(log->finishStatuses, std::vector<std::int32_t>{2});
      EXPECT_TRUE(messages.empty());
      TearDown();
      SetUp();
    }
  }
}

TEST_F(TransferTest, AFileThatTakesTheImagesNameDuringTheScanStaysWhole) {
  // Another program saves under the number this image was given while its blocks come in: the
  // image must neither replace that file nor, when dropped, delete it. Without that file, an
  // image dropped after its last line leaves nothing either.
  struct Case {
    std::int64_t format;
    bool cancelAfterLastBlock;  // every line came, then the data source fails the image
    bool foreign;               // the other program's file appears
  };
  const std::vector<Case> cases = {{0, false, true}, {1, false, true}, {2, false, true}, {1, true, true},
                                   {2, true, true},  {0, true, false}, {1, true, false}, {2, true, false}};
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "format " << c.format << (c.cancelAfterLastBlock ? ", cancelled" : "")
                                    << (c.foreign ? ", name taken" : ""));
    messages.clear();
    launched();
    const fs::path folder = testenv::freshFolder("name-taken");
    const fs::path taken = folder / (c.format == 0 ? "IMG_20170325_0001.jpg" : "IMG_20170325_0001.tif");
    log->images = {image(500, 400, 24)};
    log->transferAnswer = [&](TW_IMAGEMEMXFER*, const std::function<std::int32_t()>& deliver) {
      if (c.foreign && log->rowsDelivered == 0) std::ofstream(taken) << "someone else's";
      if (c.cancelAfterLastBlock && log->rowsDelivered == 400) return TWRC_FAILURE;
      const std::int32_t code = deliver();
      return c.cancelAfterLastBlock && code == TWRC_XFERDONE ? TWRC_SUCCESS : code;
    };
    postSaveInfo(folder.string(), c.format);
    answerNextMessage();
    ASSERT_TRUE(runTransfer());
    if (c.foreign) {
      std::ifstream in(taken);
      const std::string content((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
      EXPECT_TRUE(content == "someone else's") << "replaced by " << content.size() << " bytes";
      EXPECT_EQ(namesIn(folder), std::vector<std::string>{taken.filename().string()});
    } else {
      EXPECT_EQ(namesIn(folder), std::vector<std::string>{});
    }
    EXPECT_EQ(log->finishStatuses, std::vector<std::int32_t>{2});
    EXPECT_FALSE(anyTemporaryFileLeft());
    TearDown();
    SetUp();
  }
}

TEST_F(TransferTest, AFailedWriteOfTheLastBlockFailsTheImage) {
  for (std::int64_t format : {0, 1, 2}) {
    SCOPED_TRACE(testing::Message() << "format " << format);
    messages.clear();
    launched();
    const fs::path folder = testenv::freshFolder("last-block");
    log->images = {image(500, 400, 24), image(500, 400, 24)};
    log->transferAnswer = [&](TW_IMAGEMEMXFER* xfer, const std::function<std::int32_t()>& deliver) {
      const std::int32_t code = deliver();
      // The last block says it starts a row late: the driver refuses it.
      if (code == TWRC_XFERDONE) xfer->YOffset += 1;
      return code;
    };
    postSaveInfo(folder.string(), format);
    answerNextMessage();
    ASSERT_TRUE(runTransfer());
    EXPECT_EQ(messages, std::vector<std::string>{text("IDS_ERROR_08", "Message")});
    EXPECT_TRUE(namesIn(folder).empty());
    EXPECT_FALSE(anyTemporaryFileLeft());
    EXPECT_EQ(log->pendingModes, std::vector<std::int32_t>{1});
    EXPECT_EQ(log->finishStatuses, std::vector<std::int32_t>{2});
    EXPECT_EQ(delegate->saveModule().GetTotalImgCount(), 0u) << "never counted as saved";
    TearDown();
    SetUp();
  }
}

TEST_F(TransferTest, AFileSizeLimitReachedAtTheEndFailsTheImage) {
  launched();
  const fs::path folder = testenv::freshFolder("size-limit");
  log->images = {image(1000, 700, 24)};
  postSaveInfo(folder.string(), 1);
  answerNextMessage();
  rlimit old{};
  ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &old), 0);
  auto* previous = std::signal(SIGXFSZ, SIG_IGN);
  // The pixels alone are 2,100,000 bytes: the file cannot be completed.
  rlimit limited = old;
  limited.rlim_cur = 2'090'000;
  ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &limited), 0);
  const bool ended = runTransfer();
  setrlimit(RLIMIT_FSIZE, &old);
  std::signal(SIGXFSZ, previous);
  ASSERT_TRUE(ended);
  EXPECT_EQ(messages, std::vector<std::string>{text("IDS_ERROR_08", "Message")});
  EXPECT_TRUE(namesIn(folder).empty());
  EXPECT_EQ(log->finishStatuses, std::vector<std::int32_t>{2});
}

TEST_F(TransferTest, AWorkersErrorShowsInTheNoticeAndTellsTwo) {
  Zorvik_AppDelegate& d = launched();
  const fs::path folder = testenv::freshFolder("worker-error");
  d.saveModule().SetFilePasses([](ImageToImageXform&, const ISM_XFORM_INFO*, const ISM_IMAGE_INFO*,
                                  const ISM_OPTION_INFO*) -> CMResult { return SM_ERR_IMAGE; },
                               &SaveModuleCore::RunExifJpegPass);
  log->images = {image(300, 200, 24), image(300, 200, 24)};
  postSaveInfo(folder.string(), 0);
  ASSERT_TRUE(runTransfer());
  d.saveModule().SetFilePasses(&SaveModuleCore::RunConversionPass, &SaveModuleCore::RunExifJpegPass);
  EXPECT_EQ(d.searchingNotice().lastShownKey(), "IDS_ERROR_01");
  EXPECT_FALSE(d.searchingNotice().isShowing());
  EXPECT_TRUE(namesIn(folder).empty());
  EXPECT_EQ(log->pendingModes, (std::vector<std::int32_t>{0, 1}));
  EXPECT_EQ(log->finishStatuses, std::vector<std::int32_t>{2});
}

TEST_F(TransferTest, UnusableImagesAndMissingSettingsEndTheRunInOrder) {
  struct Case {
    const char* what;
    DT_IMAGEINFO info;
    bool settings;
  };
  const std::vector<Case> cases = {
      {"12 bits per pixel", DT_IMAGEINFO{300, 300, 100, 100, 1, 12}, true},
      {"zero width", DT_IMAGEINFO{300, 300, 0, 100, 3, 24}, true},
      {"zero resolution", DT_IMAGEINFO{0, 300, 100, 100, 3, 24}, true},
      {"no save settings", DT_IMAGEINFO{300, 300, 100, 100, 3, 24}, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    launched();
    messages.clear();

    const fs::path folder = testenv::freshFolder("unusable");
    log->images = {c.info, c.info};
    if (c.settings) postSaveInfo(folder.string(), 1);
    answerNextMessage();
    ASSERT_TRUE(runTransfer());
    EXPECT_EQ(messages, std::vector<std::string>{text("IDS_ERROR_08", "Message")});
    EXPECT_EQ(std::count(log->calls.begin(), log->calls.end(), "dtScannerImageMemoryTransfer"), 0);
    EXPECT_EQ(log->pendingModes, std::vector<std::int32_t>{1});
    EXPECT_EQ(log->finishStatuses, std::vector<std::int32_t>{2});
    EXPECT_TRUE(namesIn(folder).empty());
    EXPECT_FALSE(delegate->isScanning());
    TearDown();
    SetUp();
  }
}

TEST_F(TransferTest, NoFreeNumberShowsError10CancelsAndCloses) {
  Zorvik_AppDelegate& d = launched();
  const fs::path folder = testenv::freshFolder("no-number");
  std::ofstream(folder / "scan_20170325_10000.tif") << "x";
  log->images = {image(100, 100, 24)};
  postSaveInfo(folder.string(), 0, fnd::Dictionary{{"SaveFileName", "scan"}});
  ASSERT_TRUE(d.fileIndexOver());
  answerNextMessage();
  ASSERT_TRUE(runTransfer());
  ASSERT_EQ(messages.size(), 1u);
  std::string expected = text("PVTO_ERROR_10", "PictavoTrivo");
  ASSERT_NE(expected.find("%s"), std::string::npos);
  expected.replace(expected.find("%s"), 2, "scan");
  EXPECT_EQ(messages[0], expected);
  EXPECT_EQ(log->pendingModes, std::vector<std::int32_t>{1});
  EXPECT_EQ(log->finishStatuses, std::vector<std::int32_t>{2});
  ASSERT_TRUE(runUntil([] { return kit::Application::shared().isTerminated(); }));
  EXPECT_EQ(log->calls.back(), "dtScannerCloseDevice");
  EXPECT_EQ(namesIn(folder), std::vector<std::string>{"scan_20170325_10000.tif"});
}

TEST_F(TransferTest, QuitAndCloseDuringAJpegsFinalPassWaitForTheWholeFile) {
  Zorvik_AppDelegate& d = launched();
  const fs::path folder = testenv::freshFolder("quit-jpeg");
  // A slow conversion: the final pass is still running when the user quits.
  d.saveModule().SetFilePasses(
      [](ImageToImageXform& w, const ISM_XFORM_INFO* x, const ISM_IMAGE_INFO* i, const ISM_OPTION_INFO* o) {
        std::this_thread::sleep_for(std::chrono::milliseconds(400));
        return SaveModuleCore::RunConversionPass(w, x, i, o);
      },
      &SaveModuleCore::RunExifJpegPass);
  log->images = {image(800, 600, 24)};
  postSaveInfo(folder.string(), 0);
  bool asked = false;
  auto quitter = fnd::Timer::scheduled(
      0.02, true,
      [&](fnd::Timer&) {
        if (asked || log->pendingModes.empty()) return;
        asked = true;
        d.terminatePVTO();
        kit::Application::shared().terminate();
        fnd::NotificationCenter::defaultCenter().post(Zorvik_AppDelegate::kCloseRequestNotification, sender());
      },
      fnd::kCommonModes);
  fnd::NotificationCenter::defaultCenter().post(Zorvik_AppDelegate::kXferReadyNotification, sender());
  ASSERT_TRUE(runUntil([] { return kit::Application::shared().isTerminated(); }));
  quitter->invalidate();
  d.saveModule().SetFilePasses(&SaveModuleCore::RunConversionPass, &SaveModuleCore::RunExifJpegPass);
  EXPECT_TRUE(asked);
  // Saved, told, and only then closed.
  EXPECT_EQ(log->finishStatuses, std::vector<std::int32_t>{0});
  const std::vector<std::string> tail(log->calls.end() - 3, log->calls.end());
  EXPECT_EQ(tail, (std::vector<std::string>{"dtScannerNotifyDidFinishSaving", "dtScannerCloseUserInterface",
                                            "dtScannerCloseDevice"}));
  const SavedImage saved = readSavedImage(folder / "IMG_20170325_0001.jpg");
  ASSERT_TRUE(saved.ok);
  EXPECT_EQ(saved.height, 600u);
  EXPECT_EQ(d.saveModule().GetRunningWorkerCount(), 0u);
  EXPECT_FALSE(anyTemporaryFileLeft());
}


TEST_F(TransferTest, ARequestDeferredBehindARunKeepsNoCallsThatRan) {
  Zorvik_AppDelegate& d = launched();
  const fs::path folder = testenv::freshFolder("deferred-request");
  // A slow conversion keeps the run going while a second request waits behind it, asking again
  // ten times a second.
  d.saveModule().SetFilePasses(
      [](ImageToImageXform& w, const ISM_XFORM_INFO* x, const ISM_IMAGE_INFO* i, const ISM_OPTION_INFO* o) {
        std::this_thread::sleep_for(std::chrono::milliseconds(1500));
        return SaveModuleCore::RunConversionPass(w, x, i, o);
      },
      &SaveModuleCore::RunExifJpegPass);
  log->images = {image(64, 48, 24)};
  postSaveInfo(folder.string(), 0);
  bool again = false;
  std::size_t most = 0;
  auto watcher = fnd::Timer::scheduled(
      0.02, true,
      [&](fnd::Timer&) {
        most = std::max(most, d.pendingCallCount());
        if (again || log->pendingModes.empty()) return;
        again = true;
        fnd::NotificationCenter::defaultCenter().post(Zorvik_AppDelegate::kXferReadyNotification, sender());
      },
      fnd::kCommonModes);
  fnd::NotificationCenter::defaultCenter().post(Zorvik_AppDelegate::kXferReadyNotification, sender());
  ASSERT_TRUE(runUntil([&] { return !log->finishStatuses.empty(); }));
  watcher->invalidate();
  d.saveModule().SetFilePasses(&SaveModuleCore::RunConversionPass, &SaveModuleCore::RunExifJpegPass);
  EXPECT_TRUE(again);
  EXPECT_TRUE(fs::exists(folder / "IMG_20170325_0001.jpg"));
  // One waiting call at a time, not one per turn of the wait.
  EXPECT_LE(most, 3u);
}

}  // namespace
}  // namespace launchertest
