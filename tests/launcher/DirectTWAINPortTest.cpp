// The launcher's port over the real data source: open and close the virtual scanner.
#include <gtest/gtest.h>

#include "datasource/DirectTWAIN.h"
#include "foundation/NotificationCenter.h"
#include "launcher/DirectTWAINPort.h"

TEST(DirectTWAINPort, OpensAndClosesTheVirtualScannerThroughTheDataSource) {
  Zorvik_DirectTWAINPort port;
  EXPECT_EQ(port.notificationSender(), &port.dataSource());
  int closeRequests = 0;
  auto token = fnd::NotificationCenter::defaultCenter().observe(
      Dravon_DirectTWAIN::kCloseDSRequestNotification, port.notificationSender(),
      [&](const fnd::Notification&) { ++closeRequests; });

  ASSERT_EQ(0, port.dtScannerOpenDevice(fnd::Dictionary{}));
  EXPECT_NE(port.dataSource().scanController(), nullptr);
  EXPECT_EQ(port.dataSource().mModelYear, 2014);
  // The close request reaches the launcher with the port's sender.
  EXPECT_EQ(0, port.dataSource().dsPerformCloseDSReq(0));
  EXPECT_EQ(closeRequests, 1);
  EXPECT_EQ(0, port.dtScannerCloseUserInterface());
  EXPECT_EQ(0, port.dtScannerCloseDevice());
  EXPECT_EQ(port.dataSource().mCurrentState.load(), Dravon_DirectTWAIN::kStateClosed);
  EXPECT_EQ(port.dataSource().scanController(), nullptr);
  EXPECT_EQ(0, port.dtScannerCloseDevice());  // twice is safe
}
