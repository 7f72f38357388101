// Device definition files from elsewhere (TRIVOLAN_DEVICE_FILE): every entry read, turned into
// the simulated scanner's model, and its capability message built, which sizes the film strip
// and the scan areas from the file's counts.
#include <cstddef>
#include <cstdint>

#include "FuzzFile.h"
#include "capture/DeviceDefinition.h"
#include "scanmodule/DeviceModel.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string path = fuzzfile::Write("device.plist", data, size);
  for (const capture::DeviceDefinition& definition : capture::DeviceDefinition::loadFile(path)) {
    const velmor::DeviceModel model = velmor::DeviceModel::fromDefinition(definition);
    model.capabilities();
  }
  return 0;
}
