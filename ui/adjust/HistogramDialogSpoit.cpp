// The histogram dialog's eyedroppers: arming the buttons, the readout of the pixel under the
// pointer, and a picked pixel applied to the armed point of every selected crop.

#include "ui/adjust/HistogramDialog.h"
#include "ui/adjust/FRPixelValueView.h"
#include "ui/controls/CTRLS_HistoChannelPopup.h"
#include "ui/controls/NoFocusButton.h"
#include "ui/controls/NumberField.h"
#include "ui/model/CropInfo.h"
#include "ui/model/UIScannerInfo.h"

namespace {

using SpoitMath = Quirel_HistogramPointMath;

int spoitInteger(const fnd::Dictionary& d, const char* key) {
  const fnd::Value v = d.get(key);
  if (v.isString()) return std::atoi(v.toString().c_str());
  return static_cast<int>(v.toInt());
}

std::string spoitString(const fnd::Dictionary& d, const char* key) {
  const fnd::Value v = d.get(key);
  return v.isString() ? v.toString() : std::to_string(v.toInt());
}

bool isSpoitColorMode(int mode) { return mode >= 3 && mode <= 5; }
bool isSpoitGrayMode(int mode) { return mode == 1 || mode == 2; }

}  // namespace

void Quirel_HistogramDialog::spoitBtnReflesh() {
  if (isSpoitGrayMode(mPopupSelected)) {
    for (int i = 0; i < 3; ++i)
      if (mSpoitBtns[i]) mSpoitBtns[i]->setEnabled(mHasPreview);
  } else {
    for (Quirel_NoFocusButton* b : mSpoitBtns)
      if (b) b->setEnabled(mHasPreview);
  }
  setEnabledToolTips();
}

int Quirel_HistogramDialog::getSpoitButtonState() const {
  static constexpr int kCodes[4] = {11, 12, 13, 12};
  for (int i = 0; i < 4; ++i)
    if (mSpoitBtns[i] && mSpoitBtns[i]->state()) return kCodes[i];
  return -1;
}

void Quirel_HistogramDialog::spoitToolStop() {
  for (Quirel_NoFocusButton* b : mSpoitBtns)
    if (b && b->state()) {
      b->setState(0);
      return;
    }
}

void Quirel_HistogramDialog::armSpoit(int button) {
  postFinishedEdit(mUpdateImageFlg, true);
  mSpoitBtns[button]->setState(1);
  for (int i = 0; i < 4; ++i)
    if (i != button && mSpoitBtns[i]->state()) {
      mSpoitBtns[i]->setState(0);
      break;
    }
  post(kSpoitStartPost);
}

bool Quirel_HistogramDialog::colorReadoutShown() const { return mColorReadout && !mColorReadout->isHidden(); }
bool Quirel_HistogramDialog::grayReadoutShown() const { return mGrayReadout && !mGrayReadout->isHidden(); }

std::string Quirel_HistogramDialog::readoutText() const {
  if (colorReadoutShown()) return mColorReadout->text();
  if (grayReadoutShown()) return mGrayReadout->text();
  return {};
}

void Quirel_HistogramDialog::clearReadouts() {
  if (isSpoitColorMode(mPopupSelected) && mColorReadout) mColorReadout->colorValueClean();
  if (isSpoitGrayMode(mPopupSelected) && mGrayReadout) mGrayReadout->grayValueClean();
}

void Quirel_HistogramDialog::pixelValueSet(const fnd::Dictionary* values) {
  if (!isVisible()) return;
  if (!values || getSpoitButtonState() < 0) {
    clearReadouts();
    return;
  }
  if (isSpoitColorMode(mPopupSelected)) {
    mColorReadout->redValueSet(spoitString(*values, "RedValue"));
    mColorReadout->greenValueSet(spoitString(*values, "GreenValue"));
    mColorReadout->blueValueSet(spoitString(*values, "BlueValue"));
  } else if (isSpoitGrayMode(mPopupSelected)) {
    mGrayReadout->grayValueSet(spoitString(*values, "GrayValue"));
  }
}

void Quirel_HistogramDialog::spoitPoint(Marker m) {
  placeMarker(m);
  if (m == Marker::Black) {
    perMidCalc(0);
    synchroMidPointSet(0);
  } else if (m == Marker::White) {
    perMidCalc(1);
    synchroMidPointSet(1);
  }
  setBlkMidWhtSelectedCrop();
  setNeedsDisplayInGraph();
  postDialogValueChange(true);
}

void Quirel_HistogramDialog::spoitGrayPoint() {
  setBlkMidWhtSelectedCrop();
  setNeedsDisplayInGraph();
  postDialogValueChange(true);
}

