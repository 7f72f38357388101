// The histogram dialog's points: fields and markers kept in step, typed values checked and
// committed, markers dragged, and the take-back answers of the key-window protocol.

#include <cmath>

#include "kit/Application.h"
#include "ui/adjust/HistogramDialog.h"
#include "ui/controls/CTRLS_HistoChannelPopup.h"
#include "ui/controls/CTRLS_HistogramGraph.h"
#include "ui/controls/DlgImageView.h"
#include "ui/controls/ImageDataProcessPanel.h"
#include "ui/controls/NoFocusButton.h"
#include "ui/controls/NumberField.h"
#include "ui/model/CropInfo.h"

namespace {
using HistPointMath = Quirel_HistogramPointMath;
}  // namespace

int Quirel_HistogramDialog::fieldValue(Marker m) const { return field(m) ? field(m)->intValue() : 0; }

void Quirel_HistogramDialog::setFieldValue(Marker m, int value) {
  if (field(m)) field(m)->setIntValue(value);
}

Quirel_HistogramPointMath::Row Quirel_HistogramDialog::row() const {
  return {marker(Marker::Black)->frame().origin.x,
          marker(Marker::Mid)->frame().origin.x,
          marker(Marker::White)->frame().origin.x,
          fieldValue(Marker::Black),
          fieldValue(Marker::Mid),
          fieldValue(Marker::White)};
}

void Quirel_HistogramDialog::placeMarker(Marker m) {
  const HistPointMath::Placed p = HistPointMath::place(m, row());
  setFieldValue(m, p.value);
  fnd::Rect f = marker(m)->frame();
  f.origin.x = p.x;
  marker(m)->setFrame(f);
  redrawSlider();
}

void Quirel_HistogramDialog::perMidCalc(int side) {
  if (side == 0) mPerBlkToMid = HistPointMath::proportion(false, mFirstBlk, mFirstMid, mFirstWht);
  if (side == 1) mPerMidToWht = HistPointMath::proportion(true, mFirstBlk, mFirstMid, mFirstWht);
}

void Quirel_HistogramDialog::synchroMidPointSet(int side) {
  std::optional<int> mid;
  if (side == 0)
    mid = HistPointMath::followingMid(false, fieldValue(Marker::Black), mFirstBlk, mFirstWht, mPerBlkToMid);
  else if (side == 1)
    mid = HistPointMath::followingMid(true, fieldValue(Marker::White), mFirstBlk, mFirstWht, mPerMidToWht);
  if (!mid) return;  // no proportion: the mid point stays
  setFieldValue(Marker::Mid, *mid);
  placeMarker(Marker::Mid);
}

std::optional<Quirel_HistogramDialog::Marker> Quirel_HistogramDialog::changedMarker() const {
  for (int m = 0; m < 3; ++m)
    if (mTxtChg[m]) return static_cast<Marker>(m);
  return std::nullopt;
}

void Quirel_HistogramDialog::setChanged(Marker which) {
  for (int m = 0; m < 3; ++m) mTxtChg[m] = m == static_cast<int>(which);
}

void Quirel_HistogramDialog::focusField(Marker m) {
  if (mWindow && field(m)) mWindow->makeFirstResponder(field(m));
}

bool Quirel_HistogramDialog::checkValue(Marker m) {
  Quirel_NumberField* f = field(m);
  const std::string text = f->stringValue();
  const std::string rounded = roundDownForString(text, 0);
  const int v = f->intValue();
  const int b = fieldValue(Marker::Black), w = fieldValue(Marker::White);
  bool refused = text.empty() || rounded == "nan";
  if (!refused) {
    switch (m) {
      case Marker::Black: refused = !HistPointMath::blackAllowed(v, w); break;
      case Marker::Mid: refused = !HistPointMath::midAllowed(v, b, w); break;
      case Marker::White: refused = !HistPointMath::whiteAllowed(v, b); break;
    }
  }
  if (!refused) {
    setFieldValue(m, v);
    focusField(m);
    return true;
  }
  const Quirel_CropInfo* source = focusedCrop();
  if (!source) source = mTemplateCrop;
  const int c = mChannelPopupBtn->selected();
  int restore = m == Marker::Black ? 0 : m == Marker::Mid ? 128 : 255;
  if (source) {
    const HistogramValues h = source->getHistogram();
    const ChannelValues& set = m == Marker::Black ? h.black : m == Marker::Mid ? h.mid : h.white;
    restore = HistPointMath::element(set, c, restore);
  }
  showValueMessage();
  mTextAlert[static_cast<int>(m)] = false;
  bringToFrontAsKey();
  setFieldValue(m, restore);
  focusField(m);
  return false;
}

