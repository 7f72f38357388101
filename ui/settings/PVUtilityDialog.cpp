#include "ui/settings/PVUtilityDialog.h"

#include "kit/Application.h"
#include "kit/Font.h"
#include "ui/base/PVLocalizedBundle.h"
#include "ui/base/PostNotification.h"
#include "ui/windows/MessagePort.h"

namespace {
constexpr double kUtilityWidth = 440;
constexpr double kUtilityButtonHeight = 32;
constexpr double kUtilityRowHeight = 20;
constexpr Quirel_PVUtilityDialog::Time kUtilityDefaultStart{21, 0};
constexpr Quirel_PVUtilityDialog::Time kUtilityDefaultEnd{7, 0};
// Power-off pop-up values by position.
constexpr int kUtilityPowerOffMFP[] = {0, 2, 3, 4, 5, 6};
constexpr int kUtilityPowerOffOther[] = {0, 1};

bool utilityIntInRange(const fnd::Dictionary& d, const char* key, int low, int high, int* out) {
  const fnd::Value* v = d.find(key);
  if (!v || !(v->isInteger() || v->isReal())) return false;
  const long long value = v->toInteger();
  if (value < low || value > high) return false;
  *out = static_cast<int>(value);
  return true;
}

// "FuncStatus": none or a negative one fails the exchange, a positive one is the device's.
int utilityStatus(const fnd::Dictionary& answer) {
  const fnd::Value* status = answer.find("FuncStatus");
  if (!status) return Quirel_PVUtilityDialog::kExchangeFailed;
  const long long s = status->toInteger();
  if (s > 0) return Quirel_PVUtilityDialog::kDeviceFailed;
  if (s < 0) return Quirel_PVUtilityDialog::kExchangeFailed;
  return Quirel_PVUtilityDialog::kOK;
}
}  // namespace

Quirel_PVUtilityDialog::Quirel_PVUtilityDialog(int settingType, std::shared_ptr<Quirel_UIScannerInfo> scannerInfo)
    : mSettingType(settingType), mScannerInfo(std::move(scannerInfo)), mNotificationSender(this) {
  mLSobj = std::make_unique<Quirel_PVLocalizedString>(Quirel_PVLocalizedBundle::askWindowController(this));
  createControl();
}

Quirel_PVUtilityDialog::~Quirel_PVUtilityDialog() {
  if (mProgressWindow) mProgressWindow->closeSilentTimeWindowMainThreadMode();
}

std::string Quirel_PVUtilityDialog::text(const std::string& key, int tableType) const {
  const char* table = tableType == 1 ? "Message" : tableType == 2 ? "ToolTips" : "UserInterface";
  std::string value = mLSobj->ls_localizedStringForKey(key, table).value_or(key);
  return value == Quirel_PVLocalizedString::kNone ? key : value;
}

// --- Building

kit::TextField* Quirel_PVUtilityDialog::addLabelTextField(kit::View* parent, const fnd::Rect& frame,
                                                          const std::string& key, int tableType) {
  auto label = kit::TextField::wrappingLabelWithString(text(key, tableType), frame);
  label->setFont(kit::Font::systemFont(13));
  return static_cast<kit::TextField*>(parent->addSubview(std::move(label)));
}

kit::DatePicker* Quirel_PVUtilityDialog::addDatePicker(kit::View* parent, const fnd::Rect& frame) {
  auto picker = std::make_unique<kit::DatePicker>(frame);
  return static_cast<kit::DatePicker*>(parent->addSubview(std::move(picker)));
}

Quirel_NoFocusButton* Quirel_PVUtilityDialog::addButton(kit::View* parent, const fnd::Rect& frame,
                                                        const std::string& key,
                                                        void (Quirel_PVUtilityDialog::*action)()) {
  auto button = std::make_unique<Quirel_NoFocusButton>(frame);
  button->setBezelStyle(kit::BezelStyle::Rounded);
  button->setButtonType(kit::ButtonType::MomentaryPushIn);
  button->setFont(kit::Font::systemFont(13));
  button->setTitle(text(key));
  button->setAction([this, action](kit::Control&) { (this->*action)(); });
  return static_cast<Quirel_NoFocusButton*>(parent->addSubview(std::move(button)));
}

