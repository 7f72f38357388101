#include "ui/controls/CTRLS_PopupButton.h"

namespace {

// An item's number: present only when its represented object is an integer.
bool numberOf(const kit::MenuItem* item, int* number) {
  if (!item || !item->representedObject().isInteger()) return false;
  *number = item->representedObject().toInt();
  return true;
}

}  // namespace

Quirel_CTRLS_PopupButton::Quirel_CTRLS_PopupButton(Variant variant)
    : Quirel_CTRLS_Base(Caption::NoFocus),
      mPopupBT(std::make_unique<Quirel_NoFocusPopUpButton>(fnd::Rect(10, 10, 10, 10))) {
  // Items keep their own enabled flags: nothing re-enables them behind the owner's back.
  mPopupBT->setAutoenablesItems(false);
  mPopupBT->setAction([this](kit::Control&) { popUpBTAction(); });
  if (variant == Variant::Default) mTitleTxt->setFont(kit::Font::systemFont(13));
  if (variant == Variant::MS) {
    mTitleTxt->setFont(kit::Font::systemFont(13));
    mPopupBT->setAutoresizingMask(kit::kViewMinYMargin);
    mTitleTxt->setAutoresizingMask(kit::kViewMinYMargin);
  }
}

Quirel_CTRLS_PopupButton::~Quirel_CTRLS_PopupButton() { mPopupBT->removeAllItems(); }

int Quirel_CTRLS_PopupButton::addPopupItem(const std::string& title) {
  mPopupBT->addItemWithTitle(title);
  return mPopupBT->numberOfItems() - 1;
}

int Quirel_CTRLS_PopupButton::addPopupItemWithTitle(const std::string& title, int representedNumber) {
  kit::MenuItem* item = mPopupBT->addItemWithTitle(title);
  if (item) item->setRepresentedObject(fnd::Value(representedNumber));
  return mPopupBT->numberOfItems() - 1;
}

int Quirel_CTRLS_PopupButton::addSeparatorItem() {
  mPopupBT->addSeparatorItem();
  return mPopupBT->numberOfItems() - 1;
}

void Quirel_CTRLS_PopupButton::select(int index) {
  if (index == -1 || (index >= 0 && index < mPopupBT->numberOfItems())) mPopupBT->selectItemAtIndex(index);
}

int Quirel_CTRLS_PopupButton::getRepresentedNumberAtIndex(int index) const {
  int number = -1;
  if (index < 0 || index >= mPopupBT->numberOfItems()) return -1;
  return numberOf(mPopupBT->itemAtIndex(index), &number) ? number : -1;
}

int Quirel_CTRLS_PopupButton::getRepresentedNumber() const {
  const kit::MenuItem* item = mPopupBT->selectedItem();
  if (!item) return 0;
  int number = -1;
  return numberOf(item, &number) ? number : -1;
}

int Quirel_CTRLS_PopupButton::indexOfNumber(int number, bool enabledOnly) const {
  for (int i = 0; i < mPopupBT->numberOfItems(); ++i) {
    const kit::MenuItem* item = mPopupBT->itemAtIndex(i);
    int n = 0;
    if (numberOf(item, &n) && n == number && (!enabledOnly || item->isEnabled())) return i;
  }
  return -1;
}

void Quirel_CTRLS_PopupButton::selectAtRepresentedNumber(int number) {
  mPopupBT->selectItemAtIndex(indexOfNumber(number, true));
}

std::string Quirel_CTRLS_PopupButton::getTitleAtAtRepresentedNumber(int number) const {
  int index = indexOfNumber(number, true);
  return index < 0 ? std::string() : mPopupBT->itemTitleAtIndex(index);
}

bool Quirel_CTRLS_PopupButton::isExistAtRepresentedNumber(int number) const {
  return indexOfNumber(number, false) >= 0;
}

void Quirel_CTRLS_PopupButton::setHidden(bool hidden) {
  mPopupBT->setHidden(hidden);
  mTitleTxt->setHidden(hidden);
}
