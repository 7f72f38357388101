#pragma once

// The message tests' fixtures (ui/base) with what the boxes show besides text: the test
// bundle's badge picture.

#include <cstdint>
#include <vector>

#include "../base/MessageTestSupport.h"
#include "kit/Image.h"

namespace message_test {

// The test bundle, loaded, with a red square standing in for the driver's icon.
inline const std::string& testBundleWithBadge() {
  static const std::string id = [] {
    std::vector<std::uint8_t> red(32 * 32 * 3, 0);
    for (std::size_t i = 0; i < red.size(); i += 3) red[i] = 220;
    kit::Image::fromRGB(red.data(), 32, 32).writePng((testBundleFolder() / "badge.png").string());
    return testBundle();
  }();
  return id;
}

}  // namespace message_test
