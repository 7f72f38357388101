// The multi-page PDF and automatic-scan dialogs: their answers, the outward posts of the
// non-modal ones, help, and the fitting of the windows to their texts.

#include <gtest/gtest.h>

#include <filesystem>
#include <iostream>
#include <memory>
#include <string>
#include <vector>

#include "MessageBoxSupport.h"
#include "WindowDoubles.h"
#include "TestEnvironment.h"
#include "foundation/RunLoop.h"
#include "kit/Application.h"
#include "kit/RecordingWorkspace.h"
#include "ui/base/PostNotification.h"
#include "ui/base/progressCancelStatus.h"
#include "ui/windows/MultiPDFDialog.h"

using namespace message_test;

namespace {

kit::Application& mpdfApp() { return kit::Application::shared(); }

// Everything that leaves through the outward channel: name and user information.
struct OutwardPosts {
  OutwardPosts()
      : token(fnd::NotificationCenter::defaultCenter().observe(
            Quirel_PostNotification::kOverrideNotification, nullptr, [this](const fnd::Notification& n) {
              names.push_back(n.userInfo ? n.userInfo->string(Quirel_PostNotification::kOverrideNotificationName) : "");
              infos.push_back(n.userInfo ? *n.userInfo : fnd::Dictionary{});
              senders.push_back(n.sender);
            })) {}
  std::vector<std::string> names;
  std::vector<fnd::Dictionary> infos;
  std::vector<const void*> senders;
  fnd::NotificationCenter::Token token;
};

void runPasses() {
  for (int i = 0; i < 3; ++i) fnd::RunLoop::main().runOnce(fnd::RunLoopMode::Default, 0.01);
}

class MultiPDF : public ::testing::Test {
 protected:
  void SetUp() override { testBundleWithBadge(); }
  void TearDown() override { EXPECT_EQ(mpdfApp().pendingModalResponders(), 0u); }
  DataSourceAnswer ds{kProgramBundle};
  // The controller's answer to the localisation question.
  fnd::NotificationCenter::Token lc = fnd::NotificationCenter::defaultCenter().observe(
      Quirel_PVLocalizedBundle::kLocalizePostName, nullptr, [](const fnd::Notification& n) {
        if (auto carrier = Quirel_PVLocalizedBundle::fromLocalizeRequest(n)) carrier->setLocalizedBundleStr(kProgramBundle);
      });
  fnd::Dictionary params{{"ScannerInfo", fnd::Dictionary{{"Ver1910Later", false}}}};
};

}  // namespace

TEST_F(MultiPDF, DisplayDialogAgainFollowsTheCheckBox) {
  auto make = [&](int kind) {
    auto d = std::make_unique<Quirel_MultiPDFDialog>(params);
    if (kind == 0) d->createMultiPagePDFPullScanEndDialog(true);
    if (kind == 1) d->createMultiPagePDFPushScanStartDialog();
    if (kind == 4) d->createAutoScanConfirmDialog();
    return d;
  };
  for (int kind : {0, 1, 4}) {
    auto d = make(kind);
    ASSERT_NE(d->checkBox(), nullptr) << kind;
    EXPECT_EQ(d->displayDialogAgain(), 1) << kind;
    d->checkBox()->performClick();
    EXPECT_EQ(d->displayDialogAgain(), 0) << kind;
  }
  Quirel_MultiPDFDialog noAsk(params);
  noAsk.createMultiPagePDFPullScanEndDialog(false);
  EXPECT_EQ(noAsk.displayDialogAgain(), -1);
  Quirel_MultiPDFDialog pushEnd(params);
  pushEnd.createMultiPagePDFPushScanEndDialog(1);
  EXPECT_EQ(pushEnd.displayDialogAgain(), -1);
}

