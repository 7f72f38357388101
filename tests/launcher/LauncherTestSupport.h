#pragma once

// The launcher's test fixture: a quiet application, a recording data source, device
// definition files written per test, and message boxes answered as a user would.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "TestEnvironment.h"
#include "foundation/Bundle.h"
#include "foundation/PropertyList.h"
#include "foundation/RunLoop.h"
#include "foundation/UserDefaults.h"
#include "kit/Application.h"
#include "kit/Button.h"
#include "kit/TextField.h"
#include "launcher/AppDelegate.h"
#include "launcher/DataSourcePort.h"
#include "launcher/ShowMessageDialog.h"

namespace launchertest {

// What the launcher asked of the data source, in order.
struct DataSourceLog {
  std::vector<std::string> calls;
  std::vector<fnd::Dictionary> devices;
  std::int32_t openDeviceAnswer = 0;
  std::int32_t openUserInterfaceAnswer = 0;

  // Transfer calls as they were made.
  std::vector<std::uint32_t> memorySizes;
  std::vector<std::int32_t> pendingModes;
  std::vector<std::int32_t> finishStatuses;
  std::vector<TW_IMAGEMEMXFER> transfers;  // each record as it was handed in
  // The images to deliver, in order. Each transfer fills whole rows of the current image into
  // the caller's buffer, byte x of row y holding pixelByte(y, x); the pending count is the
  // number of images still to come.
  std::vector<DT_IMAGEINFO> images;
  std::size_t currentImage = 0;
  std::uint32_t rowsDelivered = 0;
  // When set, answers each transfer instead (the record is filled as above only when it
  // answers TWRC_SUCCESS or TWRC_XFERDONE through `deliver`).
  std::function<std::int32_t(TW_IMAGEMEMXFER* xfer, const std::function<std::int32_t()>& deliver)> transferAnswer;

  static std::uint8_t pixelByte(std::uint32_t row, std::uint32_t column) {
    return static_cast<std::uint8_t>(row * 7 + column);
  }
  static std::uint32_t rowBytesOf(const DT_IMAGEINFO& i) {
    const auto bits = static_cast<std::uint32_t>(i.BitsPerPixel);
    const auto width = static_cast<std::uint32_t>(i.ImageWidth);
    return bits == 1 ? (width + 7) / 8 : bits / 8 * width;
  }
};

class RecordingDataSource : public Zorvik_DataSourcePort {
 public:
  explicit RecordingDataSource(std::shared_ptr<DataSourceLog> log) : log_(std::move(log)) {}
  std::int32_t dtScannerOpenDevice(const fnd::Dictionary& device) override {
    log_->calls.push_back("dtScannerOpenDevice");
    log_->devices.push_back(device);
    return log_->openDeviceAnswer;
  }
  std::int32_t dtScannerOpenUserInterface(std::int32_t) override {
    log_->calls.push_back("dtScannerOpenUserInterface");
    return log_->openUserInterfaceAnswer;
  }
  std::int32_t dtScannerCloseUserInterface() override {
    log_->calls.push_back("dtScannerCloseUserInterface");
    return 0;
  }
  std::int32_t dtScannerCloseDevice() override {
    log_->calls.push_back("dtScannerCloseDevice");
    return 0;
  }
  std::int32_t dtScannerSetupMemorySize(std::uint32_t size) override {
    log_->calls.push_back("dtScannerSetupMemorySize");
    log_->memorySizes.push_back(size);
    return TWRC_SUCCESS;
  }
  std::int32_t dtScannerGetImageInfo(DT_IMAGEINFO* info) override {
    log_->calls.push_back("dtScannerGetImageInfo");
    if (!info) return TWRC_FAILURE;
    if (log_->currentImage >= log_->images.size()) {
      *info = DT_IMAGEINFO{};
      return TWRC_FAILURE;
    }
    *info = log_->images[log_->currentImage];
    return TWRC_SUCCESS;
  }
  std::int32_t dtScannerImageMemoryTransfer(TW_IMAGEMEMXFER* xfer) override {
    log_->calls.push_back("dtScannerImageMemoryTransfer");
    if (xfer) log_->transfers.push_back(*xfer);
    auto deliver = [this, xfer] { return deliverBlock(xfer); };
    if (log_->transferAnswer) return log_->transferAnswer(xfer, deliver);
    return deliver();
  }
  std::int32_t dtScannerPendingTransfers(std::int32_t mode) override {
    log_->calls.push_back("dtScannerPendingTransfers");
    log_->pendingModes.push_back(mode);
    log_->rowsDelivered = 0;
    if (mode == 1 || log_->currentImage >= log_->images.size()) {
      log_->currentImage = log_->images.size();
      return 0;
    }
    ++log_->currentImage;
    return static_cast<std::int32_t>(log_->images.size() - log_->currentImage);
  }
  std::int32_t dtScannerNotifyDidFinishSaving(std::int32_t status) override {
    log_->calls.push_back("dtScannerNotifyDidFinishSaving");
    log_->finishStatuses.push_back(status);
    return 0;
  }
  const void* notificationSender() const override { return this; }

