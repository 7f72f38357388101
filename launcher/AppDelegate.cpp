#include "launcher/AppDelegate.h"

#include <chrono>
#include <thread>

#include "capture/DeviceBrowser.h"
#include "capture/ScannerDevice.h"
#include "foundation/Bundle.h"
#include "foundation/RunLoop.h"
#include "foundation/StringFormat.h"
#include "foundation/UserDefaults.h"
#include "kit/Application.h"
#include "kit/Box.h"
#include "kit/Button.h"
#include "kit/ImageView.h"
#include "kit/Menu.h"
#include "kit/MenuItem.h"
#include "kit/ScrollView.h"
#include "kit/TextField.h"
#include "kit/Window.h"
#include "launcher/CGImageRefToNSImageTransformer.h"
#include "launcher/LauncherMessage.h"
#include "launcher/LauncherStrings.h"
#include "launcher/PVLocalizedBundle.h"
#include "launcher/PVLocalizedString.h"
#include "launcher/ProcessImageDialog.h"
#include "launcher/deviceNmaeToDisplayTransformer.h"

namespace {
constexpr const char* kPictavoTrivo = "PictavoTrivo";
}  // namespace

// --- Class set-up

void Zorvik_AppDelegate::initialize() {
  static std::once_flag once;
  std::call_once(once, [] {
    Zorvik_ValueTransformer::setValueTransformer(std::make_unique<CGImageRefToNSImageTransformer>(),
                                                 CGImageRefToNSImageTransformer::kName);
    Zorvik_ValueTransformer::setValueTransformer(std::make_unique<deviceNmaeToDisplayTransformer>(),
                                                 deviceNmaeToDisplayTransformer::kName);
  });
}

void Zorvik_AppDelegate::waitMainThread(double seconds) {
  if (fnd::RunLoop::isMainThread()) {
    fnd::RunLoop& loop = fnd::RunLoop::main();
    loop.runFor(loop.currentMode().value_or(fnd::RunLoopMode::Default), seconds);
  } else {
    std::this_thread::sleep_for(std::chrono::duration<double>(seconds));
  }
}

void Zorvik_AppDelegate::performLater(double seconds, std::function<void()> call) {
  // Calls that ran are dropped: a run deferring a request re-arms ten times a second.
  std::erase_if(mPendingCalls, [](const std::shared_ptr<fnd::Timer>& t) { return !t->isValid(); });
  mPendingCalls.push_back(fnd::RunLoop::main().performAfterDelay(seconds, std::move(call)));
}

void Zorvik_AppDelegate::waitMainThreadForEvent(double seconds) {
  if (fnd::RunLoop::isMainThread()) {
    fnd::RunLoop& loop = fnd::RunLoop::main();
    loop.runOnce(loop.currentMode().value_or(fnd::RunLoopMode::Default), seconds);
  } else {
    std::this_thread::sleep_for(std::chrono::duration<double>(seconds));
  }
}

Zorvik_AppDelegate::Zorvik_AppDelegate(Zorvik_DataSourceFactory makeDataSource, const std::string& deviceFile)
    : mMakeDataSource(std::move(makeDataSource)) {
  initialize();
  mDeviceBrowser = deviceFile.empty() ? std::make_unique<capture::DeviceBrowser>()
                                      : std::make_unique<capture::DeviceBrowser>(deviceFile);
  mDeviceBrowser->setDelegate(this);
  mDeviceBrowser->setBrowsedDeviceTypeMask(0xFF02);
  mDeviceBrowser->start();
  mSaveModule.Initialize();
  mStartTime = fnd::Date::now();
  m_ProcDlg = std::make_unique<Zorvik_ProcessImageDialog>();
  m_SerchDeviceDlg = std::make_unique<Zorvik_ProcessImageDialog>();
  m_EndDlg = std::make_unique<Zorvik_ProcessImageDialog>();
}

