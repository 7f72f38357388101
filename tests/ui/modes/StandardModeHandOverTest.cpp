// The basic mode handing over to the advanced and multi-scan tabs and taking the advanced
// mode's source and preview state back, read only through the scan-mode base.

#include <gtest/gtest.h>

#include "StandardModeToolbarRig.h"
#include "ui/controls/CTRLS_ImageSourcePopup.h"
#include "ui/controls/CTRLS_Preview.h"

namespace {

using modes_test::PostLog;
using std_actions_rig::AdvancedStandIn;
using std_actions_rig::StdActionsRig;

const std::vector<std::string> kHandOverNames{Quirel_PostNotification::kOverrideNotification};

}  // namespace

TEST(StandardModeHandOver, FromTheFeederTheSourceIsTenWhereOfferedElseEight) {
  struct Case {
    const char* name;
    fnd::Array sources;
    int sourceNumber;
    int expected;
  };
  const Case cases[] = {
      {"ten offered", fnd::Array{0, 6, 8, 10}, 6, 10},
      {"only six and eight", fnd::Array{0, 6, 8}, 6, 8},
      {"source five never takes ten", fnd::Array{0, 6, 8, 10}, 5, 8},
      {"only six", fnd::Array{0, 6}, 6, 6},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    StdActionsRig rig(c.sources);
    modes_test::RecordFiller filler;
    AdvancedStandIn advanced;
    advanced.mScanMode = 4;
    advanced.mHasPreview = true;
    advanced.focusFrame(c.sourceNumber, 0);
    PostLog log(kHandOverNames);
    rig.mode.setExtendModeData(&advanced);
    EXPECT_EQ(rig.mode.mScanMode, 4);
    EXPECT_EQ(rig.mode.getImageSource(), c.expected);
    EXPECT_EQ(rig.mode.getImgSrcPopup()->getRepresentedNumber(), c.expected);
    EXPECT_EQ(log.count("Preview_Scan"), 1);
    EXPECT_FALSE(rig.mode.getRedrawPreview());
  }
}

TEST(StandardModeHandOver, PlatenPreviewComesBackOnlyForTheWholePlaten) {
  for (int paperSize : {0, 5}) {
    SCOPED_TRACE(paperSize);
    StdActionsRig rig;
    modes_test::RecordFiller filler;
    AdvancedStandIn advanced;
    advanced.mScanMode = 0;
    advanced.mHasPreview = true;
    advanced.focusFrame(0, paperSize);
    PostLog log(kHandOverNames);
    rig.mode.setExtendModeData(&advanced);
    EXPECT_EQ(rig.mode.mScanMode, 0);
    EXPECT_TRUE(rig.mode.mCropList.empty());
    if (paperSize == 0) {
      EXPECT_EQ(log.count("Preview_Scan"), 1);
      EXPECT_TRUE(rig.mode.mHasPreview);
      // The platen preview makes no frames of its own.
      EXPECT_FALSE(rig.mode.getCreateFilmCrop());
    } else {
      EXPECT_EQ(log.count("Preview_Scan"), 0);
      EXPECT_FALSE(rig.mode.mHasPreview);
    }
  }
}

TEST(StandardModeHandOver, FilmThumbnailsWithoutAPreviewRequestNothing) {
  StdActionsRig rig;
  modes_test::RecordFiller filler;
  AdvancedStandIn advanced;
  advanced.mScanMode = 3;
  advanced.mFilmThumbnail = true;
  advanced.focusFrame(1, 0);
  advanced.addThumbnail(100, 100, true);
  advanced.addThumbnail(100, 100, true);
  PostLog log(kHandOverNames);
  rig.mode.setExtendModeData(&advanced);
  EXPECT_EQ(log.count("Preview_Scan"), 0);
  EXPECT_FALSE(rig.mode.mTabChanging);
  EXPECT_FALSE(rig.mode.mHasPreview);
  EXPECT_FALSE(rig.mode.mHasNonThumPreview);
  EXPECT_EQ(rig.mode.mScanMode, 3);
  EXPECT_EQ(rig.mode.getImageSource(), 4);  // source number 1 comes back as 4
  EXPECT_EQ(rig.mode.mThumbnailCount, 2);
}

