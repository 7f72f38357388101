// The dialogs' windows, built in code, and their fitting to the texts.

#include <algorithm>

#include "kit/Font.h"
#include "kit/Image.h"
#include "kit/View.h"
#include "ui/windows/MultiPDFDialog.h"

namespace {

constexpr double kMpdfFontSize = 13;
constexpr double kMpdfButtonPadding = 24;

// A rounded or image button's natural size: its title (and picture) with a margin.
fnd::Size mpdfNaturalSize(const kit::Button& button) {
  double width = button.font().widthOfString(button.title()) + kMpdfButtonPadding;
  if (button.image().isValid()) width += button.image().size().width + 4;
  return fnd::Size(width, button.frame().size.height);
}

double mpdfCheckBoxWidth(const kit::Button* box) {
  return box ? box->font().widthOfString(box->title()) + 22 : 0;
}

}  // namespace

void Quirel_MultiPDFDialog::makeWindow(const fnd::Rect& content, const std::string& titleKey) {
  mWindow = std::make_unique<kit::Window>(content, kit::kTitledWindowMask);
  mWindow->setReleasedWhenClosed(false);
  mWindow->setTitle(titleKey.empty() ? std::string() : getLocalizedStringForKey(titleKey, 0));
}

kit::View* Quirel_MultiPDFDialog::addView(kit::View* parent, const fnd::Rect& frame) {
  return parent->addSubview(std::make_unique<kit::View>(frame));
}

kit::TextField* Quirel_MultiPDFDialog::addLabelTextField(kit::View* parent, const fnd::Rect& frame,
                                                         const std::string& key, int table) {
  auto field = kit::TextField::wrappingLabelWithString(getLocalizedStringForKey(key, table), frame);
  field->setDrawsBackground(false);
  field->setBezeled(false);
  field->setEditable(false);
  field->setFont(kit::Font::systemFont(kMpdfFontSize));
  return static_cast<kit::TextField*>(parent->addSubview(std::move(field)));
}

kit::Button* Quirel_MultiPDFDialog::addRoundedBezelButton(kit::View* parent, const fnd::Rect& frame,
                                                          const std::string& key,
                                                          void (Quirel_MultiPDFDialog::*action)(kit::Control*)) {
  auto button = std::make_unique<kit::Button>(frame);
  button->setBezelStyle(kit::BezelStyle::Rounded);
  button->setButtonType(kit::ButtonType::MomentaryPushIn);
  button->setFont(kit::Font::systemFont(kMpdfFontSize));
  button->setTitle(getLocalizedStringForKey(key, 0));
  button->setTarget(this, action);
  return static_cast<kit::Button*>(parent->addSubview(std::move(button)));
}

kit::Button* Quirel_MultiPDFDialog::addShadowlessSquareBezelButton(
    kit::View* parent, const fnd::Rect& frame, const std::string& key, const kit::Image& image,
    void (Quirel_MultiPDFDialog::*action)(kit::Control*)) {
  auto button = std::make_unique<kit::Button>(frame);
  button->setBezelStyle(kit::BezelStyle::ShadowlessSquare);
  button->setButtonType(kit::ButtonType::MomentaryPushIn);
  button->setFont(kit::Font::systemFont(kMpdfFontSize));
  button->setTitle(getLocalizedStringForKey(key, 0));
  button->setImage(image);
  button->setImagePosition(kit::ImagePosition::ImageLeft);
  button->setTarget(this, action);
  return static_cast<kit::Button*>(parent->addSubview(std::move(button)));
}

kit::Button* Quirel_MultiPDFDialog::addCheckBox(kit::View* parent, const fnd::Rect& frame, const std::string& key) {
  auto box = std::make_unique<kit::Button>(frame);
  box->setButtonType(kit::ButtonType::Switch);
  box->setFont(kit::Font::systemFont(kMpdfFontSize));
  box->setTitle(getLocalizedStringForKey(key, 0));
  return static_cast<kit::Button*>(parent->addSubview(std::move(box)));
}

