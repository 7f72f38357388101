// The multi-scan tab's controls: built in one of three forms by the scanner's generation, laid
// out as one column of rows from the top of the tab, filled from the model's parameters, given
// their tool tips and joined to the mode's actions.

#include <algorithm>
#include <cmath>

#include "kit/TabView.h"
#include "kit/TextField.h"
#include "ui/base/PVLocalizedString.h"
#include "ui/controls/CTRLS_CheckBox.h"
#include "ui/controls/CTRLS_MSDestinationView.h"
#include "ui/controls/CTRLS_MSHelpButton.h"
#include "ui/controls/CTRLS_MSHowToPutButton.h"
#include "ui/controls/CTRLS_MSImageSourceView.h"
#include "ui/controls/CTRLS_MSScanButton.h"
#include "ui/controls/CTRLS_MSScanSettingTitle.h"
#include "ui/controls/CTRLS_PopupButton.h"
#include "ui/controls/CTRLS_PushButton.h"
#include "ui/controls/CTRLS_Separator.h"
#include "ui/controls/CTRLS_TabView.h"
#include "ui/controls/ColorButton.h"
#include "ui/controls/IconBezelButton.h"
#include "ui/controls/NoFocusImageView.h"
#include "ui/controls/NoFocusView.h"
#include "ui/model/UIScannerInfo.h"
#include "ui/modes/multiscan/MultiScanMode.h"

namespace {

constexpr const char* kMsPictureBundle = "quirel_r14";
// The size of a check box's own cell (its title is a label of its own).
constexpr double kMsBoxCellWidth = 18;
constexpr double kMsBoxCellHeight = 18;

// The size a label needs for its text within a box of maxWidth x maxHeight.
fnd::Size msTextSize(const kit::TextField& field, double maxWidth, double maxHeight) {
  const std::string text = field.stringValue();
  const double inset = 2 * kit::TextField::kLabelInset;
  const double width = std::min(std::ceil(field.font().widthOfString(text)) + inset, maxWidth);
  const double height = std::min(std::ceil(field.font().heightForWidth(text, std::max(0.0, width - inset))), maxHeight);
  return fnd::Size(width, height);
}

void msMakeWrapping(kit::TextField& field) {
  field.setUsesSingleLineMode(false);
  field.setLineBreakMode(kit::LineBreakMode::WordWrapping);
}

std::unique_ptr<Quirel_NoFocusView> msRow(double width, double height) {
  auto row = std::make_unique<Quirel_NoFocusView>(fnd::Rect(0, 0, width, height));
  row->setAutoresizingMask(kit::kViewMinYMargin);
  return row;
}

double msHeight(const kit::View* view) { return view ? view->frame().size.height : 0; }

}  // namespace

void Quirel_MultiScanMode::initMultiScanModeItem() { releaseMultiScanModeItem(); }

void Quirel_MultiScanMode::releaseMultiScanModeItem() {
  // Rows leave the tab before their controls go.
  auto detach = [](kit::View* v) {
    if (v) v->removeFromSuperview();
  };
  detach(mExplainTxtView.get());
  detach(mHowtoPutBtnView.get());
  for (auto& picture : mImageViewList) detach(picture.get());
  detach(mDuplexADFView.get());
  detach(mRecommendImageSettingView.get());
  detach(mScanResultView.get());
  detach(mScanSettingView.get());
  detach(mSeparatorView.get());
  detach(mScanBtnView.get());
  detach(mHelpBtnView.get());
  mExplainTxtView.reset();
  mExplainTxtF.reset();
  mHowtoPutBtnView.reset();
  mHowtoPutBtn.reset();
  mImageViewList.clear();
  mDuplexADFView.reset();
  mDuplexADFCbx.reset();
  mRecommendImageSettingView.reset();
  mRecommendImageSettingCbx.reset();
  mScanResultView.reset();
  mResultCbx.reset();
  mImageSourceView.reset();
  mDestinationView.reset();
  mScanSettingView.reset();
  mSeparator1.reset();
  mScanSetTitle.reset();
  mImgSrcView.reset();
  mImgSrcPopup.reset();
  mDstView.reset();
  mDstPopup.reset();
  mSeparatorView.reset();
  mSeparator2.reset();
  mScanBtnView.reset();
  mScanBtn.reset();
  mHelpBtnView.reset();
  mHelpBtn.reset();
}

