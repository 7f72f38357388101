#pragma once

// Shared by the save-settings and transfer suites: a fixed "today", a launched delegate over
// the recording data source, save settings as the driver's user interface posts them, and the
// saved files read back.

#include <cstdint>
#include <ctime>
#include <filesystem>
#include <string>
#include <vector>

#include "LauncherTestSupport.h"
#include "foundation/NotificationCenter.h"
#include "foundation/Paths.h"
#include "foundation/RunTempFolder.h"
#include "imageio/Image.h"
#include "imageio/ImageSource.h"

namespace launchertest {

// 2017-03-25 at noon, local time.
inline std::time_t march25th2017() {
  std::tm t{};
  t.tm_year = 2017 - 1900;
  t.tm_mon = 2;
  t.tm_mday = 25;
  t.tm_hour = 12;
  t.tm_isdst = -1;
  return std::mktime(&t);
}

// A saved file read back: its size, resolution and pixel rows as stored.
struct SavedImage {
  bool ok = false;
  std::size_t width = 0, height = 0, bitsPerPixel = 0, bytesPerRow = 0;
  double dpiX = 0, dpiY = 0;
  fnd::Dictionary properties;
  std::vector<std::uint8_t> pixels;  // height rows of bytesPerRow
};

inline SavedImage readSavedImage(const std::filesystem::path& path) {
  SavedImage out;
  auto source = imageio::ImageSource::createWithPath(path.string());
  if (!source || source->count() == 0) return out;
  if (auto props = source->copyPropertiesAtIndex(0)) out.properties = *props;
  imageio::ImageRef image = source->createImageAtIndex(0);
  if (!image) return out;
  out.width = image->width();
  out.height = image->height();
  out.bitsPerPixel = image->bitsPerPixel();
  out.bytesPerRow = image->bytesPerRow();
  out.dpiX = out.properties.real("DPIWidth");
  out.dpiY = out.properties.real("DPIHeight");
  out.pixels.resize(out.bytesPerRow * out.height);
  out.ok = image->dataProvider()->read(out.pixels.data(), 0, out.pixels.size()) == out.pixels.size();
  return out;
}

// A temporary file of the save pipeline in the program's own temporary folder, or in the shared
// one above it.
inline bool anyTemporaryFileLeft() {
  for (const std::string& folder : {fnd::RunTempFolder::path(), fnd::Paths::tempDir()}) {
    std::error_code ec;
    for (const auto& e : std::filesystem::directory_iterator(folder, ec))
      if (e.path().filename().string().rfind("PVTO_tmp", 0) == 0) return true;
  }
  return false;
}

class TransferTest : public LauncherTest {
 protected:
  void SetUp() override {
    LauncherTest::SetUp();
    Zorvik_AppDelegate::setClock(&march25th2017);
    Zorvik_AppDelegate::setFreeSpaceSource({});
    Zorvik_AppDelegate::setWritableSource({});
  }
  void TearDown() override {
    Zorvik_AppDelegate::setClock({});
    Zorvik_AppDelegate::setFreeSpaceSource({});
    Zorvik_AppDelegate::setWritableSource({});
    LauncherTest::TearDown();
  }

  // Launched on the virtual scanner with the recording data source, its interface open.
  Zorvik_AppDelegate& launched() {
    Zorvik_AppDelegate& d = makeDelegate("");
    launch();
    EXPECT_TRUE(runUntil([&] { return log->calls.size() >= 2; }));
    log->calls.clear();
    return d;
  }

  const void* sender() const { return delegate->dataSource()->notificationSender(); }

  // The save settings of a request, posted as the data source relays them.
  void postSaveInfo(const std::string& folder, std::int64_t format, fnd::Dictionary extra = {}) {
    extra.set("SaveFilePath", folder);
    extra.set("SaveFileFormat", static_cast<long long>(format));
    fnd::NotificationCenter::defaultCenter().post(Zorvik_AppDelegate::kSaveInfoNotification, sender(),
                                                  fnd::makeShared(std::move(extra)));
  }

  // "MSG_XFERREADY", then the main loop until the data source was told the end of saving.
  bool runTransfer(int rounds = 1200) {
    const std::size_t told = log->finishStatuses.size();
    fnd::NotificationCenter::defaultCenter().post(Zorvik_AppDelegate::kXferReadyNotification, sender());
    return runUntil([&] { return log->finishStatuses.size() > told && !delegate->isTransferring(); }, rounds);
  }

  static DT_IMAGEINFO image(std::int32_t width, std::int32_t length, std::int32_t bits, std::int32_t dpi = 300) {
    return DT_IMAGEINFO{dpi, dpi, width, length, bits >= 24 ? 3 : 1, bits};
  }

  // The bytes the recording data source delivered for an image, row by row.
  static std::vector<std::uint8_t> deliveredBytes(const DT_IMAGEINFO& i) {
    const std::uint32_t rowBytes = DataSourceLog::rowBytesOf(i);
    std::vector<std::uint8_t> bytes(std::size_t(rowBytes) * std::uint32_t(i.ImageLength));
    for (std::uint32_t y = 0; y < std::uint32_t(i.ImageLength); ++y)
      for (std::uint32_t x = 0; x < rowBytes; ++x) bytes[std::size_t(y) * rowBytes + x] = DataSourceLog::pixelByte(y, x);
    return bytes;
  }

  std::vector<std::string> namesIn(const std::filesystem::path& folder) const {
    std::vector<std::string> names;
    std::error_code ec;
    for (const auto& e : std::filesystem::directory_iterator(folder, ec)) names.push_back(e.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
  }
};

}  // namespace launchertest
