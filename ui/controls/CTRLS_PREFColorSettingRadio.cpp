#include "ui/controls/CTRLS_PREFColorSettingRadio.h"

#include "ui/controls/ClickHandshake.h"

std::unique_ptr<Quirel_NoFocusRadioButton> Quirel_CTRLS_PREFColorSettingRadio::makeButton(
    const std::string& title, double x, double y, double width, double height) {
  auto button = std::make_unique<Quirel_NoFocusRadioButton>(fnd::Rect(x, y, width, height), 1, 1);
  button->setAutosizesCells(true);
  button->setAllowsEmptySelection(true);
  button->setCellTitle(0, 0, title);
  button->deselectAllCells();
  button->setAction([this](kit::Control& sender) { RadioBTAction(&sender); });
  return button;
}

void Quirel_CTRLS_PREFColorSettingRadio::selectItemAtIndex(int index) {
  int chosen = index == 0 || index == 1 ? index : 2;
  std::array<Quirel_NoFocusRadioButton*, 3> all = buttons();
  for (int i = 0; i < 3; ++i) {
    if (!all[i]) continue;
    if (i == chosen)
      all[i]->selectCellAtRow(0, 0);
    else
      all[i]->deselectAllCells();
  }
}

int Quirel_CTRLS_PREFColorSettingRadio::selectedItemIndex() const {
  std::array<Quirel_NoFocusRadioButton*, 3> all = buttons();
  for (int i = 0; i < 3; ++i)
    if (all[i] && all[i]->selectedRow() >= 0) return i;
  return -1;
}

void Quirel_CTRLS_PREFColorSettingRadio::setEnabled(int index, bool enabled) {
  Quirel_NoFocusRadioButton* button = buttons()[index == 0 || index == 1 ? index : 2];
  if (button) button->setEnabled(enabled);
}

void Quirel_CTRLS_PREFColorSettingRadio::setAllEnabled(bool enabled) {
  for (Quirel_NoFocusRadioButton* button : buttons())
    if (button) button->setEnabled(enabled);
}

void Quirel_CTRLS_PREFColorSettingRadio::setAllHidden(bool hidden) {
  for (Quirel_NoFocusRadioButton* button : buttons())
    if (button) button->setHidden(hidden);
}

void Quirel_CTRLS_PREFColorSettingRadio::RadioBTAction(const kit::Control* sender) {
  if (sender == RecommendBT.get())
    selectItemAtIndex(0);
  else if (sender == ColorSyncBT.get())
    selectItemAtIndex(1);
  else
    selectItemAtIndex(2);
  Quirel_ClickHandshake::post(kChangePost, this);
}