std::optional<kit::Image> Quirel_MultiScanMode::getImageFromFile(const std::string& name) {
  kit::Image image = kit::Image::named(name, kMsPictureBundle);
  if (!image.isValid()) return std::nullopt;
  return image;
}

// ---- Building -------------------------------------------------------------------------------

void Quirel_MultiScanMode::createMultiScanItem(Quirel_CTRLS_TabView* tabView) {
  if (!tabView || mMainTab) return;
  mMainTab = tabView;
  const double width = tabView->getTabView()->contentRect().size.width;
  createCaptionAndExplanation(width);
  if (isVer1400())
    createVer14Rows(width);
  else
    createOlderRows(width);
  observeControls();
}

void Quirel_MultiScanMode::createCaptionAndExplanation(double width) {
  std::string caption;
  if (mScannerInfo && mScannerInfo->isTrivoVer100Later())
    caption = localized("PVTO_AUTO_CAPTION", "PictavoTrivo");
  else
    caption = localized(isVer1400() ? "IDMAC_AUTO_CAPTION" : "IDMAC_MS_CAPTION");
  mMainTab->setMultiScanTabViewLabel(caption);

  mExplainTxtF = std::make_unique<kit::TextField>(fnd::Rect(10, 10, width - 20, 500));
  mExplainTxtF->setDrawsBackground(false);
  mExplainTxtF->setBezeled(false);
  mExplainTxtF->setEditable(false);
  mExplainTxtF->setFont(kit::Font::systemFont(13));
  msMakeWrapping(*mExplainTxtF);
  mExplainTxtF->setStringValue(
      localized(isVer1400() ? "IDC_MS_TXT_SCAN_EXPLANATION_STR" : "IDMAC_MS_TXT_EXPLANATION"));
  const fnd::Size needed = msTextSize(*mExplainTxtF, width - 20, 500);
  mExplainTxtF->setFrame(fnd::Rect(10, 10, needed.width, needed.height));
  mExplainTxtView = msRow(width, 10 + needed.height + 10);
  mExplainTxtView->addSubview(mExplainTxtF.get());
  mMainTab->setMultiScanTabViewItem(mExplainTxtView.get(), mExplainTxtView->frame());
}

std::unique_ptr<Quirel_CTRLS_CheckBox> Quirel_MultiScanMode::makeCheckBox(const char* postName, const char* titleKey,
                                                                         double width,
                                                                         std::unique_ptr<Quirel_NoFocusView>& row) {
  auto box = std::make_unique<Quirel_CTRLS_CheckBox>(Quirel_CTRLS_CheckBox::Variant::MS);
  box->setCheckBoxActionPostNtf(postName);
  box->setCheckBoxTitle(localized(titleKey));
  kit::TextField* title = box->getCheckBoxTitleTxt();
  msMakeWrapping(*title);
  const double bw = std::min(kMsBoxCellWidth, width - 30);
  const double bh = kMsBoxCellHeight;
  const fnd::Size t = msTextSize(*title, width - 30 - bw, 100);
  const double h = std::max(bh, t.height);
  box->setCheckBoxRect(30, 5, bw + t.width, h);
  box->setCheckBoxTitleTxtRect(30 + bw, 6, t.width, t.height);
  row = msRow(width, h + 5);
  row->addSubview(box->getCheckBox());
  row->addSubview(title);
  mMainTab->setMultiScanTabViewItem(row.get(), row->frame());
  return box;
}

