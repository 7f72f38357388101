// The basic mode's panel: a column of numbered steps built once per main window, with menus
// filled from the model's parameters, stacked from the top of the tab, given their tool tips.

#include <algorithm>
#include <cmath>

#include "kit/Image.h"
#include "kit/TabView.h"
#include "kit/TextField.h"
#include "ui/base/PVLocalizedString.h"
#include "ui/controls/CTRLS_AdjustCropText.h"
#include "ui/controls/CTRLS_ColorPatternButton.h"
#include "ui/controls/CTRLS_DestinationPopup.h"
#include "ui/controls/CTRLS_ImageCorrectText.h"
#include "ui/controls/CTRLS_ImageSourcePopup.h"
#include "ui/controls/CTRLS_OutputSizePopup.h"
#include "ui/controls/CTRLS_PushButton.h"
#include "ui/controls/CTRLS_STDCheckBox.h"
#include "ui/controls/CTRLS_STDDirectionButton.h"
#include "ui/controls/CTRLS_STDPreviewButton.h"
#include "ui/controls/CTRLS_STDScanButton.h"
#include "ui/controls/CTRLS_TabView.h"
#include "ui/controls/ColorButton.h"
#include "ui/controls/IconBezelButton.h"
#include "ui/controls/NoFocusButton.h"
#include "ui/controls/NoFocusImageView.h"
#include "ui/controls/NoFocusPopUpButton.h"
#include "ui/controls/NoFocusTextField.h"
#include "ui/controls/NoFocusView.h"
#include "ui/model/OutputSize.h"
#include "ui/model/UIScannerInfo.h"
#include "ui/modes/basic/StandardMode.h"

namespace {

constexpr double kStdStepLineWidthNew = 4;
constexpr double kStdStepLineWidthOld = 15;
constexpr double kStdDecorSize = 32;
constexpr double kStdCheckHeight = 26;

// The height a label needs for its text within maxWidth x maxHeight.
double stdTextHeight(const kit::TextField& field, double maxWidth, double maxHeight) {
  const double inset = 2 * kit::TextField::kLabelInset;
  const double height = std::ceil(field.font().heightForWidth(field.stringValue(), std::max(0.0, maxWidth - inset)));
  return std::min(height, maxHeight);
}

void stdWrap(kit::TextField& field) {
  field.setUsesSingleLineMode(false);
  field.setLineBreakMode(kit::LineBreakMode::WordWrapping);
}

std::unique_ptr<Quirel_NoFocusImageView> stdDecoration(const fnd::Rect& frame, const std::string& image,
                                                       kit::ImageScaling scaling) {
  auto view = std::make_unique<Quirel_NoFocusImageView>(frame);
  view->setImageScaling(scaling);
  if (auto picture = Quirel_StandardMode::getImageFromFile(image)) view->setImage(*picture);
  return view;
}

void stdDetach(kit::View* view) {
  if (view) view->removeFromSuperview();
}

}  // namespace

// ---- Helpers --------------------------------------------------------------------------------

bool Quirel_StandardMode::panelVer(int version) const {
  if (!mScannerInfo) return false;
  switch (version) {
    case 1200: return mScannerInfo->isVer1200Later();
    case 1300: return mScannerInfo->isVer1300Later();
    case 1400: return mScannerInfo->isVer1400Later();
    case 1500: return mScannerInfo->isVer1500Later();
    case 1600: return mScannerInfo->isVer1600Later();
    case 1700: return mScannerInfo->isVer1700Later();
    default: return false;
  }
}

std::string Quirel_StandardMode::uiText(const std::string& key, const char* table) const {
  if (!mLSobj) return key;
  return mLSobj->ls_localizedStringForKey(key, table).value_or(key);
}

kit::Color Quirel_StandardMode::stepTitleColor() const {
  return panelVer(1400) ? kit::Color::calibratedRGB(0.27, 0.27, 0.27) : kit::Color::calibratedRGB(0.192, 0.388, 0.612);
}

double Quirel_StandardMode::contentWidth() const {
  return mMainTab ? mMainTab->getTabView()->contentRect().size.width : 0;
}

std::optional<kit::Image> Quirel_StandardMode::getImageFromFile(const std::string& name) {
  kit::Image image = kit::Image::named(name, kPictureBundle);
  if (!image.isValid()) return std::nullopt;
  return image;
}

