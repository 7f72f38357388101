#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "foundation/NotificationCenter.h"
#include "kit/OpenPanel.h"
#include "kit/TabView.h"
#include "kit/TextField.h"
#include "kit/Window.h"
#include "kit/WindowDelegate.h"
#include "ui/base/PVLocalizedString.h"
#include "ui/controls/CTRLS_CheckBox.h"
#include "ui/controls/CTRLS_PREFCalibrationPopup.h"
#include "ui/controls/CTRLS_PREFColorSettingRadio.h"
#include "ui/controls/CTRLS_PREFFileFormatPopup.h"
#include "ui/controls/CTRLS_PREFFileNameTextF.h"
#include "ui/controls/CTRLS_PREFFileNameTitle.h"
#include "ui/controls/CTRLS_PREFInputProfilePopup.h"
#include "ui/controls/CTRLS_PREFLampOffTimeTextF.h"
#include "ui/controls/CTRLS_PREFMonitorGammaTextF.h"
#include "ui/controls/CTRLS_PREFOutputProfilePopup.h"
#include "ui/controls/CTRLS_PREFPlaySoundTextF.h"
#include "ui/controls/CTRLS_PREFQualityPopup.h"
#include "ui/controls/CTRLS_PREFRadioButton.h"
#include "ui/controls/CTRLS_PREFSaveDirTextF.h"
#include "ui/controls/CTRLS_PREFTabView.h"
#include "ui/controls/CTRLS_PREFTempDirTextF.h"
#include "ui/controls/CTRLS_PREFText.h"
#include "ui/controls/CTRLS_PushButton.h"
#include "ui/controls/CTRLS_Separator.h"
#include "ui/controls/NoFocusView.h"
#include "ui/model/PreferenceInfo.h"
#include "ui/model/ProfileCMList.h"
#include "ui/model/UIScannerInfo.h"

// The width a button needs for its title (font measure plus the bezel).
double prefsTitleWidth(const kit::Button* button);

// The modal preferences of the scan modes. The opener configures it, builds it, hands in its
// preference record (the dialog edits a private copy), runs it and reads the copy back after
// an OK close. Up to five tabs: Preview, Scan, Color Settings, Scanner and, under the launcher,
// Save. A text field whose edit is not yet confirmed is checked before any other control of
// the dialog acts; a rejected value keeps the focus and swallows the click.
class Quirel_PrefsDialog : public kit::WindowDelegate, public kit::TabViewDelegate, public kit::TextFieldDelegate {
 public:
  static constexpr int kLevel = 11;
  static constexpr int kMaxSaveNameLength = 64;
  static constexpr std::size_t kMaxSavePathLength = 938;
  static constexpr std::uint64_t kMinFreeBytes = 10 * 1024 * 1024;

  // A folder or sound chooser run: the panel prepared, its start directory; answers the chosen
  // path, or nothing after Cancel. Tests replace it; the default runs the panel modally.
  using PanelRunner = std::function<std::optional<std::string>(kit::OpenPanel& panel)>;

  Quirel_PrefsDialog();
  ~Quirel_PrefsDialog() override;
  Quirel_PrefsDialog(const Quirel_PrefsDialog&) = delete;
  Quirel_PrefsDialog& operator=(const Quirel_PrefsDialog&) = delete;

  // --- Opening, in this order
  void setFilmMode(bool film, bool thumbnail, bool zoomScan);
  void setADFMode(bool adf) { mADFMode = adf; }
  void setColorMode(int colorMode) { mColorMode = colorMode; }
  int getColorMode() const { return mColorMode; }
  void setDefaultTempPath(const std::optional<std::string>& path) { mDefaultTempPath = path; }
  void setDefaultSavePath(const std::optional<std::string>& path) { mDefaultSavePath = path; }
  void setProfileCMList(std::shared_ptr<Quirel_ProfileCMList> list);
  void setInputProfileSourceType(int type) { mInputProfileSourceType = type; }
  void setScannerInfo(std::shared_ptr<Quirel_UIScannerInfo> info) { mScannerInfo = std::move(info); }
  void setTWAINObject(const void* twainObject, const void* uimObject);
  void createPreferenceDialog();
  void setData(const Quirel_PreferenceInfo* preferences);
  // Runs the dialog modally; returns when it closed.
  void showPreferenceDialog();

