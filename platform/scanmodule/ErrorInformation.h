#pragma once

#include <cstdint>

namespace velmor {

// The "object" of an error report: the device error number and its three detail numbers.
struct ErrorInformation {
  std::int32_t error = 0;
  std::int32_t n1 = 0, n2 = 0, n3 = 0;
};

// The "object" of a modal question: the data source writes the user's answer into it during
// the post.
struct ModalAnswer {
  std::int32_t answer = 0;
};

}  // namespace velmor