TEST_F(MultiPDF, EndOfPageDialogsPostTheFirstPressOnTheNextPass) {
  const int sender = 0;
  struct Case {
    bool push;
    bool exit;
    const char* name;
    long long button;
  } cases[] = {{false, false, Quirel_MultiPDFDialog::kPullEndPost, 1},
               {false, true, Quirel_MultiPDFDialog::kPullEndPost, 0},
               {true, false, Quirel_MultiPDFDialog::kPushEndPost, 1},
               {true, true, Quirel_MultiPDFDialog::kPushEndPost, 0}};
  for (const Case& c : cases) {
    OutwardPosts posts;
    Quirel_MultiPDFDialog d(params);
    d.setNotificationSender(&sender);
    if (c.push)
      d.createMultiPagePDFPushScanEndDialog(0);
    else
      d.createMultiPagePDFPullScanEndDialog(false);
    EXPECT_EQ(d.showDialog(), 1);
    EXPECT_TRUE(d.window()->isVisible());
    kit::Button* b = c.push ? (c.exit ? d.pushEndExitButton() : d.pushEndScanButton())
                            : (c.exit ? d.pullEndExitButton() : d.pullEndScanButton());
    Quirel_progressCancelStatus cancel;
    d.getMousedownEvent(&cancel);
    EXPECT_EQ(cancel.getCancelNum(), 0);
    b->performClick();
    EXPECT_TRUE(posts.names.empty()) << "posted from inside the action";
    runPasses();
    ASSERT_EQ(posts.names.size(), 1u) << c.name;
    EXPECT_EQ(posts.names[0], c.name);
    EXPECT_EQ(posts.infos[0].integer(Quirel_MultiPDFDialog::kButton), c.button);
    EXPECT_EQ(posts.senders[0], &sender);
    d.getMousedownEvent(&cancel);
    EXPECT_EQ(cancel.getCancelNum(), 1);
    // A second press, of either button, posts nothing.
    b->performClick();
    (c.push ? d.pushEndScanButton() : d.pullEndScanButton())->performClick();
    runPasses();
    EXPECT_EQ(posts.names.size(), 1u);
    d.closeDialog();
    EXPECT_FALSE(d.window()->isVisible());
  }

  // A dialog released before the next pass posts nothing.
  OutwardPosts posts;
  {
    Quirel_MultiPDFDialog d(params);
    d.createMultiPagePDFPullScanEndDialog(false);
    d.pullEndScanButton()->performClick();
  }
  runPasses();
  EXPECT_TRUE(posts.names.empty());
}

TEST_F(MultiPDF, PushEndPictureByButtonNumber) {
  struct Case {
    int button;
    const char* picture;
  } cases[] = {{0, "PDF_Color_N.tif"}, {1, "PDF_Gray_N.tif"}, {2, "PDF_Custom_N.tif"}, {3, "PDF_5Button_N.tif"},
               {-1, "PDF_5Button_N.tif"}};
  for (const Case& c : cases) {
    Quirel_MultiPDFDialog d(params);
    d.createMultiPagePDFPushScanEndDialog(c.button);
    EXPECT_EQ(d.pushEndScanPicture(), c.picture) << c.button;
    EXPECT_TRUE(d.pushEndScanButton()->image().isValid()) << c.button;
    EXPECT_TRUE(d.pushEndExitButton()->image().isValid());
  }
}

TEST_F(MultiPDF, AddPageShowsTheMessageAndBuildsNoWindow) {
  Quirel_MultiPDFDialog d(params);
  d.createMultiPagePDFPushScanAddPageDialog();
  windows_test::FakeMessages messages;
  EXPECT_EQ(d.showDialog(), 1);
  EXPECT_EQ(messages.shown, std::vector<std::string>{"message:1900,0,0,0"});
  EXPECT_EQ(d.window(), nullptr);
  EXPECT_EQ(d.dialogType(), 3);
}

TEST_F(MultiPDF, ModalDialogsAnswerTheirButton) {
  Quirel_MultiPDFDialog start(params);
  start.createMultiPagePDFPushScanStartDialog();
  mpdfApp().onNextModalWindow([&](kit::Window& w) {
    EXPECT_EQ(w.level(), 11);
    start.okButton()->performClick();
  });
  EXPECT_EQ(start.showDialog(), 1);
  EXPECT_FALSE(start.window()->isVisible());

  Quirel_MultiPDFDialog confirm(params);
  confirm.createAutoScanConfirmDialog();
  mpdfApp().onNextModalWindow([&](kit::Window&) { confirm.okButton()->performClick(); });
  EXPECT_EQ(confirm.showDialog(), 1);
}

