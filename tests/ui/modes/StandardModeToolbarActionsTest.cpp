// The basic mode's toolbar buttons through their own controls: deletion of frames (and the
// Delete key), the scan-information panel, the thumbnail switches, select all, help and the
// automatic crop.

#include <gtest/gtest.h>

#include <filesystem>
#include <iostream>

#include "StandardModeToolbarRig.h"
#include "foundation/Bundle.h"
#include "kit/Event.h"
#include "ui/base/PVLocalizedBundle.h"
#include "ui/base/PVLocalizedString.h"
#include "ui/controls/CTRLS_NextThumbnailButton.h"
#include "ui/controls/CTRLS_Preview.h"
#include "ui/controls/CTRLS_TOOLThumbnailButton.h"
#include "ui/controls/InfoDlgPanel.h"
#include "ui/controls/PreviewView.h"
#include "ui/controls/ToolButton.h"
#include "ui/settings/InfoDialog.h"
#include "ui/windows/DisplayManager.h"

namespace {

using modes_test::PostLog;
using std_actions_rig::StdActionsRig;

void clickTool(StdActionsRig& rig, const char* post) {
  Quirel_ToolButton* button = rig.mode.getToolButton(post);
  ASSERT_NE(button, nullptr) << post;
  button->sendAction();
}

void pressDelete(StdActionsRig& rig) {
  rig.mode.getPreviewView()->getImageView()->keyDown(
      kit::Event::keyEvent(kit::EventType::KeyDown, std::string(1, '\x7f'), 0, nullptr));
}

fnd::Dictionary toolFilmRect(double x, double y, double w, double h) {
  return fnd::Dictionary{{"X", x}, {"Y", y}, {"W", w}, {"H", h}};
}

}  // namespace

// ---- Deletion -------------------------------------------------------------------------------

TEST(StandardModeToolbarActions, DeletingTwoOfThreeSelectedLeavesTheThirdFocused) {
  for (bool byKey : {false, true}) {
    SCOPED_TRACE(byKey ? "Delete key" : "button");
    StdActionsRig rig;
    Quirel_CropInfo* a = rig.addFrame(false, true);
    Quirel_CropInfo* b = rig.addFrame(false, false);
    Quirel_CropInfo* c = rig.addFrame(true, true);
    ASSERT_NE(a, c);
    b->setSelect(false);
    byKey ? pressDelete(rig) : clickTool(rig, "ToolDeleteCropButtonPost");
    ASSERT_EQ(rig.mode.mCropList.size(), 1u);
    EXPECT_EQ(rig.mode.mCropList[0].get(), b);
    EXPECT_TRUE(b->isSelected());
    EXPECT_TRUE(b->isFocus());
  }
}

TEST(StandardModeToolbarActions, DeletingEveryPlatenFrameKeepsTheFocusSettingsOrItsNamedSize) {
  for (bool named : {false, true}) {
    SCOPED_TRACE(named ? "named size" : "free size");
    StdActionsRig rig;
    int size = 0;
    if (named) {
      const std::vector<int> used{1, 2, 3};
      for (int n : used)
        if (!size && rig.mode.getOutputSizeObject(n)) size = n;
      ASSERT_GT(size, 0);
    }
    rig.addFrame(false);
    Quirel_CropInfo* focus = rig.addFrame(true, true, size);
    focus->setResolution(600);
    focus->setRemoveDust(3);
    clickTool(rig, "ToolDeleteCropButtonPost");
    if (named) {
      ASSERT_EQ(rig.mode.mCropList.size(), 1u);
      EXPECT_EQ(rig.mode.mCropList[0]->getOutputSize(), size);
      EXPECT_EQ(rig.mode.mCropList[0]->getRemoveDust(), 3);
      EXPECT_TRUE(rig.mode.mCropList[0]->isFocus());
    } else {
      EXPECT_TRUE(rig.mode.mCropList.empty());
      EXPECT_EQ(rig.mode.mTemplateCrop->getResolution(), 600);
      EXPECT_EQ(rig.mode.mTemplateCrop->getRemoveDust(), 3);
    }
  }
}

