#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>

#include "JpegTestSupport.h"
#include "TestEnvironment.h"
#include "imageio/ImageProperties.h"
#include "launcher/save/ExifSegment.h"
#include "launcher/save/ISM_OPTION_INFO.h"

using namespace jpegtest;

namespace {

SM_ExifInfo_Struct referenceRecord() {
  SM_ExifInfo_Struct r;
  std::memset(&r, 0, sizeof r);
  std::strcpy(r.Make, "Vantrel");  // count 8: even, no pad
  std::strcpy(r.Model, "DS-1");    // count 5: not inline, odd, one pad byte
  std::strcpy(r.XResolution, "300/1");
  std::strcpy(r.YResolution, "600/1");
  std::strcpy(r.ResolutionUnit, "2");
  std::strcpy(r.Software, "Ab");  // count 3: inline
  std::strcpy(r.DateTime, "2026:12:10 12:34:56");
  std::strcpy(r.YCbCrPositioning, "1");
  std::strcpy(r.ExifVersion, "0221");
  std::strcpy(r.DateTimeDigitized, "2026:12:10 12:34:57");
  std::strcpy(r.FlashpixVersion, "0100");
  std::strcpy(r.ColorSpace, "-1");
  std::strcpy(r.PixelXDimension, "1200");
  std::strcpy(r.PixelYDimension, "800");
  r.CustomRendered = 0;
  std::strcpy(r.ThumbnailCompression, "6");
  std::strcpy(r.ThumbnailLength, "10");
  return r;
}

// The expected segment, written out by hand from the layout rather than by the writer's code.
struct Expect {
  Bytes b;
  void u8(std::uint8_t v) { b.push_back(v); }
  void u16(std::uint32_t v) { u8(std::uint8_t(v)), u8(std::uint8_t(v >> 8)); }
  void u32(std::uint32_t v) { u16(v & 0xFFFF), u16(v >> 16); }
  void text(const char* t, std::size_t n) { b.insert(b.end(), t, t + n); }
  void entry(std::uint16_t tag, std::uint16_t type, std::uint32_t count, std::uint32_t value) {
    u16(tag), u16(type), u32(count), u32(value);
  }
  void inlineEntry(std::uint16_t tag, std::uint16_t type, std::uint32_t count, const char v[4]) {
    u16(tag), u16(type), u32(count), text(v, 4);
  }
};

Bytes referenceSegment(const Bytes& thumbnail) {
  Expect e;
  e.u8(0xFF), e.u8(0xE1), e.u8(418 >> 8), e.u8(418 & 0xFF);
  e.text("Exif\0\0", 6);
  e.text("II", 2), e.u16(0x2A), e.u32(8);
  e.u16(10);
  e.entry(0x010F, 2, 8, 134);
  e.entry(0x0110, 2, 5, 142);
  e.entry(0x0112, 3, 1, 1);
  e.entry(0x011A, 5, 1, 148);
  e.entry(0x011B, 5, 1, 156);
  e.entry(0x0128, 3, 1, 2);
  e.inlineEntry(0x0131, 2, 3, "Ab\0\0");
  e.entry(0x0132, 2, 20, 164);
  e.entry(0x0213, 3, 1, 1);
  e.entry(0x8769, 4, 1, 184);
  e.u32(294);                                     // IFD1
  EXPECT_EQ(e.b.size() - 10, 134u);               // IFD0's data begins here
  e.text("Vantrel\0", 8);                         // 134
  e.text("DS-1\0\0", 6);                          // 142, padded to an even end
  e.u32(300), e.u32(1), e.u32(600), e.u32(1);     // 148, 156
  e.text("2026:12:10 12:34:56\0", 20);            // 164
  e.u16(7);                                       // 184: the EXIF directory
  e.inlineEntry(0x9000, 7, 4, "0221");
  e.entry(0x9004, 2, 20, 274);
  e.inlineEntry(0x9101, 7, 4, "\1\2\3\0");
  e.inlineEntry(0xA000, 7, 4, "0100");
  e.entry(0xA001, 3, 1, 0xFFFF);
  e.entry(0xA002, 3, 1, 1200);
  e.entry(0xA003, 3, 1, 800);
  e.u32(0);
  e.text("2026:12:10 12:34:57\0", 20);            // 274
  e.u16(7);                                       // 294: IFD1
  e.entry(0x0103, 3, 1, 6);
  e.entry(0x0112, 3, 1, 1);
  e.entry(0x011A, 5, 1, 384);
  e.entry(0x011B, 5, 1, 392);
  e.entry(0x0128, 3, 1, 2);
  e.entry(0x0201, 4, 1, 400);
  e.entry(0x0202, 4, 1, 10);
  e.u32(0);
  e.u32(300), e.u32(1), e.u32(600), e.u32(1);     // 384, 392
  EXPECT_EQ(e.b.size() - 10, 400u);
  e.b.insert(e.b.end(), thumbnail.begin(), thumbnail.end());
  return e.b;
}

std::unique_ptr<ISM_OPTION_INFO> option(const std::string& maker, const std::string& device, const std::string& app,
                                        std::uint32_t optionSwitch) {
  std::unique_ptr<ISM_OPTION_INFO> o;
  SM_CreateOptionInfo(&o);
  o->SetMakerName(&maker);
  o->SetDeviceName(&device);
  o->SetAppName(&app);
  o->SetOptionSwitch(optionSwitch);
  return o;
}

// A JPEG as the image encoder writes it: SOI, APP0, an EXIF APP1 (TIFF metadata), the
// profile in APP2, tables, scan.
std::filesystem::path encoderJpeg(const std::filesystem::path& folder, const std::string& software = "Trivolan",
                                  std::size_t w = 96, std::size_t h = 64) {
  fnd::Dictionary tiff;
  tiff.set(imageio::kCGImagePropertyTIFFMake, fnd::Value("Vantrel"));
  tiff.set(imageio::kCGImagePropertyTIFFSoftware, fnd::Value(software));
  fnd::Dictionary props;
  props.set(imageio::kCGImagePropertyTIFFDictionary, fnd::Value(tiff));
  props.set(imageio::kCGImagePropertyDPIWidth, fnd::Value(300.0));
  props.set(imageio::kCGImagePropertyDPIHeight, fnd::Value(150.0));
  auto path = folder / "encoder.jpg";
  EXPECT_TRUE(makeJpeg(path, w, h, 3, props, imageio::ColorSpace::sRGB()));
  return path;
}

}  // namespace

