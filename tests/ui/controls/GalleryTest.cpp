// Every class of the controls in one window, enabled, disabled, hovered and pressed where the
// looks differ, the wrappers with their captions; grabbed to controls-gallery-1.png in the
// working folder (the picture is taken while the colour button is held down).

#include <gtest/gtest.h>

#include <filesystem>
#include <iostream>
#include <memory>

#include "ControlsTestSupport.h"
#include "foundation/RunLoop.h"
#include "kit/Menu.h"
#include "ui/controls/CTRLS_Box.h"
#include "ui/controls/CTRLS_CheckBox.h"
#include "ui/controls/CTRLS_ColorPushButton.h"
#include "ui/controls/CTRLS_IconBezelButton.h"
#include "ui/controls/CTRLS_IconBezelCGButton.h"
#include "ui/controls/CTRLS_NumberTextField.h"
#include "ui/controls/CTRLS_PREFRadioButton.h"
#include "ui/controls/CTRLS_PopupButton.h"
#include "ui/controls/CTRLS_PushButton.h"
#include "ui/controls/CTRLS_ScrollView.h"
#include "ui/controls/CTRLS_TextField.h"
#include "ui/controls/ColorButton.h"
#include "ui/controls/DlgImageView.h"
#include "ui/controls/IconBezelButton.h"
#include "ui/controls/IconBezelCGButton.h"
#include "ui/controls/IconOnOffButton.h"
#include "ui/controls/NoFocusButton.h"
#include "ui/controls/NoFocusImageView.h"
#include "ui/controls/NoFocusPopUpButton.h"
#include "ui/controls/NoFocusProgressIndicator.h"
#include "ui/controls/NoFocusRadioButton.h"
#include "ui/controls/NoFocusStepper.h"
#include "ui/controls/NoFocusTabView.h"
#include "ui/controls/NoFocusTextField.h"
#include "ui/controls/NoFocusView.h"
#include "ui/controls/NumberField.h"
#include "ui/controls/Slider.h"
#include "ui/controls/StringField.h"
#include "ui/controls/TabViewItem.h"

using controls_test::TestWindow;

namespace {

using controls_test::kBundle;

struct Rows : kit::TableViewDataSource {
  int numberOfRowsInTableView(kit::TableView&) override { return 3; }
  fnd::Value objectValueForTableColumn(kit::TableView&, const kit::TableColumn*, int row) override {
    return fnd::Value("Profile " + std::to_string(row + 1));
  }
};

class Gallery {
 public:
  explicit Gallery(TestWindow& w) : w_(w), content_(w.window().contentView()) {}

  template <class V>
  V* add(std::unique_ptr<V> view) {
    return static_cast<V*>(content_->addSubview(std::move(view)));
  }
  // A wrapper's piece: the wrapper keeps owning it.
  void place(kit::View* view) { content_->addSubview(view); }
  void caption(const std::string& text, double x, double y, double width = 200) {
    add(kit::TextField::labelWithString(text, fnd::Rect(x, y, width, 16)))->setTextColor(kit::Color::darkGray());
  }

 private:
  TestWindow& w_;
  kit::View* content_;
};

}  // namespace