Zorvik_AppDelegate::~Zorvik_AppDelegate() {
  fnd::NotificationCenter::defaultCenter().removeObserver(this);
  for (auto& call : mPendingCalls) call->invalidate();
  mDeviceBrowser->setDelegate(nullptr);
  mDeviceBrowser->stop();
  std::vector<std::shared_ptr<capture::ScannerDevice>> devices;
  {
    std::lock_guard<std::mutex> lock(mScannersLock);
    devices = mScanners;
  }
  for (auto& d : devices) {
    if (d->delegate() == this) d->setDelegate(nullptr);
  }
  if (mDevice && mDevice->delegate() == this) mDevice->setDelegate(nullptr);
  if (window) window->setDelegate(nullptr);
  if (mScannersTableView) {
    mScannersTableView->setDataSource(nullptr);
    mScannersTableView->setDelegate(nullptr);
  }
  mSaveModule.Terminate();
}

bool Zorvik_AppDelegate::isTerminating() const { return mTerminating || kit::Application::shared().isTerminated(); }

void Zorvik_AppDelegate::terminateApplication() { kit::Application::shared().terminate(); }

// --- Launch

void Zorvik_AppDelegate::applicationDidFinishLaunching(kit::Application&) {
  mDirectTWAIN = mMakeDataSource ? mMakeDataSource() : nullptr;
  const void* sender = mDirectTWAIN ? mDirectTWAIN->notificationSender() : nullptr;
  fnd::NotificationCenter& center = fnd::NotificationCenter::defaultCenter();
  if (sender) {
    center.addObserver(this, kXferReadyNotification, sender, [this](const fnd::Notification& n) { ntfXferReady(n); });
    center.addObserver(this, kCloseRequestNotification, sender, [this](const fnd::Notification& n) { ntfCloseRequest(n); });
    center.addObserver(this, kSaveInfoNotification, sender, [this](const fnd::Notification& n) { ntfQuirel_SaveInfo(n); });
  }

  createDeviceSelectDialog();
  mScannersTableView->setAllowsEmptySelection(false);
  mScannersTableView->setAllowsMultipleSelection(false);

  // The main menu, localised; items it lacks are skipped.
  installMainMenu();
  if (kit::Menu* mainMenu = kit::Menu::mainMenu()) {
    const std::string appName = fnd::Bundle::main().objectForInfoDictionaryKey("CFBundleName").toString();
    // One question to the data source for every text of the menu, not one per text.
    const Zorvik_PVLocalizedString strings(Zorvik_PVLocalizedBundle::askDataSource());
    auto text = [&strings](const char* key) { return MES_GetLauncherLocalizedString(key, strings); };
    auto withName = [&](const char* key) { return fnd::formatString(text(key), {appName}); };
    struct Entry {
      int tag;
      const char* key;
      bool named;
      kit::MenuItem::Action action;
      kit::StandardAction standard;
    };
    const Entry entries[] = {
        {kTagAbout, "PVTO_MENU_ABOUT", true, [this](kit::MenuItem&) { showAboutPanel(); }, kit::StandardAction::None},
        {kTagHide, "PVTO_MENU_HIDE", true, {}, kit::StandardAction::Hide},
        {kTagHideOthers, "PVTO_MENU_HIDE_OTHERS", true, {}, kit::StandardAction::HideOthers},
        {kTagShowAll, "PVTO_MENU_SHOW", false, {}, kit::StandardAction::UnhideAll},
        {kTagQuit, "PVTO_MENU_QUIT", true, [this](kit::MenuItem&) { terminatePVTO(); }, kit::StandardAction::None},
        {kTagCut, "PVTO_MENU_CUT", false, {}, kit::StandardAction::Cut},
        {kTagCopy, "PVTO_MENU_COPY", false, {}, kit::StandardAction::Copy},
        {kTagPaste, "PVTO_MENU_PASTE", false, {}, kit::StandardAction::Paste},
        {kTagDelete, "PVTO_MENU_DELETE", false, {}, kit::StandardAction::Delete},
        {kTagSelectAll, "PVTO_MENU_SELECT_ALL", false, {}, kit::StandardAction::SelectAll},
        {kTagMinimize, "PVTO_MENU_MINIMIZE", false, {}, kit::StandardAction::Miniaturize},
        {kTagZoom, "PVTO_MENU_ZOOM", false, {}, kit::StandardAction::Zoom},
        {kTagBringAll, "PVTO_MENU_BRING", false, {}, kit::StandardAction::ArrangeInFront},
    };
    const char* menuTitles[] = {nullptr, "PVTO_MENU_EDIT", "PVTO_MENU_WINDOW"};
    for (int index = 0; index < 3; ++index) {
      kit::MenuItem* holder = mainMenu->itemAtIndex(index);
      kit::Menu* menu = holder ? holder->submenu() : nullptr;
      if (!menu) continue;
      menu->setTitle(menuTitles[index] ? text(menuTitles[index]) : appName);
      holder->setTitle(menu->title());
      for (const Entry& e : entries) {
        if (e.tag / 1000 != (index == 0 ? 1 : index == 1 ? 2 : 3)) continue;
        kit::MenuItem* item = menu->itemWithTag(e.tag);
        if (!item) continue;
        item->setTitle(e.named ? withName(e.key) : text(e.key));
        if (e.action) {
          item->setAction(e.action);
        } else {
          item->setStandardAction(e.standard);
        }
      }
    }
  }

  if (!mDeviceBrowser->devices().empty()) return;
  m_SerchDeviceDlg->showProcessImageDialog("IDMAC_SEARCHING_SCANNER", "Message");
  if (GetICDevice()) return;
  // A report during the wait may already have ended the program (and said why).
  if (isTerminating()) return;
  m_SerchDeviceDlg->closeProcessImageDialog();
  noScannerFound();
}

