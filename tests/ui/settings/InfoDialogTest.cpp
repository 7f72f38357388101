// The information panel's window: filling and row choice through the modes' calls, its height,
// the width lock, the level, the disabled cover and the key-window protocol; pictures of the
// platen and film layouts.

#include <gtest/gtest.h>

#include <iostream>

#include <QWidget>

#include "SettingsDialogsTestSupport.h"
#include "kit/ScrollView.h"
#include "kit/TextField.h"
#include "kit/Window.h"
#include "ui/controls/CTRLS_ScanInfoText.h"
#include "ui/controls/CTRLS_Separator.h"
#include "ui/controls/InfoDlgPanel.h"
#include "ui/model/CropInfo.h"
#include "ui/model/PreferenceInfo.h"
#include "ui/settings/InfoDialog.h"

namespace {

using settings2_test::S2Posts;
using settings2_test::S2Texts;

std::unique_ptr<Quirel_UIScannerInfo> infoPanelScanner() {
  return settings2_test::s2Scanner(true, true, true, true,
                                   {{"AutoTone", true},
                                    {"ImageAdjustment", true},
                                    {"Unsharp", true},
                                    {"Descreen", true},
                                    {"ReduceDust", true},
                                    {"ReduceDustForFAU", true},
                                    {"VEXA", true},
                                    {"FadingCorrect", true},
                                    {"GrainCorrect", true},
                                    {"BackLightCorrect", true},
                                    {"BookCorrect", true},
                                    {"HighQualityMode", true},
                                    {"AlwaysCalibration", true},
                                    {"QuietMode", true}});
}

struct InfoPanelFixture {
  InfoPanelFixture() : info(infoPanelScanner()), dialog(info.get()) { dialog.createScanInfoDialog(); }
  S2Texts texts;
  std::unique_ptr<Quirel_UIScannerInfo> info;
  Quirel_InfoDialog dialog;
};

void fillPlaten(Quirel_InfoDialog& d) {
  d.setInterfaceStr("USB");
  d.setSourceStr("Platen");
  d.setPaperSizeStr("A4");
  d.setInputWidth(1, 21.0);
  d.setInputHeight(1, 29.7);
  d.setColorMode(3);
  d.setResolution(300);
  d.setOutputSizeStr("Flexible (a rather long name that has to be cut at the end)");
  d.setOutputWidth(1, 21.0);
  d.setOutputHeight(1, 29.7);
  d.setOutputScale(100);
  d.setDataSize(26091072ULL, 8697024ULL);
  d.setAutoTone(1);
  d.setAutoDocCorrect(0);
  d.setColorAdjust(2);
  d.setUnsharp(1);
  d.setDescreen(0);
  d.setReduceDust(0);
  d.setFadingCorrect(0);
  d.setGrainCorrect(2);
  d.setBackLight(0);
  d.setBookCorrect(0);
  d.setCalibrationEveryScan(0);
  d.setColorSetting(0);
  d.setSilentMode(false);
  d.setNumberCrop(0);
}

double infoExpectedHeight(Quirel_InfoDialog& d) {
  double h = 20;
  for (int r = 0; r < Quirel_InfoDialogRows::kRowCount; ++r) {
    auto* line = d.row(static_cast<Quirel_InfoDialogRows::Row>(r));
    if (!line->isHidden()) h += line->getHeight() + 5;
  }
  for (int s = 0; s < 5; ++s) h += d.separator(s)->getRect().size.height + 5;
  return h;
}

void grabInfoPanel(Quirel_InfoDialog& d, const char* name) {
  auto& w = *d.getWindow();
  w.orderFront();
  w.contentView()->display();
  const std::string png = settings2_test::s2PngPath(name);
  EXPECT_TRUE(w.grabToPng(png));
  std::cout << "gallery: " << png << "\n";
  w.orderOut();
}

}  // namespace

