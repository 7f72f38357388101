#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>

#include <dlfcn.h>

#include "foundation/Paths.h"
#include "launcher/save/CMCommon.h"
#include "TestEnvironment.h"

namespace {

TEST(CMCommon, MemCopyChecksPointersAndSizes) {
  char dst[8];
  const char src[] = "abcdefghij";  // 11 bytes
  struct Case {
    void* dst;
    std::size_t dstLen;
    const void* src;
    std::size_t srcLen;
    CMResult expected;
  } cases[] = {
      {dst, 8, src, 8, CM_OK},
      {dst, 8, src, 0, CM_OK},
      {dst, 8, src, 9, CM_ERR_BAD_ARGUMENT},  // would run past dst
      {nullptr, 8, src, 4, CM_ERR_BAD_ARGUMENT},
      {dst, 8, nullptr, 4, CM_ERR_BAD_ARGUMENT},
  };
  for (const Case& c : cases) {
    std::memset(dst, 'x', sizeof dst);
    EXPECT_EQ(CM_MemCopy(c.dst, c.dstLen, c.src, c.srcLen), c.expected) << c.srcLen;
    if (c.expected == CM_OK) {
      EXPECT_EQ(std::memcmp(dst, src, c.srcLen), 0);
    } else {
      EXPECT_EQ(dst[0], 'x') << "nothing copied on refusal";
    }
  }
}

TEST(CMCommon, RowBytesPerDepth) {
  struct Case {
    std::uint64_t width, bits1, bits8, bits16, bits24, bits48;
  } cases[] = {{0, 0, 0, 0, 0, 0}, {1, 1, 1, 2, 3, 6}, {8, 1, 8, 16, 24, 48}, {10, 2, 10, 20, 30, 60},
               {4961, 621, 4961, 9922, 14883, 29766}};
  for (const Case& c : cases) {
    EXPECT_EQ(CM_RowBytes1Bit(c.width), c.bits1) << c.width;
    EXPECT_EQ(CM_RowBytes8Bit(c.width), c.bits8);
    EXPECT_EQ(CM_RowBytes16Bit(c.width), c.bits16);
    EXPECT_EQ(CM_RowBytes24Bit(c.width), c.bits24);
    EXPECT_EQ(CM_RowBytes48Bit(c.width), c.bits48);
  }
}

TEST(CMCommon, PreferencesFolderIsTheSettingsFolder) {
  std::string folder;
  EXPECT_EQ(CM_GetPreferencesFolder(&folder), CM_OK);
  EXPECT_EQ(folder, fnd::Paths::configDir() + "/");
  EXPECT_EQ(CM_GetPreferencesFolder(nullptr), CM_ERR_BAD_ARGUMENT);
}

TEST(CMCommon, SiblingUtilityIsFoundOnlyThroughItsSettingsFile) {
  namespace fs = std::filesystem;
  const fs::path config = fnd::Paths::configDir();
  fs::create_directories(config);
  const fs::path settings = config / "SulvarSetting.plist";
  fs::remove(settings);
  EXPECT_FALSE(CM_HasSulvarUtility()) << "absent settings file: the usual case";

  const fs::path apps = testenv::freshFolder("sulvar-apps");
  auto writeSettings = [&](const std::string& body) {
    std::ofstream(settings) << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<plist version=\"1.0\">\n" << body
                            << "</plist>\n";
  };
  const std::string appPath = (apps / "Sulvar Utility.app").string();
  writeSettings("<dict><key>AppInfo</key><dict><key>SulvarUtility</key><dict><key>AppPath</key><string>" +
                appPath + "</string></dict></dict></dict>\n");
  EXPECT_FALSE(CM_HasSulvarUtility()) << "named, but its program folder is not there";
  fs::create_directories(apps / "Vantrel Sulvar Utility.app");
  EXPECT_TRUE(CM_HasSulvarUtility());

  writeSettings("<dict><key>AppInfo</key><dict/></dict>\n");
  EXPECT_FALSE(CM_HasSulvarUtility()) << "missing key";
  writeSettings("<dict><key>AppInfo</key>");
  EXPECT_FALSE(CM_HasSulvarUtility()) << "unreadable file";
  fs::remove(settings);
}

TEST(CMCommon, SymbolLookUpAndLibraryClose) {
  void* library = dlopen("libc.so.6", RTLD_NOW);
  ASSERT_NE(library, nullptr);
  EXPECT_EQ(CM_LoadSymbol(library, "strlen"), dlsym(library, "strlen"));
  EXPECT_EQ(CM_LoadSymbol(library, "no_such_symbol_here"), nullptr);
  EXPECT_EQ(CM_LoadSymbol(nullptr, "strlen"), nullptr);
  EXPECT_EQ(CM_LoadSymbol(library, nullptr), nullptr);
  EXPECT_EQ(CM_CloseLibrary(library), CM_OK);
  EXPECT_EQ(CM_CloseLibrary(nullptr), CM_ERR_BAD_ARGUMENT);
}

TEST(CMCommon, DebugLogWritesOnlyWhenAskedFor) {
  unsetenv("TRIVOLAN_DEBUG_LOG");
  testing::internal::CaptureStderr();
  writeDebugLog("hidden %d", 1);
  CM_Log("hidden %d", 2);
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "");

  setenv("TRIVOLAN_DEBUG_LOG", "1", 1);
  testing::internal::CaptureStderr();
  writeDebugLog("shown %d", 3);
  CM_Log("%s", std::string(5000, 'y').c_str());  // cut, not overrun
  std::string out = testing::internal::GetCapturedStderr();
  unsetenv("TRIVOLAN_DEBUG_LOG");
  EXPECT_EQ(out.substr(0, 8), "shown 3\n");
  EXPECT_EQ(out.size(), 8u + 1024u);
  EXPECT_EQ(out.back(), '\n');
}

TEST(CMCommon, AutoreleasePoolBracketAlwaysSucceeds) {
  CMAutoreleasePool* pool = nullptr;
  EXPECT_EQ(CM_CreateAutoreleasePool(&pool), CM_OK);
  EXPECT_NE(pool, nullptr);
  EXPECT_EQ(CM_ReleaseAutoreleasePool(pool), CM_OK);
  EXPECT_EQ(CM_ReleaseAutoreleasePool(nullptr), CM_OK);
}

}  // namespace