void Quirel_StandardMode::buildStepDecorations(StepParts& step, double height, double lineY, double lineHeight,
                                               bool longDot, double dotY, const char* numberImage) {
  const bool v14 = panelVer(1400);
  const double lineX = v14 ? 38 : 33;
  const double lineW = v14 ? kStdStepLineWidthNew : kStdStepLineWidthOld;
  step.line = stdDecoration(fnd::Rect(lineX, lineY, lineW, lineHeight), v14 ? "step_line.tif" : "VerticalLine.tiff",
                            kit::ImageScaling::AxesIndependently);
  const char* dotImage = longDot ? (v14 ? "dot_line_3.icns" : "Dot3.tiff") : (v14 ? "dot_line_5.icns" : "Dot5.tiff");
  step.dot = stdDecoration(fnd::Rect(longDot ? 56 : 50, dotY, kStdDecorSize, kStdDecorSize), dotImage,
                           kit::ImageScaling::None);
  step.number = stdDecoration(fnd::Rect(24, dotY, kStdDecorSize, kStdDecorSize), numberImage, kit::ImageScaling::None);
  step.view = std::make_unique<Quirel_NoFocusView>(fnd::Rect(0, 0, contentWidth(), height));
  // A step keeps its distance from the top of the tab when the window grows.
  step.view->setAutoresizingMask(kit::kViewMinYMargin);
  step.view->addSubview(step.line.get());
  step.view->addSubview(step.dot.get());
  step.view->addSubview(step.number.get());
}

void Quirel_StandardMode::placeStep(StepParts& step) {
  if (mMainTab && step.view) mMainTab->setStandardTabViewItem(step.view.get(), step.view->frame());
}

// ---- Building -------------------------------------------------------------------------------

void Quirel_StandardMode::createStandardItem(Quirel_CTRLS_TabView* tabView) {
  if (!tabView || mMainTab) return;
  mMainTab = tabView;
  std::string caption;
  if (mScannerInfo && mScannerInfo->isTrivoVer100Later())
    caption = uiText("PVTO_BASIC_CAPTION", "PictavoTrivo");
  else
    caption = uiText(panelVer(1400) ? "IDS_PAGE_SIMPLE" : "IDMAC_SIM_CAPTION");
  mMainTab->setStandardTabViewLabel(caption);

  createImageSourcePopup();
  createPreviewButton();
  createDestinationPopup();
  createOutputSizePopup();
  createAdjustCrop();
  createImageCorrect();
  createScanButton();

  observeStandardItem();
}

void Quirel_StandardMode::createImageSourcePopup() {
  mImageSourcePopup = std::make_unique<Quirel_CTRLS_ImageSourcePopup>();
  mImageSourcePopup->setTitleTxtTitle(uiText("IDC_SP_TXT_SOURCESELECT_STR"));
  mImageSourcePopup->setTitleTxtColor(stepTitleColor());
  mImageSourcePopup->setTitleTxtRect(90, 26, 230, 20);
  mImageSourcePopup->setPopupBTRect(90, 0, 200, 26);
  buildStepDecorations(mImageSourceStep, 54, 0, 28, true, 20, panelVer(1400) ? "step_number_1.icns" : "Step1.icns");
  mImageSourceStep.view->addSubview(mImageSourcePopup->getTitleTxt());
  mImageSourceStep.view->addSubview(mImageSourcePopup->getPopupBT());
  placeStep(mImageSourceStep);
}

namespace {

// The Preview and Scan buttons share their frames, pictures and title colours by version.
template <class Button>
void stdColourButton(Button& button, bool v12, bool v14, const char* const newImages[4], const char* const oldImages[3],
                     const std::string& title) {
  if (v14)
    button.setColorPushBTRect(92, 0, 201, 34);
  else if (v12)
    button.setColorPushBTRect(92, 6, 201, 28);
  else
    button.setColorPushBTRect(92, 11, 201, 23);
  if (v14)
    button.setImage(newImages[0], newImages[1], newImages[2], newImages[3], Quirel_StandardMode::kPictureBundle);
  else
    button.setImage(oldImages[0], oldImages[1], oldImages[2], "", Quirel_StandardMode::kPictureBundle);
  const kit::Color enabled = v14 ? kit::Color::calibratedWhite(0.157) : kit::Color::white();
  const kit::Color disabled = v14 ? kit::Color::calibratedWhite(0.521) : kit::Color::white();
  button.setColorPushBTTitle(title, enabled, disabled, kit::Font::boldSystemFont(13));
}

}  // namespace

