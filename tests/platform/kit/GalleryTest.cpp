// One of each control in a window, grabbed to kit-gallery.png in the working folder (the
// test's build folder), so anyone can look at them.

#include <gtest/gtest.h>

#include <QImage>
#include <filesystem>
#include <iostream>
#include <memory>

#include "KitTestSupport.h"
#include "TestEnvironment.h"
#include "kit/Alert.h"
#include "kit/Box.h"
#include "kit/Button.h"
#include "kit/ImageView.h"
#include "kit/Matrix.h"
#include "kit/OpenPanel.h"
#include "kit/PathControl.h"
#include "kit/PopUpButton.h"
#include "kit/ProgressIndicator.h"
#include "kit/ScrollView.h"
#include "kit/Slider.h"
#include "kit/Stepper.h"
#include "kit/TabView.h"
#include "kit/TableView.h"
#include "kit/TextField.h"

namespace {

using fnd::Rect;

class GalleryRows : public kit::TableViewDataSource {
 public:
  int numberOfRowsInTableView(kit::TableView&) override { return 12; }
  fnd::Value objectValueForTableColumn(kit::TableView&, const kit::TableColumn* c, int row) override {
    if (c->identifier == "model") return fnd::Value("Virtual scanner " + std::to_string(row + 1));
    return fnd::Value(row % 2 ? "USB" : "Network");
  }
};

kit::Image swatch(int w, int h) {
  std::vector<std::uint8_t> px(static_cast<size_t>(w * h * 3));
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      std::uint8_t* p = &px[static_cast<size_t>((y * w + x) * 3)];
      p[0] = static_cast<std::uint8_t>(255 * x / w);
      p[1] = static_cast<std::uint8_t>(255 * y / h);
      p[2] = 180;
    }
  return kit::Image::fromRGB(px.data(), w, h);
}

class GalleryTest : public kittest::KitTest {};

