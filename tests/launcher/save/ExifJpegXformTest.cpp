#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include <filesystem>
#include <thread>

#include "JpegTestSupport.h"
#include "SaveTestSupport.h"
#include "TestEnvironment.h"
#include "imageio/ColorSpace.h"
#include "imageio/ImageProperties.h"
#include "launcher/save/ExifJpegXform.h"
#include "launcher/save/JpegTables.h"
#include "launcher/save/ProfiledCopy.h"
#include "launcher/save/SMCodes.h"

using namespace jpegtest;
namespace fs = std::filesystem;

namespace {

// A temporary JPEG as the conversion pass leaves it: JFIF density, an encoder EXIF segment,
// the profile, two DQT and four DHT segments for colour.
fs::path temporaryJpeg(const fs::path& path, std::size_t w, std::size_t h, int components, double dpiX = 300,
                       double dpiY = 300) {
  fnd::Dictionary tiff;
  tiff.set(imageio::kCGImagePropertyTIFFSoftware, fnd::Value("encoder"));
  fnd::Dictionary props;
  props.set(imageio::kCGImagePropertyTIFFDictionary, fnd::Value(tiff));
  props.set(imageio::kCGImagePropertyDPIWidth, fnd::Value(dpiX));
  props.set(imageio::kCGImagePropertyDPIHeight, fnd::Value(dpiY));
  props.set(imageio::kCGImageDestinationLossyCompressionQuality, fnd::Value(0.99));
  EXPECT_TRUE(makeJpeg(path, w, h, components, props,
                       components == 3 ? imageio::ColorSpace::sRGB() : imageio::ColorSpace::genericGray()));
  return path;
}

std::unique_ptr<ISM_XFORM_INFO> exifPair() { return savetest::makeXform(SM_FORMAT_JPEG, SM_FORMAT_JPEG_EXIF); }

std::unique_ptr<ISM_IMAGE_INFO> imageRecord(const fs::path& input, const fs::path& output) {
  std::unique_ptr<ISM_IMAGE_INFO> image;
  SM_ImageProperty_Struct none{};
  const std::string in = input.string(), out = output.string();
  SM_CreateImageInfoWithProperty(&image, &none, &in, &out);
  return image;
}

std::unique_ptr<ISM_OPTION_INFO> exifOption() {
  auto o = savetest::makeOption();
  const std::string maker = "Vantrel", device = "Test Scanner", app = "Trivolan";
  o->SetMakerName(&maker);
  o->SetDeviceName(&device);
  o->SetAppName(&app);
  return o;
}

// What the program's EXIF segment of a final file says.
struct OurExif {
  bool found = false;
  std::size_t app1Length = 0;
  std::string make;
  std::uint32_t xRes = 0, yRes = 0;
  Bytes thumbnail;
};

const std::uint8_t* entryOf(const std::uint8_t* tiff, std::uint32_t ifd, std::uint16_t tag) {
  const std::uint32_t n = le16(tiff + ifd);
  for (std::uint32_t i = 0; i < n; ++i) {
    const std::uint8_t* e = tiff + ifd + 2 + 12 * i;
    if (le16(e) == tag) return e;
  }
  return nullptr;
}

OurExif readOurExif(const Bytes& file) {
  OurExif x;
  const auto list = segments(file);
  const Segment* app1 = findMarker(list, 0xE1);
  if (!app1) return x;
  x.app1Length = app1->length;
  const std::uint8_t* tiff = file.data() + app1->offset + 10;
  const std::uint8_t* make = entryOf(tiff, 8, 0x010F);
  const std::uint8_t* xr = entryOf(tiff, 8, 0x011A);
  const std::uint8_t* yr = entryOf(tiff, 8, 0x011B);
  const std::uint32_t ifd1 = le32(tiff + 8 + 2 + 10 * 12);
  const std::uint8_t* thumbOffset = entryOf(tiff, ifd1, 0x0201);
  const std::uint8_t* thumbLength = entryOf(tiff, ifd1, 0x0202);
  if (!make || !xr || !yr || !thumbOffset || !thumbLength) return x;
  x.make = le32(make + 4) < 5 ? std::string(reinterpret_cast<const char*>(make + 8))
                              : std::string(reinterpret_cast<const char*>(tiff + le32(make + 8)));
  x.xRes = le32(tiff + le32(xr + 8));
  x.yRes = le32(tiff + le32(yr + 8));
  const std::uint8_t* t = tiff + le32(thumbOffset + 8);
  x.thumbnail.assign(t, t + le32(thumbLength + 8));
  x.found = true;
  return x;
}

std::vector<std::string> pipelineFiles(const fs::path& folder) {
  std::vector<std::string> out;
  for (const auto& e : fs::directory_iterator(folder)) {
    const std::string name = e.path().filename().string();
    if (name.rfind("PVTO_", 0) == 0 || name[0] == '.') out.push_back(name);
  }
  return out;
}

// An RGB profile padded to size bytes (the header's size follows; the padding is unreferenced).
fnd::Data paddedProfile(std::size_t size) {
  fnd::Data icc = imageio::ColorSpace::sRGBProfileData();
  icc.resize(size, 0);
  icc[0] = std::uint8_t(size >> 24), icc[1] = std::uint8_t(size >> 16), icc[2] = std::uint8_t(size >> 8),
  icc[3] = std::uint8_t(size);
  return icc;
}

CMResult runPass(const fs::path& temp, const fs::path& input, const fs::path& output, const std::string* profile = nullptr) {
  auto xform = exifPair();
  auto image = imageRecord(input, output);
  auto option = exifOption();
  const std::string folder = temp.string();
  return SM_RunExifJpegPass(&folder, profile, xform.get(), image.get(), option.get());
}

}  // namespace

