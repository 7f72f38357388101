#include <gtest/gtest.h>
#include <lcms2.h>

#include <filesystem>

#include "TestEnvironment.h"
#include "imageio/InstalledProfiles.h"
#include "ui/model/PreferenceInfo.h"
#include "ui/model/ProfileManager.h"

namespace {

using imageio::InstalledProfiles;

// A profile file made with Little CMS: RGB (sRGB primaries) or CMYK, of a class and version.
std::string writeProfile(const std::filesystem::path& path, cmsProfileClassSignature cls, double version,
                         const char* description, bool cmyk = false) {
  cmsHPROFILE h;
  if (cmyk) {
    h = cmsCreateLab4Profile(nullptr);
    cmsSetColorSpace(h, cmsSigCmykData);
  } else {
    h = cmsCreate_sRGBProfile();
  }
  cmsSetDeviceClass(h, cls);
  cmsSetProfileVersion(h, version);
  cmsMLU* mlu = cmsMLUalloc(nullptr, 1);
  cmsMLUsetASCII(mlu, "en", "US", description);
  cmsWriteTag(h, cmsSigProfileDescriptionTag, mlu);
  cmsMLUfree(mlu);
  cmsSaveProfileToFile(h, path.c_str());
  cmsCloseProfile(h);
  return path.string();
}

std::vector<std::string> names(const Quirel_ProfileManager::Profiles& list) {
  std::vector<std::string> out;
  for (const auto& p : list) out.push_back(p.getProfileName().value_or("?"));
  return out;
}

class ProfileManager : public testing::Test {
 protected:
  void SetUp() override {
    folder_ = testenv::freshFolder(testing::UnitTest::GetInstance()->current_test_info()->name());
    InstalledProfiles::setSearchPath({folder_.string()});
    InstalledProfiles::setDisplayProfilePath("");
  }
  void TearDown() override {
    InstalledProfiles::setSearchPath({});
    InstalledProfiles::setDisplayProfilePath("");
  }
  std::string add(const char* file, cmsProfileClassSignature cls, double version, const char* description,
                  bool cmyk = false) {
    return writeProfile(folder_ / file, cls, version, description, cmyk);
  }

  std::filesystem::path folder_;
  Quirel_ProfileManager manager_;
};

}  // namespace

TEST_F(ProfileManager, ListsOnlyVersion2RGBProfilesOfTheirClass) {
  add("a-scanner4.icc", cmsSigInputClass, 4.3, "Scanner v4");
  add("b-press.icc", cmsSigOutputClass, 2.1, "Press CMYK", true);
  const std::string screen = add("c-screen.icc", cmsSigDisplayClass, 2.1, "Screen");
  add("d-scanner2.icc", cmsSigInputClass, 2.1, "Scanner v2");
  add("e-printer.icc", cmsSigOutputClass, 2.4, "Photo printer");
  add("f-nameless.icc", cmsSigDisplayClass, 2.1, "");

  const auto inputs = manager_.getInputProfileList({});
  EXPECT_EQ(names(inputs), (std::vector<std::string>{"Scanner v2"}));
  EXPECT_TRUE(inputs[0].isInputProfile());
  EXPECT_FALSE(inputs[0].isDefault());

  const auto outputs = manager_.getOutputProfileList();
  ASSERT_EQ(names(outputs), (std::vector<std::string>{"Screen", "Photo printer"}));
  EXPECT_FALSE(outputs[0].isInputProfile());
  EXPECT_EQ(outputs[0].getFilePath(), screen);
  // No display profile known: the last entry is the default.
  EXPECT_FALSE(outputs[0].isDefault());
  EXPECT_TRUE(outputs[1].isDefault());
}

