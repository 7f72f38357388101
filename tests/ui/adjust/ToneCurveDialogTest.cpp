// The floating tone-curve dialog with real crops and its real graph: presets chosen through
// the pop-ups (answered as a user would), points set with real mouse events on the graph,
// Reset, the move cursor, the edit-state answers, and pictures of the dialog.

#include <gtest/gtest.h>

#include <iostream>
#include <memory>
#include <string>
#include <vector>

#include "AdjustTestSupport.h"
#include "kit/Cursor.h"
#include "kit/Menu.h"
#include "ui/adjust/GraphFrameView.h"
#include "ui/adjust/ToneCurveDialog.h"
#include "ui/adjust/ToneCurveGraphView.h"
#include "ui/controls/CTRLS_ToneCurvePopup.h"
#include "ui/controls/ImageDataProcessPanel.h"
#include "ui/controls/NoFocusButton.h"
#include "ui/controls/NoFocusPopUpButton.h"

using adjust_test::Posts;

namespace {

const std::vector<std::string> kCurveDialogPosts = {"FINALREVIEW_UPDATE", "DialogValueChangePost",
                                                    "remakeCropFromCorrectionDlgPost", "drawHistgram"};

struct CurveDialogBench {
  explicit CurveDialogBench(CropList cropList, bool v1700 = true, bool v1400 = true)
      : list(std::move(cropList)), info(adjust_test::scanner(v1400, true, v1700)) {
    dialog = std::make_unique<Quirel_ToneCurveDialog>(&list, &templateCrop, info.get(), nullptr);
    dialog->createToneCurveDialog(fnd::Size(220, 400));
    dialog->setColorMode(3);
    dialog->updateToneCurveDialog(&list, &templateCrop);
    dialog->getWindow()->makeKeyAndOrderFront();
  }
  ~CurveDialogBench() { dialog->getWindow()->orderOut(); }

  void choose(Quirel_CTRLS_ToneCurvePopup* popup, int index) {
    kit::Menu::onNextPopUp([index](kit::Menu&) { return index; });
    popup->getPopupBT()->performClick();
  }
  // A mouse event on the graph at a point of the graph's own space.
  void mouse(kit::EventType type, double x, double y, unsigned flags = 0) {
    const fnd::Point at = dialog->graphView()->convertPointToView(fnd::Point(x, y), nullptr);
    adjust_test::app().postEvent(kit::Event::mouseEvent(type, at, flags, dialog->getWindow(), 1));
    adjust_test::dispatch();
  }
  const ToneCurveValues& curve(int i) { return list[i]->getToneCurve(); }

  adjust_test::TextsAnswer texts;
  CropList list;
  Quirel_CropInfo templateCrop;
  std::unique_ptr<Quirel_UIScannerInfo> info;
  std::unique_ptr<Quirel_ToneCurveDialog> dialog;
};

void grabCurveDialog(Quirel_ToneCurveDialog& dialog, const char* name) {
  Quirel_ImageDataProcessPanel& panel = *dialog.getWindow();
  panel.orderFront();
  panel.contentView()->display();
  const std::string png = adjust_test::pngPath(name);
  EXPECT_TRUE(panel.grabToPng(png));
  std::cout << "gallery: " << png << "\n";
}

}  // namespace

TEST(ToneCurveDialog, ChoosingCustomCopiesTheGraphsPointsOfEveryChannelFirst) {
  CurveDialogBench b(adjust_test::crops(3, {0, 2}, 0));
  TagPoint points[4][15]{};
  int counts[4];
  for (int c = 0; c < 4; ++c) {
    points[c][0] = {0, 0};
    points[c][1] = {255, 255};
    points[c][2] = {40 + 10 * c, 90};
    counts[c] = 3;
  }
  b.dialog->graphView()->setUserCurvePoint(&points[0][0]);
  b.dialog->graphView()->setUserCurveCount(counts);
  Posts posts(kCurveDialogPosts);
  b.choose(b.dialog->presetPopup(), 5);
  for (int crop : {0, 2})
    for (int c = 0; c < 4; ++c) {
      EXPECT_EQ(b.curve(crop).setPointCount[c], 3) << crop;
      EXPECT_EQ(b.curve(crop).setPoint[c][2].h, 40 + 10 * c) << crop;
    }
  EXPECT_EQ(b.curve(0).selectToneCurve.master, 5);
  EXPECT_EQ(b.curve(0).selectToneCurve.red, 0);
  EXPECT_NE(b.curve(1).setPointCount[0], 3);  // not selected: untouched
  EXPECT_EQ(b.curve(1).selectToneCurve.master, 0);
  EXPECT_EQ(posts.seen, (std::vector<std::string>{"DialogValueChangePost", "FINALREVIEW_UPDATE",
                                                  "remakeCropFromCorrectionDlgPost", "drawHistgram"}));
  EXPECT_EQ(b.dialog->toneCurveSelect(), 5);
}

