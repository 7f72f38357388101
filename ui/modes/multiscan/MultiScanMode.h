#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "foundation/Geometry.h"
#include "foundation/NotificationCenter.h"
#include "foundation/Value.h"
#include "kit/Image.h"
#include "ui/model/MultiScanModeLink.h"
#include "ui/windows/DisplayManager.h"

class Quirel_CTRLS_CheckBox;
class Quirel_CTRLS_MainWindow;
class Quirel_CTRLS_MSDestinationView;
class Quirel_CTRLS_MSHelpButton;
class Quirel_CTRLS_MSHowToPutButton;
class Quirel_CTRLS_MSImageSourceView;
class Quirel_CTRLS_MSScanButton;
class Quirel_CTRLS_MSScanSettingTitle;
class Quirel_CTRLS_PopupButton;
class Quirel_CTRLS_PreviewFrame;
class Quirel_CTRLS_PushButton;
class Quirel_CTRLS_Separator;
class Quirel_CTRLS_TabView;
class Quirel_DisabledView;
class Quirel_NoFocusImageView;
class Quirel_NoFocusView;
class Quirel_PVLocalizedString;
class Quirel_PreferenceInfo;
class Quirel_ProfileCMList;
class Quirel_Toolbar;
class Quirel_UIScannerInfo;
namespace kit {
class TextField;
class View;
}  // namespace kit

// The multi-scan tab: a scan without preview or crop frames, where the scan module finds the
// documents itself. It keeps the tab's choices (image source, destination, three options),
// stores them as the last settings, sends its own scan request and narrows the main window
// while its tab shows. A plain object, not a scan mode of the base. Main thread only.
//
// The tab's controls are built and laid out by the MultiScanModeItem half of the class
// (MultiScanModeItem.cpp); every operation skips a control its form did not create.
class Quirel_MultiScanMode : public MultiScanModeLink {
 public:
  static constexpr const char* kLastSettingKey = "MultiScanMode";
  static constexpr const char* kImageSourceChangePost = "MsImageSourceChangePost";
  static constexpr const char* kDestinationChangePost = "MsDestinationChangePost";
  static constexpr const char* kDuplexADFCheckPost = "MsDuplexADFCheckPost";
  static constexpr const char* kRecommendImageSettingCheckPost = "MsRecommendImageSettingCheckPost";
  static constexpr const char* kScanResultCheckPost = "MsScanResultCheckPost";
  static constexpr const char* kResultShowStatusPost = "setResultShowStatusPost";
  static constexpr const char* kResultCloseStatusPost = "setResultCloseStatusPost";
  // The width of the tab alone, in points at scale 1.
  static constexpr double kTabWidth = 350.0;

  explicit Quirel_MultiScanMode(fnd::NotificationCenter& center = fnd::NotificationCenter::defaultCenter());
  ~Quirel_MultiScanMode() override;
  Quirel_MultiScanMode(const Quirel_MultiScanMode&) = delete;
  Quirel_MultiScanMode& operator=(const Quirel_MultiScanMode&) = delete;

  // ---- Records handed in by the window controller.
  // The window controller: an identity only, the object of every outward post.
  void setUIMObject(const void* object) { mUIMObject = object; }
  const void* getUIMObject() const { return mUIMObject; }
  void setTWAINObject(const void* object) { mTwObject = object; }
  void setPVLocalizedString(std::shared_ptr<const Quirel_PVLocalizedString> strings) { mLSobj = std::move(strings); }
  void setScannerInfo(std::shared_ptr<Quirel_UIScannerInfo> info) { mScannerInfo = std::move(info); }
  void setPreferenceInfo(std::shared_ptr<Quirel_PreferenceInfo> info) { mPreferenceInfo = std::move(info); }
  void setProfileCMList(std::shared_ptr<const Quirel_ProfileCMList> list) { mProfileCMList = std::move(list); }
  void setMainWindow(std::shared_ptr<Quirel_CTRLS_MainWindow> window) { mMainWindow = std::move(window); }
  Quirel_CTRLS_MainWindow* getMainWindow() const { return mMainWindow.get(); }
  // A copy of the per-model parameters; null keeps the earlier one.
  void setUimParameterDic(const fnd::Dictionary* parameters);
  const std::optional<fnd::Dictionary>& getUimParameterDic() const { return mUimParameterDic; }
  void setConnectFAU(bool connected) { mConnectFAU = connected; }
  bool getConnectFAU() const { return mConnectFAU; }
  void setUserSpaceScaleFactor(double factor) { mUserSpaceScaleFactor = factor; }
  double getUserSpaceScaleFactor() const { return mUserSpaceScaleFactor; }
  // Where the narrowed window is fitted on the screen; the main screen unless replaced.
  void setDisplayManager(const Quirel_DisplayManager& manager) { mDisplayManager = manager; }

