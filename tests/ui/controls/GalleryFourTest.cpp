// Pictures of the basic panel, the advanced panel and the dialogs' controls, grabbed to
// controls-gallery-4-*.png in the test's working folder, to be looked at.

#include <gtest/gtest.h>

#include <filesystem>
#include <initializer_list>
#include <iostream>
#include <memory>
#include <string>
#include <vector>

#include "ControlsTestSupport.h"
#include "ui/controls/CTRLS_ADVDirectionButton.h"
#include "ui/controls/CTRLS_ADVPreviewButton.h"
#include "ui/controls/CTRLS_ADVScanButton.h"
#include "ui/controls/CTRLS_AdjustCropText.h"
#include "ui/controls/CTRLS_AutoTonePopup.h"
#include "ui/controls/CTRLS_ColorAdjustmentPopup.h"
#include "ui/controls/CTRLS_ColorBalanceText.h"
#include "ui/controls/CTRLS_ColorModePopup.h"
#include "ui/controls/CTRLS_ColorPatternButton.h"
#include "ui/controls/CTRLS_ColorPushButton.h"
#include "ui/controls/CTRLS_DateSizeTextF.h"
#include "ui/controls/CTRLS_DestinationPopup.h"
#include "ui/controls/CTRLS_ExposureButton.h"
#include "ui/controls/CTRLS_ExposureField.h"
#include "ui/controls/CTRLS_ExposureOpenButton.h"
#include "ui/controls/CTRLS_ExposureView.h"
#include "ui/controls/CTRLS_FavoritePopup.h"
#include "ui/controls/CTRLS_HistoChannelPopup.h"
#include "ui/controls/CTRLS_ImageCorrectText.h"
#include "ui/controls/CTRLS_ImageSettingScrollView.h"
#include "ui/controls/CTRLS_ImageSourcePopup.h"
#include "ui/controls/CTRLS_InputSizeHeightTextF.h"
#include "ui/controls/CTRLS_InputSizeWidthTextF.h"
#include "ui/controls/CTRLS_LevelInput.h"
#include "ui/controls/CTRLS_MSDestinationView.h"
#include "ui/controls/CTRLS_MSImageSourceView.h"
#include "ui/controls/CTRLS_Magnification.h"
#include "ui/controls/CTRLS_OUTDisplayListView.h"
#include "ui/controls/CTRLS_OUTPrintListView.h"
#include "ui/controls/CTRLS_OUTUnitPopup.h"
#include "ui/controls/CTRLS_OrientationButton.h"
#include "ui/controls/CTRLS_OutputSizeIconView.h"
#include "ui/controls/CTRLS_OutputSizePopup.h"
#include "ui/controls/CTRLS_PREFColorSettingRadio.h"
#include "ui/controls/CTRLS_PREFLampOffTimeTextF.h"
#include "ui/controls/CTRLS_PREFMonitorGammaTextF.h"
#include "ui/controls/CTRLS_PREFSaveDirTextF.h"
#include "ui/controls/CTRLS_PREFTabView.h"
#include "ui/controls/CTRLS_PREFText.h"
#include "ui/controls/CTRLS_PaperSizePopup.h"
#include "ui/controls/CTRLS_RemoveDustPopup.h"
#include "ui/controls/CTRLS_ResolutionComboBox.h"
#include "ui/controls/CTRLS_STDCheckBox.h"
#include "ui/controls/CTRLS_STDDirectionButton.h"
#include "ui/controls/CTRLS_STDPreviewButton.h"
#include "ui/controls/CTRLS_STDScanButton.h"
#include "ui/controls/CTRLS_ScanInfoText.h"
#include "ui/controls/CTRLS_ScanSettingOpenButton.h"
#include "ui/controls/CTRLS_ThresholdInputTextF.h"
#include "ui/controls/CTRLS_ToneBCInputTextF.h"
#include "ui/controls/CTRLS_ZoomButton.h"