TEST(ToneCurveDialog, APointAddedOnAPresetWritesCustomAtOnceAndThePointsAtRelease) {
  CurveDialogBench b(adjust_test::crops(2, {0, 1}, 1));
  b.choose(b.dialog->presetPopup(), 1);  // over-exposure for the master channel
  EXPECT_EQ(b.curve(0).selectToneCurve.master, 1);
  Posts posts({"SET_CUSTOM_POINT", "CustumCurveSet", "DialogValueChangePost", "FINALREVIEW_UPDATE"});
  b.mouse(kit::EventType::LeftMouseDown, 130, 40);
  EXPECT_EQ(b.dialog->presetPopup()->getRepresentedNumber(), 5);
  for (int crop : {0, 1}) {
    EXPECT_EQ(b.curve(crop).selectToneCurve.master, 5);
    EXPECT_NE(b.curve(crop).setPointCount[0], 5);  // points wait for the release
  }
  b.mouse(kit::EventType::LeftMouseDragged, 120, 50);
  b.mouse(kit::EventType::LeftMouseUp, 120, 50);
  for (int crop : {0, 1}) {
    ASSERT_EQ(b.curve(crop).setPointCount[0], 5);
    EXPECT_EQ(b.curve(crop).setPoint[0][2].h, 30);  // the preset's points come first
    EXPECT_EQ(b.curve(crop).setPoint[0][3].v, 195);
    EXPECT_EQ(b.curve(crop).setPoint[0][4].h, 204);
    EXPECT_EQ(b.curve(crop).setPoint[0][4].v, 85);
    EXPECT_EQ(b.curve(crop).squarePoint[0][2].h, 15);  // the preset's marker corners
    EXPECT_EQ(b.curve(crop).squarePoint[0][3].v, 112);
    EXPECT_EQ(b.curve(crop).squarePoint[0][4].h, 118);  // the new point's, centred on it
    EXPECT_EQ(b.curve(crop).squarePoint[0][4].v, 48);
  }
  // The dialog answers each graph post inside it, before this recorder hears the post itself.
  EXPECT_EQ(posts.seen, (std::vector<std::string>{"DialogValueChangePost", "SET_CUSTOM_POINT", "FINALREVIEW_UPDATE",
                                                  "DialogValueChangePost", "CustumCurveSet"}));
  grabCurveDialog(*b.dialog, "adjust-tonecurve-master.png");
}

TEST(ToneCurveDialog, SelectedCropsAreWrittenLastToFirstAndTheGraphShowsTheFirst) {
  CropList list = adjust_test::crops(4, {0, 1, 3}, 0);
  const int reds[4] = {1, 2, 3, 4};
  for (int i = 0; i < 4; ++i) {
    ToneCurveValues v = Quirel_ToneCurveDialog::defaultToneCurve();
    v.selectToneCurve.red = reds[i];
    list[i]->setToneCurve(v);
  }
  CurveDialogBench b(std::move(list));
  b.choose(b.dialog->presetPopup(), 3);
  for (int i : {0, 1, 3}) EXPECT_EQ(b.curve(i).selectToneCurve.master, 3);
  EXPECT_EQ(b.curve(2).selectToneCurve.master, 0);
  EXPECT_EQ(b.dialog->graphView()->editor().toneSelect().red, 1);  // crop 0's, written last
  EXPECT_EQ(b.dialog->graphView()->editor().toneSelect().master, 3);

  // None selected: nothing changes, not even the template crop.
  CurveDialogBench none(adjust_test::crops(2, {}, 0));
  none.choose(none.dialog->presetPopup(), 4);
  EXPECT_EQ(none.curve(0).selectToneCurve.master, 0);
  EXPECT_EQ(none.curve(1).selectToneCurve.master, 0);
  EXPECT_EQ(none.templateCrop.getToneCurve().selectToneCurve.master, 0);
}

