// The multi-scan road of the real program: the launcher, the product's data source with its
// real main window and the simulated scanner. Scan on the multi-scan tab finds the documents on
// the platen, leaves one file for each in the save folder and lists them in the scan-result
// window when the user asked for it.
#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <functional>

#include "TestEnvironment.h"
#include "ProgramRoadSupport.h"
#include "datasource/DirectTWAIN.h"
#include "datasource/windows/QuirelRoot.h"
#include "foundation/PropertyList.h"
#include "foundation/Timer.h"
#include "launcher/DirectTWAINPort.h"
#include "scanmodule/DeviceModel.h"
#include "scanmodule/Scene.h"
#include "ui/controls/CTRLS_CheckBox.h"
#include "ui/controls/CTRLS_MainWindow.h"
#include "ui/controls/CTRLS_MSScanButton.h"
#include "ui/controls/CTRLS_TabView.h"
#include "ui/frontdoor/Quirel.h"
#include "ui/frontdoor/UserInterfaceModule.h"
#include "ui/model/PreferenceInfo.h"
#include "ui/modes/multiscan/MultiScanMode.h"
#include "ui/windows/CloseSavePathtDialog.h"
#include "ui/windows/ScanResultDialog.h"

namespace launchertest {
namespace {

namespace fs = std::filesystem;

constexpr const char* kRoadScanner = "Vantrel TS-800 Virtual";

// The program's resources, with the model file of a generation that still has the multi-scan
// tab (the shipped model is of a later one): the other entries link to the real ones.
std::string olderModelResources() {
  const fs::path real = fnd::Paths::resourceDir();
  const fs::path fixture = testenv::freshFolder("multiscan-road-resources");
  std::error_code ec;
  for (const auto& e : fs::directory_iterator(real, ec))
    if (e.path().filename() != "models") fs::create_directory_symlink(e.path(), fixture / e.path().filename(), ec);
  fs::create_directories(fixture / "models");
  const fnd::PropertyList::Result read = fnd::PropertyList::readFile((real / "models" / "PVTS800.xml").string());
  EXPECT_TRUE(read.ok());
  fnd::Dictionary parameters = read.ok() ? read.value->toDictionary() : fnd::Dictionary{};
  fnd::Dictionary scanner = parameters.dictionary("ScannerInfo");
  for (const char* key : {"Ver1900Later", "Ver1910Later"}) scanner.set(key, false);
  parameters.set("ScannerInfo", scanner);
  EXPECT_TRUE(fnd::PropertyList::writeFile(fnd::Value(parameters), (fixture / "models" / "PVTS800.xml").string()));
  return fixture.string();
}

class MultiScanRoad : public ProgramRoadTest {
 protected:
  void SetUp() override {
    // Any box the scan brings up is answered as a user would: OK (the fixture's answerer).
    ProgramRoadTest::SetUp();
    closeAtTearDown = false;
    const char* old = std::getenv("TRIVOLAN_RESOURCE_DIR");
    if (old) oldResources_ = old;
    const std::string fixture = olderModelResources();
    ::setenv("TRIVOLAN_RESOURCE_DIR", fixture.c_str(), 1);
    // The window opens on the multi-scan tab, without the start-up preview.
    settings_ = fnd::Paths::configDir() + "/";
    fs::create_directories(settings_);
    fnd::PropertyList::writeFile(fnd::Value(fnd::Dictionary{{"Mode", 2}, {"BeforeMode", 0}}), settings_ + "InitSetting.xml");
  }
  void TearDown() override {
    ProgramRoadTest::TearDown();
    std::error_code ec;
    fs::remove(settings_ + "InitSetting.xml", ec);
    if (oldResources_.empty()) {
      ::unsetenv("TRIVOLAN_RESOURCE_DIR");
    } else {
      ::setenv("TRIVOLAN_RESOURCE_DIR", oldResources_.c_str(), 1);
    }
  }

