#pragma once

#include <string>

#include "foundation/Value.h"

namespace kit {

// Turns a field's value into text and back, and judges each partial text while the user
// types. A partial text that is not valid is refused: the edit does not take place.
class Formatter {
 public:
  virtual ~Formatter();

  // The text shown for a value; the default shows strings as they are and numbers as text.
  virtual std::string stringForObjectValue(const fnd::Value& value) const;
  // The value for a finished text; false (with an optional error text) when it has none.
  virtual bool getObjectValue(fnd::Value* value, const std::string& text, std::string* error) const;
  // Whether the text the user is about to produce may stand. A formatter may propose another
  // text instead (newEditingString) together with answering false. The default allows all.
  virtual bool isPartialStringValid(const std::string& partial, std::string* newEditingString,
                                    std::string* error) const;
};

}  // namespace kit
