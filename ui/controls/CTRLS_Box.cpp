#include "ui/controls/CTRLS_Box.h"

Quirel_CTRLS_Box::Quirel_CTRLS_Box()
    : Quirel_CTRLS_Base(Caption::Plain), mBox(std::make_unique<kit::Box>(fnd::Rect(10, 10, 300, 200))) {
  mBox->setBoxType(kit::BoxType::Secondary);
  mBox->setBorderType(kit::BorderType::LineBorder);
  mBox->setTitlePosition(kit::TitlePosition::NoTitle);
  mTitleTxt->setFont(kit::Font::boldSystemFont(13));
}