  // --- Results
  bool isErrorClose() const { return mError; }
  int errorType() const { return mErrorType; }
  bool isOkClose() const { return mOkClose; }
  // The working copy (still the dialog's), or null before setData.
  const Quirel_PreferenceInfo* getData() const { return mTempPrefs.get(); }

  // --- Shared by the tabs
  void setEnabledMouseDownOnControl(bool on);
  static std::string roundDownForString(const std::string& text, int decimals);
  static std::string deleteLastSlashAtPath(const std::string& path);
  void closePreferenceDialogWithCloseCode(int code, bool ok, bool error, int errorType);
  void PreferenceOkClose();
  void PreferenceCancelClose();
  void enterTextFByOtherControls();
  void setAllControlPoint();

  // --- Tab handlers (each writes the working copy at once)
  void StartPrevRadioChange();
  void CropPrevRadioChange();
  void ThumbSizeRadioChange();
  void ColorModeCheck();
  void SmallCropSizeCheck();
  void EnabledOutputBitCheck();
  void EnabledLargeScanCheck();
  void AutoExitRadioChange();
  void AutoExitCheck();
  void ADFHighSpeedRadioChange();
  void ADFOrderRejectionRadioChange();
  void ColorSettingRadioChange();
  void InputProfileChange();
  void OutputProfileChange();
  void MonitorCheck();
  void ProfileReset();
  void AutoToneCheck();
  bool MonitorGanmaChange();
  void MonitorGanmaChangeForStepper();
  void MonitorGammaReset();
  bool LampOffTimeChange();
  void LampOffTimeChangeForStepper();
  void AutoPowerSettingOpen();
  void QuietModeCheck();
  void QuietModeSettingOpen();
  void TempDirBrowsOpen();
  void SaveDirBrowsOpen();
  void PlaySoundCheck();
  void PlaySoundBrowsOpen();
  void CalibrationChange();
  void CalibrationStart(int mode);
  void manualCalibrationErrorFromSM(const fnd::Notification& notification);
  void ScanTestStart();
  bool FileNameChange();
  void FileFormatChange();
  void QualityChange();

  // Delegates.
  void controlTextDidChange(kit::TextField& field) override;
  void windowDidBecomeKey(kit::Window& window) override;
  void windowDidUpdate(kit::Window& window) override;
  bool tabViewShouldSelectTabViewItem(kit::TabView&, kit::TabViewItem*) override { return true; }

  // --- Seams and views for tests and openers
  void setPanelRunner(PanelRunner runner) { mPanelRunner = std::move(runner); }
  // How long a self-test may go without its end (seconds) and the timer that ends it; tests
  // hand in a clock of their own.
  using Scheduler = std::function<void(double seconds, std::function<void()> fire)>;
  void setScannerTestScheduler(Scheduler scheduler) { mScannerTestScheduler = std::move(scheduler); }
  kit::Window* window() const { return mWindow.get(); }
  Quirel_CTRLS_PREFTabView* tabView() const { return mTabView.get(); }
  Quirel_CTRLS_PushButton* okButton() const { return mOkBtn.get(); }
  Quirel_CTRLS_PushButton* cancelButton() const { return mCancelBtn.get(); }
  bool canClose() const { return mCanClose; }
  // The modal run has been told to end.
  bool isClosing() const { return mCloseFlg; }
  double maxWidth() const { return mMaxWidth; }
  // The tab at a position of the tab view's order, by its fixed identity.
  bool tabHoldsTextField(int position) const;

