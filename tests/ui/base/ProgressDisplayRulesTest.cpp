#include <gtest/gtest.h>

#include <set>

#include "ui/base/ProgressDisplayRules.h"
#include "ui/base/ProgressLayout.h"

namespace {

using Rules = Quirel_ProgressDisplayRules;
using Layout = Quirel_ProgressLayout;

fnd::Dictionary withKind(int baf, int mfp, int usb, int pp, int rj, int mp) {
  fnd::Dictionary scan{{"BAF", baf}, {"MfpSfs", mfp}, {"UsbNetwork", usb},
                       {"PULLPUSH", pp}, {"RawJpeg", rj}, {"MultiPDF", mp}};
  return fnd::Dictionary{{"ScanInfo", scan}};
}

fnd::Dictionary withPass(int onePass, int inputSource, std::optional<int> uiLess, int compression) {
  fnd::Dictionary setting;
  if (uiLess) setting.set("UiLess", *uiLess);
  fnd::Dictionary crop{{"COMPRESSION", compression}};
  fnd::Dictionary scan{{"OnePass", onePass}, {"InputSource", inputSource}, {"ScanSetting", setting},
                       {"CropItem", fnd::Array{crop}}};
  return fnd::Dictionary{{"ScanInfo", scan}};
}

}  // namespace

// One row per case of every rule: the scan's kind picks a rule, the rule picks bar and Cancel.
TEST(ProgressDisplayRules, BarAndCancelFollowTheKindOfScan) {
  struct Row {
    int baf, mfp, usb, pp, rj, mp;
    Rules::BarCancel expected;
  };
  const Row rows[] = {
      {1, 1, 1, 1, 2, 2, {1, 0}},    // pull multi-page PDF of kind 2: bar shown, Cancel hidden
      {1, 1, 1, 1, 1, 1, {1, 1}},    {1, 1, 1, 1, 2, 1, {1, 1}},   {1, 1, 1, 2, 1, 2, {1, 1}},
      {1, 1, 1, 2, 2, 1, {1, 1}},    {1, 1, 1, 1, 0, 1, {-1, -1}}, {1, 1, 1, 1, 1, 0, {-1, -1}},
      {1, 1, 2, 1, 2, 2, {1, 0}},    {1, 1, 2, 1, 1, 1, {1, 1}},   {1, 1, 2, 2, 2, 2, {1, 1}},  // PMN like PMU
      {1, 2, 1, 2, 1, 1, {1, 1}},    {1, 2, 1, 1, 1, 2, {1, 1}},   {1, 2, 1, 1, 2, 1, {-1, -1}},  // PSU
      {1, 2, 1, 1, 1, 0, {-1, -1}},
      {2, 1, 1, 1, 2, 2, {1, 1}},    {2, 1, 1, 2, 1, 2, {1, 1}},   {2, 1, 1, 1, 2, 1, {-1, -1}},  // AMU
      {2, 1, 2, 2, 1, 2, {1, 1}},    {2, 1, 2, 2, 1, 1, {-1, -1}},                                // AMN
      {2, 2, 1, 1, 1, 2, {1, 1}},    {2, 2, 1, 1, 2, 2, {-1, -1}}, {2, 2, 1, 2, 1, 1, {-1, -1}},  // ASU
      {3, 1, 1, 1, 1, 0, {1, 1}},    {3, 1, 1, 2, 1, 7, {1, 1}},   {3, 1, 1, 1, 2, 0, {-1, -1}},  // FMU
      {3, 1, 2, 2, 1, 0, {1, 1}},    {3, 2, 1, 1, 1, 0, {1, 1}},   {3, 2, 1, 1, 2, 0, {-1, -1}},  // FMN, FSU
      {2, 2, 2, 1, 1, 2, {-1, -1}},  {1, 2, 2, 1, 1, 1, {-1, -1}}, {3, 2, 2, 1, 1, 1, {-1, -1}},  // no rule
      {0, 0, 0, 1, 1, 1, {-1, -1}},  {4, 1, 1, 1, 1, 1, {-1, -1}},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(testing::Message() << r.baf << r.mfp << r.usb << " " << r.pp << r.rj << r.mp);
    EXPECT_EQ(Rules::setProgressAndCancelDisp(withKind(r.baf, r.mfp, r.usb, r.pp, r.rj, r.mp)), r.expected);
  }
  // "PULLPUSH" 0 never overrides, whatever the rule and the other numbers.
  const int kinds[][3] = {{1, 1, 1}, {1, 1, 2}, {1, 2, 1}, {2, 1, 1}, {2, 1, 2}, {2, 2, 1}, {3, 1, 1}, {3, 1, 2}, {3, 2, 1}};
  for (const auto& k : kinds)
    for (int rj : {1, 2})
      for (int mp : {0, 1, 2})
        EXPECT_EQ(Rules::setProgressAndCancelDisp(withKind(k[0], k[1], k[2], 0, rj, mp)), (Rules::BarCancel{}));
  EXPECT_EQ(Rules::setProgressAndCancelDisp(fnd::Dictionary{{"MessageID", 1325}}), (Rules::BarCancel{}));
  EXPECT_EQ(Rules::setProgressAndCancelDisp(fnd::Dictionary{{"ScanInfo", "not a dictionary"}}), (Rules::BarCancel{}));
}

