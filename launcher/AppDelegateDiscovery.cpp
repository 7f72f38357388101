// Scanner discovery: which devices the launcher keeps, their sessions, and the capability
// message sent before a scanner is opened.
#include <algorithm>
#include <cctype>
#include <chrono>
#include <thread>

#include "capture/Constants.h"
#include "capture/DeviceBrowser.h"
#include "capture/ScannerDevice.h"
#include "foundation/Bundle.h"
#include "foundation/PropertyList.h"
#include "foundation/RunLoop.h"
#include "foundation/StringFormat.h"
#include "foundation/UserDefaults.h"
#include "kit/Application.h"
#include "kit/Button.h"
#include "kit/Window.h"
#include "launcher/AppDelegate.h"
#include "launcher/ProcessImageDialog.h"

namespace {

std::string& deviceListOverride() {
  static std::string path;
  return path;
}

bool lessIgnoringCase(const std::string& a, const std::string& b) {
  return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
    return std::tolower(static_cast<unsigned char>(x)) < std::tolower(static_cast<unsigned char>(y));
  });
}

}  // namespace

void Zorvik_AppDelegate::setDeviceListPath(const std::string& path) { deviceListOverride() = path; }

std::optional<fnd::Dictionary> Zorvik_AppDelegate::getVantrelDevicePlist() {
  const std::string path = deviceListOverride().empty()
                               ? fnd::formatString("%@/%@", {fnd::Bundle::main().path(), kDeviceListFile})
                               : deviceListOverride();
  fnd::PropertyList::Result r = fnd::PropertyList::readFile(path);
  if (!r.ok() || !r.value->isDictionary()) return std::nullopt;
  return r.value->toDictionary();
}

bool Zorvik_AppDelegate::isSupportedDevice(const std::vector<std::string>& names, const std::string& name) {
  return std::find(names.begin(), names.end(), name) != names.end();
}

bool Zorvik_AppDelegate::isConnectDevice() const {
  if (!mDevice) return false;
  const std::optional<fnd::Dictionary> list = getVantrelDevicePlist();
  return list && list->contains(mDevice->name());
}

void Zorvik_AppDelegate::sortDeviceNames() {
  std::stable_sort(mDeviceName.begin(), mDeviceName.end(), lessIgnoringCase);
}

void Zorvik_AppDelegate::rearregeDevice() {
  std::lock_guard<std::mutex> lock(mScannersLock);
  const std::size_t n = std::min(mScanners.size(), mDeviceName.size());
  for (std::size_t i = 0; i < n; ++i) {
    if (mScanners[i]->name() == mDeviceName[i]) continue;
    for (std::size_t j = i + 1; j < mScanners.size(); ++j) {
      if (mScanners[j]->name() == mDeviceName[i]) {
        std::swap(mScanners[i], mScanners[j]);
        break;
      }
    }
  }
}

void Zorvik_AppDelegate::reloadScanners() {
  if (mScannersTableView) mScannersTableView->reloadData();
}

void Zorvik_AppDelegate::clearTableSelection() {
  if (!mScannersTableView) return;
  const bool allowsEmpty = mScannersTableView->allowsEmptySelection();
  mScannersTableView->setAllowsEmptySelection(true);
  mScannersTableView->deselectAll();
  mScannersTableView->setAllowsEmptySelection(allowsEmpty);
}

void Zorvik_AppDelegate::didAddDevice(capture::DeviceBrowser&, capture::ScannerDevice& device, bool moreComing) {
  if (mUINotOpen == 0) return;
  const std::optional<fnd::Dictionary> list = getVantrelDevicePlist();
  const bool kept = (device.type() & capture::kDeviceTypeScanner) != 0 &&
                    device.transportType() == capture::TransportType::USB &&
                    device.usbVendorID() == capture::kMakerUsbVendorId && list &&
                    isSupportedDevice(list->keys(), device.name());
  if (kept) {
    std::shared_ptr<capture::ScannerDevice> shared = device.shared_from_this();
    {
      std::lock_guard<std::mutex> lock(mScannersLock);
      mScanners.push_back(shared);
    }
    mDeviceName.push_back(device.name());
    sortDeviceNames();
    rearregeDevice();
    reloadScanners();
    device.setDelegate(this);
    mDevice = shared;
    device.requestOpenSession();
  }
  if (!moreComing && scanners().empty()) noScannerFound();
}

void Zorvik_AppDelegate::didEnumerateLocalDevices(capture::DeviceBrowser& browser) {
  // A file with no devices at all reports none, so no last device says "nothing more".
  if (browser.devices().empty() && mUINotOpen != 0 && !isTerminating()) noScannerFound();
}