// In film mode the kept frame goes to the first default film position; a film size whose list
// of default frames is empty has no such position and takes the platen's way.
TEST(StandardModeToolbarActions, DeletingEveryFilmFrameUsesTheFirstDefaultPositionWhenThereIsOne) {
  for (bool emptyClass : {false, true}) {
    SCOPED_TRACE(emptyClass ? "empty film class" : "default frames");
    StdActionsRig rig;
    rig.mode.mScanMode = 2;
    rig.mode.mHasPreview = true;
    rig.mode.addDefaultFilmSizeRects(
        21, emptyClass ? fnd::Array{} : fnd::Array{toolFilmRect(30, 40, 300, 200), toolFilmRect(30, 300, 300, 200)});
    rig.addFrame(false);
    Quirel_CropInfo* focus = rig.addFrame(true);
    focus->setPaperSize(21);
    focus->setRemoveDust(3);
    clickTool(rig, "ToolDeleteCropButtonPost");
    if (emptyClass) {
      EXPECT_TRUE(rig.mode.mCropList.empty());
      EXPECT_EQ(rig.mode.mTemplateCrop->getRemoveDust(), 3);
      continue;
    }
    ASSERT_EQ(rig.mode.mCropList.size(), 1u);
    const Quirel_CropInfo& made = *rig.mode.mCropList[0];
    EXPECT_EQ(made.getRemoveDust(), 3);
    EXPECT_TRUE(made.isFocus());
    EXPECT_DOUBLE_EQ(made.getInputRect_Pixel96().size.width, 300);
    EXPECT_DOUBLE_EQ(made.getInputRect_Pixel96().size.height, 200);
  }
}

TEST(StandardModeToolbarActions, DeletionDoesNothingInThumbnailModesOrWithoutASelection) {
  struct Case {
    const char* name;
    int scanMode;
    bool selected;
  };
  const Case cases[] = {{"platen thumbnails", 1, true}, {"film thumbnails", 3, true}, {"nothing selected", 0, false}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    StdActionsRig rig;
    rig.addFrame(true, c.selected);
    rig.mode.mScanMode = c.scanMode;
    rig.mode.deleteCrops();
    pressDelete(rig);
    EXPECT_EQ(rig.mode.mCropList.size(), 1u);
  }
}

// ---- Scan information -----------------------------------------------------------------------

TEST(StandardModeToolbarActions, TheInfoButtonTogglesThePanelCentredOnlyTheFirstTime) {
  // The program's texts for the panel, as the data source answers the question for them.
  fnd::NotificationCenter::Token texts = fnd::NotificationCenter::defaultCenter().observe(
      Quirel_PVLocalizedBundle::kLocalizePostName, nullptr, [](const fnd::Notification& n) {
        if (auto carrier = Quirel_PVLocalizedBundle::fromLocalizeRequest(n))
          carrier->setLocalizedBundleStr(fnd::Bundle::main().identifier());
      });
  for (double screenX : {0.0, 1920.0}) {
    SCOPED_TRACE(screenX);
    StdActionsRig rig;
    const fnd::Rect visible(screenX, 40, 1600, 1000);
    rig.mode.setDisplayManager(Quirel_DisplayManager(fnd::Rect(screenX, 0, 1600, 1080), visible));
    rig.mode.setInterfaceInfo(std::string("USB"));
    rig.mode.initModelessDialogs();
    Quirel_InfoDialog* info = rig.mode.getInfoDialog();
    ASSERT_NE(info, nullptr);
    ASSERT_FALSE(info->isVisible());
    clickTool(rig, "ToolScanInfoButtonPost");
    ASSERT_TRUE(info->isVisible());
    const fnd::Rect frame = info->getWindow()->frame();
    EXPECT_DOUBLE_EQ(frame.origin.x, screenX + std::floor((1600 - frame.size.width) / 2));
    EXPECT_DOUBLE_EQ(frame.origin.y, 40 + std::floor((1000 - frame.size.height) / 2));
    if (screenX == 0) {
      const std::string png = (std::filesystem::current_path() / "standard_mode_scan_information.png").string();
      std::filesystem::remove(png);
      EXPECT_TRUE(info->getWindow()->grabToPng(png));
      std::cout << "gallery: " << png << "\n";
    }
    clickTool(rig, "ToolScanInfoButtonPost");
    EXPECT_FALSE(info->isVisible());
    // Moved by the user: the second opening leaves it there.
    info->getWindow()->setFrameOrigin({screenX + 10, 60});
    clickTool(rig, "ToolScanInfoButtonPost");
    EXPECT_TRUE(info->isVisible());
    EXPECT_DOUBLE_EQ(info->getWindow()->frame().origin.x, screenX + 10);
    // After the dialogs are set up again it is centred once more.
    rig.mode.initModelessDialogs();
    EXPECT_FALSE(info->isVisible());
    clickTool(rig, "ToolScanInfoButtonPost");
    EXPECT_DOUBLE_EQ(info->getWindow()->frame().origin.x,
                     screenX + std::floor((1600 - info->getWindow()->frame().size.width) / 2));
    info->closeScanInfoDialog();
  }
}

