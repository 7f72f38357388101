// File and folder tests, folder creation and removal, display paths and the volume tests
// answered from a mount table.

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "TestEnvironment.h"
#include "ui/base/FileManager.h"
#include "ui/base/MountTable.h"

namespace fs = std::filesystem;

namespace {

void spit(const fs::path& p, const std::string& bytes) {
  fs::create_directories(p.parent_path());
  std::ofstream(p, std::ios::binary) << bytes;
}

std::string mountLine(int id, const std::string& point, const std::string& type, const std::string& source) {
  return std::to_string(id) + " 1 8:1 / " + point + " rw,relatime shared:1 - " + type + " " + source + " rw\n";
}

}  // namespace

TEST(MountTable, ParsesMountInfoAndFindsTheVolumeOfAPath) {
  const MountTable t = MountTable::parse(
      mountLine(1, "/", "ext4", "/dev/sda2") + mountLine(2, "/mnt/nfs", "nfs4", "server:/export") +
      "3 1 0:50 / /mnt/my\\040disk rw master:2 shared:7 - vfat /dev/sdb1 rw\n" +
      "garbage line\n" + mountLine(4, "/mnt/nfs", "tmpfs", "tmpfs"));  // mounted over the first
  ASSERT_EQ(t.entries().size(), 4u);
  EXPECT_EQ(t.entries()[2].mountPoint, "/mnt/my disk");
  EXPECT_EQ(t.entries()[2].source, "/dev/sdb1");
  struct Case {
    const char* path;
    const char* mountPoint;
  } cases[] = {{"/", "/"},          {"/home/me", "/"},           {"/mnt/nfs", "/mnt/nfs"},
               {"/mnt/nfs/a", "/mnt/nfs"}, {"/mnt/nfs2/a", "/"}, {"/mnt/my disk/x", "/mnt/my disk"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.path);
    ASSERT_NE(t.entryFor(c.path), nullptr);
    EXPECT_EQ(t.entryFor(c.path)->mountPoint, c.mountPoint);
  }
  EXPECT_EQ(t.entryFor("/mnt/nfs/a")->fsType, "tmpfs");  // the later mount hides the earlier
  EXPECT_EQ(MountTable::parse("").entryFor("/"), nullptr);
  EXPECT_TRUE(MountTable::isNetworkType("nfs4"));
  EXPECT_TRUE(MountTable::isNetworkType("cifs"));
  EXPECT_FALSE(MountTable::isNetworkType("ext4"));
  EXPECT_TRUE(MountTable::isUserMountPoint("/media/me/Backup"));
  EXPECT_TRUE(MountTable::isUserMountPoint("/run/media/me/Backup"));
  EXPECT_FALSE(MountTable::isUserMountPoint("/media"));
  EXPECT_FALSE(MountTable::isUserMountPoint("/mediafiles/x"));
  EXPECT_FALSE(MountTable::isUserMountPoint("/home"));
}

TEST(QuirelFileManager, AcceptableFilesAndFolders) {
  const fs::path d = testenv::freshFolder("enabled");
  spit(d / "file.txt", "x");
  fs::create_directories(d / "Tool.app");
  fs::create_directories(d / "folder");
  const Quirel_FileManager fm;
  struct Case {
    std::string path;
    bool allowFile, expected;
  } cases[] = {
      {(d / "file.txt").string(), true, true},  {(d / "file.txt").string(), false, false},
      {(d / "folder").string(), false, true},   {(d / "folder").string(), true, true},
      {(d / "Tool.app").string(), false, false}, {(d / "Tool.app").string(), true, false},
      {(d / "missing").string(), true, false},  {"", true, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.path + (c.allowFile ? " files allowed" : " folders only"));
    EXPECT_EQ(fm.isEnabledFile(c.path, c.allowFile), c.expected);
    EXPECT_EQ(fm.isEnabledFile(c.path, c.allowFile, true), c.expected);
  }
  EXPECT_TRUE(fm.hasAccessRight(d.string(), false));
  EXPECT_FALSE(fm.hasAccessRight((d / "missing").string(), true));
  if (geteuid() != 0) {  // the superuser may write anywhere
    fs::permissions(d / "folder", fs::perms::owner_read | fs::perms::owner_exec);
    EXPECT_TRUE(fm.isEnabledFile((d / "folder").string(), false, true));
    EXPECT_FALSE(fm.isEnabledFile((d / "folder").string(), false, false));
    fs::permissions(d / "folder", fs::perms::owner_all);
  }
}