void Zorvik_AppDelegate::didRemoveDevice(capture::DeviceBrowser&, capture::ScannerDevice& device, bool) {
  std::shared_ptr<capture::ScannerDevice> removed;
  int row = -1;
  {
    std::lock_guard<std::mutex> lock(mScannersLock);
    auto it = std::find_if(mScanners.begin(), mScanners.end(), [&](const auto& s) { return s.get() == &device; });
    if (it == mScanners.end()) return;
    row = static_cast<int>(it - mScanners.begin());
    removed = *it;
    mScanners.erase(it);
  }
  const bool wasChosen = mScannersTableView && mScannersTableView->selectedRow() == row;
  reloadScanners();
  if (wasChosen) {
    // The choice went with the scanner: no other scanner slides into its row unasked.
    clearTableSelection();
    if (mOkBtn) mOkBtn->setEnabled(false);
  }
  if (scanners().empty() && mOkBtn) mOkBtn->setEnabled(false);
  if (mDevice && mDevice->UUIDString() == device.UUIDString()) mDevice.reset();
  if (device.delegate() == this) device.setDelegate(nullptr);
}

void Zorvik_AppDelegate::didRemoveDevice(capture::ScannerDevice& device) {
  auto it = std::find(mDeviceName.begin(), mDeviceName.end(), device.name());
  if (it != mDeviceName.end()) mDeviceName.erase(it);
  sortDeviceNames();
}

void Zorvik_AppDelegate::didOpenSession(capture::ScannerDevice&, int error) {
  if (error == capture::kErrorNone) return;
  if (error == capture::kErrorDeviceInUse) {
    showLauncherError("PVTO_ERROR_04");
  } else if (error == capture::kErrorTimedOut) {
    showLauncherError("PVTO_ERROR_08");
  }
}

void Zorvik_AppDelegate::deviceDidBecomeReady(capture::ScannerDevice& device) {
  (void)device.selectedFunctionalUnit();
  const std::size_t count = scanners().size();
  if (count == 0) {
    terminateApplication();
    return;
  }
  if (count >= 2) {
    if (!mModal) {
      m_SerchDeviceDlg->closeProcessImageDialog();
      window->makeKeyAndOrderFront();
    }
    return;
  }
  if (!window->isVisible()) {
    startScan();
  } else if (!mOkBtn->isEnabled()) {
    mOkBtn->setEnabled(true);
  }
}

void Zorvik_AppDelegate::didEncounterError(capture::ScannerDevice&, int error, const std::string& description) {
  if (error == capture::kErrorScannerInformation || !window) return;
  mErrorAlert = std::make_unique<kit::Alert>();
  mErrorAlert->setMessageText(description);
  mErrorAlert->addButtonWithTitle("OK");
  mErrorAlert->beginSheetModalForWindow(*window, [](int) {});
}

void Zorvik_AppDelegate::recieveCapabilityMessage(const fnd::Data& inData, int error, CapabilityAnswer& contextInfo) {
  // The answer must only be readable; what it says is not used.
  (void)fnd::PropertyList::read(inData);
  contextInfo.error = error;
  contextInfo.done = true;
}

bool Zorvik_AppDelegate::sendMessageforOpenUSB() {
  if (!mDevice) return false;
  std::shared_ptr<capture::ScannerDevice> selected =
      mScannersTableView ? selectedScanner(mScannersTableView->selectedRow()) : nullptr;
  // With one scanner nothing need be selected: the scanner being opened is remembered.
  const std::string name = selected ? selected->name() : mDevice->name();
  fnd::UserDefaults::standard().set(kSelectDeviceName, name);
  fnd::UserDefaults::standard().synchronize();

  fnd::Dictionary suspend{{"type", "TWON_ONEVALUE"}, {"value", 1}};
  fnd::Dictionary message{{"CCAP_SUSPEND_POLLING", suspend}, {"AppName", kAppName}};
  const std::optional<std::string> archive = fnd::PropertyList::write(fnd::Value(message));
  if (!archive) return false;
  const fnd::Data data(archive->begin(), archive->end());

  // The completion may come after this wait has given up: it only touches shared state.
  auto answer = std::make_shared<CapabilityAnswer>();
  mDevice->requestSendMessage(kCapabilityMessageCode, data, data.size(),
                              [answer](capture::ScannerDevice&, std::uint32_t, const fnd::Data& reply, int error) {
                                recieveCapabilityMessage(reply, error, *answer);
                              });
  double waited = 0;
  mLastWaitRounds = 0;
  while (!answer->done && !isTerminating()) {
    fnd::RunLoop::main().runOnce(fnd::RunLoop::main().currentMode().value_or(fnd::RunLoopMode::Default), 0);
    if (answer->done) break;
    waitMainThread(kRoundSeconds);
    if (answer->done) break;
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    waited += kRoundSeconds;
    ++mLastWaitRounds;
    if (waited > kWaitRounds * kRoundSeconds) break;
  }
  if (!answer->done || answer->error != capture::kErrorNone) {
    if (!isTerminating()) showLauncherError("PVTO_ERROR_08");
    return false;
  }
  return true;
}