  // Preview tab.
  std::unique_ptr<Quirel_NoFocusView> mStartPrevView, mCropPrevView, mThumbSizeView;
  std::unique_ptr<Quirel_CTRLS_Separator> mStartPrevSep, mCropPrevSep, mThumbSizeSep;
  std::unique_ptr<Quirel_CTRLS_PREFRadioButton> mPrevRadio, mCropRadio, mThumbRadio;
  // Scan tab.
  std::unique_ptr<Quirel_NoFocusView> mUILessView, mAdvancedView, mAutoExitView, mADFHighSpeedView, mADFOrderRejectView;
  std::unique_ptr<Quirel_CTRLS_Separator> mUILessSep, mAdvancedSep, mAutoExitSep, mADFHighSpeedSep, mADFOrderRejectSep;
  std::unique_ptr<Quirel_CTRLS_PREFText> mNoWindowTitle, mAdvancedTitle;
  std::unique_ptr<Quirel_CTRLS_CheckBox> mColorModeCbx, mSmallSizeCbx, mBitEnabledCbx, mEnableLargeScanCbx, mAutoExitCbx;
  std::unique_ptr<Quirel_CTRLS_PREFRadioButton> mAutoExitRadio, mADFHighSpeedRadio, mADFOrderRejectRadio;
  // Color Settings tab.
  std::unique_ptr<Quirel_NoFocusView> mColorSyncView, mAutoToneView, mMonitorGammaView;
  std::unique_ptr<Quirel_CTRLS_Separator> mColorSyncSep, mAutoToneSep, mMonitorGammaSep;
  std::unique_ptr<Quirel_CTRLS_PREFColorSettingRadio> mColorSetRadio;
  std::unique_ptr<Quirel_CTRLS_PREFInputProfilePopup> mInProfPopup;
  std::unique_ptr<Quirel_CTRLS_PREFOutputProfilePopup> mOutProfPopup;
  std::unique_ptr<Quirel_CTRLS_CheckBox> mMonitorCbx, mAutoToneCbx;
  std::unique_ptr<Quirel_CTRLS_PushButton> mProfResetBtn, mGammaResetBtn;
  std::unique_ptr<Quirel_CTRLS_PREFMonitorGammaTextF> mGammaTextF;
  // Scanner tab.
  std::unique_ptr<Quirel_NoFocusView> mEnergySaveView, mAutoPowerSettingView, mQuietModeView, mTempDirView, mSoundView,
      mCalibrationView, mScanTestView;
  std::unique_ptr<Quirel_CTRLS_Separator> mEnergySaveSep, mAutoPowerSettingSep, mQuietModeSep, mTempDirSep, mSoundSep,
      mCalibrationSep, mScanTestSep;
  std::unique_ptr<Quirel_CTRLS_PREFText> mEnergySaveTitle, mAutoPowerSettingTitle, mQuietModeTitle, mTempDirTitle,
      mSoundSetTitle, mCalibrationTitle, mPlatenCalibrationTitle, mFilmCalibrationTitle;
  std::unique_ptr<Quirel_CTRLS_PREFLampOffTimeTextF> mOffTimeTxtF;
  std::unique_ptr<Quirel_CTRLS_PushButton> mAutoPowerSettingBtn, mQuietModeSettingBtn, mTempFileBtn, mPlaySoundBtn,
      mPlatenCalibrationBtn, mFilmCalibrationBtn, mScanTestBtn;
  std::unique_ptr<Quirel_CTRLS_CheckBox> mQuietModeCbx, mPlaySoundCbx;
  std::unique_ptr<Quirel_CTRLS_PREFTempDirTextF> mTempFileTxtF;
  std::unique_ptr<Quirel_CTRLS_PREFPlaySoundTextF> mPlaySoundTxtF;
  std::unique_ptr<Quirel_CTRLS_PREFCalibrationPopup> mCalibrationPopup;
  // Save tab.
  std::unique_ptr<Quirel_NoFocusView> mFileNameView, mFileFormatView, mFilePathView;
  std::unique_ptr<Quirel_CTRLS_Separator> mFileNameSep, mFileFormatSep, mFilePathSep;
  std::unique_ptr<Quirel_CTRLS_PREFFileNameTitle> mFileNameTitle;
  std::unique_ptr<Quirel_CTRLS_PREFFileNameTextF> mFilenameTextF;
  std::unique_ptr<Quirel_CTRLS_PREFFileFormatPopup> mFileFormatTitlePopup;
  std::unique_ptr<Quirel_CTRLS_PREFQualityPopup> mQualityTitlePopup;
  std::unique_ptr<Quirel_CTRLS_PREFText> mFilePathTitle;
  std::unique_ptr<Quirel_CTRLS_PREFSaveDirTextF> mSaveFileTxtF;
  std::unique_ptr<Quirel_CTRLS_PushButton> mSaveFileBtn;

  int mCalibrationErrorID = 0;
  int mCalibrationErrorCode1 = 0, mCalibrationErrorCode2 = 0, mCalibrationErrorCode3 = 0;

