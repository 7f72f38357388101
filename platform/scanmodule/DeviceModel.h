#pragma once

#include <string>

#include "foundation/Value.h"

namespace capture {
struct DeviceDefinition;
}

namespace velmor {

// The simulated scanner's model parameters and behaviour, read from a device definition
// ("Model" and "Behaviour" dictionaries; missing keys take the defaults below).
struct DeviceModel {
  enum class Delivery { Line, File, Memory };

  // "Model"
  std::string name = "Vantrel TS-800 Virtual";
  std::string modelWord = "TS800";  // "ModelWord"
  bool network = false;             // the device's transport is TCP/IP
  double platenWidth = 8.5;         // "PlatenWidth", inches
  double platenHeight = 11.7;       // "PlatenHeight", inches
  int opticalResolution = 4800;     // "OpticalResolution", dpi
  int maximumResolution = 4800;     // "MaximumResolution", dpi
  int modelYear = 2014;             // "ModelYear"
  int deviceFunction = 1;           // "DeviceFunction"
  int feederPages = 0;              // "FeederPages": pages loaded in the feeder; 0 = no feeder
  double feederWidth = 8.5;         // "FeederWidth", inches
  double feederHeight = 11.0;       // "FeederHeight", inches
  int filmFrames = 0;               // "FilmFrames": frames in the film holder (at most
                                    // Scene::kMaxFilmFrames); 0 = no film unit

  // "Behaviour"
  double lineDelay = 0;             // "LineDelay": seconds per row; 0 delivers at once
  Delivery delivery = Delivery::Line;  // "PageDelivery": "Line", "File" or "Memory"
  int cancelInterval = 15;          // "CancelInterval": ticks of 1/60 s between cancel checks
  // Injected faults.
  bool refuseInitialSetting = false;  // "RefuseInitialSetting"
  bool coverOpen = false;             // "CoverOpen": every scan fails at its start
  bool noPaper = false;               // "NoPaper": the feeder is empty
  int jamAtPage = 0;                  // "JamAtPage": feeding page N (from 1) jams; 0 never
  int connectionLostAtLine = 0;       // "ConnectionLostAtLine": only N lines of a page arrive; 0 never
  int connectionLostAtPage = 1;       // "ConnectionLostAtPage": the page that loses them (from 1)
  // Answers and extra reports.
  int funcStatus = 0;                 // "FuncStatus": answer of the device-setting requests
  bool manualCalibrationError = false;  // "ManualCalibrationError": calibration reports 1206
  int scannerTestStatus = 0;          // "ScannerTestStatus": the self test fails with it; 0 passes
  bool imageInfoDummy = false;        // "ImageInfoDummy": the first page is reported as a placeholder
  bool updateReadPushButton = false;  // "UpdateReadPushButton": posted when a document starts
  int modalQuestion = 0;              // "ModalQuestion": message number asked when a document starts
  double slowOpen = 0;                // "SlowOpen": seconds the device takes to answer a scan start
  bool progressDetails = false;       // "ProgressDetails": information, time and message posts

  // What a device file may ask for, one limit per kind; larger values are cut to them, so that
  // no count or size read from the file decides alone how much memory or time a scan takes.
  static constexpr int kMaxFeederPages = 1000;
  static constexpr int kMaxResolution = 19200;   // dpi
  static constexpr double kMaxAreaInches = 60;   // a side of the platen or of a feeder page
  static constexpr double kMaxDelaySeconds = 5;  // a row's delay, the scan start's delay

  static DeviceModel fromDefinition(const capture::DeviceDefinition& definition);

  // The device behind a device dictionary: the device object under "ICScannerDevice"; else
  // the definition named "DeviceName" in the device definition file; else its first device;
  // else the defaults.
  static DeviceModel resolve(const fnd::Dictionary& dictionary);

  // Capabilities as the data source and the user interface read them: "OpticalResolution",
  // "MaximumResolution", "Flatbed" and, with the units, "ADF" with "SupportMethod" and
  // "AvailableADF", "TPU_RGB" with "AvailableFAU" and "Sleeve135" (areas "X", "Y", "W", "H"
  // in pixels at the optical resolution).
  fnd::Dictionary capabilities() const;
};

}  // namespace velmor