TEST(ToneCurveDialog, ReChoosingTheStoredPresetPostsNoValueChangeFromVersion17) {
  struct Case {
    bool v1700;
    int preset;
    std::size_t valueChanges;
  } cases[] = {{true, 0, 0}, {true, 2, 1}, {false, 0, 1}, {false, 2, 1}};
  for (const Case& c : cases) {
    CurveDialogBench b(adjust_test::crops(1, {0}, 0), c.v1700);
    Posts posts({"DialogValueChangePost"});
    b.choose(b.dialog->presetPopup(), c.preset);
    EXPECT_EQ(posts.seen.size(), c.valueChanges) << c.v1700 << "/" << c.preset;
  }
}

TEST(ToneCurveDialog, ResetPostsOnlyWhenACropChangedAndTheTemplateServesWithoutCrops) {
  CurveDialogBench fresh(adjust_test::crops(2, {0, 1}, 0));
  for (int i = 0; i < 2; ++i) fresh.list[i]->setToneCurve(Quirel_ToneCurveDialog::defaultToneCurve());
  Posts posts(kCurveDialogPosts);
  fresh.dialog->resetButton()->performClick();
  EXPECT_TRUE(posts.seen.empty());

  CurveDialogBench empty(CropList{});
  empty.choose(empty.dialog->channelPopup(), 2);  // green
  empty.choose(empty.dialog->presetPopup(), 4);
  EXPECT_EQ(empty.templateCrop.getToneCurve().selectToneCurve.green, 4);
  EXPECT_EQ(empty.templateCrop.getToneCurve().selectToneCurve.master, 0);
  posts.clear();
  empty.dialog->resetButton()->performClick();
  EXPECT_EQ(posts.seen, (std::vector<std::string>{"DialogValueChangePost", "FINALREVIEW_UPDATE",
                                                  "remakeCropFromCorrectionDlgPost", "drawHistgram"}));
  EXPECT_EQ(empty.templateCrop.getToneCurve().selectToneCurve.green, 0);
  EXPECT_EQ(empty.templateCrop.getToneCurve().setPointCount[2], 2);
  EXPECT_EQ(empty.templateCrop.getToneCurve().squarePoint[2][1].h, 145);
  EXPECT_EQ(empty.dialog->channelPopup()->selected(), 0);
}

TEST(ToneCurveDialog, GrayModesOfferOnlyGrayAndTheRedViewShowsThreeCurves) {
  CurveDialogBench b(adjust_test::crops(1, {0}, 0));
  b.choose(b.dialog->channelPopup(), 1);
  EXPECT_EQ(b.dialog->getSelectChanel(), 1);
  b.choose(b.dialog->presetPopup(), 1);
  EXPECT_EQ(b.curve(0).selectToneCurve.red, 1);
  b.mouse(kit::EventType::LeftMouseDown, 100, 30);
  b.mouse(kit::EventType::LeftMouseUp, 100, 30);
  EXPECT_EQ(b.curve(0).selectToneCurve.red, 5);
  EXPECT_EQ(b.curve(0).setPointCount[1], 5);
  grabCurveDialog(*b.dialog, "adjust-tonecurve-red.png");

  b.dialog->setColorMode(1);
  auto* popup = b.dialog->channelPopup()->getPopupBT();
  ASSERT_EQ(popup->numberOfItems(), 1);
  EXPECT_EQ(popup->itemTitleAtIndex(0), "Gray");
  b.dialog->updateToneCurveDialog(&b.list, &b.templateCrop);
  EXPECT_EQ(b.dialog->getSelectChanel(), 0);
  EXPECT_EQ(b.dialog->presetPopup()->getRepresentedNumber(), 0);
}

