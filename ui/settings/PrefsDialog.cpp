#include "ui/settings/PrefsDialog.h"

#include <cmath>
#include <cstdio>

#include "foundation/StringFormat.h"
#include "kit/Application.h"
#include "ui/base/PVLocalizedBundle.h"
#include "ui/model/ProfileManager.h"

namespace {

constexpr double kPrefsTabY = 45;
constexpr double kPrefsTabHeight = 500;
constexpr double kPrefsGroupGap = 5;
constexpr double kPrefsButtonHeight = 32;

// The decimal digits of a plain number ("12", "2.29", ".5"); nothing for any other text.
bool prefsSplitDecimal(const std::string& text, std::string* whole, std::string* fraction, bool* negative) {
  std::size_t i = 0;
  while (i < text.size() && text[i] == ' ') ++i;
  *negative = false;
  if (i < text.size() && (text[i] == '-' || text[i] == '+')) *negative = text[i++] == '-';
  bool point = false;
  bool digit = false;
  for (; i < text.size(); ++i) {
    const char c = text[i];
    if (c >= '0' && c <= '9') {
      (point ? *fraction : *whole) += c;
      digit = true;
    } else if (c == '.' && !point) {
      point = true;
    } else {
      break;
    }
  }
  while (i < text.size() && text[i] == ' ') ++i;
  return digit && i == text.size();
}

}  // namespace

double prefsTitleWidth(const kit::Button* button) {
  return button ? button->font().widthOfString(button->title()) + 24 : 0;
}

Quirel_PrefsDialog::Quirel_PrefsDialog() {
  const std::string bundle = Quirel_PVLocalizedBundle::askWindowController(this);
  mLSobj = std::make_unique<Quirel_PVLocalizedString>(bundle);
}

Quirel_PrefsDialog::~Quirel_PrefsDialog() {
  mTokens.clear();
  if (mWindow) {
    mWindow->setDelegate(nullptr);
    mWindow->setEventHook(nullptr);
  }
  if (mTabView) mTabView->setDelegate(nullptr);
}

void Quirel_PrefsDialog::setFilmMode(bool film, bool thumbnail, bool zoomScan) {
  mFilmMode = film;
  mThumbnailMode = thumbnail;
  mZoomScan = zoomScan;
}

void Quirel_PrefsDialog::setProfileCMList(std::shared_ptr<Quirel_ProfileCMList> list) {
  if (list) mProfileCMList = std::move(list);
}

void Quirel_PrefsDialog::setTWAINObject(const void* twainObject, const void* uimObject) {
  mTwObject = twainObject;
  mUIMObject = uimObject;
}

std::string Quirel_PrefsDialog::text(const std::string& key, const char* table) const {
  std::string value = mLSobj ? mLSobj->ls_localizedStringForKey(key, table).value_or(key) : key;
  return value == Quirel_PVLocalizedString::kNone ? key : value;
}

std::string Quirel_PrefsDialog::templateText(const std::string& key, const char* table) const {
  return fnd::formatString(text(key, table), fnd::Array{fnd::Value(text("IDD_ASK_TEMPLATE_STR"))});
}

void Quirel_PrefsDialog::observe(const char* name, const void* object, std::function<void()> handler) {
  if (!object) return;
  mTokens.push_back(fnd::NotificationCenter::defaultCenter().observe(
      name, object, [handler = std::move(handler)](const fnd::Notification&) { handler(); }));
}

void Quirel_PrefsDialog::observeDown(const char* name, const void* object) {
  observe(name, object, [this] { enterTextFByOtherControls(); });
}

std::unique_ptr<Quirel_NoFocusView> Quirel_PrefsDialog::makeGroup(std::unique_ptr<Quirel_CTRLS_Separator>& separator,
                                                                  double height) {
  auto view = std::make_unique<Quirel_NoFocusView>(fnd::Rect(0, 0, 335, height));
  separator = std::make_unique<Quirel_CTRLS_Separator>();
  separator->setRect(10, height - 5, 315, 5);
  view->addSubview(separator->getSeparator());
  return view;
}

