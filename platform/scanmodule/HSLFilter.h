#pragma once

#include <cstdint>
#include <memory>

namespace velmor {

// The colour balance and saturation of a crop, carried out by the HSL plug-in the user interface
// loads too (the bundle under the resources' "plugins" folder), one row at a time.
class HSLFilter {
 public:
  struct Settings {
    int cyanRed, magentaGreen, yellowBlue, saturation;  // -100 .. 100 each; 0 changes nothing
  };
  // Null when every setting is 0, or when the plug-in cannot be loaded or refuses.
  static std::unique_ptr<HSLFilter> open(const Settings& settings);
  ~HSLFilter();
  HSLFilter(const HSLFilter&) = delete;
  HSLFilter& operator=(const HSLFilter&) = delete;

  // In place on one row of RGB samples, 8 or 16 bits; false when the plug-in refuses it.
  bool apply(std::uint8_t* row, int width, int bitsPerSample);

 private:
  HSLFilter() = default;
  Settings settings_{};
  void* interface_ = nullptr;  // the plug-in's interface object (a pointer to its table)
  void* handle_ = nullptr;     // the host state's first field, filled by the plug-in
};

}  // namespace velmor