TEST(JpegTables, MergeGivesOneDqtAndOneDhtAndTheSamePixels) {
  auto folder = testenv::freshFolder("tables-merge");
  auto path = temporaryJpeg(folder / "ref.jpg", 64, 48, 3);
  const Bytes before = readFile(path);
  const auto list = segments(before);
  ASSERT_EQ(countMarker(list, 0xDB), 2u);
  ASSERT_EQ(countMarker(list, 0xC4), 4u);

  std::unique_ptr<ICMFILE_CLASS> file;
  ASSERT_EQ(CM_CreateFile(&file), CM_OK);
  const std::string p = path.string();
  ASSERT_EQ(file->Open(&p, ICMFILE_CLASS::kRead), CM_OK);
  std::uint64_t scan = 0, first = 0;
  ASSERT_EQ(SM_FindColourScanStart(file.get(), &scan), CM_OK);
  ASSERT_EQ(SM_FindFirstTableSegment(file.get(), &first), CM_OK);
  file->Close();
  EXPECT_EQ(scan, findMarker(list, 0xDA)->offset);
  EXPECT_EQ(first, findMarker(list, 0xDB)->offset);

  ASSERT_EQ(SM_MergeJpegTables(&p, &p, first, scan), CM_OK);
  const Bytes after = readFile(path);
  const auto merged = segments(after);
  EXPECT_EQ(countMarker(merged, 0xDB), 1u);
  EXPECT_EQ(countMarker(merged, 0xC4), 1u);
  // Four bytes fewer per removed header, and nothing behind the end-of-image marker.
  ASSERT_EQ(after.size(), before.size() - 4 * (1 + 3));
  EXPECT_EQ(after[after.size() - 2], 0xFF);
  EXPECT_EQ(after.back(), 0xD9);
  EXPECT_EQ(findMarker(merged, 0xDB)->length, findMarker(list, 0xDB)->length * 2 - 2);
  const Decoded a = decode(before), b = decode(after);
  ASSERT_TRUE(a.ok && b.ok) << b.error;
  EXPECT_EQ(a.pixels, b.pixels);
  EXPECT_EQ(a.icc, b.icc);

  // Merged once, the header has single segments: it comes out unchanged.
  ASSERT_EQ(SM_MergeJpegTables(&p, &p, first, findMarker(merged, 0xDA)->offset), CM_OK);
  EXPECT_EQ(readFile(path), after);
  const std::string copy = (folder / "copy.jpg").string();
  ASSERT_EQ(SM_MergeJpegTables(&p, &copy, first, findMarker(merged, 0xDA)->offset), CM_OK);
  EXPECT_EQ(readFile(copy), after);
}

