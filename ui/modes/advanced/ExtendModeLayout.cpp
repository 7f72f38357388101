#include <algorithm>
#include <cstdio>

#include "kit/ScrollView.h"
#include "ui/controls/ColorButton.h"
#include "ui/controls/IconBezelButton.h"
#include "ui/controls/IconBezelCGButton.h"
#include "ui/controls/IconOnOffButton.h"
#include "ui/controls/NoFocusButton.h"
#include "ui/controls/NoFocusPopUpButton.h"
#include "ui/controls/NoFocusStepper.h"
#include "ui/controls/NoFocusTabView.h"
#include "ui/controls/NumberField.h"
#include "ui/model/FavoriteSetting.h"
#include "ui/model/OutputSize.h"
#include "ui/model/SettingsListFile.h"
#include "ui/model/ToneSetting.h"
#include "ui/model/UIScannerInfo.h"
#include "ui/modes/advanced/ExtendMode.h"
#include "ui/modes/advanced/ExtendModeControls.h"

namespace {

// The vertical room a box leaves above and below its rows.
constexpr double kLayBoxMargin = 5;

std::string layFormat(const char* format, int n) {
  char text[64];
  std::snprintf(text, sizeof text, format, n);
  return text;
}

const fnd::Dictionary* layDictionary(const fnd::Dictionary* d, std::string_view key) {
  if (!d) return nullptr;
  const fnd::Value* v = d->find(key);
  return v && v->isDictionary() ? &v->toDictionary() : nullptr;
}

// The numbers of a "MenuItem" array; an element that is no number is skipped. Null when the
// key is missing or holds no array.
std::optional<std::vector<int>> layNumbers(const fnd::Value* v) {
  if (!v || !v->isArray()) return std::nullopt;
  std::vector<int> numbers;
  for (const fnd::Value& e : v->toArray()) {
    if (e.isNumber()) numbers.push_back(static_cast<int>(e.toInteger()));
  }
  return numbers;
}

std::optional<std::vector<int>> layMenuItems(const fnd::Dictionary* entry, std::string_view key) {
  const fnd::Dictionary* d = layDictionary(entry, key);
  return d ? layNumbers(d->find("MenuItem")) : std::nullopt;
}

double layHeight(const kit::View* v) { return v ? v->frame().size.height : 0; }

void laySetY(kit::View* v, double y) {
  if (!v) return;
  fnd::Rect r = v->frame();
  r.origin.y = y;
  v->setFrame(r);
}

void laySetHeight(kit::View* v, double h) {
  if (!v) return;
  fnd::Rect r = v->frame();
  r.size.height = h;
  v->setFrame(r);
}

bool layShown(const kit::View* v) { return v && !v->isHidden(); }

// A tooltip that follows the control's enabling: set once while enabled (every time when
// `anew`), removed while disabled.
void layTip(kit::Control* control, const std::string& tip, bool anew) {
  if (!control) return;
  if (!control->isEnabled()) {
    control->setToolTip("");
  } else if (anew || control->toolTip().empty()) {
    control->setToolTip(tip);
  }
}

bool laySourceFits(int favouriteSource, int current) {
  if (favouriteSource > 4) return true;
  if (favouriteSource == 0) return current == 0;
  if (favouriteSource == 1 || favouriteSource == 3) return current == 1 || current == 3;
  return current == 2 || current == 4;
}

}  // namespace

void Quirel_ExtendMode::setExtendItem(const fnd::Dictionary* parameters, bool connectFAU) {
  setMenuItem_FavoritePopupBT();
  setExtendItem_InputSettings(parameters, connectFAU);
  setExtendItem_OutputSettings(parameters);
  setExtendItem_ImageSettings(parameters);
  setMenuItem_ToneCurvePopupBT(3);
  setDefaultSetting(parameters);
  initModelessDialogs();
}

