#include "foundation/StringFormat.h"

#include <gtest/gtest.h>

namespace fnd {
namespace {

struct FormatCase {
  const char* format;
  Array args;
  const char* expected;
};

TEST(StringFormat, SubstitutesThePlaceholdersCallersUse) {
  const FormatCase cases[] = {
      {"%@", {Value("abc")}, "abc"},
      {"%@", {Value(42)}, "42"},
      {"%@", {Value(2.5)}, "2.5"},
      {"%@", {Value()}, "(null)"},
      {"%s%s", {Value("dir/"), Value("name")}, "dir/name"},
      {"%d", {Value(-7)}, "-7"},
      {"%i", {Value(3.9)}, "3"},
      {"%d", {Value("12abc")}, "12"},
      {"%5d|%-5d|", {Value(42), Value(42)}, "   42|42   |"},
      {"%03d", {Value(7)}, "007"},
      {"%05d", {Value(-42)}, "-0042"},
      {"%+d % d", {Value(5), Value(5)}, "+5  5"},
      {"%.3d", {Value(5)}, "005"},
      {"%ld %lld %qd", {Value(5000000000LL), Value(-5000000000LL), Value(1)}, "5000000000 -5000000000 1"},
      {"%d", {Value(5000000000LL)}, "705032704"},  // read as a C int
      {"%u %lu", {Value(-1), Value(-1)}, "4294967295 18446744073709551615"},
      {"%x %X %o", {Value(255), Value(255), Value(8)}, "ff FF 10"},
      {"%.1f", {Value(2.26)}, "2.3"},
      {"%.2f", {Value(3.14159)}, "3.14"},
      {"%f", {Value(1.5)}, "1.500000"},
      {"%8.3f|%-8.1f|", {Value(3.14159), Value(2.0)}, "   3.142|2.0     |"},
      {"%06.1f", {Value(-2.5)}, "-002.5"},
      {"%.0f", {Value(299.7)}, "300"},
      {"%.1f", {Value(3)}, "3.0"},  // an integer argument is coerced
      {"%e", {Value(12345.678)}, "1.234568e+04"},
      {"%g %G", {Value(0.0001), Value(1e-10)}, "0.0001 1E-10"},
      {"%c%c", {Value(65), Value(0x263A)}, "A\xE2\x98\xBA"},
      {"100%% of %d%%", {Value(5)}, "100% of 5%"},
      {"%@\r\r%d.%d.%d", {Value("Scanner error"), Value(0), Value(30), Value(0)}, "Scanner error\r\r0.30.0"},
      {"%@PVTO_tmpEX%03d.JPG", {Value("/tmp/"), Value(7)}, "/tmp/PVTO_tmpEX007.JPG"},
      {"%@_%04d.%@", {Value("Scan"), Value(12), Value("jpg")}, "Scan_0012.jpg"},
      {"%2$@ %1$@ %2$@", {Value("a"), Value("b")}, "b a b"},
      {"%1$d-%1$03d", {Value(4)}, "4-004"},
      {"", {Value(1)}, ""},
      {"no placeholders", {}, "no placeholders"},
  };
  for (const FormatCase& c : cases) {
    SCOPED_TRACE(c.format);
    EXPECT_EQ(formatString(c.format, c.args), c.expected);
  }
  EXPECT_EQ(stringWithFormat("%@ %d %.1f", std::string("x"), 3, 0.25), "x 3 0.2");
}

TEST(StringFormat, DataIsNeverTreatedAsAFormatAndMissingArgumentsStayAsText) {
  const FormatCase cases[] = {
      // Conversions that would read or write memory under printf are shown literally.
      // Literal placeholders take no argument: "%s" gets the first one.
      {"%n%p%s", {Value(1), Value(2), Value("s")}, "%n%p1"},
      {"%10s|%.2s|%-s", {Value("x")}, "%10s|%.2s|%-s"},
      {"%*d", {Value(5), Value(6)}, "%*d"},
      {"%99999999d", {Value(1)}, "%99999999d"},
      {"%.500f", {Value(1.0)}, "%.500f"},
      {"%", {}, "%"},
      {"50% off", {}, "50% off"},  // "% o" is a placeholder, as in C, but has no argument
      // Arguments that were not passed are never read: the placeholder stays.
      {"%@ and %@", {Value("a")}, "a and %@"},
      {"%d%%", {}, "%d%"},
      {"%3$@", {Value("a"), Value("b")}, "%3$@"},
      {"%0$@", {Value("a")}, "%0$@"},
      // An argument that holds a format is only text.
      {"%@", {Value("%n%s%d")}, "%n%s%d"},
  };
  for (const FormatCase& c : cases) {
    SCOPED_TRACE(c.format);
    EXPECT_EQ(formatString(c.format, c.args), c.expected);
  }
}

TEST(StringFormat, Utf16LengthAndUtf8Checks) {
  const struct {
    const char* text;
    std::size_t units;
    bool valid;
  } cases[] = {
      {"", 0, true},
      {"abc", 3, true},
      {"\xC3\xA9", 1, true},                  // é
      {"\xE6\x97\xA5\xE6\x9C\xAC", 2, true},  // two CJK characters
      {"\xF0\x9F\x8E\x9E", 2, true},          // outside the basic plane: a surrogate pair
      {"\xFF", 1, false},
      {"a\xC3", 2, false},                    // cut short
      {"\xC0\xAF", 2, false},                 // overlong
      {"\xED\xA0\x80", 3, false},             // a surrogate
      {"\xF4\x90\x80\x80", 4, false},         // past U+10FFFF
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(utf16Length(c.text), c.units);
    EXPECT_EQ(isValidUtf8(c.text), c.valid);
  }
  std::string out;
  appendUtf8(out, U'\x1F39E');
  appendUtf8(out, 0xD800);
  EXPECT_EQ(out, "\xF0\x9F\x8E\x9E\xEF\xBF\xBD");
}

TEST(StringFormat, Normalisation) {
  const std::string decomposed = "Cafe\xCC\x81";  // e + combining acute
  EXPECT_EQ(normalizedNFC(decomposed), "Caf\xC3\xA9");
  EXPECT_EQ(normalizedNFKC(decomposed), "Caf\xC3\xA9");
  const std::string ligature = "\xEF\xAC\x81le \xE2\x91\xA0";  // "ﬁle ①"
  EXPECT_EQ(normalizedNFC(ligature), ligature);               // compatibility forms survive NFC
  EXPECT_EQ(normalizedNFKC(ligature), "file 1");
  EXPECT_EQ(utf16Length(decomposed), 5u);
  EXPECT_EQ(utf16Length(normalizedNFC(decomposed)), 4u);
}

}  // namespace
}  // namespace fnd
