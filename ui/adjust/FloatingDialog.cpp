#include "ui/adjust/FloatingDialog.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "foundation/Value.h"
#include "kit/Box.h"
#include "kit/Font.h"
#include "kit/Image.h"
#include "kit/View.h"
#include "kit/Window.h"
#include "ui/base/PVLocalizedBundle.h"
#include "ui/base/PVLocalizedString.h"
#include "ui/controls/CTRLS_ChannelPopupBase.h"
#include "ui/controls/DisabledView.h"
#include "ui/controls/DlgBackgroundView.h"
#include "ui/controls/DlgImageView.h"
#include "ui/controls/ImageDataProcessPanel.h"
#include "ui/controls/NoFocusButton.h"
#include "ui/model/CropInfo.h"
#include "ui/model/UIScannerInfo.h"
#include "ui/windows/MessageFunctions.h"

std::string Quirel_FloatingDialog::codeName(Code code) {
  switch (code) {
    case Code::COLOR: return "COLOR";
    case Code::TONEBC: return "TONEBC";
    case Code::HIST: return "HIST";
    case Code::THRESHOLD: return "THRESHOLD";
    case Code::CURVE: return "CURVE";
    case Code::FINAL: return "FINAL";
    case Code::INFO: return "INFO";
    case Code::MAIN: return "MAIN";
  }
  return {};
}

Quirel_FloatingDialog::Quirel_FloatingDialog(Code own, std::vector<Code> watched, const CropList* crops,
                                             Quirel_CropInfo* templateCrop, const Quirel_UIScannerInfo* scannerInfo,
                                             kit::Window* parentWindow)
    : mCropList(crops),
      mTemplateCrop(templateCrop),
      mScannerInfo(scannerInfo),
      mParentWindow(parentWindow),
      mOwnCode(own),
      mWatched(std::move(watched)) {
  // The window controller names the localisation bundle ("getDSBundleLocalizePost").
  mLSobj = std::make_unique<Quirel_PVLocalizedString>(Quirel_PVLocalizedBundle::askWindowController(this));
}

Quirel_FloatingDialog::~Quirel_FloatingDialog() {
  mTokens.clear();
  if (mWindow) {
    mWindow->setDelegate(nullptr);
    mWindow->orderOut();
  }
}

bool Quirel_FloatingDialog::isVisible() const { return mWindow && mWindow->isVisible(); }

std::string Quirel_FloatingDialog::localized(const std::string& key, const std::string& table) const {
  return mLSobj ? mLSobj->ls_localizedStringForKey(key, table).value_or(key) : key;
}

std::string Quirel_FloatingDialog::getFileName(const std::string& name) {
  return kit::Image::pathForName(name, kPictureFolder);
}

std::string Quirel_FloatingDialog::roundDownForString(const std::string& text, int digits) {
  digits = std::max(0, digits);
  char format[16];
  std::snprintf(format, sizeof format, "%%.%df", digits);
  char out[64];
  if (text.empty()) {
    std::snprintf(out, sizeof out, format, 0.0);
    return out;
  }
  // A plain decimal number only: optional sign, digits, optional fraction.
  std::size_t i = 0;
  bool negative = false;
  if (text[i] == '+' || text[i] == '-') negative = text[i++] == '-';
  std::string whole, fraction;
  while (i < text.size() && std::isdigit(static_cast<unsigned char>(text[i]))) whole += text[i++];
  if (i < text.size() && text[i] == '.') {
    ++i;
    while (i < text.size() && std::isdigit(static_cast<unsigned char>(text[i]))) fraction += text[i++];
  }
  if (i != text.size() || (whole.empty() && fraction.empty()) || whole.size() > 30) return "nan";
  // Rounded down on the decimal digits themselves: no binary error moves a value over a step.
  const std::string kept = fraction.substr(0, std::min<std::size_t>(fraction.size(), digits));
  const bool dropped = fraction.find_first_not_of('0', kept.size()) != std::string::npos;
  std::string digitsText = (whole.empty() ? "0" : whole) + (kept.empty() ? "" : "." + kept);
  double value = std::strtod(digitsText.c_str(), nullptr);
  if (negative && dropped) value += std::pow(10.0, -digits);  // down is away from zero below 0
  if (negative) value = -value;
  const float single = static_cast<float>(value);
  std::snprintf(out, sizeof out, format, static_cast<double>(single));
  return out;
}

