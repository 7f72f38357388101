#include "ui/modes/multiscan/MultiScanMode.h"

#include <new>

#include "kit/Window.h"
#include "ui/base/PVLocalizedString.h"
#include "ui/base/PostNotification.h"
#include "ui/controls/CTRLS_CheckBox.h"
#include "ui/controls/CTRLS_MSDestinationView.h"
#include "ui/controls/CTRLS_MSHelpButton.h"
#include "ui/controls/CTRLS_MSHowToPutButton.h"
#include "ui/controls/CTRLS_MSImageSourceView.h"
#include "ui/controls/CTRLS_MSScanButton.h"
#include "ui/controls/CTRLS_MSScanSettingTitle.h"
#include "ui/controls/CTRLS_MainWindow.h"
#include "ui/controls/CTRLS_PopupButton.h"
#include "ui/controls/CTRLS_PreviewFrame.h"
#include "ui/controls/CTRLS_PushButton.h"
#include "ui/controls/CTRLS_Separator.h"
#include "ui/controls/DisabledView.h"
#include "ui/controls/NoFocusImageView.h"
#include "ui/controls/NoFocusView.h"
#include "ui/model/PreferenceInfo.h"
#include "ui/model/ProfileCMList.h"
#include "ui/model/SM_COMMON/ScanDic/ScanDic.h"
#include "ui/model/SettingToSM.h"
#include "ui/model/UIScannerInfo.h"
#include "ui/modes/base/BaseScanMode.h"
#include "ui/modes/toolbar/Toolbar.h"

namespace {

constexpr const char* kMsSetStandardModeIDPost = "setStandardModeIDPost";
constexpr const char* kMsScanSettingFromAutoPost = "scanSettingFromAutoPost";
constexpr const char* kMsScanSettingFromMultiPost = "scanSettingFromMultiPost";

// Reads an integer or a boolean of a settings dictionary; a missing key reads 0.
long long msReadNumber(const fnd::Dictionary* d, const char* key) {
  const fnd::Value* v = d ? d->find(key) : nullptr;
  return v ? v->toInteger() : 0;
}

// The "DefaultValue" of a sub-entry of the model's parameters, when there is one.
std::optional<long long> msDefaultValue(const fnd::Dictionary* entry, const char* key) {
  const fnd::Value* sub = entry ? entry->find(key) : nullptr;
  if (!sub || !sub->isDictionary()) return std::nullopt;
  const fnd::Value* v = sub->toDictionary().find("DefaultValue");
  if (!v) return std::nullopt;
  return v->toInteger();
}

}  // namespace

Quirel_MultiScanMode::Quirel_MultiScanMode(fnd::NotificationCenter& center) : mCenter(center) {
  initMultiScanModeItem();
  const void* self = selfIdentity();
  mCenter.addObserver(self, kResultShowStatusPost, nullptr,
                      [this](const fnd::Notification& n) { setResultShowStatus(n); });
  mCenter.addObserver(self, kResultCloseStatusPost, nullptr,
                      [this](const fnd::Notification& n) { setResultCloseStatus(n); });
}

Quirel_MultiScanMode::~Quirel_MultiScanMode() {
  mCenter.removeObserver(selfIdentity());
  if (mDisabledView) mDisabledView->removeFromSuperview();
  if (mWindowMaskView) mWindowMaskView->removeFromSuperview();
  releaseMultiScanModeItem();
}

void Quirel_MultiScanMode::setUimParameterDic(const fnd::Dictionary* parameters) {
  if (parameters) mUimParameterDic = *parameters;
}

bool Quirel_MultiScanMode::isVer1400() const { return mScannerInfo && mScannerInfo->isVer1400Later(); }

bool Quirel_MultiScanMode::hasTwoSidedADF() const {
  return mScannerInfo && mScannerInfo->isADF() && mScannerInfo->isTwoSidedADF();
}

bool Quirel_MultiScanMode::hasRecommendedProc() const {
  return mScannerInfo && mScannerInfo->recommendedImageProc();
}

std::string Quirel_MultiScanMode::localized(const std::string& key, const char* table) const {
  std::optional<std::string> text = mLSobj ? mLSobj->ls_localizedStringForKey(key, table) : std::nullopt;
  return text ? *text : key;
}

void Quirel_MultiScanMode::registObserver(const void* object, Handler handler, const std::string& name) {
  mCenter.addObserver(selfIdentity(), name, object, std::move(handler));
}

int Quirel_MultiScanMode::getImgSrcNumber() { return mImgSrcPopup ? mImgSrcPopup->getRepresentedNumber() : 0; }

