#include "foundation/Bundle.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <thread>
#include <vector>

#include "TestEnvironment.h"
#include "TestFiles.h"
#include "foundation/Paths.h"
#include "foundation/PropertyList.h"

namespace fnd {
namespace {

namespace fs = std::filesystem;

// A small localisation bundle: tables in the language folders and at the root, pictures.
fs::path makeBundle(const std::string& name) {
  fs::path b = testenv::freshFolder(name) / "Strings.bundle";
  fs::create_directories(b);
  PropertyList::writeFile(Value(Dictionary{{"CFBundleIdentifier", "org.trivolan.test." + name},
                                           {"CFBundleName", "Plain Name"},
                                           {"CFBundleVersion", "1.0"}}),
                          (b / "Info.plist").string());
  testenv::writeFile(b / "en.lproj/UserInterface.strings", "\"IDS_A\" = \"English A\";\n\"IDS_B\" = \"English B\";\n");
  testenv::writeFile(b / "Base.lproj/UserInterface.strings", "\"IDS_B\" = \"Base B\";\n\"IDS_C\" = \"Base C\";\n");
  testenv::writeFile(b / "UserInterface.strings", "\"IDS_D\" = \"Root D\";\n");
  testenv::writeFile(b / "fr.lproj/UserInterface.strings", "\"IDS_A\" = \"A fran\xC3\xA7" "ais\";\n");
  testenv::writeFile(b / "en.lproj/Localizable.strings", "\"Hello\" = \"Hello there\";\n");
  testenv::writeFile(b / "en.lproj/Broken.strings", "\"IDS_X\" = \"never closed;\n");
  testenv::writeFile(b / "Base.lproj/Broken.strings", "\"IDS_X\" = \"from Base\";\n");
  testenv::writeFile(b / "en.lproj/InfoPlist.strings", "CFBundleName = \"Localised Name\";\n");
  testenv::writeFile(b / "logo.png", "png");
  testenv::writeFile(b / "icon.png", "png");
  testenv::writeFile(b / "icon.tif", "tif");
  testenv::writeFile(b / "mark.tiff", "tiff");
  testenv::writeFile(b / "mark.bmp", "bmp");
  testenv::writeFile(b / "en.lproj/Help.html", "help");
  testenv::writeFile(b / "Pictures/frame.png", "png");
  fs::create_directories(b / "quirel_r14");
  return b;
}

TEST(Bundle, LocalisedStringsFollowTheLanguageChain) {
  fs::path path = makeBundle("strings");
  Bundle en(path.string());
  const struct {
    const char* key;
    const char* value;
    const char* table;
    const char* expected;
  } cases[] = {
      {"IDS_A", "", "UserInterface", "English A"},
      {"IDS_B", "", "UserInterface", "English B"},  // the language beats Base
      {"IDS_C", "", "UserInterface", "Base C"},
      {"IDS_D", "", "UserInterface", "Root D"},
      {"IDS_MISSING", "none", "UserInterface", "none"},  // the given value
      {"IDS_MISSING", "", "UserInterface", "IDS_MISSING"},  // else the key
      {"IDS_A", "none", "NoSuchTable", "none"},
      {"Hello", "", "", "Hello there"},  // the default table
      {"IDS_X", "", "Broken", "from Base"},  // an unparsable table counts as missing
      {"", "fallback", "UserInterface", "fallback"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.key) + " in " + c.table);
    EXPECT_EQ(en.localizedString(c.key, c.value, c.table), c.expected);
  }
  Bundle fr(path.string(), "fr");
  EXPECT_EQ(fr.localizedString("IDS_A", "", "UserInterface"), "A fran\xC3\xA7" "ais");
  EXPECT_EQ(fr.localizedString("IDS_B", "", "UserInterface"), "English B");  // English next
}

TEST(Bundle, IdentifierInfoAndRegistry) {
  fs::path path = makeBundle("registry");
  Bundle* b = Bundle::atPath(path.string());
  ASSERT_NE(b, nullptr);
  EXPECT_EQ(Bundle::atPath(path.string() + "/"), b);  // one bundle per folder
  EXPECT_EQ(b->identifier(), "org.trivolan.test.registry");
  EXPECT_EQ(Bundle::withIdentifier("org.trivolan.test.registry"), b);
  EXPECT_EQ(Bundle::withIdentifier("org.trivolan.test.unknown"), nullptr);
  EXPECT_EQ(Bundle::withIdentifier(""), nullptr);
  EXPECT_EQ(Bundle::atPath((path / "missing").string()), nullptr);
  EXPECT_EQ(b->infoDictionary().string("CFBundleName"), "Plain Name");
  EXPECT_EQ(b->objectForInfoDictionaryKey("CFBundleName"), Value("Localised Name"));
  EXPECT_EQ(b->objectForInfoDictionaryKey("CFBundleVersion"), Value("1.0"));
  EXPECT_TRUE(b->objectForInfoDictionaryKey("Missing").isNull());

  // A folder without Info.plist is a bundle without identifier.
  Bundle plain(testenv::freshFolder("plain").string());
  EXPECT_EQ(plain.identifier(), "");
  EXPECT_EQ(plain.localizedString("k", "v", "T"), "v");
  EXPECT_EQ(Bundle::main().path(), Paths::resourceDir());
}

TEST(Bundle, PathForResourceFindsAFileWhateverItsExtension) {
  fs::path path = makeBundle("resources");
  Bundle b(path.string());
  const struct {
    const char* name;
    const char* extension;
    const char* subfolder;
    std::string expected;
  } cases[] = {
      {"logo.png", "", "", "logo.png"},
      {"logo", "png", "", "logo.png"},
      {"logo", ".png", "", "logo.png"},
      {"logo.tif", "", "", "logo.png"},    // another extension finds the picture
      {"logo", "tiff", "", "logo.png"},
      {"logo", "", "", "logo.png"},
      {"icon", "tif", "", "icon.tif"},     // an exact name wins
      {"icon.jpg", "", "", "icon.png"},    // else the alphabetically first
      {"mark", "png", "", "mark.bmp"},
      {"Help", "html", "", "en.lproj/Help.html"},
      {"Help.htm", "", "", "en.lproj/Help.html"},
      {"frame", "tif", "Pictures", "Pictures/frame.png"},
      {"Pictures/frame.tif", "", "", "Pictures/frame.png"},
      {"quirel_r14", "", "", "quirel_r14"},  // folders are resources too
      {"nothing", "png", "", ""},
      {"frame", "png", "", ""},              // not outside the asked subfolder
      {"", "png", "", ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.name) + "." + c.extension);
    std::string expected = c.expected.empty() ? "" : (path / c.expected).string();
    EXPECT_EQ(b.pathForResource(c.name, c.extension, c.subfolder), expected);
  }
}

TEST(Bundle, ConcurrentLookUps) {
  fs::path path = makeBundle("threads");
  Bundle b(path.string());
  std::vector<std::thread> threads;
  for (int t = 0; t < 4; ++t) {
    threads.emplace_back([&b] {
      for (int i = 0; i < 100; ++i) {
        EXPECT_EQ(b.localizedString("IDS_C", "", "UserInterface"), "Base C");
        EXPECT_EQ(b.localizedString("Hello"), "Hello there");
      }
    });
  }
  for (std::thread& th : threads) th.join();
}

}  // namespace
}  // namespace fnd
