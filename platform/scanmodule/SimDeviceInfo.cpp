#include "scanmodule/SimDeviceInfo.h"

#include "foundation/Paths.h"

namespace velmor {

void SimDeviceInfo::setDeviceDictionary(const fnd::Dictionary& device) {
  device_ = device;
  model_ = DeviceModel::resolve(device);
}

std::string SimDeviceInfo::getDSPrefPath() { return fnd::Paths::configDir() + "/"; }

std::string SimDeviceInfo::getDSNameString() { return model_.network ? model_.name + " Network" : model_.name; }

void SimDeviceInfo::createScanMStartDic(fnd::Dictionary& settings) {
  settings.set("DeviceName", model_.name);
  settings.set("Model", model_.modelWord);
  settings.set("ModelYear", model_.modelYear);
  settings.set("PreferencePath", getDSPrefPath());
  settings.set("ScanProtocol", protocol_);
  if (const fnd::Value* device = device_.find("ICScannerDevice")) settings.set("ICScannerDevice", *device);
}

void SimDeviceInfo::createUIMStartDic(fnd::Dictionary& settings, const std::string& app, int uiLess) {
  for (auto& [key, value] : model_.capabilities()) {
    if (!settings.contains(key)) settings.set(key, value);
  }
  settings.set("PreferencePath", getDSPrefPath());
  settings.set("InitPath", fnd::Paths::resourceDir() + "/models/");
  settings.set("Model", model_.modelWord);
  if (!settings.contains("WebMDeviceName")) settings.set("WebMDeviceName", model_.modelWord);
  settings.set("Version", "1.0.0");
  settings.set("LLDversion", "1.0");
  settings.set("PortType", model_.network ? "LAN" : "USB2.0");
  settings.set("APPOVERRIDE", app);
  settings.set("UILessMode", uiLess);
}

}  // namespace velmor