TEST(InfoDialog, TheModesFillItAndChooseRowsFromTheCropAndPreferences) {
  InfoPanelFixture f;
  fillPlaten(f.dialog);
  Quirel_PreferenceInfo pref;
  pref.setColorSetting(3, 0);
  Quirel_CropInfo crop;
  crop.setColorMode(3);
  crop.setOutputSize(0);
  f.dialog.setColumn_UIMode(0, 0, true, false, pref, crop, false);
  using R = Quirel_InfoDialogRows;
  EXPECT_EQ(f.dialog.valueText(R::InputW), "210.0 mm");
  EXPECT_EQ(f.dialog.valueText(R::DataSize), "24.88 MB");
  EXPECT_EQ(f.dialog.valueText(R::NumberCrop), "1");
  EXPECT_FALSE(f.dialog.row(R::PaperSize)->isHidden());
  EXPECT_TRUE(f.dialog.row(R::FilmSize)->isHidden());
  EXPECT_TRUE(f.dialog.row(R::Exposure)->isHidden());
  // Texts the modes pass: null keeps the value; codes outside the tables keep it as well.
  f.dialog.setSourceStr(nullptr);
  EXPECT_EQ(f.dialog.valueText(R::Source), "Platen");
  f.dialog.setHighQualityMode(7);
  f.dialog.setCalibrationEveryScan(1);
  f.dialog.setCalibrationEveryScan(5);
  EXPECT_EQ(f.dialog.valueText(R::CalbEveryScan), "On");
  // Not yet opened: the content is as high as the rows, 20 + each shown row and separator + 5.
  EXPECT_DOUBLE_EQ(f.dialog.maxHeight(), infoExpectedHeight(f.dialog));
  EXPECT_DOUBLE_EQ(f.dialog.getWindow()->contentRectSize().height, f.dialog.maxHeight());
  grabInfoPanel(f.dialog, "settings-info-platen.png");

  crop.setImageSource(1);
  crop.setExposure(true);
  f.dialog.setFilmSize(21);
  EXPECT_EQ(f.dialog.valueText(R::FilmSize), "35 mm Film Strip");
  f.dialog.setExposure(true);
  f.dialog.setExposureValue(30);
  f.dialog.setSaveTone(true, false);
  f.dialog.setColumn_UIMode(1, 2, true, false, pref, crop, false);
  EXPECT_TRUE(f.dialog.row(R::PaperSize)->isHidden());
  EXPECT_FALSE(f.dialog.row(R::FilmSize)->isHidden());
  EXPECT_FALSE(f.dialog.row(R::ExposureValue)->isHidden());
  EXPECT_DOUBLE_EQ(f.dialog.maxHeight(), infoExpectedHeight(f.dialog));
  grabInfoPanel(f.dialog, "settings-info-film.png");
}

TEST(InfoDialog, ResizingKeepsTheWidthAndLaysTheRowsOutAgain) {
  InfoPanelFixture f;
  fillPlaten(f.dialog);
  f.dialog.setColmnForPlatenMode_UIMode(0, 0, 3, 0, false, 0, false);
  f.dialog.setHasOpened(true);
  kit::Window& w = *f.dialog.getWindow();
  w.orderFront();
  const fnd::Rect before = w.frame();
  // A drag on the resize corner reaches the window as the window manager's resize.
  const fnd::Size content = w.contentRectSize();
  w.nativeWidget()->resize(static_cast<int>(content.width) + 150, static_cast<int>(content.height) + 100);
  EXPECT_DOUBLE_EQ(w.frame().size.width, before.size.width);
  EXPECT_DOUBLE_EQ(w.frame().size.height, before.size.height + 100);
  EXPECT_DOUBLE_EQ(w.contentRectSize().width, Quirel_InfoDialog::kMinWidth);
  // Taller than the rows: the document takes the scroll view's height, the rows stay on top.
  EXPECT_GE(f.dialog.documentView()->frame().size.height, f.dialog.maxHeight());
  const auto* first = f.dialog.row(Quirel_InfoDialogRows::Interface);
  EXPECT_DOUBLE_EQ(first->getTitleTxtRect().maxY(), f.dialog.documentView()->frame().size.height - 10);

  // A scale factor widens the minimum and the panel alike.
  f.dialog.setUserSpaceScaleFactor(1.5);
  EXPECT_DOUBLE_EQ(w.contentRectSize().width, 480);
  EXPECT_DOUBLE_EQ(f.dialog.dialogMinSize().width, 480);
}

TEST(InfoDialog, LevelAboveItsParentAndACoverWhileDisabled) {
  InfoPanelFixture f;
  EXPECT_EQ(f.dialog.getWindow()->level(), 10);
  kit::Window parent(fnd::Rect(0, 0, 300, 200), kit::kTitledWindowMask);
  parent.setLevel(4);
  f.dialog.setParentWindow(&parent);
  fnd::NotificationCenter::defaultCenter().post("floatingDialogLevelChangePost", &parent);
  EXPECT_EQ(f.dialog.getWindow()->level(), 5);
  f.dialog.setEnabledAllControl(false);
  f.dialog.setEnabledAllControl(false);
  EXPECT_TRUE(f.dialog.hasDisabledView());
  EXPECT_FALSE(f.dialog.getWindow()->isEnabled());
  EXPECT_TRUE(f.dialog.getWindow()->becomesKeyOnlyIfNeeded());
  f.dialog.setEnabledAllControl(true);
  EXPECT_FALSE(f.dialog.hasDisabledView());
  EXPECT_TRUE(f.dialog.getWindow()->isEnabled());
}

