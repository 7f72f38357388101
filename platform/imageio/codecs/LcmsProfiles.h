#pragma once

#include <string>

#include "foundation/Value.h"

namespace imageio {

// The profiles imageio makes and reads, through Little CMS.
class LcmsProfiles {
 public:
  // Version 2 profile bytes of a D50 grey of this gamma, with this description; empty when
  // they cannot be made.
  static fnd::Data makeGray(double gamma, const char* description);
  static fnd::Data makeSRGB(const char* description);
  // False when the bytes are not a profile Little CMS accepts; else its description (empty
  // when it has none).
  static bool read(const fnd::Data& icc, std::string& description);
};

}  // namespace imageio
