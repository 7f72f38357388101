#include <algorithm>
#include <cmath>

#include "ui/controls/ExposureStepperCell.h"
#include "ui/controls/IconBezelButton.h"
#include "ui/controls/IconBezelCGButton.h"
#include "ui/controls/NoFocusButton.h"
#include "ui/controls/NoFocusPopUpButton.h"
#include "ui/controls/NoFocusStepper.h"
#include "ui/controls/NoFocusTextField.h"
#include "ui/controls/NumberField.h"
#include "ui/base/PVLocalizedString.h"
#include "ui/model/UIScannerInfo.h"
#include "ui/modes/advanced/ExtendMode.h"
#include "ui/modes/advanced/ExtendModeControls.h"

namespace {

constexpr const char* kImgPictures = "quirel_r14";
constexpr double kImgSectionWidth = 300;

fnd::Size imgMeasure(const kit::TextField* label, double maxWidth, double maxHeight) {
  if (!label) return {0, 0};
  const fnd::Size one = label->cellSize();
  if (one.width <= maxWidth) return {one.width, std::min(std::max(one.height, 17.0), maxHeight)};
  return {maxWidth, std::min(label->heightForWidth(maxWidth), maxHeight)};
}

double imgButtonWidth(const kit::Button* button, const std::string& title) {
  return button ? std::ceil(button->font().widthOfString(title) + 24) : 0;
}

void imgAdd(kit::View& parent, kit::View* child) {
  if (child) parent.addSubview(child);
}

}  // namespace

// The remove-dust title with room for the logo: the text before its first " :" (the whole text
// when it has none), then the gap the logo sits in.
std::string Quirel_ExtendMode::removeDustLogoTitle(const std::string& text) {
  const std::size_t colon = text.find(" :");
  const std::string prefix = colon == std::string::npos ? text : text.substr(0, colon);
  return prefix + " (            ) :";
}

