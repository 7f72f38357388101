// The output-size dialog's, the multi-scan tab's and the information panel's controls: unit
// numbers, the list's second-click rule, the picture lists and the information lines.

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "ControlsTestSupport.h"
#include "kit/Menu.h"
#include "ui/controls/CTRLS_MSDestinationView.h"
#include "ui/controls/CTRLS_MSHelpButton.h"
#include "ui/controls/CTRLS_MSHowToPutButton.h"
#include "ui/controls/CTRLS_MSImageSourceView.h"
#include "ui/controls/CTRLS_MSScanButton.h"
#include "ui/controls/CTRLS_OUTDestinationPopup.h"
#include "ui/controls/CTRLS_OUTDisplayListView.h"
#include "ui/controls/CTRLS_OUTPrintListView.h"
#include "ui/controls/CTRLS_OUTUnitPopup.h"
#include "ui/controls/CTRLS_OUTWidthTextF.h"
#include "ui/controls/CTRLS_ScanInfoText.h"

using controls_test::kBundle;
using controls_test::PostRecorder;

namespace {

// Rows of plain names for the lists.
class SizeRows : public kit::TableViewDataSource {
 public:
  int numberOfRowsInTableView(kit::TableView&) override { return 6; }
  fnd::Value objectValueForTableColumn(kit::TableView&, const kit::TableColumn*, int row) override {
    return fnd::Value("Size " + std::to_string(row));
  }
};

}  // namespace

TEST(OutputSizePopups, UnitNumbersAndIndexRules) {
  Quirel_CTRLS_OUTUnitPopup unit;
  EXPECT_EQ(unit.addPopupItem("mm"), 0);
  EXPECT_EQ(unit.addPopupItem("inch"), 1);
  EXPECT_EQ(unit.addPopupItem("pixels"), 2);
  unit.select(-1);
  EXPECT_EQ(unit.getRepresentedNumber(), 0) << "nothing selected";
  unit.select(2);
  EXPECT_EQ(unit.getRepresentedNumber(), -1) << "no number";
  unit.setRepresentedNumberAtIndex(0, 1);
  unit.setRepresentedNumberAtIndex(1, 2);
  unit.setRepresentedNumberAtIndex(3, 9);  // the item count: ignored
  unit.select(3);
  EXPECT_EQ(unit.selected(), 2);
  unit.selectAtRepresentedNumber(2);
  EXPECT_EQ(unit.getRepresentedNumber(), 2);
  unit.getPopupBT()->itemAtIndex(1)->setEnabled(false);
  unit.selectAtRepresentedNumber(2);
  EXPECT_EQ(unit.selected(), -1);
  unit.selectAtRepresentedNumber(9);
  EXPECT_EQ(unit.selected(), -1);

  PostRecorder rec({"DestChangePost", "UnitChangePost", "WidthChangePost"});
  Quirel_CTRLS_OUTDestinationPopup dest;
  dest.addPopupItem("Print");
  kit::Menu::onNextPopUp([](kit::Menu&) { return 0; });
  dest.getPopupBT()->performClick();
  EXPECT_TRUE(rec.posts.empty()) << "not wired yet";
  dest.setPopupBTAction();
  unit.setPopupBTAction();
  kit::Menu::onNextPopUp([](kit::Menu&) { return 0; });
  dest.getPopupBT()->performClick();
  kit::Menu::onNextPopUp([](kit::Menu&) { return 0; });
  unit.getPopupBT()->performClick();
  Quirel_CTRLS_OUTWidthTextF width;
  width.getNumberTxtF()->sendAction();
  EXPECT_EQ(rec.posts.size(), 2u) << "the field posts only once wired";
  width.setNumberFAction();
  width.getNumberTxtF()->sendAction();
  EXPECT_EQ(rec.posts, (std::vector<std::string>{"DestChangePost", "UnitChangePost", "WidthChangePost"}));
  EXPECT_EQ(rec.senders, (std::vector<const void*>{dest.getPopupBT(), unit.getPopupBT(), width.getNumberTxtF()}));
}