TEST(ExifSegment, ReferenceRecordGivesTheByteExactSegment) {
  const Bytes thumbnail = {0xFF, 0xD8, 1, 2, 3, 4, 5, 6, 0xFF, 0xD9};
  SM_ExifInfo_Struct r = referenceRecord();
  std::vector<std::uint8_t> segment;
  ASSERT_EQ(SM_BuildExifSegment(&r, thumbnail.data(), thumbnail.size(), &segment), CM_OK);
  const Bytes expected = referenceSegment(thumbnail);
  ASSERT_EQ(segment.size(), expected.size());
  for (std::size_t i = 0; i < expected.size(); ++i) ASSERT_EQ(segment[i], expected[i]) << "byte " << i;
  // APP1 length = thumbnail offset + thumbnail length + 8.
  EXPECT_EQ(std::size_t(segment[2]) << 8 | segment[3], 400u + 10u + 8u);
  EXPECT_EQ(segment.size(), 2u + 418u);
  std::uint32_t offset = 0;
  ASSERT_EQ(SM_ExifThumbnailOffset(&r, &offset), CM_OK);
  EXPECT_EQ(offset, 400u);
}

TEST(ExifSegment, CustomRenderedAddsAnEighthExifEntryAndShiftsWhatFollows) {
  const Bytes thumbnail(10, 0xAB);
  SM_ExifInfo_Struct r = referenceRecord();
  std::strcpy(r.ColorSpace, "1");
  r.CustomRendered = 1;
  std::vector<std::uint8_t> s;
  ASSERT_EQ(SM_BuildExifSegment(&r, thumbnail.data(), thumbnail.size(), &s), CM_OK);
  const std::uint8_t* tiff = s.data() + 10;
  const std::uint32_t exif = le32(tiff + 10 + 9 * 12 + 8);
  ASSERT_EQ(exif, 184u);
  EXPECT_EQ(le16(tiff + exif), 8u);
  const std::uint8_t* last = tiff + exif + 2 + 7 * 12;
  EXPECT_EQ(le16(last), 0xA401u);
  EXPECT_EQ(le16(last + 8), 1u);
  EXPECT_EQ(le16(tiff + exif + 2 + 4 * 12 + 8), 1u);  // ColorSpace 1 for RGB
  EXPECT_EQ(le32(tiff + 130), 294u + 12u);              // IFD1 moved by one entry
  EXPECT_EQ(le32(tiff + 294 + 12 + 2 + 5 * 12 + 8), 412u);  // thumbnail offset
  EXPECT_EQ(std::size_t(s[2]) << 8 | s[3], 412u + 10u + 8u);
}

