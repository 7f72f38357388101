#pragma once

#include <memory>

#include "foundation/Value.h"
#include "imageio/ColorTransform.h"

namespace imageio {

// A Little CMS transform between two profiles, relative colorimetric.
class LcmsTransform : public ColorTransform {
 public:
  // 1 (grey) or 3 (RGB) components on each side, 8 or 16-bit host-order samples; null when
  // either profile cannot be opened or the two cannot be joined.
  static std::unique_ptr<ColorTransform> make(const fnd::Data& from, int fromComponents, const fnd::Data& to,
                                              int toComponents, bool sixteenBit);
  ~LcmsTransform() override;
  LcmsTransform(const LcmsTransform&) = delete;
  LcmsTransform& operator=(const LcmsTransform&) = delete;

  void convert(const void* in, void* out, std::size_t pixels) const override;

 private:
  explicit LcmsTransform(void* transform) : transform_(transform) {}
  void* transform_;
};

}  // namespace imageio
