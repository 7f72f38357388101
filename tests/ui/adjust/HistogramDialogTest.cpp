// The histogram dialog driven as a user would: channel menu and colour modes, typed points
// left with Tab, Reset, marker drags with real pointer positions, eyedropper picks, and the
// settling of a pending value when the main window closes.

#include <gtest/gtest.h>

#include "AdjustTestSupport.h"
#include "ui/adjust/HistogramDialog.h"
#include "ui/controls/CTRLS_HistoChannelPopup.h"
#include "ui/controls/DlgImageView.h"
#include "ui/controls/ImageDataProcessPanel.h"
#include "ui/controls/NoFocusButton.h"
#include "ui/controls/NoFocusPopUpButton.h"
#include "ui/controls/NumberField.h"

using namespace adjust_test;
using Hist = Quirel_HistogramDialog;
using Marker = Hist::Marker;

namespace {

const std::vector<std::string> kHistPosts = {"DialogValueChangePost", "remakeCropFromCorrectionDlgPost",
                                             "FINALREVIEW_UPDATE",    "HIST_CHG_TO_DLG",
                                             "HIST_VALUE_FIX",        "HIST_FIX_TO_DLG",
                                             "SpoitToolStartPost",    "SpoitToolStopPost"};

class Histogram : public ::testing::Test {
 protected:
  void make(bool v1700, int mode = 3, bool hasPreview = true) {
    if (list.empty()) list = crops(3, {0, 2}, 0);
    info = scanner(true, true, v1700);
    dialog = std::make_unique<Hist>(&list, &templateCrop, hasPreview, info.get(), nullptr);
    dialog->setGraphView(std::make_unique<HistogramGraphDouble>(log));
    dialog->createHistoDialog(fnd::Size(220, 400));
    dialog->setColorMode(mode);
    dialog->updateHistDialog(&templateCrop, &list, hasPreview);
    dialog->getWindow()->setFrameOrigin(fnd::Point(100, 100));
    dialog->getWindow()->makeKeyAndOrderFront();
  }
  void TearDown() override {
    if (dialog) dialog->getWindow()->orderOut();
  }
  void type(Marker m, const std::string& text) {
    dialog->getWindow()->makeFirstResponder(dialog->field(m));
    dialog->field(m)->replaceText(text);
  }
  // The pointer moves to x (in the markers' frame) over the panel.
  void pointerAt(double x) {
    post(*dialog->getWindow(), kit::EventType::MouseMoved, fnd::Point(x + 10, 190));
    dispatch();
  }
  void markerPost(const char* what, const char* marker) {
    fnd::NotificationCenter::defaultCenter().post(std::string(what) + marker, dialog->marker(Marker::Black));
  }
  HistogramValues points(int i) { return list[static_cast<std::size_t>(i)]->getHistogram(); }

  TextsAnswer texts;
  Messages messages;
  CallLog log;
  CropList list;
  Quirel_CropInfo templateCrop;
  std::unique_ptr<Quirel_UIScannerInfo> info;
  std::unique_ptr<Hist> dialog;
};

}  // namespace

TEST_F(Histogram, AGrayModeOffersOneChannelAndChangesOnlyTheMaster) {
  make(false, 1);
  EXPECT_EQ(dialog->channelPopup()->getPopupBT()->numberOfItems(), 1);
  EXPECT_EQ(dialog->channelPopup()->getPopupBT()->titleOfSelectedItem(), "Gray");
  EXPECT_FALSE(dialog->spoitButton(3)->isEnabled());
  for (int i = 0; i < 3; ++i) EXPECT_TRUE(dialog->spoitButton(i)->isEnabled());
  EXPECT_TRUE(dialog->grayReadoutShown());
  EXPECT_FALSE(dialog->colorReadoutShown());
  type(Marker::Black, "20");
  EXPECT_TRUE(dialog->field(Marker::Black)->endEditing());
  for (int i : {0, 2}) {
    EXPECT_EQ(points(i).black.master, 20);
    EXPECT_EQ(points(i).black.red, 0);
    EXPECT_EQ(points(i).mid.master, 137);  // the mid follows: 20 + trunc(235 * 128/255)
  }
  EXPECT_EQ(points(1).black.master, 0);

  // Colour mode: four channels; without a preview no eyedropper works.
  dialog.reset();
  make(false, 3, false);
  EXPECT_EQ(dialog->channelPopup()->getPopupBT()->numberOfItems(), 4);
  for (int i = 0; i < 4; ++i) EXPECT_FALSE(dialog->spoitButton(i)->isEnabled());
  EXPECT_TRUE(dialog->colorReadoutShown());
}

