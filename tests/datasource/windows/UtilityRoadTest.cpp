// The quiet-mode and automatic-power requests through the data source, the front door's real
// root and the simulated scanner: the device's own setting shown, a change kept by the device,
// a refusing device reported, and the driver closed once the dialog is done.
#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "../../ui/frontdoor/UserInterfaceModuleSupport.h"
#include "../../ui/windows/WindowDoubles.h"
#include "../DataSourceSupport.h"
#include "kit/Button.h"
#include "kit/DatePicker.h"
#include "kit/PopUpButton.h"
#include "ui/controls/NoFocusRadioButton.h"

using namespace dstest;

namespace {

constexpr std::int32_t kRoadRequest = 0, kRoadCreate = 1, kRoadShow = 2, kRoadClose = 3, kRoadTerminate = 4,
                       kRoadInitSetting = 6;

template <class T>
std::vector<T*> roadViews(kit::Window& w) {
  std::vector<T*> found;
  w.contentView()->findView([&](kit::View& v) {
    if (auto* t = dynamic_cast<T*>(&v)) found.push_back(t);
    return false;
  });
  return found;
}

// A button by its text or, where the tables have none, its key; never null.
kit::Button* roadButton(kit::Window& w, const std::string& title, const std::string& key) {
  for (kit::Button* b : roadViews<kit::Button>(w))
    if (b->title() == title || b->title() == key) return b;
  ADD_FAILURE() << "no button " << title;
  static kit::Button none;
  return &none;
}

// The initial settings of the simulated device, for a model that is not scanner-only.
fnd::Dictionary roadInitSetting(Dravon_DirectTWAIN& ds) {
  fnd::SharedDictionary information = ds.scanController()->smGetDeviceInformation();
  fnd::Dictionary init = information ? *information : fnd::Dictionary{};
  init.set("PreferencePath", uim_test::freshSettingsFolder("utility-road"));
  init.set("Uthric", uim_test::modelParametersWith([](fnd::Dictionary& s) {
    s.set("SFS", false);
    s.set("MFP", true);
    s.set("Ver1900Later", true);
    s.set("QuietModeSettingType", 2);
  }));
  return init;
}

// The request as the data source sends it, with the utility asked for; the user's part
// answers the dialog's modal run.
void roadOpen(Dravon_DirectTWAIN& ds, const char* requestKey, const std::function<void(kit::Window&)>& user) {
  // The root and the data source's observers of it come with the first opening of the
  // interface; the main window it opens is closed again at once.
  if (!ds.userInterfaceRoot()) {
    ds.dtScannerOpenUserInterface(0);
    ds.dtScannerCloseUserInterface();
  }
  Dravon_UIController* ui = ds.uiController();
  ui->uiControlMethod(fnd::makeShared(fnd::Dictionary{{requestKey, 1}}), kRoadRequest);
  ui->uiControlMethod(fnd::makeShared(roadInitSetting(ds)), kRoadInitSetting);
  ui->uiControlMethod(nullptr, kRoadCreate);
  if (user) kit::Application::shared().onNextModalWindow(user);
  ui->uiControlMethod(nullptr, kRoadShow);
  ui->uiControlMethod(nullptr, kRoadClose);
  ui->uiControlMethod(nullptr, kRoadTerminate);
}

}  // namespace