TEST(ProgressDisplayRules, TheInformationAreaIsSimpleForUILessOnePassScansOfKindTwoFourOrSix) {
  struct Row {
    int onePass;
    std::optional<int> uiLess;
    int expected;
  };
  const Row rows[] = {{2, 0, 1}, {4, 0, 1}, {6, 0, 1}, {3, 0, -1}, {0, 0, -1},
                      {2, 1, -1}, {2, 2, -1}, {2, std::nullopt, -1}};  // "UiLess" must be there and 0
  for (const Row& r : rows) {
    SCOPED_TRACE(r.onePass);
    EXPECT_EQ(Rules::setDetailInfoSimple(withPass(r.onePass, 0, r.uiLess, 0)), r.expected);
  }
  EXPECT_EQ(Rules::setDetailInfoSimple(fnd::Dictionary{}), -1);
}

TEST(ProgressDisplayRules, CompositeRuleAppliesToTheNewerGenerationOnly) {
  struct Row {
    int op, is, ul, c;
    Rules::SimpleComp expected;  // answer, cancel, detail, simple
  };
  const Row rows[] = {
      {0, 1, 2, 5, {2, 1, 1, 1}},   {0, 2, 2, 1, {2, 1, 1, 1}},    {0, 1, 2, 0, {1, -1, 1, 1}},
      {0, 2, 0, 4, {1, -1, 1, 1}},  {0, 0, 2, 0, {1, -1, 0, 0}},   {2, 0, 2, 3, {3, -1, 0, 1}},
      {3, 0, 2, 3, {3, -1, 0, 1}},  {2, 0, 2, 0, {-1, -1, -1, 0}}, {2, 1, 2, 3, {-1, -1, -1, 0}},
      {0, 0, 1, 0, {-1, -1, -1, 0}}, {4, 0, 2, 3, {-1, -1, -1, 0}},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(testing::Message() << r.op << r.is << r.ul << r.c);
    EXPECT_EQ(Rules::setDetailInfoSimpleComp(withPass(r.op, r.is, r.ul, r.c), true), r.expected);
    EXPECT_EQ(Rules::setDetailInfoSimpleComp(withPass(r.op, r.is, r.ul, r.c), false), (Rules::SimpleComp{}));
  }
  EXPECT_EQ(Rules::setDetailInfoSimpleComp(fnd::Dictionary{}, true), (Rules::SimpleComp{}));
  // No crop at all reads as compression 0.
  fnd::Dictionary noCrops = withPass(0, 0, 2, 9);
  noCrops.find("ScanInfo")->dictionary()->set("CropItem", fnd::Array{});
  EXPECT_EQ(Rules::setDetailInfoSimpleComp(noCrops, true), (Rules::SimpleComp{1, -1, 0, 0}));
}

