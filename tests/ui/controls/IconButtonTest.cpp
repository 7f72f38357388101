// The image buttons: pictures by name from the picture bundle, hover by tracking rectangle on
// the key window only, colour modes, on/off states.

#include <gtest/gtest.h>

#include <memory>

#include "ControlsTestSupport.h"
#include "foundation/Bundle.h"
#include "ui/controls/IconBezelButton.h"
#include "ui/controls/IconBezelCGButton.h"
#include "ui/controls/IconOnOffButton.h"

using controls_test::TestWindow;

namespace {

using controls_test::kBundle;

bool shows(const kit::Button* b, const kit::Image& image) {
  return image.isValid() && b->image().data() == image.data();
}

}  // namespace

TEST(IconButtons, NamesAreFoundWhateverTheExtensionAndUnknownNamesKeepThePicture) {
  Quirel_IconBezelButton b(fnd::Rect(0, 0, 24, 24));
  b.setImage("BtnDirection_on.tiff", "BtnDirection_off.icns", "BtnDirection_d", kBundle);
  const kit::Image exit = b.images().exit;
  ASSERT_TRUE(b.images().enter.isValid());
  ASSERT_TRUE(exit.isValid());
  ASSERT_TRUE(b.images().disable.isValid());
  EXPECT_TRUE(shows(&b, exit));
  EXPECT_EQ(b.imagePosition(), kit::ImagePosition::ImageOnly);
  b.setImage("", "NoSuchPicture", "", kBundle);
  EXPECT_EQ(b.images().exit.data(), exit.data());
  EXPECT_NE(b.trackingRectTag(), -1);
  EXPECT_FALSE(b.acceptsFirstResponder());
  // Owners may also pass the bundle as the full path the scanner information gives.
  Quirel_IconBezelButton full(fnd::Rect(0, 0, 24, 24));
  full.setImage("", "BtnDirection_off.tif", "", fnd::Bundle::main().pathForResource("quirel_r14", "bundle", "pictures"));
  EXPECT_TRUE(full.images().exit.isValid());
}

TEST(IconButtons, HoverShowsThePointerOverPictureOnlyOnTheKeyWindow) {
  for (bool key : {true, false}) {
    SCOPED_TRACE(key ? "key window" : "not key");
    TestWindow w(fnd::Rect(0, 0, 200, 100), key);
    auto* b = w.add(std::make_unique<Quirel_IconBezelButton>(fnd::Rect(10, 10, 24, 24)));
    b->setImage("BtnDirection_on", "BtnDirection_off", "BtnDirection_d", kBundle);
    w.moveTo({150, 80});
    w.moveTo({20, 20});
    EXPECT_TRUE(shows(b, key ? b->images().enter : b->images().exit));
    w.moveTo({150, 80});
    EXPECT_TRUE(shows(b, b->images().exit));
  }
}

TEST(IconButtons, DisablingShowsTheDisabledPictureOrElseThePointerAwayOne) {
  Quirel_IconBezelButton b(fnd::Rect(0, 0, 24, 24));
  b.setImage("BtnDirection_on", "BtnDirection_off", "", kBundle);
  b.setEnabled(false);
  EXPECT_TRUE(shows(&b, b.images().exit));
  b.setImage("", "", "BtnDirection_d", kBundle);
  b.setEnabled(true);
  b.setEnabled(false);
  EXPECT_TRUE(shows(&b, b.images().disable));
  b.setEnabled(true);
  EXPECT_TRUE(shows(&b, b.images().exit));
}

TEST(IconButtons, ColourModeSwitchesBetweenTheColourAndTheGreySet) {
  Quirel_IconBezelCGButton b(fnd::Rect(0, 0, 24, 24));
  EXPECT_EQ(b.getColorMode(), 3);
  b.setColorImage("BtnDirection_on", "BtnDirection_off", "BtnDirection_d", kBundle);
  b.setGrayImage("BT_TATEYOKO_S", "BT_TATEYOKO_N", "BT_TATEYOKO_G", kBundle);
  EXPECT_TRUE(shows(&b, b.colorImages().exit)) << "the grey set only loads";
  // The same mode again changes nothing, even what is shown.
  b.setImage(b.colorImages().enter);
  b.setColorMode(3);
  EXPECT_TRUE(shows(&b, b.colorImages().enter));
  b.setColorMode(1);
  EXPECT_TRUE(shows(&b, b.grayImages().exit));
  b.setColorMode(2);
  EXPECT_TRUE(shows(&b, b.grayImages().exit));
  b.setColorMode(5);
  EXPECT_TRUE(shows(&b, b.colorImages().exit));
  b.setEnabled(false);
  b.setColorMode(1);
  EXPECT_TRUE(shows(&b, b.grayImages().disable));
  EXPECT_EQ(b.getColorMode(), 1);
}

TEST(IconButtons, OnOffButtonClickedWithThePointerInsideShowsTheEnteredPictureOfItsNewState) {
  TestWindow w;
  auto* b = w.add(std::make_unique<Quirel_IconOnOffButton>(fnd::Rect(10, 10, 24, 24)));
  b->setOnImage("BT_LOCK_ON_S", "BT_LOCK_ON_N", "BT_LOCK_ON_G", kBundle);
  b->setOffImage("BT_LOCK_OFF_S", "BT_LOCK_OFF_N", "BT_LOCK_OFF_G", kBundle);
  const kit::Image onEnter = kit::Image::named("BT_LOCK_ON_S", kBundle);
  EXPECT_EQ(b->state(), kit::kOffState);
  w.moveTo({150, 150});
  w.moveTo({20, 20});
  EXPECT_TRUE(b->mouseEnter());
  w.click({20, 20});
  EXPECT_EQ(b->state(), kit::kOnState);
  // The on set's pointer-over picture (compared by size and pixels of a fresh load).
  ASSERT_TRUE(b->image().isValid());
  EXPECT_EQ(b->image().colorAtPixel(12, 3), onEnter.colorAtPixel(12, 3));
  EXPECT_NE(b->image().colorAtPixel(12, 3), kit::Image::named("BT_LOCK_ON_N", kBundle).colorAtPixel(12, 3));
  // Leaving shows the on set's pointer-away picture; setState shows the new state's.
  w.moveTo({150, 150});
  EXPECT_FALSE(b->mouseEnter());
  EXPECT_EQ(b->image().colorAtPixel(12, 3), kit::Image::named("BT_LOCK_ON_N", kBundle).colorAtPixel(12, 3));
  b->setState(kit::kOffState);
  EXPECT_EQ(b->image().colorAtPixel(12, 3), kit::Image::named("BT_LOCK_OFF_N", kBundle).colorAtPixel(12, 3));
  b->setEnabled(false);
  EXPECT_EQ(b->image().colorAtPixel(12, 3), kit::Image::named("BT_LOCK_OFF_G", kBundle).colorAtPixel(12, 3));
}