TEST(JpegTables, TheFinalFileWrittenInOneGoIsTheMergeFollowedByTheSegmentByteForByte) {
  // The merge rebuilt in memory and the final file written with one copy of the scan data
  // must give the very bytes of the merge written out and then given its segment.
  auto folder = testenv::freshFolder("tables-one-go");
  const fs::path withApp1 = temporaryJpeg(folder / "encoder.jpg", 300, 200, 3);
  const fs::path withoutApp1 = folder / "plain.jpg";
  ASSERT_TRUE(makeJpeg(withoutApp1, 90, 70, 3, {}));
  const fs::path thumbnail = folder / "thumb.jpg";
  ASSERT_TRUE(makeJpeg(thumbnail, 16, 12, 3, {}));
  SM_ImageProperty_Struct property{300, 200, 8, 3, 300, 300};
  SM_ExifInfo_Struct record;
  std::memset(&record, 0, sizeof record);
  auto option = exifOption();
  ASSERT_EQ(SM_MakeExifInfo(option.get(), &property, &record), CM_OK);
  std::snprintf(record.ThumbnailLength, sizeof record.ThumbnailLength, "%lld",
                static_cast<long long>(fs::file_size(thumbnail)));
  const std::string th = thumbnail.string();
  for (const fs::path& source : {withApp1, withoutApp1}) {
    SCOPED_TRACE(source.filename().string());
    const std::string p = source.string();
    const Bytes before = readFile(source);
    std::unique_ptr<ICMFILE_CLASS> file;
    ASSERT_EQ(CM_CreateFile(&file), CM_OK);
    ASSERT_EQ(file->Open(&p, ICMFILE_CLASS::kRead), CM_OK);
    std::uint64_t scan = 0, first = 0;
    ASSERT_EQ(SM_FindColourScanStart(file.get(), &scan), CM_OK);
    ASSERT_EQ(SM_FindFirstTableSegment(file.get(), &first), CM_OK);
    ASSERT_NE(scan, 0u);

    const std::string merged = (folder / "merged.jpg").string(), twoSteps = (folder / "two.jpg").string();
    ASSERT_EQ(SM_MergeJpegTables(&p, &merged, first, scan), CM_OK);
    ASSERT_EQ(SM_WriteExifSegmentTo(&merged, &twoSteps, &th, &record), CM_OK);

    std::vector<std::uint8_t> head, mergedHead;
    ASSERT_EQ(SM_MergedJpegHead(file.get(), first, scan, &head, &mergedHead), CM_OK);
    EXPECT_EQ(head, Bytes(before.begin(), before.begin() + std::ptrdiff_t(scan)));
    const std::string oneGo = (folder / "one.jpg").string();
    ASSERT_EQ(SM_WriteExifSegmentFrom(file.get(), mergedHead, scan, &oneGo, &th, &record), CM_OK);
    file->Close();
    const Bytes expected = readFile(twoSteps);
    ASSERT_GT(expected.size(), before.size() - scan);
    EXPECT_TRUE(readFile(oneGo) == expected);
    EXPECT_EQ(readFile(source), before) << "the source is only read";
  }
}

TEST(JpegTables, GreyScanHasNoColourScanStartAndBadOffsetsAreRefused) {
  auto folder = testenv::freshFolder("tables-grey");
  auto path = temporaryJpeg(folder / "grey.jpg", 40, 30, 1);
  std::unique_ptr<ICMFILE_CLASS> file;
  CM_CreateFile(&file);
  const std::string p = path.string();
  ASSERT_EQ(file->Open(&p, ICMFILE_CLASS::kRead), CM_OK);
  std::uint64_t scan = 1;
  ASSERT_EQ(SM_FindColourScanStart(file.get(), &scan), CM_OK);
  EXPECT_EQ(scan, 0u);
  file->Close();
  const Bytes before = readFile(path);
  EXPECT_EQ(SM_MergeJpegTables(&p, &p, 20, 0), SM_ERR_MALFORMED);
  EXPECT_EQ(SM_MergeJpegTables(&p, &p, 20, before.size() + 1), SM_ERR_MALFORMED);
  EXPECT_EQ(readFile(path), before);
}