int Quirel_MultiScanMode::getDstNumber() { return mDstPopup ? mDstPopup->getRepresentedNumber() : 0; }

// ---- Image sources and pictures -------------------------------------------------------------

int Quirel_MultiScanMode::inputSourceForImageSource(int imageSource) {
  switch (imageSource) {
    case 5: return 3;
    case 6: return 4;
    default: return 0;
  }
}

int Quirel_MultiScanMode::destinationPictureNumber(int imageSource, int destination) {
  int picture = 0;
  switch (destination) {
    case 1: picture = 2; break;
    case 2: picture = 4; break;
    case 3: picture = 6; break;
    default: break;
  }
  if (imageSource == 1 || imageSource == 2 || imageSource == 4) picture += 1;
  return picture;
}

void Quirel_MultiScanMode::changeImage(int imageSource, int destination) {
  if (!mImgSrcView || !mDstView) return;
  mImgSrcView->changeImage(imageSource);
  mDstView->changeImage(destinationPictureNumber(imageSource, destination));
}

void Quirel_MultiScanMode::inputSourceChangePostToSM() {
  Quirel_PostNotification poster(mCenter);
  auto info = std::make_shared<fnd::Dictionary>();
  info->set("InputSource", getInputSourceForPostToSM());
  poster.postExternalNotificationName("changeInputSourcePost", outwardObject(), info);
}

// ---- Actions --------------------------------------------------------------------------------

void Quirel_MultiScanMode::MsImageSourceChange(const fnd::Notification&) {
  if (!mImgSrcPopup) return;
  const int next = mImgSrcPopup->getRepresentedNumber();
  if (next == mImageSource) return;
  const int old = mImageSource;
  mImageSource = next;
  // Only a move onto, off or between the film sources changes the scan module's input.
  const bool oldFilm = old == 5 || old == 6;
  const bool nextFilm = next == 5 || next == 6;
  if (oldFilm || (old >= 0 && old <= 4 && nextFilm)) inputSourceChangePostToSM();
  changeImage(mImageSource, mDestination);
}

void Quirel_MultiScanMode::MsDestinationChange(const fnd::Notification&) {
  if (!mDstPopup) return;
  const int next = mDstPopup->getRepresentedNumber();
  if (next == mDestination) return;
  mDestination = next;
  changeImage(mImageSource, mDestination);
}

void Quirel_MultiScanMode::MsDuplexADFCheck(const fnd::Notification&) {
  if (mDuplexADFCbx) mDuplexADF = mDuplexADFCbx->isChecked();
}

void Quirel_MultiScanMode::MsRecommendImageSettingCheck(const fnd::Notification&) {
  if (mRecommendImageSettingCbx) mRecommendImageSetting = mRecommendImageSettingCbx->isChecked();
}

void Quirel_MultiScanMode::MsScanResultCheck(const fnd::Notification&) {
  if (mResultCbx) mShowResult = mResultCbx->isChecked();
}

void Quirel_MultiScanMode::armScanSound() {
  Quirel_BaseScanMode::armScanSound(mCenter, mPreferenceInfo.get(), selfIdentity());
}

bool Quirel_MultiScanMode::MsScanStart(const fnd::Notification&) {
  Quirel_PostNotification poster(mCenter);
  setEnabledAllControl(false);

  std::shared_ptr<Quirel_SettingToSM> carrier;
  try {
    carrier = std::make_shared<Quirel_SettingToSM>();
  } catch (const std::bad_alloc&) {
    carrier.reset();
  }
  // Without a filled record there is nothing to scan: an all-zero record would start the
  // scanner with no settings, so the controls are given back instead.
  if (!carrier) {
    setEnabledAllControl(true);
    return false;
  }
  carrier->setScanModeObj(this);
  auto carrierInfo = std::make_shared<fnd::Dictionary>();
  carrierInfo->set(Quirel_BaseScanMode::kSetToSMKey, fnd::Value::object(carrier));
  mCenter.post(kMsSetStandardModeIDPost, selfIdentity(), carrierInfo);
  if (isVer1400())
    mCenter.post(kMsScanSettingFromAutoPost, selfIdentity(), carrierInfo);
  else
    mCenter.post(kMsScanSettingFromMultiPost, static_cast<const void*>(carrier.get()));

  std::optional<fnd::Dictionary> dictionary;
  ScanInfo record = carrier->getScanInfoSM();
  if (!carrier->isRefused()) {
    const bool documentType = mScannerInfo && mScannerInfo->needsImageDocumentTypeToSM();
    dictionary = UIM_CreateDictionary_ScanInfoDT(&record, documentType, 0);
  }
  if (!dictionary) {
    setEnabledAllControl(true);
    return false;
  }

  const void* object = outwardObject();
  if (mShowResult) poster.postExternalNotificationName("needScanResultWindowPost", object, nullptr);
  armScanSound();
  poster.postExternalNotificationName("MultiScanMode_Scan", object,
                                      std::make_shared<fnd::Dictionary>(std::move(*dictionary)));
  poster.postExternalNotificationName(
      Quirel_BaseScanMode::kSaveInfoPost, object,
      Quirel_BaseScanMode::makeSaveInfo(record, mPreferenceInfo.get(), mProfileCMList.get()));
  // The record's crop entries are the carrier's: it goes only now.
  carrier.reset();
  return true;
}