TEST_F(MultiPDF, HelpPostsTheModeAndOpensOnlyWithHelpSettings) {
  kit::RecordingWorkspace workspace;
  const int sender = 0;
  {
    OutwardPosts posts;
    Quirel_MultiPDFDialog d(params);
    d.setNotificationSender(&sender);
    d.createAutoScanConfirmDialog();
    d.helpButton()->performClick();
    ASSERT_EQ(posts.names.size(), 1u);
    EXPECT_EQ(posts.names[0], Quirel_MultiPDFDialog::kHelpDataPost);
    EXPECT_EQ(posts.infos[0].integer("HELP"), 4);
    EXPECT_TRUE(workspace.requests.empty());
    EXPECT_FALSE(d.isInstalledHelp());
  }
  // With help settings the dialog asks the guide viewer (or the web manual), at the settings
  // anchor; the help counts as installed only when the viewer and the manual are there.
  const auto folder = testenv::freshFolder("mpdf-help");
  spit(folder / "viewer", "#!/bin/sh\n");
  spit(folder / "manual.pdf", "manual");
  fnd::Dictionary withHelp = params;
  withHelp.set("HelpFileInfo", fnd::Dictionary{{"ManualInfoFile", (folder / "ManualInfo.plist").string()},
                                               {"Anchor_SET", "settings"}});
  {
    Quirel_MultiPDFDialog d(withHelp);
    EXPECT_FALSE(d.isInstalledHelp());
  }
  fnd::PropertyList::writeFile(fnd::Value(fnd::Dictionary{{"AppPath", (folder / "viewer").string()},
                                                          {"HelpBook", (folder / "manual.pdf").string()},
                                                          {"Anchors", fnd::Dictionary{{"settings", "SET-PAGE"}}}}),
                               (folder / "ManualInfo.plist").string());
  Quirel_MultiPDFDialog d(withHelp);
  d.createAutoScanConfirmDialog();
  EXPECT_TRUE(d.isInstalledHelp());
  d.helpButton()->performClick();
  ASSERT_EQ(workspace.requests.size(), 1u);
  EXPECT_EQ(workspace.requests[0].target, (folder / "viewer").string());
  EXPECT_EQ(workspace.requests[0].arguments,
            (std::vector<std::string>{(folder / "manual.pdf").string(), "SET-PAGE"}));
}

TEST(MultiPDFFit, TextWidensUpToNineTenthsOfTheScreen) {
  struct Case {
    int type;
    double screen;
    double measured;
    double checkBox;
    double textWidth;
  } cases[] = {
      {0, 1000, 200, 0, 380},     // short text keeps the table's width
      {0, 1000, 600, 0, 600},     // a longer one widens the window
      {0, 1000, 2000, 0, 852},    // but never past 0.9 x 1000 - 48
      {4, 1000, 100, 450, 450},   // the check box's own width counts
      {2, 1000, 100, 0, 430},     // the push-end text is 430 wide
      {2, 500, 5000, 0, 430},     // a narrow screen never narrows below the table
  };
  for (const Case& c : cases) {
    const fnd::Rect frame(24, c.type == 2 ? 95 : 85, c.type == 2 ? 430 : 380, 17);
    const auto fit = Quirel_MultiPDFDialog::fitTextDialog(c.type, c.screen, fnd::Size(c.measured, 34), c.checkBox, frame,
                                                          fnd::Size(96, 32), 12, fnd::Size(96, 32), 12);
    EXPECT_DOUBLE_EQ(fit.text.size.width, c.textWidth) << c.type << " " << c.measured;
    EXPECT_DOUBLE_EQ(fit.content.width, c.textWidth + 48);
    EXPECT_DOUBLE_EQ(fit.content.height, 34 + frame.origin.y + 17);
    EXPECT_DOUBLE_EQ(fit.separatorWidth, c.textWidth + 24);
    if (c.type == 2) {
      EXPECT_DOUBLE_EQ(fit.right.origin.x + fit.right.size.width, fit.content.width - 25);
      EXPECT_DOUBLE_EQ(fit.left.origin.x + fit.left.size.width, fit.right.origin.x - 15);
    } else {
      EXPECT_DOUBLE_EQ(fit.right.origin.x + fit.right.size.width, fit.content.width - 12);
      EXPECT_DOUBLE_EQ(fit.left.origin.x + fit.left.size.width, fit.right.origin.x - 2);
    }
    EXPECT_LE(fit.content.width, std::max(0.9 * c.screen, c.textWidth + 48));
  }
}

