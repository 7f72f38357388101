// Alerts and sheets, the open panel with its validation hook, the workspace recorder and
// sounds.

#include <gtest/gtest.h>

#include <QFile>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <memory>

#include "KitTestSupport.h"
#include "TestEnvironment.h"
#include "foundation/RunLoop.h"
#include "foundation/Timer.h"
#include "kit/Alert.h"
#include "kit/Button.h"
#include "kit/OpenPanel.h"
#include "kit/Panel.h"
#include "kit/RecordingWorkspace.h"
#include "kit/Sheet.h"
#include "kit/Sound.h"

namespace {

namespace fs = std::filesystem;
using fnd::Rect;
using kit::Application;
using kit::Window;

class PanelTest : public kittest::KitTest {};

kit::Button* buttonTitled(Window& w, const std::string& title) {
  return dynamic_cast<kit::Button*>(w.contentView()->findView([&](kit::View& v) {
    auto* b = dynamic_cast<kit::Button*>(&v);
    return b && b->title() == title;
  }));
}

TEST_F(PanelTest, AnAlertRunAnswersTheCodeOfTheButtonClicked) {
  Application& app = Application::shared();
  struct Case {
    const char* click;
    int code;
  };
  for (Case c : {Case{"Scan", kit::kAlertFirstButtonReturn}, Case{"Cancel", kit::kAlertSecondButtonReturn}}) {
    kit::Alert alert;
    alert.setMessageText("The scanner is warming up.");
    alert.setInformativeText("Scanning starts when the lamp is ready.");
    alert.addButtonWithTitle("Scan");
    alert.addButtonWithTitle("Cancel");
    app.onNextModalWindow([&](Window& w) {
      ASSERT_NE(buttonTitled(w, c.click), nullptr);
      buttonTitled(w, c.click)->performClick();
    });
    EXPECT_EQ(alert.runModal(), c.code) << c.click;
    EXPECT_FALSE(alert.window().isVisible());
  }
  // Return answers the first button, Escape the one titled Cancel.
  kit::Alert alert;
  alert.addButtonWithTitle("OK");
  alert.addButtonWithTitle("Cancel");
  app.onNextModalWindow([&](Window& w) {
    w.contentView()->performKeyEquivalent(kittest::key(w, std::string(1, kit::keys::kEscape)));
  });
  EXPECT_EQ(alert.runModal(), kit::kAlertSecondButtonReturn);
  // The first button is the rightmost.
  EXPECT_GT(alert.buttons()[0]->frame().minX(), alert.buttons()[1]->frame().minX());
}

TEST_F(PanelTest, AnAlertAsASheetAnswersItsCompletionAndLeavesTheParent) {
  Window parent(Rect(100, 100, 500, 300), kit::kTitledWindowMask);
  parent.makeKeyAndOrderFront();
  kit::Alert alert;
  alert.setMessageText("Replace the file?");
  alert.addButtonWithTitle("Replace");
  alert.addButtonWithTitle("Cancel");
  auto* behind = static_cast<kit::Button*>(parent.contentView()->addSubview(std::make_unique<kit::Button>(Rect(10, 10, 100, 30))));
  int behindClicks = 0;
  behind->setAction([&](kit::Control&) { ++behindClicks; });
  auto pressBehind = [&] {
    Application& app = Application::shared();
    app.postEvent(kittest::mouse(kit::EventType::LeftMouseDown, parent, 40, 20));
    app.postEvent(kittest::mouse(kit::EventType::LeftMouseUp, parent, 40, 20));
    app.dispatchQueuedEvents();
  };
  int answered = 0;
  alert.beginSheetModalForWindow(parent, [&](int code) { answered = code; });
  parent.makeKeyWindow();  // so that a press would act at once, were it not blocked
  pressBehind();
  EXPECT_EQ(behindClicks, 0) << "the parent takes no presses while the sheet is up";
  EXPECT_EQ(kit::Sheet::attachedSheet(parent), &alert.window());
  EXPECT_TRUE(alert.window().isVisible());
  EXPECT_EQ(alert.window().parentWindow(), &parent);
  // A second sheet on the same parent is refused.
  Window other(Rect(0, 0, 100, 50), kit::kTitledWindowMask);
  EXPECT_FALSE(kit::Sheet::begin(other, parent, nullptr));
  alert.buttons()[0]->performClick();
  EXPECT_EQ(answered, kit::kAlertFirstButtonReturn);
  EXPECT_EQ(kit::Sheet::attachedSheet(parent), nullptr);
  EXPECT_FALSE(alert.window().isVisible());
  fnd::RunLoop::main().runOnce(fnd::RunLoopMode::Default, 0);
  pressBehind();
  EXPECT_EQ(behindClicks, 1);
}

// Refuses every folder whose name says it is full, as the free-space check does.
class RefusesFull : public kit::OpenPanelDelegate {
 public:
  int refusals = 0;
  std::vector<std::string> directories;
  bool panelValidateURL(kit::OpenPanel&, const std::string& path) override {
    if (fs::path(path).filename() != "full") return true;
    ++refusals;
    return false;
  }
  bool panelShouldEnableURL(kit::OpenPanel&, const std::string& path) override {
    return fs::path(path).filename() != "locked";
  }
  void panelDirectoryDidChange(kit::OpenPanel&, const std::string& path) override { directories.push_back(path); }
};

TEST_F(PanelTest, TheOpenPanelStaysOpenWhileItsValidationHookRefusesTheFolder) {
  fs::path root = testenv::freshFolder("open-panel");
  for (const char* d : {"full", "roomy", "locked"}) fs::create_directory(root / d);
  std::ofstream(root / "scan.jpg") << "x";
  kit::OpenPanel panel;
  panel.setCanChooseFiles(false);
  panel.setCanChooseDirectories(true);
  panel.setPrompt("Choose");
  RefusesFull delegate;
  panel.setDelegate(&delegate);
  panel.setDirectory(root.string());
  EXPECT_EQ(panel.entryNames(), (std::vector<std::string>{"full", "locked", "roomy"})) << "folders only";
  EXPECT_EQ(panel.okButton()->title(), "Choose");
  Application& app = Application::shared();
  bool stillOpen = false;
  app.onNextModalWindow([&](Window& w) {
    EXPECT_EQ(&w, &panel);
    EXPECT_FALSE(panel.selectEntry("locked")) << "a greyed folder cannot be chosen";
    ASSERT_TRUE(panel.selectEntry("full"));
    panel.okButton()->performClick();
    stillOpen = app.modalWindow() == &panel && panel.isVisible();
    ASSERT_TRUE(panel.selectEntry("roomy"));
    panel.okButton()->performClick();
  });
  EXPECT_EQ(panel.runModal(), kit::OpenPanel::kOK);
  EXPECT_TRUE(stillOpen);
  EXPECT_EQ(delegate.refusals, 1);
  EXPECT_EQ(panel.URL(), (root / "roomy").string());
  EXPECT_FALSE(panel.isVisible());
  EXPECT_EQ(delegate.directories.back(), root.string());

  // Nothing selected: OK answers the folder shown; Cancel answers 0.
  app.onNextModalWindow([&](Window&) {
    panel.setDirectory((root / "roomy").string());
    panel.ok();
  });
  EXPECT_EQ(panel.runModal(), kit::OpenPanel::kOK);
  EXPECT_EQ(panel.URL(), (root / "roomy").string());
  app.onNextModalWindow([&](Window&) { panel.cancelButton()->performClick(); });
  EXPECT_EQ(panel.runModal(), kit::OpenPanel::kCancel);

  // New folders get names of their own and come selected.
  panel.setCanCreateDirectories(true);
  EXPECT_FALSE(panel.newFolderButton()->isHidden());
  panel.newFolderButton()->performClick();
  std::string second = panel.createNewFolder();
  EXPECT_EQ(second, (root / "roomy" / "untitled folder 2").string());
  EXPECT_TRUE(fs::is_directory(root / "roomy" / "untitled folder"));
  EXPECT_EQ(panel.chosenPath(), second);
}

TEST_F(PanelTest, TheOpenPanelListsOnlyAllowedFileTypes) {
  fs::path root = testenv::freshFolder("open-panel-types");
  for (const char* f : {"end.WAV", "end.aiff", "notes.txt", ".hidden.wav"}) std::ofstream(root / f) << "x";
  fs::create_directory(root / "sounds");
  kit::OpenPanel panel;
  panel.setAllowedFileTypes({"wav", "aiff"});
  panel.setDirectory(root.string());
  EXPECT_EQ(panel.entryNames(), (std::vector<std::string>{"end.WAV", "end.aiff", "sounds"}));
  ASSERT_TRUE(panel.selectEntry("sounds"));
  EXPECT_EQ(panel.chosenPath(), "") << "a folder is no answer when only files may be chosen";
  ASSERT_TRUE(panel.selectEntry("end.aiff"));
  EXPECT_EQ(panel.chosenPath(), (root / "end.aiff").string());
}

TEST_F(PanelTest, TheRecordingWorkspaceStandsInForTheSharedOne) {
  {
    kit::RecordingWorkspace recorder;
    EXPECT_EQ(&kit::Workspace::shared(), &recorder);
    EXPECT_TRUE(kit::Workspace::shared().openURL("https://example.org/manual?model=V1"));
    EXPECT_TRUE(kit::Workspace::shared().openFile("/tmp/help/index.html"));
    EXPECT_TRUE(kit::Workspace::shared().launchApplication("/usr/bin/selector", {"-launch", "1"}));
    ASSERT_EQ(recorder.requests.size(), 3u);
    EXPECT_EQ(recorder.requests[0].kind, "url");
    EXPECT_EQ(recorder.requests[1].target, "/tmp/help/index.html");
    EXPECT_EQ(recorder.requests[2].arguments, (std::vector<std::string>{"-launch", "1"}));
    recorder.succeed = false;
    EXPECT_FALSE(kit::Workspace::shared().openURL("https://example.org"));
  }
  EXPECT_EQ(dynamic_cast<kit::RecordingWorkspace*>(&kit::Workspace::shared()), nullptr);
  // The real one refuses what it cannot hand over, without starting anything.
  EXPECT_FALSE(kit::Workspace::shared().openURL("no scheme"));
  EXPECT_FALSE(kit::Workspace::shared().launchApplication("", {}));
}

// A quarter of a second of a 440 Hz tone, 16-bit mono PCM.
void writeTone(const fs::path& path) {
  const int rate = 8000, samples = rate / 4;
  std::ofstream f(path, std::ios::binary);
  auto u32 = [&](uint32_t v) { f.write(reinterpret_cast<const char*>(&v), 4); };
  auto u16 = [&](uint16_t v) { f.write(reinterpret_cast<const char*>(&v), 2); };
  f.write("RIFF", 4);
  u32(36 + samples * 2);
  f.write("WAVEfmt ", 8);
  u32(16);
  u16(1);
  u16(1);
  u32(rate);
  u32(rate * 2);
  u16(2);
  u16(16);
  f.write("data", 4);
  u32(samples * 2);
  for (int i = 0; i < samples; ++i) u16(static_cast<uint16_t>(static_cast<int16_t>(8000 * std::sin(i * 2 * M_PI * 440 / rate))));
}

TEST_F(PanelTest, ASoundPlaysToItsEndOrReportsWhyItCannotAndTheFinishAlwaysComes) {
  fs::path wav = testenv::freshFolder("sound") / "end.wav";
  writeTone(wav);
  EXPECT_EQ(kit::Sound::fromFile((wav.parent_path() / "missing.wav").string()), nullptr);
  auto sound = kit::Sound::fromFile(wav.string());
  ASSERT_NE(sound, nullptr);
  int finishes = 0;
  bool completed = false;
  sound->setDidFinishHandler([&](kit::Sound&, bool done) {
    ++finishes;
    completed = done;
  });
  bool started = sound->play();
  // Bounded wait: ten seconds for a quarter-second sound.
  fnd::Date limit{fnd::Date::now().seconds + 10};
  while (finishes == 0 && fnd::Date::now().seconds < limit.seconds)
    fnd::RunLoop::main().runOnce(fnd::RunLoopMode::Default, 0.05);
  ASSERT_EQ(finishes, 1) << "error: " << sound->error();
  EXPECT_FALSE(sound->isPlaying());
  if (started && sound->error().empty()) {
    EXPECT_TRUE(completed);
  } else {
    // No audio output (or no decoder) here: the reason is given, the play still ends.
    EXPECT_FALSE(completed);
    EXPECT_FALSE(sound->error().empty());
    std::cout << "sound not heard: " << sound->error() << "\n";
  }
  EXPECT_FALSE(sound->stop()) << "nothing to stop once finished";
}

}  // namespace