void Quirel_ExtendMode::setExtendItem_InputSettings(const fnd::Dictionary* p, bool connectFAU) {
  if (!mImgSrcPopup) return;
  // Image source.
  mImgSrcPopup->removeAllPopupItems();
  if (const fnd::Dictionary* source = layDictionary(p, "ImageSource")) {
    if (const fnd::Value* key = source->find("TitleKey"); key && key->isString()) {
      mImgSrcPopup->setTitleTxtTitle(uiText(key->toString()));
      const double width = mImgSrcPopup->getTitleTxt()->cellSize().width;
      if (width > 148) {
        mImgSrcPopup->setTitleTxtRect(0, 6, width, 17);
        mImgSrcPopup->setPopupBTRect(width, 0, 310 - width, 26);
      }
    }
    for (int n : layNumbers(source->find("MenuItem")).value_or(std::vector<int>{})) {
      // Only the seven sources exist; film sources need the adapter.
      if (n < 0 || n >= kImageSourceCount) continue;
      if (n >= 1 && n <= 4 && !connectFAU) continue;
      mImgSrcPopup->addPopupItemWithTitle(uiText(layFormat("EIMS_1200_%d", n)), n);
    }
  }
  // Paper size.
  const char* paperFormat = ver(&Quirel_UIScannerInfo::isVer1600Later)   ? "PAPERSIZE_1600_%d"
                            : ver(&Quirel_UIScannerInfo::isVer1500Later) ? "PAPERSIZE_1500_%d"
                            : ver(&Quirel_UIScannerInfo::isVer1300Later) ? "PAPERSIZE_1300_%d"
                                                                         : "PAPERSIZE_%d";
  mPaperSizePopup->removeAllPopupItems();
  const fnd::Dictionary* paper = layDictionary(p, "PaperSize");
  const fnd::Dictionary* paperItems = layDictionary(paper, "MenuItem");
  if (paperItems) {
    for (int n : layNumbers(paperItems->find("Normal")).value_or(std::vector<int>{}))
      mPaperSizePopup->addPopupItemWithTitle(uiText(layFormat(paperFormat, n)), n, false);
    for (int n : layNumbers(paperItems->find("ADF")).value_or(std::vector<int>{}))
      mPaperSizePopup->addPopupItemWithTitle(uiText(layFormat(paperFormat, n)), n, true);
  } else {
    struct Item {
      const char* key;
      int number;
      bool adf;
    };
    static constexpr Item kFallback[] = {
        {"IDS_SIM_SIZE_B_CARD", 1, false},        {"IDS_SIM_SIZE_L_LANDSCAPE", 3, false},
        {"IDS_SIM_SIZE_L_PORTRAIT", 2, false},    {"IDMAC_4x6", 4, false},
        {"IDMAC_6x4", 5, false},                  {"IDS_PAPERNAME_POSTCARD_L", 7, false},
        {"IDS_PAPERNAME_POSTCARD_P", 6, false},   {"IDS_SIM_SIZE_LL_LANDSCAPE", 9, false},
        {"IDS_SIM_SIZE_LL_PORTRAIT", 8, false},   {"IDS_PAPERNAME_A5_LANDSCAPE", 15, false},
        {"IDS_PAPERNAME_A5_PORTRAIT", 14, false}, {"IDS_SIM_SIZE_B5", 16, false},
        {"IDS_SIM_SIZE_A4", 10, false},           {"IDS_SIM_SIZE_LETTER", 17, false},
        {"IDS_PAPERNAME_FULL_PLATEN", 0, false},  {"IDS_SIM_SIZE_A5", 13, true},
        {"IDS_SIM_SIZE_B5", 16, true},            {"IDS_SIM_SIZE_LETTER", 17, true},
        {"IDS_SIM_SIZE_A4", 10, true},            {"IDS_SIM_SIZE_LEAGAL", 20, true},
    };
    for (const Item& i : kFallback) mPaperSizePopup->addPopupItemWithTitle(uiText(i.key), i.number, i.adf);
  }
  mPaperSizePopup->setPlatenMenu();
  // Film size.
  mFilmSizePopup->removeAllPopupItems();
  for (int n : layMenuItems(p, "FilmSize").value_or(std::vector<int>{21, 22}))
    mFilmSizePopup->addPopupItemWithTitle(uiText(layFormat(paperFormat, n)), n);
  // Colour mode: 16-bit grey only for film; black and white and the document modes only for the platen.
  mColorModePopup->removeAllPopupItems();
  for (int n : layMenuItems(p, "ColorMode").value_or(std::vector<int>{})) {
    const std::string title = uiText(layFormat("ECOM%d", n));
    if (n != 2) mColorModePopup->addPopupItemWithTitle(title, n, false);
    if (n != 0 && n != 5 && n != 6) mColorModePopup->addPopupItemWithTitle(title, n, true);
  }
  mColorModePopup->setPlatenModeMenu(false);
  // Unit.
  mUnitPopup->removeAllPopupItems();
  const char* unitFormat = ver(&Quirel_UIScannerInfo::isVer1300Later) ? "UNT_1300_%d" : "UNT%d";
  for (int n : layMenuItems(p, "Unit").value_or(std::vector<int>{}))
    mUnitPopup->addPopupItemWithTitle(uiText(layFormat(unitFormat, n)), n);
}

