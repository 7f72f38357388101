#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>

#include "foundation/Value.h"
#include "scanmodule/ErrorInformation.h"

// The typed payloads that cross into the data source inside notification dictionaries. Each
// reader checks the value's kind and type and answers nothing for anything else: a bare
// address is never taken for one of them, since nothing could tell what it points to.
namespace Dravon_Payload {

// "object" of "TWAIN_ERROR_INFORMATION_OBJECT": the device error and its three numbers.
std::optional<velmor::ErrorInformation> errorInformation(const fnd::Dictionary* info);

// "object" of "TWAIN_MODAL_DIALOG_OBJECT": where the answer to the question goes.
std::shared_ptr<velmor::ModalAnswer> modalAnswer(const fnd::Dictionary* info);

// "SMResult" of a request that expects an answer: the poster's integer.
std::shared_ptr<int> resultSlot(const fnd::Dictionary* info);

// "PreviewSendData" with "PreviewSendSize": the bytes of a preview block, as plain data or as
// a shared fnd::Data object. The size is "PreviewSendSize", never more than the bytes held.
struct Bytes {
  const std::uint8_t* data = nullptr;
  std::int32_t size = 0;
};
Bytes previewBytes(const fnd::Dictionary* info);

}  // namespace Dravon_Payload
