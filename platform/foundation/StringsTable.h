#pragma once

#include <map>
#include <optional>
#include <string>
#include <string_view>

namespace fnd {

// A ".strings" table: lines of "key" = "value"; with /* */ and // comments.
//
// Texts are UTF-8, or UTF-16 (little or big endian) when the file starts with its byte-order
// mark; a UTF-8 mark is skipped. Quoted texts take the escapes \" \\ \' \n \t \r \a \b \f \v,
// up to three octal digits, and \U or \u with up to four hex digits (a surrogate pair makes
// one character); other escaped characters stand for themselves. Keys and values made only
// of letters, digits and _ $ + - . / : may go unquoted. A later entry for a key replaces an
// earlier one.
//
// Malformed input (an unterminated text or comment, a missing "=" or ";", bad encoding, a lone
// surrogate) is an error: no table at all, never part of one.
class StringsTable {
 public:
  using Map = std::map<std::string, std::string>;

  struct Result {
    std::optional<Map> table;
    std::string error;  // with the line number when the text is at fault
    bool ok() const { return table.has_value(); }
  };

  static Result parse(std::string_view bytes);
  static Result readFile(const std::string& path);
};

}  // namespace fnd
