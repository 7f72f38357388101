// The multi-scan tab: the image-source table and its input-source posts, the pictures, the
// defaults and last settings by scanner generation, the scan request and what follows it, the
// narrowed window, enabling, help, and the tab's rows in its three forms.

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <vector>

#include "ModesTestSupport.h"
#include "foundation/Bundle.h"
#include "foundation/RunLoop.h"
#include "kit/TabView.h"
#include "kit/Window.h"
#include "ui/base/PVLocalizedString.h"
#include "ui/controls/CTRLS_CheckBox.h"
#include "ui/controls/CTRLS_MSHelpButton.h"
#include "ui/controls/CTRLS_MSDestinationView.h"
#include "ui/controls/CTRLS_MSImageSourceView.h"
#include "ui/controls/CTRLS_MSScanButton.h"
#include "ui/controls/CTRLS_MainWindow.h"
#include "ui/controls/CTRLS_PopupButton.h"
#include "ui/controls/CTRLS_PreviewFrame.h"
#include "ui/controls/CTRLS_TabView.h"
#include "ui/controls/ColorButton.h"
#include "ui/controls/DisabledView.h"
#include "ui/controls/IconBezelButton.h"
#include "ui/controls/NoFocusImageView.h"
#include "ui/model/PreferenceInfo.h"
#include "ui/model/PreviewInfo.h"
#include "ui/model/SettingToSM.h"
#include "ui/model/UIScannerInfo.h"
#include "ui/modes/multiscan/MultiScanMode.h"

using modes_test::PostLog;

namespace {

// Scanner generations of the three forms, with options.
fnd::Dictionary msScanner(bool ver1400, bool adf, bool twoSided, bool recommended, bool fau = false,
                          bool ver1500 = false, bool ver1700 = false) {
  return fnd::Dictionary{{"Ver1200Later", true},      {"Ver1300Later", true},     {"Ver1400Later", ver1400},
                         {"Ver1500Later", ver1500},   {"Ver1600Later", ver1700},  {"Ver1700Later", ver1700},
                         {"ADF", adf},                {"TwoSidedADF", twoSided},  {"RecommendedImageProc", recommended},
                         {"FAU", fau},                {"ImageDocumentTypeToSM", true}};
}

fnd::Dictionary msEntry(std::vector<int> sources, std::vector<int> destinations) {
  fnd::Array s(sources.begin(), sources.end());
  fnd::Array d(destinations.begin(), destinations.end());
  return fnd::Dictionary{{"ImageSource", fnd::Dictionary{{"DefaultValue", 0}, {"MenuItem", s}}},
                         {"Destination", fnd::Dictionary{{"DefaultValue", 2}, {"MenuItem", d}}}};
}

// The window controller's part: a main window with the tabs, the mode set up on them.
struct MsWindow {
  explicit MsWindow(const fnd::Dictionary& scanner, double tabWidth = 364) {
    main = std::make_shared<Quirel_CTRLS_MainWindow>();
    main->getWindow()->setFrame(fnd::Rect(100, 300, 1000, 700), false);
    main->getWindow()->setMaxSize(fnd::Size(4000, 3000));
    tabs = std::make_unique<Quirel_CTRLS_TabView>(true, true, true);
    tabs->getTabView()->setFrame(fnd::Rect(5, 5, tabWidth, 640));
    main->addWindowItem(tabs->getTabView());
    frame = std::make_unique<Quirel_CTRLS_PreviewFrame>();
    frame->setFrameViewRect(380, 10, 600, 600);
    main->addWindowItem(frame->getFrameView());
    mode.setScannerInfo(modes_test::scannerWith(scanner));
    mode.setPreferenceInfo(std::make_shared<Quirel_PreferenceInfo>());
    mode.setPVLocalizedString(std::make_shared<Quirel_PVLocalizedString>(fnd::Bundle::main().identifier()));
    mode.setMainWindow(main);
    mode.setDisplayManager(Quirel_DisplayManager(fnd::Rect(0, 0, 4000, 3000), fnd::Rect(0, 0, 4000, 3000)));
    mode.createMultiScanItem(tabs.get());
    mode.createPreviewAreaItem(frame.get());
  }
  Quirel_MainWindow* window() const { return main->getWindow(); }

