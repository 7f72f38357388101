#include "kit/FontWarmUp.h"

#include <fontconfig/fontconfig.h>

#include <system_error>

namespace kit {

// The font configuration loads once per process and safely from any thread; the text
// rendering reads the same one when it first needs it.
FontWarmUp::FontWarmUp() {
  try {
    worker_ = std::thread([] { FcInit(); });
  } catch (const std::system_error&) {
    // No thread: the first text reads the configuration itself.
  }
}

FontWarmUp::~FontWarmUp() {
  if (worker_.joinable()) worker_.join();
}

}  // namespace kit