// ---- Thumbnail switches ---------------------------------------------------------------------

TEST(StandardModeToolbarActions, PlatenThumbnailSwitchWithoutAPreviewOnlyChangesThePresentation) {
  StdActionsRig rig(fnd::Array{0, 1, 4, 5, 6, 8, 10}, 1700, fnd::Dictionary{{"PlatenThumbnail", true}});
  ASSERT_NE(rig.mode.getPlatenThumbnailButton(), nullptr);
  modes_test::RecordFiller filler;
  rig.addFrame(true);
  PostLog log({Quirel_PostNotification::kOverrideNotification});
  rig.mode.getPlatenThumbnailButton()->ThumbnailBTAction();
  EXPECT_EQ(rig.mode.mScanMode, 1);
  EXPECT_TRUE(rig.mode.mPlatenThumbnail);
  EXPECT_TRUE(rig.mode.mCropList.empty());
  EXPECT_FALSE(rig.mode.mChangeThumbnailMode);
  EXPECT_EQ(log.count("Preview_Scan"), 0);
  rig.mode.getPlatenThumbnailButton()->ThumbnailBTAction();
  EXPECT_EQ(rig.mode.mScanMode, 0);
  EXPECT_FALSE(rig.mode.mPlatenThumbnail);
}

TEST(StandardModeToolbarActions, PlatenThumbnailSwitchWithAPreviewDisablesTheWindowAndAsksForFrames) {
  StdActionsRig rig(fnd::Array{0, 1, 4, 5, 6, 8, 10}, 1700, fnd::Dictionary{{"PlatenThumbnail", true}});
  modes_test::RecordFiller filler;
  rig.addFrame(true);
  rig.mode.mHasPreview = true;
  PostLog log({Quirel_PostNotification::kOverrideNotification});
  rig.mode.getPlatenThumbnailButton()->ThumbnailBTAction();
  EXPECT_EQ(rig.mode.mScanMode, 1);
  EXPECT_EQ(log.count("Preview_Scan"), 1);
  EXPECT_TRUE(rig.mode.getCreateFilmCrop());
  EXPECT_TRUE(rig.mode.getRedrawPreview());
  EXPECT_TRUE(rig.mode.mChangeThumbnailMode);
  EXPECT_NE(rig.mode.mWindowMaskView, nullptr);
}

TEST(StandardModeToolbarActions, FilmThumbnailSwitchWithoutAPreviewTakesTheFilmHolderSize) {
  StdActionsRig rig;
  rig.mode.mScanMode = 2;
  rig.mode.mTemplateCrop->setPaperSize(3);
  rig.mode.getFilmThumbnailButton()->ThumbnailBTAction();
  EXPECT_EQ(rig.mode.mScanMode, 3);
  EXPECT_TRUE(rig.mode.mFilmThumbnail);
  EXPECT_EQ(rig.mode.mTemplateCrop->getPaperSize(), 21);
  EXPECT_FALSE(rig.mode.mChangeThumbnailMode);
  rig.mode.getFilmThumbnailButton()->ThumbnailBTAction();
  EXPECT_EQ(rig.mode.mScanMode, 2);
  EXPECT_FALSE(rig.mode.mFilmThumbnail);
}

// ---- Select all, help, automatic crop, turns ------------------------------------------------