void Quirel_ExtendMode::setExtendItem_OutputSettings(const fnd::Dictionary* p) {
  if (!mResComboBox) return;
  const fnd::Dictionary* res = layDictionary(p, "OutputResolution");
  const fnd::Value* max = res ? res->find("MaxValue") : nullptr;
  mResComboBox->setPlatenMaxResolusion(max && max->isNumber() ? static_cast<int>(max->toInteger()) : 1200);
  mResComboBox->setVerion12MFP(ver(&Quirel_UIScannerInfo::isMFP) && ver(&Quirel_UIScannerInfo::isVer1200Later));
  mResComboBox->setUnitString("IDC_DPI_LABEL_STR");
  if (res) {
    const fnd::Value* items = res->find("MenuItem");
    if (auto all = layNumbers(items)) {
      mResComboBox->setAllMenuNumList(*all);
    } else if (items && items->isDictionary()) {
      const fnd::Dictionary& lists = items->toDictionary();
      if (auto l = layNumbers(lists.find("Platen"))) mResComboBox->setPlatenMenuNumList(*l);
      if (auto l = layNumbers(lists.find("MultiCrop"))) mResComboBox->setMultiCropMenuNumList(*l);
      if (auto l = layNumbers(lists.find("Film"))) mResComboBox->setFilmMenuNumList(*l);
      if (auto l = layNumbers(lists.find("ADF"))) mResComboBox->setADFMenuNumList(*l);
    }
  }
  mResComboBox->setPlatenModeMenu();
  setMenuItem_OutputSizePopupBT();
}

