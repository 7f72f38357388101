#pragma once

#include "scanmodule/FileCreate.h"

namespace velmor {

// Temporary file names, and bitmaps saved as TIFF files.
class SimFileCreate final : public Velmor_FileCreate {
 public:
  void SetTemporaryPath(const std::string& folder) override { folder_ = folder; }
  std::string GetTemporaryFileName() override;
  std::string SaveBitmapTemporary(Velmor_BITMAP& bitmap) override;

 private:
  std::string folder_;
};

}  // namespace velmor
