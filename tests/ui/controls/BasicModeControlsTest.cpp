// The basic mode's step-panel controls: enabled-only posting by real clicks, the correction
// check boxes with their three pictures, the colour-pattern button's two looks and the
// destination menus.

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "ControlsTestSupport.h"
#include "kit/Menu.h"
#include "ui/controls/CTRLS_AdjustCropText.h"
#include "ui/controls/CTRLS_ColorPatternButton.h"
#include "ui/controls/CTRLS_DestinationPopup.h"
#include "ui/controls/CTRLS_ImageSourcePopup.h"
#include "ui/controls/CTRLS_OutputSizePopup.h"
#include "ui/controls/CTRLS_STDCheckBox.h"
#include "ui/controls/CTRLS_STDDirectionButton.h"
#include "ui/controls/CTRLS_STDPreviewButton.h"
#include "ui/controls/CTRLS_STDScanButton.h"

using controls_test::kBundle;
using controls_test::PostRecorder;
using controls_test::TestWindow;

namespace {

// The picture shown, told apart by one pixel in the middle.
kit::Color basicMiddleOf(const kit::Image& image) { return image.colorAtPixel(image.pixelsWide() / 2 - 4, 4); }

kit::Image basicPicture(const char* name) { return kit::Image::named(name, kBundle); }

}  // namespace

TEST(BasicButtons, DisabledButtonsPostNothingWhenClicked) {
  TestWindow w(fnd::Rect(0, 0, 400, 200));
  Quirel_CTRLS_STDPreviewButton preview;
  Quirel_CTRLS_STDScanButton scan;
  auto pattern = Quirel_CTRLS_ColorPatternButton::initWithImageView();
  kit::View* content = w.window().contentView();
  content->addSubview(preview.getColorPushBT());
  content->addSubview(scan.getColorPushBT());
  content->addSubview(pattern->getPushBT());
  preview.setColorPushBTRect(10, 10, 96, 32);
  scan.setColorPushBTRect(120, 10, 96, 32);
  pattern->setPushBTRect(230, 10, 120, 30);
  PostRecorder rec({"PreviewStartPost", "ScanStartPost", "ColorPatternOpenPost"});
  auto clickAll = [&] {
    w.click({58, 26});
    w.click({168, 26});
    w.click({290, 25});
  };
  clickAll();
  EXPECT_EQ(rec.posts, (std::vector<std::string>{"PreviewStartPost", "ScanStartPost", "ColorPatternOpenPost"}));
  EXPECT_EQ(rec.senders,
            (std::vector<const void*>{preview.getColorPushBT(), scan.getColorPushBT(), pattern->getPushBT()}));
  preview.setEnabled(false);
  scan.setEnabled(false);
  pattern->setEnabled(false);
  rec.posts.clear();
  clickAll();
  // Even a press that reaches the action while disabled reports nothing.
  preview.PreviewBTAction();
  scan.ScanBTAction();
  pattern->ColorPatternBTAction();
  EXPECT_TRUE(rec.posts.empty());
  preview.getColorPushBT()->removeFromSuperview();
  scan.getColorPushBT()->removeFromSuperview();
  pattern->getPushBT()->removeFromSuperview();
}

TEST(BasicCheckBox, ClickSwapsThePictureAndPostsOnlyWithAName) {
  TestWindow w(fnd::Rect(0, 0, 300, 100));
  Quirel_CTRLS_STDCheckBox box;
  box.setImage("BACKLIGHT_ON.tiff", "BACKLIGHT_N.tiff", "BACKLIGHT_G.tiff", kBundle);
  w.window().contentView()->addSubview(box.getCheckBox());
  box.setCheckBoxRect(10, 10, 20, 20);
  EXPECT_EQ(basicMiddleOf(box.getImageView()->image()), basicMiddleOf(basicPicture("BACKLIGHT_N")));
  PostRecorder rec({"LightCorrectCheckPost"});
  w.click({20, 20});
  EXPECT_TRUE(box.isChecked());
  EXPECT_EQ(basicMiddleOf(box.getImageView()->image()), basicMiddleOf(basicPicture("BACKLIGHT_ON")));
  EXPECT_TRUE(rec.posts.empty()) << "no name set";
  box.setCheckBoxActionPostNtf("LightCorrectCheckPost");
  w.click({20, 20});
  EXPECT_FALSE(box.isChecked());
  EXPECT_EQ(basicMiddleOf(box.getImageView()->image()), basicMiddleOf(basicPicture("BACKLIGHT_N")));
  EXPECT_EQ(rec.senders, (std::vector<const void*>{box.getCheckBox()}));
  box.getCheckBox()->removeFromSuperview();
}