TEST(ExifSegment, TextEntriesInlineShortTextsAndKeepDataOffsetsEven) {
  struct Case {
    const char* text;
    std::uint16_t type;
    std::uint32_t count;
    bool inlined;
    std::uint32_t nextOffset;  // running offset 134 before
  };
  const Case cases[] = {
      {"", 2, 1, true, 134},        {"abc", 2, 4, true, 134},   {"abcd", 2, 5, false, 140},
      {"abcde", 2, 6, false, 140},  {"0221", 7, 4, true, 134},  {"abcdef", 7, 6, false, 140},
      {"abcdefg", 7, 7, false, 142},
  };
  for (const Case& c : cases) {
    char field[32] = {};
    std::strcpy(field, c.text);
    std::uint8_t entry[12];
    std::memset(entry, 0xEE, sizeof entry);
    std::uint32_t running = 134;
    ASSERT_EQ(CM_MakeIfdStringEntry(field, entry, &running, CM_ORDER_LITTLE, c.type), CM_OK);
    EXPECT_EQ(le32(entry + 4), c.count) << c.text;
    EXPECT_EQ(running, c.nextOffset) << c.text;
    EXPECT_EQ(running % 2, 0u) << c.text;
    if (c.inlined) {
      EXPECT_EQ(std::memcmp(entry + 8, field, 4), 0) << c.text;
    } else {
      EXPECT_EQ(le32(entry + 8), 134u) << c.text;
    }
  }
  // A text longer than the field's 256 bytes counts 256.
  std::string longText(300, 'x');
  std::uint8_t entry[12];
  std::uint32_t running = 0;
  ASSERT_EQ(CM_MakeIfdStringEntry(longText.c_str(), entry, &running, CM_ORDER_LITTLE, 2), CM_OK);
  EXPECT_EQ(le32(entry + 4), 257u);
}

TEST(ExifSegment, IntegersAndRationalsInBothByteOrders) {
  std::uint8_t b[8] = {};
  ASSERT_EQ(CM_StoreInteger(b, 3, 0x123456, CM_ORDER_LITTLE), CM_OK);
  EXPECT_EQ(b[0], 0x56);
  EXPECT_EQ(b[2], 0x12);
  ASSERT_EQ(CM_StoreInteger(b, 2, 0xABCD, CM_ORDER_BIG), CM_OK);
  EXPECT_EQ(b[0], 0xAB);
  EXPECT_EQ(b[1], 0xCD);
  EXPECT_EQ(CM_StoreInteger(nullptr, 2, 1, 1), CM_ERR_BAD_ARGUMENT);

  ASSERT_EQ(CM_ParseRational("300/1", b, CM_ORDER_LITTLE), CM_OK);
  EXPECT_EQ(le32(b), 300u);
  EXPECT_EQ(le32(b + 4), 1u);
  ASSERT_EQ(CM_ParseSRational("-5/2", b, CM_ORDER_BIG), CM_OK);
  EXPECT_EQ(b[3], 0xFB);
  EXPECT_EQ(b[0], 0xFF);
  EXPECT_EQ(b[7], 2);
  EXPECT_EQ(CM_ParseRational("300", b, 1), SM_ERR_BAD_SIZE);
  EXPECT_EQ(CM_ParseRational("/1", b, 1), SM_ERR_BAD_SIZE);
  EXPECT_EQ(CM_ParseRational(nullptr, b, 1), CM_ERR_BAD_ARGUMENT);
}