Quirel_NoFocusPopUpButton* Quirel_PVUtilityDialog::addPopUpButton(kit::View* parent, const fnd::Rect& frame) {
  return static_cast<Quirel_NoFocusPopUpButton*>(parent->addSubview(std::make_unique<Quirel_NoFocusPopUpButton>(frame)));
}

void Quirel_PVUtilityDialog::createControl() {
  const bool mfp = isMFP();
  mWindow = std::make_unique<kit::Window>(fnd::Rect(400, 300, kUtilityWidth, 200), kit::kTitledWindowMask);
  mWindow->setReleasedWhenClosed(false);
  mWindow->setTitle(text(mSettingType == kQuietMode ? "IDC_PGPREF_SILENT_LABEL_STR" : "IDC_PGPREF_AUTOPOWER_LABEL_STR"));
  kit::View* content = mWindow->contentView();

  const double buttonsTop = 10 + kUtilityButtonHeight;
  if (mSettingType == kQuietMode && mfp)
    mDefaultBtn = addButton(content, fnd::Rect(10, 10, 110, kUtilityButtonHeight), "IDC_PGADV_IPROC_RESET_BTN_STR",
                            &Quirel_PVUtilityDialog::actionDefaultButton);
  mCancelBtn = addButton(content, fnd::Rect(kUtilityWidth - 220, 10, 100, kUtilityButtonHeight), "IDMAC_CANCEL_BTN",
                         &Quirel_PVUtilityDialog::actionCancelButton);
  mOKBtn = addButton(content, fnd::Rect(kUtilityWidth - 115, 10, 100, kUtilityButtonHeight), "IDMAC_OK_BTN",
                     &Quirel_PVUtilityDialog::actionOKButton);
  mWindow->setDefaultButton(mOKBtn);
  auto separator = std::make_unique<kit::Box>(fnd::Rect(10, buttonsTop + 8, kUtilityWidth - 20, 5));
  separator->setBoxType(kit::BoxType::Separator);
  mSeparator = static_cast<kit::Box*>(content->addSubview(std::move(separator)));

  if (mSettingType == kQuietMode)
    createSilentControls(mfp, kUtilityWidth);
  else
    createAutoPowerControls(mfp, kUtilityWidth);
  mProgressWindow = std::make_unique<Quirel_ProgressWindow>();
}

