// Two real dialogs on screen (offscreen) keeping a half-typed value consistent: a close of the
// histogram waits once for the colour balance to resolve its field, and activating the
// histogram commits the colour balance's valid typed value.

#include <gtest/gtest.h>

#include "AdjustTestSupport.h"
#include "ui/adjust/ColorBalanceDialog.h"
#include "ui/adjust/HistogramDialog.h"
#include "ui/controls/CTRLS_TextFAndStepper.h"
#include "ui/controls/ImageDataProcessPanel.h"
#include "ui/controls/NumberField.h"

using namespace adjust_test;

namespace {

class TwoDialogs : public ::testing::Test {
 protected:
  void SetUp() override {
    list = crops(3, {0, 2}, 0);
    info = scanner(true, true, false);
    color = std::make_unique<Quirel_ColorBalanceDialog>(&list, &templateCrop, info.get(), nullptr);
    color->createColorBalanceDialog(fnd::Size(220, 400));
    color->updateColorBalanceDialog(&list, &templateCrop);
    hist = std::make_unique<Quirel_HistogramDialog>(&list, &templateCrop, true, info.get(), nullptr);
    hist->createHistoDialog(fnd::Size(220, 400));
    hist->setColorMode(3);
    hist->updateHistDialog(&templateCrop, &list, true);
    hist->getWindow()->orderFront();
    color->getWindow()->makeKeyAndOrderFront();
  }
  void TearDown() override {
    hist->getWindow()->orderOut();
    color->getWindow()->orderOut();
  }
  void typeInColor(const std::string& text) {
    Quirel_NumberField* f = color->group(Quirel_ColorBalanceDialog::kChroma)->getNumberTxtF();
    color->getWindow()->makeFirstResponder(f);
    f->replaceText(text);
  }

  TextsAnswer texts;
  Messages messages;
  // Watching before the dialogs do, it sees each name before the posts it causes.
  Posts posts{{"COLOR_MAKEKEY_FROM_HIST", "CONTROL_SET_YES", "MAIN_MAKEKEY_FROM_DLG", "COLOR_VALUE_FIX_FROM_HIST",
               "COLOR_FIX_TO_DLG", "DialogValueChangePost"}};
  CropList list;
  Quirel_CropInfo templateCrop;
  std::unique_ptr<Quirel_UIScannerInfo> info;
  std::unique_ptr<Quirel_ColorBalanceDialog> color;
  std::unique_ptr<Quirel_HistogramDialog> hist;
};

}  // namespace

TEST_F(TwoDialogs, ClosingTheHistogramIsRefusedOnceWhileTheColorBalanceHoldsAnInvalidValue) {
  typeInColor("128");
  EXPECT_TRUE(hist->changeFlag(Quirel_FloatingDialog::Code::COLOR));
  EXPECT_FALSE(hist->closeOK());
  posts.clear();
  messages.expect();
  hist->getWindow()->performClose();
  EXPECT_TRUE(hist->isVisible());
  // The histogram's own three, in order; the colour balance's answers come between them.
  std::vector<std::string> outer;
  for (const std::string& s : posts.seen)
    if (s == "COLOR_MAKEKEY_FROM_HIST" || s == "CONTROL_SET_YES" || s == "MAIN_MAKEKEY_FROM_DLG") outer.push_back(s);
  ASSERT_GE(outer.size(), 3u);
  EXPECT_EQ(outer.front(), "COLOR_MAKEKEY_FROM_HIST");
  EXPECT_EQ(posts.count("COLOR_MAKEKEY_FROM_HIST"), 1u);
  EXPECT_EQ(outer[outer.size() - 2], "CONTROL_SET_YES");
  EXPECT_EQ(outer.back(), "MAIN_MAKEKEY_FROM_DLG");
  // The colour balance resolved its field: message 1458 and the stored value back.
  EXPECT_EQ(messages.texts.size(), 1u);
  EXPECT_EQ(color->group(Quirel_ColorBalanceDialog::kChroma)->getStringValue(), "0");
  EXPECT_EQ(list[0]->getColorBalance().chroma, 0);
  hist->getWindow()->performClose();
  EXPECT_FALSE(hist->isVisible());
}

