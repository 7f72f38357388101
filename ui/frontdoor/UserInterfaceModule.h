#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "foundation/Geometry.h"
#include "foundation/Lock.h"
#include "foundation/Locale.h"
#include "foundation/NotificationCenter.h"
#include "foundation/Value.h"
#include "kit/TabView.h"
#include "kit/WindowDelegate.h"
#include "ui/base/FileManager.h"
#include "ui/frontdoor/MainWindowControllerPort.h"
#include "ui/frontdoor/ScanEndSound.h"
#include "ui/model/PreviewBitmap.h"
#include "ui/modes/base/BaseScanMode.h"
#include "ui/modes/uiless/UILessScanMode.h"
#include "ui/windows/CloseSavePathtDialog.h"
#include "ui/windows/CloseSelectDialog.h"
#include "ui/windows/DisplayManager.h"
#include "ui/windows/MultiPDFDialog.h"
#include "ui/windows/ScanResultDialog.h"

class Quirel_CTRLS_MainWindow;
class Quirel_ExtendMode;
class Quirel_CTRLS_PreviewFrame;
class Quirel_CTRLS_PushButton;
class Quirel_CTRLS_TabView;
class Quirel_HelpControl;
class Quirel_MultiScanMode;
class Quirel_NoFocusView;
class Quirel_PVLocalizedString;
class Quirel_PreferenceInfo;
class Quirel_PreviewInfo;
class Quirel_ProcessImageDialog;
class Quirel_ProfileCMList;
class Quirel_StandardMode;
class Quirel_Toolbar;
class Quirel_UIScannerInfo;

