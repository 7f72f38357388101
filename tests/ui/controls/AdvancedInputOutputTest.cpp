// The advanced panel's input and output controls: the resolution menus and their filters, the
// variant menus, the steppers pressed with real mouse events, and the fixed notifications.

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "ControlsTestSupport.h"
#include "kit/Menu.h"
#include "ui/controls/CTRLS_ADVDirectionButton.h"
#include "ui/controls/CTRLS_ADVNextThumbnailButton.h"
#include "ui/controls/CTRLS_ColorModePopup.h"
#include "ui/controls/CTRLS_DateSizeTextF.h"
#include "ui/controls/CTRLS_FavoritePopup.h"
#include "ui/controls/CTRLS_FilmSizePopup.h"
#include "ui/controls/CTRLS_FixesRatioButton.h"
#include "ui/controls/CTRLS_InputSizeWidthTextF.h"
#include "ui/controls/CTRLS_Magnification.h"
#include "ui/controls/CTRLS_OrientationButton.h"
#include "ui/controls/CTRLS_OutputSizeHeightTextF.h"
#include "ui/controls/CTRLS_PaperSizePopup.h"
#include "ui/controls/CTRLS_ResolutionComboBox.h"
#include "ui/controls/CTRLS_TextFAndStepper.h"

using controls_test::kBundle;
using controls_test::PostRecorder;
using controls_test::TestWindow;

namespace {

// The numbers the menu's items carry, in menu order.
template <class Popup>
std::vector<int> menuNumbers(const Popup& popup) {
  std::vector<int> numbers;
  for (int i = 0; i < popup.getPopupBT()->numberOfItems(); ++i) numbers.push_back(popup.getRepresentedNumberAtIndex(i));
  return numbers;
}

const std::vector<int> kAllResolutions = {75, 150, 300, 600, 1200, 2400, 4800, 9600};

}  // namespace

