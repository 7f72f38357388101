// The advanced tab in the real program: a last setting in the advanced mode opens the main window
// on the advanced tab, whose page shows the template crop; the close keeps the mode and the
// advanced mode's stored entry for the next start.
#include <filesystem>

#include "TestEnvironment.h"
#include "ProgramRoadSupport.h"
#include "datasource/DirectTWAIN.h"
#include "datasource/UIRoot.h"
#include "datasource/windows/QuirelRoot.h"
#include "foundation/Paths.h"
#include "foundation/PropertyList.h"
#include "foundation/Timer.h"
#include "kit/TabView.h"
#include "kit/Window.h"
#include "launcher/DirectTWAINPort.h"
#include "ui/controls/CTRLS_MainWindow.h"
#include "ui/controls/CTRLS_PaperSizePopup.h"
#include "ui/controls/CTRLS_PopupButton.h"
#include "ui/controls/CTRLS_PushButton.h"
#include "ui/controls/CTRLS_TabView.h"
#include "ui/controls/MainWindow.h"
#include "ui/frontdoor/Quirel.h"
#include "ui/frontdoor/UserInterfaceModule.h"
#include "ui/model/CropInfo.h"
#include "ui/modes/advanced/ExtendMode.h"

namespace launchertest {
namespace {

namespace fs = std::filesystem;

class AdvancedModeRoad : public ProgramRoadTest {
 protected:
  void SetUp() override {
    ProgramRoadTest::SetUp();
    withoutLastSettings();
  }
};

TEST_F(AdvancedModeRoad, ALastAdvancedSettingOpensTheAdvancedTabAndTheCloseKeepsItsEntry) {
  const fnd::Dictionary extend{{"Private", "kept"}, {"ShowLargePicMsg", false}};
  ASSERT_TRUE(fnd::PropertyList::writeFile(
      fnd::Value(fnd::Dictionary{{"Mode", 1}, {"BeforeMode", 0}, {"ExtendMode", extend}}),
      settings + "InitSetting.xml"));
  launchProgram();
  ASSERT_TRUE(runUntil([&] { return delegate->uiNotOpen() == 0 && window() && window()->isVisible(); }));
  Quirel_UserInterfaceModule& c = *controller();
  ASSERT_EQ(c.getMode(), 1);
  Quirel_ExtendMode* mode = c.getExtendMode();
  ASSERT_NE(mode, nullptr);
  EXPECT_EQ(c.getTabView()->getTabView()->selectedTabViewItem(), c.getTabView()->extendTabItem());
  EXPECT_TRUE(window()->isEnabled());
  // The page shows the template crop of the platen: its source and paper, a free size.
  EXPECT_EQ(mode->getImgSrcPopup()->getRepresentedNumber(), 0);
  EXPECT_EQ(mode->getPaperSizePopup()->getRepresentedNumber(), mode->getTemplateCrop()->getPaperSize());

  const fs::path shots = TRIVOLAN_LAUNCHER_SHOTS_DIR;
  fs::create_directories(shots);
  ASSERT_TRUE(window()->grabToPng((shots / "advanced-window.png").string()));

  closeProgram();
  ASSERT_TRUE(kit::Application::shared().isTerminated());
  const fnd::PropertyList::Result written = fnd::PropertyList::readFile(settings + "InitSetting.xml");
  ASSERT_TRUE(written.ok());
  EXPECT_EQ(written.value->toDictionary().intValue("Mode"), 1);
  // The entry written back is the mode's own: what it took from the stored one, nothing foreign.
  const fnd::Dictionary entry = written.value->toDictionary().dictionary("ExtendMode");
  EXPECT_EQ(entry.find("Private"), nullptr);
  ASSERT_NE(entry.find("ShowLargePicMsg"), nullptr);
  EXPECT_FALSE(entry.boolean("ShowLargePicMsg"));
}

// Preview from the advanced tab: the window goes off while the scanner works and comes back with
// the platen's picture and a frame on the first document found.
TEST_F(AdvancedModeRoad, PreviewShowsThePlatenAndGivesTheControlsBack) {
  ASSERT_TRUE(fnd::PropertyList::writeFile(fnd::Value(fnd::Dictionary{{"Mode", 1}, {"BeforeMode", 0}}),
                                           settings + "InitSetting.xml"));
  launchProgram();
  ASSERT_TRUE(runUntil([&] { return delegate->uiNotOpen() == 0 && window() && window()->isVisible(); }));
  Quirel_ExtendMode* mode = controller()->getExtendMode();
  ASSERT_NE(mode, nullptr);
  ASSERT_TRUE(runUntil([&] { return window()->isEnabled() && !mode->hasDisabledOverlay(); }, 1200));
  mode->ntf_previewStart(fnd::Notification{"", nullptr});
  EXPECT_FALSE(window()->isEnabled());
  ASSERT_TRUE(runUntil([&] { return window()->isEnabled() && !mode->hasDisabledOverlay() && mode->getHasPreview(); },
                       1200))
      << "the preview was shown with the controls enabled again";
  EXPECT_FALSE(mode->getCropList().empty()) << "a frame on the document found";

  const fs::path shots = TRIVOLAN_LAUNCHER_SHOTS_DIR;
  fs::create_directories(shots);
  ASSERT_TRUE(window()->grabToPng((shots / "advanced-preview.png").string()));
}

}  // namespace
}  // namespace launchertest
