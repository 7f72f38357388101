#pragma once

// The image record: geometry plus input and output paths. Made, copied and released only
// through the SM_ functions below; nothing here throws.

#include <memory>
#include <string>

#include "launcher/save/CMError.h"
#include "launcher/save/ICMSTR_CLASS.h"
#include "launcher/save/SM_ImageProperty_Struct.h"

class ISM_IMAGE_INFO {
 public:
  virtual ~ISM_IMAGE_INFO() = default;

  virtual const SM_ImageProperty_Struct* GetProperty() const = 0;
  virtual ICMSTR_CLASS* GetInputPathString() const = 0;
  virtual ICMSTR_CLASS* GetOutputPathString() const = 0;
  // The paths' texts; null when the string object is missing.
  virtual const std::string* GetInputPath() const = 0;
  virtual const std::string* GetOutputPath() const = 0;
  // Copies the 32-byte block; 0xDCA01 for null.
  virtual CMResult SetProperty(const SM_ImageProperty_Struct* property) = 0;
  // 0xDCA01 for null text, 0xD9802 when the string object is missing.
  virtual CMResult SetInputPath(const std::string* path) = 0;
  virtual CMResult SetOutputPath(const std::string* path) = 0;
};

// Creating or copying into a slot that is already set is refused with 0xDCA01 and leaves the
// slot and its record alone. 0xD9801 when memory runs out.
CMResult SM_CreateImageInfo(std::unique_ptr<ISM_IMAGE_INFO>* slot);
CMResult SM_CreateImageInfoWithProperty(std::unique_ptr<ISM_IMAGE_INFO>* slot, const SM_ImageProperty_Struct* property,
                                        const std::string* inputPath, const std::string* outputPath);
CMResult SM_CopyImageInfo(std::unique_ptr<ISM_IMAGE_INFO>* slot, const ISM_IMAGE_INFO* source);
CMResult SM_ReleaseImageInfo(std::unique_ptr<ISM_IMAGE_INFO>* slot);
