#pragma once

#include <string>

#include "kit/Color.h"
#include "kit/Control.h"

// The text of a message box: a label that wraps its text into lines at its width, from the
// top, with no background or bezel, never editable and never taking the keyboard focus.
class Quirel_MessageTextField : public kit::Control {
 public:
  // Space between the frame and the text at the left and the right, as a text cell keeps.
  static constexpr double kInset = 2;

  explicit Quirel_MessageTextField(const fnd::Rect& frame = {});

  void setStringValue(const std::string& text) override;
  std::string stringValue() const override { return text_; }

  // The text on one line, insets included.
  double naturalWidth() const;
  // The height the text needs wrapped inside a frame of this width.
  double heightForWidth(double width) const;

  void drawRect(const fnd::Rect& dirty) override;
  bool acceptsFirstResponder() const override { return false; }

 private:
  std::string text_;
};
