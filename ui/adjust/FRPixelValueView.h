#pragma once

#include <string>

#include "kit/View.h"

namespace kit {
class TextField;
}

// A block of labels showing pixel values handed in as ready-made strings: one row of red,
// green and blue (or grey) for the histogram, or before and after columns for the final
// review. Only the fields of the chosen layout exist; setters of the others do nothing.
class Quirel_FRPixelValueView : public kit::View {
 public:
  // mode 0: histogram layout, other: final-review layout; color 0: red, green, blue, other: grey.
  Quirel_FRPixelValueView(const fnd::Rect& frame, int mode, int color);

  void setOriginTitle(const std::string& text);
  void setCurrentTitle(const std::string& text);
  // Each labels its channel in both columns, wherever the row exists.
  void setRedTitle(const std::string& text);
  void setGreenTitle(const std::string& text);
  void setBlueTitle(const std::string& text);
  void setGrayTitle(const std::string& text);
  void redValueSet(const std::string& text);
  void greenValueSet(const std::string& text);
  void blueValueSet(const std::string& text);
  void grayValueSet(const std::string& text);
  void afterRedValueSet(const std::string& text);
  void afterGreenValueSet(const std::string& text);
  void afterBlueValueSet(const std::string& text);
  void afterGrayValueSet(const std::string& text);
  // Every existing value shows nothing; the titles stay.
  void valueClean();
  void colorValueClean() { valueClean(); }
  void grayValueClean() { valueClean(); }

  int mode() const { return mMode; }
  int color() const { return mColor; }
  // The values row by row, for the owners' and the tests' reading: "title value" pairs
  // joined by two spaces, a column's heading on a line of its own; empty while no value shows.
  std::string text() const;

  // The fields, null where the layout has none.
  kit::TextField *mOriginTitle = nullptr, *mCurrentTitle = nullptr;
  kit::TextField *mRedTitle = nullptr, *mGreenTitle = nullptr, *mBlueTitle = nullptr, *mGrayTitle = nullptr;
  kit::TextField *mRedValue = nullptr, *mGreenValue = nullptr, *mBlueValue = nullptr, *mGrayValue = nullptr;
  kit::TextField *mAfterRedTitle = nullptr, *mAfterGreenTitle = nullptr, *mAfterBlueTitle = nullptr,
                 *mAfterGrayTitle = nullptr;
  kit::TextField *mAfterRedValue = nullptr, *mAfterGreenValue = nullptr, *mAfterBlueValue = nullptr,
                 *mAfterGrayValue = nullptr;

 protected:
  virtual void createControlForFinalReview();
  virtual void createControlForHistogram();
  kit::TextField* addField(const fnd::Rect& frame);

 private:
  int mMode = 0;
  int mColor = 0;
};