TEST(StandardModeHandOver, ThumbnailsWithAPreviewMarkTheTabChangingAndAskForFrames) {
  StdActionsRig rig;
  modes_test::RecordFiller filler;
  AdvancedStandIn advanced;
  advanced.mScanMode = 3;
  advanced.mHasPreview = true;
  advanced.focusFrame(2, 0);
  PostLog log(kHandOverNames);
  rig.mode.setExtendModeData(&advanced);
  EXPECT_EQ(log.count("Preview_Scan"), 1);
  EXPECT_TRUE(rig.mode.mTabChanging);
  EXPECT_TRUE(rig.mode.getCreateFilmCrop());
  EXPECT_EQ(rig.mode.getImageSource(), 5);
}

TEST(StandardModeHandOver, ARequestThatCannotGoOutLeavesTheTabNotChanging) {
  StdActionsRig rig;
  modes_test::RecordFiller filler;
  filler.refuse = true;
  AdvancedStandIn advanced;
  advanced.mScanMode = 1;
  advanced.mHasPreview = true;
  rig.mode.setExtendModeData(&advanced);
  EXPECT_FALSE(rig.mode.mTabChanging);
  EXPECT_EQ(rig.mode.mWindowMaskView, nullptr);
}

TEST(StandardModeHandOver, TheSevenNoticeFlagsAndTheDataSizeFollowTheAdvancedMode) {
  StdActionsRig rig;
  AdvancedStandIn advanced;
  advanced.mBookCorrectMsg = false;
  advanced.mClearThumbnailMsg = true;
  advanced.mLargePicMsg = false;
  advanced.mColorBitMsg = true;
  advanced.mFavoriteMsg = false;
  advanced.mToneSettingMsg = true;
  advanced.mColorModeAndDataFormatMsg = false;
  advanced.mPreviewDataSize = {1200, 900};
  rig.mode.mClearThumbnailMsg = false;
  rig.mode.setExtendModeData(&advanced);
  EXPECT_FALSE(rig.mode.showBookCorrectMsg());
  EXPECT_TRUE(rig.mode.showClearThumbnailMsg());
  EXPECT_FALSE(rig.mode.showLargePixelMsg());
  EXPECT_TRUE(rig.mode.showBitEnableMsg());
  EXPECT_FALSE(rig.mode.showFavoriteDlgMsg());
  EXPECT_TRUE(rig.mode.showToneSettingDlgMsg());
  EXPECT_FALSE(rig.mode.showColorModeAndDataFormatMsg());
  EXPECT_EQ(rig.mode.getPreviewDataSize().width, 1200);
  EXPECT_EQ(rig.mode.getPreviewDataSize().height, 900);
}

TEST(StandardModeHandOver, LeavingForTheAdvancedModeEmptiesTheModeAndAnswersYes) {
  StdActionsRig rig;
  rig.addFrame(true);
  rig.addFrame(false);
  rig.mode.mHasPreview = true;
  rig.mode.mTemplateCrop->setRemoveDust(3);
  EXPECT_TRUE(rig.mode.willChangeToExtendMode());
  EXPECT_TRUE(rig.mode.mCropList.empty());
  EXPECT_FALSE(rig.mode.mHasPreview);
  EXPECT_EQ(rig.mode.mTemplateCrop->getRemoveDust(), 0);
  EXPECT_TRUE(rig.mode.mPreview->isHidden());
}

TEST(StandardModeHandOver, LeavingForMultiScanResetsTheTemplateOnlyFromVersion15) {
  for (int version : {1400, 1500}) {
    SCOPED_TRACE(version);
    StdActionsRig rig(fnd::Array{0, 1, 4, 5, 6, 8, 10}, version);
    rig.addFrame(true);
    rig.mode.mTemplateCrop->setResolution(1200);
    EXPECT_TRUE(rig.mode.willChangeToMultiScanMode());
    if (version >= 1500) {
      EXPECT_NE(rig.mode.mTemplateCrop->getResolution(), 1200);
      EXPECT_TRUE(rig.mode.mCropList.empty());
    } else {
      EXPECT_EQ(rig.mode.mTemplateCrop->getResolution(), 1200);
      EXPECT_EQ(rig.mode.mCropList.size(), 1u);
    }
    EXPECT_TRUE(rig.mode.mPreview->isHidden());
  }
}

TEST(StandardModeHandOver, TheRotationIsTheBasesOwn) {
  StdActionsRig rig;
  rig.mode.rotateToRight();
  EXPECT_EQ(rig.mode.getRotation(), 3);  // a quarter turn right is three to the left
  rig.mode.rotateToLeft();
  rig.mode.rotateToLeft();
  EXPECT_EQ(rig.mode.getRotation(), 1);
}
