#include "foundation/Bookmark.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "TestEnvironment.h"
#include "TestFiles.h"

namespace fnd {
namespace {

namespace fs = std::filesystem;

TEST(Bookmark, ResolvesToThePathAndNoticesWhenTheItemIsGoneOrReplaced) {
  fs::path root = testenv::freshFolder("bookmark");
  fs::path folder = root / "Scans";
  fs::path file = root / "end.aiff";
  fs::create_directories(folder);
  testenv::writeFile(file, "sound");

  std::optional<Data> folderMark = Bookmark::create(folder.string() + "/");
  std::optional<Data> fileMark = Bookmark::create(file.string());
  ASSERT_TRUE(folderMark && fileMark);

  std::optional<Bookmark::Resolution> r = Bookmark::resolve(*folderMark);
  ASSERT_TRUE(r);
  EXPECT_EQ(r->path, folder.string());
  EXPECT_FALSE(r->stale);
  EXPECT_TRUE(Bookmark::startAccessingSecurityScopedResource(r->path));
  EXPECT_TRUE(Bookmark::stopAccessingSecurityScopedResource(r->path));

  // Replaced by another file of the same name: stale.
  fs::rename(file, root / "old.aiff");
  testenv::writeFile(file, "another sound");
  r = Bookmark::resolve(*fileMark);
  ASSERT_TRUE(r);
  EXPECT_EQ(r->path, file.string());
  EXPECT_TRUE(r->stale);

  // Gone: the path, stale.
  fs::remove_all(folder);
  r = Bookmark::resolve(*folderMark);
  ASSERT_TRUE(r);
  EXPECT_EQ(r->path, folder.string());
  EXPECT_TRUE(r->stale);
}

TEST(Bookmark, MissingItemsAndForeignDataAreRefused) {
  std::string error;
  EXPECT_FALSE(Bookmark::create((testenv::root() / "missing").string(), &error));
  EXPECT_FALSE(error.empty());
  EXPECT_FALSE(Bookmark::create(""));

  const std::string notOurs = "<plist version=\"1.0\"><dict><key>Path</key><string>/tmp</string></dict></plist>";
  const Data cases[] = {Data{}, Data{1, 2, 3}, Data(notOurs.begin(), notOurs.end())};
  for (const Data& d : cases) EXPECT_FALSE(Bookmark::resolve(d));

  // A relative path is recorded in full (the current folder is read, never changed).
  std::optional<Data> mark = Bookmark::create(".");
  ASSERT_TRUE(mark);
  EXPECT_EQ(Bookmark::resolve(*mark)->path, fs::current_path().string());
}

}  // namespace
}  // namespace fnd
