#include <gtest/gtest.h>

#include <iostream>

#include "../base/MessageTestSupport.h"
#include "ProgressWindowTestSupport.h"
#include "kit/ProgressIndicator.h"
#include "ui/base/MessageText.h"

using namespace progress_test;

namespace {

std::string uiText(const std::string& key) {
  Quirel_PVLocalizedString strings(MES_LocalizerForBundle(""));
  return strings.ls_localizedStringForKey(key, "UserInterface").value_or(key);
}


void setInfo(Quirel_ProgressWindow& w, const fnd::Dictionary& info) { w.setInformationDataMainThreadMode(&info); }

}  // namespace

TEST(ProgressWindow, PercentageOnlyGrowsAndIsLostWhileTheBarIsHidden) {
  Progress p(false);
  Quirel_ProgressWindow& w = p.w;
  EXPECT_TRUE(w.progressBar()->isHidden());
  w.setPercentageMainThreadMode(30);  // lost: the bar is hidden
  setInfo(w, {{"MessageID", 1325}, {"ProgressBar", true}});
  ASSERT_FALSE(w.progressBar()->isHidden());
  EXPECT_EQ(w.progressBar()->doubleValue(), 0);
  w.setPercentageMainThreadMode(20);  // the next larger one shows
  EXPECT_EQ(w.progressBar()->doubleValue(), 20);
  EXPECT_EQ(w.percentText()->stringValue(), "20%");
  w.setPercentageMainThreadMode(50);
  w.setPercentageMainThreadMode(0);
  w.setPercentageMainThreadMode(50);
  EXPECT_EQ(w.progressBar()->doubleValue(), 50);
  EXPECT_EQ(w.percentText()->stringValue(), "50%");
}

TEST(ProgressWindow, RemainingTimeTextsAndLabel) {
  Progress p(false);
  Quirel_ProgressWindow& w = p.w;
  setInfo(w, {{"MessageID", 1325}, {"DetailInfo", true}, {"RemainTimeInfo", true}});
  const fnd::Rect withLabel = w.remainTimeInfo()->frame();

  w.setEstimatedRemainingTimeMainThreadMode(-1);
  EXPECT_TRUE(w.remainTimeLabel()->isHidden());
  EXPECT_EQ(w.remainTimeInfo()->stringValue(), uiText("IDS_THUMBNAIL_ON_XFER"));
  EXPECT_LT(w.remainTimeInfo()->frame().minX(), withLabel.minX());  // takes the label's place

  struct Row {
    int minutes;
    std::string text;
  };
  const Row rows[] = {{0, uiText("IDS_PROGRESS_SCAN_ONE_MINUTE")},
                      {60, "About 60 min"},
                      {61, uiText("IDS_PROGRESS_SCAN_MORE_AN_HOUR")},
                      {70000, uiText("IDS_PROGRESS_SCAN_MORE_AN_HOUR")}};  // clamped, never wrapped
  for (const Row& r : rows) {
    w.setEstimatedRemainingTimeMainThreadMode(r.minutes);
    EXPECT_FALSE(w.remainTimeLabel()->isHidden()) << r.minutes;
    EXPECT_EQ(w.remainTimeInfo()->stringValue(), r.text) << r.minutes;
    EXPECT_EQ(w.remainTimeInfo()->frame(), withLabel) << r.minutes;
  }
}

TEST(ProgressWindow, NewerLayoutShowsScanningWithZeroPercentForANegativeMessage) {
  Progress p(true);
  Quirel_ProgressWindow& w = p.w;
  EXPECT_EQ(w.window()->contentRectSize().width, 390);
  setInfo(w, {{"MessageID", -5}});
  EXPECT_FALSE(w.message1()->isHidden());
  EXPECT_EQ(w.message1()->stringValue(), catalogueText(1325));
  EXPECT_FALSE(w.percentText()->isHidden());
  EXPECT_EQ(w.percentText()->stringValue(), "0%");
  // 106 becomes 1313 in the newer layout and stays itself in the older one.
  setInfo(w, {{"MessageID", 106}});
  EXPECT_EQ(w.message1()->stringValue(), catalogueText(1313));
  Progress older(false);
  setInfo(older.w, {{"MessageID", 106}});
  EXPECT_EQ(older.w.message1()->stringValue(), catalogueText(106));
  setInfo(older.w, {{"MessageID", -5}});
  EXPECT_TRUE(older.w.message1()->isHidden());
  EXPECT_EQ(older.w.percentText()->stringValue(), "0%");
}

