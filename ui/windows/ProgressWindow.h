#pragma once

#include <array>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "foundation/NotificationCenter.h"
#include "foundation/Value.h"
#include "kit/Image.h"
#include "kit/WindowDelegate.h"
#include "ui/base/PVLocalizedString.h"
#include "ui/base/ProgressDisplayRules.h"
#include "ui/model/ProgressWindowLink.h"
#include "ui/model/SM_COMMON/ScanInfo.h"
#include "ui/windows/ProgressWindowPort.h"

namespace kit {
class Box;
class Button;
class ProgressIndicator;
class TextField;
class View;
class Window;
}  // namespace kit
class Quirel_MessageInfoView;
class Quirel_ScannerConnectWindow;

// The window that stands over the scanner dialog while the scan module works: a message line,
// a bar with its percent text and Cancel, an information area (the crop, frame or page being
// scanned, the remaining time) with a disclosure triangle that unfolds the scan settings, and
// the three wait windows (scanner connect, calibration, quiet time). The root makes one and
// forwards the data source's progress requests; the only thing it sends back is Cancel, as
// "Cancel_Scan" through the outward channel. After Cancel the gated requests are dropped until
// the window is built again. Main thread only.
class Quirel_ProgressWindow : public Quirel_ProgressWindowPort, public ProgressWindowLink, public kit::WindowDelegate {
 public:
  static constexpr const char* kProgressStatusPost = "progressStatusPost";
  static constexpr const char* kSetMainWindowObjectPost = "setMainWindowObjectPost";
  static constexpr const char* kSetImageSourceAndColorModeStrPost = "setImageSourceAndColorModeStrPost";
  static constexpr const char* kCancelScan = "Cancel_Scan";
  static constexpr const char* kMessageFieldKey = "keyMesFInfoStr";

  // WindowStatus values.
  static constexpr std::int32_t kStatusIdle = 0;
  static constexpr std::int32_t kStatusShown = 2;
  static constexpr std::int32_t kStatusCancelled = -1;
  static constexpr int kWaitLevel = 12;
  static constexpr int kLevelAboveMain = 3;
  static constexpr std::int32_t kDetailRows = 15;

  explicit Quirel_ProgressWindow(fnd::NotificationCenter& center = fnd::NotificationCenter::defaultCenter());
  ~Quirel_ProgressWindow() override;
  Quirel_ProgressWindow(const Quirel_ProgressWindow&) = delete;
  Quirel_ProgressWindow& operator=(const Quirel_ProgressWindow&) = delete;

  // The window that a "progressStatusPost" (or another post of this window) names as its
  // sender; null for any other notification or sender.
  static Quirel_ProgressWindow* fromNotification(const fnd::Notification& notification);

  // --- The root's requests.
  const void* notificationSender() const override { return this; }
  void setInitSettingMainThreadMode(const fnd::SharedDictionary& initSetting) override;
  void createProgressWindowMainThreadMode() override;
  void setInformationDataMainThreadMode(const fnd::Dictionary* info) override;
  void showProgressWindowMainThreadMode() override;
  void activateProgressWindowMainThreadMode() override;
  void setPercentageMainThreadMode(std::int16_t percent) override;
  void setScanningInfoMainThreadMode(std::int16_t now, std::int16_t total, std::int16_t source) override;
  void setEstimatedRemainingTimeMainThreadMode(std::int32_t minutes) override;
  void setMessageFieldInfoMainThreadMode(std::int32_t messageNumber, const std::optional<std::string>& format,
                                         const std::vector<std::int32_t>& numbers) override;
  void closeProgressWindowMainThreadMode() override;
  void attachMousedownEventMainThreadMode(const std::shared_ptr<Quirel_progressCancelStatus>& status) override;
  void displayCalibrationProcWindowMainThreadMode(std::int32_t displayMode) override;
  void closeCalibrationProcWindowMainThreadMode() override;
  void displayScannerConnectWindowMainThreadMode() override;
  void closeScannerConnectWindowwMainThreadMode() override;
  void releaseProgressWindowMainThreadMode() {}
  void releaseProgressWindowMainThread();

  // The same operations without the cancel gate.
  void createProgressWindowMainThread_NRT();
  void setInformationDataMainThread_NRT(const fnd::Dictionary& info);
  void showProgressWindowMainThread_NRT();
  void activateProgressWindowMainThread_NRT();
  void setPercentageMainThread_NRT(std::int16_t percent);
  void setScanningInfoMainThread_NRT(const fnd::Dictionary& info);
  void setEstimatedRemainingTimeMainThread_NRT(const fnd::Dictionary& info);
  void setMessageFieldInfoMainThread_NRT(const std::string& text);