void Quirel_MultiScanMode::createVer14Rows(double width) {
  const bool v15 = mScannerInfo && mScannerInfo->isVer1500Later();
  const char* iconOn = v15 ? "BT_HELP_S.tiff" : "ToolHelp_on.icns";
  const char* iconOff = v15 ? "BT_HELP_N.tiff" : "ToolHelp_off.icns";
  const char* iconDis = v15 ? "BT_HELP_G.tiff" : "ToolHelp_dis.icns";

  // A help row: the icon at the right, `y` up in its 35-point row, its title ending 10 left of it.
  auto helpRow = [&](auto& button, const char* titleKey, double y) {
    button->setIconBTRect(280, y, 23, 23);
    button->setIconBTImage(iconOn, iconOff, iconDis, kMsPictureBundle);
    button->setTitleTxtTitle(localized(titleKey));
    const double tw = msTextSize(*button->getTitleTxt(), width, 17).width;
    button->setTitleTxtRect(280 - 10 - tw, y + 3, tw, 17);
    std::unique_ptr<Quirel_NoFocusView> row = msRow(width, 35);
    row->addSubview(button->getIconBT());
    row->addSubview(button->getTitleTxt());
    mMainTab->setMultiScanTabViewItem(row.get(), row->frame());
    return row;
  };

  // How to place the documents.
  mHowtoPutBtn = std::make_unique<Quirel_CTRLS_MSHowToPutButton>();
  mHowtoPutBtnView = helpRow(mHowtoPutBtn, "IDC_MS_TXT_HELP_HOWTOPUT_STR", 10);

  auto picture = [&](const char* name, double height, bool unscaled) {
    auto view = std::make_unique<Quirel_NoFocusImageView>(fnd::Rect(0, 0, width, height));
    view->setAutoresizingMask(kit::kViewMinYMargin);
    if (unscaled) view->setImageScaling(kit::ImageScaling::None);
    if (auto image = getImageFromFile(name)) view->setImage(*image);
    mMainTab->setMultiScanTabViewItem(view.get(), view->frame());
    mImageViewList.push_back(std::move(view));
  };
  picture(mScannerInfo && mScannerInfo->isVer1700Later() ? "Dez_doc_2.tiff" : "Dez_doc.tiff", 90, true);
  picture("Dez_let.tiff", 79, true);
  if (mScannerInfo && mScannerInfo->isFAU()) picture("Dez_film.tiff", 78, false);
  if (mScannerInfo && mScannerInfo->isADF()) picture("Dez_adf.tiff", 78, false);

  if (hasTwoSidedADF())
    mDuplexADFCbx = makeCheckBox(kDuplexADFCheckPost, "IDC_MS_CHK_DUPLEX_SCAN_STR", width, mDuplexADFView);
  if (hasRecommendedProc())
    mRecommendImageSettingCbx = makeCheckBox(kRecommendImageSettingCheckPost, "IDC_MS_CHK_IMAGEPROCESS_STR", width,
                                             mRecommendImageSettingView);
  mResultCbx = makeCheckBox(kScanResultCheckPost, "IDC_MS_CHK_VERIFY_SCAN_RESULT_STR", width, mScanResultView);

  mScanBtn = std::make_unique<Quirel_CTRLS_MSScanButton>();
  mScanBtn->setColorPushBTRect(25, 10, 271, 34);
  mScanBtn->setColorPushBTTitle(localized("IDC_MS_BTN_MULTI_SCAN_STR"), kit::Color::calibratedWhite(0.157),
                                kit::Color::calibratedWhite(0.521), kit::Font::boldSystemFont(13));
  mScanBtn->setImage("DezScanBtn_n.tiff", "DezScanBtn_n.tiff", "DezScanBtn_p.tiff", "DezScanBtn_d.tiff",
                     kMsPictureBundle);
  mScanBtnView = msRow(width, 55);
  mScanBtnView->addSubview(mScanBtn->getColorPushBT());
  mMainTab->setMultiScanTabViewItem(mScanBtnView.get(), mScanBtnView->frame());

  mHelpBtn = std::make_unique<Quirel_CTRLS_MSHelpButton>();
  mHelpBtnView = helpRow(mHelpBtn, "IDC_MS_TXT_HELP_STR", 5);
}

