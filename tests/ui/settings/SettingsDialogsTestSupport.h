#pragma once

// Shared by the tests of the favourites manager, the output-size editor and the information
// panel: the window controller's answer for the texts, scanner records, a recorder of
// notifications, message boxes answered as a user would, and where pictures go.

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "foundation/Bundle.h"
#include "foundation/NotificationCenter.h"
#include "kit/Application.h"
#include "ui/base/PVLocalizedBundle.h"
#include "ui/model/UIScannerInfo.h"
#include "ui/windows/ShowMessageDialog.h"

namespace settings2_test {

inline kit::Application& s2App() { return kit::Application::shared(); }

// The main-window controller names the program's own resource bundle.
class S2Texts {
 public:
  S2Texts()
      : token_(fnd::NotificationCenter::defaultCenter().observe(
            Quirel_PVLocalizedBundle::kLocalizePostName, nullptr, [](const fnd::Notification& n) {
              if (auto carrier = Quirel_PVLocalizedBundle::fromLocalizeRequest(n))
                carrier->setLocalizedBundleStr(fnd::Bundle::main().identifier());
            })) {}

 private:
  fnd::NotificationCenter::Token token_;
};

// A scanner record of the given versions with further flags.
inline std::unique_ptr<Quirel_UIScannerInfo> s2Scanner(bool v1300, bool v1400, bool v1600, bool v1700,
                                                      fnd::Dictionary extra = {}) {
  fnd::Dictionary d{{"Ver1200Later", true},  {"Ver1300Later", v1300}, {"Ver1400Later", v1400},
                    {"Ver1500Later", v1600}, {"Ver1600Later", v1600}, {"Ver1700Later", v1700},
                    {"Ver1800Later", false}, {"Ver1900Later", false}};
  for (const auto& [key, value] : extra) d.set(key, value);
  return std::make_unique<Quirel_UIScannerInfo>(d);
}

// Records the names (in order) of the notifications it watches, from any sender.
class S2Posts {
 public:
  explicit S2Posts(const std::vector<std::string>& names) {
    for (const std::string& name : names)
      tokens_.push_back(fnd::NotificationCenter::defaultCenter().observe(
          name, nullptr, [this](const fnd::Notification& n) { seen.push_back(n.name); }));
  }
  std::size_t count(const std::string& name) const {
    std::size_t k = 0;
    for (const auto& s : seen) k += s == name;
    return k;
  }
  std::vector<std::string> seen;

 private:
  std::vector<fnd::NotificationCenter::Token> tokens_;
};

inline std::string s2PngPath(const char* name) {
  std::filesystem::path png = std::filesystem::current_path() / name;
  std::filesystem::remove(png);
  return png.string();
}

}  // namespace settings2_test