// Each row: the inputs, and the correction rows that end up hidden.
TEST(ProgressDisplayRules, DetailRowsShowByColourModeSourceAndCapability) {
  using R = Rules::Row;
  struct Row {
    const char* what;
    int colorSetting, colorModeNum, scanMode, source;
    bool racs2, racs2Wanted;
    std::set<int> hidden;
  };
  const Row rows[] = {
      {"standard platen colour", 0, 3, 0, 0, false, false, {R::kInfraredDust, R::kSoftwareDust, R::kCopyGamma}},
      {"colour matching, feeder", 1, 3, 0, 4, false, false,
       {R::kBacklight, R::kFading, R::kCopyGamma, R::kImageAdjust, R::kAutoFineDoc, R::kBook, R::kReduceDust,
        R::kDescreen}},
      {"black and white film", 0, 0, 0, 7, false, false,
       {R::kUnsharp, R::kDescreen, R::kReduceDust, R::kFading, R::kGrain, R::kBacklight, R::kCopyGamma,
        R::kImageAdjust, R::kInfraredDust, R::kSoftwareDust, R::kBook}},
      {"grey platen", 0, 1, 0, 0, false, false,
       {R::kFading, R::kInfraredDust, R::kSoftwareDust, R::kCopyGamma}},
      {"standard film on a copy-gamma scanner", 0, 3, 0, 8, true, true,
       {R::kInfraredDust, R::kSoftwareDust, R::kBook, R::kBacklight, R::kFading, R::kCopyGamma}},
      {"multi-scan", 0, 3, 2, 1, false, false,
       {R::kSoftwareDust, R::kInfraredDust, R::kBook, R::kReduceDust, R::kDescreen, R::kAutoFineDoc}},
      {"extended, film strip", 0, 3, 1, 3, false, false,
       {R::kBook, R::kReduceDust, R::kDescreen, R::kInfraredDust, R::kCopyGamma, R::kAutoFineDoc}},
      {"extended, film strip, copy gamma wanted", 0, 3, 1, 3, true, true,
       {R::kBook, R::kReduceDust, R::kDescreen, R::kInfraredDust, R::kAutoFineDoc}},
      {"extended, platen, copy gamma not wanted", 0, 3, 1, 5, true, false,
       {R::kInfraredDust, R::kSoftwareDust, R::kBook, R::kBacklight, R::kFading, R::kCopyGamma, R::kAutoFineDoc}},
      {"extended, platen", 0, 3, 1, 5, false, false,
       {R::kInfraredDust, R::kSoftwareDust, R::kBook, R::kBacklight, R::kFading, R::kAutoFineDoc}},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.what);
    Rules::DetailInputs in;
    in.colorSetting = r.colorSetting;
    in.colorModeNum = r.colorModeNum;
    in.scanMode = r.scanMode;
    in.imageSourceNum = r.source;
    in.ver16L = in.ver17L = true;
    in.caps.iRACS2 = r.racs2;
    in.displayCopyGammaWhenRACS2 = r.racs2Wanted;
    const Rules::RowFlags flags = Rules::detailRowFlags(in);
    std::set<int> hidden;
    for (int i = 0; i < Rules::kRowCount; ++i)
      if (!flags[i]) hidden.insert(i);
    EXPECT_EQ(hidden, r.hidden);
    EXPECT_EQ(in.imageSourceNum, r.scanMode == 2 ? 5 : r.source);  // multi-scan reads as source 5
  }

  // A capability the scanner lacks hides its row, and the generations gate two rows.
  const bool Rules::Capabilities::*caps[] = {
      &Rules::Capabilities::iUnharp,        &Rules::Capabilities::iDescreen,     &Rules::Capabilities::iReduceDust,
      &Rules::Capabilities::iFadingCorrect, &Rules::Capabilities::iGrainCorrect, &Rules::Capabilities::iBackLightCorrect,
      &Rules::Capabilities::iCopyGamma,     &Rules::Capabilities::iImageAdjust,  &Rules::Capabilities::iAutoFineDoc};
  const R capRows[] = {R::kUnsharp, R::kDescreen, R::kReduceDust, R::kFading,     R::kGrain,
                       R::kBacklight, R::kCopyGamma, R::kImageAdjust, R::kAutoFineDoc};
  for (std::size_t i = 0; i < std::size(caps); ++i) {
    Rules::DetailInputs in;
    in.colorModeNum = 3;
    in.imageSourceNum = 7;  // film: every listed row shows with all capabilities
    in.scanMode = 0;
    in.ver16L = in.ver17L = true;
    in.caps.*const_cast<bool Rules::Capabilities::*>(caps[i]) = false;
    EXPECT_FALSE(Rules::detailRowFlags(in)[capRows[i]]) << i;
  }
  Rules::DetailInputs old;
  old.colorModeNum = 3;
  EXPECT_FALSE(Rules::detailRowFlags(old)[R::kImageAdjust]);
  EXPECT_FALSE(Rules::detailRowFlags(old)[R::kAutoFineDoc]);
}

