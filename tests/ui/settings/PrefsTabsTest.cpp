// The preferences' tabs as tables: which groups exist for which scanner, how they are filled
// and enabled, and what each handler writes into the working copy.

#include <gtest/gtest.h>

#include <filesystem>

#include "SettingsTestSupport.h"
#include "foundation/FileManager.h"
#include "foundation/StringFormat.h"
#include "ui/model/ProfileCM.h"

using namespace settings_test;

namespace {

std::unique_ptr<Quirel_PrefsDialog> tabsDialog(fnd::Dictionary flags, Opening o = {}) {
  o.scanner = scanner(bareFlags(flags));
  return openPrefs(o);
}

void pickRadio(Quirel_CTRLS_PREFRadioButton& radio, int row) { radio.getRadioBT()->performClickOnCell(row, 0); }

}  // namespace

TEST(PrefsPreviewTab, FourCasesOfTheThumbnailAndPreviewGroups) {
  BundleAnswer bundle;
  // Neither film unit nor platen thumbnails: start and crop only.
  auto plain = tabsDialog({});
  EXPECT_TRUE(plain->mStartPrevView && plain->mCropPrevView);
  EXPECT_FALSE(plain->mThumbSizeView);

  // Feeder on a scanner before 16.00: the stored choices, greyed, without tips; 16.00 keeps them.
  Opening adf;
  adf.adf = true;
  adf.prefs.setPrevStart(2);
  adf.prefs.setCropAfterPrev(1);
  auto old = tabsDialog({{"FAU", true}}, adf);
  EXPECT_EQ(old->mPrevRadio->selectedItemIndex(), 2);
  EXPECT_EQ(old->mCropRadio->selectedItemIndex(), 1);
  EXPECT_FALSE(old->mPrevRadio->getRadioBT()->isEnabled());
  EXPECT_FALSE(old->mCropRadio->getRadioBT()->isEnabled());
  EXPECT_EQ(old->mPrevRadio->getRadioBT()->toolTipForCell(0, 0), "");
  auto v16 = tabsDialog({{"FAU", true}, {"Ver1600Later", true}}, adf);
  EXPECT_TRUE(v16->mPrevRadio->getRadioBT()->isEnabled());
  EXPECT_NE(v16->mPrevRadio->getRadioBT()->toolTipForCell(0, 0), "");

  // Platen thumbnails: film shown writes the film size, documents the platen size.
  for (bool film : {true, false}) {
    Opening o;
    o.film = film;
    o.prefs.setFilmThumbnailSize(1);
    o.prefs.setPlatenThumbnailSize(1);
    auto d = tabsDialog({{"PlatenThumbnail", true}, {"FAU", true}}, o);
    pickRadio(*d->mThumbRadio, 2);
    EXPECT_EQ(d->getData()->getFilmThumbnailSize(), film ? 2 : 1) << film;
    EXPECT_EQ(d->getData()->getPlatenThumbnailSize(), film ? 1 : 2) << film;
    EXPECT_EQ(d->getData()->getDictionary().contains("ThumbnailSize"), true);
  }

  // No platen thumbnails, a film unit, documents shown: visible, disabled, the film size.
  Opening docs;
  docs.prefs.setFilmThumbnailSize(0);
  docs.prefs.setPlatenThumbnailSize(2);
  auto fau = tabsDialog({{"FAU", true}}, docs);
  ASSERT_TRUE(fau->mThumbRadio);
  EXPECT_FALSE(fau->mThumbRadio->getRadioBT()->isEnabled());
  EXPECT_EQ(fau->mThumbRadio->selectedItemIndex(), 0);
}

