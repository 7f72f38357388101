// A picture of the preview area with crop frames, thumbnail cells and a colour-pattern grid,
// grabbed to controls-gallery-2.png in the test's working folder, to be looked at.

#include <gtest/gtest.h>

#include <filesystem>
#include <iostream>
#include <memory>
#include <vector>

#include "ControlsTestSupport.h"
#include "ui/controls/ColorPatternFrameView.h"
#include "ui/controls/ColorPatternImageView.h"
#include "ui/controls/CropView.h"
#include "ui/controls/MultiCropView.h"
#include "ui/controls/PreviewFrameView.h"
#include "ui/controls/PreviewScrollView.h"
#include "ui/controls/PreviewShadowView.h"
#include "ui/controls/PreviewView.h"
#include "ui/controls/ThumbnailFrameView.h"
#include "ui/controls/ThumbnailPreviewView.h"

using controls_test::TestWindow;

namespace {

// A gradient picture: red across, green down.
kit::Image gradient(int w, int h) {
  std::vector<std::uint8_t> px(static_cast<std::size_t>(w) * h * 3);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      std::uint8_t* p = &px[(static_cast<std::size_t>(y) * w + x) * 3];
      p[0] = static_cast<std::uint8_t>(255 * x / w);
      p[1] = static_cast<std::uint8_t>(255 * y / h);
      p[2] = 160;
    }
  return kit::Image::fromRGB(px.data(), w, h);
}

}  // namespace

TEST(Gallery, PreviewCropsThumbnailsAndColourPatterns) {
  TestWindow w(fnd::Rect(40, 40, 820, 560));
  w.window().setTitle("Controls gallery 2");
  kit::View* content = w.window().contentView();

  auto* frame = w.add(std::make_unique<Quirel_PreviewFrameView>(fnd::Rect(10, 150, 480, 400)));
  frame->addSubview(std::make_unique<Quirel_PreviewShadowView>(fnd::Rect(24, 16, 440, 360)));
  auto* scroll = static_cast<Quirel_PreviewScrollView*>(
      frame->addSubview(std::make_unique<Quirel_PreviewScrollView>(fnd::Rect(20, 20, 440, 360))));
  auto previewOwned = Quirel_PreviewView::initForExtendMode();
  Quirel_PreviewView* preview = previewOwned.get();
  preview->setFrame(fnd::Rect(0, 0, 440, 360));
  scroll->setDocumentView(std::move(previewOwned));
  preview->setPreviewImage(gradient(880, 720));
  preview->setTransform(fnd::AffineTransform::identity(), 0);

  std::vector<std::unique_ptr<Quirel_CropView>> crops;
  for (int style : {0, 1, 2}) {
    crops.push_back(std::make_unique<Quirel_CropView>(fnd::Rect(20 + style * 140, 200, 120, 120)));
    crops.back()->setLineStyle(style);
  }
  crops.push_back(std::make_unique<Quirel_MultiCropView>(fnd::Rect(40, 40, 360, 120)));
  for (auto& c : crops) preview->addSubview(static_cast<kit::View*>(c.get()));
  ASSERT_TRUE(w.window().makeFirstResponder(preview));

  // Thumbnail cells: plain, selected, focused, pressed.
  for (int i = 0; i < 4; ++i) {
    auto* cell = w.add(std::make_unique<Quirel_ThumbnailFrameView>(fnd::Rect(10 + i * 120, 10, 110, 130), i));
    cell->setSelected(i == 1 || i == 2);
    cell->setFocus(i == 2);
    cell->setWillSelected(i == 3);
    auto* thumb = static_cast<Quirel_ThumbnailPreviewView*>(
        cell->addSubview(std::make_unique<Quirel_ThumbnailPreviewView>(fnd::Rect(10, 10, 90, 110), i)));
    thumb->setImage(gradient(90, 110));
    thumb->setTransform(fnd::AffineTransform::identity(), 0);
  }

  // A colour-pattern grid, turned and mirrored variations; the middle one chosen, one based.
  for (int row = 0; row < 3; ++row)
    for (int col = 0; col < 2; ++col) {
      auto* cell = w.add(std::make_unique<Quirel_ColorPatternFrameView>(
          fnd::Rect(520 + col * 140, 130 + row * 140, 130, 130)));
      cell->setSelected(row == 1 && col == 0);
      cell->setBased(row == 2 && col == 1);
      auto* image = static_cast<Quirel_ColorPatternImageView*>(
          cell->addSubview(std::make_unique<Quirel_ColorPatternImageView>()));
      image->setImage(gradient(200, 100), (row * 2 + col) % 4 * 90, col == 1);
    }

  std::filesystem::path png = std::filesystem::current_path() / "controls-gallery-2.png";
  std::filesystem::remove(png);
  content->display();
  EXPECT_TRUE(w.window().grabToPng(png.string()));
  EXPECT_TRUE(std::filesystem::exists(png));
  std::cout << "gallery: " << png.string() << "\n";
  for (auto& c : crops) c->removeFromSuperview();
}
