#pragma once

#include "launcher/save/ISM_IMAGE_INFO.h"

// The one implementation of ISM_IMAGE_INFO. Built only by SM_IMAGE_INFO::Create.
class SM_IMAGE_INFO final : public ISM_IMAGE_INFO {
 public:
  // A record with a zero property block and empty paths (capacity 1024).
  static CMResult Create(std::unique_ptr<ISM_IMAGE_INFO>* made);

  const SM_ImageProperty_Struct* GetProperty() const override;
  ICMSTR_CLASS* GetInputPathString() const override;
  ICMSTR_CLASS* GetOutputPathString() const override;
  const std::string* GetInputPath() const override;
  const std::string* GetOutputPath() const override;
  CMResult SetProperty(const SM_ImageProperty_Struct* property) override;
  CMResult SetInputPath(const std::string* path) override;
  CMResult SetOutputPath(const std::string* path) override;

 private:
  SM_IMAGE_INFO() = default;

  std::unique_ptr<SM_ImageProperty_Struct> m_pProperty;
  std::unique_ptr<ICMSTR_CLASS> m_pInputPath;
  std::unique_ptr<ICMSTR_CLASS> m_pOutputPath;
};
