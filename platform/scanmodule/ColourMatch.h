#pragma once

#include <cstdint>
#include <memory>
#include <string>

namespace velmor {

// Colour matching of the scanner's RGB rows from its input profile to the chosen output profile,
// with Little CMS, one row at a time in place (8 or 16 bits a sample). Grey and black and white
// have no colour to match.
class ColourMatch {
 public:
  // Null when a path is empty (no matching asked for) or a profile cannot be read or joined to
  // the other: the rows then stay as the device gave them.
  static std::unique_ptr<ColourMatch> open(const std::string& sourceProfile, const std::string& targetProfile,
                                           int bitsPerSample);
  ~ColourMatch();
  ColourMatch(const ColourMatch&) = delete;
  ColourMatch& operator=(const ColourMatch&) = delete;

  void apply(std::uint8_t* row, int width) const;

 private:
  ColourMatch() = default;
  void* transform_ = nullptr;  // cmsHTRANSFORM
};

}  // namespace velmor
