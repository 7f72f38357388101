#pragma once

#include "kit/Image.h"
#include "ui/controls/CTRLS_Base.h"
#include "ui/controls/NoFocusImageView.h"
#include "ui/controls/NumberField.h"

// A numeric entry field with a caption and an optional picture beside it. Real values may be
// shown rounded down ("%.1f", "%.2f") instead of to nearest.
class Quirel_CTRLS_NumberTextField : public Quirel_CTRLS_Base {
 public:
  Quirel_CTRLS_NumberTextField();

  Quirel_NumberField* getNumberTxtF() const { return mNumberTxtF.get(); }
  void setNumberTxtFRect(double x, double y, double width, double height) {
    mNumberTxtF->setFrame(fnd::Rect(x, y, width, height));
  }
  fnd::Rect getNumberTxtFRect() const { return rectOf(mNumberTxtF.get()); }
  // Digits with a decimal point, or digits only; never a minus sign.
  void setNumberFormatForFloat(int maxLength);
  void setNumberFormatForInt(int maxLength);
  void setStringValue(const std::string& text) { mNumberTxtF->setStringValue(text); }
  std::string getStringValue() const { return mNumberTxtF->stringValue(); }
  void setIntValue(int value) { mNumberTxtF->setIntValue(value); }
  int getIntValue() const { return mNumberTxtF->intValue(); }
  double getDoubleValue() const { return mNumberTxtF->doubleValue(); }
  void setRoundDownWhenDoubleValue(bool on) { mRoundDownWhenDoubleValue = on; }
  // The value in the format; with round-down on, "%.1f" and "%.2f" cut the value down to one
  // or two decimals first.
  std::string stringWithDoubleValue(double value, const std::string& format) const;
  void setDoubleValue(const std::string& format, double value);
  void setDelegate(kit::TextFieldDelegate* delegate) { mNumberTxtF->setDelegate(delegate); }
  void setFocus(bool on) { mNumberTxtF->setFocus(on); }
  void setEnabled(bool enabled) { mNumberTxtF->setEnabled(enabled); }

  Quirel_NoFocusImageView* getImageView() const { return mImageView.get(); }
  // Loads the named picture from the bundle and shows it centred in the image view.
  void setImage(const std::string& name, const std::string& bundle);
  void setImageViewRect(double x, double y, double width, double height) {
    mImageView->setFrame(fnd::Rect(x, y, width, height));
  }
  fnd::Rect getImageViewRect() const { return rectOf(mImageView.get()); }
  bool hasImage() const { return mImage.isValid(); }

 private:
  std::unique_ptr<Quirel_NumberField> mNumberTxtF;
  bool mRoundDownWhenDoubleValue = false;
  kit::Image mImage;
  std::unique_ptr<Quirel_NoFocusImageView> mImageView;
};