void Quirel_PVUtilityDialog::createSilentControls(bool mfp, double width) {
  kit::View* content = mWindow->contentView();
  const double base = 10 + kUtilityButtonHeight + 20;
  const int rows = mfp ? 3 : 2;
  auto radio = std::make_unique<Quirel_NoFocusRadioButton>(fnd::Rect(), rows, 1);
  const char* titles[] = {"IDC_SILENT_OFF_RAD_STR", "IDC_SILENT_ON_RAD_STR", "IDC_SILENT_TIME_RAD_STR"};
  const char* tips[] = {"IDC_SILENT_OFF_RADIO", "IDC_SILENT_ON_RADIO", "IDC_SILENT_TIME_RADIO"};
  double widest = 0;
  for (int row = 0; row < rows; ++row) {
    radio->setCellTitle(row, 0, text(titles[row]));
    radio->setToolTip(text(tips[row], 2), row, 0);
    widest = std::max(widest, kit::Font::systemFont(13).widthOfString(text(titles[row])) + 30);
  }
  radio->setFont(kit::Font::systemFont(13));
  radio->setAutosizesCells(true);
  radio->setAction([this](kit::Control&) { actionSilentRadio(); });

  if (!mfp) {
    radio->setFrame(fnd::Rect(20, base, widest, rows * (kUtilityRowHeight + 10)));
    mSilentRadioBtn = static_cast<Quirel_NoFocusRadioButton*>(content->addSubview(std::move(radio)));
    mWindow->setContentSize(fnd::Size(width, base + rows * (kUtilityRowHeight + 10) + 15));
    setSilentSetting(0, kUtilityDefaultStart, kUtilityDefaultEnd);
    return;
  }

  // The box, laid out from its bottom: caution, times, radio rows, explanation
  // (adjustSilentSettingVerticalRect: each text as tall as it needs).
  const double inner = width - 40 - 20;
  auto box = std::make_unique<kit::Box>(fnd::Rect(20, base, width - 40, 100));
  mBox = static_cast<kit::Box*>(content->addSubview(std::move(box)));
  mSilentSettingView = mBox;
  double y = 10;
  mSilentCautionTxtF = addLabelTextField(mBox, fnd::Rect(10, y, inner, 10), "IDMAC_SILENT_CAUTION_LABEL", 0);
  const bool cautionHidden = mScannerInfo && mScannerInfo->quietModeSettingType() == 1;
  mSilentCautionTxtF->setHidden(cautionHidden);
  if (!cautionHidden) {
    const double h = mSilentCautionTxtF->heightForWidth(inner);
    mSilentCautionTxtF->setFrame(fnd::Rect(10, y, inner, h));
    y += h + 8;
  }
  auto dateView = std::make_unique<kit::View>(fnd::Rect(40, y, inner - 30, 26));
  mSilentDateView = mBox->addSubview(std::move(dateView));
  mSilentStartLabelTxtF = addLabelTextField(mSilentDateView, fnd::Rect(0, 4, 70, 18), "IDC_SILENT_START_LABEL_STR ", 0);
  mSilentStartDatePicker = addDatePicker(mSilentDateView, fnd::Rect(72, 0, 90, 24));
  mSilentEndLabelTxtF = addLabelTextField(mSilentDateView, fnd::Rect(180, 4, 60, 18), "IDC_SILENT_END_LABEL_STR", 0);
  mSilentEndDatePicker = addDatePicker(mSilentDateView, fnd::Rect(242, 0, 90, 24));
  y += 26 + 6;
  const double radioHeight = rows * (kUtilityRowHeight + 10);
  radio->setFrame(fnd::Rect(10, y, widest, radioHeight));
  mSilentRadioBtn = static_cast<Quirel_NoFocusRadioButton*>(mBox->addSubview(std::move(radio)));
  y += radioHeight + 6;
  mSilentExplainTxtF = addLabelTextField(mBox, fnd::Rect(10, y, inner, 10), "IDMAC_SILENT_CAPTION_LABEL", 0);
  const double explain = mSilentExplainTxtF->heightForWidth(inner);
  mSilentExplainTxtF->setFrame(fnd::Rect(10, y, inner, explain));
  y += explain + 10;
  mBox->setFrame(fnd::Rect(20, base, width - 40, y));
  mWindow->setContentSize(fnd::Size(width, base + y + 15));
  setSilentSetting(0, kUtilityDefaultStart, kUtilityDefaultEnd);
}