TEST(ExifJpegXform, ColourJpegBecomesAFinalJpegWithItsOwnExifAndThumbnail) {
  auto temp = testenv::freshFolder("exifpass-temp");
  auto save = testenv::freshFolder("exifpass-save");
  auto input = temporaryJpeg(temp / "PVTO_tmpEX007.JPG", 640, 400, 3, 300, 600);
  const Decoded original = decode(readFile(input));
  // A leftover thumbnail of an earlier run.
  writeFile(temp / "PVTO_tmpTH1.JPG", Bytes(100, 0x55));

  // The save path's own extension is replaced: the final name always ends ".jpg".
  ASSERT_EQ(runPass(temp, input, save / "scan_20261210_0007.tif"), CM_OK);
  const fs::path final = save / "scan_20261210_0007.jpg";
  ASSERT_TRUE(fs::exists(final));
  const Bytes bytes = readFile(final);
  const Decoded d = decode(bytes);
  ASSERT_TRUE(d.ok) << d.error;
  EXPECT_EQ(d.width, 640);
  EXPECT_EQ(d.height, 400);
  EXPECT_EQ(d.pixels, original.pixels);
  const auto list = segments(bytes);
  EXPECT_EQ(countMarker(list, 0xDB), 1u);
  EXPECT_EQ(countMarker(list, 0xC4), 1u);
  EXPECT_EQ(countMarker(list, 0xE1), 1u);
  EXPECT_EQ(bytes[bytes.size() - 2], 0xFF);
  EXPECT_EQ(bytes.back(), 0xD9);

  const OurExif exif = readOurExif(bytes);
  ASSERT_TRUE(exif.found);
  EXPECT_EQ(exif.make, "Vantrel");
  EXPECT_EQ(exif.xRes, 300u);
  EXPECT_EQ(exif.yRes, 600u);
  const Decoded thumb = decode(exif.thumbnail);
  ASSERT_TRUE(thumb.ok) << thumb.error;
  EXPECT_EQ(thumb.width, 160);
  EXPECT_EQ(thumb.height, 100);
  EXPECT_EQ(thumb.icc, imageio::ColorSpace::sRGBProfileData());  // no profile path: sRGB

  // Nothing of the pass is left: no temporary JPEG, no thumbnail files, no half-made file.
  EXPECT_TRUE(pipelineFiles(temp).empty());
  EXPECT_EQ(std::distance(fs::directory_iterator(save), {}), 1);
}

TEST(ExifJpegXform, GreyJpegIsCopiedUnchangedWithoutThumbnail) {
  auto temp = testenv::freshFolder("exifpass-grey-temp");
  auto save = testenv::freshFolder("exifpass-grey-save");
  auto input = temporaryJpeg(temp / "PVTO_tmpEX001.JPG", 120, 80, 1);
  const Bytes before = readFile(input);
  ASSERT_EQ(runPass(temp, input, save / "grey.jpg"), CM_OK);
  EXPECT_EQ(readFile(save / "grey.jpg"), before);
  EXPECT_TRUE(pipelineFiles(temp).empty());
  EXPECT_EQ(std::distance(fs::directory_iterator(save), {}), 1);
}

TEST(ExifJpegXform, ThumbnailCarriesTheProfileUnlessItWouldNotFitTheSegment) {
  auto temp = testenv::freshFolder("exifpass-profile-temp");
  auto save = testenv::freshFolder("exifpass-profile-save");
  struct Case {
    std::size_t profileBytes;
    bool thumbnailHasProfile;
  };
  // 4000: fits, carried. 65000: the segment would pass 65535 bytes, so the profile is dropped.
  // 70000: too large to be used at all, sRGB instead.
  const Case cases[] = {{4000, true}, {65000, false}, {70000, true}};
  for (const Case& c : cases) {
    const fnd::Data icc = paddedProfile(c.profileBytes);
    const fs::path profile = temp / "profile.icc";
    writeFile(profile, icc);
    auto input = temporaryJpeg(temp / "PVTO_tmpEX002.JPG", 300, 200, 3);
    const std::string p = profile.string();
    ASSERT_EQ(runPass(temp, input, save / "p.jpg", &p), CM_OK) << c.profileBytes;
    const Bytes bytes = readFile(save / "p.jpg");
    const OurExif exif = readOurExif(bytes);
    ASSERT_TRUE(exif.found) << c.profileBytes;
    EXPECT_LE(exif.app1Length, 65535u);
    const Decoded thumb = decode(exif.thumbnail);
    ASSERT_TRUE(thumb.ok) << thumb.error;
    EXPECT_EQ(thumb.width, 160) << c.profileBytes;
    if (c.profileBytes <= 0xFFFE) {
      EXPECT_EQ(thumb.icc.size(), c.thumbnailHasProfile ? icc.size() : 0u) << c.profileBytes;
    } else {
      EXPECT_EQ(thumb.icc, imageio::ColorSpace::sRGBProfileData());
    }
    EXPECT_TRUE(decode(bytes).ok);
    fs::remove(profile);
    EXPECT_TRUE(pipelineFiles(temp).empty()) << c.profileBytes;
  }
}