 private:
  struct Group {
    Quirel_NoFocusView* view;
    Quirel_CTRLS_Separator* separator;
  };
  // Text of a key in a table; the key itself when the table has none.
  std::string text(const std::string& key, const char* table = "UserInterface") const;
  std::string tip(const std::string& key) const { return text(key, "ToolTips"); }
  // The text of `key` used as a format with the text of "IDD_ASK_TEMPLATE_STR" as its one
  // argument (filled literally, never through printf).
  std::string templateText(const std::string& key, const char* table = "UserInterface") const;
  // A group: a view with its separator on top, at height `height`.
  std::unique_ptr<Quirel_NoFocusView> makeGroup(std::unique_ptr<Quirel_CTRLS_Separator>& separator, double height);
  void addGroupToTab(Quirel_CTRLS_PREFTabView::Tab tab, Quirel_NoFocusView* view);
  void stackGroups(Quirel_CTRLS_PREFTabView::Tab tab, const std::vector<Group>& groups);
  void observe(const char* name, const void* object, std::function<void()> handler);
  void observeDown(const char* name, const void* object);
  void bringToFront();
  kit::TextField* focusedTextField() const;
  void runSubPanel(const char* showName, const char* closeName, const std::function<void()>& body);
  std::optional<std::string> runPanel(kit::OpenPanel& panel);
  std::string shownPath(const std::string& path, bool allowFile) const;
  bool launcherMode() const { return mScannerInfo && mScannerInfo->isTrivoVer100Later(); }
  void folderBrowse(bool saveFolder);
  void utilityDialogOpen(int settingType);

  void createPreviewView();
  void createScanView();
  void createColorView();
  void createColorView_ColorSync();
  void createColorView_AutoTone();
  void createColorView_MonitorGammma();
  void createSaveView();
  void createScannerView();
  void createScannerView_EnergySaveMode();
  void createScannerView_AutoPowerSetting();
  void createScannerView_QuietMode();
  void createScannerView_TempDir();
  void createScannerView_Sound();
  void createScannerView_Calibration();
  void createScannerView_ScannerTest();
  void setDataToPreviewView();
  void setDataToScanView();
  void setDataToColorView();
  void setDataToColorSettingAtColorSync(int choice);
  void setDataToScannerView();
  void setDataToSaveView();
  void setEnabledToolTipsPreviewView();
  void setEnabledToolTipsScanView();
  void setEnabledToolTipsColorView();
  void setEnabledToolTipsScannerView();
  void setEnabledToolTipsSaveView();
  void setFramePreviewView();
  void setFrameScanView();
  void setFrameColorView();
  void setFrameScannerView();
  void setFrameSaveView();
  void showQualityPopup(bool show);
  // Group builders: a titled radio column; a check box with its label; a heading; a button.
  // Positions are in the group's own coordinates, y up.
  void placeRadio(Quirel_NoFocusView* view, Quirel_CTRLS_PREFRadioButton& radio, const std::string& title,
                  const std::vector<std::string>& items, double height);
  void placeCheckBox(Quirel_NoFocusView* view, Quirel_CTRLS_CheckBox& box, const std::string& title, double x,
                     double y);
  void placeText(Quirel_NoFocusView* view, Quirel_CTRLS_PREFText& label, const std::string& title, double x, double y,
                 double width);
  void placeButton(Quirel_NoFocusView* view, Quirel_CTRLS_PushButton& button, const std::string& title, double y,
                   double minWidth);
  static void setTip(kit::View* view, bool enabled, const std::string& tip);
  static void setRadioTips(Quirel_CTRLS_PREFRadioButton* radio, const std::vector<std::string>& tips);

  std::unique_ptr<kit::Window> mWindow;
  std::unique_ptr<Quirel_CTRLS_PREFTabView> mTabView;
  std::unique_ptr<Quirel_CTRLS_PushButton> mOkBtn, mCancelBtn;
  std::unique_ptr<Quirel_PreferenceInfo> mTempPrefs;
  int mInputProfileSourceType = 0;
  int mColorMode = 3;
  std::optional<std::string> mDefaultTempPath, mDefaultSavePath;
  std::shared_ptr<Quirel_ProfileCMList> mProfileCMList;
  std::shared_ptr<Quirel_UIScannerInfo> mScannerInfo;
  bool mOkClose = false;
  bool mError = false;
  int mErrorType = 0;
  bool mADFMode = false, mFilmMode = false, mThumbnailMode = false, mZoomScan = false;
  bool mCanClose = true;
  double mMaxWidth = 0;
  std::unique_ptr<Quirel_PVLocalizedString> mLSobj;
  bool mShowOpenPanel = false;
  bool mCloseFlg = false;
  const void* mTwObject = nullptr;
  const void* mUIMObject = nullptr;
  PanelRunner mPanelRunner;
  Scheduler mScannerTestScheduler;
  std::vector<fnd::NotificationCenter::Token> mTokens;
};