  // ---- State the window controller and the preview model read.
  Quirel_UIScannerInfo* getScannerInfo() override { return mScannerInfo.get(); }
  Quirel_PreferenceInfo* getPreferenceInfo() const { return mPreferenceInfo.get(); }
  double getHiddenWidth() const { return mHiddenWidth; }
  fnd::Size getSavedMinSize() const { return mMinSize; }
  fnd::Size getSavedMaxSize() const { return mMaxSize; }
  bool getShowResult() override { return mShowResult; }
  bool getDuplexADF() override { return mDuplexADF; }
  bool getRecommendImageSetting() override { return mRecommendImageSetting; }
  bool getResultShowStatus() const { return mnowDisplay; }
  int getImageSource() const { return mImageSource; }
  int getDestination() const { return mDestination; }
  // The pop-ups' represented numbers; 0 without the pop-up (the newer forms have none).
  int getImgSrcNumber() override;
  int getDstNumber() override;
  // "setResultShowStatusPost" / "setResultCloseStatusPost": the result window opened / closed.
  void setResultShowStatus(const fnd::Notification&) { mnowDisplay = true; }
  void setResultCloseStatus(const fnd::Notification&) { mnowDisplay = false; }

  // ---- Observations on the mode's centre, with the mode as owner.
  using Handler = std::function<void(const fnd::Notification&)>;
  void registObserver(const void* object, Handler handler, const std::string& name);
  // A picture of the resource bundle by name; none when it cannot be found.
  static std::optional<kit::Image> getImageFromFile(const std::string& name);
  // Message boxes of this tab need no bracketing.
  void showModalDialog() {}
  void closeModalDialog() {}
  // Tells the two picture views their picture numbers.
  void changeImage(int imageSource, int destination);
  // The destination view's picture for a source and a destination.
  static int destinationPictureNumber(int imageSource, int destination);

  // ---- Image sources.
  // The scan module's input source for an image source: 3 and 4 for the film sources 5 and 6.
  static int inputSourceForImageSource(int imageSource);
  int getInputSourceForPostToSM() const { return inputSourceForImageSource(mImageSource); }
  // Sends the input source of the chosen image source outward ("changeInputSourcePost").
  void inputSourceChangePostToSM();

  // ---- Actions of the tab's controls (the notification is not read).
  void MsImageSourceChange(const fnd::Notification& n);
  void MsDestinationChange(const fnd::Notification& n);
  void MsDuplexADFCheck(const fnd::Notification& n);
  void MsRecommendImageSettingCheck(const fnd::Notification& n);
  void MsScanResultCheck(const fnd::Notification& n);
  // Sends the multi-scan request and its save settings; answers whether the request went out.
  // When it did not, the controls are enabled again.
  bool MsScanStart(const fnd::Notification& n);
  void MsShowHelp(const fnd::Notification& n);
  void MsShowHowToPut(const fnd::Notification& n);
  // The forwarders the controls' posts reach; each calls its action and nothing else.
  void ntf_MsImageSourceChange(const fnd::Notification& n) { MsImageSourceChange(n); }
  void ntf_MsDestinationChange(const fnd::Notification& n) { MsDestinationChange(n); }
  void ntf_MsDuplexADFCheck(const fnd::Notification& n) { MsDuplexADFCheck(n); }
  void ntf_MsRecommendImageSettingCheck(const fnd::Notification& n) { MsRecommendImageSettingCheck(n); }
  void ntf_MsScanResultCheck(const fnd::Notification& n) { MsScanResultCheck(n); }
  void ntf_MsScanStart(const fnd::Notification& n) { MsScanStart(n); }
  void ntf_MsShowHelp(const fnd::Notification& n) { MsShowHelp(n); }
  void ntf_MsShowHowToPut(const fnd::Notification& n) { MsShowHowToPut(n); }

