#include "ui/modes/advanced/ExtendModeControls.h"
#include <algorithm>
#include <cmath>

#include "ui/controls/NoFocusButton.h"
#include "ui/controls/NoFocusPopUpButton.h"
#include "ui/controls/NoFocusStepper.h"
#include "ui/controls/NoFocusTextField.h"
#include "ui/controls/NumberField.h"
#include "ui/controls/IconBezelButton.h"
#include "ui/controls/IconOnOffButton.h"
#include "ui/controls/ColorButton.h"
#include "ui/controls/NoFocusTabView.h"
#include "ui/base/PVLocalizedString.h"
#include "ui/model/UIScannerInfo.h"
#include "ui/modes/advanced/ExtendMode.h"

// Every reference of the page, in the order of its sections: one list for the release, the
// count and the tests.
#define QUIREL_EXTEND_PAGE_ITEMS(X)                                                                 \
  X(mFavoriteView) X(mFavoritePopup) X(mTopSeparaor)                                                \
  X(mInputSetBox) X(mImageSourceView) X(mImgSrcPopup) X(mPaperSizeView) X(mPaperSizePopup)          \
  X(mFilmSizeView) X(mFilmSizePopup) X(mOrientationView) X(mOrientationBtn) X(mColorModeView)       \
  X(mColorModePopup) X(mInputWHView) X(mInSizeWTextF) X(mFixRatioBtn) X(mInSizeHTextF) X(mUnitPopup) \
  X(mOutputSetBox) X(mResolutionView) X(mResComboBox) X(mOutputSizeView) X(mOutSizePopup)            \
  X(mOutputWHView) X(mOutSizeWTextF) X(mOutSizeIcon) X(mOutSizeHTextF) X(mMagnification)             \
  X(mDirectionBtn) X(mDataSizeView) X(mDataSizeTextF)                                                \
  X(mScrollView) X(mPopupView) X(mAutoToneView) X(mAutoTonePopup) X(mColorAdjustView)                \
  X(mColorAdjustPopup) X(mCopyGammaView) X(mCopyGammaPopup) X(mUnsharpView) X(mUnsharpPopup)         \
  X(mDescreenView) X(mDescreenPopup) X(mRdcDustView) X(mRdcDustPopup) X(mRemoveDustView)             \
  X(mRemoveDustPopup) X(mReduceDustFAUView) X(mReduceDustFAUPopup) X(mFdCorctView) X(mFdCorctPopup)  \
  X(mGrCorctView) X(mGrCorctPopup) X(mBlCorctView) X(mBlCorctPopup) X(mBookCorctView)                \
  X(mBookCorctPopup) X(mExposureView) X(mExposureSeparator) X(mExposureOpenBtn) X(mExposureCbx)      \
  X(mExposureField) X(mExposureBtns) X(mScanSettingView) X(mScanSettingSeparator)                    \
  X(mScanSettingOpenBtn) X(mHighQualityPopup) X(mCalibrationView) X(mCalibrationSeparator)           \
  X(mCalibrationOpenBtn) X(mCalibrationBtn) X(mCalibrationPopup)                                     \
  X(mToneCurveSetBox) X(mColorBalanceBtn) X(mContrastBtn) X(mHistogramBtn) X(mToneCurveBtn)          \
  X(mFinalReviewBtn) X(mThresholdBtn) X(mToneCurvePopup) X(mToneResetBtn)                            \
  X(mScanButtonView) X(mZoomBtn) X(mPrevBtn) X(mScanBtn) X(mPreferenceButtonView) X(mBottomSeparator) \
  X(mPrefBtn) X(mCloseWindowBtn)

namespace {
template <typename T>
void extReleaseItem(std::unique_ptr<T>& item) {
  item.reset();
}
template <typename T>
void extReleaseItem(T*& item) {
  item = nullptr;
}
}  // namespace

void Quirel_ExtendMode::initExtendModeItem() { releaseExtendModeItem(); }

void Quirel_ExtendMode::releaseExtendModeItem() {
  // Controls first, then the row views and boxes that hold them.
#define QUIREL_EXTEND_RELEASE(item) extReleaseItem(item);
  QUIREL_EXTEND_PAGE_ITEMS(QUIREL_EXTEND_RELEASE)
#undef QUIREL_EXTEND_RELEASE
}