kit::ImageView* Quirel_MultiPDFDialog::addImageView(kit::View* parent, const fnd::Rect& frame,
                                                    const kit::Image& image) {
  auto view = std::make_unique<kit::ImageView>(frame);
  view->setImageFrameStyle(kit::ImageFrameStyle::None);
  view->setImageScaling(kit::ImageScaling::ProportionallyDown);
  view->setImage(image);
  return static_cast<kit::ImageView*>(parent->addSubview(std::move(view)));
}

static kit::Box* mpdfSeparator(kit::View* parent, const fnd::Rect& frame) {
  auto box = std::make_unique<kit::Box>(frame);
  box->setBoxType(kit::BoxType::Separator);
  return static_cast<kit::Box*>(parent->addSubview(std::move(box)));
}

void Quirel_MultiPDFDialog::createMultiPagePDFPullScanEndDialog(bool ask) {
  mDialogType = 0;
  if (ask) {
    makeWindow(fnd::Rect(0, 0, 428, 143), "IDD_ASK_TEMPLATE_STR");
    kit::View* content = mWindow->contentView();
    mPullEnd_Txt = addLabelTextField(content, fnd::Rect(24, 109, 380, 17), "IDS_ASK_NEXTPAGE_SCAN", 1);
    mPullEnd_CheckBox = addCheckBox(content, fnd::Rect(24, 69, 380, 18), "IDC_BOOKEXPLAIN_CHK_STR");
    mPullEnd_Separator = mpdfSeparator(content, fnd::Rect(12, 54, 404, 5));
    mPullEnd_ScanButton =
        addRoundedBezelButton(content, fnd::Rect(320, 12, 96, 32), "IDMAC_OK_BTN", &Quirel_MultiPDFDialog::actionOKButton);
  } else {
    makeWindow(fnd::Rect(0, 0, 428, 119), "IDC_SCAN_NEXTPAGE_STR");
    kit::View* content = mWindow->contentView();
    mPullEnd_Txt = addLabelTextField(content, fnd::Rect(24, 85, 380, 17), "IDC_NEXTPAGE_PULLSCAN_STR", 1);
    mPullEnd_ExitButton = addRoundedBezelButton(content, fnd::Rect(222, 12, 96, 32), "IDC_NEXTPAGE_END_STR",
                                                &Quirel_MultiPDFDialog::actionExitButton);
    mPullEnd_ScanButton = addRoundedBezelButton(content, fnd::Rect(320, 12, 96, 32), "IDC_NEXTPAGE_SCN_STR",
                                                &Quirel_MultiPDFDialog::actionScanButton);
  }
  mWindow->setDefaultButton(mPullEnd_ScanButton);
  fitTextDialog();
}

void Quirel_MultiPDFDialog::createMultiPagePDFPushScanEndDialog(std::int32_t button) {
  mDialogType = 2;
  makeWindow(fnd::Rect(0, 0, 480, 216), "IDC_SCAN_NEXTPAGE_STR");
  kit::View* content = mWindow->contentView();
  mPushEnd_Txt = addLabelTextField(content, fnd::Rect(24, 95, 430, 17), "IDC_NEXTPAGE_PUSHSCAN_STR", 1);
  mPushEnd_ExitButton = addShadowlessSquareBezelButton(content, fnd::Rect(250, 20, 95, 40), "IDC_NEXTPAGE_END_STR",
                                                       getImage("PDF_Finish_N.tif"),
                                                       &Quirel_MultiPDFDialog::actionExitButton);
  switch (button) {
    case 0: mPushEndScanPicture = "PDF_Color_N.tif"; break;
    case 1: mPushEndScanPicture = "PDF_Gray_N.tif"; break;
    case 2: mPushEndScanPicture = "PDF_Custom_N.tif"; break;
    default: mPushEndScanPicture = "PDF_5Button_N.tif"; break;
  }
  mPushEnd_ScanButton = addShadowlessSquareBezelButton(content, fnd::Rect(360, 20, 95, 40), "IDC_NEXTPAGE_SCN_STR",
                                                       getImage(mPushEndScanPicture),
                                                       &Quirel_MultiPDFDialog::actionScanButton);
  fitTextDialog();
}