  std::shared_ptr<Quirel_CTRLS_MainWindow> main;
  std::unique_ptr<Quirel_CTRLS_TabView> tabs;
  std::unique_ptr<Quirel_CTRLS_PreviewFrame> frame;
  Quirel_MultiScanMode mode;
};

// Answers the two multi-scan settings posts as the preview model would.
class MsFiller {
 public:
  MsFiller() {
    auto& center = fnd::NotificationCenter::defaultCenter();
    tokens_.push_back(center.observe("scanSettingFromAutoPost", nullptr, [this](const fnd::Notification& n) {
      const fnd::Value* v = n.info() ? n.info()->find("SetToSM") : nullptr;
      if (auto carrier = v ? v->toObject<Quirel_SettingToSM>() : nullptr) answer(*carrier, n.name);
    }));
    tokens_.push_back(center.observe("scanSettingFromMultiPost", nullptr, [this](const fnd::Notification& n) {
      answer(*static_cast<Quirel_SettingToSM*>(const_cast<void*>(n.sender)), n.name);
    }));
  }
  void answer(Quirel_SettingToSM& carrier, const std::string& name) {
    answered.push_back(name);
    modeObject = carrier.getScanModeObj();
    if (refuse) {
      carrier.refuse();
      return;
    }
    ScanInfo info;
    std::memset(&info, 0, sizeof info);
    CropSetting crop;
    std::memset(&crop, 0, sizeof crop);
    crop.Resolution = 300;
    std::string temp = "/tmp";
    info.Setting.temporaryPath = temp.data();
    info.Setting.ColorMode = 3;
    info.crop_num = 1;
    info.CropItem[0] = &crop;
    carrier.setDataSM(info);
  }
  bool refuse = false;
  std::vector<std::string> answered;
  ModeLink* modeObject = nullptr;

 private:
  std::vector<fnd::NotificationCenter::Token> tokens_;
};

const std::vector<std::string> kMsOutward{"changeInputSourcePost", "setStandardModeIDPost",
                                          "scanSettingFromAutoPost", "scanSettingFromMultiPost",
                                          "needScanResultWindowPost", "MultiScanMode_Scan", "ntfQuirel_SaveInfo",
                                          "setALMUserInterfaceData", "OpenHelpBookPost",
                                          Quirel_PostNotification::kOverrideNotification};

// The outward and internal names seen, outward ones under the name they carry.
std::vector<std::string> msNames(const PostLog& log) {
  std::vector<std::string> names;
  for (const auto& p : log.posts) names.push_back(p.name);
  return names;
}

void msChoose(Quirel_CTRLS_PopupButton* popup, int number) {
  popup->selectAtRepresentedNumber(number);
  popup->popUpBTAction();
}

}  // namespace

TEST(MultiScanMode, ImageSourceChangesSendTheInputSourceOnlyAcrossTheFilmSources) {
  MsWindow w(msScanner(false, false, false, false, true));
  const fnd::Dictionary entry = msEntry({0, 1, 2, 3, 4, 5, 6}, {0, 1, 2, 3});
  w.mode.setMultiScanItem(&entry, true);
  Quirel_CTRLS_PopupButton* popup = w.mode.getImgSrcPopup();
  ASSERT_NE(popup, nullptr);
  msChoose(popup, 2);
  struct Step {
    int to;
    int sent;  // -1: nothing sent
  };
  const Step steps[] = {{3, -1}, {5, 3}, {6, 4}, {1, 0}, {1, -1}, {4, -1}};
  for (const Step& s : steps) {
    PostLog log({Quirel_PostNotification::kOverrideNotification});
    msChoose(popup, s.to);
    EXPECT_EQ(w.mode.getImageSource(), s.to);
    if (s.sent < 0) {
      EXPECT_TRUE(log.posts.empty()) << "to " << s.to;
    } else {
      ASSERT_EQ(log.posts.size(), 1u) << "to " << s.to;
      EXPECT_EQ(log.posts[0].name, "changeInputSourcePost");
      EXPECT_EQ(log.posts[0].info.integer("InputSource"), s.sent);
    }
  }
  EXPECT_EQ(Quirel_MultiScanMode::inputSourceForImageSource(7), 0);
}

