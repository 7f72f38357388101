#include "ui/modes/basic/StandardMode.h"

#include "foundation/RunLoop.h"
// The panel's controls, which the mode's life creates and ends: complete here, not only in
// whichever sources happen to share this file's build batch.
#include "ui/controls/CTRLS_AdjustCropText.h"
#include "ui/controls/CTRLS_ColorPatternButton.h"
#include "ui/controls/CTRLS_DestinationPopup.h"
#include "ui/controls/CTRLS_ImageCorrectText.h"
#include "ui/controls/CTRLS_ImageSourcePopup.h"
#include "ui/controls/CTRLS_OutputSizePopup.h"
#include "ui/controls/CTRLS_STDCheckBox.h"
#include "ui/controls/CTRLS_STDDirectionButton.h"
#include "ui/controls/CTRLS_STDPreviewButton.h"
#include "ui/controls/CTRLS_STDScanButton.h"
#include "ui/controls/NoFocusImageView.h"
#include "ui/controls/NoFocusView.h"
#include "ui/model/CropInfo.h"
#include "ui/model/UIScannerInfo.h"
#include "ui/settings/InfoDialog.h"
#include "ui/controls/InfoDlgPanel.h"
#include "ui/modes/toolbar/Toolbar.h"

Quirel_StandardMode::Quirel_StandardMode(fnd::NotificationCenter& center) : Quirel_BaseScanMode(center) {
  mUIMode = 0;
  mSelectAllThumbnail = true;
}

Quirel_StandardMode::~Quirel_StandardMode() {
  // Retries that start from now on leave the mode alone; one already inside the gate is let
  // through on the main thread (where its start now does nothing) until it has left.
  mRetryGate.close();
  // No observation outlives this point: a control that posts while the panel goes must not
  // reach a mode half taken down. The base would end them only after the panel.
  mCenter.removeObserver(selfIdentity());
  mCenter.removeObserver(static_cast<const void*>(static_cast<Quirel_BaseScanMode*>(this)));
  releaseStandardItem();
  mInfoDialog.reset();
}

int Quirel_StandardMode::inputSourceForImageSource(int imageSource) {
  switch (imageSource) {
    case 4:
      return 3;
    case 5:
      return 4;
    case 6: case 7: case 8: case 9: case 10: case 11:
      return 1;
    default:
      return 0;
  }
}

int Quirel_StandardMode::convColorAdjustFromImageSource(int imageSource) const {
  switch (imageSource) {
    case 0: case 4: case 5:
      return 2;
    case 1:
      return 4;
    case 2: case 12:
      return 5;
    case 3: case 13:
      return 3;
    case 6: case 7: case 8: case 9: case 10: case 11:
      return mScannerInfo && mScannerInfo->useRACS2() ? 3 : 0;
    default:
      return 0;
  }
}

int Quirel_StandardMode::copyGammaValue() const { return mScannerInfo && mScannerInfo->useRACS2() ? 0 : 2; }

void Quirel_StandardMode::updateCropByImageSource(int s, Quirel_CropInfo& crop, bool changeInputSource,
                                                  bool resetToneSetting) {
  int sourceNumber = 0;
  int colorMode = 3;
  int paperSize = 0;
  switch (s) {
    case 2: colorMode = 0; break;
    case 3: case 12: colorMode = 1; break;
    case 4: sourceNumber = 1; paperSize = 21; break;
    case 5: sourceNumber = 2; paperSize = 21; break;
    case 6: case 8: sourceNumber = 5; paperSize = mUserLocaleUnits.paperSize; break;
    case 7: case 9: sourceNumber = 5; colorMode = 1; paperSize = mUserLocaleUnits.paperSize; break;
    case 10: sourceNumber = 6; paperSize = mUserLocaleUnits.paperSize; break;
    case 11: sourceNumber = 6; colorMode = 1; paperSize = mUserLocaleUnits.paperSize; break;
    default: break;
  }
  const int oldColorMode = crop.getColorMode();
  crop.setImageSourceForStandard(s);
  crop.setImageSource(sourceNumber);
  crop.setColorMode(colorMode);
  crop.setPaperSize(paperSize);

  const bool film = s == 4 || s == 5;
  ImgSrcSetting values{crop.getRemoveDust(), crop.getReduceDustFAU(), crop.getFadingCorrect(),
                       crop.getBackLightCorrect(), crop.getBookCorrect(), crop.getAutoDocCorrect()};
  if (changeInputSource) {
    const SSizeDouble wh = getPaperSizeWH_Pixel96(paperSize);
    const bool ver1400 = mScannerInfo && mScannerInfo->isVer1400Later();
    crop.setDestination(0);
    crop.setUnit(mUserLocaleUnits.unit);
    crop.setInputSize_Pixel96(wh.width, wh.height);
    crop.setFixesRatio(false);
    crop.setRatio(wh);
    crop.setResolution(ver1400 && film ? 1200 : 300);
    crop.setOutputSize(0);
    crop.setOutputSize_Pixel96(wh);
    crop.setMagnification(100);
    values = mImgSrcSetting[film ? 1 : 0];
  }
  crop.setAutoTone(isAlwaysAutoTone(colorMode) ? 1 : 0);
  crop.removeBaseCropOfDataPersistence();
  crop.setColorAdjust(convColorAdjustFromImageSource(s));
  crop.setCopyGamma(copyGammaValue());
  crop.setUnsharpMask(1);
  crop.setReduceDust(0);
  crop.setGrainCorrect(0);
  crop.setDescreen(s == 1 ? 1 : 0);
  crop.setRemoveDust(values.removeDust);
  crop.setReduceDustFAU(values.reduceDustFAU);
  crop.setFadingCorrect(values.fading);
  crop.setBackLightCorrect(values.backlight);
  crop.setBookCorrect(values.book);
  crop.setAutoDocCorrect(values.autoDocCorrect);
  if (resetToneSetting || colorMode != oldColorMode) updateCropByResetToneSetting(crop, true);
}

void Quirel_StandardMode::initModelessDialogs() {
  if (!mInfoDialog && mToolbar) {
    mInfoDialog = mToolbar->getScanInfoDialog();
    // The listed window keeps its panel alive for as long as the list holds it.
    if (mInfoDialog && mInfoDialog->getWindow()) addDialog(std::shared_ptr<kit::Window>(mInfoDialog, mInfoDialog->getWindow()));
  }
  if (!mInfoDialog) return;
  if (mInfoDialog->isVisible()) mInfoDialog->closeScanInfoDialog();
  mInfoDialog->setHasOpened(false);
}
