#pragma once

#include <memory>
#include <optional>
#include <string>

#include "foundation/Value.h"
#include "kit/Box.h"
#include "kit/DatePicker.h"
#include "kit/TextField.h"
#include "kit/Window.h"
#include "ui/base/PVLocalizedString.h"
#include "ui/controls/NoFocusButton.h"
#include "ui/controls/NoFocusPopUpButton.h"
#include "ui/controls/NoFocusRadioButton.h"
#include "ui/model/UIScannerInfo.h"
#include "ui/windows/ProgressWindow.h"

// The device's quiet mode (off, on, on within a daily time range) or automatic power (power on
// when a job comes, power off after a time) as a modal dialog. The setting is read from the
// device before the dialog shows and written after OK, each through an outward request whose
// dictionary the scan module answers before the post returns; a wait window is up meanwhile.
class Quirel_PVUtilityDialog {
 public:
  static constexpr int kQuietMode = 0;
  static constexpr int kAutoPower = 1;
  // Answer checks.
  static constexpr int kOK = 0;
  static constexpr int kDeviceFailed = 1;
  static constexpr int kExchangeFailed = -1;
  enum class Request { Get, Set };
  struct Time {
    int hour = 0;
    int minute = 0;
    friend bool operator==(const Time&, const Time&) = default;
  };

  Quirel_PVUtilityDialog(int settingType, std::shared_ptr<Quirel_UIScannerInfo> scannerInfo);
  ~Quirel_PVUtilityDialog();
  Quirel_PVUtilityDialog(const Quirel_PVUtilityDialog&) = delete;
  Quirel_PVUtilityDialog& operator=(const Quirel_PVUtilityDialog&) = delete;

  // The object the outward requests carry (this dialog until set).
  void setNotificationSender(const void* sender) { mNotificationSender = sender; }
  // Quiet mode only: work on the caller's choice instead of the device's setting.
  void setDoNotGetSettingFromDevice(bool on) { mDoNotGetSettingFromDevice = on; }
  void setSelectedSilentSetting(char setting) { mSelectedSilentSetting = setting == 1 ? 1 : 0; }
  char getSelectedSilentSetting() const { return mSelectedSilentSetting != 0 ? 1 : 0; }

  // 0 after Cancel or a successful exchange; 1 when the device reported a failure; -1 when an
  // exchange failed (message 1209 shown).
  int showUtilityDialog();

  void actionOKButton();
  void actionCancelButton();
  void actionDefaultButton();
  void actionSilentRadio();

  int postGetSilentSettingFromSM();
  int postSetSilentSettingToSM();
  int postGetAutoPowerSettingFromSM();
  int postSetAutoPowerSettingToSM();

  // The checks of an answer. Values are handed back only when the answer is whole and in range.
  static int analyzeSilentSettingNCReturnValue(const fnd::Dictionary& answer, Request request, int* selected,
                                               Time* start, Time* end);
  static int analyzeAutoPowerSettingNCReturnValue(const fnd::Dictionary& answer, Request request, const char* key,
                                                  int* value);

  // Controls' values.
  void setSilentSetting(int selected, Time start, Time end);
  int silentSelected() const;
  Time silentStart() const { return pickerTime(mSilentStartDatePicker); }
  Time silentEnd() const { return pickerTime(mSilentEndDatePicker); }
  void setAutoPowerOff(int value);
  int autoPowerOff() const;
  void setAutoPowerOn(int value);
  int autoPowerOn() const;

  // Tests.
  kit::Window* window() const { return mWindow.get(); }
  Quirel_ProgressWindow* progressWindow() const { return mProgressWindow.get(); }
  Quirel_NoFocusRadioButton* silentRadio() const { return mSilentRadioBtn; }
  kit::DatePicker* startPicker() const { return mSilentStartDatePicker; }
  kit::DatePicker* endPicker() const { return mSilentEndDatePicker; }
  kit::TextField* cautionText() const { return mSilentCautionTxtF; }
  Quirel_NoFocusPopUpButton* powerOnPopup() const { return mAutoPowerONPopupBtn; }
  Quirel_NoFocusPopUpButton* powerOffPopup() const { return mAutoPowerOFFPopupBtn; }
  Quirel_NoFocusButton* okButton() const { return mOKBtn; }
  Quirel_NoFocusButton* cancelButton() const { return mCancelBtn; }
  Quirel_NoFocusButton* defaultButton() const { return mDefaultBtn; }

 private:
  std::string text(const std::string& key, int tableType = 0) const;
  void createControl();
  void createSilentControls(bool mfp, double width);
  void createAutoPowerControls(bool mfp, double width);
  kit::TextField* addLabelTextField(kit::View* parent, const fnd::Rect& frame, const std::string& key, int tableType);
  kit::DatePicker* addDatePicker(kit::View* parent, const fnd::Rect& frame);
  Quirel_NoFocusButton* addButton(kit::View* parent, const fnd::Rect& frame, const std::string& key,
                                  void (Quirel_PVUtilityDialog::*action)());
  Quirel_NoFocusPopUpButton* addPopUpButton(kit::View* parent, const fnd::Rect& frame);
  void applyPickerRule();
  static Time pickerTime(const kit::DatePicker* picker);
  // Posts a request with a new dictionary; answers the dictionary as the receiver left it.
  fnd::SharedDictionary post(const char* name, fnd::Dictionary sent) const;
  void openWait(int type);
  void closeWait();
  bool isMFP() const { return mScannerInfo && mScannerInfo->isMFP(); }

  int mSettingType = kQuietMode;
  std::shared_ptr<Quirel_UIScannerInfo> mScannerInfo;
  const void* mNotificationSender = nullptr;
  bool mDoNotGetSettingFromDevice = false;
  int mSelectedSilentSetting = 0;
  std::unique_ptr<Quirel_PVLocalizedString> mLSobj;
  std::unique_ptr<kit::Window> mWindow;
  kit::Box* mSeparator = nullptr;  // views below are owned by their superviews
  kit::Box* mBox = nullptr;
  Quirel_NoFocusButton* mDefaultBtn = nullptr;
  Quirel_NoFocusButton* mCancelBtn = nullptr;
  Quirel_NoFocusButton* mOKBtn = nullptr;
  std::unique_ptr<Quirel_ProgressWindow> mProgressWindow;
  kit::View* mSilentSettingView = nullptr;
  kit::TextField* mSilentExplainTxtF = nullptr;
  Quirel_NoFocusRadioButton* mSilentRadioBtn = nullptr;
  kit::View* mSilentDateView = nullptr;
  kit::TextField* mSilentStartLabelTxtF = nullptr;
  kit::DatePicker* mSilentStartDatePicker = nullptr;
  kit::TextField* mSilentEndLabelTxtF = nullptr;
  kit::DatePicker* mSilentEndDatePicker = nullptr;
  kit::TextField* mSilentCautionTxtF = nullptr;
  kit::View* mAutoPowerSettingView = nullptr;
  kit::TextField* mAutoPowerONLabelTxtF = nullptr;
  Quirel_NoFocusPopUpButton* mAutoPowerONPopupBtn = nullptr;
  kit::TextField* mAutoPowerOFFLabelTxtF = nullptr;
  Quirel_NoFocusPopUpButton* mAutoPowerOFFPopupBtn = nullptr;
};
