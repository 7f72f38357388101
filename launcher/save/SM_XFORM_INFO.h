#pragma once

#include "launcher/save/ISM_XFORM_INFO.h"

// The one implementation of ISM_XFORM_INFO. Built only by SM_XFORM_INFO::Create.
class SM_XFORM_INFO final : public ISM_XFORM_INFO {
 public:
  // Empty texts (capacity 64), every number 0.
  static CMResult Create(std::unique_ptr<ISM_XFORM_INFO>* made);

  std::uint32_t GetFormatPair() const override { return m_FormatPair; }
  std::uint32_t GetOutFormat() const override { return m_FormatPair & 0xFFFFu; }
  std::uint32_t GetInFormat() const override { return m_FormatPair >> 16; }
  std::int32_t GetSetting1() const override { return m_Setting1; }
  std::uint32_t GetSwitch1() const override { return m_Switch1; }
  std::uint32_t GetSwitch2() const override { return m_Switch2; }
  std::uint32_t GetSetting2() const override { return m_Setting2; }
  std::int32_t GetCompression() const override { return m_Compression; }
  std::int32_t GetMode() const override { return m_Mode; }
  std::int32_t GetSetting3() const override { return m_Setting3; }
  std::uint32_t GetSetting4() const override { return m_Setting4; }
  std::uint32_t GetSetting5() const override { return m_Setting5; }
  std::uint32_t GetSetting6() const override { return m_Setting6; }
  std::uint32_t GetSetting7() const override { return m_Setting7; }
  std::uint32_t GetSetting8() const override { return m_Setting8; }
  ICMSTR_CLASS* GetDeviceNameString() const override { return m_pDeviceName.get(); }
  const std::string* GetDeviceName() const override;
  const std::string* GetAppName() const override;
  const std::string* GetText3() const override;
  const std::string* GetText4() const override;

  CMResult SetFormatPair(std::uint32_t pair) override;
  CMResult SetFormat(std::uint32_t in, std::uint32_t out) override;
  CMResult SetSetting1(std::int32_t value) override;
  CMResult SetSwitch1(std::uint32_t value) override;
  CMResult SetSwitch2(std::uint32_t value) override;
  CMResult SetSetting2(std::uint32_t value) override;
  CMResult SetCompression(std::int32_t value) override;
  CMResult SetMode(std::int32_t value) override;
  CMResult SetSetting3(std::int32_t value) override;
  CMResult SetSetting4(std::uint32_t value) override;
  CMResult SetSetting5(std::uint32_t value) override;
  CMResult SetSetting6(std::uint32_t value) override;
  CMResult SetSetting7(std::uint32_t value) override;
  CMResult SetSetting8(std::uint32_t value) override;
  CMResult SetDeviceName(const std::string* name) override;
  CMResult SetAppName(const std::string* name) override;
  CMResult SetText3(const std::string* text) override;
  CMResult SetText4(const std::string* text) override;

 private:
  SM_XFORM_INFO() = default;

  std::unique_ptr<ICMSTR_CLASS> m_pDeviceName;
  std::unique_ptr<ICMSTR_CLASS> m_pAppName;
  std::unique_ptr<ICMSTR_CLASS> m_pText3;
  std::unique_ptr<ICMSTR_CLASS> m_pText4;
  std::uint32_t m_FormatPair = 0;
  std::int16_t m_Setting1 = 0;
  std::uint16_t m_Switch1 = 0;
  std::uint16_t m_Switch2 = 0;
  std::uint32_t m_Setting2 = 0;
  std::int16_t m_Compression = 0;
  std::int16_t m_Mode = 0;
  std::int16_t m_Setting3 = 0;
  std::uint16_t m_Setting4 = 0;
  std::uint32_t m_Setting5 = 0;
  std::uint32_t m_Setting6 = 0;
  std::uint32_t m_Setting7 = 0;
  std::uint32_t m_Setting8 = 0;
};