int Quirel_ExtendMode::countExtendItems() const {
  int count = 0;
#define QUIREL_EXTEND_COUNT(item) count += (item) ? 1 : 0;
  QUIREL_EXTEND_PAGE_ITEMS(QUIREL_EXTEND_COUNT)
#undef QUIREL_EXTEND_COUNT
  return count;
}

// ---- page construction ------------------------------------------------------------------------

namespace {

constexpr const char* kExtPictures = "quirel_r14";
constexpr double kExtRowWidth = 310;

// The size a label needs for its text within maxWidth x maxHeight: one line when it fits, else
// the wrapped height at maxWidth.
fnd::Size extMeasure(const kit::TextField* label, double maxWidth, double maxHeight) {
  if (!label) return {0, 0};
  const fnd::Size one = label->cellSize();
  if (one.width <= maxWidth) return {one.width, std::min(one.height, maxHeight)};
  return {maxWidth, std::min(label->heightForWidth(maxWidth), maxHeight)};
}

void extAdd(kit::View& parent, kit::View* child) {
  if (child) parent.addSubview(child);
}

}  // namespace

double Quirel_ExtendMode::tabContentWidth() const {
  if (!mExtTab || !mExtTab->extendView()) return 320;
  const double w = mExtTab->extendView()->frame().size.width;
  return w > 0 ? w : 320;
}

void Quirel_ExtendMode::handToTab(kit::View* view) {
  if (mExtTab && view) mExtTab->setExtendTabViewItem(view, view->frame());
}

void Quirel_ExtendMode::registControl(const void* control, Forwarder forwarder, const char* action,
                                      const char* press) {
  if (action) registForwarder(control, forwarder, action);
  if (press) registForwarder(control, &Quirel_ExtendMode::ntf_enterTextFByOtherControls, press);
}

void Quirel_ExtendMode::buildPopupRow(Quirel_NoFocusView& row, Quirel_CTRLS_PopupButton& popup,
                                      const std::string& titleKey) {
  row.setFrame(fnd::Rect(0, 0, kExtRowWidth, 26));
  popup.setTitleTxtTitle(uiText(titleKey));
  popup.setTitleTxtRect(2, 6, 148, 17);
  popup.setPopupBTRect(150, 0, 160, 26);
  extAdd(row, popup.getTitleTxt());
  extAdd(row, popup.getPopupBT());
}

template <typename Field>
void Quirel_ExtendMode::buildSizeLabel(Field& field, Quirel_NoFocusView& row, bool width, bool output) {
  // A picture's name, or nothing (the look-up answers an empty text with the key or "none").
  std::string picture = uiText(width ? "1001" : "1002");
  if (picture == (width ? "1001" : "1002") || picture == Quirel_PVLocalizedString::kNone) picture.clear();
  if (!picture.empty()) {
    field.setImage(picture, kExtPictures);
    if (ver(&Quirel_UIScannerInfo::isVer1500Later))
      field.setImageViewRect(width ? 8 : 128, 7, 12, 12);
    else if (width)
      field.setImageViewRect(2, 5, 30, 16);
    else
      field.setImageViewRect(115, 5, output ? 40 : 30, 16);
    extAdd(row, field.getImageView());
  } else {
    field.setTitleTxtTitle(uiText(width ? "IDC_OUTPUT_WIDTH_STR" : "IDC_OUTPUT_HEIGHT_STR"));
    if (width)
      field.setTitleTxtRect(2, 6, 30, 17);
    else
      field.setTitleTxtRect(115, 6, 40, 17);
    extAdd(row, field.getTitleTxt());
  }
}

void Quirel_ExtendMode::createExtendItem(Quirel_CTRLS_TabView* tabView) {
  if (!tabView || mExtTab) return;
  mExtTab = tabView;
  tabView->setExtendTabViewLabel(uiText("IDS_PAGE_ADVANCED"));
  registForwarder(static_cast<const void*>(tabView->getTabView()), &Quirel_ExtendMode::ntf_enterTextFByOtherControls,
                  "TAB_DOWN");
  createExtendItem_FavoriteSettings();
  createExtendItem_InputSettings();
  createExtendItem_OutputSettings();
  createExtendItem_ImageSettings();
  createExtendItem_ColorSettings();
  createExtendItem_Buttons();
}