void Quirel_PVUtilityDialog::createAutoPowerControls(bool mfp, double width) {
  kit::View* content = mWindow->contentView();
  const double base = 10 + kUtilityButtonHeight + 25;
  auto view = std::make_unique<kit::View>(fnd::Rect(20, base, width - 40, mfp ? 70 : 34));
  mAutoPowerSettingView = content->addSubview(std::move(view));
  double y = 4;
  mAutoPowerOFFLabelTxtF = addLabelTextField(mAutoPowerSettingView, fnd::Rect(0, y + 4, 150, 18), "IDC_AUTOPOWER_OFF_TXT_STR", 0);
  mAutoPowerOFFPopupBtn = addPopUpButton(mAutoPowerSettingView, fnd::Rect(160, y, 180, 26));
  if (mfp) {
    for (const char* key : {"IDS_AUTOPOWER_DISABLE", "IDS_15_MINUTES", "IDS_30_MINUTES", "IDS_60_MINUTES",
                            "IDS_120_MINUTES", "IDS_240_MINUTES"})
      mAutoPowerOFFPopupBtn->addItemWithTitle(text(key));
    y += 36;
    mAutoPowerONLabelTxtF = addLabelTextField(mAutoPowerSettingView, fnd::Rect(0, y + 4, 150, 18), "IDC_AUTOPOWER_ON_TXT_STR", 0);
    mAutoPowerONPopupBtn = addPopUpButton(mAutoPowerSettingView, fnd::Rect(160, y, 180, 26));
    mAutoPowerONPopupBtn->addItemWithTitle(text("IDS_AUTOPOWER_DISABLE"));
    mAutoPowerONPopupBtn->addItemWithTitle(text("IDS_AUTOPOWER_ENABLE"));
  } else {
    mAutoPowerOFFPopupBtn->addItemWithTitle(text("IDS_AUTOPOWER_DISABLE"));
    mAutoPowerOFFPopupBtn->addItemWithTitle(text("IDS_AUTOPOWER_ENABLE"));
  }
  // Labels take the width of their text; the pop-ups sit right of the wider one
  // (adjustAutoPowerSettingHorizontalRect).
  double labelWidth = 0;
  for (kit::TextField* label : {mAutoPowerOFFLabelTxtF, mAutoPowerONLabelTxtF})
    if (label) labelWidth = std::max(labelWidth, label->font().widthOfString(label->stringValue()) + 8);
  for (kit::TextField* label : {mAutoPowerOFFLabelTxtF, mAutoPowerONLabelTxtF})
    if (label) label->setFrame(fnd::Rect(0, label->frame().origin.y, labelWidth, 18));
  for (Quirel_NoFocusPopUpButton* popup : {mAutoPowerOFFPopupBtn, mAutoPowerONPopupBtn})
    if (popup) popup->setFrame(fnd::Rect(labelWidth + 10, popup->frame().origin.y, 180, 26));
  mWindow->setContentSize(fnd::Size(width, base + mAutoPowerSettingView->frame().size.height + 20));
  setAutoPowerOff(0);
  setAutoPowerOn(0);
}

// --- Values of the controls

void Quirel_PVUtilityDialog::setSilentSetting(int selected, Time start, Time end) {
  if (!mSilentRadioBtn) return;
  int row = selected;
  // The two-row dialog has no time range: a device quiet within a range is quiet.
  if (row >= mSilentRadioBtn->numberOfRows()) row = mSilentRadioBtn->numberOfRows() - 1;
  if (row < 0) row = 0;
  mSilentRadioBtn->selectCellAtRow(row, 0);
  if (mSilentStartDatePicker) mSilentStartDatePicker->setTime(start.hour, start.minute);
  if (mSilentEndDatePicker) mSilentEndDatePicker->setTime(end.hour, end.minute);
  applyPickerRule();
}

int Quirel_PVUtilityDialog::silentSelected() const {
  return mSilentRadioBtn ? std::max(0, mSilentRadioBtn->selectedRow()) : 0;
}

Quirel_PVUtilityDialog::Time Quirel_PVUtilityDialog::pickerTime(const kit::DatePicker* picker) {
  return picker ? Time{picker->hour(), picker->minute()} : Time{};
}

void Quirel_PVUtilityDialog::applyPickerRule() {
  const bool on = silentSelected() == 2;
  for (auto [picker, tip] : {std::pair{mSilentStartDatePicker, "IDC_SILENT_STARTTIME"},
                             std::pair{mSilentEndDatePicker, "IDC_SILENT_ENDTIME"}}) {
    if (!picker) continue;
    picker->setEnabled(on);
    picker->setToolTip(on ? text(tip, 2) : std::string());
  }
}

void Quirel_PVUtilityDialog::actionSilentRadio() { applyPickerRule(); }

