// What the opener gets: after OK the edited copy written and read back holds every key the
// tabs edit; after Cancel the opener's record and its file are untouched; an error close is
// never an OK close.

#include <gtest/gtest.h>

#include <fstream>

#include "SettingsTestSupport.h"
#include "TestFiles.h"

using namespace settings_test;

namespace {

void clickBox(Quirel_CTRLS_CheckBox& box) { box.getCheckBox()->performClick(); }
void chooseRow(Quirel_CTRLS_PREFRadioButton& radio, int row) { radio.getRadioBT()->performClickOnCell(row, 0); }
void choosePopup(Quirel_CTRLS_PREFPopup& popup, int index) {
  popup.select(index);
  popup.PopupBTAction();
}

}  // namespace

TEST(PrefsRoundTrip, OkHandsBackEveryEditedKeyThroughTheFile) {
  BundleAnswer bundle;
  windows_test::FakeMessages messages;
  const auto folder = testenv::freshFolder("round-trip");
  const std::string saveFolder = testenv::freshFolder("round-trip-save").string();
  const std::string sound = (folder / "end.wav").string();
  std::ofstream(sound) << "RIFF";
  Opening o;
  o.scanner = scanner(launcherFlags());
  o.prefs.setSaveName(std::string("scan"));
  o.prefs.setLampTime(12);
  o.prefs.setMonitorGamma(2.2);
  auto d = openPrefs(o);
  d->setPanelRunner([&](kit::OpenPanel& panel) {
    return std::optional<std::string>(panel.canChooseDirectories() ? saveFolder : sound);
  });
  runPrefs(*d, [&] {
    chooseRow(*d->mPrevRadio, 2);
    chooseRow(*d->mCropRadio, 0);
    chooseRow(*d->mThumbRadio, 2);
    showTab(*d, Quirel_CTRLS_PREFTabView::kScan);
    clickBox(*d->mColorModeCbx);
    clickBox(*d->mBitEnabledCbx);
    clickBox(*d->mEnableLargeScanCbx);
    chooseRow(*d->mAutoExitRadio, 1);
    chooseRow(*d->mADFHighSpeedRadio, 1);
    chooseRow(*d->mADFOrderRejectRadio, 1);
    showTab(*d, Quirel_CTRLS_PREFTabView::kColorSetting);
    clickBox(*d->mAutoToneCbx);
    d->mGammaTextF->getNumberField()->setStringValue("1.85");
    d->MonitorGanmaChange();
    d->mColorSetRadio->getNone()->performClickOnCell(0, 0);
    showTab(*d, Quirel_CTRLS_PREFTabView::kScanner);
    d->mOffTimeTxtF->setIntValue(20);
    d->LampOffTimeChange();
    clickBox(*d->mPlaySoundCbx);
    d->mPlaySoundBtn->getPushBT()->performClick();
    choosePopup(*d->mCalibrationPopup, 1);
    showTab(*d, Quirel_CTRLS_PREFTabView::kSave);
    typeInto(d->window(), d->mFilenameTextF->getTitle(), "holiday");
    d->mSaveFileBtn->getPushBT()->performClick();
    choosePopup(*d->mQualityTitlePopup, 2);
    choosePopup(*d->mFileFormatTitlePopup, 1);
    d->okButton()->getPushBT()->performClick();
  });
  ASSERT_TRUE(d->isOkClose());
  EXPECT_FALSE(d->isErrorClose());
  EXPECT_EQ(messages.shown, (std::vector<std::string>{"message:1631,0,0,0", "message:1621,0,0,0"}));
  const std::string out = testenv::freshFolder("round-trip-out").string();
  ASSERT_TRUE(d->getData()->writeToFolder(out));
  const Quirel_PreferenceInfo back = Quirel_PreferenceInfo::readFromFolder(out);
  EXPECT_EQ(back.getPrevStart(), 2);
  EXPECT_EQ(back.getCropAfterPrev(), 0);
  EXPECT_EQ(back.getPlatenThumbnailSize(), 2);
  EXPECT_EQ(back.getColorModeWhenUIOff(), !o.prefs.getColorModeWhenUIOff());
  EXPECT_EQ(back.getBitEnabled(), !o.prefs.getBitEnabled());
  EXPECT_EQ(back.getEnableLargeScan(), !o.prefs.getEnableLargeScan());
  EXPECT_EQ(back.getAutoExit(), 0);
  EXPECT_EQ(back.getADF_HighSpeed(), 1);
  EXPECT_EQ(back.getADF_OrderRejection(), 1);
  EXPECT_EQ(back.getAlwaysAutoTone(), !o.prefs.getAlwaysAutoTone());
  EXPECT_DOUBLE_EQ(back.getMonitorGamma(), 1.85);
  EXPECT_EQ(back.getColorSetting(4), 2);
  EXPECT_EQ(back.getLampTime(), 20);
  EXPECT_TRUE(back.getSound());
  EXPECT_EQ(back.getSoundPath(), sound);
  EXPECT_EQ(back.getSoundPathBookmarkURL(), sound);
  EXPECT_EQ(back.getCalibrationEveryScan(), 1);
  EXPECT_EQ(back.getSaveName(), "holiday");
  EXPECT_EQ(Quirel_PrefsDialog::deleteLastSlashAtPath(back.getSavePath().value_or("")), saveFolder);
  EXPECT_EQ(back.getFileFormat(), 1);
  EXPECT_EQ(back.getFileCompression(), 2);
  EXPECT_TRUE(back.compare(*d->getData()));
}

TEST(PrefsRoundTrip, CancelLeavesTheOpenersRecordAndFileAlone) {
  BundleAnswer bundle;
  const auto folder = testenv::freshFolder("cancel-prefs").string();
  Opening o;
  o.scanner = scanner(launcherFlags());
  o.prefs.setSaveName(std::string("scan"));
  ASSERT_TRUE(o.prefs.writeToFolder(folder));
  const std::string before = testenv::readFile(Quirel_PreferenceInfo::filePath(folder));
  const fnd::Dictionary record = o.prefs.getDictionary();
  auto d = openPrefs(o);
  runPrefs(*d, [&] {
    chooseRow(*d->mPrevRadio, 2);
    showTab(*d, Quirel_CTRLS_PREFTabView::kSave);
    typeInto(d->window(), d->mFilenameTextF->getTitle(), "other");
    d->FileNameChange();
    d->cancelButton()->getPushBT()->performClick();
  });
  EXPECT_FALSE(d->isOkClose());
  EXPECT_FALSE(d->isErrorClose());
  EXPECT_EQ(d->getData()->getSaveName(), "other") << "the copy changed";
  EXPECT_EQ(o.prefs.getDictionary(), record) << "the opener's record did not";
  EXPECT_EQ(testenv::readFile(Quirel_PreferenceInfo::filePath(folder)), before);
}

TEST(PrefsRoundTrip, AnErrorCloseIsNeverAnOkClose) {
  BundleAnswer bundle;
  Opening o;
  o.scanner = scanner(launcherFlags());
  auto d = openPrefs(o);
  runPrefs(*d, [&] { d->closePreferenceDialogWithCloseCode(0, false, true, 2); });
  EXPECT_TRUE(d->isErrorClose());
  EXPECT_FALSE(d->isOkClose());
  EXPECT_EQ(d->errorType(), 2);
  EXPECT_FALSE(d->window()->isVisible());
  // setData with nothing leaves no record.
  Quirel_PrefsDialog empty;
  empty.setScannerInfo(scanner({}));
  empty.createPreferenceDialog();
  empty.setData(nullptr);
  EXPECT_EQ(empty.getData(), nullptr);
}