void Quirel_MultiPDFDialog::createAutoScanConfirmDialog() {
  mDialogType = 4;
  makeWindow(fnd::Rect(0, 0, 428, 170), "IDD_ASK_TEMPLATE_STR");
  kit::View* content = mWindow->contentView();
  mAuto_Txt1 = addLabelTextField(content, fnd::Rect(24, 100, 380, 17), "IDC_ASK_MANUAL_TXT_STR", 1);
  mAuto_CheckBox = addCheckBox(content, fnd::Rect(24, 60, 380, 18), "IDC_BOOKEXPLAIN_CHK_STR");
  mAuto_HelpButton = addRoundedBezelButton(content, fnd::Rect(222, 12, 96, 32), "IDC_ASK_MANUAL_BTN_STR",
                                           &Quirel_MultiPDFDialog::actionHelpButton);
  mAuto_OkButton =
      addRoundedBezelButton(content, fnd::Rect(320, 12, 96, 32), "IDMAC_OK_BTN", &Quirel_MultiPDFDialog::actionOKButton);
  mWindow->setDefaultButton(mAuto_OkButton);
  fitTextDialog();
}

void Quirel_MultiPDFDialog::fitTextDialog() {
  kit::TextField* text = mainText();
  if (!text || !mWindow) return;
  const double maxWidth = maxTextWidth(visibleWidth());
  const std::string value = text->stringValue();
  const kit::Font& font = text->font();
  // The text's own width when it fits on one line of that width, else the whole width.
  double oneLine = 0;
  std::size_t start = 0;
  while (start <= value.size()) {
    const std::size_t end = value.find_first_of("\r\n", start);
    oneLine = std::max(oneLine, font.widthOfString(value.substr(start, end - start)));
    if (end == std::string::npos) break;
    start = end + 1;
  }
  const double measuredWidth = std::min(oneLine + 2 * kit::TextField::kLabelInset, maxWidth);
  const fnd::Size measured(measuredWidth, text->heightForWidth(std::max(measuredWidth, text->frame().size.width)));

  kit::Button* right = mDialogType == 2 ? mPushEnd_ScanButton : (mDialogType == 4 ? mAuto_OkButton : mPullEnd_ScanButton);
  kit::Button* left = mDialogType == 2 ? mPushEnd_ExitButton : (mDialogType == 4 ? mAuto_HelpButton : mPullEnd_ExitButton);
  auto atLeast = [](const kit::Button* b) {
    if (!b) return fnd::Size();
    const fnd::Size natural = mpdfNaturalSize(*b);
    return fnd::Size(std::max(natural.width, b->frame().size.width), std::max(natural.height, b->frame().size.height));
  };
  const TextFit fit = fitTextDialog(mDialogType, visibleWidth(), measured, mpdfCheckBoxWidth(checkBox()),
                                    text->frame(), atLeast(right), right ? right->frame().origin.y : 0, atLeast(left),
                                    left ? left->frame().origin.y : 0);
  text->setFrame(fnd::Rect(fit.text.origin.x, fit.text.origin.y, fit.text.size.width,
                           text->heightForWidth(fit.text.size.width)));
  if (kit::Button* box = checkBox()) {
    const fnd::Rect f = box->frame();
    box->setFrame(fnd::Rect(f.origin.x, f.origin.y, fit.text.size.width, f.size.height));
  }
  if (mDialogType == 0 && mPullEnd_Separator) {
    const fnd::Rect f = mPullEnd_Separator->frame();
    mPullEnd_Separator->setFrame(fnd::Rect(f.origin.x, f.origin.y, fit.separatorWidth, f.size.height));
  }
  if (right) right->setFrame(fit.right);
  if (left) left->setFrame(fit.left);
  mWindow->setContentSize(fit.content);
  mWindow->display();
}

