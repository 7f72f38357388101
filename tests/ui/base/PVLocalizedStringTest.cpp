// Text look-ups: direct hits, the "none" remap through LocalizeInfo, the defaults of the two
// forms, the bundles chosen by language number, and our shipped tables.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "TestEnvironment.h"
#include "foundation/Bundle.h"
#include "foundation/NotificationCenter.h"
#include "foundation/Paths.h"
#include "foundation/PropertyList.h"
#include "foundation/StringsTable.h"
#include "ui/base/PVLanguageNum.h"
#include "ui/base/PVLocalizedString.h"

namespace fs = std::filesystem;

namespace {

void spit(const fs::path& p, const std::string& bytes) {
  fs::create_directories(p.parent_path());
  std::ofstream(p, std::ios::binary) << bytes;
}

// A localisation bundle of the test's own. The remap list is the shipped one, which maps
// IDMAC_PREF_BTN_CHOOSE to IDMAC_CHOOSE_BTN.
const std::string& fixtureBundle() {
  static const std::string id = [] {
    fs::path b = testenv::freshFolder("lookup") / "Lookup.bundle";
    fs::create_directories(b);
    fnd::PropertyList::writeFile(fnd::Value(fnd::Dictionary{{"CFBundleIdentifier", "org.trivolan.test.lookup"}}),
                                 (b / "Info.plist").string());
    spit(b / "en.lproj/UserInterface.strings",
         "\"IDS_DIRECT\" = \"Direct text\";\n\"IDMAC_PREF_BTN_CHOOSE\" = \"none\";\n"
         "\"IDMAC_CHOOSE_BTN\" = \"Pick\";\n");
    // The key is missing here rather than "none", and its remap target has text.
    spit(b / "en.lproj/ToolTips.strings", "\"IDMAC_CHOOSE_BTN\" = \"Pick a folder\";\n");
    // The key's own text wins over its remap entry.
    spit(b / "en.lproj/PictavoTrivo.strings",
         "\"IDMAC_PREF_BTN_CHOOSE\" = \"Own text\";\n\"IDMAC_CHOOSE_BTN\" = \"Pick\";\n");
    // Neither the key nor its remap target.
    spit(b / "en.lproj/Message.strings", "\"IDS_OTHER\" = \"Other\";\n");
    EXPECT_NE(fnd::Bundle::atPath(b.string()), nullptr);
    return std::string("org.trivolan.test.lookup");
  }();
  return id;
}

struct LanguageAnswer {
  explicit LanguageAnswer(int num)
      : token(fnd::NotificationCenter::defaultCenter().observe(
            "UILanguageNumPost", nullptr, [num](const fnd::Notification& n) {
              if (auto* c = Quirel_PVLanguageNum::fromNotification(n)) c->setLanguageNum(num);
            })) {}
  fnd::NotificationCenter::Token token;
};

}  // namespace

TEST(PVLocalizedString, TwoArgumentLookUpChain) {
  const Quirel_PVLocalizedString ls(fixtureBundle());
  EXPECT_EQ(ls.bundleStr(), "org.trivolan.test.lookup");
  struct Case {
    const char* key;
    const char* table;
    const char* expected;
  } cases[] = {
      {"IDS_DIRECT", "UserInterface", "Direct text"},        // found directly
      {"IDMAC_PREF_BTN_CHOOSE", "UserInterface", "Pick"},    // text "none": remapped
      {"IDMAC_PREF_BTN_CHOOSE", "ToolTips", "Pick a folder"},  // missing: remapped
      {"IDMAC_PREF_BTN_CHOOSE", "PictavoTrivo", "Own text"},   // own text, remap not consulted
      {"IDMAC_PREF_BTN_CHOOSE", "Message", "none"},          // remap target missing too: no third try
      {"IDS_MISSING", "UserInterface", "none"},              // no text, no remap entry
      {"IDS_DIRECT", "NoSuchTable", "none"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.key) + " in " + c.table);
    EXPECT_EQ(ls.ls_localizedStringForKey(c.key, c.table), c.expected);
  }
}

