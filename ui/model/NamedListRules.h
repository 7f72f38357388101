#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

// The rules the settings dialogs share for their named lists (favourites, output sizes, tone
// settings): what counts as a blank, how a typed name is tidied, when a list is full, the
// default name offered, new indexes and the list column's width. Window-free; texts are UTF-8,
// lengths counted in UTF-16 units as the platform's strings count them.
class Quirel_NamedListRules {
 public:
  static constexpr std::size_t kMaxNameLength = 32;
  static constexpr int kMaxEntries = 10;

  // A blank: a white-space character, or the em-size space the caller's string table gives
  // (its first character; an empty text adds none).
  static bool isBlank(char32_t c, std::string_view emSpace);
  // Whether the name holds a character that is not a blank.
  static bool hasNonBlank(std::string_view name, std::string_view emSpace);
  // Leading blanks dropped (unless the name is blanks only), trailing blanks dropped when the
  // name has two characters or more (blanks only keep their first), then cut to 32 units.
  static std::string normalizeName(std::string_view name, std::string_view emSpace);
  // The first 32 units, never half of a character that needs two.
  static std::string cutName(std::string_view name);
  // A list is full at 10 entries or more (a file may hold more than the dialogs would add).
  static bool isFull(std::size_t count) { return count >= static_cast<std::size_t>(kMaxEntries); }

  // The base name when it is free, else "<base>-2", "<base>-3", ... (the number written for
  // the user's locale), the first that `taken` refuses. Names compare without regard to case
  // inside `taken`, which the caller provides.
  static std::string defaultName(const std::string& base, const std::function<bool(const std::string&)>& taken);

  // Milliseconds since midnight, local time: what a new index is made of.
  using Clock = std::function<long long()>;
  static Clock systemClock();
  // The time of day as the number HHMMSSmmm, counted up by 1 while `used` says it is taken.
  static int createIndex(const Clock& clock, const std::function<bool(int)>& used);

  // The list column: 190 points at least. Newer models (1700 and later) widen to the widest
  // name plus 10; older ones go through the names in order and take a name's width plus 20
  // whenever that name is wider than the width so far.
  static double columnWidth(const std::vector<double>& nameWidths, bool ver1700Later);
};
