#pragma once

// What the main-window controller's tests share: a settings folder, the initial settings the
// data source gives for the virtual scanner's model file, a fixed display, and a stand-in for
// the data source that answers the bundle question and the scan module's backup and resume.

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "TestEnvironment.h"
#include "foundation/Bundle.h"
#include "foundation/NotificationCenter.h"
#include "foundation/Paths.h"
#include "foundation/PropertyList.h"
#include "kit/Application.h"
#include "ui/base/PVLocalizedBundle.h"
#include "ui/base/PostNotification.h"
#include "ui/controls/CTRLS_MainWindow.h"
#include "ui/controls/CTRLS_TabView.h"
#include "ui/frontdoor/UserInterfaceModule.h"
#include "kit/TabView.h"
#include "ui/windows/CheckBoxDialog.h"
#include "ui/windows/DisplayManager.h"

namespace uim_test {

namespace fs = std::filesystem;

// The display every test places windows on: 1920 x 1080, a 30-point panel at the top.
inline Quirel_DisplayManager testDisplay() {
  return Quirel_DisplayManager(fnd::Rect(0, 0, 1920, 1080), fnd::Rect(0, 0, 1920, 1050));
}
constexpr double kDisplayHeight = 1080;

// A frame given as the settings file stores it: "y" from the display's top.
inline fnd::Rect frameFromTop(double x, double yFromTop, double width, double height) {
  return fnd::Rect(x, kDisplayHeight - yFromTop - height, width, height);
}

// A fresh settings folder, as the data source names it (with a final "/").
inline std::string freshSettingsFolder(const std::string& name) {
  return (testenv::freshFolder(name) / "settings").string() + "/";
}

// The data source's initial settings for the virtual scanner: its model file by "InitPath" and
// "Model", the platen and film areas, the connection.
inline fnd::Dictionary modelInitSetting(const std::string& settingsFolder) {
  fnd::Dictionary flatbed{{"X", 0.0}, {"Y", 0.0}, {"W", 816.0}, {"H", 1123.0}};
  return fnd::Dictionary{{"PreferencePath", settingsFolder},
                         {"InitPath", fnd::Paths::resourceDir() + "/models/"},
                         {"Model", "TS800"},
                         {"WebMDeviceName", "TS800"},
                         {"Version", "1.0.0"},
                         {"LLDversion", "1.0"},
                         {"PortType", "USB2.0"},
                         {"OpticalResolution", 4800},
                         {"Flatbed", flatbed},
                         {"APPOVERRIDE", "0"},
                         {"UILessMode", 0}};
}

// The model file with its scanner record changed by `edit` (for generations the file is not).
template <class Edit>
fnd::Dictionary modelParametersWith(Edit edit) {
  const fnd::PropertyList::Result read = fnd::PropertyList::readFile(fnd::Paths::resourceDir() + "/models/PVTS800.xml");
  EXPECT_TRUE(read.ok());
  fnd::Dictionary parameters = read.ok() ? read.value->toDictionary() : fnd::Dictionary();
  fnd::Dictionary scanner = parameters.dictionary("ScannerInfo");
  edit(scanner);
  parameters.set("ScannerInfo", scanner);
  return parameters;
}

// The model of an older generation: it keeps its settings files after reading them.
inline fnd::Dictionary olderModelParameters() {
  return modelParametersWith([](fnd::Dictionary& s) {
    for (const char* key : {"Ver1500Later", "Ver1600Later", "Ver1700Later", "Ver1800Later", "Ver1900Later",
                            "Ver1910Later"})
      s.set(key, false);
  });
}

inline void writePlist(const std::string& path, const fnd::Dictionary& d) {
  fs::create_directories(fs::path(path).parent_path());
  ASSERT_TRUE(fnd::PropertyList::writeFile(d, path)) << path;
}

inline std::optional<fnd::Dictionary> readPlist(const std::string& path) {
  const fnd::PropertyList::Result r = fnd::PropertyList::readFile(path);
  if (!r.ok() || !r.value->isDictionary()) return std::nullopt;
  return r.value->toDictionary();
}

// The data source as the controller meets it: it answers "UIDSBundleIDPost" with the
// library's bundle, records every outward request by name, and answers the scan module's
// backup and resume with the values set here.
class DataSourceStandIn {
 public:
  DataSourceStandIn() {
    auto& center = fnd::NotificationCenter::defaultCenter();
    center.addObserver(this, Quirel_PVLocalizedBundle::kDataSourcePostName, nullptr, [](const fnd::Notification& n) {
      if (auto* carrier = Quirel_PVLocalizedBundle::fromNotification(n))
        carrier->setLocalizedBundleStr(fnd::Bundle::main().identifier());
    });
    center.addObserver(this, Quirel_PostNotification::kOverrideNotification, nullptr, [this](const fnd::Notification& n) {
      if (!n.userInfo) return;
      const std::string name = n.userInfo->string(Quirel_PostNotification::kOverrideNotificationName);
      requests.push_back(name);
      requestInfo.push_back(*n.userInfo);
      if (name == Quirel_UserInterfaceModule::kBackupPost) {
        if (onBackup) onBackup();
        Quirel_PostNotification::setResult(n.info(), backupAnswer);
      }
      if (name == Quirel_UserInterfaceModule::kResumePost) Quirel_PostNotification::setResult(n.info(), resumeAnswer);
    });
  }
  ~DataSourceStandIn() { fnd::NotificationCenter::defaultCenter().removeObserver(this); }
  DataSourceStandIn(const DataSourceStandIn&) = delete;
  DataSourceStandIn& operator=(const DataSourceStandIn&) = delete;

