#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "foundation/Value.h"

namespace fnd {

// Reads and writes the original platform's XML property lists: <plist version="1.0"> holding a
// dictionary or an array of dict/key, array, integer, real, true, false, string, data (base64)
// and date (ISO 8601 in UTC, "Z") elements, written with one tab per level.
//
// Reading is all or nothing: a missing, truncated or malformed document gives an error and no
// value, never part of one, so a caller's defaults stay as they were.
//
// What cannot be written fails the whole write, with nothing touched on disk: object handles,
// raw addresses and boxed rectangles anywhere in the tree, a null inside an array, a string or
// key that is not valid UTF-8 or holds a control character XML cannot carry. A null entry of a
// dictionary is left out (a missing key reads the same). Integers, reals and bools keep their
// kinds; reals are written with the shortest text that reads back to the same double; dates
// keep whole seconds, as in the platform's format.
class PropertyList {
 public:
  struct Result {
    std::optional<Value> value;  // a dictionary or an array; empty on error
    std::string error;           // why there is no value
    bool ok() const { return value.has_value(); }
  };

  static Result read(std::string_view bytes);
  static Result read(const Data& bytes);
  static Result readFile(const std::string& path);

  // The document's text; nothing (and the reason in *error) when the value cannot be written.
  static std::optional<std::string> write(const Value& root, std::string* error = nullptr);
  // Writes atomically (temporary file in the same folder, flushed, then renamed): on any
  // failure the old file, if there was one, stays whole.
  static bool writeFile(const Value& root, const std::string& path, std::string* error = nullptr);
};

}  // namespace fnd