// --- window

void Quirel_FloatingDialog::createPanel(fnd::Size contentSize, const std::string& titleKey, bool setTitle) {
  unsigned style = kit::kTitledWindowMask | kit::kClosableWindowMask | kit::kUtilityWindowMask;
  const bool v1400 = mScannerInfo && mScannerInfo->isVer1400Later();
  const bool v1900 = mScannerInfo && mScannerInfo->isVer1900Later();
  if (v1400 && !v1900 && !mOlderLayout) style |= kit::kResizableWindowMask;
  mWindow = std::make_unique<Quirel_ImageDataProcessPanel>(fnd::Rect(0, 0, contentSize.width, contentSize.height), style);
  if (setTitle) mWindow->setTitle(localized(titleKey));
  mWindow->setEnabled(true);
  mWindow->setAcceptsMouseMovedEvents(true);
  mWindow->setFloatingPanel(true);
  mWindow->setDelegate(this);
  floatingDialogLevelChange();
  // Without zoom and miniaturise in the style the panel shows neither button on any model.
}

void Quirel_FloatingDialog::storeContentHeights() {
  const double h = mWindow ? mWindow->contentRectSize().height : 0;
  mContentHeight_Open = h;
  mContentHeight_Close = h;
  mContentHeight_Hidden = 0;
}

void Quirel_FloatingDialog::floatingDialogLevelChange() {
  if (mWindow) mWindow->setLevel(mParentWindow ? mParentWindow->level() + 1 : 10);
}

void Quirel_FloatingDialog::showWindow() {
  if (mWindow && !mWindow->isVisible()) mWindow->makeKeyAndOrderFront();
}

void Quirel_FloatingDialog::close() {
  if (mWindow) mWindow->close();
}

void Quirel_FloatingDialog::bringToFrontAsKey() {
  if (mWindow) mWindow->makeKeyAndOrderFront();
}

void Quirel_FloatingDialog::setContentState(int state) {
  mContentState = state;
  if (!mWindow) return;
  const double height = state == kHidden ? mContentHeight_Hidden : state == kClosed ? mContentHeight_Close : mContentHeight_Open;
  const fnd::Rect old = mWindow->frame();
  const fnd::Rect content(old.origin.x, old.origin.y, mWindow->contentRectSize().width, height);
  fnd::Rect frame = mWindow->frameRectForContentRect(content);
  // The top edge stays where it is.
  frame.origin.x = old.origin.x;
  frame.origin.y = old.origin.y + old.size.height - frame.size.height;
  mWindow->setFrame(frame, true);
}

bool Quirel_FloatingDialog::windowShouldZoom(kit::Window&, const fnd::Rect&) {
  if (mScannerInfo && mScannerInfo->isVer1400Later()) setContentState(mContentState == kHidden ? kOpen : kHidden);
  return false;
}

fnd::Size Quirel_FloatingDialog::windowWillResize(kit::Window& window, fnd::Size) { return window.frame().size; }

void Quirel_FloatingDialog::setEnabledAllControl(bool enabled) {
  setControlsEnabled(enabled);
  if (mWindow) {
    kit::View* content = mWindow->contentView();
    if (!enabled && !mDisabledView && content) {
      mDisabledView = std::make_unique<Quirel_DisabledView>(content->frame());
      mDisabledView->setAlphaComponent(0.2f);
      content->addSubview(mDisabledView.get());
    } else if (enabled && mDisabledView) {
      mDisabledView->removeFromSuperview();
      mDisabledView.reset();
    }
  }
  setEnabledToolTips();
  if (mWindow) {
    if (mWindow->contentView()) mWindow->contentView()->setNeedsDisplay(true);
    mWindow->setBecomesKeyOnlyIfNeeded(!enabled);
    mWindow->setEnabled(enabled);
  }
}

