#include "ui/controls/CTRLS_PopupItemList.h"

void Quirel_CTRLS_PopupItemList::showIn(Quirel_CTRLS_PopupButton& popup,
                                        const std::function<bool(int number)>& keep) const {
  popup.removeAllPopupItems();
  for (const Item& item : mItems)
    if (!keep || keep(item.number)) popup.addPopupItemWithTitle(item.title, item.number);
}
