#include "scanmodule/ToneTables.h"

#include <cstring>
#include <new>

namespace velmor {

namespace {
constexpr std::size_t kEntries16 = 65536;
}

std::shared_ptr<const ToneTables> ToneTables::fromSetting(const UserToneSetting& setting, double masterGamma,
                                                          bool sixteenBit) {
  auto t = std::make_shared<ToneTables>();
  UIM_MakeUserToneTables(&setting, masterGamma, t->table8_[0].data(), t->table8_[1].data(), t->table8_[2].data());
  if (sixteenBit) {
    try {
      for (auto& table : t->table16_) table.resize(kEntries16);
    } catch (const std::bad_alloc&) {
      return nullptr;
    }
    if (UIM_MakeUserToneTables16(&setting, masterGamma, t->table16_[0].data(), t->table16_[1].data(),
                                 t->table16_[2].data()) != 0)
      return nullptr;
  }
  t->settle();
  return t;
}

std::shared_ptr<const ToneTables> ToneTables::fromTables16(const std::vector<fnd::Data>& redGreenBlue) {
  if (redGreenBlue.size() != 3) return nullptr;
  auto t = std::make_shared<ToneTables>();
  for (int c = 0; c < 3; ++c) {
    const fnd::Data& d = redGreenBlue[static_cast<std::size_t>(c)];
    if (d.size() != kEntries16 * 2) return nullptr;
    t->table16_[c].resize(kEntries16);
    std::memcpy(t->table16_[c].data(), d.data(), d.size());
    // An 8-bit sample v stands for the 16-bit v * 257; its result is the entry's high byte.
    for (int v = 0; v < 256; ++v) t->table8_[c][v] = static_cast<std::uint8_t>(t->table16_[c][v * 257] >> 8);
  }
  t->settle();
  return t;
}

std::uint16_t ToneTables::map16(int channel, std::uint16_t v) const {
  if (hasTable16()) return table16_[channel][v];
  return static_cast<std::uint16_t>(table8_[channel][v >> 8] * 257);
}

void ToneTables::settle() {
  identity_ = true;
  for (int c = 0; c < 3 && identity_; ++c) {
    for (int v = 0; v < 256 && identity_; ++v) identity_ = table8_[c][v] == v;
    if (hasTable16())
      for (std::size_t v = 0; v < kEntries16 && identity_; ++v) identity_ = table16_[c][v] == v;
  }
}

}  // namespace velmor
