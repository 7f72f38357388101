// The colour balance dialog driven as a user would: typing into a field and leaving it (Tab)
// or pressing Return, real slider drags and stepper presses, and the Reset button, with the
// crops and the announcements checked.

#include <gtest/gtest.h>

#include "AdjustTestSupport.h"
#include "ui/adjust/ColorBalanceDialog.h"
#include "ui/controls/CTRLS_TextFAndStepper.h"
#include "ui/controls/ImageDataProcessPanel.h"
#include "ui/controls/NoFocusButton.h"

using namespace adjust_test;
using Dlg = Quirel_ColorBalanceDialog;

namespace {

const std::vector<std::string> kColorBalancePosts = {
    "DialogValueChangePost", "remakeCropFromCorrectionDlgPost", "FINALREVIEW_UPDATE", "COLOR_CHG_TO_DLG",
    "COLOR_VALUE_FIX",       "COLOR_FIX_TO_DLG",                "COLOR_FIX_TO_MAIN",  "CONTROL_SET_YES"};

class ColorBalance : public ::testing::Test {
 protected:
  void make(bool v1700, bool withCrops = true) {
    if (withCrops) {
      list = crops(3, {0, 2}, 1);  // two of three selected, the unselected one focused
      for (int i = 0; i < 3; ++i) list[i]->setColorBalance(ColorBalanceValues{10 + i, 0, 0, 0});
    }
    templateCrop.setColorBalance(ColorBalanceValues{5, 0, 0, 0});
    info = scanner(true, true, v1700);
    dialog = std::make_unique<Dlg>(&list, &templateCrop, info.get(), nullptr);
    dialog->createColorBalanceDialog(fnd::Size(220, 400));
    dialog->updateColorBalanceDialog(&list, &templateCrop);
    dialog->showColorBalanceDialog();
  }
  void TearDown() override {
    if (dialog) dialog->getWindow()->orderOut();
  }
  Quirel_NumberField* field(int g) { return dialog->group(g)->getNumberTxtF(); }
  void type(int g, const std::string& text) {
    dialog->getWindow()->makeFirstResponder(field(g));
    field(g)->replaceText(text);
  }
  int chroma(int i) { return list[static_cast<std::size_t>(i)]->getColorBalance().chroma; }

  TextsAnswer texts;
  Messages messages;
  CropList list;
  Quirel_CropInfo templateCrop;
  std::unique_ptr<Quirel_UIScannerInfo> info;
  std::unique_ptr<Dlg> dialog;
};

}  // namespace

TEST_F(ColorBalance, AnOutOfRangeValueLeftWithTabIsRefusedAndTheStoredValueReturns) {
  make(false);
  Posts posts(kColorBalancePosts);
  type(Dlg::kChroma, "128");
  EXPECT_TRUE(dialog->editFlag(Dlg::kChroma));
  EXPECT_TRUE(dialog->alertFlag(Dlg::kChroma));
  EXPECT_EQ(posts.count("COLOR_CHG_TO_DLG"), 2u);  // typing began, then out of range
  messages.expect();
  EXPECT_FALSE(field(Dlg::kChroma)->endEditing());  // Tab: the field keeps the focus once
  ASSERT_EQ(messages.texts.size(), 1u);
  EXPECT_EQ(messages.texts[0], "Enter a number.");
  EXPECT_EQ(field(Dlg::kChroma)->stringValue(), "11");  // the focused crop's value
  EXPECT_EQ(dialog->group(Dlg::kChroma)->getSlider()->intValue(), 11);
  for (int i = 0; i < 3; ++i) EXPECT_EQ(chroma(i), 10 + i);
  EXPECT_EQ(posts.count("COLOR_FIX_TO_DLG"), 1u);
  EXPECT_EQ(posts.count("DialogValueChangePost"), 0u);
  EXPECT_FALSE(dialog->editFlag(Dlg::kChroma));
}

TEST_F(ColorBalance, AValidValueIsWrittenIntoTheSelectedCropsOrTheTemplate) {
  make(false);
  type(Dlg::kChroma, "-127");
  EXPECT_TRUE(field(Dlg::kChroma)->endEditing());
  EXPECT_EQ(chroma(0), -127);
  EXPECT_EQ(chroma(1), 11);  // not selected
  EXPECT_EQ(chroma(2), -127);
  EXPECT_TRUE(messages.texts.empty());

  // Return in another group, with no crops: the template crop.
  dialog.reset();
  list.clear();
  make(false, false);
  type(Dlg::kYellowBlue, "-20");
  EXPECT_TRUE(field(Dlg::kYellowBlue)->performClick());
  EXPECT_EQ(templateCrop.getColorBalance().yellowBlue, -20);
  EXPECT_EQ(templateCrop.getColorBalance().chroma, 5);
}

