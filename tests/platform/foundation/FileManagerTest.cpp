#include "foundation/FileManager.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

#include "TestEnvironment.h"
#include "TestFiles.h"

namespace fnd {
namespace {

namespace fs = std::filesystem;

mode_t modeOf(const fs::path& p) {
  struct stat st {};
  ::stat(p.c_str(), &st);
  return st.st_mode & 07777;
}

// Every helper works on full paths; none may move the process's current folder.
class FileManagerTest : public ::testing::Test {
 protected:
  void SetUp() override { cwd_ = fs::current_path(); }
  void TearDown() override { EXPECT_EQ(fs::current_path(), cwd_); }
  fs::path cwd_;
};

TEST_F(FileManagerTest, QueriesAndPackages) {
  fs::path root = testenv::freshFolder("fm-query");
  fs::create_directories(root / "Scans");
  fs::create_directories(root / "Viewer.app/Contents");
  fs::create_directories(root / "Pictures.BUNDLE");
  testenv::writeFile(root / "photo.app", "a file named like a package");
  testenv::writeFile(root / "note.txt", "x");

  const struct {
    const char* name;
    bool exists, folder, package;
  } cases[] = {
      {"Scans", true, true, false},       {"Viewer.app", true, true, true},   {"Viewer.app/", true, true, true},
      {"Pictures.BUNDLE", true, true, true}, {"photo.app", true, false, false}, {"note.txt", true, false, false},
      {"missing", false, false, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    std::string path = (root / c.name).string();
    EXPECT_EQ(FileManager::exists(path), c.exists);
    EXPECT_EQ(FileManager::isFolder(path), c.folder);
    EXPECT_EQ(FileManager::isPackage(path), c.package);
    EXPECT_EQ(FileManager::isFolderNotPackage(path), c.folder && !c.package);
    EXPECT_EQ(FileManager::isReadable(path), c.exists);
  }
  EXPECT_TRUE(FileManager::isWritable(root.string()));
  EXPECT_FALSE(FileManager::isWritable((root / "missing").string()));
  EXPECT_FALSE(FileManager::exists(""));
}

TEST_F(FileManagerTest, CreateFolderMakesOwnerOnlyFoldersWithoutTouchingExistingOnes) {
  fs::path root = testenv::freshFolder("fm-create");
  ASSERT_EQ(::chmod(root.c_str(), 0755), 0);
  fs::path deep = root / "a" / "b" / "c";
  std::string error;

  EXPECT_FALSE(FileManager::createFolder(deep.string(), false, true, &error));  // parents missing
  EXPECT_FALSE(error.empty());
  EXPECT_FALSE(fs::exists(root / "a"));

  ASSERT_TRUE(FileManager::createFolder(deep.string(), true, true, &error)) << error;
  EXPECT_EQ(modeOf(root / "a"), 0700u);
  EXPECT_EQ(modeOf(root / "a" / "b"), 0700u);
  EXPECT_EQ(modeOf(deep), 0700u);
  EXPECT_EQ(modeOf(root), 0755u);  // an existing parent keeps its rights

  struct stat st {};
  ASSERT_EQ(::stat(deep.c_str(), &st), 0);
  EXPECT_EQ(st.st_uid, ::geteuid());

  // An existing folder: fine with intermediates, an error without (as on the original).
  EXPECT_TRUE(FileManager::createFolder(deep.string(), true, false));
  EXPECT_EQ(modeOf(deep), 0700u);
  EXPECT_FALSE(FileManager::createFolder(deep.string(), false, false));

  // A shared folder follows the umask, not 0700.
  fs::path shared = root / "shared";
  mode_t mask = ::umask(022);
  ::umask(mask);
  ASSERT_TRUE(FileManager::createFolder(shared.string(), false, false));
  EXPECT_EQ(modeOf(shared), 0777u & ~mask);

  // A file in the way is an error, never replaced.
  testenv::writeFile(root / "file", "keep");
  EXPECT_FALSE(FileManager::createFolder((root / "file").string(), true, true));
  EXPECT_FALSE(FileManager::createFolder((root / "file" / "sub").string(), true, true));
  EXPECT_EQ(testenv::readFile(root / "file"), "keep");
}

TEST_F(FileManagerTest, FreeSpaceComesFromStatvfsOrTheInjectedSource) {
  std::optional<std::uint64_t> real = FileManager::freeSpace(testenv::root().string());
  ASSERT_TRUE(real.has_value());
  EXPECT_GT(*real, 0u);
  EXPECT_FALSE(FileManager::freeSpace("/no/such/volume/path").has_value());

  std::string asked;
  FileManager::setFreeSpaceSource([&](const std::string& path) -> std::optional<std::uint64_t> {
    asked = path;
    return 10485759;
  });
  EXPECT_EQ(FileManager::freeSpace("/"), std::optional<std::uint64_t>(10485759));
  EXPECT_EQ(asked, "/");
  FileManager::setFreeSpaceSource({});
  EXPECT_TRUE(FileManager::freeSpace("/").has_value());
  EXPECT_NE(FileManager::freeSpace("/"), std::optional<std::uint64_t>(10485759));
}

TEST_F(FileManagerTest, MoveCopyAndRemoveFilesAndFolders) {
  fs::path root = testenv::freshFolder("fm-ops");
  fs::create_directories(root / "src/inner");
  testenv::writeFile(root / "src/a.txt", "alpha");
  testenv::writeFile(root / "src/inner/b.txt", "beta");
  testenv::writeFile(root / "file.txt", "one");
  testenv::writeFile(root / "other.txt", "two");
  std::string error;

  // Copy a folder with its contents, then a file.
  ASSERT_TRUE(FileManager::copy((root / "src").string(), (root / "copy").string(), &error)) << error;
  EXPECT_EQ(testenv::readFile(root / "copy/inner/b.txt"), "beta");
  EXPECT_EQ(testenv::readFile(root / "src/a.txt"), "alpha");
  ASSERT_TRUE(FileManager::copy((root / "file.txt").string(), (root / "file2.txt").string()));
  EXPECT_EQ(testenv::readFile(root / "file2.txt"), "one");

  // Existing destinations are never overwritten.
  EXPECT_FALSE(FileManager::copy((root / "file.txt").string(), (root / "other.txt").string(), &error));
  EXPECT_FALSE(FileManager::move((root / "file.txt").string(), (root / "other.txt").string()));
  EXPECT_EQ(testenv::readFile(root / "other.txt"), "two");
  EXPECT_EQ(testenv::readFile(root / "file.txt"), "one");

  // Move a file and a folder.
  ASSERT_TRUE(FileManager::move((root / "file.txt").string(), (root / "moved.txt").string(), &error)) << error;
  EXPECT_FALSE(fs::exists(root / "file.txt"));
  EXPECT_EQ(testenv::readFile(root / "moved.txt"), "one");
  ASSERT_TRUE(FileManager::move((root / "copy").string(), (root / "copy2").string()));
  EXPECT_EQ(testenv::readFile(root / "copy2/a.txt"), "alpha");

  // Remove a folder with everything in it; a missing item is an error.
  ASSERT_TRUE(FileManager::remove((root / "copy2").string()));
  EXPECT_FALSE(fs::exists(root / "copy2"));
  EXPECT_FALSE(FileManager::remove((root / "copy2").string(), &error));
  EXPECT_FALSE(FileManager::copy((root / "missing").string(), (root / "x").string()));
  EXPECT_FALSE(FileManager::move((root / "missing").string(), (root / "x").string()));

  // Nothing half-made is left beside the destinations.
  for (const auto& entry : fs::directory_iterator(root)) {
    EXPECT_NE(entry.path().filename().string().front(), '.') << entry.path();
  }
}

TEST_F(FileManagerTest, AtomicWriteReplacesWholeAndKeepsLinksAndRights) {
  fs::path root = testenv::freshFolder("fm-write");
  fs::path file = root / "settings.plist";
  std::string error;
  ASSERT_TRUE(FileManager::writeAtomically(file.string(), "first", &error)) << error;
  EXPECT_EQ(*FileManager::readFile(file.string()), "first");
  ASSERT_EQ(::chmod(file.c_str(), 0600), 0);
  ASSERT_TRUE(FileManager::writeAtomically(file.string(), "second"));
  EXPECT_EQ(testenv::readFile(file), "second");
  EXPECT_EQ(modeOf(file), 0600u);

  // Writing through a symbolic link replaces the linked file and keeps the link.
  fs::path link = root / "link.plist";
  fs::create_symlink(file, link);
  ASSERT_TRUE(FileManager::writeAtomically(link.string(), "third"));
  EXPECT_TRUE(fs::is_symlink(link));
  EXPECT_EQ(testenv::readFile(file), "third");

  EXPECT_FALSE(FileManager::writeAtomically(root.string(), "onto a folder", &error));
  EXPECT_FALSE(FileManager::readFile(root.string()).has_value());
  EXPECT_FALSE(FileManager::readFile((root / "missing").string(), &error).has_value());
  EXPECT_NE(error.find("missing"), std::string::npos);
  EXPECT_EQ(std::distance(fs::directory_iterator(root), fs::directory_iterator()), 2);
}

}  // namespace
}  // namespace fnd