TEST(MultiScanMode, DestinationPicturesFollowSourceAndDestination) {
  struct Case {
    int source, destination, picture;
  };
  const Case cases[] = {{4, 3, 7}, {3, 0, 0}, {0, 1, 2}, {1, 1, 3}, {2, 2, 5}, {5, 3, 6}, {6, 9, 0}};
  for (const Case& c : cases)
    EXPECT_EQ(Quirel_MultiScanMode::destinationPictureNumber(c.source, c.destination), c.picture)
        << c.source << "," << c.destination;

  MsWindow w(msScanner(false, false, false, false));
  const fnd::Dictionary entry = msEntry({0, 1, 2, 3, 4}, {0, 1, 2, 3});
  w.mode.setMultiScanItem(&entry, false);
  msChoose(w.mode.getImgSrcPopup(), 4);
  msChoose(w.mode.getDstPopup(), 3);
  const kit::Image shown = w.mode.getDstView()->getImageView()->image();
  const kit::Image seven = kit::Image::named("MsDestination7.icns", "quirel_r14");
  ASSERT_TRUE(shown.isValid());
  ASSERT_TRUE(seven.isValid());
  for (int y = 0; y < seven.pixelsHigh(); y += 5)
    EXPECT_EQ(shown.colorAtPixel(30, y), seven.colorAtPixel(30, y)) << y;
}

TEST(MultiScanMode, LastSettingKeysDependOnTheGeneration) {
  {
    Quirel_MultiScanMode mode;
    mode.setScannerInfo(modes_test::scannerWith(msScanner(true, true, true, true)));
    const fnd::Dictionary last{{"ImageSource", 5}, {"Destiation", 1}, {"DuplexADF", true},
                               {"RecommendedImageProc", true}, {"ShowResult", true}};
    mode.setLastSetting(&last);
    EXPECT_EQ(mode.getImageSource(), 0);
    EXPECT_EQ(mode.getDestination(), 2);
    const fnd::Dictionary stored = mode.getLastSetting();
    EXPECT_EQ(stored.keys(), (std::vector<std::string>{"DuplexADF", "RecommendedImageProc", "ShowResult"}));
    EXPECT_TRUE(stored.boolean("DuplexADF"));
    EXPECT_TRUE(stored.get("ShowResult").isBool());
  }
  {
    Quirel_MultiScanMode mode;
    mode.setScannerInfo(modes_test::scannerWith(msScanner(true, true, true, false)));
    EXPECT_EQ(mode.getLastSetting().keys(), (std::vector<std::string>{"DuplexADF", "ShowResult"}));
  }
  {
    // Older: a missing "Destiation" reads 0, not the default 2; the options are never read.
    Quirel_MultiScanMode mode;
    mode.setScannerInfo(modes_test::scannerWith(msScanner(false, true, true, true)));
    const fnd::Dictionary last{{"ImageSource", 3}, {"Destination", 1}, {"DuplexADF", true}};
    mode.setLastSetting(&last);
    EXPECT_EQ(mode.getImageSource(), 3);
    EXPECT_EQ(mode.getDestination(), 0);
    EXPECT_FALSE(mode.getDuplexADF());
    EXPECT_EQ(mode.getLastSetting().keys(), (std::vector<std::string>{"Destiation", "ImageSource", "ShowResult"}));
    mode.setLastSetting(nullptr);
    EXPECT_EQ(mode.getImageSource(), 0);
  }
}

