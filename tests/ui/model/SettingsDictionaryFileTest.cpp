// A settings file of one dictionary ("Preference.xml", "InitSetting.xml"): a file that cannot be
// read is kept aside, as it was, before anything replaces or removes it.

#include <gtest/gtest.h>

#include <filesystem>

#include "TestFiles.h"
#include "foundation/Paths.h"
#include "foundation/PropertyList.h"
#include "ui/model/PreferenceInfo.h"
#include "ui/model/SettingsDictionaryFile.h"

namespace {

namespace fs = std::filesystem;

std::string settingsDictionaryFolder(const std::string& name) {
  return testenv::emptyFolderAt(fs::path(fnd::Paths::configDir()) / ("settingsdictionaryfile-" + name)) + "/";
}

struct DamagedSettingsCase {
  const char* name;
  std::string bytes;
};

const DamagedSettingsCase kDamagedSettings[] = {
    {"truncated", "<?xml version=\"1.0\"?><plist version=\"1.0\"><dict><key>LampOffTime</key><integer>3"},
    {"garbage", std::string("\x01\x02 not a plist \xff", 16)},
    {"array", "<?xml version=\"1.0\"?><plist version=\"1.0\"><array><integer>2</integer></array></plist>"},
    {"empty", ""},
};

}  // namespace

TEST(SettingsDictionaryFile, AnUnreadableFileIsKeptAsideBeforeItIsReplaced) {
  for (const DamagedSettingsCase& k : kDamagedSettings) {
    SCOPED_TRACE(k.name);
    const std::string folder = settingsDictionaryFolder(std::string("write-") + k.name);
    const std::string path = folder + "Preference.xml";
    const std::string aside = Quirel_SettingsDictionaryFile::unreadablePath(path);
    EXPECT_EQ(aside, path + ".unreadable");
    testenv::writeFile(aside, "an older copy");
    testenv::writeFile(path, k.bytes);
    Quirel_PreferenceInfo record;
    record.setLampTime(45);
    ASSERT_TRUE(record.writeToFolder(folder));
    EXPECT_EQ(testenv::readFile(aside), k.bytes);
    EXPECT_EQ(Quirel_PreferenceInfo::readFromFolder(folder).getLampTime(), 45);
    // Now the file is sound: the next write leaves the copy alone.
    record.setLampTime(50);
    ASSERT_TRUE(Quirel_SettingsDictionaryFile::write(path, record.getDictionary()));
    EXPECT_EQ(testenv::readFile(aside), k.bytes);
    EXPECT_EQ(Quirel_PreferenceInfo::readFromFolder(folder).getLampTime(), 50);
  }
}

TEST(SettingsDictionaryFile, ASoundOrMissingFileLeavesNothingAside) {
  const std::string folder = settingsDictionaryFolder("sound");
  const std::string path = folder + "InitSetting.xml";
  ASSERT_TRUE(Quirel_SettingsDictionaryFile::setAsideUnreadable(path));  // nothing there
  ASSERT_TRUE(Quirel_SettingsDictionaryFile::write(path, fnd::Dictionary{{"Mode", 1}}));
  ASSERT_TRUE(Quirel_SettingsDictionaryFile::setAsideUnreadable(path));
  ASSERT_TRUE(Quirel_SettingsDictionaryFile::write(path, fnd::Dictionary{{"Mode", 2}}));
  EXPECT_FALSE(fs::exists(Quirel_SettingsDictionaryFile::unreadablePath(path)));
  EXPECT_EQ(fnd::PropertyList::readFile(path).value->toDictionary().integer("Mode"), 2);
  // A folder in the file's place is not moved: the write fails and says why.
  const std::string blocked = folder + "Preference.xml";
  fs::create_directories(blocked);
  std::string error;
  EXPECT_TRUE(Quirel_SettingsDictionaryFile::setAsideUnreadable(blocked));
  EXPECT_FALSE(Quirel_SettingsDictionaryFile::write(blocked, fnd::Dictionary{{"Mode", 2}}, &error));
  EXPECT_FALSE(error.empty());
  EXPECT_TRUE(fs::is_directory(blocked));
  EXPECT_FALSE(fs::exists(Quirel_SettingsDictionaryFile::unreadablePath(blocked)));
}

// Removing the settings (a reset) must not lose a file the user might still recover.
TEST(SettingsDictionaryFile, SettingAsideMovesTheUnreadableFileOutOfTheWay) {
  for (const DamagedSettingsCase& k : kDamagedSettings) {
    SCOPED_TRACE(k.name);
    const std::string folder = settingsDictionaryFolder(std::string("aside-") + k.name);
    const std::string path = folder + "InitSetting.xml";
    testenv::writeFile(path, k.bytes);
    std::string error;
    ASSERT_TRUE(Quirel_SettingsDictionaryFile::setAsideUnreadable(path, &error)) << error;
    EXPECT_FALSE(fs::exists(path));
    EXPECT_EQ(testenv::readFile(Quirel_SettingsDictionaryFile::unreadablePath(path)), k.bytes);
  }
}
