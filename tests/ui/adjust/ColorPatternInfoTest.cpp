// One colour-pattern cell and its views; the dialog's window that hears nothing once closing.
#include <gtest/gtest.h>

#include "ColorPatternTestSupport.h"
#include "ui/adjust/ColorPatternDlgWindow.h"
#include "ui/adjust/ColorPatternInfo.h"
#include "ui/controls/ColorPatternFrameView.h"
#include "ui/controls/ColorPatternImageView.h"

using namespace colorpattern_test;

TEST(ColorPatternInfo, MarksAndPicturesReachTheCellsViews) {
  Quirel_ColorPatternFrameView frame(fnd::Rect(0, 0, 110, 110));
  auto* image = static_cast<Quirel_ColorPatternImageView*>(
      frame.addSubview(std::make_unique<Quirel_ColorPatternImageView>(fnd::Rect(5, 5, 100, 100))));
  Quirel_ColorPatternInfo cell;
  cell.setFrameView(&frame);
  cell.setImageView(image);
  cell.setFrameView(nullptr);  // ignored
  cell.setImageView(nullptr);
  EXPECT_EQ(cell.getFrameView(), &frame);
  EXPECT_EQ(cell.getImageView(), image);
  cell.setSelected(true);
  cell.setBased(true);
  EXPECT_TRUE(frame.isSelected());
  EXPECT_TRUE(frame.isBased());
  cell.setSelected(false);
  EXPECT_FALSE(frame.isSelected());
  EXPECT_TRUE(frame.isBased());

  const std::vector<std::uint8_t> picture = quarterPicture(100, 50);
  cell.setImage(kit::Image::fromRGB(picture.data(), 100, 50), 90, true);
  EXPECT_EQ(cell.getRotation(), 90);
  EXPECT_TRUE(cell.getMirror());
  ASSERT_TRUE(cell.getImage());
  EXPECT_EQ(cell.getImage()->pixelsWide(), 100);
  // Turned a quarter, the wide picture stands upright in the image view.
  EXPECT_EQ(image->frame().size, (fnd::Size{50, 100}));
  EXPECT_TRUE(image->transform().has_value());
}

TEST(ColorPatternDlgWindow, AClosingWindowDropsEveryEvent) {
  Quirel_ColorPatternDlgWindow window(fnd::Rect(0, 0, 200, 200), kit::kTitledWindowMask);
  Quirel_ColorPatternFrameView* frame = static_cast<Quirel_ColorPatternFrameView*>(
      window.contentView()->addSubview(std::make_unique<Quirel_ColorPatternFrameView>(fnd::Rect(10, 10, 110, 110))));
  window.makeKeyAndOrderFront();
  int clicks = 0;
  fnd::NotificationCenter::Token t = fnd::NotificationCenter::defaultCenter().observe(
      Quirel_ColorPatternFrameView::kClickPost, frame, [&](const fnd::Notification&) { ++clicks; });
  clickView(*frame);
  EXPECT_EQ(clicks, 1);
  window.setCloseFlg(true);
  clickView(*frame);
  EXPECT_EQ(clicks, 1);
  window.setCloseFlg(false);
  clickView(*frame);
  EXPECT_EQ(clicks, 2);
  window.orderOut();
}
