// Help: help books as folders of pages, the guide viewer as a program, the web manual's
// request, all recorded by the workspace stand-in.

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>

#include "MessageBoxSupport.h"
#include "WindowDoubles.h"
#include "TestEnvironment.h"
#include "foundation/Bundle.h"
#include "foundation/Paths.h"
#include "foundation/PropertyList.h"
#include "kit/Application.h"
#include "kit/RecordingWorkspace.h"
#include "ui/model/UIScannerInfo.h"
#include "ui/windows/HelpControl.h"
#include "ui/windows/OpenWebManual.h"

using namespace message_test;

namespace {

namespace fs = std::filesystem;

kit::Application& helpApp() { return kit::Application::shared(); }

constexpr const char* kBase = "https://manual.trivolan.example/rd2.cgi?";

std::shared_ptr<Quirel_UIScannerInfo> webScanner(const std::string& name, bool sfs, bool trivo100 = false) {
  auto info = std::make_shared<Quirel_UIScannerInfo>(
      fnd::Dictionary{{"SFS", sfs}, {"Ver1500Later", true}, {"Ver1910Later", true}, {"TrivoVer100Later", trivo100}});
  fnd::Dictionary init{{"Version", "2.4.1"}};
  info->setInitSettingData(&init);
  if (!name.empty()) info->setTwainDsWebMDeviceName(name);
  return info;
}

fnd::Dictionary helpRequest(long long mode, const std::shared_ptr<Quirel_UIScannerInfo>& scanner) {
  fnd::Dictionary d{{Quirel_HelpControl::kHelpMode, mode}};
  if (scanner) d.set(Quirel_HelpControl::kScannerInfo, fnd::Value::object(scanner));
  return d;
}

class Help : public ::testing::Test {
 protected:
  void SetUp() override {
    testBundleWithBadge();
    help.setManualInfoFilePath(std::nullopt, true);
    help.setWebManualVersion(true);
  }
  void TearDown() override { EXPECT_EQ(helpApp().pendingModalResponders(), 0u); }

  DataSourceAnswer ds{kProgramBundle};
  kit::RecordingWorkspace workspace;
  Quirel_HelpControl help;
  windows_test::FakeMessages messages;
};

}  // namespace

TEST_F(Help, WebManualRequestOfTheSample) {
  help.setPreferredLocalization("de");
  const fnd::Dictionary request = helpRequest(2, webScanner("Two Words", true));
  EXPECT_TRUE(help.openWebManual(&request));
  ASSERT_EQ(workspace.requests.size(), 1u);
  EXPECT_EQ(workspace.requests[0].kind, "url");
  EXPECT_EQ(workspace.requests[0].target, std::string(kBase) +
                                              "FNC=PVFUNC&OSV=M&DEV=Two+Words&TYP=SFS&SFV=2.4.1&CTV=1.0&LNG=DE"
                                              "&CTN=PV%2FPv-PAGE3.html");
}

TEST_F(Help, WebManualValuesAreEncoded) {
  // A name and a version with the request's own characters cannot add or cut parts.
  auto scanner = std::make_shared<Quirel_UIScannerInfo>(fnd::Dictionary{{"SFS", false}});
  fnd::Dictionary init{{"Version", "1.0&LNG=JP#x"}};
  scanner->setInitSettingData(&init);
  scanner->setTwainDsWebMDeviceName("A&B #1 100%?+");
  const fnd::Dictionary request = helpRequest(1, scanner);
  help.setPreferredLocalization("en");
  EXPECT_TRUE(help.openWebManual(&request));
  ASSERT_EQ(workspace.requests.size(), 1u);
  EXPECT_EQ(workspace.requests[0].target, std::string(kBase) +
                                              "FNC=PVFUNC&OSV=M&DEV=A%26B+%231+100%25%3F%2B&TYP=MFP"
                                              "&SFV=1.0%26LNG%3DJP%23x&CTV=1.0&LNG=EN&CTN=PV%2FPv-PAGE2.html");

  // The newer generation: the program's own version and the model's contents version.
  workspace.requests.clear();
  help.setWebManualContentsVersion("CTV=3.0 b&c");
  const fnd::Dictionary newer = helpRequest(4, webScanner("X", true, true));
  EXPECT_TRUE(help.openWebManual(&newer));
  ASSERT_EQ(workspace.requests.size(), 1u);
  const std::string version = fnd::Bundle::main().objectForInfoDictionaryKey("CFBundleVersion").toString();
  EXPECT_EQ(workspace.requests[0].target, std::string(kBase) + "FNC=PVFUNC&OSV=M&DEV=X&TYP=SFS&SFV=" + version +
                                              "&CTV=3.0%20b%26c&LNG=EN&CTN=PV%2FSOURCE.html");
}

TEST_F(Help, WebManualWithoutDeviceNameOpensNothing) {
  const fnd::Dictionary request = helpRequest(2, webScanner("", true));
  EXPECT_FALSE(help.openWebManual(&request));
  EXPECT_FALSE(help.openWebManual(nullptr));
  EXPECT_TRUE(workspace.requests.empty());
}

