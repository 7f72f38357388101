// The start-up of the main window from the data source's initial settings and the two
// settings files, and the look-ups it uses.
#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <limits>

#include "TestFiles.h"
#include "UserInterfaceModuleSupport.h"
#include "foundation/RunLoop.h"
#include "ui/frontdoor/HelpControl.h"
#include "ui/model/PreferenceInfo.h"
#include "ui/model/PreviewInfo.h"
#include "ui/model/ProfileCMList.h"
#include "ui/model/SettingsSession.h"
#include "ui/model/UIScannerInfo.h"
#include "ui/modes/base/BaseScanMode.h"
#include "ui/modes/basic/StandardMode.h"

namespace uim_test {
namespace {

fnd::Dictionary windowEntry(double x, double y, double width, double height, double hiddenWidth) {
  return fnd::Dictionary{{"x", x},
                         {"y", y},
                         {"width", width},
                         {"height", height},
                         {"hiddenWidth", hiddenWidth},
                         {"oldWindowRect", fnd::Dictionary{{"x", 7.0}, {"y", 8.0}, {"width", 910.0}, {"height", 710.0}}}};
}

// A basic-mode last setting that differs from the defaults in what the tests look at.
fnd::Dictionary standardEntry(bool film) {
  return fnd::Dictionary{{"ImageSource", film ? 4 : 1}, {"Rotation", 2}, {"FilmMode", film}, {"HasPreview", false}};
}

void writeText(const std::string& path, const std::string& text) {
  fs::create_directories(fs::path(path).parent_path());
  std::ofstream(path, std::ios::binary) << text;
}

fnd::Rect defaultFrame() {
  const fnd::Rect f = testDisplay().getDefaultWindowFrame(fnd::Size(850, 680));
  return fnd::Rect(std::floor(f.origin.x), std::floor(f.origin.y), std::ceil(f.origin.x + f.size.width) - std::floor(f.origin.x),
                   std::ceil(f.origin.y + f.size.height) - std::floor(f.origin.y));
}

TEST(UserInterfaceModuleStartUp, WithoutASettingsFileTheBasicModeOpensAtTheDefaultFrameWithAllNoticesOn) {
  DataSourceStandIn ds;
  const std::string folder = freshSettingsFolder("start-none");
  Controller c(modelInitSetting(folder));
  EXPECT_EQ(c->getMode(), 0);
  EXPECT_EQ(c->getBeforeMode(), 0);
  EXPECT_EQ(c->getMainWindow()->getFirstRect(), defaultFrame());
  EXPECT_EQ(c->getMainWindow()->getDefaultRect(), defaultFrame());
  EXPECT_EQ(c->getOldWindowRect(), defaultFrame());
  EXPECT_EQ(c.window()->minSize(), fnd::Size(850, 680));
  EXPECT_TRUE(c->getShowChangeTabMsg());
  EXPECT_TRUE(c->getShowMultiPDFScanEndMsg());
  EXPECT_TRUE(c->getShowMCloseSaveMsg());
  EXPECT_TRUE(c->getShowMultiPDFScanStartMsg());
  EXPECT_TRUE(c->getShowAutoScanConfirmMsg());
  EXPECT_EQ(c->getCloseSelectFlg(), 0);
  EXPECT_EQ(c->getStandardMode()->getImageSource(), 0);
  // No film unit or feeder in the initial settings.
  EXPECT_FALSE(c->getConnectFAU());
  EXPECT_FALSE(c->getConnectADF());
  // Nothing stored: no resume asked.
  EXPECT_EQ(ds.count(Quirel_UserInterfaceModule::kResumePost), 0);
}

// What the start-up hands the modes: folders (made when missing), default save folder and
// name, versions, the connection's text, the scan areas, the locale's units, the shared records.
TEST(UserInterfaceModuleStartUp, TheBasicModeGetsTheFoldersVersionsAreasAndSharedRecords) {
  DataSourceStandIn ds;
  const std::string folder = freshSettingsFolder("start-records");
  Controller c(modelInitSetting(folder));
  Quirel_StandardMode* basic = c->getStandardMode();
  ASSERT_NE(basic, nullptr);
  EXPECT_EQ(basic->getSettingFilePath(), folder);
  EXPECT_TRUE(fs::is_directory(folder));
  EXPECT_TRUE(fs::is_directory(folder + "temp/"));
  EXPECT_EQ(basic->getDriverVersion(), "1.0.0");
  EXPECT_EQ(basic->getLLDVersion(), "1.0");
  EXPECT_EQ(basic->getInterfaceInfo(), "USB 2.0");
  EXPECT_EQ(basic->getPlatenResolution(), 4800);
  EXPECT_EQ(c->getPreviewInfo()->getPlatenResolution(), 4800);
  EXPECT_EQ(basic->getPreferenceInfo(), c->getPreferenceInfo());
  EXPECT_EQ(basic->getScannerInfo(), c->getScannerInfo());
  EXPECT_EQ(c->getPreviewInfo()->getScannerInfo(), c->getScannerInfo());
  EXPECT_TRUE(basic->getUimParameterDic());
  EXPECT_EQ(basic->getMainWindow(), c->getMainWindow());
  // The locale stand-in: France, metric.
  const UserLocaleUnits units = basic->getDefaultUserLocaleUnits();
  EXPECT_EQ(units.unit, 1);
  EXPECT_EQ(units.paperSize, 10);
  EXPECT_EQ(units.filmSize, 5);
  // The default record: temporary folder below the settings, save folder the pictures folder.
  Quirel_PreferenceInfo* preferences = c->getPreferenceInfo();
  EXPECT_EQ(preferences->getTempPath(), folder + "temp/");
  EXPECT_EQ(preferences->getSavePath(), fs::canonical(fnd::Paths::picturesDir()).string() + "/");
  EXPECT_EQ(preferences->getSaveName(), "IMG");
  // The lamp time goes out to the scan module.
  ASSERT_EQ(ds.count("Set_ShutOffLampTime"), 1);
  for (const fnd::Dictionary& info : ds.requestInfo) {
    if (info.string("OverrideNotificationName") == "Set_ShutOffLampTime") {
      EXPECT_EQ(info.integer("ShutOffLampTime"), preferences->getLampTime());
    }
  }
  // The help settings of the model.
  EXPECT_EQ(c->getDSBundleURL(), fnd::Bundle::main().identifier());
  EXPECT_EQ(c->getHelpControl()->dsBundleURL(), fnd::Bundle::main().identifier());
  EXPECT_TRUE(c->getHelpControl()->isSupportedWebManual());
}

struct RestoreCase {
  const char* name;
  fnd::Dictionary file;
  bool filmUnit;
  int mode;
  fnd::Rect firstRect;
  int imageSource;  // what the basic mode ends with
  bool pdfStartNotice, autoScanNotice;
};

// Start-up from stored settings: the frame comes back with "y" counted from the display's top
// and the multi-scan layout's hidden width kept; a film setting on a scanner without film unit
// keeps mode and frame but not the modes' settings.
TEST(UserInterfaceModuleStartUp, TheLastStateComesBackFromInitSetting) {
  const fnd::Dictionary uiOffBoth{{"ShowMultiPDFScanStartMessage", true}, {"ShowAutoScanConfirmMessage", false}};
  const fnd::Dictionary uiOffOne{{"ShowAutoScanConfirmMessage", true}};
  const RestoreCase cases[] = {
      {"mode 0",
       fnd::Dictionary{{"MainWindow", windowEntry(100, 50, 900, 700, 0)}, {"Mode", 0}, {"StandardMode", standardEntry(false)},
                       {"UIOFFMode", uiOffBoth}},
       false, 0, frameFromTop(100, 50, 900, 700), 1, true, false},
      {"mode 2, hidden width",
       fnd::Dictionary{{"MainWindow", windowEntry(100, 50, 1250, 700, 350)}, {"Mode", 2}, {"BeforeMode", 0},
                       {"StandardMode", standardEntry(false)}},
       false, 2, frameFromTop(100, 50, 1250, 700), 1, true, true},
      {"film without film unit",
       fnd::Dictionary{{"MainWindow", windowEntry(100, 50, 900, 700, 0)}, {"Mode", 0}, {"StandardMode", standardEntry(true)}},
       false, 0, frameFromTop(100, 50, 900, 700), 0, true, true},
      {"film with film unit",
       fnd::Dictionary{{"MainWindow", windowEntry(100, 50, 900, 700, 0)}, {"Mode", 0}, {"StandardMode", standardEntry(true)}},
       true, 0, frameFromTop(100, 50, 900, 700), 4, true, true},
      {"a notice flag missing",
       fnd::Dictionary{{"MainWindow", windowEntry(100, 50, 900, 700, 0)}, {"Mode", 0}, {"UIOFFMode", uiOffOne}},
       false, 0, frameFromTop(100, 50, 900, 700), 0, false, true},
  };
  for (const RestoreCase& k : cases) {
    SCOPED_TRACE(k.name);
    DataSourceStandIn ds;
    const std::string folder = freshSettingsFolder(std::string("restore-") + k.name);
    writePlist(folder + "InitSetting.xml", k.file);
    fnd::Dictionary initSetting = modelInitSetting(folder);
    if (k.filmUnit) initSetting.set("TPU_RGB", fnd::Dictionary{{"X", 100.0}, {"Y", 100.0}, {"W", 400.0}, {"H", 600.0}});
    Controller c(initSetting);
    EXPECT_EQ(c->getConnectFAU(), k.filmUnit);
    EXPECT_EQ(c->getMode(), k.mode);
    EXPECT_EQ(c->getMainWindow()->getFirstRect(), k.firstRect);
    EXPECT_EQ(c->getOldWindowRect(), fnd::Rect(7, 8, 910, 710));
    EXPECT_EQ(c->getStandardMode()->getImageSource(), k.imageSource);
    EXPECT_EQ(c->getStandardMode()->getRotation(), k.imageSource == 0 ? 0 : 2);
    EXPECT_EQ(c->getShowMultiPDFScanStartMsg(), k.pdfStartNotice);
    EXPECT_EQ(c->getShowAutoScanConfirmMsg(), k.autoScanNotice);
    // Read, not removed: a run that is killed leaves them as they were.
    EXPECT_TRUE(fs::exists(folder + "InitSetting.xml"));
  }
}

TEST(UserInterfaceModuleStartUp, TheCallingApplicationsOverrideFloatsTheWindow) {
  for (const char* overrideValue : {"0", "1"}) {
    SCOPED_TRACE(overrideValue);
    DataSourceStandIn ds;
    fnd::Dictionary initSetting = modelInitSetting(freshSettingsFolder(std::string("override-") + overrideValue));
    initSetting.set("APPOVERRIDE", overrideValue);
    Controller c(initSetting);
    const int expected = std::string(overrideValue) == "1" ? kit::kFloatingWindowLevel : Quirel_CTRLS_MainWindow::kMainWindowLevel;
    EXPECT_EQ(c.window()->level(), expected);
    EXPECT_EQ(c.window()->baseWindowLevel(), expected);
  }
}

TEST(UserInterfaceModuleStartUp, AStoredFrameOffTheDisplayIsFittedIntoIt) {
  DataSourceStandIn ds;
  const std::string folder = freshSettingsFolder("restore-off");
  writePlist(folder + "InitSetting.xml", fnd::Dictionary{{"MainWindow", windowEntry(5000, 800, 900, 700, 0)}, {"Mode", 0}});
  Controller c(modelInitSetting(folder));
  // Off to the right and below the bottom: moved in, size kept.
  EXPECT_EQ(c->getMainWindow()->getFirstRect(), fnd::Rect(1920 - 900, 0, 900, 700));
}

// A stored preview that the scan module cannot resume takes the stored state with it.
TEST(UserInterfaceModuleStartUp, ARefusedResumeRemovesInitSettingAndStartsFromDefaults) {
  for (int answer : {0, 1}) {
    SCOPED_TRACE(answer);
    DataSourceStandIn ds;
    ds.resumeAnswer = answer;
    const std::string folder = freshSettingsFolder("resume-" + std::to_string(answer));
    fs::create_directories(folder);
    Quirel_PreferenceInfo preferences;
    preferences.setPrevStart(1);
    preferences.setTempPath(folder + "temp/");
    ASSERT_TRUE(preferences.writeToFolder(folder));
    fnd::Dictionary standard = standardEntry(false);
    standard.set("HasPreview", true);
    writePlist(folder + "InitSetting.xml",
               fnd::Dictionary{{"MainWindow", windowEntry(100, 50, 900, 700, 0)}, {"Mode", 0}, {"StandardMode", standard}});
    fnd::Dictionary initSetting = modelInitSetting(folder);
    initSetting.set("Uthric", olderModelParameters());
    Controller c(initSetting);
    ASSERT_EQ(ds.count(Quirel_UserInterfaceModule::kResumePost), 1);
    for (const fnd::Dictionary& info : ds.requestInfo) {
      if (info.string("OverrideNotificationName") == Quirel_UserInterfaceModule::kResumePost) {
        EXPECT_EQ(info.get("ResumePath").toString(), folder + "temp/");
      }
    }
    EXPECT_EQ(fs::exists(folder + "InitSetting.xml"), answer == 0);
    EXPECT_EQ(c->getStandardMode()->getImageSource(), answer == 0 ? 1 : 0);
    EXPECT_EQ(c->getMainWindow()->getFirstRect(), answer == 0 ? frameFromTop(100, 50, 900, 700) : defaultFrame());
    EXPECT_TRUE(fs::exists(folder + "Preference.xml"));
  }
}

// Whatever lies in the settings folder, the start-up reads it as a whole or not at all.
TEST(UserInterfaceModuleStartUp, BrokenSettingsFilesGiveTheDefaults) {
  struct Case {
    const char* name;
    std::string text;
  };
  const Case cases[] = {
      {"truncated", "<?xml version=\"1.0\"?><plist version=\"1.0\"><dict><key>Mode</key><integer>2</in"},
      {"garbage", std::string("\x01\x02 not a list \xff", 15)},
      {"array", "<?xml version=\"1.0\"?><plist version=\"1.0\"><array><integer>2</integer></array></plist>"},
      {"empty", ""},
  };
  for (const Case& k : cases) {
    SCOPED_TRACE(k.name);
    DataSourceStandIn ds;
    const std::string folder = freshSettingsFolder(std::string("broken-") + k.name);
    writeText(folder + "InitSetting.xml", k.text);
    writeText(folder + "Preference.xml", k.text);
    Controller c(modelInitSetting(folder));
    EXPECT_EQ(c->getMode(), 0);
    EXPECT_EQ(c->getMainWindow()->getFirstRect(), defaultFrame());
    EXPECT_TRUE(c->getShowMultiPDFScanStartMsg());
    ASSERT_NE(c->getPreferenceInfo(), nullptr);
    // The defaults of a missing file, with the checked folders.
    EXPECT_EQ(c->getPreferenceInfo()->getTempPath(), folder + "temp/");
    EXPECT_EQ(c->getPreferenceInfo()->getSaveName(), "IMG");
    EXPECT_EQ(c->getPreferenceInfo()->getPrevStart(), c->getScannerInfo()->defaultAtStartUpPreview());
  }
}

// Broken files give the defaults, but what the user had is not thrown away: whether the newer
// models remove the files after reading them or the close writes new ones over them, the
// broken files are kept beside them as they were.
TEST(UserInterfaceModuleStartUp, BrokenSettingsFilesAreKeptAsideNotLost) {
  const std::string truncated = "<?xml version=\"1.0\"?><plist version=\"1.0\"><dict><key>Mode</key><integer>2</in";
  const std::string garbage("\x01\x02 not a list \xff", 15);
  for (bool newer : {true, false}) {
    SCOPED_TRACE(newer);
    DataSourceStandIn ds;
    const std::string folder = freshSettingsFolder(std::string("broken-aside-") + (newer ? "1" : "0"));
    writeText(folder + "InitSetting.xml", truncated);
    writeText(folder + "Preference.xml", garbage);
    fnd::Dictionary initSetting = modelInitSetting(folder);
    if (!newer) initSetting.set("Uthric", olderModelParameters());
    Controller c(initSetting);
    EXPECT_EQ(c->getMode(), 0);
    EXPECT_EQ(c->getPreferenceInfo()->getSaveName(), "IMG");
    c->showMainWindowMainThreadMode();
    c->closeMainWindowMainThreadMode();
    EXPECT_EQ(testenv::readFile(folder + "InitSetting.xml.unreadable"), truncated);
    EXPECT_EQ(testenv::readFile(folder + "Preference.xml.unreadable"), garbage);
    // The close wrote sound files in their place.
    EXPECT_TRUE(readPlist(folder + "InitSetting.xml"));
    EXPECT_EQ(readPlist(folder + "Preference.xml"), c->getPreferenceInfo()->getDictionary());
  }
}

// A record the user has is taken as it is, folders unchecked; the close writes it back whole.
TEST(UserInterfaceModuleStartUp, AnExistingPreferenceFileIsTakenUncheckedAndRoundTrips) {
  DataSourceStandIn ds;
  const std::string folder = freshSettingsFolder("prefs-existing");
  fs::create_directories(folder);
  Quirel_PreferenceInfo stored;
  stored.setSavePath(std::string("/nowhere/at/all/"));
  stored.setTempPath(std::string("/no/temp/"));
  stored.setSaveName(std::string(""));
  stored.setLampTime(30);
  stored.setAutoExit(1);
  ASSERT_TRUE(stored.writeToFolder(folder));
  const fnd::Dictionary asWritten = *readPlist(folder + "Preference.xml");
  Controller c(modelInitSetting(folder));
  EXPECT_EQ(c->getPreferenceInfo()->getSavePath(), "/nowhere/at/all/");
  EXPECT_EQ(c->getPreferenceInfo()->getTempPath(), "/no/temp/");
  EXPECT_EQ(c->getPreferenceInfo()->getSaveName(), "");
  EXPECT_EQ(c->getPreferenceInfo()->getAutoExit(), 1);
  c->showMainWindowMainThreadMode();
  c->closeMainWindowMainThreadMode();
  EXPECT_EQ(readPlist(folder + "Preference.xml"), asWritten);
}

TEST(UserInterfaceModuleStartUp, ANewRecordOnAMultifunctionModelHasNoAutoExit) {
  for (bool mfp : {false, true}) {
    SCOPED_TRACE(mfp);
    DataSourceStandIn ds;
    const std::string folder = freshSettingsFolder(std::string("prefs-mfp-") + (mfp ? "1" : "0"));
    fnd::Dictionary initSetting = modelInitSetting(folder);
    initSetting.set("Uthric", modelParametersWith([mfp](fnd::Dictionary& s) {
                      s.set("MFP", mfp);
                      s.set("CloseSelect", true);
                    }));
    Controller c(initSetting);
    EXPECT_EQ(c->getPreferenceInfo()->getAutoExit(), mfp ? 0 : Quirel_PreferenceInfo().getAutoExit());
  }
}

// Reading the files does not remove them, on any model: a run that is killed leaves what the
// user had. The folder carries the run's mark until the close.
TEST(UserInterfaceModuleStartUp, ReadingTheFilesKeepsThemAndMarksTheFolderUntilTheClose) {
  for (bool newer : {true, false}) {
    SCOPED_TRACE(newer);
    DataSourceStandIn ds;
    const std::string folder = freshSettingsFolder(std::string("keep-after-read-") + (newer ? "1" : "0"));
    writePlist(folder + "InitSetting.xml", fnd::Dictionary{{"Mode", 0}});
    writeText(folder + "module.sm", "x");
    fnd::Dictionary initSetting = modelInitSetting(folder);
    if (!newer) initSetting.set("Uthric", olderModelParameters());
    Controller c(initSetting);
    EXPECT_TRUE(fs::exists(folder + "InitSetting.xml"));
    EXPECT_TRUE(fs::exists(folder + "module.sm"));
    EXPECT_TRUE(fs::exists(Quirel_SettingsSession::markPath(folder)));
    c->showMainWindowMainThreadMode();
    c->closeMainWindowMainThreadMode();
    EXPECT_FALSE(fs::exists(Quirel_SettingsSession::markPath(folder)));
    EXPECT_TRUE(readPlist(folder + "InitSetting.xml"));
    EXPECT_TRUE(readPlist(folder + "Preference.xml"));
  }
}

// The preferences' OK and a finished scan write both files at once, so a kill after them loses
// nothing of them.
TEST(UserInterfaceModuleStartUp, ConfirmedPreferencesAndAFinishedScanAreWrittenAtOnce) {
  for (bool scanEnd : {false, true}) {
    SCOPED_TRACE(scanEnd);
    DataSourceStandIn ds;
    const std::string folder = freshSettingsFolder(std::string("save-now-") + (scanEnd ? "scan" : "prefs"));
    Controller c(modelInitSetting(folder));
    c->showMainWindowMainThreadMode();
    c->getPreferenceInfo()->setLampTime(47);
    if (scanEnd) {
      c->endScanMainThreadMode();
    } else {
      fnd::NotificationCenter::defaultCenter().post(Quirel_BaseScanMode::kSettingsChangedPost, c->getStandardMode(),
                                                    nullptr);
      // The write waits for the next turn of the loop.
      EXPECT_FALSE(fs::exists(folder + "Preference.xml"));
      for (int i = 0; i < 5; ++i) fnd::RunLoop::main().runOnce(fnd::RunLoopMode::Default, 0.01);
    }
    const std::optional<fnd::Dictionary> stored = readPlist(folder + "Preference.xml");
    ASSERT_TRUE(stored);
    EXPECT_EQ(Quirel_PreferenceInfo(*stored).getLampTime(), 47);
    const std::optional<fnd::Dictionary> init = readPlist(folder + "InitSetting.xml");
    ASSERT_TRUE(init);
    EXPECT_EQ(init->intValue("Mode"), 0);
    // Still running: the mark stays.
    EXPECT_TRUE(fs::exists(Quirel_SettingsSession::markPath(folder)));
  }
}

// After a run that never closed (killed, crashed), the settings come back but the stored preview
// does not: the scan module's backup is that of an older close. A mark of a live run counts too;
// the mark of a process that is gone is cleared.
TEST(UserInterfaceModuleStartUp, AfterARunThatNeverClosedTheSettingsComeBackWithoutTheStoredPreview) {
  for (bool killed : {false, true}) {
    SCOPED_TRACE(killed);
    DataSourceStandIn ds;
    const std::string folder = freshSettingsFolder(std::string("unclosed-") + (killed ? "1" : "0"));
    fs::create_directories(folder);
    Quirel_PreferenceInfo preferences;
    preferences.setPrevStart(1);
    preferences.setLampTime(33);
    preferences.setTempPath(folder + "temp/");
    ASSERT_TRUE(preferences.writeToFolder(folder));
    fnd::Dictionary standard = standardEntry(false);
    standard.set("HasPreview", true);
    writePlist(folder + "InitSetting.xml",
               fnd::Dictionary{{"MainWindow", windowEntry(100, 50, 900, 700, 0)}, {"Mode", 0}, {"StandardMode", standard}});
    // No process has this number (it is past the largest the system hands out).
    const std::string deadMark = folder + Quirel_SettingsSession::kMarkPrefix + "999999999";
    if (killed) writeText(deadMark, "");
    Controller c(modelInitSetting(folder));
    EXPECT_EQ(ds.count(Quirel_UserInterfaceModule::kResumePost), killed ? 0 : 1);
    EXPECT_EQ(c->getStandardMode()->getImageSource(), 1);
    EXPECT_EQ(c->getStandardMode()->getHasPreview(), !killed);
    EXPECT_EQ(c->getMainWindow()->getFirstRect(), frameFromTop(100, 50, 900, 700));
    EXPECT_EQ(c->getPreferenceInfo()->getLampTime(), 33);
    EXPECT_FALSE(fs::exists(deadMark));
  }
}

TEST(UserInterfaceModuleStartUp, WithoutAUsableParameterFileTheSequenceGoesOnWithAnEmptyRecord) {
  const std::string garbage = (testenv::freshFolder("parameters-garbage") / "PVBAD.xml").string();
  writeText(garbage, "<?xml version=\"1.0\"?><plist version=\"1.0\"><dict><key>ScannerInfo</key><di");
  const std::string array = (testenv::freshFolder("parameters-array") / "PVARRAY.xml").string();
  writeText(array, "<?xml version=\"1.0\"?><plist version=\"1.0\"><array><string>x</string></array></plist>");
  struct Case {
    const char* name;
    const char* key;
    fnd::Value value;
    bool parameters;
  };
  const Case cases[] = {
      {"missing model file", "Model", fnd::Value("NOSUCHMODEL"), false},
      {"truncated file", "InitFile", fnd::Value(garbage), false},
      {"a list that is no dictionary", "InitFile", fnd::Value(array), false},
      {"scanner record of the wrong kind", "Uthric", fnd::Value(fnd::Dictionary{{"ScannerInfo", "not a record"}}), true},
  };
  for (const Case& k : cases) {
    SCOPED_TRACE(k.name);
    DataSourceStandIn ds;
    const std::string folder = freshSettingsFolder(std::string("no-parameters-") + k.name);
    fnd::Dictionary initSetting = modelInitSetting(folder);
    initSetting.set(k.key, k.value);
    Controller c(initSetting);
    EXPECT_EQ(c->getStandardMode()->getUimParameterDic().has_value(), k.parameters);
    EXPECT_FALSE(c->getScannerInfo()->isVer1500Later());
    EXPECT_EQ(c.window()->minSize(), fnd::Size(850, 638));
    EXPECT_EQ(c->getMode(), 0);
    EXPECT_EQ(c->getMainWindow()->getFirstRect(), defaultFrame());
  }
}

// Stored values of the wrong kind or out of range read as missing, never as a half state.
TEST(UserInterfaceModuleStartUp, StoredValuesOfTheWrongKindReadAsMissing) {
  DataSourceStandIn ds;
  const std::string folder = freshSettingsFolder("wrong-kinds");
  writePlist(folder + "InitSetting.xml", fnd::Dictionary{{"MainWindow", "not a frame"},
                                                         {"Mode", 7},
                                                         {"BeforeMode", 9},
                                                         {"StandardMode", fnd::Array{1, 2}},
                                                         {"CloseSelect", 1}});
  Controller c(modelInitSetting(folder));
  EXPECT_EQ(c->getMode(), 0);
  EXPECT_EQ(c->getBeforeMode(), 0);
  EXPECT_EQ(c->getMainWindow()->getFirstRect(), defaultFrame());
  EXPECT_EQ(c->getStandardMode()->getImageSource(), 0);
  EXPECT_EQ(c->getCloseSelectFlg(), 1);
}

// A stored frame that holds a number that is no number (the reader takes "nan" and "inf") would
// put the window nowhere one can see it: it reads as no stored frame.
TEST(UserInterfaceModuleStartUp, AStoredFrameWithNonFiniteNumbersReadsAsNone) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const double inf = std::numeric_limits<double>::infinity();
  struct Case {
    const char* key;
    double value;
    int mode;
  };
  const Case cases[] = {{"x", nan, 0},      {"y", nan, 0},       {"y", -inf, 0},     {"width", inf, 1},
                        {"height", nan, 1}, {"hiddenWidth", nan, 2}, {"x", inf, 2}};
  for (const Case& k : cases) {
    SCOPED_TRACE(std::string(k.key) + " " + std::to_string(k.value) + " mode " + std::to_string(k.mode));
    DataSourceStandIn ds;
    const std::string folder = freshSettingsFolder(std::string("nonfinite-") + k.key + std::to_string(k.mode));
    fnd::Dictionary frame = windowEntry(100, 50, 900, 700, k.mode == 2 ? 200 : 0);
    frame.set(k.key, k.value);
    fnd::Dictionary old = frame.dictionary("oldWindowRect");
    old.set(k.key == std::string("hiddenWidth") ? "x" : k.key, k.value);
    frame.set("oldWindowRect", old);
    writePlist(folder + "InitSetting.xml", fnd::Dictionary{{"MainWindow", frame}, {"Mode", k.mode}});
    Controller c(modelInitSetting(folder));
    EXPECT_EQ(c->getMode(), k.mode);
    const fnd::Rect first = c->getMainWindow()->getFirstRect();
    EXPECT_TRUE(std::isfinite(first.origin.x) && std::isfinite(first.origin.y) && std::isfinite(first.size.width) &&
                std::isfinite(first.size.height));
    EXPECT_EQ(first, defaultFrame());
    EXPECT_EQ(c->getOldWindowRect(), defaultFrame());
  }
}

// ---- the look-ups ------------------------------------------------------------------------------

TEST(UserInterfaceModuleTables, LocaleDefaults) {
  struct Case {
    const char* country;
    bool metric;
    int paper, film;
  };
  const Case cases[] = {{"US", false, 17, 5}, {"CA", true, 17, 5},  {"FR", true, 10, 5}, {"JP", true, 10, 3},
                        {"", true, 10, 3},    {"", false, 17, 5}};
  for (const Case& k : cases) {
    SCOPED_TRACE(std::string(k.country) + (k.metric ? " metric" : " inch"));
    const fnd::LocaleFacts facts{k.country, k.metric};
    EXPECT_EQ(Quirel_UserInterfaceModule::defaultADFPaperSize(facts), k.paper);
    EXPECT_EQ(Quirel_UserInterfaceModule::defaultFilmSize(facts), k.film);
  }
  DataSourceStandIn ds;
  Quirel_UserInterfaceModule uim;
  uim.setLocaleFacts(fnd::LocaleFacts{"CA", false});
  EXPECT_EQ(uim.getDefaultADFPaperSize(), 17);
  EXPECT_EQ(uim.getDefaultFilmSize(), 5);
}

TEST(UserInterfaceModuleTables, FilmUnitAndFeederAvailability) {
  const fnd::Dictionary area{{"X", 0.0}, {"Y", 0.0}, {"W", 10.0}, {"H", 10.0}};
  struct Case {
    const char* name;
    fnd::Dictionary settings;
    bool fau, adf;
  };
  const Case cases[] = {
      {"none", fnd::Dictionary{}, false, false},
      {"areas, no availability", fnd::Dictionary{{"TPU_RGB", area}, {"ADF", area}}, true, true},
      {"areas, available", fnd::Dictionary{{"TPU_RGB", area}, {"ADF", area}, {"AvailableFAU", 1}, {"AvailableADF", 2}}, true, true},
      {"areas, not available", fnd::Dictionary{{"TPU_RGB", area}, {"ADF", area}, {"AvailableFAU", 0}, {"AvailableADF", 0}}, false, false},
      {"availability without areas", fnd::Dictionary{{"AvailableFAU", 1}, {"AvailableADF", 1}}, false, false},
  };
  for (const Case& k : cases) {
    SCOPED_TRACE(k.name);
    EXPECT_EQ(Quirel_UserInterfaceModule::isConnectFAU(&k.settings), k.fau);
    EXPECT_EQ(Quirel_UserInterfaceModule::isConnectADF(&k.settings), k.adf);
  }
  EXPECT_FALSE(Quirel_UserInterfaceModule::isConnectFAU(nullptr));
}

TEST(UserInterfaceModuleTables, ConnectionNames) {
  DataSourceStandIn ds;
  Quirel_UserInterfaceModule uim;
  const std::pair<std::optional<std::string>, std::optional<std::string>> cases[] = {
      {"USB1.1", "USB 1.1"},   {"USB2.0", "USB 2.0"},          {"LAN", "Network (wired)"},
      {"Wireless LAN", "Network (wireless)"}, {"Bluetooth", "Bluetooth"}, {std::nullopt, std::nullopt}};
  for (const auto& [port, text] : cases) {
    SCOPED_TRACE(port.value_or("nil"));
    EXPECT_EQ(uim.localizedStringForInterfaceString(port), text);
  }
}

TEST(UserInterfaceModuleTables, ConnectionNamesWithoutTextsAreThePortStrings) {
  // Nobody answers the bundle question: no texts at all.
  Quirel_UserInterfaceModule uim;
  EXPECT_EQ(uim.localizedStringForInterfaceString(std::string("LAN")), "LAN");
}

TEST(UserInterfaceModuleTables, DefaultProfilePaths) {
  const fnd::Dictionary parameters{{"ColorProfiles", fnd::Dictionary{{"R", "Refl.icc"}, {"N", ""}, {"P", "Pos.icc"}}}};
  struct Case {
    const char* name;
    fnd::Dictionary initSetting;
    std::vector<std::string> paths;
  };
  const Case cases[] = {
      {"beside InitPath", fnd::Dictionary{{"InitPath", "/opt/driver/models/"}},
       {"/opt/driver/Color Profiles/Refl.icc", "/opt/driver/Color Profiles/Pos.icc"}},
      {"InitPath without slash", fnd::Dictionary{{"InitPath", "/opt/driver/models"}},
       {"/opt/driver/Color Profiles/Refl.icc", "/opt/driver/Color Profiles/Pos.icc"}},
      {"with InitFile", fnd::Dictionary{{"InitPath", "/opt/driver/models/"}, {"InitFile", "/x.xml"}}, {"Refl.icc", "Pos.icc"}},
      {"with Uthric", fnd::Dictionary{{"Uthric", fnd::Dictionary{}}}, {"Refl.icc", "Pos.icc"}},
  };
  for (const Case& k : cases) {
    SCOPED_TRACE(k.name);
    Quirel_ProfileCMList list;
    Quirel_UserInterfaceModule::setInitSetting_ProfilePath(&k.initSetting, &parameters, list);
    ASSERT_TRUE(list.getDefaultInputProfilePathList());
    EXPECT_EQ(*list.getDefaultInputProfilePathList(), k.paths);
  }
  Quirel_ProfileCMList none;
  Quirel_UserInterfaceModule::setInitSetting_ProfilePath(nullptr, nullptr, none);
  EXPECT_EQ(none.getDefaultInputProfilePathList(), std::vector<std::string>{});
}

TEST(UserInterfaceModuleTables, HasPreviewReadsTheStoredSingleMode) {
  DataSourceStandIn ds;
  Quirel_UserInterfaceModule uim;
  const fnd::Dictionary yes{{"HasPreview", true}};
  const fnd::Dictionary no{{"HasPreview", false}};
  struct Case {
    const char* name;
    fnd::Dictionary file;
    bool expected;
  };
  const Case cases[] = {
      {"mode 0", fnd::Dictionary{{"Mode", 0}, {"StandardMode", yes}, {"ExtendMode", no}}, true},
      {"mode 1", fnd::Dictionary{{"Mode", 1}, {"StandardMode", yes}, {"ExtendMode", no}}, false},
      {"mode 2 from 0", fnd::Dictionary{{"Mode", 2}, {"BeforeMode", 0}, {"StandardMode", yes}, {"ExtendMode", no}}, true},
      {"mode 2 from 1", fnd::Dictionary{{"Mode", 2}, {"BeforeMode", 1}, {"StandardMode", no}, {"ExtendMode", yes}}, true},
      {"mode 2 from 5", fnd::Dictionary{{"Mode", 2}, {"BeforeMode", 5}, {"StandardMode", yes}, {"ExtendMode", yes}}, false},
      {"no mode", fnd::Dictionary{{"StandardMode", yes}}, false},
      {"no entry", fnd::Dictionary{{"Mode", 0}}, false},
      {"mode 3", fnd::Dictionary{{"Mode", 3}, {"StandardMode", yes}}, false},
  };
  for (const Case& k : cases) {
    SCOPED_TRACE(k.name);
    const std::string folder = freshSettingsFolder(std::string("has-preview-") + k.name);
    writePlist(folder + "InitSetting.xml", k.file);
    EXPECT_EQ(uim.hasPreview_LastSettting(folder), k.expected);
  }
  EXPECT_FALSE(uim.hasPreview_LastSettting(std::nullopt));
  EXPECT_FALSE(uim.hasPreview_LastSettting(freshSettingsFolder("has-preview-missing")));
}

TEST(UserInterfaceModuleFiles, RemovalTakesTheTwoFilesAndTheScanModulesFilesWhateverTheirCase) {
  DataSourceStandIn ds;
  Quirel_UserInterfaceModule uim;
  const std::string folder = freshSettingsFolder("remove");
  for (const char* name : {"a.sm", "B.SM", "c.Sm", "e.smx", "other.txt", "sm"}) writeText(folder + name, "x");
  // Sound settings files: broken ones are kept aside instead (BrokenSettingsFilesAreKeptAsideNotLost).
  writePlist(folder + "InitSetting.xml", fnd::Dictionary{{"Mode", 1}});
  writePlist(folder + "Preference.xml", Quirel_PreferenceInfo().getDictionary());
  fs::create_directories(folder + "d.sm");
  fs::create_directories(folder + "temp");
  uim.removePreferenceFilesAtPath(folder);
  std::vector<std::string> left;
  for (const auto& entry : fs::directory_iterator(folder)) left.push_back(entry.path().filename().string());
  std::sort(left.begin(), left.end());
  EXPECT_EQ(left, (std::vector<std::string>{"d.sm", "e.smx", "other.txt", "sm", "temp"}));
  uim.removePreferenceFilesAtPath(std::nullopt);
}

TEST(UserInterfaceModuleFiles, InitSettingWritesTheNoticeFlagsAndRefusesNoFolder) {
  DataSourceStandIn ds;
  Quirel_UserInterfaceModule uim;
  const std::string folder = freshSettingsFolder("write-init");
  fs::create_directories(folder);
  EXPECT_FALSE(uim.writeInitSettingXML(nullptr, std::nullopt));
  ASSERT_TRUE(uim.writeInitSettingXML(nullptr, folder));
  EXPECT_EQ(readPlist(folder + "InitSetting.xml"),
            (fnd::Dictionary{{"UIOFFMode", fnd::Dictionary{{"ShowMultiPDFScanStartMessage", true},
                                                           {"ShowAutoScanConfirmMessage", true}}}}));
  // Reading sets the two flags from the file; a wrong kind reads as neither set.
  writePlist(folder + "InitSetting.xml", fnd::Dictionary{{"Mode", 0}, {"UIOFFMode", "not a dictionary"}});
  ASSERT_TRUE(uim.readInitSettingXMLAtPreferenceDirPath(folder));
  EXPECT_FALSE(uim.getShowMultiPDFScanStartMsg());
  EXPECT_FALSE(uim.getShowAutoScanConfirmMsg());
  const fnd::Dictionary mine{{"Mode", 2}};
  ASSERT_TRUE(uim.writeInitSettingXML(&mine, folder));
  EXPECT_EQ(readPlist(folder + "InitSetting.xml")->integer("Mode"), 2);
  EXPECT_FALSE(uim.readInitSettingXMLAtPreferenceDirPath(std::nullopt));
  EXPECT_FALSE(uim.readInitSettingXMLAtPreferenceDirPath(freshSettingsFolder("write-init-missing")));
}

TEST(UserInterfaceModuleFiles, PreferenceWriteNeedsBothARecordAndAFolder) {
  const std::string folder = freshSettingsFolder("write-prefs");
  fs::create_directories(folder);
  Quirel_PreferenceInfo record;
  record.setLampTime(45);
  EXPECT_FALSE(Quirel_UserInterfaceModule::writePreferenceXML(nullptr, folder));
  EXPECT_FALSE(Quirel_UserInterfaceModule::writePreferenceXML(&record, std::nullopt));
  ASSERT_TRUE(Quirel_UserInterfaceModule::writePreferenceXML(&record, folder));
  EXPECT_EQ(readPlist(folder + "Preference.xml"), record.getDictionary());
}

TEST(UserInterfaceModuleFiles, BackupAndResumeCarryThePathAndAnswerTheScanModulesWord) {
  DataSourceStandIn ds;
  Quirel_UserInterfaceModule uim;
  ds.backupAnswer = 3;
  ds.resumeAnswer = 4;
  EXPECT_EQ(uim.call_SMBackupAndResume(1, std::string("/b/")), 3);
  EXPECT_EQ(uim.call_SMBackupAndResume(2, std::string("/r/")), 4);
  EXPECT_EQ(uim.call_SMBackupAndResume(3, std::string("/x/")), 0);
  ASSERT_EQ(ds.requests, (std::vector<std::string>{"ScanModule_Backup2", "ScanModule_Resume2"}));
  EXPECT_EQ(ds.requestInfo[0].string("BackupPath"), "/b/");
  EXPECT_EQ(ds.requestInfo[1].string("ResumePath"), "/r/");
}

}  // namespace
}  // namespace uim_test
