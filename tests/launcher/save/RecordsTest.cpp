#include <gtest/gtest.h>

#include <cstring>
#include <functional>

#include "launcher/save/ISM_IMAGE_INFO.h"
#include "launcher/save/ISM_OPTION_INFO.h"
#include "launcher/save/ISM_XFORM_INFO.h"
#include "launcher/save/SMCodes.h"

namespace {

TEST(Records, CreatingOrCopyingIntoASetSlotIsRefusedAndLeavesItAlone) {
  std::unique_ptr<ISM_IMAGE_INFO> image;
  std::unique_ptr<ISM_OPTION_INFO> option;
  std::unique_ptr<ISM_XFORM_INFO> xform;
  ASSERT_EQ(SM_CreateImageInfo(&image), CM_OK);
  ASSERT_EQ(SM_CreateOptionInfo(&option), CM_OK);
  ASSERT_EQ(SM_CreateXformInfo(&xform), CM_OK);
  const void* originals[] = {image.get(), option.get(), xform.get()};
  SM_ImageProperty_Struct property{};
  const std::string path = "/x";
  struct Case {
    const char* what;
    std::function<CMResult()> call;
  } cases[] = {
      {"image", [&] { return SM_CreateImageInfo(&image); }},
      {"image with property", [&] { return SM_CreateImageInfoWithProperty(&image, &property, &path, &path); }},
      {"image copy", [&] { return SM_CopyImageInfo(&image, image.get()); }},
      {"option", [&] { return SM_CreateOptionInfo(&option); }},
      {"option copy", [&] { return SM_CopyOptionInfo(&option, option.get()); }},
      {"xform", [&] { return SM_CreateXformInfo(&xform); }},
      {"xform copy", [&] { return SM_CopyXformInfo(&xform, xform.get()); }},
  };
  for (const Case& c : cases) {
    CMResult got = 0;
    EXPECT_NO_THROW(got = c.call()) << c.what;
    EXPECT_EQ(got, CM_ERR_BAD_ARGUMENT) << c.what;
  }
  EXPECT_EQ(image.get(), originals[0]);
  EXPECT_EQ(option.get(), originals[1]);
  EXPECT_EQ(xform.get(), originals[2]);

  EXPECT_EQ(SM_ReleaseImageInfo(&image), CM_OK);
  EXPECT_EQ(SM_ReleaseOptionInfo(&option), CM_OK);
  EXPECT_EQ(SM_ReleaseXformInfo(&xform), CM_OK);
  EXPECT_EQ(image, nullptr);
  EXPECT_EQ(SM_ReleaseImageInfo(&image), CM_ERR_BAD_ARGUMENT);
  EXPECT_EQ(SM_ReleaseOptionInfo(&option), CM_ERR_BAD_ARGUMENT);
  EXPECT_EQ(SM_ReleaseXformInfo(&xform), CM_ERR_BAD_ARGUMENT);

  // Null sources and arguments.
  EXPECT_EQ(SM_CopyImageInfo(&image, nullptr), CM_ERR_BAD_ARGUMENT);
  EXPECT_EQ(SM_CopyOptionInfo(&option, nullptr), CM_ERR_BAD_ARGUMENT);
  EXPECT_EQ(SM_CopyXformInfo(&xform, nullptr), CM_ERR_BAD_ARGUMENT);
  EXPECT_EQ(SM_CreateImageInfoWithProperty(&image, nullptr, &path, &path), CM_ERR_BAD_ARGUMENT);
  EXPECT_EQ(SM_CreateImageInfoWithProperty(&image, &property, nullptr, &path), CM_ERR_BAD_ARGUMENT);
  EXPECT_EQ(image, nullptr);
  EXPECT_EQ(SM_CreateImageInfo(nullptr), CM_ERR_BAD_ARGUMENT);
}

TEST(Records, ImageRecordCarriesGeometryAndPaths) {
  std::unique_ptr<ISM_IMAGE_INFO> image;
  ASSERT_EQ(SM_CreateImageInfo(&image), CM_OK);
  const SM_ImageProperty_Struct zero{};
  EXPECT_EQ(std::memcmp(image->GetProperty(), &zero, sizeof zero), 0);
  EXPECT_EQ(*image->GetInputPath(), "");
  EXPECT_EQ(image->GetInputPathString()->GetCapacity(), 1024);

  const SM_ImageProperty_Struct property{4961, 7016, 8, 3, 600.0, 600.5};
  const std::string in = "/tmp/in.raw", out = "/home/u/Pictures/scan_20261210_0001.tif";
  std::unique_ptr<ISM_IMAGE_INFO> filled;
  ASSERT_EQ(SM_CreateImageInfoWithProperty(&filled, &property, &in, &out), CM_OK);
  std::unique_ptr<ISM_IMAGE_INFO> copy;
  ASSERT_EQ(SM_CopyImageInfo(&copy, filled.get()), CM_OK);
  for (const ISM_IMAGE_INFO* r : {filled.get(), copy.get()}) {
    EXPECT_EQ(std::memcmp(r->GetProperty(), &property, sizeof property), 0);
    EXPECT_EQ(*r->GetInputPath(), in);
    EXPECT_EQ(*r->GetOutputPath(), out);
  }
  EXPECT_NE(copy->GetOutputPathString(), filled->GetOutputPathString()) << "each holder has its own copy";

  EXPECT_EQ(image->SetProperty(nullptr), CM_ERR_BAD_ARGUMENT);
  EXPECT_EQ(image->SetInputPath(nullptr), CM_ERR_BAD_ARGUMENT);
  ASSERT_EQ(image->GetOutputPathString()->ReleaseText(), CM_OK);
  EXPECT_EQ(image->GetOutputPath(), nullptr);
  EXPECT_EQ(image->SetOutputPath(&out), CM_ERR_NOT_READY);
  std::unique_ptr<ISM_IMAGE_INFO> fromBroken;
  EXPECT_EQ(SM_CopyImageInfo(&fromBroken, image.get()), CM_ERR_BAD_ARGUMENT) << "a missing text cannot be copied";
  EXPECT_EQ(fromBroken, nullptr);
}

TEST(Records, OptionRecordCopiesAndCutsItsNumbersTo16Bits) {
  std::unique_ptr<ISM_OPTION_INFO> option;
  ASSERT_EQ(SM_CreateOptionInfo(&option), CM_OK);
  EXPECT_EQ(option->GetRotation(), 0);
  EXPECT_EQ(option->GetOptionSwitch(), 0u);
  const std::string maker = "Vantrel", device = "Scanner 9000", app = "Trivolan";
  ASSERT_EQ(option->SetMakerName(&maker), CM_OK);
  ASSERT_EQ(option->SetDeviceName(&device), CM_OK);
  ASSERT_EQ(option->SetAppName(&app), CM_OK);
  ASSERT_EQ(option->SetRotation(SM_ROTATE_0), CM_OK);
  ASSERT_EQ(option->SetOptionSwitch(SM_SWITCH_4081), CM_OK);

  std::unique_ptr<ISM_OPTION_INFO> copy;
  ASSERT_EQ(SM_CopyOptionInfo(&copy, option.get()), CM_OK);
  EXPECT_EQ(*copy->GetMakerName(), maker);
  EXPECT_EQ(*copy->GetDeviceName(), device);
  EXPECT_EQ(*copy->GetAppName(), app);
  EXPECT_EQ(copy->GetRotation(), 4750);
  EXPECT_EQ(copy->GetOptionSwitch(), 4081u);

  EXPECT_EQ(option->SetRotation(0x18000), CM_OK);
  EXPECT_EQ(option->GetRotation(), -32768) << "signed 16-bit field";
  EXPECT_EQ(option->SetOptionSwitch(0x1FFFF), CM_OK);
  EXPECT_EQ(option->GetOptionSwitch(), 0xFFFFu) << "unsigned 16-bit field";
  EXPECT_EQ(option->SetMakerName(nullptr), CM_ERR_BAD_ARGUMENT);
}

TEST(Records, FormatPairPacksInputHighAndOutputLow) {
  std::unique_ptr<ISM_XFORM_INFO> xform;
  ASSERT_EQ(SM_CreateXformInfo(&xform), CM_OK);
  ASSERT_EQ(xform->SetFormat(SM_FORMAT_RAW, SM_FORMAT_TIFF), CM_OK);
  EXPECT_EQ(xform->GetFormatPair(), 0x10ED10E2u);
  EXPECT_EQ(xform->GetInFormat(), 4333u);
  EXPECT_EQ(xform->GetOutFormat(), 4322u);
  ASSERT_EQ(xform->SetFormatPair(SM_FormatPair(4322, 4321)), CM_OK);
  EXPECT_EQ(xform->GetInFormat(), 4322u);
  EXPECT_EQ(xform->GetOutFormat(), 4321u);
  ASSERT_EQ(xform->SetFormat(0x1FFFF, 0x10005), CM_OK);
  EXPECT_EQ(xform->GetFormatPair(), 0xFFFF0005u) << "an oversized output does not spill into the input";
}

TEST(Records, XformCopyAnswersLikeItsSourceOnEveryGetter) {
  std::unique_ptr<ISM_XFORM_INFO> source;
  ASSERT_EQ(SM_CreateXformInfo(&source), CM_OK);
  EXPECT_EQ(source->GetDeviceNameString()->GetCapacity(), 64);
  ISM_XFORM_INFO& s = *source;
  const std::string device = "Scanner 9000", app = "Trivolan", t3 = "three", t4 = "four";
  ASSERT_EQ(s.SetFormat(4333, 4330), CM_OK);
  ASSERT_EQ(s.SetSetting1(-5), CM_OK);
  ASSERT_EQ(s.SetSwitch1(4080), CM_OK);
  ASSERT_EQ(s.SetSwitch2(4081), CM_OK);
  ASSERT_EQ(s.SetSetting2(0xDEADBEEF), CM_OK);
  ASSERT_EQ(s.SetCompression(4461), CM_OK);
  ASSERT_EQ(s.SetMode(4553), CM_OK);
  ASSERT_EQ(s.SetSetting3(-300), CM_OK);
  ASSERT_EQ(s.SetSetting4(65000), CM_OK);
  ASSERT_EQ(s.SetSetting5(5), CM_OK);
  ASSERT_EQ(s.SetSetting6(6), CM_OK);
  ASSERT_EQ(s.SetSetting7(7), CM_OK);
  ASSERT_EQ(s.SetSetting8(0xFFFFFFFF), CM_OK);
  ASSERT_EQ(s.SetDeviceName(&device), CM_OK);
  ASSERT_EQ(s.SetAppName(&app), CM_OK);
  ASSERT_EQ(s.SetText3(&t3), CM_OK);
  ASSERT_EQ(s.SetText4(&t4), CM_OK);

  std::unique_ptr<ISM_XFORM_INFO> copy;
  ASSERT_EQ(SM_CopyXformInfo(&copy, source.get()), CM_OK);
  const ISM_XFORM_INFO& c = *copy;
  EXPECT_EQ(c.GetFormatPair(), s.GetFormatPair());
  EXPECT_EQ(c.GetOutFormat(), s.GetOutFormat());
  EXPECT_EQ(c.GetInFormat(), s.GetInFormat());
  EXPECT_EQ(c.GetSetting1(), -5);
  EXPECT_EQ(c.GetSwitch1(), 4080u);
  EXPECT_EQ(c.GetSwitch2(), 4081u);
  EXPECT_EQ(c.GetSetting2(), 0xDEADBEEFu);
  EXPECT_EQ(c.GetCompression(), 4461);
  EXPECT_EQ(c.GetMode(), 4553);
  EXPECT_EQ(c.GetSetting3(), -300);
  EXPECT_EQ(c.GetSetting4(), 65000u);
  EXPECT_EQ(c.GetSetting5(), 5u);
  EXPECT_EQ(c.GetSetting6(), 6u);
  EXPECT_EQ(c.GetSetting7(), 7u);
  EXPECT_EQ(c.GetSetting8(), 0xFFFFFFFFu);
  EXPECT_EQ(*c.GetDeviceNameString()->GetNSString(), device);
  EXPECT_EQ(*c.GetDeviceName(), device);
  EXPECT_EQ(*c.GetAppName(), app);
  EXPECT_EQ(*c.GetText3(), t3);
  EXPECT_EQ(*c.GetText4(), t4);
  EXPECT_NE(c.GetDeviceNameString(), s.GetDeviceNameString());

  // A fresh record copies as all zero and empty.
  std::unique_ptr<ISM_XFORM_INFO> empty, emptyCopy;
  ASSERT_EQ(SM_CreateXformInfo(&empty), CM_OK);
  ASSERT_EQ(SM_CopyXformInfo(&emptyCopy, empty.get()), CM_OK);
  EXPECT_EQ(emptyCopy->GetFormatPair(), 0u);
  EXPECT_EQ(emptyCopy->GetMode(), 0);
  EXPECT_EQ(*emptyCopy->GetAppName(), "");
}

TEST(Records, CodeTables) {
  struct Rotation {
    std::int32_t code;
    int degrees;
  } rotations[] = {{4750, 0}, {4751, 90}, {4752, 180}, {4753, 270}, {4749, 0}, {4754, 0}, {0, 0}, {-4751, 0}};
  for (const Rotation& r : rotations) EXPECT_EQ(SM_RotationDegrees(r.code), r.degrees) << r.code;

  struct Quality {
    std::int32_t code;
    double quality;
  } qualities[] = {{4460, 0.42}, {4461, 0.67}, {4462, 0.99}, {0, 0.99}, {4463, 0.99}};
  for (const Quality& q : qualities) EXPECT_DOUBLE_EQ(SM_JpegQuality(q.code), q.quality) << q.code;

  struct Depth {
    std::uint32_t bitsPerPixel;
    bool ok;
    std::uint32_t bits, samples;
  } depths[] = {{1, true, 1, 1}, {8, true, 8, 1}, {16, true, 16, 1}, {24, true, 8, 3}, {48, true, 16, 3}, {32, false, 0, 0}};
  for (const Depth& d : depths) {
    std::uint32_t bits = 0, samples = 0;
    EXPECT_EQ(SM_SampleLayoutForDepth(d.bitsPerPixel, &bits, &samples), d.ok) << d.bitsPerPixel;
    EXPECT_EQ(bits, d.bits);
    EXPECT_EQ(samples, d.samples);
  }
  EXPECT_EQ(SM_FORMAT_RAW, 4333);
  EXPECT_EQ(SM_FORMAT_JPEG, 4320);
  EXPECT_EQ(SM_FORMAT_LARGE_TIFF, 4330);
  EXPECT_EQ(SM_SIZE_CLASS_FIRST, 4550);
  EXPECT_EQ(SM_SIZE_CLASS_LAST, 4555);
}

}  // namespace
