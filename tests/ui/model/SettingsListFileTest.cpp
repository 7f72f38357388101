// A settings list file: elements kept as read, unreadable files set aside, failed writes
// leaving the old file whole.

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "foundation/Paths.h"
#include "ui/model/SettingsListFile.h"
#include "TestFiles.h"

namespace {

std::string settingsListFolder() {
  return testenv::emptyFolderAt(std::filesystem::path(fnd::Paths::configDir()) / "settingslistfile");
}

}  // namespace

TEST(SettingsListFile, ElementsOfEveryKindComeBackAsRead) {
  const std::string path = settingsListFolder() + "/Favorite.xml";
  EXPECT_TRUE(Quirel_SettingsListFile::read(path).elements.empty());
  EXPECT_FALSE(Quirel_SettingsListFile::read(path).unreadable);
  fnd::Dictionary entry;
  entry.set("Name", fnd::Value("A"));
  const fnd::Array elements = {fnd::Value(entry), fnd::Value("loose text"), fnd::Value(7)};
  ASSERT_TRUE(Quirel_SettingsListFile::write(path, elements, false));
  const auto back = Quirel_SettingsListFile::read(path);
  EXPECT_FALSE(back.unreadable);
  ASSERT_EQ(back.elements.size(), 3u);
  EXPECT_TRUE(back.elements[0].isDictionary());
  EXPECT_EQ(back.elements[1].toString(), "loose text");
  EXPECT_EQ(back.elements[2].toInteger(), 7);
}

TEST(SettingsListFile, UnreadableFilesAreSetAsideBeforeTheyAreReplaced) {
  const std::string folder = settingsListFolder();
  const std::string path = folder + "/OutputSize.xml";
  const std::vector<std::string> hostile = {
      "garbage \x01\x02 not a list",
      "<?xml version=\"1.0\"?><plist version=\"1.0\"><dict><key>a</key><integer>1</integer></dict></plist>",
      "<plist version=\"1.0\"><array><dict>",
  };
  for (const std::string& bytes : hostile) {
    std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
    const auto contents = Quirel_SettingsListFile::read(path);
    EXPECT_TRUE(contents.unreadable);
    EXPECT_TRUE(contents.elements.empty());
    ASSERT_TRUE(Quirel_SettingsListFile::write(path, {fnd::Value(1)}, contents.unreadable));
    EXPECT_EQ(testenv::readFile(Quirel_SettingsListFile::unreadablePath(path)), bytes);
    EXPECT_FALSE(Quirel_SettingsListFile::read(path).unreadable);
  }
}

TEST(SettingsListFile, AFailedWriteLeavesTheOldFileWhole) {
  if (geteuid() == 0) GTEST_SKIP() << "the superuser writes into read-only folders";
  const std::string folder = settingsListFolder();
  const std::string path = folder + "/Favorite.xml";
  ASSERT_TRUE(Quirel_SettingsListFile::write(path, {fnd::Value("old")}, false));
  const std::string before = testenv::readFile(path);
  chmod(folder.c_str(), 0555);
  std::string error;
  EXPECT_FALSE(Quirel_SettingsListFile::write(path, {fnd::Value("new")}, true, &error));
  EXPECT_FALSE(error.empty());
  chmod(folder.c_str(), 0755);
  EXPECT_EQ(testenv::readFile(path), before);
  EXPECT_FALSE(Quirel_SettingsListFile::write("", {}, false));
}
