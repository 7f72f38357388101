#pragma once

#include <string>

class Velmor_BITMAP;

// Names and writes the scan module's temporary files.
class Velmor_FileCreate {
 public:
  virtual ~Velmor_FileCreate() = default;

  virtual void SetTemporaryPath(const std::string& folder) = 0;
  // A new, unused file name in the temporary folder (empty without a folder).
  virtual std::string GetTemporaryFileName() = 0;
  // Writes the bitmap as a TIFF file in the temporary folder; its path, or empty on failure.
  virtual std::string SaveBitmapTemporary(Velmor_BITMAP& bitmap) = 0;
};