TEST_F(Histogram, WhiteThreeHundredIsMarkedAtOnceAndRefusedOnLeaving) {
  make(false);
  Posts posts(kHistPosts);
  type(Marker::White, "300");
  EXPECT_EQ(posts.count("HIST_CHG_TO_DLG"), 2u);
  EXPECT_EQ(posts.count("HIST_VALUE_FIX"), 0u);
  EXPECT_TRUE(dialog->alertFlag(Marker::White));
  messages.expect();
  EXPECT_FALSE(dialog->field(Marker::White)->endEditing());
  ASSERT_EQ(messages.texts.size(), 1u);
  EXPECT_EQ(dialog->field(Marker::White)->stringValue(), "255");
  EXPECT_FALSE(dialog->alertFlag(Marker::White));
  EXPECT_EQ(points(0).white.master, 255);
}

TEST_F(Histogram, ResetValidatesAPendingBlackWithoutMovingThenSetsTheDefaults) {
  list = crops(3, {0, 2}, 0);
  for (auto& c : list) {
    c->setHistogram(HistogramValues{{10, 10, 10, 10}, {100, 100, 100, 100}, {240, 240, 240, 240}, {90, 90, 90, 90}});
    c->setHistogram_Channel(2);
  }
  make(false);
  type(Marker::Black, "40");
  double markerAtFix = -1;
  int blackAtFix = -1;
  auto probe = fnd::NotificationCenter::defaultCenter().observe("HIST_FIX_TO_DLG", nullptr, [&](const fnd::Notification&) {
    markerAtFix = dialog->marker(Marker::Black)->frame().origin.x;
    blackAtFix = points(0).black.master;
  });
  Posts posts(kHistPosts);
  click(*dialog->getWindow(), *dialog->resetButton());
  EXPECT_TRUE(messages.texts.empty());
  EXPECT_EQ(blackAtFix, 10);                                // validated, not written
  EXPECT_EQ(markerAtFix, Quirel_HistogramPointMath::markerX(10));  // not moved
  for (int i : {0, 2}) {
    const HistogramValues h = points(i);
    EXPECT_EQ(h.black.red, 0);
    EXPECT_EQ(h.mid.blue, 128);
    EXPECT_EQ(h.white.master, 255);
    EXPECT_EQ(h.gray.green, 128);
    EXPECT_EQ(list[static_cast<std::size_t>(i)]->getHistogram_Channel(), 0);
  }
  EXPECT_EQ(points(1).black.master, 10);
  EXPECT_EQ(dialog->field(Marker::Black)->stringValue(), "0");
  EXPECT_EQ(posts.count("remakeCropFromCorrectionDlgPost"), 1u);
  EXPECT_EQ(posts.seen.back(), "SpoitToolStopPost");
}

TEST_F(Histogram, OnNewerModelsACommitThatChangesNothingIsNotAnnounced) {
  make(true);
  Posts posts(kHistPosts);
  type(Marker::Black, "00");  // the same value, typed anew
  EXPECT_TRUE(dialog->field(Marker::Black)->endEditing());
  EXPECT_EQ(posts.count("DialogValueChangePost"), 0u);
  EXPECT_EQ(posts.count("remakeCropFromCorrectionDlgPost"), 0u);
  type(Marker::Black, "30");
  EXPECT_TRUE(dialog->field(Marker::Black)->endEditing());
  EXPECT_EQ(posts.count("DialogValueChangePost"), 1u);
  EXPECT_EQ(posts.count("remakeCropFromCorrectionDlgPost"), 1u);
}

TEST_F(Histogram, ACommitOnTheRedChannelWritesTheDialogsGrayPointIntoEverySelectedCrop) {
  list = crops(3, {0, 2}, 0);
  for (auto& c : list) {
    HistogramValues h = c->getHistogram();
    h.gray = ChannelValues{100, 90, 80, 70};
    c->setHistogram(h);
  }
  make(false);
  dialog->channelPopup()->select(1);
  dialog->popupBtnClick();
  type(Marker::Black, "30");
  EXPECT_TRUE(dialog->field(Marker::Black)->endEditing());
  for (int i : {0, 2}) {
    EXPECT_EQ(points(i).black.red, 30);
    EXPECT_EQ(points(i).black.master, 0);
    EXPECT_EQ(points(i).black.green, 0);
    EXPECT_EQ(points(i).gray.red, 128);  // kept as the dialogs have always done
    EXPECT_EQ(points(i).gray.master, 128);
  }
  EXPECT_EQ(points(1).gray.red, 90);
}

