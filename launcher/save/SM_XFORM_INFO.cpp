#include "launcher/save/SM_XFORM_INFO.h"

#include "launcher/save/SMCodes.h"

namespace {
constexpr std::int32_t kNameCapacity = 64;

template <class Field, class Value>
CMResult store(Field& field, Value value) {
  field = static_cast<Field>(value);
  return CM_OK;
}
}  // namespace

CMResult SM_XFORM_INFO::Create(std::unique_ptr<ISM_XFORM_INFO>* made) {
  return CM_Guard([&] {
    std::unique_ptr<SM_XFORM_INFO> record(new SM_XFORM_INFO);
    CM_ThrowIfError(CM_CreateString(&record->m_pDeviceName, kNameCapacity));
    CM_ThrowIfError(CM_CreateString(&record->m_pAppName, kNameCapacity));
    CM_ThrowIfError(CM_CreateString(&record->m_pText3, kNameCapacity));
    CM_ThrowIfError(CM_CreateString(&record->m_pText4, kNameCapacity));
    *made = std::move(record);
    return CM_OK;
  });
}

const std::string* SM_XFORM_INFO::GetDeviceName() const { return CM_TextOf(m_pDeviceName.get()); }
const std::string* SM_XFORM_INFO::GetAppName() const { return CM_TextOf(m_pAppName.get()); }
const std::string* SM_XFORM_INFO::GetText3() const { return CM_TextOf(m_pText3.get()); }
const std::string* SM_XFORM_INFO::GetText4() const { return CM_TextOf(m_pText4.get()); }

CMResult SM_XFORM_INFO::SetFormatPair(std::uint32_t pair) { return store(m_FormatPair, pair); }
CMResult SM_XFORM_INFO::SetFormat(std::uint32_t in, std::uint32_t out) { return store(m_FormatPair, SM_FormatPair(in, out)); }
CMResult SM_XFORM_INFO::SetSetting1(std::int32_t value) { return store(m_Setting1, value); }
CMResult SM_XFORM_INFO::SetSwitch1(std::uint32_t value) { return store(m_Switch1, value); }
CMResult SM_XFORM_INFO::SetSwitch2(std::uint32_t value) { return store(m_Switch2, value); }
CMResult SM_XFORM_INFO::SetSetting2(std::uint32_t value) { return store(m_Setting2, value); }
CMResult SM_XFORM_INFO::SetCompression(std::int32_t value) { return store(m_Compression, value); }
CMResult SM_XFORM_INFO::SetMode(std::int32_t value) { return store(m_Mode, value); }
CMResult SM_XFORM_INFO::SetSetting3(std::int32_t value) { return store(m_Setting3, value); }
CMResult SM_XFORM_INFO::SetSetting4(std::uint32_t value) { return store(m_Setting4, value); }
CMResult SM_XFORM_INFO::SetSetting5(std::uint32_t value) { return store(m_Setting5, value); }
CMResult SM_XFORM_INFO::SetSetting6(std::uint32_t value) { return store(m_Setting6, value); }
CMResult SM_XFORM_INFO::SetSetting7(std::uint32_t value) { return store(m_Setting7, value); }
CMResult SM_XFORM_INFO::SetSetting8(std::uint32_t value) { return store(m_Setting8, value); }
CMResult SM_XFORM_INFO::SetDeviceName(const std::string* name) { return CM_SetTextOf(m_pDeviceName.get(), name); }
CMResult SM_XFORM_INFO::SetAppName(const std::string* name) { return CM_SetTextOf(m_pAppName.get(), name); }
CMResult SM_XFORM_INFO::SetText3(const std::string* text) { return CM_SetTextOf(m_pText3.get(), text); }
CMResult SM_XFORM_INFO::SetText4(const std::string* text) { return CM_SetTextOf(m_pText4.get(), text); }

CMResult SM_CreateXformInfo(std::unique_ptr<ISM_XFORM_INFO>* slot) {
  if (!slot || *slot) return CM_ERR_BAD_ARGUMENT;
  return SM_XFORM_INFO::Create(slot);
}

CMResult SM_CopyXformInfo(std::unique_ptr<ISM_XFORM_INFO>* slot, const ISM_XFORM_INFO* source) {
  if (!slot || *slot || !source) return CM_ERR_BAD_ARGUMENT;
  return CM_Guard([&] {
    std::unique_ptr<ISM_XFORM_INFO> record;
    CM_ThrowIfError(SM_XFORM_INFO::Create(&record));
    ISM_XFORM_INFO& r = *record;
    CM_ThrowIfError(r.SetFormatPair(source->GetFormatPair()));
    CM_ThrowIfError(r.SetSetting1(source->GetSetting1()));
    CM_ThrowIfError(r.SetSwitch1(source->GetSwitch1()));
    CM_ThrowIfError(r.SetSwitch2(source->GetSwitch2()));
    CM_ThrowIfError(r.SetSetting2(source->GetSetting2()));
    CM_ThrowIfError(r.SetCompression(source->GetCompression()));
    CM_ThrowIfError(r.SetMode(source->GetMode()));
    CM_ThrowIfError(r.SetSetting3(source->GetSetting3()));
    CM_ThrowIfError(r.SetSetting4(source->GetSetting4()));
    CM_ThrowIfError(r.SetSetting5(source->GetSetting5()));
    CM_ThrowIfError(r.SetSetting6(source->GetSetting6()));
    CM_ThrowIfError(r.SetSetting7(source->GetSetting7()));
    CM_ThrowIfError(r.SetSetting8(source->GetSetting8()));
    CM_ThrowIfError(r.SetDeviceName(source->GetDeviceName()));
    CM_ThrowIfError(r.SetAppName(source->GetAppName()));
    CM_ThrowIfError(r.SetText3(source->GetText3()));
    CM_ThrowIfError(r.SetText4(source->GetText4()));
    *slot = std::move(record);
    return CM_OK;
  });
}

CMResult SM_ReleaseXformInfo(std::unique_ptr<ISM_XFORM_INFO>* slot) {
  if (!slot || !*slot) return CM_ERR_BAD_ARGUMENT;
  slot->reset();
  return CM_OK;
}
