// The program opened with a request of its own (trivolan --request FILE): a scan without the
// main window that leaves its numbered files on disk, and the quiet-mode and automatic-power
// dialogs alone, each ending the program when done.
#include <algorithm>
#include <filesystem>
#include <string>

#include "ProgramRoadSupport.h"
#include "TestEnvironment.h"
#include "foundation/Paths.h"
#include "foundation/PropertyList.h"
#include "kit/Application.h"
#include "kit/Window.h"
#include "ui/base/PostNotification.h"
#include "ui/frontdoor/UserInterfaceModule.h"
#include "ui/model/ThumbnailInfo.h"
#include "ui/modes/uiless/UILessScanMode.h"

namespace launchertest {
namespace {

namespace fs = std::filesystem;

class RequestRoad : public ProgramRoadTest {
 protected:
  void SetUp() override {
    ProgramRoadTest::SetUp();
    withoutLastSettings();
    // Nothing here has a main window to close at the end.
    closeAtTearDown = false;
  }
  void TearDown() override {
    kit::Application& app = kit::Application::shared();
    while (app.pendingModalResponders() > 0) {
      kit::Window spare(fnd::Rect(0, 0, 10, 10), kit::kTitledWindowMask);
      app.runModalForWindow(spare);
    }
    ProgramRoadTest::TearDown();
  }
  // The program, started as "trivolan --request FILE" with the shipped example file or `request`.
  void launchWithRequest(const fnd::Dictionary& request) {
    delegate = std::make_unique<Zorvik_AppDelegate>([] { return Zorvik_MakeDirectTWAIN(); }, std::string());
    delegate->setRequest(request);
    kit::Application::shared().setDelegate(delegate.get());
    launch();
  }
  static std::size_t filesIn(const fs::path& folder) {
    std::error_code ec;
    std::size_t n = 0;
    for (auto it = fs::directory_iterator(folder, ec); !ec && it != fs::directory_iterator(); it.increment(ec)) ++n;
    return n;
  }
};

// The example request the program ships: a scan of film frames without the main window.
TEST_F(RequestRoad, TheShippedExampleIsAScanWithoutTheMainWindow) {
  const fnd::PropertyList::Result read = fnd::PropertyList::readFile(fnd::Paths::resourceDir() + "/requests/film-scan.plist");
  ASSERT_TRUE(read.ok()) << read.error;
  const fnd::Dictionary request = read.value->toDictionary();
  EXPECT_EQ(request.integer("UILessMode"), 1);
  EXPECT_FALSE(request.dictionary("ScanDic").array("CropItem").empty());
}

// A scan without the main window: the frame-select dialog shows the frames the preview found,
// Scan takes the checked ones, and the numbered files are in the save folder; then the program
// ends.
TEST_F(RequestRoad, AScanWithoutTheMainWindowLeavesItsFilesAndEnds) {
  const fnd::PropertyList::Result read = fnd::PropertyList::readFile(fnd::Paths::resourceDir() + "/requests/film-scan.plist");
  ASSERT_TRUE(read.ok()) << read.error;
  const fs::path pictures = fnd::Paths::picturesDir();
  fs::create_directories(pictures);
  const std::size_t before = filesIn(pictures);
  launchWithRequest(read.value->toDictionary());
  ASSERT_TRUE(runUntil([&] { return controller() && controller()->getMode() == 3; })) << "no main window";
  EXPECT_EQ(controller()->getMainWindow(), nullptr);
  Quirel_UILessScanMode* mode = nullptr;
  ASSERT_TRUE(runUntil([&] {
    mode = controller() ? controller()->getUILessMode() : nullptr;
    return mode && !mode->getThumbnailList().empty() && !mode->isDisabled();
  }, 1200)) << "the frames found are offered";
  mode->clickNextBtn();
  ASSERT_TRUE(runUntil([&] { return filesIn(pictures) > before && !delegate->isTransferring(); }, 2400))
      << "the checked frames were saved";
  EXPECT_TRUE(runUntil([] { return kit::Application::shared().isTerminated(); }, 400)) << "and the program ended";
  // Named as the request's save settings say, a JPEG at the request's resolution.
  std::vector<fs::path> saved;
  for (const auto& e : fs::directory_iterator(pictures))
    if (e.path().filename().string().rfind("film_", 0) == 0) saved.push_back(e.path());
  ASSERT_EQ(saved.size(), 1u) << "the first frame, checked by default";
  EXPECT_EQ(saved[0].extension(), ".jpg");
  EXPECT_EQ(saved[0].filename().string().substr(saved[0].filename().string().size() - 9), "_0001.jpg");
  const SavedImage image = readSavedImage(saved[0]);
  ASSERT_TRUE(image.ok);
  EXPECT_EQ(image.dpiX, 300);
  EXPECT_GT(image.width, 0u);
  EXPECT_TRUE(boxes.empty()) << "no box on the way";
}

// The quiet-mode and the automatic-power dialogs, each alone: OK sends the setting and the
// program ends.
TEST_F(RequestRoad, TheDeviceDialogsOpenAloneAndEndTheProgram) {
  for (const char* key : {"QuietSetting", "AutoPowerSetting"}) {
    SCOPED_TRACE(key);
    kit::Application& app = kit::Application::shared();
    bool dialog = false;
    std::vector<std::string> asked;
    fnd::NotificationCenter::Token token = fnd::NotificationCenter::defaultCenter().observe(
        Quirel_PostNotification::kOverrideNotification, nullptr, [&](const fnd::Notification& n) {
          if (n.userInfo) asked.push_back(n.userInfo->string(Quirel_PostNotification::kOverrideNotificationName));
        });
    app.onNextModalWindow([&](kit::Window& w) {
      dialog = w.isVisible();
      app.stopModalWithCode(1);
    });
    launchWithRequest(fnd::Dictionary{{key, 1}});
    ASSERT_TRUE(runUntil([&] { return app.isTerminated(); }, 600)) << "the program ended";
    EXPECT_TRUE(dialog) << "the dialog came up";
    // OK sends the setting (the quiet mode of this scanner-only model is kept in its
    // preferences, not in the device); then the driver asks to be closed.
    if (std::string(key) == "AutoPowerSetting") {
      EXPECT_NE(std::find(asked.begin(), asked.end(), "NC_SetAutoPowerOffSetting"), asked.end());
      EXPECT_NE(std::find(asked.begin(), asked.end(), "NC_SetAutoPowerOnSetting"), asked.end());
    }
    ASSERT_FALSE(asked.empty());
    EXPECT_EQ(asked.back(), "Click_CloseButton");
    app.setDelegate(nullptr);
    delegate.reset();
    app.resetTerminated();
  }
}

}  // namespace
}  // namespace launchertest
