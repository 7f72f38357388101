#include "ui/modes/advanced/ExtendMode.h"

#include "ui/modes/advanced/ExtendModeControls.h"

#include "ui/adjust/ColorBalanceDialog.h"
#include "ui/adjust/FinalReviewDialog.h"
#include "ui/adjust/HistogramDialog.h"
#include "ui/adjust/ThresholdDialog.h"
#include "ui/adjust/ToneBCDialog.h"
#include "ui/adjust/ToneCurveDialog.h"
#include "ui/adjust/ToneSettingDialog.h"
#include "ui/base/PVLocalizedString.h"
#include "ui/controls/CTRLS_ColorModePopup.h"
#include "ui/controls/CTRLS_FilmSizePopup.h"
#include "ui/controls/CTRLS_MainWindow.h"
#include "ui/controls/CTRLS_PaperSizePopup.h"
#include "ui/controls/CTRLS_PopupButton.h"
#include "ui/controls/MainWindow.h"
#include "ui/model/CropInfo.h"
#include "ui/model/UIScannerInfo.h"
#include "ui/settings/FavoriteDialog.h"
#include "ui/settings/PrefsDialog.h"
#include "ui/settings/InfoDialog.h"
#include "ui/windows/CheckBoxDialog.h"
#include "ui/windows/MessagePort.h"
#include "kit/Window.h"

Quirel_ExtendMode::Quirel_ExtendMode(fnd::NotificationCenter& center) : Quirel_BaseScanMode(center) {
  mUIMode = 1;
  initExtendModeItem();
  // The dialogs are made later, when first needed; the records start zero-filled.
  mFavorite = 0;
  mToneCurve = 0;
  mImageSource = 0;
  mFilmSizeWithoutCaps = 21;
  mImgSrcSetting.fill(ImgSrcSetting{});
  mADFLayout = false;
  mScanLoop = false;
  mSelectAllThumbnail = false;
  befAdjust24 = nullptr;
  mDoublePreview = false;
}

Quirel_ExtendMode::~Quirel_ExtendMode() {
  // No forwarder may run on a control that is going away.
  mCenter.removeObserver(static_cast<const void*>(static_cast<Quirel_BaseScanMode*>(this)));
  releaseExtendModeItem();
  mFavoriteDialog.reset();
  mToneSettingDialog.reset();
  mOrientationDlg.reset();
  mColorBalanceDialog.reset();
  mToneBCDialog.reset();
  mHistogramDialog.reset();
  mToneCurveDialog.reset();
  mFinalReviewDialog.reset();
  mThresholdDialog.reset();
  mInfoDialog.reset();
}

// ---- records ---------------------------------------------------------------------------------

Quirel_ExtendMode::ImgSrcSetting* Quirel_ExtendMode::getImgSrcSettingAtIndex(int imageSource) {
  switch (imageSource) {
    case 0:
      return &mImgSrcSetting[0];
    case 1: case 2: case 3: case 4:
      return &mImgSrcSetting[1];
    case 5: case 6:
      return &mImgSrcSetting[2];
    default:
      return nullptr;
  }
}

void Quirel_ExtendMode::updateImageSettingFromImageSouceSetting(const ImgSrcSetting& r, Quirel_CropInfo& crop) {
  crop.setColorAdjust(r.colorAdjust);
  crop.setCopyGamma(r.copyGamma);
  crop.setUnsharpMask(r.unsharpMask);
  crop.setDescreen(r.descreen);
  crop.setReduceDust(r.reduceDust);
  crop.setRemoveDust(r.removeDust);
  crop.setReduceDustFAU(r.reduceDustFAU);
  crop.setFadingCorrect(r.fading);
  crop.setGrainCorrect(r.grain);
  crop.setBackLightCorrect(r.backlight);
  crop.setBookCorrect(r.book);
  crop.setAutoDocCorrect(0);
}

int Quirel_ExtendMode::getCurrentColorMode() const {
  const int record = mImageSource == 0 ? 0 : mImageSource <= 4 ? 1 : 2;
  return mImgSrcSetting[record].colorMode[colorModeSlot(mImageSource)];
}

void Quirel_ExtendMode::setCurrentColorMode(int colorMode) {
  if (ImgSrcSetting* r = getImgSrcSettingAtIndex(mImageSource)) r->colorMode[colorModeSlot(mImageSource)] = colorMode;
}

void Quirel_ExtendMode::setImageSource(int imageSource) {
  if (imageSource >= 0 && imageSource < kImageSourceCount) mImageSource = imageSource;
}

// ---- messages --------------------------------------------------------------------------------

namespace {

// Runs `show` inside the bracket that lets the floating dialogs give up and retake the key
// state around a box over the main window.
template <typename Show>
std::int32_t extBracketed(Quirel_ExtendMode& mode, fnd::NotificationCenter& center, const void* self,
                          Quirel_CTRLS_MainWindow* window, Show show) {
  center.post("DLG_NOT_KEY_FROM_MAIN", self);
  mode.showModalDialog();
  const std::int32_t answer = show();
  mode.closeModalDialog();
  if (window && window->getWindow()) window->getWindow()->makeKeyWindow();
  center.post("DLG_BECOME_KEY_FROM_MAIN", self);
  return answer;
}

}  // namespace

