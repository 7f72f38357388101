// The colour-pattern dialog as a user meets it: opening on the crop's balance, choosing by
// clicks on the cells and by the colour buttons, OK on Return and Cancel on Escape, and a closed
// dialog that hears nothing more.
#include <gtest/gtest.h>

#include <functional>
#include <map>

#include "ColorPatternTestSupport.h"
#include "kit/Button.h"
#include "kit/TextField.h"
#include "ui/adjust/ColorPatternDlgWindow.h"
#include "ui/controls/ColorPatternFrameView.h"
#include "ui/controls/ColorPatternImageView.h"
#include "ui/controls/IconBezelButton.h"
#include "ui/controls/PreviewFrameView.h"
#include "ui/model/UIScannerInfo.h"
#include "ui/windows/DisplayManager.h"

using namespace colorpattern_test;
using Dialog = Quirel_ColorPatternDialog;

namespace {

class ColorPatternDialogTest : public testing::Test {
 protected:
  // A dialog over a small crop (no reduction) on the scan-module path, nobody answering.
  std::unique_ptr<Dialog> dialogFor(ColorBalanceValues balance) {
    crop = cropWith(90, 60, quarterPicture(90, 60), balance);
    auto d = std::make_unique<Dialog>(crop, &scanner, 0);
    d->setTWAINObject(nullptr, &uim);
    d->createDialog(nullptr);
    return d;
  }
  // Shows the dialog; `user` acts on it while it runs.
  int run(Dialog& d, std::function<void(kit::Window&)> user, const kit::Window* parent = nullptr) {
    patternApp().onNextModalWindow(std::move(user));
    return d.showDialog(parent);
  }
  std::vector<std::string> balanceShown(const Dialog& d) const {
    return {d.balanceValueField(0)->stringValue(), d.balanceValueField(1)->stringValue(),
            d.balanceValueField(2)->stringValue()};
  }

  TextsAnswered texts;
  Quirel_UIScannerInfo scanner{fnd::Dictionary{{"Ver1500Later", true}}};
  int uim = 0;
  std::shared_ptr<Quirel_CropInfo> crop;
};

}  // namespace

TEST_F(ColorPatternDialogTest, CellsFollowTheTableAndTheWindowIsBuiltAsLaidOut) {
  auto d = dialogFor({0, 0, 0, 0});
  ASSERT_NE(d->window(), nullptr);
  EXPECT_EQ(d->window()->title(), "Color Pattern");
  EXPECT_EQ(d->window()->level(), Dialog::kWindowLevel);
  EXPECT_EQ(d->window()->contentRectSize(), (fnd::Size{850, 590}));
  ASSERT_EQ(d->patternList().size(), std::size_t(Dialog::kCellCount));
  for (std::size_t i = 0; i < d->patternList().size(); ++i) {
    SCOPED_TRACE(i);
    const auto& cell = *d->patternList()[i];
    const auto& row = Dialog::cellTable()[i];
    EXPECT_EQ(cell.getFrameView()->frame(), (fnd::Rect(row.x, row.y, 110, 110)));
    EXPECT_EQ(cell.getFrameView()->superview(), static_cast<kit::View*>(d->leftView()));
    EXPECT_EQ(cell.getImageView()->superview(), static_cast<kit::View*>(cell.getFrameView()));
    const ColorBalanceValues b = cell.getColorBalance();
    EXPECT_EQ((std::vector<int>{b.chroma, b.cyanRed, b.magentaGreen, b.yellowBlue}),
              (std::vector<int>{0, row.r, row.g, row.b}));
    EXPECT_EQ((std::vector<bool>{cell.isEnableBtn_R(), cell.isEnableBtn_G(), cell.isEnableBtn_B(), cell.isEnableBtn_C(),
                                 cell.isEnableBtn_M(), cell.isEnableBtn_Y()}),
              std::vector<bool>(row.enabled.begin(), row.enabled.end()));
    EXPECT_EQ((std::vector<int>{cell.nextIndex_R(), cell.nextIndex_G(), cell.nextIndex_B(), cell.nextIndex_C(),
                                cell.nextIndex_M(), cell.nextIndex_Y()}),
              std::vector<int>(row.next.begin(), row.next.end()));
    EXPECT_FALSE(cell.isSelected());
    EXPECT_FALSE(cell.isBased());
  }
  EXPECT_EQ(d->okButton()->title(), "OK");
  EXPECT_EQ(d->cancelButton()->title(), "Cancel");
  EXPECT_EQ(d->okButton()->frame(), (fnd::Rect(124, 0, 124, 32)));
  const std::map<Dialog::ColorButton, std::pair<std::string, std::string>> titles{
      {Dialog::kButtonR, {"Red", "Make the picture redder"}},    {Dialog::kButtonG, {"Green", "Make the picture greener"}},
      {Dialog::kButtonB, {"Blue", "Make the picture bluer"}},    {Dialog::kButtonC, {"Cyan", "Make the picture more cyan"}},
      {Dialog::kButtonM, {"Magenta", "Make the picture more magenta"}},
      {Dialog::kButtonY, {"Yellow", "Make the picture more yellow"}}};
  for (const auto& [button, texts] : titles) {
    SCOPED_TRACE(texts.first);
    EXPECT_EQ(d->colorButtonTitle(button)->stringValue(), texts.first);
    EXPECT_EQ(d->colorButton(button)->toolTip(), texts.second);
    EXPECT_TRUE(d->colorButton(button)->images().exit.isValid());
    EXPECT_TRUE(d->colorButton(button)->images().disable.isValid());
  }
  // Older scanners have pictures of their own names.
  Quirel_UIScannerInfo older{fnd::Dictionary{}};
  Dialog old(crop, &older, 0);
  old.createDialog(nullptr);
  for (int b = 0; b < Dialog::kButtonCount; ++b) {
    EXPECT_TRUE(old.colorButton(Dialog::ColorButton(b))->images().exit.isValid()) << b;
    EXPECT_TRUE(old.colorButton(Dialog::ColorButton(b))->images().disable.isValid()) << b;
  }
}