void Quirel_PVUtilityDialog::setAutoPowerOff(int value) {
  if (!mAutoPowerOFFPopupBtn) return;
  int index = 0;
  if (isMFP()) {
    for (int i = 0; i < 6; ++i)
      if (kUtilityPowerOffMFP[i] == value && value != 0) index = i;
  } else {
    index = value == 1 ? 1 : 0;
  }
  mAutoPowerOFFPopupBtn->selectItemAtIndex(index);
}

int Quirel_PVUtilityDialog::autoPowerOff() const {
  if (!mAutoPowerOFFPopupBtn) return 0;
  const int index = std::max(0, mAutoPowerOFFPopupBtn->indexOfSelectedItem());
  return isMFP() ? kUtilityPowerOffMFP[std::min(index, 5)] : kUtilityPowerOffOther[std::min(index, 1)];
}

void Quirel_PVUtilityDialog::setAutoPowerOn(int value) {
  if (mAutoPowerONPopupBtn) mAutoPowerONPopupBtn->selectItemAtIndex(value == 1 ? 1 : 0);
}

int Quirel_PVUtilityDialog::autoPowerOn() const {
  return mAutoPowerONPopupBtn && mAutoPowerONPopupBtn->indexOfSelectedItem() == 1 ? 1 : 0;
}

// --- Answers

int Quirel_PVUtilityDialog::analyzeSilentSettingNCReturnValue(const fnd::Dictionary& answer, Request request,
                                                              int* selected, Time* start, Time* end) {
  const int status = utilityStatus(answer);
  if (status != kOK || request == Request::Set) return status;
  int s = 0;
  Time a, b;
  if (!utilityIntInRange(answer, "SilentSetting", 0, 2, &s) || !utilityIntInRange(answer, "StartHour", 0, 23, &a.hour) ||
      !utilityIntInRange(answer, "StartMinutes", 0, 59, &a.minute) ||
      !utilityIntInRange(answer, "EndHour", 0, 23, &b.hour) || !utilityIntInRange(answer, "EndMinutes", 0, 59, &b.minute))
    return kExchangeFailed;
  if (selected) *selected = s;
  if (start) *start = a;
  if (end) *end = b;
  return kOK;
}

int Quirel_PVUtilityDialog::analyzeAutoPowerSettingNCReturnValue(const fnd::Dictionary& answer, Request request,
                                                                 const char* key, int* value) {
  const int status = utilityStatus(answer);
  if (status != kOK || request == Request::Set) return status;
  const int high = std::string_view(key) == "AutoPowerOnSetting" ? 1 : 6;
  int v = 0;
  if (!utilityIntInRange(answer, key, 0, high, &v)) return kExchangeFailed;
  if (value) *value = v;
  return kOK;
}

// --- Exchanges

fnd::SharedDictionary Quirel_PVUtilityDialog::post(const char* name, fnd::Dictionary sent) const {
  fnd::SharedDictionary info = fnd::makeShared(std::move(sent));
  Quirel_PostNotification().postExternalNotificationName(name, mNotificationSender, info);
  return info;
}

void Quirel_PVUtilityDialog::openWait(int type) {
  mProgressWindow->displaySilentTimeWindowMainThreadModeWithTitle(
      mScannerInfo ? mScannerInfo->twainDsDeviceName() : std::nullopt, type, mScannerInfo && mScannerInfo->isSFS());
}

void Quirel_PVUtilityDialog::closeWait() { mProgressWindow->closeSilentTimeWindowMainThreadMode(); }

int Quirel_PVUtilityDialog::postGetSilentSettingFromSM() {
  if (mDoNotGetSettingFromDevice) {
    setSilentSetting(mSelectedSilentSetting, kUtilityDefaultStart, kUtilityDefaultEnd);
    return kOK;
  }
  openWait(0);
  const fnd::SharedDictionary answer = post("NC_GetSilentSetting", {});
  closeWait();
  int selected = 0;
  Time start, end;
  const int result = analyzeSilentSettingNCReturnValue(*answer, Request::Get, &selected, &start, &end);
  if (result == kOK) setSilentSetting(selected, start, end);
  return result;
}