TEST(ProgressWindow, Message1317BecomesTheTransferInformationWithScanningInfo) {
  Progress p(true);
  Quirel_ProgressWindow& w = p.w;
  setInfo(w, {{"MessageID", 1325}, {"ScanInfo", scanWithCrops(3)}});
  w.setMessageFieldInfoMainThreadMode(1317, std::string("%d %d"), {2, 3});
  EXPECT_EQ(w.message1()->stringValue(), catalogueText(1321));
  EXPECT_TRUE(w.message2()->isHidden());
  EXPECT_FALSE(w.progressBar()->isHidden());
  EXPECT_TRUE(w.cancelButton()->isHidden());
  EXPECT_TRUE(w.detailDisp());
  EXPECT_FALSE(w.detailSimpleDisp());
  EXPECT_EQ(w.heightState(), Quirel_ProgressLayout::kStateSimple);
  EXPECT_EQ(w.scanStatusInfo()->stringValue(), "Area 2 of 3");
  EXPECT_EQ(w.getCropNow(), 2);
  w.showProgressWindowMainThreadMode();
  const std::string png = (testenv::freshFolder("progress-transfer") / "progress-transfer.png").string();
  ASSERT_TRUE(w.window()->grabToPng(png));
  std::cout << "progress window screenshot: " << png << std::endl;
}

// Catalogue texts are never formats: only the known placeholders take the numbers.
TEST(ProgressWindow, MessageFieldFillsPlaceholdersLiterally) {
  message_test::DataSourceAnswer ds{message_test::testBundle()};
  message_test::CatalogueOverride catalogue(message_test::testCatalogue(), "progress-catalogue");
  Progress p(false);
  Quirel_ProgressWindow& w = p.w;
  w.setMessageFieldInfoMainThreadMode(6, std::string("%d"), {5});
  EXPECT_TRUE(w.message1()->isHidden());
  EXPECT_FALSE(w.message2()->isHidden());
  EXPECT_EQ(w.message2()->stringValue(), "Odd %n and %10s and %x then 5.");
  w.setMessageFieldInfoMainThreadMode(7, std::string("%d"), {9});
  EXPECT_EQ(w.message2()->stringValue(), "Enter at most 9.");
  w.setMessageFieldInfoMainThreadMode(7, std::nullopt, {});
  EXPECT_EQ(w.message2()->stringValue(), "Enter at most %d.");
  // With the message field up, a new message number leaves the field alone.
  setInfo(w, {{"MessageID", 1}});
  EXPECT_TRUE(w.message1()->isHidden());
  EXPECT_EQ(w.message2()->stringValue(), "Enter at most %d.");
}

TEST(ProgressWindow, ADictionaryWithoutDetailInfoKeepsTheHeightAndStopsScanningInfo) {
  Progress p(true);
  Quirel_ProgressWindow& w = p.w;
  setInfo(w, {{"MessageID", 1325}, {"DetailInfo", true}, {"ScanInfo", scanWithCrops(2)}});
  w.setScanningInfoMainThreadMode(1, 2, 1);
  EXPECT_EQ(w.scanStatusInfo()->stringValue(), "Area 1 of 2");
  const double height = p.height();
  setInfo(w, {{"MessageID", 1325}, {"ProgressBar", false}});
  EXPECT_EQ(p.height(), height);
  EXPECT_FALSE(w.detailDisp());
  w.setScanningInfoMainThreadMode(2, 2, 1);
  EXPECT_EQ(w.scanStatusInfo()->stringValue(), "Area 1 of 2");
}

