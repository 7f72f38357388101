// The brightness and contrast dialog driven as a user would: typing and leaving a field (Tab)
// or pressing Return, slider drags and stepper presses through the event queue, the channel
// menu, Reset, the fold button and the close box, with the crops and the posts checked.

#include <gtest/gtest.h>

#include "AdjustTestSupport.h"
#include "ui/adjust/ToneBCDialog.h"
#include "ui/adjust/ToneBCGraphView.h"
#include "ui/controls/CTRLS_ToneBCChannelPopup.h"
#include "ui/controls/CTRLS_ToneBCGraph.h"
#include "ui/controls/CTRLS_ToneBCInputTextF.h"
#include "ui/controls/ImageDataProcessPanel.h"
#include "ui/controls/NoFocusButton.h"

using namespace adjust_test;
using BC = Quirel_ToneBCDialog;

namespace {

const std::vector<std::string> kToneBCPosts = {
    "DialogValueChangePost", "remakeCropFromCorrectionDlgPost", "FINALREVIEW_UPDATE", "TONEBC_CHG_TO_DLG",
    "TONEBC_VALUE_FIX",      "TONEBC_FIX_TO_DLG",               "TONEBC_FIX_TO_MAIN", "CONTROL_SET_YES",
    "TONEBC_CHG_TO_MAIN",    "MAIN_MAKEKEY_FROM_DLG",           "drawHistgram"};

ToneBCValues toneBCOf(int b, int c) { return ToneBCValues{{b, b + 1, b + 2, b + 3}, {c, c + 1, c + 2, c + 3}}; }

class ToneBC : public ::testing::Test {
 protected:
  // Three crops, the first and last selected; focused: the given one (-1 none).
  void make(bool v1700, int focused = 1, bool withCrops = true) {
    list.clear();
    if (withCrops) {
      list = crops(3, {0, 2}, focused);
      for (int i = 0; i < 3; ++i) list[i]->setToneBC(toneBCOf(10 * (i + 1), -10 * (i + 1)));
    }
    templateCrop.setToneBC(toneBCOf(5, -5));
    info = scanner(true, true, v1700);
    dialog = std::make_unique<BC>(&list, &templateCrop, info.get(), nullptr);
    dialog->createToneBCDialog(fnd::Size(220, 400));
    dialog->setColorMode(3);
    dialog->updateToneBCDialog(&list, &templateCrop);
    dialog->showWindow();
  }
  void TearDown() override {
    if (dialog) dialog->getWindow()->orderOut();
  }
  Quirel_NumberField* field(int r) { return dialog->row(r)->getNumberTxtF(); }
  void type(int r, const std::string& text) {
    dialog->getWindow()->makeFirstResponder(field(r));
    field(r)->replaceText(text);
  }
  int bright(int i, int channel = 0) {
    const ChannelValues v = list[static_cast<std::size_t>(i)]->getToneBC().brightness;
    return channel == 0 ? v.master : channel == 1 ? v.red : channel == 2 ? v.green : v.blue;
  }
  Quirel_ToneBCGraphView* graphView() { return dynamic_cast<Quirel_ToneBCGraphView*>(dialog->graph()->getGraphView()); }

  TextsAnswer texts;
  Messages messages;
  CropList list;
  Quirel_CropInfo templateCrop;
  std::unique_ptr<Quirel_UIScannerInfo> info;
  std::unique_ptr<BC> dialog;
};

}  // namespace

