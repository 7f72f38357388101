#include "ui/controls/CTRLS_ResolutionComboBox.h"

#include <algorithm>
#include <climits>

#include "foundation/StringFormat.h"
#include "ui/controls/ClickHandshake.h"
#include "ui/controls/NumberFieldFormatter.h"

namespace {

// The resolutions the fixed ladder of the restricted models allows.
const std::vector<int> kPlatenLadder = {75, 150, 300, 600, 1200, 2400, 4800};
const std::vector<int> kSmallLadder = {75, 150, 300, 600};
const std::vector<int> kNoLadder = {};

}  // namespace

Quirel_CTRLS_ResolutionComboBox::Quirel_CTRLS_ResolutionComboBox()
    : mNumberTxtF(std::make_unique<Quirel_NumberField>()), mUnitTxt(makeLabel(true)) {
  mUnitTxt->setFont(kit::Font::systemFont(13));
  mNumberTxtF->setFormatter(std::make_unique<Quirel_NumberFieldFormatter>(0, 0, 5));
  mNumberTxtF->setSendsActionOnEndEditing(true);
  mNumberTxtF->setAction([this](kit::Control&) { TextFiledAction(); });
  getPopupBT()->setArrowOnly(true);
  getPopupBT()->setAction([this](kit::Control&) { PopupBTAction(); });
}

void Quirel_CTRLS_ResolutionComboBox::setUnitString(const char* unit) {
  if (unit) mUnitString = unit;
}

void Quirel_CTRLS_ResolutionComboBox::setList(NumList& list, const std::vector<int>& values) {
  if (!values.empty()) list = values;
}

const std::vector<int>* Quirel_CTRLS_ResolutionComboBox::firstSet(std::initializer_list<const NumList*> lists) {
  for (const NumList* list : lists)
    if (list->has_value()) return &**list;
  return nullptr;
}

void Quirel_CTRLS_ResolutionComboBox::build(Mode mode, const std::vector<int>* values, int upTo,
                                            const std::vector<int>& ladder, int from) {
  removeAllPopupItems();
  mPlatenMode = mode == Mode::Platen;
  mMultiCropMode = mode == Mode::MultiCrop;
  mFilmMode = mode == Mode::Film;
  mADFMode = mode == Mode::ADF;
  if (!values) return;
  for (int value : *values) {
    if (value > upTo || value < from) continue;
    if (!ladder.empty() && std::find(ladder.begin(), ladder.end(), value) == ladder.end()) continue;
    addPopupItemWithTitle(fnd::stringWithFormat("%d %@", value, mUnitString), value);
  }
}

void Quirel_CTRLS_ResolutionComboBox::setPlatenModeMenu() {
  if (mPlatenMenuNumList)
    build(Mode::Platen, &*mPlatenMenuNumList, INT_MAX, kNoLadder, INT_MIN);
  else
    build(Mode::Platen, firstSet({&mAllMenuNumList}), mPlatenMaxResolusion, mVer12MFP ? kPlatenLadder : kNoLadder,
          INT_MIN);
}

void Quirel_CTRLS_ResolutionComboBox::setMultiCropMenu() {
  if (mMultiCropMenuNumList)
    build(Mode::MultiCrop, &*mMultiCropMenuNumList, INT_MAX, kNoLadder, INT_MIN);
  else
    build(Mode::MultiCrop, firstSet({&mPlatenMenuNumList, &mAllMenuNumList}), 600,
          mVer12MFP ? kSmallLadder : kNoLadder, INT_MIN);
}

void Quirel_CTRLS_ResolutionComboBox::setFilmModeMenu() {
  if (mFilmMenuNumList)
    build(Mode::Film, &*mFilmMenuNumList, INT_MAX, kNoLadder, INT_MIN);
  else
    build(Mode::Film, firstSet({&mAllMenuNumList}), INT_MAX, kNoLadder, mVer12MFP ? 300 : INT_MIN);
}

void Quirel_CTRLS_ResolutionComboBox::setADFModeMenu() {
  if (mADFMenuNumList)
    build(Mode::ADF, &*mADFMenuNumList, INT_MAX, kNoLadder, INT_MIN);
  else
    build(Mode::ADF, firstSet({&mPlatenMenuNumList, &mAllMenuNumList}), 600, mVer12MFP ? kSmallLadder : kNoLadder,
          INT_MIN);
}

void Quirel_CTRLS_ResolutionComboBox::setEnabled(bool enabled) {
  mNumberTxtF->setEnabled(enabled);
  Quirel_CTRLS_PopupButton::setEnabled(enabled);
}

void Quirel_CTRLS_ResolutionComboBox::PopupBTAction() { Quirel_ClickHandshake::post(kPopupPost, getPopupBT()); }

void Quirel_CTRLS_ResolutionComboBox::TextFiledAction() { Quirel_ClickHandshake::post(kChangePost, mNumberTxtF.get()); }
