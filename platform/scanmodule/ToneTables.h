#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <vector>

#include "foundation/Value.h"
#include "ui/model/SM_COMMON/ToneDic/ToneDic.h"

namespace velmor {

// The red, green and blue tone tables one user tone setting gives, for 8-bit samples (256
// entries) and, when asked for, 16-bit samples (65536 entries). Grey samples go through the
// green table, the curve the adjustment graph draws for grey. Never changed once made.
class ToneTables {
 public:
  // Built from a tone setting as the adjustment graphs draw it, with `masterGamma` in place of
  // the setting's monitor gamma. Null when memory runs out.
  static std::shared_ptr<const ToneTables> fromSetting(const UserToneSetting& setting, double masterGamma, bool sixteenBit);
  // Built from three ready 16-bit tables (65536 host-order entries, 0x20000 bytes each).
  static std::shared_ptr<const ToneTables> fromTables16(const std::vector<fnd::Data>& redGreenBlue);

  // Channel 0 red, 1 green, 2 blue.
  std::uint8_t map8(int channel, std::uint8_t v) const { return table8_[channel][v]; }
  // 16-bit samples; the 8-bit table stretched when no 16-bit one was made.
  std::uint16_t map16(int channel, std::uint16_t v) const;
  bool hasTable16() const { return !table16_[0].empty(); }

  // Every entry maps to itself (tone changes nothing).
  bool identity() const { return identity_; }

 private:
  std::array<std::array<std::uint8_t, 256>, 3> table8_{};
  std::array<std::vector<std::uint16_t>, 3> table16_;
  bool identity_ = false;
  void settle();
};

}  // namespace velmor
