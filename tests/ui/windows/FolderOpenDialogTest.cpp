// The folder chooser: its titles, which folders it lets the user pick, and the free-space check.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "TestEnvironment.h"
#include "WindowDoubles.h"
#include "foundation/Bundle.h"
#include "foundation/NotificationCenter.h"
#include "ui/base/PVLocalizedBundle.h"
#include "ui/windows/FolderOpenDialog.h"

namespace fs = std::filesystem;
using namespace windows_test;

namespace {

// Volumes of the test: the folder "remote" on a network file system, "stick" on a volume below
// /media, everything else on an ordinary disk.
struct Volumes {
  fs::path root = fs::canonical(testenv::freshFolder("chooser"));
  Quirel_FileManager fileManager;
  Volumes() : fileManager(write(), (root / "sys").string()) {}
  std::string write() {
    fs::create_directories(root / "ok");
    fs::create_directories(root / "remote/scans");
    fs::create_directories(root / "App.app");
    fs::create_directory_symlink(root / "ok", root / "link");
    std::ofstream(root / "mountinfo") << "1 0 8:1 / / rw - ext4 /dev/sda2 rw\n"
                                      << "2 1 0:40 / " << (root / "remote").string() << " rw - cifs //srv/x rw\n";
    return (root / "mountinfo").string();
  }
};

}  // namespace

TEST(FolderOpenDialog, TitlesComeFromTheWindowControllersBundle) {
  FakePanel unanswered;
  Quirel_FolderOpenDialog bare(unanswered);
  EXPECT_EQ(unanswered.title, "");

  fnd::NotificationCenter::Token controller = fnd::NotificationCenter::defaultCenter().observe(
      Quirel_PVLocalizedBundle::kLocalizePostName, nullptr, [](const fnd::Notification& n) {
        if (auto carrier = Quirel_PVLocalizedBundle::fromLocalizeRequest(n))
          carrier->setLocalizedBundleStr(fnd::Bundle::main().identifier());
      });
  FakePanel panel;
  Quirel_FolderOpenDialog dialog(panel);
  EXPECT_EQ(panel.title, "Choose a Folder");
  EXPECT_EQ(panel.okTitle, "Choose");
  EXPECT_TRUE(dialog.canCreateDirectories());
  EXPECT_FALSE(dialog.checkFreeSize());
}

TEST(FolderOpenDialog, OnlySuitableFoldersEnableOK) {
  Volumes v;
  FakePanel panel;
  Quirel_FolderOpenDialog dialog(panel, v.fileManager);
  struct Case {
    std::string path;
    bool acceptable;
  } cases[] = {
      {(v.root / "ok").string(), true},
      {(v.root / "remote/scans").string(), false},  // network file system
      {(v.root / "App.app").string(), false},       // package
      {(v.root / "link").string(), false},          // symbolic link
      {(v.root / "mountinfo").string(), false},     // a file
      {(v.root / "missing").string(), false},
      {"", false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.path);
    EXPECT_EQ(dialog.shouldShowFilename(c.path), c.acceptable);
    dialog.directoryDidChange(c.path);
    EXPECT_EQ(panel.okEnabled, c.acceptable);
    EXPECT_EQ(dialog.selectPath(), c.path);
  }
  const std::string ok = (v.root / "ok").string();
  EXPECT_TRUE(dialog.shouldEnableURL("file://" + ok));
  EXPECT_TRUE(dialog.shouldEnableURL("file://localhost" + ok));
  EXPECT_FALSE(dialog.shouldEnableURL("http://host" + ok));
  EXPECT_FALSE(dialog.shouldEnableURL("file://otherhost" + ok));
  EXPECT_FALSE(dialog.shouldEnableURL("file://" + (v.root / "App.app").string()));
  EXPECT_EQ(Quirel_FolderOpenDialog::pathOfFileURL("file:///a%20b/c%2Fd"), "/a b/c/d");
  EXPECT_EQ(Quirel_FolderOpenDialog::pathOfFileURL("file:///a%00b"), std::nullopt);
}

TEST(FolderOpenDialog, OKRefusesVolumesWithLessThanTenMebibytesFree) {
  struct Case {
    bool check;
    std::optional<std::uint64_t> free;
    bool accepted;
  } cases[] = {
      {true, 10485759, false}, {true, 10485760, true}, {true, 0, false},
      {true, std::nullopt, true},  // unreadable: the panel's own OK runs
      {false, 0, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.free.value_or(~0ull)) + (c.check ? " checked" : " unchecked"));
    FakeMessages messages;
    FakePanel panel;
    std::string asked;
    Quirel_FolderOpenDialog dialog(panel, Quirel_FileManager(), [&](const std::string& path) {
      asked = path;
      return c.free;
    });
    dialog.setCheckFreeSize(c.check);
    dialog.directoryDidChange("/some/folder");
    EXPECT_EQ(dialog.ok(), c.accepted);
    EXPECT_EQ(panel.okRuns, c.accepted ? 1 : 0);
    EXPECT_EQ(messages.shown, c.accepted ? Log{} : Log{"message:1640,0,0,0"});
    if (c.check) {
      EXPECT_EQ(asked, "/some/folder");
    }
  }
}