TEST(Gallery, EveryControlInOneWindow) {
  TestWindow w(fnd::Rect(40, 40, 820, 600));
  w.window().setTitle("Controls gallery");
  Gallery g(w);

  // --- Row 1: plain no-focus controls (top)
  g.caption("Buttons: enabled, disabled", 10, 575);
  g.add(std::make_unique<Quirel_NoFocusButton>(fnd::Rect(10, 540, 90, 30)))->setTitle("Enabled");
  auto* offButton = g.add(std::make_unique<Quirel_NoFocusButton>(fnd::Rect(105, 540, 90, 30)));
  offButton->setTitle("Disabled");
  offButton->setEnabled(false);
  g.caption("Radio matrix, stepper", 210, 575);
  auto* radio = g.add(std::make_unique<Quirel_NoFocusRadioButton>(fnd::Rect(210, 520, 110, 50), 2, 1));
  radio->setCellTitle(0, 0, "Reflective");
  radio->setCellTitle(1, 0, "Film");
  radio->selectCellAtRow(0, 0);
  g.add(std::make_unique<Quirel_NoFocusStepper>(fnd::Rect(330, 535, 19, 27)));
  g.caption("Pop-up, progress", 370, 575);
  auto* pop = g.add(std::make_unique<Quirel_NoFocusPopUpButton>(fnd::Rect(370, 542, 130, 26)));
  pop->addItemsWithTitles({"Colour", "Grey", "Black & white"});
  auto* progress = g.add(std::make_unique<Quirel_NoFocusProgressIndicator>(fnd::Rect(370, 520, 130, 14)));
  progress->setIndeterminate(false);
  progress->setDoubleValue(60);
  g.caption("Sliders: knob picture, disabled", 520, 575, 290);
  auto* slider = g.add(std::make_unique<Quirel_Slider>(fnd::Rect(530, 540, 200, 24)));
  slider->cell()->setKnobImage(kit::Image::named("SliderKnob", kBundle));
  slider->setMaxValue(100);
  slider->setDoubleValue(35);
  auto* offSlider = g.add(std::make_unique<Quirel_Slider>(fnd::Rect(530, 510, 200, 24)));
  offSlider->setDoubleValue(0.7);
  offSlider->setEnabled(false);

  // --- Row 2: fields and image views
  g.caption("Number field, string field, label", 10, 490, 300);
  auto* number = g.add(std::make_unique<Quirel_NumberField>(fnd::Rect(10, 462, 80, 22)));
  number->setStringValue("300");
  g.add(std::make_unique<Quirel_StringField>(fnd::Rect(95, 462, 120, 22)))->setStringValue("Scan 001");
  auto* label = g.add(std::make_unique<Quirel_NoFocusTextField>(fnd::Rect(220, 462, 100, 22)));
  label->makeLabel();
  label->setStringValue("No-focus label");
  g.caption("Image views: on, disabled, dialog", 340, 490, 260);
  auto* image = g.add(std::make_unique<Quirel_NoFocusImageView>(fnd::Rect(340, 440, 40, 40)));
  image->setImage(kit::Image::named("BtnDirection_off", kBundle));
  auto* offImage = g.add(std::make_unique<Quirel_NoFocusImageView>(fnd::Rect(390, 440, 40, 40)));
  offImage->setImage(kit::Image::named("BtnDirection_off", kBundle));
  offImage->setEnabled(false);
  g.add(std::make_unique<Quirel_DlgImageView>(fnd::Rect(440, 440, 40, 40)))
      ->setImage(kit::Image::named("BT_LOCK_ON_N", kBundle));
  g.add(std::make_unique<Quirel_NoFocusView>(fnd::Rect(490, 440, 10, 40)));
  g.caption("Tab view", 620, 490);
  auto* tabs = g.add(std::make_unique<Quirel_NoFocusTabView>(fnd::Rect(620, 400, 190, 85)));
  for (const char* text : {"Basic", "Advanced"}) {
    auto item = std::make_unique<Quirel_TabViewItem>(text);
    item->setLabel(text);
    tabs->addTabViewItem(std::move(item));
  }
  tabs->selectTabViewItemAtIndex(1);

  // --- Row 3: image and colour buttons
  g.caption("Icon buttons: away, over, disabled", 10, 420, 240);
  Quirel_IconBezelButton* icons[3];
  for (int i = 0; i < 3; ++i) {
    icons[i] = g.add(std::make_unique<Quirel_IconBezelButton>(fnd::Rect(10 + 34.0 * i, 390, 24, 24)));
    icons[i]->setImage("BtnDirection_on", "BtnDirection_off", "BtnDirection_d", kBundle);
  }
  icons[2]->setEnabled(false);
  g.caption("Colour / grey set, on / off", 130, 370, 240);
  auto* cg = g.add(std::make_unique<Quirel_IconBezelCGButton>(fnd::Rect(130, 340, 24, 24)));
  cg->setColorImage("BtnDirection_on", "BtnDirection_off", "BtnDirection_d", kBundle);
  auto* grey = g.add(std::make_unique<Quirel_IconBezelCGButton>(fnd::Rect(164, 340, 24, 24)));
  grey->setColorImage("BtnDirection_on", "BtnDirection_off", "BtnDirection_d", kBundle);
  grey->setGrayImage("BT_TATEYOKO_S", "BT_TATEYOKO_N", "BT_TATEYOKO_G", kBundle);
  grey->setColorMode(1);
  for (int i = 0; i < 2; ++i) {
    auto* lock = g.add(std::make_unique<Quirel_IconOnOffButton>(fnd::Rect(210 + 34.0 * i, 340, 24, 24)));
    lock->setOnImage("BT_LOCK_ON_S", "BT_LOCK_ON_N", "BT_LOCK_ON_G", kBundle);
    lock->setOffImage("BT_LOCK_OFF_S", "BT_LOCK_OFF_N", "BT_LOCK_OFF_G", kBundle);
    lock->setState(i == 0 ? kit::kOnState : kit::kOffState);
  }
  g.caption("Colour buttons: away, over, pressed, disabled", 300, 420, 400);
  auto colorButton = [&](double x, const char* title) {
    auto* b = g.add(std::make_unique<Quirel_ColorButton>(fnd::Rect(x, 380, 96, 32)));
    b->setImage(kit::Image::named("PreviewButton_In", kBundle), kit::Image::named("PreviewButton_Out", kBundle),
                kit::Image::named("PreviewButton_Down", kBundle), kit::Image());
    b->setTitle(title, kit::Color::white(), kit::Color::lightGray(), kit::Font::boldSystemFont(12));
    return b;
  };
  colorButton(300, "Preview");
  colorButton(402, "Over");
  auto* pressed = colorButton(504, "Pressed");
  colorButton(606, "Disabled")->setEnabled(false);

  // --- Row 4: wrappers with their captions
  Quirel_CTRLS_CheckBox check(Quirel_CTRLS_CheckBox::Variant::ADV);
  check.setTitleTxtTitle("Check box wrapper");
  check.setTitleTxtRect(10, 300, 200, 17);
  check.setCheckBoxRect(10, 275, 22, 22);
  check.setCheckBoxTitle("Descreening");
  check.setCheckBoxTitleTxtRect(34, 277, 150, 17);
  check.setCheck(true);
  Quirel_CTRLS_CheckBox offCheck;
  offCheck.setCheckBoxRect(10, 250, 22, 22);
  offCheck.setCheckBoxTitle("Disabled (grey label)");
  offCheck.setCheckBoxTitleTxtRect(34, 252, 170, 17);
  offCheck.setEnabled(false);
  Quirel_CTRLS_PopupButton popup;
  popup.setTitleTxtTitle("Image type:");
  popup.setTitleTxtRect(210, 300, 120, 17);
  popup.setPopupBTRect(210, 272, 150, 26);
  popup.addPopupItemWithTitle("24-bit Colour", 24);
  popup.addPopupItemWithTitle("8-bit Grey", 8);
  popup.selectAtRepresentedNumber(8);
  Quirel_CTRLS_PushButton push;
  push.setTitleTxtTitle("Push wrapper");
  push.setTitleTxtRect(380, 300, 120, 17);
  push.setPushBTRect(380, 268, 110, 30);
  push.setPushBTTitle("Settings...");
  Quirel_CTRLS_NumberTextField numberTxt;
  numberTxt.setTitleTxtTitle("Resolution");
  numberTxt.setTitleTxtRect(510, 300, 100, 17);
  numberTxt.setNumberTxtFRect(510, 274, 70, 22);
  numberTxt.setRoundDownWhenDoubleValue(true);
  numberTxt.setDoubleValue("%.2f", 0.29);
  numberTxt.setImageViewRect(585, 273, 24, 24);
  numberTxt.setImage("BT_LOCK_OFF_N", kBundle);
  Quirel_CTRLS_PREFRadioButton prefRadio;
  prefRadio.setTitleTxtTitle("Radio wrapper");
  prefRadio.setTitleTxtRect(630, 300, 150, 17);
  prefRadio.setRadioBTRect(630, 250, 150, 45);
  prefRadio.addItem("Inches");
  prefRadio.addItem("Centimetres");
  prefRadio.selectItemAtIndex(1);
  Quirel_CTRLS_Box box;
  box.setTitleTxtTitle("Box wrapper");
  box.setTitleTxtRect(10, 220, 200, 17);
  box.setBoxRect(10, 130, 240, 88);
  Quirel_CTRLS_TextField text;
  text.setTextFRect(20, 180, 200, 22);
  text.setStringFormat(20);
  text.setStringValue("Text field wrapper");
  Quirel_CTRLS_ColorPushButton colorPush;
  colorPush.setTitleTxtTitle("Colour push");
  colorPush.setTitleTxtRect(20, 160, 130, 17);
  colorPush.setColorPushBTRect(20, 136, 96, 22);
  colorPush.setImage("ScanButton_In", "ScanButton_Out", "ScanButton_Down", "", kBundle);
  colorPush.setColorPushBTTitle("Scan", kit::Color::white(), std::nullopt, std::nullopt);
  Quirel_CTRLS_IconBezelButton iconWrap;
  iconWrap.setTitleTxtTitle("Icon wrapper");
  iconWrap.setTitleTxtRect(160, 160, 85, 17);
  iconWrap.setIconBTRect(160, 136, 24, 24);
  iconWrap.setIconBTImage("BtnDirection_on", "BtnDirection_off", "BtnDirection_d", kBundle);
  Quirel_CTRLS_IconBezelCGButton cgWrap;
  cgWrap.setIconCGBTRect(194, 136, 24, 24);
  cgWrap.setIconCGBTColorImage("BT_LOCK_ON_S", "BT_LOCK_ON_N", "BT_LOCK_ON_G", kBundle);
  Quirel_CTRLS_ScrollView scroll(270, 100, 220, 110);
  scroll.setTitleTxtTitle("Scroll view wrapper");
  scroll.setTitleTxtRect(270, 220, 200, 17);
  scroll.setTableViewRect(0, 0, 200, 110);
  scroll.endScrollView();
  Rows rows;
  scroll.setDataSource(&rows);
  scroll.reloadData();
  scroll.selectRow(1, false);

  for (kit::View* v : {static_cast<kit::View*>(check.getTitleTxt()), static_cast<kit::View*>(check.getCheckBox()),
                       static_cast<kit::View*>(check.getCheckBoxTitleTxt()), static_cast<kit::View*>(offCheck.getCheckBox()),
                       static_cast<kit::View*>(offCheck.getCheckBoxTitleTxt()), static_cast<kit::View*>(popup.getTitleTxt()),
                       static_cast<kit::View*>(popup.getPopupBT()), static_cast<kit::View*>(push.getTitleTxt()),
                       static_cast<kit::View*>(push.getPushBT()), static_cast<kit::View*>(numberTxt.getTitleTxt()),
                       static_cast<kit::View*>(numberTxt.getNumberTxtF()), static_cast<kit::View*>(numberTxt.getImageView()),
                       static_cast<kit::View*>(prefRadio.getTitleTxt()), static_cast<kit::View*>(prefRadio.getRadioBT()),
                       static_cast<kit::View*>(box.getTitleTxt()), static_cast<kit::View*>(box.getBox()),
                       static_cast<kit::View*>(text.getTextF()), static_cast<kit::View*>(colorPush.getTitleTxt()),
                       static_cast<kit::View*>(colorPush.getColorPushBT()), static_cast<kit::View*>(iconWrap.getTitleTxt()),
                       static_cast<kit::View*>(iconWrap.getIconBT()), static_cast<kit::View*>(cgWrap.getIconCGBT()),
                       static_cast<kit::View*>(scroll.getTitleTxt()), static_cast<kit::View*>(scroll.getScrollView())})
    g.place(v);

  // Hover: the second icon button and the second colour button show their pointer-over looks.
  w.moveTo({800, 10});
  w.moveTo({54, 400});
  EXPECT_TRUE(icons[1]->image().data() == icons[1]->images().enter.data());
  w.moveTo({800, 10});
  w.moveTo({450, 396});

  // Press the third colour button and take the picture while it is held down.
  std::filesystem::path png = std::filesystem::current_path() / "controls-gallery-1.png";
  std::filesystem::remove(png);
  bool wasDown = false;
  fnd::RunLoop::main().performAfterDelay(0.05, [&] {
    wasDown = pressed->isDown();
    w.window().display();
    EXPECT_TRUE(w.window().grabToPng(png.string()));
    w.post(kit::EventType::LeftMouseUp, {552, 396});
  }, fnd::RunLoopMode::EventTracking);
  w.post(kit::EventType::LeftMouseDown, {552, 396});
  w.dispatch();
  EXPECT_TRUE(wasDown);
  EXPECT_TRUE(std::filesystem::exists(png));
  std::cout << "gallery: " << png.string() << "\n";
}
