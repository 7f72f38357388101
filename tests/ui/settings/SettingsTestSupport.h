#pragma once

// Shared by the settings dialogs' tests: the window controller's answer to the localisation
// question, scanner records from a few flags, a recording answerer of the outward requests
// (standing where the scan module answers), real mouse clicks and the preferences as an
// opener builds them.

#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "TestEnvironment.h"
#include "foundation/NotificationCenter.h"
#include "kit/Application.h"
#include "kit/Event.h"
#include "kit/View.h"
#include "kit/Window.h"
#include "ui/base/PVLocalizedBundle.h"
#include "ui/base/PostNotification.h"
#include "ui/model/PreferenceInfo.h"
#include "ui/model/UIScannerInfo.h"
#include "ui/settings/PrefsDialog.h"
#include "../windows/WindowDoubles.h"

namespace settings_test {

inline constexpr const char* kProgramBundle = "org.trivolan.Trivolan";

inline kit::Application& app() { return kit::Application::shared(); }

// The main-window controller answering "getDSBundleLocalizePost" with the program's texts.
class BundleAnswer {
 public:
  BundleAnswer()
      : token_(fnd::NotificationCenter::defaultCenter().observe(
            Quirel_PVLocalizedBundle::kLocalizePostName, nullptr, [](const fnd::Notification& n) {
              if (auto carrier = Quirel_PVLocalizedBundle::fromLocalizeRequest(n))
                carrier->setLocalizedBundleStr(kProgramBundle);
            })) {}

 private:
  fnd::NotificationCenter::Token token_;
};

inline std::shared_ptr<Quirel_UIScannerInfo> scanner(fnd::Dictionary flags) {
  return std::make_shared<Quirel_UIScannerInfo>(flags);
}

// The record's defaults switch several features on; this switches them off, and `flags`
// decides the rest.
inline fnd::Dictionary bareFlags(const fnd::Dictionary& flags = {}) {
  fnd::Dictionary bare{{"CIS", false},         {"SFS", false},         {"ColorDocument", false},
                       {"CloseSelect", false}, {"ManualCalibration", false}, {"ScannerTest", false},
                       {"AlwaysAutoTone", false}};
  for (const auto& [key, value] : flags) bare.set(key, value);
  return bare;
}

// A launcher scanner with every group of every tab.
inline fnd::Dictionary launcherFlags() {
  return {{"TrivoVer100Later", true}, {"Ver1300Later", true}, {"Ver1400Later", true}, {"FAU", true},
          {"PlatenThumbnail", true},  {"ColorDocument", true}, {"CIS", true},         {"BitEnabled", true},
          {"EnableLargeScan", true},  {"CloseSelect", true},   {"ADF", true},         {"ADFSetting_HighSpeed", true},
          {"TwoSidedADF", true},      {"ADFSetting_OrderRejection", true},            {"AlwaysAutoTone", true},
          {"EnergySaveMode", true},   {"AutoPowerSetting", true}, {"QuietMode", true}, {"QuietModeSettingType", 2},
          {"Calibration", true},      {"ManualCalibration", true}, {"AlwaysCalibration", true},
          {"ScannerTest", true},      {"ScannerName", "Virtual Scanner"}};
}

// One outward request as the scan module saw it.
struct Request {
  std::string name;
  const void* sender = nullptr;
  fnd::Dictionary sent;
};

// Stands where the scan module answers: records every outward request and lets the test
// write the answer into the posted dictionary.
class RecordingAnswerer {
 public:
  using Answer = std::function<void(const std::string& name, fnd::Dictionary& info)>;
  explicit RecordingAnswerer(Answer answer = {})
      : answer_(std::move(answer)),
        token_(fnd::NotificationCenter::defaultCenter().observe(
            Quirel_PostNotification::kOverrideNotification, nullptr, [this](const fnd::Notification& n) {
              fnd::Dictionary* info = n.info();
              const std::string name =
                  info ? info->get(Quirel_PostNotification::kOverrideNotificationName).toString() : std::string();
              Request r{name, n.sender, info ? *info : fnd::Dictionary()};
              r.sent.remove(Quirel_PostNotification::kOverrideNotificationName);
              requests.push_back(r);
              if (answer_ && info) answer_(name, *info);
            })) {}
  std::vector<Request> requests;
  std::vector<std::string> names() const {
    std::vector<std::string> out;
    for (const Request& r : requests) out.push_back(r.name);
    return out;
  }

