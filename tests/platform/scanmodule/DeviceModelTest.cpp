// A device file is read from disk and may say anything: every count and size it gives is cut to
// its named limit before anything is allocated or waited for.
#include <gtest/gtest.h>

#include "TestEnvironment.h"
#include "capture/DeviceDefinition.h"
#include "scanmodule/DeviceModel.h"
#include "scanmodule/Scene.h"

namespace {

using velmor::DeviceModel;
using velmor::Scene;

TEST(DeviceModel, AHostileDeviceFileIsCutToTheLimits) {
  const auto list = capture::DeviceDefinition::loadFile(
      (testenv::sourceDir() / "platform/scanmodule/fixtures/HostileDevice.plist").string());
  ASSERT_EQ(list.size(), 1u);
  const DeviceModel m = DeviceModel::fromDefinition(list.front());
  EXPECT_EQ(m.filmFrames, Scene::kMaxFilmFrames);
  EXPECT_EQ(m.feederPages, DeviceModel::kMaxFeederPages);
  EXPECT_EQ(m.opticalResolution, DeviceModel::kMaxResolution);
  EXPECT_EQ(m.maximumResolution, DeviceModel::kMaxResolution);
  EXPECT_EQ(m.platenWidth, DeviceModel::kMaxAreaInches);
  EXPECT_EQ(m.platenHeight, DeviceModel::kMaxAreaInches);
  EXPECT_EQ(m.feederWidth, DeviceModel::kMaxAreaInches);
  EXPECT_EQ(m.lineDelay, 0.0);
  EXPECT_EQ(m.slowOpen, DeviceModel::kMaxDelaySeconds);

  // The capability message the file once made allocate gigabytes: one frame per frame place.
  const fnd::Dictionary caps = m.capabilities();
  ASSERT_TRUE(caps.get("Sleeve135").isArray());
  EXPECT_EQ(caps.get("Sleeve135").toArray().size(), std::size_t(Scene::kMaxFilmFrames));
}

TEST(DeviceModel, AFilmStripNeverHoldsMoreThanItsLimit) {
  for (int asked : {-5, 0, 1, Scene::kMaxFilmFrames, Scene::kMaxFilmFrames + 1, 2147483647}) {
    SCOPED_TRACE(asked);
    const Scene strip = Scene::filmStrip(asked);
    const std::size_t expected = asked < 1 ? 1 : asked > Scene::kMaxFilmFrames ? Scene::kMaxFilmFrames : asked;
    EXPECT_EQ(strip.documents().size(), expected);
  }
}

TEST(DeviceModel, OrdinaryValuesAreKeptAsTheyAre) {
  capture::DeviceDefinition d;
  d.model = fnd::Dictionary{{"FilmFrames", 6}, {"FeederPages", 3}, {"PlatenWidth", 8.5}, {"OpticalResolution", 4800}};
  d.behaviour = fnd::Dictionary{{"LineDelay", 0.01}, {"SlowOpen", 0.5}};
  const DeviceModel m = DeviceModel::fromDefinition(d);
  EXPECT_EQ(m.filmFrames, 6);
  EXPECT_EQ(m.feederPages, 3);
  EXPECT_EQ(m.platenWidth, 8.5);
  EXPECT_EQ(m.opticalResolution, 4800);
  EXPECT_EQ(m.lineDelay, 0.01);
  EXPECT_EQ(m.slowOpen, 0.5);
}

}  // namespace
