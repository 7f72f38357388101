#include "ui/controls/NumberFieldFormatter.h"

#include "foundation/StringFormat.h"
#include "ui/controls/StringFormatter.h"

Quirel_NumberFieldFormatter::Quirel_NumberFieldFormatter(int allowFloat, int allowNegative, int maxLength)
    : mMaxLength(maxLength > 0 ? static_cast<std::uint64_t>(maxLength) : 0),
      mFloat(allowFloat != 0),
      mNegative(allowNegative != 0) {}

bool Quirel_NumberFieldFormatter::isPartialStringValid(const std::string& s, std::string*, std::string*) const {
  if (s.empty()) return true;
  if (fnd::utf16Length(s) > mMaxLength) return false;
  bool seenPoint = false;
  // Bytes suffice: any byte of a multi-byte character (a full-width digit) is refused.
  for (std::size_t i = 0; i < s.size(); ++i) {
    char c = s[i];
    if (c >= '0' && c <= '9') continue;
    if (c == '-' && mNegative && i == 0) continue;
    if (c == '.' && mFloat && !seenPoint) {
      seenPoint = true;
      continue;
    }
    return false;
  }
  return true;
}

bool Quirel_NumberFieldFormatter::getObjectValue(fnd::Value* value, const std::string& text, std::string*) const {
  return Quirel_StringFormatter::copyText(value, text);
}

std::string Quirel_NumberFieldFormatter::stringForObjectValue(const fnd::Value& value) const {
  return Quirel_StringFormatter::showValue(value);
}