void Quirel_StandardMode::createPreviewButton() {
  mPreviewBtn = std::make_unique<Quirel_CTRLS_STDPreviewButton>();
  mPreviewBtn->setTitleTxtTitle(uiText("IDC_SP_TXT_PREVIEW_STR"));
  mPreviewBtn->setTitleTxtColor(stepTitleColor());
  mPreviewBtn->setTitleTxtRect(90, 36, 230, 20);
  static const char* const kNew[4] = {"preview_btn_n.tiff", "preview_btn_n.tiff", "preview_btn_p.tiff",
                                      "preview_btn_d.tiff"};
  static const char* const kOld[3] = {"PreviewButton_In.tiff", "PreviewButton_Out.tiff", "PreviewButton_Down.tiff"};
  stdColourButton(*mPreviewBtn, panelVer(1200), panelVer(1400), kNew, kOld, uiText("IDC_SP_PREVIEW_STR"));
  buildStepDecorations(mPreviewStep, 65, 0, 65, true, 30, panelVer(1400) ? "step_number_2.icns" : "Step2.icns");
  mPreviewStep.view->addSubview(mPreviewBtn->getTitleTxt());
  mPreviewStep.view->addSubview(mPreviewBtn->getColorPushBT());
  placeStep(mPreviewStep);
}

void Quirel_StandardMode::createDestinationPopup() {
  mDestinationPopup = std::make_unique<Quirel_CTRLS_DestinationPopup>();
  mDestinationPopup->setTitleTxtTitle(uiText("IDC_SP_TXT_PURPOSE_STR"));
  mDestinationPopup->setTitleTxtColor(stepTitleColor());
  mDestinationPopup->setTitleTxtRect(90, 26, 230, 20);
  mDestinationPopup->setPopupBTRect(90, 0, 200, 26);
  buildStepDecorations(mDestinationStep, 54, 0, 60, false, 20, panelVer(1400) ? "step_small.icns" : "Step0.icns");
  mDestinationStep.view->addSubview(mDestinationPopup->getTitleTxt());
  mDestinationStep.view->addSubview(mDestinationPopup->getPopupBT());
  placeStep(mDestinationStep);
}

Quirel_StandardMode::OutputSizeStepFrames Quirel_StandardMode::outputSizeStepFrames(double labelHeight) {
  OutputSizeStepFrames f;
  f.icon = fnd::Rect(95, 0, 23, 23);
  f.label = fnd::Rect(120, 0, 200, 20);
  if (labelHeight > 20) {
    f.icon = fnd::Rect(95, labelHeight - 23, 23, 23);
    f.label = fnd::Rect(120, 0, 200, labelHeight);
  }
  const double y = std::max(labelHeight, 23.0);
  f.popup = fnd::Rect(90, y, 200, 26);
  f.title = fnd::Rect(90, y + 26, 230, 20);
  f.dotY = y + 20;
  return f;
}

void Quirel_StandardMode::createOutputSizePopup() {
  mOutputSizePopup = std::make_unique<Quirel_CTRLS_OutputSizePopup>();
  mOutputSizePopup->setTitleTxtTitle(uiText("IDC_SP_TXT_OUTPUTSIZE_STR"));
  mOutputSizePopup->setTitleTxtColor(stepTitleColor());

  mDirectionBtn = std::make_unique<Quirel_CTRLS_STDDirectionButton>();
  if (panelVer(1500))
    mDirectionBtn->setIconBTImage("BT_TATEYOKO_S.tiff", "BT_TATEYOKO_N.tiff", "BT_TATEYOKO_G.tiff", kPictureBundle);
  else
    mDirectionBtn->setIconBTImage("BtnDirection_on.icns", "BtnDirection_off.icns",
                                  panelVer(1400) ? "BtnDirection_d.icns" : "", kPictureBundle);
  mDirectionBtn->setTitleTxtTitle(uiText("IDC_SP_SWAPASPECT_LABEL_STR"));
  kit::TextField* label = mDirectionBtn->getTitleTxt();
  stdWrap(*label);
  const OutputSizeStepFrames f = outputSizeStepFrames(stdTextHeight(*label, 200, 100));
  mDirectionBtn->setIconBTRect(f.icon);
  mDirectionBtn->setTitleTxtRect(f.label);
  mOutputSizePopup->setPopupBTRect(f.popup.origin.x, f.popup.origin.y, f.popup.size.width, f.popup.size.height);
  mOutputSizePopup->setTitleTxtRect(f.title);

  buildStepDecorations(mOutputSizeStep, 78, 0, 80, false, f.dotY, panelVer(1400) ? "step_small.icns" : "Step0.icns");
  mOutputSizeStep.view->addSubview(mOutputSizePopup->getTitleTxt());
  mOutputSizeStep.view->addSubview(mOutputSizePopup->getPopupBT());
  mOutputSizeStep.view->addSubview(mDirectionBtn->getIconBT());
  mOutputSizeStep.view->addSubview(label);
  placeStep(mOutputSizeStep);
}