void Quirel_ExtendMode::createExtendItem_FavoriteSettings() {
  const double w = tabContentWidth();
  mTopSeparaor = std::make_unique<Quirel_CTRLS_Separator>();
  mTopSeparaor->setRect(5, 0, w - 10, 5);
  mFavoritePopup = std::make_unique<Quirel_CTRLS_FavoritePopup>();
  mFavoritePopup->setTitleTxtTitle(uiText("IDC_PGADV_FAV_TXT_STR"));
  mFavoriteView = std::make_unique<Quirel_NoFocusView>(fnd::Rect(0, 0, w, 32));
  const double e = w - 4;
  const double t = std::max(e / 2, extMeasure(mFavoritePopup->getTitleTxt(), e, 17).width);
  mFavoritePopup->setTitleTxtRect(2, 11, t, 17);
  mFavoritePopup->setPopupBTRect(t + 2, 5, e - t, 26);
  extAdd(*mFavoriteView, mFavoritePopup->getTitleTxt());
  extAdd(*mFavoriteView, mFavoritePopup->getPopupBT());
  extAdd(*mFavoriteView, mTopSeparaor->getSeparator());
  mFavoriteView->setAutoresizingMask(kit::kViewMinYMargin);
  handToTab(mFavoriteView.get());
  registControl(mFavoritePopup->getPopupBT(), &Quirel_ExtendMode::ntf_favoriteSettingChange,
                Quirel_CTRLS_FavoritePopup::kChangePost, "POPUP_DOWN");
}