  // ---- Tab, settings and enabling.
  // Narrows the window to the tab (once: a second call keeps the first width and limits).
  void showTab();
  void didShowTabView() { setFrameMultiScanItem(); }
  // Widens the window back when it was narrowed; always YES.
  bool hiddenTab();
  // Null takes the "MultiScanMode" entry of the parameters.
  void setDefaultSetting(const fnd::Dictionary* entry);
  // Null (no stored entry) reads every key as missing.
  void setLastSetting(const fnd::Dictionary* lastSetting);
  fnd::Dictionary getLastSetting() const;
  void setValueToControl();
  void setEnabledAllControl(bool enable);
  // Greys the whole main window (and its title-bar buttons) while another window shows.
  void setEnabledMainWindow(bool enable);
  // After the preferences dialog: the values again, and the controls stay disabled while the
  // main window is.
  void preferenceInfoIsUpdate();

  // ---- The tab's controls (MultiScanModeItem.cpp).
  void setPreferenceButton(Quirel_CTRLS_PushButton* button) { mPrefBtn = button; }
  void setCloseMainWindowButton(Quirel_CTRLS_PushButton* button) { mCloseWindowBtn = button; }
  void createMultiScanItem(Quirel_CTRLS_TabView* tabView);
  void createToolBarItem(Quirel_Toolbar* toolbar) { mToolbar = toolbar; }
  void createPreviewAreaItem(Quirel_CTRLS_PreviewFrame* previewFrame) { mPreviewFrame = previewFrame; }
  // Fills the pop-ups from the model's entry, then the defaults and the tool tips.
  void setMultiScanItem(const fnd::Dictionary* entry, bool connectFAU);
  void setFrameMultiScanItem();
  void setEnabledToolTips();
  Quirel_CTRLS_PopupButton* getImgSrcPopup() const { return mImgSrcPopup.get(); }
  Quirel_CTRLS_PopupButton* getDstPopup() const { return mDstPopup.get(); }
  void releaseMultiScanModeItem();

  // Controls, for the window controller's tests and pictures.
  Quirel_CTRLS_CheckBox* getDuplexADFCbx() const { return mDuplexADFCbx.get(); }
  Quirel_CTRLS_CheckBox* getRecommendImageSettingCbx() const { return mRecommendImageSettingCbx.get(); }
  Quirel_CTRLS_CheckBox* getResultCbx() const { return mResultCbx.get(); }
  Quirel_CTRLS_MSScanButton* getScanBtn() const { return mScanBtn.get(); }
  Quirel_CTRLS_MSHelpButton* getHelpBtn() const { return mHelpBtn.get(); }
  Quirel_CTRLS_MSHowToPutButton* getHowtoPutBtn() const { return mHowtoPutBtn.get(); }
  Quirel_CTRLS_MSImageSourceView* getImgSrcView() const { return mImgSrcView.get(); }
  Quirel_CTRLS_MSDestinationView* getDstView() const { return mDstView.get(); }
  Quirel_DisabledView* getDisabledView() const { return mDisabledView.get(); }
  // The rows of the column, top to bottom as they are laid out (nil rows left out).
  std::vector<kit::View*> rowsInLayoutOrder() const;
  const std::vector<std::unique_ptr<Quirel_NoFocusImageView>>& getImageViewList() const { return mImageViewList; }
  kit::View* getExplainRow() const;
  kit::View* getHowtoPutRow() const;
  kit::View* getDuplexADFRow() const;
  kit::View* getRecommendImageSettingRow() const;
  kit::View* getScanResultRow() const;
  kit::View* getScanSettingRow() const;
  kit::View* getSeparatorRow() const;
  kit::View* getScanBtnRow() const;
  kit::View* getHelpBtnRow() const;

 private:
  const void* selfIdentity() const { return static_cast<const void*>(this); }
  const void* outwardObject() const { return mUIMObject ? mUIMObject : selfIdentity(); }
  bool isVer1400() const;
  bool hasTwoSidedADF() const;
  bool hasRecommendedProc() const;
  // Algorithm of the help links: the page number 3 (help) or 4 (how to place).
  void showHelp(int helpMode);
  void armScanSound();
  std::string localized(const std::string& key, const char* table = "UserInterface") const;
  // MultiScanModeItem.cpp helpers.
  void initMultiScanModeItem();
  void createCaptionAndExplanation(double width);
  void createVer14Rows(double width);
  void createOlderRows(double width);
  std::unique_ptr<Quirel_CTRLS_CheckBox> makeCheckBox(const char* postName, const char* titleKey, double width,
                                                      std::unique_ptr<Quirel_NoFocusView>& row);
  void observeControls();
  double checkBoxRowsHeight() const;

