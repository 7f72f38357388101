#pragma once

#include <cstdint>

#include "kit/Formatter.h"

// Limits a text to a maximum length, measured on its compatibility-mapped precomposed form
// (NFKC) in UTF-16 units, so a ligature counts as the letters it stands for.
class Quirel_StringFormatter : public kit::Formatter {
 public:
  explicit Quirel_StringFormatter(int maxLength);

  bool isPartialStringValid(const std::string& partial, std::string* newEditingString,
                            std::string* error) const override;
  bool getObjectValue(fnd::Value* value, const std::string& text, std::string* error) const override;
  std::string stringForObjectValue(const fnd::Value& value) const override;

  // Shared by both formatters: the value of a finished text is a copy of it; a string value
  // shows as it is, any other value as its integer.
  static bool copyText(fnd::Value* value, const std::string& text);
  static std::string showValue(const fnd::Value& value);

 private:
  std::uint64_t mMaxLength;
};