TEST_F(GalleryTest, OneOfEachControlInAWindow) {
  kit::Window w(Rect(50, 50, 720, 520), kit::kTitledWindowMask);
  w.setTitle("Control gallery");
  kit::View* c = w.contentView();
  auto add = [&](auto v) { return c->addSubview(std::move(v)); };
  auto caption = [&](const std::string& text, double x, double y) {
    auto l = kit::TextField::labelWithString(text, Rect(x, y, 150, 17));
    l->setFont(kit::Font::systemFont(11));
    add(std::move(l));
  };
  double top = 520;

  // Column one: buttons.
  caption("Push buttons", 20, top - 30);
  auto push = std::make_unique<kit::Button>(Rect(20, top - 64, 110, 32));
  push->setTitle("Preview");
  auto pushDisabled = std::make_unique<kit::Button>(Rect(134, top - 64, 90, 32));
  pushDisabled->setTitle("Scan");
  pushDisabled->setEnabled(false);
  add(std::move(push));
  add(std::move(pushDisabled));
  auto check = std::make_unique<kit::Button>(Rect(20, top - 92, 200, 20));
  check->setButtonType(kit::ButtonType::Switch);
  check->setTitle("Check box, on");
  check->setState(kit::kOnState);
  add(std::move(check));
  auto check2 = std::make_unique<kit::Button>(Rect(20, top - 114, 200, 20));
  check2->setButtonType(kit::ButtonType::Switch);
  check2->setTitle("Check box, off");
  add(std::move(check2));
  auto radio = std::make_unique<kit::Button>(Rect(20, top - 136, 200, 20));
  radio->setButtonType(kit::ButtonType::Radio);
  radio->setTitle("Radio button");
  radio->setState(kit::kOnState);
  add(std::move(radio));
  auto square = std::make_unique<kit::Button>(Rect(20, top - 176, 34, 34));
  square->setBezelStyle(kit::BezelStyle::ShadowlessSquare);
  square->setImage(swatch(24, 24));
  square->setImagePosition(kit::ImagePosition::ImageOnly);
  add(std::move(square));
  auto imageLeft = std::make_unique<kit::Button>(Rect(60, top - 176, 130, 34));
  imageLeft->setTitle("Image left");
  imageLeft->setImage(swatch(18, 18));
  imageLeft->setImagePosition(kit::ImagePosition::ImageLeft);
  add(std::move(imageLeft));
  auto disclosure = std::make_unique<kit::Button>(Rect(196, top - 170, 20, 20));
  disclosure->setBezelStyle(kit::BezelStyle::Disclosure);
  disclosure->setButtonType(kit::ButtonType::OnOff);
  add(std::move(disclosure));

  caption("Radio matrix", 20, top - 200);
  auto matrix = std::make_unique<kit::Matrix>(Rect(20, top - 266, 200, 60), 0, 1);
  for (const char* t : {"Reflective", "Film", "Document feeder"}) {
    matrix->addRow();
    matrix->setCellTitle(matrix->numberOfRows() - 1, 0, t);
  }
  matrix->selectCellAtRow(1, 0);
  add(std::move(matrix));

  caption("Pop-up, stepper, slider", 20, top - 290);
  auto popup = std::make_unique<kit::PopUpButton>(Rect(20, top - 320, 160, 26));
  popup->addItemsWithTitles({"24-bit colour", "8-bit grey", "Black and white"});
  add(std::move(popup));
  auto arrows = std::make_unique<kit::PopUpButton>(Rect(186, top - 320, 26, 26));
  arrows->addItemsWithTitles({"A", "B"});
  arrows->setArrowOnly(true);
  add(std::move(arrows));
  auto field = std::make_unique<kit::TextField>(Rect(20, top - 352, 60, 24));
  field->setStringValue("300");
  field->setAlignment(kit::TextAlignment::Right);
  add(std::move(field));
  auto stepper = std::make_unique<kit::Stepper>(Rect(82, top - 354, 15, 28));
  add(std::move(stepper));
  auto slider = std::make_unique<kit::Slider>(Rect(104, top - 350, 116, 22));
  slider->setDoubleValue(0.65);
  add(std::move(slider));

  caption("Text fields", 20, top - 376);
  auto editable = std::make_unique<kit::TextField>(Rect(20, top - 406, 200, 24));
  editable->setStringValue("Editable, bezelled");
  add(std::move(editable));
  auto coloured = std::make_unique<kit::TextField>(Rect(20, top - 434, 200, 24));
  coloured->setStringValue("Coloured, bordered");
  coloured->setBezeled(false);
  coloured->setBordered(true);
  coloured->setBackgroundColor(kit::Color::calibratedRGB(1, 0.95, 0.8));
  coloured->setTextColor(kit::Color::calibratedRGB(0.6, 0.1, 0.1));
  add(std::move(coloured));
  auto truncated = kit::TextField::labelWithString("/home/user/Pictures/Scans/2026/December/Holiday", Rect(20, top - 458, 200, 17));
  truncated->setLineBreakMode(kit::LineBreakMode::TruncatingMiddle);
  add(std::move(truncated));
  auto disabledField = std::make_unique<kit::TextField>(Rect(20, top - 486, 200, 24));
  disabledField->setStringValue("Disabled field");
  disabledField->setEnabled(false);
  add(std::move(disabledField));

  // Column two: containers.
  auto tabs = std::make_unique<kit::TabView>(Rect(250, top - 200, 450, 180));
  for (const char* label : {"Scanner", "Colour", "General"}) {
    auto item = std::make_unique<kit::TabViewItem>(label);
    item->setLabel(label);
    auto pane = std::make_unique<kit::View>();
    auto inner = std::make_unique<kit::Button>(Rect(10, 10, 160, 20));
    inner->setButtonType(kit::ButtonType::Switch);
    inner->setTitle(std::string("Option on ") + label);
    pane->addSubview(std::move(inner));
    item->setView(std::move(pane));
    tabs->addTabViewItem(std::move(item));
  }
  add(std::move(tabs));

  caption("Box and separator", 250, top - 226);
  auto box = std::make_unique<kit::Box>(Rect(250, top - 320, 210, 90));
  box->setBoxType(kit::BoxType::Secondary);
  box->setTitle("Output");
  box->setTitlePosition(kit::TitlePosition::AtTop);
  auto boxLabel = kit::TextField::labelWithString("Inside a line box", Rect(10, 20, 180, 17));
  box->addSubview(std::move(boxLabel));
  add(std::move(box));
  auto separator = std::make_unique<kit::Box>(Rect(250, top - 332, 210, 5));
  separator->setBoxType(kit::BoxType::Separator);
  add(std::move(separator));

  caption("Image views", 480, top - 226);
  auto image = std::make_unique<kit::ImageView>(Rect(480, top - 300, 64, 64));
  image->setImage(swatch(48, 48));
  image->setImageFrameStyle(kit::ImageFrameStyle::GrayBezel);
  add(std::move(image));
  auto greyed = std::make_unique<kit::ImageView>(Rect(556, top - 300, 64, 64));
  greyed->setImage(swatch(48, 48));
  greyed->setEnabled(false);
  add(std::move(greyed));
  auto stretched = std::make_unique<kit::ImageView>(Rect(632, top - 300, 64, 40));
  stretched->setImage(swatch(20, 20));
  stretched->setImageScaling(kit::ImageScaling::AxesIndependently);
  add(std::move(stretched));

  caption("Progress", 480, top - 326);
  auto bar = std::make_unique<kit::ProgressIndicator>(Rect(480, top - 350, 216, 16));
  bar->setIndeterminate(false);
  bar->setDoubleValue(62);
  add(std::move(bar));
  auto busy = std::make_unique<kit::ProgressIndicator>(Rect(480, top - 372, 180, 16));
  busy->setIndeterminate(true);
  add(std::move(busy));
  auto spinner = std::make_unique<kit::ProgressIndicator>(Rect(670, top - 376, 24, 24));
  spinner->setStyle(kit::ProgressIndicatorStyle::Spinning);
  spinner->startAnimation();
  add(std::move(spinner));

  caption("Table in a scroll view", 250, top - 356);
  auto scroll = std::make_unique<kit::ScrollView>(Rect(250, top - 480, 210, 120));
  scroll->setHasVerticalScroller(true);
  scroll->setBorderType(kit::BorderType::BezelBorder);
  auto table = std::make_unique<kit::TableView>();
  table->addTableColumn(kit::TableColumn{"model", "Scanner", 140});
  table->addTableColumn(kit::TableColumn{"link", "Link", 60});
  table->setUsesAlternatingRowBackgroundColors(true);
  GalleryRows rows;
  table->setDataSource(&rows);
  auto* t = table.get();
  scroll->setDocumentView(std::move(table));
  t->reloadData();
  t->selectRow(2, false);
  add(std::move(scroll));

  caption("Path", 480, top - 400);
  auto path = std::make_unique<kit::PathControl>(Rect(480, top - 426, 230, 22));
  path->setPath("/srv/scans/2026/December");
  add(std::move(path));

  w.makeKeyAndOrderFront();
  w.display();
  std::filesystem::path png = std::filesystem::current_path() / "kit-gallery.png";
  ASSERT_TRUE(w.grabToPng(png.string()));
  std::cout << "gallery: " << png.string() << "\n";
  QImage shot(QString::fromStdString(png.string()));
  ASSERT_FALSE(shot.isNull());
  EXPECT_EQ(shot.width(), 720);
  // Something is drawn where the push button is: not the plain window background.
  QColor bg = shot.pixelColor(5, 5);
  int differing = 0;
  for (int y = 30; y < 64; ++y)
    for (int x = 22; x < 128; ++x) differing += shot.pixelColor(x, y) != bg;
  EXPECT_GT(differing, 100);
  t->setDataSource(nullptr);
}

