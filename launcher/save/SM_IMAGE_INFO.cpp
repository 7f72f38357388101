#include "launcher/save/SM_IMAGE_INFO.h"

#include "launcher/save/CMCommon.h"

namespace {
constexpr std::int32_t kPathCapacity = 1024;
}  // namespace

CMResult SM_IMAGE_INFO::Create(std::unique_ptr<ISM_IMAGE_INFO>* made) {
  return CM_Guard([&] {
    std::unique_ptr<SM_IMAGE_INFO> record(new SM_IMAGE_INFO);
    record->m_pProperty = std::make_unique<SM_ImageProperty_Struct>(SM_ImageProperty_Struct{});
    CM_ThrowIfError(CM_CreateString(&record->m_pInputPath, kPathCapacity));
    CM_ThrowIfError(CM_CreateString(&record->m_pOutputPath, kPathCapacity));
    *made = std::move(record);
    return CM_OK;
  });
}

const SM_ImageProperty_Struct* SM_IMAGE_INFO::GetProperty() const { return m_pProperty.get(); }
ICMSTR_CLASS* SM_IMAGE_INFO::GetInputPathString() const { return m_pInputPath.get(); }
ICMSTR_CLASS* SM_IMAGE_INFO::GetOutputPathString() const { return m_pOutputPath.get(); }
const std::string* SM_IMAGE_INFO::GetInputPath() const { return CM_TextOf(m_pInputPath.get()); }
const std::string* SM_IMAGE_INFO::GetOutputPath() const { return CM_TextOf(m_pOutputPath.get()); }

CMResult SM_IMAGE_INFO::SetProperty(const SM_ImageProperty_Struct* property) {
  if (!property) return CM_ERR_BAD_ARGUMENT;
  return CM_MemCopy(m_pProperty.get(), sizeof(SM_ImageProperty_Struct), property, sizeof(SM_ImageProperty_Struct));
}

CMResult SM_IMAGE_INFO::SetInputPath(const std::string* path) { return CM_SetTextOf(m_pInputPath.get(), path); }
CMResult SM_IMAGE_INFO::SetOutputPath(const std::string* path) { return CM_SetTextOf(m_pOutputPath.get(), path); }

CMResult SM_CreateImageInfo(std::unique_ptr<ISM_IMAGE_INFO>* slot) {
  if (!slot || *slot) return CM_ERR_BAD_ARGUMENT;
  return SM_IMAGE_INFO::Create(slot);
}

CMResult SM_CreateImageInfoWithProperty(std::unique_ptr<ISM_IMAGE_INFO>* slot, const SM_ImageProperty_Struct* property,
                                        const std::string* inputPath, const std::string* outputPath) {
  if (!slot || *slot || !property || !inputPath || !outputPath) return CM_ERR_BAD_ARGUMENT;
  return CM_Guard([&] {
    std::unique_ptr<ISM_IMAGE_INFO> record;
    CM_ThrowIfError(SM_IMAGE_INFO::Create(&record));
    CM_ThrowIfError(record->SetProperty(property));
    CM_ThrowIfError(record->SetInputPath(inputPath));
    CM_ThrowIfError(record->SetOutputPath(outputPath));
    *slot = std::move(record);
    return CM_OK;
  });
}

CMResult SM_CopyImageInfo(std::unique_ptr<ISM_IMAGE_INFO>* slot, const ISM_IMAGE_INFO* source) {
  if (!slot || *slot || !source) return CM_ERR_BAD_ARGUMENT;
  return CM_Guard([&] {
    std::unique_ptr<ISM_IMAGE_INFO> record;
    CM_ThrowIfError(SM_IMAGE_INFO::Create(&record));
    CM_ThrowIfError(record->SetProperty(source->GetProperty()));
    CM_ThrowIfError(record->SetInputPath(source->GetInputPath()));
    CM_ThrowIfError(record->SetOutputPath(source->GetOutputPath()));
    *slot = std::move(record);
    return CM_OK;
  });
}

CMResult SM_ReleaseImageInfo(std::unique_ptr<ISM_IMAGE_INFO>* slot) {
  if (!slot || !*slot) return CM_ERR_BAD_ARGUMENT;
  slot->reset();
  return CM_OK;
}