void Quirel_ExtendMode::createExtendItem_ImageSettings() {
  const double w = tabContentWidth();
  mScrollView = std::make_unique<Quirel_CTRLS_ImageSettingScrollView>(2, 0, w - 4, 300);
  mScrollView->setTitleTxtTitle(uiText("IDC_PGADV_IMAGE_PROC_TXT_STR"));
  mScrollView->setTitleTxtRect(2, 317, w - 4, 17);
  mScrollView->setViewRect(0, 0, 295, 360);
  mScrollView->endScrollView();

  // ---- the twelve correction rows.
  mAutoTonePopup = std::make_unique<Quirel_CTRLS_AutoTonePopup>();
  mColorAdjustPopup = std::make_unique<Quirel_CTRLS_ColorAdjustmentPopup>();
  mCopyGammaPopup = std::make_unique<Quirel_CTRLS_ShowThroughPopup>();
  auto generic = [](const char* post) {
    auto popup = std::make_unique<Quirel_CTRLS_PopupButton>();
    popup->setPupupBTActionPostNtf(post);
    return popup;
  };
  mUnsharpPopup = generic("AdvUnsharpMaskChangePost");
  mDescreenPopup = generic("AdvDescreenChangePost");
  mRdcDustPopup = generic("AdvReduceDustChangePost");
  mRemoveDustPopup = std::make_unique<Quirel_CTRLS_RemoveDustPopup>();
  mReduceDustFAUPopup = generic("AdvReduceDustFAUChangePost");
  mFdCorctPopup = generic("AdvFadingCorrectChangePost");
  mGrCorctPopup = generic("AdvGrainCorrectChangePost");
  mBlCorctPopup = generic("AdvLightCorrectChangePost");
  mBookCorctPopup = generic("AdvBookCorrectChangePost");

  struct Row {
    std::unique_ptr<Quirel_NoFocusView>* view;
    Quirel_CTRLS_PopupButton* popup;
    const char* title;
    Forwarder forwarder;
    const char* post;
  };
  const Row rows[] = {
      {&mAutoToneView, mAutoTonePopup.get(), "IDMAC_LABEL_AUTO_TONE", &Quirel_ExtendMode::ntf_autoToneChange,
       Quirel_CTRLS_AutoTonePopup::kChangePost},
      {&mColorAdjustView, mColorAdjustPopup.get(), "IDC_PGADV_AUTOTONE_TXT_STR",
       &Quirel_ExtendMode::ntf_colorAdjustmentChange, Quirel_CTRLS_ColorAdjustmentPopup::kChangePost},
      {&mCopyGammaView, mCopyGammaPopup.get(), "IDC_PGADV_COPYGAMMA_TXT_STR", &Quirel_ExtendMode::ntf_copyGammaChange,
       Quirel_CTRLS_ShowThroughPopup::kChangePost},
      {&mUnsharpView, mUnsharpPopup.get(), "IDC_PGADV_UNSHARP_TXT_STR", &Quirel_ExtendMode::ntf_unsharpMaskChange,
       "AdvUnsharpMaskChangePost"},
      {&mDescreenView, mDescreenPopup.get(), "IDC_PGADV_DESCREEN_TXT_STR", &Quirel_ExtendMode::ntf_descreenChange,
       "AdvDescreenChangePost"},
      {&mRdcDustView, mRdcDustPopup.get(), "IDC_PGADV_REDUCEDUST_TXT_STR", &Quirel_ExtendMode::ntf_reduceDustChange,
       "AdvReduceDustChangePost"},
      {&mRemoveDustView, mRemoveDustPopup.get(), "IDC_PGADV_REMOVEDUST_TXT_STR",
       &Quirel_ExtendMode::ntf_removeDustChange, Quirel_CTRLS_RemoveDustPopup::kChangePost},
      {&mReduceDustFAUView, mReduceDustFAUPopup.get(), "IDC_PGADV_REDUCEDUST_TXT_STR",
       &Quirel_ExtendMode::ntf_reduceDustFAUChange, "AdvReduceDustFAUChangePost"},
      {&mFdCorctView, mFdCorctPopup.get(), "IDC_PGADV_FADINGCORRECT_TXT_STR",
       &Quirel_ExtendMode::ntf_fadingCorrectChange, "AdvFadingCorrectChangePost"},
      {&mGrCorctView, mGrCorctPopup.get(), "IDC_PGADV_GRAINCORRECT_TXT_STR", &Quirel_ExtendMode::ntf_grainCorrectChange,
       "AdvGrainCorrectChangePost"},
      {&mBlCorctView, mBlCorctPopup.get(), "IDC_PGADV_BACKLIGHT_TXT_STR",
       &Quirel_ExtendMode::ntf_backlightCorrectChange, "AdvLightCorrectChangePost"},
      {&mBookCorctView, mBookCorctPopup.get(), "IDC_PGADV_CUBS_TXT_STR", &Quirel_ExtendMode::ntf_bookCorrectChange,
       "AdvBookCorrectChangePost"},
  };
  const bool ver1600 = ver(&Quirel_UIScannerInfo::isVer1600Later);
  const std::string logo = uiText("1003");
  const bool withLogo = !ver1600 && !logo.empty() && logo != "1003" && logo != Quirel_PVLocalizedString::kNone;
  mPopupView = std::make_unique<Quirel_CTRLS_ImageSettingView>();
  mPopupView->setViewRect(0, 0, kImgSectionWidth, 300);
  for (const Row& r : rows) {
    const double titleWidth = r.view == &mCopyGammaView ? 140 : 150;
    std::string title = uiText(r.title);
    if (r.view == &mRemoveDustView && withLogo) title = removeDustLogoTitle(title);
    r.popup->setTitleTxtTitle(title);
    const fnd::Size need = imgMeasure(r.popup->getTitleTxt(), titleWidth, 100);
    const double titleHeight = need.height > 17 ? need.height : 17;
    const double rowHeight = std::max(26.0, need.height > 17 ? titleHeight + 6 : 26.0);
    r.popup->setTitleTxtRect(2, 6, titleWidth, titleHeight);
    if (titleHeight > 17) r.popup->getTitleTxt()->setLineBreakMode(kit::LineBreakMode::WordWrapping);
    r.popup->setPopupBTRect(152, 0, 145, 26);
    *r.view = std::make_unique<Quirel_NoFocusView>(fnd::Rect(0, 0, kImgSectionWidth, rowHeight));
    imgAdd(**r.view, r.popup->getTitleTxt());
    imgAdd(**r.view, r.popup->getPopupBT());
    if (r.view == &mRemoveDustView && withLogo) {
      mRemoveDustPopup->setVexaImage(logo, kImgPictures);
      mRemoveDustPopup->setVexaImageViewRect(74, 3, 55, 25);
      imgAdd(**r.view, mRemoveDustPopup->getVexaImageView());
    }
    mPopupView->setItem(r.view->get(), (*r.view)->frame());
  }

  // ---- exposure section, bottom up.
  const bool ver1500 = ver(&Quirel_UIScannerInfo::isVer1500Later);
  mExposureView = std::make_unique<Quirel_CTRLS_ExposureView>();
  mExposureBtns = std::make_unique<Quirel_CTRLS_ExposureButton>();
  const std::string applyTitle = uiText("IDC_PGADV_SET_AUTOTONE_BTN_STR");
  const std::string resetTitle = uiText("IDS_AGLOCK_OFF");
  mExposureBtns->setApplyBTTitle(applyTitle);
  mExposureBtns->setResetBTTitle(resetTitle);
  const double l = std::max(imgButtonWidth(mExposureBtns->getApplyBT(), applyTitle),
                            imgButtonWidth(mExposureBtns->getResetBT(), resetTitle));
  double top = 0;
  if (ver1500) {
    mExposureBtns->setTwoButtons(false);
    const double bw = l > 150 ? l : 150;
    mExposureBtns->setApplyBTRect(300 - bw, 30, bw, 32);
    mExposureBtns->setResetBTRect(300 - bw, 30, bw, 32);
    top = 62;
  } else {
    mExposureBtns->setTwoButtons(true);
    if (l > 110) {
      mExposureBtns->setApplyBTRect(300 - 2 * l, 0, l, 32);
      mExposureBtns->setResetBTRect(300 - l, 0, l, 32);
    } else {
      mExposureBtns->setApplyBTRect(85, 0, 110, 32);
      mExposureBtns->setResetBTRect(190, 0, 110, 32);
    }
    top = 32;
  }
  mExposureBtns->setTitleTxtTitleForCrop(uiText("IDS_SAVEAGLABEL_NONTHMB"));
  mExposureBtns->setTitleTxtTitleForFrame(uiText("IDS_SAVEAGLABEL_THMB"));
  mExposureBtns->setTitleTxtRect(2, top + 4, 298, 17);
  mExposureBtns->changeCropTitle(true);
  const fnd::Size cropNeed = imgMeasure(mExposureBtns->getTitleTxt(), 298, 50);
  mExposureBtns->changeCropTitle(false);
  const fnd::Size frameNeed = imgMeasure(mExposureBtns->getTitleTxt(), 298, 50);
  double labelHeight = 17;
  if (cropNeed.height > 17 || frameNeed.height > 17) {
    labelHeight = std::max(cropNeed.height, frameNeed.height);
    mExposureBtns->setTitleTxtRect(2, top + 4, std::min(cropNeed.width, frameNeed.width), labelHeight);
  }
  top += 4 + labelHeight;

  mExposureCbx = std::make_unique<Quirel_CTRLS_CheckBox>(Quirel_CTRLS_CheckBox::Variant::ADV);
  mExposureCbx->setCheckBoxActionPostNtf("AdvExposureCheckPost");
  mExposureCbx->setCheckBoxTitle(uiText("IDC_PGADV_HAND_AG_CHK_STR"));
  const double t = top + 4;
  const fnd::Size cbxNeed = imgMeasure(mExposureCbx->getCheckBoxTitleTxt(), 298, 100);
  double rowTop = t + 27;
  if (cbxNeed.width > 173) {
    mExposureCbx->setCheckBoxTitleTxtRect(2, t + 33, cbxNeed.width, cbxNeed.height);
    rowTop = t + 33 + cbxNeed.height;
  } else {
    mExposureCbx->setCheckBoxTitleTxtRect(2, t + 6, 173, 17);
  }
  mExposureCbx->setCheckBoxRect(175, t + 5, 25, 18);
  mExposureField = std::make_unique<Quirel_CTRLS_ExposureField>();
  mExposureField->setNumberTxtFRect(200, t + 3, 50, 22);
  mExposureField->setStepperRect(250, t, 25, 27);
  mExposureField->setUnitTxtTitle(uiText("IDMAC_PGADV_AGDATA_PCT_STR"));
  mExposureField->setUnitTxtRect(272, t + 6, 25, 17);
  mExposureField->getNumberTxtF()->setDelegate(this);
  const double exposureClose = rowTop;

  auto header = [&](Quirel_CTRLS_OpenButton& open, Quirel_CTRLS_Separator& separator, const char* titleKey,
                    double base) {
    open.setTitleTxtTitle(uiText(titleKey));
    open.setPushBTRect(270, base + 4, 20, 20);
    open.setTitleTxtRect(2, base + 4 + 2, 268, 17);
    if (ver1500)
      open.setPushBTImage("BT_SPREAD.tif", "BT_FOLD.tif", kImgPictures);
    else
      open.setPushBTImage("BtnDownArrow.icns", "BtnUpArrow.icns", kImgPictures);
    separator.setRect(2, base + 4 + 20 + 2, 296, 5);
    return base + 4 + 20 + 2 + 5;
  };
  mExposureOpenBtn = std::make_unique<Quirel_CTRLS_ExposureOpenButton>();
  mExposureSeparator = std::make_unique<Quirel_CTRLS_Separator>();
  const double exposureFull = header(*mExposureOpenBtn, *mExposureSeparator, "IDC_PGADV_AG_TONE_TXT_STR", exposureClose);
  mExposureView->setViewRect(0, 65, kImgSectionWidth, exposureFull);
  mExposureView->setFullHeight(exposureFull);
  mExposureView->setCloseHeight(exposureClose);
  auto item = [](Quirel_CTRLS_ImageSettingView& section, kit::View* v) {
    if (v) section.setItem(v, v->frame());
  };
  for (kit::View* v : std::initializer_list<kit::View*>{
           mExposureSeparator->getSeparator(), mExposureOpenBtn->getTitleTxt(), mExposureOpenBtn->getPushBT(),
           mExposureCbx->getCheckBoxTitleTxt(), mExposureCbx->getCheckBox(), mExposureField->getNumberTxtF(),
           mExposureField->getStepper(), mExposureField->getUnitTxt(), mExposureBtns->getTitleTxt(),
           mExposureBtns->getApplyBT(), mExposureBtns->getResetBT()})
    item(*mExposureView, v);

  // ---- high quality: the exposure section's lowest row from version 15 on, else the scan settings'.
  mHighQualityPopup = std::make_unique<Quirel_CTRLS_PopupButton>();
  mHighQualityPopup->setPupupBTActionPostNtf("AdvHighQualityChangePost");
  mHighQualityPopup->setTitleTxtTitle(uiText("IDC_PGADV_HIGHMODE_TXT_STR"));
  mHighQualityPopup->setTitleTxtRect(2, 8, 150, 17);
  mHighQualityPopup->setPopupBTRect(152, 2, 145, 26);
  mScanSettingView = std::make_unique<Quirel_CTRLS_ScanSettingView>();
  mExposureView->setHasHighQualityPopup(ver1500);
  mScanSettingView->setHasHighQualityPopup(!ver1500);
  Quirel_CTRLS_ImageSettingView& hqHome = ver1500 ? static_cast<Quirel_CTRLS_ImageSettingView&>(*mExposureView)
                                                  : static_cast<Quirel_CTRLS_ImageSettingView&>(*mScanSettingView);
  item(hqHome, mHighQualityPopup->getTitleTxt());
  item(hqHome, mHighQualityPopup->getPopupBT());

  const double scanClose = std::max(2.0, 2.0 + 26.0);
  mScanSettingOpenBtn = std::make_unique<Quirel_CTRLS_ScanSettingOpenButton>();
  mScanSettingSeparator = std::make_unique<Quirel_CTRLS_Separator>();
  const double scanFull = header(*mScanSettingOpenBtn, *mScanSettingSeparator, "IDMAC_ADV_TXT_SCAN_SETTINGS", scanClose);
  mScanSettingView->setViewRect(0, 65, kImgSectionWidth, scanFull);
  mScanSettingView->setFullHeight(scanFull);
  mScanSettingView->setCloseHeight(scanClose);
  item(*mScanSettingView, mScanSettingSeparator->getSeparator());
  item(*mScanSettingView, mScanSettingOpenBtn->getTitleTxt());
  item(*mScanSettingView, mScanSettingOpenBtn->getPushBT());

  // ---- calibration section.
  mCalibrationPopup = std::make_unique<Quirel_CTRLS_PopupButton>();
  mCalibrationPopup->setPupupBTActionPostNtf("AdvCalibrationChangePost");
  mCalibrationPopup->setTitleTxtTitle(uiText("IDC_PGPREF_CALIB_BFR_SCAN_TXT_STR"));
  const double calTitleHeight = std::max(17.0, imgMeasure(mCalibrationPopup->getTitleTxt(), 150, 100).height);
  mCalibrationPopup->setTitleTxtRect(2, 8, 150, calTitleHeight);
  mCalibrationPopup->setPopupBTRect(152, 2, 145, 26);
  double calTop = std::max(28.0, 8 + calTitleHeight);
  mCalibrationBtn = std::make_unique<Quirel_CTRLS_PushButton>();
  mCalibrationBtn->setPushBTActionPostNtf("AdvCalibrationStartPost");
  mCalibrationBtn->setTitleTxtTitle(uiText("IDMAC_ADV_LABEL_CALIB"));
  mCalibrationBtn->setPushBTTitle(uiText("IDC_PGPREF_CALIB_BTN_STR"));
  mCalibrationBtn->setPushBTRect(150, calTop + 4, 150, 32);
  mCalibrationBtn->setTitleTxtRect(2, calTop + 4 + 10, 148, 17);
  calTop += 4 + 32;
  mCalibrationOpenBtn = std::make_unique<Quirel_CTRLS_CalibrationOpenButton>();
  mCalibrationSeparator = std::make_unique<Quirel_CTRLS_Separator>();
  const double calFull = header(*mCalibrationOpenBtn, *mCalibrationSeparator, "IDC_PGPREF_CALIB_SETTINGS_TXT_STR", calTop);
  mCalibrationView = std::make_unique<Quirel_CTRLS_CalibrationView>();
  mCalibrationView->setViewRect(0, 65, kImgSectionWidth, calFull);
  mCalibrationView->setFullHeight(calFull);
  mCalibrationView->setCloseHeight(calTop);
  for (kit::View* v : std::initializer_list<kit::View*>{
           mCalibrationSeparator->getSeparator(), mCalibrationOpenBtn->getTitleTxt(), mCalibrationOpenBtn->getPushBT(),
           mCalibrationBtn->getTitleTxt(), mCalibrationBtn->getPushBT(), mCalibrationPopup->getTitleTxt(),
           mCalibrationPopup->getPopupBT()})
    item(*mCalibrationView, v);

  for (Quirel_CTRLS_ImageSettingView* v : std::initializer_list<Quirel_CTRLS_ImageSettingView*>{
           mPopupView.get(), mExposureView.get(), mScanSettingView.get(), mCalibrationView.get()})
    mScrollView->setItem(v->getView(), v->getViewRect());
  mExposureView->setHidden(false);
  mScanSettingView->setHidden(false);
  mCalibrationView->setHidden(false);
  handToTab(mScrollView->getTitleTxt());
  handToTab(mScrollView->getScrollView());

  for (const Row& r : rows) registControl(r.popup->getPopupBT(), r.forwarder, r.post, "POPUP_DOWN");
  registControl(mExposureOpenBtn->getPushBT(), &Quirel_ExtendMode::ntf_exposureOpen,
                Quirel_CTRLS_ExposureOpenButton::kOpenPost, "BUTTON_DOWN");
  registControl(mExposureCbx->getCheckBox(), &Quirel_ExtendMode::ntf_exposureCheck, "AdvExposureCheckPost",
                "BUTTON_DOWN");
  registControl(mExposureField->getNumberTxtF(), &Quirel_ExtendMode::ntf_exposureChange,
                Quirel_CTRLS_ExposureField::kChangePost, nullptr);
  registControl(mExposureField->getNumberTxtF(), &Quirel_ExtendMode::ntf_showTextFValueError, "SET_FOCUS", nullptr);
  // The stepper's action comes from its cell when the mouse is released; its press from itself.
  registControl(mExposureField->getStepperCell(), &Quirel_ExtendMode::ntf_exposureChangeByStepper,
                "AdvExposureStepperPost", nullptr);
  registControl(mExposureField->getStepper(), nullptr, nullptr, "STEPPER_DOWN");
  registControl(mExposureBtns->getApplyBT(), &Quirel_ExtendMode::ntf_exposureApply,
                Quirel_CTRLS_ExposureButton::kApplyPost, "BUTTON_DOWN");
  registControl(mExposureBtns->getResetBT(), &Quirel_ExtendMode::ntf_exposureReset,
                Quirel_CTRLS_ExposureButton::kResetPost, "BUTTON_DOWN");
  registControl(mScanSettingOpenBtn->getPushBT(), &Quirel_ExtendMode::ntf_scanSettingOpen,
                Quirel_CTRLS_ScanSettingOpenButton::kOpenPost, "BUTTON_DOWN");
  registControl(mHighQualityPopup->getPopupBT(), &Quirel_ExtendMode::ntf_highQualityChange, "AdvHighQualityChangePost",
                "POPUP_DOWN");
  registControl(mCalibrationOpenBtn->getPushBT(), &Quirel_ExtendMode::ntf_calibrationOpen,
                Quirel_CTRLS_CalibrationOpenButton::kOpenPost, "BUTTON_DOWN");
  registControl(mCalibrationBtn->getPushBT(), &Quirel_ExtendMode::ntf_calibrationStart, "AdvCalibrationStartPost",
                "BUTTON_DOWN");
  registControl(mCalibrationPopup->getPopupBT(), &Quirel_ExtendMode::ntf_calibrationChange, "AdvCalibrationChangePost",
                "POPUP_DOWN");
}

