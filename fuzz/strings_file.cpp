// String tables from elsewhere: a table or an error, never part of one.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "foundation/StringsTable.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  fnd::StringsTable::parse(std::string_view(reinterpret_cast<const char*>(data), size));
  return 0;
}