TEST_F(ProfileManager, TheLaterOfTwoEqualDisplayEntriesIsTheDefault) {
  const std::string screen = add("screen.icc", cmsSigDisplayClass, 2.1, "Screen");
  add("zz-other.icc", cmsSigDisplayClass, 2.1, "Other");
  // The same folder twice lists the display's profile twice, with the same name and path.
  InstalledProfiles::setSearchPath({folder_.string(), folder_.string()});
  InstalledProfiles::setDisplayProfilePath(screen);
  const auto display = manager_.getDefaultOutputProfile();
  ASSERT_TRUE(display);
  EXPECT_EQ(display->getProfileName(), "Screen");

  const auto outputs = manager_.getOutputProfileList();
  ASSERT_EQ(names(outputs), (std::vector<std::string>{"Screen", "Other", "Screen", "Other"}));
  EXPECT_FALSE(outputs[0].isDefault());
  EXPECT_TRUE(outputs[2].isDefault());
  EXPECT_FALSE(outputs[3].isDefault());

  // A display profile that is not installed marks nothing.
  const auto elsewhere = testenv::freshFolder("elsewhere") / "display.icc";
  InstalledProfiles::setDisplayProfilePath(writeProfile(elsewhere, cmsSigDisplayClass, 2.1, "Screen"));
  for (const auto& p : manager_.getOutputProfileList()) EXPECT_FALSE(p.isDefault());
}

TEST_F(ProfileManager, DefaultSourceProfilesComeFromTheDriversPaths) {
  add("installed.icc", cmsSigInputClass, 2.1, "Installed scanner");
  const auto own = testenv::freshFolder("driver");
  const std::string reflective = writeProfile(own / "r.icc", cmsSigInputClass, 2.1, "Driver reflective");
  const std::string positive = writeProfile(own / "p.icc", cmsSigInputClass, 2.1, "Driver positive");
  const auto inputs = manager_.getInputProfileList({reflective, (own / "missing.icc").string(), positive});
  ASSERT_EQ(names(inputs), (std::vector<std::string>{"Installed scanner", "Driver reflective", "Driver positive"}));
  EXPECT_TRUE(inputs[1].isDefault());
  EXPECT_EQ(inputs[1].getSourceType(), 0);
  EXPECT_TRUE(inputs[2].isDefault());
  EXPECT_EQ(inputs[2].getSourceType(), 2);
  EXPECT_EQ(inputs[0].getSourceType(), -1);

  // A fresh record takes the defaults per source; the negative source has none and stays empty.
  Quirel_PreferenceInfo prefs;
  manager_.checkAndSetInputProfilesData(inputs, prefs);
  EXPECT_EQ(prefs.getInputPf_Name(0), "Driver reflective");
  EXPECT_EQ(prefs.getInputPf_FilePath(0), reflective);
  EXPECT_EQ(prefs.getInputPf_Name(1), "");
  EXPECT_EQ(prefs.getInputPf_Name(2), "Driver positive");
  // A stored name that is installed keeps its name and takes the current path.
  prefs.setInputPf_Name(1, "Installed scanner");
  prefs.setInputPf_FilePath(1, "/old/place.icc");
  manager_.checkAndSetInputProfilesData(inputs, prefs);
  EXPECT_EQ(prefs.getInputPf_FilePath(1), (folder_ / "installed.icc").string());
}

TEST_F(ProfileManager, StoredTargetChoiceIsCheckedAgainstTheInstalledProfiles) {
  const std::string screen = add("screen.icc", cmsSigDisplayClass, 2.1, "Screen");
  const std::string printer = add("printer.icc", cmsSigOutputClass, 2.1, "Printer");
  InstalledProfiles::setDisplayProfilePath(screen);
  const auto outputs = manager_.getOutputProfileList();

  Quirel_PreferenceInfo gone;
  gone.setOutputPf_Name("Uninstalled monitor");
  gone.setOutputPf_FilePath("/gone.icc");
  manager_.checkAndSetOutputProfilesData(outputs, gone);
  EXPECT_EQ(gone.getOutputPf_Name(), "Screen");
  EXPECT_EQ(gone.getOutputPf_FilePath(), screen);

  Quirel_PreferenceInfo kept;
  kept.setOutputPf_Name("Printer");
  kept.setOutputPf_FilePath("/moved.icc");
  manager_.checkAndSetOutputProfilesData(outputs, kept);
  EXPECT_EQ(kept.getOutputPf_Name(), "Printer");
  EXPECT_EQ(kept.getOutputPf_FilePath(), printer);

  // Nothing installed: the record keeps what it had.
  Quirel_PreferenceInfo alone;
  alone.setOutputPf_Name("Mine");
  manager_.checkAndSetOutputProfilesData({}, alone);
  EXPECT_EQ(alone.getOutputPf_Name(), "Mine");
}

