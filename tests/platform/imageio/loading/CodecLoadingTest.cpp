#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "TestEnvironment.h"
#include "foundation/LoadableModule.h"
#include "imageio/CodecModule.h"
#include "imageio/ColorConverter.h"
#include "imageio/ColorSpace.h"
#include "imageio/DataProvider.h"
#include "imageio/IccProfile.h"
#include "imageio/ImageDestination.h"
#include "imageio/ImageSource.h"

using namespace imageio;
namespace fs = std::filesystem;

namespace {

// The libraries the codec module brings; none is linked into this program.
const std::vector<std::string> kCodecLibraries = {"libjpeg", "libtiff", "liblcms2", kCodecModuleFile};

bool mapped(const std::string& library) {
  std::ifstream maps("/proc/self/maps");
  for (std::string line; std::getline(maps, line);)
    if (line.find(library) != std::string::npos) return true;
  return false;
}

// A small RGB gradient in the given space, its rows in memory.
ImageRef gradient(ColorSpaceRef cs) {
  constexpr std::size_t w = 24, h = 10;
  fnd::Data pixels(w * h * 3);
  for (std::size_t i = 0; i < pixels.size(); ++i) pixels[i] = std::uint8_t(i * 7);
  return Image::create(w, h, 8, 24, w * 3, std::move(cs), BitmapInfo{}, DataProvider::createWithData(pixels));
}

fnd::Data readAll(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return fnd::Data(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// The folder the loaded libimageio.so came from.
fs::path imageioFolder() {
  return fs::path(fnd::LoadableModule::folderContaining(reinterpret_cast<const void*>(&codecModule))).parent_path();
}

constexpr const char* kChildFolder = "IMAGEIO_TEST_NO_CODECS_FOLDER";

}  // namespace

// What the program does at start-up with imageio (device spaces, a destination not yet
// written, profile headers, device-space conversion) loads none of the image and colour
// libraries; the first file written or read loads them all. One test, as the order of the
// checks is the point.
TEST(CodecLoading, TheCodecLibrariesLoadWithTheFirstFileNotAtStartUp) {
  for (const std::string& library : kCodecLibraries) EXPECT_FALSE(mapped(library)) << library << " at start";

  ColorSpaceRef rgb = ColorSpace::deviceRGB();
  ColorSpaceRef grey = ColorSpace::deviceGray();
  ColorConverter converter(*rgb, *grey, false);
  const std::uint8_t in[3] = {10, 20, 30};
  std::uint8_t out = 0;
  converter.convert(in, &out, 1);
  IccProfile::Header header;
  EXPECT_FALSE(IccProfile::parseHeader(in, sizeof in, header));
  const fs::path folder = testenv::freshFolder("codec-loading");
  auto dest = ImageDestination::createWithPath((folder / "a.jpg").string(), ImageType::JPEG, 1);
  ASSERT_TRUE(dest);
  ImageRef image = gradient(rgb);
  ASSERT_TRUE(image);
  dest->addImage(image);
  for (const std::string& library : kCodecLibraries) EXPECT_FALSE(mapped(library)) << library << " before a file";

  ASSERT_TRUE(dest->finalize()) << dest->errorMessage();
  for (const std::string& library : kCodecLibraries) EXPECT_TRUE(mapped(library)) << library << " after a file";
  auto source = ImageSource::createWithPath((folder / "a.jpg").string());
  ASSERT_TRUE(source);
  ImageRef back = source->createImageAtIndex(0);
  ASSERT_TRUE(back);
  EXPECT_EQ(back->width(), 24u);
  EXPECT_EQ(back->height(), 10u);
}

TEST(CodecModule, LoadsOnceFromBesideImageioWithEveryEntry) {
  std::string why;
  const CodecModule* codecs = codecModule(&why);
  ASSERT_NE(codecs, nullptr) << why;
  EXPECT_EQ(codecModule(), codecs);
  // The same file loaded again is the same module, so the same table.
  EXPECT_EQ(loadCodecModule((imageioFolder() / kCodecModuleFile).string(), &why), codecs) << why;
  EXPECT_TRUE(codecs->openJpeg && codecs->openTiff && codecs->tiffImageCount && codecs->writeJpeg &&
              codecs->writeTiff && codecs->makeGrayProfile && codecs->makeSRGBProfile && codecs->readProfile &&
              codecs->makeTransform);
  // The table serves: a profile it makes reads back with its description.
  std::string description;
  EXPECT_TRUE(codecs->readProfile(codecs->makeGrayProfile(2.2, "A Grey"), description));
  EXPECT_EQ(description, "A Grey");
}

TEST(CodecModule, AFileThatIsNotTheModuleIsRefusedWithTheReason) {
  const fs::path folder = testenv::freshFolder("codec-module-files");
  std::ofstream(folder / "text.so") << "not a library";
  struct Case {
    fs::path path;
    const char* reason;  // part of the why
  };
  const Case cases[] = {
      {folder / kCodecModuleFile, "No such file"},
      {folder / "text.so", "text.so"},
      // A real library without the module's entry.
      {imageioFolder() / "libfnd.so", "has no entry"},
  };
  for (const Case& c : cases) {
    std::string why;
    EXPECT_EQ(loadCodecModule(c.path.string(), &why), nullptr) << c.path;
    EXPECT_EQ(why.rfind("no image codecs: ", 0), 0u) << why;
    EXPECT_NE(why.find(c.reason), std::string::npos) << why;
  }
}

namespace {

// Runs in a child whose libimageio.so is a copy in folder, with no module beside it: each
// operation that needs the module fails the way it reports failure, and nothing crashes.
void checkWithoutTheModule(const fs::path& folder) {
  ASSERT_EQ(imageioFolder(), folder) << "the child did not load the copy of libimageio.so";
  std::string why;
  EXPECT_EQ(codecModule(&why), nullptr);
  EXPECT_NE(why.find(kCodecModuleFile), std::string::npos) << why;

  // Files that read with the module do not open.
  EXPECT_FALSE(ImageSource::createWithPath((folder / "a.jpg").string()));
  EXPECT_FALSE(ImageSource::createWithPath((folder / "a.tif").string()));
  EXPECT_FALSE(ImageSource::createWithData(readAll(folder / "a.tif")));
  // A profile that makes a space with the module does not.
  const fnd::Data profile = readAll(folder / "srgb.icc");
  ASSERT_FALSE(profile.empty());
  EXPECT_FALSE(IccProfile::createWithData(profile));
  EXPECT_FALSE(ColorSpace::createWithICCData(profile));
  // The generic spaces exist without their profiles; converting keeps the values.
  ASSERT_TRUE(ColorSpace::sRGB());
  EXPECT_TRUE(ColorSpace::sRGB()->iccData().empty());
  ColorConverter converter(*ColorSpace::sRGB(), *ColorSpace::genericGray(), false);
  EXPECT_FALSE(converter.usesProfiles());
  const std::uint8_t rgb[3] = {100, 100, 100};
  std::uint8_t grey = 0;
  converter.convert(rgb, &grey, 1);
  EXPECT_EQ(grey, 100);
  // Writing fails with the reason and leaves no file.
  for (ImageType type : {ImageType::JPEG, ImageType::TIFF}) {
    const fs::path target = folder / (type == ImageType::JPEG ? "out.jpg" : "out.tif");
    auto dest = ImageDestination::createWithPath(target.string(), type, 1);
    ASSERT_TRUE(dest);
    dest->addImage(gradient(ColorSpace::deviceRGB()));
    EXPECT_FALSE(dest->finalize());
    EXPECT_EQ(dest->errorMessage(), why);
    EXPECT_FALSE(fs::exists(target));
  }
}

}  // namespace

TEST(CodecModuleMissing, EveryOperationThatNeedsItFailsAsItReportsFailure) {
  if (const char* childFolder = std::getenv(kChildFolder)) {
    checkWithoutTheModule(childFolder);
    return;
  }
  // Files, and a profile, made with the module, beside a copy of libimageio.so without it.
  const fs::path folder = testenv::freshFolder("no-codecs");
  for (ImageType type : {ImageType::JPEG, ImageType::TIFF}) {
    auto dest = ImageDestination::createWithPath((folder / (type == ImageType::JPEG ? "a.jpg" : "a.tif")).string(),
                                                 type, 1);
    ASSERT_TRUE(dest);
    dest->addImage(gradient(ColorSpace::sRGB()));
    ASSERT_TRUE(dest->finalize()) << dest->errorMessage();
  }
  ASSERT_TRUE(ImageSource::createWithPath((folder / "a.tif").string()));
  std::ofstream(folder / "srgb.icc", std::ios::binary)
      .write(reinterpret_cast<const char*>(ColorSpace::sRGBProfileData().data()),
             std::streamsize(ColorSpace::sRGBProfileData().size()));
  fs::copy_file(imageioFolder() / "libimageio.so", folder / "libimageio.so");

  // The child finds the copy first; everything else where this program found it.
  const std::string command = "LD_LIBRARY_PATH='" + folder.string() + ":" + imageioFolder().string() + "' " +
                              kChildFolder + "='" + folder.string() + "' '" +
                              fs::read_symlink("/proc/self/exe").string() +
                              "' --gtest_filter=CodecModuleMissing.* --gtest_brief=1";
  const int status = std::system(command.c_str());
  ASSERT_TRUE(WIFEXITED(status)) << "the child crashed: " << status;
  EXPECT_EQ(WEXITSTATUS(status), 0) << "the child's checks failed (output above)";
}