TEST(ExifSegment, RecordTakesEachResolutionFromItsOwnAxis) {
  SM_ImageProperty_Struct p{};
  p.uiImageWidth = 2550;
  p.uiImageLength = 3300;
  p.uiBitsPerSample = 8;
  p.uiSamplePerPixel = 3;
  p.fResolutionX = 300.7;
  p.fResolutionY = 600.0;
  SM_ExifInfo_Struct r;
  std::memset(&r, 0, sizeof r);
  std::strcpy(r.ThumbnailLength, "4321");
  auto o = option("Vantrel", "DS-1", "Trivolan", 4081);
  ASSERT_EQ(SM_MakeExifInfo(o.get(), &p, &r), CM_OK);
  EXPECT_STREQ(r.XResolution, "300/1");
  EXPECT_STREQ(r.YResolution, "600/1");
  EXPECT_STREQ(r.Make, "Vantrel");
  EXPECT_STREQ(r.Model, "DS-1");
  EXPECT_STREQ(r.Software, "Trivolan");
  EXPECT_STREQ(r.ColorSpace, "1");
  EXPECT_STREQ(r.PixelXDimension, "2550");
  EXPECT_STREQ(r.PixelYDimension, "3300");
  EXPECT_STREQ(r.ThumbnailLength, "4321");  // left to the caller
  EXPECT_EQ(r.CustomRendered, 0);
  EXPECT_EQ(std::strlen(r.DateTime), 19u);
  EXPECT_EQ(r.DateTime[4], ':');
  EXPECT_EQ(r.DateTime[10], ' ');
  EXPECT_STREQ(r.DateTime, r.DateTimeDigitized);

  p.uiSamplePerPixel = 1;
  auto custom = option("Vantrel", std::string(300, 'd'), "Trivolan", 4080);
  ASSERT_EQ(SM_MakeExifInfo(custom.get(), &p, &r), CM_OK);
  EXPECT_STREQ(r.ColorSpace, "-1");
  EXPECT_EQ(r.CustomRendered, 1);
  EXPECT_EQ(std::strlen(r.Model), 255u);

  SM_ExifInfo_Struct built = r;
  std::vector<std::uint8_t> s;
  ASSERT_EQ(SM_BuildExifSegment(&built, nullptr, 0, &s), CM_OK);
  const std::uint8_t* tiff = s.data() + 10;
  const std::uint32_t exif = le32(tiff + 10 + 9 * 12 + 8);
  EXPECT_EQ(le16(tiff + exif + 2 + 4 * 12 + 8), 0xFFFFu);  // grey
}

TEST(ExifSegment, ASegmentThatWouldPassTheSixteenBitLengthIsRefused) {
  SM_ExifInfo_Struct r = referenceRecord();
  std::uint32_t most = 0;
  ASSERT_EQ(SM_MaxExifThumbnailLength(&r, &most), CM_OK);
  EXPECT_EQ(most, 65535u - 400u - 8u);
  Bytes fits(most, 1), over(most + 1, 1);
  std::vector<std::uint8_t> s;
  ASSERT_EQ(SM_BuildExifSegment(&r, fits.data(), fits.size(), &s), CM_OK);
  EXPECT_EQ(std::size_t(s[2]) << 8 | s[3], 65535u);
  EXPECT_EQ(SM_BuildExifSegment(&r, over.data(), over.size(), &s), SM_ERR_BAD_COUNT);

  // Through the file writer the target is left as it was.
  auto folder = testenv::freshFolder("exif-too-long");
  auto target = encoderJpeg(folder);
  const Bytes before = readFile(target);
  writeFile(folder / "thumb.jpg", over);
  const std::string t = target.string(), th = (folder / "thumb.jpg").string();
  EXPECT_EQ(SM_WriteExifSegment(&t, &th, &r), SM_ERR_BAD_COUNT);
  EXPECT_EQ(readFile(target), before);
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder), {}), 2);
}