void Quirel_HistogramDialog::spoitValueSet(const fnd::Dictionary* values) {
  if (!values) return;
  const int rgb[3] = {spoitInteger(*values, "RedValue"), spoitInteger(*values, "GreenValue"),
                      spoitInteger(*values, "BlueValue")};
  const char* channelKeys[4] = {"RedValue", "RedValue", "GreenValue", "BlueValue"};
  const std::string gray = spoitString(*values, "GrayValue");
  auto anchors = [this] {
    mFirstBlk = fieldValue(Marker::Black);
    mFirstMid = fieldValue(Marker::Mid);
    mFirstWht = fieldValue(Marker::White);
  };
  auto armed = [this](int i) { return mSpoitBtns[i] && mSpoitBtns[i]->state() != 0; };
  auto setFieldText = [this](Marker m, const std::string& text) {
    if (field(m)) field(m)->setStringValue(text);
  };
  const bool v1700 = mScannerInfo && mScannerInfo->isVer1700Later();
  // The picked colour applied per channel to the red, green and blue points of every target.
  auto applyPerChannel = [&](Marker which) {
    for (Quirel_CropInfo* crop : targetCrops()) {
      HistogramValues h = crop->getHistogram();
      mBlkPt = h.black, mMidPt = h.mid, mWhtPt = h.white;
      for (int c = 1; c <= 3; ++c) {
        const int b = SpoitMath::element(mBlkPt, c), mid = SpoitMath::element(mMidPt, c);
        const int w = SpoitMath::element(mWhtPt, c);
        if (which == Marker::Black) {
          const SpoitMath::Pair p = SpoitMath::pickBlack(rgb[c - 1], b, mid, w);
          SpoitMath::setElement(mBlkPt, c, p.first);
          SpoitMath::setElement(mMidPt, c, p.second);
        } else if (which == Marker::Mid) {
          SpoitMath::setElement(mMidPt, c, SpoitMath::pickMid(rgb[c - 1], b, w));
        } else {
          const SpoitMath::Pair p = SpoitMath::pickWhite(rgb[c - 1], b, mid, w);
          SpoitMath::setElement(mWhtPt, c, p.first);
          SpoitMath::setElement(mMidPt, c, p.second);
        }
      }
      h = crop->getHistogram();
      h.black = mBlkPt, h.mid = mMidPt, h.white = mWhtPt;
      crop->setHistogram(h);
    }
    if (which != Marker::Mid && v1700) mNeedRemakeCropCorrection = true;
  };

  const int channel = mPopupChannel;
  if (isSpoitColorMode(mPopupSelected)) {
    const bool single = channel >= 1 && channel <= 3;
    if (armed(0)) {
      anchors();
      if (single) {
        setFieldText(Marker::Black, spoitString(*values, channelKeys[channel]));
      } else {
        setFieldValue(Marker::Black, 0);
        applyPerChannel(Marker::Black);
      }
      mSpoitBtns[0]->setState(0);
      spoitPoint(Marker::Black);
      mPerBlkToMid = mPerMidToWht = 0.0f;
    } else if (armed(1)) {
      if (single) {
        setFieldText(Marker::Mid, spoitString(*values, channelKeys[channel]));
      } else {
        setFieldValue(Marker::Mid, 128);
        applyPerChannel(Marker::Mid);
      }
      mSpoitBtns[1]->setState(0);
      spoitPoint(Marker::Mid);
    } else if (armed(2)) {
      anchors();
      if (single) {
        setFieldText(Marker::White, spoitString(*values, channelKeys[channel]));
      } else {
        setFieldValue(Marker::White, 255);
        applyPerChannel(Marker::White);
      }
      mSpoitBtns[2]->setState(0);
      spoitPoint(Marker::White);
      mPerBlkToMid = mPerMidToWht = 0.0f;
    } else if (armed(3)) {
      mGrayPt = ChannelValues{128, rgb[0], rgb[1], rgb[2]};
      mSpoitBtns[3]->setState(0);
      spoitGrayPoint();
    }
    if (mColorReadout) mColorReadout->colorValueClean();
  } else if (isSpoitGrayMode(mPopupSelected)) {
    const Marker order[3] = {Marker::Black, Marker::Mid, Marker::White};
    for (int i = 0; i < 3; ++i) {
      if (!armed(i)) continue;
      if (order[i] != Marker::Mid) anchors();
      setFieldText(order[i], gray);
      mSpoitBtns[i]->setState(0);
      spoitPoint(order[i]);
      if (order[i] != Marker::Mid) mPerBlkToMid = mPerMidToWht = 0.0f;
      break;
    }
    if (mGrayReadout) mGrayReadout->grayValueClean();
  }
  post(kFinalUpdatePost);
  post(kSpoitStopPost);
  mNeedRemakeCropCorrection = true;
  postRemakeCropFromCorrection();
}
