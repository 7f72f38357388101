#pragma once

#include "scanmodule/DeviceInfo.h"
#include "scanmodule/DeviceModel.h"

namespace velmor {

// Device information of the simulated scanner, read from its device definition.
class SimDeviceInfo final : public Velmor_DeviceInfo {
 public:
  void setScanProtocol(int protocol) override { protocol_ = protocol; }
  void setDeviceDictionary(const fnd::Dictionary& device) override;

  std::string getDSPrefPath() override;
  std::string getDSNameString() override;
  std::string getDevNameForWebMStr() override { return model_.modelWord; }
  int getDSLangNum() override { return 7; }
  int getDeviceFunction() override { return model_.deviceFunction; }
  int getADFFunction() override { return model_.feederPages > 0 || model_.noPaper ? 1 : 0; }
  int getNetworkFunction() override { return model_.network ? 1 : 0; }
  int getModelYear() override { return model_.modelYear; }
  int getCancelInterval() override { return model_.cancelInterval; }

  void createScanMStartDic(fnd::Dictionary& settings) override;
  void createUIMStartDic(fnd::Dictionary& settings, const std::string& app, int uiLess) override;

 private:
  int protocol_ = 0;
  fnd::Dictionary device_;
  DeviceModel model_;
};

}  // namespace velmor
