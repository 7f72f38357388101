// Settings files from elsewhere (or damaged): each record reads what a property list parse
// gives it, as the settings files are read, and writes its dictionary again.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "foundation/PropertyList.h"
#include "ui/model/CropInfo.h"
#include "ui/model/FavoriteSetting.h"
#include "ui/model/OutputSize.h"
#include "ui/model/PreferenceInfo.h"
#include "ui/model/ThumbnailInfo.h"
#include "ui/model/UIScannerInfo.h"

namespace {

void readRecords(const fnd::Dictionary& d) {
  Quirel_PreferenceInfo(d).getDictionary();
  Quirel_FavoriteSetting(d).getDictionary();
  Quirel_CropInfo(d).getDictionary();
  Quirel_OutputSize(d).getDictionary();
  Quirel_ThumbnailInfo(d, SSizeDouble{1000, 1400}).getDictionary();
  Quirel_UIScannerInfo info(d);
  (void)info;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const auto read = fnd::PropertyList::read(std::string_view(reinterpret_cast<const char*>(data), size));
  if (!read.ok()) return 0;
  if (read.value->isDictionary()) readRecords(read.value->toDictionary());
  // The favourite settings file is an array of entries.
  for (const fnd::Value& entry : read.value->toArray())
    if (entry.isDictionary()) readRecords(entry.toDictionary());
  return 0;
}