  // The window answers the wait windows' requests itself (3.132).
  kit::Window* displayCalibrationProcWindowMainThread_NRT();
  void closeCalibrationProcWindowMainThread_NRT();
  kit::Window* displayCalibrationProcWindow(std::int32_t displayMode);
  kit::Window* displayScannerConnectWindow();
  // Quiet-time window: type 0, 2, 4 reading (1722 on a single-function scanner, else 1720),
  // other types writing (1721). Drawn before the call returns.
  kit::Window* displaySilentTimeWindowMainThreadModeWithTitle(const std::optional<std::string>& title, std::int32_t type,
                                                              bool isSFS);
  void closeSilentTimeWindowMainThreadMode();

  std::int32_t resultProgressWindow() const { return WindowStatus; }
  void cancelBTAction();
  void cancelPost();
  void DisclosereBTAction();
  void setMainWindowObject(kit::Window* window) { uimWindow = window; }
  kit::Window* mainWindowObject() const { return uimWindow; }
  void windowDidBecomeKey(kit::Window& window) override;
  void windowDidUpdate(kit::Window& window) override;
  static fnd::SharedDictionary getUIParameterDictionaryAtInitSettingData(const fnd::Dictionary* initSetting);

  // --- Detail view and display rules (filled by the main-window controller).
  void setScanMode(std::int32_t mode) { scanMode = mode; }
  void setImageSourceString(const std::string& text, std::int32_t number);
  void setColorModeString(const std::string& text, std::int32_t number);
  void setScannerDispInfo(bool unsharp, bool descreen, bool reduceDust, bool vexa, bool fading, bool grain,
                          bool backLight, bool book, bool softVexa, bool copyGamma, bool imageAdjust, bool racs2);
  void setScannerDispInfoAutoFineDoc(bool on) { mCaps.iAutoFineDoc = on; }
  void setResourcesBundlePath(const std::string& ignored);
  Quirel_ProgressDisplayRules::BarCancel setProgressAndCancelDisp(const fnd::Dictionary& info) const;
  std::int32_t setDetailInfoSimple(const fnd::Dictionary& info) const;
  Quirel_ProgressDisplayRules::SimpleComp setDetailInfoSimpleComp(const fnd::Dictionary& info) const;
  void setScanningInfoMainThreadCFlg(std::int16_t now, std::int16_t total, std::int16_t source);
  // Lays the detail rows out; 0 also refreshes the source and colour texts. Answers the height.
  double setLayoutDetailView(std::int32_t refresh);
  void setHiddenField(const Quirel_ProgressDisplayRules::RowFlags& shown);
  int getCropNow() override { return mCropNow; }
  void setImageAdjustNum(int number) override { mImageAdjustNum = number; }
  int getImageAdjustNum() const { return mImageAdjustNum; }

  // --- Read-outs for tests and callers.
  kit::Window* window() const { return pWindow.get(); }
  std::int32_t layout() const { return layoutType; }
  std::int32_t heightState() const { return windowHSt; }
  bool isShown() const { return showFlg; }
  bool detailDisp() const { return DetailDisp; }
  bool detailSimpleDisp() const { return DetailSimpleDisp; }
  double unfoldedWindowHeight() const { return windowHeight; }
  kit::TextField* message1() const { return Message1; }
  kit::TextField* message2() const { return Message2; }
  kit::ProgressIndicator* progressBar() const { return ProgressInd; }
  kit::TextField* percentText() const { return ProgressText; }
  kit::Button* cancelButton() const { return CancelButton; }
  kit::View* messageBox() const;
  kit::View* infoBox() const;
  kit::TextField* scanStatusInfo() const { return ScanStInfo; }
  kit::TextField* remainTimeLabel() const { return RemainTimeLabel; }
  kit::TextField* remainTimeInfo() const { return RemainTimeInfo; }
  kit::Button* disclosureButton() const { return DisclosereButton; }
  // Label and value of detail row i (table order: source, colour, resolution, auto fine
  // document, image adjustment, copy gamma, unsharp, descreen, reduce dust, software dust,
  // infrared dust, fading, grain, backlight, book).
  kit::TextField* detailLabel(int i) const { return mDetailLabels[i]; }
  kit::TextField* detailValue(int i) const { return mDetailValues[i]; }
  std::int32_t filledCrops() const { return mCropCount; }
  const CropSetting* cropSetting(int i) const { return i >= 0 && i < kScanInfoMaxCrops ? mCropSetting[i] : nullptr; }
  kit::Window* calibrationWindow() const { return calibProcWindow.get(); }
  kit::TextField* calibrationMessage() const { return CaribMessage; }
  kit::Window* scannerConnectWindow() const;
  kit::TextField* scannerConnectMessage() const { return csMessage; }
  kit::Window* silentTimeWindow() const { return mSilentTimeWindow.get(); }
  kit::TextField* silentTimeMessage() const { return mSilentTimeMessageTxtF; }
  bool calibrationShown() const { return calibShowFlag; }