void Quirel_MultiScanMode::createOlderRows(double width) {
  {
    auto view = std::make_unique<Quirel_NoFocusImageView>(fnd::Rect(0, 0, width, 128));
    view->setAutoresizingMask(kit::kViewMinYMargin);
    if (auto image = getImageFromFile("TifMultiScan.tiff")) view->setImage(*image);
    mMainTab->setMultiScanTabViewItem(view.get(), view->frame());
    mImageViewList.push_back(std::move(view));
  }
  if (hasRecommendedProc())
    mRecommendImageSettingCbx = makeCheckBox(kRecommendImageSettingCheckPost, "IDC_MS_CHK_IMAGEPROCESS_STR", width,
                                             mRecommendImageSettingView);

  // The scan-settings block: a line, a title, then the source and destination rows.
  mScanSettingView = msRow(width, 160);
  mSeparator1 = std::make_unique<Quirel_CTRLS_Separator>();
  mSeparator1->setRect(5, 147, width - 10, 5);
  mScanSettingView->addSubview(mSeparator1->getSeparator());
  mScanSetTitle = std::make_unique<Quirel_CTRLS_MSScanSettingTitle>();
  mScanSetTitle->setPlaneLabel();
  mScanSetTitle->setStringValue(localized("IDMAC_MS_TXT_SCANSETTING"));
  mScanSetTitle->setTextFRect(10, 120, width - 20, 17);
  mScanSettingView->addSubview(mScanSetTitle->getTextF());

  auto pickRow = [&](std::unique_ptr<Quirel_NoFocusView>& row, Quirel_CTRLS_MSPictureView& pictures,
                     std::unique_ptr<Quirel_CTRLS_PopupButton>& popup, const char* postName, const char* titleKey,
                     const char* pictureFormat, int pictureCount, double y) {
    row = std::make_unique<Quirel_NoFocusView>(fnd::Rect(0, y, width, 60));
    pictures.setImageViewRect(20, 0, 60, 60);
    char name[48];
    for (int i = 0; i < pictureCount; ++i) {
      std::snprintf(name, sizeof name, pictureFormat, i);
      pictures.addImage(i, name, kMsPictureBundle);
    }
    popup = std::make_unique<Quirel_CTRLS_PopupButton>(Quirel_CTRLS_PopupButton::Variant::MS);
    popup->setPupupBTActionPostNtf(postName);
    popup->setTitleTxtTitle(localized(titleKey));
    popup->setTitleTxtRect(90, 36, 220, 17);
    popup->setPopupBTRect(90, 10, 220, 26);
    row->addSubview(pictures.getImageView());
    row->addSubview(popup->getTitleTxt());
    row->addSubview(popup->getPopupBT());
    mScanSettingView->addSubview(row.get());
  };
  mImgSrcView = std::make_unique<Quirel_CTRLS_MSImageSourceView>();
  pickRow(mImageSourceView, *mImgSrcView, mImgSrcPopup, kImageSourceChangePost, "IDC_SP_TXT_SOURCESELECT_STR",
          "MsImageSource%d.icns", 7, 60);
  mDstView = std::make_unique<Quirel_CTRLS_MSDestinationView>();
  pickRow(mDestinationView, *mDstView, mDstPopup, kDestinationChangePost, "IDC_SP_TXT_PURPOSE_STR",
          "MsDestination%d.icns", 8, 0);
  mMainTab->setMultiScanTabViewItem(mScanSettingView.get(), mScanSettingView->frame());

  mResultCbx = makeCheckBox(kScanResultCheckPost, "IDC_MS_CHK_VERIFY_SCAN_RESULT_STR", width, mScanResultView);

  mSeparatorView = msRow(width, 15);
  mSeparator2 = std::make_unique<Quirel_CTRLS_Separator>();
  mSeparator2->setRect(5, 5, width - 10, 5);
  mSeparatorView->addSubview(mSeparator2->getSeparator());
  mMainTab->setMultiScanTabViewItem(mSeparatorView.get(), mSeparatorView->frame());

  const bool v12 = mScannerInfo && mScannerInfo->isVer1200Later();
  mScanBtn = std::make_unique<Quirel_CTRLS_MSScanButton>();
  if (v12)
    mScanBtn->setColorPushBTRect(92, 10, 216, 28);
  else
    mScanBtn->setColorPushBTRect(92, 15, 216, 23);
  mScanBtn->setColorPushBTTitle(localized("IDC_MS_BTN_MULTI_SCAN_STR"), kit::Color::white(), kit::Color::white(),
                                kit::Font::boldSystemFont(13));
  mScanBtn->setImage("ScanButton_In.tiff", "ScanButton_Out.tiff", "ScanButton_Down.tiff", "", kMsPictureBundle);
  mScanBtnView = msRow(width, 55);
  mScanBtnView->addSubview(mScanBtn->getColorPushBT());
  mMainTab->setMultiScanTabViewItem(mScanBtnView.get(), mScanBtnView->frame());

  mHelpBtn = std::make_unique<Quirel_CTRLS_MSHelpButton>();
  mHelpBtn->setIconBTRect(280, 5, 23, 23);
  mHelpBtn->setIconBTImage("ToolHelp_on.icns", "ToolHelp_off.icns", "", kMsPictureBundle);
  const bool v13 = mScannerInfo && mScannerInfo->isVer1300Later();
  mHelpBtn->setTitleTxtTitle(localized(v13 ? "IDC_MS_TXT_HELP_STR" : "MS_TXT_HELP"));
  {
    const double tw = msTextSize(*mHelpBtn->getTitleTxt(), width, 17).width;
    mHelpBtn->setTitleTxtRect(280 - 10 - tw, 8, tw, 17);
  }
  mHelpBtnView = msRow(width, 35);
  mHelpBtnView->addSubview(mHelpBtn->getIconBT());
  mHelpBtnView->addSubview(mHelpBtn->getTitleTxt());
  mMainTab->setMultiScanTabViewItem(mHelpBtnView.get(), mHelpBtnView->frame());
}

