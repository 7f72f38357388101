#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>

#include <unistd.h>

#include "launcher/save/CMFileSystem.h"
#include "TestEnvironment.h"

namespace fs = std::filesystem;

namespace {

void writeText(const fs::path& p, const std::string& text) { std::ofstream(p, std::ios::binary) << text; }

std::string readText(const fs::path& p) {
  std::ifstream in(p, std::ios::binary);
  std::stringstream ss;
  ss << in.rdbuf();
  return ss.str();
}

TEST(CMFileSystem, NullArgumentsAreRefusedWithoutThrowing) {
  std::string path = "/tmp";
  bool flag = false;
  struct Case {
    const char* what;
    std::function<CMResult()> call;
  } cases[] = {
      {"exists path", [&] { return CM_FileExists(nullptr, &flag); }},
      {"exists flag", [&] { return CM_FileExists(&path, nullptr); }},
      {"writable path", [&] { return CM_IsWritable(nullptr, &flag); }},
      {"writable flag", [&] { return CM_IsWritable(&path, nullptr); }},
      {"make folder", [] { return CM_MakeFolder(nullptr); }},
      {"remove path", [] { return CM_RemovePath(nullptr); }},
      {"remove file", [] { return CM_RemoveFile(nullptr); }},
      {"remove matching folder", [&] { return CM_RemoveMatchingFiles(nullptr, &path); }},
      {"remove matching pattern", [&] { return CM_RemoveMatchingFiles(&path, nullptr); }},
      {"copy source", [&] { return CM_CopyFile(nullptr, &path, 0); }},
      {"copy target", [&] { return CM_CopyFile(&path, nullptr, 0); }},
      {"copy mode 2", [&] { return CM_CopyFile(&path, &path, 2); }},
      {"move mode 2", [&] { return CM_MoveFile(&path, &path, 2); }},
      {"move target", [&] { return CM_MoveFile(&path, nullptr, 1); }},
  };
  for (const Case& c : cases) {
    CMResult got = 0;
    EXPECT_NO_THROW(got = c.call()) << c.what;
    EXPECT_EQ(got, CM_ERR_BAD_ARGUMENT) << c.what;
  }
}

TEST(CMFileSystem, ExistsWritableMakeAndRemove) {
  const fs::path dir = testenv::freshFolder("fs-basic");
  const std::string nested = (dir / "a" / "b" / "c").string();
  bool flag = true;
  EXPECT_EQ(CM_FileExists(&nested, &flag), CM_OK);
  EXPECT_FALSE(flag);
  EXPECT_EQ(CM_MakeFolder(&nested), CM_OK);
  EXPECT_TRUE(fs::is_directory(nested));
  EXPECT_EQ(CM_MakeFolder(&nested), CM_OK) << "an existing folder is fine";
  EXPECT_EQ(CM_IsWritable(&nested, &flag), CM_OK);
  EXPECT_TRUE(flag);

  const std::string file = (dir / "a" / "f.txt").string();
  writeText(file, "x");
  EXPECT_EQ(CM_RemoveFile(&nested), CM_OK) << "a folder is left alone";
  EXPECT_TRUE(fs::is_directory(nested));
  EXPECT_EQ(CM_RemoveFile(&file), CM_OK);
  EXPECT_FALSE(fs::exists(file));
  EXPECT_EQ(CM_RemoveFile(&file), CM_OK) << "absent is success";

  const std::string top = (dir / "a").string();
  EXPECT_EQ(CM_RemovePath(&top), CM_OK);
  EXPECT_FALSE(fs::exists(top));
  EXPECT_EQ(CM_RemovePath(&top), CM_OK) << "absent is success";
}

TEST(CMFileSystem, RemoveMatchingFilesWorksBelowTheFolderAndKeepsTheCurrentFolder) {
  const fs::path dir = testenv::freshFolder("fs-matching");
  fs::create_directories(dir / "sub");
  fs::create_directories(dir / "PVTO_tmpDIR");
  for (const char* name : {"PVTO_tmpTF000.TIF", "PVTO_tmpEX001.JPG", "keep.TIF", "sub/PVTO_tmpRT002.TIF",
                           "sub/keep2.txt", "PVTO_tmpDIR/inner.txt"})
    writeText(dir / name, "x");
  const fs::path before = fs::current_path();
  const std::string folder = dir.string();
  const std::string pattern = "PVTO_tmp*";
  EXPECT_EQ(CM_RemoveMatchingFiles(&folder, &pattern), CM_OK);
  EXPECT_EQ(fs::current_path(), before) << "the process's current folder is never changed";
  EXPECT_FALSE(fs::exists(dir / "PVTO_tmpTF000.TIF"));
  EXPECT_FALSE(fs::exists(dir / "PVTO_tmpEX001.JPG"));
  EXPECT_FALSE(fs::exists(dir / "sub/PVTO_tmpRT002.TIF"));
  EXPECT_FALSE(fs::exists(dir / "PVTO_tmpDIR"));
  EXPECT_TRUE(fs::exists(dir / "keep.TIF"));
  EXPECT_TRUE(fs::exists(dir / "sub/keep2.txt"));

  const std::string single = "keep.???";
  EXPECT_EQ(CM_RemoveMatchingFiles(&folder, &single), CM_OK);
  EXPECT_FALSE(fs::exists(dir / "keep.TIF"));

  const std::string missing = (dir / "nope").string();
  EXPECT_EQ(CM_RemoveMatchingFiles(&missing, &pattern), CM_ERR_SYSTEM);
}

TEST(CMFileSystem, CopyKeepsOrReplacesTheTargetAndMapsFailures) {
  const fs::path dir = testenv::freshFolder("fs-copy");
  const std::string source = (dir / "src.bin").string();
  const std::string target = (dir / "dst.bin").string();
  writeText(source, "new contents");
  writeText(target, "old");

  EXPECT_EQ(CM_CopyFile(&source, &target, 0), CM_OK);
  EXPECT_EQ(readText(target), "old") << "mode 0 keeps an existing target";
  EXPECT_EQ(CM_CopyFile(&source, &target, 1), CM_OK);
  EXPECT_EQ(readText(target), "new contents");
  const std::string fresh = (dir / "fresh.bin").string();
  EXPECT_EQ(CM_CopyFile(&source, &fresh, 0), CM_OK);
  EXPECT_EQ(readText(fresh), "new contents");

  const std::string absent = (dir / "absent.bin").string();
  EXPECT_EQ(CM_CopyFile(&absent, &fresh, 1), CM_ERR_EMPTY_OR_ABSENT);
  const std::string noFolder = (dir / "no" / "such" / "x.bin").string();
  EXPECT_EQ(CM_CopyFile(&source, &noFolder, 1), CM_ERR_EMPTY_OR_ABSENT);
  const std::string folderTarget = (dir / "afolder").string();
  fs::create_directories(folderTarget);
  EXPECT_EQ(CM_CopyFile(&source, &folderTarget, 1), CM_ERR_SYSTEM);
  // No half-copied temporary files are left behind.
  int entries = 0;
  for (const auto& e : fs::directory_iterator(dir)) entries += e.path().filename().string()[0] == '.' ? 100 : 1;
  EXPECT_EQ(entries, 4);
}

TEST(CMFileSystem, CopyToAFreeNameNeverReplacesWhatIsThere) {
  const fs::path dir = testenv::freshFolder("fs-copy-new");
  const std::string source = (dir / "src.bin").string();
  const std::string taken = (dir / "taken.bin").string();
  const std::string fresh = (dir / "fresh.bin").string();
  writeText(source, "new contents");
  writeText(taken, "someone else's");
  EXPECT_EQ(CM_CopyFileToFreeName(&source, &taken), CM_ERR_NO_PERMISSION);
  EXPECT_EQ(readText(taken), "someone else's");
  EXPECT_EQ(CM_CopyFileToFreeName(&source, &fresh), CM_OK);
  EXPECT_EQ(readText(fresh), "new contents");
  // Only the three files: no temporary copy is left beside them.
  int entries = 0;
  for (const auto& e : fs::directory_iterator(dir)) entries += e.path().filename().string()[0] == '.' ? 100 : 1;
  EXPECT_EQ(entries, 3);
}

TEST(CMFileSystem, CopyIntoAFolderWeMayNotWriteIsNoPermission) {
  if (geteuid() == 0) GTEST_SKIP() << "root may write anywhere";
  const fs::path dir = testenv::freshFolder("fs-copy-perm");
  const std::string source = (dir / "src.bin").string();
  writeText(source, "x");
  fs::create_directories(dir / "locked");
  fs::permissions(dir / "locked", fs::perms::owner_read | fs::perms::owner_exec);
  const std::string target = (dir / "locked" / "t.bin").string();
  EXPECT_EQ(CM_CopyFile(&source, &target, 1), CM_ERR_NO_PERMISSION);
  fs::permissions(dir / "locked", fs::perms::owner_all);
}

TEST(CMFileSystem, MoveRefusesOneFileUnderTwoNamesAndMovesOtherwise) {
  const fs::path dir = testenv::freshFolder("fs-move");
  const std::string source = (dir / "a.tif").string();
  writeText(source, "image");
  EXPECT_EQ(CM_MoveFile(&source, &source, 1), CM_ERR_BAD_ARGUMENT);
  const std::string sameFile = (dir / "." / "a.tif").string();
  EXPECT_EQ(CM_MoveFile(&source, &sameFile, 1), CM_ERR_BAD_ARGUMENT);
  EXPECT_EQ(readText(source), "image") << "touched nothing";

  const std::string target = (dir / "b.tif").string();
  writeText(target, "older");
  EXPECT_EQ(CM_MoveFile(&source, &target, 0), CM_OK);
  EXPECT_EQ(readText(target), "older") << "mode 0 keeps an existing target";
  EXPECT_TRUE(fs::exists(source)) << "and then the source too";
  EXPECT_EQ(CM_MoveFile(&source, &target, 1), CM_OK);
  EXPECT_EQ(readText(target), "image");
  EXPECT_FALSE(fs::exists(source));

  const std::string absent = (dir / "gone.tif").string();
  EXPECT_EQ(CM_MoveFile(&absent, &target, 1), CM_ERR_EMPTY_OR_ABSENT);
  EXPECT_EQ(readText(target), "image");
}

}  // namespace
