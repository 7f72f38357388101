// The controller's answers: the carriers of the message boxes and dialogs, the message states
// the advanced mode shares, the root's inner posts, and the crop lists resized for the
// thumbnail size.
#include <gtest/gtest.h>

#include "UserInterfaceModuleSupport.h"
#include "ui/base/DSBundleStr.h"
#include "ui/base/LockHold.h"
#include "ui/model/PreferenceInfo.h"
#include "ui/model/PreviewInfo.h"
#include "ui/model/SettingToSM.h"
#include "ui/modes/basic/StandardMode.h"
#include "ui/modes/multiscan/MultiScanMode.h"
#include "ui/windows/GetMainWindowObj.h"
#include "ui/windows/MessageFunctions.h"
#include "ui/windows/ProgressWindow.h"

namespace uim_test {
namespace {

fnd::Dictionary relayPoint(double x, double y) { return fnd::Dictionary{{"X", x}, {"Y", y}}; }

// An upright crop at (x, y) of w x h: corners left-top, right-top, right-bottom, left-bottom.
fnd::Dictionary relayCrop(double x, double y, double w, double h) {
  return fnd::Dictionary{
      {"points", fnd::Array{relayPoint(x, y), relayPoint(x + w, y), relayPoint(x + w, y + h), relayPoint(x, y + h)}},
      {"min", relayPoint(x, y)},
      {"max", relayPoint(x + w, y + h)}};
}

double relayCoord(const fnd::Array& crops, int point, const char* axis) {
  return crops[0].toDictionary().array("points")[point].toDictionary().real(axis);
}

TEST(UserInterfaceModuleRelays, PlatenCropsGrowByThePreferenceSize) {
  DataSourceStandIn ds;
  Controller c(modelInitSetting(freshSettingsFolder("uimr-platen")));
  const fnd::Array crops{relayCrop(10, 20, 100, 50)};
  c->getPreferenceInfo()->setPlatenThumbnailSize(0);
  const fnd::Array large = c->changePlatenThumbnailSize_MCPointArray(crops);
  ASSERT_EQ(large.size(), 1u);
  EXPECT_EQ(relayCoord(large, 0, "X"), 8);
  EXPECT_EQ(relayCoord(large, 1, "X"), 113);
  EXPECT_EQ(relayCoord(large, 0, "Y"), 19);
  EXPECT_EQ(relayCoord(large, 2, "Y"), 71);
  c->getPreferenceInfo()->setPlatenThumbnailSize(1);
  EXPECT_EQ(c->changePlatenThumbnailSize_MCPointArray(crops), crops);
  // A crop without area comes back as it was.
  c->getPreferenceInfo()->setPlatenThumbnailSize(2);
  const fnd::Array flat{relayCrop(10, 20, 0, 50)};
  EXPECT_EQ(c->changePlatenThumbnailSize_MCPointArray(flat), flat);
}

TEST(UserInterfaceModuleRelays, FilmFramesChangeByWholePixelsInsideThePreview) {
  DataSourceStandIn ds;
  Controller c(modelInitSetting(freshSettingsFolder("uimr-film")));
  Quirel_PreviewInfo& preview = *c->getPreviewInfo();
  preview.setWholeSize(400, 300);
  c->getPreferenceInfo()->setFilmThumbnailSize(2);
  const fnd::Array small = c->changeFilmThumbnailSize_previewInfo(preview, fnd::Array{relayCrop(50, 50, 100, 100)});
  EXPECT_EQ(relayCoord(small, 1, "X") - relayCoord(small, 0, "X"), 96);
  EXPECT_EQ(relayCoord(small, 0, "X"), 52);
  // At the preview's edge a larger frame grows inward only.
  c->getPreferenceInfo()->setFilmThumbnailSize(0);
  const fnd::Array large = c->changeFilmThumbnailSize_previewInfo(preview, fnd::Array{relayCrop(0, 0, 100, 100)});
  EXPECT_EQ(relayCoord(large, 0, "X"), 0);
  EXPECT_EQ(relayCoord(large, 0, "Y"), 0);
  EXPECT_EQ(relayCoord(large, 1, "X"), 102);
  // A frame without width comes back as it was.
  const fnd::Array empty{relayCrop(20, 20, 0, 100)};
  EXPECT_EQ(c->changeFilmThumbnailSize_previewInfo(preview, empty), empty);
}

// A message box asks for the window and the two locks, and holds both while it shows.
TEST(UserInterfaceModuleRelays, AMessageBoxGetsTheWindowAndBothLocksAndHoldsThem) {
  DataSourceStandIn ds;
  Controller c(modelInitSetting(freshSettingsFolder("uimr-locks")));
  c->showMainWindowMainThreadMode();
  std::shared_ptr<Quirel_GetMainWindowObj> carrier = Quirel_GetMainWindowObj::ask();
  ASSERT_NE(carrier, nullptr);
  EXPECT_EQ(carrier->getMainWindowObject(), c.window());
  EXPECT_EQ(carrier->getEndScanLockObject(), c->endScanLock());
  EXPECT_EQ(carrier->getMessageLockObject(), c->messageLock());
  bool held = false;
  kit::Application::shared().onNextModalWindow([&](kit::Window& w) {
    held = Quirel_LockHold::isHeld(c->endScanLock()) && Quirel_LockHold::isHeld(c->messageLock());
    kit::Application::shared().stopModalWithCode(1);
  });
  MES_ShowMessageAndNumberMainThreadMode(1640, 0, 0, 0);
  EXPECT_TRUE(held);
  EXPECT_FALSE(Quirel_LockHold::isHeld(c->messageLock()));
}

TEST(UserInterfaceModuleRelays, TheBadgeQuestionIsAnsweredFromTheHelpSettingsAndWhileAUtilityDialogShows) {
  DataSourceStandIn ds;
  Controller c(modelInitSetting(freshSettingsFolder("uimr-badge")));
  const std::string bundle = c->getDSBundleLocalized();
  EXPECT_EQ(Quirel_DSBundleStr::ask(&ds), bundle);
  c->stopDisplayPictavoIconOnMessageDialog();
  EXPECT_EQ(Quirel_DSBundleStr::ask(&ds), "");
  EXPECT_FALSE(c->getDSBundleURL());
  c->startDisplayPictavoIconOnMessageDialog();
  EXPECT_EQ(Quirel_DSBundleStr::ask(&ds), bundle);
  EXPECT_EQ(c->getDSBundleURL(), bundle);
}

TEST(UserInterfaceModuleRelays, TheAdvancedModeSetsAndReadsTheThreeMessageStates) {
  DataSourceStandIn ds;
  Controller c(modelInitSetting(freshSettingsFolder("uimr-states")));
  fnd::Notification set{"setChangeTabMessageStateFromExtendModePost", nullptr,
                        fnd::makeShared(fnd::Dictionary{{"changeTabMessageState", false},
                                                        {"closeSavePathMessageState", false}})};
  c->setChangeTabMessageStateFromExtendMode(set);
  EXPECT_FALSE(c->getShowChangeTabMsg());
  EXPECT_TRUE(c->getShowMultiPDFScanEndMsg());
  EXPECT_FALSE(c->getShowMCloseSaveMsg());
  fnd::Notification get{"getChangeTabMessageStateFromExtendModePost", nullptr, fnd::makeShared(fnd::Dictionary{})};
  c->getChangeTabMessageStateFromExtendMode(get);
  EXPECT_EQ(*get.userInfo, (fnd::Dictionary{{"changeTabMessageState", false},
                                            {"multiPDFScanEndMessageState", true},
                                            {"closeSavePathMessageState", false}}));
  // Without user information nothing is read or written.
  c->getChangeTabMessageStateFromExtendMode(fnd::Notification{});
  c->setChangeTabMessageStateFromExtendMode(fnd::Notification{});
  // The advanced mode's reset brings every message back.
  fnd::NotificationCenter::defaultCenter().post("setDefaultSettingFromExtendModePost", nullptr);
  EXPECT_TRUE(c->getShowChangeTabMsg());
  EXPECT_TRUE(c->getShowMCloseSaveMsg());
  EXPECT_EQ(c->getCloseSelectFlg(), 0);
}

// The progress window asks with itself as the object and gets the main window.
TEST(UserInterfaceModuleRelays, TheProgressWindowGetsTheMainWindowForBothOfItsQuestions) {
  DataSourceStandIn ds;
  Controller c(modelInitSetting(freshSettingsFolder("uimr-progress")));
  for (const char* name : {Quirel_ProgressWindow::kSetMainWindowObjectPost,
                           Quirel_ProgressWindow::kSetImageSourceAndColorModeStrPost}) {
    SCOPED_TRACE(name);
    Quirel_ProgressWindow progress;
    EXPECT_EQ(progress.mainWindowObject(), nullptr);
    fnd::NotificationCenter::defaultCenter().post(name, &progress);
    EXPECT_EQ(progress.mainWindowObject(), c.window());
  }
}

// The multi-scan mode's scan asks for the basic mode, whose settings the preview model reads.
TEST(UserInterfaceModuleRelays, TheScanSettingsCarrierGetsTheBasicMode) {
  DataSourceStandIn ds;
  Controller c(modelInitSetting(freshSettingsFolder("uimr-settosm")));
  auto carrier = std::make_shared<Quirel_SettingToSM>();
  fnd::NotificationCenter::defaultCenter().post(
      "setStandardModeIDPost", nullptr, fnd::makeShared(fnd::Dictionary{{"SetToSM", fnd::Value::object(carrier)}}));
  EXPECT_EQ(carrier->getStandardModeObj(), static_cast<StandardModeLink*>(c->getStandardMode()));
  // Without the carrier nothing is answered.
  fnd::NotificationCenter::defaultCenter().post("setStandardModeIDPost", nullptr);
}

TEST(UserInterfaceModuleRelays, TheRootsScannerTestCallsBecomeInnerPostsOfTheController) {
  DataSourceStandIn ds;
  Controller c(modelInitSetting(freshSettingsFolder("uimr-inner")));
  std::vector<std::string> seen;
  std::vector<fnd::NotificationCenter::Token> tokens;
  for (const char* name : {"ManualCalibrationErrorInnerPost", "DisplayScannerTestStatusInnerPost", "EndScannerTestInnerPost"})
    tokens.push_back(fnd::NotificationCenter::defaultCenter().observe(
        name, c.uim.get(), [&seen](const fnd::Notification& n) {
          seen.push_back(n.name + ":" + (n.info() ? n.info()->string("K") : std::string("none")));
        }));
  const fnd::Dictionary info{{"K", "v"}};
  c->manualCalibrationError(&info);
  c->displayScannerTestStatus(nullptr);
  c->endScannerTest(&info);
  EXPECT_EQ(seen, (std::vector<std::string>{"ManualCalibrationErrorInnerPost:v", "DisplayScannerTestStatusInnerPost:none",
                                            "EndScannerTestInnerPost:v"}));
}

}  // namespace
}  // namespace uim_test
