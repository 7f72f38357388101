#pragma once

#include <cstdint>

// Four per-channel values in the fixed order master, red, green, blue; passed by value.
struct ChannelValues {
  std::int32_t master;
  std::int32_t red;
  std::int32_t green;
  std::int32_t blue;
};

static_assert(sizeof(ChannelValues) == 16, "ChannelValues is four 32-bit ints");
