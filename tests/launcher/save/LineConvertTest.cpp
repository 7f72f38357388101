#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "launcher/save/LineConvert.h"

namespace {

using Bytes = std::vector<std::uint8_t>;
using Convert = std::function<CMResult(const Bytes&, Bytes&)>;

struct Row {
  std::string name;
  Bytes source;
  std::size_t destinationBytes;
  Convert convert;
  Bytes expected;
};

// Two 16-bit RGB pixels, little-endian: R=0x1122, G=0x3344, B=0x5566 and R=0xA1B2, G=0xC3D4,
// B=0xE5F6.
const Bytes k48 = {0x22, 0x11, 0x44, 0x33, 0x66, 0x55, 0xB2, 0xA1, 0xD4, 0xC3, 0xF6, 0xE5};
const Bytes k24 = {1, 2, 3, 4, 5, 6};
// Two 16-bit grey pixels 0x1234 and 0xABCD.
const Bytes k16 = {0x34, 0x12, 0xCD, 0xAB};
const Bytes k8 = {7, 200};
// Ten pixels: 1 0 1 1 0 0 0 1 | 1 0 (then padding).
const Bytes k1 = {0xB1, 0x80};

TEST(LineConvertTest, EveryRowOfTheConversionTable) {
  const Bytes sentinel(16, 0xEE);
  std::vector<Row> rows = {
      {"48 reduce+reverse", k48, 6, [](const Bytes& s, Bytes& d) { return CM_ConvertLine48(s.data(), s.size(), d.data(), d.size(), true, true); },
       {0x55, 0x33, 0x11, 0xE5, 0xC3, 0xA1}},
      {"48 reduce", k48, 6, [](const Bytes& s, Bytes& d) { return CM_ConvertLine48(s.data(), s.size(), d.data(), d.size(), true, false); },
       {0x11, 0x33, 0x55, 0xA1, 0xC3, 0xE5}},
      {"48 reverse", k48, 12, [](const Bytes& s, Bytes& d) { return CM_ConvertLine48(s.data(), s.size(), d.data(), d.size(), false, true); },
       {0x66, 0x55, 0x44, 0x33, 0x22, 0x11, 0xF6, 0xE5, 0xD4, 0xC3, 0xB2, 0xA1}},
      {"48 none", k48, 12, [](const Bytes& s, Bytes& d) { return CM_ConvertLine48(s.data(), s.size(), d.data(), d.size(), false, false); },
       k48},
      {"24 reverse", k24, 6, [](const Bytes& s, Bytes& d) { return CM_ConvertLine24(s.data(), s.size(), d.data(), d.size(), false, true); },
       {3, 2, 1, 6, 5, 4}},
      {"24 none", k24, 6, [](const Bytes& s, Bytes& d) { return CM_ConvertLine24(s.data(), s.size(), d.data(), d.size(), false, false); },
       k24},
      {"24 first flag only writes nothing", k24, 6,
       [](const Bytes& s, Bytes& d) { return CM_ConvertLine24(s.data(), s.size(), d.data(), d.size(), true, false); },
       Bytes(6, 0xEE)},
      {"16 to 8 and RGB", k16, 6, [](const Bytes& s, Bytes& d) { return CM_ConvertLine16(s.data(), s.size(), d.data(), d.size(), true, true); },
       {0x12, 0x12, 0x12, 0xAB, 0xAB, 0xAB}},
      {"16 to 8", k16, 2, [](const Bytes& s, Bytes& d) { return CM_ConvertLine16(s.data(), s.size(), d.data(), d.size(), true, false); },
       {0x12, 0xAB}},
      {"16 to RGB", k16, 12, [](const Bytes& s, Bytes& d) { return CM_ConvertLine16(s.data(), s.size(), d.data(), d.size(), false, true); },
       {0x34, 0x12, 0x34, 0x12, 0x34, 0x12, 0xCD, 0xAB, 0xCD, 0xAB, 0xCD, 0xAB}},
      {"16 none", k16, 4, [](const Bytes& s, Bytes& d) { return CM_ConvertLine16(s.data(), s.size(), d.data(), d.size(), false, false); },
       k16},
      {"8 to RGB", k8, 6, [](const Bytes& s, Bytes& d) { return CM_ConvertLine8(s.data(), s.size(), d.data(), d.size(), true); },
       {7, 7, 7, 200, 200, 200}},
      {"8 none", k8, 2, [](const Bytes& s, Bytes& d) { return CM_ConvertLine8(s.data(), s.size(), d.data(), d.size(), false); },
       k8},
      {"1 to RGB", k1, 30,
       [](const Bytes& s, Bytes& d) { return CM_ConvertLine1(s.data(), s.size(), d.data(), d.size(), 10, true, false, false, false); },
       {255, 255, 255, 0, 0, 0, 255, 255, 255, 255, 255, 255, 0, 0, 0, 0, 0, 0, 0, 0, 0, 255, 255, 255, 255, 255, 255, 0, 0, 0}},
      {"1 to 8-bit grey: ten pixels give ten bytes", k1, 10,
       [](const Bytes& s, Bytes& d) { return CM_ConvertLine1(s.data(), s.size(), d.data(), d.size(), 10, false, true, false, false); },
       {255, 0, 255, 255, 0, 0, 0, 255, 255, 0}},
      {"1 invert", k1, 2,
       [](const Bytes& s, Bytes& d) { return CM_ConvertLine1(s.data(), s.size(), d.data(), d.size(), 10, false, false, true, false); },
       {0x4E, 0x7F}},
      {"1 copy", k1, 2,
       [](const Bytes& s, Bytes& d) { return CM_ConvertLine1(s.data(), s.size(), d.data(), d.size(), 10, false, false, false, false); },
       k1},
      {"1 copy flag set writes nothing", k1, 2,
       [](const Bytes& s, Bytes& d) { return CM_ConvertLine1(s.data(), s.size(), d.data(), d.size(), 10, false, false, false, true); },
       {0xEE, 0xEE}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    Bytes out(row.destinationBytes, 0xEE);
    ASSERT_EQ(row.convert(row.source, out), CM_OK);
    EXPECT_EQ(out, row.expected);
  }
}

TEST(LineConvertTest, InPlaceConversionsReadEachSampleBeforeOverwritingIt) {
  // 24-bit, both flags: the line is already in the destination.
  Bytes line = k24;
  ASSERT_EQ(CM_ConvertLine24(line.data(), line.size(), line.data(), line.size(), true, true), CM_OK);
  EXPECT_EQ(line, (Bytes{3, 2, 1, 6, 5, 4}));

  // 48 to 24 shrinks, 8 to RGB and 1 to RGB grow: each works in one buffer.
  Bytes wide = k48;
  ASSERT_EQ(CM_ConvertLine48(wide.data(), wide.size(), wide.data(), wide.size(), true, false), CM_OK);
  EXPECT_EQ(Bytes(wide.begin(), wide.begin() + 6), (Bytes{0x11, 0x33, 0x55, 0xA1, 0xC3, 0xE5}));

  Bytes grey(6, 0);
  grey[0] = 7;
  grey[1] = 200;
  ASSERT_EQ(CM_ConvertLine8(grey.data(), 2, grey.data(), grey.size(), true), CM_OK);
  EXPECT_EQ(grey, (Bytes{7, 7, 7, 200, 200, 200}));

  Bytes bits(9, 0);
  bits[0] = 0xA0;  // 1 0 1
  ASSERT_EQ(CM_ConvertLine1(bits.data(), 1, bits.data(), bits.size(), 3, true, false, false, false), CM_OK);
  EXPECT_EQ(bits, (Bytes{255, 255, 255, 0, 0, 0, 255, 255, 255}));
}

TEST(LineConvertTest, NullBuffersAndShortDestinationsAreRefusedWithoutWriting) {
  Bytes out(4, 0xEE);
  EXPECT_EQ(CM_ConvertLine48(nullptr, 12, out.data(), out.size(), true, false), SM_ERR_BAD_SIZE);
  EXPECT_EQ(CM_ConvertLine24(k24.data(), k24.size(), nullptr, 6, false, true), SM_ERR_BAD_SIZE);
  EXPECT_EQ(CM_ConvertLine16(nullptr, 4, out.data(), out.size(), true, false), SM_ERR_BAD_SIZE);
  EXPECT_EQ(CM_ConvertLine8(k8.data(), k8.size(), nullptr, 6, true), SM_ERR_BAD_SIZE);
  EXPECT_EQ(CM_ConvertLine1(nullptr, 2, out.data(), out.size(), 10, false, true, false, false), SM_ERR_BAD_SIZE);

  // Too small for the converted line: refused, nothing written past or inside the buffer.
  EXPECT_EQ(CM_ConvertLine48(k48.data(), k48.size(), out.data(), out.size(), true, false), SM_ERR_BAD_SIZE);
  EXPECT_EQ(CM_ConvertLine8(k8.data(), k8.size(), out.data(), out.size(), true), SM_ERR_BAD_SIZE);
  EXPECT_EQ(CM_ConvertLine1(k1.data(), k1.size(), out.data(), out.size(), 10, false, true, false, false), SM_ERR_BAD_SIZE);
  // More pixels than the source has bits.
  Bytes big(64, 0);
  EXPECT_EQ(CM_ConvertLine1(k1.data(), k1.size(), big.data(), big.size(), 17, false, true, false, false), SM_ERR_BAD_SIZE);
  EXPECT_EQ(out, Bytes(4, 0xEE));
}

}  // namespace
