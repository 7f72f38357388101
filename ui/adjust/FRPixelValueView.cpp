#include "ui/adjust/FRPixelValueView.h"

#include "kit/Font.h"
#include "kit/TextField.h"

namespace {
void setIfAny(kit::TextField* field, const std::string& text) {
  if (field) field->setStringValue(text);
}
std::string pixelRow(const kit::TextField* title, const kit::TextField* value) {
  if (!title || !value) return {};
  return title->stringValue() + " " + value->stringValue();
}
}  // namespace

Quirel_FRPixelValueView::Quirel_FRPixelValueView(const fnd::Rect& frame, int mode, int color)
    : kit::View(frame), mMode(mode), mColor(color) {
  if (mMode != 0)
    createControlForFinalReview();
  else
    createControlForHistogram();
}

kit::TextField* Quirel_FRPixelValueView::addField(const fnd::Rect& frame) {
  auto field = std::make_unique<kit::TextField>(frame);
  field->setDrawsBackground(false);
  field->setBezeled(false);
  field->setBordered(false);
  field->setEditable(false);
  field->setFont(kit::Font::systemFont(10));
  return static_cast<kit::TextField*>(addSubview(std::move(field)));
}

void Quirel_FRPixelValueView::createControlForFinalReview() {
  const bool colour = mColor == 0;
  const double headingY = colour ? 60 : 20;
  mOriginTitle = addField(fnd::Rect(0, headingY, 55, 19));
  mCurrentTitle = addField(fnd::Rect(53, headingY, 53, 19));
  for (int column = 0; column < 2; ++column) {
    const double x = column == 0 ? 0 : 53;
    auto row = [&](double labelY, kit::TextField*& title, kit::TextField*& value) {
      title = addField(fnd::Rect(x, labelY, 25, 19));
      value = addField(fnd::Rect(x + 20, labelY + 5, 28, 14));
    };
    if (colour) {
      row(40, column == 0 ? mRedTitle : mAfterRedTitle, column == 0 ? mRedValue : mAfterRedValue);
      row(23, column == 0 ? mGreenTitle : mAfterGreenTitle, column == 0 ? mGreenValue : mAfterGreenValue);
      row(6, column == 0 ? mBlueTitle : mAfterBlueTitle, column == 0 ? mBlueValue : mAfterBlueValue);
    } else {
      row(0, column == 0 ? mGrayTitle : mAfterGrayTitle, column == 0 ? mGrayValue : mAfterGrayValue);
    }
  }
}

void Quirel_FRPixelValueView::createControlForHistogram() {
  auto row = [&](double x, kit::TextField*& title, kit::TextField*& value) {
    title = addField(fnd::Rect(x, 0, 25, 19));
    value = addField(fnd::Rect(x + 20, 5, 28, 14));
  };
  if (mColor == 0) {
    row(0, mRedTitle, mRedValue);
    row(49, mGreenTitle, mGreenValue);
    row(98, mBlueTitle, mBlueValue);
  } else {
    row(0, mGrayTitle, mGrayValue);
  }
}

void Quirel_FRPixelValueView::setOriginTitle(const std::string& t) { setIfAny(mOriginTitle, t); }
void Quirel_FRPixelValueView::setCurrentTitle(const std::string& t) { setIfAny(mCurrentTitle, t); }
void Quirel_FRPixelValueView::setRedTitle(const std::string& t) {
  setIfAny(mRedTitle, t);
  setIfAny(mAfterRedTitle, t);
}
void Quirel_FRPixelValueView::setGreenTitle(const std::string& t) {
  setIfAny(mGreenTitle, t);
  setIfAny(mAfterGreenTitle, t);
}
void Quirel_FRPixelValueView::setBlueTitle(const std::string& t) {
  setIfAny(mBlueTitle, t);
  setIfAny(mAfterBlueTitle, t);
}
void Quirel_FRPixelValueView::setGrayTitle(const std::string& t) {
  setIfAny(mGrayTitle, t);
  setIfAny(mAfterGrayTitle, t);
}
void Quirel_FRPixelValueView::redValueSet(const std::string& t) { setIfAny(mRedValue, t); }
void Quirel_FRPixelValueView::greenValueSet(const std::string& t) { setIfAny(mGreenValue, t); }
void Quirel_FRPixelValueView::blueValueSet(const std::string& t) { setIfAny(mBlueValue, t); }
void Quirel_FRPixelValueView::grayValueSet(const std::string& t) { setIfAny(mGrayValue, t); }
void Quirel_FRPixelValueView::afterRedValueSet(const std::string& t) { setIfAny(mAfterRedValue, t); }
void Quirel_FRPixelValueView::afterGreenValueSet(const std::string& t) { setIfAny(mAfterGreenValue, t); }
void Quirel_FRPixelValueView::afterBlueValueSet(const std::string& t) { setIfAny(mAfterBlueValue, t); }
void Quirel_FRPixelValueView::afterGrayValueSet(const std::string& t) { setIfAny(mAfterGrayValue, t); }

void Quirel_FRPixelValueView::valueClean() {
  for (kit::TextField* f : {mRedValue, mGreenValue, mBlueValue, mGrayValue, mAfterRedValue, mAfterGreenValue,
                            mAfterBlueValue, mAfterGrayValue})
    setIfAny(f, "");
}

std::string Quirel_FRPixelValueView::text() const {
  bool anyValue = false;
  for (const kit::TextField* f : {mRedValue, mGreenValue, mBlueValue, mGrayValue, mAfterRedValue, mAfterGreenValue,
                                  mAfterBlueValue, mAfterGrayValue})
    anyValue = anyValue || (f && !f->stringValue().empty());
  if (!anyValue) return {};
  auto column = [&](kit::TextField* heading, std::initializer_list<std::pair<kit::TextField*, kit::TextField*>> rows) {
    std::string out = heading ? heading->stringValue() + "\n" : std::string();
    std::string line;
    for (const auto& [title, value] : rows) {
      const std::string r = pixelRow(title, value);
      if (r.empty()) continue;
      line += (line.empty() ? "" : "  ") + r;
    }
    return out + line;
  };
  const std::string before = column(mOriginTitle, {{mRedTitle, mRedValue}, {mGreenTitle, mGreenValue},
                                                   {mBlueTitle, mBlueValue}, {mGrayTitle, mGrayValue}});
  if (mMode == 0) return before;
  return before + "\n" +
         column(mCurrentTitle, {{mAfterRedTitle, mAfterRedValue}, {mAfterGreenTitle, mAfterGreenValue},
                                {mAfterBlueTitle, mAfterBlueValue}, {mAfterGrayTitle, mAfterGrayValue}});
}
