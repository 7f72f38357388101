// The scan-end sound chooser's live type filter, and the self-test window's statuses, layout
// and time limit.

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>

#include "SettingsTestSupport.h"
#include "foundation/RunLoop.h"
#include "ui/settings/ScannerTestDialog.h"
#include "ui/settings/SoundOpenDialog.h"

using namespace settings_test;

namespace {

bool soundListed(const kit::OpenPanel& panel, const std::string& name) {
  const auto names = panel.entryNames();
  return std::find(names.begin(), names.end(), name) != names.end();
}

void postStatus(const void* sender, const char* name, fnd::Dictionary info) {
  fnd::NotificationCenter::defaultCenter().post(name, sender, fnd::makeShared(std::move(info)));
}

}  // namespace

TEST(SoundOpenDialog, TypesFilterTheFilesAtOnce) {
  BundleAnswer bundle;
  const auto folder = testenv::freshFolder("sounds");
  for (const char* name : {"a.mid", "b.rmi", "c.midi", "d.aiff", "e.aif", "f.wav", "g.mp3", "h.txt"})
    std::ofstream(folder / name) << "x";
  auto chooser = Quirel_SoundOpenDialog::init();
  ASSERT_TRUE(chooser);
  kit::OpenPanel* panel = chooser->openPanel();
  EXPECT_TRUE(panel->canChooseFiles());
  EXPECT_FALSE(panel->canChooseDirectories());
  EXPECT_FALSE(panel->allowsMultipleSelection());
  EXPECT_EQ(chooser->popup()->numberOfItems(), 4);
  EXPECT_EQ(chooser->popup()->itemTitleAtIndex(0), "All sound files");
  EXPECT_EQ(chooser->label()->stringValue(), "File type:");
  EXPECT_EQ(panel->allowedFileTypes(),
            (std::vector<std::string>{"mid", "rmi", "midi", "aiff", "aif", "wav", "mp3", "mp3"}));
  panel->setDirectory(folder.string());
  for (const char* name : {"a.mid", "b.rmi", "c.midi", "d.aiff", "e.aif", "f.wav", "g.mp3"})
    EXPECT_TRUE(soundListed(*panel, name)) << name;
  EXPECT_FALSE(soundListed(*panel, "h.txt"));

  chooser->popup()->selectItemAtIndex(1);
  chooser->changeFileTypePopup();
  EXPECT_FALSE(soundListed(*panel, "f.wav")) << "MIDI hides a wave file at once";
  EXPECT_TRUE(panel->selectEntry("c.midi"));
  EXPECT_TRUE(panel->selectEntry("b.rmi"));
  EXPECT_EQ(chooser->enabledFileTypes()->front(), "'MIDI'") << "the list as given, type codes included";

  chooser->popup()->selectItemAtIndex(0);
  chooser->changeFileTypePopup();
  EXPECT_TRUE(soundListed(*panel, "f.wav"));
  chooser->setFileType(7);
  EXPECT_FALSE(chooser->enabledFileTypes().has_value()) << "an unknown entry leaves every file";
}

TEST(SoundOpenDialog, TheChosenPathGoesIntoTheCopy) {
  BundleAnswer bundle;
  windows_test::FakeMessages messages;
  const auto folder = testenv::freshFolder("chosen-sound");
  const std::string wav = (folder / "done.wav").string();
  std::ofstream(wav) << "RIFF";
  Opening o;
  o.scanner = scanner(launcherFlags());
  o.prefs.setSound(true);
  auto d = openPrefs(o);
  std::vector<std::string> offered;
  d->setPanelRunner([&](kit::OpenPanel& panel) {
    offered = panel.allowedFileTypes();
    return std::optional<std::string>(wav);
  });
  showTab(*d, Quirel_CTRLS_PREFTabView::kScanner);
  d->mPlaySoundBtn->getPushBT()->performClick();
  EXPECT_EQ(offered.size(), 8u);
  EXPECT_EQ(d->getData()->getSoundPath(), wav);
  EXPECT_EQ(d->getData()->getSoundPathBookmarkURL(), wav);
  EXPECT_EQ(d->mPlaySoundTxtF->getStringValue(), wav) << "a plain path under the launcher";
  EXPECT_TRUE(messages.shown.empty());
  // The box greys field and button together.
  d->mPlaySoundCbx->getCheckBox()->performClick();
  EXPECT_FALSE(d->getData()->getSound());
  EXPECT_FALSE(d->mPlaySoundBtn->getPushBT()->isEnabled());
}