TEST_F(GalleryTest, AnAlertAndAnOpenPanel) {
  kit::Alert alert;
  alert.setMessageText("The scanner could not be found.");
  alert.setInformativeText("Check that it is switched on and connected, then try again.");
  alert.addButtonWithTitle("Try Again");
  alert.addButtonWithTitle("Cancel");
  alert.layout();
  alert.window().makeKeyAndOrderFront();
  alert.window().display();
  std::filesystem::path dir = std::filesystem::current_path();
  ASSERT_TRUE(alert.window().grabToPng((dir / "kit-alert.png").string()));
  alert.window().orderOut();

  std::filesystem::path root = testenv::freshFolder("gallery-panel");
  for (const char* d : {"Documents", "Pictures", "Scans"}) std::filesystem::create_directory(root / d);
  kit::OpenPanel panel;
  panel.setCanChooseFiles(false);
  panel.setCanChooseDirectories(true);
  panel.setPrompt("Choose");
  panel.setMessage("Choose the folder for scanned images.");
  panel.setDirectory(root.string());
  panel.selectEntry("Scans");
  panel.makeKeyAndOrderFront();
  panel.display();
  ASSERT_TRUE(panel.grabToPng((dir / "kit-open-panel.png").string()));
  std::cout << "alert and open panel: " << dir.string() << "\n";
}

}  // namespace