void Quirel_StandardMode::createAdjustCrop() {
  mAdjustCropTxt = std::make_unique<Quirel_CTRLS_AdjustCropText>();
  mAdjustCropTxt->setImage(panelVer(1500) ? "CROPBORDER.tiff" : "AdjustCrop.icns", kPictureBundle);
  mAdjustCropTxt->setImageViewRect(90, 6, 22, 22);
  mAdjustCropTxt->setTitleTxtTitle(uiText("IDC_SP_TXT_ADJUST_CROP_STR"));
  mAdjustCropTxt->setTitleTxtColor(stepTitleColor());
  mAdjustCropTxt->setTitleTxtRect(110, 6, 210, 20);
  buildStepDecorations(mAdjustCropStep, 32, 0, 32, false, 0, panelVer(1400) ? "step_small.icns" : "Step0.icns");
  mAdjustCropStep.view->addSubview(mAdjustCropTxt->getImageView());
  mAdjustCropStep.view->addSubview(mAdjustCropTxt->getTitleTxt());
  placeStep(mAdjustCropStep);
}

std::unique_ptr<Quirel_NoFocusView> Quirel_StandardMode::makeCheckRow(std::unique_ptr<Quirel_CTRLS_STDCheckBox>& box,
                                                                      double y, const char* title,
                                                                      const char* postName, bool wideLayout,
                                                                      const char* const images[3], bool titleFix) {
  const double width = contentWidth();
  auto row = std::make_unique<Quirel_NoFocusView>(fnd::Rect(0, y, width, 30));
  box = std::make_unique<Quirel_CTRLS_STDCheckBox>();
  box->setImage(images[0], images[1], images[2], kPictureBundle);
  if (wideLayout) {
    box->setImageViewRect(94, 2, 26, 26);
    box->setCheckBoxRect(124, 2, 196, kStdCheckHeight);
  } else {
    box->setImageViewRect(90, 2, 26, 26);
    box->setCheckBoxRect(120, 2, 195, kStdCheckHeight);
  }
  // A picture of its own for the unavailable state: the view must not grey it again. A row
  // without one (older models) is greyed by the view.
  if (box->hasDisableImage()) box->getImageView()->setGrayoutWhenDisable(false);
  box->setCheckBoxTitle(title);
  kit::TextField* label = box->getCheckBoxTitleTxt();
  stdWrap(*label);
  const fnd::Rect cbx = box->getCheckBoxRect();
  const double x = cbx.origin.x + 18;
  const double labelWidth = width - x;
  const double height = stdTextHeight(*label, labelWidth, 100);
  const double labelY = (height > kStdCheckHeight && titleFix) ? 0 : cbx.origin.y + 6;
  box->setCheckBoxTitleTxtRect(x, labelY, labelWidth, height);
  box->setCheckBoxActionPostNtf(postName);
  row->addSubview(box->getImageView());
  row->addSubview(label);
  row->addSubview(box->getCheckBox());
  return row;
}