// --- notifications

void Quirel_FloatingDialog::observe(const std::string& name, const void* sender, std::function<void()> handler) {
  mTokens.push_back(fnd::NotificationCenter::defaultCenter().observe(
      name, sender, [h = std::move(handler)](const fnd::Notification&) { h(); }));
}

void Quirel_FloatingDialog::post(const std::string& name) const {
  fnd::NotificationCenter::defaultCenter().post(name, this);
}

void Quirel_FloatingDialog::postRemakeRequest() const {
  fnd::SharedDictionary info = fnd::makeShared();
  info->set("Module", fnd::Value(kRemakeModule));
  fnd::NotificationCenter::defaultCenter().post(kRemakePost, this, info);
}

void Quirel_FloatingDialog::showValueMessage() const {
  const std::string own = codeName(mOwnCode);
  post("DLG_NOT_KEY_FROM_" + own);
  post(kShowErrorPost);
  MES_ShowMessageAndNumberMainThreadMode(kValueMessage, 0, 0, 0);
  post(kCloseErrorPost);
  post("DLG_BECOME_KEY_FROM_" + own);
}

void Quirel_FloatingDialog::registerSyncObservers() {
  for (Code other : mWatched) {
    const std::string x = codeName(other);
    observe(x + "_CHG_TO_DLG", nullptr, [this, other] { otherChanging(other); });
    observe(x + "_VALUE_FIX", nullptr, [this, other] { otherValueFixChanging(other); });
    observe(x + "_FIX_TO_DLG", nullptr, [this, other] { otherFix(other); });
    observe("DLG_NOT_KEY_FROM_" + x, nullptr, [this] { keyBecomeNo(); });
    observe("DLG_BECOME_KEY_FROM_" + x, nullptr, [this] { keyBecomeYes(); });
  }
  observe("MAIN_CHG_TO_DLG", nullptr, [this] { mainChanging(); });
  observe("MAIN_FIX_TO_DLG", nullptr, [this] { mainFix(); });
  observe("DLG_NOT_KEY_FROM_MAIN", nullptr, [this] { keyBecomeNo(); });
  observe("DLG_BECOME_KEY_FROM_MAIN", nullptr, [this] { keyBecomeYes(); });
  observe(kControlSetYesPost, nullptr, [this] { controlSetYes(); });
  observe(kControlYesPost, nullptr, [this] { controlSetYes(); });
  observe(kLevelChangePost, nullptr, [this] { floatingDialogLevelChange(); });
}

void Quirel_FloatingDialog::registerTakeBackObservers(const std::vector<Code>& fromDialogs,
                                                      const std::vector<Code>& fixFrom) {
  const std::string x = codeName(mOwnCode);
  for (Code y : fromDialogs) observe(x + "_MAKEKEY_FROM_" + codeName(y), nullptr, [this] { makeKeyFromDialog(); });
  observe(x + "_MAKEKEY_FROM_MAIN", nullptr, [this] { makeKeyFromMainWindow(); });
  for (Code y : fixFrom) observe(x + "_VALUE_FIX_FROM_" + codeName(y), nullptr, [this] { valueFixes(); });
}

// --- edit-state answers

bool* Quirel_FloatingDialog::changeFlagOf(Code other) {
  switch (other) {
    case Code::TONEBC: return &mToneBCChgFlg;
    case Code::HIST: return &mHistChgFlg;
    case Code::COLOR: return &mColorChgFlg;
    default: return nullptr;
  }
}

bool* Quirel_FloatingDialog::fixFlagOf(Code other) {
  switch (other) {
    case Code::TONEBC: return &mToneBCFixFlg;
    case Code::HIST: return &mHistFixFlg;
    case Code::COLOR: return &mColorFixFlg;
    default: return nullptr;
  }
}

