#pragma once

#include <string>

#include "foundation/Geometry.h"

namespace kit {

// A font of the user interface: the system font (regular or bold) at a size in points.
// Text is measured in points; one point is one device-independent pixel.
class Font {
 public:
  Font() = default;  // the system font at the standard size
  static Font systemFont(double size);  // size 0 or less: the standard size
  static Font boldSystemFont(double size);
  static Font labelFont(double size);    // size 0 or less: the label size
  static Font messageFont(double size);  // size 0 or less: the standard size
  static double systemFontSize() { return 13.0; }
  static double smallSystemFontSize() { return 11.0; }
  static double labelFontSize() { return 10.0; }

  double pointSize() const { return size_; }
  bool isBold() const { return bold_; }
  const std::string& familyName() const { return family_; }

  // Natural width of the text set on one line (line breaks ignored).
  double widthOfString(const std::string& text) const;
  // Width and height of the text set on one line.
  fnd::Size sizeOfString(const std::string& text) const;
  // Height of the text broken into lines no wider than `width` (words, else characters).
  double heightForWidth(const std::string& text, double width) const;
  // Height of one line: ascent plus descent plus leading.
  double lineHeight() const;
  double ascender() const;
  double descender() const;  // negative, below the baseline

  friend bool operator==(const Font&, const Font&) = default;

 private:
  Font(std::string family, double size, bool bold) : family_(std::move(family)), size_(size), bold_(bold) {}
  std::string family_ = "DejaVu Sans";
  double size_ = 13.0;
  bool bold_ = false;
};

}  // namespace kit