using controls_test::kBundle;
using controls_test::TestWindow;

namespace {

// Adds the wrappers' pieces to a view; the wrappers keep owning them.
void gallery4Place(kit::View* into, std::initializer_list<kit::View*> views) {
  for (kit::View* v : views)
    if (v) into->addSubview(v);
}

void gallery4Heading(kit::View* into, const std::string& text, double x, double y, double width = 240) {
  auto label = kit::TextField::labelWithString(text, fnd::Rect(x, y, width, 16));
  label->setTextColor(kit::Color::darkGray());
  into->addSubview(std::move(label));
}

void gallery4Grab(TestWindow& w, const std::string& name) {
  std::filesystem::path png = std::filesystem::current_path() / name;
  std::filesystem::remove(png);
  w.window().display();
  EXPECT_TRUE(w.window().grabToPng(png.string()));
  EXPECT_TRUE(std::filesystem::exists(png));
  std::cout << "gallery: " << png.string() << "\n";
}

// A preview or scan button as the panels dress it: white bold caption over its four pictures.
void gallery4ColorButton(Quirel_CTRLS_ColorPushButton& button, const std::string& title, const char* in,
                         const char* normal, const char* pressed, const char* disabled, fnd::Rect frame) {
  button.setColorPushBTTitle(title, kit::Color::white(), std::nullopt, kit::Font::boldSystemFont(13));
  button.setImage(in, normal, pressed, disabled, kBundle);
  button.setColorPushBTRect(frame.origin.x, frame.origin.y, frame.size.width, frame.size.height);
}

// A level field of the adjustment dialogs with its caption at `top`, slider, number and stepper below.
void gallery4Level(Quirel_CTRLS_LevelInput& level, const std::string& title, double top, int value) {
  level.setTitleTxtTitle(title);
  level.setTitleTxtRect(10, top, 80, 14);
  level.setSliderRect(10, top - 30, 260, 24);
  level.setNumberTxtFRect(280, top - 28, 44, 22);
  level.setStepperRect(326, top - 30, 19, 27);
  level.setStringValue(std::to_string(value).c_str());
  level.getSlider()->setIntValue(value);
}

struct Correction {
  const char* title;
  const char* on;
  const char* off;
  const char* disabled;
};

const Correction kCorrections[] = {
    {"Auto document correction", "BOOK_HOSEI_ON", "BOOK_HOSEI_N", "BOOK_HOSEI_G"},
    {"Auto photo correction", nullptr, nullptr, nullptr},
    {"Correct book shadow", "BOOKSHADOW_ON", "BOOKSHADOW_N", "BOOKSHADOW_G"},
    {"Correct backlight", "BACKLIGHT_ON", "BACKLIGHT_N", "BACKLIGHT_G"},
    {"Restore faded colors", "Fading_on", "Fading_off", "Fading_d"},
    {"Remove dust and scratches", "DUSTSCRACH_ON", "DUSTSCRACH_N", "DUSTSCRACH_G"},
    {"Reduce dust (simple)", "RemoveDust_on", "RemoveDust_off", "RemoveDust_d"},
};

}  // namespace

