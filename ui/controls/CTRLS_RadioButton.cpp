#include "ui/controls/CTRLS_RadioButton.h"

Quirel_CTRLS_RadioButton::Quirel_CTRLS_RadioButton()
    : Quirel_CTRLS_Base(Caption::NoFocus), mRadioBT(std::make_unique<Quirel_NoFocusRadioButton>(fnd::Rect(), 0, 1)) {
  mRadioBT->setAutosizesCells(true);
}

void Quirel_CTRLS_RadioButton::setRadioBTRect(double x, double y, double width, double height) {
  setRadioBTRect(fnd::Rect(x, y, width, height));
}

void Quirel_CTRLS_RadioButton::setRadioBTRect(const fnd::Rect& rect) { mRadioBT->setFrame(rect); }

int Quirel_CTRLS_RadioButton::addItem(const std::string& title) {
  mRadioBT->addRow();
  int row = mRadioBT->numberOfRows() - 1;
  mRadioBT->setCellTitle(row, 0, title);
  return row;
}

void Quirel_CTRLS_RadioButton::selectItemAtIndex(int index) { mRadioBT->selectCellAtRow(index, 0); }

void Quirel_CTRLS_RadioButton::setEnabled(bool enabled) { mRadioBT->setEnabled(enabled); }

void Quirel_CTRLS_RadioButton::setHidden(bool hidden) {
  mRadioBT->setHidden(hidden);
  mTitleTxt->setHidden(hidden);
}
