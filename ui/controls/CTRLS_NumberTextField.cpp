#include "ui/controls/CTRLS_NumberTextField.h"

#include <cmath>

#include "foundation/StringFormat.h"
#include "ui/controls/NumberFieldFormatter.h"

namespace {

// Cuts a value down to the given number of decimals. The scaled value is nudged up by a tiny
// amount first: 0.29 * 100 is 28.999999999999996 in binary, which floor would turn into 28.
double roundDown(double value, double scale) {
  constexpr double kNudge = 1e-9;
  return std::floor(value * scale + kNudge) / scale;
}

}  // namespace

Quirel_CTRLS_NumberTextField::Quirel_CTRLS_NumberTextField()
    : Quirel_CTRLS_Base(Caption::NoFocus),
      mNumberTxtF(std::make_unique<Quirel_NumberField>(fnd::Rect(20, 70, 150, 25))),
      mImageView(std::make_unique<Quirel_NoFocusImageView>()) {}

void Quirel_CTRLS_NumberTextField::setNumberFormatForFloat(int maxLength) {
  mNumberTxtF->setFormatter(std::make_unique<Quirel_NumberFieldFormatter>(1, 0, maxLength));
}

void Quirel_CTRLS_NumberTextField::setNumberFormatForInt(int maxLength) {
  mNumberTxtF->setFormatter(std::make_unique<Quirel_NumberFieldFormatter>(0, 0, maxLength));
}

std::string Quirel_CTRLS_NumberTextField::stringWithDoubleValue(double value, const std::string& format) const {
  if (mRoundDownWhenDoubleValue && format == "%.1f") value = roundDown(value, 10);
  if (mRoundDownWhenDoubleValue && format == "%.2f") value = roundDown(value, 100);
  return fnd::stringWithFormat(format, value);
}

void Quirel_CTRLS_NumberTextField::setDoubleValue(const std::string& format, double value) {
  mNumberTxtF->setStringValue(stringWithDoubleValue(value, format));
}

void Quirel_CTRLS_NumberTextField::setImage(const std::string& name, const std::string& bundle) {
  kit::Image image = kit::Image::named(name, bundle);
  if (!image.isValid()) return;
  mImage = image;
  mImageView->setImage(mImage);
}