TEST_F(ToneBC, RefusedTextsBringTheMessageAndTheShownValueBackWithoutTouchingTheCrops) {
  for (const char* text : {"-128", "128", "", "-"}) {
    make(false);
    messages.texts.clear();
    type(BC::kBrightness, text);
    messages.expect();
    field(BC::kBrightness)->endEditing();  // Tab
    ASSERT_EQ(messages.texts.size(), 1u) << text;
    EXPECT_EQ(messages.texts[0], "Enter a number.");
    EXPECT_EQ(field(BC::kBrightness)->stringValue(), "20") << text;  // the focused crop's master
    EXPECT_EQ(dialog->row(BC::kBrightness)->getSlider()->intValue(), 20) << text;
    EXPECT_EQ(dialog->row(BC::kBrightness)->getStepper()->intValue(), 20) << text;
    for (int i = 0; i < 3; ++i) EXPECT_EQ(bright(i), 10 * (i + 1)) << text;
    dialog.reset();
  }
}

TEST_F(ToneBC, TheLimitsAreAcceptedIntoThePopupsChannelOfTheSelectedCrops) {
  make(false);
  type(BC::kBrightness, "127");
  EXPECT_TRUE(field(BC::kBrightness)->endEditing());
  EXPECT_EQ(bright(0), 127);
  EXPECT_EQ(bright(1), 20);  // not selected
  EXPECT_EQ(bright(2), 127);
  // The green channel of the contrast row, by Return.
  dialog->channelPopup()->select(2);
  dialog->popupBtnClick();
  EXPECT_EQ(field(BC::kContrast)->stringValue(), "-18");  // the focused crop's green contrast
  type(BC::kContrast, "-127");
  EXPECT_TRUE(field(BC::kContrast)->performClick());
  EXPECT_EQ(list[0]->getToneBC().contrast.green, -127);
  EXPECT_EQ(list[0]->getToneBC().contrast.master, -10);
  EXPECT_EQ(list[2]->getToneBC().contrast.green, -127);
  EXPECT_EQ(graphView()->channel(), 2);
  EXPECT_EQ(graphView()->contrast().green, -18 + 128);  // the graph follows the focused crop
  EXPECT_TRUE(messages.texts.empty());
}

TEST_F(ToneBC, WithNoFocusedCropTheLastSelectedCropIsShownAndRestoredNeverZero) {
  make(false, -1);
  EXPECT_EQ(field(BC::kBrightness)->stringValue(), "30");
  EXPECT_EQ(field(BC::kContrast)->stringValue(), "-30");
  type(BC::kContrast, "500");
  messages.expect();
  EXPECT_FALSE(field(BC::kContrast)->endEditing());
  EXPECT_EQ(field(BC::kContrast)->stringValue(), "-30");
  // Closing the main window over an empty or non-number text keeps the shown value.
  for (const char* text : {"", "-"}) {
    type(BC::kBrightness, "4");
    field(BC::kBrightness)->replaceText(text);
    ASSERT_TRUE(dialog->editFlag(BC::kBrightness));
    dialog->willCloseDlg();
    EXPECT_EQ(field(BC::kBrightness)->stringValue(), "30") << text;
    EXPECT_EQ(bright(0), 30) << text;
    EXPECT_EQ(bright(2), 30) << text;
  }
  type(BC::kBrightness, "-6");
  dialog->willCloseDlg();
  EXPECT_EQ(bright(0), -6);
  EXPECT_EQ(messages.texts.size(), 1u);
}

TEST_F(ToneBC, ASliderDragWritesEachMoveAndRemakesOnceAtRelease) {
  make(false);
  Posts posts(kToneBCPosts);
  Quirel_Slider* slider = dialog->row(BC::kBrightness)->getSlider();
  dragAlong(*dialog->getWindow(), *slider, {20, 50});
  const int value = slider->intValue();
  EXPECT_GT(value, 20);
  EXPECT_EQ(bright(0), value);
  EXPECT_EQ(bright(2), value);
  EXPECT_EQ(field(BC::kBrightness)->intValue(), value);
  EXPECT_GE(posts.count("FINALREVIEW_UPDATE"), 2u);
  EXPECT_EQ(posts.count("remakeCropFromCorrectionDlgPost"), 1u);
  EXPECT_EQ(posts.seen.back(), "drawHistgram");
  EXPECT_EQ(graphView()->brightness().master, value + 128);
}

