#include "ui/controls/CTRLS_LevelInput.h"

#include "kit/Image.h"
#include "ui/controls/ClickHandshake.h"
#include "ui/controls/NumberFieldFormatter.h"

Quirel_CTRLS_LevelInput::Quirel_CTRLS_LevelInput(const std::string& bundle, const Setup& setup)
    : mTitleTxt(std::make_unique<Quirel_NoFocusTextField>()),
      mNumberTxtF(std::make_unique<Quirel_NumberField>()),
      mStepper(std::make_unique<Quirel_NoFocusStepper>()),
      mSlider(std::make_unique<Quirel_Slider>()) {
  mTitleTxt->setDrawsBackground(false);
  mTitleTxt->setBezeled(false);
  mTitleTxt->setEditable(false);
  if (setup.captionFontSize > 0) mTitleTxt->setFont(kit::Font::systemFont(setup.captionFontSize));
  if (setup.centredCaption) mTitleTxt->setAlignment(kit::TextAlignment::Center);
  mTitleTxt->setAutoresizingMask(setup.captionMask);
  mTitleTxt->setStringValue("");
  mNumberTxtF->setFormatter(
      std::make_unique<Quirel_NumberFieldFormatter>(0, setup.allowNegative ? 1 : 0, setup.maxLength));
  mStepper->setIncrement(1);
  mStepper->setMaxValue(setup.maximum);
  mStepper->setMinValue(setup.minimum);
  mStepper->setAutorepeat(true);
  mStepper->setValueWraps(false);
  mSlider->cell()->setKnobImage(kit::Image::fromFile(getFileName(kKnobImage, bundle)));
  mSlider->setMaxValue(setup.maximum);
  mSlider->setMinValue(setup.minimum);
}

Quirel_CTRLS_LevelInput::~Quirel_CTRLS_LevelInput() {
  mSlider->setMouseDownHook({});
  mSlider->setStopTrackingHook({});
}

std::string Quirel_CTRLS_LevelInput::getFileName(const std::string& name, const std::string& bundle) {
  return kit::Image::pathForName(name, bundle);
}

void Quirel_CTRLS_LevelInput::setStringValue(const char* text) {
  if (!text) return;
  mNumberTxtF->setStringValue(text);
  mStepper->setIntValue(mNumberTxtF->intValue());
}

void Quirel_CTRLS_LevelInput::setEnabled(bool enabled) {
  mNumberTxtF->setEnabled(enabled);
  mStepper->setEnabled(enabled);
  mSlider->setEnabled(enabled);
}

void Quirel_CTRLS_LevelInput::setAction() {
  mStepper->setAction([this](kit::Control&) { StepperAction(); });
  mSlider->setAction([this](kit::Control&) { SliderAction(); });
  mSlider->setMouseDownHook([this](kit::Control&, const kit::Event&) {
    mSliderInPress = true;
    mSliderPressPosted = false;
    return true;
  });
  mSlider->setStopTrackingHook([this](kit::Slider&, bool) { mSliderInPress = false; });
}

void Quirel_CTRLS_LevelInput::StepperAction() {
  mNumberTxtF->setIntValue(mStepper->intValue());
  mSlider->setIntValue(mStepper->intValue());
  Quirel_ClickHandshake::post(kStepperPost, mStepper.get());
}

void Quirel_CTRLS_LevelInput::SliderAction() {
  // The release sends the action once more; unmoved, it is the move already reported.
  if (mSliderInPress && mSliderPressPosted && mSlider->intValue() == mSliderPostedValue) return;
  mSliderPressPosted = mSliderInPress;
  mSliderPostedValue = mSlider->intValue();
  mSlider->setNeedsDisplay(true);
  mNumberTxtF->setIntValue(mSlider->intValue());
  mStepper->setIntValue(mSlider->intValue());
  Quirel_ClickHandshake::post(kSliderPost, mSlider.get());
}