// The controller behind the driver's main window. The root makes one and forwards every
// main-window request to it: it builds the window and its modes, restores the last window
// frame, mode and mode settings from "InitSetting.xml" and the preferences from
// "Preference.xml" at start-up, and writes both back when the window closes.
//
// Modes: 0 basic, 1 advanced, 2 multi-scan, 3 UI-less; they equal the tab indexes.
//
// The five locks serialise the close of the window against the end of a scan, the after-scan
// windows and the message boxes, which nested run loops on the main thread can enter while one
// of them holds the locks. All are taken through Quirel_LockHold; a close that finds any of
// them held defers itself to the next pass of the run loop.
//
// Main thread only, except the two enabling notifications, which may come from any thread.
class Quirel_UserInterfaceModule : public Quirel_MainWindowControllerPort,
                                   public kit::WindowDelegate,
                                   public kit::TabViewDelegate {
 public:
  static constexpr const char* kInitSettingFile = "InitSetting.xml";
  static constexpr const char* kPreferenceFile = "Preference.xml";
  static constexpr const char* kDefaultSaveName = "IMG";
  // Minimum width of the visible part of the window in the multi-scan layout.
  static constexpr double kMultiScanMinWidth = 350;
  // The outward request names of the scan module's preview backup and resume.
  static constexpr const char* kBackupPost = "ScanModule_Backup2";
  static constexpr const char* kResumePost = "ScanModule_Resume2";

  // Locale defaults: the feeder paper size and the film size, as the modes' tables number them.
  static constexpr int kPaperSizeUSCA = 17;
  static constexpr int kPaperSizeOther = 10;
  static constexpr int kFilmSizeJP = 3;
  static constexpr int kFilmSizeOther = 5;

  explicit Quirel_UserInterfaceModule(fnd::NotificationCenter& center = fnd::NotificationCenter::defaultCenter());
  ~Quirel_UserInterfaceModule() override;
  Quirel_UserInterfaceModule(const Quirel_UserInterfaceModule&) = delete;
  Quirel_UserInterfaceModule& operator=(const Quirel_UserInterfaceModule&) = delete;

  // ---- The root's entry points.
  const void* notificationSender() const override { return identity(); }
  void setTWAINRequest(const fnd::SharedDictionary& request) override;
  void setTWAINObject(void* object) override { mTwObject = object; }
  void setSMInterfaceMode() {}
  void createMainWindowMainThreadMode() override;
  void setInitSettingMainThreadMode(const fnd::SharedDictionary& initSetting) override;
  void showMainWindowMainThreadMode() override;
  void closeMainWindowMainThreadMode() override;
  void terminateMainWindowMainThreadMode() override;
  void activateMainWindowMainThreadMode() override;

  // Built by later layers; until then they do nothing and answer what the root answers alone.
  void startUILessScanMainThreadMode(const fnd::Dictionary* scanDic) override;
  void terminateUILessScanMainThreadMode() override;
  void showSilentTimeSettingDialog(const fnd::SharedDictionary& initSetting,
                                   const fnd::SharedDictionary& request) override;
  void terminateSilentTimeSettingDialog() override { stopDisplayPictavoIconOnMessageDialog(); }
  void showAutoPowerSettingDialog(const fnd::SharedDictionary& initSetting,
                                  const fnd::SharedDictionary& request) override;
  void terminateAutoPowerSettingDialog() override { stopDisplayPictavoIconOnMessageDialog(); }
  void setPreviewMakeSizeMainThreadMode(std::int32_t width, std::int32_t height) override;
  void setPreviewDataMainThreadMode(std::int32_t byteCount, const std::uint8_t* data) override;
  void drawPreviewAreaMainThreadMode() override;
  void endPreviewMainThreadMode(const fnd::Dictionary* info) override;
  void endScanMainThreadMode() override;
  void scanRetryStart() override;
  void showScanResultWindow() override;
  void addScanResultImage(const fnd::Dictionary* info) override;
  void closeScanResultWindow() override;
  void startEventScanResultWindow() override;
  void scanResultMousedownEvent2(const std::shared_ptr<Quirel_progressCancelStatus>& status) override;
  void showCloseSelectWindow() override;
  void showSavePathWindow() override;
  std::int32_t showSavePathModalWindow() override;
  void closeSelectMousedownEvent2(const std::shared_ptr<Quirel_progressCancelStatus>& status) override;
  void closeCloseSelectWindow() override;
  void closeSavePathWindow() override;
  std::int32_t showMultiPagePDFPullScanEndDialog(std::int32_t kind, const fnd::SharedDictionary& initSetting) override;
  void multiPagePDFPullScanEndDialogMousedownEvent(const std::shared_ptr<Quirel_progressCancelStatus>& event) override;
  void closeMultiPagePDFPullScanEndDialog() override;
  std::int32_t showMultiPagePDFPushScanStartDialog(const fnd::SharedDictionary& initSetting) override;
  std::int32_t showMultiPagePDFPushScanEndDialog(std::int32_t kind, const fnd::SharedDictionary& initSetting) override;
  void multiPagePDFPushScanEndDialogMousedownEvent(const std::shared_ptr<Quirel_progressCancelStatus>& event) override;
  void closeMultiPagePDFPushScanEndDialog() override;
  std::int32_t showAutoScanStartDialog(const fnd::SharedDictionary& initSetting) override;

  // ---- The stand-alone dialogs: device utility (0 quiet mode, 1 automatic power), multi-page PDF.
  void showUtilityDialogAtType(int type, const fnd::Dictionary* initSetting, const fnd::Dictionary* request);
  void peformPostNotificationMPDFPullScanEndDialogButton();
  Quirel_MultiPDFDialog* getMultiPDFDialog() const { return mMultiPDFDialog.get(); }

  // ---- The UI-less scan (mode 3): no main window, the UI-less mode's frame-select dialog.
  void setUILessInitSetting(const fnd::Dictionary* initSetting);
  // The end of the preview in mode 3: the found frames, the film size, the input source.
  void endPreviewThread_UILessMode(const fnd::Array* crops, std::int32_t filmSize, std::int32_t inputSource,
                                   std::int32_t cancel, std::int32_t error);
  Quirel_UILessScanMode* getUILessMode() const { return mUILessMode.get(); }
  // Whether the last end of preview showed the image-processing panel (tests).
  bool didShowProcessImageDialog() const { return mShowedProcessImageDialog; }

  // The window's close button asks the data source to close the driver; the window itself
  // stays until the close comes back.
  bool windowShouldClose(kit::Window& window) override;

  // ---- The window's events (UserInterfaceModuleWindowEvents.cpp).
  // No resizing while the window or its title-bar buttons are disabled.
  fnd::Size windowWillResize(kit::Window& window, fnd::Size proposedFrameSize) override;
  void windowDidResize(kit::Window& window) override;
  // The multi-scan layout zooms only in height.
  bool windowShouldZoom(kit::Window& window, const fnd::Rect& newFrame) override;
  void windowDidBecomeKey(kit::Window& window) override;
  void windowDidResignKey(kit::Window& window) override;
  void appDidBecomeActive(const fnd::Notification& n);
  void appWillResignActive(const fnd::Notification& n);
  // Command-A selects all crops in the single-image modes.
  void appDidUpdate(const fnd::Notification& n);
  // The mode that Command-A (or Command-Shift-A) selects all in for the current event: the
  // window key, open and enabled, a crop view holding the keyboard, not the multi-scan mode;
  // -1 for none.
  int selectAllTarget() const;
  // A folder or sound chooser is up: the window leaves its raised level meanwhile.
  void receiveShowModalDialog(const fnd::Notification& n);
  void receiveCloseModalDialog(const fnd::Notification& n);
  void mouseMovedOnPreview(const fnd::Notification& n);
  void mouseEventOnPreviewFrame(const fnd::Notification& n);
  void optionKeyDown(const fnd::Notification& n);
  void optionKeyUp(const fnd::Notification& n);
  void titleDownFlgSetYes(const fnd::Notification& n);
  // An adjustment dialog's slider is being dragged ("changing") or was let go ("fix").
  void colorChanging(const fnd::Notification& n);
  void colorFix(const fnd::Notification& n);
  void toneBCChanging(const fnd::Notification& n);
  void toneBCFix(const fnd::Notification& n);
  void histChanging(const fnd::Notification& n);
  void histFix(const fnd::Notification& n);
  void thresholdChanging(const fnd::Notification& n);
  void thresholdFix(const fnd::Notification& n);
  void zoomBtnFlgYes(const fnd::Notification& n);

  // ---- Mode changes and enabling (UserInterfaceModuleTabs.cpp).
  bool tabViewShouldSelectTabViewItem(kit::TabView& tabView, kit::TabViewItem* item) override;
  void tabViewWillSelectTabViewItem(kit::TabView& tabView, kit::TabViewItem* item) override;
  void tabViewDidSelectTabViewItem(kit::TabView& tabView, kit::TabViewItem* item) override;
  // The mode (tab index) of an item of the tab view; -1 for none.
  int modeOfTabViewItem(const kit::TabViewItem* item) const;
  // Whether the change from the active mode to nextMode may go on.
  bool changeFromStandardMode(int nextMode);
  bool changeFromMultiScanMode(int nextMode);
  // Re-enabling after a preview, and the same at the end of a scan.
  void setEnableControlMainWindow(bool enable);
  void setEnableControlMainWindowScanEnd(bool enable);
  void setEnableMainWindowControlMainThreadMode() override;
  void setDisableMainWindowControlMainThreadMode() override;
  void setEnableMainWindowControlMainThread() { setEnableMainWindowControlMainThread_NRT(true); }
  void setDisableMainWindowControlMainThread() { setEnableMainWindowControlMainThread_NRT(false); }
  void setEnableMainWindowControlMainThread_NRT(bool enable);
  // "enableMainWindowControlPost" / "disableMainWindowControlPost": from another thread the
  // change is queued for the main thread without waiting, and dropped if the controller went.
  void setEnableMainWindowControl(const fnd::Notification& n);
  void setDisableMainWindowControl(const fnd::Notification& n);
  void setEnableMultiScanWindow() override;
  void NC_SetEnableMultiScanWindow(const fnd::Notification&) { setEnableMultiScanWindow(); }
  bool isTabChanging() const { return mTabChanging; }
  int getNextMode() const { return mNextMode; }

  // ---- Relays (UserInterfaceModuleRelays.cpp).
  // The progress window (the notification's object) gets the mode, the window, the source and
  // colour texts and the scanner's image-processing offer.
  void setImageSourceAndColorModeStr(const fnd::Notification& n);
  void setMainWindowObject(const fnd::Notification& n);
  void setStandardModeID(const fnd::Notification& n);
  void setDefaultSettingFromExtendMode(const fnd::Notification& n);
  void setChangeTabMessageStateFromExtendMode(const fnd::Notification& n);
  void getChangeTabMessageStateFromExtendMode(const fnd::Notification& n);
  void reDrawCropbyAutoCropButton(const fnd::Notification& n);
  void setMCPointsByMultiCropButton(const fnd::Notification& n);
  void preferenceButtonDown(const fnd::Notification& n);
  void closeMainWindowButtonDown(const fnd::Notification& n);
  void preferenceButtonAction(const fnd::Notification& n);
  void preferenceCalibrationStart(const fnd::Notification& n);
  void closeMainWindowButtonAction(const fnd::Notification& n);
  void manualCalibrationError(const fnd::Dictionary* info) override;
  void displayScannerTestStatus(const fnd::Dictionary* info) override;
  void endScannerTest(const fnd::Dictionary* info) override;
  void getDSBundleURL(const fnd::Notification& n);
  // While a utility dialog shows, its message boxes carry the driver's badge.
  void startDisplayPictavoIconOnMessageDialog();
  void stopDisplayPictavoIconOnMessageDialog();
  // The crop list grown or shrunk for the chosen thumbnail size.
  fnd::Array changePlatenThumbnailSize_MCPointArray(const fnd::Array& crops) const;
  fnd::Array changeFilmThumbnailSize_previewInfo(const Quirel_PreviewInfo& previewInfo, const fnd::Array& crops) const;

  // Observes the data source's requests, each only from `object`. Their handlers are built
  // with the windows they open; until then a request does nothing.
  void registerTWAINNotification(const void* object);

  // ---- Start-up settings.
  void setUIInitSetting(const fnd::Dictionary* initSetting);
  // The model's user-interface parameters: "Uthric" itself, else the list at "InitFile", else
  // "<InitPath>PV<Model>.xml"; none when missing or unreadable.
  static std::optional<fnd::Dictionary> getUIParameterDictionaryAtInitSettingData(const fnd::Dictionary* initSetting);
  static bool isConnectFAU(const fnd::Dictionary* initSetting);
  static bool isConnectADF(const fnd::Dictionary* initSetting);
  void setUIInitSetting_PlatenSize(const fnd::Dictionary* initSetting);
  void setUIInitSetting_LastSetting(const std::optional<std::string>& folder);
  // Whether the stored single-image mode had a preview: read from the file directly.
  bool hasPreview_LastSettting(const std::optional<std::string>& folder) const;
  // Whether the stored setting of the current (restored) mode was in film mode.
  bool isFilmeMode_LastSettingXmlFileDic(const fnd::Dictionary& initSetting) const;
  // The connection's text; other strings unchanged.
  std::optional<std::string> localizedStringForInterfaceString(const std::optional<std::string>& port) const;
  static void setInitSetting_ProfilePath(const fnd::Dictionary* initSetting, const fnd::Dictionary* parameters,
                                         Quirel_ProfileCMList& list);
  void setInitSetting_HelpSetting(const fnd::Dictionary* parameters, const Quirel_UIScannerInfo& scannerInfo);
  double getUserSpaceScaleFactor() const;
  int getDefaultADFPaperSize() const { return defaultADFPaperSize(localeFacts()); }
  int getDefaultFilmSize() const { return defaultFilmSize(localeFacts()); }
  static int defaultADFPaperSize(const fnd::LocaleFacts& facts);
  static int defaultFilmSize(const fnd::LocaleFacts& facts);
  // Stands in for the system's locale (tests); none goes back to the system's.
  void setLocaleFacts(std::optional<fnd::LocaleFacts> facts) { mLocaleOverride = std::move(facts); }

  // ---- Settings files.
  std::optional<fnd::Dictionary> readInitSettingXMLAtPreferenceDirPath(const std::optional<std::string>& folder);
  bool writeInitSettingXML(const fnd::Dictionary* initSetting, const std::optional<std::string>& folder) const;
  std::shared_ptr<Quirel_PreferenceInfo> readPreferenceXMLAtPreferenceDirPath(
      const std::optional<std::string>& folder, const std::optional<std::string>& tempPath,
      const std::optional<std::string>& savePath, const std::optional<std::string>& saveName,
      const Quirel_UIScannerInfo* scannerInfo) const;
  static bool writePreferenceXML(const Quirel_PreferenceInfo* preference, const std::optional<std::string>& folder);
  // Removes the two settings files and the scan module's ".sm" files of the folder.
  void removePreferenceFilesAtPath(const std::optional<std::string>& folder) const;
  // Writes both settings files now, as the close would (without the preview backup, which only
  // the close makes): after the preferences' OK and a finished scan, so a crash or a kill loses
  // at most the last change.
  bool saveSettingsNow();
  // Asks the scan module to back up (1) or resume (2) the preview; its answer, 0 when nothing
  // was asked.
  int call_SMBackupAndResume(int type, const std::optional<std::string>& path);

  // ---- Preview data, the end of preview and scan, the after-scan windows and the scan-end
  // sound. A preview block past the buffer's end is cut there; one before any make-size, or
  // after the buffer could not be had, is refused and the preview ends as nothing usable. The
  // after-scan operations are not re-entrant: one asked for while another holds its lock
  // (from a modal run inside it) runs at the next pass of the loop.
  static constexpr int kPreviewComplete = 0;
  static constexpr int kPreviewCancelledUsable = 1;
  static constexpr int kPreviewNothingUsable = 2;
  static constexpr int kPreviewAtStartFailed = 3;
  static int checkPreviewResult_AutoMultiRect(const fnd::Array* crops, int cancel, int error, bool previewAtStart,
                                              bool thumbnailMode);
  // The report of the data source as the controller reads it.
  static fnd::Dictionary makeEndPreviewDictionary(const fnd::Dictionary* info);
  void drawPreviewAreaMainThread();
  // The preview buffer as the modes draw it: a copy of width x height packed RGB pixels.
  PreviewBitmap getPreviewBitmap() const;
  void endPreviewThread(const fnd::Dictionary& internal);
  void endPreviewThread_StandardMode(const fnd::Array* crops, int filmSize, int cancel, int error, int duplicate);
  // zoomKeepsProgress: a zoom scan's progress is not reset by a preview that gave nothing usable.
  int beginEndOfPreview(Quirel_BaseScanMode* mode, const fnd::Array* crops, int cancel, int error,
                        bool zoomKeepsProgress = false);
  void endPreviewThread_Platen_StandardMode(const fnd::Array* crops, int cancel, int error, int duplicate);
  void endPreviewThread_Film_StandardMode(const fnd::Array* crops, int filmSize, int cancel, int error);
  void setScanSoundTimer();
  void startScanSound(const Quirel_PreferenceInfo* preferences);
  void stopScanSound();
  void removeThumbnailImage();
  void showErrorDialogFromDialog();
  void closeErrorDialogFromDialog();
  // Observes the after-scan requests and the dialogs' message-box notices from `object`.
  void registerAfterScanNotifications(const void* object);
  Quirel_ScanEndSound& scanEndSound();
  Quirel_ScanResultDialog* getScanResultDialog() const { return mScanRetDlg.get(); }
  Quirel_CloseSelectDialog* getCloseSelectDialog() const { return mCloseSelDlg.get(); }
  Quirel_CloseSavePathtDialog* getCloseSavePathDialog() const { return mCloseSaveDlg.get(); }
  std::size_t getPreviewBufferBytes() const { return mPreviewBufferBytes; }
  bool isPreviewDataRefused() const { return mPreviewDataRefused; }
  void setShowMCloseSaveMsg(bool on) { mShowMCloseSaveMsg = on; }
  void setCloseSelectFlg(int flag) { mCloseSelectFlg = flag; }

  // ---- Stand-ins for the screen and the file system (tests).
  void setDisplayManager(const Quirel_DisplayManager& display) { mDisplay = display; }
  void setFileManager(const Quirel_FileManager& files) { mFileManager = files; }

  // ---- What the controller holds.
  int getMode() const { return mMode; }
  int getBeforeMode() const { return mBeforeMode; }
  Quirel_StandardMode* getStandardMode() const { return mStandardMode.get(); }
  Quirel_MultiScanMode* getMultiScanMode() const { return mMultiMode.get(); }
  Quirel_Toolbar* getToolbar() const { return mToolbar.get(); }
  Quirel_CTRLS_MainWindow* getMainWindow() const { return mMainWindow.get(); }
  Quirel_CTRLS_TabView* getTabView() const { return mTabView.get(); }
  Quirel_CTRLS_PreviewFrame* getPreviewFrame() const { return mPreviewFrame.get(); }
  Quirel_NoFocusView* getButtonView() const { return mButtonView.get(); }
  Quirel_CTRLS_PushButton* getPreferenceButton() const { return mPreferenceBtn.get(); }
  Quirel_CTRLS_PushButton* getCloseWindowButton() const { return mCloseWindowBtn.get(); }
  bool getShowOpenPanel() const { return mShowOpenPanel; }
  bool getZoomBtnFlg() const { return mZooomBtnFlg; }
  Quirel_PreviewInfo* getPreviewInfo() const { return mPreviewInfo.get(); }
  Quirel_HelpControl* getHelpControl() const { return mHelpControl.get(); }
  Quirel_UIScannerInfo* getScannerInfo() const { return mScannerInfo.get(); }
  Quirel_PreferenceInfo* getPreferenceInfo() const { return mPreferenceInfo.get(); }
  Quirel_ProfileCMList* getProfileCMList() const { return mProfileCMList.get(); }
  const std::optional<std::string>& getSettingFilePath() const { return mSettingFilePath; }
  const std::optional<std::string>& getDSBundleURL() const { return mdsBundleURL; }
  const std::string& getDSBundleLocalized() const { return mdsBundleLocalized; }
  const Quirel_PVLocalizedString* getLocalizedString() const { return mLSobj.get(); }
  const fnd::SharedDictionary& getTWAINRequest() const { return mTWAINRequest; }
  const void* getTWAINObject() const { return mTwObject; }
  int getADFPrefetch() const { return mADFPrefetch; }
  bool getConnectFAU() const { return mConnectFAU; }
  bool getConnectADF() const { return mConnectADF; }
  bool getPreviewMemFree() const { return mPreviewMemFree; }
  bool getCallBackUpToSM() const { return mCallBackUpToSM; }
  void setCallBackUpToSM(bool on) { mCallBackUpToSM = on; }
  const fnd::Rect& getOldWindowRect() const { return mOldWindowRect; }
  double getUserSpaceScaleFactorValue() const { return mUserSpaceScaleFactor; }
  const UserLocaleUnits& getUserLocaleUnits() const { return mUserLocaleUnits; }
  int getCloseSelectFlg() const { return mCloseSelectFlg; }
  bool getShowChangeTabMsg() const { return mShowChangeTabMsg; }
  bool getShowMultiPDFScanEndMsg() const { return mShowMultiPDFScanEndMsg; }
  bool getShowMCloseSaveMsg() const { return mShowMCloseSaveMsg; }
  bool getShowMultiPDFScanStartMsg() const { return mShowMultiPDFScanStartMsg; }
  bool getShowAutoScanConfirmMsg() const { return mShowAutoScanConfirmMsg; }
  // The advanced mode's stored last setting, kept while that mode does not exist.
  const std::optional<fnd::Dictionary>& getExtendModeLastSetting() const { return mExtendModeLastSetting; }
  // The five locks; null before the window is created and after terminate.
  fnd::Lock* scanResultLock() const { return mScanResultLock.get(); }
  fnd::Lock* closeSelectLock() const { return mCloseSelectLock.get(); }
  fnd::Lock* prevDataLock() const { return mPrevDataLock.get(); }
  fnd::Lock* endScanLock() const { return mEndScanLock.get(); }
  fnd::Lock* messageLock() const { return mMessageLock.get(); }
  // A close is waiting for the locks to come free.
  bool isClosePending() const { return mClosePending; }
  bool isClosed() const { return mClosed; }
  bool isTerminated() const { return mTerminated; }

  // ---- The advanced mode (mode 1): its tab, its changes, its end of preview and scan.
  Quirel_ExtendMode* getExtendMode() const { return mExtendMode.get(); }
  bool changeFromExtendMode(int nextMode);
  // One pass after the multi-scan tab was entered from the advanced mode.
  void multiCropReset();
  void endPreviewThread_ExtendMode(const fnd::Array* crops, int filmSize, int cancel, int error, int duplicate);
  void endPreviewThread_Platen_ExtendMode(const fnd::Array* crops, int cancel, int error, int duplicate);
  void endPreviewThread_Film_ExtendMode(const fnd::Array* crops, int filmSize, int cancel, int error);
  void retryPreview();

 private:
  const void* identity() const { return static_cast<const void*>(this); }
  fnd::LocaleFacts localeFacts() const { return mLocaleOverride ? *mLocaleOverride : fnd::currentLocaleFacts(); }
  fnd::Rect displayFrame() const { return mDisplay.getDisplayFrame(); }
  std::string settingFile(const std::string& folder, const char* name) const { return folder + name; }
  // Removes one of the two settings files, keeping it aside instead when it cannot be read.
  void removeSettingFile(const std::string& folder, const char* name) const;

  // Builds the window: modes, tabs, buttons, toolbar, preview area and the observers the
  // modes, dialogs and controls reach the controller by (UserInterfaceModuleWindow.cpp).
  void setUIInitSetting_CreateMainWindow(const std::shared_ptr<Quirel_UIScannerInfo>& scannerInfo);
  void setUIInitSetting_CreateToolBarItem(const std::shared_ptr<Quirel_UIScannerInfo>& scannerInfo);
  void setUIInitSetting_CreatePreviewAreaItem();
  void registerMainWindowObservers(const Quirel_UIScannerInfo& scannerInfo);
  // The application's activation and updates, observed while the window shows.
  void observeApplication();
  // Activation and resignation share their steps but the level and the name posted.
  void appActivationChanged(int level, const char* postName);
  // The confirmation of a tab change; false when the user cancelled.
  bool confirmTabChange(int messageNumber);
  // The preview area back beside the tabs when the multi-scan tab goes.
  void layPreviewAreaAfterMultiScan();
  // The shared steps of the two re-enabling rules; scanEnd adds the auto-exit condition.
  void setEnableControlMainWindowRule(bool enable, bool scanEnd);
  void postInner(const char* name, const fnd::Dictionary* info = nullptr);
  void releaseWindowItems();
  // The close proper, once no holder of the locks is running.
  void closeMainWindowNow();
  // Builds the "InitSetting.xml" dictionary from the window and the modes.
  fnd::Dictionary makeInitSettingDictionary() const;
  // The effective single mode: 0 or 1, the multi-scan mode's entry mode in mode 2.
  int effectiveSingleMode() const { return mMode == 2 ? mBeforeMode : mMode; }
  // Observers of init: the localisation bundle question and the control enabling.
  void getDSBundleLocalize(const fnd::Notification& n);
  // The carrier of a message box gets the window and the two locks the box holds.
  void setMainWindowObjectMes(const fnd::Notification& n);
  void removeAllObservations();

  fnd::NotificationCenter& mCenter;
  std::string mdsBundleLocalized;
  std::optional<std::string> mdsBundleURL;
  std::shared_ptr<Quirel_PVLocalizedString> mLSobj;
  int mMode = 0;
  int mBeforeMode = 0;
  std::unique_ptr<Quirel_StandardMode> mStandardMode;
  std::unique_ptr<Quirel_MultiScanMode> mMultiMode;
  std::optional<fnd::Dictionary> mExtendModeLastSetting;
  std::shared_ptr<Quirel_CTRLS_MainWindow> mMainWindow;
  std::unique_ptr<Quirel_CTRLS_TabView> mTabView;
  std::unique_ptr<Quirel_Toolbar> mToolbar;
  std::unique_ptr<Quirel_CTRLS_PreviewFrame> mPreviewFrame;
  std::unique_ptr<Quirel_NoFocusView> mButtonView;
  std::unique_ptr<Quirel_CTRLS_PushButton> mPreferenceBtn;
  std::unique_ptr<Quirel_CTRLS_PushButton> mCloseWindowBtn;
  bool mShowMCloseSaveMsg = true;
  int mCloseSelectFlg = 0;
  bool mShowChangeTabMsg = true;
  bool mShowMultiPDFScanEndMsg = true;
  bool mTabChanging = false;
  int mNextMode = 0;
  bool mShowOpenPanel = false;
  bool mCallBackUpToSM = true;
  // The settings folder still carried the mark of a run that never closed.
  bool mDropStoredPreview = false;
  bool mPreviewMemFree = false;
  fnd::Rect mOldWindowRect;
  bool mColorBlcChgFlg = false;
  bool mToneBCChgFlg = false;
  bool mHistChgFlg = false;
  bool mThresholdChgFlg = false;
  bool mZooomBtnFlg = false;
  std::unique_ptr<Quirel_PreviewInfo> mPreviewInfo;
  std::unique_ptr<Quirel_HelpControl> mHelpControl;
  bool mConnectFAU = false;
  bool mConnectADF = false;
  std::unique_ptr<fnd::Lock> mScanResultLock;
  std::unique_ptr<fnd::Lock> mCloseSelectLock;
  std::unique_ptr<fnd::Lock> mPrevDataLock;
  std::unique_ptr<fnd::Lock> mEndScanLock;
  std::unique_ptr<fnd::Lock> mMessageLock;
  double mUserSpaceScaleFactor = 1.0;
  UserLocaleUnits mUserLocaleUnits{1, 10, 3};
  void* mTwObject = nullptr;  // the data source, an identity only
  int mADFPrefetch = -1;
  fnd::SharedDictionary mTWAINRequest;
  bool mShowMultiPDFScanStartMsg = true;
  bool mShowAutoScanConfirmMsg = true;
  // The pull-scan or push-scan end-of-page dialog while it is open.
  std::unique_ptr<Quirel_MultiPDFDialog> mMultiPDFDialog;
  // A pull-scan answer given without a window, waiting for the next pass.
  std::shared_ptr<fnd::Timer> mPendingPullScanAnswer;
  std::unique_ptr<Quirel_UILessScanMode> mUILessMode;
  bool mShowedProcessImageDialog = false;

  // What the advanced mode would hold for all modes: the records of the start-up.
  std::shared_ptr<Quirel_UIScannerInfo> mScannerInfo;
  std::optional<fnd::Dictionary> mUIParameterDic;
  std::optional<std::string> mSettingFilePath;
  std::shared_ptr<Quirel_PreferenceInfo> mPreferenceInfo;
  std::shared_ptr<Quirel_ProfileCMList> mProfileCMList;

  Quirel_DisplayManager mDisplay;
  Quirel_FileManager mFileManager;
  std::optional<fnd::LocaleFacts> mLocaleOverride;
  bool mAppObserved = false;
  bool mClosePending = false;
  bool mTerminateAfterClose = false;
  bool mClosed = false;
  bool mTerminated = false;
  // Preview data, the after-scan windows and the scan-end sound.
  void setEnableAfterPreview(Quirel_BaseScanMode* mode);
  // The temporary folders whose files the scan-result window may delete.
  std::vector<std::string> scanResultTemporaryFolders() const;
  // Runs `operation` at the next pass of the loop while the controller lives.
  void deferAfterScanOperation(void (Quirel_UserInterfaceModule::*operation)());
  // The current mode's main window enabled or not (mode 0 basic, 2 multi-scan).
  void setEnabledCurrentModeMainWindow(bool enable);
  // The after-scan windows and the sound go before the main window they stand over.
  void releaseAfterScanWindows();
  std::size_t mPreviewBufferBytes = 0;
  bool mPreviewDataRefused = false;
  std::unique_ptr<Quirel_ScanResultDialog> mScanRetDlg;
  std::unique_ptr<Quirel_CloseSelectDialog> mCloseSelDlg;
  std::unique_ptr<Quirel_CloseSavePathtDialog> mCloseSaveDlg;
  std::unique_ptr<Quirel_ScanEndSound> mScanSound;
  // Shared with a deferred close, which runs only while the controller lives.
  std::shared_ptr<bool> mAlive = std::make_shared<bool>(true);
  // ---- The advanced mode.
  std::unique_ptr<Quirel_ExtendMode> mExtendMode;
  // The mode of `mode`: 0 basic, 1 advanced, else none.
  Quirel_BaseScanMode* singleMode(int mode) const;
  // ---- The preview picture's bytes, used again for the next picture once no mode holds them.
  mutable std::shared_ptr<std::vector<std::uint8_t>> mPreviewBitmapBytes;
  // ---- The progress panel over `parent` while `count` thumbnails are built (each step one).
  std::unique_ptr<Quirel_ProcessImageDialog> showThumbnailProgress(std::size_t count, kit::Window* parent);
  // The film frames sized for the thumbnails the preferences ask for (`prefs` may be null).
  fnd::Array filmThumbnailFrames(const fnd::Array& frames, const Quirel_PreferenceInfo* prefs) const;
};