void Quirel_StandardMode::createImageCorrect() {
  const bool v14 = panelVer(1400);
  const bool v15 = panelVer(1500);
  const bool v17 = panelVer(1700);
  const double width = contentWidth();

  // Colour pattern, the bottom row.
  mColorPatternView = std::make_unique<Quirel_NoFocusView>(fnd::Rect(0, 0, width, 36));
  if (v14) {
    mColorPatternBtn = Quirel_CTRLS_ColorPatternButton::initWithImageView();
    mColorPatternBtn->setPushBTRect(124, 3, 170, 32);
    mColorPatternBtn->setImageViewRect(v15 ? 94 : 93, 7, 26, 26);
    if (v15)
      mColorPatternBtn->setImage_32("VIEWCOLOR_N.tiff", "VIEWCOLOR_G.tiff", kPictureBundle);
    else
      mColorPatternBtn->setImage_32("view_sample_color_e_32x32.icns", "view_sample_color_d_32x32.icns", kPictureBundle);
    mColorPatternBtn->getImageView()->setGrayoutWhenDisable(false);
    mColorPatternView->addSubview(mColorPatternBtn->getImageView());
  } else {
    mColorPatternBtn = std::make_unique<Quirel_CTRLS_ColorPatternButton>();
    mColorPatternBtn->setPushBTRect(90, 2, 200, 32);
    mColorPatternBtn->setImage_16("view_sample_color_e_16x16.icns", "view_sample_color_g_16x16.icns", kPictureBundle);
  }
  mColorPatternBtn->setPushBTTitle(uiText("IDC_SP_COLOR_PATTERN_STR"));
  mColorPatternView->addSubview(mColorPatternBtn->getPushBT());

  static const char* const kAutoDoc[3] = {"BOOK_HOSEI_ON.tiff", "BOOK_HOSEI_N.tiff", "BOOK_HOSEI_G.tiff"};
  static const char* const kNone[3] = {"", "", ""};
  mAutoDocCorrectView = makeCheckRow(mAutoDocCorrectCbx, 36, uiText("IDC_SP_CHK_EFFECT_AUTO_DOCUMENT_STR").c_str(),
                                     "AutoDocumentCorrectCheckPost", true, kAutoDoc, true);
  double y = (mScannerInfo && mScannerInfo->AutoDocCorrect()) ? 66 : 36;
  mAutoPhotoCorrectView =
      makeCheckRow(mAutoPhotoCorrectCbx, y, "Auto photo correction", "AutoPhotoCorrectCheckPost", true, kNone, true);
  if (mScannerInfo && mScannerInfo->AutoPhotoCorrect()) y += 30;
  // The two automatic rows are never greyed by the view, whatever their pictures.
  mAutoDocCorrectCbx->getImageView()->setGrayoutWhenDisable(false);
  mAutoPhotoCorrectCbx->getImageView()->setGrayoutWhenDisable(false);

  auto images = [&](const char* v15on, const char* v15off, const char* v15dis, const char* on, const char* off,
                    const char* dis, const char* out[3]) {
    if (v15) {
      out[0] = v15on, out[1] = v15off, out[2] = v15dis;
    } else {
      out[0] = on, out[1] = off, out[2] = v14 ? dis : "";
    }
  };
  const char* book[3];
  images("BOOKSHADOW_ON.tiff", "BOOKSHADOW_N.tiff", "BOOKSHADOW_G.tiff", "Book_on.icns", "Book_off.icns",
         "Book_d.icns", book);
  mBookCorrectView = makeCheckRow(mBookCorrectCbx, y, uiText("IDC_SP_CHK_EFFECT_CUBS_STR").c_str(),
                                  "BookCorrectCheckPost", v14, book, true);
  y += 30;
  const char* light[3];
  images("BACKLIGHT_ON.tiff", "BACKLIGHT_N.tiff", "BACKLIGHT_G.tiff", "BackLight_on.icns", "BackLight_off.icns",
         "BackLight_d.icns", light);
  mLightCorrectView = makeCheckRow(mLightCorrectCbx, y, uiText("IDC_SP_CHK_EFFECT_BACKLIGHT_STR").c_str(),
                                   "LightCorrectCheckPost", v14, light, true);
  y += 30;
  const char* fading[3];
  images("FADINGCORRECT_ON.tiff", "FADINGCORRECT_N.tiff", "FADINGCORRECT_G.tiff", "Fading_on.icns",
         "Fading_off.icns", "Fading_d.icns", fading);
  mFadingCorrectView = makeCheckRow(mFadingCorrectCbx, y, uiText("IDC_SP_CHK_EFFECT_FADINGCORRECT_STR").c_str(),
                                    "FadingCorrectCheckPost", v14, fading, true);
  const char* dust[3];
  images("DUSTSCRACH_ON.tiff", "DUSTSCRACH_N.tiff", "DUSTSCRACH_G.tiff", "RemoveDust_on.icns", "RemoveDust_off.icns",
         "RemoveDust_d.icns", dust);
  mRemoveDustView = makeCheckRow(mRemoveDustCbx, y, uiText("IDC_SP_CHK_EFFECT_REMOVE_DUST_STR").c_str(),
                                 "RemoveDustCheckPost", v14, dust, panelVer(1600));
  mReduceDustFAUView = makeCheckRow(mReduceDustFAUCbx, y, uiText("IDS_SOFTVEXA_SIMPLE").c_str(),
                                    "ReduceDustFAUCheckPost", v14, dust, true);

  mImageCorrectTxt = std::make_unique<Quirel_CTRLS_ImageCorrectText>();
  mImageCorrectTxt->setPlaneLabel();
  mImageCorrectTxt->setStringValue(uiText("IDC_SP_TXT_SELECT_EFFECT_STR"));
  mImageCorrectTxt->setTitleColor(stepTitleColor());
  const double titleY = y + 30;
  mImageCorrectTxt->setTextFRect(90, titleY, 230, v17 ? 24 : 20);
  const double groupHeight = v17 ? titleY + 32 : titleY + 20;
  const double dotY = v17 ? titleY : titleY - 6;
  buildStepDecorations(mImageCorrectStep, groupHeight, 0, groupHeight, false, dotY,
                       v14 ? "step_small.icns" : "Step0.icns");
  if (v17) {
    // The decorations and the title keep their distance from the group's top when it is packed.
    mImageCorrectStep.dot->setAutoresizingMask(kit::kViewMinYMargin);
    mImageCorrectStep.number->setAutoresizingMask(kit::kViewMinYMargin);
    mImageCorrectStep.line->setAutoresizingMask(kit::kViewMinYMargin);
    mImageCorrectTxt->getTextF()->setAutoresizingMask(kit::kViewMinYMargin);
  }
  kit::View& group = *mImageCorrectStep.view;
  for (kit::View* row : {mColorPatternView.get(), mAutoDocCorrectView.get(), mAutoPhotoCorrectView.get(),
                         mBookCorrectView.get(), mLightCorrectView.get(), mFadingCorrectView.get(),
                         mRemoveDustView.get(), mReduceDustFAUView.get()})
    group.addSubview(row);
  group.addSubview(mImageCorrectTxt->getTextF());
  placeStep(mImageCorrectStep);
}