// Every height state of both layouts is the pure layout's number for the boxes shown.
TEST(ProgressWindow, HeightStatesComeFromTheLayout) {
  for (bool newer : {false, true}) {
    SCOPED_TRACE(newer ? "newer" : "older");
    Progress p(newer);
    Quirel_ProgressWindow& w = p.w;
    const std::int32_t layout = newer ? 1 : 0;
    const auto expected = [&](std::int32_t state) {
      return Quirel_ProgressLayout::windowHeight(layout, state, w.messageBox()->frame().size.height,
                                                 w.infoBox()->frame().size.height, 0);
    };
    setInfo(w, {{"MessageID", 1325}, {"ProgressBar", true}, {"CancelButton", true}, {"DetailInfo", false}});
    EXPECT_EQ(w.heightState(), 1);
    EXPECT_EQ(p.height(), expected(1));
    if (!newer) {
      EXPECT_EQ(p.height(), 150);
    }

    const double top = p.top();
    setInfo(w, {{"MessageID", 1325}, {"ProgressBar", true}, {"CancelButton", true}, {"DetailInfo", true}});
    EXPECT_EQ(w.heightState(), 2);
    EXPECT_EQ(p.height(), expected(2));
    EXPECT_EQ(p.top(), top);  // the window grows downward

    w.disclosureButton()->performClick();
    EXPECT_EQ(w.heightState(), 3);
    EXPECT_EQ(p.height(), w.unfoldedWindowHeight());
    EXPECT_EQ(p.height(), Quirel_ProgressLayout::windowHeight(layout, 3, w.messageBox()->frame().size.height,
                                                              w.infoBox()->frame().size.height,
                                                              w.setLayoutDetailView(1)));
    EXPECT_GT(p.height(), expected(2));
    EXPECT_EQ(p.top(), top);
    w.disclosureButton()->performClick();
    EXPECT_EQ(w.heightState(), 2);
    EXPECT_EQ(p.height(), expected(2));

    setInfo(w, {{"MessageID", 1325}, {"DetailInfo", true}, {"DetailInfoSimple", true}});
    EXPECT_EQ(w.heightState(), 4);
    EXPECT_EQ(p.height(), expected(4));
    EXPECT_TRUE(w.disclosureButton()->isHidden());
    if (!newer) {
      EXPECT_EQ(p.height(), 217);
    }
    EXPECT_EQ(p.top(), top);
  }
}

TEST(ProgressWindow, AfterCancelGatedCallsDoNothingAndCancelScanLeavesOnce) {
  Progress p(false);
  Quirel_ProgressWindow& w = p.w;
  setInfo(w, {{"MessageID", 1325}, {"ProgressBar", true}, {"CancelButton", true}});
  w.showProgressWindowMainThreadMode();
  std::vector<std::int32_t> statuses;
  auto status = fnd::NotificationCenter::defaultCenter().observe(
      Quirel_ProgressWindow::kProgressStatusPost, nullptr, [&](const fnd::Notification& n) {
        if (auto* window = Quirel_ProgressWindow::fromNotification(n)) statuses.push_back(window->resultProgressWindow());
      });
  OutwardCancels cancels(&w);
  w.setPercentageMainThreadMode(40);
  w.cancelButton()->performClick();
  EXPECT_EQ(w.resultProgressWindow(), -1);
  EXPECT_EQ(statuses, (std::vector<std::int32_t>{-1}));
  EXPECT_EQ(cancels.count, 1);
  EXPECT_FALSE(w.cancelButton()->isEnabled());

  const std::string text = w.message1()->stringValue();
  setInfo(w, {{"MessageID", 1317}, {"CancelButton", true}, {"ProgressBar", false}});
  w.setPercentageMainThreadMode(90);
  w.setEstimatedRemainingTimeMainThreadMode(5);
  w.setMessageFieldInfoMainThreadMode(1317, std::nullopt, {});
  w.setScanningInfoMainThreadMode(1, 1, 1);
  EXPECT_EQ(w.message1()->stringValue(), text);
  EXPECT_FALSE(w.progressBar()->isHidden());
  EXPECT_EQ(w.progressBar()->doubleValue(), 40);
  EXPECT_FALSE(w.cancelButton()->isEnabled());
  EXPECT_EQ(cancels.count, 1);
  // A new build starts over.
  w.createProgressWindowMainThreadMode();
  EXPECT_EQ(w.resultProgressWindow(), 0);
  EXPECT_TRUE(w.cancelButton()->isEnabled());
}