 private:
  Answer answer_;
  fnd::NotificationCenter::Token token_;
};

inline fnd::Point middleOf(const fnd::Rect& r) {
  return fnd::Point(r.origin.x + r.size.width / 2, r.origin.y + r.size.height / 2);
}

// A whole click at the middle of a view, through the application's queue.
inline void clickView(kit::View* view, fnd::Point local = {-1, -1}) {
  kit::Window* window = view->window();
  const fnd::Rect b = view->bounds();
  const fnd::Point p = local.x < 0 ? fnd::Point(b.size.width / 2, b.size.height / 2) : local;
  const fnd::Point at = view->convertPointToView(p, nullptr);
  app().postEvent(kit::Event::mouseEvent(kit::EventType::LeftMouseDown, at, 0, window, 1));
  app().postEvent(kit::Event::mouseEvent(kit::EventType::LeftMouseUp, at, 0, window, 1));
  app().dispatchQueuedEvents();
}

// Types into a field as the user would: focus, then the whole text.
inline void typeInto(kit::Window* window, kit::TextField* field, const std::string& text) {
  window->makeFirstResponder(field);
  field->replaceText(text);
}

struct Opening {
  std::shared_ptr<Quirel_UIScannerInfo> scanner;
  Quirel_PreferenceInfo prefs;
  int colorMode = 4;
  bool film = false, thumbnail = false, zoom = false, adf = false;
  int sourceType = 0;
  std::shared_ptr<Quirel_ProfileCMList> profiles;
  const void* twain = nullptr;
  const void* uim = nullptr;
};

// The preferences built and filled as the basic mode opens them (not yet run).
inline std::unique_ptr<Quirel_PrefsDialog> openPrefs(const Opening& o) {
  auto dialog = std::make_unique<Quirel_PrefsDialog>();
  dialog->setFilmMode(o.film, o.thumbnail, o.zoom);
  dialog->setADFMode(o.adf);
  dialog->setColorMode(o.colorMode);
  dialog->setDefaultTempPath(testenv::freshFolder("default-temp").string());
  dialog->setDefaultSavePath(testenv::freshFolder("default-save").string());
  auto profiles = o.profiles;
  if (!profiles) {
    profiles = std::make_shared<Quirel_ProfileCMList>();
    profiles->setInputProfileList(Quirel_ProfileCMList::Profiles{});
    profiles->setOutputProfileList(Quirel_ProfileCMList::Profiles{});
  }
  dialog->setProfileCMList(profiles);
  dialog->setInputProfileSourceType(o.sourceType);
  dialog->setScannerInfo(o.scanner);
  dialog->setTWAINObject(o.twain, o.uim);
  dialog->createPreferenceDialog();
  dialog->setData(&o.prefs);
  return dialog;
}

// Runs the dialog; `during` acts while it is up (it must close it).
inline void runPrefs(Quirel_PrefsDialog& dialog, std::function<void()> during) {
  app().onNextModalWindow([&dialog, during = std::move(during)](kit::Window&) {
    during();
    // A failed expectation may leave the dialog up: end the run rather than hang.
    if (!dialog.isClosing()) {
      ADD_FAILURE() << "the dialog was left open";
      dialog.PreferenceCancelClose();
    }
  });
  dialog.showPreferenceDialog();
}

// Brings a tab to the front (controls of hidden tabs take no clicks).
inline void showTab(Quirel_PrefsDialog& dialog, Quirel_CTRLS_PREFTabView::Tab tab) {
  dialog.tabView()->getTabView()->selectTabViewItem(dialog.tabView()->tabItem(tab));
}

inline std::vector<std::string> tabLabels(const Quirel_PrefsDialog& dialog) {
  std::vector<std::string> labels;
  auto* tabs = dialog.tabView()->getTabView();
  for (int i = 0; i < tabs->numberOfTabViewItems(); ++i) labels.push_back(tabs->tabViewItemAtIndex(i)->label());
  return labels;
}

inline std::filesystem::path shotFolder() {
  static const std::filesystem::path folder = testenv::freshFolder("settings-shots");
  return folder;
}

}  // namespace settings_test