TEST_F(ColorPatternDialogTest, ANeutralCropOpensOnTheMiddleCellAndReturnAnswersOkWithoutChange) {
  auto d = dialogFor({37, 0, 0, 0});
  std::vector<std::string> shown;
  int selected = -1;
  bool based = false;
  const int answer = run(*d, [&](kit::Window& w) {
    selected = selectedIndex(*d);
    based = d->getSelectedInfo() && d->getSelectedInfo()->isBased();
    shown = balanceShown(*d);
    pressKey(w, kit::keys::kReturn);
  });
  EXPECT_EQ(answer, 1);
  EXPECT_EQ(selected, Dialog::kNeutralCell);
  EXPECT_TRUE(based);
  EXPECT_EQ(shown, (std::vector<std::string>{"0", "0", "0"}));
  EXPECT_TRUE(d->isOkClose());
  EXPECT_FALSE(d->didChangeColorBalance());
  const ColorBalanceValues b = d->getColorBalance();
  EXPECT_EQ((std::vector<int>{b.chroma, b.cyanRed, b.magentaGreen, b.yellowBlue}), (std::vector<int>{0, 0, 0, 0}));
  EXPECT_FALSE(d->window()->isVisible());
}

TEST_F(ColorPatternDialogTest, ColourButtonsAndCellClicksChooseWithRealClicks) {
  auto d = dialogFor({0, 0, 0, 0});
  const std::vector<std::pair<Dialog::ColorButton, int>> fromNine{{Dialog::kButtonR, 14}, {Dialog::kButtonG, 5},
                                                                  {Dialog::kButtonB, 8},  {Dialog::kButtonC, 4},
                                                                  {Dialog::kButtonM, 13}, {Dialog::kButtonY, 10}};
  std::vector<int> reached;
  std::vector<std::string> shownAt3, shownAfterSecondClick;
  int afterSecondClick = -1, afterImageClick = -1;
  std::vector<bool> enabledAt7;
  const int answer = run(*d, [&](kit::Window& w) {
    for (const auto& [button, expected] : fromNine) {
      clickView(*d->patternList()[Dialog::kNeutralCell]->getFrameView());
      clickView(*d->colorButton(button));
      reached.push_back(selectedIndex(*d));
    }
    clickView(*d->patternList()[3]->getFrameView());
    shownAt3 = balanceShown(*d);
    clickView(*d->patternList()[3]->getFrameView());  // the chosen one again: nothing changes
    afterSecondClick = selectedIndex(*d);
    shownAfterSecondClick = balanceShown(*d);
    // A click on a cell's picture chooses the cell too.
    clickView(*d->patternList()[7]->getImageView());
    afterImageClick = selectedIndex(*d);
    for (int b = 0; b < Dialog::kButtonCount; ++b) enabledAt7.push_back(d->colorButton(Dialog::ColorButton(b))->isEnabled());
    pressKey(w, kit::keys::kReturn);
  });
  EXPECT_EQ(answer, 1);
  EXPECT_EQ(reached, (std::vector<int>{14, 5, 8, 4, 13, 10}));
  EXPECT_EQ(shownAt3, (std::vector<std::string>{"-15", "0", "15"}));
  EXPECT_EQ(afterSecondClick, 3);
  EXPECT_EQ(shownAfterSecondClick, shownAt3);
  EXPECT_EQ(afterImageClick, 7);
  EXPECT_EQ(enabledAt7, (std::vector<bool>{true, true, false, false, false, true}));
  // Only one cell is ever chosen; the based one stays the middle one.
  int chosen = 0;
  for (const auto& cell : d->patternList()) chosen += cell->isSelected();
  EXPECT_EQ(chosen, 1);
  EXPECT_TRUE(d->patternList()[Dialog::kNeutralCell]->isBased());
  EXPECT_TRUE(d->didChangeColorBalance());
  const ColorBalanceValues b = d->getColorBalance();
  EXPECT_EQ((std::vector<int>{b.chroma, b.cyanRed, b.magentaGreen, b.yellowBlue}), (std::vector<int>{0, -10, -10, 20}));
}

