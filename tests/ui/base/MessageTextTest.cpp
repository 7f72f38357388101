// Text assembly of the numbered messages: catalogue look-ups, the two tables, "%%" parts,
// placeholders filled literally, error numbers, the selector flag and our shipped catalogue.

#include <gtest/gtest.h>

#include <set>

#include "MessageTestSupport.h"
#include "foundation/StringFormat.h"
#include "ui/base/MessageText.h"

using namespace message_test;

namespace {

struct Info {
  std::string text;
  std::int32_t type = -1, kind = -1, flag = -1;
};

Info infoFor(std::int32_t number, const std::optional<std::string>& argTypes = std::nullopt,
             const std::optional<std::string>& bundle = testBundle()) {
  Info i;
  i.text = MES_GetMessageStringAndInfomation(number, argTypes, bundle, &i.type, &i.kind, &i.flag);
  return i;
}

}  // namespace

TEST(MessageText, KeysAreLookedUpInTheirTableWithDoublePercentPartsFromMessage) {
  testBundle();
  struct Case {
    const char* key;
    const char* expected;
  } cases[] = {
      {"PLAIN", "Plain text."},
      // Numeric parts are keys of "Message"; the others are kept as they are.
      {"COMPOSITE", "First part.\rSecond part."},
      // The prefix picks "PictavoTrivo"; its numeric parts still come from "Message".
      {"PVTO_ERROR_7", "Feeder jammed.\rSecond part."},
      // "none" and a missing text both show the key.
      {"NONE_TEXT", "NONE_TEXT"},
      {"MISSING_KEY", "MISSING_KEY"},
  };
  for (const Case& c : cases) EXPECT_EQ(MES_getMessageStringMainThreadMode(c.key, testBundle()), c.expected) << c.key;
}

TEST(MessageText, WithoutADataSourceBundleTheProgramsOwnTablesAnswer) {
  // Nobody answers "UIDSBundleIDPost": the shipped tables still give the text.
  EXPECT_EQ(MES_getMessageStringMainThreadMode("IDS_MSG_1640"),
            "There is not enough free space on this disk. Choose another folder.");
  DataSourceAnswer ds(testBundle());
  EXPECT_EQ(MES_getMessageStringMainThreadMode("PLAIN"), "Plain text.");
}

TEST(MessageText, CatalogueGivesKeyButtonKindTypeAndSelectorFlag) {
  CatalogueOverride over(testCatalogue());
  Info composite = infoFor(2);
  EXPECT_EQ(composite.text, "First part.\rSecond part.");
  EXPECT_EQ(composite.kind, 1);
  EXPECT_EQ(composite.type, 1);
  EXPECT_EQ(composite.flag, 0);
  EXPECT_EQ(infoFor(3).kind, 5);

  // An unknown number shows the empty key's text with OK alone.
  Info unknown = infoFor(4242);
  EXPECT_EQ(unknown.text, "Unknown message.");
  EXPECT_EQ(unknown.kind, 0);
  EXPECT_EQ(unknown.flag, 0);

  // Null out pointers are allowed.
  EXPECT_EQ(MES_GetMessageStringAndInfomation(1, std::nullopt, testBundle(), nullptr, nullptr, nullptr),
            "Plain text.");
}

TEST(MessageText, SelectorFlagCoversNineThousandToNinetyNineOnly) {
  CatalogueOverride over(testCatalogue());
  const std::pair<std::int32_t, std::int32_t> cases[] = {{8999, 0}, {9000, 2}, {9099, 2}, {9100, 0}, {9101, 0}};
  for (auto [number, flag] : cases) {
    EXPECT_EQ(infoFor(number).flag, flag) << number;
    EXPECT_EQ(MES_SelectorFlagForNumber(number), flag) << number;
  }
  // Below 9000 the unsigned test wraps round, and stays out of the range.
  EXPECT_EQ(MES_SelectorFlagForNumber(-1), 0);
  EXPECT_EQ(MES_SelectorFlagForNumber(0), 0);
}

TEST(MessageText, ObjectArgumentsFillPercentSInOrder) {
  CatalogueOverride over(testCatalogue());
  Info two = infoFor(5, "%@%@");
  EXPECT_EQ(two.text, "Copy %@ to %@?");
  EXPECT_EQ(MES_FillPlaceholders(two.text, {fnd::Value("A.jpg"), fnd::Value("Pictures")}), "Copy A.jpg to Pictures?");
  // Other argument types leave the text as the format for their arguments.
  EXPECT_EQ(infoFor(5, "%s%s").text, "Copy %s to %s?");
  Info number = infoFor(7, "%d");
  EXPECT_EQ(number.text, "Enter at most %d.");
  EXPECT_EQ(MES_FillPlaceholders(number.text, {fnd::Value(600)}), "Enter at most 600.");
  // More than three object arguments: the text stays as it is.
  EXPECT_EQ(infoFor(5, "%@%@%@%@").text, "Copy %s to %s?");
}

