// Preview and scan requests: the settings post, the outward posts with the record's dictionary
// form, the request flags, the scan-end sound and the save settings.

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <fstream>

#include "ModesTestSupport.h"
#include "foundation/Paths.h"
#include "ui/model/ProfileCMList.h"

using modes_test::PostLog;
using modes_test::RecordFiller;
using modes_test::TestScanMode;

namespace {

namespace fs = std::filesystem;

const std::vector<std::string> kRequestNames{"previewSettingFromStdPost", "previewSettingFromExtPost",
                                             "scanSettingFromStdPost",    "scanSettingFromExtPost",
                                             "previewModeChangePost",     "setScanSoundTimerPost",
                                             Quirel_PostNotification::kOverrideNotification};

// Only the names of the outward posts, in order.
std::vector<std::string> outward(const PostLog& log) {
  std::vector<std::string> names;
  for (const auto& p : log.posts) {
    if (p.name.find("Setting") == std::string::npos && p.name != "previewModeChangePost" &&
        p.name != "setScanSoundTimerPost")
      names.push_back(p.name);
  }
  return names;
}

const fnd::Dictionary& firstCrop(const PostLog::Post& post) { return post.info.array("CropItem")[0].toDictionary(); }

std::string requestFolder(const std::string& name) {
  const fs::path dir = fs::path(fnd::Paths::configDir()) / "requests" / name;
  fs::remove_all(dir);
  fs::create_directories(dir);
  return dir.string();
}

struct RequestRig {
  int controller = 0;
  TestScanMode mode;
  RecordFiller filler;
  std::shared_ptr<Quirel_PreferenceInfo> preferences = std::make_shared<Quirel_PreferenceInfo>();
  RequestRig() {
    mode.setUIMObject(&controller);
    mode.setScannerInfo(modes_test::scannerWith({{"ImageDocumentTypeToSM", true}}));
    mode.setPreferenceInfo(preferences);
  }
};

}  // namespace

TEST(BaseScanModeRequests, APreviewAsksForTheRecordThenSendsItAt300Dpi) {
  RequestRig rig;
  rig.filler.resolutions = {600, 1200};
  PostLog log(kRequestNames);
  EXPECT_TRUE(rig.mode.postPreviewWithScan(false, false, true, false, true, true, true, true, 7, 128));

  EXPECT_EQ(log.names(), (std::vector<std::string>{"previewSettingFromStdPost", "previewModeChangePost",
                                                   "Preview_Scan"}));
  EXPECT_EQ(log.posts[0].sender, static_cast<const void*>(&rig.mode));
  EXPECT_EQ(rig.filler.modeObject, static_cast<ModeLink*>(&rig.mode));
  EXPECT_EQ(rig.filler.threshold, 128);
  EXPECT_EQ(log.posts[1].info.intValue("PreviewMode"), 0);
  const PostLog::Post& preview = log.posts[2];
  EXPECT_EQ(preview.sender, &rig.controller);
  EXPECT_EQ(firstCrop(preview).intValue("Resolution"), 300);
  EXPECT_EQ(preview.info.array("CropItem")[1]["Resolution"].toInt(), 1200);
  EXPECT_TRUE(preview.info.contains("INPUTDOCUMENTSIZE"));
  EXPECT_TRUE(preview.info.contains("IMAGEDOCUMENTTYPE"));

  EXPECT_FALSE(rig.mode.getNeedScan());
  EXPECT_FALSE(rig.mode.getRedrawPreview());
  EXPECT_FALSE(rig.mode.getOriginalScan());  // cleared when the request returns
  EXPECT_TRUE(rig.mode.getPreviewAtStart());
  EXPECT_TRUE(rig.mode.getCreateFilmCrop());
  EXPECT_TRUE(rig.mode.getChangeThumbnailSize());
  EXPECT_EQ(rig.mode.getProgressStatus(), 7);
  EXPECT_FALSE(rig.mode.getChangeFavoriteSetting());
  EXPECT_TRUE(rig.mode.postPreviewWithScan(false, false, false, true, false, false, false, false, 0, 0, true));
  EXPECT_TRUE(rig.mode.getChangeFavoriteSetting());
}