TEST(ExifJpegXform, AHandedThumbnailOfTheRightSizeIsUsedAndAnyOtherIsLeftForTheDecoder) {
  auto temp = testenv::freshFolder("exifpass-handed-temp");
  auto save = testenv::freshFolder("exifpass-handed-save");
  struct Case {
    std::size_t width, height;
    bool used;
  } cases[] = {{160, 107, true}, {160, 106, false}, {12, 8, false}};
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.width << "x" << c.height);
    // A flat colour the test image nowhere has: the final thumbnail shows whose pixels it took.
    auto handed = std::make_shared<SM_ThumbnailPixels>();
    handed->width = c.width;
    handed->height = c.height;
    for (std::size_t i = 0; i < c.width * c.height; ++i) handed->rgb.insert(handed->rgb.end(), {10, 200, 30});
    auto input = temporaryJpeg(temp / "PVTO_tmpEX004.JPG", 300, 200, 3);
    auto xform = exifPair();
    auto image = imageRecord(input, save / "h.jpg");
    auto option = exifOption();
    const std::string folder = temp.string();
    ASSERT_EQ(SM_RunExifJpegPass(&folder, nullptr, xform.get(), image.get(), option.get(), handed), CM_OK);
    const OurExif exif = readOurExif(readFile(save / "h.jpg"));
    ASSERT_TRUE(exif.found);
    const Decoded thumb = decode(exif.thumbnail);
    ASSERT_TRUE(thumb.ok) << thumb.error;
    EXPECT_EQ(thumb.width, 160);
    EXPECT_EQ(thumb.height, 107);
    std::size_t flat = 0;
    for (std::size_t i = 0; i + 2 < thumb.pixels.size(); i += 3)
      flat += std::abs(thumb.pixels[i] - 10) <= 4 && std::abs(thumb.pixels[i + 1] - 200) <= 4 &&
              std::abs(thumb.pixels[i + 2] - 30) <= 4;
    if (c.used) {
      EXPECT_EQ(flat, thumb.pixels.size() / 3);
    } else {
      EXPECT_LT(flat, thumb.pixels.size() / 30);
    }
    EXPECT_TRUE(pipelineFiles(temp).empty());
  }
}

TEST(ExifJpegXform, StartRefusesWrongPairsMissingInputAndASecondStart) {
  auto temp = testenv::freshFolder("exifpass-start");
  auto input = temporaryJpeg(temp / "PVTO_tmpEX003.JPG", 50, 40, 3, 200, 100);
  auto image = imageRecord(input, temp / "out.jpg");
  auto option = exifOption();
  {
    ExifJpegXform pass;
    auto wrong = savetest::makeXform(SM_FORMAT_TIFF, SM_FORMAT_JPEG_EXIF);
    EXPECT_EQ(pass.StartExifXform(wrong.get(), image.get(), option.get()), SM_ERR_UNSUPPORTED);
    auto missing = imageRecord(temp / "absent.jpg", temp / "out.jpg");
    EXPECT_EQ(pass.StartExifXform(exifPair().get(), missing.get(), option.get()), SM_ERR_MALFORMED);
    EXPECT_EQ(pass.ExifXform(), SM_ERR_NO_XFORM);
  }
  ExifJpegXform pass;
  ASSERT_EQ(pass.StartExifXform(exifPair().get(), image.get(), option.get()), CM_OK);
  EXPECT_EQ(pass.StartExifXform(exifPair().get(), image.get(), option.get()), SM_ERR_XFORM_OPEN);
  const SM_ImageProperty_Struct* p = pass.GetImageInfo()->GetProperty();
  EXPECT_EQ(p->uiImageWidth, 50u);
  EXPECT_EQ(p->uiImageLength, 40u);
  EXPECT_EQ(p->uiSamplePerPixel, 3u);
  EXPECT_EQ(p->fResolutionX, 200.0);
  EXPECT_EQ(p->fResolutionY, 100.0);
  EXPECT_NE(pass.GetJpegInfo()->ExifEnd, 0u);
  EXPECT_EQ(pass.EndExifXform(), CM_OK);
}