TEST(PVLocalizedString, ThreeArgumentLookUpAnswersTheKeyOrTheValueOnFailure) {
  const Quirel_PVLocalizedString ls(fixtureBundle());
  struct Case {
    const char* key;
    const char* value;
    const char* table;
    const char* expected;
  } cases[] = {
      {"IDS_DIRECT", "Fallback", "UserInterface", "Direct text"},
      {"IDS_MISSING", "Fallback", "UserInterface", "Fallback"},
      {"IDS_MISSING", "", "UserInterface", "IDS_MISSING"},
      {"IDMAC_PREF_BTN_CHOOSE", "Fallback", "ToolTips", "Pick a folder"},
      {"IDMAC_PREF_BTN_CHOOSE", "", "ToolTips", "Pick a folder"},
      {"IDMAC_PREF_BTN_CHOOSE", "Fallback", "Message", "Fallback"},
      {"IDMAC_PREF_BTN_CHOOSE", "", "Message", "IDMAC_CHOOSE_BTN"},  // the second answer as it is
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.key) + " / '" + c.value + "' in " + c.table);
    EXPECT_EQ(ls.ls_localizedStringForKey(c.key, c.value, c.table), c.expected);
  }
}

TEST(PVLocalizedString, NoBundleAnswersNothing) {
  for (const char* id : {"", "org.trivolan.test.unknown"}) {
    const Quirel_PVLocalizedString ls{std::string_view(id)};
    EXPECT_EQ(ls.bundleStr(), std::nullopt);
    EXPECT_EQ(ls.ls_localizedStringForKey("IDS_DIRECT", "UserInterface"), std::nullopt);
    EXPECT_EQ(ls.ls_localizedStringForKey("IDS_DIRECT", "x", "UserInterface"), std::nullopt);
  }
}

TEST(PVLocalizedString, LanguageNumberChoosesTheLocalisationBundle) {
  {
    const Quirel_PVLocalizedString unanswered;
    EXPECT_EQ(unanswered.languageNum(), 0);
    EXPECT_EQ(unanswered.bundleStr(), std::nullopt);
  }
  struct Case {
    int num;
    std::optional<std::string> bundle;
  } cases[] = {{7, "org.trivolan.PV7LocalizedString"}, {4, "org.trivolan.PV4LocalizedString"}, {5, std::nullopt}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.num);
    LanguageAnswer answer(c.num);
    const Quirel_PVLocalizedString ls;
    EXPECT_EQ(ls.languageNum(), c.num);
    EXPECT_EQ(ls.bundleStr(), c.bundle);
    if (c.bundle) {
      EXPECT_EQ(ls.ls_localizedStringForKey("PVTO_PVTO_TITLE", "PictavoTrivo"), "Trivolan");
      // No remap list in this form: a "none" stays "none".
      EXPECT_EQ(ls.ls_localizedStringForKey("IDMAC_PREF_BTN_CHOOSE", "UserInterface"), "none");
    } else {
      EXPECT_EQ(ls.ls_localizedStringForKey("PVTO_PVTO_TITLE", "PictavoTrivo"), std::nullopt);
    }
  }
}

TEST(PVLocalizedString, ShippedTablesParseAndServeTheProgramsBundle) {
  const std::string resources = fnd::Paths::resourceDir();
  for (const char* folder : {"", "/PV7LocalizedString", "/PV4LocalizedString"}) {
    for (const auto& entry : fs::recursive_directory_iterator(resources + folder)) {
      if (entry.path().extension() != ".strings") continue;
      SCOPED_TRACE(entry.path().string());
      fnd::StringsTable::Result r = fnd::StringsTable::readFile(entry.path().string());
      EXPECT_TRUE(r.ok()) << r.error;
    }
  }
  fnd::PropertyList::Result remap = fnd::PropertyList::readFile(resources + "/LocalizeInfo.plist");
  ASSERT_TRUE(remap.ok()) << remap.error;
  for (const auto& [key, value] : remap.value->toDictionary()) EXPECT_TRUE(value.isString()) << key;

  const std::string id = fnd::Bundle::main().identifier();
  ASSERT_FALSE(id.empty());
  const Quirel_PVLocalizedString ls(id);
  EXPECT_EQ(ls.ls_localizedStringForKey("IDS_PATH_TITLE", "UserInterface"), "Choose a Folder");
  EXPECT_EQ(ls.ls_localizedStringForKey("IDMAC_PREF_BTN_CHOOSE", "UserInterface"), "Choose");
}