void Quirel_ExtendMode::createExtendItem_InputSettings() {
  const double w = tabContentWidth();
  mInputSetBox = std::make_unique<Quirel_CTRLS_Box>();
  mInputSetBox->setTitleTxtTitle(uiText("IDC_PGADV_INPUT_GROUPBOX_STR"));
  mInputSetBox->setTitleTxtRect(2, 115, w - 2, 17);
  mInputSetBox->setBoxRect(0, 0, w, 115);

  mImageSourceView = std::make_unique<Quirel_NoFocusView>();
  mImgSrcPopup = std::make_unique<Quirel_CTRLS_PopupButton>();
  mImgSrcPopup->setPupupBTActionPostNtf("AdvImageSourceChangePost");
  buildPopupRow(*mImageSourceView, *mImgSrcPopup, "IDC_PGADV_SOURCE_LABEL_STR");

  mPaperSizeView = std::make_unique<Quirel_NoFocusView>();
  mPaperSizePopup = std::make_unique<Quirel_CTRLS_PaperSizePopup>();
  buildPopupRow(*mPaperSizeView, *mPaperSizePopup, "IDC_PGADV_PAPERSIZE_LABEL_STR");

  mFilmSizeView = std::make_unique<Quirel_NoFocusView>();
  mFilmSizePopup = std::make_unique<Quirel_CTRLS_FilmSizePopup>();
  buildPopupRow(*mFilmSizeView, *mFilmSizePopup, "IDC_PGADV_FILMSIZE_LABEL_STR");
  if (ver(&Quirel_UIScannerInfo::isVer1600Later)) {
    mFilmSizePopup->setTitleTxtTitleForCrop(uiText("IDC_PGADV_SCANSIZE_LABEL_STR"));
    mFilmSizePopup->setTitleTxtTitleForFrame(uiText("IDC_PGADV_FILMSIZE_LABEL_STR"));
    mFilmSizePopup->changeCropTitle(true);
    double t = std::floor(extMeasure(mFilmSizePopup->getTitleTxt(), kExtRowWidth, 17).width + 1);
    mFilmSizePopup->changeCropTitle(false);
    t = std::max({148.0, t, std::floor(extMeasure(mFilmSizePopup->getTitleTxt(), kExtRowWidth, 17).width + 1)});
    mFilmSizePopup->setTitleTxtRect(2, 6, t, 17);
    mFilmSizePopup->setPopupBTRect(t + 2, 0, kExtRowWidth - t - 2, 26);
  } else {
    mFilmSizePopup->setTitleTxtTitleForCrop(uiText("IDC_PGADV_FILMSIZE_LABEL_STR"));
    mFilmSizePopup->setTitleTxtTitleForFrame(uiText("IDC_PGADV_FILMSIZE_LABEL_STR"));
  }
  mFilmSizeView->setHidden(true);

  mOrientationView = std::make_unique<Quirel_NoFocusView>();
  mOrientationBtn = std::make_unique<Quirel_CTRLS_OrientationButton>();
  mOrientationBtn->setTitleTxtTitle(uiText("IDC_PGADV_ORIENTATION_LABEL_STR"));
  mOrientationBtn->setPushBTTitle(uiText("IDC_PGADV_OPENSIDE_BTN_STR"));
  const bool ver1600 = ver(&Quirel_UIScannerInfo::isVer1600Later);
  if (ver1600 || ver(&Quirel_UIScannerInfo::isVer1500Later))
    mOrientationBtn->setImage("FEEDER_UPPER.tiff", "FEEDER_LEFT.tiff", kExtPictures);
  else
    mOrientationBtn->setImage("AdfFromTop.tif", "AdfFromLeft.tif", kExtPictures);
  if (ver1600) {
    const double t = std::max(112.0, std::floor(extMeasure(mOrientationBtn->getTitleTxt(), kExtRowWidth, 17).width + 1));
    mOrientationBtn->setTitleTxtRect(2, 10, t, 17);
    mOrientationBtn->setImageRect(t + 2, 5, 32, 26);
    mOrientationBtn->setPushBTRect(t + 34, 0, kExtRowWidth - t - 34, 32);
    mOrientationView->setFrame(fnd::Rect(0, 0, kExtRowWidth, 32));
  } else {
    const double t = std::max(115.0, std::floor(extMeasure(mOrientationBtn->getTitleTxt(), kExtRowWidth, 17).width + 1));
    const double imageX = t + 2;
    mOrientationBtn->setTitleTxtRect(2, 6, t, 17);
    mOrientationBtn->setImageRect(imageX, 2, 33, 22);
    mOrientationBtn->setPushBTRect(imageX + 30, 0, kExtRowWidth - 33 - imageX, 26);
    mOrientationView->setFrame(fnd::Rect(0, 0, kExtRowWidth, 28));
  }
  extAdd(*mOrientationView, mOrientationBtn->getTitleTxt());
  extAdd(*mOrientationView, mOrientationBtn->getImageView());
  extAdd(*mOrientationView, mOrientationBtn->getPushBT());
  mOrientationView->setHidden(true);

  mColorModeView = std::make_unique<Quirel_NoFocusView>();
  mColorModePopup = std::make_unique<Quirel_CTRLS_ColorModePopup>();
  buildPopupRow(*mColorModeView, *mColorModePopup, "IDC_PGADV_COLOR_LABEL_STR");

  mInputWHView = std::make_unique<Quirel_NoFocusView>(fnd::Rect(0, 0, kExtRowWidth, 26));
  mInSizeWTextF = std::make_unique<Quirel_CTRLS_InputSizeWidthTextF>();
  mInSizeWTextF->setNumberTxtFRect(32, 2, 55, 22);
  buildSizeLabel(*mInSizeWTextF, *mInputWHView, true, false);
  mFixRatioBtn = std::make_unique<Quirel_CTRLS_FixesRatioButton>();
  mFixRatioBtn->setIconBTRect(91, 1, 23, 23);
  if (ver(&Quirel_UIScannerInfo::isVer1500Later)) {
    mFixRatioBtn->setIconBTOnImage("BT_LOCK_ON_S.tiff", "BT_LOCK_ON_N.tiff", "BT_LOCK_ON_G.tiff", kExtPictures);
    mFixRatioBtn->setIconBTOffImage("BT_LOCK_OFF_S.tiff", "BT_LOCK_OFF_N.tiff", "BT_LOCK_OFF_G.tiff", kExtPictures);
  } else {
    const bool disabledImage = ver(&Quirel_UIScannerInfo::isVer1400Later);
    mFixRatioBtn->setIconBTOnImage("BtnFixedOn_on.icns", "BtnFixedOn_off.icns",
                                   disabledImage ? "BtnFixedOn_d.icns" : "", kExtPictures);
    mFixRatioBtn->setIconBTOffImage("BtnFixedOff_on.icns", "BtnFixedOff_off.icns",
                                    disabledImage ? "BtnFixedOff_d.icns" : "", kExtPictures);
  }
  mInSizeHTextF = std::make_unique<Quirel_CTRLS_InputSizeHeightTextF>();
  mInSizeHTextF->setNumberTxtFRect(154, 2, 55, 22);
  buildSizeLabel(*mInSizeHTextF, *mInputWHView, false, false);
  mUnitPopup = std::make_unique<Quirel_CTRLS_PopupButton>();
  mUnitPopup->setPupupBTActionPostNtf("AdvUnitChangePost");
  mUnitPopup->setPopupBTRect(210, 0, 100, 26);
  extAdd(*mInputWHView, mInSizeWTextF->getNumberTxtF());
  extAdd(*mInputWHView, mFixRatioBtn->getIconOnOffBT());
  extAdd(*mInputWHView, mInSizeHTextF->getNumberTxtF());
  extAdd(*mInputWHView, mUnitPopup->getPopupBT());
  mInSizeWTextF->setDelegate(this);
  mInSizeHTextF->setDelegate(this);

  for (Quirel_NoFocusView* row : {mImageSourceView.get(), mPaperSizeView.get(), mFilmSizeView.get(),
                                  mOrientationView.get(), mColorModeView.get(), mInputWHView.get()})
    mInputSetBox->setItem(row);
  mInputSetBox->getTitleTxt()->setAutoresizingMask(kit::kViewMinYMargin);
  mInputSetBox->getBox()->setAutoresizingMask(kit::kViewMinYMargin);
  handToTab(mInputSetBox->getTitleTxt());
  handToTab(mInputSetBox->getBox());

  registControl(mImgSrcPopup->getPopupBT(), &Quirel_ExtendMode::ntf_imageSourceChange, "AdvImageSourceChangePost",
                "POPUP_DOWN");
  registControl(mPaperSizePopup->getPopupBT(), &Quirel_ExtendMode::ntf_paperSizeChange,
                Quirel_CTRLS_PaperSizePopup::kChangePost, "POPUP_DOWN");
  registControl(mFilmSizePopup->getPopupBT(), &Quirel_ExtendMode::ntf_filmSizeChange,
                Quirel_CTRLS_FilmSizePopup::kChangePost, "POPUP_DOWN");
  registControl(mOrientationBtn->getPushBT(), &Quirel_ExtendMode::ntf_orientationDialogOpen,
                Quirel_CTRLS_OrientationButton::kButtonPost, "BUTTON_DOWN");
  registControl(mColorModePopup->getPopupBT(), &Quirel_ExtendMode::ntf_colorModeChange,
                Quirel_CTRLS_ColorModePopup::kChangePost, "POPUP_DOWN");
  registControl(mInSizeWTextF->getNumberTxtF(), &Quirel_ExtendMode::ntf_inputWidthChange,
                Quirel_CTRLS_InputSizeWidthTextF::kChangePost, nullptr);
  registControl(mInSizeWTextF->getNumberTxtF(), &Quirel_ExtendMode::ntf_showTextFValueError, "SET_FOCUS", nullptr);
  registControl(mFixRatioBtn->getIconOnOffBT(), &Quirel_ExtendMode::ntf_fixesRatioChange,
                Quirel_CTRLS_FixesRatioButton::kChangePost, "BUTTON_DOWN");
  registControl(mInSizeHTextF->getNumberTxtF(), &Quirel_ExtendMode::ntf_inputHeightChange,
                Quirel_CTRLS_InputSizeHeightTextF::kChangePost, nullptr);
  registControl(mInSizeHTextF->getNumberTxtF(), &Quirel_ExtendMode::ntf_showTextFValueError, "SET_FOCUS", nullptr);
  registControl(mUnitPopup->getPopupBT(), &Quirel_ExtendMode::ntf_unitChange, "AdvUnitChangePost", "POPUP_DOWN");
}

