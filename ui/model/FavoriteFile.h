#pragma once

#include <array>
#include <memory>
#include <string>
#include <vector>

#include "foundation/Value.h"
#include "ui/model/FavoriteSetting.h"

// "Favorite.xml" as the favourites manager reads and writes it: one property-list array whose
// entries split by image source into three lists (platen; negative film 1 and 3; positive film
// 2 and 4). Entries of any other source and elements that are no dictionaries are kept as read
// and written back after the three lists, so that a Save never drops what the dialog does not show.
class Quirel_FavoriteFile {
 public:
  static constexpr const char* kFileName = "Favorite.xml";
  static constexpr int kPlaten = 0, kNega = 1, kPosi = 2;
  using List = std::vector<std::unique_ptr<Quirel_FavoriteSetting>>;

  struct Contents {
    std::array<List, 3> lists;
    fnd::Array others;
    bool unreadable = false;  // the file is there but is no array; Save sets it aside first
  };

  // The settings folder (ending in the separator or not, "~" for the home folder) and the name.
  static std::string filePath(const std::string& folder);
  // The list of an image source: 0, 1 or 2; -1 for a source outside 0 to 4.
  static int listOfSource(int imageSource);
  static Contents read(const std::string& folder);
  // Platen, negative and positive entries in list order, then the others.
  static bool write(const std::string& folder, const std::array<List, 3>& lists, const fnd::Array& others,
                    bool setAsideUnreadable, std::string* error = nullptr);
};
