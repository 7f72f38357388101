#pragma once

#include <cstdint>

// One control point of a user tone curve: input level `h`, output level `v`, both 0..255.
// A point whose `v` is negative is an unused slot and is ignored by the curve builders.
// Plain C layout: it is stored inside crop records and handed across the exported tone functions.
struct TagPoint {
  std::int32_t h;
  std::int32_t v;
};

static_assert(sizeof(TagPoint) == 8, "TagPoint is two 32-bit ints");