void Quirel_ExtendMode::setExtendItem_ImageSettings(const fnd::Dictionary* p) {
  if (!mAutoTonePopup) return;
  // Auto tone: off and on in both menus, shared data in the data-persistence menu only.
  mAutoTonePopup->removeAllPopupItems();
  auto autoTone = [&](int n, bool persistence) {
    const char* key = n == 0 ? "IDS_ADV_FLAG_OFF" : n == 1 ? "IDS_ADV_FLAG_ON" : "IDMAC_ADV_TONE_SHARE";
    mAutoTonePopup->addPopupItemWithTitle(uiText(key), n, persistence);
  };
  if (auto items = layMenuItems(p, "ISAutoTone")) {
    for (int n : *items) {
      if (n == 0 || n == 1) {
        autoTone(n, false);
        autoTone(n, true);
      } else if (n == 5) {
        autoTone(n, true);
      }
    }
  } else {
    autoTone(5, true);
    autoTone(1, true);
    autoTone(1, false);
    autoTone(0, true);
    autoTone(0, false);
  }
  mAutoTonePopup->setNormalMenu();

  // Colour adjustment, one list per kind of source.
  static constexpr const char* kAdjustKeys[] = {"IDS_ADV_FLAG_NONE", "IDS_ADV_FLAG_AUTO", "IDS_ADV_FLAG_PHOTO",
                                                "IDS_ADV_FLAG_DOCUMENT", "IDS_ADV_FLAG_MAGAZINE",
                                                "IDS_ADV_FLAG_NEWSPAPER"};
  mColorAdjustPopup->removeAllPopupItems();
  const fnd::Dictionary* adjust = layDictionary(p, "ISImageAdjustment");
  const char* modes[] = {"Platen", "Film", "ADF"};
  for (int mode = 0; mode < 3; ++mode) {
    for (int n : layMenuItems(adjust, modes[mode]).value_or(std::vector<int>{})) {
      if (n >= 0 && n <= 5) mColorAdjustPopup->addPopupItemWithTitle(uiText(kAdjustKeys[n]), n, mode);
    }
  }
  mColorAdjustPopup->setMenuAtMode(0);

  // The other rows: a table of titles by number and a fallback order.
  auto fill = [&](Quirel_CTRLS_PopupButton* popup, const char* key, const std::vector<std::pair<int, std::string>>& titles,
                  const std::vector<int>& fallback) {
    if (!popup) return;
    popup->removeAllPopupItems();
    for (int n : layMenuItems(p, key).value_or(fallback)) {
      for (const auto& [number, title] : titles) {
        if (number == n) {
          popup->addPopupItemWithTitle(uiText(title), n);
          break;
        }
      }
    }
  };
  const bool racs2 = mScannerInfo && mScannerInfo->useRACS2();
  fill(mCopyGammaPopup.get(), "ISCopyGamma",
       {{0, racs2 ? "IDS_ADV_FLAG_OFF" : "IDS_ADV_FLAG_NONE"}, {1, "IDS_ADV_FLAG_ON"}, {2, "IDS_INFO_COPY1"},
        {4, "IDS_INFO_COPY2"}},
       {4, 2, 0});
  const std::vector<std::pair<int, std::string>> onOff = {{0, "IDS_ADV_FLAG_OFF"}, {1, "IDS_ADV_FLAG_ON"}};
  fill(mUnsharpPopup.get(), "ISUnsharpMask", onOff, {1, 0});
  fill(mDescreenPopup.get(), "ISDescreen", onOff, {1, 0});
  fill(mHighQualityPopup.get(), "ISHighQuality", onOff, {1, 0});
  fill(mCalibrationPopup.get(), "ISCalbEveryTime", onOff, {1, 0});
  const std::vector<std::pair<int, std::string>> levels = {
      {0, "IDS_ADV_FLAG_NONE"}, {2, "IDS_INFO_COPY1"}, {3, "IDS_INFO_VEXA3"}, {4, "IDS_INFO_COPY2"}};
  fill(mRdcDustPopup.get(), "ISReduceDust", levels, {4, 3, 2, 0});
  fill(mRemoveDustPopup.get(), "ISRemoveDust", levels, {4, 3, 2, 0});
  fill(mReduceDustFAUPopup.get(), "ISReduceDustForFAU", levels, {4, 3, 2, 0});
  fill(mFdCorctPopup.get(), "ISFadingCorrect", levels, {4, 3, 2, 0});
  fill(mGrCorctPopup.get(), "ISGrainCorrect", levels, {4, 3, 2, 0});
  fill(mBlCorctPopup.get(), "ISLightCorrect", levels, {4, 3, 2, 0});
  fill(mBookCorctPopup.get(), "ISBookCorrect", levels, {4, 3, 2, 0});

  // The collapsible sections start closed.
  mExposureOpenBtn->setOnState(false);
  mExposureField->setEnabled(mExposureCbx->isChecked());
  mExposureBtns->setOnState(false);
  mExposureCbx->setHidden(true);
  mExposureField->setHidden(true);
  mExposureBtns->setHidden(true);
  if (mExposureView->hasHighQualityPopup()) mHighQualityPopup->setHidden(true);
  if (mScanSettingView) {
    mScanSettingOpenBtn->setOnState(false);
    if (mScanSettingView->hasHighQualityPopup()) mHighQualityPopup->setHidden(true);
  }
  if (mScannerInfo && mScannerInfo->calibration() && !mScannerInfo->manualCalibration() &&
      mScannerInfo->alwaysCalibration()) {
    // No calibration button: the pop-up takes its place.
    const double up = std::max(mCalibrationBtn->getPushBTRect().size.height,
                               mCalibrationBtn->getTitleTxtRect().size.height) + 4;
    for (kit::View* v : std::initializer_list<kit::View*>{mCalibrationPopup->getPopupBT(), mCalibrationPopup->getTitleTxt()})
      laySetY(v, v->frame().origin.y + up);
  }
  if (mCalibrationView) {
    mCalibrationOpenBtn->setOnState(false);
    mCalibrationBtn->setHidden(true);
    mCalibrationPopup->setHidden(true);
  }
}

// ---- layout ----------------------------------------------------------------------------------

void Quirel_ExtendMode::setFrameExtendItem() {
  if (!mExtTab || !mInputSetBox) return;
  const double top = mExtTab->extendView() ? mExtTab->extendView()->frame().size.height : 0;
  double edge = top;
  if (layShown(mFavoriteView.get())) {
    edge = top - layHeight(mFavoriteView.get());
    laySetY(mFavoriteView.get(), edge);
  }
  auto stack = [&](Quirel_CTRLS_Box& box) {
    kit::TextField* title = box.getTitleTxt();
    edge -= layHeight(title);
    laySetY(title, edge);
    edge -= layHeight(box.getBox());
    laySetY(box.getBox(), edge);
  };
  setFrameInInputSettings();
  stack(*mInputSetBox);
  setFrameInOutputSettings();
  stack(*mOutputSetBox);

  double bottom = 0;
  if (layShown(mScanButtonView.get())) bottom = mScanButtonView->frame().origin.y + layHeight(mScanButtonView.get());
  if (layShown(mPreferenceButtonView.get())) {
    laySetY(mPreferenceButtonView.get(), bottom);
    bottom += layHeight(mPreferenceButtonView.get());
  }
  setFrameInColorSettings();
  laySetY(mToneCurveSetBox->getBox(), bottom);
  const double colourTop = bottom + layHeight(mToneCurveSetBox->getBox());
  const double titleHeight = layHeight(mScrollView->getTitleTxt());
  const double gap = edge - colourTop;
  fnd::Rect scroll = mScrollView->getScrollViewRect();
  scroll.origin.y = colourTop;
  scroll.size.height = std::max(0.0, gap - titleHeight);
  mScrollView->getScrollView()->setFrame(scroll);
  laySetY(mScrollView->getTitleTxt(), colourTop + scroll.size.height);
  setFrameInImageSettings();
  // A fresh layout shows the image settings from their first row.
  if (kit::ScrollView* sv = mScrollView->getScrollView()) {
    const fnd::Rect doc = mScrollView->getViewRect();
    sv->scrollToPoint({0, std::max(0.0, doc.size.height - scroll.size.height)});
  }
  if (mExtTab->extendView()) mExtTab->extendView()->setNeedsDisplay(true);
}