void Quirel_PrefsDialog::addGroupToTab(Quirel_CTRLS_PREFTabView::Tab tab, Quirel_NoFocusView* view) {
  if (!view) return;
  switch (tab) {
    case Quirel_CTRLS_PREFTabView::kPreview: mTabView->setPreviewTabViewItem(view, view->frame()); break;
    case Quirel_CTRLS_PREFTabView::kScan: mTabView->setScanTabViewItem(view, view->frame()); break;
    case Quirel_CTRLS_PREFTabView::kColorSetting: mTabView->setColorSettingTabViewItem(view, view->frame()); break;
    case Quirel_CTRLS_PREFTabView::kScanner: mTabView->setScannerTabViewItem(view, view->frame()); break;
    default: mTabView->setSaveTabViewItem(view, view->frame()); break;
  }
  const fnd::Rect f = view->frame();
  mMaxWidth = std::max(mMaxWidth, f.origin.x + f.size.width);
}

void Quirel_PrefsDialog::stackGroups(Quirel_CTRLS_PREFTabView::Tab, const std::vector<Group>& groups) {
  const fnd::Rect content = mTabView->getTabView()->contentRect();
  const double width = content.size.width;
  double top = content.size.height - kPrefsGroupGap;
  bool first = true;
  for (const Group& g : groups) {
    if (!g.view) continue;
    const double height = g.view->frame().size.height;
    top -= height;
    g.view->setFrame(fnd::Rect(0, top, width, height));
    top -= kPrefsGroupGap;
    if (g.separator) {
      g.separator->setRect(10, height - 5, width - 20, 5);
      g.separator->setHidden(first);
    }
    first = false;
  }
}

// --- Building

void Quirel_PrefsDialog::createPreferenceDialog() {
  mMaxWidth = 0;
  mWindow = std::make_unique<kit::Window>(fnd::Rect(400, 200, 365, 545), kit::kTitledWindowMask);
  mWindow->setReleasedWhenClosed(false);
  mWindow->setDelegate(this);
  mWindow->setLevel(kLevel);
  mWindow->setTitle(text("IDS_PGPREF_TITLE"));
  // Once the run has ended the window takes no more events.
  mWindow->setEventHook([this](const kit::Event&) {
    return mCloseFlg ? kit::EventHookResult::Drop : kit::EventHookResult::Pass;
  });

  mTabView = std::make_unique<Quirel_CTRLS_PREFTabView>(fnd::Rect(0, kPrefsTabY, 365, kPrefsTabHeight));
  if (launcherMode())
    mTabView->setTabViewItemIndex(0, 1, 2, 3, 4);
  else if (mScannerInfo && mScannerInfo->isVer1400Later())
    mTabView->setTabViewItemIndex(1, 2, 3, 0);
  else
    mTabView->setTabViewItemIndex(0, 1, 2, 3);

  createPreviewView();
  createScanView();
  createColorView();
  createSaveView();
  createScannerView();
  mTabView->endTabView();
  mTabView->setDelegate(this);

  mOkBtn = std::make_unique<Quirel_CTRLS_PushButton>();
  mOkBtn->setPushBTTitle(text("IDMAC_OK_BTN"));
  mOkBtn->setPushBTActionPostNtf("PreferenceOkPost");
  mCancelBtn = std::make_unique<Quirel_CTRLS_PushButton>();
  mCancelBtn->setPushBTTitle(text("IDMAC_CANCEL_BTN"));
  mCancelBtn->setPushBTActionPostNtf("PreferenceCancelPost");
  kit::View* content = mWindow->contentView();
  content->addSubview(mTabView->getTabView());
  content->addSubview(mCancelBtn->getPushBT());
  content->addSubview(mOkBtn->getPushBT());
  mWindow->setDefaultButton(mOkBtn->getPushBT());

  observeDown("TAB_DOWN", mTabView->getTabView());
  observeDown("BUTTON_DOWN", mOkBtn->getPushBT());
  observeDown("BUTTON_DOWN", mCancelBtn->getPushBT());
  observe("PreferenceOkPost", mOkBtn->getPushBT(), [this] { PreferenceOkClose(); });
  observe("PreferenceCancelPost", mCancelBtn->getPushBT(), [this] { PreferenceCancelClose(); });
  auto& center = fnd::NotificationCenter::defaultCenter();
  mTokens.push_back(center.observe("appBecomeActiveFromMainPost", nullptr, [this](const fnd::Notification&) {
    if (mShowOpenPanel || !mWindow) return;
    mWindow->setLevel(kLevel);
    if (mWindow->isVisible()) mWindow->makeKeyAndOrderFront();
  }));
  mTokens.push_back(center.observe("appResignActiveFromMainPost", nullptr, [this](const fnd::Notification&) {
    if (mShowOpenPanel || !mWindow) return;
    mWindow->setLevel(kit::kNormalWindowLevel);
    mWindow->orderFront();
  }));
}