 private:
  // Whole rows of the current image into the caller's buffer, as the data source does.
  std::int32_t deliverBlock(TW_IMAGEMEMXFER* xfer) {
    if (!xfer || log_->currentImage >= log_->images.size()) return TWRC_FAILURE;
    const DT_IMAGEINFO& image = log_->images[log_->currentImage];
    const std::uint32_t rowBytes = DataSourceLog::rowBytesOf(image);
    auto* dest = static_cast<std::uint8_t*>((xfer->Memory.Flags & TWMF_HANDLE) && xfer->Memory.TheMem
                                                ? *static_cast<void**>(xfer->Memory.TheMem)
                                                : xfer->Memory.TheMem);
    if (rowBytes == 0 || !dest || xfer->Memory.Length < rowBytes) return TWRC_FAILURE;
    const auto length = static_cast<std::uint32_t>(image.ImageLength);
    const std::uint32_t rows = std::min(xfer->Memory.Length / rowBytes, length - log_->rowsDelivered);
    for (std::uint32_t r = 0; r < rows; ++r)
      for (std::uint32_t x = 0; x < rowBytes; ++x)
        dest[r * rowBytes + x] = DataSourceLog::pixelByte(log_->rowsDelivered + r, x);
    *xfer = TW_IMAGEMEMXFER{0, rowBytes, static_cast<std::uint32_t>(image.ImageWidth), rows, 0,
                            log_->rowsDelivered, rows * rowBytes, xfer->Memory};
    log_->rowsDelivered += rows;
    if (log_->rowsDelivered < length) return TWRC_SUCCESS;
    log_->rowsDelivered = 0;
    return TWRC_XFERDONE;
  }

  std::shared_ptr<DataSourceLog> log_;
};

// One device of a definition file.
struct TestDevice {
  std::string name;
  std::string identifier;
  std::string transport = "USB";
  int vendorId = -1;  // -1: the maker's
  int sessionOpenError = 0;
};

class LauncherTest : public ::testing::Test {
 protected:
  void SetUp() override {
    kit::Application& app = kit::Application::shared();
    app.resetTerminated();
    app.setDelegate(nullptr);
    Zorvik_AppDelegate::setDeviceListPath("");
    fnd::UserDefaults::standard().remove(Zorvik_AppDelegate::kSelectDeviceName);
    log = std::make_shared<DataSourceLog>();
    // A modal run that no test step answers would never end: this one ends it and fails. A box
    // counts as forgotten only when it is still up, unanswered, at the tick after the one that
    // first saw it: after a busy main thread this timer and a test's answerer fall due in the
    // same pass, and a box that opened just then has had no chance to be answered yet.
    watchdog_ = fnd::Timer::scheduled(
        2.0, true,
        [this](fnd::Timer&) {
          kit::Application& a = kit::Application::shared();
          kit::Window* box = a.pendingModalResponders() == 0 ? a.modalWindow() : nullptr;
          const std::uint64_t runs = a.modalRunsBegun();
          if (box && box == unansweredBox_ && runs == unansweredRuns_) {
            ADD_FAILURE() << "a modal window was left unanswered";
            a.abortModal();
            box = nullptr;
          }
          unansweredBox_ = box;
          unansweredRuns_ = runs;
        },
        fnd::kCommonModes);
  }