void Quirel_ExtendMode::setFrameInInputSettings() {
  if (!mInputSetBox) return;
  double y = kLayBoxMargin;
  for (kit::View* row : std::initializer_list<kit::View*>{mInputWHView.get(), mColorModeView.get(), mOrientationView.get()}) {
    if (!layShown(row)) continue;
    laySetY(row, y);
    y += layHeight(row);
  }
  // Paper size and film size share one row.
  if (layShown(mPaperSizeView.get()) || layShown(mFilmSizeView.get())) {
    laySetY(mPaperSizeView.get(), y);
    laySetY(mFilmSizeView.get(), y);
    y += layHeight(mFilmSizeView.get());
  }
  if (layShown(mImageSourceView.get())) {
    laySetY(mImageSourceView.get(), y);
    y += layHeight(mImageSourceView.get());
  }
  laySetHeight(mInputSetBox->getBox(), y + kLayBoxMargin);
}

void Quirel_ExtendMode::setFrameInOutputSettings() {
  if (!mOutputSetBox) return;
  double y = kLayBoxMargin;
  for (kit::View* row : std::initializer_list<kit::View*>{mDataSizeView.get(), mOutputWHView.get(),
                                                          mOutputSizeView.get(), mResolutionView.get()}) {
    if (!layShown(row)) continue;
    laySetY(row, y);
    y += layHeight(row);
  }
  laySetHeight(mOutputSetBox->getBox(), y + kLayBoxMargin);
}

void Quirel_ExtendMode::setFrameInImageSettings() {
  if (!mPopupView || !mScrollView) return;
  double y = 0;
  for (kit::View* row : std::initializer_list<kit::View*>{
           mBookCorctView.get(), mBlCorctView.get(), mGrCorctView.get(), mFdCorctView.get(), mReduceDustFAUView.get(),
           mRemoveDustView.get(), mRdcDustView.get(), mDescreenView.get(), mUnsharpView.get(), mCopyGammaView.get(),
           mColorAdjustView.get(), mAutoToneView.get()}) {
    if (!layShown(row)) continue;
    laySetY(row, y);
    y += layHeight(row);
  }
  laySetHeight(mPopupView->getView(), y + 5);

  struct Section {
    Quirel_CTRLS_FoldingSection* view;
    Quirel_CTRLS_OpenButton* open;
  };
  const Section sections[] = {{mExposureView.get(), mExposureOpenBtn.get()},
                              {mScanSettingView.get(), mScanSettingOpenBtn.get()},
                              {mCalibrationView.get(), mCalibrationOpenBtn.get()}};
  double total = layHeight(mPopupView->getView());
  for (const Section& s : sections) {
    if (!s.view || s.view->isHidden()) continue;
    const double full = s.view->getFullHeight();
    const double closed = full - s.view->getCloseHeight();
    const double h = layHeight(s.view->getView());
    if (!s.open->isOnState() && h > closed) laySetHeight(s.view->getView(), closed);
    if (s.open->isOnState() && h < full) laySetHeight(s.view->getView(), full);
    total += layHeight(s.view->getView());
  }
  const double frameHeight = mScrollView->getScrollViewRect().size.height;
  const double documentHeight = frameHeight > total ? frameHeight - 2 : total;
  fnd::Rect doc = mScrollView->getViewRect();
  doc.size.height = documentHeight;
  // The document's top stays at the top of the part in view, whatever its new height.
  kit::ScrollView* scroll = mScrollView->getScrollView();
  kit::ClipView* clip = scroll ? scroll->contentView() : nullptr;
  if (clip) doc.origin.y = clip->frame().size.height - documentHeight;
  mScrollView->getView()->setFrame(doc);
  double top = documentHeight - layHeight(mPopupView->getView());
  laySetY(mPopupView->getView(), top);
  for (const Section& s : sections) {
    if (!s.view || s.view->isHidden()) continue;
    top -= layHeight(s.view->getView());
    laySetY(s.view->getView(), top);
  }
  if (clip) {
    // A scroll position left from a taller document is brought back within this one.
    clip->scrollToPoint(clip->bounds().origin);
    scroll->setNeedsDisplay(true);
  }
}

