// The advanced mode's favourite settings: the pop-up's dispatch, the favourites manager run
// modally, and the two tests a favourite needs (a named size lying rotated on a crop, and a
// favourite's tone values against its named tone setting).

#include <cstring>
#include <type_traits>

#include "kit/Application.h"
#include "ui/adjust/ToneBCDialog.h"
#include "ui/controls/CTRLS_CalibrationOpenButton.h"
#include "ui/controls/CTRLS_ExposureOpenButton.h"
#include "ui/controls/CTRLS_FavoritePopup.h"
#include "ui/controls/CTRLS_MainWindow.h"
#include "ui/controls/CTRLS_OpenButton.h"
#include "ui/controls/CTRLS_ScanSettingOpenButton.h"
#include "ui/controls/CTRLS_PopupButton.h"
#include "ui/model/CropInfo.h"
#include "ui/model/FavoriteSetting.h"
#include "ui/model/OutputSize.h"
#include "ui/model/ToneSetting.h"
#include "ui/model/UIScannerInfo.h"
#include "ui/modes/advanced/ExtendMode.h"
#include "ui/settings/FavoriteDialog.h"
#include "ui/settings/FavoriteDlgWindow.h"

namespace {

template <typename T>
bool favoriteSameValues(const T& a, const T& b) {
  static_assert(std::is_trivially_copyable_v<T>);
  return std::memcmp(&a, &b, sizeof(T)) == 0;
}

double favoriteLengthInUnit(const OutputSizeLength& l, int unit) {
  return unit == 0 ? l.inch : unit == 1 ? l.cm : l.pixel;
}

}  // namespace

void Quirel_ExtendMode::favoriteSettingChange(const fnd::Notification&) {
  const int v = mFavoritePopup ? mFavoritePopup->getRepresentedNumber() : 0;
  if (v == mFavorite) return;
  if (v == -1) {
    favoriteSettingChangeToDialog();
  } else if (v == 0) {
    mFavorite = 0;
    mToneCurve = 0;
    setValueOfSelectedCrop(0);
  } else if (v == 1) {
    favoriteSettingChangeToInit();
  } else if (isFilmMode()) {
    favoriteSettingChangeToOtherForFilm(v);
  } else {
    favoriteSettingChangeToOther(v);
  }
}