void Quirel_ExtendMode::createExtendItem_ColorSettings() {
  mToneCurveSetBox = std::make_unique<Quirel_CTRLS_Box>();
  mToneCurveSetBox->setBoxRect(0, 0, 320, 65);
  mToneCurveSetBox->getBox()->setAutoresizingMask(kit::kViewMaxYMargin);
  const bool ver1500 = ver(&Quirel_UIScannerInfo::isVer1500Later);
  const bool ver1400 = ver(&Quirel_UIScannerInfo::isVer1400Later);

  struct Icon {
    std::unique_ptr<Quirel_CTRLS_IconBezelCGButton>* button;
    double x, y;
    const char* post;
    const char* newName;  // version 15: "<name>_S/_N/_G.tiff"
    const char* colour;   // older: "<colour>_on/_off/_d.icns"
    const char* grey;
    Forwarder forwarder;
  };
  const Icon icons[] = {
      {&mColorBalanceBtn, 0, 28, "AdvColorBalanceOpenPost", "BT_CHROMA", "BtnColorBlc", "BtnColorBlcG",
       &Quirel_ExtendMode::ntf_colorBalanceOpen},
      {&mContrastBtn, 38, 28, "AdvContrastOpenPost", "BT_BRIGH_CONTRAST", "BtnContrast", "BtnContrastG",
       &Quirel_ExtendMode::ntf_contrastOpen},
      {&mHistogramBtn, 76, 28, "AdvHistogramOpenPost", "BT_COMPENSATE", "BtnHistogram", "BtnHistogramG",
       &Quirel_ExtendMode::ntf_histogramOpen},
      {&mToneCurveBtn, 114, 28, "AdvToneCurveOpenPost", "BT_TONE", "BtnToneCurve", "BtnToneCurveG",
       &Quirel_ExtendMode::ntf_toneCurveOpen},
      {&mFinalReviewBtn, 0, 1, "AdvFinalReviewOpenPost", "BT_FINAL", "BtnFinalReview", "BtnFinalReviewG",
       &Quirel_ExtendMode::ntf_finalReviewOpen},
  };
  for (const Icon& i : icons) {
    auto button = std::make_unique<Quirel_CTRLS_IconBezelCGButton>();
    button->setIconCGBTRect(i.x, i.y, 33, 24);
    button->setIconBezelCGBTActionPostNtf(i.post);
    const std::string n = i.newName;
    if (ver1500) {
      button->setIconCGBTColorImage(n + "_S.tiff", n + "_N.tiff", n + "_G.tiff", kImgPictures);
      button->setIconCGBTGrayImage(n + "_S.tiff", n + "_N.tiff", n + "_G.tiff", kImgPictures);
    } else {
      const std::string c = i.colour;
      const std::string g = i.grey;
      // The colour-balance button's pressed picture has a name of its own.
      const std::string cOn = i.button == &mColorBalanceBtn ? "BTNBRI_cl.icns" : c + "_on.icns";
      button->setIconCGBTColorImage(cOn, c + "_off.icns", ver1400 ? c + "_d.icns" : "", kImgPictures);
      if (ver1400 && i.button == &mColorBalanceBtn)
        button->setIconCGBTGrayImage(cOn, c + "_off.icns", c + "_d.icns", kImgPictures);
      else
        button->setIconCGBTGrayImage(g + "_on.icns", g + "_off.icns", ver1400 ? g + "_d.icns" : "", kImgPictures);
    }
    mToneCurveSetBox->setItem(button->getIconCGBT());
    *i.button = std::move(button);
  }
  mThresholdBtn = std::make_unique<Quirel_CTRLS_ThresholdButton>();
  mThresholdBtn->setIconBTRect(0, 28, 33, 24);
  if (ver1500)
    mThresholdBtn->setIconBTImage("BT_WHITE_BLACK_S.tiff", "BT_WHITE_BLACK_N.tiff", "BT_WHITE_BLACK_G.tiff",
                                  kImgPictures);
  else
    mThresholdBtn->setIconBTImage("BtnThreshold_on.icns", "BtnThreshold_off.icns", ver1400 ? "BtnThreshold_d.icns" : "",
                                  kImgPictures);
  mThresholdBtn->setHidden(true);
  mToneCurveSetBox->setItem(mThresholdBtn->getIconBT());
  mToneCurvePopup = std::make_unique<Quirel_CTRLS_PopupButton>();
  mToneCurvePopup->setPupupBTActionPostNtf("AdvToneCurveChangePost");
  mToneCurvePopup->setPopupBTRect(150, 25, 160, 25);
  mToneCurveSetBox->setItem(mToneCurvePopup->getPopupBT());
  mToneResetBtn = std::make_unique<Quirel_CTRLS_PushButton>();
  mToneResetBtn->setPushBTActionPostNtf("AdvToneResetPost");
  mToneResetBtn->setPushBTTitle(uiText("IDC_PGADV_IPROC_RESET_BTN_STR"));
  mToneResetBtn->setPushBTRect(147, -5, 165, 32);
  mToneCurveSetBox->setItem(mToneResetBtn->getPushBT());
  handToTab(mToneCurveSetBox->getBox());

  for (const Icon& i : icons) registControl((*i.button)->getIconCGBT(), i.forwarder, i.post, "BUTTON_DOWN");
  registControl(mThresholdBtn->getIconBT(), &Quirel_ExtendMode::ntf_thresholdOpen,
                Quirel_CTRLS_ThresholdButton::kOpenPost, "BUTTON_DOWN");
  registControl(mToneCurvePopup->getPopupBT(), &Quirel_ExtendMode::ntf_toneSettingChange, "AdvToneCurveChangePost",
                "POPUP_DOWN");
  registControl(mToneResetBtn->getPushBT(), &Quirel_ExtendMode::ntf_toneSettingReset, "AdvToneResetPost",
                "BUTTON_DOWN");
}