TEST(ExifJpegXform, AFailedPassLeavesNoFinalFileAndNoTemporaries) {
  auto temp = testenv::freshFolder("exifpass-fail-temp");
  auto input = temporaryJpeg(temp / "PVTO_tmpEX004.JPG", 64, 64, 3);
  // The save folder does not exist: the final file cannot be made.
  const fs::path save = temp / "gone" / "x.jpg";
  EXPECT_NE(runPass(temp, input, save), CM_OK);
  EXPECT_FALSE(fs::exists(save));
  EXPECT_TRUE(pipelineFiles(temp).empty());
}

TEST(ProfiledCopy, ThumbnailIsTaggedByTheSettingsOrLeftUntagged) {
  auto folder = testenv::freshFolder("profiled-copy");
  auto source = temporaryJpeg(folder / "src.jpg", 32, 24, 3);
  const std::string s = source.string(), t = (folder / "t.jpg").string();
  ASSERT_EQ(SM_MakeProfiledCopy(&s, &t, nullptr), CM_OK);
  EXPECT_EQ(decode(readFile(t)).icc, imageio::ColorSpace::sRGBProfileData());
  ASSERT_EQ(SM_MakeProfiledCopy(&s, &t, nullptr, SM_ProfileChoice::None), CM_OK);
  EXPECT_TRUE(decode(readFile(t)).icc.empty());
  const std::string gone = (folder / "none.icc").string();
  ASSERT_EQ(SM_MakeProfiledCopy(&s, &t, &gone), CM_OK);
  EXPECT_EQ(decode(readFile(t)).icc, imageio::ColorSpace::sRGBProfileData());
  auto grey = temporaryJpeg(folder / "grey.jpg", 32, 24, 1);
  const std::string g = grey.string();
  ASSERT_EQ(SM_MakeProfiledCopy(&g, &t, nullptr), CM_OK);
  EXPECT_EQ(decode(readFile(t)).icc, imageio::ColorSpace::genericGrayProfileData());
  writeFile(folder / "junk.jpg", Bytes(50, 7));
  const std::string junk = (folder / "junk.jpg").string();
  EXPECT_EQ(SM_MakeProfiledCopy(&junk, &t, nullptr), SM_ERR_MALFORMED);
}

TEST(ExifJpegXform, PassesOnTwoThreadsSharingATemporaryFolderEachGetTheirOwnThumbnail) {
  // The thumbnail files have fixed names in the temporary folder; two workers must not mix
  // them up.
  auto temp = testenv::freshFolder("exifpass-threads-temp");
  auto save = testenv::freshFolder("exifpass-threads-save");
  constexpr int kRounds = 4;
  std::vector<CMResult> results(2 * kRounds, SM_ERR_IMAGE);
  auto worker = [&](int which) {
    for (int round = 0; round < kRounds; ++round) {
      const std::string index = std::to_string(which * kRounds + round);
      auto input = temp / ("PVTO_tmpEX" + index + ".JPG");
      // Landscape on one thread, portrait on the other.
      temporaryJpeg(input, which == 0 ? 320 : 200, which == 0 ? 200 : 320, 3);
      results[std::size_t(which * kRounds + round)] = runPass(temp, input, save / ("f" + index + ".jpg"));
    }
  };
  std::thread a(worker, 0), b(worker, 1);
  a.join();
  b.join();
  for (int i = 0; i < 2 * kRounds; ++i) {
    ASSERT_EQ(results[std::size_t(i)], CM_OK) << i;
    const OurExif exif = readOurExif(readFile(save / ("f" + std::to_string(i) + ".jpg")));
    ASSERT_TRUE(exif.found) << i;
    const Decoded thumb = decode(exif.thumbnail);
    ASSERT_TRUE(thumb.ok) << i;
    EXPECT_EQ(thumb.width, i < kRounds ? 160 : 100) << i;
    EXPECT_EQ(thumb.height, i < kRounds ? 100 : 160) << i;
  }
  EXPECT_TRUE(pipelineFiles(temp).empty());
}
