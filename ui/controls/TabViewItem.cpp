#include "ui/controls/TabViewItem.h"

#include "kit/Font.h"
#include "kit/TabView.h"

void Quirel_TabViewItem::setLabel(const std::string& label) {
  mFlg = false;
  kit::TabViewItem::setLabel(label);
}

void Quirel_TabViewItem::drawLabel(bool shouldTruncate, const fnd::Rect& labelRect) {
  if (!mFlg) {
    if (sizeOfLabel(false).width > labelRect.size.width && tabView())
      tabView()->setFont(kit::Font::labelFont(kit::Font::labelFontSize() - 1));
    mFlg = true;
  }
  kit::TabViewItem::drawLabel(shouldTruncate, labelRect);
}