bool Quirel_FloatingDialog::changeFlag(Code other) const {
  switch (other) {
    case Code::TONEBC: return mToneBCChgFlg;
    case Code::HIST: return mHistChgFlg;
    case Code::COLOR: return mColorChgFlg;
    default: return false;
  }
}

bool Quirel_FloatingDialog::fixFlag(Code other) const {
  switch (other) {
    case Code::TONEBC: return mToneBCFixFlg;
    case Code::HIST: return mHistFixFlg;
    case Code::COLOR: return mColorFixFlg;
    default: return false;
  }
}

void Quirel_FloatingDialog::otherChanging(Code other) {
  if (bool* c = changeFlagOf(other)) *c = true;
  if (bool* f = fixFlagOf(other)) *f = false;
  mCloseOKFlg = false;
  setControlsTakePresses(false);
  if (mWindow) mWindow->setTitleDownOnOff(false);
}

void Quirel_FloatingDialog::otherValueFixChanging(Code other) {
  if (bool* c = changeFlagOf(other)) *c = false;
  if (bool* f = fixFlagOf(other)) *f = true;
  mCloseOKFlg = true;
  setControlsTakePresses(true);
  if (mWindow) mWindow->setTitleDownOnOff(false);
}

void Quirel_FloatingDialog::otherFix(Code other) {
  if (bool* c = changeFlagOf(other)) *c = false;
  if (bool* f = fixFlagOf(other)) *f = false;
  if (mWindow) mWindow->setTitleDownOnOff(true);
}

void Quirel_FloatingDialog::controlSetYes() {
  mCloseOKFlg = true;
  setControlsTakePresses(true);
}

void Quirel_FloatingDialog::mainChanging() {
  mCloseOKFlg = false;
  mainChangingControls();
  if (mWindow) mWindow->setTitleDownOnOff(false);
}

void Quirel_FloatingDialog::mainFix() {
  if (mWindow) mWindow->setTitleDownOnOff(true);
}

void Quirel_FloatingDialog::keyBecomeYes() {
  if (mWindow) mWindow->setBecomesKeyOnlyIfNeeded(false);
}

void Quirel_FloatingDialog::keyBecomeNo() {
  if (mWindow) mWindow->setBecomesKeyOnlyIfNeeded(true);
}

// --- key and close

void Quirel_FloatingDialog::postTakeBack(bool withControlSetYes) {
  static constexpr Code kOrder[] = {Code::TONEBC, Code::HIST, Code::COLOR};
  const std::string own = codeName(mOwnCode);
  for (Code x : kOrder) {
    bool* c = changeFlagOf(x);
    if (!c || !*c) continue;
    mToneBCChgFlg = mHistChgFlg = mColorChgFlg = false;
    post(codeName(x) + "_MAKEKEY_FROM_" + own);
    if (withControlSetYes) post(kControlSetYesPost);
    break;
  }
  mToneBCChgFlg = mHistChgFlg = mColorChgFlg = false;
}

void Quirel_FloatingDialog::postValueFixes() {
  static constexpr Code kOrder[] = {Code::TONEBC, Code::HIST, Code::COLOR};
  const std::string own = codeName(mOwnCode);
  for (Code x : kOrder) {
    bool* f = fixFlagOf(x);
    if (!f || !*f) continue;
    *f = false;
    post(codeName(x) + "_VALUE_FIX_FROM_" + own);
  }
}

void Quirel_FloatingDialog::windowDidBecomeKey(kit::Window&) {
  postTakeBack(false);
  postValueFixes();
  post(kMainMakeKeyPost);
  refreshAfterBecomingKey();
}

bool Quirel_FloatingDialog::windowShouldClose(kit::Window&) {
  postValueFixes();
  if (mCloseOKFlg) {
    beforeCloseGranted();
    return true;
  }
  mCloseOKFlg = true;
  postTakeBack(true);
  post(kMainMakeKeyPost);
  return false;
}

