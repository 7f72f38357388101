#pragma once

#include <string>

#include "foundation/Value.h"

// What the scan module knows about a device before it is opened: names, folders, functions and
// the start dictionaries of the scan module and of the user interface.
class Velmor_DeviceInfo {
 public:
  virtual ~Velmor_DeviceInfo() = default;

  virtual void setScanProtocol(int protocol) = 0;
  // The device's entry of the launcher's device list (it may carry "ICScannerDevice").
  virtual void setDeviceDictionary(const fnd::Dictionary& device) = 0;

  virtual std::string getDSPrefPath() = 0;  // settings folder, ending in '/'
  virtual std::string getDSNameString() = 0;
  virtual std::string getDevNameForWebMStr() = 0;
  virtual int getDSLangNum() = 0;
  virtual int getDeviceFunction() = 0;
  virtual int getADFFunction() = 0;
  virtual int getNetworkFunction() = 0;
  virtual int getModelYear() = 0;
  virtual int getCancelInterval() = 0;  // ticks of 1/60 s

  // Fill the given dictionary with the scan module's start settings.
  virtual void createScanMStartDic(fnd::Dictionary& settings) = 0;
  // Complete the device information into the user interface's initial settings.
  virtual void createUIMStartDic(fnd::Dictionary& settings, const std::string& app, int uiLess) = 0;
};