TEST(ProgressDisplayRules, RowTexts) {
  const std::pair<int, std::string> levels[] = {{0, "IDS_ADV_FLAG_NONE"}, {1, "IDS_ADV_FLAG_NONE"},
                                                {2, "IDS_INFO_COPY1"},    {3, "IDS_INFO_VEXA3"},
                                                {4, "IDS_INFO_COPY2"},    {5, "IDS_ADV_FLAG_NONE"}};
  for (const auto& [v, key] : levels) EXPECT_EQ(Rules::levelKey(v), key) << v;
  const char* adjust[] = {"IDS_ADV_FLAG_NONE",     "IDS_ADV_FLAG_AUTO",     "IDS_ADV_FLAG_PHOTO",
                          "IDS_ADV_FLAG_DOCUMENT", "IDS_ADV_FLAG_MAGAZINE", "IDS_ADV_FLAG_NEWSPAPER"};
  for (int v = 0; v < 6; ++v) EXPECT_STREQ(Rules::imageAdjustKey(v), adjust[v]);
  EXPECT_STREQ(Rules::imageAdjustKey(6), "IDS_ADV_FLAG_NONE");
  EXPECT_STREQ(Rules::onOffKey(1), "IDS_ADV_FLAG_ON");
  EXPECT_STREQ(Rules::onOffKey(0), "IDS_ADV_FLAG_OFF");
  EXPECT_STREQ(Rules::onOffKey(2), "IDS_ADV_FLAG_OFF");

  struct Gamma {
    bool racs2;
    int document, copyGamma;
    const char* key;
    bool wanted;
  };
  const Gamma gammas[] = {{true, 1012, 0, "IDS_ADV_FLAG_OFF", true},  {true, 1018, 2, "IDS_ADV_FLAG_OFF", true},
                          {true, 2012, 0, "IDS_ADV_FLAG_ON", true},   {true, 2015, 0, "IDS_ADV_FLAG_ON", true},
                          {true, 3012, 1, "IDS_ADV_FLAG_OFF", false}, {false, 2012, 0, "IDS_ADV_FLAG_NONE", false},
                          {false, 0, 1, "IDS_INFO_COPY1", false},     {false, 0, 2, "IDS_INFO_COPY2", false}};
  for (const Gamma& g : gammas) {
    bool wanted = !g.wanted;
    EXPECT_STREQ(Rules::copyGammaKey(g.racs2, g.document, g.copyGamma, &wanted), g.key) << g.document;
    if (g.racs2) {
      EXPECT_EQ(wanted, g.wanted) << g.document;
    }
  }
}

TEST(ProgressDisplayRules, RemainingTimeInMinutesClampedNotWrapped) {
  struct Row {
    int minutes;
    const char* key;
    bool label;
    int shown;
  };
  const Row rows[] = {{-1, "IDS_THUMBNAIL_ON_XFER", false, -1},
                      {0, "IDS_PROGRESS_SCAN_ONE_MINUTE", true, 0},
                      {1, "IDS_PROGRESS_SCAN_TIME", true, 1},
                      {60, "IDS_PROGRESS_SCAN_TIME", true, 60},
                      {61, "IDS_PROGRESS_SCAN_MORE_AN_HOUR", true, 61},
                      // 70000 minutes would wrap to 4464 in 16 bits and read as about 74 hours' less.
                      {70000, "IDS_PROGRESS_SCAN_MORE_AN_HOUR", true, 32767},
                      {65536 + 30, "IDS_PROGRESS_SCAN_MORE_AN_HOUR", true, 32767},
                      {-70000, "IDS_THUMBNAIL_ON_XFER", false, -32768}};
  for (const Row& r : rows) {
    const Rules::RemainingTime t = Rules::remainingTime(r.minutes);
    EXPECT_STREQ(t.key, r.key) << r.minutes;
    EXPECT_EQ(t.labelShown, r.label) << r.minutes;
    EXPECT_EQ(t.minutes, r.shown) << r.minutes;
  }
}

// "now" counts from 1; the table from 0. Nothing outside the filled entries is ever named.
TEST(ProgressDisplayRules, ScanningInfoNamesTheCropBeingScanned) {
  struct Row {
    int source, now, scanMode, imageSource, filled, expected;
  };
  const Row rows[] = {
      {1, 1, 0, 0, 3, 0},  {1, 3, 0, 0, 3, 2},  {1, 4, 0, 0, 3, -1}, {1, 0, 0, 0, 3, -1},  {1, -2, 0, 0, 3, -1},
      {2, 2, 1, 3, 2, 1},  {2, 3, 1, 3, 2, -1}, {3, 7, 0, 4, 1, 0},  {3, 1, 0, 4, 0, -1},  {0, 1, 0, 0, 3, -1},
      {4, 1, 0, 0, 3, -1}, {1, 3, 2, 5, 3, 0},  {1, 3, 2, 6, 3, 0},  {1, 3, 2, 1, 3, 2},   {1, 61, 0, 0, 61, 60},
      {1, 62, 0, 0, 61, -1},
  };
  for (const Row& r : rows)
    EXPECT_EQ(Rules::cropEntryFor(r.source, r.now, r.scanMode, r.imageSource, r.filled), r.expected)
        << r.source << " " << r.now << " " << r.scanMode;
  EXPECT_STREQ(Rules::scanningStatusKey(1), "IDS_PROGRESS_SCAN_CROP");
  EXPECT_STREQ(Rules::scanningStatusKey(2), "IDS_PROGRESS_SCAN_FRAME");
  EXPECT_STREQ(Rules::scanningStatusKey(3), "IDS_PROGRESS_SCAN_PAGE");
  EXPECT_STREQ(Rules::scanningStatusKey(0), "");
}

