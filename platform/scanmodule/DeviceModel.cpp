#include "scanmodule/DeviceModel.h"

#include <algorithm>
#include <cmath>

#include "capture/DeviceDefinition.h"
#include "capture/ScannerDevice.h"
#include "scanmodule/Scene.h"

namespace velmor {

namespace {

fnd::Dictionary area(double x, double y, double w, double h) {
  return fnd::Dictionary{{"X", x}, {"Y", y}, {"W", w}, {"H", h}};
}

double inches(double value) { return std::min(value, DeviceModel::kMaxAreaInches); }

// A delay that is no number counts as none.
double seconds(double value) { return std::isfinite(value) ? std::clamp(value, 0.0, DeviceModel::kMaxDelaySeconds) : 0.0; }

}  // namespace

DeviceModel DeviceModel::fromDefinition(const capture::DeviceDefinition& definition) {
  DeviceModel m;
  m.name = definition.name;
  m.network = definition.transport == capture::TransportType::TCPIP;
  const fnd::Dictionary& model = definition.model;
  const fnd::Dictionary& b = definition.behaviour;
  if (model.contains("ModelWord")) m.modelWord = model.string("ModelWord");
  if (model.real("PlatenWidth") > 0) m.platenWidth = inches(model.real("PlatenWidth"));
  if (model.real("PlatenHeight") > 0) m.platenHeight = inches(model.real("PlatenHeight"));
  if (model.intValue("OpticalResolution") > 0)
    m.opticalResolution = std::min(model.intValue("OpticalResolution"), kMaxResolution);
  if (model.intValue("MaximumResolution") > 0)
    m.maximumResolution = std::min(model.intValue("MaximumResolution"), kMaxResolution);
  if (model.intValue("ModelYear") > 0) m.modelYear = model.intValue("ModelYear");
  if (model.contains("DeviceFunction")) m.deviceFunction = model.intValue("DeviceFunction");
  m.feederPages = std::clamp(model.intValue("FeederPages"), 0, kMaxFeederPages);
  if (model.real("FeederWidth") > 0) m.feederWidth = inches(model.real("FeederWidth"));
  if (model.real("FeederHeight") > 0) m.feederHeight = inches(model.real("FeederHeight"));
  m.filmFrames = std::clamp(model.intValue("FilmFrames"), 0, Scene::kMaxFilmFrames);

  m.lineDelay = seconds(b.real("LineDelay"));
  const std::string delivery = b.string("PageDelivery");
  m.delivery = delivery == "File" ? Delivery::File : delivery == "Memory" ? Delivery::Memory : Delivery::Line;
  if (b.contains("CancelInterval")) m.cancelInterval = std::max(0, b.intValue("CancelInterval"));
  m.refuseInitialSetting = b.boolean("RefuseInitialSetting");
  m.coverOpen = b.boolean("CoverOpen");
  m.noPaper = b.boolean("NoPaper");
  m.jamAtPage = std::max(0, b.intValue("JamAtPage"));
  m.connectionLostAtLine = std::max(0, b.intValue("ConnectionLostAtLine"));
  if (b.intValue("ConnectionLostAtPage") > 0) m.connectionLostAtPage = b.intValue("ConnectionLostAtPage");
  m.funcStatus = b.intValue("FuncStatus");
  m.manualCalibrationError = b.boolean("ManualCalibrationError");
  m.scannerTestStatus = b.intValue("ScannerTestStatus");
  m.imageInfoDummy = b.boolean("ImageInfoDummy");
  m.updateReadPushButton = b.boolean("UpdateReadPushButton");
  m.modalQuestion = std::max(0, b.intValue("ModalQuestion"));
  m.slowOpen = seconds(b.real("SlowOpen"));
  m.progressDetails = b.boolean("ProgressDetails");
  return m;
}

DeviceModel DeviceModel::resolve(const fnd::Dictionary& dictionary) {
  if (auto device = dictionary.get("ICScannerDevice").toObject<capture::ScannerDevice>()) {
    return fromDefinition(device->definition());
  }
  const auto list = capture::DeviceDefinition::loadFile(capture::DeviceDefinition::defaultFile());
  const std::string wanted = dictionary.string("DeviceName");
  for (const auto& def : list) {
    if (!wanted.empty() && def.name == wanted) return fromDefinition(def);
  }
  if (!list.empty()) return fromDefinition(list.front());
  return DeviceModel{};
}

fnd::Dictionary DeviceModel::capabilities() const {
  const double opt = opticalResolution;
  fnd::Dictionary caps;
  caps.set("OpticalResolution", opticalResolution);
  caps.set("MaximumResolution", maximumResolution);
  fnd::Dictionary flatbed = area(0, 0, platenWidth * opt, platenHeight * opt);
  flatbed.set("PreviewResX", 75);
  caps.set("Flatbed", flatbed);
  if (feederPages > 0 || noPaper) {
    caps.set("ADF", area(0, 0, feederWidth * opt, feederHeight * opt));
    caps.set("SupportMethod", 3);
    caps.set("AvailableADF", 1);
  }
  if (filmFrames > 0) {
    const Scene strip = Scene::filmStrip(filmFrames);
    caps.set("TPU_RGB", area(0, 0, strip.width() * opt, strip.height() * opt));
    caps.set("AvailableFAU", 1);
    fnd::Array frames;
    for (const auto& d : strip.documents()) frames.emplace_back(area(d.x * opt, d.y * opt, d.width * opt, d.height * opt));
    caps.set("Sleeve135", frames);
  }
  return caps;
}

}  // namespace velmor
