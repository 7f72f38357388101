// Property lists from elsewhere: a document either reads whole or gives an error; what reads
// and can be written reads back.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "foundation/PropertyList.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const auto read = fnd::PropertyList::read(std::string_view(reinterpret_cast<const char*>(data), size));
  if (!read.ok()) return 0;
  const auto text = fnd::PropertyList::write(*read.value);
  if (text && !fnd::PropertyList::read(*text).ok()) __builtin_trap();  // we wrote what we cannot read
  return 0;
}
