// The named-list rules the settings dialogs share: blanks, tidying a typed name, the 32-unit
// cut, the default name, new indexes and the column width.

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "foundation/StringFormat.h"
#include "ui/model/NamedListRules.h"

namespace {

// The ideographic space a string table may give as the em-size space.
const std::string kNamedListEm = "\u3000";

}  // namespace

TEST(NamedListRules, BlanksAreWhiteSpaceAndTheGivenEmSpace) {
  EXPECT_TRUE(Quirel_NamedListRules::isBlank(U' ', kNamedListEm));
  EXPECT_TRUE(Quirel_NamedListRules::isBlank(U'\t', kNamedListEm));
  EXPECT_TRUE(Quirel_NamedListRules::isBlank(U'\u00A0', ""));
  EXPECT_TRUE(Quirel_NamedListRules::isBlank(U'\u3000', kNamedListEm));
  // A character the table names as its em space counts even when it is no white space.
  EXPECT_TRUE(Quirel_NamedListRules::isBlank(U'_', "_x"));
  EXPECT_FALSE(Quirel_NamedListRules::isBlank(U'a', kNamedListEm));
  EXPECT_FALSE(Quirel_NamedListRules::hasNonBlank("", kNamedListEm));
  EXPECT_FALSE(Quirel_NamedListRules::hasNonBlank("  \u3000 ", kNamedListEm));
  EXPECT_TRUE(Quirel_NamedListRules::hasNonBlank(" \u3000x", kNamedListEm));
}

TEST(NamedListRules, NormalisingDropsOuterBlanksAndCutsAtThirtyTwoUnits) {
  struct Case {
    std::string typed;
    std::string stored;
  };
  const std::vector<Case> cases = {
      {"  Photo  ", "Photo"},
      {"\u3000Photo\u3000", "Photo"},
      {"\u3000 A B \u3000", "A B"},
      {"x", "x"},
      {" ", " "},        // blanks only: the first stays
      {"   ", " "},
      {"\u3000\u3000", "\u3000"},
      {std::string(40, 'a'), std::string(32, 'a')},
      {"  " + std::string(33, 'b') + "  ", std::string(32, 'b')},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Quirel_NamedListRules::normalizeName(c.typed, kNamedListEm), c.stored) << c.typed;
  }
}

TEST(NamedListRules, TheCutNeverSplitsACharacterOfTwoUnits) {
  const std::string face = "\U0001F600";  // two UTF-16 units
  const std::string name31 = std::string(31, 'a') + face;  // 33 units: the face would be split
  EXPECT_EQ(Quirel_NamedListRules::cutName(name31), std::string(31, 'a'));
  const std::string name30 = std::string(30, 'a') + face + "b";  // 33 units: the face fits
  EXPECT_EQ(Quirel_NamedListRules::cutName(name30), std::string(30, 'a') + face);
  std::string faces;
  for (int i = 0; i < 20; ++i) faces += face;
  const std::string cut = Quirel_NamedListRules::cutName(faces);
  EXPECT_EQ(fnd::utf16Length(cut), 32u);
  EXPECT_TRUE(fnd::isValidUtf8(cut));
  EXPECT_EQ(Quirel_NamedListRules::normalizeName(" " + name31, ""), std::string(31, 'a'));
}

TEST(NamedListRules, TheDefaultNameCountsOnPastTakenNamesWhateverTheirCase) {
  const std::vector<std::string> stored = {"X", "x-2"};
  auto taken = [&](const std::string& name) {
    for (const std::string& s : stored) {
      if (fnd::equalsIgnoringCase(s, name)) return true;
    }
    return false;
  };
  EXPECT_EQ(Quirel_NamedListRules::defaultName("X", taken), "X-3");
  EXPECT_EQ(Quirel_NamedListRules::defaultName("Free", taken), "Free");
  EXPECT_EQ(Quirel_NamedListRules::defaultName("x", taken), "x-3");
}

TEST(NamedListRules, IndexesAreTheTimeOfDayCountedPastUsedOnes) {
  // 13:04:05.067
  const Quirel_NamedListRules::Clock fixed = [] { return ((13LL * 3600 + 4 * 60 + 5) * 1000) + 67; };
  std::set<int> used;
  auto isUsed = [&](int index) { return used.count(index) > 0; };
  const int first = Quirel_NamedListRules::createIndex(fixed, isUsed);
  EXPECT_EQ(first, 130405067);
  used.insert(first);
  EXPECT_EQ(Quirel_NamedListRules::createIndex(fixed, isUsed), 130405068);
  const Quirel_NamedListRules::Clock lastOfDay = [] { return 86399999LL; };
  EXPECT_EQ(Quirel_NamedListRules::createIndex(lastOfDay, isUsed), 235959999);
  const int now = Quirel_NamedListRules::createIndex(Quirel_NamedListRules::systemClock(), isUsed);
  EXPECT_GE(now, 0);
  EXPECT_LE(now, 235959999);
}

TEST(NamedListRules, FullAtTenOrMore) {
  EXPECT_FALSE(Quirel_NamedListRules::isFull(9));
  EXPECT_TRUE(Quirel_NamedListRules::isFull(10));
  EXPECT_TRUE(Quirel_NamedListRules::isFull(12));
}

TEST(NamedListRules, ColumnWidthsByVersion) {
  struct Case {
    std::vector<double> widths;
    bool newer;
    double expected;
  };
  const std::vector<Case> cases = {
      {{}, true, 190},
      {{}, false, 190},
      {{100, 185}, true, 195},
      {{100, 185}, false, 190},
      {{200, 205}, true, 215},
      {{200, 205}, false, 220},  // 200 widens to 220; 205 is not wider than that
      {{200, 230}, false, 250},
  };
  for (const Case& c : cases) {
    EXPECT_DOUBLE_EQ(Quirel_NamedListRules::columnWidth(c.widths, c.newer), c.expected);
  }
}
