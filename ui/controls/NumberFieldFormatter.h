#pragma once

#include <cstdint>

#include "kit/Formatter.h"

// Lets only digits through, with an optional decimal point and an optional leading minus, up
// to a maximum length in UTF-16 units. Partial texts such as "-" or "1." stand while typing.
class Quirel_NumberFieldFormatter : public kit::Formatter {
 public:
  // allowFloat and allowNegative: non-zero allows the point and the minus sign.
  Quirel_NumberFieldFormatter(int allowFloat, int allowNegative, int maxLength);

  bool isPartialStringValid(const std::string& partial, std::string* newEditingString,
                            std::string* error) const override;
  bool getObjectValue(fnd::Value* value, const std::string& text, std::string* error) const override;
  std::string stringForObjectValue(const fnd::Value& value) const override;

 private:
  std::uint64_t mMaxLength;
  bool mFloat;
  bool mNegative;
};
