// A scan of the simulated scanner through the data source and the front door's real root: the
// progress window comes up, its bar rises with the module's percentages, and its Cancel ends
// the scan in the module.
#include <gtest/gtest.h>

#include "../DataSourceSupport.h"
#include "datasource/windows/QuirelRoot.h"
#include "foundation/Timer.h"
#include "kit/Button.h"
#include "kit/ProgressIndicator.h"
#include "kit/TextField.h"
#include "ui/frontdoor/Quirel.h"
#include "ui/windows/ProgressWindow.h"

using namespace dstest;

namespace {

fnd::SharedDictionary progressScanRequest(const std::string& temp) {
  const fnd::Dictionary crop{{"Resolution", 75},
                             {"ScanRect", fnd::Dictionary{{"X", 0}, {"Y", 0}, {"width", 60}, {"height", 400}}}};
  return fnd::makeShared(fnd::Dictionary{
      {"ScanSetting", fnd::Dictionary{{"ColorMode", 2}, {"TemporaryPath", temp}, {"NoCloseUI", 1}}},
      {"InputSource", 0},
      {"BitDepth", 8},
      {"CropItem", fnd::Array{fnd::Dictionary{}, crop}}});
}

}  // namespace

TEST(ProgressScan, TheBarRisesAndCancelEndsTheScanInTheModule) {
  const std::string temp = testenv::freshFolder("progress-scan").string();
  // Rows come slowly enough to press Cancel in the middle of the page.
  DeviceFile file("Progress Scan", {}, {{"PageDelivery", "Memory"}, {"LineDelay", 0.01}});
  Dravon_DirectTWAIN ds;
  LauncherEar ear{&ds};
  ASSERT_EQ(ds.dtScannerOpenDevice(fnd::Dictionary{{"DeviceName", "Progress Scan"}}), 0);
  ds.dtScannerOpenUserInterface(0);
  auto* bridge = dynamic_cast<Dravon_QuirelRoot*>(ds.userInterfaceRoot());
  ASSERT_NE(bridge, nullptr);
  auto* progress = dynamic_cast<Quirel_ProgressWindow*>(bridge->quirel().progressWindow());
  ASSERT_NE(progress, nullptr);

  fnd::NotificationCenter::defaultCenter().post("StandardMode_Scan", bridge->notificationSender(),
                                                progressScanRequest(temp));
  ASSERT_TRUE(pumpUntil([&] { return ear.xferReady.load() == 1; })) << "error " << ds.deviceError();
  ASSERT_TRUE(pumpUntil([&] { return progress->isShown(); }));
  EXPECT_FALSE(progress->progressBar()->isHidden());
  EXPECT_FALSE(progress->cancelButton()->isHidden());

  // The launcher's first transfer call starts the scanner and waits for the page, with the
  // progress window's Cancel wired to its wait. The user presses Cancel once the bar has risen.
  ds.mDoingDSpage = 1;
  EXPECT_EQ(ds.dsWaitForNextEvent(2), 0);
  ds.scanController()->smStartScan();
  double risen = -1;
  std::string percentShown;
  auto user = fnd::Timer::scheduled(0.01, true, [&](fnd::Timer& timer) {
    if (progress->progressBar() && progress->progressBar()->doubleValue() >= 10) {
      risen = progress->progressBar()->doubleValue();
      percentShown = progress->percentText()->stringValue();
      timer.invalidate();
      progress->cancelButton()->performClick();
    }
  });
  EXPECT_EQ(ds.dsWaitForNextEvent(3), Dravon_DirectTWAIN::kErrCancel);
  user->invalidate();
  EXPECT_GE(risen, 10);
  EXPECT_LT(risen, 80);  // the page was still coming
  EXPECT_EQ(percentShown, std::to_string(static_cast<int>(risen)) + "%");
  EXPECT_EQ(progress->resultProgressWindow(), Quirel_ProgressWindow::kStatusCancelled);
  // The module ends the document as cancelled and closes the window.
  ASSERT_TRUE(pumpUntil([&] { return progress->window() == nullptr; }));
  EXPECT_EQ(ds.mDocEndInfo.load(), 1);
  EXPECT_EQ(ear.xferReady.load(), 1);
  ds.dtScannerCloseDevice();
}