void Quirel_PrefsDialog::setData(const Quirel_PreferenceInfo* preferences) {
  if (!preferences) return;
  mTempPrefs = std::make_unique<Quirel_PreferenceInfo>();
  mTempPrefs->copy(*preferences);
  if (mProfileCMList) Quirel_ProfileManager().checkAndSetProfilesData(*mProfileCMList, *mTempPrefs);
  setDataToPreviewView();
  setDataToScanView();
  setDataToColorView();
  setDataToScannerView();
  setDataToSaveView();
}

// --- Showing, layout and closing

void Quirel_PrefsDialog::showPreferenceDialog() {
  if (!mWindow) return;
  setAllControlPoint();
  mOkClose = false;
  mCloseFlg = false;
  kit::Application::shared().runModalForWindow(*mWindow);
  mCloseFlg = true;
  mWindow->setDelegate(nullptr);
  mWindow->close();
}

void Quirel_PrefsDialog::setAllControlPoint() {
  if (!mWindow) return;
  const double width = mMaxWidth + 30;
  // The tabs keep their height unless a tab's groups need more: then the window grows, so
  // that no control ends up below the tab's edge.
  mTabView->getTabView()->setFrame(fnd::Rect(0, kPrefsTabY, width, kPrefsTabHeight));
  const double header = kPrefsTabHeight - mTabView->getTabView()->contentRect().size.height;
  double needed = 0;
  for (int tab = 0; tab < Quirel_CTRLS_PREFTabView::kTabCount; ++tab) {
    double stack = kPrefsGroupGap;
    if (kit::View* content = mTabView->contentView(static_cast<Quirel_CTRLS_PREFTabView::Tab>(tab)))
      for (const kit::View* group : content->subviews()) stack += group->frame().size.height + kPrefsGroupGap;
    needed = std::max(needed, stack);
  }
  const double tabHeight = std::max(kPrefsTabHeight, needed + header + kPrefsGroupGap);
  mWindow->setContentSize(fnd::Size(width, kPrefsTabY + tabHeight));
  mTabView->getTabView()->setFrame(fnd::Rect(0, kPrefsTabY, width, tabHeight));
  const double buttonWidth = std::max(prefsTitleWidth(mOkBtn->getPushBT()), prefsTitleWidth(mCancelBtn->getPushBT())) + 20;
  mOkBtn->setPushBTRect(width - 10 - buttonWidth, 10, buttonWidth, kPrefsButtonHeight);
  mCancelBtn->setPushBTRect(width - 10 - 2 * buttonWidth, 10, buttonWidth, kPrefsButtonHeight);
  setFramePreviewView();
  setFrameScanView();
  setFrameColorView();
  setFrameScannerView();
  setFrameSaveView();
  mWindow->contentView()->setNeedsDisplay(true);
}

kit::TextField* Quirel_PrefsDialog::focusedTextField() const {
  if (!mWindow) return nullptr;
  return dynamic_cast<kit::TextField*>(mWindow->firstResponder());
}

void Quirel_PrefsDialog::PreferenceOkClose() {
  if (!mCanClose) {
    mCanClose = true;
    return;
  }
  if (kit::TextField* field = focusedTextField()) {
    bool passed = true;
    if (mGammaTextF && field == mGammaTextF->getNumberField()) {
      if (field->isEnabled()) passed = MonitorGanmaChange();
    } else if (mFilenameTextF && field == mFilenameTextF->getTitle()) {
      passed = FileNameChange();
    } else if (mOffTimeTxtF && field == mOffTimeTxtF->getNumberField()) {
      if (field->isEnabled()) passed = LampOffTimeChange();
    }
    if (!passed) {
      mCanClose = true;
      return;
    }
  }
  closePreferenceDialogWithCloseCode(1, true, false, 0);
}

void Quirel_PrefsDialog::PreferenceCancelClose() { closePreferenceDialogWithCloseCode(0, false, false, 0); }

void Quirel_PrefsDialog::closePreferenceDialogWithCloseCode(int code, bool ok, bool error, int errorType) {
  mOkClose = ok;
  mError = error;
  mErrorType = errorType;
  mCloseFlg = true;
  kit::Application::shared().stopModalWithCode(code);
}