void Zorvik_AppDelegate::installMainMenu() {
  if (kit::Menu::mainMenu()) return;
  auto menuBar = std::make_unique<kit::Menu>();
  const std::vector<std::vector<int>> tags = {
      {kTagAbout, kTagHide, kTagHideOthers, kTagShowAll, kTagQuit},
      {kTagCut, kTagCopy, kTagPaste, kTagDelete, kTagSelectAll},
      {kTagMinimize, kTagZoom, kTagBringAll},
  };
  for (const auto& group : tags) {
    auto menu = std::make_unique<kit::Menu>();
    for (int tag : group) {
      auto item = std::make_unique<kit::MenuItem>();
      item->setTag(tag);
      menu->addItem(std::move(item));
    }
    auto holder = std::make_unique<kit::MenuItem>();
    holder->setSubmenu(std::move(menu));
    menuBar->addItem(std::move(holder));
  }
  kit::Menu::setMainMenu(std::move(menuBar));
}

std::string Zorvik_AppDelegate::localizedStringForKey(std::string_view key) {
  return fnd::Bundle::main().localizedString(key);
}

fnd::Value Zorvik_AppDelegate::infoValueForKey(std::string_view key) {
  return fnd::Bundle::main().objectForInfoDictionaryKey(key);
}

void Zorvik_AppDelegate::showAboutPanel() {
  if (!mAboutWindow) {
    const Zorvik_PVLocalizedString strings(Zorvik_PVLocalizedBundle().getLocalizedBundleStr());
    auto text = [&](const char* key) -> std::optional<std::string> {
      std::optional<std::string> t = strings.ls_localizedStringForKey(key, kPictavoTrivo);
      if (!t || *t == Zorvik_PVLocalizedString::kNone) return std::nullopt;
      return t;
    };
    mAboutWindow = std::make_unique<kit::Window>(fnd::Rect{{0, 0}, {306, 185}},
                                                 kit::kTitledWindowMask | kit::kClosableWindowMask);
    mAboutWindow->setReleasedWhenClosed(false);
    mAboutWindow->center();
    kit::View* content = mAboutWindow->contentView();

    auto icon = std::make_unique<kit::ImageView>(fnd::Rect{{120, 113}, {64, 64}});
    icon->setImageScaling(kit::ImageScaling::ProportionallyUpOrDown);
    const std::string iconFile = infoValueForKey("CFBundleIconFile").toString();
    const kit::Image image = iconFile.empty() ? kit::Image() : kit::Image::named(iconFile);
    icon->setImage(image);
    icon->setHidden(!image.isValid());
    content->addSubview(std::move(icon));

    auto addLine = [&](std::optional<std::string> line, double y, double height, kit::Font font) {
      auto label = kit::TextField::labelWithString(line.value_or(""), fnd::Rect{{10, y}, {286, height}});
      label->setFont(font);
      label->setAlignment(kit::TextAlignment::Center);
      label->setHidden(!line);
      content->addSubview(std::move(label));
    };
    addLine(text("PVTO_PVTO_TITLE"), 84, 22, kit::Font::boldSystemFont(14));
    std::optional<std::string> version;
    if (auto v = text("PVTO_UI_VERSION")) {
      version = fnd::formatString("%@ %@ (%@)", {*v, infoValueForKey("CFBundleShortVersionString").toString(),
                                                 infoValueForKey("CFBundleVersion").toString()});
    }
    addLine(version, 60, 18, kit::Font::systemFont(10));
    addLine(text("PVTO_UI_RIGHTS_1"), 34, 16, kit::Font::systemFont(10));
    addLine(text("PVTO_UI_RIGHTS_2"), 16, 16, kit::Font::systemFont(10));
  }
  mAboutWindow->makeKeyAndOrderFront();
}

