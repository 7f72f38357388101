#include <gtest/gtest.h>

#include "capture/ScannerDevice.h"
#include "foundation/Paths.h"
#include "scanmodule/SimDeviceInfo.h"

TEST(SimDeviceInfo, DescribesTheDeviceOfTheDictionary) {
  struct Case {
    capture::TransportType transport;
    std::string name;
    int network;
    std::string port;
  };
  for (const Case& k : {Case{capture::TransportType::USB, "Vantrel TS-800 Virtual", 0, "USB2.0"},
                        Case{capture::TransportType::TCPIP, "Vantrel TS-800 Virtual Network", 1, "LAN"}}) {
    capture::DeviceDefinition def;
    def.name = "Vantrel TS-800 Virtual";
    def.identifier = "X";
    def.transport = k.transport;
    def.model = fnd::Dictionary{{"ModelWord", "TS800"}, {"ModelYear", 2011}, {"FeederPages", 5}};
    velmor::SimDeviceInfo info;
    info.setScanProtocol(0);
    info.setDeviceDictionary(fnd::Dictionary{{"ICScannerDevice", fnd::Value::object(capture::ScannerDevice::create(def))}});
    EXPECT_EQ(info.getDSNameString(), k.name);
    EXPECT_EQ(info.getNetworkFunction(), k.network);
    EXPECT_EQ(info.getModelYear(), 2011);
    EXPECT_EQ(info.getADFFunction(), 1);
    EXPECT_EQ(info.getDevNameForWebMStr(), "TS800");
    EXPECT_EQ(info.getDSPrefPath(), fnd::Paths::configDir() + "/");

    fnd::Dictionary start;
    info.createScanMStartDic(start);
    EXPECT_TRUE(start.get("ICScannerDevice").toObject<capture::ScannerDevice>());
    fnd::Dictionary ui{{"WebMDeviceName", "given"}};
    info.createUIMStartDic(ui, "1", 0);
    EXPECT_EQ(ui.string("WebMDeviceName"), "given");
    EXPECT_EQ(ui.string("PortType"), k.port);
    EXPECT_EQ(ui.string("Model"), "TS800");
    EXPECT_EQ(ui.string("APPOVERRIDE"), "1");
    EXPECT_TRUE(ui.contains("Flatbed"));
    EXPECT_TRUE(ui.contains("ADF"));
  }
}

TEST(SimDeviceInfo, FallsBackToTheDefaultDeviceFile) {
  velmor::SimDeviceInfo info;
  info.setDeviceDictionary({});
  EXPECT_EQ(info.getDSNameString(), "Vantrel TS-800 Virtual");
  EXPECT_EQ(info.getNetworkFunction(), 0);
}
