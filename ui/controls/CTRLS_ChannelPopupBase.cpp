#include "ui/controls/CTRLS_ChannelPopupBase.h"

#include "ui/controls/ClickHandshake.h"

Quirel_CTRLS_ChannelPopupBase::Quirel_CTRLS_ChannelPopupBase(Caption caption)
    : Quirel_CTRLS_Base(caption), mPopupBT(std::make_unique<Quirel_NoFocusPopUpButton>(fnd::Rect(10, 10, 10, 10))) {
  mPopupBT->setNotificationType(2);
  // Items keep their own enabled flags: a disabled item must stay out of number lookups.
  mPopupBT->setAutoenablesItems(false);
  mTitleTxt->setStringValue("");
}

Quirel_CTRLS_ChannelPopupBase::~Quirel_CTRLS_ChannelPopupBase() { mPopupBT->removeAllItems(); }

int Quirel_CTRLS_ChannelPopupBase::addPopupItem(const std::string& title) {
  mPopupBT->addItemWithTitle(title);
  return mPopupBT->numberOfItems() - 1;
}

void Quirel_CTRLS_ChannelPopupBase::select(int index) {
  if (index == -1 || (index >= 0 && index < mPopupBT->numberOfItems())) mPopupBT->selectItemAtIndex(index);
}

void Quirel_CTRLS_ChannelPopupBase::wireAction(const char* postName) {
  mPopupBT->setAction([this, postName](kit::Control&) { Quirel_ClickHandshake::post(postName, mPopupBT.get()); });
}

void Quirel_CTRLS_ChannelPopupBase::setRepresentedNumberAtIndex(int index, int number) {
  if (index < 0 || index >= mPopupBT->numberOfItems()) return;
  mPopupBT->itemAtIndex(index)->setRepresentedObject(fnd::Value(number));
}

int Quirel_CTRLS_ChannelPopupBase::getRepresentedNumber() const {
  const kit::MenuItem* item = mPopupBT->selectedItem();
  if (!item) return 0;
  return item->representedObject().isInteger() ? item->representedObject().toInt() : -1;
}

void Quirel_CTRLS_ChannelPopupBase::selectAtRepresentedNumber(int number) {
  for (int i = 0; i < mPopupBT->numberOfItems(); ++i) {
    const kit::MenuItem* item = mPopupBT->itemAtIndex(i);
    if (item->isEnabled() && item->representedObject().isInteger() && item->representedObject().toInt() == number) {
      mPopupBT->selectItemAtIndex(i);
      return;
    }
  }
  mPopupBT->selectItemAtIndex(-1);
}
