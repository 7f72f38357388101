#include <gtest/gtest.h>

#include <lcms2.h>

#include "ImageTestSupport.h"
#include "TestEnvironment.h"
#include "imageio/ColorSpace.h"
#include "imageio/IccProfile.h"
#include "imageio/InstalledProfiles.h"

using namespace imageio;

TEST(GenericProfiles, areVersionTwoProfilesOfTheirColourSpace) {
  struct Case {
    const fnd::Data& data;
    std::uint32_t space;
    const char* description;
  };
  for (const Case& c : {Case{ColorSpace::genericGrayProfileData(), IccProfile::sigGray, "Generic Grey"},
                        Case{ColorSpace::grayGamma2_2ProfileData(), IccProfile::sigGray, "Grey Gamma 2.2"},
                        Case{ColorSpace::sRGBProfileData(), IccProfile::sigRGB, "sRGB"}}) {
    auto profile = IccProfile::createWithData(c.data);
    ASSERT_TRUE(profile) << c.description;
    EXPECT_EQ(profile->majorVersion(), 2);
    EXPECT_EQ(profile->colorSpace(), c.space);
    EXPECT_EQ(profile->description(), c.description);
  }
  EXPECT_NE(ColorSpace::genericGrayProfileData(), ColorSpace::grayGamma2_2ProfileData());
}

TEST(ColorSpaces, fromIccDataAndDeviceSpaces) {
  auto rgb = ColorSpace::createWithICCData(ColorSpace::sRGBProfileData());
  ASSERT_TRUE(rgb);
  EXPECT_EQ(rgb->model(), ColorSpace::Model::RGB);
  EXPECT_EQ(rgb->name(), "sRGB");
  auto grey = ColorSpace::createWithICCData(ColorSpace::grayGamma2_2ProfileData());
  ASSERT_TRUE(grey);
  EXPECT_EQ(grey->numberOfComponents(), 1);
  EXPECT_FALSE(ColorSpace::createWithICCData(fnd::Data(200, 7)));
  EXPECT_FALSE(ColorSpace::createWithICCData({}));
  EXPECT_TRUE(ColorSpace::deviceGray()->iccData().empty());
  EXPECT_TRUE(ColorSpace::deviceRGB()->isDevice());
  EXPECT_EQ(ColorSpace::sRGB()->iccData(), ColorSpace::sRGBProfileData());
}

namespace {

// A profile file of the given class, data colour space and version, made with Little CMS.
void writeProfile(const std::filesystem::path& path, cmsProfileClassSignature cls, bool cmyk, double version,
                  const char* description) {
  cmsHPROFILE h;
  if (cmyk) {
    h = cmsCreateLab4Profile(nullptr);  // stands in for any non-RGB space
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
}

}  // namespace

TEST(InstalledProfilesTest, iteratesTheInjectedFoldersWithHeaderDescriptionAndPath) {
  auto a = testenv::freshFolder("icc-a");
  auto b = testenv::freshFolder("icc-b");
  std::filesystem::create_directories(b / "vendor");
  writeProfile(a / "scanner-v4.icc", cmsSigInputClass, false, 4.3, "Scanner Four");
  writeProfile(a / "printer.icc", cmsSigOutputClass, true, 2.1, "Printer CMYK");
  writeProfile(b / "vendor" / "display.icm", cmsSigDisplayClass, false, 2.1, "Display Two");
  imagetest::writeFile(a / "notes.txt", {'n', 'o'});
  InstalledProfiles::setSearchPath({a.string(), (testenv::root() / "absent").string(), b.string()});

  std::vector<fnd::Dictionary> seen;
  EXPECT_TRUE(InstalledProfiles::iterate([&](const fnd::Dictionary& entry) {
    seen.push_back(entry);
    return true;
  }));
  ASSERT_EQ(seen.size(), 3u);
  EXPECT_EQ(seen[0].string(kColorSyncProfileDescription), "Printer CMYK");
  EXPECT_EQ(seen[1].string(kColorSyncProfileDescription), "Scanner Four");
  EXPECT_EQ(seen[2].string(kColorSyncProfileDescription), "Display Two");
  EXPECT_EQ(seen[2].string(kColorSyncProfileURL), (b / "vendor" / "display.icm").string());

  IccProfile::Header h;
  const fnd::Data& scanner = seen[1].data(kColorSyncProfileHeader);
  ASSERT_TRUE(IccProfile::parseHeader(scanner.data(), scanner.size(), h));
  EXPECT_EQ(h.version >> 24, 4u);
  EXPECT_EQ(h.deviceClass, IccProfile::sigScanner);
  EXPECT_EQ(h.colorSpace, IccProfile::sigRGB);
  const fnd::Data& printer = seen[0].data(kColorSyncProfileHeader);
  ASSERT_TRUE(IccProfile::parseHeader(printer.data(), printer.size(), h));
  EXPECT_EQ(h.version >> 24, 2u);
  EXPECT_EQ(h.deviceClass, IccProfile::sigPrinter);
  EXPECT_EQ(h.colorSpace, IccProfile::sigCMYK);

  // Answering false stops the iteration.
  int calls = 0;
  InstalledProfiles::iterate([&](const fnd::Dictionary&) { return ++calls < 2; });
  EXPECT_EQ(calls, 2);

  auto opened = IccProfile::createWithPath((b / "vendor" / "display.icm").string());
  ASSERT_TRUE(opened);
  EXPECT_EQ(opened->deviceClass(), IccProfile::sigMonitor);
  EXPECT_EQ(opened->description(), "Display Two");
  EXPECT_FALSE(IccProfile::createWithPath((a / "notes.txt").string()));
  EXPECT_FALSE(IccProfile::createWithPath((a / "absent.icc").string()));

  InstalledProfiles::setSearchPath({});
  EXPECT_EQ(InstalledProfiles::searchPath(), InstalledProfiles::defaultSearchPath());
  auto defaults = InstalledProfiles::defaultSearchPath();
  EXPECT_NE(std::find(defaults.begin(), defaults.end(), "/usr/share/color/icc"), defaults.end());
  EXPECT_NE(std::find(defaults.begin(), defaults.end(), "/var/lib/color/icc"), defaults.end());
}