TEST(ToneCurveDialog, TheMoveCursorShowsNearAPointOfTheShownChannel) {
  CurveDialogBench b(adjust_test::crops(1, {0}, 0));
  kit::Cursor::arrow().set();
  kit::Event entered = kit::Event::mouseEvent(kit::EventType::MouseMoved, {0, 0}, 0, b.dialog->getWindow(), 0);
  b.dialog->graphView()->mouseEntered(entered);
  ASSERT_TRUE(b.dialog->graphView()->isEnterdInGraph());
  b.mouse(kit::EventType::MouseMoved, 149, 100);  // h 253: the (255, 255) end
  fnd::NotificationCenter::defaultCenter().post("FloatingPanelMouseMovedPost", nullptr);
  EXPECT_EQ(kit::Cursor::current().kind(), kit::Cursor::Kind::Custom);
  EXPECT_EQ(kit::Cursor::current().hotSpot(), fnd::Point(7, 7));
  b.mouse(kit::EventType::MouseMoved, 75, 100);
  fnd::NotificationCenter::defaultCenter().post("FloatingPanelMouseMovedPost", nullptr);
  EXPECT_EQ(kit::Cursor::current().kind(), kit::Cursor::Kind::Arrow);
}

TEST(ToneCurveDialog, FollowsTheOtherDialogsEditsAsAListenerOnly) {
  CurveDialogBench b(adjust_test::crops(1, {0}, 0));
  Posts posts({"TONEBC_MAKEKEY_FROM_CURVE", "HIST_MAKEKEY_FROM_CURVE", "TONEBC_VALUE_FIX_FROM_CURVE",
               "CONTROL_SET_YES", "MAIN_MAKEKEY_FROM_DLG", "HIST_REFLESH", "FINAL_REFLESH"});
  auto& centre = fnd::NotificationCenter::defaultCenter();
  centre.post("TONEBC_CHG_TO_DLG", nullptr);
  EXPECT_FALSE(b.dialog->closeOK());
  EXPECT_FALSE(b.dialog->resetButton()->downOnOff());
  kit::Window& panel = *b.dialog->getWindow();
  EXPECT_FALSE(b.dialog->windowShouldClose(panel));
  EXPECT_EQ(posts.seen,
            (std::vector<std::string>{"TONEBC_MAKEKEY_FROM_CURVE", "CONTROL_SET_YES", "MAIN_MAKEKEY_FROM_DLG"}));
  EXPECT_TRUE(b.dialog->windowShouldClose(panel));

  posts.clear();
  centre.post("TONEBC_VALUE_FIX", nullptr);
  centre.post("HIST_CHG_TO_DLG", nullptr);
  b.dialog->windowDidBecomeKey(panel);
  EXPECT_EQ(posts.seen, (std::vector<std::string>{"HIST_MAKEKEY_FROM_CURVE", "TONEBC_VALUE_FIX_FROM_CURVE",
                                                  "MAIN_MAKEKEY_FROM_DLG", "HIST_REFLESH", "FINAL_REFLESH"}));
  centre.post("CONTROL_YES", nullptr);
  EXPECT_TRUE(b.dialog->resetButton()->downOnOff());
  EXPECT_TRUE(b.dialog->closeOK());

  // The graph's frame is grey once, and the tooltips follow the enabled state.
  EXPECT_EQ(b.dialog->resetButton()->toolTip(), "Set every channel back to no correction");
  b.dialog->setEnabledAllControl(false);
  EXPECT_EQ(b.dialog->resetButton()->toolTip(), "");
  EXPECT_TRUE(b.dialog->hasDisabledView());
  b.dialog->setEnabledAllControl(true);
  EXPECT_FALSE(b.dialog->hasDisabledView());
}

TEST(ToneCurveDialog, OlderModelsGetTheOlderChannelNamesAndTheTitleView) {
  CurveDialogBench b(adjust_test::crops(1, {0}, 0), false, false);
  ASSERT_NE(b.dialog->windowTitleView(), nullptr);
  EXPECT_EQ(b.dialog->getWindow()->title(), "Tone Curve");
  auto* popup = b.dialog->channelPopup()->getPopupBT();
  ASSERT_EQ(popup->numberOfItems(), 4);
  EXPECT_EQ(popup->itemTitleAtIndex(1), "Red");
  EXPECT_EQ(b.dialog->presetPopup()->getPopupBT()->numberOfItems(), 6);
  EXPECT_TRUE(b.dialog->frameView()->toneCurveFrame());  // grey until first drawn
  CurveDialogBench newer(adjust_test::crops(1, {0}, 0));
  EXPECT_EQ(newer.dialog->windowTitleView(), nullptr);
}