// --- The pending-edit guard

void Quirel_PrefsDialog::controlTextDidChange(kit::TextField& field) {
  if (!mTempPrefs) return;
  if (mGammaTextF && &field == mGammaTextF->getNumberField()) {
    const double value = field.doubleValue();
    if (value < 0.1 || value > 10.0) mGammaTextF->getStepper()->setDoubleValue(value);
    setEnabledMouseDownOnControl(value == mTempPrefs->getMonitorGamma());
  } else if (mFilenameTextF && &field == mFilenameTextF->getTitle()) {
    std::string name = field.stringValue();
    // A path separator would leave the save folder, like the old separator ":".
    bool replaced = false;
    for (char& c : name)
      if (c == ':' || c == '/') {
        c = '-';
        replaced = true;
      }
    if (replaced) field.setStringValue(name);
    setEnabledMouseDownOnControl(name == mTempPrefs->getSaveName().value_or(""));
  } else if (mOffTimeTxtF && &field == mOffTimeTxtF->getNumberField()) {
    const int value = field.intValue();
    if (value < 4 || value > 56) mOffTimeTxtF->getStepper()->setDoubleValue(value);
    setEnabledMouseDownOnControl(value == mTempPrefs->getLampTime());
  }
}

bool Quirel_PrefsDialog::tabHoldsTextField(int position) const {
  if (launcherMode()) return position == 2 || position == 3 || position == 4;
  if (mScannerInfo && mScannerInfo->isVer1400Later()) return position == 0 || position == 3;
  return position == 2 || position == 3;
}

void Quirel_PrefsDialog::enterTextFByOtherControls() {
  if (!mTabView || !tabHoldsTextField(mTabView->getTabView()->indexOfSelectedTabViewItem())) return;
  kit::TextField* field = focusedTextField();
  if (!field) return;
  bool passed = true;
  if (mGammaTextF && field == mGammaTextF->getNumberField())
    passed = MonitorGanmaChange();
  else if (mFilenameTextF && field == mFilenameTextF->getTitle())
    passed = FileNameChange();
  else if (mOffTimeTxtF && field == mOffTimeTxtF->getNumberField())
    passed = LampOffTimeChange();
  else
    return;
  if (passed)
    setEnabledMouseDownOnControl(true);
  else
    mWindow->makeFirstResponder(field);
  mCanClose = true;
}

void Quirel_PrefsDialog::setEnabledMouseDownOnControl(bool on) {
  auto button = [on](const auto& wrapper) {
    if (wrapper) wrapper->getPushBT()->setDownOnOff(on);
  };
  auto box = [on](const auto& wrapper) {
    if (wrapper) wrapper->getCheckBox()->setDownOnOff(on);
  };
  if (mColorSetRadio)
    for (Quirel_NoFocusRadioButton* r :
         {mColorSetRadio->getRecommend(), mColorSetRadio->getColorSync(), mColorSetRadio->getNone()})
      if (r) r->setDownOnOff(on);
  box(mAutoToneCbx);
  if (mGammaTextF) mGammaTextF->getStepper()->setDownOnOff(on);
  button(mGammaResetBtn);
  if (mOffTimeTxtF) mOffTimeTxtF->getStepper()->setDownOnOff(on);
  button(mAutoPowerSettingBtn);
  box(mQuietModeCbx);
  button(mQuietModeSettingBtn);
  button(mTempFileBtn);
  button(mPlaySoundBtn);
  box(mPlaySoundCbx);
  button(mPlatenCalibrationBtn);
  button(mFilmCalibrationBtn);
  if (mCalibrationPopup) mCalibrationPopup->getPopupBT()->setMenuOnOff(on);
  button(mScanTestBtn);
  button(mSaveFileBtn);
  button(mOkBtn);
  button(mCancelBtn);
  if (mTabView) mTabView->getTabView()->setChangeOnOff(on);
}

// --- Helpers