TEST(GalleryFour, BasicPanelWithItsCorrectionsEnabledAndDisabled) {
  TestWindow w(fnd::Rect(40, 40, 560, 620));
  w.window().setTitle("Controls gallery 4: basic panel");
  kit::View* c = w.window().contentView();

  Quirel_CTRLS_ImageSourcePopup source;
  source.setTitleTxtTitle("1. Select Source");
  source.setTitleTxtRect(10, 590, 240, 18);
  source.addPopupItem("Photo (Color)");
  source.setPopupBTRect(20, 560, 220, 26);
  Quirel_CTRLS_STDPreviewButton preview;
  preview.setTitleTxtTitle("2. Display the Preview Image");
  preview.setTitleTxtRect(10, 530, 240, 18);
  gallery4ColorButton(preview, "Preview", "PreviewButton_In", "preview_btn_n", "preview_btn_p", "preview_btn_d",
                      fnd::Rect(20, 494, 120, 32));
  Quirel_CTRLS_DestinationPopup dest;
  dest.setTitleTxtTitle("3. Select Destination");
  dest.setTitleTxtRect(10, 464, 240, 18);
  dest.addPopupItemWithTitle("Print", 1, false);
  dest.addPopupItemWithTitle("Image display", 2, false);
  dest.setPlatenModeMenu();
  dest.setPopupBTRect(20, 434, 220, 26);
  Quirel_CTRLS_OutputSizePopup size;
  size.setTitleTxtTitle("4. Select Output Size");
  size.setTitleTxtRect(10, 404, 240, 18);
  size.addPopupItem("Flexible");
  size.setPopupBTRect(20, 374, 170, 26);
  Quirel_CTRLS_STDDirectionButton swap;
  swap.setIconBTImage("BT_TATEYOKO_S.tiff", "BT_TATEYOKO_N.tiff", "BT_TATEYOKO_G.tiff", kBundle);
  swap.setIconBTRect(200, 375, 24, 24);
  swap.setTitleTxtTitle("Swap");
  swap.setTitleTxtRect(228, 379, 60, 16);
  Quirel_CTRLS_AdjustCropText hint;
  hint.setImage("CROPBORDER.tiff", kBundle);
  hint.setImageViewRect(12, 336, 24, 24);
  hint.setTitleTxtTitle("5. Adjust the crop frames in the preview");
  hint.setTitleTxtRect(40, 340, 320, 18);
  Quirel_CTRLS_ImageCorrectText corrections;
  corrections.setStringValue("6. Image Corrections (enabled | disabled)");
  corrections.setPlaneLabel();
  corrections.setTextFRect(10, 306, 360, 18);
  gallery4Place(c, {source.getTitleTxt(), source.getPopupBT(), preview.getTitleTxt(), preview.getColorPushBT(),
              dest.getTitleTxt(), dest.getPopupBT(), size.getTitleTxt(), size.getPopupBT(), swap.getIconBT(),
              swap.getTitleTxt(), hint.getImageView(), hint.getTitleTxt(), corrections.getTextF()});

  std::vector<std::unique_ptr<Quirel_CTRLS_STDCheckBox>> boxes;
  for (int column = 0; column < 2; ++column)
    for (int i = 0; i < 7; ++i) {
      auto box = std::make_unique<Quirel_CTRLS_STDCheckBox>();
      const Correction& k = kCorrections[i];
      double x = 16 + column * 270, y = 276 - i * 30;
      box->setImage(k.on, k.off, k.disabled, kBundle);
      box->setImageViewRect(x, y - 2, 24, 24);
      box->setCheckBoxRect(x + 28, y, 20, 20);
      box->setCheckBoxTitle(k.title);
      box->setCheckBoxTitleTxtRect(x + 48, y + 2, 200, 16);
      box->check(i % 2 == 0);
      if (column == 1) box->setEnabled(false);
      // The correction without pictures has no picture beside it.
      gallery4Place(c, {k.on ? box->getImageView() : nullptr, box->getCheckBox(), box->getCheckBoxTitleTxt()});
      boxes.push_back(std::move(box));
    }

  auto pattern = Quirel_CTRLS_ColorPatternButton::initWithImageView();
  pattern->setImage_32("VIEWCOLOR_N.tiff", "VIEWCOLOR_G.tiff", kBundle);
  pattern->setImageViewRect(16, 52, 32, 32);
  pattern->setPushBTTitle("Color Pattern…");
  pattern->setPushBTRect(54, 54, 130, 28);
  Quirel_CTRLS_ColorPatternButton smallPattern;
  smallPattern.setImage_16("view_sample_color_e_16x16.icns", "view_sample_color_g_16x16.icns", kBundle);
  smallPattern.setPushBTTitle("Color Pattern…");
  smallPattern.setPushBTRect(286, 54, 150, 28);
  smallPattern.setEnabled(false);
  Quirel_CTRLS_STDScanButton scan;
  scan.setTitleTxtTitle("7. Start Scanning");
  scan.setTitleTxtRect(10, 30, 240, 18);
  gallery4ColorButton(scan, "Scan", "ScanButton_In", "scan_btn_n", "scan_btn_p", "scan_btn_d", fnd::Rect(170, 6, 120, 32));
  Quirel_CTRLS_STDScanButton offScan;
  gallery4ColorButton(offScan, "Scan", "ScanButton_In", "scan_btn_n", "scan_btn_p", "scan_btn_d",
                      fnd::Rect(300, 6, 120, 32));
  offScan.setEnabled(false);
  gallery4Place(c, {pattern->getImageView(), pattern->getPushBT(), smallPattern.getPushBT(), scan.getTitleTxt(),
              scan.getColorPushBT(), offScan.getColorPushBT()});
  gallery4Grab(w, "controls-gallery-4-basic.png");
}