void Quirel_FloatingDialog::postDialogValueChange(bool isUpdateCropValue) {
  if (!(mScannerInfo && mScannerInfo->isVer1700Later()) || isUpdateCropValue) post(kDialogValueChangePost);
}

void Quirel_FloatingDialog::postFinishedEdit(bool& pending, bool refreshFinalReview) {
  if (!pending) return;
  pending = false;
  if (refreshFinalReview) post(kFinalUpdatePost);
  postDialogValueChange(false);
  postRemakeCropFromCorrection();
}

std::vector<Quirel_CropInfo*> Quirel_FloatingDialog::targetCrops() const {
  std::vector<Quirel_CropInfo*> out;
  if (mCropList && !mCropList->empty()) {
    for (auto it = mCropList->rbegin(); it != mCropList->rend(); ++it)
      if (*it && (*it)->isSelected()) out.push_back(it->get());
  } else if (mTemplateCrop) {
    out.push_back(mTemplateCrop);
  }
  return out;
}

Quirel_NoFocusButton* Quirel_FloatingDialog::addPushButton(kit::View* parent, const char* key, const fnd::Rect& frame,
                                                          const kit::Font& font, std::function<void()> action) const {
  auto b = std::make_unique<Quirel_NoFocusButton>(frame);
  b->setTitle(localized(key));
  b->setButtonType(kit::ButtonType::MomentaryPushIn);
  b->setBezelStyle(kit::BezelStyle::Rounded);
  b->setFont(font);
  b->setAction(std::move(action));
  return static_cast<Quirel_NoFocusButton*>(parent->addSubview(std::move(b)));
}

double Quirel_FloatingDialog::columnX(double width) { return width > 220 ? std::floor((width - 220) / 2) : 0; }

Quirel_DlgBackgroundView* Quirel_FloatingDialog::installBackgroundViews(fnd::Size size, const fnd::Rect& frame,
                                                                       Quirel_DlgBackgroundView*& content) {
  auto top = std::make_unique<Quirel_DlgBackgroundView>(fnd::Rect(0, 0, size.width, size.height));
  content = top.get();
  mWindow->setContentView(std::move(top));
  return static_cast<Quirel_DlgBackgroundView*>(content->addSubview(std::make_unique<Quirel_DlgBackgroundView>(frame)));
}

Quirel_DlgImageView* Quirel_FloatingDialog::addPicture(kit::View* parent, const fnd::Rect& frame, const std::string& name,
                                                     kit::ImageScaling scaling) {
  auto view = std::make_unique<Quirel_DlgImageView>(frame);
  view->setImage(kit::Image::fromFile(getFileName(name)));
  view->setImageScaling(scaling);
  return static_cast<Quirel_DlgImageView*>(parent->addSubview(std::move(view)));
}

void Quirel_FloatingDialog::addColorChannelItems(Quirel_CTRLS_ChannelPopupBase& popup) const {
  const bool v1400 = mScannerInfo && mScannerInfo->isVer1400Later() && !mOlderLayout;
  popup.addPopupItem(localized("IDS_MASTER"));
  popup.addPopupItem(localized(v1400 ? "IDC_PGCB_RED_STR" : "IDMAC_RED"));
  popup.addPopupItem(localized(v1400 ? "IDC_PGCB_GREEN_STR" : "IDMAC_GREEN"));
  popup.addPopupItem(localized(v1400 ? "IDC_PGCB_BLUE_STR" : "IDMAC_BLUE"));
}

void Quirel_FloatingDialog::addSeparator(kit::View* parent, const fnd::Rect& frame) {
  auto separator = std::make_unique<kit::Box>(frame);
  separator->setBoxType(kit::BoxType::Separator);
  parent->addSubview(std::move(separator));
}

void Quirel_FloatingDialog::postRemakeCropFromCorrection() {
  if (mScannerInfo && mScannerInfo->isVer1700Later()) {
    if (!mNeedRemakeCropCorrection) return;
    mNeedRemakeCropCorrection = false;
  }
  postRemakeRequest();
  post(kDrawHistogramPost);
  bringToFrontAsKey();
}
