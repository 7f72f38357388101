#include "foundation/PropertyList.h"

#include <gtest/gtest.h>

#include <cmath>
#include <csignal>
#include <filesystem>
#include <limits>
#include <sys/resource.h>
#include <sys/stat.h>

#include "TestEnvironment.h"
#include "TestFiles.h"
#include "foundation/FileManager.h"

namespace fnd {
namespace {

namespace fs = std::filesystem;

// What a settings file holds: nested dictionaries, every scalar kind, data, dates.
Dictionary settingsLike() {
  Data bytes(300);
  for (std::size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<std::uint8_t>(i * 7);
  return Dictionary{
      {"Window", Dictionary{{"Frame", "{{10, 20}, {640, 480}}"}, {"Visible", true}, {"Mode", 2}}},
      {"Preference",
       Dictionary{{"Gamma", 2.2},
                  {"Third", 1.0 / 3.0},
                  {"Tiny", 5e-324},
                  {"Huge", 1.7976931348623157e308},
                  {"WholeReal", 300.0},
                  {"NegativeZero", -0.0},
                  {"Count", 0},
                  {"Min", std::numeric_limits<long long>::min()},
                  {"Max", std::numeric_limits<long long>::max()},
                  {"Enabled", false},
                  {"Sound", true},
                  {"Profile", bytes},
                  {"NoBytes", Data{}},
                  {"Saved", Date{1709214330}},
                  {"Epoch", Date{-1}}}},
      {"Texts", Array{Value("plain"), Value(""), Value("a & b < c > d \"e\" 'f'"), Value("]]> <!-- -->"),
                      Value("line\r\nbreak\rcarriage\ttab\n"), Value("  padded  "), Value("Grüße 日本 🎞")}},
      {"Mixed", Array{Value(1), Value(1.0), Value(true), Value("1"), Value(Array{}), Value(Dictionary{})}},
      {"Empty", Dictionary{}},
      {"Key with <&> and\ttab", "value"},
  };
}

TEST(PropertyList, SettingsShapedListRoundTripsWithEveryKindKept) {
  const Value original(settingsLike());
  fs::path file = testenv::freshFolder("plist") / "Preference.xml";
  std::string error;
  ASSERT_TRUE(PropertyList::writeFile(original, file.string(), &error)) << error;

  PropertyList::Result back = PropertyList::readFile(file.string());
  ASSERT_TRUE(back.ok()) << back.error;
  EXPECT_EQ(*back.value, original);  // deep, kind-sensitive equality

  const Dictionary& pref = back.value->toDictionary().dictionary("Preference");
  EXPECT_TRUE(pref.get("WholeReal").isReal());
  EXPECT_TRUE(pref.get("Count").isInteger());
  EXPECT_TRUE(pref.get("Enabled").isBool());
  EXPECT_TRUE(std::signbit(pref.real("NegativeZero")));
  const Array& mixed = back.value->toDictionary().array("Mixed");
  ASSERT_EQ(mixed.size(), 6u);
  EXPECT_EQ(mixed[0].kind(), Value::Kind::Integer);
  EXPECT_EQ(mixed[1].kind(), Value::Kind::Real);
  EXPECT_EQ(mixed[2].kind(), Value::Kind::Bool);
  EXPECT_EQ(mixed[3].kind(), Value::Kind::String);

  // An array at the root works too.
  std::optional<std::string> text = PropertyList::write(Value(Array{Value(1.5), Value("x")}));
  ASSERT_TRUE(text);
  EXPECT_EQ(*PropertyList::read(*text).value, Value(Array{Value(1.5), Value("x")}));
}

TEST(PropertyList, NonFiniteRealsRoundTrip) {
  const double inf = std::numeric_limits<double>::infinity();
  std::optional<std::string> text =
      PropertyList::write(Value(Array{Value(std::nan("")), Value(inf), Value(-inf)}));
  ASSERT_TRUE(text);
  PropertyList::Result back = PropertyList::read(*text);
  ASSERT_TRUE(back.ok()) << back.error;
  const Array& a = back.value->toArray();
  ASSERT_EQ(a.size(), 3u);
  EXPECT_TRUE(a[0].isReal() && std::isnan(a[0].toReal()));
  EXPECT_EQ(a[1].toReal(), inf);
  EXPECT_EQ(a[2].toReal(), -inf);
}

TEST(PropertyList, WritesThePlatformLayoutWithTabs) {
  Dictionary d{{"A", 1}, {"B", Array{Value(true), Value(0.5)}}, {"C", Dictionary{}}, {"D", Data{0, 1, 2}}};
  std::optional<std::string> text = PropertyList::write(Value(d));
  ASSERT_TRUE(text);
  const std::string expected =
      "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
      "<!DOCTYPE plist>\n"
      "<plist version=\"1.0\">\n"
      "<dict>\n"
      "\t<key>A</key>\n"
      "\t<integer>1</integer>\n"
      "\t<key>B</key>\n"
      "\t<array>\n"
      "\t\t<true/>\n"
      "\t\t<real>0.5</real>\n"
      "\t</array>\n"
      "\t<key>C</key>\n"
      "\t<dict/>\n"
      "\t<key>D</key>\n"
      "\t<data>\n"
      "\tAAEC\n"
      "\t</data>\n"
      "</dict>\n"
      "</plist>\n";
  EXPECT_EQ(*text, expected);
}

TEST(PropertyList, ReadsHandWrittenFileWithEveryElementKind) {
  PropertyList::Result r =
      PropertyList::readFile((testenv::sourceDir() / "platform/foundation/fixtures/AllKinds.plist").string());
  ASSERT_TRUE(r.ok()) << r.error;
  const Dictionary& d = r.value->toDictionary();
  EXPECT_EQ(d.string("Name"), "Flatbed & Film <A4> \"quoted\" \xC3\xA9t\xC3\xA9 \xC3\xBCn\xC3\xAF" "code");
  EXPECT_TRUE(d.get("Empty").isString() && d.string("Empty").empty());
  EXPECT_TRUE(d.get("SelfClosed").isString() && d.string("SelfClosed").empty());
  EXPECT_EQ(d.get("Count"), Value(42));
  EXPECT_EQ(d.get("Negative"), Value(-7));
  EXPECT_EQ(d.get("Big"), Value(std::numeric_limits<long long>::max()));
  EXPECT_EQ(d.get("Hex"), Value(31));
  EXPECT_EQ(d.get("Gamma"), Value(2.2));
  EXPECT_EQ(d.get("WholeReal"), Value(300.0));
  EXPECT_EQ(d.get("Exponent"), Value(-1.5e-3));
  EXPECT_EQ(d.get("On"), Value(true));
  EXPECT_EQ(d.get("Off"), Value(false));
  Data expected(66);
  for (std::size_t i = 0; i < expected.size(); ++i) expected[i] = static_cast<std::uint8_t>(i);
  EXPECT_EQ(d.get("Bytes"), Value(expected));
  EXPECT_EQ(d.get("NoBytes"), Value(Data{}));
  EXPECT_EQ(d.get("Saved"), Value(Date{1709214330}));
  EXPECT_EQ(d.get("List"), Value(Array{Value(1), Value(1.0), Value(true), Value("1"), Value(Array{}),
                                       Value(Dictionary{})}));
  EXPECT_EQ(d.dictionary("Nested").dictionary("Inner").get("Depth"), Value(3));
  EXPECT_EQ(d.size(), 17u);
}

TEST(PropertyList, EveryTruncationOfAFileIsAnError) {
  std::optional<std::string> text = PropertyList::write(Value(settingsLike()));
  ASSERT_TRUE(text);
  const std::size_t complete = text->rfind("</plist>") + std::string("</plist>").size();
  for (std::size_t length = 0; length < complete; ++length) {
    PropertyList::Result r = PropertyList::read(std::string_view(*text).substr(0, length));
    ASSERT_FALSE(r.ok()) << "a prefix of " << length << " bytes was accepted";
    ASSERT_FALSE(r.error.empty());
  }
  EXPECT_TRUE(PropertyList::read(std::string_view(*text).substr(0, complete)).ok());
}

TEST(PropertyList, MalformedDocumentsAreErrors) {
  const std::string head = "<?xml version=\"1.0\"?><plist version=\"1.0\">";
  const std::string tail = "</plist>";
  std::string deep;
  for (int i = 0; i < 5000; ++i) deep += "<array>";
  for (int i = 0; i < 5000; ++i) deep += "</array>";
  const struct {
    const char* what;
    std::string body;
  } cases[] = {
      {"garbage", "\x89PNG\r\n\x1a\n\x00\x01 not xml at all"},
      {"unknown element", head + "<dict><key>a</key><float>1</float></dict>" + tail},
      {"key without value", head + "<dict><key>a</key></dict>" + tail},
      {"value without key", head + "<dict><integer>1</integer></dict>" + tail},
      {"two keys", head + "<dict><key>a</key><key>b</key><integer>1</integer></dict>" + tail},
      {"bad integer", head + "<array><integer>12abc</integer></array>" + tail},
      {"empty integer", head + "<array><integer></integer></array>" + tail},
      {"integer overflow", head + "<array><integer>18446744073709551616</integer></array>" + tail},
      {"bad real", head + "<array><real>1.5.5</real></array>" + tail},
      {"bad base64", head + "<array><data>AA*A</data></array>" + tail},
      {"base64 cut short", head + "<array><data>AAE</data></array>" + tail},
      {"bad date", head + "<array><date>2024-02-30T00:00:00Z</date></array>" + tail},
      {"date without zone", head + "<array><date>2024-02-01T00:00:00</date></array>" + tail},
      {"text in true", head + "<array><true>yes</true></array>" + tail},
      {"element in string", head + "<array><string>a<b/>c</string></array>" + tail},
      {"loose text", head + "<dict>hello<key>a</key><true/></dict>" + tail},
      {"scalar root", head + "<string>x</string>" + tail},
      {"two roots", head + "<dict/><dict/>" + tail},
      {"empty plist", head + tail},
      {"mismatched tags", head + "<dict></array>" + tail},
      {"content after root", head + "<dict/>" + tail + "<dict/>"},
      {"nesting too deep", head + deep + tail},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    PropertyList::Result r = PropertyList::read(c.body);
    EXPECT_FALSE(r.ok());
    EXPECT_FALSE(r.error.empty());
  }
}

TEST(PropertyList, MissingGarbageAndTruncatedFilesLeaveTheCallersDefaults) {
  fs::path folder = testenv::freshFolder("plist-bad");
  std::optional<std::string> good = PropertyList::write(Value(Dictionary{{"Resolution", 600}}));
  ASSERT_TRUE(good);
  testenv::writeFile(folder / "garbage.plist", "this is not a property list");
  testenv::writeFile(folder / "truncated.plist", good->substr(0, good->size() / 2));
  testenv::writeFile(folder / "empty.plist", "");

  for (const char* name : {"missing.plist", "garbage.plist", "truncated.plist", "empty.plist"}) {
    SCOPED_TRACE(name);
    Dictionary settings{{"Resolution", 300}};
    PropertyList::Result r = PropertyList::readFile((folder / name).string());
    if (r.ok()) settings = r.value->toDictionary();
    EXPECT_FALSE(r.ok());
    EXPECT_NE(r.error.find(name), std::string::npos) << r.error;  // the error names the file
    EXPECT_EQ(settings.integer("Resolution"), 300);
  }
  EXPECT_FALSE(PropertyList::readFile(folder.string()).ok());  // a folder is not a file
}

TEST(PropertyList, ValuesThatCannotBeWrittenFailTheWholeWrite) {
  const struct {
    const char* what;
    Value value;
  } cases[] = {
      {"object", Value(Dictionary{{"a", Dictionary{{"carrier", Value::object(std::make_shared<int>(5))}}}})},
      {"pointer", Value(Array{Value(1), Value::pointer(nullptr)})},
      {"rect", Value(Dictionary{{"frame", Rect(1, 2, 3, 4)}})},
      {"null in array", Value(Array{Value(1), Value()})},
      {"control character", Value(Dictionary{{"s", std::string("bell\x07")}})},
      {"control character in key", Value(Dictionary{{std::string("k\x01"), 1}})},
      {"invalid UTF-8", Value(Array{Value(std::string("\xC3\x28"))})},
      {"date too late", Value(Array{Value(Date{1e13})})},
      {"scalar root", Value(5)},
  };
  fs::path file = testenv::freshFolder("plist-unwritable") / "Favorite.xml";
  const std::string old = *PropertyList::write(Value(Dictionary{{"Kept", true}}));
  testenv::writeFile(file, old);
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    std::string error;
    EXPECT_FALSE(PropertyList::write(c.value, &error));
    EXPECT_FALSE(error.empty());
    EXPECT_FALSE(PropertyList::writeFile(c.value, file.string()));
    EXPECT_EQ(testenv::readFile(file), old);
  }
  EXPECT_EQ(std::distance(fs::directory_iterator(file.parent_path()), fs::directory_iterator()), 1);

  // A null dictionary entry is the same as a missing one and is simply left out.
  std::optional<std::string> text = PropertyList::write(Value(Dictionary{{"gone", Value()}, {"here", 1}}));
  ASSERT_TRUE(text);
  EXPECT_EQ(*PropertyList::read(*text).value, Value(Dictionary{{"here", 1}}));
}

TEST(PropertyList, FailedAtomicWriteLeavesTheOldFileWhole) {
  fs::path folder = testenv::freshFolder("plist-atomic");
  fs::path file = folder / "InitSetting.xml";
  const Value oldValue(Dictionary{{"Version", 1}});
  ASSERT_TRUE(PropertyList::writeFile(oldValue, file.string()));
  const std::string old = testenv::readFile(file);

  // A new version far larger than the file-size limit: the write fails part-way through.
  Dictionary big;
  for (int i = 0; i < 2000; ++i) big.set("Key" + std::to_string(i), std::string(100, 'x'));
  rlimit saved{};
  ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &saved), 0);
  auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
  rlimit small = saved;
  small.rlim_cur = 4096;
  ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
  std::string error;
  const bool written = PropertyList::writeFile(Value(big), file.string(), &error);
  ::setrlimit(RLIMIT_FSIZE, &saved);
  std::signal(SIGXFSZ, oldHandler);

