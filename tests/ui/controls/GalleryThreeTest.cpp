// A picture of the main window as the front door builds it (mode tabs, preview area with its
// frame, shadow, image, crop frames and label, toolbar, thumbnail stepping buttons, separator,
// blue panel) grabbed to controls-gallery-3.png, and an image-adjustment panel grabbed to
// controls-gallery-3-panel.png, both in the test's working folder, to be looked at.

#include <gtest/gtest.h>

#include <filesystem>
#include <iostream>
#include <memory>
#include <vector>

#include "ControlsTestSupport.h"
#include "foundation/Bundle.h"
#include "foundation/RunLoop.h"
#include "kit/Application.h"
#include "kit/TextField.h"
#include "ui/base/PVLocalizedBundle.h"
#include "ui/controls/CTRLS_MainWindow.h"
#include "ui/controls/CTRLS_NextThumbnailButton.h"
#include "ui/controls/CTRLS_Preview.h"
#include "ui/controls/CTRLS_PreviewFrame.h"
#include "ui/controls/CTRLS_PushButton.h"
#include "ui/controls/CTRLS_Separator.h"
#include "ui/controls/CTRLS_TOOLAllCropPushButton.h"
#include "ui/controls/CTRLS_TOOLAllFramePushButton.h"
#include "ui/controls/CTRLS_TOOLButton.h"
#include "ui/controls/CTRLS_TOOLMultiCropButton.h"
#include "ui/controls/CTRLS_TOOLView.h"
#include "ui/controls/CTRLS_TabView.h"
#include "ui/controls/CropView.h"
#include "ui/controls/ImageDataProcessPanel.h"
#include "ui/controls/UIOffColorView.h"
#include "ui/controls/WindowTitleView.h"

using kit::EventType;

namespace {

// A photograph-like gradient: sky blue above, warm below.
kit::Image galleryThreePicture(int w, int h) {
  std::vector<std::uint8_t> px(static_cast<std::size_t>(w) * h * 3);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      std::uint8_t* p = &px[(static_cast<std::size_t>(y) * w + x) * 3];
      p[0] = static_cast<std::uint8_t>(90 + 140 * y / h);
      p[1] = static_cast<std::uint8_t>(140 + 60 * x / w);
      p[2] = static_cast<std::uint8_t>(230 - 150 * y / h);
    }
  return kit::Image::fromRGB(px.data(), w, h);
}

std::string galleryThreePng(const char* name) {
  std::filesystem::path png = std::filesystem::current_path() / name;
  std::filesystem::remove(png);
  return png.string();
}

}  // namespace