TEST(ScannerTestDialog, StatusesDecideCloseCodeAndStart) {
  BundleAnswer bundle;
  int uim = 0;
  struct Row {
    std::vector<int> statuses;  // the last one comes with the end
    int code;
    bool startEnabled;
  };
  for (const Row& r : std::vector<Row>{{{1630}, 0, true}, {{1630, 1904}, 1, false}, {{1206, 1630}, 1, false}}) {
    Quirel_ScannerTestDialog dialog;
    dialog.setUIMObject(&uim);
    RecordingAnswerer answerer([&](const std::string& name, fnd::Dictionary&) {
      if (name != "ExecuteScannerTestPost") return;
      for (std::size_t i = 0; i + 1 < r.statuses.size(); ++i)
        postStatus(&uim, "DisplayScannerTestStatusInnerPost", {{"TestStatus", r.statuses[i]}});
      postStatus(&uim, "EndScannerTestInnerPost", {{"TestStatus", r.statuses.back()}});
    });
    bool startEnabled = false;
    app().onNextModalWindow([&](kit::Window&) {
      dialog.startButton()->performClick();
      EXPECT_FALSE(dialog.closeButton()->isEnabled());
      EXPECT_EQ(dialog.messageField()->stringValue(), "The test is running…");
      // The request leaves 0.1 s later, inside the modal run.
      for (int i = 0; i < 200 && !dialog.closeButton()->isEnabled(); ++i)
        fnd::RunLoop::main().runOnce(fnd::RunLoopMode::ModalPanel, 0.05);
      startEnabled = dialog.startButton()->isEnabled();
      dialog.closeButton()->performClick();
    });
    EXPECT_EQ(dialog.runModal(), r.code);
    EXPECT_EQ(startEnabled, r.startEnabled);
    ASSERT_EQ(answerer.requests.size(), 1u);
    EXPECT_EQ(answerer.requests[0].sender, &uim) << "sent with the window controller";
  }
}

TEST(ScannerTestDialog, MessagesNumbersAndHeights) {
  BundleAnswer bundle;
  // The name fills the heading's placeholder literally: a "%n" in it is shown, never run.
  auto named = scanner({{"ScannerName", "Scan%n%s"}});
  Quirel_ScannerTestDialog heading(named.get(), nullptr);
  EXPECT_EQ(heading.titleField()->stringValue(), "Testing Scan%n%s.");
  Quirel_ScannerTestDialog dialog;
  const std::string text = dialog.getMessageString({{"TestStatus", 1630}});
  EXPECT_EQ(text, "The scanner test completed successfully.");
  EXPECT_EQ(dialog.getMessageString({{"TestStatus", 1630}, {"Number1", 0}, {"Number2", 0}, {"Number3", 0}}), text);
  EXPECT_EQ(dialog.getMessageString({{"TestStatus", 1630}, {"Number1", 0}, {"Number2", 2}, {"Number3", 0}}),
            text + "\r\r(0.2.0)");
  dialog.setMessageTextField("one line");
  EXPECT_EQ(dialog.messageField()->frame().size.height, 78);
  dialog.setMessageTextField("a\nb\nc\nd\ne");
  EXPECT_EQ(dialog.messageField()->frame().size.height, 138);
  dialog.setMessageTextField("");
  EXPECT_EQ(dialog.messageField()->frame().size.height, 78);
  EXPECT_EQ(dialog.level(), 12);
  dialog.makeKeyAndOrderFront();
  dialog.setLevel(3);
  dialog.windowDidUpdate(dialog);
  EXPECT_EQ(dialog.level(), 12);
  dialog.orderOut();
}