void Quirel_HistogramDialog::applyValue(Marker m) {
  placeMarker(m);
  if (m == Marker::Black) {
    perMidCalc(0);
    synchroMidPointSet(0);
    mFirstBlk = fieldValue(Marker::Black);
  } else if (m == Marker::White) {
    perMidCalc(1);
    synchroMidPointSet(1);
    mFirstWht = fieldValue(Marker::White);
  }
  mFirstMid = fieldValue(Marker::Mid);
  setBlkMidWhtSelectedCrop();
  setNeedsDisplayInGraph();
}

bool Quirel_HistogramDialog::checkTheValue() {
  const std::optional<Marker> m = changedMarker();
  if (!m) return true;
  mTxtChg[static_cast<int>(*m)] = false;
  if (!checkValue(*m)) {
    field(*m)->setFocus(true);
    focusField(*m);
    post("HIST_FIX_TO_MAIN");
    post("HIST_FIX_TO_DLG");
    post(kControlSetYesPost);
    return false;
  }
  placeMarker(*m);
  if (*m == Marker::Black) {
    perMidCalc(0);
    synchroMidPointSet(0);
    mFirstBlk = fieldValue(Marker::Black);
  } else if (*m == Marker::White) {
    perMidCalc(1);
    synchroMidPointSet(1);
    mFirstWht = fieldValue(Marker::White);
  }
  mFirstMid = fieldValue(Marker::Mid);
  setBlkMidWhtSelectedCrop();
  setNeedsDisplayInGraph();
  post(kFinalUpdatePost);
  post("HIST_FIX_TO_MAIN");
  post("HIST_FIX_TO_DLG");
  post(kControlSetYesPost);
  focusField(*m);
  postDialogValueChange(false);
  postRemakeCropFromCorrection();
  return true;
}

// --- typing

void Quirel_HistogramDialog::textShouldBeginEdit(Quirel_NumberField* f) {
  for (int m = 0; m < 3; ++m) {
    if (mFields[m] != f) continue;
    setChanged(static_cast<Marker>(m));
    setMouseDownOnControl(false);
    post("HIST_CHG_TO_DLG");
    mTextAlert[m] = true;
    break;
  }
  post("HIST_CHG_TO_MAIN");
}

void Quirel_HistogramDialog::controlTextDidChange(kit::TextField& tf) {
  for (int m = 0; m < 3; ++m) {
    if (mFields[m] != &tf) continue;
    setChanged(static_cast<Marker>(m));
    if (!tf.stringValue().empty() &&
        HistPointMath::orderKept(fieldValue(Marker::Black), fieldValue(Marker::Mid), fieldValue(Marker::White))) {
      setMouseDownOnControl(true);
      post("HIST_VALUE_FIX");
      mTextAlert[m] = false;
    } else {
      setMouseDownOnControl(false);
      post("HIST_CHG_TO_DLG");
      mTextAlert[m] = true;
    }
    post("HIST_CHG_TO_MAIN");
    return;
  }
}

void Quirel_HistogramDialog::controlTextDidEndEditing(kit::TextField& tf) {
  for (int m = 0; m < 3; ++m) {
    if (mFields[m] != &tf || !mTxtChg[m]) continue;
    const Marker which = static_cast<Marker>(m);
    mTxtChg[m] = false;
    const bool ok = checkValue(which);
    if (ok) applyValue(which);
    post("HIST_FIX_TO_MAIN");
    post("HIST_FIX_TO_DLG");
    post(kControlSetYesPost);
    if (ok && mPrvImgUpdate) {
      post(kFinalUpdatePost);
      postDialogValueChange(false);
      postRemakeCropFromCorrection();
    }
    if (!ok) focusField(which);
    return;
  }
}

void Quirel_HistogramDialog::popupBtnMouseDown() {
  const std::optional<Marker> m = changedMarker();
  if (!m) return;
  mTxtChg[static_cast<int>(*m)] = false;
  const bool ok = checkValue(*m);
  post("HIST_FIX_TO_MAIN");
  post("HIST_FIX_TO_DLG");
  if (ok) post(kControlSetYesPost);
  focusField(*m);
  applyValue(*m);
  post(kFinalUpdatePost);
  postDialogValueChange(false);
  postRemakeCropFromCorrection();
}

