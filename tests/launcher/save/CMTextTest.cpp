#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "launcher/save/CMText.h"

namespace {

std::string formatted(const char* format, ...) {
  va_list args;
  va_start(args, format);
  std::string out = "unchanged";
  CMResult rc = CM_FormatText(&out, format, args);
  va_end(args);
  return rc == CM_OK ? out : "error " + std::to_string(rc);
}

TEST(CMText, FormatCStringReportsWhatDoesNotFit) {
  char buf[8];
  EXPECT_EQ(CM_FormatCString(buf, sizeof buf, "%03d.TIF", 7), CM_OK);
  EXPECT_STREQ(buf, "007.TIF");
  EXPECT_EQ(CM_FormatCString(buf, sizeof buf, "%04d.TIF", 7), CM_ERR_SYSTEM) << "8 bytes needed with the NUL";
  EXPECT_EQ(buf[7], '\0') << "still terminated, nothing past the end";
  EXPECT_EQ(CM_FormatCString(nullptr, 8, "x"), CM_ERR_BAD_ARGUMENT);
  EXPECT_EQ(CM_FormatCString(buf, 0, "x"), CM_ERR_BAD_ARGUMENT);
}

TEST(CMText, FormatTextTakesTextsForAtSigns) {
  const std::string folder = "/tmp/work/";
  EXPECT_EQ(formatted("%@PVTO_tmpTF%03d.TIF", &folder, 5), "/tmp/work/PVTO_tmpTF005.TIF");
  EXPECT_EQ(formatted("%@|%@", static_cast<const std::string*>(nullptr), &folder), "(null)|/tmp/work/");
  EXPECT_EQ(formatted("%s=%ld %5.2f%% %x %c %zu", "k", 123456789012L, 3.14159, 255u, 'z', std::size_t{9}),
            "k=123456789012  3.14% ff z 9");
  EXPECT_EQ(formatted("%*d|%-*s|", 4, 7, 3, "a"), "   7|a  |");
  std::string longPath(5000, 'p');
  EXPECT_EQ(formatted("%@/x", &longPath).size(), 5002u) << "not bounded by any fixed buffer";
  EXPECT_EQ(formatted("%n", nullptr), "error " + std::to_string(CM_ERR_SYSTEM)) << "never writes through args";
  EXPECT_EQ(formatted("tail %"), "error " + std::to_string(CM_ERR_SYSTEM));
}

TEST(CMText, BoundedCStringCopies) {
  char buf[6];
  EXPECT_EQ(CM_StrCopy(buf, sizeof buf, "abcdefgh"), CM_OK);
  EXPECT_STREQ(buf, "abcde");
  EXPECT_EQ(CM_StrCopy(buf, sizeof buf, "ab"), CM_OK);
  EXPECT_EQ(CM_StrCat(buf, sizeof buf, "cdefg"), CM_OK);
  EXPECT_STREQ(buf, "abcde");
  char small[4];
  EXPECT_EQ(CM_StrNCopy(small, "abcdef", 3), CM_OK);
  EXPECT_STREQ(small, "abc");
  EXPECT_EQ(CM_StrNCopy(small, "a", 3), CM_OK) << "stops at the source's end";
  EXPECT_STREQ(small, "a");

  std::int32_t cmp = 9;
  EXPECT_EQ(CM_StrCompare("a", "b", &cmp), CM_OK);
  EXPECT_EQ(cmp, -1);
  std::size_t len = 0;
  EXPECT_EQ(CM_StrLen("abcdef", 4, &len), CM_OK);
  EXPECT_EQ(len, 4u);

  char text[] = "a,b,,c";
  char* token = nullptr;
  std::string tokens;
  for (CM_StrTok(text, ",", &token); token; CM_StrTok(nullptr, ",", &token)) tokens += token;
  EXPECT_EQ(tokens, "abc");
}

TEST(CMText, NullArgumentsAreRefused) {
  std::string s = "x";
  char buf[4];
  std::int32_t r = 0;
  std::size_t n = 0;
  const CMResult results[] = {
      CM_StrCopy(nullptr, 4, "a"),          CM_StrCopy(buf, 4, nullptr),         CM_StrCat(buf, 4, nullptr),
      CM_StrNCopy(nullptr, "a", 1),         CM_StrCompare(nullptr, "a", &r),     CM_StrLen(nullptr, 1, &n),
      CM_StrTok(buf, nullptr, nullptr),     CM_SetText(&s, nullptr),             CM_SetText(nullptr, &s),
      CM_SetTextPrefix(&s, nullptr, 0),     CM_SetTextFromUTF8(&s, nullptr),     CM_GetUTF8(nullptr, 4, &s),
      CM_GetUTF8(buf, 4, nullptr),          CM_CompareString(&s, nullptr, &r),   CM_FindString(&s, nullptr, 0, &r),
      CM_IsLike(&s, nullptr, &r),           CM_TextLength(nullptr, &n),          CM_AppendText(&s, nullptr),
      CM_AddPathSeparator(nullptr),         CM_SetFormattedText(nullptr, "x"),   CM_FindString(&s, &s, 2, &r),
  };
  for (CMResult rc : results) EXPECT_EQ(rc, CM_ERR_BAD_ARGUMENT);
}

TEST(CMText, TextsCountCharactersAndStayValidUtf8) {
  const std::string text = "Gr\xC3\xBC\xC3\x9F" "e";  // "Grüße": 5 characters, 7 bytes
  std::size_t len = 0;
  EXPECT_EQ(CM_TextLength(&text, &len), CM_OK);
  EXPECT_EQ(len, 5u);
  std::string prefix;
  EXPECT_EQ(CM_SetTextPrefix(&prefix, &text, 3), CM_OK);
  EXPECT_EQ(prefix, "Gr\xC3\xBC");
  EXPECT_EQ(CM_SetTextPrefix(&prefix, &text, 6), CM_ERR_BAD_ARGUMENT);
  EXPECT_EQ(prefix, "Gr\xC3\xBC") << "unchanged on refusal";

  char buf[4];
  EXPECT_EQ(CM_GetUTF8(buf, sizeof buf, &text), CM_OK);
  EXPECT_STREQ(buf, "Gr") << "a character is never cut in half";

  std::string converted = "kept";
  EXPECT_EQ(CM_SetTextFromUTF8(&converted, "\xC3\x28"), CM_ERR_NOT_UTF8);
  EXPECT_EQ(CM_SetTextFromUTF8(&converted, "\xED\xA0\x80"), CM_ERR_NOT_UTF8) << "surrogate";
  EXPECT_EQ(CM_SetTextFromUTF8(&converted, "\xC0\xAF"), CM_ERR_NOT_UTF8) << "overlong";
  EXPECT_EQ(converted, "kept");
  EXPECT_EQ(CM_SetTextFromUTF8(&converted, "\xE2\x82\xAC"), CM_OK);
  EXPECT_EQ(converted, "\xE2\x82\xAC");
}

TEST(CMText, FindAndLike) {
  const std::string text = "PVTO_tmpTF003.TIF";
  struct FindCase {
    const char* part;
    std::int32_t mode;
    std::int32_t expected;
  } finds[] = {{"tmpTF", 0, 0}, {"TMPtf", 0, 1}, {"TMPtf", 1, 0}, {".jpg", 1, 1}, {"", 0, 0}};
  for (const FindCase& c : finds) {
    std::string part = c.part;
    std::int32_t r = 9;
    EXPECT_EQ(CM_FindString(&text, &part, c.mode, &r), CM_OK);
    EXPECT_EQ(r, c.expected) << c.part << " mode " << c.mode;
  }
  struct LikeCase {
    const char* pattern;
    std::int32_t expected;
  } likes[] = {{"PVTO_tmp*", 0},    {"*.TIF", 0},  {"*.tif", 1},  {"PVTO_tmpTF00?.TIF", 0}, {"PVTO_tmpTF0?.TIF", 1},
               {"*", 0},            {"*TF*3*", 0}, {"P*X", 1},    {"PVTO_tmpTF003.TIF", 0}, {"", 1}};
  for (const LikeCase& c : likes) {
    std::string pattern = c.pattern;
    std::int32_t r = 9;
    EXPECT_EQ(CM_IsLike(&text, &pattern, &r), CM_OK);
    EXPECT_EQ(r, c.expected) << c.pattern;
  }
  const std::string accented = "\xC3\xA9t\xC3\xA9";
  const std::string oneEach = "?t?";
  std::int32_t r = 9;
  EXPECT_EQ(CM_IsLike(&accented, &oneEach, &r), CM_OK);
  EXPECT_EQ(r, 0) << "? matches one character, not one byte";
}

TEST(CMText, PathSeparatorAndAppend) {
  std::string a = "/tmp", b = "/tmp/", c;
  EXPECT_EQ(CM_AddPathSeparator(&a), CM_OK);
  EXPECT_EQ(CM_AddPathSeparator(&b), CM_OK);
  EXPECT_EQ(CM_AddPathSeparator(&c), CM_OK);
  EXPECT_EQ(a, "/tmp/");
  EXPECT_EQ(b, "/tmp/");
  EXPECT_EQ(c, "/");
  const std::string tail = "x.tif";
  EXPECT_EQ(CM_AppendText(&a, &tail), CM_OK);
  EXPECT_EQ(a, "/tmp/x.tif");
  std::string f;
  EXPECT_EQ(CM_SetFormattedText(&f, "%@%d", &a, 2), CM_OK);
  EXPECT_EQ(f, "/tmp/x.tif2");
}

}  // namespace
