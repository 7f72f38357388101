#include <gtest/gtest.h>

#include <iostream>

#include "ProgressWindowTestSupport.h"
#include "ui/base/MessageText.h"

using namespace progress_test;

namespace {


std::string keepShot(const std::string& folder, kit::Window& window) {
  const std::string png = (testenv::freshFolder(folder) / (folder + ".png")).string();
  EXPECT_TRUE(window.grabToPng(png));
  std::cout << folder << " screenshot: " << png << std::endl;
  return png;
}

}  // namespace

TEST(ProgressWaitWindows, CalibrationModeNamesItsMessage) {
  struct Row {
    int mode, message;
  };
  for (const Row& r : {Row{0, 1314}, Row{1, 1330}, Row{1351, 1351}, Row{1350, 1350}}) {
    Quirel_ProgressWindow w;
    kit::Window* window = w.displayCalibrationProcWindow(r.mode);
    ASSERT_NE(window, nullptr) << r.mode;
    EXPECT_EQ(w.calibrationMessage()->stringValue(), catalogueText(r.message)) << r.mode;
    EXPECT_EQ(window->level(), 12);
    EXPECT_EQ(window->contentRectSize(), fnd::Size(430, 70));
    // A second open while one is up is ignored.
    EXPECT_EQ(w.displayCalibrationProcWindow(0), nullptr);
    EXPECT_EQ(w.calibrationWindow(), window);
    w.closeCalibrationProcWindowMainThreadMode();
    EXPECT_EQ(w.calibrationWindow(), nullptr);
    EXPECT_FALSE(w.calibrationShown());
  }
}

TEST(ProgressWaitWindows, NewerLayoutFoldsCalibrationIntoTheProgressWindow) {
  Progress p(true);
  const fnd::Dictionary info{{"MessageID", 1325}, {"ProgressBar", true}, {"CancelButton", true}, {"DetailInfo", true}};
  p.w.setInformationDataMainThreadMode(&info);
  p.w.showProgressWindowMainThreadMode();
  EXPECT_EQ(p.w.displayCalibrationProcWindow(0), nullptr);
  EXPECT_EQ(p.w.calibrationWindow(), nullptr);
  EXPECT_EQ(p.w.message1()->stringValue(), catalogueText(1314));
  EXPECT_TRUE(p.w.progressBar()->isHidden());
  EXPECT_TRUE(p.w.cancelButton()->isHidden());
  EXPECT_FALSE(p.w.detailDisp());
  // The close leaves it: the next information dictionary replaces the message.
  p.w.closeCalibrationProcWindowMainThreadMode();
  EXPECT_EQ(p.w.message1()->stringValue(), catalogueText(1314));
  EXPECT_TRUE(p.w.cancelButton()->isHidden());
}

TEST(ProgressWaitWindows, OlderLayoutHangsCalibrationUnderTheProgressWindowsTop) {
  Progress p(false);
  const fnd::Dictionary info{{"MessageID", 1325}, {"ProgressBar", true}, {"CancelButton", true}, {"DetailInfo", true}};
  p.w.setInformationDataMainThreadMode(&info);
  p.w.showProgressWindowMainThreadMode();
  kit::Window* calibration = p.w.displayCalibrationProcWindow(0);
  ASSERT_NE(calibration, nullptr);
  const fnd::Rect progress = p.w.window()->frame();
  EXPECT_EQ(calibration->frame().maxY(), progress.maxY() - 30);
  EXPECT_NEAR(calibration->frame().midX(), progress.midX(), 1);
  EXPECT_EQ(calibration->parentWindow(), p.w.window());
  EXPECT_FALSE(p.w.cancelButton()->isEnabled());
  keepShot("calibration-child", *calibration);
  p.w.closeCalibrationProcWindowMainThreadMode();
  EXPECT_TRUE(p.w.cancelButton()->isEnabled());
  EXPECT_TRUE(p.w.window()->childWindows().empty());
}

TEST(ProgressWaitWindows, CalibrationWithoutAProgressWindowSitsOnTheMainWindowsMiddle) {
  Quirel_ProgressWindow w;
  kit::Window main(fnd::Rect(200, 200, 800, 600), kit::kTitledWindowMask);
  auto answer = fnd::NotificationCenter::defaultCenter().observe(
      Quirel_ProgressWindow::kSetMainWindowObjectPost, nullptr, [&](const fnd::Notification& n) {
        if (auto* window = Quirel_ProgressWindow::fromNotification(n)) window->setMainWindowObject(&main);
      });
  kit::Window* calibration = w.displayCalibrationProcWindow(1);
  ASSERT_NE(calibration, nullptr);
  EXPECT_EQ(calibration->frame().minY(), std::trunc(main.frame().midY()));
  EXPECT_NEAR(calibration->frame().midX(), main.frame().midX(), 1);
  w.closeCalibrationProcWindowMainThreadMode();
}

TEST(ProgressWaitWindows, QuietTimeWindowFitsItsTextAndNamesTheRightMessage) {
  Quirel_ProgressWindow w;
  struct Row {
    int type;
    bool sfs;
    int message;
  };
  for (const Row& r : {Row{2, true, 1722}, Row{3, true, 1721}, Row{0, false, 1720}, Row{4, true, 1722},
                       Row{1, false, 1721}}) {
    kit::Window* window = w.displaySilentTimeWindowMainThreadModeWithTitle(std::string("Vantrel TS-800"), r.type, r.sfs);
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(w.silentTimeMessage()->stringValue(), catalogueText(r.message)) << r.type;
    EXPECT_EQ(window->title(), "Vantrel TS-800");
    const fnd::Size content = window->contentRectSize();
    const fnd::Rect text = w.silentTimeMessage()->frame();
    EXPECT_EQ(content.width, std::max(60 + text.size.width, 360.0));
    EXPECT_EQ(content.height, std::max(50 + text.size.height, 95.0));
    EXPECT_EQ(text.origin.x, 30);
    EXPECT_EQ(text.maxY(), content.height - 25);
    EXPECT_TRUE(window->isVisible());
  }
  keepShot("quiet-time", *w.silentTimeWindow());
  w.closeSilentTimeWindowMainThreadMode();
  EXPECT_EQ(w.silentTimeWindow(), nullptr);
}

TEST(ProgressWaitWindows, ScannerConnectWindowShowsMessage200) {
  Quirel_ProgressWindow w;
  kit::Window* window = w.displayScannerConnectWindow();
  ASSERT_NE(window, nullptr);
  EXPECT_EQ(w.scannerConnectMessage()->stringValue(), catalogueText(200));
  EXPECT_EQ(window->contentRectSize(), fnd::Size(300, 80));
  EXPECT_EQ(window->level(), 12);
  EXPECT_TRUE(window->isVisible());
  w.closeScannerConnectWindowwMainThreadMode();
  EXPECT_EQ(w.scannerConnectWindow(), nullptr);
}