TEST(MultiScanMode, DefaultsComeFromTheModelEntryByGeneration) {
  fnd::Dictionary entry = msEntry({0, 1}, {0, 1, 2});
  entry.set("ImageSource", fnd::Dictionary{{"DefaultValue", 1}});
  entry.set("Destination", fnd::Dictionary{{"DefaultValue", 3}});
  entry.set("DuplexADF", true);
  entry.set("RecommendedImageProc", true);
  entry.set("ScanResult", true);
  {
    Quirel_MultiScanMode mode;
    mode.setScannerInfo(modes_test::scannerWith(msScanner(false, true, true, true)));
    const fnd::Dictionary parameters{{"MultiScanMode", entry}};
    mode.setUimParameterDic(&parameters);
    mode.setDefaultSetting(nullptr);
    EXPECT_EQ(mode.getImageSource(), 1);
    EXPECT_EQ(mode.getDestination(), 3);
    EXPECT_FALSE(mode.getDuplexADF());
    EXPECT_FALSE(mode.getRecommendImageSetting());
    EXPECT_TRUE(mode.getShowResult());
  }
  {
    Quirel_MultiScanMode mode;
    mode.setScannerInfo(modes_test::scannerWith(msScanner(true, true, true, true)));
    mode.setDefaultSetting(&entry);
    EXPECT_EQ(mode.getImageSource(), 0);
    EXPECT_EQ(mode.getDestination(), 2);
    EXPECT_TRUE(mode.getDuplexADF());
    EXPECT_TRUE(mode.getRecommendImageSetting());
    mode.setDefaultSetting(nullptr);  // no parameters at all: every value as for a missing key
    EXPECT_FALSE(mode.getDuplexADF());
    EXPECT_FALSE(mode.getShowResult());
  }
}

TEST(MultiScanMode, RecommendedBoxFollowsTheColourManagementChoiceAndKeepsItsValue) {
  MsWindow w(msScanner(true, false, false, true, false, true));
  Quirel_CTRLS_CheckBox* box = w.mode.getRecommendImageSettingCbx();
  ASSERT_NE(box, nullptr);
  box->setCheck(true);
  box->checkBoxAction();
  EXPECT_TRUE(w.mode.getRecommendImageSetting());

  auto prefs = std::make_shared<Quirel_PreferenceInfo>();
  prefs->setColorSetting(3, 2);
  w.mode.setPreferenceInfo(prefs);
  w.mode.setValueToControl();
  EXPECT_FALSE(box->isChecked());
  EXPECT_FALSE(box->isEnabled());
  EXPECT_TRUE(w.mode.getRecommendImageSetting());

  prefs->setColorSetting(3, 0);
  w.mode.preferenceInfoIsUpdate();
  EXPECT_TRUE(box->isChecked());
  EXPECT_TRUE(box->isEnabled());
}

TEST(MultiScanMode, ShowTabNarrowsTheWindowOnceAndHiddenTabWidensItBack) {
  MsWindow w(msScanner(true, false, false, false, false, true));
  Quirel_MainWindow* window = w.window();
  window->setMinSize(fnd::Size(850, 638));
  const fnd::Rect before = window->frame();
  ASSERT_EQ(before.size.width, 1000);

  w.mode.showTab();
  EXPECT_EQ(window->frame().size.width, 350);
  EXPECT_EQ(window->frame().origin.x + window->frame().size.width, before.origin.x + before.size.width);
  EXPECT_EQ(w.mode.getHiddenWidth(), 650);
  EXPECT_EQ(window->minSize(), fnd::Size(350, 638));
  EXPECT_EQ(window->maxSize(), fnd::Size(350, 3000));
  EXPECT_TRUE(w.frame->getFrameView()->isHidden());

  // Shown again while narrowed: the first width and limits stay the ones to come back to.
  w.mode.showTab();
  EXPECT_EQ(w.mode.getHiddenWidth(), 650);
  EXPECT_EQ(window->frame().size.width, 350);

  EXPECT_TRUE(w.mode.hiddenTab());
  EXPECT_EQ(window->frame(), before);
  EXPECT_EQ(window->minSize(), fnd::Size(850, 638));
  EXPECT_EQ(window->maxSize(), fnd::Size(4000, 3000));
  EXPECT_EQ(w.mode.getHiddenWidth(), 0);
  EXPECT_FALSE(w.frame->getFrameView()->isHidden());
  EXPECT_TRUE(w.mode.hiddenTab());
  EXPECT_EQ(window->frame(), before);

  // At scale 2 the tab alone is 700 wide.
  w.mode.setUserSpaceScaleFactor(2.0);
  w.mode.showTab();
  EXPECT_EQ(window->frame().size.width, 700);
  EXPECT_EQ(w.mode.getHiddenWidth(), 300);
  w.mode.hiddenTab();
}

