#pragma once

// "ScannerInfo" entries of model generations other than our virtual scanner's, for the tests of
// the records that read the per-model parameters. Each is what such a model's parameter file
// would hold: older models leave most keys out and rely on the defaults.

#include "foundation/Value.h"

namespace modelfixtures {

// An early flatbed: contact sensor, no film unit, no feeder, first screen generation, no
// calibration-button keys (the buttons follow the calibration kinds).
inline fnd::Dictionary earlyFlatbed() {
  return fnd::Dictionary{{"CIS", true},
                         {"CCD", false},
                         {"ScannerName", "Early Flatbed"},
                         {"Ver1200Later", true},
                         {"ManualCalibration", false},
                         {"ColorThumbSize", 0.0}};
}

// A film scanner of the middle generation: CCD sensor with a film unit, thumbnails of film
// frames, large scans and version flags up to 1500.
inline fnd::Dictionary filmScanner() {
  return fnd::Dictionary{
      {"CIS", false},
      {"CCD", true},
      {"FAU", true},
      {"OneFrameFAU", true},
      {"ScannerName", "Film Scanner"},
      {"Ver1200Later", true},
      {"Ver1300Later", true},
      {"Ver1400Later", true},
      {"Ver1500Later", true},
      {"ManualCalibration", true},
      {"ReduceDustForFAU", true},
      {"EnableLargeScan", true},
      {"FilmThumbnail", true},
      {"FilmDefaultThumb", true},
      {"ColorThumbSize", 104857600.0},
      {"GrayThumbSize", 34952533.0},
      {"BWThumbSize", 4369066.0},
      {"MaxScanSize",
       fnd::Dictionary{{"24bit", fnd::Dictionary{{"DataSize", 1073741824.0}, {"Width", 21000}, {"Height", 30000}}},
                       {"LargeScanSize", fnd::Dictionary{{"Width", 56000}, {"Height", 76000}}}}},
  };
}

// A newer multifunction device with a two-sided document feeder, version flags up to 1800,
// quiet mode and the feeder options; no film unit.
inline fnd::Dictionary feederMultifunction() {
  return fnd::Dictionary{
      {"CIS", true},
      {"MFP", true},
      {"ADF", true},
      {"TwoSidedADF", true},
      {"RevisedADFOrientation", true},
      {"ADFSetting_HighSpeed", true},
      {"ADFSetting_OrderRejection", true},
      {"ScannerName", "Feeder MFP"},
      {"Ver1200Later", true},
      {"Ver1300Later", true},
      {"Ver1400Later", true},
      {"Ver1500Later", true},
      {"Ver1600Later", true},
      {"Ver1700Later", true},
      {"Ver1800Later", true},
      {"QuietMode", true},
      {"QuietModeSettingType", 2},
      {"PlatenThumbnail", true},
      {"FilmThumbnail", false},
      {"WindowMinSize", fnd::Dictionary{{"Width", 900.0}, {"Height", 700.0}}},
  };
}

}  // namespace modelfixtures