TEST(BasicCheckBox, DisabledPictureRules) {
  Quirel_CTRLS_STDCheckBox box;
  box.setImage("FADINGCORRECT_ON", "FADINGCORRECT_N", nullptr, kBundle);
  EXPECT_FALSE(box.hasDisableImage()) << "no name, no picture";
  box.check(true);
  EXPECT_EQ(basicMiddleOf(box.getImageView()->image()), basicMiddleOf(basicPicture("FADINGCORRECT_ON")));
  box.setEnabled(false);
  EXPECT_EQ(basicMiddleOf(box.getImageView()->image()), basicMiddleOf(basicPicture("FADINGCORRECT_ON"))) << "keeps its picture";
  EXPECT_FALSE(box.getImageView()->isEnabled());

  Quirel_CTRLS_STDCheckBox withDisabled;
  withDisabled.setImage("FADINGCORRECT_ON", "FADINGCORRECT_N", "FADINGCORRECT_G", kBundle);
  withDisabled.setImage("FADINGCORRECT_ON", "FADINGCORRECT_N", "NoSuchPicture", kBundle);
  EXPECT_TRUE(withDisabled.hasDisableImage()) << "a name not found keeps the loaded picture";
  withDisabled.setEnabled(false);
  EXPECT_EQ(basicMiddleOf(withDisabled.getImageView()->image()), basicMiddleOf(basicPicture("FADINGCORRECT_G")));
  withDisabled.check(true);
  EXPECT_TRUE(withDisabled.isChecked());
  EXPECT_EQ(basicMiddleOf(withDisabled.getImageView()->image()), basicMiddleOf(basicPicture("FADINGCORRECT_G")));
  withDisabled.setEnabled(true);
  EXPECT_EQ(basicMiddleOf(withDisabled.getImageView()->image()), basicMiddleOf(basicPicture("FADINGCORRECT_ON")));
  withDisabled.setHidden(true);
  EXPECT_TRUE(withDisabled.getImageView()->isHidden());
  EXPECT_TRUE(withDisabled.isHidden());
}

TEST(ColorPatternButton, PicturesOnTheButtonOrBesideIt) {
  Quirel_CTRLS_ColorPatternButton onButton;
  EXPECT_EQ(onButton.getImageView(), nullptr);
  onButton.setImageViewRect(1, 2, 3, 4);  // nothing to place
  onButton.setImage_16("VIEWCOLOR_N.tiff", "VIEWCOLOR_G.tiff", kBundle);
  EXPECT_EQ(onButton.getPushBT()->image().size(), (fnd::Size{16, 16}));
  EXPECT_EQ(onButton.getPushBT()->imagePosition(), kit::ImagePosition::ImageLeft);
  EXPECT_EQ(onButton.getPushBT()->bezelStyle(), kit::BezelStyle::RegularSquare);
  onButton.setEnabled(false);
  kit::Color grey = onButton.getPushBT()->image().colorAtPixel(2, 2);
  onButton.setEnabled(true);
  EXPECT_NE(onButton.getPushBT()->image().colorAtPixel(2, 2), grey) << "the off picture while disabled";

  auto beside = Quirel_CTRLS_ColorPatternButton::initWithImageView();
  beside->setImage_32("view_sample_color_e_32x32.icns", "view_sample_color_d_32x32.icns", kBundle);
  ASSERT_NE(beside->getImageView(), nullptr);
  EXPECT_EQ(beside->getImageView()->image().size(), (fnd::Size{32, 32}));
  EXPECT_FALSE(beside->getPushBT()->image().isValid());
  beside->setImageViewRect(1, 2, 32, 32);
  EXPECT_EQ(beside->getImageView()->frame(), fnd::Rect(1, 2, 32, 32));
  beside->setHidden(true);
  EXPECT_TRUE(beside->getImageView()->isHidden() && beside->isHidden());
}

TEST(BasicMenus, DestinationListsAndFixedPosts) {
  Quirel_CTRLS_DestinationPopup dest;
  dest.addPopupItemWithTitle("Photo", 1, false);
  dest.addPopupItemWithTitle("Magazine", 2, false);
  dest.addPopupItemWithTitle("Film photo", 7, true);
  dest.setFilmModeMenu();
  EXPECT_EQ(dest.getPopupBT()->itemTitles(), (std::vector<std::string>{"Film photo"}));
  EXPECT_TRUE(dest.isFilmModeMenu());
  dest.setPlatenModeMenu();
  EXPECT_EQ(dest.getPopupBT()->itemTitles(), (std::vector<std::string>{"Photo", "Magazine"}));
  EXPECT_FALSE(dest.isFilmModeMenu());

  PostRecorder rec({"ImageSourceChangePost", "DestinationChangePost", "OutputSizeChangePost", "DirectionChangePost"});
  Quirel_CTRLS_ImageSourcePopup source;
  Quirel_CTRLS_OutputSizePopup size;
  source.addPopupItem("Platen");
  size.addPopupItem("Flexible");
  for (Quirel_CTRLS_PopupButton* p : std::vector<Quirel_CTRLS_PopupButton*>{&source, &dest, &size}) {
    kit::Menu::onNextPopUp([](kit::Menu&) { return 0; });
    p->getPopupBT()->performClick();
  }
  Quirel_CTRLS_STDDirectionButton direction;
  direction.getIconBT()->performClick();
  EXPECT_EQ(rec.posts, (std::vector<std::string>{"ImageSourceChangePost", "DestinationChangePost",
                                                  "OutputSizeChangePost", "DirectionChangePost"}));
  EXPECT_EQ(rec.senders, (std::vector<const void*>{source.getPopupBT(), dest.getPopupBT(), size.getPopupBT(),
                                                    direction.getIconBT()}));
  direction.setEnabled(false);
  EXPECT_EQ(direction.getTitleTxt()->textColor(), kit::Color::disabledControlText());
  EXPECT_FALSE(direction.getIconBT()->isEnabled());

  Quirel_CTRLS_AdjustCropText hint;
  hint.setImage("CROPBORDER.tiff", kBundle);
  EXPECT_TRUE(hint.getImageView()->image().isValid());
  hint.setHidden(true);
  EXPECT_TRUE(hint.getImageView()->isHidden() && hint.getTitleTxt()->isHidden());
}
