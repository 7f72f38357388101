#include "ui/controls/CTRLS_ScanInfoText.h"

namespace {

std::unique_ptr<Quirel_NoFocusTextField> makeScanInfoLabel() {
  auto label = std::make_unique<Quirel_NoFocusTextField>();
  label->setDrawsBackground(false);
  label->setBezeled(false);
  label->setEditable(false);
  label->setFont(kit::Font::systemFont(10));
  label->setAutoresizingMask(kit::kViewMinYMargin);
  return label;
}

}  // namespace

Quirel_CTRLS_ScanInfoText::Quirel_CTRLS_ScanInfoText() : mTitleTxt(makeScanInfoLabel()), mValueTxt(makeScanInfoLabel()) {}

void Quirel_CTRLS_ScanInfoText::setOriginY(double y) {
  for (Quirel_NoFocusTextField* text : {mTitleTxt.get(), mValueTxt.get()}) {
    fnd::Rect r = text->frame();
    r.origin.y = y;
    text->setFrame(r);
  }
}

void Quirel_CTRLS_ScanInfoText::setHidden(bool hidden) {
  mTitleTxt->setHidden(hidden);
  mValueTxt->setHidden(hidden);
}
