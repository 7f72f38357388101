#include "ui/model/FavoriteFile.h"

#include "foundation/Paths.h"
#include "ui/model/SettingsListFile.h"

std::string Quirel_FavoriteFile::filePath(const std::string& folder) {
  if (folder.empty()) return {};
  std::string dir = folder;
  if (dir[0] == '~' && (dir.size() == 1 || dir[1] == '/')) dir = fnd::Paths::homeDir() + dir.substr(1);
  while (dir.size() > 1 && dir.back() == '/') dir.pop_back();
  if (dir == "/") return dir + kFileName;
  return dir + "/" + kFileName;
}

int Quirel_FavoriteFile::listOfSource(int imageSource) {
  switch (imageSource) {
    case 0: return kPlaten;
    case 1:
    case 3: return kNega;
    case 2:
    case 4: return kPosi;
    default: return -1;
  }
}

Quirel_FavoriteFile::Contents Quirel_FavoriteFile::read(const std::string& folder) {
  Contents contents;
  const Quirel_SettingsListFile::Contents file = Quirel_SettingsListFile::read(filePath(folder));
  contents.unreadable = file.unreadable;
  for (const fnd::Value& element : file.elements) {
    const int list = element.isDictionary() ? listOfSource(static_cast<int>(element.toDictionary().integer("ImageSource"))) : -1;
    if (list < 0) {
      contents.others.push_back(element);
      continue;
    }
    contents.lists[static_cast<std::size_t>(list)].push_back(std::make_unique<Quirel_FavoriteSetting>(element.toDictionary()));
  }
  return contents;
}

bool Quirel_FavoriteFile::write(const std::string& folder, const std::array<List, 3>& lists, const fnd::Array& others,
                                bool setAsideUnreadable, std::string* error) {
  fnd::Array entries;
  for (const List& list : lists)
    for (const auto& entry : list) entries.emplace_back(entry->getDictionary());
  for (const fnd::Value& other : others) entries.push_back(other);
  return Quirel_SettingsListFile::write(filePath(folder), entries, setAsideUnreadable, error);
}
