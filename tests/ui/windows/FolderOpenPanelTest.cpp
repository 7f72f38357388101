// The folder chooser on its real panel: what the panel lists, which folders OK accepts, and the
// free-space refusal that keeps the panel open.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iostream>

#include "TestEnvironment.h"
#include "WindowDoubles.h"
#include "foundation/Bundle.h"
#include "foundation/NotificationCenter.h"
#include "kit/Application.h"
#include "kit/Button.h"
#include "ui/base/PVLocalizedBundle.h"
#include "ui/windows/FolderOpenDialog.h"
#include "ui/windows/FolderOpenPanel.h"

namespace fs = std::filesystem;
using namespace windows_test;

namespace {

// A tree on an ordinary disk ("ok", "full", a package and a link) and a network file system
// mounted at "remote" (its folder "scans" is on it; the mount point itself is judged by the
// folder holding it); "full" is the folder whose volume the tests make nearly full.
struct Tree {
  fs::path root = fs::canonical(testenv::freshFolder("folder-panel"));
  Quirel_FileManager fileManager;
  Tree() : fileManager(write(), (root / "sys").string()) {}
  std::string write() {
    for (const char* d : {"ok", "full", "remote/scans", "App.app"}) fs::create_directories(root / d);
    fs::create_directory_symlink(root / "ok", root / "link");
    std::ofstream(root / "notes.txt") << "a file\n";
    std::ofstream(root / "mountinfo") << "1 0 8:1 / / rw - ext4 /dev/sda2 rw\n"
                                      << "2 1 0:40 / " << (root / "remote").string() << " rw - cifs //srv/x rw\n";
    return (root / "mountinfo").string();
  }
  std::string path(const char* name) const { return (root / name).string(); }
};

// Answers the chooser's request for its localisation bundle, as the main-window controller does.
struct BundleAnswer {
  fnd::NotificationCenter::Token token = fnd::NotificationCenter::defaultCenter().observe(
      Quirel_PVLocalizedBundle::kLocalizePostName, nullptr, [](const fnd::Notification& n) {
        if (auto carrier = Quirel_PVLocalizedBundle::fromLocalizeRequest(n))
          carrier->setLocalizedBundleStr(fnd::Bundle::main().identifier());
      });
};

}  // namespace

TEST(FolderOpenPanel, ChoosesFoldersOnlyWithTheChoosersTitles) {
  Tree tree;
  {
    // Nobody answers for the texts: no blank title bar, no blank OK button.
    Quirel_FolderOpenDialog unanswered(tree.fileManager);
    EXPECT_EQ(unanswered.openPanel()->title(), "Open");
    EXPECT_EQ(unanswered.openPanel()->okButton()->title(), "Open");
  }
  BundleAnswer answer;
  Quirel_FolderOpenDialog chooser(tree.fileManager);
  Quirel_FolderOpenPanel* panel = chooser.openPanel();
  ASSERT_NE(panel, nullptr);
  ASSERT_NE(panel->foundOkButton(), nullptr);
  EXPECT_EQ(panel->foundOkButton(), panel->okButton());
  EXPECT_EQ(Quirel_FolderOpenPanel::searchOkButton(nullptr), nullptr);
  EXPECT_EQ(panel->title(), "Choose a Folder");
  EXPECT_EQ(panel->okButton()->title(), "Choose");
  EXPECT_TRUE(panel->canChooseDirectories());
  EXPECT_FALSE(panel->canChooseFiles());
  EXPECT_TRUE(panel->canCreateDirectories());

  // The folder shown at first is judged at once, so OK cannot answer it unchecked.
  EXPECT_EQ(chooser.selectPath(), panel->directory());
  EXPECT_EQ(panel->okButton()->isEnabled(), chooser.shouldShowFilename(panel->directory()));

  // Files are not listed; unsuitable folders are listed but cannot be chosen.
  panel->setDirectory(tree.root.string());
  EXPECT_EQ(panel->entryNames(), (std::vector<std::string>{"App.app", "full", "link", "ok", "remote"}));
  struct Case {
    const char* name;
    bool selectable;
  } cases[] = {{"ok", true}, {"full", true}, {"App.app", false}, {"link", false}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(panel->selectEntry(c.name), c.selectable);
  }
  panel->setDirectory(tree.path("remote"));
  EXPECT_EQ(panel->entryNames(), std::vector<std::string>{"scans"});
  EXPECT_FALSE(panel->selectEntry("scans"));

  // The chooser without a panel of its own has none to offer.
  FakePanel fake;
  EXPECT_EQ(Quirel_FolderOpenDialog(fake).openPanel(), nullptr);
}

TEST(FolderOpenPanel, TooFullVolumeKeepsThePanelOpenAndAnotherFolderIsAnswered) {
  BundleAnswer answer;
  FakeMessages messages;
  Tree tree;
  const std::string full = tree.path("full"), ok = tree.path("ok");
  Quirel_FolderOpenDialog chooser(tree.fileManager, [&](const std::string& path) -> std::optional<std::uint64_t> {
    return path == full ? Quirel_FolderOpenDialog::kMinimumFreeSize - 1 : std::uint64_t{1} << 34;
  });
  chooser.setCheckFreeSize(true);
  Quirel_FolderOpenPanel& panel = *chooser.openPanel();

  std::string png;
  bool openAfterRemote = false, openAfterFull = false, okEnabledOnRemote = true;
  kit::Application::shared().onNextModalWindow([&](kit::Window& w) {
    EXPECT_EQ(&w, &panel);
    const fs::path shots = testenv::freshFolder("folder-panel-shot");
    // The tree as listed: unsuitable folders greyed.
    panel.setDirectory(tree.root.string());
    EXPECT_TRUE(w.grabToPng((shots / "folder-panel-list.png").string()));
    // A network folder disables OK: a click does nothing.
    panel.setDirectory(tree.path("remote/scans"));
    okEnabledOnRemote = panel.okButton()->isEnabled();
    panel.okButton()->performClick();
    openAfterRemote = kit::Application::shared().modalWindow() == &panel;

    // A suitable folder on a volume with one byte less than 10 MiB free: message 1640, still open.
    panel.setDirectory(full);
    EXPECT_TRUE(panel.okButton()->isEnabled());
    panel.okButton()->performClick();
    openAfterFull = kit::Application::shared().modalWindow() == &panel;
    png = (shots / "folder-panel.png").string();
    EXPECT_TRUE(w.grabToPng(png));
    std::cout << "folder panel screenshot: " << png << std::endl;

    panel.setDirectory(ok);
    panel.okButton()->performClick();
    // Never leave the run hanging when OK did not end it.
    if (kit::Application::shared().modalWindow() == &panel) panel.cancel();
  });
  EXPECT_EQ(panel.runModal(), kit::OpenPanel::kOK);
  EXPECT_FALSE(okEnabledOnRemote);
  EXPECT_TRUE(openAfterRemote);
  EXPECT_TRUE(openAfterFull);
  EXPECT_EQ(messages.shown, Log{"message:1640,0,0,0"});
  EXPECT_EQ(panel.URL(), ok);
  EXPECT_EQ(chooser.selectPath(), ok);
}
