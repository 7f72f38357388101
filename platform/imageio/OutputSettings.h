#pragma once

#include "foundation/Value.h"

namespace imageio {

// What every writer takes from the properties handed to a destination: the resolution and the
// orientation, each from the top level, else from "{TIFF}", else 72 dpi and upright.
struct OutputSettings {
  double dpiX = 72;
  double dpiY = 72;
  int orientation = 1;  // 1 to 8

  static OutputSettings from(const fnd::Dictionary& properties);
};

}  // namespace imageio
