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
//
// A request that leaves finding the documents to the scanner ("OnePass" 2, 4 or 6, as the
// multi-scan tab sends it) scans, from the platen, one area per document of the platen scene
// at the first crop's resolution (300 dpi without one).
struct ScanRequest {
  Source source = Source::Platen;
  int inputSource = 0;
  int imageSource = 0;
  int noCloseUI = 0;
  std::string temporaryPath;
  // Colour matching asked for ("ColorSetting" 1): the input and output profiles' paths, else empty.
  std::string sourceProfile, targetProfile;
  // The scanner finds the documents itself.
  bool findsDocuments = false;
  // One area to scan: the device's part (in the platen's orientation), and the number of the
  // user tone table its crop names (0: none).
  struct Area : RenderSpec {
    int userGamma = 0;
    // The crop's rotation code and mirror, carried out by the image stage.
    int rotation = 0;
    bool mirror = false;
    // Output magnification in percent: the width and height above are the scaled size.
    double scale = 100.0;
    // Colour balance and saturation, -100 .. 100.
    int cyanRed = 0, magentaGreen = 0, yellowBlue = 0, saturation = 0;
  };
  // One area per crop to scan, in order; the feeder repeats the first for every page.
  std::vector<Area> areas;

  static ScanRequest fromDictionary(const fnd::Dictionary& request, const DeviceModel& model);
};

}  // namespace velmor
