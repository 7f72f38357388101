#include "datasource/Payload.h"

#include <algorithm>
#include <limits>

namespace Dravon_Payload {

std::optional<velmor::ErrorInformation> errorInformation(const fnd::Dictionary* info) {
  if (!info) return std::nullopt;
  if (auto object = info->get("object").toObject<velmor::ErrorInformation>()) return *object;
  return std::nullopt;
}

std::shared_ptr<velmor::ModalAnswer> modalAnswer(const fnd::Dictionary* info) {
  return info ? info->get("object").toObject<velmor::ModalAnswer>() : nullptr;
}

std::shared_ptr<int> resultSlot(const fnd::Dictionary* info) {
  return info ? info->get("SMResult").toObject<int>() : nullptr;
}

Bytes previewBytes(const fnd::Dictionary* info) {
  if (!info) return {};
  const fnd::Value& value = info->get("PreviewSendData");
  const fnd::Data* bytes = nullptr;
  std::shared_ptr<fnd::Data> shared = value.toObject<fnd::Data>();
  if (shared) {
    bytes = shared.get();
  } else if (value.isData()) {
    bytes = &value.toData();
  }
  if (!bytes || bytes->empty()) return {};
  const long long asked = info->integer("PreviewSendSize");
  if (asked <= 0) return {};
  const long long held = static_cast<long long>(std::min<std::size_t>(bytes->size(), std::numeric_limits<std::int32_t>::max()));
  // The dictionary holds the bytes for as long as the handler runs.
  return Bytes{bytes->data(), static_cast<std::int32_t>(std::min(asked, held))};
}

}  // namespace Dravon_Payload