TEST_F(ToneBC, OnNewerModelsAnUnchangedReleasePostsNothingAndAChangeOnce) {
  make(true);
  for (auto& c : list) c->setToneBC(toneBCOf(127, 0));
  dialog->updateToneBCDialog(&list, &templateCrop);
  Posts posts(kToneBCPosts);
  Quirel_NoFocusStepper* stepper = dialog->row(BC::kBrightness)->getStepper();
  kit::Window& w = *dialog->getWindow();
  const fnd::Point c = centreOf(*stepper);
  post(w, kit::EventType::LeftMouseDown, fnd::Point(c.x, c.y + 5));  // already at 127
  post(w, kit::EventType::LeftMouseUp, fnd::Point(c.x, c.y + 5));
  dispatch();
  EXPECT_TRUE(posts.seen.empty()) << posts.seen.size();
  post(w, kit::EventType::LeftMouseDown, fnd::Point(c.x, c.y - 5));
  post(w, kit::EventType::LeftMouseUp, fnd::Point(c.x, c.y - 5));
  dispatch();
  EXPECT_EQ(bright(0), 126);
  EXPECT_EQ(bright(2), 126);
  EXPECT_EQ(bright(1), 127);
  EXPECT_EQ(posts.count("DialogValueChangePost"), 1u);
  EXPECT_EQ(posts.count("remakeCropFromCorrectionDlgPost"), 1u);
  // A slider release with nothing changed since: no remake.
  posts.clear();
  dialog->mouseUpOnSlider();
  EXPECT_TRUE(posts.seen.empty());
}

TEST_F(ToneBC, ResetAtZeroPostsNothingButRedrawsChannelZero) {
  make(false);
  for (auto& c : list) c->setToneBC(toneBCOf(0, 0));
  list[0]->setToneBC(ToneBCValues{});
  list[2]->setToneBC(ToneBCValues{});
  dialog->channelPopup()->select(3);
  dialog->popupBtnClick();
  ASSERT_EQ(graphView()->channel(), 3);
  Posts posts(kToneBCPosts);
  dialog->resetButton()->performClick();
  EXPECT_TRUE(posts.seen.empty()) << posts.seen.size();
  EXPECT_EQ(graphView()->channel(), 0);
  EXPECT_EQ(dialog->getSelectChanel(), 0);
  EXPECT_EQ(dialog->channelPopup()->selected(), 0);
  // With values set: every channel of the selected crops back to 0, announced once.
  list[0]->setToneBC(toneBCOf(9, 9));
  dialog->resetButton()->performClick();
  EXPECT_EQ(list[0]->getToneBC().contrast.blue, 0);
  EXPECT_EQ(posts.count("DialogValueChangePost"), 1u);
  EXPECT_EQ(posts.count("FINALREVIEW_UPDATE"), 1u);
}

TEST_F(ToneBC, GreyModesOfferOnlyGrey) {
  make(false);
  dialog->setColorMode(1);
  ASSERT_EQ(dialog->channelPopup()->getPopupBT()->numberOfItems(), 1);
  EXPECT_EQ(dialog->channelPopup()->getPopupBT()->itemTitleAtIndex(0), "Gray");
  EXPECT_EQ(dialog->getSelectChanel(), 0);
  dialog->setColorMode(4);
  EXPECT_EQ(dialog->channelPopup()->getPopupBT()->numberOfItems(), 4);
}

