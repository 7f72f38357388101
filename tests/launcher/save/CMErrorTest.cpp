#include <gtest/gtest.h>

#include <new>
#include <stdexcept>

#include "launcher/save/CMError.h"

namespace {

TEST(CMError, ThrowIfErrorMarksBareCaseNumbersAndKeepsFullCodes) {
  struct Case {
    CMResult raised;
    CMResult thrown;
  } cases[] = {
      {0x207, 0xA0207},     {0x1, 0xA0001},       {0xFFFF, 0xAFFFF},    {0xDCA01, 0xDCA01},
      {0xD9801, 0xD9801},   {0xACA09, 0xACA09},   {0x10000, 0x10000},   {0xA0B0D, 0xA0B0D},
      {0x1000000, 0x10A0000},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << std::hex << c.raised);
    EXPECT_EQ(CM_NormalizeError(c.raised), c.thrown);
    try {
      CM_ThrowIfError(c.raised);
      ADD_FAILURE() << "nothing thrown";
    } catch (CMResult code) {
      EXPECT_EQ(code, c.thrown);
    }
  }
  EXPECT_NO_THROW(CM_ThrowIfError(0));
}

TEST(CMError, GuardTurnsWhateverTheBodyRaisesIntoACode) {
  EXPECT_EQ(CM_Guard([] { return CM_OK; }), CM_OK);
  EXPECT_EQ(CM_Guard([] {
              CM_ThrowIfError(0x207);
              return CM_OK;
            }),
            0xA0207u);
  EXPECT_EQ(CM_Guard([]() -> CMResult { throw std::bad_alloc(); }), CM_ERR_NO_MEMORY);
  EXPECT_EQ(CM_Guard([]() -> CMResult { throw std::runtime_error("x"); }), CM_ERR_SYSTEM);
  EXPECT_EQ(CM_Guard([]() -> CMResult { throw 42; }), CM_ERR_SYSTEM);
  // A worker's cancellation is not an error of the operation: it goes on to the thread start.
  EXPECT_THROW(CM_Guard([]() -> CMResult { throw CMThreadCancelled{}; }), CMThreadCancelled);
  // A body may also hand its code back without raising.
  EXPECT_EQ(CM_Guard([] { return CM_ERR_NOT_READY; }), CM_ERR_NOT_READY);
}

TEST(CMError, CodesKeepTheirValues) {
  // Callers, peers and the launcher compare these whole.
  const CMResult codes[] = {
      CM_ERR_BAD_ARGUMENT, CM_ERR_SYSTEM,        CM_ERR_NOT_UTF8,        CM_ERR_NO_MEMORY,       CM_ERR_NOT_READY,
      CM_ERR_FILE_MISSING, CM_ERR_END_OF_FILE,   CM_ERR_NO_PERMISSION,   CM_ERR_EMPTY_OR_ABSENT, CM_ERR_DISK_FULL,
      CM_ERR_FOLDER_NOT_WRITABLE, SM_ERR_CREATE, SM_ERR_ROTATE,          SM_ERR_LINE_BUFFER1,    SM_ERR_LINE_BUFFER2,
      SM_ERR_LINE_BUFFER3, SM_ERR_OPTION_COPY1,  SM_ERR_OPTION_COPY2,    SM_ERR_NAME_CREATE1,    SM_ERR_NAME_CREATE2,
      SM_ERR_XFORM_OPEN,   SM_ERR_BAD_COUNT,     SM_ERR_BAD_SIZE,        SM_ERR_UNSUPPORTED,     SM_ERR_NO_XFORM,
      SM_ERR_NO_LINES,     SM_ERR_WORKER_TIMEOUT, SM_ERR_ABORTED,        SM_ERR_MALFORMED,       SM_ERR_JPEG_SEGMENT,
      SM_ERR_IMAGE,        SM_ERR_URL,           SM_ERR_OUTPUT_NOT_WRITABLE,
  };
  const CMResult expected[] = {
      0xDCA01, 0xDCA02, 0xDCA00, 0xD9801, 0xD9802, 0xDC901, 0xDF300, 0xDF400, 0xD7200, 0xDE900, 0xDF200,
      0xA9800, 0xA9807, 0xA9819, 0xA981A, 0xA9830, 0xA981E, 0xA982C, 0xA9821, 0xA9822, 0xACA00, 0xACA01,
      0xACA02, 0xACA03, 0xACA04, 0xACA05, 0xACA09, 0xA0B0D, 0xAF200, 0xAF205, 0xAF207, 0xAF307, 0xAF400,
  };
  static_assert(std::size(codes) == 33 && std::size(expected) == 33);
  for (std::size_t i = 0; i < std::size(codes); ++i) {
    EXPECT_EQ(codes[i], expected[i]) << i;
    // Every code already carries its layer, so raising it does not change it.
    EXPECT_EQ(CM_NormalizeError(codes[i]), codes[i]) << i;
  }
}

}  // namespace