TEST_F(ProfileManager, ListsAreBuiltOnce) {
  add("scanner.icc", cmsSigInputClass, 2.1, "Scanner");
  add("screen.icc", cmsSigDisplayClass, 2.1, "Screen");
  Quirel_ProfileCMList lists;
  EXPECT_FALSE(lists.getInputProfileList());
  Quirel_PreferenceInfo prefs;
  manager_.checkAndSetProfilesData(lists, prefs);
  ASSERT_TRUE(lists.getInputProfileList());
  ASSERT_TRUE(lists.getOutputProfileList());
  EXPECT_EQ(names(*lists.getInputProfileList()), (std::vector<std::string>{"Scanner"}));
  EXPECT_EQ(prefs.getOutputPf_Name(), "Screen");

  // Installed later: the lists of this window do not change.
  add("screen2.icc", cmsSigDisplayClass, 2.1, "Second screen");
  manager_.checkAndSetProfilesData(lists, prefs);
  EXPECT_EQ(names(*lists.getOutputProfileList()), (std::vector<std::string>{"Screen"}));
  EXPECT_EQ(prefs.getOutputPf_Name(), "Screen");
}

TEST(ProfileCM, EqualityAndIterationData) {
  const Quirel_ProfileCM a(false, "A", "/a.icc");
  const Quirel_ProfileCM sameA(true, "A", "/a.icc");
  const Quirel_ProfileCM otherPath(false, "A", "/b.icc");
  const Quirel_ProfileCM unnamed(false, std::nullopt, std::nullopt);
  EXPECT_TRUE(Quirel_ProfileManager::isEqualProfile(nullptr, nullptr));
  EXPECT_FALSE(Quirel_ProfileManager::isEqualProfile(&a, nullptr));
  EXPECT_TRUE(Quirel_ProfileManager::isEqualProfile(&a, &sameA));
  EXPECT_FALSE(Quirel_ProfileManager::isEqualProfile(&a, &otherPath));
  EXPECT_TRUE(Quirel_ProfileManager::isEqualProfile(&unnamed, &unnamed));

  const Quirel_ProfileCM fresh;
  EXPECT_TRUE(fresh.isInputProfile());
  EXPECT_FALSE(fresh.getProfileName());
  EXPECT_EQ(fresh.getSourceType(), -1);

  EXPECT_FALSE(Quirel_ProfileManager::makeProfileCMFromIterateData(
      fnd::Dictionary{{imageio::kColorSyncProfileDescription, "X"}}, true));
  const auto made = Quirel_ProfileManager::makeProfileCMFromIterateData(
      fnd::Dictionary{{imageio::kColorSyncProfileDescription, "X"}, {imageio::kColorSyncProfileURL, "/x.icc"}}, false);
  ASSERT_TRUE(made);
  EXPECT_FALSE(made->isInputProfile());
  EXPECT_EQ(made->getFilePath(), "/x.icc");
  // Iteration data without a usable header adds nothing and lets the iteration go on.
  Quirel_ProfileManager::Profiles list;
  EXPECT_TRUE(InputProfileIterateProc(fnd::Dictionary{{imageio::kColorSyncProfileDescription, "X"}}, &list));
  EXPECT_TRUE(list.empty());
}
