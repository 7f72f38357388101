// The advanced panel showing the crop in hand and enabling its controls, in a real main window
// over the model's menus: lengths and data sizes as shown, the corrections each colour mode and
// preview state offers, the buttons by situation, the whole window switched off and on.

#include <gtest/gtest.h>

#include <filesystem>

#include "ExtendModePanelRig.h"
#include "TestEnvironment.h"
#include "foundation/Bundle.h"
#include "foundation/PropertyList.h"
#include "kit/Color.h"
#include "kit/PopUpButton.h"
#include "ui/base/PVLocalizedString.h"
#include "ui/controls/CTRLS_MainWindow.h"
#include "ui/controls/CTRLS_TabView.h"
#include "ui/controls/IconBezelCGButton.h"
#include "ui/controls/MainWindow.h"
#include "ui/controls/NoFocusButton.h"
#include "ui/controls/NoFocusPopUpButton.h"
#include "ui/controls/NoFocusTextField.h"
#include "ui/controls/NumberField.h"
#include "ui/modes/advanced/ExtendModeControls.h"
#include "ui/settings/InfoDialog.h"

namespace {

using extend_rig::Panel;
using extend_rig::ValuesMode;
using extend_rig::allCorrections;

bool popupEnabled(const Quirel_CTRLS_PopupButton* p) { return p && p->isEnabled() && !p->isHidden(); }

// ---- Value display ----------------------------------------------------------------------------

TEST(ExtendModeValues, LengthsAreCutNotRoundedInEachUnit) {
  struct Case {
    const char* name;
    bool ver1300;
    double pixels;  // at the platen's 300 dpi
    int unit;
    int resolution;
    const char* shown;
  };
  const Case cases[] = {
      {"2.999 inches", false, 2.999 * 300, 0, 300, "2.99"},
      {"centimetres, 2 decimals", false, 118, 1, 300, "0.99"},
      {"millimetres from 1300 on, 1 decimal", true, 118, 1, 300, "9.9"},
      {"pixels at the crop's resolution", false, 100, 2, 600, "200"},
      {"pixels cut", false, 100, 2, 1000, "333"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ValuesMode mode(fnd::Dictionary{{"Ver1300Later", c.ver1300}});
    EXPECT_EQ(mode.lengthText(c.pixels, c.unit, c.resolution), c.shown);
  }
}

TEST(ExtendModeValues, DataSizeTextAndTheRedLimit) {
  const auto strings = std::make_shared<Quirel_PVLocalizedString>(fnd::Bundle::main().identifier());
  ValuesMode mode(fnd::Dictionary{});
  mode.setPVLocalizedString(strings);
  EXPECT_EQ(mode.dataSizeText(1048576), "1024.00 KB");
  EXPECT_EQ(mode.dataSizeText(1048577), "1.00 MB");
  EXPECT_EQ(mode.dataSizeText(100), "0.09 KB");
  EXPECT_EQ(mode.dataSizeText(5), "0.01 KB");
  EXPECT_EQ(mode.dataSizeText(1073741824ull * 3 / 2), "1.50 GB");
  ValuesMode newer(fnd::Dictionary{{"Ver1600Later", true}});
  newer.setPVLocalizedString(strings);
  EXPECT_EQ(newer.dataSizeText(1073741824ull * 3 / 2), "1.51 GB");
  // The rule: red from B / 1,048,576 >= L + 0.01.
  EXPECT_FALSE(Quirel_ExtendMode::isDataSizeOver(104868085, 100));
  EXPECT_TRUE(Quirel_ExtendMode::isDataSizeOver(104868086, 100));

  // Through the real field: a grayscale crop of one row, one byte a pixel.
  Panel panel(allCorrections());
  for (std::uint64_t bytes : {104868085ull, 104868086ull}) {
    panel.templ().setColorMode(1);
    panel.templ().setResolution(300);
    panel.templ().setOutputSize_Pixel96({double(bytes), 1});
    panel.mode.setValueOfSelectedCrop(0);
    const kit::Color color = panel.mode.mDataSizeTextF->getTxtF()->textColor();
    EXPECT_EQ(color == kit::Color::red(), bytes == 104868086ull) << bytes;
    EXPECT_EQ(panel.mode.mDataSizeTextF->getTxtF()->stringValue(), bytes == 104868086ull ? "100.01 MB" : "100.00 MB");
  }
}

TEST(ExtendModeValues, ANamedOutputSizeEmptiesAndDisablesTheInputFields) {
  Panel panel(allCorrections());
  panel.templ().setUnit(0);
  panel.templ().setInputSize_Pixel96(600, 900);
  panel.templ().setOutputSize_Pixel96({600, 900});
  panel.mode.setValueOfSelectedCrop(0);
  EXPECT_EQ(panel.mode.mInSizeWTextF->getStringValue(), "2.00");
  EXPECT_TRUE(panel.mode.mInSizeWTextF->getNumberTxtF()->isEnabled());

  panel.templ().setOutputSize(3);
  panel.mode.setValueOfSelectedCrop(0);
  EXPECT_EQ(panel.mode.mInSizeWTextF->getStringValue(), "");
  EXPECT_EQ(panel.mode.mInSizeHTextF->getStringValue(), "");
  EXPECT_FALSE(panel.mode.mInSizeWTextF->getNumberTxtF()->isEnabled());
  EXPECT_FALSE(panel.mode.mInSizeHTextF->getNumberTxtF()->isEnabled());
  EXPECT_EQ(panel.mode.mOutSizeWTextF->getStringValue(), "2.00");
  EXPECT_EQ(panel.mode.mOutSizeHTextF->getStringValue(), "3.00");
}

TEST(ExtendModeValues, MultiCropLeavesTheOutputSizePopupUnselectedAndDisabled) {
  Panel panel(allCorrections());
  panel.mode.mHasPreview = true;
  panel.mode.setValueOfSelectedCrop(0);
  EXPECT_GE(panel.mode.mOutSizePopup->selected(), 0);
  EXPECT_TRUE(panel.mode.mOutSizePopup->isEnabled());
  panel.mode.mMultiCrop = true;
  panel.mode.setValueOfSelectedCrop(0);
  EXPECT_EQ(panel.mode.mOutSizePopup->selected(), -1);
  EXPECT_FALSE(panel.mode.mOutSizePopup->isEnabled());
  // And the size fields stay empty.
  EXPECT_EQ(panel.mode.mOutSizeWTextF->getStringValue(), "");
}

TEST(ExtendModeValues, FilmWithoutPreviewShowsADashAsTheCropCountOnTheInformationPanel) {
  Panel panel(allCorrections());
  auto scanner = modes_test::scannerWith(allCorrections());
  panel.mode.mInfoDialog = std::make_shared<Quirel_InfoDialog>(scanner.get());
  panel.mode.mInfoDialog->createScanInfoDialog();
  panel.mode.addCrop(true);
  panel.mode.mScanMode = 2;
  panel.mode.setValueInfoDialog(panel.templ(), false, true);
  EXPECT_EQ(panel.mode.mInfoDialog->valueText(Quirel_InfoDialog::Row::NumberCrop), "-");
  panel.mode.mScanMode = 0;
  panel.mode.setValueInfoDialog(panel.templ(), false, true);
  EXPECT_EQ(panel.mode.mInfoDialog->valueText(Quirel_InfoDialog::Row::NumberCrop), "1");
  // Hidden and not asked for even when hidden: nothing changes.
  panel.mode.mScanMode = 2;
  panel.mode.setValueInfoDialog(panel.templ(), false, false);
  EXPECT_EQ(panel.mode.mInfoDialog->valueText(Quirel_InfoDialog::Row::NumberCrop), "1");
}

// ---- Enabling ---------------------------------------------------------------------------------

TEST(ExtendModeEnable, TheCorrectionTableByGroupColourSettingAndPreview) {
  // Rows of the offer table: auto tone, unsharp, descreen, dust, fading, grain, backlight, book,
  // (unused), copy gamma.
  struct Row {
    int colorMode;
    int setting;
    bool preview;
    std::array<int, 10> flags;
  };
  const Row rows[] = {
      {3, 0, false, {0, 1, 1, 1, 0, 1, 0, 0, 0, 1}}, {4, 0, true, {1, 1, 1, 1, 1, 1, 1, 1, 0, 1}},
      {5, 1, false, {0, 1, 1, 1, 0, 1, 0, 0, 0, 0}}, {3, 1, true, {1, 1, 1, 1, 0, 1, 0, 1, 0, 0}},
      {3, 2, false, {0, 1, 1, 1, 0, 1, 0, 0, 0, 0}}, {3, 2, true, {0, 1, 1, 1, 0, 1, 0, 1, 0, 0}},
      {1, 0, false, {0, 1, 1, 1, 0, 1, 0, 0, 0, 1}}, {2, 0, true, {1, 1, 1, 1, 1, 1, 1, 1, 0, 1}},
      {1, 1, false, {0, 0, 0, 0, 0, 0, 0, 0, 0, 0}}, {1, 1, true, {0, 0, 0, 0, 0, 0, 0, 1, 0, 0}},
      {2, 2, false, {0, 1, 1, 1, 0, 1, 0, 0, 0, 0}}, {2, 2, true, {0, 1, 1, 1, 0, 1, 0, 1, 0, 0}},
      {0, 0, false, {0, 0, 0, 0, 0, 0, 0, 0, 0, 0}}, {6, 2, true, {0, 0, 0, 0, 0, 0, 0, 1, 0, 0}},
      {0, 1, true, {0, 0, 0, 0, 0, 0, 0, 1, 0, 0}},  {7, 0, true, {1, 1, 1, 1, 1, 1, 1, 1, 0, 1}},
  };
  ValuesMode mode(fnd::Dictionary{});
  for (const Row& r : rows) {
    mode.mHasPreview = r.preview;
    for (int item = 0; item < 10; ++item)
      EXPECT_EQ(mode.correctionOffered(r.colorMode, r.setting, item), r.flags[static_cast<std::size_t>(item)] != 0)
          << "mode " << r.colorMode << " setting " << r.setting << " preview " << r.preview << " item " << item;
  }
  EXPECT_EQ(Quirel_ExtendMode::sPlatenPopupFlg.size(), 180u);
}

TEST(ExtendModeEnable, GrayWithColourSettingOneOffersOnlyBookAfterAPreview) {
  Panel panel(allCorrections());
  panel.mode.getPreferenceInfo()->setColorSetting(1, 1);
  panel.mode.mHasPreview = true;
  panel.mode.setEnabledImageSettings_ColorMode(1, 1);
  for (const Quirel_CTRLS_PopupButton* p :
       {static_cast<Quirel_CTRLS_PopupButton*>(panel.mode.mAutoTonePopup.get()), panel.mode.mUnsharpPopup.get(),
        panel.mode.mDescreenPopup.get(), panel.mode.mRdcDustPopup.get(), panel.mode.mGrCorctPopup.get(),
        panel.mode.mFdCorctPopup.get(), panel.mode.mBlCorctPopup.get()})
    EXPECT_FALSE(popupEnabled(p));
  EXPECT_TRUE(popupEnabled(panel.mode.mBookCorctPopup.get()));
}

TEST(ExtendModeEnable, ModeSixHidesAllButBook) {
  Panel panel(allCorrections());
  panel.mode.mHasPreview = true;
  panel.mode.setEnabledImageSettings_ColorMode(6, 0);
  EXPECT_TRUE(panel.mode.mUnsharpPopup->isHidden());
  EXPECT_TRUE(panel.mode.mAutoTonePopup->isHidden());
  EXPECT_TRUE(panel.mode.mGrCorctPopup->isHidden());
  EXPECT_FALSE(panel.mode.mBookCorctView->isHidden());
  EXPECT_TRUE(popupEnabled(panel.mode.mBookCorctPopup.get()));
}

TEST(ExtendModeEnable, BacklightIsOffUnderLargeScansAndAutoToneUnderMultiCrop) {
  Panel panel(allCorrections({{"EnableLargeScan", true}}));
  panel.mode.mHasPreview = true;
  panel.mode.getPreferenceInfo()->setEnableLargeScan(false);
  panel.mode.setEnabledImageSettings_ColorMode(3, 0);
  EXPECT_TRUE(popupEnabled(panel.mode.mBlCorctPopup.get()));
  EXPECT_TRUE(popupEnabled(panel.mode.mAutoTonePopup.get()));
  panel.mode.getPreferenceInfo()->setEnableLargeScan(true);
  panel.mode.setEnabledImageSettings_ColorMode(3, 0);
  EXPECT_FALSE(popupEnabled(panel.mode.mBlCorctPopup.get()));
  panel.mode.mMultiCrop = true;
  panel.mode.setEnabledImageSettings_ColorMode(3, 0);
  EXPECT_FALSE(popupEnabled(panel.mode.mAutoTonePopup.get()));
  EXPECT_FALSE(popupEnabled(panel.mode.mBookCorctPopup.get()));
  EXPECT_TRUE(popupEnabled(panel.mode.mUnsharpPopup.get()));
}

TEST(ExtendModeEnable, ZoomPreviewAndScanBySituation) {
  struct Case {
    const char* name;
    int scanMode;
    bool preview;
    int crops;
    int thumbnails;
    bool multiCrop;
    int selected;
    bool zoom, prev, scan;
  };
  const Case cases[] = {
      {"film thumbnails with crops", 3, true, 1, 2, false, 1, true, true, true},
      {"film with crops, one selected", 2, true, 2, 0, false, 1, true, true, true},
      {"film without preview", 2, false, 0, 0, false, 0, false, true, false},
      {"feeder", 4, false, 0, 0, false, 0, false, false, true},
      {"platen thumbnails", 1, true, 0, 2, false, 0, true, true, true},
      {"platen multi-crop", 0, true, 2, 0, true, 1, false, true, true},
      {"platen, one crop selected", 0, true, 2, 0, false, 1, true, true, true},
      {"platen, two selected", 0, true, 2, 0, false, 2, false, true, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Panel panel(allCorrections());
    panel.mode.mScanMode = c.scanMode;
    panel.mode.mHasPreview = c.preview;
    for (int i = 0; i < c.crops; ++i) panel.mode.addCrop(true);
    panel.mode.mThumbnailCount = c.thumbnails;
    panel.mode.mMultiCrop = c.multiCrop;
    panel.mode.setEnabledScanBTs(c.selected);
    EXPECT_EQ(panel.mode.mZoomBtn->getPushBT()->isEnabled(), c.zoom);
    EXPECT_EQ(panel.mode.mPrevBtn->getColorPushBT()->isEnabled(), c.prev);
    EXPECT_EQ(panel.mode.mScanBtn->getColorPushBT()->isEnabled(), c.scan);
    EXPECT_TRUE(panel.prefBtn.getPushBT()->isEnabled());
  }
}

TEST(ExtendModeEnable, DisablingLaysOneOverlayAndEnablingTakesItAway) {
  Panel panel(allCorrections());
  kit::View* content = panel.window->getWindow()->contentView();
  const std::size_t views = content->subviews().size();
  panel.mode.setEnabledAllControl(false);
  EXPECT_FALSE(panel.window->getWindow()->isEnabled());
  EXPECT_TRUE(panel.mode.hasDisabledOverlay());
  EXPECT_TRUE(panel.mode.mModal);
  EXPECT_FALSE(panel.prefBtn.getPushBT()->isEnabled());
  EXPECT_FALSE(panel.closeBtn.getPushBT()->isEnabled());
  EXPECT_FALSE(panel.mode.mScanBtn->getColorPushBT()->isEnabled());
  EXPECT_EQ(content->subviews().size(), views + 1);
  panel.mode.setEnabledAllControl(false);
  EXPECT_EQ(content->subviews().size(), views + 1) << "one overlay only";
  panel.mode.setEnabledAllControl(true);
  EXPECT_TRUE(panel.window->getWindow()->isEnabled());
  EXPECT_FALSE(panel.mode.hasDisabledOverlay());
  EXPECT_FALSE(panel.mode.mModal);
  EXPECT_EQ(content->subviews().size(), views);
  EXPECT_TRUE(panel.mode.mScanBtn->getColorPushBT()->isEnabled());

  // While the window closes nothing changes.
  panel.window->getWindow()->setCloseFlg(true);
  panel.mode.setEnabledAllControl(false);
  EXPECT_TRUE(panel.window->getWindow()->isEnabled());
  EXPECT_FALSE(panel.mode.hasDisabledOverlay());
}

// ---- The window's life --------------------------------------------------------------------------

TEST(ExtendModeLife, TheInputSourceToldToTheScanModule) {
  const int expected[] = {0, 3, 4, 5, 6, 1, 2};
  for (int source = 0; source < 7; ++source)
    EXPECT_EQ(Quirel_ExtendMode::inputSourceForImageSource(source), expected[source]);
  EXPECT_EQ(Quirel_ExtendMode::inputSourceForImageSource(7), 0);
  modes_test::PostLog log({Quirel_PostNotification::kOverrideNotification});
  ValuesMode mode(fnd::Dictionary{});
  mode.setImageSource(4);
  mode.inputSourceChangePostToSM();
  ASSERT_EQ(log.posts.size(), 1u);
  EXPECT_EQ(log.posts[0].name, "changeInputSourcePost");
  EXPECT_EQ(log.posts[0].info.intValue("InputSource"), 6);
}

TEST(ExtendModeLife, ClosingAThumbnailModeWithOnlyAKeptPreviewClearsItOnce) {
  modes_test::PostLog log({Quirel_PostNotification::kOverrideNotification});
  Panel panel(allCorrections());
  panel.mode.getPreferenceInfo()->setPrevStart(1);
  panel.mode.mScanMode = 1;
  panel.mode.mHasPreview = false;
  panel.mode.mHasNonThumPreview = true;
  panel.mode.willCloseWindow();
  int clears = 0;
  for (const auto& p : log.posts) clears += p.name == "Clear_Preview";
  EXPECT_EQ(clears, 1);
  EXPECT_FALSE(panel.mode.getHasPreview());
  EXPECT_FALSE(panel.mode.getHasNonThumPreview());
}

// The entry written back is the mode's own: keys it does not know are not carried along.
TEST(ExtendModeLife, TheLastSettingIsWrittenFromTheModeWithItsOwnKeysOnly) {
  ValuesMode mode(fnd::Dictionary{});
  mode.setLastSetting(fnd::Dictionary{{"Private", "kept"}, {"Numbers", fnd::Array{1, 2}}});
  const fnd::Dictionary written = mode.getLastSetting();
  EXPECT_FALSE(written.empty());
  const auto& keys = Quirel_ExtendMode::lastSettingKeys();
  for (const auto& [key, value] : written)
    EXPECT_NE(std::find(keys.begin(), keys.end(), std::string_view(key)), keys.end()) << key;
}

}  // namespace