void Quirel_StandardMode::createScanButton() {
  mScanBtn = std::make_unique<Quirel_CTRLS_STDScanButton>();
  mScanBtn->setTitleTxtTitle(uiText("IDC_SP_TXT_SCAN_STR"));
  mScanBtn->setTitleTxtColor(stepTitleColor());
  mScanBtn->setTitleTxtRect(90, 36, 230, 20);
  static const char* const kNew[4] = {"scan_btn_n.tiff", "scan_btn_n.tiff", "scan_btn_p.tiff", "scan_btn_d.tiff"};
  static const char* const kOld[3] = {"ScanButton_In.tiff", "ScanButton_Out.tiff", "ScanButton_Down.tiff"};
  stdColourButton(*mScanBtn, panelVer(1200), panelVer(1400), kNew, kOld, uiText("IDC_MS_BTN_MULTI_SCAN_STR"));
  const bool v14 = panelVer(1400);
  buildStepDecorations(mScanStep, 65, v14 ? 35 : 32, 33, true, 30, v14 ? "step_number_3.icns" : "Step3.icns");
  mScanBtnNumImage_ADF = stdDecoration(fnd::Rect(24, 30, kStdDecorSize, kStdDecorSize),
                                       v14 ? "step_number_2.icns" : "Step2.icns", kit::ImageScaling::None);
  mScanBtnNumImage_ADF->setHidden(true);
  mScanStep.view->addSubview(mScanBtnNumImage_ADF.get());
  mScanStep.view->addSubview(mScanBtn->getTitleTxt());
  mScanStep.view->addSubview(mScanBtn->getColorPushBT());
  placeStep(mScanStep);
}

// ---- Menus ----------------------------------------------------------------------------------

void Quirel_StandardMode::setStandardItem(const fnd::Dictionary* parameters, bool filmAdapter) {
  const fnd::Dictionary empty;
  const fnd::Dictionary& p = parameters ? *parameters : empty;
  // A missing key reads as an empty list: that menu stays empty.
  const fnd::Dictionary& source = p.dictionary("ImageSource");
  const fnd::Dictionary& destination = p.dictionary("Destination");
  if (mImageSourcePopup) {
    for (const fnd::Value& item : source.array("MenuItem")) {
      const int v = item.toInt();
      if (!filmAdapter && (v == 4 || v == 5)) continue;
      mImageSourcePopup->addPopupItemWithTitle(uiText("SIMS" + std::to_string(v)), v);
    }
  }
  const int d = destination.intValue("DefaultValue");
  if (mDestinationPopup) {
    const char* prefix = panelVer(1400) ? "DST" : "SDST";
    for (const fnd::Value& item : destination.array("MenuItem")) {
      const int v = item.toInt();
      const std::string title = uiText(prefix + std::to_string(v));
      mDestinationPopup->addPopupItemWithTitle(title, v, false);
      if (v != 2) mDestinationPopup->addPopupItemWithTitle(title, v, true);
    }
    mDestinationPopup->setPlatenModeMenu();
  }
  setMenuItem_OutputSizePopupBT(d);
  setDefaultSetting(parameters);
  initModelessDialogs();
}

void Quirel_StandardMode::setMenuItem_OutputSizePopupBT(int destination) {
  if (!mOutputSizePopup) return;
  mOutputSizePopup->removeAllPopupItems();
  mOutputSizePopup->addPopupItemWithTitle(uiText("IDS_SIM_SIZE_FREE"), 0);
  if (destination == -1) return;
  const std::optional<OutputSizeList>& list =
      destination == 1 ? mDisplayArray : (destination == 0 ? mPrintArray : mOcrArray);
  if (list) {
    for (const auto& size : *list)
      if (size) mOutputSizePopup->addPopupItemWithTitle(size->getName().value_or(""), size->getIndex());
  }
  if (destination == 2) return;
  mOutputSizePopup->addSeparatorItem();
  mOutputSizePopup->addPopupItemWithTitle(uiText("IDS_ADV_FAV_ADD_DELETE"), -1);
}