TEST_F(ColorBalance, ASliderDragWritesOnEveryMoveAndAsksForOneRecomputationOnRelease) {
  make(false);
  Posts posts(kColorBalancePosts);
  Quirel_Slider* slider = dialog->group(Dlg::kCyanRed)->getSlider();
  dragAlong(*dialog->getWindow(), *slider, {20, 50});
  const int value = slider->intValue();
  EXPECT_GT(value, 20);
  EXPECT_EQ(list[0]->getColorBalance().cyanRed, value);
  EXPECT_EQ(list[2]->getColorBalance().cyanRed, value);
  EXPECT_EQ(list[1]->getColorBalance().cyanRed, 0);
  EXPECT_EQ(field(Dlg::kCyanRed)->intValue(), value);
  EXPECT_GE(posts.count("FINALREVIEW_UPDATE"), 2u);
  EXPECT_EQ(posts.count("FINALREVIEW_UPDATE"), posts.count("DialogValueChangePost"));
  EXPECT_EQ(posts.count("remakeCropFromCorrectionDlgPost"), 1u);
  EXPECT_EQ(posts.seen.back(), "remakeCropFromCorrectionDlgPost");
}

TEST_F(ColorBalance, OnNewerModelsAStepperReleaseOnTheStoredValuePostsNothing) {
  make(true);
  for (auto& c : list) c->setColorBalance(ColorBalanceValues{127, 0, 0, 0});
  dialog->updateColorBalanceDialog(&list, &templateCrop);
  Posts posts(kColorBalancePosts);
  Quirel_NoFocusStepper* stepper = dialog->group(Dlg::kChroma)->getStepper();
  kit::Window& w = *dialog->getWindow();
  const fnd::Point c = centreOf(*stepper);
  const fnd::Point upper(c.x, c.y + 5), lower(c.x, c.y - 5);
  post(w, kit::EventType::LeftMouseDown, upper);  // already at 127
  post(w, kit::EventType::LeftMouseUp, upper);
  dispatch();
  EXPECT_TRUE(posts.seen.empty()) << posts.seen.size();
  post(w, kit::EventType::LeftMouseDown, lower);
  post(w, kit::EventType::LeftMouseUp, lower);
  dispatch();
  EXPECT_EQ(chroma(0), 126);
  EXPECT_EQ(chroma(2), 126);
  EXPECT_EQ(posts.count("DialogValueChangePost"), 1u);
  EXPECT_EQ(posts.count("remakeCropFromCorrectionDlgPost"), 1u);
}

TEST_F(ColorBalance, ResetAcceptsAValidPendingValueUnappliedThenZeroes) {
  make(false);
  type(Dlg::kChroma, "50");
  int seenAtFix = -1;
  auto probe = fnd::NotificationCenter::defaultCenter().observe("COLOR_FIX_TO_DLG", nullptr,
                                                                [&](const fnd::Notification&) { seenAtFix = chroma(0); });
  click(*dialog->getWindow(), *dialog->resetButton());
  EXPECT_EQ(seenAtFix, 10);  // accepted, not written
  EXPECT_TRUE(messages.texts.empty());
  for (int i : {0, 2}) EXPECT_EQ(chroma(i), 0);
  EXPECT_EQ(chroma(1), 11);
  EXPECT_EQ(field(Dlg::kChroma)->stringValue(), "0");
}

TEST_F(ColorBalance, ResetWithAnInvalidPendingValueOnlyShowsTheMessage) {
  make(false);
  type(Dlg::kChroma, "999");
  messages.expect();
  click(*dialog->getWindow(), *dialog->resetButton());
  EXPECT_EQ(messages.texts.size(), 1u);
  EXPECT_EQ(field(Dlg::kChroma)->stringValue(), "11");
  for (int i = 0; i < 3; ++i) EXPECT_EQ(chroma(i), 10 + i);
  // The controls take presses again: the next press resets.
  click(*dialog->getWindow(), *dialog->resetButton());
  EXPECT_EQ(chroma(0), 0);
}

TEST_F(ColorBalance, ClosingTheMainWindowKeepsTheStoredValueForAnEmptyOrNonNumberText) {
  for (const char* text : {"", "-"}) {
    make(false);
    for (auto& c : list) c->setFocus(false);
    list[0]->setFocus(true);
    dialog->updateColorBalanceDialog(&list, &templateCrop);
    type(Dlg::kChroma, "7");
    field(Dlg::kChroma)->replaceText(text);
    EXPECT_TRUE(dialog->editFlag(Dlg::kChroma)) << text;
    dialog->willCloseDlg();
    EXPECT_TRUE(messages.texts.empty());
    EXPECT_EQ(field(Dlg::kChroma)->stringValue(), "10") << text;
    EXPECT_EQ(chroma(0), 10) << text;
    EXPECT_EQ(chroma(2), 10) << text;  // the stored value, never a 0 read from the text
    dialog.reset();
  }
  // A number in range is kept.
  make(false);
  type(Dlg::kChroma, "-3");
  dialog->willCloseDlg();
  EXPECT_EQ(chroma(0), -3);
  EXPECT_EQ(chroma(2), -3);
}