TEST(StandardModeToolbarActions, SelectAllSkipsZoomScanAndThumbnailsThatAreAllSelectedAnyway) {
  struct Case {
    const char* name;
    int scanMode;
    bool zoomScan, selectAllThumbnail, selects;
  };
  const Case cases[] = {{"platen", 0, false, true, true},
                        {"zoom scan", 0, true, true, false},
                        {"thumbnails, all selected by rule", 1, false, true, false},
                        {"thumbnails, free selection", 1, false, false, true}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    StdActionsRig rig;
    Quirel_CropInfo* crop = rig.addFrame(false, false);
    auto thumbnail = std::make_shared<Quirel_ThumbnailInfo>(0);
    auto thumbCrop = std::make_shared<Quirel_CropInfo>();
    thumbnail->setCropInfo(thumbCrop);
    rig.mode.mThumbnailList.push_back(thumbnail);
    rig.mode.mScanMode = c.scanMode;
    rig.mode.mZoomScan = c.zoomScan;
    rig.mode.mSelectAllThumbnail = c.selectAllThumbnail;
    rig.mode.selectAll();
    const bool selected = c.scanMode == 1 ? thumbCrop->isSelected() : crop->isSelected();
    EXPECT_EQ(selected, c.selects);
  }
}

TEST(StandardModeToolbarActions, HelpTellsTheOutsideFirstOnNewerModels) {
  for (int version : {1600, 1700}) {
    SCOPED_TRACE(version);
    StdActionsRig rig(fnd::Array{0, 1, 4, 5, 6, 8, 10}, version);
    PostLog log({Quirel_PostNotification::kOverrideNotification, "OpenHelpBookPost"});
    clickTool(rig, "ToolHelpButtonPost");
    const PostLog::Post* open = log.find("OpenHelpBookPost");
    ASSERT_NE(open, nullptr);
    EXPECT_EQ(open->info.intValue("HelpMode"), 1);
    const PostLog::Post* outside = log.find("setALMUserInterfaceData");
    if (version >= 1700) {
      ASSERT_NE(outside, nullptr);
      EXPECT_EQ(outside->info.intValue("HELP"), 1);
      EXPECT_EQ(outside->sender, &rig.controller);
      EXPECT_LT(outside - log.posts.data(), open - log.posts.data());
    } else {
      EXPECT_EQ(outside, nullptr);
    }
  }
}

TEST(StandardModeToolbarActions, AutoCropAsksTheWindowControllerWithTheModeAsSender) {
  StdActionsRig rig;
  rig.addFrame(true);
  PostLog log({"reDrawCropbyAutoCropButtonPost"});
  clickTool(rig, "ToolAutoCropButtonPost");
  ASSERT_EQ(log.posts.size(), 1u);
  EXPECT_EQ(log.posts[0].sender, static_cast<const void*>(static_cast<Quirel_StandardMode*>(&rig.mode)));
}

TEST(StandardModeToolbarActions, TurnAndMirrorButtonsReachTheBase) {
  StdActionsRig rig;
  clickTool(rig, "ToolLeftRotateButtonPost");
  EXPECT_EQ(rig.mode.getRotation(), 1);
  clickTool(rig, "ToolRightRotateButtonPost");
  EXPECT_EQ(rig.mode.getRotation(), 0);
  clickTool(rig, "ToolMirrorButtonPost");
  EXPECT_TRUE(rig.mode.getMirror());
}

TEST(StandardModeToolbarActions, CheckAllButtonsTickAndUntickEveryThumbnail) {
  StdActionsRig rig;
  rig.mode.mScanMode = 1;
  for (int i = 0; i < 2; ++i) {
    auto thumbnail = std::make_shared<Quirel_ThumbnailInfo>(i);
    thumbnail->setCropInfo(std::make_shared<Quirel_CropInfo>());
    rig.mode.mThumbnailList.push_back(thumbnail);
  }
  clickTool(rig, "ToolAllCheckButtonPost");
  EXPECT_EQ(rig.mode.getCheckedThumbnailCount(), 2);
  clickTool(rig, "ToolAllCheckResetButtonPost");
  EXPECT_EQ(rig.mode.getCheckedThumbnailCount(), 0);
}