void Quirel_MultiPDFDialog::createMultiPagePDFPushScanStartDialog() {
  mDialogType = 1;
  makeWindow(fnd::Rect(0, 0, 683, 280), "IDD_ASK_TEMPLATE_STR");
  kit::View* content = mWindow->contentView();
  mPushStart_TitleTxt = addLabelTextField(content, fnd::Rect(17, 249, 634, 17), "IDC_MLTPG_EXPLAIN_TXT_STR", 0);

  // Measure first, then place everything from the bottom up.
  const char* scanLabels[] = {"IDC_MULTIPAGE_COLOR_STR", "IDC_MULTIPAGE_GRAY_STR", "IDC_MULTIPAGE_CUSTOM_STR"};
  const char* scanPictures[] = {"PDF_Color_N.tif", "PDF_Gray_N.tif", "PDF_Custom_N.tif"};
  const kit::Font font = kit::Font::systemFont(kMpdfFontSize);
  std::vector<double> labelWidths;
  for (const char* key : scanLabels) labelWidths.push_back(font.widthOfString(getLocalizedStringForKey(key, 0)) + 4);
  labelWidths.push_back(font.widthOfString(getLocalizedStringForKey("IDC_MULTIPAGE_FINISH_STR", 0)) + 4);
  const std::string scanText = getLocalizedStringForKey("IDC_MLTPG_EXPLAIN_7BTN_STR", 0);
  const std::string finishText = getLocalizedStringForKey("IDC_MLTPG_EXPLAIN_FINISH_TXT_STR", 0);
  mPushStartFit = fitPushStartDialog(
      mPushStart_TitleTxt->heightForWidth(634), labelWidths,
      [&](double w) { return font.heightForWidth(scanText, w); },
      [&](double w) { return font.heightForWidth(finishText, w); });
  const PushStartFit& fit = mPushStartFit;

  const double finishArea = std::max(fit.finishExplainHeight, 50.0);
  const double scanArea = std::max(fit.scanExplainHeight, 131.0);
  const double explainX = 17 + fit.panelWidth + 5;
  const double labelWidth = fit.panelWidth - 50 - 13;

  // The finish row.
  kit::View* finishPanel = addView(content, fnd::Rect(17, 52, fit.panelWidth, finishArea));
  addImageView(finishPanel, fnd::Rect(10, 9, 32, 32), getImage("PDF_Finish_N.tif"));
  addLabelTextField(finishPanel, fnd::Rect(50, 16, labelWidth, 17), "IDC_MULTIPAGE_FINISH_STR", 0);
  kit::View* finishExplain = addView(content, fnd::Rect(explainX, 52, fit.explainWidth + 7, finishArea));
  mPushStart_ExitExplainTxt1 = addLabelTextField(
      finishExplain, fnd::Rect(7, 17, fit.explainWidth, fit.finishExplainHeight - 18), "IDC_MLTPG_EXPLAIN_FINISH_TXT_STR", 0);

  // The scan rows.
  const double scanY = 52 + finishArea + 9;
  kit::View* scanPanel = addView(content, fnd::Rect(17, scanY, fit.panelWidth, scanArea));
  const double labelYs[] = {100, 58, 16};
  for (int i = 0; i < 3; ++i) {
    addImageView(scanPanel, fnd::Rect(10, labelYs[i] - 7, 32, 32), getImage(scanPictures[i]));
    addLabelTextField(scanPanel, fnd::Rect(50, labelYs[i], labelWidth, 17), scanLabels[i], 0);
  }
  kit::View* scanExplain = addView(content, fnd::Rect(explainX, scanY, fit.explainWidth + 7, scanArea));
  mPushStart_ScanExplainTxt = addLabelTextField(
      scanExplain, fnd::Rect(7, scanArea - (fit.scanExplainHeight - 13), fit.explainWidth, fit.scanExplainHeight - 15),
      "IDC_MLTPG_EXPLAIN_7BTN_STR", 0);

  mPushStart_TitleTxt->setFrame(
      fnd::Rect(17, fit.content.height - 20 - fit.topTextHeight, 634, fit.topTextHeight));
  mPushStart_Separator = mpdfSeparator(content, fnd::Rect(12, 46, 659, 5));
  mPushStart_CheckBox = addCheckBox(content, fnd::Rect(18, 21, 230, 18), "IDC_BOOKEXPLAIN_CHK_STR");
  mPushStart_OkButton =
      addRoundedBezelButton(content, fnd::Rect(573, 12, 96, 32), "IDMAC_OK_BTN", &Quirel_MultiPDFDialog::actionOKButton);
  mWindow->setDefaultButton(mPushStart_OkButton);
  mWindow->setContentSize(fit.content);
  mWindow->display();
}
