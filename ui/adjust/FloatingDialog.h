#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "foundation/Geometry.h"
#include "foundation/NotificationCenter.h"
#include "kit/ImageView.h"
#include "kit/WindowDelegate.h"
#include "ui/model/ScanModeLink.h"

class Quirel_CTRLS_ChannelPopupBase;
class Quirel_CropInfo;
class Quirel_DisabledView;
class Quirel_DlgBackgroundView;
class Quirel_DlgImageView;
class Quirel_NoFocusButton;
class Quirel_ImageDataProcessPanel;
class Quirel_PVLocalizedString;
class Quirel_UIScannerInfo;
namespace kit {
class Font;
class View;
class Window;
}  // namespace kit

// What every floating adjustment dialog shares: the panel with its level, collapsed state and
// refused zoom and resize; the grey cover while disabled; and the key-window protocol by which
// a dialog holding a half-typed value and the main window and the other dialogs keep each
// other consistent. The dialogs reach the mode only through notifications.
//
// A dialog keeps a change flag (the other has an invalid or unconfirmed edit) and a fix flag
// (the other has a valid value typed but not committed) for each other dialog it watches.
// Every handler is virtual so that the older layouts can route their own way.
class Quirel_FloatingDialog : public kit::WindowDelegate {
 public:
  // Codes of the windows taking part, as they appear in the notification names.
  enum class Code { COLOR, TONEBC, HIST, THRESHOLD, CURVE, FINAL, INFO, MAIN };
  static std::string codeName(Code code);

  static constexpr const char* kLevelChangePost = "floatingDialogLevelChangePost";
  static constexpr const char* kControlSetYesPost = "CONTROL_SET_YES";
  static constexpr const char* kControlYesPost = "CONTROL_YES";
  static constexpr const char* kMainMakeKeyPost = "MAIN_MAKEKEY_FROM_DLG";
  static constexpr const char* kDialogValueChangePost = "DialogValueChangePost";
  static constexpr const char* kRemakePost = "remakeCropFromCorrectionDlgPost";
  static constexpr const char* kRemakeModule = "updateImageSetSelectByPreview";
  static constexpr const char* kDrawHistogramPost = "drawHistgram";
  static constexpr const char* kFinalUpdatePost = "FINALREVIEW_UPDATE";
  static constexpr const char* kHistRefreshPost = "HIST_REFLESH";
  static constexpr const char* kFinalRefreshPost = "FINAL_REFLESH";
  static constexpr const char* kShowErrorPost = "SHOW_ERROR_FROM_DLG";
  static constexpr const char* kCloseErrorPost = "CLOSE_ERROR_FROM_DLG";
  static constexpr const char* kDlgMouseDownPost = "DLG_MOUSE_DOWN";
  static constexpr const char* kPictureFolder = "quirel_r14";
  // Content states.
  static constexpr int kOpen = 0;
  static constexpr int kClosed = 1;
  static constexpr int kHidden = 2;
  // The message shown for a refused typed value.
  static constexpr std::int32_t kValueMessage = 1458;

  ~Quirel_FloatingDialog() override;
  Quirel_FloatingDialog(const Quirel_FloatingDialog&) = delete;
  Quirel_FloatingDialog& operator=(const Quirel_FloatingDialog&) = delete;

  Quirel_ImageDataProcessPanel* getWindow() const { return mWindow.get(); }
  Code code() const { return mOwnCode; }
  bool isVisible() const;
  void setHidden(bool hidden) { mHiddenFlg = hidden; }
  bool isHidden() const { return mHiddenFlg; }
  void setHasOpened(bool opened) { mHasOpened = opened; }
  bool hasOpened() const { return mHasOpened; }
  virtual void setContentState(int state);
  int getContentState() const { return mContentState; }
  // Every control, the cover, the tooltips, the panel's become-key-only-if-needed and the panel.
  virtual void setEnabledAllControl(bool enabled);
  virtual void setEnabledToolTips() = 0;
  virtual void floatingDialogLevelChange();
  // Shows the panel (key) when it is not on screen; closes it.
  virtual void showWindow();
  virtual void close();
  bool hasDisabledView() const { return mDisabledView != nullptr; }

  // Panel delegate.
  bool windowShouldZoom(kit::Window& window, const fnd::Rect& newFrame) override;
  fnd::Size windowWillResize(kit::Window& window, fnd::Size proposedFrameSize) override;
  void windowDidBecomeKey(kit::Window& window) override;
  bool windowShouldClose(kit::Window& window) override;

  // Answers to the other windows' edit states (the receivers' table).
  virtual void keyBecomeYes();
  virtual void keyBecomeNo();
  virtual void controlSetYes();
  virtual void mainChanging();
  virtual void mainFix();
  virtual void otherChanging(Code other);
  virtual void otherValueFixChanging(Code other);
  virtual void otherFix(Code other);
  // A press on the dialog's background or pictures.
  virtual void dlgMouseDown() {}

  bool closeOK() const { return mCloseOKFlg; }
  bool changeFlag(Code other) const;
  bool fixFlag(Code other) const;

  // The path of a picture of the dialogs' picture folder; empty when there is none.
  static std::string getFileName(const std::string& name);
  // The text read as a decimal number, rounded down to `digits` decimals and formatted with
  // that many; "0" (so formatted) for an empty text, "nan" for a text that is no number.
  static std::string roundDownForString(const std::string& text, int digits);

 protected:
  // watched: the other dialogs whose edit state this one follows, in take-back order.
  Quirel_FloatingDialog(Code own, std::vector<Code> watched, const CropList* crops, Quirel_CropInfo* templateCrop,
                        const Quirel_UIScannerInfo* scannerInfo, kit::Window* parentWindow);