TEST(MessageText, StrayConversionsInATextAreShownNotExecuted) {
  CatalogueOverride over(testCatalogue());
  Info stray = infoFor(6, "%@");
  EXPECT_EQ(stray.text, "Odd %n and %10s and %x then %@.");
  EXPECT_EQ(MES_FillPlaceholders(stray.text, {fnd::Value("X")}), "Odd %n and %10s and %x then X.");
  // The one object argument takes the first "%s"; nothing else in the text is a conversion.
  EXPECT_EQ(MES_ConvertObjectPlaceholders("a %s b %s", "%@"), "a %@ b %s");
  EXPECT_EQ(MES_ConvertObjectPlaceholders("100%s", std::nullopt), "100%s");
  EXPECT_EQ(MES_FillPlaceholders(MES_ConvertObjectPlaceholders("%n%s%p", "%@"), {fnd::Value("X")}), "%nX%p");
  // Plain placeholders take the arguments in order; a missing argument leaves its placeholder.
  EXPECT_EQ(MES_FillPlaceholders("%d of %i: %@ %s %u%%", {fnd::Value(1), fnd::Value(2), fnd::Value("a")}),
            "1 of 2: a %s %u%");
  EXPECT_EQ(MES_FillPlaceholders("%5d %.1f %-s %1$@ %", {fnd::Value(3)}), "%5d %.1f %-s %1$@ %");
}

TEST(MessageText, ErrorNumbersFollowTwoCarriageReturns) {
  EXPECT_EQ(MES_AppendErrorNumbers("Text", 0, 30, 0), "Text\r\r0.30.0");
  EXPECT_EQ(MES_AppendErrorNumbers("Text", -1, 2, 3), "Text\r\r-1.2.3");
  EXPECT_EQ(MES_AppendErrorNumbers("Text", 0, 0, 0), "Text");
  // A text with conversions in it is never the format.
  EXPECT_EQ(MES_AppendErrorNumbers("50%d %n", 1, 0, 0), "50%d %n\r\r1.0.0");
}

TEST(MessageText, SelectorNameGoesIntoMessage1715) {
  {
    CatalogueOverride over(testCatalogue());
    writeSelectorSettings(over.folder(), fnd::Dictionary{{"AppName", "Net Picker"}, {"AppPath", "/nowhere"}});
    EXPECT_EQ(infoFor(1715).text, "Start Net Picker now.");
  }
  {
    // Settings that cannot be read leave the placeholder.
    CatalogueOverride over(testCatalogue());
    EXPECT_EQ(infoFor(1715).text, "Start %s now.");
  }
  // The shipped catalogue names the shipped selector.
  const std::string shipped = infoFor(1715, std::nullopt, std::string(kProgramBundle)).text;
  EXPECT_NE(shipped.find("Trivolan Network Scanner Selector"), std::string::npos) << shipped;
  EXPECT_EQ(shipped.find("%s"), std::string::npos);
}

TEST(MessageText, IsLocalizeStringKeyTellsKnownUnknownAndMissingCatalogue) {
  {
    CatalogueOverride over(testCatalogue());
    EXPECT_EQ(MES_IsLocalizeStringKey(2), 1);
    EXPECT_EQ(MES_IsLocalizeStringKey(4242), 0);
  }
  {
    CatalogueOverride over(fnd::Dictionary{{"MessageType", 1}});
    EXPECT_EQ(MES_IsLocalizeStringKey(2), -1);
    // Without the key table the text is the empty key's.
    EXPECT_EQ(infoFor(2).text, "Unknown message.");
    EXPECT_EQ(infoFor(2).type, 1);
  }
  {
    CatalogueOverride missing;
    EXPECT_EQ(MES_IsLocalizeStringKey(2), -1);
    Info none = infoFor(2);
    EXPECT_EQ(none.text, "Unknown message.");
    EXPECT_EQ(none.type, 0);
    EXPECT_EQ(none.kind, 0);
  }
}

// Our catalogue and tables ship together: every number has real text (a broken table would
// lose all of them), every placeholder count is plausible, and every button entry names a key.
TEST(MessageText, ShippedCatalogueHasATextForEveryNumber) {
  std::optional<fnd::Dictionary> catalogue = Quirel_MessageCatalogue::read();
  ASSERT_TRUE(catalogue);
  const fnd::Dictionary& keys = catalogue->dictionary("LOCALIZE_STRING_KEY");
  std::set<std::string> keyNames;
  for (const auto& [number, key] : keys) {
    keyNames.insert(key.toString());
    const std::string text = MES_getMessageStringMainThreadMode(key.toString(), std::string(kProgramBundle));
    EXPECT_NE(text, key.toString()) << number;
    EXPECT_EQ(text.find("none"), std::string::npos) << number;
    EXPECT_EQ(text.find("%%"), std::string::npos) << number;
    EXPECT_FALSE(text.empty()) << number;
  }
  for (const char* n : {"200", "1201", "1205", "1211", "1216", "1221", "1222", "1240", "1640", "1650", "1715",
                        "1900", "9050", "9101", "10013"})
    EXPECT_TRUE(keys.contains(n)) << n;
  for (const auto& [key, kind] : catalogue->dictionary("BTN")) EXPECT_TRUE(keyNames.count(key)) << key;
  EXPECT_EQ(infoFor(4242, std::nullopt, std::string(kProgramBundle)).text, "An unexpected problem occurred.");
  // Scanner errors come from "PictavoTrivo" with a shared sentence from "Message".
  EXPECT_EQ(MES_getMessageStringMainThreadMode("PVTO_ERROR_1205", std::string(kProgramBundle)),
            "The scanner stopped responding.\rCheck that the scanner is turned on and connected to this computer, "
            "then try again.");
}