// --- Device-select dialog

std::string Zorvik_AppDelegate::localizedDialogText(const fnd::Dictionary& strings, const char* key) const {
  return strings.string(key);
}

void Zorvik_AppDelegate::createDeviceSelectDialog() {
  if (window) return;
  const fnd::Dictionary strings = Zorvik_LauncherStrings::readTable(fnd::Bundle::main(), kPictavoTrivo);
  window = std::make_unique<kit::Window>(fnd::Rect{{0, 0}, {455, 224}}, 0x43);
  window->setReleasedWhenClosed(false);
  window->setDelegate(this);
  window->center();
  window->setTitle(localizedDialogText(strings, "PVTO_SELECT_SCANNER"));
  kit::View* content = window->contentView();

  auto scroll = std::make_unique<kit::ScrollView>(fnd::Rect{{17, 17}, {320, 190}});
  scroll->setBorderType(kit::BorderType::BezelBorder);
  scroll->setHasVerticalScroller(false);
  scroll->setHasHorizontalScroller(false);
  auto table = std::make_unique<kit::TableView>(fnd::Rect{{0, 0}, {316, 186}});
  kit::TableColumn column;
  column.identifier = kNameColumn;
  column.width = 316;
  column.editable = false;
  table->addTableColumn(column);
  table->setHasHeader(false);
  table->setUsesAlternatingRowBackgroundColors(true);
  table->setDataSource(this);
  table->setDelegate(this);
  mScannersTableView = table.get();
  scroll->setDocumentView(std::move(table));
  mScrollView = static_cast<kit::ScrollView*>(content->addSubview(std::move(scroll)));

  auto makeButton = [&](double y, const char* key, void (Zorvik_AppDelegate::*action)(kit::Control*)) {
    auto button = std::make_unique<kit::Button>(fnd::Rect{{341, y}, {106, 33}});
    button->setBezelStyle(kit::BezelStyle::Rounded);
    button->setButtonType(kit::ButtonType::MomentaryPushIn);
    button->setTitle(localizedDialogText(strings, key));
    button->setTarget(this, action);
    return button;
  };
  auto ok = makeButton(42, "PVTO_SELECT_BTN", &Zorvik_AppDelegate::selectScanner_OkButtonClick);
  ok->setKeyEquivalent("\r");
  mOkBtn = static_cast<kit::Button*>(content->addSubview(std::move(ok)));
  mCancelBtn = static_cast<kit::Button*>(
      content->addSubview(makeButton(10, "PVTO_UI_CANCEL_MAC", &Zorvik_AppDelegate::selectScanner_CancelButtonClick)));
  mScannersTableView->reloadData();
}