  EXPECT_FALSE(written);
  EXPECT_FALSE(error.empty());
  EXPECT_EQ(testenv::readFile(file), old);
  EXPECT_EQ(*PropertyList::readFile(file.string()).value, oldValue);
  // No temporary file is left behind.
  EXPECT_EQ(std::distance(fs::directory_iterator(folder), fs::directory_iterator()), 1);

  // A target that is a folder, and a folder that does not exist, fail cleanly too.
  EXPECT_FALSE(PropertyList::writeFile(oldValue, folder.string()));
  EXPECT_FALSE(PropertyList::writeFile(oldValue, (folder / "no/such/folder/x.plist").string()));
}

TEST(PropertyList, ReplacingAFileKeepsItsRights) {
  fs::path file = testenv::freshFolder("plist-mode") / "Tone.xml";
  ASSERT_TRUE(PropertyList::writeFile(Value(Array{}), file.string()));
  ASSERT_EQ(::chmod(file.c_str(), 0640), 0);
  ASSERT_TRUE(PropertyList::writeFile(Value(Array{Value(1)}), file.string()));
  struct stat st;
  ASSERT_EQ(::stat(file.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 07777, 0640u);
  EXPECT_EQ(*PropertyList::readFile(file.string()).value, Value(Array{Value(1)}));
}

}  // namespace
}  // namespace fnd
