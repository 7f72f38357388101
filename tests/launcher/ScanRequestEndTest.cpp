// How a scan request ends as the launcher sees it: the folder check after a JPEG image looks
// at what its final pass left, and a request that brings no image does not keep the program
// from quitting.
#include <chrono>
#include <optional>
#include <thread>

#include "TestEnvironment.h"
#include "TransferTestSupport.h"
#include "foundation/RunLoop.h"
#include "foundation/Timer.h"
#include "kit/Application.h"
#include "scanmodule/ScanReports.h"

namespace launchertest {
namespace {

namespace fs = std::filesystem;

std::uint64_t bytesOfFiles(const fs::path& folder, const std::string& prefix) {
  std::uint64_t total = 0;
  std::error_code ec;
  for (const auto& e : fs::directory_iterator(folder, ec)) {
    const std::string name = e.path().filename().string();
    if (name.rfind(prefix, 0) == 0 && e.is_regular_file(ec)) total += e.file_size(ec);
  }
  return total;
}

TEST_F(TransferTest, AJpegsFolderCheckWaitsForItsFinalPassOnAVolumeSharedWithTheTemporaries) {
  Zorvik_AppDelegate& d = launched();
  const fs::path folder = testenv::freshFolder("final-check");
  const DT_IMAGEINFO picture = image(800, 600, 24);
  const std::uint64_t required = 800ull * 600 * 3;
  // A small volume holding the temporaries and the save folder: while the image's raw copy
  // waits for its conversion it takes the room the check asks for; the final JPEG leaves it.
  Zorvik_AppDelegate::setFreeSpaceSource([&](const std::string&) -> std::optional<std::uint64_t> {
    const std::uint64_t used = bytesOfFiles(fnd::Paths::tempDir(), "PVTO_tmp") + bytesOfFiles(folder, "");
    const std::uint64_t size = required + (1u << 20);
    return used >= size ? 0 : size - used;
  });
  // A slow conversion: the request's end comes well before the final pass starts.
  d.saveModule().SetFilePasses(
      [](ImageToImageXform& w, const ISM_XFORM_INFO* x, const ISM_IMAGE_INFO* i, const ISM_OPTION_INFO* o) {
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
        return SaveModuleCore::RunConversionPass(w, x, i, o);
      },
      &SaveModuleCore::RunExifJpegPass);
  log->images = {picture};
  answerNextMessage();  // a wrong "too full" would come up here
  postSaveInfo(folder.string(), 0);
  const bool ended = runTransfer();
  d.saveModule().SetFilePasses(&SaveModuleCore::RunConversionPass, &SaveModuleCore::RunExifJpegPass);
  ASSERT_TRUE(ended);
  EXPECT_TRUE(messages.empty()) << messages.front();
  EXPECT_EQ(log->finishStatuses, std::vector<std::int32_t>{0});
  EXPECT_EQ(log->pendingModes, std::vector<std::int32_t>{0});
  const SavedImage saved = readSavedImage(folder / "IMG_20170325_0001.jpg");
  ASSERT_TRUE(saved.ok);
  EXPECT_EQ(saved.width, 800u);
  EXPECT_LT(fs::file_size(folder / "IMG_20170325_0001.jpg"), 1u << 20) << "the volume is sized for a small JPEG";
  EXPECT_FALSE(anyTemporaryFileLeft());
}

// The data source's word that the scanner's document ended, as the data source gives it: queued
// for the main thread from the scan module's thread, with the data source as the sender. The
// scan module's own report, which the launcher no longer hears, goes out too.
void postDocumentEnd(const void* dataSource, int status) {
  static const char module = 0;
  std::thread poster([dataSource, status] {
    fnd::NotificationCenter::defaultCenter().post(velmor::report::kDocumentEnd, &module,
                                                  fnd::makeShared(fnd::Dictionary{{"STATUS", status}}));
    fnd::RunLoop::performOnMainThread([dataSource] {
      fnd::NotificationCenter::defaultCenter().post(Zorvik_AppDelegate::kDocumentEndNotification, dataSource);
    });
  });
  poster.join();
}

TEST_F(TransferTest, ARequestWhoseDocumentEndsWithoutImagesNoLongerHoldsOffQuit) {
  const struct {
    int status;
    const char* why;
  } cases[] = {
      {velmor::report::kStatusCancelled, "cancelled before the first image"},
      {velmor::report::kStatusError, "the scanner failed"},
      {velmor::report::kStatusDone, "the document ended without a page"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.why);
    Zorvik_AppDelegate& d = launched();
    kit::Application& app = kit::Application::shared();
    postSaveInfo(testenv::freshFolder("no-image").string(), 0);
    ASSERT_TRUE(d.isScanning());
    d.terminatePVTO();
    EXPECT_TRUE(log->calls.empty()) << "quit waits while the request is under way";
    EXPECT_EQ(d.applicationShouldTerminate(app), kit::TerminateReply::Cancel);

    postDocumentEnd(sender(), c.status);
    EXPECT_TRUE(runUntil([&] { return !d.isScanning(); }));
    EXPECT_EQ(d.applicationShouldTerminate(app), kit::TerminateReply::Now);
    d.terminatePVTO();
    EXPECT_EQ(log->calls, (std::vector<std::string>{"dtScannerCloseUserInterface", "dtScannerCloseDevice"}));
    EXPECT_TRUE(app.isTerminated());
    EXPECT_TRUE(log->finishStatuses.empty()) << "no run, nothing to tell";
    app.setDelegate(nullptr);
    delegate.reset();
    app.resetTerminated();
  }
}

TEST_F(TransferTest, ADocumentEndAfterItsImagesWereAnnouncedLeavesTheRequestToItsRun) {
  Zorvik_AppDelegate& d = launched();
  const fs::path folder = testenv::freshFolder("announced");
  log->images = {image(200, 100, 24)};
  postSaveInfo(folder.string(), 1);
  // As the data source does it: the announcement queued for the main thread at the first image,
  // the end (a cancel before the run began) queued after it; the run starts after both.
  fnd::RunLoop::performOnMainThread([&] {
    fnd::NotificationCenter::defaultCenter().post(Zorvik_AppDelegate::kXferReadyNotification, sender());
  });
  postDocumentEnd(sender(), velmor::report::kStatusCancelled);
  std::optional<bool> scanningBeforeRun;
  fnd::RunLoop::performOnMainThread([&] {
    if (log->calls.empty()) scanningBeforeRun = d.isScanning();
  });
  ASSERT_TRUE(runUntil([&] { return !log->finishStatuses.empty() && !d.isTransferring(); }));
  ASSERT_TRUE(scanningBeforeRun.has_value());
  EXPECT_TRUE(*scanningBeforeRun) << "the request lasts until its run has ended";
  EXPECT_FALSE(d.isScanning());
  EXPECT_EQ(log->finishStatuses, std::vector<std::int32_t>{0});

  // The next request is watched afresh: it ends with its empty document.
  postSaveInfo(folder.string(), 1);
  ASSERT_TRUE(d.isScanning());
  postDocumentEnd(sender(), velmor::report::kStatusCancelled);
  EXPECT_TRUE(runUntil([&] { return !d.isScanning(); }));
}

}  // namespace
}  // namespace launchertest
