#include "SaveTestSupport.h"

#include <tiffio.h>

#include "launcher/save/SMCodes.h"

namespace savetest {

Scan::Scan(std::uint32_t w, std::uint32_t h, std::uint32_t d, std::uint32_t seed) : width(w), height(h), depth(d) {
  bytes.resize(std::size_t(rowBytes()) * h);
  std::uint32_t state = seed * 2654435761u + 12345u;
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    state = state * 1103515245u + 12345u;
    bytes[i] = std::uint8_t((state >> 16) ^ i);
  }
}

std::uint32_t Scan::rowBytes() const { return depth == 1 ? (width + 7) / 8 : width * (depth / 8); }

SM_ImageProperty_Struct Scan::property() const {
  SM_ImageProperty_Struct p{};
  p.uiImageWidth = width;
  p.uiImageLength = height;
  SM_SampleLayoutForDepth(depth, &p.uiBitsPerSample, &p.uiSamplePerPixel);
  p.fResolutionX = dpi;
  p.fResolutionY = dpi;
  return p;
}

std::unique_ptr<ISM_XFORM_INFO> makeXform(std::uint32_t in, std::uint32_t out) {
  std::unique_ptr<ISM_XFORM_INFO> x;
  SM_CreateXformInfo(&x);
  x->SetFormat(in, out);
  const std::string app = "Trivolan", device = "Test Scanner";
  x->SetAppName(&app);
  x->SetDeviceName(&device);
  return x;
}

std::unique_ptr<ISM_IMAGE_INFO> makeImage(const Scan& scan, const std::string& outputPath) {
  std::unique_ptr<ISM_IMAGE_INFO> image;
  SM_ImageProperty_Struct p = scan.property();
  const std::string empty;
  SM_CreateImageInfoWithProperty(&image, &p, &empty, &outputPath);
  return image;
}

std::unique_ptr<ISM_OPTION_INFO> makeOption(std::int32_t rotation, std::uint32_t optionSwitch) {
  std::unique_ptr<ISM_OPTION_INFO> o;
  SM_CreateOptionInfo(&o);
  o->SetRotation(rotation);
  o->SetOptionSwitch(optionSwitch);
  return o;
}

TiffContents readTiff(const std::filesystem::path& path) {
  TiffContents c;
  TIFFSetErrorHandler(nullptr);
  TIFFSetWarningHandler(nullptr);
  TIFF* tif = TIFFOpen(path.c_str(), "r");
  if (!tif) {
    c.error = "cannot open " + path.string();
    return c;
  }
  TIFFGetField(tif, TIFFTAG_IMAGEWIDTH, &c.width);
  TIFFGetField(tif, TIFFTAG_IMAGELENGTH, &c.height);
  TIFFGetFieldDefaulted(tif, TIFFTAG_BITSPERSAMPLE, &c.bitsPerSample);
  TIFFGetFieldDefaulted(tif, TIFFTAG_SAMPLESPERPIXEL, &c.samplesPerPixel);
  TIFFGetField(tif, TIFFTAG_XRESOLUTION, &c.xResolution);
  TIFFGetField(tif, TIFFTAG_YRESOLUTION, &c.yResolution);
  std::uint32_t iccSize = 0;
  void* icc = nullptr;
  if (TIFFGetField(tif, TIFFTAG_ICCPROFILE, &iccSize, &icc) && icc)
    c.icc.assign(static_cast<std::uint8_t*>(icc), static_cast<std::uint8_t*>(icc) + iccSize);
  for (auto [tag, text] : {std::pair{TIFFTAG_MAKE, &c.make}, std::pair{TIFFTAG_MODEL, &c.model},
                           std::pair{TIFFTAG_SOFTWARE, &c.software}, std::pair{TIFFTAG_DATETIME, &c.dateTime}}) {
    char* value = nullptr;
    if (TIFFGetField(tif, tag, &value) && value) *text = value;
  }
  const tmsize_t line = TIFFScanlineSize(tif);
  c.bytes.resize(std::size_t(line) * c.height);
  c.ok = true;
  for (std::uint32_t y = 0; y < c.height; ++y) {
    if (TIFFReadScanline(tif, c.bytes.data() + std::size_t(line) * y, y, 0) < 0) {
      c.ok = false;
      c.error = "cannot read row " + std::to_string(y);
      break;
    }
  }
  TIFFClose(tif);
  return c;
}

std::vector<std::string> filesStartingWith(const std::filesystem::path& folder, const std::string& prefix) {
  std::vector<std::string> out;
  std::error_code ec;
  for (const auto& entry : std::filesystem::directory_iterator(folder, ec)) {
    std::string name = entry.path().filename().string();
    if (name.rfind(prefix, 0) == 0) out.push_back(name);
  }
  return out;
}

}  // namespace savetest