TEST(InfoDialog, AClickOnCloseOrZoomWhileADialogChangesIsRefusedOnce) {
  const std::vector<std::string> watched = {"TONEBC_MAKEKEY_FROM_INFO", "HIST_MAKEKEY_FROM_INFO",
                                            "COLOR_MAKEKEY_FROM_INFO",  "THRESHOLD_MAKEKEY_FROM_INFO",
                                            "CONTROL_SET_YES",          "MAIN_MAKEKEY_FROM_DLG",
                                            "TONEBC_VALUE_FIX_FROM_INFO", "HIST_VALUE_FIX_FROM_INFO"};
  for (bool zoom : {false, true}) {
    InfoPanelFixture f;
    Quirel_InfoDlgPanel& w = *f.dialog.getWindow();
    f.dialog.showScanInfoDialog();
    ASSERT_TRUE(w.isVisible());
    fnd::NotificationCenter::defaultCenter().post("TONEBC_CHG_TO_DLG", nullptr);
    EXPECT_FALSE(zoom ? f.dialog.zoomOK() : f.dialog.closeOK());
    EXPECT_FALSE(w.titleDownOnOff());
    S2Posts posts(watched);
    const fnd::Rect frame = w.frame();
    zoom ? w.performZoom() : w.performClose();
    EXPECT_TRUE(w.isVisible());
    EXPECT_EQ(posts.seen, (std::vector<std::string>{"TONEBC_MAKEKEY_FROM_INFO", "CONTROL_SET_YES", "MAIN_MAKEKEY_FROM_DLG"}))
        << (zoom ? "zoom" : "close");
    posts.seen.clear();
    if (zoom) {
      EXPECT_TRUE(f.dialog.zoomOK());
    } else {
      w.performClose();
      EXPECT_FALSE(w.isVisible());
      EXPECT_TRUE(posts.seen.empty());
    }
    (void)frame;
  }
  // A fixed value is confirmed before the close goes through.
  InfoPanelFixture f;
  f.dialog.showScanInfoDialog();
  fnd::NotificationCenter::defaultCenter().post("HIST_VALUE_FIX", nullptr);
  fnd::NotificationCenter::defaultCenter().post("TONEBC_VALUE_FIX", nullptr);
  S2Posts posts(watched);
  f.dialog.getWindow()->performClose();
  EXPECT_EQ(posts.seen, (std::vector<std::string>{"TONEBC_VALUE_FIX_FROM_INFO", "HIST_VALUE_FIX_FROM_INFO"}));
  EXPECT_FALSE(f.dialog.getWindow()->isVisible());
}

TEST(InfoDialog, BecomingKeyHandsTheFocusBackAndConfirmsInOrder) {
  InfoPanelFixture f;
  auto& center = fnd::NotificationCenter::defaultCenter();
  center.post("COLOR_CHG_TO_DLG", nullptr);
  center.post("THRESHOLD_CHG_TO_DLG", nullptr);
  center.post("HIST_VALUE_FIX", nullptr);
  center.post("COLOR_VALUE_FIX", nullptr);  // clears the colour change again
  center.post("TONEBC_CHG_TO_DLG", nullptr);
  S2Posts posts({"TONEBC_MAKEKEY_FROM_INFO", "HIST_MAKEKEY_FROM_INFO", "THRESHOLD_MAKEKEY_FROM_INFO",
                 "COLOR_MAKEKEY_FROM_INFO", "HIST_VALUE_FIX_FROM_INFO", "TONEBC_VALUE_FIX_FROM_INFO",
                 "THRESHOLD_VALUE_FIX_FROM_INFO", "COLOR_VALUE_FIX_FROM_INFO", "MAIN_MAKEKEY_FROM_DLG", "HIST_REFLESH",
                 "FINAL_REFLESH", "CONTROL_SET_YES"});
  f.dialog.windowDidBecomeKey(*f.dialog.getWindow());
  EXPECT_EQ(posts.seen, (std::vector<std::string>{"TONEBC_MAKEKEY_FROM_INFO", "THRESHOLD_MAKEKEY_FROM_INFO",
                                                  "HIST_VALUE_FIX_FROM_INFO", "COLOR_VALUE_FIX_FROM_INFO",
                                                  "MAIN_MAKEKEY_FROM_DLG", "HIST_REFLESH", "FINAL_REFLESH"}));
  using O = Quirel_InfoDialog::Other;
  for (O o : {O::COLOR, O::TONEBC, O::HIST, O::THRESHOLD}) {
    EXPECT_FALSE(f.dialog.changeFlag(o));
    EXPECT_FALSE(f.dialog.fixFlag(o));
  }
  // A fix ends the change and lets the title bar drag again.
  center.post("MAIN_CHG_TO_DLG", nullptr);
  EXPECT_FALSE(f.dialog.getWindow()->titleDownOnOff());
  center.post("MAIN_FIX_TO_DLG", nullptr);
  EXPECT_TRUE(f.dialog.getWindow()->titleDownOnOff());
  center.post("CONTROL_YES", nullptr);
  EXPECT_TRUE(f.dialog.closeOK());
}