TEST(PrefsScanTab, GroupsFollowTheScannerFlags) {
  BundleAnswer bundle;
  struct Row {
    fnd::Dictionary flags;
    bool uiless, advanced, speed, order;
  };
  const std::vector<Row> rows = {
      {{}, false, false, false, false},
      {{{"FAU", true}}, true, false, false, false},
      {{{"ColorDocument", true}, {"CIS", true}}, true, false, false, false},
      {{{"ColorDocument", true}}, false, false, false, false},
      {{{"BitEnabled", true}}, false, true, false, false},
      {{{"EnableLargeScan", true}}, false, true, false, false},
      {{{"ADF", true}, {"ADFSetting_HighSpeed", true}}, false, false, false, false},
      {{{"Ver1300Later", true}, {"ADF", true}, {"ADFSetting_HighSpeed", true}}, false, false, true, false},
      {{{"Ver1300Later", true}, {"ADF", true}, {"ADFSetting_OrderRejection", true}}, false, false, false, false},
      {{{"Ver1300Later", true}, {"ADF", true}, {"TwoSidedADF", true}, {"ADFSetting_OrderRejection", true}},
       false, false, false, true},
  };
  for (const Row& r : rows) {
    auto d = tabsDialog(r.flags);
    const std::string trace = fnd::Value(r.flags).toString();
    EXPECT_EQ(bool(d->mUILessView), r.uiless) << &r - rows.data();
    EXPECT_EQ(bool(d->mAdvancedView), r.advanced) << &r - rows.data();
    EXPECT_EQ(bool(d->mADFHighSpeedView), r.speed) << &r - rows.data();
    EXPECT_EQ(bool(d->mADFOrderRejectView), r.order) << &r - rows.data();
    EXPECT_TRUE(d->mAutoExitView) << "the end of scan is always there";
  }
  // With nothing else, the end-of-scan group is the top one: its separator is hidden.
  auto only = tabsDialog({});
  only->setAllControlPoint();
  EXPECT_TRUE(only->mAutoExitSep->isHidden());
  auto two = tabsDialog({{"FAU", true}});
  two->setAllControlPoint();
  EXPECT_TRUE(two->mUILessSep->isHidden());
  EXPECT_FALSE(two->mAutoExitSep->isHidden());
}

TEST(PrefsScanTab, LargeScanFromTheApplicationAndItsWarning) {
  BundleAnswer bundle;
  windows_test::FakeMessages messages;
  struct Row {
    int fromApplication;
    bool stored, checked, enabled;
  };
  for (const Row& r : std::vector<Row>{{1, true, false, false}, {2, false, true, false}, {0, true, true, true},
                                       {0, false, false, true}}) {
    auto info = scanner(bareFlags({{"EnableLargeScan", true}}));
    fnd::Dictionary request{{"LargeImageScan", r.fromApplication}};
    info->setTWAINRequest(&request);
    Opening o;
    o.scanner = info;
    o.prefs.setEnableLargeScan(r.stored);
    auto d = openPrefs(o);
    EXPECT_EQ(d->mEnableLargeScanCbx->isChecked(), r.checked) << r.fromApplication;
    EXPECT_EQ(d->mEnableLargeScanCbx->isEnabled(), r.enabled) << r.fromApplication;
  }
  // 1631 each time the box is switched on, never when switched off.
  auto d = tabsDialog({{"EnableLargeScan", true}});
  showTab(*d, Quirel_CTRLS_PREFTabView::kScan);
  for (int i = 0; i < 4; ++i) d->mEnableLargeScanCbx->getCheckBox()->performClick();
  EXPECT_EQ(messages.shown, (std::vector<std::string>{"message:1631,0,0,0", "message:1631,0,0,0"}));
  EXPECT_FALSE(d->getData()->getEnableLargeScan());
  d->mEnableLargeScanCbx->getCheckBox()->performClick();
  EXPECT_TRUE(d->getData()->getEnableLargeScan());
  EXPECT_EQ(messages.shown.size(), 3u);
  auto quiet = tabsDialog({{"EnableLargeScan", true}, {"LargeScanWarning", false}});
  showTab(*quiet, Quirel_CTRLS_PREFTabView::kScan);
  quiet->mEnableLargeScanCbx->getCheckBox()->performClick();
  EXPECT_EQ(messages.shown.size(), 3u);
}