void Quirel_MultiScanMode::observeControls() {
  auto observe = [this](const void* control, void (Quirel_MultiScanMode::*forwarder)(const fnd::Notification&),
                        const char* name) {
    if (!control) return;
    registObserver(control, [this, forwarder](const fnd::Notification& n) { (this->*forwarder)(n); }, name);
  };
  if (mHowtoPutBtn)
    observe(mHowtoPutBtn->getIconBT(), &Quirel_MultiScanMode::ntf_MsShowHowToPut, Quirel_CTRLS_MSHowToPutButton::kShowPost);
  if (mImgSrcPopup)
    observe(mImgSrcPopup->getPopupBT(), &Quirel_MultiScanMode::ntf_MsImageSourceChange, kImageSourceChangePost);
  if (mDstPopup) observe(mDstPopup->getPopupBT(), &Quirel_MultiScanMode::ntf_MsDestinationChange, kDestinationChangePost);
  if (mDuplexADFCbx)
    observe(mDuplexADFCbx->getCheckBox(), &Quirel_MultiScanMode::ntf_MsDuplexADFCheck, kDuplexADFCheckPost);
  if (mRecommendImageSettingCbx)
    observe(mRecommendImageSettingCbx->getCheckBox(), &Quirel_MultiScanMode::ntf_MsRecommendImageSettingCheck,
            kRecommendImageSettingCheckPost);
  if (mResultCbx) observe(mResultCbx->getCheckBox(), &Quirel_MultiScanMode::ntf_MsScanResultCheck, kScanResultCheckPost);
  if (mScanBtn) observe(mScanBtn->getColorPushBT(), &Quirel_MultiScanMode::ntf_MsScanStart, Quirel_CTRLS_MSScanButton::kStartPost);
  if (mHelpBtn) observe(mHelpBtn->getIconBT(), &Quirel_MultiScanMode::ntf_MsShowHelp, Quirel_CTRLS_MSHelpButton::kShowPost);
}