TEST(ScannerTestDialog, NoEndWithinTheLimitFails) {
  BundleAnswer bundle;
  int uim = 0;
  Quirel_ScannerTestDialog dialog;
  dialog.setUIMObject(&uim);
  std::function<void()> fire;
  double limit = 0;
  dialog.setTimeLimitScheduler([&](double seconds, std::function<void()> f) {
    limit = seconds;
    fire = std::move(f);
  });
  app().onNextModalWindow([&](kit::Window&) {
    dialog.startButton()->performClick();
    postStatus(&uim, "DisplayScannerTestStatusInnerPost", {{"TestStatus", 1630}});
    EXPECT_FALSE(dialog.closeButton()->isEnabled());
    ASSERT_TRUE(fire);
    fire();  // the fake clock reaches the limit
    EXPECT_TRUE(dialog.closeButton()->isEnabled());
    EXPECT_FALSE(dialog.startButton()->isEnabled());
    dialog.closeButton()->performClick();
  });
  EXPECT_EQ(dialog.runModal(), 1);
  EXPECT_EQ(limit, 60);
}

TEST(ScannerTestDialog, TheApplicationEndingFailsARunningTest) {
  BundleAnswer bundle;
  Quirel_ScannerTestDialog dialog;
  dialog.setTimeLimitScheduler([](double, std::function<void()>) {});
  app().onNextModalWindow([&](kit::Window&) {
    dialog.startButton()->performClick();
    // What the application posts as it ends (the run itself is ended by the test).
    fnd::NotificationCenter::defaultCenter().post(kit::Application::kWillTerminateNotification, &app());
    EXPECT_EQ(dialog.error(), 1);
    EXPECT_TRUE(dialog.closeButton()->isEnabled());
    dialog.closeButton()->performClick();
  });
  EXPECT_EQ(dialog.runModal(), 1);
}

TEST(PrefsScannerTabBrackets, SubPanelsRunBetweenTheModalNotificationsAtALowerLevel) {
  BundleAnswer bundle;
  windows_test::FakeMessages messages;
  Opening o;
  o.scanner = scanner(launcherFlags());
  auto d = openPrefs(o);
  std::vector<std::string> seen;
  std::vector<int> levels;
  auto& center = fnd::NotificationCenter::defaultCenter();
  std::vector<fnd::NotificationCenter::Token> tokens;
  for (const char* name : {"showModalDialog_FolderOpen", "closeModalDialog_FolderOpen", "showModalDialog_SoundOpen",
                           "closeModalDialog_SoundOpen"})
    tokens.push_back(center.observe(name, d.get(), [&](const fnd::Notification& n) { seen.push_back(n.name); }));
  d->setPanelRunner([&](kit::OpenPanel&) {
    levels.push_back(d->window()->level());
    return std::optional<std::string>();
  });
  d->SaveDirBrowsOpen();
  d->getData();
  showTab(*d, Quirel_CTRLS_PREFTabView::kScanner);
  d->mPlaySoundCbx->getCheckBox()->performClick();
  d->mPlaySoundBtn->getPushBT()->performClick();
  EXPECT_EQ(seen, (std::vector<std::string>{"showModalDialog_FolderOpen", "closeModalDialog_FolderOpen",
                                            "showModalDialog_SoundOpen", "closeModalDialog_SoundOpen"}));
  EXPECT_EQ(levels, (std::vector<int>{kit::kModalPanelWindowLevel, kit::kModalPanelWindowLevel}));
  EXPECT_EQ(d->window()->level(), Quirel_PrefsDialog::kLevel);
  EXPECT_TRUE(messages.shown.empty());
}