TEST(OutputSizeLists, TheSameRowClickedTwicePosts) {
  SizeRows rows;
  Quirel_CTRLS_OUTPrintListView print(0, 0, 200, 120);
  Quirel_CTRLS_OUTDisplayListView screen(0, 0, 200, 120);
  PostRecorder rec({"PrintListSelectPost", "ScreenDispListSelectPost"});
  print.setDataSource(&rows);
  screen.setDataSource(&rows);
  print.reloadData();
  screen.reloadData();
  print.endScrollView();
  screen.endScrollView();
  print.setPrintListAction();
  screen.setScreenDispListAction();
  print.getTableView()->performClickOnRow(3);
  EXPECT_TRUE(rec.posts.empty()) << "the first click on row 3 only remembers it";
  print.getTableView()->performClickOnRow(3);
  EXPECT_EQ(rec.posts, (std::vector<std::string>{"PrintListSelectPost"}));
  EXPECT_EQ(rec.senders, (std::vector<const void*>{print.getTableView()}));
  print.getTableView()->performClickOnRow(1);
  EXPECT_EQ(rec.posts.size(), 1u);
  EXPECT_EQ(print.selectRowSeen(), 1);
  screen.getTableView()->performClickOnRow(0);
  EXPECT_EQ(rec.posts.back(), "ScreenDispListSelectPost") << "row 0 is remembered from the start";
}

TEST(MultiScanPictures, ListsGrowOnlyWithPicturesThatExistAtPlacesThatExist) {
  Quirel_CTRLS_MSImageSourceView source;
  EXPECT_TRUE(source.addImage(0, "MS_SOURCE_FEEDER", kBundle));
  EXPECT_TRUE(source.addImage(0, "MS_SOURCE_PLATEN", kBundle));
  EXPECT_FALSE(source.addImage(3, "MS_SOURCE_PLATEN", kBundle)) << "past the end";
  EXPECT_FALSE(source.addImage(-1, "MS_SOURCE_PLATEN", kBundle));
  EXPECT_FALSE(source.addImage(1, "NoSuchPicture", kBundle));
  EXPECT_EQ(source.imageCount(), 2);
  kit::Image platen = kit::Image::named("MS_SOURCE_PLATEN", kBundle);
  kit::Image feeder = kit::Image::named("MS_SOURCE_FEEDER", kBundle);
  source.changeImage(1);
  EXPECT_EQ(source.getImageView()->image().colorAtPixel(48, 20), feeder.colorAtPixel(48, 20));
  source.changeImage(2);
  source.changeImage(-1);
  EXPECT_EQ(source.getImageView()->image().colorAtPixel(48, 20), feeder.colorAtPixel(48, 20)) << "unchanged";
  source.changeImage(0);
  EXPECT_EQ(source.getImageView()->image().colorAtPixel(48, 20), platen.colorAtPixel(48, 20));
  EXPECT_EQ(source.getImageView()->imageScaling(), kit::ImageScaling::None);

  Quirel_CTRLS_MSDestinationView dest;
  dest.changeImage(0);
  EXPECT_FALSE(dest.getImageView()->image().isValid());

  PostRecorder rec({"MsScanStartPost", "MsShowHowToPutPost", "MsShowHelpPost"});
  Quirel_CTRLS_MSScanButton scan;
  Quirel_CTRLS_MSHowToPutButton howTo;
  Quirel_CTRLS_MSHelpButton help;
  scan.getColorPushBT()->performClick();
  howTo.getIconBT()->performClick();
  help.getIconBT()->performClick();
  EXPECT_EQ(rec.senders, (std::vector<const void*>{scan.getColorPushBT(), howTo.getIconBT(), help.getIconBT()}));
  EXPECT_EQ(rec.posts, (std::vector<std::string>{"MsScanStartPost", "MsShowHowToPutPost", "MsShowHelpPost"}));
}

TEST(ScanInfoLine, OriginAndValueRules) {
  Quirel_CTRLS_ScanInfoText line;
  line.setTitleTxtRect(10, 100, 120, 14);
  line.setValueTxtRect(140, 98, 200, 16);
  line.setValueTxtTitle("600 dpi");
  line.setValueTxtTitle(nullptr);
  EXPECT_EQ(line.getValueTxt()->stringValue(), "600 dpi");
  line.setOriginY(40);
  EXPECT_EQ(line.getTitleTxtRect(), fnd::Rect(10, 40, 120, 14));
  EXPECT_EQ(line.getValueTxtRect(), fnd::Rect(140, 40, 200, 16));
  EXPECT_EQ(line.getHeight(), 14);
  line.setHidden(true);
  EXPECT_TRUE(line.isHidden() && line.getValueTxt()->isHidden());
  EXPECT_EQ(line.getTitleTxt()->font().pointSize(), 10);
}