TEST(GalleryFour, AdvancedPanelInputOutputAndImageSettings) {
  TestWindow w(fnd::Rect(40, 40, 720, 640));
  w.window().setTitle("Controls gallery 4: advanced panel");
  kit::View* c = w.window().contentView();

  gallery4Heading(c, "Input settings", 10, 616);
  Quirel_CTRLS_FavoritePopup fav;
  fav.setTitleTxtTitle("Favorite Settings");
  fav.setTitleTxtRect(10, 596, 150, 18);
  fav.addPopupItem("Default Settings");
  fav.setPopupBTRect(160, 592, 180, 26);
  Quirel_CTRLS_PaperSizePopup paper;
  paper.setTitleTxtTitle("Paper Size :");
  paper.setTitleTxtRect(10, 564, 140, 18);
  paper.addPopupItemWithTitle("Letter", 10, true);
  paper.addPopupItemWithTitle("Legal", 13, true);
  paper.addPopupItemWithTitle("A4", 17, true);
  paper.setADFMenu(true);
  paper.setPopupBTRect(160, 560, 180, 26);
  Quirel_CTRLS_OrientationButton orientation;
  orientation.setTitleTxtTitle("Orientation :");
  orientation.setTitleTxtRect(10, 528, 140, 18);
  orientation.setImage("FEEDER_UPPER.tiff", "FEEDER_LEFT.tiff", kBundle);
  orientation.setImageRect(160, 522, 40, 32);
  orientation.setPushBTTitle("Binding Edge…");
  orientation.setPushBTRect(206, 524, 134, 28);
  Quirel_CTRLS_ColorModePopup mode;
  mode.setTitleTxtTitle("Image Type :");
  mode.setTitleTxtRect(10, 494, 140, 18);
  const char* const modeTitles[] = {"Black and White", "Grayscale", "Grayscale(16bit)", "Color", "Color(48bit)"};
  for (int n = 0; n < 5; ++n) mode.addPopupItemWithTitle(modeTitles[n], n, false);
  mode.setPlatenModeMenu(false);
  mode.selectAtRepresentedNumber(3);
  mode.setPopupBTRect(160, 490, 180, 26);
  Quirel_CTRLS_InputSizeWidthTextF inW;
  inW.setTitleTxtTitle("Width :");
  inW.setTitleTxtRect(10, 462, 60, 18);
  inW.setNumberTxtFRect(70, 460, 70, 22);
  inW.setStringValue("21.59");
  Quirel_CTRLS_InputSizeHeightTextF inH;
  inH.setTitleTxtTitle("Height :");
  inH.setTitleTxtRect(170, 462, 60, 18);
  inH.setNumberTxtFRect(230, 460, 70, 22);
  inH.setStringValue("27.94");
  gallery4Place(c, {fav.getTitleTxt(), fav.getPopupBT(), paper.getTitleTxt(), paper.getPopupBT(),
              orientation.getTitleTxt(), orientation.getImageView(), orientation.getPushBT(), mode.getTitleTxt(),
              mode.getPopupBT(), inW.getTitleTxt(), inW.getNumberTxtF(), inH.getTitleTxt(), inH.getNumberTxtF()});

  gallery4Heading(c, "Output settings", 10, 432);
  Quirel_CTRLS_ResolutionComboBox res;
  res.setTitleTxtTitle("Resolution :");
  res.setTitleTxtRect(10, 408, 100, 18);
  res.setUnitString("dpi");
  res.setAllMenuNumList({75, 150, 300, 600, 1200});
  res.setPlatenModeMenu();
  res.setStringValue("300");
  res.setNumberTxtFRect(110, 406, 60, 22);
  res.setPopupBTRect(170, 404, 22, 26);
  res.setUnitTxtTitle("dpi");
  res.setUnitTxtRect(196, 408, 40, 18);
  Quirel_CTRLS_Magnification mag;
  mag.setNumberTxtFRect(110, 374, 60, 22);
  mag.setStepperRect(172, 372, 19, 27);
  mag.setUnitTxtTitle("%");
  mag.setUnitTxtRect(194, 376, 20, 18);
  mag.setIntValue(100);
  Quirel_CTRLS_OutputSizeIconView chain;
  chain.setImage("CHAIN.tiff", kBundle, 240, 372, 24, 24);
  Quirel_CTRLS_ADVDirectionButton swap;
  swap.setIconBTImage("BtnDirection_on", "BtnDirection_off", "BtnDirection_d", kBundle);
  swap.setIconBTRect(270, 372, 24, 24);
  Quirel_CTRLS_DateSizeTextF dataSize;
  dataSize.setTitleTxtTitle("Data Size :");
  dataSize.setTitleTxtRect(10, 344, 100, 18);
  dataSize.setTxtFRect(110, 342, 120, 20);
  dataSize.setTxtFValue("24.91 MB", kit::Color::red());
  gallery4Place(c, {res.getTitleTxt(), res.getNumberTxtF(), res.getPopupBT(), res.getUnitTxt(), mag.getNumberTxtF(),
              mag.getStepper(), mag.getUnitTxt(), chain.getImageView(), swap.getIconBT(), dataSize.getTitleTxt(),
              dataSize.getTxtF()});

  // Image settings in their scrolling list; the exposure section open on the right, folded below.
  Quirel_CTRLS_ImageSettingScrollView list(370, 250, 330, 360);
  list.setTitleTxtTitle("Image Settings");
  list.setTitleTxtRect(370, 614, 200, 18);
  Quirel_CTRLS_AutoTonePopup tone;
  tone.setTitleTxtTitle("Auto Tone :");
  tone.addPopupItemWithTitle("ON", 1, false);
  tone.setNormalMenu();
  Quirel_CTRLS_ColorAdjustmentPopup adjust;
  adjust.setTitleTxtTitle("Color Adjustment :");
  adjust.addPopupItemWithTitle("Recommended", 1, 0);
  adjust.setMenuAtMode(0);
  Quirel_CTRLS_RemoveDustPopup dust;
  dust.setTitleTxtTitle("Remove Dust and Scratches (          ) :");
  dust.addPopupItem("Medium");
  dust.setVexaImage("DUSTSCRACH_ON.tiff", kBundle);
  Quirel_CTRLS_ExposureOpenButton openExposure;
  openExposure.setPushBTImage("BT_FOLD.tif", "BT_SPREAD.tif", kBundle);
  openExposure.setTitleTxtTitle("Exposure");
  Quirel_CTRLS_ExposureView exposureSection;
  exposureSection.setFullHeight(96);
  exposureSection.setCloseHeight(0);
  Quirel_CTRLS_ExposureField exposure;
  exposure.setIntValue(100);
  exposure.setUnitTxtTitle("%");
  Quirel_CTRLS_ExposureButton pair;
  pair.setTitleTxtTitleForCrop("Keep exposure for the crop frame");
  pair.setApplyBTTitle("Apply");
  pair.setResetBTTitle("Reset");
  pair.setOnState(true);
  exposureSection.setViewRect(0, 0, 310, 96);
  exposureSection.setItem(exposure.getNumberTxtF(), fnd::Rect(20, 64, 60, 22));
  exposureSection.setItem(exposure.getStepper(), fnd::Rect(82, 62, 19, 27));
  exposureSection.setItem(exposure.getUnitTxt(), fnd::Rect(104, 66, 20, 18));
  exposureSection.setItem(pair.getTitleTxt(), fnd::Rect(20, 36, 280, 18));
  exposureSection.setItem(pair.getApplyBT(), fnd::Rect(20, 4, 90, 28));
  exposureSection.setItem(pair.getResetBT(), fnd::Rect(116, 4, 90, 28));
  Quirel_CTRLS_ScanSettingOpenButton openScan;
  openScan.setPushBTImage("BT_FOLD.tif", "BT_SPREAD.tif", kBundle);
  openScan.setOnState(false);
  openScan.setTitleTxtTitle("Scan Settings (folded)");
  list.setViewRect(0, 0, 310, 420);
  list.setItem(tone.getTitleTxt(), fnd::Rect(6, 392, 140, 18));
  list.setItem(tone.getPopupBT(), fnd::Rect(150, 388, 150, 26));
  list.setItem(adjust.getTitleTxt(), fnd::Rect(6, 360, 140, 18));
  list.setItem(adjust.getPopupBT(), fnd::Rect(150, 356, 150, 26));
  list.setItem(dust.getTitleTxt(), fnd::Rect(6, 322, 290, 18));
  list.setItem(dust.getVexaImageView(), fnd::Rect(190, 318, 50, 25));
  list.setItem(dust.getPopupBT(), fnd::Rect(150, 290, 150, 26));
  list.setItem(openExposure.getPushBT(), fnd::Rect(4, 254, 26, 20));
  list.setItem(openExposure.getTitleTxt(), fnd::Rect(32, 256, 200, 18));
  list.setItem(exposureSection.getView(), fnd::Rect(0, 156, 310, 96));
  list.setItem(openScan.getPushBT(), fnd::Rect(4, 128, 26, 20));
  list.setItem(openScan.getTitleTxt(), fnd::Rect(32, 130, 200, 18));
  list.endScrollView();
  list.getScrollView()->scrollToPoint({0, 60});
  gallery4Place(c, {list.getTitleTxt(), list.getScrollView()});

  Quirel_CTRLS_ZoomButton zoom;
  zoom.setPushBTTitle("Undo Zoom", "Zoom");
  zoom.setState(false);
  zoom.setPushBTRect(370, 200, 100, 28);
  Quirel_CTRLS_ADVPreviewButton advPreview;
  gallery4ColorButton(advPreview, "Preview", "PreviewButton_In", "AdvPrevBtn_n", "AdvPrevBtn_p", "AdvPrevBtn_d",
                      fnd::Rect(480, 198, 100, 32));
  Quirel_CTRLS_ADVScanButton advScan;
  gallery4ColorButton(advScan, "Scan", "ScanButton_In", "AdvScanBtn_n", "AdvScanBtn_p", "AdvScanBtn_d",
                      fnd::Rect(590, 198, 100, 32));
  gallery4Place(c, {zoom.getPushBT(), advPreview.getColorPushBT(), advScan.getColorPushBT()});
  gallery4Grab(w, "controls-gallery-4-advanced.png");
}

