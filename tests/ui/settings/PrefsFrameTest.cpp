// The preferences frame driven by kit events: tab orders, the pending-edit guard, the file
// name's separators, the may-close flag, and what reaches the opener on OK, Cancel and an
// error close.

#include <gtest/gtest.h>

#include "SettingsTestSupport.h"
#include "TestFiles.h"
#include "foundation/FileManager.h"

using namespace settings_test;

namespace {

fnd::Dictionary frameV14Flags() {
  return {{"Ver1300Later", true}, {"Ver1400Later", true}, {"AlwaysAutoTone", true}, {"EnergySaveMode", true}};
}

}  // namespace

TEST(PrefsFrame, TabOrderFollowsLauncherModeAndVersion) {
  BundleAnswer bundle;
  struct Row {
    fnd::Dictionary flags;
    std::vector<std::string> labels;
  };
  const std::vector<Row> rows = {
      {launcherFlags(), {"Preview", "Scan", "Color", "Scanner", "Save"}},
      {frameV14Flags(), {"Scanner", "Preview", "Scan", "Color Settings"}},
      {{{"Ver1300Later", true}}, {"Preview", "Scan", "Color Settings", "Scanner"}},
  };
  for (const Row& r : rows) {
    Opening o;
    o.scanner = scanner(r.flags);
    auto dialog = openPrefs(o);
    EXPECT_EQ(tabLabels(*dialog), r.labels);
    EXPECT_EQ(dialog->window()->level(), Quirel_PrefsDialog::kLevel);
  }
}

TEST(PrefsFrame, RejectedGammaKeepsFocusTabAndBoxUntilTheValueIsBack) {
  BundleAnswer bundle;
  windows_test::FakeMessages messages;
  Opening o;
  o.scanner = scanner(frameV14Flags());
  o.prefs.setMonitorGamma(1.8);
  o.prefs.setAlwaysAutoTone(true);
  auto dialog = openPrefs(o);
  kit::TabView* tabs = dialog->tabView()->getTabView();
  kit::TextField* gamma = dialog->mGammaTextF->getNumberField();
  runPrefs(*dialog, [&] {
    ASSERT_TRUE(tabs->selectTabViewItemAtIndex(3));  // Color Settings on a 14.00 scanner
    typeInto(dialog->window(), gamma, "0.05");
    ASSERT_EQ(dialog->window()->firstResponder(), gamma);
    clickView(tabs, middleOf(tabs->tabRect(0)));
    EXPECT_EQ(messages.shown, std::vector<std::string>{"message:1110,0,0,0"});
    EXPECT_EQ(tabs->indexOfSelectedTabViewItem(), 3) << "the tab does not change";
    EXPECT_EQ(dialog->window()->firstResponder(), gamma) << "the focus stays";
    EXPECT_EQ(gamma->stringValue(), "1.80");

    typeInto(dialog->window(), gamma, ".");
    clickView(dialog->mAutoToneCbx->getCheckBox());
    EXPECT_EQ(messages.shown.size(), 2u) << "\".\" is no number: refused too";
    EXPECT_TRUE(dialog->mAutoToneCbx->isChecked()) << "the box keeps its state";
    EXPECT_EQ(dialog->getData()->getMonitorGamma(), 1.8);
    EXPECT_EQ(dialog->window()->firstResponder(), gamma);

    // The stored value is back: the next click acts.
    clickView(tabs, middleOf(tabs->tabRect(1)));
    EXPECT_EQ(tabs->indexOfSelectedTabViewItem(), 1);
    dialog->cancelButton()->getPushBT()->performClick();
  });
  EXPECT_FALSE(dialog->isOkClose());
}

TEST(PrefsFrame, AcceptedGammaLetsTheClickThroughAndRoundsDown) {
  BundleAnswer bundle;
  windows_test::FakeMessages messages;
  Opening o;
  o.scanner = scanner(frameV14Flags());
  auto dialog = openPrefs(o);
  kit::TabView* tabs = dialog->tabView()->getTabView();
  runPrefs(*dialog, [&] {
    tabs->selectTabViewItemAtIndex(3);
    // The field takes five characters at most: "9.999" is the longest value with three decimals.
    typeInto(dialog->window(), dialog->mGammaTextF->getNumberField(), "9.999");
    clickView(tabs, middleOf(tabs->tabRect(2)));
    EXPECT_EQ(tabs->indexOfSelectedTabViewItem(), 2);
    EXPECT_EQ(dialog->mGammaTextF->getStringValue(), "9.99");
    clickView(dialog->okButton()->getPushBT());
  });
  EXPECT_TRUE(messages.shown.empty());
  EXPECT_TRUE(dialog->isOkClose());
  EXPECT_DOUBLE_EQ(dialog->getData()->getMonitorGamma(), 9.99);
}

