#include <gtest/gtest.h>

#include <vector>

#include "foundation/Bundle.h"
#include "ui/base/PVLocalizedString.h"
#include "ui/model/ProgressSourceTexts.h"
#include "ui/model/UIScannerInfo.h"

namespace {

using Texts = Quirel_ProgressSourceTexts;

}  // namespace

TEST(ProgressSourceTexts, EachModeNamesItsSourceTableAndColour) {
  struct Row {
    std::int32_t mode, source, colourPopup;
    const char* sourceKey;
    const char* colourKey;
    std::int32_t colour;
  };
  const std::vector<Row> rows = {
      // Basic mode: colour by the source table; past the table the colour is 0.
      {0, 0, 9, "SIMS0", "ECOM3", 3},
      {0, 2, 9, "SIMS2", "ECOM0", 0},
      {0, 3, 9, "SIMS3", "ECOM1", 1},
      {0, 12, 9, "SIMS12", "ECOM1", 1},
      {0, 13, 9, "SIMS13", "ECOM3", 3},
      {0, 14, 9, "SIMS14", "ECOM0", 0},
      {0, -1, 9, "SIMS-1", "ECOM0", 0},
      // Advanced mode: the colour pop-up's own number.
      {1, 1, 4, "EIMS_1200_1", "ECOM4", 4},
      {1, 0, 0, "EIMS_1200_0", "ECOM0", 0},
      // Multi-scan mode: 3 for 0, 3, 5, 6; 1 for 1 and 4; 0 for 2 and above 6.
      {2, 0, 9, "MIMS0", "ECOM3", 3},
      {2, 1, 9, "MIMS1", "ECOM1", 1},
      {2, 2, 9, "MIMS2", "ECOM0", 0},
      {2, 4, 9, "MIMS4", "ECOM1", 1},
      {2, 6, 9, "MIMS6", "ECOM3", 3},
      {2, 7, 9, "MIMS7", "ECOM0", 0},
  };
  const Quirel_UIScannerInfo scanner(fnd::Dictionary{});
  for (const Row& r : rows) {
    SCOPED_TRACE(std::to_string(r.mode) + "/" + std::to_string(r.source));
    const Texts::Answer a = Texts::setImageSourceAndColorModeStr(r.mode, r.source, r.colourPopup, &scanner);
    EXPECT_EQ(a.scanMode, r.mode);
    EXPECT_TRUE(a.hasTexts);
    EXPECT_EQ(a.imageSourceKey, r.sourceKey);
    EXPECT_EQ(a.imageSourceNum, r.source);
    EXPECT_EQ(a.colorModeKey, r.colourKey);
    EXPECT_EQ(a.colorModeNum, r.colour);
    EXPECT_TRUE(a.caps.has_value());
  }
  // The whole basic table.
  const std::int32_t table[] = {3, 3, 0, 1, 3, 3, 3, 1, 3, 1, 3, 1, 1, 3};
  for (std::int32_t s = 0; s < 14; ++s) EXPECT_EQ(Texts::standardModeColorMode(s), table[s]) << s;
}

TEST(ProgressSourceTexts, TheUILessModeGetsOnlyItsModeNumber) {
  const Quirel_UIScannerInfo scanner(fnd::Dictionary{});
  for (std::int32_t mode : {3, 4, -1}) {
    const Texts::Answer a = Texts::setImageSourceAndColorModeStr(mode, 2, 2, &scanner);
    EXPECT_EQ(a.scanMode, mode);
    EXPECT_FALSE(a.hasTexts);
    EXPECT_TRUE(a.imageSourceKey.empty());
    EXPECT_FALSE(a.caps.has_value());
  }
  // Without a scanner record the texts still come, the offer does not.
  EXPECT_FALSE(Texts::setImageSourceAndColorModeStr(0, 1, 0, nullptr).caps.has_value());
}

TEST(ProgressSourceTexts, TheOfferFollowsTheScannerRecordFlagByFlag) {
  using Caps = Quirel_ProgressDisplayRules::Capabilities;
  struct Flag {
    const char* key;
    bool Caps::*field;
  };
  const std::vector<Flag> flags = {
      {"Unsharp", &Caps::iUnharp},           {"Descreen", &Caps::iDescreen},
      {"ReduceDust", &Caps::iReduceDust},     {"VEXA", &Caps::iVexa},
      {"FadingCorrect", &Caps::iFadingCorrect}, {"GrainCorrect", &Caps::iGrainCorrect},
      {"BackLightCorrect", &Caps::iBackLightCorrect}, {"BookCorrect", &Caps::iBookCorrect},
      {"ReduceDustForFAU", &Caps::iSoftVexa}, {"CopyGamma", &Caps::iCopyGamma},
      {"ImageAdjustment", &Caps::iImageAdjust}, {"RACS2", &Caps::iRACS2},
      {"AutoDocCorrect", &Caps::iAutoFineDoc},
  };
  // Each flag on alone, then off alone: exactly its own field follows.
  for (bool on : {true, false}) {
    for (const Flag& f : flags) {
      SCOPED_TRACE(std::string(f.key) + (on ? " on" : " off"));
      fnd::Dictionary d;
      for (const Flag& g : flags) d.set(g.key, g.key == f.key ? on : !on);
      const Caps caps = Texts::scannerDispInfo(Quirel_UIScannerInfo(d));
      for (const Flag& g : flags) EXPECT_EQ(caps.*(g.field), g.key == f.key ? on : !on) << g.key;
    }
  }
}

TEST(ProgressSourceTexts, TextsComeFromTheUserInterfaceTable) {
  const Quirel_PVLocalizedString strings(fnd::Bundle::main().identifier());
  const Texts::Answer a = Texts::setImageSourceAndColorModeStr(0, 1, 0, nullptr);
  EXPECT_EQ(Texts::colorModeText(a, strings), "Color");
  EXPECT_NE(Texts::imageSourceText(a, strings), "SIMS1");
  EXPECT_EQ(Texts::imageSourceText(Texts::setImageSourceAndColorModeStr(3, 1, 0, nullptr), strings), "");
}