TEST(Gallery, MainWindowPreviewAreaToolbarAndPanel) {
  fnd::NotificationCenter::Token controller = fnd::NotificationCenter::defaultCenter().observe(
      Quirel_PVLocalizedBundle::kLocalizePostName, nullptr, [](const fnd::Notification& n) {
        if (auto carrier = Quirel_PVLocalizedBundle::fromLocalizeRequest(n))
          carrier->setLocalizedBundleStr(fnd::Bundle::main().identifier());
      });
  Quirel_CTRLS_MainWindow main;
  Quirel_MainWindow* win = main.getWindow();
  main.setWindowTitie("Controls gallery 3");
  win->setContentSize(fnd::Size(850, 638));

  // Mode tabs on the right, the advanced page in front with an empty preview (280-point label).
  Quirel_CTRLS_TabView tabs(true, true, true);
  tabs.getTabView()->setFrame(fnd::Rect(510, 0, 340, 638));
  main.addWindowItem(tabs.getTabView());
  tabs.selectTabViewItemAtIndex(1);
  auto empty = Quirel_CTRLS_Preview::initForExtendMode();
  empty->setScrollViewRect(fnd::Rect(16, 390, 290, 180));
  tabs.setExtendTabViewItem(empty->getShadowView(), empty->getShadowViewRect());
  tabs.setExtendTabViewItem(empty->getScrollView(), empty->getScrollViewRect());
  empty->setImageViewRect(fnd::Rect(0, 0, 290, 180));
  empty->setFilmTitle("Film");
  empty->changeTitle(false, true);
  // The advanced label is 280 points high: far larger than the area, as it has always been.
  empty->setTitleRect(0, 0, 290, 330);
  Quirel_CTRLS_Separator separator;
  tabs.setExtendTabViewItem(separator.getSeparator(), fnd::Rect(10, 360, 300, 5));
  Quirel_WindowTitleView caption(fnd::Rect(0, 0, 200, 14), "IDMAC_CHOOSE_BTN");
  tabs.setExtendTabViewItem(&caption, fnd::Rect(16, 330, 200, 14));
  Quirel_UIOffColorView blue;
  tabs.setExtendTabViewItem(&blue, fnd::Rect(16, 200, 290, 120));

  // Toolbar along the top of the preview side.
  Quirel_CTRLS_TOOLView bar;
  bar.setToolViewRect(0, 578, 505, 60);
  main.addWindowItem(bar.getToolView());
  const char* names[] = {"ToolCrop", "ToolZoom", "ToolRotate", "ToolMirror", "ToolThumbnail"};
  std::vector<std::unique_ptr<Quirel_CTRLS_TOOLButton>> tools;
  for (int i = 0; i < 5; ++i) {
    auto t = std::make_unique<Quirel_CTRLS_TOOLButton>();
    std::string n = names[i];
    t->setToolBTImage(n + "_In", n + "_Out", n + "_Dis", controls_test::kBundle);
    t->setToolBTOrigin(12 + i * 30, 18);
    t->setToolbarBTActionPostNtf("GalleryToolPost");
    bar.setItem(t->getToolBT());
    tools.push_back(std::move(t));
  }
  // Idle, hover, latched, pressed, disabled.
  tools[2]->setOnState(true);
  tools[4]->setEnabled(false);
  Quirel_CTRLS_TOOLAllCropPushButton allCrops;
  Quirel_CTRLS_TOOLAllFramePushButton allFrames;
  Quirel_CTRLS_TOOLMultiCropButton multi;
  allCrops.setPushBTTitle("All Crops");
  allFrames.setPushBTTitle("All Frames");
  multi.setPushBTTitle("Reset", "Apply");
  multi.setState(false);
  allCrops.setPushBTRect(175, 16, 90, 26);
  allFrames.setPushBTRect(270, 16, 90, 26);
  multi.setPushBTRect(365, 16, 90, 26);
  bar.setItem(allCrops.getPushBT());
  bar.setItem(allFrames.getPushBT());
  bar.setItem(multi.getPushBT());

  // The preview area: frame, shadow, scroll view with the picture and two crop frames.
  Quirel_CTRLS_PreviewFrame frame;
  frame.setFrameViewRect(0, 40, 505, 538);
  main.addWindowItem(frame.getFrameView());
  auto preview = Quirel_CTRLS_Preview::initForStandardMode();
  preview->setScrollViewRect(fnd::Rect(22, 26, 456, 490));
  frame.addView(preview->getShadowView(), preview->getShadowViewRect());
  frame.setSimplePreview(preview->getScrollView(), preview->getScrollViewRect());
  preview->setImageViewRect(fnd::Rect(0, 0, 456, 490));
  preview->setImage(galleryThreePicture(912, 980));
  preview->setTransform(fnd::AffineTransform::identity(), 0);
  preview->setPlatenTitle("Place the document on the platen");
  preview->changeTitle(false, false);
  preview->setTitleRect(0, 0, 300, 22);
  Quirel_CropView cropA(fnd::Rect(40, 260, 170, 190));
  Quirel_CropView cropB(fnd::Rect(240, 60, 180, 150));
  cropB.setLineStyle(1);
  preview->addCrop(&cropA);
  preview->addCrop(&cropB);

  // Thumbnail stepping buttons and the separator under the preview.
  Quirel_CTRLS_NextThumbnailButton steps;
  steps.setBackBTImage("PreviewButton_In", "PreviewButton_Out", "PreviewButton_Down", "", controls_test::kBundle);
  steps.setNextBTImage("ScanButton_In", "ScanButton_Out", "ScanButton_Down", "", controls_test::kBundle);
  steps.getBackBT()->setTitle("Back", kit::Color::white(), std::nullopt, std::nullopt);
  steps.getNextBT()->setTitle("Next", kit::Color::white(), std::nullopt, std::nullopt);
  steps.setBackBTRect(150, 4, 96, 32);
  steps.setNextBTRect(260, 4, 96, 32);
  main.addWindowItem(steps.getBackBT());
  main.addWindowItem(steps.getNextBT());

  win->makeKeyAndOrderFront();
  // Hover over the second tool, then hold the fourth down while the picture is taken.
  kit::Application& app = kit::Application::shared();
  auto toolCentre = [&](int i) {
    fnd::Rect r = tools[static_cast<std::size_t>(i)]->getToolBT()->convertRectToView(
        tools[static_cast<std::size_t>(i)]->getToolBT()->bounds(), nullptr);
    return fnd::Point{r.origin.x + r.size.width / 2, r.origin.y + r.size.height / 2};
  };
  app.postEvent(kit::Event::mouseEvent(EventType::MouseMoved, toolCentre(1), 0, win));
  app.dispatchQueuedEvents();
  ASSERT_TRUE(tools[1]->getToolBT()->isEnter());

  const std::string png = galleryThreePng("controls-gallery-3.png");
  bool grabbed = false;
  fnd::RunLoop::main().performAfterDelay(0.05, [&] {
    win->contentView()->display();
    grabbed = win->grabToPng(png);
    app.postEvent(kit::Event::mouseEvent(EventType::LeftMouseUp, {700, 20}, 0, win));
  }, fnd::kCommonModes);
  app.postEvent(kit::Event::mouseEvent(EventType::LeftMouseDown, toolCentre(3), 0, win));
  app.dispatchQueuedEvents();
  EXPECT_TRUE(grabbed);
  EXPECT_TRUE(std::filesystem::exists(png));
  std::cout << "gallery: " << png << "\n";

  // An image-adjustment panel beside the window.
  Quirel_ImageDataProcessPanel panel(fnd::Rect(960, 300, 300, 220),
                                     kit::kTitledWindowMask | kit::kClosableWindowMask | kit::kUtilityWindowMask);
  panel.setTitle("Brightness and Contrast");
  panel.setFloatingPanel(true);
  kit::TextField* heading = static_cast<kit::TextField*>(panel.contentView()->addSubview(
      kit::TextField::labelWithString("Brightness", fnd::Rect(16, 180, 200, 18))));
  heading->setFont(kit::Font::boldSystemFont(13));
  Quirel_UIOffColorView swatch;
  swatch.setFrame(fnd::Rect(16, 60, 268, 110));
  panel.contentView()->addSubview(&swatch);
  Quirel_CTRLS_PushButton reset;
  reset.setPushBTTitle("Reset");
  reset.setPushBTRect(190, 14, 96, 30);
  panel.contentView()->addSubview(reset.getPushBT());
  panel.orderFront();
  const std::string panelPng = galleryThreePng("controls-gallery-3-panel.png");
  panel.contentView()->display();
  EXPECT_TRUE(panel.grabToPng(panelPng));
  std::cout << "gallery: " << panelPng << "\n";
  panel.orderOut();
  win->orderOut();
}
