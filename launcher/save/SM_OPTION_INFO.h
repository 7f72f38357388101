#pragma once

#include "launcher/save/ICMSTR_CLASS.h"
#include "launcher/save/ISM_OPTION_INFO.h"

// The one implementation of ISM_OPTION_INFO. Built only by SM_OPTION_INFO::Create.
class SM_OPTION_INFO final : public ISM_OPTION_INFO {
 public:
  // Empty names (capacity 256), rotation and switch 0.
  static CMResult Create(std::unique_ptr<ISM_OPTION_INFO>* made);

  const std::string* GetMakerName() const override;
  const std::string* GetDeviceName() const override;
  const std::string* GetAppName() const override;
  std::int32_t GetRotation() const override;
  std::uint32_t GetOptionSwitch() const override;
  CMResult SetMakerName(const std::string* name) override;
  CMResult SetDeviceName(const std::string* name) override;
  CMResult SetAppName(const std::string* name) override;
  CMResult SetRotation(std::int32_t rotation) override;
  CMResult SetOptionSwitch(std::uint32_t value) override;

 private:
  SM_OPTION_INFO() = default;

  std::unique_ptr<ICMSTR_CLASS> m_pMakerName;
  std::unique_ptr<ICMSTR_CLASS> m_pDeviceName;
  std::unique_ptr<ICMSTR_CLASS> m_pAppName;
  std::int16_t m_Rotation = 0;
  std::uint16_t m_OptionSwitch = 0;
};