void Quirel_ExtendMode::createExtendItem_OutputSettings() {
  const double w = tabContentWidth();
  mOutputSetBox = std::make_unique<Quirel_CTRLS_Box>();
  mOutputSetBox->setTitleTxtTitle(uiText("IDC_PGADV_OUTPUT_GROUPBOX_STR"));
  mOutputSetBox->setTitleTxtRect(2, 113, w - 2, 17);
  mOutputSetBox->setBoxRect(0, 0, w, 113);

  mResolutionView = std::make_unique<Quirel_NoFocusView>(fnd::Rect(0, 0, kExtRowWidth, 26));
  mResComboBox = std::make_unique<Quirel_CTRLS_ResolutionComboBox>();
  mResComboBox->setTitleTxtTitle(uiText("IDC_OUTPUT_RES_LABEL_STR"));
  mResComboBox->setUnitTxtTitle(uiText("IDC_DPI_LABEL_STR"));
  const double t = std::max(148.0, extMeasure(mResComboBox->getTitleTxt(), 300, 17).width);
  mResComboBox->setTitleTxtRect(2, 6, t, 17);
  mResComboBox->setNumberTxtFRect(154 + (t - 148), 2, 80 - (t - 148), 22);
  mResComboBox->setPopupBTRect(239, 0, 22, 24);
  mResComboBox->setUnitTxtRect(264, 6, 56, 17);
  extAdd(*mResolutionView, mResComboBox->getTitleTxt());
  extAdd(*mResolutionView, mResComboBox->getNumberTxtF());
  extAdd(*mResolutionView, mResComboBox->getPopupBT());
  extAdd(*mResolutionView, mResComboBox->getUnitTxt());

  mOutputSizeView = std::make_unique<Quirel_NoFocusView>();
  mOutSizePopup = std::make_unique<Quirel_CTRLS_PopupButton>();
  mOutSizePopup->setPupupBTActionPostNtf("AdvOutputSizeChangePost");
  buildPopupRow(*mOutputSizeView, *mOutSizePopup, "IDC_PGADV_OUTPUT_SIZE_LABEL_STR");

  mOutputWHView = std::make_unique<Quirel_NoFocusView>(fnd::Rect(0, 0, kExtRowWidth, 27));
  mOutSizeWTextF = std::make_unique<Quirel_CTRLS_OutputSizeWidthTextF>();
  mOutSizeWTextF->setNumberTxtFRect(32, 3, 55, 22);
  buildSizeLabel(*mOutSizeWTextF, *mOutputWHView, true, true);
  mOutSizeIcon = std::make_unique<Quirel_CTRLS_OutputSizeIconView>();
  mOutSizeIcon->setImage(ver(&Quirel_UIScannerInfo::isVer1500Later) ? "CHAIN.tiff" : "OutputWH.icns", kExtPictures, 94,
                         7, 15, 15);
  mOutSizeHTextF = std::make_unique<Quirel_CTRLS_OutputSizeHeightTextF>();
  mOutSizeHTextF->setNumberTxtFRect(154, 3, 55, 22);
  buildSizeLabel(*mOutSizeHTextF, *mOutputWHView, false, true);
  mMagnification = std::make_unique<Quirel_CTRLS_Magnification>();
  mMagnification->setNumberTxtFRect(210, 3, 40, 22);
  mMagnification->setStepperRect(249, 0, 25, 27);
  mMagnification->setUnitTxtTitle(uiText("IDMAC_PGADV_AGDATA_PCT_STR"));
  mMagnification->setUnitTxtRect(269, 7, 25, 17);
  mDirectionBtn = std::make_unique<Quirel_CTRLS_ADVDirectionButton>();
  mDirectionBtn->setIconBTRect(282, 2, 23, 23);
  if (ver(&Quirel_UIScannerInfo::isVer1500Later))
    mDirectionBtn->setIconBTImage("BT_TATEYOKO_S.tiff", "BT_TATEYOKO_N.tiff", "BT_TATEYOKO_G.tiff", kExtPictures);
  else
    mDirectionBtn->setIconBTImage("BtnDirection_on.icns", "BtnDirection_off.icns",
                                  ver(&Quirel_UIScannerInfo::isVer1400Later) ? "BtnDirection_d.icns" : "", kExtPictures);
  extAdd(*mOutputWHView, mOutSizeWTextF->getNumberTxtF());
  extAdd(*mOutputWHView, mOutSizeIcon->getImageView());
  extAdd(*mOutputWHView, mOutSizeHTextF->getNumberTxtF());
  extAdd(*mOutputWHView, mMagnification->getNumberTxtF());
  extAdd(*mOutputWHView, mMagnification->getStepper());
  extAdd(*mOutputWHView, mMagnification->getUnitTxt());
  extAdd(*mOutputWHView, mDirectionBtn->getIconBT());
  mOutSizeWTextF->setDelegate(this);
  mOutSizeHTextF->setDelegate(this);
  // The keystroke check also watches the resolution and magnification.
  mResComboBox->getNumberTxtF()->setDelegate(this);
  mMagnification->getNumberTxtF()->setDelegate(this);

  mDataSizeView = std::make_unique<Quirel_NoFocusView>(fnd::Rect(0, 0, kExtRowWidth, 22));
  mDataSizeTextF = std::make_unique<Quirel_CTRLS_DateSizeTextF>();
  mDataSizeTextF->setTitleTxtTitle(uiText("IDC_DATA_SIZE_LABEL_STR"));
  mDataSizeTextF->setTitleTxtRect(2, 3, 148, 17);
  mDataSizeTextF->setTxtFRect(154, 0, 151, 22);
  extAdd(*mDataSizeView, mDataSizeTextF->getTitleTxt());
  extAdd(*mDataSizeView, mDataSizeTextF->getTxtF());

  for (Quirel_NoFocusView* row : {mResolutionView.get(), mOutputSizeView.get(), mOutputWHView.get(), mDataSizeView.get()})
    mOutputSetBox->setItem(row);
  mOutputSetBox->getTitleTxt()->setAutoresizingMask(kit::kViewMinYMargin);
  mOutputSetBox->getBox()->setAutoresizingMask(kit::kViewMinYMargin);
  handToTab(mOutputSetBox->getTitleTxt());
  handToTab(mOutputSetBox->getBox());

  registControl(mResComboBox->getNumberTxtF(), &Quirel_ExtendMode::ntf_resolusionChange,
                Quirel_CTRLS_ResolutionComboBox::kChangePost, nullptr);
  registControl(mResComboBox->getNumberTxtF(), &Quirel_ExtendMode::ntf_showTextFValueError, "SET_FOCUS", nullptr);
  registControl(mResComboBox->getPopupBT(), &Quirel_ExtendMode::ntf_resolusionChangeByPopUp,
                Quirel_CTRLS_ResolutionComboBox::kPopupPost, "POPUP_DOWN");
  registControl(mOutSizePopup->getPopupBT(), &Quirel_ExtendMode::ntf_outputSizeChange, "AdvOutputSizeChangePost",
                "POPUP_DOWN");
  registControl(mOutSizeWTextF->getNumberTxtF(), &Quirel_ExtendMode::ntf_outputWidthChange,
                Quirel_CTRLS_OutputSizeWidthTextF::kChangePost, nullptr);
  registControl(mOutSizeWTextF->getNumberTxtF(), &Quirel_ExtendMode::ntf_showTextFValueError, "SET_FOCUS", nullptr);
  registControl(mOutSizeHTextF->getNumberTxtF(), &Quirel_ExtendMode::ntf_outputHeightChange,
                Quirel_CTRLS_OutputSizeHeightTextF::kChangePost, nullptr);
  registControl(mOutSizeHTextF->getNumberTxtF(), &Quirel_ExtendMode::ntf_showTextFValueError, "SET_FOCUS", nullptr);
  registControl(mMagnification->getNumberTxtF(), &Quirel_ExtendMode::ntf_magnificationChange,
                Quirel_CTRLS_Magnification::kChangePost, nullptr);
  registControl(mMagnification->getNumberTxtF(), &Quirel_ExtendMode::ntf_showTextFValueError, "SET_FOCUS", nullptr);
  registControl(mMagnification->getStepper(), &Quirel_ExtendMode::ntf_magnificationChangeByStepper,
                Quirel_CTRLS_Magnification::kStepperPost, "STEPPER_DOWN");
  registControl(mDirectionBtn->getIconBT(), &Quirel_ExtendMode::ntf_directionChange,
                Quirel_CTRLS_ADVDirectionButton::kChangePost, "BUTTON_DOWN");
}