TEST(PrefsScanTab, EndOfScanItemsStandForAutoExitBothWays) {
  BundleAnswer bundle;
  // Outside the launcher: three items for 1, 0 and 2.
  for (int stored : {0, 1, 2}) {
    Opening o;
    o.prefs.setAutoExit(stored);
    auto d = tabsDialog({{"CloseSelect", true}}, o);
    ASSERT_EQ(d->mAutoExitRadio->getRadioBT()->numberOfRows(), 3);
    const int expectedItem = stored == 1 ? 0 : stored == 0 ? 1 : 2;
    EXPECT_EQ(d->mAutoExitRadio->selectedItemIndex(), expectedItem) << stored;
  }
  auto d = tabsDialog({{"CloseSelect", true}});
  showTab(*d, Quirel_CTRLS_PREFTabView::kScan);
  for (auto [item, value] : {std::pair{2, 2}, std::pair{1, 0}, std::pair{0, 1}}) {
    pickRadio(*d->mAutoExitRadio, item);
    EXPECT_EQ(d->getData()->getAutoExit(), value) << item;
  }
  // Under the launcher two items; a PDF from the application greys them.
  auto info = scanner(bareFlags({{"CloseSelect", true}, {"TrivoVer100Later", true}}));
  fnd::Dictionary request{{"MultiPagePDFScan", 1}};
  info->setTWAINRequest(&request);
  Opening o;
  o.scanner = info;
  auto launcher = openPrefs(o);
  EXPECT_EQ(launcher->mAutoExitRadio->getRadioBT()->numberOfRows(), 2);
  EXPECT_FALSE(launcher->mAutoExitRadio->getRadioBT()->isEnabled());
  // Without the choice: one check box for 1 or 0.
  auto box = tabsDialog({});
  ASSERT_TRUE(box->mAutoExitCbx);
  showTab(*box, Quirel_CTRLS_PREFTabView::kScan);
  box->mAutoExitCbx->getCheckBox()->performClick();
  EXPECT_EQ(box->getData()->getAutoExit(), 1);
  box->mAutoExitCbx->getCheckBox()->performClick();
  EXPECT_EQ(box->getData()->getAutoExit(), 0);
}

TEST(PrefsSaveTab, NamesAreCheckedCutAndKept) {
  BundleAnswer bundle;
  windows_test::FakeMessages messages;
  const std::string pair = "\xF0\x9F\x93\xB7";  // one character, two UTF-16 units
  struct Row {
    std::string typed;
    bool accepted;
    std::string stored;
    std::string message;
  };
  const std::string s64(64, 'a');
  const std::string s70(70, 'b');
  const std::vector<Row> rows = {
      {"", false, "scan", "message:10011,0,0,0"},
      {".x", false, "scan", "message:10005,0,0,0"},
      {"a.x", true, "a.x", ""},
      {s64, true, s64, ""},
      {s70, false, std::string(64, 'b'), "message:10012,0,0,0"},
      {std::string(63, 'c') + pair + "dd", false, std::string(63, 'c'), "message:10012,0,0,0"},
      {std::string(62, 'c') + pair + "dd", false, std::string(62, 'c') + pair, "message:10012,0,0,0"},
  };
  for (const Row& r : rows) {
    Opening o;
    o.prefs.setSaveName(std::string("scan"));
    auto d = tabsDialog(launcherFlags(), o);
    messages.shown.clear();
    d->mFilenameTextF->setStringValue(r.typed);
    EXPECT_EQ(d->FileNameChange(), r.accepted) << r.typed;
    EXPECT_EQ(d->getData()->getSaveName(), r.stored) << r.typed;
    EXPECT_EQ(d->mFilenameTextF->getStringValue(), r.stored) << r.typed;
    EXPECT_EQ(messages.shown, r.message.empty() ? std::vector<std::string>{} : std::vector<std::string>{r.message});
    EXPECT_EQ(d->canClose(), r.accepted);
  }
}

TEST(PrefsSaveTab, QualityFollowsTheFormatIndex) {
  BundleAnswer bundle;
  Opening o;
  o.prefs.setFileFormat(1);
  o.prefs.setFileCompression(2);
  auto d = tabsDialog(launcherFlags(), o);
  EXPECT_TRUE(d->mQualityTitlePopup->isHidden()) << "TIFF hides the quality";
  EXPECT_EQ(d->mQualityTitlePopup->getTitleTxt()->stringValue(), "");
  d->mFileFormatTitlePopup->select(0);
  d->mFileFormatTitlePopup->PopupBTAction();
  EXPECT_FALSE(d->mQualityTitlePopup->isHidden()) << "JPEG shows it";
  EXPECT_EQ(d->mQualityTitlePopup->selected(), 2) << "with its previous choice";
  EXPECT_EQ(d->getData()->getFileFormat(), 0);
  // Whatever the first item reads, it is JPEG.
  d->mFileFormatTitlePopup->getPopupBT()->itemAtIndex(0)->setTitle("Something else");
  d->mFileFormatTitlePopup->select(1);
  d->mFileFormatTitlePopup->PopupBTAction();
  d->mFileFormatTitlePopup->select(0);
  d->mFileFormatTitlePopup->PopupBTAction();
  EXPECT_FALSE(d->mQualityTitlePopup->isHidden());
  d->mQualityTitlePopup->select(0);
  d->mQualityTitlePopup->PopupBTAction();
  EXPECT_EQ(d->getData()->getFileCompression(), 0);
}

