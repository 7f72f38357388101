// The feeder-orientation dialog: its three layouts and pictures, the answers of OK and Cancel,
// the hidden binding group, and a closed dialog's deafness.

#include <gtest/gtest.h>

#include <iostream>
#include <memory>
#include <string>

#include "MessageBoxSupport.h"
#include "TestEnvironment.h"
#include "kit/Application.h"
#include "kit/Event.h"
#include "ui/model/UIScannerInfo.h"
#include "ui/windows/OrientationDialog.h"

using namespace message_test;

namespace {

kit::Application& orientApp() { return kit::Application::shared(); }

Quirel_UIScannerInfo orientScanner(int generation, bool revised = false) {
  return Quirel_UIScannerInfo(fnd::Dictionary{{"Ver1400Later", generation >= 1400},
                                              {"Ver1500Later", generation >= 1500},
                                              {"Ver1600Later", generation >= 1600},
                                              {"RevisedADFOrientation", revised}});
}

class Orientation : public ::testing::Test {
 protected:
  void SetUp() override { testBundleWithBadge(); }
  fnd::NotificationCenter::Token lc = fnd::NotificationCenter::defaultCenter().observe(
      Quirel_PVLocalizedBundle::kLocalizePostName, nullptr, [](const fnd::Notification& n) {
        if (auto carrier = Quirel_PVLocalizedBundle::fromLocalizeRequest(n)) carrier->setLocalizedBundleStr(kProgramBundle);
      });
  int closes = 0;
  fnd::NotificationCenter::Token close = fnd::NotificationCenter::defaultCenter().observe(
      Quirel_OrientationDialog::kClosePost, nullptr, [this](const fnd::Notification&) { ++closes; });
};

}  // namespace

TEST_F(Orientation, LayoutByGenerationWithItsPictures) {
  struct Case {
    int generation;
    bool revised;
    bool visible, enabled;
    int layout;
    const char* pictures[4];  // choice 0 top, choice 0 left, choice 1 top, choice 1 left
    bool picturesEnabled;
  } cases[] = {
      {1300, false, true, true, 1400, {"AdfBindLong.tif", "AdfBindShort.tif", "AdfBindShort.tif", "AdfBindLong.tif"}, true},
      {1400, true, true, false, 1400, {"AdfBindLong.tif", "FEEDER_UL_R.tif", "AdfBindShort.tif", "FEEDER_LR_R.tif"}, false},
      {1500, false, true, true, 1500, {"FEEDER_LR.tiff", "FEEDER_UL.tiff", "FEEDER_UL.tiff", "FEEDER_LR.tiff"}, true},
      {1500, true, true, false, 1500,
       {"FEEDER_LR_G.tiff", "FEEDER_UL_R_G.tiff", "FEEDER_UL_G.tiff", "FEEDER_LR_R_G.tiff"}, true},
      {1600, false, true, true, 1600, {"FEEDER_LR.tiff", "FEEDER_UL_R.tiff", "FEEDER_UL.tiff", "FEEDER_LR_R.tiff"}, true},
      {1600, false, false, false, 1600,
       {"FEEDER_LR_G.tiff", "FEEDER_UL_R_G.tiff", "FEEDER_UL_G.tiff", "FEEDER_LR_R_G.tiff"}, true},
  };
  for (const Case& c : cases) {
    const Quirel_UIScannerInfo scanner = orientScanner(c.generation, c.revised);
    Quirel_OrientationDialog d(0, 0, c.visible, c.enabled);
    d.setScannerInfo(&scanner);
    d.createOrientationDialog();
    EXPECT_EQ(d.layout(), c.layout) << c.generation;
    EXPECT_EQ(d.directionImageView() != nullptr, c.layout == 1400);
    EXPECT_EQ(d.bindingMatrix()->numberOfRows(), c.layout == 1600 ? 2 : 1);
    for (int i = 0; i < 4; ++i) {
      EXPECT_EQ(d.bindingPictureName(i / 2, i % 2), c.pictures[i]) << c.generation << " " << i;
      EXPECT_TRUE(d.bindingImageView(i / 2, i % 2)->image().isValid()) << c.pictures[i];
    }
    d.showOrientationDialog(nullptr);
    EXPECT_EQ(d.getWindow()->level(), Quirel_OrientationDialog::kLevel);
    EXPECT_EQ(d.bindingMatrix()->isEnabled(), c.enabled || !c.visible) << c.generation;
    EXPECT_EQ(d.bindingImageView(0, false)->isEnabled(), c.picturesEnabled) << c.generation;
    // Direction top shows the top pictures only.
    EXPECT_FALSE(d.bindingImageView(0, false)->isHidden());
    EXPECT_TRUE(d.bindingImageView(0, true)->isHidden());
    d.closeOrientationDialog();
  }
  // Tool tips follow the generation.
  const Quirel_UIScannerInfo older = orientScanner(1300);
  Quirel_OrientationDialog d;
  d.setScannerInfo(&older);
  d.createOrientationDialog();
  EXPECT_EQ(d.directionMatrix()->toolTipForCell(0, 0), "Feed the pages top edge first");
  EXPECT_EQ(d.bindingMatrix()->toolTipForCell(0, 1), "The pages turn over like a calendar, bound along the top");
  EXPECT_EQ(d.getWindow()->title(), "Feeder Settings");
}