TEST_F(ColorPatternDialogTest, AnUnknownBalanceOpensWithNothingChosenAndAButtonStartsAtCellZero) {
  auto d = dialogFor({0, 3, -1, -2});
  const SRectDouble original = crop->getcropCorRect();
  // Something moved the crop's corrected rectangle while the dialog was up.
  crop->setcropCorRect(makeSRectDouble(7, 8, 9, 10));
  int selectedAtOpen = 99, afterButton = -1;
  bool anyBased = true, allEnabled = false;
  const int answer = run(*d, [&](kit::Window& w) {
    selectedAtOpen = selectedIndex(*d);
    anyBased = false;
    for (const auto& cell : d->patternList()) anyBased = anyBased || cell->isBased();
    allEnabled = true;
    for (int b = 0; b < Dialog::kButtonCount; ++b)
      allEnabled = allEnabled && d->colorButton(Dialog::ColorButton(b))->isEnabled();
    clickView(*d->colorButton(Dialog::kButtonY));
    afterButton = selectedIndex(*d);
    pressKey(w, kit::keys::kEscape);
  });
  EXPECT_EQ(answer, 0);
  EXPECT_EQ(selectedAtOpen, -1);
  EXPECT_FALSE(anyBased);
  EXPECT_TRUE(allEnabled);
  EXPECT_EQ(afterButton, 0);
  EXPECT_FALSE(d->isOkClose());
  EXPECT_EQ(crop->getcropCorRect().size.width, original.size.width);
  EXPECT_EQ(crop->getcropCorRect().origin.x, original.origin.x);
}

TEST_F(ColorPatternDialogTest, AfterTheCloseClicksAndKeysReachNothing) {
  auto d = dialogFor({0, 0, 0, 0});
  const SRectDouble moved = makeSRectDouble(7, 8, 9, 10);
  crop->setcropCorRect(moved);
  ASSERT_EQ(run(*d, [&](kit::Window& w) { pressKey(w, kit::keys::kReturn); }), 1);
  ASSERT_TRUE(d->window()->closeFlg());
  // OK leaves the rectangle as it was reached.
  EXPECT_EQ(crop->getcropCorRect().origin.x, 7);
  d->window()->makeKeyAndOrderFront();
  clickView(*d->patternList()[3]->getFrameView());
  clickView(*d->colorButton(Dialog::kButtonR));
  pressKey(*d->window(), kit::keys::kEscape);
  EXPECT_EQ(selectedIndex(*d), Dialog::kNeutralCell);
  EXPECT_TRUE(d->isOkClose());
  EXPECT_EQ(crop->getcropCorRect().origin.x, 7);  // Escape did not reach Cancel
}

TEST_F(ColorPatternDialogTest, ALevelSetElsewhereGoesBackToElevenWhenTheWindowBecomesKey) {
  auto d = dialogFor({0, 0, 0, 0});
  int levelAfter = -1;
  kit::Window other(fnd::Rect(0, 0, 100, 100), kit::kTitledWindowMask);
  run(*d, [&](kit::Window& w) {
    w.setLevel(3);
    other.makeKeyAndOrderFront();
    w.makeKeyAndOrderFront();
    levelAfter = w.level();
    pressKey(w, kit::keys::kEscape);
  });
  other.orderOut();
  EXPECT_EQ(levelAfter, Dialog::kWindowLevel);
}

TEST_F(ColorPatternDialogTest, TheWindowLiesCentredOnItsParentInsideTheVisibleFrame) {
  // A screen of 1920 x 1080 whose visible part leaves out a panel of 40 at the bottom.
  const fnd::Rect screen(0, 0, 1920, 1080), visible(0, 40, 1920, 1040);
  struct Case {
    const char* what;
    fnd::Rect parent;
    bool centred;
  };
  for (const Case& c : {Case{"middle", fnd::Rect(400, 200, 1000, 700), true},
                        Case{"small parent", fnd::Rect(600, 400, 300, 200), true},
                        Case{"near the left edge", fnd::Rect(-300, 300, 600, 500), false},
                        Case{"over the panel", fnd::Rect(800, 0, 900, 300), false}}) {
    SCOPED_TRACE(c.what);
    auto d = dialogFor({0, 0, 0, 0});
    d->setDisplayManager(Quirel_DisplayManager(screen, visible));
    const fnd::Size own = d->window()->frame().size;
    kit::Window parent(kit::Window::contentRectForFrameRect(c.parent, kit::kTitledWindowMask), kit::kTitledWindowMask);
    const fnd::Rect p = parent.frame();
    fnd::Rect shownAt;
    run(
        *d,
        [&](kit::Window& w) {
          shownAt = w.frame();
          pressKey(w, kit::keys::kEscape);
        },
        &parent);
    const fnd::Rect centred(p.origin.x - (own.width - p.size.width) / 2, p.origin.y + (p.size.height - own.height) / 2,
                            own.width, own.height);
    EXPECT_EQ(shownAt.size, own);
    EXPECT_TRUE(visible.contains(shownAt)) << shownAt.origin.x << "," << shownAt.origin.y;
    if (c.centred) {
      EXPECT_EQ(shownAt, centred);
    } else {
      EXPECT_NE(shownAt, centred);
    }
  }
}
