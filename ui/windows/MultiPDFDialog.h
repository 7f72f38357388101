#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "foundation/Geometry.h"
#include "foundation/NotificationCenter.h"
#include "foundation/RunLoop.h"
#include "foundation/Value.h"
#include "kit/Box.h"
#include "kit/Button.h"
#include "kit/ImageView.h"
#include "kit/TextField.h"
#include "kit/Window.h"
#include "kit/WindowDelegate.h"

class Quirel_HelpControl;
class Quirel_PVLocalizedString;
class Quirel_UIScannerInfo;
class Quirel_progressCancelStatus;

// The small dialogs around a multi-page PDF scan and an automatic scan, built in code: 0 the
// pull-scan end of page, 1 the push-scan start, 2 the push-scan end of page, 3 the push-scan
// add-page notice (a numbered message), 4 the automatic-scan confirmation. The two end-of-page
// dialogs are not modal: they report the first pressed button outward on a later pass of the
// run loop and ignore further presses. The others run modally and answer their button.
// Main thread only.
class Quirel_MultiPDFDialog : public kit::WindowDelegate {
 public:
  static constexpr const char* kPullEndPost = "MPDFPullScanEndDialogButtonPost";
  static constexpr const char* kPushEndPost = "MPDFPushScanEndDialogButtonPost";
  static constexpr const char* kButton = "Button";
  static constexpr const char* kHelpDataPost = "setALMUserInterfaceData";
  static constexpr const char* kAppBecomeActivePost = "appBecomeActiveFromMainPost";
  static constexpr const char* kAppResignActivePost = "appResignActiveFromMainPost";
  static constexpr const char* kPictureFolder = "quirel_r14";
  static constexpr int kAddPageMessage = 1900;

  // The result of fitting an end-of-page or confirmation dialog to its text.
  struct TextFit {
    fnd::Rect text;
    fnd::Size content;
    double separatorWidth = 0;
    fnd::Rect right;  // the right-hand (or scan) button
    fnd::Rect left;   // the left-hand (or exit) button
  };
  // The widest text a window on a visible screen this wide may show.
  static double maxTextWidth(double visibleWidth) { return 0.9 * visibleWidth - 48; }
  // `measured` is the text measured in a box maxTextWidth wide (its width at most that);
  // `checkBoxWidth` 0 without a check box. Type 2 places its buttons from 25 on the right.
  static TextFit fitTextDialog(int type, double visibleWidth, fnd::Size measured, double checkBoxWidth,
                               const fnd::Rect& textFrame, const fnd::Size& rightButton, double rightY,
                               const fnd::Size& leftButton, double leftY);

  // The push-scan start dialog's numbers.
  struct PushStartFit {
    double topTextHeight = 17;
    double panelWidth = 0;
    double explainWidth = 0;
    double scanExplainHeight = 0;
    double finishExplainHeight = 0;
    double lowerBlockHeight = 0;
    fnd::Size content;
  };
  // `measure` gives a text's height for a width: top text at its frame width, then each
  // explanation at the explanation width.
  static PushStartFit fitPushStartDialog(double topTextHeight, const std::vector<double>& labelWidths,
                                         const std::function<double(double)>& scanExplainHeightFor,
                                         const std::function<double(double)>& finishExplainHeightFor);

  explicit Quirel_MultiPDFDialog(const std::optional<fnd::Dictionary>& uiParameterDic,
                                 fnd::NotificationCenter& center = fnd::NotificationCenter::defaultCenter());
  Quirel_MultiPDFDialog(std::shared_ptr<Quirel_UIScannerInfo> scannerInfo,
                        const std::optional<fnd::Dictionary>& uiParameterDic,
                        fnd::NotificationCenter& center = fnd::NotificationCenter::defaultCenter());
  ~Quirel_MultiPDFDialog() override;
  Quirel_MultiPDFDialog(const Quirel_MultiPDFDialog&) = delete;
  Quirel_MultiPDFDialog& operator=(const Quirel_MultiPDFDialog&) = delete;

  void setNotificationSender(const void* sender) { mNotificationSender = sender; }
  void setParentWindow(kit::Window* parent, const void* sender);

  void createMultiPagePDFPullScanEndDialog(bool ask);
  void createMultiPagePDFPushScanStartDialog();
  void createMultiPagePDFPushScanEndDialog(std::int32_t button);
  void createMultiPagePDFPushScanAddPageDialog() { mDialogType = 3; }
  void createAutoScanConfirmDialog();

  std::int32_t showDialog();
  void closeDialog();
  // 1 show again next time (box not ticked), 0 ticked, -1 no check box for this dialog.
  std::int32_t displayDialogAgain() const;