TEST_F(Orientation, HiddenBindingMakesTheWindowLower) {
  const Quirel_UIScannerInfo scanner = orientScanner(1500);
  Quirel_OrientationDialog d(1, 0, false, false);
  d.setScannerInfo(&scanner);
  d.createOrientationDialog();
  const double upperY = d.directionView()->frame().origin.y;
  d.showOrientationDialog(nullptr);
  EXPECT_DOUBLE_EQ(d.getWindow()->contentView()->frame().size.height, 220);
  EXPECT_DOUBLE_EQ(d.directionView()->frame().origin.y, upperY - 150);
  EXPECT_TRUE(d.bindView()->isHidden());
  EXPECT_EQ(d.directionMatrix()->selectedRow(), 1);
  d.closeOrientationDialog();
}

TEST_F(Orientation, OkAndCancelAnswer) {
  for (int generation : {1400, 1600}) {
    const Quirel_UIScannerInfo scanner = orientScanner(generation);
    Quirel_OrientationDialog d;
    d.setScannerInfo(&scanner);
    d.createOrientationDialog();
    kit::Window parent(fnd::Rect(100, 100, 800, 600), kit::kTitledWindowMask);
    d.showOrientationDialog(&parent);
    closes = 0;
    d.directionMatrix()->performClickOnCell(1, 0);
    EXPECT_FALSE(d.bindingImageView(0, true)->isHidden());
    EXPECT_TRUE(d.bindingImageView(0, false)->isHidden());
    // The second choice: a column in the 1 by 2 matrix, a row in the 2 by 1 one.
    if (generation == 1600)
      d.bindingMatrix()->performClickOnCell(1, 0);
    else
      d.bindingMatrix()->performClickOnCell(0, 1);
    d.okButton()->performClick();
    EXPECT_EQ(closes, 1);
    EXPECT_TRUE(d.isOkClose());
    EXPECT_EQ(d.getDirection(), 1) << generation;
    EXPECT_EQ(d.getBinding(), 1) << generation;

    d.cancelButton()->performClick();
    EXPECT_EQ(closes, 2);
    EXPECT_FALSE(d.isOkClose());
    EXPECT_EQ(d.getDirection(), 1);
    EXPECT_EQ(d.getBinding(), 1);
    d.closeOrientationDialog();
  }
}

TEST_F(Orientation, EventsAfterTheCloseAreIgnored) {
  const Quirel_UIScannerInfo scanner = orientScanner(1500);
  Quirel_OrientationDialog d;
  d.setScannerInfo(&scanner);
  d.createOrientationDialog();
  d.showOrientationDialog(nullptr);
  auto clickOk = [&] {
    const fnd::Rect f = d.okButton()->frame();
    const fnd::Point at{f.origin.x + 20, f.origin.y + 12};
    orientApp().postEvent(kit::Event::mouseEvent(kit::EventType::LeftMouseDown, at, 0, d.getWindow()));
    orientApp().postEvent(kit::Event::mouseEvent(kit::EventType::LeftMouseUp, at, 0, d.getWindow()));
    orientApp().dispatchQueuedEvents();
  };
  closes = 0;
  clickOk();
  EXPECT_EQ(closes, 1);
  d.closeOrientationDialog();
  clickOk();
  EXPECT_EQ(closes, 1);
}

TEST_F(Orientation, Screenshots) {
  const auto shots = testenv::freshFolder("orientation-dialogs");
  for (int generation : {1400, 1500, 1600}) {
    const Quirel_UIScannerInfo scanner = orientScanner(generation, generation == 1600);
    Quirel_OrientationDialog d(0, 1, true, generation != 1500);
    d.setScannerInfo(&scanner);
    d.createOrientationDialog();
    d.showOrientationDialog(nullptr);
    EXPECT_TRUE(d.getWindow()->grabToPng((shots / ("orientation-" + std::to_string(generation) + ".png")).string()));
    d.closeOrientationDialog();
  }
  std::cout << "orientation dialog screenshots: " << shots << std::endl;
}
