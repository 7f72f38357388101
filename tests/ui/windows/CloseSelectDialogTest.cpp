#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <iostream>

#include "../../support/TestEnvironment.h"
#include "foundation/Paths.h"
#include "kit/Application.h"
#include "ui/base/PostNotification.h"
#include "ui/model/PreferenceInfo.h"
#include "ui/windows/CloseSavePathtDialog.h"
#include "ui/windows/CloseSelectDialog.h"

namespace fs = std::filesystem;

namespace {

struct CloseSelectOutward {
  CloseSelectOutward()
      : token(fnd::NotificationCenter::defaultCenter().observe(
            Quirel_PostNotification::kOverrideNotification, nullptr, [this](const fnd::Notification& n) {
              if (!n.userInfo) return;
              names.push_back(n.userInfo->string(Quirel_PostNotification::kOverrideNotificationName));
              exits.push_back(n.userInfo->contains("Exit") ? static_cast<int>(n.userInfo->integer("Exit")) : -1);
              senders.push_back(n.sender);
            })) {}
  std::vector<std::string> names;
  std::vector<int> exits;
  std::vector<const void*> senders;
  fnd::NotificationCenter::Token token;
};

}  // namespace

TEST(CloseSelectDialog, OkAnswersTheChosenRowOutward) {
  CloseSelectOutward outward;
  int controller = 0;
  for (int choice : {1, 0}) {
    SCOPED_TRACE(choice);
    Quirel_CloseSelectDialog dialog;
    dialog.setUIMObject(&controller);
    dialog.createDialog(1);
    dialog.selectAutoExit(choice);
    EXPECT_EQ(dialog.selectedAutoExit(), choice);
    EXPECT_FALSE(dialog.isChecked());
    dialog.okButton()->performClick();
    EXPECT_TRUE(dialog.getWindow()->stopEvent());
    ASSERT_FALSE(outward.names.empty());
    EXPECT_EQ(outward.names.back(), "closeSelectClickButtonPost");
    EXPECT_EQ(outward.exits.back(), choice);
    EXPECT_EQ(outward.senders.back(), &controller);
  }
  // Clicking the other row answers it.
  Quirel_CloseSelectDialog dialog;
  dialog.createDialog();
  dialog.selectAutoExit(1);
  dialog.radioButton()->performClickOnCell(1, 0);
  EXPECT_EQ(dialog.selectedAutoExit(), 0);
  dialog.checkBox()->performClick();
  EXPECT_TRUE(dialog.isChecked());
  const std::size_t before = outward.names.size();
  // Once the data source waits, OK answers the next hook instead.
  auto status = std::make_shared<Quirel_progressCancelStatus>();
  fnd::NotificationCenter::defaultCenter().post(
      "closeSelectMousedownEventPost2", nullptr,
      fnd::makeShared(fnd::Dictionary{{"pCancelSts", fnd::Value::object(status)}}));
  dialog.okButton()->performClick();
  EXPECT_EQ(outward.names.size(), before);
  EXPECT_EQ(status->getCancelNum(), 0);
  dialog.closeSelectMousedownEvent2(status);
  EXPECT_EQ(status->getCancelNum(), 1);
}

TEST(CloseSelectDialog, VariantOneExplainsEachRowAndIsAtLeast450Wide) {
  kit::Window parent(fnd::Rect(100, 100, 800, 600), kit::kTitledWindowMask);
  for (int variant : {0, 1}) {
    SCOPED_TRACE(variant);
    Quirel_CloseSelectDialog dialog;
    dialog.createDialog(variant);
    const fnd::Size content = dialog.getWindow()->contentRectSize();
    EXPECT_GE(content.width, 450);
    EXPECT_EQ(dialog.subText(0) != nullptr, variant == 1);
    if (variant == 1) {
      // Beside its row, right of the widest row title, inside the window.
      const fnd::Rect radio = dialog.radioButton()->frame();
      EXPECT_GE(dialog.subText(0)->frame().origin.x, radio.origin.x + radio.size.width);
      EXPECT_GT(dialog.subText(0)->frame().origin.y, dialog.subText(1)->frame().origin.y);
      EXPECT_LE(dialog.subText(0)->frame().origin.x + dialog.subText(0)->frame().size.width, content.width);
    }
    // OK centred at the bottom.
    const fnd::Rect ok = dialog.okButton()->frame();
    EXPECT_DOUBLE_EQ(ok.origin.x, std::floor((content.width - 100) / 2));
    EXPECT_DOUBLE_EQ(ok.origin.y, 5);
    dialog.showDialog(&parent);
    EXPECT_TRUE(dialog.getWindow()->isVisible());
    if (variant == 1) {
      dialog.getWindow()->display();
      const fs::path png = testenv::freshFolder("close-select-shot") / "close-select-variant1.png";
      EXPECT_TRUE(dialog.getWindow()->grabToPng(png.string()));
      std::cout << "close-select window: " << png.string() << std::endl;
    }
    dialog.closeDialog();
    EXPECT_FALSE(dialog.getWindow()->isVisible());
  }
}

