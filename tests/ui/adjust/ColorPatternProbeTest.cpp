// The reduction through a resize plug-in that hands out the wrong number of lines: the test
// probe of tests/platform/plugins gives one line for every source line, and can be told to fail.
#include <dlfcn.h>
#include <gtest/gtest.h>

#include "ColorPatternTestSupport.h"
#include "ui/model/UIScannerInfo.h"

using namespace colorpattern_test;
using Dialog = Quirel_ColorPatternDialog;

namespace {

class ColorPatternProbeTest : public testing::Test {
 protected:
  void SetUp() override {
    library_ = dlopen(ADJUST_PROBE_BUNDLE_DIR "/libprobe.so", RTLD_NOW);
    ASSERT_NE(library_, nullptr) << dlerror();
    reset_ = reinterpret_cast<void (*)(int)>(dlsym(library_, "probe_reset"));
    liveHandles_ = reinterpret_cast<int (*)()>(dlsym(library_, "probe_liveHandles"));
    ASSERT_TRUE(reset_ && liveHandles_);
  }
  void TearDown() override {
    if (library_) dlclose(library_);
  }
  static fnd::Dictionary plugins() {
    const fnd::Dictionary probe{{"Plugin", ADJUST_PROBE_BUNDLE_DIR},
                                {"Factory", "D2A7C1F0-3B4E-4F5A-8C6D-7E8F9A0B1C2D"},
                                {"Interface", "8C8E8B3A-2E55-4B1D-9A57-3C0F6A4D1E21"},
                                {"Type", "5B1A4C2E-7D3F-4E8A-B6C9-0D2E1F3A4B5C"}};
    return fnd::Dictionary{{"HSL", hslPlugInEntry()}, {"ZOOM", probe}};
  }

  TextsAnswered texts;
  Quirel_UIScannerInfo scanner{fnd::Dictionary{{"Ver1500Later", true}}};
  void* library_ = nullptr;
  void (*reset_)(int) = nullptr;
  int (*liveHandles_)() = nullptr;
};

}  // namespace

TEST_F(ColorPatternProbeTest, MoreLinesThanTheTargetHoldsAreNotWrittenPastIt) {
  // 300 source lines give 300 lines for a target of 66: the first 66 are kept (the address
  // sanitizer build sees any write past the target).
  reset_(-1);
  auto crop = cropWith(300, 200, quarterPicture(300, 200));
  Dialog d(crop, &scanner, 0);
  const fnd::Dictionary p = plugins();
  d.createDialog(&p);
  EXPECT_EQ(d.reducedWidth(), 100);
  EXPECT_EQ(d.reducedHeight(), 66);
  ASSERT_TRUE(d.patternList()[9]->getImage());
  // The probe repeats each line's first sample: the top lines are red ones.
  EXPECT_EQ(pixelOf(*d.patternList()[9]->getImage(), 50, 0), (Rgb{255, 255, 255}));
  EXPECT_EQ(liveHandles_(), 0);
}

TEST_F(ColorPatternProbeTest, FewerLinesThanTheTargetKeepTheUnreducedCopy) {
  reset_(10);  // the eleventh line fails: ten lines of 66
  const std::vector<std::uint8_t> picture = quarterPicture(300, 200);
  auto crop = cropWith(300, 200, picture);
  Dialog d(crop, &scanner, 0);
  const fnd::Dictionary p = plugins();
  d.createDialog(&p);
  EXPECT_EQ(d.reducedWidth(), 300);
  EXPECT_EQ(d.reducedHeight(), 200);
  ASSERT_TRUE(d.patternList()[9]->getImage());
  EXPECT_EQ(bytesOf(*d.patternList()[9]->getImage()), picture);
  EXPECT_EQ(liveHandles_(), 0);
}