int Quirel_PVUtilityDialog::postSetSilentSettingToSM() {
  const int selected = silentSelected();
  const Time start = silentStart();
  const Time end = silentEnd();
  if (mDoNotGetSettingFromDevice) {
    mSelectedSilentSetting = selected;
    return kOK;
  }
  openWait(1);
  const fnd::SharedDictionary answer =
      post("NC_SetSilentSetting", fnd::Dictionary{{"SilentSetting", selected}, {"StartHour", start.hour},
                                                  {"StartMinutes", start.minute}, {"EndHour", end.hour},
                                                  {"EndMinutes", end.minute}});
  closeWait();
  return analyzeSilentSettingNCReturnValue(*answer, Request::Set, nullptr, nullptr, nullptr);
}

int Quirel_PVUtilityDialog::postGetAutoPowerSettingFromSM() {
  openWait(2);
  int value = 0;
  int result = analyzeAutoPowerSettingNCReturnValue(*post("NC_GetAutoPowerOffSetting", {}), Request::Get,
                                                    "AutoPowerOffTime", &value);
  if (result == kOK) {
    setAutoPowerOff(value);
    if (isMFP()) {
      result = analyzeAutoPowerSettingNCReturnValue(*post("NC_GetAutoPowerOnSetting", {}), Request::Get,
                                                    "AutoPowerOnSetting", &value);
      if (result == kOK) setAutoPowerOn(value);
    }
  }
  closeWait();
  return result;
}

int Quirel_PVUtilityDialog::postSetAutoPowerSettingToSM() {
  openWait(3);
  int result = analyzeAutoPowerSettingNCReturnValue(
      *post("NC_SetAutoPowerOffSetting", fnd::Dictionary{{"AutoPowerOffTime", autoPowerOff()}}), Request::Set,
      "AutoPowerOffTime", nullptr);
  if (result == kOK && isMFP())
    result = analyzeAutoPowerSettingNCReturnValue(
        *post("NC_SetAutoPowerOnSetting", fnd::Dictionary{{"AutoPowerOnSetting", autoPowerOn()}}), Request::Set,
        "AutoPowerOnSetting", nullptr);
  closeWait();
  return result;
}

int Quirel_PVUtilityDialog::showUtilityDialog() {
  auto finish = [](int result) {
    if (result == kExchangeFailed) Quirel_MessagePort::show(1209, 0, 0, 0);
    return result;
  };
  const int got = mSettingType == kQuietMode ? postGetSilentSettingFromSM() : postGetAutoPowerSettingFromSM();
  if (got != kOK) return finish(got);
  const int code = kit::Application::shared().runModalForWindow(*mWindow);
  mWindow->orderOut();
  if (code != 1) return 0;
  return finish(mSettingType == kQuietMode ? postSetSilentSettingToSM() : postSetAutoPowerSettingToSM());
}

void Quirel_PVUtilityDialog::actionOKButton() {
  const bool skipConfirmation = mSettingType == kQuietMode && mDoNotGetSettingFromDevice;
  if (mScannerInfo && mScannerInfo->isVer1900Later() && !skipConfirmation) {
    int message = 1901;
    if (mScannerInfo->isSFS())
      message = 1902;
    else if (mSettingType == kAutoPower && (mScannerInfo->supportPortType() & (0x08 | 0x10)) != 0 && autoPowerOff() != 0)
      message = 1903;
    if (Quirel_MessagePort::show(message, 0, 0, 0) == 0) return;
  }
  kit::Application::shared().stopModalWithCode(1);
  mWindow->orderOut();
}

void Quirel_PVUtilityDialog::actionCancelButton() {
  kit::Application::shared().stopModalWithCode(0);
  mWindow->orderOut();
}

void Quirel_PVUtilityDialog::actionDefaultButton() { setSilentSetting(0, kUtilityDefaultStart, kUtilityDefaultEnd); }
