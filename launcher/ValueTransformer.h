#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "foundation/Value.h"

// Turns a value into the form a view shows, registered under a name so that tables and
// fields can ask for it by name.
class Zorvik_ValueTransformer {
 public:
  virtual ~Zorvik_ValueTransformer() = default;
  virtual fnd::Value transformedValue(const fnd::Value& value) const = 0;
  virtual bool allowsReverseTransformation() const { return false; }

  // Registers (or replaces) the transformer for a name; main thread.
  static void setValueTransformer(std::unique_ptr<Zorvik_ValueTransformer> transformer, const std::string& name);
  // The transformer registered under the name, or null.
  static Zorvik_ValueTransformer* valueTransformerForName(std::string_view name);
};
