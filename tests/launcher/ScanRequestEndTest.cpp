// How a scan request ends as the launcher sees it: the folder check after a JPEG image looks
// at what its final pass left, and a request that brings no image does not keep the program
// from quitting.
#include <chrono>
#include <thread>

#include "TestEnvironment.h"
#include "TransferTestSupport.h"
#include "foundation/Timer.h"

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

}  // namespace
}  // namespace launchertest
