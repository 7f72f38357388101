#include <gtest/gtest.h>

#include <cstdlib>

#include <atomic>
#include <memory>

#include "ReportLog.h"
#include "TestEnvironment.h"
#include "capture/ScannerDevice.h"
#include "scanmodule/ErrorInformation.h"
#include "scanmodule/HandOver.h"
#include "scanmodule/ModuleLoader.h"
#include "scanmodule/PageMemory.h"
#include "scanmodule/ScanReports.h"

namespace {

// Sets an environment variable for one scope.
class ScopedEnv {
 public:
  ScopedEnv(const char* name, const char* value) : name_(name) {
    if (const char* old = std::getenv(name)) old_ = old, had_ = true;
    ::setenv(name, value, 1);
  }
  ~ScopedEnv() {
    if (had_) {
      ::setenv(name_, old_.c_str(), 1);
    } else {
      ::unsetenv(name_);
    }
  }

 private:
  const char* name_;
  std::string old_;
  bool had_ = false;
};

}  // namespace

TEST(ModuleLoader, LoadsTheModuleAndItsObjectsWork) {
  auto loader = velmor::ModuleLoader::load();
  ASSERT_NE(nullptr, loader);
  {
    auto info = loader->module().createDeviceInfo();
    info->setScanProtocol(0);
    info->setDeviceDictionary({});
    EXPECT_FALSE(info->getDSNameString().empty());
    auto controller = loader->module().createController();
    ASSERT_NE(nullptr, controller);
    controller->initScanM();
    EXPECT_EQ(0, controller->smInitSetting({}));
    EXPECT_NE(nullptr, controller->smGetDeviceInformation());
    controller->releaseScanM();
    EXPECT_NE(nullptr, loader->module().createBitmap());
    EXPECT_NE(nullptr, loader->module().createFileCreate());
  }  // every object goes before the library
}

TEST(ModuleLoader, AMissingLibraryGivesNoModule) {
  for (const char* value : {"/nonexistent/libvelmor.so", ""}) {
    ScopedEnv env(velmor::kLibraryEnvironmentVariable, value);
    EXPECT_EQ(nullptr, velmor::ModuleLoader::load()) << value;
  }
}

// What crosses the library boundary: the device object in, the page block and the error
// details out, each recognised by its type on the other side.
TEST(ModuleLoader, DeviceAndPayloadsCrossTheBoundary) {
  auto loader = velmor::ModuleLoader::load();
  ASSERT_NE(nullptr, loader);
  capture::DeviceDefinition def;
  def.name = "Vantrel TS-800 Virtual";
  def.identifier = "X";
  def.model = fnd::Dictionary{{"OpticalResolution", 1200}, {"FeederPages", 4}};
  def.behaviour = fnd::Dictionary{{"PageDelivery", "Memory"}, {"JamAtPage", 2}};
  const fnd::Dictionary device{{"ICScannerDevice", fnd::Value::object(capture::ScannerDevice::create(def))}};

  std::unique_ptr<velmor::PageMemory> page;
  std::atomic<int> error{0};
  std::mutex m;
  {
    auto controller = loader->module().createController();
    ReportLog log(controller.get());
    log.setHook([&](const fnd::Notification& n) {
      if (n.name == velmor::report::kPageStartObject) {
        auto slot = n.info()->get("object").toObject<velmor::HandOver<velmor::PageMemory>>();
        ASSERT_TRUE(slot);
        std::lock_guard lock(m);
        page = slot->take();
      } else if (n.name == velmor::report::kErrorInformation) {
        error = n.info()->get("object").toObject<velmor::ErrorInformation>()->error;
      }
    });
    ASSERT_EQ(0, controller->smInitSetting(device));
    const auto caps = controller->smGetDeviceInformation();
    ASSERT_NE(nullptr, caps);
    EXPECT_EQ(caps->intValue("OpticalResolution"), 1200);
    EXPECT_TRUE(caps->contains("ADF"));

    controller->smStartScanEvent(fnd::Dictionary{
        {"ScanSetting", fnd::Dictionary{{"ColorMode", 2}, {"TemporaryPath", testenv::freshFolder("cross").string()}}},
        {"InputSource", 1},
        {"CropItem", fnd::Array{fnd::Dictionary{{"Resolution", 100},
                                                {"ScanRect", fnd::Dictionary{{"width", 30.0}, {"height", 20.0}}}}}}});
    ASSERT_TRUE(log.waitFor(velmor::report::kImageInfo));
    controller->smStartScan();
    ASSERT_TRUE(log.waitFor(velmor::report::kPageEnd));
    EXPECT_EQ(controller->smContinousScan2(1), velmor::report::kPendingError);
    ASSERT_TRUE(log.waitFor(velmor::report::kDocumentEnd));
    controller->releaseScanM();
  }
  EXPECT_EQ(error.load(), velmor::errors::kPaperJam);
  std::lock_guard lock(m);
  ASSERT_TRUE(page);
  EXPECT_EQ(page->size(), 30u * 20u * 3u);
}