void Quirel_ExtendMode::setFrameInColorSettings() {
  if (!mToneCurveSetBox) return;
  static constexpr double kSlots[][2] = {{0, 28}, {38, 28}, {76, 28}, {114, 28}, {0, 1}, {38, 1}};
  int slot = 0;
  kit::View* buttons[] = {mColorBalanceBtn->getIconCGBT(), mContrastBtn->getIconCGBT(), mHistogramBtn->getIconCGBT(),
                          mToneCurveBtn->getIconCGBT(), mFinalReviewBtn->getIconCGBT(), mThresholdBtn->getIconBT()};
  for (kit::View* b : buttons) {
    if (!layShown(b)) continue;
    b->setFrame(fnd::Rect(kSlots[slot][0], kSlots[slot][1], 33, 24));
    ++slot;
  }
}

// ---- tooltips --------------------------------------------------------------------------------

void Quirel_ExtendMode::setEnabledToolTips() {
  if (!mImgSrcPopup) return;
  const bool ver1400 = ver(&Quirel_UIScannerInfo::isVer1400Later);
  auto tip = [&](kit::Control* c, const char* key, bool anew = false) { layTip(c, tipText(key), anew); };
  tip(mFavoritePopup->getPopupBT(), "IDC_PGADV_FAV_CMB");
  tip(mImgSrcPopup->getPopupBT(), "IDC_SP_CMB_SOURCESELECT");
  tip(mPaperSizePopup->getPopupBT(), "IDC_PGADV_PAPERSIZE_CMB");
  tip(mFilmSizePopup->getPopupBT(),
      ver(&Quirel_UIScannerInfo::isVer1600Later) ? "IDC_PGADV_FILMSIZE_CMB" : "IDMAC_PGADV_FILMSIZE_CMB");
  tip(mOrientationBtn->getPushBT(), ver1400 ? "IDC_PGADV_OPENSIDE_BTN" : "IDMAC_ADFDLG_BTN");
  tip(mColorModePopup->getPopupBT(), "IDC_PGADV_COLOR_CMB");
  tip(mInSizeWTextF->getNumberTxtF(), "IDC_PGADV_SELECT_W_EDT");
  tip(mInSizeHTextF->getNumberTxtF(), "IDC_PGADV_SELECT_H_EDT");
  tip(mFixRatioBtn->getIconOnOffBT(), "IDC_PGADV_WHCHAIN_BTN");
  tip(mUnitPopup->getPopupBT(), "IDC_PGADV_UNITS_CMB");
  tip(mResComboBox->getNumberTxtF(), mMultiCrop || mImageSource >= 5 ? "IDC_PGADV_RES_CMB_ADF" : "IDC_PGADV_RES_CMB",
      true);
  tip(mOutSizePopup->getPopupBT(), "IDC_PGADV_OUTPUTSIZE_CMB");
  tip(mOutSizeWTextF->getNumberTxtF(), "IDC_PGADV_PRINT_W_EDT");
  tip(mOutSizeHTextF->getNumberTxtF(), "IDC_PGADV_PRINT_H_EDT");
  tip(mMagnification->getNumberTxtF(), "IDC_PGADV_SCALE_EDT");
  tip(mDirectionBtn->getIconBT(),
      ver(&Quirel_UIScannerInfo::isVer1800Later) ? "IDC_PGADV_SWAPASPECT_BTN" : "IDC_SP_SWAPASPECT_BTN");
  tip(mAutoTonePopup->getPopupBT(), "IDMAC_PGADV_AUTOTONE_CMB");
  tip(mColorAdjustPopup->getPopupBT(), "IDC_PGADV_AUTOTONE_CMB");
  tip(mCopyGammaPopup->getPopupBT(), "IDC_PGADV_COPYGAMMA_CMB");
  tip(mUnsharpPopup->getPopupBT(), "IDC_PGADV_UNSHARP_CMB");
  tip(mDescreenPopup->getPopupBT(), "IDC_PGADV_DESCREEN_CMB");
  tip(mRdcDustPopup->getPopupBT(), "IDC_PGADV_REDUCEDUST_CMB");
  tip(mRemoveDustPopup->getPopupBT(), "IDC_PGADV_REMOVEDUST_CMB");
  tip(mReduceDustFAUPopup->getPopupBT(), "IDC_PGADV_REDUCEDUST_CMB");
  tip(mFdCorctPopup->getPopupBT(), "IDC_PGADV_FADINGCORRECT_CMB");
  tip(mGrCorctPopup->getPopupBT(), "IDC_PGADV_GRAINCORRECT_CMB");
  tip(mBlCorctPopup->getPopupBT(), "IDC_PGADV_BACKLIGHT_CMB");
  tip(mBookCorctPopup->getPopupBT(), "IDC_PGADV_CUBS_CMB");
  tip(mExposureOpenBtn->getPushBT(), "IDC_PGADV_AG_TONE_FOLD_BTN");
  tip(mExposureCbx->getCheckBox(), "IDC_PGADV_HAND_AG_CHK");
  tip(mExposureField->getNumberTxtF(), "IDC_PGADV_AGDATA_EDIT");
  tip(mExposureField->getStepper(), "IDC_PGADV_AGDATA_EDIT");
  tip(mExposureBtns->getApplyBT(), isThumbnailMode() ? "IDC_PGADV_SET_AUTOTONE_BTN" : "IDS_SET_AUTOTONE_ALCRP_TOOLTIP",
      true);
  tip(mExposureBtns->getResetBT(), "IDC_PGADV_RESET_AUTOTONE_BTN");
  if (mScannerInfo && mScannerInfo->highQualityMode()) {
    tip(mScanSettingOpenBtn->getPushBT(), "IDMAC_PGADV_SCAN_FOLD_BTN");
    tip(mHighQualityPopup->getPopupBT(), "IDC_PGADV_HIGHMODE_CMB");
  }
  if (mScannerInfo && mScannerInfo->calibration()) {
    tip(mCalibrationOpenBtn->getPushBT(), "IDMAC_PGADV_CALIB_FOLD_BTN");
    tip(mCalibrationBtn->getPushBT(), "IDMAC_PGADV_CALIB_BTN");
    tip(mCalibrationPopup->getPopupBT(), "IDC_PGPREF_CALIB_BFR_SCAN_CMB");
  }
  tip(mColorBalanceBtn->getIconCGBT(), "IDC_PGADV_COLORBAL_BTN");
  tip(mContrastBtn->getIconCGBT(), "IDC_PGADV_BRICONT_BTN");
  tip(mHistogramBtn->getIconCGBT(), "IDC_PGADV_HISTO_BTN");
  tip(mToneCurveBtn->getIconCGBT(), "IDC_PGADV_CURVE_BTN");
  tip(mFinalReviewBtn->getIconCGBT(), "IDC_PGADV_FINALTH_BTN");
  tip(mThresholdBtn->getIconBT(), "IDC_PGADV_THRESHOLD_BTN");
  const int colourMode = mColorModePopup->getRepresentedNumber();
  tip(mToneCurvePopup->getPopupBT(),
      colourMode == 0 || colourMode == 6 ? "IDC_PGADV_IPROC_FILE_CMB_BW" : "IDC_PGADV_IPROC_FILE_CMB", true);
  tip(mToneResetBtn->getPushBT(), "IDC_PGADV_IPROC_RESET_BTN");
  tip(mZoomBtn->getPushBT(), mZoomBtn->isOnState() ? "IDC_FORM_UNDO" : "IDC_PGADV_ZOOM_BTN", true);
  tip(mPrevBtn->getColorPushBT(), "IDC_SP_PREVIEW");
  tip(mScanBtn->getColorPushBT(), "IDC_MS_BTN_MULTI_SCAN");
  if (mPrefBtn) tip(mPrefBtn->getPushBT(), "IDC_MAINSHEET_PREFSET");
  if (mCloseWindowBtn) tip(mCloseWindowBtn->getPushBT(), "IDC_MAINSHEET_CLOSE");
}

