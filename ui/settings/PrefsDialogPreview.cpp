// The preferences' Preview tab: preview at start, crop frames after a preview, thumbnail size.

#include "ui/settings/PrefsDialog.h"

namespace {
constexpr double kPreviewGroupHeight = 5 + 24 + 60 + 10;
}  // namespace

void Quirel_PrefsDialog::createPreviewView() {
  mTabView->setPreviewTabViewLabel(text("IDC_SP_PREVIEW_STR"));
  const bool v14 = mScannerInfo && mScannerInfo->isVer1400Later();

  mStartPrevView = makeGroup(mStartPrevSep, kPreviewGroupHeight);
  mPrevRadio = std::make_unique<Quirel_CTRLS_PREFRadioButton>();
  placeRadio(mStartPrevView.get(), *mPrevRadio,
             v14 ? templateText("IDC_PGPREF_PREV_START_LABEL_STR") : text("IDMAC_PREF_LABEL_PREV_START"),
             {text("IDC_PGPREF_AUTOPREVIEW_STR"), text("IDC_PGPREF_SAVEPREVIEW_STR"), text("IDC_PGPREF_NONE_STR")},
             kPreviewGroupHeight);
  mPrevRadio->setRadioBTActionPostNtf("PrefStartPrevRadioChangePost");
  addGroupToTab(Quirel_CTRLS_PREFTabView::kPreview, mStartPrevView.get());

  mCropPrevView = makeGroup(mCropPrevSep, kPreviewGroupHeight);
  mCropRadio = std::make_unique<Quirel_CTRLS_PREFRadioButton>();
  placeRadio(mCropPrevView.get(), *mCropRadio, text("IDC_PGPREF_PREV_CROP_LABEL_STR"),
             {text("IDC_PGPREF_EXE_AUTOCROP_STR"), text("IDC_PGPREF_BFR_CROP_STR"), text("IDC_PGPREF_NONE_STR")},
             kPreviewGroupHeight);
  mCropRadio->setRadioBTActionPostNtf("PrefCropPrevRadioChangePost");
  addGroupToTab(Quirel_CTRLS_PREFTabView::kPreview, mCropPrevView.get());

  if (mScannerInfo && (mScannerInfo->isFAU() || mScannerInfo->platenThumbnail())) {
    mThumbSizeView = makeGroup(mThumbSizeSep, kPreviewGroupHeight);
    mThumbRadio = std::make_unique<Quirel_CTRLS_PREFRadioButton>();
    const bool newTitle = mScannerInfo->isVer1500Later() || mScannerInfo->isVer1400Later();
    placeRadio(mThumbSizeView.get(), *mThumbRadio,
               text(newTitle ? "IDC_PGPREF_THUMB_SIZE_LABEL_STR" : "IDMAC_PREF_LABEL_THUMB_SIZE"),
               {text("IDC_PGPREF_THUMB_SIZE_LARGE_STR"), text("IDC_PGPREF_THUMB_SIZE_NORMAL_STR"),
                text("IDC_PGPREF_THUMB_SIZE_SMALL_STR")},
               kPreviewGroupHeight);
    mThumbRadio->setRadioBTActionPostNtf("PrefThumbSizeRadioChangePost");
    addGroupToTab(Quirel_CTRLS_PREFTabView::kPreview, mThumbSizeView.get());
  }

  observe("PrefStartPrevRadioChangePost", mPrevRadio->getRadioBT(), [this] { StartPrevRadioChange(); });
  observe("PrefCropPrevRadioChangePost", mCropRadio->getRadioBT(), [this] { CropPrevRadioChange(); });
  if (mThumbRadio)
    observe("PrefThumbSizeRadioChangePost", mThumbRadio->getRadioBT(), [this] { ThumbSizeRadioChange(); });
}

void Quirel_PrefsDialog::setDataToPreviewView() {
  const bool platenThumbnail = mScannerInfo && mScannerInfo->platenThumbnail();
  mPrevRadio->selectItemAtIndex(mTempPrefs->getPrevStart());
  mCropRadio->selectItemAtIndex(mTempPrefs->getCropAfterPrev());
  if (!(mScannerInfo && mScannerInfo->isVer1600Later()) && mADFMode) {
    mPrevRadio->setEnabled(false);
    mCropRadio->setEnabled(false);
    if (mThumbRadio) {
      mThumbRadio->selectItemAtIndex(platenThumbnail ? mTempPrefs->getPlatenThumbnailSize()
                                                     : mTempPrefs->getFilmThumbnailSize());
      mThumbRadio->setEnabled(platenThumbnail);
    }
  } else {
    mPrevRadio->setEnabled(true);
    mCropRadio->setEnabled(true);
    if (mThumbRadio) {
      if (platenThumbnail) {
        mThumbRadio->selectItemAtIndex(mFilmMode ? mTempPrefs->getFilmThumbnailSize()
                                                 : mTempPrefs->getPlatenThumbnailSize());
        mThumbRadio->setEnabled(true);
      } else {
        mThumbRadio->selectItemAtIndex(mTempPrefs->getFilmThumbnailSize());
        mThumbRadio->setEnabled(mFilmMode && mScannerInfo->isFAU());
      }
    }
  }
  setEnabledToolTipsPreviewView();
}

void Quirel_PrefsDialog::setEnabledToolTipsPreviewView() {
  setRadioTips(mPrevRadio.get(), {tip("IDC_PGPREF_AUTOPREVIEW"), tip("IDC_PGPREF_SAVEPREVIEW"), tip("IDC_PGPREF_NONE")});
  setRadioTips(mCropRadio.get(),
               {tip("IDC_PGPREF_EXE_AUTOCROP"), tip("IDC_PGPREF_BFR_CROP"), tip("IDC_PGPREF_NONE_CROP")});
  setRadioTips(mThumbRadio.get(), {tip("IDC_PGPREF_THUMB_SIZE_LARGE"), tip("IDC_PGPREF_THUMB_SIZE_NORMAL"),
                                   tip("IDC_PGPREF_THUMB_SIZE_SMALL")});
}

void Quirel_PrefsDialog::setFramePreviewView() {
  stackGroups(Quirel_CTRLS_PREFTabView::kPreview, {{mStartPrevView.get(), mStartPrevSep.get()},
                                                   {mCropPrevView.get(), mCropPrevSep.get()},
                                                   {mThumbSizeView.get(), mThumbSizeSep.get()}});
}

void Quirel_PrefsDialog::StartPrevRadioChange() {
  if (mTempPrefs) mTempPrefs->setPrevStart(mPrevRadio->selectedItemIndex());
}

void Quirel_PrefsDialog::CropPrevRadioChange() {
  if (mTempPrefs) mTempPrefs->setCropAfterPrev(mCropRadio->selectedItemIndex());
}

void Quirel_PrefsDialog::ThumbSizeRadioChange() {
  if (!mTempPrefs || !mThumbRadio) return;
  const int index = mThumbRadio->selectedItemIndex();
  const bool platenThumbnail = mScannerInfo && mScannerInfo->platenThumbnail();
  if (platenThumbnail && !mFilmMode)
    mTempPrefs->setPlatenThumbnailSize(index);
  else
    mTempPrefs->setFilmThumbnailSize(index);
}