TEST(PrefsColorTab, ChoicesByColourModeAndTheGammaRule) {
  BundleAnswer bundle;
  windows_test::FakeMessages messages;
  struct Row {
    int mode;
    bool recommend, matching, none;
  };
  for (const Row& r : std::vector<Row>{{0, true, false, false}, {1, true, false, true}, {4, true, true, true},
                                       {6, true, false, false}}) {
    Opening o;
    o.colorMode = r.mode;
    auto d = tabsDialog({}, o);
    EXPECT_EQ(d->mColorSetRadio->getRecommend()->isEnabled(), r.recommend) << r.mode;
    EXPECT_EQ(d->mColorSetRadio->getColorSync()->isEnabled(), r.matching) << r.mode;
    EXPECT_EQ(d->mColorSetRadio->getNone()->isEnabled(), r.none) << r.mode;
  }
  // Typed gammas: rounded down to two decimals, out of range or no number refused with 1110.
  struct GammaRow {
    std::string typed;
    bool accepted;
    double stored;
    std::string shown;
  };
  for (const GammaRow& g : std::vector<GammaRow>{{"10.009", true, 10.0, "10.00"},
                                                 {"0.099", false, 1.8, "1.80"},
                                                 {".", false, 1.8, "1.80"},
                                                 {"0.1", true, 0.1, "0.10"},
                                                 {"10.01", false, 1.8, "1.80"}}) {
    Opening o;
    o.prefs.setMonitorGamma(1.8);
    auto d = tabsDialog({}, o);
    messages.shown.clear();
    d->mGammaTextF->getNumberField()->setStringValue(g.typed);
    EXPECT_EQ(d->MonitorGanmaChange(), g.accepted) << g.typed;
    EXPECT_DOUBLE_EQ(d->getData()->getMonitorGamma(), g.stored) << g.typed;
    EXPECT_FALSE(std::isnan(d->getData()->getMonitorGamma()));
    EXPECT_EQ(d->mGammaTextF->getStringValue(), g.shown) << g.typed;
    EXPECT_EQ(messages.shown.size(), g.accepted ? 0u : 1u) << g.typed;
    if (!g.accepted) {
      EXPECT_EQ(messages.shown.front(), "message:1110,0,0,0");
    }
  }
}

TEST(PrefsColorTab, LeavingRecommendedWarnsOnceExceptOnVersion310) {
  BundleAnswer bundle;
  windows_test::FakeMessages messages;
  auto d = tabsDialog({});
  showTab(*d, Quirel_CTRLS_PREFTabView::kColorSetting);
  auto choose = [&](Quirel_NoFocusRadioButton* r) { r->performClickOnCell(0, 0); };
  choose(d->mColorSetRadio->getNone());
  EXPECT_EQ(messages.shown, std::vector<std::string>{"message:1621,0,0,0"});
  choose(d->mColorSetRadio->getColorSync());
  choose(d->mColorSetRadio->getNone());
  EXPECT_EQ(messages.shown.size(), 1u);
  EXPECT_EQ(d->getData()->getColorSetting(4), 2);
  choose(d->mColorSetRadio->getColorSync());
  EXPECT_FALSE(d->mGammaTextF->getNumberField()->isEnabled());
  EXPECT_EQ(d->mGammaTextF->getStringValue(), "2.20");
  choose(d->mColorSetRadio->getRecommend());
  EXPECT_TRUE(d->mGammaTextF->getNumberField()->isEnabled());
  EXPECT_EQ(d->mGammaTextF->getStringValue(), "2.20") << "the stored gamma, 2.2 by default";

  messages.shown.clear();
  auto v310 = tabsDialog({{"Ver310", true}});
  showTab(*v310, Quirel_CTRLS_PREFTabView::kColorSetting);
  choose(v310->mColorSetRadio->getNone());
  EXPECT_TRUE(messages.shown.empty());
}

