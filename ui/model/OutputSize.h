#pragma once

#include <optional>
#include <string>

#include "foundation/Value.h"

// One length of an output size, held at once in the three units the user may pick.
struct OutputSizeLength {
  double inch;
  double pixel;
  double cm;
};

// One named entry of the output-size menus: the defaults come from the model's parameters, the
// user's own entries from "OutputSize.xml", a property-list array of getDictionary() forms that
// the callers read and write.
class Quirel_OutputSize {
 public:
  // An unnamed custom entry with zero sizes.
  Quirel_OutputSize();
  // From a stored entry: the eleven keys of getDictionary(), each read without a presence
  // test (missing numbers 0, a missing flag NO). An entry without "Name" stays unnamed.
  explicit Quirel_OutputSize(const fnd::Dictionary& entry);
  // A named entry of a list: not custom, sizes 0.
  Quirel_OutputSize(int index, int destination, std::optional<std::string> name, int unit);
  Quirel_OutputSize(const Quirel_OutputSize&) = default;
  Quirel_OutputSize& operator=(const Quirel_OutputSize&) = default;

  // Sets the index, destination, name and unit; the sizes stay.
  void setValue(int index, int destination, std::optional<std::string> name, int unit);

  void setName(std::optional<std::string> name) { mName = std::move(name); }
  const std::optional<std::string>& getName() const { return mName; }
  bool hasName() const { return mName.has_value(); }
  int getIndex() const { return mIndex; }
  int getDestination() const { return mDestination; }
  int getUnit() const { return mUnit; }

  // Unit 0: inches (centimetres derived); 1: centimetres (inches derived); any other: pixels
  // only. The members not named are left as they were.
  void setSize(int unit, double width, double height);

  void setOutputWidth(const OutputSizeLength& width) { mWidth = width; }
  OutputSizeLength getOutputWidth() const { return mWidth; }
  void setOutputHeight(const OutputSizeLength& height) { mHeight = height; }
  OutputSizeLength getOutputHeight() const { return mHeight; }

  void setCustom(bool custom) { mCustom = custom; }
  bool isCustom() const { return mCustom; }

  // One element of "OutputSize.xml". An unnamed entry is written without "Name".
  fnd::Dictionary getDictionary() const;

 private:
  int mIndex = 0;
  bool mCustom = false;
  int mDestination = 0;
  std::optional<std::string> mName;
  OutputSizeLength mWidth{0, 0, 0};
  OutputSizeLength mHeight{0, 0, 0};
  int mUnit = 0;
};