// ---- Layout ---------------------------------------------------------------------------------

kit::View* Quirel_StandardMode::getStepView(Step step) const {
  switch (step) {
    case Step::ImageSource: return mImageSourceStep.view.get();
    case Step::Preview: return mPreviewStep.view.get();
    case Step::Destination: return mDestinationStep.view.get();
    case Step::OutputSize: return mOutputSizeStep.view.get();
    case Step::AdjustCrop: return mAdjustCropStep.view.get();
    case Step::ImageCorrect: return mImageCorrectStep.view.get();
    case Step::Scan: return mScanStep.view.get();
  }
  return nullptr;
}

kit::View* Quirel_StandardMode::getCorrectRowView(CorrectRow row) const {
  switch (row) {
    case CorrectRow::ColorPattern: return mColorPatternView.get();
    case CorrectRow::AutoDoc: return mAutoDocCorrectView.get();
    case CorrectRow::AutoPhoto: return mAutoPhotoCorrectView.get();
    case CorrectRow::Book: return mBookCorrectView.get();
    case CorrectRow::BackLight: return mLightCorrectView.get();
    case CorrectRow::Fading: return mFadingCorrectView.get();
    case CorrectRow::RemoveDust: return mRemoveDustView.get();
    case CorrectRow::ReduceDustFAU: return mReduceDustFAUView.get();
  }
  return nullptr;
}

Quirel_CTRLS_STDCheckBox* Quirel_StandardMode::getCorrectCheckBox(CorrectRow row) const {
  switch (row) {
    case CorrectRow::AutoDoc: return mAutoDocCorrectCbx.get();
    case CorrectRow::AutoPhoto: return mAutoPhotoCorrectCbx.get();
    case CorrectRow::Book: return mBookCorrectCbx.get();
    case CorrectRow::BackLight: return mLightCorrectCbx.get();
    case CorrectRow::Fading: return mFadingCorrectCbx.get();
    case CorrectRow::RemoveDust: return mRemoveDustCbx.get();
    case CorrectRow::ReduceDustFAU: return mReduceDustFAUCbx.get();
    case CorrectRow::ColorPattern: return nullptr;
  }
  return nullptr;
}

Quirel_NoFocusImageView* Quirel_StandardMode::getScanNumberImage(bool adf) const {
  return adf ? mScanBtnNumImage_ADF.get() : mScanStep.number.get();
}

void Quirel_StandardMode::setFrameStandardItem() {
  if (!mMainTab) return;
  double top = mMainTab->getTabView()->contentRect().size.height - 10;
  for (const StepParts* step : {&mImageSourceStep, &mPreviewStep, &mDestinationStep, &mOutputSizeStep,
                                &mAdjustCropStep, &mImageCorrectStep, &mScanStep}) {
    kit::View* view = step->view.get();
    if (!view || view->isHidden()) continue;
    fnd::Rect frame = view->frame();
    frame.origin.y = top - frame.size.height;
    view->setFrame(frame);
    top = frame.origin.y;
  }
  mMainTab->getTabView()->setNeedsDisplay(true);
}

void Quirel_StandardMode::setFrameInImageCorrectView() {
  if (!mImageCorrectTxt || !mImageCorrectStep.view) return;
  const std::array<kit::View*, 8> rows{mAutoDocCorrectView.get(), mRemoveDustView.get(),   mReduceDustFAUView.get(),
                                       mFadingCorrectView.get(),  mLightCorrectView.get(), mBookCorrectView.get(),
                                       mAutoPhotoCorrectView.get(), mColorPatternView.get()};
  if (panelVer(1700)) {
    double height = kStdDecorSize;
    for (kit::View* row : rows)
      if (row && !row->isHidden()) height += row->frame().size.height;
    fnd::Rect frame = mImageCorrectStep.view->frame();
    frame.size.height = height;
    mImageCorrectStep.view->setFrame(frame);
    setFrameStandardItem();
  }
  double y = mImageCorrectTxt->getTextFRect().origin.y;
  for (kit::View* row : rows) {
    if (!row || row->isHidden()) continue;
    fnd::Rect frame = row->frame();
    frame.origin.y = y - frame.size.height;
    row->setFrame(frame);
    y = frame.origin.y;
  }
}