TEST(PrefsColorTab, ProfileResetTakesTheDefaultOfTheSourceType) {
  BundleAnswer bundle;
  auto profiles = std::make_shared<Quirel_ProfileCMList>();
  auto entry = [](const char* name, const char* path, bool isDefault, int type, bool input) {
    Quirel_ProfileCM p(input, std::string(name), std::string(path));
    p.setDefault(isDefault);
    p.setSourceType(type);
    return p;
  };
  profiles->setInputProfileList(Quirel_ProfileCMList::Profiles{
      entry("Scanner A", "/icc/a.icc", false, 0, true), entry("Reflective", "/icc/r.icc", true, 0, true),
      entry("Negative", "/icc/n.icc", true, 1, true), entry("Positive", "/icc/p.icc", true, 2, true)});
  profiles->setOutputProfileList(Quirel_ProfileCMList::Profiles{entry("Display", "/icc/d.icc", true, 0, false),
                                                                entry("Printer", "/icc/x.icc", false, 0, false)});
  Opening o;
  o.profiles = profiles;
  o.sourceType = 1;
  o.prefs.setColorSetting(4, 1);
  o.prefs.setMonitor(false);
  o.prefs.setInputPf_Name(1, std::string("Scanner A"));
  o.prefs.setInputPf_FilePath(1, std::string("/icc/a.icc"));
  o.prefs.setOutputPf_Name(std::string("Printer"));
  o.prefs.setOutputPf_FilePath(std::string("/icc/x.icc"));
  auto d = tabsDialog({}, o);
  EXPECT_EQ(d->mInProfPopup->getPopupBT()->titleOfSelectedItem(), "Scanner A");
  showTab(*d, Quirel_CTRLS_PREFTabView::kColorSetting);
  d->mProfResetBtn->getPushBT()->performClick();
  EXPECT_EQ(d->getData()->getInputPf_Name(1), "Negative");
  EXPECT_EQ(d->getData()->getInputPf_FilePath(1), "/icc/n.icc");
  EXPECT_EQ(d->getData()->getOutputPf_Name(), "Display");
  EXPECT_TRUE(d->getData()->getMonitor());
  EXPECT_TRUE(d->mMonitorCbx->isChecked());
  EXPECT_EQ(d->mInProfPopup->getPopupBT()->titleOfSelectedItem(), "Negative")
      << d->mInProfPopup->getPopupBT()->itemTitles().size() << d->mInProfPopup->getPopupBT()->indexOfItemWithTitle("Negative");
}

TEST(PrefsScannerTab, LampOffTimesAndSavePathsAndFreeSpace) {
  BundleAnswer bundle;
  windows_test::FakeMessages messages;
  struct Row {
    int typed;
    bool answer;
    int stored;
    bool message;
  };
  for (const Row& r : std::vector<Row>{{15, false, 12, false}, {16, true, 16, false}, {60, false, 8, true},
                                       {2, false, 8, true}, {8, true, 8, false}}) {
    Opening o;
    o.prefs.setLampTime(8);
    auto d = tabsDialog({{"Ver1300Later", true}, {"EnergySaveMode", true}}, o);
    messages.shown.clear();
    d->mOffTimeTxtF->setIntValue(r.typed);
    EXPECT_EQ(d->LampOffTimeChange(), r.answer) << r.typed;
    EXPECT_EQ(d->getData()->getLampTime(), r.stored) << r.typed;
    EXPECT_EQ(d->mOffTimeTxtF->getIntValue(), r.stored) << r.typed;
    EXPECT_EQ(messages.shown, r.message ? std::vector<std::string>{"message:1201,0,0,0"} : std::vector<std::string>{});
  }

  // Save folders: 938 characters pass, 939 are refused with 10013.
  auto base = testenv::freshFolder("long-paths");
  auto folderOfLength = [&](std::size_t length) {
    std::filesystem::path p = base;
    while (p.string().size() + 1 < length) {
      const std::size_t room = length - p.string().size() - 1;
      p /= std::string(std::min<std::size_t>(room, 200), room > 200 ? 'd' : 'e');
    }
    std::filesystem::create_directories(p);
    return p.string();
  };
  for (std::size_t length : {938u, 939u}) {
    const std::string path = folderOfLength(length);
    ASSERT_EQ(path.size(), length);
    auto d = tabsDialog(launcherFlags());
    d->setPanelRunner([&](kit::OpenPanel&) { return std::optional<std::string>(path); });
    messages.shown.clear();
    d->SaveDirBrowsOpen();
    if (length == 938) {
      EXPECT_EQ(Quirel_PrefsDialog::deleteLastSlashAtPath(d->getData()->getSavePath().value_or("")), path);
      EXPECT_EQ(d->mSaveFileTxtF->getStringValue(), path);
      EXPECT_TRUE(messages.shown.empty());
    } else {
      EXPECT_FALSE(d->getData()->getSavePath().has_value());
      EXPECT_EQ(messages.shown, std::vector<std::string>{"message:10013,0,0,0"});
    }
  }

  // Characters are counted, not bytes: 938 characters of which most take two bytes pass.
  {
    std::filesystem::path p = base / "accents";
    const std::string e2 = "\xC3\xA9";  // one character, two bytes
    auto characters = [](const std::string& s) { return fnd::utf16Length(s); };
    while (characters(p.string()) + 1 < 938) {
      const std::size_t room = 938 - characters(p.string()) - 1;
      std::string part;
      for (std::size_t i = 0; i < std::min<std::size_t>(room, 100); ++i) part += e2;
      p /= part;
    }
    std::filesystem::create_directories(p);
    const std::string path = p.string();
    ASSERT_EQ(fnd::utf16Length(path), 938u);
    ASSERT_GT(path.size(), 938u);
    auto d = tabsDialog(launcherFlags());
    d->setPanelRunner([&](kit::OpenPanel&) { return std::optional<std::string>(path); });
    messages.shown.clear();
    d->SaveDirBrowsOpen();
    EXPECT_EQ(Quirel_PrefsDialog::deleteLastSlashAtPath(d->getData()->getSavePath().value_or("")), path);
    EXPECT_TRUE(messages.shown.empty());
  }

  // Free space: exactly 10 MiB passes, a byte less is refused with 1640.
  const std::string folder = testenv::freshFolder("free-space").string();
  for (std::uint64_t free : {std::uint64_t{10} * 1024 * 1024, std::uint64_t{10} * 1024 * 1024 - 1}) {
    fnd::FileManager::setFreeSpaceSource([free](const std::string&) { return std::optional<std::uint64_t>(free); });
    auto d = tabsDialog({});
    d->setPanelRunner([&](kit::OpenPanel& panel) {
      EXPECT_TRUE(panel.canChooseDirectories());
      EXPECT_FALSE(panel.canChooseFiles());
      return std::optional<std::string>(folder);
    });
    messages.shown.clear();
    d->TempDirBrowsOpen();
    const bool passes = free == std::uint64_t{10} * 1024 * 1024;
    EXPECT_EQ(Quirel_PrefsDialog::deleteLastSlashAtPath(d->getData()->getTempPath().value_or("")) == folder, passes)
        << free;
    EXPECT_EQ(messages.shown.empty(), passes) << free;
    if (!passes) {
      EXPECT_EQ(messages.shown.front(), "message:1640,0,0,0");
    }
  }
  fnd::FileManager::setFreeSpaceSource(nullptr);
}