namespace {

struct SizeNames : kit::TableViewDataSource {
  int numberOfRowsInTableView(kit::TableView&) override { return 4; }
  fnd::Value objectValueForTableColumn(kit::TableView&, const kit::TableColumn*, int row) override {
    static const char* const names[] = {"L (89 x 127 mm)", "2L (127 x 178 mm)", "Postcard", "A4"};
    return fnd::Value(names[row]);
  }
};

}  // namespace

TEST(GalleryFour, DialogControlsAdjustmentPreferencesOutputSizeAndInformation) {
  TestWindow w(fnd::Rect(40, 40, 820, 620));
  w.window().setTitle("Controls gallery 4: dialogs");
  kit::View* c = w.window().contentView();

  gallery4Heading(c, "Adjustment fields", 10, 596);
  Quirel_CTRLS_HistoChannelPopup channel;
  channel.setTitleTxtTitle("Channel :");
  channel.setTitleTxtRect(10, 570, 60, 16);
  channel.addPopupItem("Master");
  channel.addPopupItem("Red");
  channel.select(0);
  channel.setPopupBTRect(70, 564, 120, 26);
  Quirel_CTRLS_ThresholdInputTextF threshold(kBundle);
  gallery4Level(threshold, "Threshold", 536, 128);
  Quirel_CTRLS_ToneBCInputTextF bright(kBundle);
  gallery4Level(bright, "Brightness", 480, -40);
  Quirel_CTRLS_ColorBalanceText dark;
  dark.setTitleTxtFTitle("Dark");
  dark.setTitleTxtFRect(10, 432, 60, 14);
  Quirel_CTRLS_ColorBalanceText light;
  light.setTitleTxtFTitle("Bright");
  light.setTitleTxtFRect(210, 432, 60, 14);
  gallery4Place(c, {channel.getTitleTxt(), channel.getPopupBT(), threshold.getTitleTxt(), threshold.getSlider(),
              threshold.getNumberTxtF(), threshold.getStepper(), bright.getTitleTxt(), bright.getSlider(),
              bright.getNumberTxtF(), bright.getStepper(), dark.getTitleTxtF(), light.getTitleTxtF()});

  gallery4Heading(c, "Preferences", 400, 596);
  Quirel_CTRLS_PREFTabView tabs(fnd::Rect(400, 330, 410, 260));
  tabs.setTabViewItemIndex(1, 0, 2, 3, 4);
  Quirel_CTRLS_PREFText saveTitle;
  saveTitle.setText("Save folder :", 0, 0, 100, 18);
  Quirel_CTRLS_PREFSaveDirTextF saveDir;
  saveDir.setStringValue("/home/someone/Pictures/Scanned documents/2026/December/Receipts and letters");
  Quirel_CTRLS_PREFMonitorGammaTextF gamma;
  gamma.setTitle("Monitor Gamma :", 0, 0, 120, 18);
  gamma.setDoubleValue(2.2);
  Quirel_CTRLS_PREFLampOffTimeTextF lamp;
  lamp.setTitle("Lamp off after :", 0, 0, 120, 18);
  lamp.setUnit("minutes", 0, 0, 60, 18);
  lamp.setIntValue(12);
  Quirel_CTRLS_PREFColorSettingRadio radio;
  radio.setRecommend("Recommended", 0, 0, 180, 20);
  radio.setColorSync("Color matching", 0, 0, 180, 20);
  radio.setNone("None", 0, 0, 180, 20);
  radio.selectItemAtIndex(1);
  tabs.setScanTabViewItem(saveTitle.getText(), fnd::Rect(12, 190, 100, 18));
  tabs.setScanTabViewItem(saveDir.getTextF(), fnd::Rect(12, 164, 300, 20));
  tabs.setScanTabViewItem(gamma.getTitle(), fnd::Rect(12, 130, 120, 18));
  tabs.setScanTabViewItem(gamma.getNumberField(), fnd::Rect(136, 128, 50, 22));
  tabs.setScanTabViewItem(gamma.getStepper(), fnd::Rect(188, 126, 19, 27));
  tabs.setScanTabViewItem(lamp.getTitleF(), fnd::Rect(12, 98, 120, 18));
  tabs.setScanTabViewItem(lamp.getNumberField(), fnd::Rect(136, 96, 50, 22));
  tabs.setScanTabViewItem(lamp.getStepper(), fnd::Rect(188, 94, 19, 27));
  tabs.setScanTabViewItem(lamp.getUnit(), fnd::Rect(210, 98, 70, 18));
  tabs.setScanTabViewItem(radio.getRecommend(), fnd::Rect(12, 64, 180, 20));
  tabs.setScanTabViewItem(radio.getColorSync(), fnd::Rect(12, 42, 180, 20));
  tabs.setScanTabViewItem(radio.getNone(), fnd::Rect(12, 20, 180, 20));
  tabs.endTabView();
  tabs.getTabView()->selectTabViewItemAtIndex(0);
  c->addSubview(tabs.getTabView());

  gallery4Heading(c, "Output sizes", 10, 400);
  SizeNames names;
  Quirel_CTRLS_OUTPrintListView print(10, 250, 180, 140);
  print.setDataSource(&names);
  print.reloadData();
  print.endScrollView();
  print.selectRow(1, false);
  Quirel_CTRLS_OUTDisplayListView screen(200, 250, 180, 140);
  screen.setDataSource(&names);
  screen.reloadData();
  screen.endScrollView();
  Quirel_CTRLS_OUTUnitPopup unit;
  unit.setTitleTxtTitle("Unit :");
  unit.setTitleTxtRect(10, 222, 40, 16);
  unit.addPopupItem("mm");
  unit.addPopupItem("inches");
  unit.setRepresentedNumberAtIndex(1, 1);
  unit.selectAtRepresentedNumber(1);
  unit.setPopupBTRect(50, 216, 120, 26);
  gallery4Place(c, {print.getScrollView(), screen.getScrollView(), unit.getTitleTxt(), unit.getPopupBT()});

  gallery4Heading(c, "Multi-scan pictures", 10, 190);
  Quirel_CTRLS_MSImageSourceView msSource;
  msSource.addImage(0, "MS_SOURCE_PLATEN", kBundle);
  msSource.addImage(1, "MS_SOURCE_FEEDER", kBundle);
  msSource.changeImage(1);
  msSource.setImageViewRect(10, 110, 96, 64);
  Quirel_CTRLS_MSDestinationView msDest;
  msDest.addImage(0, "MS_DEST_PHOTO", kBundle);
  msDest.addImage(1, "MS_DEST_DOCUMENT", kBundle);
  msDest.changeImage(0);
  msDest.setImageViewRect(120, 110, 96, 64);
  gallery4Place(c, {msSource.getImageView(), msDest.getImageView()});

  gallery4Heading(c, "Scan information", 400, 300);
  const char* const lines[][2] = {{"Source :", "Platen"}, {"Resolution :", "600 dpi"}, {"Output size :", "Flexible"},
                                  {"Data size :", "24.91 MB"}, {"Exposure :", "100 %"}};
  std::vector<std::unique_ptr<Quirel_CTRLS_ScanInfoText>> info;
  for (int i = 0; i < 5; ++i) {
    auto line = std::make_unique<Quirel_CTRLS_ScanInfoText>();
    line->setTitleTxtTitle(lines[i][0]);
    line->setValueTxtTitle(lines[i][1]);
    line->setTitleTxtRect(400, 0, 110, 14);
    line->setValueTxtRect(514, 0, 200, 14);
    line->setOriginY(276 - i * (line->getHeight() + 4));
    gallery4Place(c, {line->getTitleTxt(), line->getValueTxt()});
    info.push_back(std::move(line));
  }
  gallery4Grab(w, "controls-gallery-4-dialogs.png");
}
