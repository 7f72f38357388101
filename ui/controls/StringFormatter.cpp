#include "ui/controls/StringFormatter.h"

#include "foundation/StringFormat.h"

Quirel_StringFormatter::Quirel_StringFormatter(int maxLength)
    : mMaxLength(maxLength > 0 ? static_cast<std::uint64_t>(maxLength) : 0) {}

bool Quirel_StringFormatter::isPartialStringValid(const std::string& s, std::string*, std::string*) const {
  if (s.empty()) return true;
  return fnd::utf16Length(fnd::normalizedNFKC(s)) <= mMaxLength;
}

bool Quirel_StringFormatter::getObjectValue(fnd::Value* value, const std::string& text, std::string*) const {
  return copyText(value, text);
}

std::string Quirel_StringFormatter::stringForObjectValue(const fnd::Value& value) const { return showValue(value); }

bool Quirel_StringFormatter::copyText(fnd::Value* value, const std::string& text) {
  if (value) *value = fnd::Value(text);
  return true;
}

std::string Quirel_StringFormatter::showValue(const fnd::Value& value) {
  if (value.isString()) return value.toString();
  return std::to_string(static_cast<int>(value.toInteger()));
}
