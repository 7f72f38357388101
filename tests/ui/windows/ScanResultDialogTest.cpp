#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iostream>

#include "../../support/TestEnvironment.h"
#include "foundation/Paths.h"
#include "kit/Application.h"
#include "kit/Event.h"
#include "ui/base/PostNotification.h"
#include "ui/windows/ScanResultDialog.h"

namespace fs = std::filesystem;

namespace {

// A small picture file of one colour.
void writeResultPicture(const fs::path& path, int width, int height, std::uint8_t r, std::uint8_t g, std::uint8_t b) {
  std::ofstream out(path, std::ios::binary);
  out << "P6\n" << width << " " << height << "\n255\n";
  for (int i = 0; i < width * height; ++i) out.put(static_cast<char>(r)).put(static_cast<char>(g)).put(static_cast<char>(b));
}

// The outward requests the dialog makes, by name, with their sender.
struct OutwardRequests {
  OutwardRequests()
      : token(fnd::NotificationCenter::defaultCenter().observe(
            Quirel_PostNotification::kOverrideNotification, nullptr, [this](const fnd::Notification& n) {
              names.push_back(n.userInfo ? n.userInfo->string(Quirel_PostNotification::kOverrideNotificationName) : "");
              senders.push_back(n.sender);
            })) {}
  std::vector<std::string> names;
  std::vector<const void*> senders;
  fnd::NotificationCenter::Token token;
};

struct ResultDialogFixture : ::testing::Test {
  void SetUp() override {
    dir = testenv::freshFolder("scan-result");
    temp = dir / "temp";
    elsewhere = dir / "elsewhere";
    fs::create_directories(temp);
    fs::create_directories(elsewhere);
    dialog.setTemporaryFolders({temp.string()});
    dialog.setUIMObject(&controller);
    dialog.createDialog();
  }
  fs::path dir, temp, elsewhere;
  int controller = 0;
  Quirel_ScanResultDialog dialog;
};

}  // namespace

TEST_F(ResultDialogFixture, TheStripGrowsBy120AndScrollsToTheNewestFromTheFifth) {
  kit::Window parent(fnd::Rect(100, 100, 800, 600), kit::kTitledWindowMask);
  dialog.showDialog(&parent);
  ASSERT_TRUE(dialog.getWindow()->isVisible());
  EXPECT_FALSE(dialog.closeButton()->isEnabled());
  // Centred over the parent, its top 30 below the parent's.
  const fnd::Rect f = dialog.getWindow()->frame(), p = parent.frame();
  EXPECT_DOUBLE_EQ(f.origin.x, p.origin.x + (p.size.width - f.size.width) / 2);
  EXPECT_DOUBLE_EQ(f.origin.y + f.size.height, p.origin.y + p.size.height - 30);

  struct Row {
    double width;
    double scrollX;
  };
  const Row rows[] = {{114, 0}, {234, 0}, {354, 0}, {474, 0}, {597, 597 - 480 + 2}};
  const std::uint8_t colours[][3] = {{200, 30, 30}, {30, 160, 30}, {30, 60, 200}, {220, 180, 20}, {120, 40, 160}};
  for (int i = 0; i < 5; ++i) {
    SCOPED_TRACE(i + 1);
    const fs::path file = temp / ("page" + std::to_string(i) + ".ppm");
    writeResultPicture(file, i % 2 ? 60 : 90, i % 2 ? 90 : 60, colours[i][0], colours[i][1], colours[i][2]);
    dialog.addImage(file.string(), 0);
    ASSERT_EQ(dialog.items().size(), static_cast<std::size_t>(i + 1));
    EXPECT_DOUBLE_EQ(dialog.documentView()->frame().size.width, rows[i].width);
    EXPECT_EQ(dialog.items().back()->textField()->stringValue(), std::to_string(i + 1));
    EXPECT_DOUBLE_EQ(dialog.items().back()->frame().origin.x, (i + 1) * 120 - 116);
    const fnd::Rect visible = dialog.scrollView()->documentVisibleRect();
    if (i < 4) {
      EXPECT_DOUBLE_EQ(visible.origin.x, 0);
    } else {
      // Scrolled as far right as the strip goes: the newest item shows whole.
      EXPECT_GT(visible.origin.x, 0);
      EXPECT_DOUBLE_EQ(visible.origin.x + visible.size.width, 597);
    }
  }
  dialog.setEnableCloseButton(true);
  dialog.getWindow()->display();
  const fs::path png = testenv::freshFolder("scan-result-shot") / "scan-result-five.png";
  EXPECT_TRUE(dialog.getWindow()->grabToPng(png.string()));
  std::cout << "scan-result window: " << png.string() << std::endl;
  dialog.closeDialog();
  EXPECT_FALSE(dialog.getWindow()->isVisible());
}

