#include "launcher/save/SM_OPTION_INFO.h"

namespace {
constexpr std::int32_t kNameCapacity = 256;
}  // namespace

CMResult SM_OPTION_INFO::Create(std::unique_ptr<ISM_OPTION_INFO>* made) {
  return CM_Guard([&] {
    std::unique_ptr<SM_OPTION_INFO> record(new SM_OPTION_INFO);
    CM_ThrowIfError(CM_CreateString(&record->m_pMakerName, kNameCapacity));
    CM_ThrowIfError(CM_CreateString(&record->m_pDeviceName, kNameCapacity));
    CM_ThrowIfError(CM_CreateString(&record->m_pAppName, kNameCapacity));
    *made = std::move(record);
    return CM_OK;
  });
}

const std::string* SM_OPTION_INFO::GetMakerName() const { return CM_TextOf(m_pMakerName.get()); }
const std::string* SM_OPTION_INFO::GetDeviceName() const { return CM_TextOf(m_pDeviceName.get()); }
const std::string* SM_OPTION_INFO::GetAppName() const { return CM_TextOf(m_pAppName.get()); }
std::int32_t SM_OPTION_INFO::GetRotation() const { return m_Rotation; }
std::uint32_t SM_OPTION_INFO::GetOptionSwitch() const { return m_OptionSwitch; }
CMResult SM_OPTION_INFO::SetMakerName(const std::string* name) { return CM_SetTextOf(m_pMakerName.get(), name); }
CMResult SM_OPTION_INFO::SetDeviceName(const std::string* name) { return CM_SetTextOf(m_pDeviceName.get(), name); }
CMResult SM_OPTION_INFO::SetAppName(const std::string* name) { return CM_SetTextOf(m_pAppName.get(), name); }

CMResult SM_OPTION_INFO::SetRotation(std::int32_t rotation) {
  m_Rotation = static_cast<std::int16_t>(rotation);
  return CM_OK;
}

CMResult SM_OPTION_INFO::SetOptionSwitch(std::uint32_t value) {
  m_OptionSwitch = static_cast<std::uint16_t>(value);
  return CM_OK;
}

CMResult SM_CreateOptionInfo(std::unique_ptr<ISM_OPTION_INFO>* slot) {
  if (!slot || *slot) return CM_ERR_BAD_ARGUMENT;
  return SM_OPTION_INFO::Create(slot);
}

CMResult SM_CopyOptionInfo(std::unique_ptr<ISM_OPTION_INFO>* slot, const ISM_OPTION_INFO* source) {
  if (!slot || *slot || !source) return CM_ERR_BAD_ARGUMENT;
  return CM_Guard([&] {
    std::unique_ptr<ISM_OPTION_INFO> record;
    CM_ThrowIfError(SM_OPTION_INFO::Create(&record));
    CM_ThrowIfError(record->SetMakerName(source->GetMakerName()));
    CM_ThrowIfError(record->SetDeviceName(source->GetDeviceName()));
    CM_ThrowIfError(record->SetAppName(source->GetAppName()));
    CM_ThrowIfError(record->SetRotation(source->GetRotation()));
    CM_ThrowIfError(record->SetOptionSwitch(source->GetOptionSwitch()));
    *slot = std::move(record);
    return CM_OK;
  });
}

CMResult SM_ReleaseOptionInfo(std::unique_ptr<ISM_OPTION_INFO>* slot) {
  if (!slot || !*slot) return CM_ERR_BAD_ARGUMENT;
  slot->reset();
  return CM_OK;
}
