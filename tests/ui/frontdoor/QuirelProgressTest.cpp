// The root with its real progress window: the data source's progress requests reach the
// window, and the window's Cancel leaves the library as "Cancel_Scan" with the root as sender.
#include <gtest/gtest.h>

#include "kit/Button.h"
#include "kit/ProgressIndicator.h"
#include "kit/TextField.h"
#include "kit/Window.h"
#include "ui/frontdoor/Quirel.h"
#include "ui/windows/ProgressWindow.h"

namespace {

fnd::Dictionary olderLayout() {
  return fnd::Dictionary{
      {"Uthric", fnd::Dictionary{{"ScannerInfo", fnd::Dictionary{{"Ver1500Later", false}}}}}};
}

}  // namespace

TEST(QuirelProgress, TheRootDrivesItsProgressWindowAndRelaysCancelOnce) {
  Quirel root(Quirel::kUseProgressWindow);
  auto* window = dynamic_cast<Quirel_ProgressWindow*>(root.progressWindow());
  ASSERT_NE(window, nullptr);
  const fnd::Dictionary init = olderLayout();
  root.setInitSetting(&init);
  EXPECT_EQ(window->layout(), 0);

  std::vector<const void*> senders;
  auto cancel = fnd::NotificationCenter::defaultCenter().observe(
      Quirel_ProgressWindow::kCancelScan, nullptr, [&](const fnd::Notification& n) { senders.push_back(n.sender); });

  root.createProgressWindow();
  const fnd::Dictionary info{{"MessageID", 1325}, {"ProgressBar", true}, {"CancelButton", true}, {"DetailInfo", true}};
  root.setInformationData(&info);
  root.showProgressWindow();
  ASSERT_NE(window->window(), nullptr);
  EXPECT_TRUE(window->window()->isVisible());
  root.setPercentage(35);
  root.setEstimatedRemainingTime(61);
  EXPECT_EQ(window->progressBar()->doubleValue(), 35);
  EXPECT_EQ(window->remainTimeInfo()->stringValue(), "More than an hour");

  window->cancelButton()->performClick();
  EXPECT_EQ(senders, (std::vector<const void*>{&root}));
  EXPECT_FALSE(window->cancelButton()->isEnabled());
  // Requests after the Cancel are dropped until the next build.
  root.setPercentage(80);
  EXPECT_EQ(window->progressBar()->doubleValue(), 35);
  window->cancelPost();  // the plain post also reaches the outside, status untouched
  EXPECT_EQ(senders.size(), 2u);

  root.closeProgressWindow();
  EXPECT_EQ(window->window(), nullptr);
  EXPECT_EQ(window->resultProgressWindow(), 0);
}

TEST(QuirelProgress, AProgressWindowOfAnotherRootIsNotRelayed) {
  Quirel root(Quirel::kUseProgressWindow);
  Quirel_ProgressWindow stray;
  int relayed = 0;
  auto cancel = fnd::NotificationCenter::defaultCenter().observe(
      Quirel_ProgressWindow::kCancelScan, nullptr, [&](const fnd::Notification&) { ++relayed; });
  stray.createProgressWindowMainThreadMode();
  stray.cancelButton()->performClick();
  EXPECT_EQ(relayed, 0);
  stray.closeProgressWindowMainThreadMode();
}