TEST(ResolutionMenus, AllListIsFilteredPerSource) {
  struct Case {
    const char* name;
    bool ver12;
    std::vector<int> all;
    std::vector<int> platen, multiCrop, film, feeder;
  };
  const std::vector<Case> cases = {
      {"unrestricted", false, kAllResolutions, {75, 150, 300, 600, 1200}, {75, 150, 300, 600}, kAllResolutions,
       {75, 150, 300, 600}},
      {"fixed ladder", true, {75, 100, 150, 200, 300, 600, 1200, 2400, 4800, 9600}, {75, 150, 300, 600, 1200},
       {75, 150, 300, 600}, {300, 600, 1200, 2400, 4800, 9600}, {75, 150, 300, 600}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Quirel_CTRLS_ResolutionComboBox box;
    box.setUnitString("dpi");
    box.setVerion12MFP(c.ver12);
    box.setAllMenuNumList(c.all);
    box.setPlatenModeMenu();
    EXPECT_EQ(menuNumbers(box), c.platen);
    EXPECT_TRUE(box.isPlatenModeMenu());
    box.setMultiCropMenu();
    EXPECT_EQ(menuNumbers(box), c.multiCrop);
    EXPECT_TRUE(box.isMultiCropMenu());
    EXPECT_FALSE(box.isPlatenModeMenu());
    box.setFilmModeMenu();
    EXPECT_EQ(menuNumbers(box), c.film);
    EXPECT_TRUE(box.isFilmModeMenu());
    box.setADFModeMenu();
    EXPECT_EQ(menuNumbers(box), c.feeder);
    EXPECT_TRUE(box.isADFModeMenu());
    EXPECT_FALSE(box.isFilmModeMenu() || box.isMultiCropMenu() || box.isPlatenModeMenu());
  }
}

TEST(ResolutionMenus, DedicatedListsAreUsedUnfilteredAndTitlesNeverReadNull) {
  Quirel_CTRLS_ResolutionComboBox box;
  box.setAllMenuNumList(kAllResolutions);
  box.setPlatenMenuNumList({75, 2400, 4800});
  box.setFilmMenuNumList({});  // empty: stays unset
  box.setPlatenModeMenu();
  EXPECT_EQ(menuNumbers(box), (std::vector<int>{75, 2400, 4800})) << "above the platen maximum, kept";
  // Without a unit the titles carry an empty one.
  EXPECT_EQ(box.getPopupBT()->itemTitleAtIndex(0), "75 ");
  box.setMultiCropMenu();
  EXPECT_EQ(menuNumbers(box), (std::vector<int>{75})) << "the platen list comes before the all list";
  box.setFilmModeMenu();
  EXPECT_EQ(menuNumbers(box), kAllResolutions) << "an empty film list leaves the all list in use";
  box.setUnitString(nullptr);
  box.setUnitString("dpi");
  box.setUnitString(nullptr);
  box.setPlatenModeMenu();
  EXPECT_EQ(box.getPopupBT()->itemTitleAtIndex(0), "75 dpi");
  for (const std::string& title : box.getPopupBT()->itemTitles()) EXPECT_EQ(title.find("null"), std::string::npos);

  Quirel_CTRLS_ResolutionComboBox empty;
  empty.setADFModeMenu();
  EXPECT_EQ(empty.getPopupBT()->numberOfItems(), 0);
  EXPECT_TRUE(empty.isADFModeMenu());
}

TEST(ResolutionMenus, FieldAndArrowPostTheirOwnNames) {
  PostRecorder rec({"AdvResolusionPopupPost", "AdvResolusionChangePost"});
  Quirel_CTRLS_ResolutionComboBox box;
  box.setAllMenuNumList({300, 600});
  box.setPlatenModeMenu();
  EXPECT_TRUE(box.getPopupBT()->isArrowOnly());
  kit::Menu::onNextPopUp([](kit::Menu&) { return 1; });
  box.getPopupBT()->performClick();
  box.setStringValue("600");
  box.setStringValue(nullptr);
  EXPECT_EQ(box.getIntValue(), 600);
  box.getNumberTxtF()->sendAction();
  EXPECT_EQ(rec.posts, (std::vector<std::string>{"AdvResolusionPopupPost", "AdvResolusionChangePost"}));
  EXPECT_EQ(rec.senders, (std::vector<const void*>{box.getPopupBT(), box.getNumberTxtF()}));
  box.setEnabled(false);
  EXPECT_FALSE(box.getNumberTxtF()->isEnabled());
  EXPECT_FALSE(box.getPopupBT()->isEnabled());
}

TEST(VariantMenus, FeederBothSidesKeepsOnlyTheTwoSidedSizes) {
  Quirel_CTRLS_PaperSizePopup paper;
  for (int n : {10, 13, 16, 17, 20}) paper.addPopupItemWithTitle("ADF " + std::to_string(n), n, true);
  for (int n : {1, 2, 3}) paper.addPopupItemWithTitle("Platen " + std::to_string(n), n, false);
  paper.setADFMenu(true);
  EXPECT_EQ(menuNumbers(paper), (std::vector<int>{10, 17}));
  EXPECT_TRUE(paper.isADFMenu());
  EXPECT_TRUE(paper.isBothSideADFMenu());
  paper.setADFMenu(false);
  EXPECT_EQ(menuNumbers(paper), (std::vector<int>{10, 13, 16, 17, 20}));
  EXPECT_EQ(paper.getPopupBT()->itemTitleAtIndex(1), "ADF 13");
  paper.setPlatenMenu();
  EXPECT_EQ(menuNumbers(paper), (std::vector<int>{1, 2, 3}));
  EXPECT_FALSE(paper.isADFMenu() || paper.isBothSideADFMenu());
}

TEST(VariantMenus, DeepColourModesFollowTheBitDepth) {
  Quirel_CTRLS_ColorModePopup mode;
  for (int n : {0, 1, 2, 3, 4, 5}) mode.addPopupItemWithTitle("Mode " + std::to_string(n), n, false);
  for (int n : {2, 3, 4}) mode.addPopupItemWithTitle("Film " + std::to_string(n), n, true);
  EXPECT_TRUE(mode.isBitEnabledMenu()) << "starts enabled";
  mode.setPlatenModeMenu(false);
  EXPECT_EQ(menuNumbers(mode), (std::vector<int>{0, 1, 3, 5}));
  EXPECT_FALSE(mode.isBitEnabledMenu());
  mode.setPlatenModeMenu(true);
  EXPECT_EQ(menuNumbers(mode), (std::vector<int>{0, 1, 2, 3, 4, 5}));
  mode.setFilmModeMenu(false);
  EXPECT_EQ(menuNumbers(mode), (std::vector<int>{3}));
  EXPECT_TRUE(mode.isFilmModeMenu());
}

TEST(AdvancedControls, EachPostsItsFixedNameWithItsControl) {
  PostRecorder rec({"AdvFavoriteChangePost", "AdvPaperSizeChangePost", "AdvFilmSizeChangePost",
                    "AdvOrientationButtonPost", "AdvColorModeChangePost", "AdvInputWidthChangePost",
                    "AdvOutputHeightChangePost", "AdvDirectionChangePost"});
  Quirel_CTRLS_FavoritePopup fav;
  Quirel_CTRLS_PaperSizePopup paper;
  Quirel_CTRLS_FilmSizePopup film;
  Quirel_CTRLS_OrientationButton orientation;
  Quirel_CTRLS_ColorModePopup colour;
  Quirel_CTRLS_InputSizeWidthTextF width;
  Quirel_CTRLS_OutputSizeHeightTextF height;
  Quirel_CTRLS_ADVDirectionButton direction;
  // The base's own notification name is not used by these.
  fav.setPupupBTActionPostNtf("BasePost");
  std::vector<const void*> expected;
  for (Quirel_CTRLS_PopupButton* p : std::vector<Quirel_CTRLS_PopupButton*>{&fav, &paper, &film}) {
    p->addPopupItem("A");
    kit::Menu::onNextPopUp([](kit::Menu&) { return 0; });
    p->getPopupBT()->performClick();
    expected.push_back(p->getPopupBT());
  }
  orientation.getPushBT()->performClick();
  expected.push_back(orientation.getPushBT());
  colour.addPopupItem("A");
  kit::Menu::onNextPopUp([](kit::Menu&) { return 0; });
  colour.getPopupBT()->performClick();
  expected.push_back(colour.getPopupBT());
  width.getNumberTxtF()->sendAction();
  expected.push_back(width.getNumberTxtF());
  height.getNumberTxtF()->sendAction();
  expected.push_back(height.getNumberTxtF());
  direction.getIconBT()->performClick();
  expected.push_back(direction.getIconBT());
  EXPECT_EQ(rec.posts, (std::vector<std::string>{"AdvFavoriteChangePost", "AdvPaperSizeChangePost",
                                                  "AdvFilmSizeChangePost", "AdvOrientationButtonPost",
                                                  "AdvColorModeChangePost", "AdvInputWidthChangePost",
                                                  "AdvOutputHeightChangePost", "AdvDirectionChangePost"}));
  EXPECT_EQ(rec.senders, expected);
  EXPECT_TRUE(width.getNumberTxtF()->sendsActionOnEndEditing());
}

TEST(AdvancedControls, FilmTitlesAndOrientationPictures) {
  Quirel_CTRLS_FilmSizePopup film;
  film.setTitleTxtTitleForCrop("Scan Size :");
  film.setTitleTxtTitleForFrame("Film Size :");
  EXPECT_EQ(film.getTitleTxt()->stringValue(), "Film Size :");
  film.changeCropTitle(true);
  EXPECT_EQ(film.getTitleTxt()->stringValue(), "Scan Size :");
  film.changeCropTitle(false);
  EXPECT_EQ(film.getTitleTxt()->stringValue(), "Film Size :");

  Quirel_CTRLS_OrientationButton orientation;
  orientation.setImage("FEEDER_UPPER.tiff", "FEEDER_LEFT.tiff", kBundle);
  kit::Image top = kit::Image::named("FEEDER_UPPER", kBundle);
  kit::Image left = kit::Image::named("AdfFromLeft", kBundle);
  ASSERT_TRUE(top.isValid());
  EXPECT_EQ(orientation.getImageView()->image().colorAtPixel(20, 1), top.colorAtPixel(20, 1));
  orientation.changeImage(true);
  EXPECT_EQ(orientation.getImageView()->image().colorAtPixel(3, 16), left.colorAtPixel(3, 16));
  orientation.setHidden(true);
  EXPECT_TRUE(orientation.getImageView()->isHidden());
  EXPECT_TRUE(orientation.isHidden());
}

TEST(AdvancedControls, DataSizeKeepsTheDisabledColourUntilTheOwnerGivesOne) {
  Quirel_CTRLS_DateSizeTextF size;
  size.setTxtFValue("12.5 MB", kit::Color::red());
  size.setTxtFValue(nullptr, std::nullopt);
  EXPECT_EQ(size.getTxtF()->stringValue(), "12.5 MB");
  EXPECT_EQ(size.getTxtF()->textColor(), kit::Color::red());
  size.setEnabled(false);
  EXPECT_EQ(size.getTxtF()->textColor(), kit::Color::disabledControlText());
  size.setEnabled(true);
  EXPECT_EQ(size.getTxtF()->textColor(), kit::Color::disabledControlText());
  size.setTxtFValue("13 MB", std::nullopt);
  EXPECT_EQ(size.getTxtF()->textColor(), kit::Color::disabledControlText());
  size.setTxtFValue(nullptr, kit::Color::controlText());
  EXPECT_EQ(size.getTxtF()->textColor(), kit::Color::controlText());
  EXPECT_EQ(size.getTxtF()->stringValue(), "13 MB");
}

namespace {

// A stepper in a key window, pressed on its upper or lower arrow with real mouse events.
struct StepperPress {
  TestWindow& w;
  kit::View* stepper;
  void press(bool up, int times) {
    fnd::Rect f = stepper->frame();
    fnd::Point at{f.midX(), up ? f.maxY() - 4 : f.minY() + 4};
    for (int i = 0; i < times; ++i) w.click(at);
  }
};

}  // namespace

TEST(AdvancedSteppers, MagnificationStopsAtItsEndsWithoutWrapping) {
  TestWindow w;
  Quirel_CTRLS_Magnification mag;
  w.window().contentView()->addSubview(mag.getStepper());
  w.window().contentView()->addSubview(mag.getNumberTxtF());
  mag.setStepperRect(10, 10, 19, 27);
  mag.getStepper()->setAutorepeat(false);
  PostRecorder rec({"AdvMagnificationStepperPost", "AdvMagnificationChangePost"});
  StepperPress p{w, mag.getStepper()};
  mag.setIntValue(26);
  p.press(false, 3);
  EXPECT_EQ(mag.getIntValue(), 25);
  EXPECT_EQ(mag.getStringValue(), "25");
  mag.setIntValue(19199);
  p.press(true, 3);
  EXPECT_EQ(mag.getIntValue(), 19200) << "no wrap to the minimum";
  mag.setMaxValue(400);
  mag.setIntValue(399);
  p.press(true, 2);
  EXPECT_EQ(mag.getIntValue(), 400);
  EXPECT_EQ(rec.posts.size(), 8u);
  EXPECT_EQ(rec.senders.front(), mag.getStepper());
  mag.setStringValue(nullptr);
  EXPECT_EQ(mag.getIntValue(), 400);
  mag.setDoubleValue(150);
  EXPECT_EQ(mag.getStepper()->intValue(), 150);
  mag.getStepper()->removeFromSuperview();
  mag.getNumberTxtF()->removeFromSuperview();
}

TEST(AdvancedSteppers, LevelStepperAndSliderStopAtTheirEndsAndPostOnceAgreed) {
  TestWindow w;
  Quirel_CTRLS_TextFAndStepper level(kBundle);
  level.setAction();
  kit::View* content = w.window().contentView();
  content->addSubview(level.getStepper());
  content->addSubview(level.getSlider());
  content->addSubview(level.getNumberTxtF());
  level.setStepperRect(10, 10, 19, 27);
  level.setSliderRect(40, 10, 255, 24);
  level.getStepper()->setAutorepeat(false);
  EXPECT_TRUE(level.getSliderCell()->knobImage().isValid()) << "knob from the bundle";

  // Every post is checked at the moment it is made: the three must agree by then.
  std::vector<std::string> seen;
  auto agree = [&](const fnd::Notification& n) {
    seen.push_back(n.name);
    EXPECT_EQ(level.getIntValue(), level.getStepper()->intValue()) << n.name;
    EXPECT_EQ(level.getIntValue(), level.getSlider()->intValue()) << n.name;
  };
  auto t1 = fnd::NotificationCenter::defaultCenter().observe("StepperPost", level.getStepper(), agree);
  auto t2 = fnd::NotificationCenter::defaultCenter().observe("SliderPost", level.getSlider(), agree);

  StepperPress p{w, level.getStepper()};
  level.setStringValue("126");
  EXPECT_EQ(level.getStepper()->intValue(), 126);
  p.press(true, 3);
  EXPECT_EQ(level.getIntValue(), 127);
  EXPECT_EQ(level.getSlider()->intValue(), 127);
  level.setStringValue("-126");
  p.press(false, 3);
  EXPECT_EQ(level.getIntValue(), -127);
  EXPECT_EQ(seen.size(), 6u);
  // A click at the slider's far left end moves it to the minimum once.
  level.getSlider()->setIntValue(0);
  seen.clear();
  w.click({41, 22});
  EXPECT_EQ(seen, (std::vector<std::string>{"SliderPost"}));
  EXPECT_EQ(level.getSlider()->intValue(), -127);

  // Programmatic setters: nil changes nothing; an int moves the field only.
  level.setStringValue(nullptr);
  EXPECT_EQ(level.getIntValue(), -127);
  level.setIntValue(40);
  EXPECT_EQ(level.getStringValue(), "40");
  EXPECT_EQ(level.getStepper()->intValue(), -127);
  EXPECT_EQ(level.getSlider()->intValue(), -127);
  level.setEnabled(false);
  EXPECT_FALSE(level.getNumberTxtF()->isEnabled() || level.getStepper()->isEnabled() || level.getSlider()->isEnabled());
  for (kit::View* v : std::vector<kit::View*>{level.getStepper(), level.getSlider(), level.getNumberTxtF()})
    v->removeFromSuperview();
}

// The lock turns its picture to the state the click left and then reports; the advanced
// thumbnail buttons report under the advanced names, never the basic ones.
TEST(AdvancedControls, RatioLockAndThumbnailStepsReportUnderTheirOwnNames) {
  PostRecorder rec({"AdvFixesRatioChangePost", "AdvNextThumbnailPost", "AdvBackThumbnailPost", "NextThumbnailPost",
                    "BackThumbnailPost"});
  Quirel_CTRLS_FixesRatioButton lock;
  lock.setIconBTOnImage("BT_LOCK_ON_S", "BT_LOCK_ON_N", "BT_LOCK_ON_G", kBundle);
  lock.setIconBTOffImage("BT_LOCK_OFF_S", "BT_LOCK_OFF_N", "BT_LOCK_OFF_G", kBundle);
  const kit::Image on = kit::Image::named("BT_LOCK_ON_N", kBundle), off = kit::Image::named("BT_LOCK_OFF_N", kBundle);
  ASSERT_TRUE(on.isValid() && off.isValid());
  // A pixel where the two pictures differ.
  int x = -1, y = -1;
  for (int j = 0; j < int(on.size().height) && x < 0; ++j)
    for (int i = 0; i < int(on.size().width) && x < 0; ++i)
      if (on.colorAtPixel(i, j) != off.colorAtPixel(i, j)) x = i, y = j;
  ASSERT_GE(x, 0) << "the locked and unlocked pictures look the same";
  lock.getIconOnOffBT()->performClick();
  EXPECT_TRUE(lock.isOnState());
  EXPECT_EQ(lock.getIconOnOffBT()->image().colorAtPixel(x, y), on.colorAtPixel(x, y));
  lock.getIconOnOffBT()->performClick();
  EXPECT_FALSE(lock.isOnState());
  EXPECT_EQ(lock.getIconOnOffBT()->image().colorAtPixel(x, y), off.colorAtPixel(x, y));

  Quirel_CTRLS_ADVNextThumbnailButton steps;
  steps.getNextBT()->performClick();
  steps.getBackBT()->performClick();
  EXPECT_EQ(rec.posts, (std::vector<std::string>{"AdvFixesRatioChangePost", "AdvFixesRatioChangePost",
                                                  "AdvNextThumbnailPost", "AdvBackThumbnailPost"}));
  EXPECT_EQ(rec.senders, (std::vector<const void*>{lock.getIconOnOffBT(), lock.getIconOnOffBT(), steps.getNextBT(),
                                                    steps.getBackBT()}));
}