TEST(BaseScanModeRequests, ZoomAndModeChangeChooseTheNamesAndTheAdvancedModeItsOwnSettingsPost) {
  struct Case {
    int uiMode;
    bool zoom, change;
    std::vector<std::string> names;
    int previewMode;
  };
  for (const Case& c :
       {Case{0, true, true, {"previewSettingFromStdPost", "previewModeChangePost", "Zoom_Scan"}, 1},
        Case{0, true, false, {"previewSettingFromStdPost", "Zoom_Scan"}, -1},
        Case{0, false, false, {"previewSettingFromStdPost", "Preview_Scan"}, -1},
        Case{1, false, true, {"previewSettingFromExtPost", "previewModeChangePost", "Preview_Scan"}, 0}}) {
    RequestRig rig;
    rig.mode.mUIMode = c.uiMode;
    PostLog log(kRequestNames);
    EXPECT_TRUE(rig.mode.postPreviewWithScan(false, c.zoom, c.change, true, false, false, false, false, 0, 0));
    EXPECT_EQ(log.names(), c.names);
    if (const PostLog::Post* p = log.find("previewModeChangePost")) {
      EXPECT_EQ(p->info.intValue("PreviewMode"), c.previewMode);
    }
  }
}

TEST(BaseScanModeRequests, AScanKeepsTheFrameResolutionAndIsFollowedByTheSaveSettings) {
  for (int uiMode : {0, 1}) {
    RequestRig rig;
    rig.mode.mUIMode = uiMode;
    const std::string folder = requestFolder("save");
    rig.preferences->setSaveName("Holiday");
    rig.preferences->setSavePath(folder);
    rig.preferences->setSavePathBookmarkURL(folder);
    rig.preferences->setFileFormat(1);
    rig.preferences->setFileCompression(2);
    rig.preferences->setColorSetting(1, 1);
    rig.preferences->setOutputPf_FilePath("/profiles/out.icc");
    rig.preferences->setEnableLargeScan(true);
    rig.filler.colorMode = 1;
    rig.filler.colorSetting = 1;
    rig.mode.postPreviewWithScan(false, false, false, true, true, false, true, false, 0, 0);
    PostLog log(kRequestNames);
    EXPECT_TRUE(rig.mode.postScan());

    const char* settings = uiMode ? "scanSettingFromExtPost" : "scanSettingFromStdPost";
    const char* scan = uiMode ? "AdvancedMode_Scan" : "StandardMode_Scan";
    EXPECT_EQ(log.names(), (std::vector<std::string>{settings, scan, "ntfQuirel_SaveInfo"}));
    const PostLog::Post& request = log.posts[1];
    EXPECT_EQ(firstCrop(request).intValue("Resolution"), 600);
    EXPECT_FALSE(request.info.contains("INPUTDOCUMENTSIZE"));
    EXPECT_TRUE(request.info.contains("IMAGEDOCUMENTTYPE"));
    EXPECT_EQ(rig.filler.threshold, 0);
    EXPECT_TRUE(rig.mode.getNeedScan());
    EXPECT_FALSE(rig.mode.getOriginalScan());
    EXPECT_FALSE(rig.mode.getCreateFilmCrop());

    const PostLog::Post& save = log.posts[2];
    EXPECT_EQ(save.sender, &rig.controller);
    EXPECT_EQ(save.info.size(), 8u);
    EXPECT_EQ(save.info.string("SaveFileName"), "Holiday");
    EXPECT_EQ(save.info.string("SaveFilePath"), folder + "/");
    EXPECT_TRUE(fs::equivalent(save.info.string("SaveFilePathBookmark"), folder));
    EXPECT_EQ(save.info.intValue("SaveFileFormat"), 1);
    EXPECT_EQ(save.info.intValue("SaveCompression"), 2);
    EXPECT_EQ(save.info.intValue("ColorSetting"), 1);  // the grayscale entry
    EXPECT_EQ(save.info.string("OutputPf_FilePath"), "/profiles/out.icc");
    EXPECT_TRUE(save.info.boolean("isLargeTif"));
  }
}

TEST(BaseScanModeRequests, TheProfileOfTheSaveSettingsFollowsTheColourSettingAndTheInputSource) {
  struct Case {
    int colorSetting;
    int inputSource;
    bool withList;
    const char* profile;  // null: no key
  };
  for (const Case c : {Case{2, 0, true, "/in/reflective.icc"}, Case{2, 1, true, "/in/reflective.icc"},
                       Case{2, 2, true, "/in/reflective.icc"}, Case{2, 3, true, "/in/negative.icc"},
                       Case{2, 5, true, "/in/negative.icc"}, Case{2, 4, true, "/in/positive.icc"},
                       Case{2, 6, true, "/in/positive.icc"}, Case{2, 7, true, nullptr}, Case{2, 0, false, nullptr},
                       Case{1, 7, true, "/profiles/out.icc"}, Case{0, 3, false, "/profiles/out.icc"}}) {
    RequestRig rig;
    auto profiles = std::make_shared<Quirel_ProfileCMList>();
    if (c.withList)
      profiles->setDefaultInputProfilePathList(
          std::vector<std::string>{"/in/reflective.icc", "/in/negative.icc", "/in/positive.icc"});
    rig.mode.setProfileCMList(profiles);
    rig.preferences->setOutputPf_FilePath("/profiles/out.icc");
    rig.filler.colorSetting = c.colorSetting;
    rig.filler.inputSource = c.inputSource;
    PostLog log(kRequestNames);
    ASSERT_TRUE(rig.mode.postScan());
    const PostLog::Post* save = log.find("ntfQuirel_SaveInfo");
    ASSERT_NE(save, nullptr);
    if (c.profile)
      EXPECT_EQ(save->info.string("OutputPf_FilePath"), c.profile) << c.colorSetting << " " << c.inputSource;
    else
      EXPECT_FALSE(save->info.contains("OutputPf_FilePath")) << c.colorSetting << " " << c.inputSource;
    // No save bookmark in these preferences: the key is left out, not sent empty.
    EXPECT_FALSE(save->info.contains("SaveFilePathBookmark"));
  }
}