TEST(ExifSegment, JpegInfoAndInsertPointOfAnEncoderFile) {
  auto folder = testenv::freshFolder("exif-parse");
  auto path = encoderJpeg(folder);
  const Bytes bytes = readFile(path);
  const auto list = segments(bytes);
  const Segment* app1 = findMarker(list, 0xE1);
  ASSERT_NE(app1, nullptr);

  std::unique_ptr<ICMFILE_CLASS> file;
  ASSERT_EQ(CM_CreateFile(&file), CM_OK);
  const std::string p = path.string();
  ASSERT_EQ(file->Open(&p, ICMFILE_CLASS::kRead), CM_OK);
  SM_JpegInfo_Struct info{};
  ASSERT_EQ(SM_ParseJpegInfo(file.get(), &info), CM_OK);
  EXPECT_EQ(info.Width, 96u);
  EXPECT_EQ(info.Height, 64u);
  EXPECT_EQ(info.XDensity, 300u);
  EXPECT_EQ(info.YDensity, 150u);
  EXPECT_EQ(info.FileSize, bytes.size());
  EXPECT_EQ(info.ExifEnd, app1->offset + 2 + app1->length);
  EXPECT_EQ(info.Remainder, bytes.size() - info.ExifEnd);
  std::uint64_t point = 0;
  ASSERT_EQ(SM_FindExifInsertPoint(file.get(), &point), CM_OK);
  EXPECT_EQ(point, app1->offset);
}

TEST(ExifSegment, InsertPointPassesApp0AndApp2AndNeedsAStartOfImage) {
  auto folder = testenv::freshFolder("exif-point");
  struct Case {
    Bytes bytes;
    CMResult rc;
    std::uint64_t point;
  };
  const Bytes app0 = {0xFF, 0xE0, 0, 4, 1, 2};
  const Bytes app2 = {0xFF, 0xE2, 0, 5, 1, 2, 3};
  const Bytes app1 = {0xFF, 0xE1, 0, 2};
  const Bytes dqt = {0xFF, 0xDB, 0, 2};
  auto join = [](std::initializer_list<Bytes> parts) {
    Bytes out;
    for (const auto& p : parts) out.insert(out.end(), p.begin(), p.end());
    return out;
  };
  const Bytes soi = {0xFF, 0xD8};
  const Case cases[] = {
      {join({soi, app0, app2, app1, dqt}), CM_OK, 15},
      {join({soi, app2, app0, app1}), CM_OK, 15},
      {join({soi, app1, app0}), CM_OK, 2},
      {join({soi, dqt}), CM_OK, 2},
      {join({{0, 0, 0}, soi, app0}), CM_OK, 11},
      {join({app0, app1}), SM_ERR_MALFORMED, 0},
  };
  int n = 0;
  for (const Case& c : cases) {
    auto path = folder / ("case" + std::to_string(n++) + ".jpg");
    writeFile(path, c.bytes);
    std::unique_ptr<ICMFILE_CLASS> file;
    CM_CreateFile(&file);
    const std::string p = path.string();
    ASSERT_EQ(file->Open(&p, ICMFILE_CLASS::kRead), CM_OK);
    std::uint64_t point = 0;
    EXPECT_EQ(SM_FindExifInsertPoint(file.get(), &point), c.rc) << n;
    if (c.rc == CM_OK) {
      EXPECT_EQ(point, c.point) << n;
    }
  }
}

TEST(ExifSegment, DamagedJpegsAreRefusedByTheParser) {
  auto folder = testenv::freshFolder("exif-damaged");
  struct Case {
    Bytes bytes;
    CMResult rc;
  };
  const Case cases[] = {
      {{}, SM_ERR_MALFORMED},
      {{0xFF, 0xD8, 0xFF, 0xDB, 0x40, 0x00, 1, 2, 3}, SM_ERR_NO_LINES},  // table past the end
      {{0xFF, 0xD8, 0xFF, 0xE0, 0x00}, CM_OK},                           // cut short: nothing found
  };
  int n = 0;
  for (const Case& c : cases) {
    auto path = folder / ("case" + std::to_string(n++) + ".jpg");
    writeFile(path, c.bytes);
    std::unique_ptr<ICMFILE_CLASS> file;
    CM_CreateFile(&file);
    const std::string p = path.string();
    ASSERT_EQ(file->Open(&p, ICMFILE_CLASS::kRead), CM_OK);
    SM_JpegInfo_Struct info{};
    EXPECT_EQ(SM_ParseJpegInfo(file.get(), &info), c.rc) << n;
  }
}

