#include <gtest/gtest.h>

#include <functional>

#include "launcher/save/ICMSTR_CLASS.h"

namespace {

std::unique_ptr<ICMSTR_CLASS> make(const char* text, std::int32_t capacity = 1024) {
  std::unique_ptr<ICMSTR_CLASS> s;
  EXPECT_EQ(CM_CreateStringWithUTF8(&s, text, capacity), CM_OK);
  return s;
}

TEST(CMString, PathOperationsSplitAndChangeExtensions) {
  auto s = make("a/b.tif");
  std::string out;
  EXPECT_EQ(s->GetLastPathComponent(&out), CM_OK);
  EXPECT_EQ(out, "b.tif");
  EXPECT_EQ(s->GetParentPath(&out), CM_OK);
  EXPECT_EQ(out, "a");
  auto ext = s->GetPathExtension();
  ASSERT_NE(ext, nullptr);
  EXPECT_EQ(*ext->GetNSString(), "tif");
  const std::string jpg = "jpg";
  EXPECT_EQ(s->ChangePathExtension(&jpg), CM_OK);
  EXPECT_EQ(*s->GetNSString(), "a/b.jpg");
}

TEST(CMString, PathOperationEdgeCases) {
  struct Case {
    const char* text;
    CMResult last;
    const char* lastText;
    CMResult parent;
    const char* parentText;
    const char* extension;  // null: none
  } cases[] = {
      {"a/", CM_ERR_BAD_ARGUMENT, "", CM_ERR_BAD_ARGUMENT, "", nullptr},
      {"", CM_ERR_EMPTY_OR_ABSENT, "", CM_ERR_EMPTY_OR_ABSENT, "", nullptr},
      {"/", CM_ERR_BAD_ARGUMENT, "", CM_ERR_BAD_ARGUMENT, "", nullptr},
      {"/b.tif", CM_OK, "b.tif", CM_OK, "/", "tif"},
      {"b.tif", CM_OK, "b.tif", CM_ERR_SYSTEM, "", "tif"},
      {"x//y/c", CM_OK, "c", CM_OK, "x//y", nullptr},
      {"dir.d/file", CM_OK, "file", CM_OK, "dir.d", nullptr},
      {"a/b.", CM_OK, "b.", CM_OK, "a", nullptr},
      {"a/.hidden", CM_OK, ".hidden", CM_OK, "a", nullptr},
      {"a/b.tar.gz", CM_OK, "b.tar.gz", CM_OK, "a", "gz"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    auto s = make(c.text);
    std::string last = "", parent = "";
    EXPECT_EQ(s->GetLastPathComponent(&last), c.last);
    EXPECT_EQ(last, c.lastText);
    EXPECT_EQ(s->GetParentPath(&parent), c.parent);
    EXPECT_EQ(parent, c.parentText);
    auto ext = s->GetPathExtension();
    if (c.extension) {
      ASSERT_NE(ext, nullptr);
      EXPECT_EQ(*ext->GetNSString(), c.extension);
    } else {
      EXPECT_EQ(ext, nullptr);
    }
  }
}

TEST(CMString, ChangePathExtensionCases) {
  struct Case {
    const char* text;
    const char* extension;
    CMResult expected;
    const char* after;
  } cases[] = {
      {"a/b.tif", "jpg", CM_OK, "a/b.jpg"},
      {"/x/PVTO_tmpEX001.JPG", "jpg", CM_OK, "/x/PVTO_tmpEX001.jpg"},
      {"a.d/b", "jpg", CM_OK, "a.d/b.jpg"},
      {"a/b.tif", "", CM_OK, "a/b"},
      {"a/", "jpg", CM_ERR_BAD_ARGUMENT, "a/"},
      {"name", "jpg", CM_ERR_BAD_ARGUMENT, "name"},
      {"", "jpg", CM_ERR_EMPTY_OR_ABSENT, ""},
  };
  for (const Case& c : cases) {
    auto s = make(c.text);
    const std::string ext = c.extension;
    EXPECT_EQ(s->ChangePathExtension(&ext), c.expected) << c.text;
    EXPECT_EQ(*s->GetNSString(), c.after) << c.text;
  }
  auto s = make("a/b.tif");
  EXPECT_EQ(s->ChangePathExtension(nullptr), CM_ERR_BAD_ARGUMENT);
}

TEST(CMString, FormattingIsBoundedByTheCapacity) {
  auto s = make("before", 8);
  EXPECT_EQ(s->FormatCString("%03d.TIF", 5), CM_OK);
  EXPECT_EQ(*s->GetNSString(), "005.TIF");
  EXPECT_EQ(s->FormatCString("%04d.TIF", 5), CM_ERR_SYSTEM) << "8 bytes with the NUL do not fit 8";
  EXPECT_EQ(*s->GetNSString(), "005.TIF") << "text unchanged";

  // The text-object format has no fixed buffer: long Linux paths fit.
  std::unique_ptr<ICMSTR_CLASS> folder = make("", 1024);
  const std::string deep = "/" + std::string(2000, 'd') + "/";
  ASSERT_EQ(folder->SetNSString(&deep), CM_OK);
  auto name = make("", 1024);
  EXPECT_EQ(name->FormatString("%@PVTO_tmpTF%03d.TIF", folder->GetNSString(), 7), CM_OK);
  EXPECT_EQ(*name->GetNSString(), deep + "PVTO_tmpTF007.TIF");
}

TEST(CMString, TextOperations) {
  auto s = make("/tmp");
  EXPECT_EQ(s->AddPathSeparator(), CM_OK);
  EXPECT_EQ(*s->GetNSString(), "/tmp/");
  EXPECT_EQ(s->AddPathSeparator(), CM_OK);
  EXPECT_EQ(*s->GetNSString(), "/tmp/");
  const std::string name = "scan.tif";
  EXPECT_EQ(s->Append(&name), CM_OK);

  std::int32_t r = 9;
  const std::string same = "/tmp/scan.tif", later = "/tmp/zz";
  EXPECT_EQ(s->Compare(&same, &r), CM_OK);
  EXPECT_EQ(r, 0);
  EXPECT_EQ(s->Compare(&later, &r), CM_OK);
  EXPECT_EQ(r, -1);
  const std::string upper = "SCAN";
  EXPECT_EQ(s->Find(&upper, 0, &r), CM_OK);
  EXPECT_EQ(r, 1);
  EXPECT_EQ(s->Find(&upper, 1, &r), CM_OK);
  EXPECT_EQ(r, 0);
  EXPECT_EQ(s->Find(&upper, 2, &r), CM_ERR_BAD_ARGUMENT);
  const std::string like = "*/scan.???";
  EXPECT_EQ(s->IsLike(&like, &r), CM_OK);
  EXPECT_EQ(r, 0);

  char buf[8];
  EXPECT_EQ(s->GetUTF8String(buf, sizeof buf), CM_OK);
  EXPECT_STREQ(buf, "/tmp/sc");
  std::size_t len = 0;
  EXPECT_EQ(s->GetLength(&len), CM_OK);
  EXPECT_EQ(len, 13u);

  const std::string longer = "abcdef";
  EXPECT_EQ(s->SetNSStringPrefix(&longer, 3), CM_OK);
  EXPECT_EQ(*s->GetNSString(), "abc");
  EXPECT_EQ(s->SetNSStringPrefix(&longer, 7), CM_ERR_BAD_ARGUMENT);
  EXPECT_EQ(s->SetUTF8String("\xFF"), CM_ERR_NOT_UTF8);
  EXPECT_EQ(*s->GetNSString(), "abc");
  EXPECT_EQ(s->Clear(), CM_OK);
  EXPECT_EQ(*s->GetNSString(), "");
  EXPECT_EQ(s->ResetWithUTF8("xyz", 64), CM_OK);
  EXPECT_EQ(s->GetCapacity(), 64);
  EXPECT_EQ(*s->GetNSString(), "xyz");
  EXPECT_EQ(s->Reset(256), CM_OK);
  EXPECT_EQ(s->GetCapacity(), 256);
  EXPECT_EQ(*s->GetNSString(), "");
}

TEST(CMString, AReleasedTextAnswersNotReady) {
  auto s = make("text", 64);
  ASSERT_EQ(s->ReleaseText(), CM_OK);
  EXPECT_EQ(s->GetNSString(), nullptr);
  EXPECT_EQ(s->GetCapacity(), 0);
  const std::string t = "x";
  std::string out;
  std::size_t len = 0;
  std::int32_t r = 0;
  char buf[4];
  const CMResult results[] = {
      s->ReleaseText(),         s->Clear(),          s->FormatCString("x"),    s->FormatString("x"),
      s->GetUTF8String(buf, 4), s->SetUTF8String("x"), s->SetNSString(&t),    s->SetNSStringPrefix(&t, 0),
      s->GetLength(&len),       s->Compare(&t, &r),  s->Find(&t, 0, &r),     s->IsLike(&t, &r),
      s->Append(&t),            s->AddPathSeparator(), s->GetLastPathComponent(&out), s->GetParentPath(&out),
      s->ChangePathExtension(&t),
  };
  for (CMResult rc : results) EXPECT_EQ(rc, CM_ERR_NOT_READY);
  EXPECT_EQ(s->GetPathExtension(), nullptr);
  EXPECT_EQ(s->Reset(16), CM_OK) << "a reset brings the text back";
  EXPECT_NE(s->GetNSString(), nullptr);
}

TEST(CMString, TextOfAnObjectThatMayBeMissing) {
  const std::string t = "x";
  EXPECT_EQ(CM_TextOf(nullptr), nullptr);
  EXPECT_EQ(CM_SetTextOf(nullptr, &t), CM_ERR_NOT_READY);
  auto s = make("text", 64);
  EXPECT_EQ(CM_SetTextOf(s.get(), nullptr), CM_ERR_BAD_ARGUMENT);
  EXPECT_EQ(*CM_TextOf(s.get()), "text") << "a refused set leaves the text";
  EXPECT_EQ(CM_SetTextOf(s.get(), &t), CM_OK);
  EXPECT_EQ(CM_TextOf(s.get()), s->GetNSString());
  EXPECT_EQ(*CM_TextOf(s.get()), "x");
  ASSERT_EQ(s->ReleaseText(), CM_OK);
  EXPECT_EQ(CM_TextOf(s.get()), nullptr);
  EXPECT_EQ(CM_SetTextOf(s.get(), &t), CM_ERR_NOT_READY);
}

TEST(CMString, FactoriesRefuseASetSlotAndLeaveItAlone) {
  auto s = make("kept", 32);
  ICMSTR_CLASS* const original = s.get();
  const std::string text = "other";
  struct Case {
    const char* what;
    std::function<CMResult()> call;
  } cases[] = {
      {"create", [&] { return CM_CreateString(&s, 16); }},
      {"create utf8", [&] { return CM_CreateStringWithUTF8(&s, "x", 16); }},
      {"create text", [&] { return CM_CreateStringWithNSString(&s, &text, 16); }},
      {"copy", [&] { return CM_CopyString(&s, original); }},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(c.call(), CM_ERR_BAD_ARGUMENT) << c.what;
    EXPECT_EQ(s.get(), original) << c.what;
    EXPECT_EQ(*s->GetNSString(), "kept") << c.what;
  }

  std::unique_ptr<ICMSTR_CLASS> copy;
  EXPECT_EQ(CM_CopyString(&copy, nullptr), CM_ERR_BAD_ARGUMENT);
  EXPECT_EQ(copy, nullptr);
  EXPECT_EQ(CM_CopyString(&copy, s.get()), CM_OK);
  EXPECT_EQ(*copy->GetNSString(), "kept");
  EXPECT_EQ(copy->GetCapacity(), 32);
  EXPECT_NE(copy->GetNSString(), s->GetNSString()) << "a copy, not the same text";

  std::unique_ptr<ICMSTR_CLASS> bad;
  EXPECT_EQ(CM_CreateStringWithUTF8(&bad, "\xC3", 16), CM_ERR_NOT_UTF8);
  EXPECT_EQ(bad, nullptr);
  EXPECT_EQ(CM_CreateStringWithNSString(&bad, nullptr, 16), CM_ERR_BAD_ARGUMENT);
  EXPECT_EQ(CM_ReleaseString(&copy), CM_OK);
  EXPECT_EQ(copy, nullptr);
  EXPECT_EQ(CM_ReleaseString(&copy), CM_ERR_BAD_ARGUMENT);
  EXPECT_EQ(CM_ReleaseString(nullptr), CM_ERR_BAD_ARGUMENT);
}

}  // namespace