std::string Quirel_PrefsDialog::roundDownForString(const std::string& text, int decimals) {
  if (decimals < 0) decimals = 0;
  char out[64];
  if (text.empty()) {
    std::snprintf(out, sizeof out, "%.*f", decimals, 0.0);
    return out;
  }
  std::string whole, fraction;
  bool negative = false;
  if (!prefsSplitDecimal(text, &whole, &fraction, &negative)) return "nan";
  // Cut in decimal digits, towards negative infinity.
  bool dropped = false;
  if (static_cast<int>(fraction.size()) > decimals) {
    for (std::size_t i = decimals; i < fraction.size(); ++i) dropped |= fraction[i] != '0';
    fraction.resize(decimals);
  }
  std::string digits = (whole.empty() ? "0" : whole) + "." + fraction;
  double value = std::strtod(digits.c_str(), nullptr);
  if (negative) value = -value - (dropped ? std::pow(10.0, -decimals) : 0.0);
  std::snprintf(out, sizeof out, "%.*f", decimals, static_cast<double>(static_cast<float>(value)));
  return out;
}

std::string Quirel_PrefsDialog::deleteLastSlashAtPath(const std::string& path) {
  if (path.size() > 1 && path.back() == '/') return path.substr(0, path.size() - 1);
  return path;
}

void Quirel_PrefsDialog::bringToFront() {
  if (mWindow && mWindow->isVisible()) mWindow->makeKeyAndOrderFront();
}

void Quirel_PrefsDialog::windowDidBecomeKey(kit::Window& window) {
  if (mShowOpenPanel) return;
  window.setLevel(kit::Application::shared().isActive() ? kLevel : kit::kNormalWindowLevel);
}

void Quirel_PrefsDialog::windowDidUpdate(kit::Window& window) {
  const bool active = kit::Application::shared().isActive();
  if (mShowOpenPanel)
    window.setLevel(active ? kit::kModalPanelWindowLevel - 1 : kit::kNormalWindowLevel);
  else
    window.setLevel(active ? kLevel : kit::kNormalWindowLevel);
}

// --- Group builders

void Quirel_PrefsDialog::placeRadio(Quirel_NoFocusView* view, Quirel_CTRLS_PREFRadioButton& radio,
                                    const std::string& title, const std::vector<std::string>& items, double height) {
  const double rows = static_cast<double>(items.size());
  if (!title.empty()) {
    radio.setTitleTxtTitle(title);
    radio.setTitleTxtRect(15, height - 29, 300, 18);
    view->addSubview(radio.getTitleTxt());
  }
  for (const std::string& item : items) radio.addItem(item);
  radio.setRadioBTRect(30, 6, 290, rows * 20);
  view->addSubview(radio.getRadioBT());
}

void Quirel_PrefsDialog::placeCheckBox(Quirel_NoFocusView* view, Quirel_CTRLS_CheckBox& box, const std::string& title,
                                       double x, double y) {
  box.setCheckBoxRect(x, y, 18, 18);
  box.setCheckBoxTitle(title);
  box.setCheckBoxTitleTxtRect(x + 20, y, 290 - x, 18);
  view->addSubview(box.getCheckBox());
  view->addSubview(box.getCheckBoxTitleTxt());
}

void Quirel_PrefsDialog::placeText(Quirel_NoFocusView* view, Quirel_CTRLS_PREFText& label, const std::string& title,
                                   double x, double y, double width) {
  label.setText(title, x, y, width, 18);
  // The caption sits on the tab's own background.
  label.getText()->setDrawsBackground(false);
  view->addSubview(label.getText());
}

void Quirel_PrefsDialog::placeButton(Quirel_NoFocusView* view, Quirel_CTRLS_PushButton& button,
                                     const std::string& title, double y, double minWidth) {
  button.setPushBTTitle(title);
  const double width = std::max(minWidth, prefsTitleWidth(button.getPushBT()));
  button.setPushBTRect(view->frame().size.width - 30 - width, y, width, 32);
  view->addSubview(button.getPushBT());
}

void Quirel_PrefsDialog::setTip(kit::View* view, bool enabled, const std::string& tip) {
  if (!view) return;
  if (enabled && view->toolTip().empty())
    view->setToolTip(tip);
  else if (!enabled && !view->toolTip().empty())
    view->setToolTip("");
}

void Quirel_PrefsDialog::setRadioTips(Quirel_CTRLS_PREFRadioButton* radio, const std::vector<std::string>& tips) {
  if (!radio) return;
  Quirel_NoFocusRadioButton* matrix = radio->getRadioBT();
  const bool enabled = matrix->isEnabled();
  for (int row = 0; row < matrix->numberOfRows() && row < static_cast<int>(tips.size()); ++row)
    matrix->setToolTip(enabled ? tips[row] : std::string(), row, 0);
}