int Zorvik_AppDelegate::numberOfRowsInTableView(kit::TableView&) { return kTableRows; }

fnd::Value Zorvik_AppDelegate::objectValueForTableColumn(kit::TableView& table, const kit::TableColumn* column,
                                                        int row) {
  if (!column || column->identifier != kNameColumn) return {};
  if (row < 0 || row >= static_cast<int>(mDeviceName.size())) return {};
  const std::string& name = mDeviceName[static_cast<std::size_t>(row)];
  if (!mSelectDevice && name == fnd::UserDefaults::standard().string(kSelectDeviceName)) {
    // The scanner opened last time is offered first, once.
    mSelectDevice = true;
    table.selectRow(row, false);
  }
  return fnd::Value(name);
}

void Zorvik_AppDelegate::tableViewSelectionDidChange(kit::TableView& table) {
  // A row that holds a scanner makes OK usable again after the chosen scanner went away.
  if (mOkBtn && !mOkBtn->isEnabled() && selectedScanner(table.selectedRow())) mOkBtn->setEnabled(true);
}

std::shared_ptr<capture::ScannerDevice> Zorvik_AppDelegate::selectedScanner(int row) const {
  std::lock_guard<std::mutex> lock(mScannersLock);
  if (row < 0 || row >= static_cast<int>(mScanners.size())) return nullptr;
  return mScanners[static_cast<std::size_t>(row)];
}

std::vector<std::shared_ptr<capture::ScannerDevice>> Zorvik_AppDelegate::scanners() const {
  std::lock_guard<std::mutex> lock(mScannersLock);
  return mScanners;
}

void Zorvik_AppDelegate::selectScanner_OkButtonClick(kit::Control*) {
  if (mUINotOpen == 0) return;
  std::shared_ptr<capture::ScannerDevice> chosen = selectedScanner(mScannersTableView->selectedRow());
  if (!chosen) return;
  if (!chosen->hasOpenSession()) chosen->requestOpenSession();
  // The capability message goes to the scanner about to be opened.
  mDevice = chosen;
  if (!sendMessageforOpenUSB()) return;
  for (const auto& other : scanners()) {
    if (other != chosen) other->requestCloseSession();
  }
  m_SerchDeviceDlg->showProcessImageDialog("IDMAC_SEARCHING_SCANNER", "Message");
  startScan();
  m_SerchDeviceDlg->closeProcessImageDialog();
  window->orderOut();
}

void Zorvik_AppDelegate::selectScanner_CancelButtonClick(kit::Control*) { terminateApplication(); }

// --- Detection and opening

std::shared_ptr<capture::ScannerDevice> Zorvik_AppDelegate::GetICDevice() {
  bool timedOut = false;
  waitDeviceDetect(timedOut);
  if (timedOut || !mDevice) return nullptr;
  std::lock_guard<std::mutex> lock(mScannersLock);
  for (const auto& scanner : mScanners) {
    if (scanner->name() == mDevice->name() && scanner->transportType() == capture::TransportType::USB) return scanner;
  }
  return nullptr;
}

void Zorvik_AppDelegate::waitDeviceDetect(bool& timedOut) {
  timedOut = false;
  mLastWaitRounds = 0;
  if (isConnectDevice()) return;
  while (true) {
    if (isTerminating() || mLastWaitRounds >= kWaitRounds) {
      timedOut = true;
      return;
    }
    waitMainThread(kRoundSeconds);
    ++mLastWaitRounds;
    if (isConnectDevice()) return;
  }
}

