#include "foundation/StringsTable.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "TestEnvironment.h"
#include "TestFiles.h"
#include "foundation/FileManager.h"

namespace fnd {
namespace {

namespace fs = std::filesystem;

std::string fixture() { return testenv::readFile(testenv::sourceDir() / "platform/foundation/fixtures/Sample.strings"); }

// UTF-8 to UTF-16 with a byte-order mark, as another editor would save the table.
std::string toUtf16(const std::string& utf8, bool little) {
  std::u16string units = u"\uFEFF";
  for (std::size_t i = 0; i < utf8.size();) {
    auto c = static_cast<unsigned char>(utf8[i]);
    int extra = c >= 0xF0 ? 3 : c >= 0xE0 ? 2 : c >= 0xC0 ? 1 : 0;
    char32_t cp = extra ? c & (0x3F >> extra) : c;
    for (int k = 1; k <= extra; ++k) cp = (cp << 6) | (static_cast<unsigned char>(utf8[i + k]) & 0x3F);
    i += extra + 1;
    if (cp >= 0x10000) {
      units += static_cast<char16_t>(0xD800 + ((cp - 0x10000) >> 10));
      units += static_cast<char16_t>(0xDC00 + ((cp - 0x10000) & 0x3FF));
    } else {
      units += static_cast<char16_t>(cp);
    }
  }
  std::string out;
  for (char16_t u : units) {
    char lo = static_cast<char>(u & 0xFF), hi = static_cast<char>(u >> 8);
    out += little ? lo : hi;
    out += little ? hi : lo;
  }
  return out;
}

void expectSampleTable(const StringsTable::Result& r) {
  ASSERT_TRUE(r.ok()) << r.error;
  const StringsTable::Map& t = *r.table;
  const StringsTable::Map expected{
      {"IDS_SCAN", "Scan Again"},  // the later entry wins
      {"IDS_PREVIEW", "Preview"},
      {"IDS_QUOTE", "Say \"cheese\" \\ then smile"},
      {"IDS_LINES", "First line\nSecond\tTabbed\r\nWindows"},
      {"IDS_UNICODE", "Caf\xC3\xA9 \xE2\x80\x94 film \xF0\x9F\x8E\x9E"},
      {"IDS_DIRECT", "Gr\xC3\xBC\xC3\x9F" "e, \xE6\x97\xA5\xE6\x9C\xAC"},
      {"IDS_OCTAL", "AB"},
      {"IDS_EMPTY", ""},
      {"IDS /* not a comment */ KEY", "value // not a comment either"},
      {"PVTO_TITLE", "Trivolan"},
      {"IDS_MULTI", "spans\ntwo lines"},
  };
  EXPECT_EQ(t, expected);
}

TEST(StringsTable, ParsesCommentsEscapesAndUnquotedKeysInEveryEncoding) {
  const std::string utf8 = fixture();
  ASSERT_FALSE(utf8.empty());
  {
    SCOPED_TRACE("UTF-8");
    expectSampleTable(StringsTable::parse(utf8));
  }
  {
    SCOPED_TRACE("UTF-8 with a byte-order mark");
    expectSampleTable(StringsTable::parse("\xEF\xBB\xBF" + utf8));
  }
  {
    SCOPED_TRACE("UTF-16 little endian");
    expectSampleTable(StringsTable::parse(toUtf16(utf8, true)));
  }
  {
    SCOPED_TRACE("UTF-16 big endian, from a file");
    fs::path file = testenv::freshFolder("strings") / "UserInterface.strings";
    ASSERT_TRUE(FileManager::writeAtomically(file.string(), toUtf16(utf8, false)));
    expectSampleTable(StringsTable::readFile(file.string()));
  }
  EXPECT_TRUE(StringsTable::parse("").ok());
  EXPECT_TRUE(StringsTable::parse("  /* only a comment */ // and another").table->empty());
}

TEST(StringsTable, MalformedTablesAreErrorsWithTheLine) {
  const struct {
    const char* what;
    std::string text;
    const char* line;
  } cases[] = {
      {"missing semicolon", "\"a\" = \"b\"\n\"c\" = \"d\";", "line 2"},
      {"missing equals", "\"a\" \"b\";", "line 1"},
      {"missing value", "\"a\" = ;", "line 1"},
      {"unterminated text", "\"a\" = \"b\";\n\"c\" = \"never closed;\n", "line 2"},
      {"unterminated comment", "\"a\" = \"b\";\n/* open", "line 2"},
      {"backslash at the end", "\"a\" = \"b\\", "line 1"},
      {"stray character", "\"a\" = \"b\"; #", "line 1"},
      {"key only", "\"a\";", "line 1"},
      {"empty hex escape", "\"a\" = \"\\Uzz\";", "line 1"},
      {"lone high surrogate", "\"a\" = \"\\UD83C x\";", "line 1"},
      {"lone low surrogate", "\"a\" = \"\\UDF9E\";", "line 1"},
      {"invalid UTF-8", "\"a\" = \"\xC3\x28\";", ""},
      {"UTF-16 with an odd byte", std::string("\xFF\xFE\x22\x00\x61", 5), ""},
      {"UTF-16 lone surrogate", std::string("\xFF\xFE\x00\xD8\x22\x00", 6), ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    StringsTable::Result r = StringsTable::parse(c.text);
    EXPECT_FALSE(r.ok());
    EXPECT_FALSE(r.error.empty());
    EXPECT_NE(r.error.find(c.line), std::string::npos) << r.error;
  }
  StringsTable::Result missing = StringsTable::readFile((testenv::root() / "no.strings").string());
  EXPECT_FALSE(missing.ok());
  EXPECT_NE(missing.error.find("no.strings"), std::string::npos);
}

}  // namespace
}  // namespace fnd
