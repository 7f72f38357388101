// The progress window's detail view and display rules: which crop, frame or page is being
// scanned, the settings it is scanned with, and which rows show for the scan.
#include "foundation/StringFormat.h"
#include "kit/Button.h"
#include "kit/Font.h"
#include "kit/TextField.h"
#include "kit/Window.h"
#include "ui/base/MessageText.h"
#include "ui/base/ProgressLayout.h"
#include "ui/windows/MessageInfoView.h"
#include "ui/windows/ProgressWindow.h"

namespace {

using Rules = Quirel_ProgressDisplayRules;

// Rows of the detail view, in table order.
enum DetailRowIndex {
  kSourceRow,
  kColorRow,
  kResolutionRow,
  kAutoFineDocRow,
  kImageAdjustRow,
  kCopyGammaRow,
  kUnsharpRow,
  kDescreenRow,
  kReduceDustRow,
  kSoftwareDustRow,
  kInfraredDustRow,
  kFadingRow,
  kGrainRow,
  kBacklightRow,
  kBookRow
};

// The table row of each visibility flag.
constexpr int kRowOfFlag[Rules::kRowCount] = {kUnsharpRow,      kDescreenRow,     kReduceDustRow,  kFadingRow,
                                              kGrainRow,        kBacklightRow,    kBookRow,        kInfraredDustRow,
                                              kSoftwareDustRow, kCopyGammaRow,    kImageAdjustRow, kAutoFineDocRow};

}  // namespace

void Quirel_ProgressWindow::setImageSourceString(const std::string& text, std::int32_t number) {
  imageSourceStr = text;
  imageSourceNum = number;
}

void Quirel_ProgressWindow::setColorModeString(const std::string& text, std::int32_t number) {
  colorModeStr = text;
  colorModeNum = number;
}

void Quirel_ProgressWindow::setScannerDispInfo(bool unsharp, bool descreen, bool reduceDust, bool vexa, bool fading,
                                               bool grain, bool backLight, bool book, bool softVexa, bool copyGamma,
                                               bool imageAdjust, bool racs2) {
  mCaps.iUnharp = unsharp;
  mCaps.iDescreen = descreen;
  mCaps.iReduceDust = reduceDust;
  mCaps.iVexa = vexa;
  mCaps.iFadingCorrect = fading;
  mCaps.iGrainCorrect = grain;
  mCaps.iBackLightCorrect = backLight;
  mCaps.iBookCorrect = book;
  mCaps.iSoftVexa = softVexa;
  mCaps.iCopyGamma = copyGamma;
  mCaps.iImageAdjust = imageAdjust;
  mCaps.iRACS2 = racs2;
}

Quirel_ProgressDisplayRules::BarCancel Quirel_ProgressWindow::setProgressAndCancelDisp(
    const fnd::Dictionary& info) const {
  return Rules::setProgressAndCancelDisp(info);
}

std::int32_t Quirel_ProgressWindow::setDetailInfoSimple(const fnd::Dictionary& info) const {
  return Rules::setDetailInfoSimple(info);
}

Quirel_ProgressDisplayRules::SimpleComp Quirel_ProgressWindow::setDetailInfoSimpleComp(
    const fnd::Dictionary& info) const {
  return Rules::setDetailInfoSimpleComp(info, mVer16L);
}

void Quirel_ProgressWindow::setScanningInfoMainThreadCFlg(std::int16_t now, std::int16_t total, std::int16_t source) {
  if (!ScanStInfo) return;
  // 1. The status text and the crop it describes.
  mCropNow = now;
  std::string status;
  if (source == 3)
    status = MES_FillPlaceholders(uiText(Rules::scanningStatusKey(source)), fnd::Array{fnd::Value(now)});
  else if (source == 1 || source == 2)
    status = MES_FillPlaceholders(uiText(Rules::scanningStatusKey(source)), fnd::Array{fnd::Value(now), fnd::Value(total)});
  const std::int32_t entry = Rules::cropEntryFor(source, now, scanMode, imageSourceNum, mCropCount);
  const CropSetting* crop = entry >= 0 ? mCropSetting[entry] : nullptr;

  // 2. Status row; the rest needs the detail and a crop.
  ScanStInfo->setStringValue(status);
  if (!DetailSimpleDisp || !crop) return;

  // 3. Rows.
  fillDetailRows(*crop);

  // 4. Copy gamma.
  const bool before = mDisplayCopyGammaWhenRACS2;
  bool wanted = mDisplayCopyGammaWhenRACS2;
  mDetailValues[kCopyGammaRow]->setStringValue(
      uiText(Rules::copyGammaKey(mCaps.iRACS2, crop->UISettingDocument, mCopyGamma, &wanted)));
  if (mCaps.iRACS2) mDisplayCopyGammaWhenRACS2 = wanted;

  // 5. The preview model tells the colour-adjust number of this crop.
  postSetScanningInfoImageAdjust(mCenter);
  mDetailValues[kImageAdjustRow]->setStringValue(uiText(Rules::imageAdjustKey(mImageAdjustNum)));

  // 6. Auto fine document.
  mDetailValues[kAutoFineDocRow]->setStringValue(uiText(Rules::onOffKey(crop->AUTOFINEDOCUMENT)));
  if (crop->AUTOFINEDOCUMENT == 1) {
    mDetailValues[kImageAdjustRow]->setStringValue(uiText("IDS_ADV_FLAG_UNDISPLAY"));
    mDetailValues[kUnsharpRow]->setStringValue(uiText("IDS_ADV_FLAG_UNDISPLAY"));
  }

  // 7. The copy-gamma row came or went: lay out again.
  if (before != mDisplayCopyGammaWhenRACS2) {
    mDetailHeight = setLayoutDetailView(1);
    windowHeight = mDetailHeight + mMessageBoxHeight + 32 + mInfoBoxHeight;
    placeBoxes();
    if (DisclosereButton->state() == 1) resizeKeepingTop(windowHeight, false);
  }
}