TEST_F(ToneBC, TheEditCyclePostsInOrderAndAControlClickOnlyConfirms) {
  make(false);
  Posts posts(kToneBCPosts);
  dialog->getWindow()->makeFirstResponder(field(BC::kBrightness));
  dialog->textShouldBeginEdit(BC::kBrightness);
  field(BC::kBrightness)->replaceText("15");
  EXPECT_EQ(posts.seen, (std::vector<std::string>{"TONEBC_CHG_TO_DLG", "TONEBC_CHG_TO_MAIN", "TONEBC_CHG_TO_DLG",
                                                  "TONEBC_CHG_TO_MAIN", "TONEBC_VALUE_FIX", "TONEBC_CHG_TO_MAIN"}));
  posts.clear();
  // A press on the background confirms the typed value.
  click(*dialog->getWindow(), *dialog->graphArea());
  EXPECT_EQ(bright(0), 15);
  EXPECT_EQ(bright(2), 15);
  const std::vector<std::string> fixes{"TONEBC_FIX_TO_MAIN", "TONEBC_FIX_TO_DLG", "CONTROL_SET_YES"};
  EXPECT_TRUE(std::search(posts.seen.begin(), posts.seen.end(), fixes.begin(), fixes.end()) != posts.seen.end());
  EXPECT_EQ(posts.count("remakeCropFromCorrectionDlgPost"), 1u);

  // An emptied field and a press on a slider: the message, and the slider does not move.
  dialog->getWindow()->makeFirstResponder(field(BC::kBrightness));
  dialog->textShouldBeginEdit(BC::kBrightness);
  field(BC::kBrightness)->replaceText("");
  Quirel_Slider* slider = dialog->row(BC::kContrast)->getSlider();
  const int before = slider->intValue();
  messages.expect();
  click(*dialog->getWindow(), *slider);
  EXPECT_EQ(messages.texts.size(), 1u);
  EXPECT_EQ(slider->intValue(), before);
  EXPECT_EQ(field(BC::kBrightness)->stringValue(), "20");
  EXPECT_EQ(bright(0), 15);
}

TEST_F(ToneBC, TheCloseBoxIsRefusedOnceWhileTheMainWindowEdits) {
  make(false);
  fnd::NotificationCenter::defaultCenter().post("MAIN_CHG_TO_DLG", this);
  Posts posts(kToneBCPosts);
  dialog->getWindow()->performClose();
  EXPECT_TRUE(dialog->isVisible());
  EXPECT_EQ(posts.count("MAIN_MAKEKEY_FROM_DLG"), 1u);
  dialog->getWindow()->performClose();
  EXPECT_FALSE(dialog->isVisible());
}

TEST_F(ToneBC, FoldingHidesTheGraphAndKeepsTheTopEdge) {
  make(false);
  kit::Window& w = *dialog->getWindow();
  const fnd::Rect open = w.frame();
  dialog->changeButton()->performClick();
  EXPECT_FALSE(dialog->isOpened());
  EXPECT_EQ(dialog->getContentState(), 1);
  EXPECT_DOUBLE_EQ(w.contentRectSize().height, 400 - BC::kGraphAreaHeight);
  EXPECT_DOUBLE_EQ(w.frame().origin.y + w.frame().size.height, open.origin.y + open.size.height);
  EXPECT_DOUBLE_EQ(dialog->graphArea()->frame().size.height, 0);
  dialog->setOpend(true);
  EXPECT_EQ(dialog->getContentState(), 0);
  EXPECT_DOUBLE_EQ(w.contentRectSize().height, 400);
  EXPECT_DOUBLE_EQ(dialog->graphArea()->frame().size.height, BC::kGraphAreaHeight);
}

// Crops but none focused or selected: no crop takes the value, and the graph shows the zero
// record rather than the record it showed before.
TEST_F(ToneBC, WithNoCropSelectedTheGraphShowsTheZeroRecord) {
  make(false, -1);
  for (const auto& crop : list) crop->setSelect(false);
  ASSERT_EQ(graphView()->brightness().master, 30 + 128);
  type(BC::kBrightness, "40");
  EXPECT_TRUE(field(BC::kBrightness)->endEditing());
  for (int i = 0; i < 3; ++i) EXPECT_EQ(bright(i), 10 * (i + 1));
  EXPECT_EQ(graphView()->brightness().master, 128);
  EXPECT_EQ(graphView()->contrast().master, 128);
}