 private:
  struct Overrides {
    std::optional<std::int32_t> message, percent, bar, cancel;
  };

  // Building.
  void buildMessageBox(double width);
  void buildInfoBox(double width, double top);
  void buildDetailBox(double width, double top);
  kit::TextField* addLabel(kit::View* parent, const fnd::Rect& frame, int alignment, const char* key,
                           bool wrapping = false);
  std::string uiText(const std::string& key) const;
  std::string messageText(std::int32_t number) const;
  void releaseViews();
  void freeCrops();

  // The information dictionary's steps.
  void updateMessageBox(const fnd::Dictionary& info, const Overrides& ov, std::int32_t dflg, double* runningHeight);
  void updateInfoBox(const fnd::Dictionary& info, double* runningHeight);
  void copyCropSettings(const fnd::Dictionary& info);
  void resizeKeepingTop(double contentHeight, bool animate);
  // Puts the boxes under one another; with `showing`, also shows and hides them by the state.
  void placeBoxes(bool showing = true);
  void fillDetailRows(const CropSetting& crop);

  void postProgressStatus();
  void askMainWindow();

  fnd::NotificationCenter& mCenter;
  Quirel_PVLocalizedString mPLSobj;
  std::unique_ptr<kit::Window> pWindow;
  kit::Window* uimWindow = nullptr;  // the main window, not owned
  std::int32_t WindowStatus = kStatusIdle;
  bool showFlg = false;
  std::int32_t layoutType = 0;
  bool mVer16L = false;
  bool mVer17L = false;
  double mUserSpaceScaleFactor = 1.0;

  // Views: owned by the window's view tree.
  Quirel_MessageInfoView* MainView = nullptr;
  Quirel_MessageInfoView* MessageBox = nullptr;
  kit::TextField* Message1 = nullptr;
  kit::TextField* Message2 = nullptr;
  kit::ProgressIndicator* ProgressInd = nullptr;
  kit::TextField* ProgressText = nullptr;
  kit::Button* CancelButton = nullptr;
  Quirel_MessageInfoView* InfoBox = nullptr;
  kit::Box* Separator1 = nullptr;
  kit::TextField* ScanStLabel = nullptr;
  kit::TextField* ScanStInfo = nullptr;
  kit::TextField* RemainTimeLabel = nullptr;
  kit::TextField* RemainTimeInfo = nullptr;
  kit::TextField* DetailInfoLabel = nullptr;
  kit::Button* DisclosereButton = nullptr;
  kit::Image foldItem;
  kit::Image spreadItem;
  fnd::Rect RemainTimeInfoRect;
  fnd::Rect RemainTimeProcRect;
  Quirel_MessageInfoView* DetailBox = nullptr;
  Quirel_MessageInfoView* DetailView = nullptr;
  kit::Box* Separator2 = nullptr;
  std::array<kit::TextField*, kDetailRows> mDetailLabels{};
  std::array<kit::TextField*, kDetailRows> mDetailValues{};

  bool DetailDisp = false;
  bool DetailSimpleDisp = true;
  double windowHeight = 0;
  std::int32_t windowHSt = 0;
  double windowMid = 0;
  double mMessageBoxHeight = 0;
  double mInfoBoxHeight = 0;
  double mDetailHeight = 0;
  bool mStartAnimationFlg = false;
  std::int32_t mAttachEv = 0;
  std::int32_t mCancelEv = 0;
  std::shared_ptr<Quirel_progressCancelStatus> mCancelStatus;

  std::array<CropSetting*, kScanInfoMaxCrops> mCropSetting{};
  std::int32_t mCropCount = 0;
  std::int32_t colorSetting = 0;
  std::int32_t mCopyGamma = 0;
  std::int32_t mCropNow = 0;
  std::int32_t mImageAdjustNum = 0;
  std::int32_t scanMode = 0;
  std::string imageSourceStr;
  std::int32_t imageSourceNum = 0;
  std::string colorModeStr;
  std::int32_t colorModeNum = 0;
  Quirel_ProgressDisplayRules::Capabilities mCaps;
  bool mDisplayCopyGammaWhenRACS2 = false;
  std::string mResourcesBundlePath;

  // Wait windows.
  std::unique_ptr<Quirel_ScannerConnectWindow> scannerConnectWindow_;
  kit::TextField* csMessage = nullptr;
  std::unique_ptr<kit::Window> calibProcWindow;
  kit::TextField* CaribMessage = nullptr;
  bool calibShowFlag = false;
  std::int32_t mdispMode = 0;
  std::unique_ptr<kit::Window> mSilentTimeWindow;
  kit::TextField* mSilentTimeMessageTxtF = nullptr;
};