TEST(MultiScanMode, ScanStartPostsInOrderAndTheRecordOfTheGeneration) {
  struct Case {
    bool ver1400;
    const char* settingsPost;
  };
  for (const Case c : {Case{true, "scanSettingFromAutoPost"}, Case{false, "scanSettingFromMultiPost"}}) {
    MsWindow w(msScanner(c.ver1400, false, false, false));
    MsFiller filler;
    int uim = 0;
    w.mode.setUIMObject(&uim);
    w.mode.getResultCbx()->setCheck(true);
    w.mode.getResultCbx()->checkBoxAction();
    PostLog log(kMsOutward);
    w.mode.getScanBtn()->ScanBTAction();
    EXPECT_EQ(msNames(log), (std::vector<std::string>{"setStandardModeIDPost", c.settingsPost,
                                                      "needScanResultWindowPost", "MultiScanMode_Scan",
                                                      "ntfQuirel_SaveInfo"}));
    EXPECT_EQ(filler.modeObject, static_cast<ModeLink*>(&w.mode));
    const PostLog::Post* scan = log.find("MultiScanMode_Scan");
    ASSERT_NE(scan, nullptr);
    EXPECT_EQ(scan->sender, &uim);
    EXPECT_TRUE(scan->info.contains("IMAGEDOCUMENTTYPE"));
    EXPECT_FALSE(scan->info.contains("INPUTDOCUMENTSIZE"));
    EXPECT_EQ(scan->info.array("CropItem").size(), 1u);
    // The save settings come from this mode's preferences, as after a basic-mode scan.
    const PostLog::Post* save = log.find("ntfQuirel_SaveInfo");
    ASSERT_NE(save, nullptr);
    EXPECT_EQ(save->sender, &uim);
    EXPECT_EQ(save->info.integer("SaveFileFormat"), w.mode.getPreferenceInfo()->getFileFormat());
    EXPECT_TRUE(save->info.contains("isLargeTif"));
    // The controls stay disabled until the end of the scan.
    EXPECT_NE(w.mode.getDisabledView(), nullptr);
    EXPECT_FALSE(w.mode.getScanBtn()->getColorPushBT()->isEnabled());
  }
}

TEST(MultiScanMode, ScanWithoutResultWindowSendsNoResultRequest) {
  MsWindow w(msScanner(true, false, false, false));
  MsFiller filler;
  PostLog log(kMsOutward);
  w.mode.MsScanStart(fnd::Notification{});
  EXPECT_EQ(log.find("needScanResultWindowPost"), nullptr);
  EXPECT_NE(log.find("MultiScanMode_Scan"), nullptr);
}

TEST(MultiScanMode, RefusedRecordSendsNothingAndGivesTheControlsBack) {
  MsWindow w(msScanner(true, false, false, false));
  MsFiller filler;
  filler.refuse = true;
  w.mode.getResultCbx()->setCheck(true);
  w.mode.getResultCbx()->checkBoxAction();
  PostLog log(kMsOutward);
  EXPECT_FALSE(w.mode.MsScanStart(fnd::Notification{}));
  EXPECT_EQ(log.find("MultiScanMode_Scan"), nullptr);
  EXPECT_EQ(log.find("needScanResultWindowPost"), nullptr);
  EXPECT_EQ(log.find("ntfQuirel_SaveInfo"), nullptr);
  EXPECT_EQ(w.mode.getDisabledView(), nullptr);
  EXPECT_TRUE(w.mode.getScanBtn()->getColorPushBT()->isEnabled());
  EXPECT_TRUE(w.window()->isEnabled());
}