void Quirel_HistogramDialog::buttonDownChk(Quirel_NoFocusButton* button) {
  const std::optional<Marker> m = changedMarker();
  if (!m) return;
  if (button == mBtnReset) mNotMoveSliderFlg = true;
  mTxtChg[static_cast<int>(*m)] = false;
  const bool ok = checkValue(*m);
  post("HIST_FIX_TO_MAIN");
  post("HIST_FIX_TO_DLG");
  if (ok) {
    post(kControlSetYesPost);
    mUpdateImageFlg = true;
  }
  focusField(*m);
  if (!mNotMoveSliderFlg) applyValue(*m);
  mNotMoveSliderFlg = false;
}

void Quirel_HistogramDialog::showAlertDialog() {
  const std::optional<Marker> m = changedMarker();
  if (!m) return;
  mTxtChg[static_cast<int>(*m)] = false;
  checkValue(*m);
  post("HIST_FIX_TO_MAIN");
  post("HIST_FIX_TO_DLG");
  post(kControlSetYesPost);
  focusField(*m);
}

void Quirel_HistogramDialog::dlgMouseDown() {
  checkTheValue();
  setNeedsDisplayInGraph();
  redrawSlider();
}

// --- markers

void Quirel_HistogramDialog::mouseDownOnPoint(Marker m) {
  if (!checkTheValue()) return;
  const fnd::Point at = kit::Application::shared().mouseLocation();
  const fnd::Rect panel = mWindow ? mWindow->frame() : fnd::Rect();
  mStartX = at.x - (panel.origin.x + 10);
  mStartY = at.y - (panel.origin.y + 10);
  if (m != Marker::Mid) {
    mFirstBlk = fieldValue(Marker::Black);
    mFirstMid = fieldValue(Marker::Mid);
    mFirstWht = fieldValue(Marker::White);
    perMidCalc(m == Marker::Black ? 0 : 1);
  }
  mPrvImgUpdate = false;
}

void Quirel_HistogramDialog::mouseDragOnPoint(Marker m) {
  const fnd::Point at = kit::Application::shared().mouseLocation();
  const fnd::Rect panel = mWindow ? mWindow->frame() : fnd::Rect();
  const double cur = at.x - (panel.origin.x + 10);
  const HistPointMath::Step s = HistPointMath::dragStep(m, row(), mStartX, cur);
  if (s.moved) {
    fnd::Rect f = marker(m)->frame();
    f.origin.x = s.x;
    marker(m)->setFrame(f);
    setFieldValue(m, s.value);
    setChanged(m);
  }
  // Outside the range the marker goes no further: the flag lives for this step only.
  mOverMove[static_cast<int>(m)] = s.overMove;
  mOverMove[static_cast<int>(m)] = false;
  mStartX = cur;
  mStartY = at.y - (panel.origin.y + 10);
  if (m == Marker::Black) synchroMidPointSet(0);
  if (m == Marker::White) synchroMidPointSet(1);
  redrawSlider();
  setBlkMidWhtSelectedCrop();
  setNeedsDisplayInGraph();
}

void Quirel_HistogramDialog::mouseUpOnPoint(Marker m) {
  if (m != Marker::Mid) mPerBlkToMid = mPerMidToWht = 0.0f;
  postDialogValueChange(false);
  postRemakeCropFromCorrection();
  post(kFinalUpdatePost);
  mPrvImgUpdate = true;
}

// --- take-back answers

void Quirel_HistogramDialog::makeKeyFromDialog() {
  bringToFrontAsKey();
  const std::optional<Marker> m = changedMarker();
  if (!m) return;
  mTxtChg[static_cast<int>(*m)] = false;
  if (checkValue(*m)) {
    applyValue(*m);
    post("HIST_FIX_TO_MAIN");
    post("HIST_FIX_TO_DLG");
    focusField(*m);
    postDialogValueChange(false);
    postRemakeCropFromCorrection();
  } else {
    setMouseDownOnControl(true);
    focusField(*m);
    post("HIST_FIX_TO_MAIN");
    post("HIST_FIX_TO_DLG");
  }
}

void Quirel_HistogramDialog::makeKeyFromMainWindow() {
  bringToFrontAsKey();
  const std::optional<Marker> m = changedMarker();
  if (!m) return;
  mTxtChg[static_cast<int>(*m)] = false;
  if (checkValue(*m)) {
    applyValue(*m);
    post("HIST_FIX_TO_DLG");
    focusField(*m);
    postDialogValueChange(false);
    postRemakeCropFromCorrection();
  } else {
    setMouseDownOnControl(true);
    focusField(*m);
    post("HIST_FIX_TO_DLG");
  }
  post("TITLE_DOWN_OK_FROM_HIST");
}

void Quirel_HistogramDialog::valueFixes() {
  checkTheValue();
  setNeedsDisplayInGraph();
  redrawSlider();
  if (mWindow) mWindow->makeFirstResponder(nullptr);
}
