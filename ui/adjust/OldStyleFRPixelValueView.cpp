#include "ui/adjust/OldStyleFRPixelValueView.h"

#include "kit/Font.h"
#include "kit/TextField.h"

Quirel_OldStyleFRPixelValueView::Quirel_OldStyleFRPixelValueView(const fnd::Rect& frame, int color)
    : Quirel_FRPixelValueView(frame, 1, color) {
  for (kit::TextField* f : {mOriginTitle, mCurrentTitle, mRedTitle, mGreenTitle, mBlueTitle, mGrayTitle, mRedValue,
                            mGreenValue, mBlueValue, mGrayValue, mAfterRedTitle, mAfterGreenTitle, mAfterBlueTitle,
                            mAfterGrayTitle, mAfterRedValue, mAfterGreenValue, mAfterBlueValue, mAfterGrayValue})
    setTextFieldType(f);
}

void Quirel_OldStyleFRPixelValueView::setTextFieldType(kit::TextField* field) {
  if (!field) return;
  field->setDrawsBackground(false);
  field->setBezeled(false);
  field->setEditable(false);
  field->setFont(kit::Font::systemFont(10));
}