std::int32_t Quirel_ExtendMode::showMessage(std::int32_t messageNumber) {
  return extBracketed(*this, mCenter, selfIdentity(), mMainWindow.get(),
                      [&] { return Quirel_MessagePort::show(messageNumber, 0, 0, 0); });
}

std::int32_t Quirel_ExtendMode::showMessage(std::int32_t messageNumber, int bound) {
  return extBracketed(*this, mCenter, selfIdentity(), mMainWindow.get(), [&] {
    return Quirel_MessagePort::show(messageNumber, "%d", fnd::Array{fnd::Value(static_cast<long long>(bound))});
  });
}

std::int32_t Quirel_ExtendMode::showMessage(std::int32_t messageNumber, const char* argTypes, const fnd::Array& args) {
  return extBracketed(*this, mCenter, selfIdentity(), mMainWindow.get(),
                      [&] { return Quirel_MessagePort::show(messageNumber, std::string(argTypes), args); });
}

std::int32_t Quirel_ExtendMode::showCheckBoxQuestion(std::int32_t messageNumber, bool* checked) {
  return extBracketed(*this, mCenter, selfIdentity(), mMainWindow.get(), [&] {
    auto dialog = Quirel_CheckBoxDialog::initWithMessageID(messageNumber, Quirel_CheckBoxDialog::kFocusOK);
    const std::int32_t answer = dialog ? dialog->runModal() : 0;
    if (checked) *checked = dialog && dialog->isChecked();
    return answer;
  });
}

void Quirel_ExtendMode::showModalDialog() { mModal = true; }

void Quirel_ExtendMode::closeModalDialog() {
  mModal = false;
  if (mMainWindow && mMainWindow->getWindow()) mMainWindow->getWindow()->makeKeyAndOrderFront();
}

// ---- what the model reads ----------------------------------------------------------------------

int Quirel_ExtendMode::getImgSrcNumber() { return mImgSrcPopup ? mImgSrcPopup->getRepresentedNumber() : mImageSource; }

int Quirel_ExtendMode::getColorModeNumber() {
  return mColorModePopup ? mColorModePopup->getRepresentedNumber() : getCurrentColorMode();
}

int Quirel_ExtendMode::getPaperSizeNumber() {
  if (mPaperSizePopup) return mPaperSizePopup->getRepresentedNumber();
  return mTemplateCrop ? mTemplateCrop->getPaperSize() : 0;
}

int Quirel_ExtendMode::getFilmSizeNumber() {
  if (mFilmSizePopup) return mFilmSizePopup->getRepresentedNumber();
  return mFilmSizeWithoutCaps;
}

int Quirel_ExtendMode::getSelectedPaperSize() {
  const ImgSrcSetting* r = getImgSrcSettingAtIndex(mImageSource);
  return r ? r->paperSize : 0;
}

// ---- forwarders ------------------------------------------------------------------------------

const std::vector<Quirel_ExtendMode::ForwarderEntry>& Quirel_ExtendMode::forwarderTable() {
#define QUIREL_EXTEND_FORWARDER_ENTRY(name) ForwarderEntry{#name, &Quirel_ExtendMode::ntf_##name},
  static const std::vector<ForwarderEntry> table = {
      QUIREL_EXTEND_MODE_ACTIONS(QUIREL_EXTEND_FORWARDER_ENTRY)
      ForwarderEntry{"enterTextFByOtherControls", &Quirel_ExtendMode::ntf_enterTextFByOtherControls}};
#undef QUIREL_EXTEND_FORWARDER_ENTRY
  return table;
}

Quirel_ExtendMode::Forwarder Quirel_ExtendMode::forwarderNamed(const std::string& name) {
  for (const ForwarderEntry& e : forwarderTable()) {
    if (name == e.name) return e.forwarder;
  }
  return nullptr;
}

void Quirel_ExtendMode::registForwarder(const void* object, Forwarder forwarder, const std::string& name) {
  if (!object || !forwarder) return;
  registObserver(object, [this, forwarder](const fnd::Notification& n) { (this->*forwarder)(n); }, name);
}

// ---- helpers ---------------------------------------------------------------------------------

const fnd::Dictionary* Quirel_ExtendMode::extendModeEntry() const {
  if (!mUimParameterDic) return nullptr;
  const fnd::Value* v = mUimParameterDic->find(kParameterKey);
  return v && v->isDictionary() ? &v->toDictionary() : nullptr;
}

std::string Quirel_ExtendMode::uiText(const std::string& key) const {
  if (!mLSobj) return key;
  return mLSobj->ls_localizedStringForKey(key, "UserInterface").value_or(key);
}

std::string Quirel_ExtendMode::tipText(const std::string& key) const {
  if (!mLSobj) return key;
  return mLSobj->ls_localizedStringForKey(key, "ToolTips").value_or(key);
}

bool Quirel_ExtendMode::ver(bool (Quirel_UIScannerInfo::*flag)() const) const {
  return mScannerInfo && (mScannerInfo.get()->*flag)();
}