TEST(CloseSavePathtDialog, PicturesFolderShowsByItsName) {
  const std::string pictures = fnd::Paths::picturesDir();
  fs::create_directories(fs::path(pictures) / "Scans");
  const std::string name = fs::path(pictures).filename().string();
  struct Row {
    std::string given;
    std::string shown;
  };
  const Row rows[] = {
      {pictures + "/Scans/", name + "/Scans"},
      {pictures + "/Scans", name + "/Scans"},
      {pictures, name},
      {"/srv/scans/", "/srv/scans"},
      {pictures + "x/Scans", pictures + "x/Scans"},  // only begins like it
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.given);
    EXPECT_EQ(Quirel_CloseSavePathtDialog::displaySavePath(r.given), r.shown);
  }
  // Reached through a link, it is still the Pictures folder.
  const fs::path link = testenv::freshFolder("save-path-link") / "pics";
  fs::create_directory_symlink(pictures, link);
  EXPECT_EQ(Quirel_CloseSavePathtDialog::displaySavePath((link / "Scans").string() + "/"), name + "/Scans");
}

TEST(CloseSavePathtDialog, NonModalAnswersOutwardModalEndsItsRun) {
  CloseSelectOutward outward;
  auto prefs = std::make_shared<Quirel_PreferenceInfo>();
  prefs->setSavePath(fnd::Paths::picturesDir() + "/Scans/");
  kit::Window parent(fnd::Rect(100, 100, 800, 600), kit::kTitledWindowMask);
  int controller = 0;
  {
    Quirel_CloseSavePathtDialog notice;
    notice.setUIMObject(&controller);
    notice.setPreferenceInfo(prefs);
    notice.createDialog();
    EXPECT_EQ(notice.savePathField()->stringValue(), fs::path(fnd::Paths::picturesDir()).filename().string() + "/Scans");
    EXPECT_EQ(notice.savePathField()->toolTip(), fnd::Paths::picturesDir() + "/Scans");
    notice.showDialog(&parent);
    EXPECT_TRUE(notice.getWindow()->isVisible());
    notice.getWindow()->display();
    const fs::path png = testenv::freshFolder("save-path-shot") / "save-path-notice.png";
    EXPECT_TRUE(notice.getWindow()->grabToPng(png.string()));
    std::cout << "save-path notice: " << png.string() << std::endl;
    notice.okButton()->performClick();
    ASSERT_EQ(outward.names.size(), 1u);
    EXPECT_EQ(outward.names[0], "closeSelectClickButtonPost");
    EXPECT_EQ(outward.exits[0], -1);  // an empty answer
    EXPECT_EQ(outward.senders[0], &controller);
    notice.closeDialog();
    EXPECT_FALSE(notice.getWindow()->isVisible());
  }
  Quirel_CloseSavePathtDialog modal;
  modal.setPreferenceInfo(prefs);
  modal.createDialog();
  bool ranModally = false;
  kit::Application::shared().onNextModalWindow([&](kit::Window& w) {
    ranModally = &w == modal.getWindow();
    modal.checkBox()->performClick();
    modal.okButton()->performClick();
  });
  EXPECT_EQ(modal.showModalDialog(&parent), 1);
  EXPECT_TRUE(ranModally);
  EXPECT_TRUE(modal.isDisplayModal());
  EXPECT_TRUE(modal.isChecked());
  EXPECT_FALSE(modal.getWindow()->isVisible());
  EXPECT_EQ(outward.names.size(), 1u);  // the modal notice answers nobody outward
  modal.closeDialog();
}
