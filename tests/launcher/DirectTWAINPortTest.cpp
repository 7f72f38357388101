// The launcher's port over the real data source: the virtual scanner opened, closed and asked for images.
#include <gtest/gtest.h>

#include <vector>

#include "datasource/DirectTWAIN.h"
#include "foundation/NotificationCenter.h"
#include "kit/Application.h"
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

TEST(DirectTWAINPort, TheTransferCallsReachTheDataSource) {
  Zorvik_DirectTWAINPort port;
  ASSERT_EQ(0, port.dtScannerOpenDevice(fnd::Dictionary{}));
  EXPECT_EQ(port.dtScannerSetupMemorySize(0x100000), TWRC_SUCCESS);
  // No user interface is open: the description stays the data source's first one, with no rows.
  DT_IMAGEINFO info{};
  EXPECT_EQ(port.dtScannerGetImageInfo(&info), TWRC_SUCCESS);
  EXPECT_EQ(info.XResolution, 75);
  EXPECT_EQ(info.SamplesPerPixel, 3);
  EXPECT_EQ(info.BitsPerPixel, 24);
  EXPECT_EQ(info.ImageLength, 0);
  // ...so a transfer has no row to give and is refused, with the message the user answers.
  int messages = 0;
  kit::Application::shared().onNextModalWindow([&](kit::Window&) {
    ++messages;
    kit::Application::shared().stopModalWithCode(1);
  });
  std::vector<std::uint8_t> buffer(0x100000);
  TW_IMAGEMEMXFER xfer{0xFFFF, 0, 0, 0, 0, 0, 0, TW_MEMORY{TWMF_APPOWNS | TWMF_POINTER, 0x100000, buffer.data()}};
  EXPECT_EQ(port.dtScannerImageMemoryTransfer(&xfer), TWRC_FAILURE);
  EXPECT_EQ(port.dataSource().deviceError(), Dravon_DirectTWAIN::kErrInternal);
  EXPECT_EQ(messages, 1);
  EXPECT_EQ(port.dtScannerPendingTransfers(1), 0);
  EXPECT_EQ(port.dataSource().mCurrentState.load(), Dravon_DirectTWAIN::kStateUIOpen);
  EXPECT_EQ(port.dtScannerNotifyDidFinishSaving(2), 0);
  EXPECT_EQ(0, port.dtScannerCloseDevice());
}