void Quirel_StandardMode::setEnabledToolTips() {
  auto apply = [this](kit::Control* control, const char* key) {
    if (!control) return;
    if (!control->isEnabled()) {
      control->setToolTip("");
      return;
    }
    if (control->toolTip().empty()) control->setToolTip(uiText(key, "ToolTips"));
  };
  if (mImageSourcePopup) apply(mImageSourcePopup->getPopupBT(), "IDC_SP_CMB_SOURCESELECT");
  if (mPreviewBtn) apply(mPreviewBtn->getColorPushBT(), "IDC_SP_PREVIEW");
  if (mDestinationPopup) apply(mDestinationPopup->getPopupBT(), "IDC_SP_CMB_SELECT_PURPOSE");
  if (mOutputSizePopup) apply(mOutputSizePopup->getPopupBT(), "IDC_SP_CMB_OUTPUTSIZE");
  if (mDirectionBtn) {
    kit::Control* icon = mDirectionBtn->getIconBT();
    apply(icon, "IDC_SP_SWAPASPECT_BTN");
    // The label follows its button.
    if (kit::TextField* label = mDirectionBtn->getTitleTxt()) {
      if (!icon->isEnabled())
        label->setToolTip("");
      else if (label->toolTip().empty())
        label->setToolTip(uiText("IDC_SP_SWAPASPECT_BTN", "ToolTips"));
    }
  }
  if (mAutoDocCorrectCbx) apply(mAutoDocCorrectCbx->getCheckBox(), "IDC_SP_CHK_EFFECT_AUTO_DOCUMENT");
  if (mRemoveDustCbx) apply(mRemoveDustCbx->getCheckBox(), "IDC_SP_CHK_EFFECT_REMOVE_DUST");
  if (mReduceDustFAUCbx) apply(mReduceDustFAUCbx->getCheckBox(), "IDC_SP_CHK_EFFECT_REDUCE_DUST");
  if (mFadingCorrectCbx) apply(mFadingCorrectCbx->getCheckBox(), "IDC_SP_CHK_EFFECT_FADINGCORRECT");
  if (mLightCorrectCbx) apply(mLightCorrectCbx->getCheckBox(), "IDC_SP_CHK_EFFECT_BACKLIGHT");
  if (mBookCorrectCbx) apply(mBookCorrectCbx->getCheckBox(), "IDC_SP_CHK_EFFECT_CUBS");
  if (mColorPatternBtn) apply(mColorPatternBtn->getPushBT(), "IDC_SP_COLOR_PATTERN");
  if (mScanBtn) apply(mScanBtn->getColorPushBT(), "IDC_MS_BTN_MULTI_SCAN");
  if (mPrefBtn) apply(mPrefBtn->getPushBT(), "IDC_MAINSHEET_PREFSET");
  if (mCloseWindowBtn) apply(mCloseWindowBtn->getPushBT(), "IDC_MAINSHEET_CLOSE");
}

// ---- Release --------------------------------------------------------------------------------

void Quirel_StandardMode::releaseStandardItem() {
  // Steps leave the tab before their pieces go.
  for (StepParts* step : {&mImageSourceStep, &mPreviewStep, &mDestinationStep, &mOutputSizeStep, &mAdjustCropStep,
                          &mImageCorrectStep, &mScanStep})
    stdDetach(step->view.get());
  for (StepParts* step : {&mImageSourceStep, &mPreviewStep, &mDestinationStep, &mOutputSizeStep, &mAdjustCropStep,
                          &mImageCorrectStep, &mScanStep})
    *step = StepParts{};
  mScanBtnNumImage_ADF.reset();
  mImageSourcePopup.reset();
  mPreviewBtn.reset();
  mDestinationPopup.reset();
  mOutputSizePopup.reset();
  mDirectionBtn.reset();
  mAdjustCropTxt.reset();
  mImageCorrectTxt.reset();
  for (auto* row : {&mColorPatternView, &mAutoDocCorrectView, &mAutoPhotoCorrectView, &mBookCorrectView,
                    &mLightCorrectView, &mFadingCorrectView, &mRemoveDustView, &mReduceDustFAUView})
    row->reset();
  mColorPatternBtn.reset();
  for (auto* box : {&mAutoDocCorrectCbx, &mAutoPhotoCorrectCbx, &mBookCorrectCbx, &mLightCorrectCbx,
                    &mFadingCorrectCbx, &mRemoveDustCbx, &mReduceDustFAUCbx})
    box->reset();
  mScanBtn.reset();
  mPrefBtn = nullptr;
  mCloseWindowBtn = nullptr;
}