TEST(MultiPDFFit, PushStartNumbers) {
  // Short texts: the panels keep 171, the lower block pads both explanations.
  auto fit = Quirel_MultiPDFDialog::fitPushStartDialog(12, {60, 70, 80, 50}, [](double) { return 40; },
                                                       [](double) { return 20; });
  EXPECT_DOUBLE_EQ(fit.topTextHeight, 17);
  EXPECT_DOUBLE_EQ(fit.panelWidth, 171);
  EXPECT_DOUBLE_EQ(fit.explainWidth, 466);
  EXPECT_DOUBLE_EQ(fit.scanExplainHeight, 55);
  EXPECT_DOUBLE_EQ(fit.finishExplainHeight, 38);
  EXPECT_DOUBLE_EQ(fit.lowerBlockHeight, 52 + 12 + 38 + 9 + 76);
  EXPECT_DOUBLE_EQ(fit.content.height, 187 + 55 + 8 + 17 + 20);
  EXPECT_DOUBLE_EQ(fit.content.width, 683);

  // A wide label narrows the explanations; tall texts add no padding.
  double askedWidth = 0;
  fit = Quirel_MultiPDFDialog::fitPushStartDialog(
      30, {150}, [&](double w) { askedWidth = w; return 200; }, [](double) { return 60; });
  EXPECT_DOUBLE_EQ(fit.panelWidth, 213);
  EXPECT_DOUBLE_EQ(fit.explainWidth, 424);
  EXPECT_DOUBLE_EQ(askedWidth, 424);
  EXPECT_DOUBLE_EQ(fit.lowerBlockHeight, 52 + 78 + 9);
  EXPECT_DOUBLE_EQ(fit.content.height, 139 + 215 + 8 + 30 + 20);
}

TEST_F(MultiPDF, Screenshots) {
  const auto shots = testenv::freshFolder("multi-pdf-dialogs");
  struct Shot {
    const char* name;
    std::function<void(Quirel_MultiPDFDialog&)> build;
  } shotsToTake[] = {
      {"pdf-0-ask.png", [](Quirel_MultiPDFDialog& d) { d.createMultiPagePDFPullScanEndDialog(true); }},
      {"pdf-0-next.png", [](Quirel_MultiPDFDialog& d) { d.createMultiPagePDFPullScanEndDialog(false); }},
      {"pdf-1-push-start.png", [](Quirel_MultiPDFDialog& d) { d.createMultiPagePDFPushScanStartDialog(); }},
      {"pdf-2-push-end.png", [](Quirel_MultiPDFDialog& d) { d.createMultiPagePDFPushScanEndDialog(1); }},
      {"pdf-4-auto.png", [](Quirel_MultiPDFDialog& d) { d.createAutoScanConfirmDialog(); }},
  };
  for (const Shot& s : shotsToTake) {
    Quirel_MultiPDFDialog d(params);
    s.build(d);
    d.window()->makeKeyAndOrderFront();
    EXPECT_TRUE(d.window()->grabToPng((shots / s.name).string()));
    d.window()->orderOut();
  }
  std::cout << "multi-page PDF dialog screenshots: " << shots << std::endl;
}
