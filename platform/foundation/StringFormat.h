#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "foundation/Value.h"

namespace fnd {

// Formats text the way the platform's string formats read, but without ever handing the
// format to printf: the format is parsed here and each argument is a Value, so a format that
// comes from a file or the user can neither read memory nor write it.
//
// Understood placeholders, optionally positional ("%2$@"):
//   %@      the argument as text (toString; "(null)" for a null value)
//   %s      the same; no width or precision (a "%10s" stays as it is written)
//   %d %i   integers, %u %x %X %o unsigned; flags "-0+ ", width and precision; without a
//           length (l, ll, q, z, j, t) the argument is read as a 32-bit int, as C would
//   %f %F %e %E %g %G  reals with flags, width and precision ("%.1f")
//   %c      a character given by its code point
//   %%      a percent sign
// Anything else ("%n", "%p", "%*d", a width above 1000...) is copied as it stands, and a
// placeholder whose argument was not passed also stays as it is written: no argument is ever
// invented or read past the end. Arguments of another kind are coerced (Value's reads).
std::string formatString(std::string_view format, const Array& args);

template <class... Args>
std::string stringWithFormat(std::string_view format, const Args&... args) {
  return formatString(format, Array{Value(args)...});
}

// Number of UTF-16 code units of a UTF-8 text (the platform's string length). A byte that is
// not valid UTF-8 counts as one unit, as its replacement character would.
std::size_t utf16Length(std::string_view utf8);

// Whether the text is well-formed UTF-8 (no overlong forms, surrogates or values past U+10FFFF).
bool isValidUtf8(std::string_view text);

// Appends the UTF-8 form of a code point (U+FFFD for surrogates and values past U+10FFFF).
void appendUtf8(std::string& out, char32_t codePoint);

// Decodes UTF-8 into code points; a byte that is not valid UTF-8 becomes U+FFFD.
std::u32string decodeUtf8(std::string_view utf8);

// The longest head of the text of at most `units` UTF-16 code units that ends on a whole
// character: a character needing two units is left out whole rather than split.
std::string utf16Prefix(std::string_view utf8, std::size_t units);

// Whether the two texts are equal when case is ignored (full Unicode case folding).
bool equalsIgnoringCase(std::string_view a, std::string_view b);

// Whether the character is white space in Unicode's sense (the separators and the control
// blanks such as tab and line feed).
bool isUnicodeSpace(char32_t c);

// An integer written for the user's locale (its digits and grouping).
std::string localizedInteger(long long value);

// Unicode normalisation forms C (composed) and KC (compatibility composed).
std::string normalizedNFC(std::string_view utf8);
std::string normalizedNFKC(std::string_view utf8);

}  // namespace fnd