void Quirel_ExtendMode::createExtendItem_Buttons() {
  const double w = tabContentWidth();
  const bool ver1400 = ver(&Quirel_UIScannerInfo::isVer1400Later);
  const double h = ver1400 ? 34 : ver(&Quirel_UIScannerInfo::isVer1200Later) ? 30 : 23;

  mBottomSeparator = std::make_unique<Quirel_CTRLS_Separator>();
  mBottomSeparator->setRect(2, 0, w - 4, 5);
  mPreferenceButtonView = std::make_unique<Quirel_NoFocusView>(fnd::Rect(0, 0, w, 39));
  extAdd(*mPreferenceButtonView, mBottomSeparator->getSeparator());
  if (!ver1400 && mPrefBtn) {
    mPrefBtn->setPushBTRect(157, 5, 163, 32);
    extAdd(*mPreferenceButtonView, mPrefBtn->getPushBT());
  }

  const kit::Font bold = kit::Font::boldSystemFont(13);
  mPrevBtn = std::make_unique<Quirel_CTRLS_ADVPreviewButton>();
  mPrevBtn->setColorPushBTRect(5, 3, 153, h);
  mScanBtn = std::make_unique<Quirel_CTRLS_ADVScanButton>();
  mScanBtn->setColorPushBTRect(164, 3, 153, h);
  if (ver1400) {
    const kit::Color enabled = kit::Color::calibratedRGB(0.157, 0.157, 0.157, 1);
    const kit::Color disabled = kit::Color::calibratedRGB(0.521, 0.521, 0.521, 1);
    mPrevBtn->setColorPushBTTitle(uiText("IDC_SP_PREVIEW_STR"), enabled, disabled, bold);
    mScanBtn->setColorPushBTTitle(uiText("IDC_MS_BTN_MULTI_SCAN_STR"), enabled, disabled, bold);
    mPrevBtn->setImage("AdvPrevBtn_n.tiff", "AdvPrevBtn_n.tiff", "AdvPrevBtn_p.tiff", "AdvPrevBtn_d.tiff", kExtPictures);
    mScanBtn->setImage("AdvScanBtn_n.tiff", "AdvScanBtn_n.tiff", "AdvScanBtn_p.tiff", "AdvScanBtn_d.tiff", kExtPictures);
  } else {
    const kit::Color white = kit::Color::white();
    mPrevBtn->setColorPushBTTitle(uiText("IDC_SP_PREVIEW_STR"), white, white, bold);
    mScanBtn->setColorPushBTTitle(uiText("IDC_MS_BTN_MULTI_SCAN_STR"), white, white, bold);
    mPrevBtn->setImage("PreviewButton_In.tiff", "PreviewButton_Out.tiff", "PreviewButton_Down.tiff", "", kExtPictures);
    mScanBtn->setImage("ScanButton_In.tiff", "ScanButton_Out.tiff", "ScanButton_Down.tiff", "", kExtPictures);
  }
  mZoomBtn = std::make_unique<Quirel_CTRLS_ZoomButton>();
  mZoomBtn->setPushBTRect(0, h + 3, 163, 32);
  mZoomBtn->setPushBTTitle(uiText("IDS_ZOOM_UNDO"), uiText("IDC_PGADV_ZOOM_BTN_STR"));
  mZoomBtn->setState(false);
  mScanButtonView = std::make_unique<Quirel_NoFocusView>(fnd::Rect(0, 0, w, h + 38));
  extAdd(*mScanButtonView, mZoomBtn->getPushBT());
  extAdd(*mScanButtonView, mPrevBtn->getColorPushBT());
  extAdd(*mScanButtonView, mScanBtn->getColorPushBT());
  mScanButtonView->setAutoresizingMask(kit::kViewMaxYMargin);

  handToTab(mPreferenceButtonView.get());
  if (ver1400) mPreferenceButtonView->setHidden(true);
  handToTab(mScanButtonView.get());

  registControl(mZoomBtn->getPushBT(), &Quirel_ExtendMode::ntf_zoomScanStart, Quirel_CTRLS_ZoomButton::kZoomPost,
                "BUTTON_DOWN");
  registControl(mPrevBtn->getColorPushBT(), &Quirel_ExtendMode::ntf_previewStart,
                Quirel_CTRLS_ADVPreviewButton::kStartPost, "BUTTON_DOWN");
  registControl(mScanBtn->getColorPushBT(), &Quirel_ExtendMode::ntf_scanStart, Quirel_CTRLS_ADVScanButton::kStartPost,
                "BUTTON_DOWN");
}
