#pragma once

#include <string>
#include <vector>

#include "foundation/Value.h"
#include "scanmodule/DeviceModel.h"
#include "scanmodule/ImageRenderer.h"

namespace velmor {

// Where a page comes from.
enum class Source { Platen, Feeder, Film };

// One scan request of the user interface (the scan-settings dictionary: "ScanSetting" with
// "ColorMode", "Threshold", "NoCloseUI", "TemporaryPath", "ScanRect" in inches; "InputSource",
// "BitDepth", and "CropItem" with each crop's "Resolution", "Threshold" and "ScanRect" in
// pixels at that resolution, origin top left), turned into the areas to render.
struct ScanRequest {
  Source source = Source::Platen;
  int inputSource = 0;
  int imageSource = 0;
  int noCloseUI = 0;
  std::string temporaryPath;
  // One area per crop to scan, in order; the feeder repeats the first for every page.
  std::vector<RenderSpec> areas;

  static ScanRequest fromDictionary(const fnd::Dictionary& request, const DeviceModel& model);
};

}  // namespace velmor