// ---- favourite, output-size and tone menus -----------------------------------------------------

void Quirel_ExtendMode::setMenuItem_FavoritePopupBT() {
  if (!mFavoritePopup) return;
  mFavoritePopup->removeAllPopupItems();
  mFavoritePopup->addPopupItemWithTitle(uiText("IDS_ADV_FAV_USER_SETTINGS"), 0);
  mFavoritePopup->addPopupItemWithTitle(uiText("IDS_ADV_FAV_DEFAULT"), 1);
  if (!mHasPreview) return;
  if (mSettingFilePath) {
    const auto contents = Quirel_SettingsListFile::read(Quirel_FavoriteSetting::filePath(*mSettingFilePath));
    for (const fnd::Value& e : contents.elements) {
      if (!e.isDictionary()) continue;
      const fnd::Dictionary& d = e.toDictionary();
      const fnd::Value* index = d.find("Index");
      const fnd::Value* source = d.find("ImageSource");
      const fnd::Value* mode = d.find("ColorMode");
      // Entries that would stand for a fixed item, or name a source or mode that does not
      // exist, are not listed.
      if (!index || !index->isNumber() || !source || !source->isNumber()) continue;
      const long long i = index->toInteger(), s = source->toInteger();
      if (i == -1 || i == 0 || i == 1 || s < 0 || s > 6) continue;
      if (mode && (!mode->isNumber() || mode->toInteger() < 0 || mode->toInteger() > 6)) continue;
      if (!laySourceFits(static_cast<int>(s), mImageSource)) continue;
      const fnd::Value* name = d.find("Name");
      mFavoritePopup->addPopupItemWithTitle(name && name->isString() ? name->toString() : std::string(),
                                            static_cast<int>(i));
    }
  }
  mFavoritePopup->addSeparatorItem();
  mFavoritePopup->addPopupItemWithTitle(uiText("IDS_ADV_FAV_ADD_DELETE"), -1);
}