// ---- Pop-up items ---------------------------------------------------------------------------

void Quirel_MultiScanMode::setMultiScanItem(const fnd::Dictionary* entry, bool connectFAU) {
  auto numbers = [entry](const char* key) {
    std::vector<int> list;
    const fnd::Value* sub = entry ? entry->find(key) : nullptr;
    if (!sub || !sub->isDictionary()) return list;
    const fnd::Value* items = sub->toDictionary().find("MenuItem");
    if (!items || !items->isArray()) return list;
    for (const fnd::Value& v : items->toArray()) list.push_back(v.toInt());
    return list;
  };
  char key[32];
  if (mImgSrcPopup) {
    for (int n : numbers("ImageSource")) {
      // The film sources need the film adapter.
      if ((n == 5 || n == 6) && !connectFAU) continue;
      std::snprintf(key, sizeof key, "MIMS%d", n);
      mImgSrcPopup->addPopupItemWithTitle(localized(key), n);
    }
  }
  if (mDstPopup) {
    for (int n : numbers("Destination")) {
      std::snprintf(key, sizeof key, "MDST%d", n);
      mDstPopup->addPopupItemWithTitle(localized(key), n);
    }
  }
  setDefaultSetting(entry);
  setEnabledToolTips();
}

// ---- Layout ---------------------------------------------------------------------------------

double Quirel_MultiScanMode::checkBoxRowsHeight() const {
  return msHeight(mDuplexADFView.get()) + msHeight(mRecommendImageSettingView.get()) + msHeight(mScanResultView.get());
}

std::vector<kit::View*> Quirel_MultiScanMode::rowsInLayoutOrder() const {
  std::vector<kit::View*> rows;
  auto add = [&rows](kit::View* v) {
    if (v) rows.push_back(v);
  };
  add(mExplainTxtView.get());
  add(mHowtoPutBtnView.get());
  for (const auto& picture : mImageViewList) add(picture.get());
  add(mDuplexADFView.get());
  add(mRecommendImageSettingView.get());
  add(mScanSettingView.get());
  add(mScanResultView.get());
  add(mSeparatorView.get());
  add(mScanBtnView.get());
  add(mHelpBtnView.get());
  return rows;
}

kit::View* Quirel_MultiScanMode::getExplainRow() const { return mExplainTxtView.get(); }
kit::View* Quirel_MultiScanMode::getHowtoPutRow() const { return mHowtoPutBtnView.get(); }
kit::View* Quirel_MultiScanMode::getDuplexADFRow() const { return mDuplexADFView.get(); }
kit::View* Quirel_MultiScanMode::getRecommendImageSettingRow() const { return mRecommendImageSettingView.get(); }
kit::View* Quirel_MultiScanMode::getScanResultRow() const { return mScanResultView.get(); }
kit::View* Quirel_MultiScanMode::getScanSettingRow() const { return mScanSettingView.get(); }
kit::View* Quirel_MultiScanMode::getSeparatorRow() const { return mSeparatorView.get(); }
kit::View* Quirel_MultiScanMode::getScanBtnRow() const { return mScanBtnView.get(); }
kit::View* Quirel_MultiScanMode::getHelpBtnRow() const { return mHelpBtnView.get(); }