TEST(BaseScanModeRequests, TheScanEndSoundNeedsTheSwitchAReadablePlainFileAndAScan) {
  const std::string folder = requestFolder("sound");
  const std::string plain = folder + "/end.wav";
  std::ofstream(plain) << "RIFF";
  const std::string locked = folder + "/locked.wav";
  std::ofstream(locked) << "RIFF";
  ::chmod(locked.c_str(), 0);
  const bool canReadLocked = std::ifstream(locked).good();  // true when run with every right
  enum Request { PreviewScan, PreviewOnly, Scan };
  struct Case {
    bool sound;
    std::string path;
    Request request;
    bool armed;
  };
  for (const Case& c : {Case{true, plain, PreviewScan, true}, Case{true, plain, PreviewOnly, false},
                        Case{true, plain, Scan, true}, Case{false, plain, Scan, false},
                        Case{true, folder, Scan, false}, Case{true, folder + "/missing.wav", Scan, false},
                        Case{true, "", Scan, false}, Case{true, locked, Scan, canReadLocked}}) {
    RequestRig rig;
    rig.preferences->setSound(c.sound);
    rig.preferences->setSoundPath(c.path);
    PostLog log({"setScanSoundTimerPost"});
    if (c.request == Scan)
      rig.mode.postScan();
    else
      rig.mode.postPreviewWithScan(c.request == PreviewScan, false, false, true, false, false, false, false, 0, 0);
    EXPECT_EQ(!log.posts.empty(), c.armed) << c.path << " request " << c.request;
    if (!log.posts.empty()) {
      EXPECT_EQ(log.posts[0].sender, static_cast<const void*>(&rig.mode));
    }
  }
  ::chmod(locked.c_str(), 0600);
}

TEST(BaseScanModeRequests, AModeWithoutAWindowControllerPostsAsItself) {
  TestScanMode mode;
  RecordFiller filler;
  PostLog log(kRequestNames);
  EXPECT_TRUE(mode.postPreviewWithScan(false, false, false, true, false, false, false, false, 0, 0));
  EXPECT_TRUE(mode.postScan());  // no preferences: the save settings carry only what the record says
  EXPECT_EQ(outward(log), (std::vector<std::string>{"Preview_Scan", "StandardMode_Scan", "ntfQuirel_SaveInfo"}));
  for (const auto& p : log.posts) EXPECT_EQ(p.sender, static_cast<const void*>(&mode)) << p.name;
  EXPECT_TRUE(log.find("ntfQuirel_SaveInfo")->info.empty());
}

TEST(BaseScanModeRequests, NothingIsSentWithoutAWholeRecord) {
  enum Fault { NoFirstCrop, Refused, NobodyFills, NoTemporaryPath };
  struct Case {
    Fault fault;
    bool previewSent;
    bool scanSent;
  };
  for (const Case c : {Case{NoFirstCrop, false, true}, Case{Refused, false, false}, Case{NobodyFills, false, false},
                       Case{NoTemporaryPath, false, false}}) {
    int controller = 0;
    TestScanMode mode;
    mode.setUIMObject(&controller);
    std::optional<RecordFiller> filler;
    if (c.fault != NobodyFills) filler.emplace();
    if (c.fault == NoFirstCrop) filler->resolutions.clear();
    if (c.fault == Refused) filler->refuse = true;
    if (c.fault == NoTemporaryPath) filler->withTemporaryPath = false;

    PostLog log(kRequestNames);
    EXPECT_EQ(mode.postPreviewWithScan(false, true, true, true, true, false, false, false, 0, 0), c.previewSent)
        << c.fault;
    EXPECT_EQ(log.find("previewModeChangePost"), nullptr) << c.fault;
    EXPECT_TRUE(outward(log).empty()) << c.fault;
    EXPECT_FALSE(mode.getOriginalScan());
    EXPECT_EQ(mode.postScan(), c.scanSent) << c.fault;
    EXPECT_EQ(outward(log).size(), c.scanSent ? 2u : 0u) << c.fault;
  }
}
