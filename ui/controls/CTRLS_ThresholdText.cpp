#include "ui/controls/CTRLS_ThresholdText.h"

Quirel_CTRLS_ThresholdText::Quirel_CTRLS_ThresholdText() : mTitleTxt(std::make_unique<Quirel_NoFocusTextField>()) {
  mTitleTxt->setDrawsBackground(false);
  mTitleTxt->setBezeled(false);
  mTitleTxt->setEditable(false);
  mTitleTxt->setFont(kit::Font::systemFont(10));
  mTitleTxt->setAutoresizingMask(kit::kViewMinYMargin);
}