  fnd::NotificationCenter& mCenter;

  std::shared_ptr<const Quirel_PVLocalizedString> mLSobj;
  int mImageSource = 0;
  int mDestination = 2;
  bool mShowResult = false;
  bool mDuplexADF = false;
  bool mRecommendImageSetting = false;
  double mHiddenWidth = 0;
  fnd::Size mMaxSize{0, 0};
  fnd::Size mMinSize{0, 0};
  std::optional<fnd::Dictionary> mUimParameterDic;
  std::shared_ptr<Quirel_PreferenceInfo> mPreferenceInfo;
  std::shared_ptr<const Quirel_ProfileCMList> mProfileCMList;
  std::shared_ptr<Quirel_UIScannerInfo> mScannerInfo;
  double mUserSpaceScaleFactor = 1.0;
  bool mConnectFAU = false;
  const void* mTwObject = nullptr;   // kept identity
  const void* mUIMObject = nullptr;  // kept identity
  bool mnowDisplay = false;
  std::unique_ptr<Quirel_DisabledView> mDisabledView;
  std::unique_ptr<Quirel_DisabledView> mWindowMaskView;
  Quirel_DisplayManager mDisplayManager;

  // The window's parts, kept (owned by the window controller).
  std::shared_ptr<Quirel_CTRLS_MainWindow> mMainWindow;
  Quirel_CTRLS_TabView* mMainTab = nullptr;
  Quirel_Toolbar* mToolbar = nullptr;
  Quirel_CTRLS_PreviewFrame* mPreviewFrame = nullptr;
  Quirel_CTRLS_PushButton* mPrefBtn = nullptr;
  Quirel_CTRLS_PushButton* mCloseWindowBtn = nullptr;

  // The tab's own controls and their rows.
  std::unique_ptr<kit::TextField> mExplainTxtF;
  std::unique_ptr<Quirel_NoFocusView> mExplainTxtView;
  std::unique_ptr<Quirel_CTRLS_MSHowToPutButton> mHowtoPutBtn;
  std::unique_ptr<Quirel_NoFocusView> mHowtoPutBtnView;
  std::vector<std::unique_ptr<Quirel_NoFocusImageView>> mImageViewList;
  std::unique_ptr<Quirel_CTRLS_CheckBox> mDuplexADFCbx;
  std::unique_ptr<Quirel_NoFocusView> mDuplexADFView;
  std::unique_ptr<Quirel_CTRLS_CheckBox> mRecommendImageSettingCbx;
  std::unique_ptr<Quirel_NoFocusView> mRecommendImageSettingView;
  std::unique_ptr<Quirel_CTRLS_CheckBox> mResultCbx;
  std::unique_ptr<Quirel_NoFocusView> mScanResultView;
  std::unique_ptr<Quirel_NoFocusView> mScanSettingView;
  std::unique_ptr<Quirel_CTRLS_Separator> mSeparator1;
  std::unique_ptr<Quirel_CTRLS_MSScanSettingTitle> mScanSetTitle;
  std::unique_ptr<Quirel_CTRLS_MSImageSourceView> mImgSrcView;
  std::unique_ptr<Quirel_CTRLS_PopupButton> mImgSrcPopup;
  std::unique_ptr<Quirel_NoFocusView> mImageSourceView;
  std::unique_ptr<Quirel_CTRLS_MSDestinationView> mDstView;
  std::unique_ptr<Quirel_CTRLS_PopupButton> mDstPopup;
  std::unique_ptr<Quirel_NoFocusView> mDestinationView;
  std::unique_ptr<Quirel_CTRLS_Separator> mSeparator2;
  std::unique_ptr<Quirel_NoFocusView> mSeparatorView;
  std::unique_ptr<Quirel_CTRLS_MSScanButton> mScanBtn;
  std::unique_ptr<Quirel_NoFocusView> mScanBtnView;
  std::unique_ptr<Quirel_CTRLS_MSHelpButton> mHelpBtn;
  std::unique_ptr<Quirel_NoFocusView> mHelpBtnView;
};