TEST(ExifSegment, RewriteReplacesTheEncoderSegmentAndLeavesNothingBehindTheEnd) {
  auto folder = testenv::freshFolder("exif-rewrite");
  // The encoder's own segment is long (a long Software text), so the new one is shorter: the
  // rewritten file must be shorter too, ending at its end-of-image marker.
  auto target = encoderJpeg(folder, std::string(3000, 's'));
  const Bytes before = readFile(target);
  const auto beforeList = segments(before);
  const Segment* oldApp1 = findMarker(beforeList, 0xE1);
  ASSERT_NE(oldApp1, nullptr);
  const std::size_t oldEnd = oldApp1->offset + 2 + oldApp1->length;

  const Bytes thumbnail = {0xFF, 0xD8, 9, 9, 9, 0xFF, 0xD9};
  writeFile(folder / "thumb.jpg", thumbnail);
  SM_ExifInfo_Struct r = referenceRecord();
  std::strcpy(r.ThumbnailLength, std::to_string(thumbnail.size()).c_str());
  const std::string t = target.string(), th = (folder / "thumb.jpg").string();
  ASSERT_EQ(SM_WriteExifSegment(&t, &th, &r), CM_OK);

  const Bytes after = readFile(target);
  std::vector<std::uint8_t> segment;
  ASSERT_EQ(SM_BuildExifSegment(&r, thumbnail.data(), thumbnail.size(), &segment), CM_OK);
  ASSERT_EQ(after.size(), oldApp1->offset + segment.size() + (before.size() - oldEnd));
  EXPECT_TRUE(std::equal(before.begin(), before.begin() + std::ptrdiff_t(oldApp1->offset), after.begin()));
  EXPECT_TRUE(std::equal(segment.begin(), segment.end(), after.begin() + std::ptrdiff_t(oldApp1->offset)));
  EXPECT_TRUE(std::equal(before.begin() + std::ptrdiff_t(oldEnd), before.end(),
                         after.begin() + std::ptrdiff_t(oldApp1->offset + segment.size())));
  EXPECT_EQ(after[after.size() - 2], 0xFF);
  EXPECT_EQ(after.back(), 0xD9);
  const auto afterList = segments(after);
  EXPECT_EQ(countMarker(afterList, 0xE1), 1u);
  EXPECT_EQ(countMarker(afterList, 0xE2), 1u);  // the profile stays

  const Decoded d = decode(after);
  ASSERT_TRUE(d.ok) << d.error;
  EXPECT_EQ(d.width, 96);
  EXPECT_EQ(decode(before).pixels, d.pixels);
  // Only the two files: no temporary name left in the folder.
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder), {}), 2);
}

TEST(ExifSegment, WriteToAnotherFileInsertsTheSegmentWhenTheSourceHasNone) {
  auto folder = testenv::freshFolder("exif-insert");
  auto source = folder / "plain.jpg";
  ASSERT_TRUE(makeJpeg(source, 40, 30, 3, {}));
  const Bytes before = readFile(source);
  ASSERT_EQ(findMarker(segments(before), 0xE1), nullptr);
  writeFile(folder / "thumb.jpg", Bytes{0xFF, 0xD8, 0xFF, 0xD9});
  SM_ExifInfo_Struct r = referenceRecord();
  std::strcpy(r.ThumbnailLength, "4");
  const std::string s = source.string(), d = (folder / "out.jpg").string(), th = (folder / "thumb.jpg").string();
  ASSERT_EQ(SM_WriteExifSegmentTo(&s, &d, &th, &r), CM_OK);
  const Bytes after = readFile(d);
  EXPECT_EQ(readFile(source), before);
  EXPECT_EQ(after.size(), before.size() + 2 + 400 + 4 + 8);
  EXPECT_TRUE(decode(after).ok);
  EXPECT_EQ(decode(after).pixels, decode(before).pixels);
}
