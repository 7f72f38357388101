#include "ui/model/OutputSize.h"

#include <utility>

#include "ui/model/Units.h"

Quirel_OutputSize::Quirel_OutputSize() : mCustom(true) {}

Quirel_OutputSize::Quirel_OutputSize(const fnd::Dictionary& entry) {
  // Files written by hand or by older versions may lack a name: keep the entry unnamed rather
  // than inventing one.
  if (const fnd::Value* name = entry.find("Name"); name && name->isString()) mName = name->toString();
  mDestination = entry.intValue("Destination");
  mIndex = entry.intValue("Index");
  mUnit = entry.intValue("Unit");
  mWidth.cm = entry.real("WidthCm");
  mWidth.inch = entry.real("WidthInch");
  mWidth.pixel = entry.real("WidthPixel");
  mHeight.cm = entry.real("HeightCm");
  mHeight.inch = entry.real("HeightInch");
  mHeight.pixel = entry.real("HeightPixel");
  mCustom = entry.boolean("isCustom");
}

Quirel_OutputSize::Quirel_OutputSize(int index, int destination, std::optional<std::string> name, int unit) {
  setValue(index, destination, std::move(name), unit);
}

void Quirel_OutputSize::setValue(int index, int destination, std::optional<std::string> name, int unit) {
  mIndex = index;
  mDestination = destination;
  mName = std::move(name);
  mUnit = unit;
}

void Quirel_OutputSize::setSize(int unit, double width, double height) {
  switch (unit) {
    case 0:
      mWidth.inch = width;
      mWidth.cm = inchToCm(width);
      mHeight.inch = height;
      mHeight.cm = inchToCm(height);
      break;
    case 1:
      mWidth.cm = width;
      mWidth.inch = cmToInch(width);
      mHeight.cm = height;
      mHeight.inch = cmToInch(height);
      break;
    default:
      mWidth.pixel = width;
      mHeight.pixel = height;
      break;
  }
}

fnd::Dictionary Quirel_OutputSize::getDictionary() const {
  fnd::Dictionary d;
  if (mName) d.set("Name", *mName);
  d.set("Destination", mDestination);
  d.set("WidthCm", mWidth.cm);
  d.set("WidthInch", mWidth.inch);
  d.set("WidthPixel", mWidth.pixel);
  d.set("HeightCm", mHeight.cm);
  d.set("HeightInch", mHeight.inch);
  d.set("HeightPixel", mHeight.pixel);
  d.set("Unit", mUnit);
  d.set("Index", mIndex);
  d.set("isCustom", mCustom);
  return d;
}
