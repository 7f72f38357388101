#include "scanmodule/Module.h"

#include "scanmodule/SimBitmap.h"
#include "scanmodule/SimController.h"
#include "scanmodule/SimDeviceInfo.h"
#include "scanmodule/SimFileCreate.h"

namespace velmor {
namespace {

class SimModule final : public Velmor_Module {
 public:
  std::unique_ptr<Velmor_DeviceInfo> createDeviceInfo() override { return std::make_unique<SimDeviceInfo>(); }
  std::unique_ptr<Velmor_SMController> createController() override { return std::make_unique<SimController>(); }
  std::unique_ptr<Velmor_BITMAP> createBitmap() override { return std::make_unique<SimBitmap>(); }
  std::unique_ptr<Velmor_FileCreate> createFileCreate() override { return std::make_unique<SimFileCreate>(); }
};

}  // namespace
}  // namespace velmor

extern "C" __attribute__((visibility("default"))) Velmor_Module* Velmor_GetModule() {
  static velmor::SimModule module;
  return &module;
}