void Quirel_MultiScanMode::showHelp(int helpMode) {
  auto info = std::make_shared<fnd::Dictionary>();
  if (mScannerInfo && mScannerInfo->isVer1700Later()) {
    info->set("HELP", helpMode);
    Quirel_PostNotification poster(mCenter);
    poster.postExternalNotificationName("setALMUserInterfaceData", mUIMObject, info);
    info->remove(Quirel_PostNotification::kOverrideNotificationName);
  }
  info->set("HelpMode", helpMode);
  info->set("ScannerInfo", fnd::Value::object(mScannerInfo));
  mCenter.post("OpenHelpBookPost", selfIdentity(), info);
}

void Quirel_MultiScanMode::MsShowHelp(const fnd::Notification&) { showHelp(3); }

void Quirel_MultiScanMode::MsShowHowToPut(const fnd::Notification&) { showHelp(4); }

// ---- Settings -------------------------------------------------------------------------------

void Quirel_MultiScanMode::setDefaultSetting(const fnd::Dictionary* entry) {
  if (!entry && mUimParameterDic) {
    const fnd::Value* v = mUimParameterDic->find(kLastSettingKey);
    if (v && v->isDictionary()) entry = &v->toDictionary();
  }
  const bool ver1400 = isVer1400();
  mImageSource = ver1400 ? 0 : static_cast<int>(msDefaultValue(entry, "ImageSource").value_or(0));
  mDestination = ver1400 ? 2 : static_cast<int>(msDefaultValue(entry, "Destination").value_or(2));
  mDuplexADF = ver1400 && hasTwoSidedADF() && msReadNumber(entry, "DuplexADF") != 0;
  mRecommendImageSetting = ver1400 && hasRecommendedProc() && msReadNumber(entry, "RecommendedImageProc") != 0;
  mShowResult = msReadNumber(entry, "ScanResult") != 0;
  setValueToControl();
}

void Quirel_MultiScanMode::setLastSetting(const fnd::Dictionary* lastSetting) {
  if (!isVer1400()) {
    mImageSource = static_cast<int>(msReadNumber(lastSetting, "ImageSource"));
    mDestination = static_cast<int>(msReadNumber(lastSetting, "Destiation"));
  } else {
    if (hasTwoSidedADF()) mDuplexADF = msReadNumber(lastSetting, "DuplexADF") != 0;
    if (hasRecommendedProc()) mRecommendImageSetting = msReadNumber(lastSetting, "RecommendedImageProc") != 0;
  }
  mShowResult = msReadNumber(lastSetting, "ShowResult") != 0;
  setValueToControl();
}

fnd::Dictionary Quirel_MultiScanMode::getLastSetting() const {
  fnd::Dictionary d;
  if (!isVer1400()) {
    d.set("ImageSource", mImageSource);
    d.set("Destiation", mDestination);
  } else {
    if (hasTwoSidedADF()) d.set("DuplexADF", fnd::Value(mDuplexADF));
    if (hasRecommendedProc()) d.set("RecommendedImageProc", fnd::Value(mRecommendImageSetting));
  }
  d.set("ShowResult", fnd::Value(mShowResult));
  return d;
}

void Quirel_MultiScanMode::setValueToControl() {
  if (mImgSrcPopup) mImgSrcPopup->selectAtRepresentedNumber(mImageSource);
  if (mDstPopup) mDstPopup->selectAtRepresentedNumber(mDestination);
  changeImage(mImageSource, mDestination);
  if (mDuplexADFCbx) mDuplexADFCbx->check(mDuplexADF);
  if (mRecommendImageSettingCbx) {
    // Colour management of its own rules out the recommended processing; the choice is kept.
    const bool free = !mPreferenceInfo || mPreferenceInfo->getColorSetting(3) == 0;
    mRecommendImageSettingCbx->check(free && mRecommendImageSetting);
    mRecommendImageSettingCbx->setEnabled(free);
  }
  if (mResultCbx) mResultCbx->check(mShowResult);
  setEnabledToolTips();
}