void Quirel_ExtendMode::setMenuItem_OutputSizePopupBT() {
  if (!mOutSizePopup) return;
  mOutSizePopup->removeAllPopupItems();
  createOutputSizeObjects();
  mOutSizePopup->addPopupItemWithTitle(uiText("IDS_SIM_SIZE_FREE"), 0);
  if (mPrintArray) {
    for (const auto& s : *mPrintArray) mOutSizePopup->addPopupItemWithTitle(s->getName().value_or(""), s->getIndex());
  }
  mOutSizePopup->addSeparatorItem();
  if (mDisplayArray) {
    for (const auto& s : *mDisplayArray) mOutSizePopup->addPopupItemWithTitle(s->getName().value_or(""), s->getIndex());
  }
  mOutSizePopup->addSeparatorItem();
  mOutSizePopup->addPopupItemWithTitle(uiText("IDS_ADV_FAV_ADD_DELETE"), -1);
}

void Quirel_ExtendMode::setMenuItem_ToneCurvePopupBT(int colorMode) {
  if (!mToneCurvePopup) return;
  mToneCurvePopup->removeAllPopupItems();
  mToneCurvePopup->addPopupItemWithTitle(uiText("IDS_ADV_FAV_TONE_CUSTOM"), 0);
  if (mSettingFilePath && colorMode != 6) {
    const auto contents = Quirel_SettingsListFile::read(Quirel_ToneSetting::filePath(*mSettingFilePath));
    for (const fnd::Value& e : contents.elements) {
      if (!e.isDictionary()) continue;
      const fnd::Dictionary& d = e.toDictionary();
      const fnd::Value* index = d.find("Index");
      const fnd::Value* mode = d.find("ColorMode");
      // Entries that would stand for a fixed item or name no colour mode are not listed.
      if (!index || !index->isNumber() || !mode || !mode->isNumber()) continue;
      const long long i = index->toInteger(), m = mode->toInteger();
      if (i == -1 || i == 0 || m < 0 || m > 6) continue;
      if ((colorMode == 0) != (m == 0)) continue;
      const Quirel_ToneSetting setting(d);
      mToneCurvePopup->addPopupItemWithTitle(setting.getName(), static_cast<int>(i));
    }
  }
  mToneCurvePopup->addSeparatorItem();
  mToneCurvePopup->addPopupItemWithTitle(uiText("IDS_ADV_FAV_ADD_DELETE"), -1);
}

std::vector<std::string> Quirel_ExtendMode::getDefaultFavoriteName() const {
  return {uiText("IDS_ADV_FAV_USER_SETTINGS"), uiText("IDS_ADV_FAV_DEFAULT"), uiText("IDS_ADV_FAV_ADD_DELETE")};
}

std::vector<std::string> Quirel_ExtendMode::getDefaultToneCurveName() const {
  return {uiText("IDS_ADV_FAV_TONE_CUSTOM"), uiText("IDS_ADV_FAV_ADD_DELETE")};
}