void Quirel_ExtendMode::favoriteSettingChangeToDialog() {
  auto manager = std::make_unique<Quirel_FavoriteDialog>(&mCropList, mTemplateCrop.get(), mPreferenceInfo.get(),
                                                          mSettingFilePath.value_or(std::string()),
                                                          getDefaultFavoriteName(), mScannerInfo.get());
  mFavoriteDialog = std::move(manager);
  Quirel_FavoriteDialog& d = *mFavoriteDialog;
  if (mToneCurve != 0 && mToneCurvePopup)
    d.setToneSetting(mToneCurve, mToneCurvePopup->getTitleAtAtRepresentedNumber(mToneCurve));
  if (mToneBCDialog) d.setToneBC_OpenState(mToneBCDialog->isOpened());
  d.setImageSource(mImageSource);
  d.createFavoriteDialog();
  d.setInitSetting();
  d.setShowSaveMsg(mFavoriteMsg, isThumbnailMode());
  d.setExposureOpen(mExposureOpenBtn && mExposureOpenBtn->isOnState());
  if (mScannerInfo && mScannerInfo->highQualityMode()) {
    d.setScanSettingOpen(mScanSettingOpenBtn && mScanSettingOpenBtn->isOnState());
    d.setHighQualityMode(mHighQualityMode);
  }
  const bool film = mScanMode == 2 || mScanMode == 3;
  if (mScannerInfo && mScannerInfo->calibration() && !(mScannerInfo->isVer310() && film))
    d.setCalibrationOpen(mCalibrationOpenBtn && mCalibrationOpenBtn->isOnState());
  if (ver(&Quirel_UIScannerInfo::isVer1700Later)) {
    const fnd::SharedDictionary states = fnd::makeShared();
    fnd::NotificationCenter::defaultCenter().post("getChangeTabMessageStateFromExtendModePost", selfIdentity(),
                                                  states);
    auto flag = [&states](const char* key) {
      const fnd::Value* v = states->find(key);
      return v ? v->toBool() : true;
    };
    d.setMessageState_BookCorrect(mBookCorrectMsg, mClearThumbnailMsg, mLargePicMsg, mColorBitMsg, mToneSettingMsg,
                                  flag("changeTabMessageState"), flag("multiPDFScanEndMessageState"),
                                  mColorModeAndDataFormatMsg);
    if (Quirel_CropInfo* focus = getFocusCrop(); focus && focus->getOutputSize() != 0)
      if (const std::shared_ptr<Quirel_OutputSize> size = getOutputSizeObject(focus->getOutputSize()))
        d.setOutputSizeName(size->getName(), size->getOutputWidth(), size->getOutputHeight(),
                            isOutputSizeRotate(*size, *focus));
  }
  d.setDialogState(fnd::makeShared(getImageDialogStates()));
  registObserver(&d, [this](const fnd::Notification& n) { favoriteDialogClose(n); }, Quirel_FavoriteDialog::kSavePost);
  registObserver(&d, [this](const fnd::Notification& n) { favoriteDialogClose(n); },
                 Quirel_FavoriteDialog::kCancelPost);
  showModalDialog();
  d.showFavoriteDialog();
  if (kit::Window* w = d.getWindow()) kit::Application::shared().runModalForWindow(*w);
  if (mModal) closeModalDialog();
  removeObserver(&d, Quirel_FavoriteDialog::kSavePost);
  removeObserver(&d, Quirel_FavoriteDialog::kCancelPost);
  mFavoriteMsg = d.getShowSaveMsg();
  mFavoriteDialog.reset();
  setMenuItem_FavoritePopupBT();
  if (mFavoritePopup) mFavoritePopup->selectAtRepresentedNumber(mFavorite);
  setValueOfSelectedCrop(0);
}

void Quirel_ExtendMode::favoriteDialogClose(const fnd::Notification& n) {
  if (!mFavoriteDialog) return;
  mFavoriteDialog->closeFavoriteDialog();
  if (mMainWindow && mMainWindow->getWindow()) mMainWindow->getWindow()->makeKeyAndOrderFront();
  const int added = n.name == Quirel_FavoriteDialog::kSavePost ? mFavoriteDialog->getLastAddIndex() : -1;
  if (added < 0) {
    mFavorite = 0;
    mToneCurve = 0;
  } else {
    mFavorite = added;
  }
  kit::Application::shared().stopModalWithCode(0);
}

bool Quirel_ExtendMode::isOutputSizeRotate(const Quirel_OutputSize& size, const Quirel_CropInfo& crop) {
  const double W = favoriteLengthInUnit(size.getOutputWidth(), size.getUnit());
  const double H = favoriteLengthInUnit(size.getOutputHeight(), size.getUnit());
  const SSizeDouble out = crop.getOutputSize_Pixel96();
  const double w = out.width, h = out.height;
  if (W == H) return false;
  return (W < H && !(h > w)) || (W > H && !(h < w));
}

bool Quirel_ExtendMode::compareFavoriteToneWithTone(const Quirel_FavoriteSetting& favorite) const {
  if (!mSettingFilePath) return false;
  for (const Quirel_ToneSetting& t : Quirel_ToneSetting::readAll(*mSettingFilePath)) {
    if (t.getIndex() != favorite.getToneSettingNo()) continue;
    if (t.getColorMode() != favorite.getColorMode()) return false;
    const int mode = t.getColorMode();
    if (mode >= 3 && mode <= 5 && !favoriteSameValues(t.getColorBalance(), favorite.getColorBalance())) return false;
    if (mode != 0)
      return favoriteSameValues(t.getToneBC(), favorite.getToneBC()) &&
             favoriteSameValues(t.getHistogram(), favorite.getHistogram()) &&
             favoriteSameValues(t.getToneCurve(), favorite.getToneCurve());
    return t.getThreshold() == favorite.getThreshold();
  }
  return false;
}