void Quirel_ProgressWindow::fillDetailRows(const CropSetting& crop) {
  if (!imageSourceStr.empty()) mDetailValues[kSourceRow]->setStringValue(imageSourceStr);
  if (!colorModeStr.empty()) mDetailValues[kColorRow]->setStringValue(colorModeStr);
  mDetailValues[kResolutionRow]->setStringValue(
      fnd::stringWithFormat("%d %@", crop.Resolution, uiText("IDC_DPI_LABEL_STR")));
  mDetailValues[kUnsharpRow]->setStringValue(uiText(Rules::onOffKey(crop.UnsharpMask)));
  mDetailValues[kDescreenRow]->setStringValue(uiText(Rules::onOffKey(crop.Descreen)));
  mDetailValues[kReduceDustRow]->setStringValue(uiText(Rules::levelKey(crop.ReduceDust)));
  mDetailValues[kSoftwareDustRow]->setStringValue(uiText(Rules::levelKey(crop.SIRScan)));
  mDetailValues[kInfraredDustRow]->setStringValue(uiText(Rules::levelKey(crop.IRScan)));
  mDetailValues[kFadingRow]->setStringValue(uiText(Rules::levelKey(crop.FadingCorrect)));
  mDetailValues[kGrainRow]->setStringValue(uiText(Rules::levelKey(crop.GrainCorrect)));
  mDetailValues[kBacklightRow]->setStringValue(uiText(Rules::levelKey(crop.BacklightCorrect)));
  mDetailValues[kBookRow]->setStringValue(uiText(Rules::levelKey(crop.CuBS)));
}

double Quirel_ProgressWindow::setLayoutDetailView(std::int32_t refresh) {
  if (!DetailView) return 0;
  if (refresh == 0) {
    mDetailValues[kSourceRow]->setStringValue(imageSourceStr);
    mDetailValues[kColorRow]->setStringValue(colorModeStr);
  }
  Rules::DetailInputs inputs;
  inputs.colorSetting = colorSetting;
  inputs.colorModeNum = colorModeNum;
  inputs.scanMode = scanMode;
  inputs.imageSourceNum = imageSourceNum;
  inputs.ver16L = mVer16L;
  inputs.ver17L = mVer17L;
  inputs.displayCopyGammaWhenRACS2 = mDisplayCopyGammaWhenRACS2;
  inputs.caps = mCaps;
  const Rules::RowFlags flags = Rules::detailRowFlags(inputs);
  imageSourceNum = inputs.imageSourceNum;

  std::vector<Quirel_ProgressLayout::DetailRow> rows(kDetailRows);
  for (int flag = 0; flag < Rules::kRowCount; ++flag) rows[kRowOfFlag[flag]].shown = flags[flag];
  const double column = Quirel_ProgressLayout::detailColumnWidth(layoutType);
  for (int i = 0; i < kDetailRows; ++i) {
    const auto wider = [column](const kit::TextField* f) {
      return f->font().widthOfString(f->stringValue()) + 2 * kit::TextField::kLabelInset > column;
    };
    rows[i].twoLines = wider(mDetailLabels[i]) || wider(mDetailValues[i]);
  }
  std::vector<Quirel_ProgressLayout::DetailPlacement> placed;
  const double height = Quirel_ProgressLayout::layoutDetailRows(rows, &placed);
  for (int i = 0; i < kDetailRows; ++i) {
    if (!rows[i].shown) continue;
    fnd::Rect label = mDetailLabels[i]->frame();
    fnd::Rect value = mDetailValues[i]->frame();
    label.origin.y = value.origin.y = placed[i].y;
    label.size.height = value.size.height = placed[i].height;
    mDetailLabels[i]->setFrame(label);
    mDetailValues[i]->setFrame(value);
  }
  setHiddenField(flags);
  return height;
}

void Quirel_ProgressWindow::setHiddenField(const Quirel_ProgressDisplayRules::RowFlags& shown) {
  for (int i = 0; i < kDetailRows; ++i) {
    if (!mDetailLabels[i]) return;
    mDetailLabels[i]->setHidden(false);
    mDetailValues[i]->setHidden(false);
  }
  for (int flag = 0; flag < Rules::kRowCount; ++flag) {
    if (shown[flag]) continue;
    mDetailLabels[kRowOfFlag[flag]]->setHidden(true);
    mDetailValues[kRowOfFlag[flag]]->setHidden(true);
  }
}
