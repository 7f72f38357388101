// The UI-less flow: the request's scan dictionary into the template crop, the preview request
// and the scan request for the checked frames.

#include "ui/modes/uiless/UILessScanMode.h"

#include <cstring>
#include <new>

#include "kit/Window.h"
#include "ui/base/PVLocalizedString.h"
#include "ui/base/PostNotification.h"
#include "ui/controls/ColorButton.h"
#include "ui/controls/DisabledView.h"
#include "ui/controls/NoFocusButton.h"
#include "ui/controls/NoFocusImageView.h"
#include "ui/controls/NoFocusTextField.h"
#include "ui/controls/PreviewFrameView.h"
#include "ui/controls/UIOffColorView.h"
#include "ui/model/CropInfo.h"
#include "ui/model/SM_COMMON/ScanDic/ScanDic.h"
#include "ui/model/SettingToSM.h"
#include "ui/model/ThumbnailInfo.h"
#include "ui/model/UIScannerInfo.h"
#include "ui/windows/ProgressWindow.h"

namespace {

constexpr const char* kUiLessPreviewSettingPost = "previewSettingFromUILessPost";
constexpr const char* kUiLessScanSettingPost = "scanSettingFromUILessPost";

// The first "CropItem" entry of the raw dictionary, for telling which keys it holds.
const fnd::Dictionary* uiLessFirstCropEntry(const fnd::Dictionary& scanDic) {
  const fnd::Value* items = scanDic.find("CropItem");
  if (!items || !items->isArray() || items->toArray().empty()) return nullptr;
  const fnd::Value& first = items->toArray().front();
  static const fnd::Dictionary empty;
  return first.isDictionary() ? &first.toDictionary() : &empty;
}

}  // namespace

Quirel_UILessScanMode::Quirel_UILessScanMode(fnd::NotificationCenter& center)
    : mCenter(center), mTemplateCrop(std::make_shared<Quirel_CropInfo>()) {}

Quirel_UILessScanMode::~Quirel_UILessScanMode() {
  mCenter.removeObserver(selfIdentity());
  mActivationTokens.clear();
  mCropList.clear();
  removeAllThumbnail();
  if (mDisabledView) mDisabledView->removeFromSuperview();
  if (mWindow) {
    mWindow->setDelegate(nullptr);
    mWindow->orderOut();
  }
}

const fnd::Dictionary& Quirel_UILessScanMode::getScanDic() {
  static const fnd::Dictionary none;
  return mScanDic ? *mScanDic : none;
}

std::string Quirel_UILessScanMode::localized(const std::string& key, const char* table) const {
  std::optional<std::string> text = mLSobj ? mLSobj->ls_localizedStringForKey(key, table) : std::nullopt;
  return text ? *text : key;
}

void Quirel_UILessScanMode::setProgressStatus(const fnd::Notification& n) {
  if (const Quirel_ProgressWindow* window = Quirel_ProgressWindow::fromNotification(n))
    mProgressStatus = window->resultProgressWindow();
}

// ---- The scan dictionary --------------------------------------------------------------------

void Quirel_UILessScanMode::setScanDic(const fnd::Dictionary* scanDic) {
  // A copy first: the dictionary handed in may be the one kept here.
  std::optional<fnd::Dictionary> kept;
  if (scanDic) kept = *scanDic;
  mScanDic = std::move(kept);
  if (!mScanDic) return;

  ScanInfo info;
  std::memset(&info, 0, sizeof info);
  UIM_GetDictionary_ScanInfo(&*mScanDic, &info);
  Quirel_CropInfo& t = *mTemplateCrop;

  const fnd::Value* setting = mScanDic->find("ScanSetting");
  if (setting && setting->isDictionary() && setting->toDictionary().contains("ColorMode")) {
    const int mode = info.Setting.ColorMode;
    t.setColorMode(mode == 0 ? 0 : mode == 1 ? 1 : 3);
  }

  // An empty list is no first entry: the set-up values stay.
  const fnd::Dictionary* entry = uiLessFirstCropEntry(*mScanDic);
  if (entry && info.crop_num >= 1 && info.CropItem[0]) {
    const CropSetting& c = *info.CropItem[0];
    if (entry->contains("Resolution")) t.setResolution(c.Resolution);
    double width = 0;
    if (entry->contains("ScanRect")) {
      width = c.ScanRect.width;
      const int from = t.getResolution();
      if (from > 0 && from != mPlatenResolution) width = convertResolution(width, from, mPlatenResolution);
    }
    t.setInputWidth_Pixel96(width);
    if (entry->contains("AutoTone")) t.setAutoTone(c.AutoTone);
    if (entry->contains("UnsharpMask")) t.setUnsharpMask(c.UnsharpMask);
    if (entry->contains("Descreen")) t.setDescreen(c.Descreen);
    if (entry->contains("ReduceDust")) t.setReduceDust(c.ReduceDust);
    if (entry->contains("FadingCorrect")) t.setFadingCorrect(c.FadingCorrect);
    if (entry->contains("GrainCorrect")) t.setGrainCorrect(c.GrainCorrect);
    if (entry->contains("BacklightCorrect")) t.setBackLightCorrect(c.BacklightCorrect);
    if (entry->contains("Threshold")) t.setThreshold(c.Threshold);
    if (entry->contains("AUTOFINEPHOTO")) t.setAutoPhotoCorrect(c.AUTOFINEPHOTO);
  }
  UIM_Clear_ScanInfo(&info);
}

// ---- Requests -------------------------------------------------------------------------------

bool Quirel_UILessScanMode::requestOut(const char* outwardName, bool preview) {
  Quirel_PostNotification poster(mCenter);
  std::shared_ptr<Quirel_SettingToSM> carrier;
  try {
    carrier = std::make_shared<Quirel_SettingToSM>();
  } catch (const std::bad_alloc&) {
    return false;
  }
  carrier->setScanModeObj(this);
  if (preview) {
    carrier->setThresholdNum(mScannerInfo ? mScannerInfo->thresholdValue() : 0);
    auto info = std::make_shared<fnd::Dictionary>();
    info->set("SetToSM", fnd::Value::object(carrier));
    mCenter.post(kUiLessPreviewSettingPost, selfIdentity(), info);
  } else {
    mCenter.post(kUiLessScanSettingPost, static_cast<const void*>(carrier.get()));
  }
  if (carrier->isRefused()) return false;
  // The record's crop entries stay the carrier's until it goes at the end of this call.
  ScanInfo record = carrier->getScanInfoSM();
  const bool documentType = mScannerInfo && mScannerInfo->needsImageDocumentTypeToSM();
  std::optional<fnd::Dictionary> dictionary = UIM_CreateDictionary_ScanInfoDT(&record, documentType, preview ? 1 : 0);
  if (!dictionary) return false;
  poster.postExternalNotificationName(outwardName, outwardObject(),
                                      std::make_shared<fnd::Dictionary>(std::move(*dictionary)));
  return true;
}

bool Quirel_UILessScanMode::previewStart() {
  if (requestOut("Preview_Scan", true)) return true;
  // Without a preview no frame ever comes: the user interface is closed rather than left
  // waiting with no window.
  Quirel_PostNotification(mCenter).postExternalNotificationName(kCancelClosePost, outwardObject(), nullptr);
  return false;
}

bool Quirel_UILessScanMode::scanStart() { return requestOut("UILessMode_Scan", false); }

void Quirel_UILessScanMode::cancelAndClose() {
  closeDialog();
  Quirel_PostNotification(mCenter).postExternalNotificationName(kCancelClosePost, outwardObject(), nullptr);
}