TEST(MultiScanMode, EnablingLaysTheOverlayAndSkipsAClosingWindow) {
  MsWindow w(msScanner(true, true, true, true, false, true));
  w.mode.setEnabledAllControl(false);
  ASSERT_NE(w.mode.getDisabledView(), nullptr);
  EXPECT_EQ(w.mode.getDisabledView()->superview(), w.window()->contentView());
  EXPECT_FALSE(w.window()->isEnabled());
  EXPECT_FALSE(w.mode.getDuplexADFCbx()->isEnabled());
  EXPECT_TRUE(w.mode.getHelpBtn()->getIconBT()->toolTip().empty());
  w.mode.setEnabledAllControl(false);  // still one overlay
  EXPECT_EQ(w.window()->contentView()->subviews().back(), w.mode.getDisabledView());

  w.window()->setCloseFlg(true);
  w.mode.setEnabledAllControl(true);
  EXPECT_NE(w.mode.getDisabledView(), nullptr);
  w.window()->setCloseFlg(false);
  w.mode.setEnabledAllControl(true);
  EXPECT_EQ(w.mode.getDisabledView(), nullptr);
  EXPECT_TRUE(w.mode.getDuplexADFCbx()->isEnabled());
  EXPECT_FALSE(w.mode.getHelpBtn()->getIconBT()->toolTip().empty());

  // After the preferences the controls stay disabled while the main window is.
  w.mode.setEnabledAllControl(false);
  w.mode.preferenceInfoIsUpdate();
  EXPECT_FALSE(w.mode.getScanBtn()->getColorPushBT()->isEnabled());
}

TEST(MultiScanMode, ResultWindowStatusFollowsItsPosts) {
  Quirel_MultiScanMode mode;
  auto& center = fnd::NotificationCenter::defaultCenter();
  center.post("setResultShowStatusPost", nullptr);
  EXPECT_TRUE(mode.getResultShowStatus());
  center.post("setResultCloseStatusPost", nullptr);
  EXPECT_FALSE(mode.getResultShowStatus());
}

TEST(MultiScanMode, HelpLinksOpenTheirPagesAndTellTheScannerOnNewModels) {
  for (bool ver1700 : {true, false}) {
    MsWindow w(msScanner(true, false, false, false, false, true, ver1700));
    PostLog log(kMsOutward);
    w.mode.getHelpBtn()->HelpBTAction();
    w.mode.MsShowHowToPut(fnd::Notification{});
    if (ver1700) {
      ASSERT_EQ(msNames(log), (std::vector<std::string>{"setALMUserInterfaceData", "OpenHelpBookPost",
                                                        "setALMUserInterfaceData", "OpenHelpBookPost"}));
      EXPECT_EQ(log.posts[0].info.integer("HELP"), 3);
      EXPECT_EQ(log.posts[0].sender, nullptr);
      EXPECT_EQ(log.posts[2].info.integer("HELP"), 4);
    } else {
      ASSERT_EQ(msNames(log), (std::vector<std::string>{"OpenHelpBookPost", "OpenHelpBookPost"}));
    }
    const PostLog::Post& open = log.posts[ver1700 ? 1 : 0];
    EXPECT_EQ(open.info.integer("HelpMode"), 3);
    EXPECT_EQ(open.info.get("ScannerInfo").toObject<Quirel_UIScannerInfo>().get(), w.mode.getScannerInfo());
    EXPECT_EQ(log.posts.back().info.integer("HelpMode"), 4);
  }
}

TEST(MultiScanMode, ThePreviewModelFillsARequestThatLeavesFindingToTheScanner) {
  // The simulated scanner scans one image per document for "OnePass" 2, 4 or 6 from the platen.
  struct Case {
    bool ver1400;
    int onePass;
  };
  for (const Case c : {Case{true, 6}, Case{false, 2}}) {
    Quirel_PreviewInfo preview;
    MsWindow w(msScanner(c.ver1400, false, false, false));
    const fnd::Dictionary entry = msEntry({0, 1, 2, 3, 4}, {0, 1, 2, 3});
    w.mode.setMultiScanItem(&entry, false);
    PostLog log(kMsOutward);
    ASSERT_TRUE(w.mode.MsScanStart(fnd::Notification{}));
    const PostLog::Post* scan = log.find("MultiScanMode_Scan");
    ASSERT_NE(scan, nullptr);
    EXPECT_EQ(scan->info.integer("OnePass"), c.onePass);
    EXPECT_EQ(scan->info.integer("InputSource"), 0);
    ASSERT_FALSE(scan->info.array("CropItem").empty());
    EXPECT_EQ(scan->info.array("CropItem")[0]["Resolution"].toInteger(), 300);
  }
}
