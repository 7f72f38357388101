// Start-up, opening the scanner through the data source, the close and quit paths.
#include <filesystem>

#include "LauncherTestSupport.h"
#include "capture/DeviceBrowser.h"
#include "capture/DeviceDefinition.h"
#include "capture/ScannerDevice.h"
#include "foundation/Bundle.h"
#include "foundation/NotificationCenter.h"
#include "foundation/Paths.h"
#include "kit/Menu.h"
#include "kit/MenuItem.h"
#include "kit/ImageView.h"
#include "kit/TextField.h"
#include "launcher/DirectTWAINPort.h"
#include "launcher/ProcessImageDialog.h"
#include "ui/base/PVLocalizedString.h"
#include "ui/controls/MainWindow.h"
#include "ui/windows/DisplayManager.h"

namespace launchertest {
namespace {

constexpr const char* kVirtualScanner = "Vantrel TS-800 Virtual";

TEST_F(LauncherTest, DefaultDevicesOpenTheVirtualScannerThroughTheDataSource) {
  Zorvik_AppDelegate& d = makeDelegate("");
  launch();
  ASSERT_TRUE(runUntil([&] { return log->calls.size() >= 2; }));

  EXPECT_EQ(log->calls, (std::vector<std::string>{"dtScannerOpenDevice", "dtScannerOpenUserInterface"}));
  EXPECT_EQ(d.deviceNames(), std::vector<std::string>{kVirtualScanner});
  EXPECT_EQ(d.uiNotOpen(), 0);
  // One scanner is taken at once: the dialog never shows.
  EXPECT_FALSE(d.deviceSelectWindow()->isVisible());
  EXPECT_FALSE(d.searchingNotice().isShowing());

  // The data source gets the device list's entry for the model, and the scanner itself.
  const std::optional<fnd::Dictionary> list = Zorvik_AppDelegate::getVantrelDevicePlist();
  ASSERT_TRUE(list);
  fnd::Dictionary handed = log->devices.at(0);
  auto scanner = handed.get("ICScannerDevice").toObject<capture::ScannerDevice>();
  ASSERT_TRUE(scanner);
  EXPECT_EQ(scanner->name(), kVirtualScanner);
  handed.remove("ICScannerDevice");
  EXPECT_EQ(handed, list->dictionary(kVirtualScanner));

  // Before opening, the scanner got the capability message, and its name was remembered.
  EXPECT_EQ(scanner->lastMessageCode(), Zorvik_AppDelegate::kCapabilityMessageCode);
  fnd::PropertyList::Result sent = fnd::PropertyList::read(scanner->lastMessageData());
  ASSERT_TRUE(sent.ok());
  EXPECT_EQ((*sent.value)["CCAP_SUSPEND_POLLING"]["type"].toString(), "TWON_ONEVALUE");
  EXPECT_EQ((*sent.value)["CCAP_SUSPEND_POLLING"]["value"], fnd::Value(1));
  EXPECT_EQ((*sent.value)["AppName"].toString(), "Vantrel Trivolan");
  EXPECT_EQ(fnd::UserDefaults::standard().string(Zorvik_AppDelegate::kSelectDeviceName), kVirtualScanner);
  EXPECT_TRUE(messages.empty());

  // A second device report after the interface opened is not taken: no new scanner, no
  // session, nothing more handed to the data source.
  capture::DeviceDefinition late;
  late.name = kVirtualScanner;
  late.identifier = "ID-LATE";
  std::shared_ptr<capture::ScannerDevice> lateDevice = capture::ScannerDevice::create(late);
  d.didAddDevice(d.deviceBrowser(), *lateDevice, false);
  runUntil([] { return false; }, 4);
  ASSERT_EQ(d.scanners().size(), 1u);
  EXPECT_EQ(d.scanners()[0].get(), scanner.get());
  EXPECT_EQ(d.deviceNames(), std::vector<std::string>{kVirtualScanner});
  EXPECT_FALSE(lateDevice->hasOpenSession());
  EXPECT_EQ(log->calls, (std::vector<std::string>{"dtScannerOpenDevice", "dtScannerOpenUserInterface"}));
  EXPECT_EQ(log->devices.size(), 1u);
}

TEST_F(LauncherTest, DeviceSelectDialogListsTheVirtualScannerInAPicture) {
  Zorvik_AppDelegate& d = makeDelegate("");
  launch();
  ASSERT_TRUE(runUntil([&] { return !d.deviceNames().empty(); }));
  kit::Window& dialog = *d.deviceSelectWindow();
  EXPECT_EQ(dialog.contentRectSize(), (fnd::Size{455, 224}));
  EXPECT_EQ(dialog.title(), textOf("PVTO_SELECT_SCANNER"));
  kit::TableView& table = *d.scannersTableView();
  EXPECT_EQ(table.numberOfRows(), Zorvik_AppDelegate::kTableRows);
  EXPECT_EQ(table.valueAt(0, 0).toString(), kVirtualScanner);
  EXPECT_TRUE(table.valueAt(0, 1).isNull());
  EXPECT_EQ(d.okButton()->title(), textOf("PVTO_SELECT_BTN"));
  EXPECT_EQ(d.cancelButton()->title(), textOf("PVTO_UI_CANCEL_MAC"));

  table.selectRow(0, false);
  const std::filesystem::path shots = TRIVOLAN_LAUNCHER_SHOTS_DIR;
  std::filesystem::create_directories(shots);
  const std::string png = (shots / "device-select.png").string();
  ASSERT_TRUE(dialog.grabToPng(png));
  EXPECT_GT(std::filesystem::file_size(png), 1000u);
}

TEST_F(LauncherTest, WithoutADataSourceTheProgramSaysSoAndEnds) {
  // A factory that makes no data source (as a build without the driver's main window).
  delegate = std::make_unique<Zorvik_AppDelegate>([] { return std::unique_ptr<Zorvik_DataSourcePort>(); });
  kit::Application::shared().setDelegate(delegate.get());
  answerNextMessage();
  launch();
  ASSERT_TRUE(runUntil([] { return kit::Application::shared().isTerminated(); }));
  EXPECT_EQ(messages, std::vector<std::string>{textOf("PVTO_ERROR_NO_DRIVER")});
  EXPECT_TRUE(log->calls.empty());
}

TEST_F(LauncherTest, TheProgramShowsTheDriversMainWindowAfterThePick) {
  // As the program starts: its own factory, the real data source and user interface.
  ASSERT_TRUE(Zorvik_FrontDoorHasMainWindow());
  delegate = std::make_unique<Zorvik_AppDelegate>(&Zorvik_MakeDirectTWAIN);
  kit::Application& app = kit::Application::shared();
  app.setDelegate(delegate.get());
  launch();
  auto mainWindow = [&app]() -> Quirel_MainWindow* {
    for (kit::Window* w : app.windows())
      if (auto* m = dynamic_cast<Quirel_MainWindow*>(w); m && m->isVisible()) return m;
    return nullptr;
  };
  ASSERT_TRUE(runUntil([&] { return mainWindow() != nullptr; }));
  EXPECT_FALSE(app.isTerminated());
  EXPECT_TRUE(messages.empty());
  Quirel_MainWindow* window = mainWindow();
  EXPECT_EQ(window->title(), Quirel_PVLocalizedString(fnd::Bundle::main().identifier())
                                 .ls_localizedStringForKey("IDD_ASK_TEMPLATE_STR", "UserInterface"));
  // The model's minimum size, and the frame the display gives a window of that size.
  EXPECT_EQ(window->minSize(), fnd::Size(850, 680));
  const fnd::Rect expected = Quirel_DisplayManager().getDefaultWindowFrame(fnd::Size(850, 680));
  EXPECT_NEAR(window->frame().origin.x, expected.origin.x, 1.0);
  EXPECT_NEAR(window->frame().origin.y, expected.origin.y, 1.0);
  EXPECT_NEAR(window->frame().size.width, expected.size.width, 1.0);
  EXPECT_NEAR(window->frame().size.height, expected.size.height, 1.0);

  const std::filesystem::path shots = TRIVOLAN_LAUNCHER_SHOTS_DIR;
  std::filesystem::create_directories(shots);
  const std::string png = (shots / "main-window.png").string();
  ASSERT_TRUE(window->grabToPng(png));
  EXPECT_GT(std::filesystem::file_size(png), 1000u);

  // The window's close button ends the program through the data source, and the settings are
  // written on the way.
  window->performClose();
  ASSERT_TRUE(runUntil([&] { return app.isTerminated(); }));
  EXPECT_EQ(mainWindow(), nullptr);
  EXPECT_TRUE(std::filesystem::exists(fnd::Paths::configDir() + "/InitSetting.xml"));
}

TEST_F(LauncherTest, TheProductsDataSourceComesWithTheMainWindow) {
  // Without the driver's main window no scan could ever be asked for: no data source then.
  EXPECT_EQ(Zorvik_MakeDirectTWAIN() != nullptr, Zorvik_FrontDoorHasMainWindow());
  Zorvik_SetMainWindowStandIn(true);
  std::unique_ptr<Zorvik_DataSourcePort> real = Zorvik_MakeDirectTWAIN();
  Zorvik_SetMainWindowStandIn(std::nullopt);
  ASSERT_NE(dynamic_cast<Zorvik_DirectTWAINPort*>(real.get()), nullptr);
  EXPECT_NE(real->notificationSender(), nullptr);
}

TEST_F(LauncherTest, NoDeviceAtAllShowsError08AndTheWaitEndsWithTheProgram) {
  const std::string file = writeDeviceFile("none", {});
  Zorvik_AppDelegate& d = makeDelegate(file);
  answerNextMessage();
  launch();
  // The browser's last report ended the program inside the launch wait; the wait stopped
  // there instead of running its remaining rounds, and the message came once.
  EXPECT_TRUE(kit::Application::shared().isTerminated());
  EXPECT_LT(d.lastWaitRounds(), Zorvik_AppDelegate::kWaitRounds);
  EXPECT_EQ(messages, std::vector<std::string>{textOf("PVTO_ERROR_08")});
  EXPECT_EQ(cancelShown, std::vector<bool>{false});
  EXPECT_FALSE(d.searchingNotice().isShowing());
  EXPECT_TRUE(log->calls.empty());
}

TEST_F(LauncherTest, DataSourceRefusingTheDeviceLeavesTheInterfaceClosed) {
  log->openDeviceAnswer = 1;
  Zorvik_AppDelegate& d = makeDelegate("");
  launch();
  ASSERT_TRUE(runUntil([&] { return !log->calls.empty(); }));
  runUntil([] { return false; }, 4);
  EXPECT_EQ(log->calls, std::vector<std::string>{"dtScannerOpenDevice"});
  EXPECT_EQ(d.uiNotOpen(), 1);
  EXPECT_FALSE(kit::Application::shared().isTerminated());
}

struct SessionErrorCase {
  int error;
  const char* key;  // null: nothing shown
};

class SessionErrorTest : public LauncherTest, public ::testing::WithParamInterface<SessionErrorCase> {};

TEST_P(SessionErrorTest, ASessionErrorShowsItsMessage) {
  const SessionErrorCase c = GetParam();
  const std::string file = writeDeviceFile("session", {{kVirtualScanner, "ID-1", "USB", -1, c.error}});
  Zorvik_AppDelegate& d = makeDelegate(file);
  if (c.key) answerNextMessage();
  launch();
  runUntil([&] { return !messages.empty(); }, 40);
  if (c.key) {
    EXPECT_EQ(messages, std::vector<std::string>{textOf(c.key)});
  } else {
    EXPECT_TRUE(messages.empty());
  }
  EXPECT_FALSE(d.isModal());
  // Without a session the scanner never becomes ready, so nothing is opened.
  EXPECT_TRUE(log->calls.empty());
}

INSTANTIATE_TEST_SUITE_P(Errors, SessionErrorTest,
                         ::testing::Values(SessionErrorCase{capture::kErrorDeviceInUse, "PVTO_ERROR_04"},
                                           SessionErrorCase{capture::kErrorTimedOut, "PVTO_ERROR_08"},
                                           SessionErrorCase{-9999, nullptr}),
                         [](const ::testing::TestParamInfo<SessionErrorCase>& info) {
                           return info.param.key ? std::string(info.param.key) : std::string("Silent");
                         });

TEST_F(LauncherTest, CloseRequestWaitsWhileAModalWindowShowsAndThenClosesEverything) {
  Zorvik_AppDelegate& d = makeDelegate("");
  launch();
  ASSERT_TRUE(runUntil([&] { return log->calls.size() >= 2; }));
  kit::Application& app = kit::Application::shared();

  // During a modal run the request is ignored.
  kit::Window modal(fnd::Rect{{0, 0}, {200, 100}}, kit::kTitledWindowMask);
  app.onNextModalWindow([&](kit::Window&) {
    d.closeRequest();
    app.stopModalWithCode(0);
  });
  app.runModalForWindow(modal);
  EXPECT_EQ(log->calls.size(), 2u);
  EXPECT_FALSE(app.isTerminated());

  // The data source's request closes the interface and the device, then the program ends.
  fnd::NotificationCenter::defaultCenter().post(Zorvik_AppDelegate::kCloseRequestNotification,
                                                d.dataSource()->notificationSender());
  ASSERT_TRUE(runUntil([&] { return app.isTerminated(); }));
  EXPECT_EQ(log->calls, (std::vector<std::string>{"dtScannerOpenDevice", "dtScannerOpenUserInterface",
                                                  "dtScannerCloseUserInterface", "dtScannerCloseDevice"}));
}

TEST_F(LauncherTest, QuitIsIgnoredWhileScanningAndWhileAMessageIsUp) {
  Zorvik_AppDelegate& d = makeDelegate("");
  launch();
  ASSERT_TRUE(runUntil([&] { return log->calls.size() >= 2; }));
  kit::Application& app = kit::Application::shared();
  kit::MenuItem* quit = kit::Menu::mainMenu()->findItemWithTag(Zorvik_AppDelegate::kTagQuit);
  ASSERT_TRUE(quit);

  d.setScanning(true);
  quit->perform();
  EXPECT_FALSE(app.isTerminated());
  EXPECT_EQ(log->calls.size(), 2u);
  EXPECT_EQ(app.terminate(), false);

  d.setScanning(false);
  d.showModalDialog();
  EXPECT_EQ(d.applicationShouldTerminate(app), kit::TerminateReply::Cancel);
  d.closeModalDialog();

  quit->perform();
  EXPECT_TRUE(app.isTerminated());
  EXPECT_EQ(log->calls.back(), "dtScannerCloseDevice");
}

TEST_F(LauncherTest, MainMenuIsLocalisedByTagAndMissingItemsAreSkipped) {
  const std::string appName = fnd::Bundle::main().objectForInfoDictionaryKey("CFBundleName").toString();
  {
    // A main menu with only part of the items.
    auto bar = std::make_unique<kit::Menu>();
    auto first = std::make_unique<kit::Menu>();
    auto about = std::make_unique<kit::MenuItem>();
    about->setTag(Zorvik_AppDelegate::kTagAbout);
    first->addItem(std::move(about));
    auto holder = std::make_unique<kit::MenuItem>();
    holder->setSubmenu(std::move(first));
    bar->addItem(std::move(holder));
    kit::Menu::setMainMenu(std::move(bar));
  }
  makeDelegate("");
  launch();
  kit::Menu* bar = kit::Menu::mainMenu();
  ASSERT_EQ(bar->numberOfItems(), 1);
  EXPECT_EQ(bar->findItemWithTag(Zorvik_AppDelegate::kTagAbout)->title(), "About " + appName);
  EXPECT_EQ(bar->itemAtIndex(0)->submenu()->title(), appName);

  // The program's own menu, built when there is none.
  kit::Menu::setMainMenu(nullptr);
  delegate.reset();
  makeDelegate("");
  launch();
  bar = kit::Menu::mainMenu();
  ASSERT_TRUE(bar);
  const std::vector<std::pair<int, std::string>> expected = {
      {Zorvik_AppDelegate::kTagAbout, "About " + appName},  {Zorvik_AppDelegate::kTagHide, "Hide " + appName},
      {Zorvik_AppDelegate::kTagShowAll, textOf("PVTO_MENU_SHOW")}, {Zorvik_AppDelegate::kTagQuit, "Quit " + appName},
      {Zorvik_AppDelegate::kTagCut, textOf("PVTO_MENU_CUT")},   {Zorvik_AppDelegate::kTagBringAll, textOf("PVTO_MENU_BRING")},
  };
  for (const auto& [tag, title] : expected) {
    kit::MenuItem* item = bar->findItemWithTag(tag);
    ASSERT_TRUE(item) << tag;
    EXPECT_EQ(item->title(), title) << tag;
    EXPECT_TRUE(item->hasAction()) << tag;
  }
  EXPECT_EQ(bar->itemAtIndex(1)->submenu()->title(), textOf("PVTO_MENU_EDIT"));
  EXPECT_EQ(bar->itemAtIndex(2)->submenu()->title(), textOf("PVTO_MENU_WINDOW"));
  EXPECT_EQ(bar->findItemWithTag(Zorvik_AppDelegate::kTagCopy)->standardAction(), kit::StandardAction::Copy);
}

TEST_F(LauncherTest, AboutPanelShowsTitleVersionAndIcon) {
  Zorvik_AppDelegate& d = makeDelegate("");
  d.showAboutPanel();
  kit::Window* about = d.aboutWindow();
  ASSERT_TRUE(about);
  EXPECT_TRUE(about->isVisible());
  EXPECT_EQ(about->contentRectSize(), (fnd::Size{306, 185}));
  auto labelWith = [&](const std::string& text) {
    return about->contentView()->findView([&](kit::View& v) {
      auto* field = dynamic_cast<kit::TextField*>(&v);
      return field && field->stringValue() == text && !field->isHidden();
    });
  };
  EXPECT_TRUE(labelWith(textOf("PVTO_PVTO_TITLE")));
  EXPECT_TRUE(labelWith(textOf("PVTO_UI_VERSION") + " 0.1.0 (1)"));
  kit::View* icon = about->contentView()->findView([](kit::View& v) { return dynamic_cast<kit::ImageView*>(&v); });
  ASSERT_TRUE(icon);
  EXPECT_FALSE(icon->isHidden());
  d.showAboutPanel();
  EXPECT_EQ(d.aboutWindow(), about);
  const std::filesystem::path shots = TRIVOLAN_LAUNCHER_SHOTS_DIR;
  std::filesystem::create_directories(shots);
  EXPECT_TRUE(about->grabToPng((shots / "about.png").string()));
}

}  // namespace
}  // namespace launchertest