void Quirel_MultiScanMode::setFrameMultiScanItem() {
  if (!mMainTab) return;
  double y = mMainTab->getTabView()->contentRect().size.height;
  auto place = [&y](kit::View* row, bool alwaysPlaced) {
    if (!row || (!alwaysPlaced && row->isHidden())) return;
    const double h = row->frame().size.height;
    y -= h;
    row->setFrameOrigin(fnd::Point(row->frame().origin.x, y));
  };
  // Wrapped option titles make the option rows taller; the gaps shrink to keep the column short.
  double shrink = 0;
  if (mScannerInfo && mScannerInfo->isADF() && mScannerInfo->isTwoSidedADF() && hasRecommendedProc()) {
    const double s = checkBoxRowsHeight();
    if (s > 93)
      shrink = 13;
    else if (s > 81)
      shrink = 7;
    else if (s > 69)
      shrink = 1;
  }

  place(mExplainTxtView.get(), false);
  place(mHowtoPutBtnView.get(), false);
  for (const auto& picture : mImageViewList) place(picture.get(), true);
  place(mDuplexADFView.get(), false);
  if (mRecommendImageSettingView && !mRecommendImageSettingView->isHidden()) {
    y -= 15 - shrink;
    place(mRecommendImageSettingView.get(), false);
  }
  place(mScanSettingView.get(), false);
  // The gap above the verify row stays even when the row is hidden.
  if (isVer1400()) y -= (mRecommendImageSettingView ? 15 : 30) - shrink;
  place(mScanResultView.get(), false);
  place(mSeparatorView.get(), false);
  place(mScanBtnView.get(), false);
  place(mHelpBtnView.get(), false);
  mMainTab->getTabView()->setNeedsDisplay(true);
}

// ---- Tool tips ------------------------------------------------------------------------------

void Quirel_MultiScanMode::setEnabledToolTips() {
  auto apply = [this](kit::Control* control, const char* key) {
    if (!control) return;
    if (!control->isEnabled()) {
      control->setToolTip("");
      return;
    }
    if (!control->toolTip().empty()) return;
    control->setToolTip(localized(key, "ToolTips"));
  };
  if (mHowtoPutBtn) apply(mHowtoPutBtn->getIconBT(), "IDC_MT_BTN_HELP_HOWTOPUT");
  if (mImgSrcPopup) apply(mImgSrcPopup->getPopupBT(), "IDC_SP_CMB_SOURCESELECT");
  if (mDstPopup) apply(mDstPopup->getPopupBT(), "IDC_SP_CMB_SELECT_PURPOSE");
  if (mDuplexADFCbx) apply(mDuplexADFCbx->getCheckBox(), "IDC_MS_CHK_DUPLEX_SCAN");
  if (mRecommendImageSettingCbx) {
    const bool vexa = mScannerInfo && mScannerInfo->isFAU() && mScannerInfo->VEXA();
    apply(mRecommendImageSettingCbx->getCheckBox(), vexa ? "IDC_MS_CHK_IMAGEPROCESS_VEXA" : "IDC_MS_CHK_IMAGEPROCESS");
  }
  if (mResultCbx) apply(mResultCbx->getCheckBox(), "IDC_MS_CHK_VERIFY_SCAN_RESULT");
  if (mScanBtn) apply(mScanBtn->getColorPushBT(), "IDC_MS_BTN_MULTI_SCAN");
  if (mHelpBtn)
    apply(mHelpBtn->getIconBT(), mScannerInfo && mScannerInfo->isVer1500Later() ? "IDC_MT_BTN_HELP" : "IDMAC_VIEW_HELP");
  if (mPrefBtn) apply(mPrefBtn->getPushBT(), "IDC_MAINSHEET_PREFSET");
  if (mCloseWindowBtn) apply(mCloseWindowBtn->getPushBT(), "IDC_MAINSHEET_CLOSE");
}
