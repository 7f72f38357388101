#pragma once

#include <string>

#include "kit/Font.h"
#include "kit/View.h"

// The text of a launcher message box: several lines, broken at the view's width, drawn from
// the top. Carriage returns break lines as the platform's text fields do.
class Zorvik_MessageTextView : public kit::View {
 public:
  explicit Zorvik_MessageTextView(const fnd::Rect& frame, kit::Font font = kit::Font::messageFont(0))
      : kit::View(frame), font_(font) {}

  const std::string& stringValue() const { return text_; }
  void setStringValue(const std::string& text);
  const kit::Font& font() const { return font_; }

  // Natural width of the text on one line, and its height broken at a width.
  double naturalWidth() const;
  double heightForWidth(double width) const;

  void drawRect(const fnd::Rect& dirty) override;

  // The text with its carriage returns turned into line feeds, as it is laid out.
  static std::string layoutText(const std::string& text);

 private:
  std::string text_;
  kit::Font font_;
};
