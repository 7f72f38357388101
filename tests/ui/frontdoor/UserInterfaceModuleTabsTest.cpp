// Changing tabs (the confirmation by generation, its "do not ask again" box, the way back from
// the multi-scan mode) and enabling the controls around previews, also from other threads.
#include <gtest/gtest.h>

#include <thread>

#include "UserInterfaceModuleSupport.h"
#include "foundation/RunLoop.h"
#include "kit/TabView.h"
#include "ui/controls/CTRLS_PreviewFrame.h"
#include "ui/controls/CTRLS_TOOLView.h"
#include "ui/controls/CTRLS_TabView.h"
#include "ui/model/PreferenceInfo.h"
#include "ui/modes/basic/StandardMode.h"
#include "ui/modes/multiscan/MultiScanMode.h"
#include "ui/modes/toolbar/Toolbar.h"
#include "ui/windows/CheckBoxDialog.h"

namespace uim_test {
namespace {

kit::Application& tabsApp() { return kit::Application::shared(); }

// Shown without the start-up preview, whose run keeps the window disabled until the scanner
// answers.
void showWithoutPreview(const Controller& c) {
  c->getPreferenceInfo()->setPrevStart(1);
  c->showMainWindowMainThreadMode();
}

class UserInterfaceModuleTabs : public ::testing::Test {
 protected:
  void TearDown() override {
    // An answer a failed test left unused would answer the next test's dialog.
    while (tabsApp().pendingModalResponders() > 0) {
      kit::Window spare(fnd::Rect(0, 0, 10, 10), kit::kTitledWindowMask);
      tabsApp().runModalForWindow(spare);
    }
  }
};

// Basic to multi-scan asks on 1500 and later only: 1611, or 1612 when there is a preview.
TEST_F(UserInterfaceModuleTabs, BasicToMultiScanAsksByGenerationAndPreview) {
  struct Case {
    bool ver1500;
    bool hasPreview;
    int message;  // 0: no question
  };
  const Case cases[] = {{true, false, 1611}, {true, true, 1612}, {false, false, 0}, {false, true, 0}};
  for (const Case& k : cases) {
    SCOPED_TRACE(std::to_string(k.ver1500) + "/" + std::to_string(k.hasPreview));
    DataSourceStandIn ds;
    const std::string folder = freshSettingsFolder("uimt-ask");
    storeStartMode(folder, 0, k.hasPreview);
    Controller c(generationInitSetting(folder, k.ver1500));
    showWithoutPreview(c);
    ASSERT_EQ(c->getStandardMode()->getHasPreview(), k.hasPreview);
    // A kept preview is worked again on show, with the window held until the preview's end,
    // which the scanner would bring.
    if (k.hasPreview) c->getStandardMode()->setEnabledMainWindow(true);
    std::string asked;
    if (k.message) {
      tabsApp().onNextModalWindow([&](kit::Window& w) {
        auto& dialog = dynamic_cast<Quirel_CheckBoxDialog&>(w);
        asked = dialog.messageField()->stringValue();
        EXPECT_EQ(dialog.focusBtn(), Quirel_CheckBoxDialog::kFocusOK);
        dialog.okButton()->performClick();
      });
    }
    EXPECT_TRUE(clickModeTab(c, 2));
    EXPECT_EQ(tabsApp().pendingModalResponders(), 0u);
    if (k.message) {
      EXPECT_EQ(asked, questionText(k.message));
    }
    EXPECT_EQ(c->getMode(), 2);
    EXPECT_EQ(c->getBeforeMode(), 0);
    EXPECT_EQ(c->getToolbar()->getUIMode(), 2);
    EXPECT_FALSE(c->isTabChanging());
    EXPECT_GT(c->getMultiScanMode()->getHiddenWidth(), 0);
  }
}

TEST_F(UserInterfaceModuleTabs, CancelRefusesAndASecondClickDuringTheQuestionIsRefused) {
  DataSourceStandIn ds;
  const std::string folder = freshSettingsFolder("uimt-cancel");
  storeStartMode(folder, 0, false);
  Controller c(generationInitSetting(folder, true));
  showWithoutPreview(c);
  bool secondAnswer = true;
  tabsApp().onNextModalWindow([&](kit::Window& w) {
    EXPECT_TRUE(c->isTabChanging());
    EXPECT_EQ(c->getNextMode(), 2);
    secondAnswer = clickModeTab(c, 2);
    dynamic_cast<Quirel_CheckBoxDialog&>(w).cancelButton()->performClick();
  });
  EXPECT_FALSE(clickModeTab(c, 2));
  EXPECT_FALSE(secondAnswer);
  EXPECT_EQ(c->getMode(), 0);
  EXPECT_FALSE(c->isTabChanging());
  EXPECT_EQ(c->getTabView()->getTabView()->selectedTabViewItem(), c->getTabView()->standardTabItem());
  EXPECT_TRUE(c->getShowChangeTabMsg());
}

TEST_F(UserInterfaceModuleTabs, WithTheSystemButtonsDisabledEveryChangeIsRefused) {
  for (int from : {0, 2}) {
    SCOPED_TRACE(from);
    DataSourceStandIn ds;
    const std::string folder = freshSettingsFolder("uimt-disabled");
    storeStartMode(folder, from, false);
    Controller c(generationInitSetting(folder, false));
    showWithoutPreview(c);
    c.window()->setEnabledSystemBtn(false);
    EXPECT_FALSE(clickModeTab(c, from == 0 ? 2 : 0));
    EXPECT_EQ(c->getMode(), from);
    EXPECT_FALSE(c->isTabChanging());
  }
}

// Ticking the box and confirming stops the question, in this run and the next.
TEST_F(UserInterfaceModuleTabs, ATickedBoxStopsTheQuestionAlsoAfterARestart) {
  DataSourceStandIn ds;
  const std::string folder = freshSettingsFolder("uimt-tick");
  storeStartMode(folder, 0, false);
  {
    Controller c(generationInitSetting(folder, true));
    showWithoutPreview(c);
    tabsApp().onNextModalWindow([&](kit::Window& w) {
      auto& dialog = dynamic_cast<Quirel_CheckBoxDialog&>(w);
      dialog.checkBox()->performClick();
      dialog.okButton()->performClick();
    });
    EXPECT_TRUE(clickModeTab(c, 2));
    EXPECT_FALSE(c->getShowChangeTabMsg());
    // Back and forth again without a question (an unexpected one would find no answer).
    EXPECT_TRUE(clickModeTab(c, 0));
    EXPECT_TRUE(clickModeTab(c, 2));
    EXPECT_EQ(c->getMode(), 2);
    c->closeMainWindowMainThreadMode();
  }
  Controller again(generationInitSetting(folder, true));
  EXPECT_FALSE(again->getShowChangeTabMsg());
  showWithoutPreview(again);
  EXPECT_EQ(again->getMode(), 2);
  EXPECT_TRUE(clickModeTab(again, 0));
  EXPECT_TRUE(clickModeTab(again, 2));
  EXPECT_EQ(tabsApp().pendingModalResponders(), 0u);
}

// The multi-scan mode sends its own input source when it differs from the basic mode's.
TEST_F(UserInterfaceModuleTabs, EnteringTheMultiScanModeSendsADifferingInputSource) {
  for (int source : {0, 5}) {
    SCOPED_TRACE(source);
    DataSourceStandIn ds;
    const std::string folder = freshSettingsFolder("uimt-source");
    storeStartMode(folder, 0, false);
    // Models before 1400 choose the multi-scan source themselves.
    fnd::Dictionary initSetting = modelInitSetting(folder);
    initSetting.set("Uthric", modelParametersWith([](fnd::Dictionary& s) {
      for (const char* key : {"Ver1400Later", "Ver1500Later", "Ver1600Later", "Ver1700Later", "Ver1800Later",
                              "Ver1900Later", "Ver1910Later"})
        s.set(key, false);
    }));
    Controller c(initSetting);
    const fnd::Dictionary multi{{"ImageSource", source}};
    c->getMultiScanMode()->setLastSetting(&multi);
    showWithoutPreview(c);
    const std::size_t before = ds.requestInfo.size();
    EXPECT_TRUE(clickModeTab(c, 2));
    std::vector<fnd::Value> sent;
    for (std::size_t i = before; i < ds.requestInfo.size(); ++i)
      if (ds.requestInfo[i].string("OverrideNotificationName") == "changeInputSourcePost")
        sent.push_back(ds.requestInfo[i].get("InputSource"));
    EXPECT_EQ(sent, source == 0 ? std::vector<fnd::Value>{} : std::vector<fnd::Value>{fnd::Value(3)});
  }
}

// Back to the basic mode: no question, the window widened again and the preview area laid
// out beside the tabs.
TEST_F(UserInterfaceModuleTabs, LeavingTheMultiScanModeAsksNothingAndLaysThePreviewAreaOut) {
  DataSourceStandIn ds;
  const std::string folder = freshSettingsFolder("uimt-leave");
  storeStartMode(folder, 2, false);
  Controller c(generationInitSetting(folder, true));
  showWithoutPreview(c);
  const double narrow = c.window()->frame().size.width;
  EXPECT_TRUE(clickModeTab(c, 0));
  EXPECT_EQ(c->getMode(), 0);
  EXPECT_FALSE(c->isTabChanging());
  EXPECT_GT(c.window()->frame().size.width, narrow);
  const fnd::Size content = c.window()->contentRectSize();
  const double tabWidth = c->getTabView()->getTabView()->frame().size.width;
  // The basic mode's own preview layout then settles the frame's height under the toolbar.
  const fnd::Rect frame = c->getPreviewFrame()->getFrameView()->frame();
  EXPECT_EQ(frame.origin, fnd::Point(10, 10));
  EXPECT_EQ(frame.size.width, content.width - (tabWidth + 10));
  EXPECT_EQ(c->getToolbar()->getToolbarView()->getToolViewRect().size.width, content.width - (tabWidth + 5));
  EXPECT_FALSE(c->getPreviewFrame()->getFrameView()->isHidden());
  EXPECT_EQ(c->getToolbar()->getUIMode(), 0);
}

// ---- enabling -----------------------------------------------------------------------------------

TEST_F(UserInterfaceModuleTabs, AResultListStillShowingKeepsTheMultiScanControlsDisabled) {
  DataSourceStandIn ds;
  const std::string folder = freshSettingsFolder("uimt-result");
  storeStartMode(folder, 2, false);
  Controller c(generationInitSetting(folder, true));
  const fnd::Dictionary multi{{"ShowResult", true}};
  c->getMultiScanMode()->setLastSetting(&multi);
  showWithoutPreview(c);
  c->setDisableMainWindowControlMainThreadMode();
  EXPECT_FALSE(c.window()->isEnabled());

  c->getStandardMode()->setProgressStatusValue(0);
  c->setEnableControlMainWindow(true);
  EXPECT_FALSE(c.window()->isEnabled());
  // The scan is over, but the result window shows.
  c->getStandardMode()->setProgressStatusValue(-1);
  c->getMultiScanMode()->setResultShowStatus(fnd::Notification{});
  c->setEnableControlMainWindow(true);
  EXPECT_FALSE(c.window()->isEnabled());
  c->getMultiScanMode()->setResultCloseStatus(fnd::Notification{});
  c->setEnableControlMainWindow(true);
  EXPECT_TRUE(c.window()->isEnabled());
}

TEST_F(UserInterfaceModuleTabs, EnablingAskedFromAnotherThreadWaitsForTheMainThreadAndNotForTheCaller) {
  DataSourceStandIn ds;
  const std::string folder = freshSettingsFolder("uimt-thread");
  storeStartMode(folder, 2, false);
  Controller c(generationInitSetting(folder, true));
  showWithoutPreview(c);
  auto& center = fnd::NotificationCenter::defaultCenter();
  std::thread([&] { center.post("disableMainWindowControlPost", nullptr); }).join();
  EXPECT_TRUE(c.window()->isEnabled());
  fnd::RunLoop::main().runOnce(fnd::RunLoopMode::Default, 0.01);
  EXPECT_FALSE(c.window()->isEnabled());
  std::thread([&] { center.post("enableMainWindowControlPost", nullptr); }).join();
  fnd::RunLoop::main().runOnce(fnd::RunLoopMode::Default, 0.01);
  EXPECT_TRUE(c.window()->isEnabled());
  // On the main thread at once.
  center.post("disableMainWindowControlPost", nullptr);
  EXPECT_FALSE(c.window()->isEnabled());
  // The data source's own request, from its object only.
  center.post("enableMultiScanWindowPost", nullptr);
  EXPECT_FALSE(c.window()->isEnabled());
  center.post("enableMultiScanWindowPost", &c.dataSourceObject);
  EXPECT_TRUE(c.window()->isEnabled());
}

TEST_F(UserInterfaceModuleTabs, ALateEnablingOfAControllerThatWentDoesNothing) {
  DataSourceStandIn ds;
  auto c = std::make_unique<Controller>(generationInitSetting(freshSettingsFolder("uimt-late"), true));
  showWithoutPreview(*c);
  std::thread([] { fnd::NotificationCenter::defaultCenter().post("disableMainWindowControlPost", nullptr); }).join();
  c.reset();
  fnd::RunLoop::main().runOnce(fnd::RunLoopMode::Default, 0.01);
  SUCCEED();
}

}  // namespace
}  // namespace uim_test
