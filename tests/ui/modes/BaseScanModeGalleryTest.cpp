// Pictures to look at: the preview area of a scan mode with a preview picture, a focused and a
// plain frame (modes-preview-area.png), and a six-thumbnail layout (modes-thumbnails.png), in
// the test's working folder.

#include <gtest/gtest.h>

#include <filesystem>
#include <iostream>

#include "ModesTestSupport.h"
#include "foundation/RunLoop.h"
#include "kit/Window.h"
#include "ui/controls/PreviewFrameView.h"
#include "ui/model/PreviewBitmap.h"

using modes_test::TestScanMode;

namespace {

// A picture with a sky, a field and a sun, so turns and frames are easy to see.
PreviewBitmap galleryModesPicture(int width, int height) {
  auto bytes = std::make_shared<std::vector<std::uint8_t>>(static_cast<std::size_t>(width) * height * 3);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      std::uint8_t* p = bytes->data() + (static_cast<std::size_t>(y) * width + x) * 3;
      const bool sky = y < height * 2 / 5;
      const int dx = x - width * 3 / 4, dy = y - height / 5;
      const bool sun = dx * dx + dy * dy < (width / 10) * (width / 10);
      p[0] = sun ? 250 : sky ? 120 : 60;
      p[1] = sun ? 210 : sky ? 170 : 140 + (x * 60 / width);
      p[2] = sun ? 40 : sky ? 235 : 50;
    }
  }
  return {width, height, bytes};
}

std::string galleryModesPng(const char* name) {
  std::filesystem::path png = std::filesystem::current_path() / name;
  std::filesystem::remove(png);
  return png.string();
}

bool galleryModesGrab(kit::Window& window, const std::string& png) {
  window.makeKeyAndOrderFront();
  bool grabbed = false;
  fnd::RunLoop::main().performAfterDelay(0.05, [&] {
    window.contentView()->display();
    grabbed = window.grabToPng(png);
    fnd::RunLoop::main().stop();
  });
  fnd::RunLoop::main().runFor(fnd::RunLoopMode::Default, 5);
  return grabbed;
}

}  // namespace

TEST(BaseScanModeGallery, PreviewAreaWithAPictureAndTwoFrames) {
  TestScanMode mode;
  mode.buildPreviewArea(505, 538);
  kit::Window window(fnd::Rect(0, 0, 505, 538), kit::kTitledWindowMask);
  window.contentView()->addSubview(mode.mPreviewFrame->getFrameView());
  mode.mTemplateCrop = std::make_shared<Quirel_CropInfo>();
  mode.resetPreview({2550, 3508}, false, false);
  const PreviewBitmap picture = galleryModesPicture(255, 351);
  mode.reDrawPreview(picture);
  auto place = [&mode](double x, double y, double w, double h) {
    Quirel_CropInfo* crop = mode.createCropWithView(fnd::Rect());
    crop->setVisiblePreviewSize_Pixel96({2550, 3508});
    crop->setPreviewViewSize(mode.mPreview->getImageViewRect().size);
    crop->setInputRect_Pixel96({{x, y}, {w, h}});
    mode.updateCropRectFromCrop(*crop, false);
    return crop;
  };
  Quirel_CropInfo* plain = place(200, 300, 900, 700);
  Quirel_CropInfo* focused = place(1300, 1800, 1000, 1400);
  plain->setSelect(true);
  focused->setSelect(true);
  focused->setLineStyle(1);
  mode.setFocus(focused);
  EXPECT_EQ(mode.mPreview->getImageViewRect(), fnd::Rect(0, 0, 363, 498));

  const std::string png = galleryModesPng("modes-preview-area.png");
  ASSERT_TRUE(galleryModesGrab(window, png));
  std::cout << "gallery: " << png << "\n";
}

TEST(BaseScanModeGallery, SixThumbnails) {
  TestScanMode mode;
  mode.setScannerInfo(modes_test::scannerWith({}));
  mode.buildPreviewArea(505, 538);
  kit::Window window(fnd::Rect(0, 0, 505, 538), kit::kTitledWindowMask);
  window.contentView()->addSubview(mode.mPreviewFrame->getFrameView());
  mode.mTemplateCrop = std::make_shared<Quirel_CropInfo>();
  mode.mScanMode = 3;
  mode.mThumbnailCount = 6;
  const PreviewBitmap picture = galleryModesPicture(120, 160);
  const kit::Image image = kit::Image::fromRGB(picture.bytes->data(), picture.width, picture.height);
  for (int i = 0; i < 6; ++i) mode.createThumbnailWithIndex(i, std::nullopt, {{0, 0}, {300, 400}}, true);
  for (int i = 0; i < 6; ++i) mode.setThumbnailImage(image, i);
  mode.mSelectAllThumbnail = false;
  mode.setSelectedThumbnail(0, 2);
  mode.updateThumbnail();
  for (const auto& t : mode.mThumbnailList) EXPECT_FALSE(t->isHidden());

  const std::string png = galleryModesPng("modes-thumbnails.png");
  ASSERT_TRUE(galleryModesGrab(window, png));
  std::cout << "gallery: " << png << "\n";
}