void Zorvik_AppDelegate::startScan() {
  if (mModal) return;
  std::shared_ptr<capture::ScannerDevice> chosen;
  std::size_t count = 0;
  {
    std::lock_guard<std::mutex> lock(mScannersLock);
    count = mScanners.size();
    if (count == 1) chosen = mScanners.front();
  }
  if (count == 0) {
    if (mDevice) mDevice->requestCloseSession();
    return;
  }
  if (count > 1) chosen = selectedScanner(mScannersTableView->selectedRow());
  if (!chosen) return;
  mDevice = chosen;
  const std::optional<fnd::Dictionary> list = getVantrelDevicePlist();
  if (!list || !list->contains(chosen->name())) return;
  if (!sendMessageforOpenUSB()) return;

  if (!mDirectTWAIN) {
    // This build has no data source: say so, and end cleanly.
    m_SerchDeviceDlg->closeProcessImageDialog();
    showLauncherError("PVTO_ERROR_NO_DRIVER");
    terminateApplication();
    return;
  }
  fnd::Dictionary device = list->dictionary(chosen->name());
  device.set("ICScannerDevice", fnd::Value::object(chosen));
  const std::int32_t opened = mDirectTWAIN->dtScannerOpenDevice(device);
  m_SerchDeviceDlg->closeProcessImageDialog();
  if (opened == 1) return;
  if (mRequest) {
    mDirectTWAIN->dtScannerSetRequest(*mRequest);
    // A scan without the main window sends no save settings: the request's "SaveInfo" (the
    // keys of "ntfQuirel_SaveInfo"; by default JPEG files in the pictures folder) stands for them.
    if (mRequest->integer("UILessMode") == 1)
      ntfQuirel_SaveInfo(fnd::Notification{kSaveInfoNotification, mDirectTWAIN->notificationSender(),
                                           fnd::makeShared(mRequest->dictionary("SaveInfo"))});
  }
  mUINotOpen = mDirectTWAIN->dtScannerOpenUserInterface(0);
}

// --- Close

void Zorvik_AppDelegate::ntfCloseRequest(const fnd::Notification&) {
  mModal = false;
  // After the data source's post has returned.
  performLater(0.1, [this] { closeRequest(); });
}

void Zorvik_AppDelegate::closeRequest() {
  if (kit::Application::shared().modalWindow()) return;
  // Closing the data source under a running transfer would pull it from under the run, and
  // leave a worker's file half written: the run ends first, then closes.
  if (mTransferring) {
    mCloseAfterRun = true;
    return;
  }
  m_EndDlg->showProcessImageDialog("PVTO_ERROR_15", kPictavoTrivo);
  if (mDirectTWAIN) {
    mDirectTWAIN->dtScannerCloseUserInterface();
    mDirectTWAIN->dtScannerCloseDevice();
  }
  mScanning = false;
  m_EndDlg->closeProcessImageDialog();
  terminateApplication();
}

void Zorvik_AppDelegate::terminatePVTO() {
  if (mScanning) return;
  mModal = false;
  closeRequest();
}

kit::TerminateReply Zorvik_AppDelegate::applicationShouldTerminate(kit::Application& app) {
  if (app.modalWindow() || mScanning || mModal || mTransferring) return kit::TerminateReply::Cancel;
  return kit::TerminateReply::Now;
}

void Zorvik_AppDelegate::applicationWillTerminate(kit::Application&) {
  mTerminating = true;
  fnd::NotificationCenter::defaultCenter().removeObserver(this);
  // A worker still writing a final file finishes it first: quitting never leaves half a file.
  waitForSaveWorkers(false);
  mDirectTWAIN.reset();
  if (mDevice) mDevice->requestCloseSession();
  // The dialog may be the sender of this very call (its Cancel button): it is put away now
  // and destroyed with the delegate.
  if (window) window->orderOut();
}

void Zorvik_AppDelegate::showLauncherError(const char* key) { showLauncherMessage(key, kPictavoTrivo); }

void Zorvik_AppDelegate::showLauncherMessage(const char* key, const char* table, const fnd::Array& args) {
  showModalDialog();
  if (args.empty()) {
    MES_ShowLauncherMessage(key, table, 0, 0, 0);
  } else {
    MES_ShowLauncherMessage(key, table, 0, 0, 0, "%@", args);
  }
  closeModalDialog();
}

void Zorvik_AppDelegate::noScannerFound() {
  m_SerchDeviceDlg->closeProcessImageDialog();
  showLauncherError("PVTO_ERROR_08");
  terminateApplication();
}
