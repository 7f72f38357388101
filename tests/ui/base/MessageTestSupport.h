#pragma once

// Fixtures of the message tests: a localisation bundle and a message catalogue of the tests'
// own, and stand-ins for the data source and the main-window controller's answers. No windows:
// the message-box tests add the bundle's badge picture (MessageBoxSupport.h).

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "TestEnvironment.h"
#include "foundation/Bundle.h"
#include "foundation/NotificationCenter.h"
#include "foundation/PropertyList.h"
#include "ui/base/MessageCatalogue.h"
#include "ui/base/PVLocalizedBundle.h"

namespace message_test {

namespace fs = std::filesystem;

inline void spit(const fs::path& p, const std::string& bytes) {
  fs::create_directories(p.parent_path());
  std::ofstream(p, std::ios::binary) << bytes;
}

constexpr const char* kTestBundle = "org.trivolan.test.messages";
constexpr const char* kProgramBundle = "org.trivolan.Trivolan";

// Texts whose handling the tests check, in a bundle loaded once per process; its folder.
inline const fs::path& testBundleFolder() {
  static const fs::path folder = [] {
    fs::path b = testenv::freshFolder("messages") / "Messages.bundle";
    fnd::Dictionary info{{"CFBundleIdentifier", kTestBundle}, {"CFBundleName", "Test Driver"},
                         {"CFBundleIconFile", "badge.png"}};
    fs::create_directories(b);
    fnd::PropertyList::writeFile(fnd::Value(info), (b / "Info.plist").string());
    spit(b / "en.lproj/Message.strings",
         "\"IDS_MSG_UNKNOWN\" = \"Unknown message.\";\n"
         "\"1201\" = \"First part.\";\n"
         "\"1202\" = \"Second part.\";\n"
         "\"COMPOSITE\" = \"1201%%\\r%%1202\";\n"
         "\"NONE_TEXT\" = \"none\";\n"
         "\"PLAIN\" = \"Plain text.\";\n"
         "\"TWO_S\" = \"Copy %s to %s?\";\n"
         "\"STRAY\" = \"Odd %n and %10s and %x then %s.\";\n"
         "\"ONE_D\" = \"Enter at most %d.\";\n"
         "\"SELECTOR\" = \"Start %s now.\";\n"
         "\"PVTO_ERROR_7\" = \"Message table: wrong table.\";\n");
    spit(b / "en.lproj/PictavoTrivo.strings", "\"PVTO_ERROR_7\" = \"Feeder jammed.%%\\r%%1202\";\n");
    fnd::Bundle::atPath(b.string());
    return b;
  }();
  return folder;
}

// The test bundle's identifier, the bundle loaded.
inline const std::string& testBundle() {
  static const std::string id = [] {
    testBundleFolder();
    return std::string(kTestBundle);
  }();
  return id;
}

// Reads the message catalogue from a file of the test's own while it lives.
class CatalogueOverride {
 public:
  explicit CatalogueOverride(const fnd::Dictionary& catalogue, const std::string& name = "catalogue") {
    fs::path dir = testenv::freshFolder(name);
    path_ = (dir / "MessageInfo.plist").string();
    fnd::PropertyList::writeFile(fnd::Value(catalogue), path_);
    Quirel_MessageCatalogue::setPathForTesting(path_);
  }
  // A catalogue path that does not exist.
  CatalogueOverride() {
    path_ = (testenv::freshFolder("no-catalogue") / "MessageInfo.plist").string();
    Quirel_MessageCatalogue::setPathForTesting(path_);
  }
  ~CatalogueOverride() { Quirel_MessageCatalogue::setPathForTesting(""); }
  fs::path folder() const { return fs::path(path_).parent_path(); }

 private:
  std::string path_;
};

// The data source answering "UIDSBundleIDPost" with a bundle identifier.
class DataSourceAnswer {
 public:
  explicit DataSourceAnswer(std::string bundleStr)
      : token_(fnd::NotificationCenter::defaultCenter().observe(
            Quirel_PVLocalizedBundle::kDataSourcePostName, nullptr, [bundleStr](const fnd::Notification& n) {
              if (auto* c = Quirel_PVLocalizedBundle::fromNotification(n)) c->setLocalizedBundleStr(bundleStr);
            })) {}

 private:
  fnd::NotificationCenter::Token token_;
};

// A catalogue naming the test bundle's keys.
inline fnd::Dictionary testCatalogue(bool withSelectorSettings = true) {
  fnd::Dictionary keys{{"1", "PLAIN"},          {"2", "COMPOSITE"}, {"3", "PVTO_ERROR_7"}, {"4", "NONE_TEXT"},
                       {"5", "TWO_S"},          {"6", "STRAY"},     {"7", "ONE_D"},        {"1715", "SELECTOR"},
                       {"8999", "PLAIN"},       {"9000", "PLAIN"},  {"9099", "PLAIN"},     {"9100", "PLAIN"},
                       {"9101", "PLAIN"},       {"10", "MISSING_KEY"}};
  fnd::Dictionary buttons{{"COMPOSITE", 1}, {"TWO_S", 2}, {"PVTO_ERROR_7", 5}};
  fnd::Dictionary catalogue{{"LOCALIZE_STRING_KEY", keys}, {"BTN", buttons}, {"MessageType", 1}};
  if (withSelectorSettings) catalogue.set("NetpickSetting", "Selector.plist");
  return catalogue;
}

inline void writeSelectorSettings(const fs::path& folder, const fnd::Dictionary& selector) {
  fnd::PropertyList::writeFile(fnd::Value(fnd::Dictionary{{"AppInfo", fnd::Dictionary{{"Selector", selector}}}}),
                               (folder / "Selector.plist").string());
}

}  // namespace message_test