TEST_F(Histogram, AnEmptyWhiteFieldKeepsTheStoredWhiteWhenTheMainWindowCloses) {
  make(false);
  type(Marker::White, "2");
  dialog->field(Marker::White)->replaceText("");
  EXPECT_TRUE(dialog->changedFlag(Marker::White));
  dialog->willCloseDlg();
  EXPECT_TRUE(messages.texts.empty());
  EXPECT_EQ(dialog->field(Marker::White)->stringValue(), "255");
  EXPECT_EQ(points(0).white.master, 255);
  EXPECT_EQ(points(2).white.master, 255);
}

TEST_F(Histogram, DraggedMarkersPinAtTheirRangeEnds) {
  make(false);
  Posts posts(kHistPosts);
  pointerAt(27);
  markerPost("MOUSE_DOWN_", "BLACK");
  pointerAt(290);
  markerPost("MOUSE_DRAG_", "BLACK");
  EXPECT_EQ(dialog->field(Marker::Black)->intValue(), 245);
  EXPECT_EQ(dialog->marker(Marker::Black)->frame().origin.x, 171);
  EXPECT_EQ(dialog->field(Marker::Mid)->intValue(), 250);
  EXPECT_EQ(points(0).black.master, 245);
  // Further out: nothing changes.
  pointerAt(330);
  markerPost("MOUSE_DRAG_", "BLACK");
  EXPECT_EQ(dialog->field(Marker::Black)->intValue(), 245);
  EXPECT_EQ(dialog->marker(Marker::Black)->frame().origin.x, 171);
  EXPECT_EQ(dialog->field(Marker::Mid)->intValue(), 250);
  markerPost("MOUSE_UP_", "BLACK");
  EXPECT_EQ(posts.count("remakeCropFromCorrectionDlgPost"), 1u);

  // The white marker pinned at 255 when dragged right, 10 above black when dragged left.
  pointerAt(177);
  markerPost("MOUSE_DOWN_", "WHITE");
  pointerAt(-50);
  markerPost("MOUSE_DRAG_", "WHITE");
  EXPECT_EQ(dialog->field(Marker::White)->intValue(), 255);  // black 245 leaves no room below
}

TEST_F(Histogram, WithoutAFocusedCropADragAndAPickLeaveTheMidAsItWas) {
  list = crops(2, {0, 1}, -1);
  make(false);
  EXPECT_EQ(dialog->field(Marker::Black)->intValue(), 0);
  EXPECT_EQ(dialog->field(Marker::Mid)->intValue(), 0);
  EXPECT_EQ(dialog->field(Marker::White)->intValue(), 0);
  pointerAt(27);
  markerPost("MOUSE_DOWN_", "BLACK");
  pointerAt(60);
  markerPost("MOUSE_DRAG_", "BLACK");
  markerPost("MOUSE_UP_", "BLACK");
  EXPECT_EQ(dialog->field(Marker::Mid)->intValue(), 0);
  // A black pick in a single channel with the same zero fields.
  dialog->channelPopup()->select(1);
  dialog->updateHistDialog(&templateCrop, &list, true);
  dialog->onEnterBlackBtn();
  const fnd::Dictionary pick{{"RedValue", "40"}, {"GreenValue", "60"}, {"BlueValue", "80"}, {"GrayValue", "50"}};
  dialog->spoitValueSet(&pick);
  EXPECT_EQ(dialog->field(Marker::Mid)->intValue(), 0);
}

TEST_F(Histogram, EyedropperPicksSetThePointsOfEverySelectedCrop) {
  make(false);
  Posts posts(kHistPosts);
  dialog->onEnterGrayBtn();
  EXPECT_EQ(dialog->getSpoitButtonState(), 12);
  dialog->onEnterMidBtn();
  EXPECT_EQ(dialog->getSpoitButtonState(), 12);
  EXPECT_EQ(dialog->spoitButton(3)->state(), 0);
  dialog->onEnterGrayBtn();
  const fnd::Dictionary gray{{"RedValue", "200"}, {"GreenValue", "150"}, {"BlueValue", "100"}, {"GrayValue", "150"}};
  dialog->spoitValueSet(&gray);
  for (int i : {0, 2}) {
    EXPECT_EQ(points(i).gray.master, 128);
    EXPECT_EQ(points(i).gray.red, 200);
    EXPECT_EQ(points(i).gray.blue, 100);
    EXPECT_EQ(points(i).black.red, 0);
  }
  EXPECT_EQ(dialog->getSpoitButtonState(), -1);

  // Black (40, 60, 80) on the master channel.
  dialog->onEnterBlackBtn();
  const fnd::Dictionary black{{"RedValue", "40"}, {"GreenValue", "60"}, {"BlueValue", "80"}, {"GrayValue", "60"}};
  dialog->spoitValueSet(&black);
  for (int i : {0, 2}) {
    const HistogramValues h = points(i);
    EXPECT_EQ(h.black.master, 0);
    EXPECT_EQ(h.black.red, 40);
    EXPECT_EQ(h.black.green, 60);
    EXPECT_EQ(h.black.blue, 80);
    EXPECT_EQ(h.mid.red, 147);
    EXPECT_EQ(h.mid.green, 157);
    EXPECT_EQ(h.mid.blue, 167);
  }
  // A pick with no armed button still announces and asks for the preview.
  posts.clear();
  dialog->spoitValueSet(&black);
  EXPECT_EQ(posts.count("FINALREVIEW_UPDATE"), 1u);
  EXPECT_EQ(posts.count("SpoitToolStopPost"), 1u);
  EXPECT_EQ(posts.count("remakeCropFromCorrectionDlgPost"), 1u);
}

