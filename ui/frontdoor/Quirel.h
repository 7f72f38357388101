#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "foundation/NotificationCenter.h"
#include "foundation/Value.h"
#include "ui/base/progressCancelStatus.h"
#include "ui/frontdoor/MainWindowControllerPort.h"
#include "ui/windows/ProgressWindowPort.h"

// The user-interface library's root: the one object the data source makes. It owns the
// main-window controller and the progress window, keeps the request and initial settings,
// chooses the user-interface mode when the main window is created, forwards each data-source
// operation to the object that handles it (or drops it when the mode or a missing object makes
// it meaningless), and re-posts its two objects' outward notifications with itself as sender.
// Main thread only.
class Quirel {
 public:
  // Use flags: which objects the root makes.
  static constexpr std::uint32_t kUseProgressWindow = 1;
  static constexpr std::uint32_t kUseWindowController = 2;

  // User-interface modes chosen by createMainWindow().
  static constexpr std::int32_t kModeNone = -1;
  static constexpr std::int32_t kModeMainWindow = 0;
  static constexpr std::int32_t kModeUILess = 1;
  static constexpr std::int32_t kModeQuietSetting = 2;
  static constexpr std::int32_t kModeAutoPowerSetting = 3;

  // Like flags 3: both objects.
  Quirel();
  // Flags 0 none, 1 progress window, 2 window controller, 3 both; any other value none. The
  // root creates each object itself.
  explicit Quirel(std::uint32_t flags);
  // A root around objects made by the caller (either may be null).
  Quirel(std::unique_ptr<Quirel_MainWindowControllerPort> windowController,
         std::unique_ptr<Quirel_ProgressWindowPort> progressWindow);
  ~Quirel();
  Quirel(const Quirel&) = delete;
  Quirel& operator=(const Quirel&) = delete;

  Quirel_MainWindowControllerPort* windowController() const { return mUim.get(); }
  // Whether a root made for the main window gets its window controller, asked without making
  // a root (callers ask at start-up).
  static bool canMakeMainWindow();
  Quirel_ProgressWindowPort* progressWindow() const { return mProgressWindow.get(); }
  std::int32_t uiMode() const { return mUIMode; }
  const fnd::SharedDictionary& initSetting() const { return mInitSettingData; }
  const fnd::SharedDictionary& twainRequest() const { return mTWAINRequest; }

  // Keeps a private copy (none for null) and hands it to the progress window.
  void setInitSetting(const fnd::Dictionary* initSetting);
  // Keeps a private copy (none for null) and hands it to the window controller.
  void setTWAINRequest(const fnd::Dictionary* request);
  void setTWAINObject(void* object);

  void createMainWindow();
  void showMainWindow();
  void closeMainWindow();
  void terminateMainWindow();
  void activateMainWindow();
  void setPreviewMakeSize(std::int32_t width, std::int32_t height);
  void setPreviewData(std::int32_t byteCount, const std::uint8_t* data);
  void drawPreviewArea();
  void endPreview(const fnd::Dictionary* info);
  void setEnableMainWindowControl();
  void setDisableMainWindowControl();
  void endScan();

  void createProgressWindow();
  void setInformationData(const fnd::Dictionary* info);
  void showProgressWindow();
  void activateProgressWindow();
  void setPercentage(std::int16_t percent);
  void setScanningInfo(std::int16_t now, std::int16_t total, std::int16_t source);
  void setEstimatedRemainingTime(std::int32_t minutes);
  // The window gets as many of `numbers` as the format has "%d" placeholders (1 to 3), and
  // never more than were given; none for other counts. A null or empty format gets no numbers.
  void setMessageFieldInfo(std::int32_t messageNumber, const std::optional<std::string>& format,
                           const std::vector<std::int32_t>& numbers);
  void closeProgressWindow();
  void attachMousedownEvent(const std::shared_ptr<Quirel_progressCancelStatus>& status);
  void displayCalibrationProcWindow(std::int32_t displayMode);
  void closeCalibrationProcWindow();
  void displayScannerConnectWindow();
  void closeScannerConnectWindow();

  std::int32_t showMessage(std::int32_t messageNumber, std::int32_t errNum1, std::int32_t errNum2, std::int32_t errNum3);
  std::int32_t showNetworkErrorMessage(std::int32_t messageNumber, std::int32_t errNum1, std::int32_t errNum2,
                                       std::int32_t errNum3, std::int32_t LauchApp);

  void scanRetryStart();
  void showScanResultWindow();
  void addScanResultImage(const fnd::Dictionary* info);
  void closeScanResultWindow();
  void startEventScanResultWindow();
  void scanResultMousedownEvent2(const std::shared_ptr<Quirel_progressCancelStatus>& status);
  void enableMultiScanWindow();
  void showCloseSelectWindow();
  void showSavePathWindow();
  std::int32_t showSavePathModalWindow();
  void closeSelectMousedownEvent2(const std::shared_ptr<Quirel_progressCancelStatus>& status);
  void closeCloseSelectWindow();
  void closeSavePathWindow();
  void manualCalibrationError(const fnd::Dictionary* info);
  void displayScannerTestStatus(const fnd::Dictionary* info);
  void endScannerTest(const fnd::Dictionary* info);

  std::int32_t showMultiPagePDFPullScanEndDialog(std::int32_t number);
  void multiPagePDFPullScanEndDialogMousedownEvent(const std::shared_ptr<Quirel_progressCancelStatus>& status);
  void closeMultiPagePDFPullScanEndDialog();
  std::int32_t showMultiPagePDFPushScanStartDialog();
  std::int32_t showMultiPagePDFPushScanEndDialog(std::int32_t number);
  void multiPagePDFPushScanEndDialogMousedownEvent(const std::shared_ptr<Quirel_progressCancelStatus>& status);
  void closeMultiPagePDFPushScanEndDialog();
  std::int32_t showMultiPagePDFPushScanAddPageDialog();
  std::int32_t showAutoScanStartDialog();

  // The override channel: observes "Uthric_OverrideNotification" from the two owned objects and
  // re-posts each under its "OverrideNotificationName" with the root as sender.
  void overrideNotification(const fnd::Notification& notification);
  void startOverrideNotification();
  void stopOverrideNotification();

 private:
  // Main-window operations act only with a controller in mode 0 (or 0 and 1 for preview ones).
  Quirel_MainWindowControllerPort* inMainWindowMode() const;
  Quirel_MainWindowControllerPort* inMainWindowOrUILessMode() const;
  // The objects the flags ask for.
  static std::unique_ptr<Quirel_MainWindowControllerPort> newWindowController();
  static std::unique_ptr<Quirel_ProgressWindowPort> newProgressWindow();

  std::unique_ptr<Quirel_MainWindowControllerPort> mUim;
  std::unique_ptr<Quirel_ProgressWindowPort> mProgressWindow;
  fnd::SharedDictionary mInitSettingData;
  fnd::SharedDictionary mTWAINRequest;
  std::int32_t mUIMode = kModeNone;
};