  // Window set-up: the panel, its title (when titled here) and level. Older models lose the
  // zoom and miniaturise buttons.
  virtual void createPanel(fnd::Size contentSize, const std::string& titleKey, bool setTitle);
  void storeContentHeights();
  // The older layouts: never resizable, only a close button; they follow fewer other dialogs.
  void setOlderLayout(std::vector<Code> watched) {
    mOlderLayout = true;
    mWatched = std::move(watched);
  }
  bool mOlderLayout = false;
  // The edit-state, message-box, control, refresh and level names of the watched dialogs.
  virtual void registerSyncObservers();
  // The take-back and value-fix names for this dialog's own code (dialogs with typed values).
  virtual void registerTakeBackObservers(const std::vector<Code>& fromDialogs, const std::vector<Code>& fixFrom);
  void observe(const std::string& name, const void* sender, std::function<void()> handler);
  // Ends every observation; the dialogs call it first thing when destroyed, before their
  // controls go.
  void stopObserving() { mTokens.clear(); }
  void post(const std::string& name) const;
  void postRemakeRequest() const;
  // Shows the refused-value message between the dialogs' and the main window's brackets.
  void showValueMessage() const;
  std::string localized(const std::string& key, const std::string& table = "UserInterface") const;

  // Lets the dialog's controls take presses (true) or swallow the next press (false).
  virtual void setMouseDownOnControl(bool on) = 0;
  // What the receivers of the other windows' edit states switch; by default the same.
  virtual void setControlsTakePresses(bool on) { setMouseDownOnControl(on); }
  // Enables or disables the dialog's own controls (the cover and panel are handled here).
  virtual void setControlsEnabled(bool enabled) = 0;
  // Extra step of mainChanging: the reset and close buttons and each group.
  virtual void mainChangingControls() { setControlsTakePresses(false); }
  // Redraws or posts what the dialog refreshes after becoming key.
  virtual void refreshAfterBecomingKey() {}
  // Just before a granted close.
  virtual void beforeCloseGranted() {}
  // Take-back answers of dialogs with typed values.
  virtual void makeKeyFromDialog() {}
  virtual void makeKeyFromMainWindow() {}
  virtual void valueFixes() {}
  void bringToFrontAsKey();
  // For the dialogs whose changes remake the crops (colour balance, histogram): a change is
  // announced at once before 1700, and from 1700 on only when it reached the crops.
  void postDialogValueChange(bool isUpdateCropValue);
  // Asks for the crops to be remade and the histogram redrawn; from 1700 on only once per
  // recorded change.
  void postRemakeCropFromCorrection();
  bool mNeedRemakeCropCorrection = false;
  // Announces a finished edit that `pending` notes: the final review refreshed (when asked), the
  // value change and the crops remade; `pending` is cleared. Nothing happens when it is unset.
  void postFinishedEdit(bool& pending, bool refreshFinalReview);
  // The crops an edit writes to: the selected ones, last first; the template crop when the
  // list is empty.
  std::vector<Quirel_CropInfo*> targetCrops() const;
  // The reset and close buttons' kind: a rounded push button titled by `key`, added to `parent`.
  Quirel_NoFocusButton* addPushButton(kit::View* parent, const char* key, const fnd::Rect& frame, const kit::Font& font,
                                      std::function<void()> action) const;
  static void addSeparator(kit::View* parent, const fnd::Rect& frame);
  // The channel menu's colour entries: master, red, green and blue, named the newer way from
  // 1400 on (the older layouts keep the older names).
  void addColorChannelItems(Quirel_CTRLS_ChannelPopupBase& popup) const;
  // A picture of the dialogs' folder, shown at `frame` in `parent`.
  static Quirel_DlgImageView* addPicture(kit::View* parent, const fnd::Rect& frame, const std::string& name,
                                         kit::ImageScaling scaling);
  // The left edge of the dialogs' 220-point column, centred in a content `width` wide.
  static double columnX(double width);
  // Gives the panel a background content view of `size` (stored in `content`) and adds the
  // dialog's own background view at `frame` inside it, which it returns.
  Quirel_DlgBackgroundView* installBackgroundViews(fnd::Size size, const fnd::Rect& frame,
                                                   Quirel_DlgBackgroundView*& content);

  // Posts the take-back for the first watched dialog with a change flag; clears them all.
  void postTakeBack(bool withControlSetYes);
  void postValueFixes();

  const CropList* mCropList = nullptr;             // not owned; renewed on each update
  Quirel_CropInfo* mTemplateCrop = nullptr;        // not owned
  const Quirel_UIScannerInfo* mScannerInfo = nullptr;  // not owned
  kit::Window* mParentWindow = nullptr;            // not owned
  std::unique_ptr<Quirel_PVLocalizedString> mLSobj;
  std::unique_ptr<Quirel_ImageDataProcessPanel> mWindow;
  int mContentState = kOpen;
  double mContentHeight_Open = 0;
  double mContentHeight_Close = 0;
  double mContentHeight_Hidden = 0;
  bool mHiddenFlg = false;
  bool mHasOpened = false;
  bool mCloseOKFlg = true;
  bool mToneBCChgFlg = false, mHistChgFlg = false, mColorChgFlg = false;
  bool mToneBCFixFlg = false, mHistFixFlg = false, mColorFixFlg = false;
  std::unique_ptr<Quirel_DisabledView> mDisabledView;

 private:
  bool* changeFlagOf(Code other);
  bool* fixFlagOf(Code other);

  Code mOwnCode;
  std::vector<Code> mWatched;
  std::vector<fnd::NotificationCenter::Token> mTokens;
};