TEST(UtilityRoad, QuietModeIsSetInTheDeviceAndReadBack) {
  DeviceFile file("Quiet Road", {}, {});
  windows_test::FakeMessages messages;
  Dravon_DirectTWAIN ds;
  LauncherEar ear{&ds};
  ASSERT_EQ(ds.dtScannerOpenDevice(fnd::Dictionary{{"DeviceName", "Quiet Road"}}), 0);
  ASSERT_NE(ds.uiController(), nullptr);

  roadOpen(ds, "QuietSetting", [](kit::Window& w) {
    std::vector<Quirel_NoFocusRadioButton*> radios = roadViews<Quirel_NoFocusRadioButton>(w);
    std::vector<kit::DatePicker*> pickers = roadViews<kit::DatePicker>(w);
    ASSERT_EQ(radios.size(), 1u);
    ASSERT_EQ(pickers.size(), 2u);
    radios[0]->performClickOnCell(2, 0);
    pickers[0]->setTime(22, 30);
    pickers[1]->setTime(6, 15);
    roadButton(w, "OK", "IDMAC_OK_BTN")->performClick();
  });
  // The dialog was the whole user interface: the driver is asked to close.
  EXPECT_TRUE(pumpUntil([&] { return ear.closeRequests.load() >= 1; }));

  // The next request shows what the device keeps.
  int row = -1, sh = -1, sm = -1, eh = -1, em = -1;
  roadOpen(ds, "QuietSetting", [&](kit::Window& w) {
    std::vector<Quirel_NoFocusRadioButton*> radios = roadViews<Quirel_NoFocusRadioButton>(w);
    std::vector<kit::DatePicker*> pickers = roadViews<kit::DatePicker>(w);
    if (radios.size() == 1 && pickers.size() == 2) {
      row = radios[0]->selectedRow();
      sh = pickers[0]->hour();
      sm = pickers[0]->minute();
      eh = pickers[1]->hour();
      em = pickers[1]->minute();
    }
    roadButton(w, "Cancel", "IDMAC_CANCEL_BTN")->performClick();
  });
  EXPECT_EQ(row, 2);
  EXPECT_EQ(sh, 22);
  EXPECT_EQ(sm, 30);
  EXPECT_EQ(eh, 6);
  EXPECT_EQ(em, 15);
  ds.dtScannerCloseDevice();
}

TEST(UtilityRoad, ARefusingDeviceShowsTheMessageAndTheDriverCloses) {
  DeviceFile file("Refusing Road", {}, {{"FuncStatus", -1}});
  windows_test::FakeMessages messages;
  Dravon_DirectTWAIN ds;
  LauncherEar ear{&ds};
  ASSERT_EQ(ds.dtScannerOpenDevice(fnd::Dictionary{{"DeviceName", "Refusing Road"}}), 0);
  roadOpen(ds, "QuietSetting", nullptr);
  ASSERT_FALSE(messages.shown.empty());
  EXPECT_EQ(messages.shown.front(), "message:1209,0,0,0");
  EXPECT_TRUE(pumpUntil([&] { return ear.closeRequests.load() >= 1; }));
  EXPECT_EQ(kit::Application::shared().pendingModalResponders(), 0u);
  ds.dtScannerCloseDevice();
}

TEST(UtilityRoad, AutoPowerIsSetInTheDeviceAndReadBack) {
  DeviceFile file("Power Road", {}, {});
  windows_test::FakeMessages messages;
  Dravon_DirectTWAIN ds;
  LauncherEar ear{&ds};
  ASSERT_EQ(ds.dtScannerOpenDevice(fnd::Dictionary{{"DeviceName", "Power Road"}}), 0);
  std::vector<int> chosen;
  roadOpen(ds, "AutoPowerSetting", [&](kit::Window& w) {
    std::vector<kit::PopUpButton*> popups = roadViews<kit::PopUpButton>(w);
    ASSERT_EQ(popups.size(), 2u);
    popups[0]->selectItemAtIndex(popups[0]->indexOfSelectedItem() == 1 ? 2 : 1);
    popups[1]->selectItemAtIndex(popups[1]->indexOfSelectedItem() == 1 ? 0 : 1);
    for (kit::PopUpButton* p : popups) chosen.push_back(p->indexOfSelectedItem());
    roadButton(w, "OK", "IDMAC_OK_BTN")->performClick();
  });
  EXPECT_TRUE(pumpUntil([&] { return ear.closeRequests.load() >= 1; }));
  std::vector<int> shown;
  roadOpen(ds, "AutoPowerSetting", [&](kit::Window& w) {
    for (kit::PopUpButton* p : roadViews<kit::PopUpButton>(w)) shown.push_back(p->indexOfSelectedItem());
    roadButton(w, "Cancel", "IDMAC_CANCEL_BTN")->performClick();
  });
  EXPECT_EQ(shown, chosen);
  ds.dtScannerCloseDevice();
}