TEST(PrefsFrame, NameSeparatorsBecomeDashesAsTyped) {
  BundleAnswer bundle;
  Opening o;
  o.scanner = scanner(launcherFlags());
  o.prefs.setSaveName(std::string("scan"));
  auto dialog = openPrefs(o);
  runPrefs(*dialog, [&] {
    dialog->tabView()->getTabView()->selectTabViewItemAtIndex(4);
    kit::TextField* name = dialog->mFilenameTextF->getTitle();
    typeInto(dialog->window(), name, "a:b/c");
    EXPECT_EQ(name->stringValue(), "a-b-c");
    name->insertText(":");
    EXPECT_EQ(name->stringValue(), "a-b-c-");
    clickView(dialog->okButton()->getPushBT());
  });
  ASSERT_TRUE(dialog->isOkClose());
  EXPECT_EQ(dialog->getData()->getSaveName(), "a-b-c-");
}

TEST(PrefsFrame, NameRejectedOnReturnMakesTheNextOkOnlyClearTheFlag) {
  BundleAnswer bundle;
  windows_test::FakeMessages messages;
  Opening o;
  o.scanner = scanner(launcherFlags());
  o.prefs.setSaveName(std::string("scan"));
  auto dialog = openPrefs(o);
  bool openAfterFirstOk = false;
  runPrefs(*dialog, [&] {
    dialog->tabView()->getTabView()->selectTabViewItemAtIndex(4);
    kit::TextField* name = dialog->mFilenameTextF->getTitle();
    typeInto(dialog->window(), name, ".x");
    name->performClick();  // Return
    EXPECT_EQ(messages.shown, std::vector<std::string>{"message:10005,0,0,0"});
    EXPECT_FALSE(dialog->canClose());
    // OK by its key equivalent (no mouse-down hand-shake in between).
    dialog->okButton()->getPushBT()->performClick();
    openAfterFirstOk = dialog->window()->isVisible() && !dialog->isOkClose();
    EXPECT_TRUE(dialog->canClose());
    dialog->okButton()->getPushBT()->performClick();
  });
  EXPECT_TRUE(openAfterFirstOk);
  EXPECT_TRUE(dialog->isOkClose());
  EXPECT_EQ(dialog->getData()->getSaveName(), "scan");
}

TEST(PrefsFrame, OkInADisabledGammaFieldClosesUnchecked) {
  BundleAnswer bundle;
  windows_test::FakeMessages messages;
  Opening o;
  o.scanner = scanner(frameV14Flags());
  o.prefs.setMonitorGamma(1.8);
  o.prefs.setColorSetting(4, 1);  // colour matching: the gamma field shows 2.20, disabled
  auto dialog = openPrefs(o);
  runPrefs(*dialog, [&] {
    dialog->tabView()->getTabView()->selectTabViewItemAtIndex(3);
    kit::TextField* gamma = dialog->mGammaTextF->getNumberField();
    EXPECT_FALSE(gamma->isEnabled());
    EXPECT_EQ(gamma->stringValue(), "2.20");
    dialog->window()->makeFirstResponder(gamma);
    dialog->okButton()->getPushBT()->performClick();
  });
  EXPECT_TRUE(dialog->isOkClose());
  EXPECT_TRUE(messages.shown.empty());
  EXPECT_DOUBLE_EQ(dialog->getData()->getMonitorGamma(), 1.8) << "the shown 2.20 was not taken";
}

TEST(PrefsFrame, RoundDownAndTrailingSlash) {
  struct Row {
    std::string text;
    int decimals;
    std::string expected;
  };
  for (const Row& r : std::vector<Row>{{"2.29", 1, "2.2"},
                                       {"", 2, "0.00"},
                                       {"10.009", 2, "10.00"},
                                       {"0.099", 2, "0.09"},
                                       {"0.29", 2, "0.29"},
                                       {"-1.25", 1, "-1.3"},
                                       {".", 2, "nan"},
                                       {"1e3", 2, "nan"},
                                       {"abc", 1, "nan"}})
    EXPECT_EQ(Quirel_PrefsDialog::roundDownForString(r.text, r.decimals), r.expected) << r.text;
  EXPECT_EQ(Quirel_PrefsDialog::deleteLastSlashAtPath("/"), "/");
  EXPECT_EQ(Quirel_PrefsDialog::deleteLastSlashAtPath("/a/b/"), "/a/b");
  EXPECT_EQ(Quirel_PrefsDialog::deleteLastSlashAtPath("/a/b"), "/a/b");
}