TEST(ProgressDisplayRules, TheBarOnlyGrowsAndOnlyWhileShown) {
  EXPECT_FALSE(Rules::percentageMovesBar(true, 50, 0));
  EXPECT_FALSE(Rules::percentageMovesBar(true, 50, 50));
  EXPECT_TRUE(Rules::percentageMovesBar(true, 50, 51));
  EXPECT_TRUE(Rules::percentageMovesBar(true, 49.9, 50));  // the bar's value counts as an integer
  EXPECT_FALSE(Rules::percentageMovesBar(false, 0, 80));
}

TEST(ProgressLayout, WindowHeightOfEveryStateInBothLayouts) {
  // Older layout: fixed heights; the unfolded one follows the detail.
  EXPECT_EQ(Layout::windowHeight(0, 1, 122, 94, 85), 150);
  EXPECT_EQ(Layout::windowHeight(0, 2, 122, 94, 85), 244);
  EXPECT_EQ(Layout::windowHeight(0, 3, 122, 94, 85), 85 + 248);
  EXPECT_EQ(Layout::windowHeight(0, 4, 122, 94, 85), 217);
  // Newer layout: the boxes' heights, 22 below them, 32 between them and the detail.
  EXPECT_EQ(Layout::windowHeight(1, 1, 155, 87, 85), 155 + 22);
  EXPECT_EQ(Layout::windowHeight(1, 2, 155, 87, 85), 155 + 87 + 22);
  EXPECT_EQ(Layout::windowHeight(1, 3, 155, 87, 85), 85 + 155 + 32 + 87);
  EXPECT_EQ(Layout::windowHeight(1, 4, 155, 62, 85), 155 + 62 + 22);
  EXPECT_EQ(Layout::contentWidth(0), 320);
  EXPECT_EQ(Layout::contentWidth(1), 390);
}

TEST(ProgressLayout, MessageAndInformationBoxesRestackFromTheTop) {
  Layout::MessageStack all = Layout::stackMessageBox(48, 17.0, 12.0, 32.0, true);
  EXPECT_EQ(all.percentY, 56);
  EXPECT_EQ(all.barY, 81);
  EXPECT_EQ(all.cancelY, 103);
  EXPECT_EQ(all.boxHeight, 101 + 32 + 22);
  // Cancel hidden: one gap less with the information area shown, another with no bar or text.
  EXPECT_EQ(Layout::stackMessageBox(48, std::nullopt, 12.0, std::nullopt, true).boxHeight, 56 + 20 - 8 + 22);
  EXPECT_EQ(Layout::stackMessageBox(48, std::nullopt, 12.0, std::nullopt, false).boxHeight, 56 + 20 + 22);
  EXPECT_EQ(Layout::stackMessageBox(48, std::nullopt, std::nullopt, std::nullopt, true).boxHeight, 56 - 16 + 22);
  EXPECT_EQ(Layout::stackMessageBox(48, std::nullopt, std::nullopt, std::nullopt, false).boxHeight, 56 - 8 + 22);

  Layout::InfoStack info = Layout::stackInfoBox({17, 17, 20});
  EXPECT_EQ(info.rowY, (std::vector<double>{8, 33, 58}));
  EXPECT_EQ(info.boxHeight, 78 + 9);
}

TEST(ProgressLayout, DetailRowsStartAt13SixteenApartTwoLineRowsPushTheRestDown) {
  std::vector<Layout::DetailPlacement> placed;
  EXPECT_EQ(Layout::layoutDetailRows(std::vector<Layout::DetailRow>(3), &placed), 13 + 3 * 16 + 24);
  EXPECT_EQ(placed[2].y, 45);

  std::vector<Layout::DetailRow> rows(5);
  rows[1].twoLines = true;
  rows[2].shown = false;  // hidden rows take no space
  EXPECT_EQ(Layout::layoutDetailRows(rows, &placed), 13 + 16 + 32 + 16 + 16 + 24);
  EXPECT_EQ(placed[1].y, 29);
  EXPECT_EQ(placed[1].height, 32);
  EXPECT_EQ(placed[3].y, 29 + 32);
  EXPECT_EQ(placed[4].y, 29 + 32 + 16);
  EXPECT_EQ(Layout::detailColumnWidth(0), 145);
  EXPECT_EQ(Layout::detailColumnWidth(1), 175);
}