  void actionOKButton(kit::Control* = nullptr) { actionAtButtonType(1); }
  void actionScanButton(kit::Control* = nullptr) { actionAtButtonType(1); }
  void actionExitButton(kit::Control* = nullptr) { actionAtButtonType(0); }
  void actionHelpButton(kit::Control* = nullptr);
  void actionAtButtonType(std::int32_t button);
  void peformPostNotificationMPDFScanEndDialogButton(std::int32_t button);
  void getMousedownEvent(Quirel_progressCancelStatus* cancel) const;
  bool isInstalledHelp() const;
  void openHelp();

  void windowDidBecomeKey(kit::Window& window) override;
  void windowDidUpdate(kit::Window& window) override;
  void appBecomeActiveFromMain();
  void appResignActiveFromMain();

  // Tests and the controller.
  int dialogType() const { return mDialogType; }
  kit::Window* window() const { return mWindow.get(); }
  kit::Button* checkBox() const;
  kit::TextField* mainText() const;
  kit::Button* pullEndExitButton() const { return mPullEnd_ExitButton; }
  kit::Button* pullEndScanButton() const { return mPullEnd_ScanButton; }
  kit::Button* pushEndExitButton() const { return mPushEnd_ExitButton; }
  kit::Button* pushEndScanButton() const { return mPushEnd_ScanButton; }
  const std::string& pushEndScanPicture() const { return mPushEndScanPicture; }
  kit::Button* okButton() const;
  kit::Button* helpButton() const { return mAuto_HelpButton; }
  kit::Box* separator() const;
  const PushStartFit& pushStartFit() const { return mPushStartFit; }

 private:
  std::unique_ptr<Quirel_HelpControl> makeHelpControl(const fnd::Dictionary* helpFileInfo) const;
  void getLocalizedStringObject();
  std::string getLocalizedStringForKey(const std::string& key, int tableType) const;
  static kit::Image getImage(const std::string& name);
  void makeWindow(const fnd::Rect& content, const std::string& titleKey);
  kit::View* addView(kit::View* parent, const fnd::Rect& frame);
  kit::TextField* addLabelTextField(kit::View* parent, const fnd::Rect& frame, const std::string& key, int table);
  kit::Button* addRoundedBezelButton(kit::View* parent, const fnd::Rect& frame, const std::string& key,
                                     void (Quirel_MultiPDFDialog::*action)(kit::Control*));
  kit::Button* addShadowlessSquareBezelButton(kit::View* parent, const fnd::Rect& frame, const std::string& key,
                                              const kit::Image& image,
                                              void (Quirel_MultiPDFDialog::*action)(kit::Control*));
  kit::Button* addCheckBox(kit::View* parent, const fnd::Rect& frame, const std::string& key);
  kit::ImageView* addImageView(kit::View* parent, const fnd::Rect& frame, const kit::Image& image);
  // Fits types 0, 2 and 4 to their main text.
  void fitTextDialog();
  double visibleWidth() const;
  void closeDialogWithBtnType(std::int32_t button);
  void stopObserving();

  fnd::NotificationCenter& mCenter;
  int mDialogType = 0;
  fnd::Dictionary mUIParameterDic;
  std::shared_ptr<Quirel_UIScannerInfo> mScannerInfo;
  std::unique_ptr<Quirel_PVLocalizedString> mLSobj;
  const void* mNotificationSender = nullptr;
  int mMouseDownEv = 0;
  std::unique_ptr<kit::Window> mWindow;
  kit::Window* mParentWindow = nullptr;
  const void* mObservedSender = nullptr;
  bool mObserving = false;
  std::shared_ptr<fnd::Timer> mPendingPost;

  // Views are owned by the window's content view.
  kit::TextField* mPullEnd_Txt = nullptr;
  kit::Button* mPullEnd_CheckBox = nullptr;
  kit::Box* mPullEnd_Separator = nullptr;
  kit::Button* mPullEnd_ExitButton = nullptr;
  kit::Button* mPullEnd_ScanButton = nullptr;
  kit::TextField* mPushStart_TitleTxt = nullptr;
  kit::TextField* mPushStart_ScanExplainTxt = nullptr;
  kit::TextField* mPushStart_ExitExplainTxt1 = nullptr;
  kit::Box* mPushStart_Separator = nullptr;
  kit::Button* mPushStart_CheckBox = nullptr;
  kit::Button* mPushStart_OkButton = nullptr;
  kit::TextField* mPushEnd_Txt = nullptr;
  kit::Button* mPushEnd_ExitButton = nullptr;
  kit::Button* mPushEnd_ScanButton = nullptr;
  std::string mPushEndScanPicture;
  kit::TextField* mAuto_Txt1 = nullptr;
  kit::Button* mAuto_CheckBox = nullptr;
  kit::Button* mAuto_HelpButton = nullptr;
  kit::Button* mAuto_OkButton = nullptr;
  PushStartFit mPushStartFit;
};