TEST(QuirelFileManager, ParentFolderPath) {
  struct Case {
    const char* path;
    const char* parent;
  } cases[] = {{"/a/b/c", "/a/b"}, {"/a/b/", "/a"}, {"/a", "/"}, {"/", "/"}, {"name", ""}, {"", ""}};
  for (const Case& c : cases) EXPECT_EQ(Quirel_FileManager::getParentFolderPath(c.path), c.parent) << c.path;
}

TEST(QuirelFileManager, CreateDirectoryDropsTheExtensionAndMakesAnOwnerOnlyFolder) {
  const fs::path d = testenv::freshFolder("create");
  const Quirel_FileManager fm;
  ::umask(022);
  EXPECT_TRUE(fm.createDirectory((d / "temp.d").string()));
  EXPECT_TRUE(fs::is_directory(d / "temp"));
  EXPECT_FALSE(fs::exists(d / "temp.d"));
  struct stat st {};
  ASSERT_EQ(::stat((d / "temp").c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0700u);
  EXPECT_EQ(st.st_uid, geteuid());

  EXPECT_TRUE(fm.createDirectory((d / "keep.d").string() + "/"));  // a final "/" keeps the name
  EXPECT_TRUE(fs::is_directory(d / "keep.d"));
  EXPECT_TRUE(fm.createDirectory((d / ".hidden").string()));  // a leading dot is no extension
  EXPECT_TRUE(fs::is_directory(d / ".hidden"));
  EXPECT_TRUE(fm.createDirectory((d / "temp").string()));  // already there
  EXPECT_FALSE(fm.createDirectory((d / "no/parents").string()));
  EXPECT_FALSE(fs::exists(d / "no"));
  EXPECT_FALSE(fm.createDirectory(""));
  spit(d / "plain", "x");
  EXPECT_FALSE(fm.createDirectory((d / "plain").string()));  // a file is in the way
}

TEST(QuirelFileManager, RemoveFileStaysInsideTheFolderAndKeepsTheCurrentFolder) {
  const fs::path d = testenv::freshFolder("remove");
  spit(d / "InitSetting.xml", "x");
  spit(d / "inner/keep.txt", "x");
  spit(d.parent_path() / "outside.txt", "x");
  const Quirel_FileManager fm;
  const fs::path before = fs::current_path();
  EXPECT_TRUE(fm.removeFile(d.string(), "InitSetting.xml"));
  EXPECT_FALSE(fs::exists(d / "InitSetting.xml"));
  EXPECT_EQ(fs::current_path(), before);
  EXPECT_FALSE(fm.removeFile(d.string(), "InitSetting.xml"));  // gone already
  EXPECT_FALSE(fm.removeFile(d.string(), "../outside.txt"));
  EXPECT_FALSE(fm.removeFile(d.string(), ".."));
  EXPECT_FALSE(fm.removeFile(d.string(), "."));
  EXPECT_FALSE(fm.removeFile(d.string(), "inner/keep.txt"));
  EXPECT_FALSE(fm.removeFile(d.string(), ""));
  EXPECT_FALSE(fm.removeFile((d / "missing").string(), "x"));
  EXPECT_TRUE(fs::exists(d.parent_path() / "outside.txt"));
  EXPECT_TRUE(fs::exists(d / "inner/keep.txt"));
}

TEST(QuirelFileManager, VolumeTestsAnsweredFromTheMountTable) {
  const fs::path d = fs::canonical(testenv::freshFolder("volumes"));
  fs::create_directories(d / "remote/scans");
  fs::create_directories(d / "stick/scans");
  fs::create_directories(d / "disk/scans");
  // Block devices: a partition of a removable disk and a fixed disk.
  fs::create_directories(d / "sys/devices/sdz/sdz1");
  spit(d / "sys/devices/sdz/removable", "1\n");
  fs::create_directories(d / "sys/devices/sdy");
  spit(d / "sys/devices/sdy/removable", "0\n");
  fs::create_directories(d / "sys/block");
  fs::create_directory_symlink(d / "sys/devices/sdz/sdz1", d / "sys/block/sdz1");
  fs::create_directory_symlink(d / "sys/devices/sdy", d / "sys/block/sdy");
  spit(d / "mountinfo", mountLine(1, "/", "ext4", "/dev/sda2") +
                            mountLine(2, (d / "remote").string(), "nfs4", "server:/export") +
                            mountLine(3, (d / "stick").string(), "vfat", "/dev/sdz1") +
                            mountLine(4, (d / "disk").string(), "ext4", "/dev/sdy"));
  const Quirel_FileManager fm((d / "mountinfo").string(), (d / "sys/block").string());

  // A path is judged by the folder that holds it.
  EXPECT_TRUE(fm.isNetworkPath((d / "remote/scans").string()));
  EXPECT_FALSE(fm.isNetworkPath((d / "remote").string()));
  EXPECT_FALSE(fm.isNetworkPath((d / "disk/scans").string()));
  EXPECT_TRUE(fm.isNetworkPath("/Network"));
  EXPECT_FALSE(fm.isNetworkPath("/Network/Servers/box"));  // judged by its (missing) volume
  EXPECT_FALSE(fm.isNetworkPath(""));

  EXPECT_TRUE(fm.isRemovableDisk((d / "stick/scans").string()));
  EXPECT_FALSE(fm.isRemovableDisk((d / "disk/scans").string()));
  EXPECT_FALSE(fm.isRemovableDisk((d / "remote/scans").string()));
  EXPECT_FALSE(fm.isRemovableDisk((d / "missing").string()));
  EXPECT_TRUE(fm.hasFileSystemInfo((d / "disk").string()));
  EXPECT_FALSE(Quirel_FileManager((d / "no-mountinfo").string(), "").hasFileSystemInfo(d.string()));

  EXPECT_FALSE(fm.isWritableCDPath((d / "Burn.fpbf").string()));
  fs::create_directory_symlink(d / "disk", d / "link");
  fs::create_symlink(d / "nowhere", d / "dangling");
  EXPECT_TRUE(fm.isSymbolicLinkPath((d / "link").string()));
  EXPECT_TRUE(fm.isSymbolicLinkPath((d / "dangling").string()));
  EXPECT_FALSE(fm.isSymbolicLinkPath((d / "disk").string()));
}

TEST(QuirelFileManager, DisplayPathsNameTheVolumeAndJoinWithColons) {
  const MountTable::Entry root{"/", "ext4", "/dev/sda2"};
  const MountTable::Entry backup{"/media/me/Backup", "vfat", "/dev/sdb1"};
  const MountTable::Entry home{"/home", "ext4", "/dev/sda3"};
  EXPECT_EQ(Quirel_FileManager::displayPath("/media/me/Backup/scans", &backup, "Disk"), "Backup:scans");
  EXPECT_EQ(Quirel_FileManager::displayPath("/media/me/Backup", &backup, "Disk"), "Backup");
  EXPECT_EQ(Quirel_FileManager::displayPath("/home/me/Pictures", &home, "Disk"), "Disk:home:me:Pictures");
  EXPECT_EQ(Quirel_FileManager::displayPath("/home/me/Pictures", &root, "Disk"), "Disk:home:me:Pictures");
  EXPECT_EQ(Quirel_FileManager::displayPath("/", &root, "Disk"), "Disk");

  const fs::path d = fs::canonical(testenv::freshFolder("display"));
  const Quirel_FileManager fm;
  std::string expected = fm.startupVolumeName();
  for (const fs::path& part : d.relative_path()) expected += ":" + part.string();
  EXPECT_EQ(fm.makeDisplayFilePath(d.string(), false), expected);
  EXPECT_EQ(fm.makeDisplayFilePath((d / "missing").string(), true), "");
}