// ---- Enabling -------------------------------------------------------------------------------

void Quirel_MultiScanMode::setEnabledAllControl(bool enable) {
  Quirel_MainWindow* window = mMainWindow ? mMainWindow->getWindow() : nullptr;
  if (window && window->getCloseFlg()) return;
  if (enable)
    closeModalDialog();
  else
    showModalDialog();
  if (window) window->setEnabled(enable);
  if (mPrefBtn) mPrefBtn->setEnabled(enable);
  if (mCloseWindowBtn) mCloseWindowBtn->setEnabled(enable);
  if (mResultCbx) mResultCbx->setEnabled(enable);
  if (mScanBtn) mScanBtn->setEnabled(enable);
  if (mHelpBtn) mHelpBtn->setEnabled(enable);
  if (mImgSrcPopup) mImgSrcPopup->setEnabled(enable);
  if (mDstPopup) mDstPopup->setEnabled(enable);
  if (mHowtoPutBtn) mHowtoPutBtn->setEnabled(enable);
  if (mDuplexADFCbx) mDuplexADFCbx->setEnabled(enable);
  if (mRecommendImageSettingCbx) mRecommendImageSettingCbx->setEnabled(enable);
  if (enable) {
    if (mDisabledView) {
      mDisabledView->removeFromSuperview();
      mDisabledView.reset();
    }
  } else if (!mDisabledView && window && window->contentView()) {
    kit::View* content = window->contentView();
    mDisabledView = std::make_unique<Quirel_DisabledView>(content->frame());
    content->addSubview(mDisabledView.get());
  }
  if (enable) setValueToControl();
  setEnabledToolTips();
  if (window) window->display();
}

void Quirel_MultiScanMode::setEnabledMainWindow(bool enable) {
  if (Quirel_MainWindow* window = mMainWindow ? mMainWindow->getWindow() : nullptr)
    window->setMasked(!enable, mWindowMaskView);
}

void Quirel_MultiScanMode::preferenceInfoIsUpdate() {
  setValueToControl();
  Quirel_MainWindow* window = mMainWindow ? mMainWindow->getWindow() : nullptr;
  if (window && !window->isEnabled()) setEnabledAllControl(false);
}

// ---- The tab's width ------------------------------------------------------------------------

void Quirel_MultiScanMode::showTab() {
  if (mToolbar) mToolbar->setHiddenToolbar(0, 0);
  if (mPreviewFrame) mPreviewFrame->setHidden(true);
  Quirel_MainWindow* window = mMainWindow ? mMainWindow->getWindow() : nullptr;
  // Narrowed already: the first width and limits stay the ones to come back to.
  if (window && mHiddenWidth == 0) {
    const double w = kTabWidth * mUserSpaceScaleFactor;
    fnd::Rect frame = window->frame();
    mHiddenWidth = frame.size.width - w;
    frame.origin.x += mHiddenWidth;
    frame.size.width = w;
    mMinSize = window->minSize();
    window->setMinSize(fnd::Size(w, mMinSize.height));
    mMaxSize = window->maxSize();
    window->setMaxSize(fnd::Size(w, mMaxSize.height));
    const fnd::Rect fitted = mDisplayManager.getAdjustmentWindowFrame(frame, fnd::Size(w, mMinSize.height));
    window->setFrame(fitted, true);
  }
  setFrameMultiScanItem();
  setValueToControl();
}

bool Quirel_MultiScanMode::hiddenTab() {
  Quirel_MainWindow* window = mMainWindow ? mMainWindow->getWindow() : nullptr;
  if (mHiddenWidth != 0 && window) {
    fnd::Rect frame = window->frame();
    frame.origin.x -= mHiddenWidth;
    frame.size.width += mHiddenWidth;
    window->setMinSize(mMinSize);
    window->setMaxSize(mMaxSize);
    const fnd::Rect fitted = mDisplayManager.getAdjustmentWindowFrame(frame, mMinSize);
    if (mPreviewFrame) mPreviewFrame->setHidden(false);
    window->setFrame(fitted, true);
  }
  mHiddenWidth = 0;
  return true;
}