TEST_F(Help, LanguageCodesMatchExactly) {
  struct Case {
    const char* localization;
    const char* code;
  } cases[] = {{"Japanese", "JP"}, {"ja", "JP"},     {"German", "DE"},  {"de", "DE"},  {"zh_CN", "SC"},
               {"zh-Hans", "SC"},  {"zh-Hant", "TC"}, {"nb", "NO"},      {"fi", "FI"},  {"en_GB", "EN"},
               {"pt_BR", "EN"},    {"pt-PT", "EN"},   {"DE", "EN"},      {"", "EN"},    {"pt", "PT"}};
  for (const Case& c : cases) EXPECT_EQ(Quirel_OpenWebManual::languageCode(c.localization), c.code) << c.localization;

  // No preferred localisation leaves the language part out.
  auto manual = Quirel_OpenWebManual::initWithParameter("http://h/rd2.cgi?", "&");
  ASSERT_NE(manual, nullptr);
  manual->setFNC("FNC=PVFUNC");
  manual->setLNG("LNG=%@");
  manual->setPreferredLocalization("");
  EXPECT_EQ(manual->requestText(), "http://h/rd2.cgi?FNC=PVFUNC");
  EXPECT_EQ(Quirel_OpenWebManual::initWithParameter(std::nullopt, "&"), nullptr);
  EXPECT_EQ(Quirel_OpenWebManual::initWithParameter("http://h/", ""), nullptr);
}

TEST_F(Help, HelpBookOpensItsPageAtTheModesAnchor) {
  const fs::path book = testenv::freshFolder("helpbook") / "Scan Help";
  fs::create_directories(book);
  Quirel_HelpControl control(fnd::NotificationCenter::defaultCenter());
  control.setSettingHelpFilePath(book.string(), std::nullopt, std::nullopt);
  control.setHelpBundleID("org.trivolan.help", std::nullopt);
  control.setHelpAnchorName("an_set", "an_auto", "an_basic", "an_adv");
  const std::string page = "file://" + (book / "index.html").string();
  const std::string encodedPage = page.substr(0, page.find("Scan Help")) + "Scan%20Help/index.html";

  struct Case {
    long long mode;
    const char* anchor;
  } cases[] = {{1, "#an_basic"}, {2, "#an_adv"}, {3, "#an_auto"}, {4, "#an_set"}, {7, ""}};
  for (const Case& c : cases) {
    workspace.requests.clear();
    fnd::NotificationCenter::defaultCenter().post(Quirel_HelpControl::kOpenHelpBookPost, nullptr,
                                                  fnd::makeShared(helpRequest(c.mode, nullptr)));
    ASSERT_EQ(workspace.requests.size(), 1u) << c.mode;
    EXPECT_EQ(workspace.requests[0].target, encodedPage + c.anchor) << c.mode;
  }

  // A missing book opens the data source's installation page.
  fnd::Bundle* ds = fnd::Bundle::atPath(fnd::Paths::resourceDir() + "/PV7LocalizedString");
  ASSERT_NE(ds, nullptr);
  Quirel_HelpControl missing;
  missing.setSettingHelpFilePath((book / "gone").string(), std::nullopt, ds->identifier());
  missing.setHelpBundleID("org.trivolan.help", std::nullopt);
  workspace.requests.clear();
  missing.openHelpBookFromBundleID(fnd::Notification{Quirel_HelpControl::kOpenHelpBookPost, nullptr, nullptr});
  ASSERT_EQ(workspace.requests.size(), 1u);
  EXPECT_NE(workspace.requests[0].target.find("Install_msg.htm"), std::string::npos);
  EXPECT_EQ(workspace.requests[0].target.rfind("file://", 0), 0u);
}

TEST_F(Help, GuideViewerStartsTheProgramOrShowsTheMessage) {
  const fs::path folder = testenv::freshFolder("guideviewer");
  const fs::path viewer = folder / "viewer";
  const fs::path manual = folder / "manual.pdf";
  spit(viewer, "#!/bin/sh\n");
  spit(manual, "manual");
  auto writeInfo = [&](const std::string& app) {
    fnd::Dictionary info{{"AppPath", app},
                         {"HelpBook", manual.string()},
                         {"Anchors", fnd::Dictionary{{"an_adv", "PAGE-ADV"}}}};
    fnd::PropertyList::writeFile(fnd::Value(info), (folder / "ManualInfo.plist").string());
  };
  help.setWebManualVersion(false);
  help.setHelpAnchorName(std::nullopt, std::nullopt, std::nullopt, "an_adv");
  const fnd::Dictionary request = helpRequest(2, nullptr);

  // No manual-info list.
  help.setManualInfoFilePath((folder / "ManualInfo.plist").string(), true);
  EXPECT_FALSE(help.openHelvinoViewer(&request));
  EXPECT_EQ(messages.shown, std::vector<std::string>{"message:1650,0,0,0"});
  EXPECT_FALSE(help.isInstalledHelpForHelvinoViewer());

  // A viewer that is not there: the message and NO, not a silent success.
  writeInfo((folder / "no-viewer").string());
  EXPECT_FALSE(help.openHelvinoViewer(&request));
  EXPECT_EQ(messages.shown.size(), 2u);
  EXPECT_FALSE(help.isInstalledHelpForHelvinoViewer());

  // A mode without an anchor string.
  writeInfo(viewer.string());
  const fnd::Dictionary basic = helpRequest(1, nullptr);
  EXPECT_FALSE(help.openHelvinoViewer(&basic));
  EXPECT_EQ(messages.shown.size(), 3u);
  EXPECT_TRUE(workspace.requests.empty());

  // Through the request: the program with the manual and the anchor string.
  EXPECT_TRUE(help.isInstalledHelpForHelvinoViewer());
  help.openHelpBook(fnd::Notification{Quirel_HelpControl::kOpenHelpBookPost, nullptr, fnd::makeShared(request)});
  ASSERT_EQ(workspace.requests.size(), 1u);
  EXPECT_EQ(workspace.requests[0].kind, "launch");
  EXPECT_EQ(workspace.requests[0].target, viewer.string());
  EXPECT_EQ(workspace.requests[0].arguments, (std::vector<std::string>{manual.string(), "PAGE-ADV"}));

  // A start that fails shows the message.
  workspace.succeed = false;
  EXPECT_FALSE(help.openHelvinoViewer(&request));
  EXPECT_EQ(messages.shown.size(), 4u);
}
