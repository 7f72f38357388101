#include "kit/Formatter.h"

namespace kit {

Formatter::~Formatter() = default;

std::string Formatter::stringForObjectValue(const fnd::Value& value) const {
  if (value.kind() == fnd::Value::Kind::Integer) return std::to_string(value.toInteger());
  return value.toString();
}

bool Formatter::getObjectValue(fnd::Value* value, const std::string& text, std::string*) const {
  if (value) *value = fnd::Value(text);
  return true;
}

bool Formatter::isPartialStringValid(const std::string&, std::string*, std::string*) const { return true; }

}  // namespace kit
