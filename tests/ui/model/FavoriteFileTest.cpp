// "Favorite.xml" split by image source, with what no list shows kept and written back.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "foundation/Paths.h"
#include "foundation/PropertyList.h"
#include "ui/model/FavoriteFile.h"

namespace {

std::string favoriteFileFolder() {
  const std::filesystem::path dir = std::filesystem::path(fnd::Paths::configDir()) / "favoritefile";
  std::filesystem::remove_all(dir);
  std::filesystem::create_directories(dir);
  return dir.string() + "/";
}

fnd::Value favoriteFileEntry(int index, const std::string& name, int source) {
  Quirel_FavoriteSetting s(index, name);
  s.setImageSource(source);
  return fnd::Value(s.getDictionary());
}

}  // namespace

TEST(FavoriteFile, EntriesSplitBySourceAndTheRestGoesBackAfterTheLists) {
  const std::string folder = favoriteFileFolder();
  EXPECT_EQ(Quirel_FavoriteFile::filePath(folder), folder + "Favorite.xml");
  const fnd::Array stored = {favoriteFileEntry(1, "Posi", 4), fnd::Value("loose"),  favoriteFileEntry(2, "Six", 6),
                             favoriteFileEntry(3, "Neg", 3),  favoriteFileEntry(4, "Plat", 0),
                             favoriteFileEntry(5, "Neg1", 1), favoriteFileEntry(6, "Minus", -1)};
  ASSERT_TRUE(fnd::PropertyList::writeFile(fnd::Value(stored), Quirel_FavoriteFile::filePath(folder)));
  auto contents = Quirel_FavoriteFile::read(folder);
  EXPECT_FALSE(contents.unreadable);
  ASSERT_EQ(contents.lists[0].size(), 1u);
  ASSERT_EQ(contents.lists[1].size(), 2u);
  ASSERT_EQ(contents.lists[2].size(), 1u);
  EXPECT_EQ(contents.lists[1][0]->getName(), "Neg");
  EXPECT_EQ(contents.others.size(), 3u);
  ASSERT_TRUE(Quirel_FavoriteFile::write(folder, contents.lists, contents.others, false));
  const auto back = fnd::PropertyList::readFile(Quirel_FavoriteFile::filePath(folder));
  ASSERT_TRUE(back.ok());
  const fnd::Array& a = back.value->toArray();
  ASSERT_EQ(a.size(), 7u);
  const std::vector<std::string> order = {"Plat", "Neg", "Neg1", "Posi"};
  for (std::size_t i = 0; i < order.size(); ++i) EXPECT_EQ(a[i].toDictionary().string("Name"), order[i]);
  EXPECT_EQ(a[4].toString(), "loose");
  EXPECT_EQ(a[5].toDictionary().integer("ImageSource"), 6);
  EXPECT_EQ(a[6].toDictionary().integer("ImageSource"), -1);
}

TEST(FavoriteFile, AnUnreadableFileGivesEmptyListsAndIsSetAside) {
  const std::string folder = favoriteFileFolder();
  const std::string path = Quirel_FavoriteFile::filePath(folder);
  std::ofstream(path) << "<plist version=\"1.0\"><dict/></plist>";
  auto contents = Quirel_FavoriteFile::read(folder);
  EXPECT_TRUE(contents.unreadable);
  for (const auto& list : contents.lists) EXPECT_TRUE(list.empty());
  contents.lists[0].push_back(std::make_unique<Quirel_FavoriteSetting>(9, std::string("New")));
  ASSERT_TRUE(Quirel_FavoriteFile::write(folder, contents.lists, contents.others, true));
  EXPECT_TRUE(std::filesystem::exists(path + ".unreadable"));
  EXPECT_EQ(Quirel_FavoriteFile::read(folder).lists[0].size(), 1u);
  EXPECT_TRUE(Quirel_FavoriteFile::read(favoriteFileFolder() + "missing/").others.empty());
}