TEST(ProgressWindow, WithAHookOnlyTheCarriersNumberBecomesOne) {
  Progress p(false);
  Quirel_ProgressWindow& w = p.w;
  setInfo(w, {{"MessageID", 1325}, {"CancelButton", true}});
  OutwardCancels cancels;
  auto carrier = std::make_shared<Quirel_progressCancelStatus>();
  carrier->setCancelNum(7);
  w.attachMousedownEventMainThreadMode(carrier);
  EXPECT_EQ(carrier->getCancelNum(), 0);
  w.cancelButton()->performClick();
  EXPECT_EQ(carrier->getCancelNum(), 1);
  EXPECT_EQ(cancels.count, 0);
  EXPECT_TRUE(w.cancelButton()->isEnabled());
  EXPECT_EQ(w.resultProgressWindow(), -1);
  // A hook attached after the press hears of it at once.
  auto later = std::make_shared<Quirel_progressCancelStatus>();
  w.attachMousedownEventMainThreadMode(later);
  EXPECT_EQ(later->getCancelNum(), 1);
}

TEST(ProgressWindow, StatusPostNamesTheWindowAndTheLevelFollowsTheMainWindow) {
  Quirel_ProgressWindow w;
  std::vector<Quirel_ProgressWindow*> named;
  auto status = fnd::NotificationCenter::defaultCenter().observe(
      Quirel_ProgressWindow::kProgressStatusPost, nullptr,
      [&](const fnd::Notification& n) { named.push_back(Quirel_ProgressWindow::fromNotification(n)); });
  kit::Window main(fnd::Rect(100, 100, 600, 400), kit::kTitledWindowMask);
  main.setLevel(4);
  auto answer = fnd::NotificationCenter::defaultCenter().observe(
      Quirel_ProgressWindow::kSetMainWindowObjectPost, nullptr, [&](const fnd::Notification& n) {
        if (auto* window = Quirel_ProgressWindow::fromNotification(n)) window->setMainWindowObject(&main);
      });
  w.createProgressWindowMainThreadMode();
  EXPECT_EQ(named, (std::vector<Quirel_ProgressWindow*>{&w}));
  EXPECT_EQ(w.mainWindowObject(), &main);
  fnd::Notification stranger{Quirel_ProgressWindow::kProgressStatusPost, &main, nullptr};
  EXPECT_EQ(Quirel_ProgressWindow::fromNotification(stranger), nullptr);

  w.showProgressWindowMainThreadMode();
  EXPECT_EQ(w.resultProgressWindow(), 2);
  // Centred on the main window.
  EXPECT_NEAR(w.window()->frame().midX(), main.frame().midX(), 1);
  w.windowDidUpdate(*w.window());
  EXPECT_EQ(w.window()->level(), 7);
  w.setMainWindowObject(nullptr);
  w.windowDidBecomeKey(*w.window());
  EXPECT_EQ(w.window()->level(), 12);
  w.closeProgressWindowMainThreadMode();
  EXPECT_EQ(w.resultProgressWindow(), 0);
  EXPECT_EQ(w.window(), nullptr);
  EXPECT_FALSE(w.isShown());
}

// Both layouts with the detail unfolded, written to look at.
TEST(ProgressWindow, ScreenshotsOfBothLayoutsUnfolded) {
  for (bool newer : {false, true}) {
    Progress p(newer, true, true);
    Quirel_ProgressWindow& w = p.w;
    auto answer = fnd::NotificationCenter::defaultCenter().observe(
        Quirel_ProgressWindow::kSetImageSourceAndColorModeStrPost, nullptr, [](const fnd::Notification& n) {
          if (auto* window = Quirel_ProgressWindow::fromNotification(n)) {
            window->setScanMode(1);
            window->setImageSourceString("Document table", 0);
            window->setColorModeString("24-bit Colour", 3);
          }
        });
    setInfo(w, {{"MessageID", 1325},
                {"ProgressBar", true},
                {"CancelButton", true},
                {"PercentText", 1},
                {"DetailInfo", true},
                {"RemainTimeInfo", true},
                {"ScanInfo", scanWithCrops(2)}});
    w.disclosureButton()->performClick();
    w.showProgressWindowMainThreadMode();
    w.setPercentageMainThreadMode(42);
    w.setScanningInfoMainThreadMode(2, 2, 1);
    w.setEstimatedRemainingTimeMainThreadMode(3);
    EXPECT_EQ(w.detailValue(2)->stringValue(), "101 dpi");
    const std::string png =
        (testenv::freshFolder(newer ? "progress-newer" : "progress-older") / "progress.png").string();
    ASSERT_TRUE(w.window()->grabToPng(png));
    std::cout << "progress window screenshot: " << png << std::endl;
    RecordProperty(newer ? "newer" : "older", png);
  }
}
