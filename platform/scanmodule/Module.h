#pragma once

#include <memory>

#include "scanmodule/BITMAP.h"
#include "scanmodule/DeviceInfo.h"
#include "scanmodule/FileCreate.h"
#include "scanmodule/SMController.h"

// The scan module's one entry point. The library (libvelmor.so) exports the C symbol
// "Velmor_GetModule"; it answers the module's factory, which lives as long as the library is
// loaded. Every object it makes must be destroyed before the library is unloaded.
class Velmor_Module {
 public:
  virtual std::unique_ptr<Velmor_DeviceInfo> createDeviceInfo() = 0;
  virtual std::unique_ptr<Velmor_SMController> createController() = 0;
  virtual std::unique_ptr<Velmor_BITMAP> createBitmap() = 0;
  virtual std::unique_ptr<Velmor_FileCreate> createFileCreate() = 0;

 protected:
  ~Velmor_Module() = default;
};

extern "C" {
using Velmor_GetModuleFunction = Velmor_Module* (*)();
Velmor_Module* Velmor_GetModule();
}

namespace velmor {
inline constexpr const char* kLibraryFileName = "libvelmor.so";
inline constexpr const char* kEntrySymbol = "Velmor_GetModule";
// Environment variable naming the library file to load instead of the usual places.
inline constexpr const char* kLibraryEnvironmentVariable = "TRIVOLAN_VELMOR_LIBRARY";
}  // namespace velmor
