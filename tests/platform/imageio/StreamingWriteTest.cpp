#include <gtest/gtest.h>

#include <chrono>
#include <condition_variable>
#include <cstring>
#include <mutex>
#include <thread>

#include "ImageTestSupport.h"
#include "TestEnvironment.h"
#include "imageio/ImageDestination.h"
#include "imageio/ImageProperties.h"

using namespace imageio;
using imagetest::Gradient;

namespace {

// One block of rows at a time between a producer and the encoder's thread, the way scan
// blocks reach the save pipeline: the producer waits until the encoder has used a block up.
struct BlockHandOff {
  std::mutex mutex;
  std::condition_variable changed;
  std::vector<std::uint8_t> block;
  std::int64_t first = 0;  // byte position of the block's first byte
  bool full = false;
  bool cancelled = false;

  bool put(std::int64_t position, std::vector<std::uint8_t> bytes) {
    std::unique_lock lock(mutex);
    if (!changed.wait_for(lock, std::chrono::seconds(20), [&] { return !full || cancelled; }) || cancelled) return false;
    block = std::move(bytes);
    first = position;
    full = true;
    changed.notify_all();
    return true;
  }

  std::size_t get(void* buffer, std::int64_t position, std::size_t count) {
    std::unique_lock lock(mutex);
    for (;;) {
      if (!changed.wait_for(lock, std::chrono::seconds(20), [&] { return full || cancelled; }) || cancelled) return 0;
      std::int64_t end = first + std::int64_t(block.size());
      if (position >= first && position < end) {
        std::size_t n = std::min<std::size_t>(count, std::size_t(end - position));
        std::memcpy(buffer, block.data() + (position - first), n);
        return n;
      }
      if (position < first) return 0;  // the encoder went back: not allowed
      full = false;                    // used up: the producer may send the next block
      changed.notify_all();
    }
  }

  void cancel() {
    std::lock_guard lock(mutex);
    cancelled = true;
    changed.notify_all();
  }
};

}  // namespace

TEST(StreamingWrite, encoderOnItsOwnThreadPullsBlocksAsTheProducerHandsThemOver) {
  for (ImageType type : {ImageType::TIFF, ImageType::JPEG}) {
    Gradient g;
    g.width = 150;
    g.height = 100;
    g.components = 3;
    auto handOff = std::make_shared<BlockHandOff>();
    DataProviderDirectCallbacks cb;
    cb.getBytesAtPosition = [handOff](void* buffer, std::int64_t position, std::size_t count) {
      return handOff->get(buffer, position, count);
    };
    ImageRef image = Image::create(g.width, g.height, 8, 24, g.rowBytes(), ColorSpace::sRGB(), {},
                                   DataProvider::createDirect(std::int64_t(g.rowBytes() * g.height), cb));
    auto path = testenv::freshFolder("stream") / (type == ImageType::TIFF ? "s.tif" : "s.jpg");
    auto dest = ImageDestination::createWithPath(path.string(), type, 1);
    dest->addImage(image, {{kCGImageDestinationLossyCompressionQuality, 0.99}});
    image.reset();
    bool finalized = false;
    std::thread writer([&] { finalized = dest->finalize(); });
    bool handedOver = true;
    for (std::size_t y = 0; y < g.height && handedOver; y += 7) {
      std::vector<std::uint8_t> block;
      for (std::size_t r = y; r < std::min(g.height, y + 7); ++r) {
        auto row = g.row(r);
        block.insert(block.end(), row.begin(), row.end());
      }
      handedOver = handOff->put(std::int64_t(y * g.rowBytes()), std::move(block));
    }
    writer.join();
    ASSERT_TRUE(handedOver);
    ASSERT_TRUE(finalized) << dest->errorMessage();
    auto d = type == ImageType::TIFF ? imagetest::decodeTiff(path) : imagetest::decodeJpeg(path);
    ASSERT_TRUE(d.ok);
    EXPECT_EQ(d.width, g.width);
    EXPECT_EQ(d.height, g.height);
    if (type == ImageType::TIFF) {
      EXPECT_EQ(d.at(149, 99, 1), g.sample(149, 99, 1));
    }
  }
}

TEST(StreamingWrite, cancelledProducerMakesFinalizeFail) {
  Gradient g;
  g.components = 3;
  auto handOff = std::make_shared<BlockHandOff>();
  DataProviderDirectCallbacks cb;
  cb.getBytesAtPosition = [handOff](void* buffer, std::int64_t position, std::size_t count) {
    return handOff->get(buffer, position, count);
  };
  auto folder = testenv::freshFolder("cancel");
  auto dest = ImageDestination::createWithPath((folder / "c.jpg").string(), ImageType::JPEG, 1);
  dest->addImage(Image::create(g.width, g.height, 8, 24, g.rowBytes(), ColorSpace::sRGB(), {},
                               DataProvider::createDirect(std::int64_t(g.rowBytes() * g.height), cb)),
                 {});
  bool finalized = true;
  std::thread writer([&] { finalized = dest->finalize(); });
  handOff->put(0, g.row(0));
  handOff->cancel();
  writer.join();
  EXPECT_FALSE(finalized);
  EXPECT_TRUE(imagetest::listFolder(folder).empty());
}