  void TearDown() override {
    watchdog_->invalidate();
    kit::Application& app = kit::Application::shared();
    // Answers a test set up but did not use would answer the next suite's boxes.
    while (app.pendingModalResponders() > 0) {
      kit::Window spare(fnd::Rect{{0, 0}, {10, 10}}, kit::kTitledWindowMask);
      app.resetTerminated();
      app.runModalForWindow(spare);
    }
    app.setDelegate(nullptr);
    delegate.reset();
    app.resetTerminated();
    fnd::RunLoop::main().runOnce(fnd::RunLoopMode::Default, 0);
  }

  // A delegate browsing `deviceFile`, with the recording data source (or none).
  Zorvik_AppDelegate& makeDelegate(const std::string& deviceFile, bool withDataSource = true) {
    Zorvik_DataSourceFactory factory;
    if (withDataSource) {
      auto shared = log;
      factory = [shared] { return std::make_unique<RecordingDataSource>(shared); };
    }
    delegate = std::make_unique<Zorvik_AppDelegate>(factory, deviceFile);
    kit::Application::shared().setDelegate(delegate.get());
    return *delegate;
  }

  // Launches and runs the main loop until `done` holds (at most `rounds` passes of 0.05 s).
  void launch() { delegate->applicationDidFinishLaunching(kit::Application::shared()); }
  static bool runUntil(const std::function<bool()>& done, int rounds = 400) {
    for (int i = 0; i < rounds && !done(); ++i) fnd::RunLoop::main().runOnce(fnd::RunLoopMode::Default, 0.05);
    return done();
  }

  // The next message box: its text is written down, then `click` ("OK" or "Cancel") answers.
  void answerNextMessage(const std::string& click = "OK") {
    kit::Application::shared().onNextModalWindow([this, click](kit::Window& w) {
      auto* box = dynamic_cast<Zorvik_ShowMessageDialog*>(&w);
      if (!box) {
        kit::Application::shared().stopModalWithCode(0);
        return;
      }
      messages.push_back(box->textView()->stringValue());
      cancelShown.push_back(!box->cancelButton()->isHidden());
      (click == "OK" ? box->okButton() : box->cancelButton())->performClick();
    });
  }

  static std::string writeDeviceFile(const std::string& folder, const std::vector<TestDevice>& devices) {
    fnd::Array entries;
    for (const TestDevice& d : devices) {
      fnd::Dictionary e{{"Name", d.name}, {"Identifier", d.identifier}, {"Transport", d.transport}};
      if (d.vendorId >= 0) e.set("VendorID", d.vendorId);
      if (d.sessionOpenError) e.set("Behaviour", fnd::Dictionary{{"SessionOpenError", d.sessionOpenError}});
      entries.emplace_back(std::move(e));
    }
    const std::string path = (testenv::freshFolder(folder) / "Devices.plist").string();
    EXPECT_TRUE(fnd::PropertyList::writeFile(fnd::Value(fnd::Dictionary{{"Devices", entries}}), path));
    return path;
  }

  // A device list naming these scanners, each with a small entry of its own.
  static std::string writeDeviceList(const std::string& folder, const std::vector<std::string>& names) {
    fnd::Dictionary list;
    for (const std::string& n : names) list.set(n, fnd::Dictionary{{"DeviceName", n}, {"ModelWord", "TS800"}});
    const std::string path = (testenv::freshFolder(folder) / "VantrelDevice.plist").string();
    EXPECT_TRUE(fnd::PropertyList::writeFile(fnd::Value(list), path));
    return path;
  }

  static std::string textOf(const char* key) {
    return fnd::Bundle::main().localizedString(key, "", "PictavoTrivo");
  }

  std::shared_ptr<DataSourceLog> log;
  std::unique_ptr<Zorvik_AppDelegate> delegate;
  std::vector<std::string> messages;
  std::vector<bool> cancelShown;

 private:
  std::shared_ptr<fnd::Timer> watchdog_;
  // The box the last tick found unanswered and the modal runs begun by then (only compared).
  kit::Window* unansweredBox_ = nullptr;
  std::uint64_t unansweredRuns_ = 0;
};

}  // namespace launchertest
