#include <gtest/gtest.h>

#include <cstdlib>

#include "scanmodule/ModuleLoader.h"
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
  ScopedEnv env(velmor::kLibraryEnvironmentVariable, "/nonexistent/libvelmor.so");
  EXPECT_EQ(nullptr, velmor::ModuleLoader::load());
}
