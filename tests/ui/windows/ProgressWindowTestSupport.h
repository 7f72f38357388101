#pragma once

// What the progress-window tests share: a window of either layout, the scanner information
// that picks the layout, and scan-settings dictionaries with numbered crops.

#include <memory>
#include <string>

#include "TestEnvironment.h"
#include "foundation/NotificationCenter.h"
#include "foundation/Value.h"
#include "kit/Application.h"
#include "kit/Button.h"
#include "kit/ProgressIndicator.h"
#include "kit/TextField.h"
#include "kit/Window.h"
#include "ui/base/PostNotification.h"
#include "ui/base/MessageText.h"
#include "ui/base/ProgressLayout.h"
#include "ui/windows/ProgressWindow.h"

namespace progress_test {

inline kit::Application& app() { return kit::Application::shared(); }

// The catalogue's text of a message number, from the program's own tables.
inline std::string catalogueText(int number) {
  return MES_GetMessageStringAndInfomation(number, std::nullopt, std::nullopt, nullptr, nullptr, nullptr);
}

inline fnd::SharedDictionary scannerInfo(bool newer, bool ver16 = false, bool ver17 = false) {
  fnd::Dictionary scanner{{"Ver1500Later", newer}, {"Ver1600Later", ver16}, {"Ver1700Later", ver17}};
  return fnd::makeShared(fnd::Dictionary{{"Uthric", fnd::Dictionary{{"ScannerInfo", scanner}}}});
}

// A built progress window of one layout; closed and released at the end.
struct Progress {
  explicit Progress(bool newer, bool ver16 = false, bool ver17 = false) {
    w.setInitSettingMainThreadMode(scannerInfo(newer, ver16, ver17));
    w.createProgressWindowMainThreadMode();
  }
  ~Progress() { w.closeProgressWindowMainThreadMode(); }
  double height() const { return w.window()->contentRectSize().height; }
  double top() const { return w.window()->frame().maxY(); }
  Quirel_ProgressWindow w;
};

// "ScanInfo" with `count` crops; crop i scans at 100 + i dpi.
inline fnd::Dictionary scanWithCrops(int count, fnd::Dictionary extra = {}) {
  fnd::Array crops;
  for (int i = 0; i < count; ++i)
    crops.push_back(fnd::Dictionary{{"Resolution", 100 + i}, {"UnsharpMask", i % 2}, {"ReduceDust", 1}});
  fnd::Dictionary scan{{"ScanSetting", fnd::Dictionary{{"ColorSetting", 0}}}, {"CropItem", crops}};
  for (const auto& [k, v] : extra) scan.set(k, v);
  return scan;
}

// Counts the "Cancel_Scan" requests leaving the library through the outward channel.
class OutwardCancels {
 public:
  explicit OutwardCancels(const void* sender = nullptr)
      : token_(fnd::NotificationCenter::defaultCenter().observe(
            Quirel_PostNotification::kOverrideNotification, sender, [this](const fnd::Notification& n) {
              if (n.userInfo && n.userInfo->string(Quirel_PostNotification::kOverrideNotificationName) ==
                                    Quirel_ProgressWindow::kCancelScan)
                ++count;
            })) {}
  int count = 0;

 private:
  fnd::NotificationCenter::Token token_;
};

}  // namespace progress_test
