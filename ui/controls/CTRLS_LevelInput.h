#pragma once

#include <memory>

#include "ui/controls/NoFocusStepper.h"
#include "ui/controls/NoFocusTextField.h"
#include "ui/controls/NumberField.h"
#include "ui/controls/Slider.h"

// A level set three ways: typed into the number field, stepped, or slid. A press on the
// stepper or a move of the slider brings the other two along first and then posts
// "StepperPost" (object: the stepper) or "SliderPost" (object: the slider), so observers see
// the three agree. A slider reports each move once: the release that ends a press without
// moving it further is not reported again. Typing is the owner's business: the field gets no
// action here.
class Quirel_CTRLS_LevelInput {
 public:
  static constexpr const char* kStepperPost = "StepperPost";
  static constexpr const char* kSliderPost = "SliderPost";
  static constexpr const char* kKnobImage = "DragBlkPoint";

  struct Setup {
    int minimum = -127;
    int maximum = 127;
    bool allowNegative = true;
    int maxLength = 4;
    unsigned captionMask = 0;    // autoresizing of the caption
    double captionFontSize = 0;  // 0 keeps the default font
    bool centredCaption = false;
  };

  virtual ~Quirel_CTRLS_LevelInput();
  Quirel_CTRLS_LevelInput(const Quirel_CTRLS_LevelInput&) = delete;
  Quirel_CTRLS_LevelInput& operator=(const Quirel_CTRLS_LevelInput&) = delete;

  Quirel_NoFocusTextField* getTitleTxt() const { return mTitleTxt.get(); }
  void setTitleTxtTitle(const std::string& title) { mTitleTxt->setStringValue(title); }
  void setTitleTxtRect(double x, double y, double width, double height) {
    mTitleTxt->setFrame(fnd::Rect(x, y, width, height));
  }
  void setTitleTxtFont(const kit::Font& font) { mTitleTxt->setFont(font); }
  Quirel_NumberField* getNumberTxtF() const { return mNumberTxtF.get(); }
  void setNumberTxtFRect(double x, double y, double width, double height) {
    mNumberTxtF->setFrame(fnd::Rect(x, y, width, height));
  }
  void setNumberTxtFFont(const kit::Font& font) { mNumberTxtF->setFont(font); }
  Quirel_NoFocusStepper* getStepper() const { return mStepper.get(); }
  Quirel_StepperCell* getStepperCell() const { return mStepper->cell(); }
  void setStepperRect(double x, double y, double width, double height) {
    mStepper->setFrame(fnd::Rect(x, y, width, height));
  }
  Quirel_Slider* getSlider() const { return mSlider.get(); }
  Quirel_SliderCell* getSliderCell() const { return mSlider->cell(); }
  void setSliderRect(double x, double y, double width, double height) {
    mSlider->setFrame(fnd::Rect(x, y, width, height));
  }
  // The file of the named picture in the bundle; empty when there is none.
  static std::string getFileName(const std::string& name, const std::string& bundle);

  // A null text changes nothing; otherwise the stepper follows the field (the slider stays).
  void setStringValue(const char* text);
  std::string getStringValue() const { return mNumberTxtF->stringValue(); }
  // The field only: stepper and slider keep their values.
  void setIntValue(int value) { mNumberTxtF->setIntValue(value); }
  int getIntValue() const { return mNumberTxtF->intValue(); }
  void setEnabled(bool enabled);
  // Wires stepper and slider to this wrapper; the owner calls it once after creation.
  void setAction();
  void StepperAction();
  void SliderAction();

 protected:
  Quirel_CTRLS_LevelInput(const std::string& bundle, const Setup& setup);

 private:
  std::unique_ptr<Quirel_NoFocusTextField> mTitleTxt;
  std::unique_ptr<Quirel_NumberField> mNumberTxtF;
  std::unique_ptr<Quirel_NoFocusStepper> mStepper;
  std::unique_ptr<Quirel_Slider> mSlider;
  // The slider's press in progress: whether it reported already, and the value reported.
  bool mSliderInPress = false;
  bool mSliderPressPosted = false;
  int mSliderPostedValue = 0;
};