TEST_F(TwoDialogs, ActivatingTheHistogramCommitsTheColorBalancesValidTypedValue) {
  // The colour balance is not the key window while its value waits (the main window is).
  kit::Window main(fnd::Rect(0, 0, 300, 200), kit::kTitledWindowMask);
  main.makeKeyAndOrderFront();
  typeInColor("-20");
  EXPECT_TRUE(hist->fixFlag(Quirel_FloatingDialog::Code::COLOR));
  EXPECT_TRUE(hist->closeOK());
  posts.clear();
  hist->getWindow()->makeKeyAndOrderFront();
  ASSERT_FALSE(posts.seen.empty());
  EXPECT_EQ(posts.seen.front(), "COLOR_VALUE_FIX_FROM_HIST");
  EXPECT_EQ(posts.count("COLOR_FIX_TO_DLG"), 1u);
  EXPECT_EQ(list[0]->getColorBalance().chroma, -20);
  EXPECT_EQ(list[2]->getColorBalance().chroma, -20);
  EXPECT_EQ(list[1]->getColorBalance().chroma, 0);
  EXPECT_FALSE(hist->fixFlag(Quirel_FloatingDialog::Code::COLOR));
  EXPECT_TRUE(messages.texts.empty());

  // Typed in the key colour balance, the value is committed as that panel resigns key.
  color->getWindow()->makeKeyAndOrderFront();
  typeInColor("35");
  posts.clear();
  hist->getWindow()->makeKeyAndOrderFront();
  EXPECT_EQ(posts.count("COLOR_FIX_TO_DLG"), 1u);
  EXPECT_EQ(posts.count("COLOR_VALUE_FIX_FROM_HIST"), 0u);
  EXPECT_EQ(list[0]->getColorBalance().chroma, 35);
  main.orderOut();
}

TEST_F(TwoDialogs, TheMainWindowsEditStopsAndResumesTheDialogs) {
  fnd::NotificationCenter::defaultCenter().post("MAIN_CHG_TO_DLG", this);
  EXPECT_FALSE(color->closeOK());
  EXPECT_FALSE(hist->closeOK());
  EXPECT_FALSE(hist->getWindow()->titleDownOnOff());
  fnd::NotificationCenter::defaultCenter().post("MAIN_FIX_TO_DLG", this);
  EXPECT_TRUE(hist->getWindow()->titleDownOnOff());
  fnd::NotificationCenter::defaultCenter().post("CONTROL_YES", this);
  EXPECT_TRUE(color->closeOK());
  EXPECT_TRUE(hist->closeOK());
  // A message box over the main window: the dialogs become key only if needed meanwhile.
  fnd::NotificationCenter::defaultCenter().post("DLG_NOT_KEY_FROM_MAIN", this);
  EXPECT_TRUE(color->getWindow()->becomesKeyOnlyIfNeeded());
  EXPECT_TRUE(hist->getWindow()->becomesKeyOnlyIfNeeded());
  fnd::NotificationCenter::defaultCenter().post("DLG_BECOME_KEY_FROM_MAIN", this);
  EXPECT_FALSE(hist->getWindow()->becomesKeyOnlyIfNeeded());
}

TEST_F(TwoDialogs, ARefusedValuesMessageIsBracketedForTheOtherDialogsAndTheMainWindow) {
  Posts bracket({"DLG_NOT_KEY_FROM_COLOR", "SHOW_ERROR_FROM_DLG", "CLOSE_ERROR_FROM_DLG", "DLG_BECOME_KEY_FROM_COLOR"});
  bool histKeyOnlyIfNeeded = false;
  std::size_t postsBeforeBox = 0;
  app().onNextModalWindow([&](kit::Window& w) {
    histKeyOnlyIfNeeded = hist->getWindow()->becomesKeyOnlyIfNeeded();
    postsBeforeBox = bracket.seen.size();
    dynamic_cast<Quirel_ShowMessageDialog&>(w).okButton()->performClick();
  });
  typeInColor("-200");
  EXPECT_FALSE(color->group(Quirel_ColorBalanceDialog::kChroma)->getNumberTxtF()->endEditing());
  EXPECT_TRUE(histKeyOnlyIfNeeded);
  EXPECT_EQ(postsBeforeBox, 2u);
  EXPECT_EQ(bracket.seen, (std::vector<std::string>{"DLG_NOT_KEY_FROM_COLOR", "SHOW_ERROR_FROM_DLG",
                                                     "CLOSE_ERROR_FROM_DLG", "DLG_BECOME_KEY_FROM_COLOR"}));
  EXPECT_FALSE(hist->getWindow()->becomesKeyOnlyIfNeeded());
}

TEST_F(TwoDialogs, TheMainWindowTakesBackAPendingValueThroughTheColorBalance) {
  typeInColor("12");
  posts.clear();
  Posts more({"TITLE_DOWN_OK_FROM_COLOR", "COLOR_FIX_TO_MAIN"});
  fnd::NotificationCenter::defaultCenter().post("COLOR_MAKEKEY_FROM_MAIN", this);
  EXPECT_EQ(list[0]->getColorBalance().chroma, 12);
  EXPECT_EQ(more.seen, std::vector<std::string>{"TITLE_DOWN_OK_FROM_COLOR"});
  EXPECT_EQ(posts.count("COLOR_FIX_TO_DLG"), 1u);
  EXPECT_TRUE(color->getWindow()->isKeyWindow());
  // Nothing pending: nothing posted.
  posts.clear();
  fnd::NotificationCenter::defaultCenter().post("COLOR_MAKEKEY_FROM_MAIN", this);
  EXPECT_EQ(posts.count("COLOR_FIX_TO_DLG"), 0u);
}
