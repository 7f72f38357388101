// Writes a small starting corpus for each fuzz target into <folder>/<target>/, made by our own
// writers: JPEG and TIFF files of every layout the readers meet, EXIF payloads, the save
// pipeline's strip-wise TIFFs, and the settings records' dictionaries. Usage: fuzz_seeds <folder>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "foundation/PropertyList.h"
#include "imageio/ExifSegment.h"
#include "imageio/ImageDestination.h"
#include "imageio/ImageProperties.h"
#include "launcher/save/ISM_IMAGE_INFO.h"
#include "launcher/save/ISM_XFORM_INFO.h"
#include "launcher/save/LargeTiffXform.h"
#include "launcher/save/SMCodes.h"
#include "ui/model/CropInfo.h"
#include "ui/model/FavoriteSetting.h"
#include "ui/model/OutputSize.h"
#include "ui/model/PreferenceInfo.h"
#include "ui/model/ThumbnailInfo.h"

namespace fs = std::filesystem;
using namespace imageio;

namespace {

void writeBytes(const fs::path& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

// A small picture whose every byte depends on its place.
ImageRef picture(std::size_t w, std::size_t h, std::size_t bits, int components, bool alpha) {
  const int samples = components + (alpha ? 1 : 0);
  const std::size_t rowBytes = (w * bits * std::size_t(samples) + 7) / 8;
  fnd::Data bytes(rowBytes * h);
  for (std::size_t i = 0; i < bytes.size(); ++i) bytes[i] = std::uint8_t(i * 37 + i / rowBytes * 11);
  BitmapInfo info;
  if (alpha) info.alpha = AlphaInfo::Last;
  if (bits == 16) info.order = ByteOrder::Little16;
  return Image::create(w, h, bits, bits * std::size_t(samples), rowBytes,
                       components == 1 ? ColorSpace::genericGrayGamma2_2() : ColorSpace::sRGB(), info,
                       DataProvider::createWithData(std::move(bytes)));
}

void writeImage(const fs::path& path, ImageType type, ImageRef image, const fnd::Dictionary& properties) {
  auto destination = ImageDestination::createWithPath(path.string(), type, 1);
  if (!destination) return;
  destination->addImage(std::move(image), properties);
  if (!destination->finalize()) std::fprintf(stderr, "fuzz_seeds: %s not written\n", path.c_str());
}

fnd::Dictionary metadata(int orientation) {
  return {{kCGImagePropertyOrientation, orientation},
          {kCGImagePropertyDPIWidth, 300.0},
          {kCGImagePropertyDPIHeight, 150.0},
          {kCGImagePropertyTIFFDictionary,
           fnd::Dictionary{{kCGImagePropertyTIFFMake, "Vantrel"}, {kCGImagePropertyTIFFDateTime, "2026:12:10 09:08:07"}}},
          {kCGImagePropertyExifDictionary, fnd::Dictionary{{kCGImagePropertyExifColorSpace, 1}}}};
}

void imageSeeds(const fs::path& images, const fs::path& jpegs, const fs::path& exif) {
  writeImage(images / "grey.jpg", ImageType::JPEG, picture(13, 9, 8, 1, false), metadata(1));
  writeImage(images / "rgb-exif.jpg", ImageType::JPEG, picture(17, 11, 8, 3, false), metadata(6));
  fs::copy_file(images / "rgb-exif.jpg", jpegs / "rgb-exif.jpg", fs::copy_options::overwrite_existing);
  fs::copy_file(images / "grey.jpg", jpegs / "grey.jpg", fs::copy_options::overwrite_existing);
  struct Layout {
    const char* name;
    std::size_t bits;
    int components;
    bool alpha;
    int compression;
  } layouts[] = {
      {"bw", 1, 1, false, 1},        {"grey8", 8, 1, false, 1},     {"grey16", 16, 1, false, 1},
      {"rgb8", 8, 3, false, 1},      {"rgb16", 16, 3, false, 1},    {"rgba8", 8, 3, true, 1},
      {"grey8-lzw", 8, 1, false, 5}, {"rgb8-zip", 8, 3, false, 8}, {"rgb8-packbits", 8, 3, false, 32773},
  };
  for (const Layout& l : layouts) {
    fnd::Dictionary properties = metadata(l.bits == 1 ? 8 : 1);
    fnd::Dictionary tiff = properties.dictionary(kCGImagePropertyTIFFDictionary);
    tiff.set(kCGImagePropertyTIFFCompression, l.compression);
    properties.set(kCGImagePropertyTIFFDictionary, std::move(tiff));
    writeImage(images / (std::string(l.name) + ".tif"), ImageType::TIFF, picture(15, 7, l.bits, l.components, l.alpha),
               properties);
  }
  for (int orientation : {1, 6}) {
    const fnd::Data payload = ExifSegment::build(metadata(orientation), 640, 480);
    writeBytes(exif / ("exif-" + std::to_string(orientation)), std::string(payload.begin(), payload.end()));
  }
}

// The save pipeline's own strip-wise TIFFs, as its reader meets them.
void largeTiffSeeds(const fs::path& folder) {
  const std::uint32_t depths[][2] = {{1, 1}, {8, 1}, {16, 1}, {8, 3}, {16, 3}};
  for (const auto& depth : depths) {
    const std::uint32_t w = 9, h = 5, bits = depth[0], samples = depth[1];
    const std::uint64_t line = bits == 1 ? (w + 7) / 8 : std::uint64_t(w) * samples * (bits / 8);
    const std::string path = (folder / ("large-" + std::to_string(bits * samples) + ".tif")).string();
    SM_ImageProperty_Struct property{w, h, bits, samples, 300, 300};
    const std::string none;
    std::unique_ptr<ISM_IMAGE_INFO> image;
    std::unique_ptr<ISM_XFORM_INFO> xform;
    if (SM_CreateImageInfoWithProperty(&image, &property, &none, &path) != CM_OK || SM_CreateXformInfo(&xform) != CM_OK)
      continue;
    xform->SetFormat(SM_FORMAT_RAW, SM_FORMAT_LARGE_TIFF);
    std::vector<std::uint8_t> pixels(line * h);
    for (std::size_t i = 0; i < pixels.size(); ++i) pixels[i] = std::uint8_t(i * 13);
    LargeTiffXform writer;
    if (writer.StartXform(xform.get(), image.get()) != CM_OK ||
        writer.WriteLines(h, line, pixels.data()) != CM_OK || writer.EndXform(nullptr) != CM_OK)
      std::fprintf(stderr, "fuzz_seeds: %s not written\n", path.c_str());
  }
}

void writePlist(const fs::path& path, const fnd::Value& value) {
  if (auto text = fnd::PropertyList::write(value)) writeBytes(path, *text);
}

void settingsSeeds(const fs::path& folder) {
  writePlist(folder / "Preference.xml", Quirel_PreferenceInfo().getDictionary());
  Quirel_FavoriteSetting favourite(0, std::string("Photo"));
  writePlist(folder / "Favorites.xml", fnd::Value(fnd::Array{favourite.getDictionary()}));
  writePlist(folder / "CropInfo.xml", Quirel_CropInfo().getDictionary());
  writePlist(folder / "OutputSize.xml", Quirel_OutputSize().getDictionary());
  Quirel_ThumbnailInfo thumbnail(1);
  writePlist(folder / "ThumbnailInfo.xml", thumbnail.getDictionary());
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: fuzz_seeds <folder>\n");
    return 2;
  }
  const fs::path root = argv[1];
  for (const char* target : {"image_source", "exif_segment", "save_tiff_reader", "save_jpeg_header", "settings_records"})
    fs::create_directories(root / target);
  imageSeeds(root / "image_source", root / "save_jpeg_header", root / "exif_segment");
  largeTiffSeeds(root / "save_tiff_reader");
  for (const char* name : {"grey8.tif", "rgb16.tif", "bw.tif"})
    fs::copy_file(root / "image_source" / name, root / "save_tiff_reader" / name, fs::copy_options::overwrite_existing);
  for (const auto& entry : fs::directory_iterator(root / "save_tiff_reader"))
    fs::copy_file(entry.path(), root / "image_source" / entry.path().filename(), fs::copy_options::overwrite_existing);
  settingsSeeds(root / "settings_records");
  return 0;
}