 private:
  std::string oldResources_;
  std::string settings_;
};

// The data source holds the last image's transfer until the user closes the result window, so
// the window lists every document while the last one's file is still to be written; once it is
// closed the last file is saved and the save-folder notice tells where they went.
TEST_F(MultiScanRoad, ScanOnTheMultiScanTabSavesEachDocumentAndListsThem) {
  delegate = std::make_unique<Zorvik_AppDelegate>([] { return Zorvik_MakeDirectTWAIN(); }, "");
  kit::Application::shared().setDelegate(delegate.get());
  launch();
  ASSERT_TRUE(runUntil([&] { return delegate->uiNotOpen() == 0; }));
  Quirel_UserInterfaceModule* c = nullptr;
  ASSERT_TRUE(runUntil([&] {
    c = controller();
    return c && c->getMainWindow() && c->getMainWindow()->getWindow() && c->getMainWindow()->getWindow()->isVisible();
  })) << "no main window";
  ASSERT_NE(c->getMultiScanMode(), nullptr) << "no multi-scan tab";
  if (c->getMode() != 2) {
    ASSERT_TRUE(c->getTabView()->getTabView()->selectTabViewItem(c->getTabView()->multiScanTabItem()));
  }
  ASSERT_EQ(c->getMode(), 2);
  Quirel_MultiScanMode* ms = c->getMultiScanMode();

  const fs::path folder = testenv::freshFolder("multiscan-road-saved");
  c->getPreferenceInfo()->setSavePath(folder.string());
  ASSERT_NE(ms->getResultCbx(), nullptr);
  if (!ms->getResultCbx()->isChecked()) ms->getResultCbx()->getCheckBox()->performClick();
  ASSERT_TRUE(ms->getShowResult()) << "show results not ticked";

  const velmor::DeviceModel model = velmor::DeviceModel::resolve(fnd::Dictionary{{"DeviceName", kRoadScanner}});
  const velmor::Scene platen = velmor::Scene::platen(model.platenWidth, model.platenHeight);
  const std::size_t documents = platen.documents().size();
  ASSERT_GE(documents, 2u);

  // The data source holds the end of the transfer until the user closes the result window:
  // the user reads the list once it holds the documents, then presses Close.
  std::size_t listed = 0;
  int patience = 0;
  std::vector<std::string> savedWhenListed;
  auto user = fnd::Timer::scheduled(
      0.05, true,
      [&](fnd::Timer& t) {
        Quirel_ScanResultDialog* d = c->getScanResultDialog();
        if (!d || !d->getWindow() || !d->getWindow()->isVisible()) return;
        // A window that stays short of the documents once all are saved is closed all the
        // same, so the test fails instead of waiting for ever.
        if (d->items().size() < documents && (namesIn(folder).size() < documents || ++patience < 100)) return;
        listed = d->items().size();
        savedWhenListed = namesIn(folder);
        t.invalidate();
        if (d->closeButton()->isEnabled()) {
          d->closeButton()->performClick();
        } else {
          d->clickCloseBtn();
        }
      },
      fnd::kCommonModes);
  // The save-folder notice the data source asks for once the launcher has saved everything.
  std::vector<std::string> savedWhenNoticed;
  bool noticed = false;
  beforeAnswer = [&](kit::Window& box) {
    Quirel_CloseSavePathtDialog* d = c->getCloseSavePathDialog();
    if (noticed || !d || d->getWindow() != &box) return;
    noticed = true;
    savedWhenNoticed = namesIn(folder);
  };
  ms->getScanBtn()->ScanBTAction();
  EXPECT_TRUE(runUntil([&] { return namesIn(folder).size() >= documents && !delegate->isTransferring(); }, 2400))
      << namesIn(folder).size() << " files";
  user->invalidate();
  beforeAnswer = nullptr;
  const std::vector<std::string> saved = namesIn(folder);
  EXPECT_EQ(saved.size(), documents);
  EXPECT_EQ(listed, documents) << "the scan-result window does not list them";
  EXPECT_EQ(savedWhenListed.size(), documents - 1) << "the last image is saved only after the window closed";
  EXPECT_TRUE(noticed) << "no save-folder notice after the scan";
  EXPECT_EQ(savedWhenNoticed.size(), documents) << "the notice came before every file was saved";
  EXPECT_FALSE(anyTemporaryFileLeft());

  // Each file holds one document: read back, its size is that of a document on the platen at
  // the file's resolution (each document once).
  std::vector<std::pair<double, double>> sizes;
  for (const velmor::Scene::Document& d : platen.documents())
    sizes.emplace_back(d.width, d.height);
  for (const std::string& name : saved) {
    SCOPED_TRACE(name);
    const SavedImage image = readSavedImage(folder / name);
    ASSERT_TRUE(image.ok);
    ASSERT_GT(image.dpiX, 0);
    const double w = image.width / image.dpiX, h = image.height / image.dpiY;
    auto same = std::find_if(sizes.begin(), sizes.end(), [&](const auto& s) {
      return std::abs(s.first - w) * image.dpiX <= 3 && std::abs(s.second - h) * image.dpiY <= 3;
    });
    ASSERT_NE(same, sizes.end()) << image.width << " x " << image.height << " at " << image.dpiX;
    sizes.erase(same);
  }
}

}  // namespace
}  // namespace launchertest