TEST_F(Histogram, TheReadoutShowsTheHoveredPixelOnlyWhileAButtonIsArmed) {
  make(false);
  const fnd::Dictionary px{{"RedValue", "1"}, {"GreenValue", "2"}, {"BlueValue", "3"}, {"GrayValue", "4"}};
  dialog->pixelValueSet(&px);
  EXPECT_EQ(dialog->readoutText(), "");
  dialog->onEnterWhiteBtn();
  dialog->pixelValueSet(&px);
  EXPECT_EQ(dialog->readoutText(), "R: 1  G: 2  B: 3");
  dialog->pixelValueSet(nullptr);
  EXPECT_EQ(dialog->readoutText(), "");
}

TEST_F(Histogram, EyedropperButtonsArmOneAtATimeAndStop) {
  make(false);
  Posts posts(kHistPosts);
  click(*dialog->getWindow(), *dialog->spoitButton(0));
  EXPECT_EQ(dialog->getSpoitButtonState(), 11);
  click(*dialog->getWindow(), *dialog->spoitButton(0));  // pressed again: still armed
  EXPECT_EQ(dialog->getSpoitButtonState(), 11);
  click(*dialog->getWindow(), *dialog->spoitButton(2));
  EXPECT_EQ(dialog->getSpoitButtonState(), 13);
  EXPECT_EQ(dialog->spoitButton(0)->state(), 0);
  EXPECT_EQ(posts.count("SpoitToolStartPost"), 3u);
  dialog->spoitToolStop();
  EXPECT_EQ(dialog->getSpoitButtonState(), -1);
}

TEST_F(Histogram, AGrayPickOfWhiteUnderABlackOf25IsRaisedTo35) {
  make(false, 1);
  type(Marker::Black, "25");
  EXPECT_TRUE(dialog->field(Marker::Black)->endEditing());
  dialog->onEnterWhiteBtn();
  const fnd::Dictionary pick{{"GrayValue", "30"}};
  dialog->spoitValueSet(&pick);
  EXPECT_EQ(dialog->field(Marker::White)->intValue(), 35);
  EXPECT_EQ(points(0).white.master, 35);
  EXPECT_EQ(dialog->getSpoitButtonState(), -1);
}

TEST_F(Histogram, AMarkerPressWaitsForARefusedTypedValue) {
  make(false);
  type(Marker::Mid, "3");  // under black + 5
  messages.expect();
  pointerAt(102);
  markerPost("MOUSE_DOWN_", "MID");
  EXPECT_EQ(messages.texts.size(), 1u);
  EXPECT_EQ(dialog->field(Marker::Mid)->stringValue(), "128");
  // Refused: the press started no drag, so a drag step moves from the old start.
  EXPECT_FALSE(dialog->changedFlag(Marker::Mid));
}

TEST_F(Histogram, TheShownChannelIsKeptAcrossUpdatesAndShowsItsOwnPoints) {
  list = crops(2, {0}, 0);
  HistogramValues h = list[0]->getHistogram();
  h.black.green = 12, h.mid.green = 100, h.white.green = 200;
  list[0]->setHistogram(h);
  make(false);
  dialog->channelPopup()->select(2);
  dialog->popupBtnClick();
  EXPECT_EQ(dialog->getSelectChanel(), 2);
  EXPECT_EQ(dialog->field(Marker::Black)->intValue(), 12);
  EXPECT_EQ(dialog->field(Marker::White)->intValue(), 200);
  EXPECT_EQ(dialog->marker(Marker::White)->frame().origin.x, Quirel_HistogramPointMath::markerX(200));
  dialog->updateHistDialog(&templateCrop, &list, true);
  EXPECT_EQ(dialog->channelPopup()->selected(), 2);
  EXPECT_EQ(dialog->field(Marker::Mid)->intValue(), 100);
  dialog->resetSelectChanel();
  dialog->updateHistDialog(&templateCrop, &list, true);
  EXPECT_EQ(dialog->field(Marker::Mid)->intValue(), 128);
}
