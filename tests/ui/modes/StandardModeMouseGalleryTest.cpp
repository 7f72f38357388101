// A picture to look at: a frame of the basic mode's preview caught in the middle of a resize,
// its old place still outlined (modes-frame-resizing.png, in the test's working folder).

#include <gtest/gtest.h>

#include <filesystem>
#include <iostream>

#include "StandardModeMouseRig.h"
#include "foundation/RunLoop.h"
#include "kit/Window.h"
#include "ui/model/PreviewBitmap.h"

using kit::EventType;
using mouse_test::MouseRig;

TEST(StandardModeMouseGallery, AFrameBeingResized) {
  MouseRig rig;
  kit::Window window(fnd::Rect(0, 0, 640, 480), kit::kTitledWindowMask);
  window.contentView()->addSubview(&rig.frameView());
  // A sky over a field, so the frames show on both.
  const int w = 256, h = 352;
  auto bytes = std::make_shared<std::vector<std::uint8_t>>(static_cast<std::size_t>(w) * h * 3);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      std::uint8_t* p = bytes->data() + (static_cast<std::size_t>(y) * w + x) * 3;
      const bool sky = y < h * 2 / 5;
      p[0] = sky ? 120 : 60;
      p[1] = sky ? 170 : 140 + x * 60 / w;
      p[2] = sky ? 235 : 50;
    }
  rig.mode.reDrawPreview(PreviewBitmap{w, h, bytes});
  Quirel_CropInfo& other = rig.addFrame({30, 40, 90, 70});
  Quirel_CropInfo& crop = rig.addFrame({100, 150, 120, 100});
  other.setLineStyle(0);
  rig.mode.setFocus(&crop);
  // Pressed on the top-right corner and dragged up and out; not yet released.
  rig.mode.mouseDownOnPreviewForCrop(rig.at(EventType::LeftMouseDown, {220, 250}));
  rig.mode.mouseDraggedOnPreviewForCrop(rig.at(EventType::LeftMouseDragged, {260, 300}));
  EXPECT_EQ(crop.getCropView()->frame(), fnd::Rect(100, 150, 160, 150));
  ASSERT_NE(crop.getSrcView(), nullptr);
  EXPECT_EQ(crop.getSrcView()->frame(), fnd::Rect(100, 150, 120, 100));

  const std::filesystem::path png = std::filesystem::current_path() / "modes-frame-resizing.png";
  std::filesystem::remove(png);
  window.makeKeyAndOrderFront();
  bool grabbed = false;
  fnd::RunLoop::main().performAfterDelay(0.05, [&] {
    window.contentView()->display();
    grabbed = window.grabToPng(png.string());
    fnd::RunLoop::main().stop();
  });
  fnd::RunLoop::main().runFor(fnd::RunLoopMode::Default, 5);
  ASSERT_TRUE(grabbed);
  std::cout << "gallery: " << png.string() << "\n";
  rig.mode.mouseUpOnPreviewForCrop(0);
  EXPECT_EQ(crop.getSrcView(), nullptr);
}