  int count(const std::string& name) const {
    return static_cast<int>(std::count(requests.begin(), requests.end(), name));
  }

  std::vector<std::string> requests;
  std::vector<fnd::Dictionary> requestInfo;
  int backupAnswer = 0;
  int resumeAnswer = 0;
  std::function<void()> onBackup;
};

// A controller on the test display, created and set up as the root does, with a locale that
// does not depend on the machine's.
struct Controller {
  explicit Controller(const fnd::Dictionary& initSetting, const fnd::Dictionary* request = nullptr) {
    uim = std::make_unique<Quirel_UserInterfaceModule>();
    uim->setDisplayManager(testDisplay());
    uim->setLocaleFacts(fnd::LocaleFacts{"FR", true});
    if (request) uim->setTWAINRequest(fnd::makeShared(*request));
    uim->setTWAINObject(&dataSourceObject);
    uim->createMainWindowMainThreadMode();
    uim->setInitSettingMainThreadMode(fnd::makeShared(initSetting));
  }
  ~Controller() {
    if (uim && !uim->isTerminated()) uim->terminateMainWindowMainThreadMode();
  }
  Quirel_UserInterfaceModule* operator->() const { return uim.get(); }
  Quirel_MainWindow* window() const { return uim->getMainWindow() ? uim->getMainWindow()->getWindow() : nullptr; }

  int dataSourceObject = 0;
  std::unique_ptr<Quirel_UserInterfaceModule> uim;
};

// The initial settings for a model of the generation before the two newest, or, without
// `ver1500`, of one older than 1500.
inline fnd::Dictionary generationInitSetting(const std::string& folder, bool ver1500) {
  fnd::Dictionary d = modelInitSetting(folder);
  d.set("Uthric", modelParametersWith([ver1500](fnd::Dictionary& s) {
          for (const char* key : {"Ver1900Later", "Ver1910Later"}) s.set(key, false);
          if (!ver1500)
            for (const char* key : {"Ver1500Later", "Ver1600Later", "Ver1700Later", "Ver1800Later"}) s.set(key, false);
        }));
  return d;
}

// Stores the tab the controller starts in (0 basic, 1 advanced, 2 multi-scan) in a 1000 x 800
// window; with `basicHasPreview`, the basic mode's entry says whether a preview was kept.
inline void storeStartMode(const std::string& folder, int mode, std::optional<bool> basicHasPreview = std::nullopt) {
  fnd::Dictionary d{{"MainWindow", fnd::Dictionary{{"x", 100.0}, {"y", 50.0}, {"width", 1000.0}, {"height", 800.0},
                                                   {"hiddenWidth", 0.0}}},
                    {"Mode", mode},
                    {"BeforeMode", 0}};
  if (basicHasPreview) d.set("StandardMode", fnd::Dictionary{{"HasPreview", *basicHasPreview}});
  writePlist(folder + "InitSetting.xml", d);
}

// Clicks the tab of `mode` (0 basic, 1 advanced, 2 multi-scan); false when the change is refused.
inline bool clickModeTab(const Controller& c, int mode) {
  Quirel_CTRLS_TabView* tabs = c->getTabView();
  Quirel_TabViewItem* items[] = {tabs->standardTabItem(), tabs->extendTabItem(), tabs->multiScanTabItem()};
  return tabs->getTabView()->selectTabViewItem(items[mode]);
}

// The text a check-box question of message `number` shows.
inline std::string questionText(int number) {
  return Quirel_CheckBoxDialog::initWithMessageID(number, Quirel_CheckBoxDialog::kFocusOK)->messageField()->stringValue();
}

}  // namespace uim_test