TEST(PrefsScannerTab, GroupsAndCalibrationErrorsCloseWithTypeOne) {
  BundleAnswer bundle;
  windows_test::FakeMessages messages;
  auto mfp = tabsDialog({{"MFP", true}, {"ScannerTest", true}});
  EXPECT_FALSE(mfp->mScanTestView) << "a multifunction device never shows the test";
  auto launcher = tabsDialog(launcherFlags());
  EXPECT_FALSE(launcher->mTempDirView) << "no temporary folder under the launcher";
  auto onlyAlways = tabsDialog({{"Ver1400Later", true}, {"Calibration", true}, {"AlwaysCalibration", true}});
  ASSERT_TRUE(onlyAlways->mCalibrationView);
  EXPECT_FALSE(onlyAlways->mPlatenCalibrationBtn);
  EXPECT_TRUE(onlyAlways->mCalibrationPopup);

  // A calibration error reported during the request closes the preferences with type 1.
  int twain = 0, uim = 0;
  Opening o;
  o.twain = &twain;
  o.uim = &uim;
  o.scanner = scanner(launcherFlags());
  auto d = openPrefs(o);
  auto token = fnd::NotificationCenter::defaultCenter().observe(
      "PreferenceCalibrationStartPost", d.get(), [&](const fnd::Notification& n) {
        EXPECT_EQ(n.info()->integer("CalibrationMode"), 1);
        fnd::NotificationCenter::defaultCenter().post(
            "ManualCalibrationErrorInnerPost", &uim,
            fnd::makeShared({{"TestStatus", 1904}, {"Number1", 0}, {"Number2", 2}, {"Number3", 0}}));
      });
  runPrefs(*d, [&] {
    showTab(*d, Quirel_CTRLS_PREFTabView::kScanner);
    d->mPlatenCalibrationBtn->getPushBT()->performClick();
  });
  EXPECT_EQ(messages.shown, std::vector<std::string>{"message:1904,0,2,0"});
  EXPECT_TRUE(d->isErrorClose());
  EXPECT_EQ(d->errorType(), 1);
  EXPECT_FALSE(d->isOkClose());
}