TEST_F(ResultDialogFixture, EraseDeletesOnlyInsideTheTemporaryFolders) {
  struct Row {
    const char* name;
    bool inTemp;
    bool picture;
    int erase;
    std::size_t added;
    bool stays;
  };
  const Row rows[] = {
      {"not-a-picture.ppm", true, false, 1, 0, false},  // deleted, nothing shown
      {"picture.ppm", true, true, 1, 1, false},         // shown, then deleted
      {"kept.ppm", true, true, 0, 1, true},             // shown, kept
      {"users-own.ppm", false, true, 1, 1, true},       // shown, never deleted
      {"users-text.ppm", false, false, 1, 0, true},     // nothing shown, never deleted
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.name);
    const std::size_t before = dialog.items().size();
    const fs::path file = (r.inTemp ? temp : elsewhere) / r.name;
    if (r.picture) {
      writeResultPicture(file, 20, 20, 10, 10, 10);
    } else {
      std::ofstream(file) << "not a picture";
    }
    dialog.addImage(file.string(), r.erase);
    EXPECT_EQ(dialog.items().size() - before, r.added);
    EXPECT_EQ(fs::exists(file), r.stays);
  }
  // A path that climbs out of the temporary folder is not inside it.
  const fs::path sneaky = temp / ".." / "elsewhere" / "users-own.ppm";
  dialog.addImage(sneaky.string(), 1);
  EXPECT_TRUE(fs::exists(elsewhere / "users-own.ppm"));
  // A folder whose name only begins like the temporary folder's is not inside it either.
  fs::create_directories(dir / "tempother");
  writeResultPicture(dir / "tempother" / "x.ppm", 4, 4, 1, 1, 1);
  dialog.addImage((dir / "tempother" / "x.ppm").string(), 1);
  EXPECT_TRUE(fs::exists(dir / "tempother" / "x.ppm"));
  // No file: nothing shown, nothing deleted.
  const std::size_t before = dialog.items().size();
  dialog.addImage((temp / "missing.ppm").string(), 1);
  dialog.addImage("", 1);
  EXPECT_EQ(dialog.items().size(), before);
}

TEST_F(ResultDialogFixture, CloseBeforeAHookAsksOutwardAfterAHookAnswersTheNextHook) {
  OutwardRequests outward;
  dialog.setEnableCloseButton(true);
  dialog.closeButton()->performClick();
  ASSERT_EQ(outward.names.size(), 1u);
  EXPECT_EQ(outward.names[0], "clickCloseButtonPost");
  EXPECT_EQ(outward.senders[0], &controller);
  EXPECT_TRUE(dialog.getWindow()->stopEvent());

  Quirel_ScanResultDialog waited;
  waited.createDialog();
  waited.setEnableCloseButton(true);
  auto status = std::make_shared<Quirel_progressCancelStatus>();
  status->setCancelNum(7);
  fnd::NotificationCenter::defaultCenter().post(
      "scanResultMousedownEventPost2", nullptr,
      fnd::makeShared(fnd::Dictionary{{"pCancelSts", fnd::Value::object(status)}}));
  EXPECT_EQ(status->getCancelNum(), 0);
  waited.closeButton()->performClick();
  EXPECT_EQ(outward.names.size(), 1u);  // nothing more outward
  EXPECT_FALSE(waited.getWindow()->stopEvent());
  waited.scanResultMousedownEvent2(status);
  EXPECT_EQ(status->getCancelNum(), 1);
}

TEST_F(ResultDialogFixture, AStoppedWindowDropsItsEvents) {
  kit::Window parent(fnd::Rect(100, 100, 800, 600), kit::kTitledWindowMask);
  dialog.showDialog(&parent);
  dialog.setEnableCloseButton(true);
  OutwardRequests outward;
  const fnd::Rect b = dialog.closeButton()->frame();
  const fnd::Point at{b.origin.x + 20, b.origin.y + 10};
  auto click = [&] {
    auto& app = kit::Application::shared();
    app.postEvent(kit::Event::mouseEvent(kit::EventType::LeftMouseDown, at, 0, dialog.getWindow()));
    app.postEvent(kit::Event::mouseEvent(kit::EventType::LeftMouseUp, at, 0, dialog.getWindow()));
    app.dispatchQueuedEvents();
  };
  click();
  EXPECT_EQ(outward.names.size(), 1u);
  click();  // the window has stopped taking events
  EXPECT_EQ(outward.names.size(), 1u);
  dialog.closeDialog();
}

TEST_F(ResultDialogFixture, LevelFollowsTheParentWhileActive) {
  kit::Window parent(fnd::Rect(100, 100, 800, 600), kit::kTitledWindowMask);
  parent.setLevel(3);
  dialog.showDialog(&parent);
  auto& app = kit::Application::shared();
  app.activateIgnoringOtherApps(true);
  dialog.windowDidUpdate(*dialog.getWindow());
  EXPECT_EQ(dialog.getWindow()->level(), 5);
  fnd::NotificationCenter::defaultCenter().post("appResignActiveFromMainPost");
  EXPECT_EQ(dialog.getWindow()->level(), kit::kNormalWindowLevel);
  fnd::NotificationCenter::defaultCenter().post("appBecomeActiveFromMainPost");
  EXPECT_EQ(dialog.getWindow()->level(), 5);
  dialog.closeDialog();
}
