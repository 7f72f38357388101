#include "ImageTestSupport.h"

#include <algorithm>
#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>

#include <jpeglib.h>
#include <tiffio.h>

namespace imagetest {

std::uint32_t Gradient::sample(std::size_t x, std::size_t y, int c) const {
  if (bits == 1) return ((x / 8 + y / 8) % 2) ? 1u : 0u;
  const std::uint32_t max = bits == 16 ? 65535u : 255u;
  switch (c) {
    case 0: return std::uint32_t((x + y) * max / (width + height - 2));
    case 1: return std::uint32_t(y * max / (height - 1));
    default: return std::uint32_t((width - 1 - x) * max / (width - 1));
  }
}

std::size_t Gradient::rowBytes() const {
  return bits == 1 ? (width + 7) / 8 : width * std::size_t(components) * std::size_t(bits / 8);
}

std::vector<std::uint8_t> Gradient::row(std::size_t y) const {
  std::vector<std::uint8_t> out(rowBytes(), 0);
  for (std::size_t x = 0; x < width; ++x) {
    for (int c = 0; c < components; ++c) {
      std::uint32_t v = sample(x, y, c);
      if (bits == 1) {
        if (v) out[x / 8] |= std::uint8_t(0x80 >> (x % 8));
      } else if (bits == 8) {
        out[x * std::size_t(components) + std::size_t(c)] = std::uint8_t(v);
      } else {
        std::size_t i = (x * std::size_t(components) + std::size_t(c)) * 2;
        out[i] = std::uint8_t(v & 0xFF);
        out[i + 1] = std::uint8_t(v >> 8);
      }
    }
  }
  return out;
}

namespace {
imageio::BitmapInfo infoFor(const Gradient& g) {
  imageio::BitmapInfo info;
  if (g.bits == 16) info.order = imageio::ByteOrder::Little16;
  return info;
}
}  // namespace

imageio::ImageRef gradientImage(const Gradient& g, imageio::ColorSpaceRef cs, std::size_t* maxRequest) {
  struct State {
    Gradient g;
    std::size_t y = 0, used = 0;
    std::vector<std::uint8_t> row;
    std::size_t* maxRequest;
  };
  auto s = std::make_shared<State>();
  s->g = g;
  s->maxRequest = maxRequest;
  imageio::DataProviderSequentialCallbacks cb;
  cb.getBytes = [s](void* buffer, std::size_t count) -> std::size_t {
    if (s->maxRequest) *s->maxRequest = std::max(*s->maxRequest, count);
    auto* out = static_cast<std::uint8_t*>(buffer);
    std::size_t done = 0;
    while (done < count) {
      if (s->used == s->row.size()) {
        if (s->y >= s->g.height) break;
        s->row = s->g.row(s->y++);
        s->used = 0;
      }
      std::size_t n = std::min(count - done, s->row.size() - s->used);
      std::memcpy(out + done, s->row.data() + s->used, n);
      s->used += n;
      done += n;
    }
    return done;
  };
  cb.rewind = [s] {
    s->y = 0;
    s->row.clear();
    s->used = 0;
  };
  return imageio::Image::create(g.width, g.height, std::size_t(g.bits), std::size_t(g.bits * g.components),
                                g.rowBytes(), std::move(cs), infoFor(g), imageio::DataProvider::createSequential(cb));
}

imageio::ImageRef gradientImageDirect(const Gradient& g, imageio::ColorSpaceRef cs) {
  imageio::DataProviderDirectCallbacks cb;
  cb.getBytesAtPosition = [g](void* buffer, std::int64_t position, std::size_t count) -> std::size_t {
    // One row at most per call, as a block-wise producer would answer.
    std::size_t y = std::size_t(position) / g.rowBytes(), offset = std::size_t(position) % g.rowBytes();
    if (y >= g.height) return 0;
    std::vector<std::uint8_t> row = g.row(y);
    std::size_t n = std::min(count, row.size() - offset);
    std::memcpy(buffer, row.data() + offset, n);
    return n;
  };
  return imageio::Image::create(g.width, g.height, std::size_t(g.bits), std::size_t(g.bits * g.components),
                                g.rowBytes(), std::move(cs), infoFor(g),
                                imageio::DataProvider::createDirect(std::int64_t(g.rowBytes() * g.height), cb));
}

std::vector<std::uint8_t> readFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::vector<std::uint8_t>(std::istreambuf_iterator<char>(in), {});
}

void writeFile(const std::filesystem::path& path, const std::vector<std::uint8_t>& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
}

std::vector<JpegSegment> jpegSegments(const std::vector<std::uint8_t>& f) {
  std::vector<JpegSegment> out;
  if (f.size() < 2 || f[0] != 0xFF || f[1] != 0xD8) return out;
  out.push_back({0xD8, {}});
  std::size_t i = 2;
  while (i + 4 <= f.size() && f[i] == 0xFF) {
    int marker = f[i + 1];
    std::size_t length = (std::size_t(f[i + 2]) << 8) | f[i + 3];
    if (length < 2 || i + 2 + length > f.size()) break;
    out.push_back({marker, std::vector<std::uint8_t>(f.begin() + std::ptrdiff_t(i + 4), f.begin() + std::ptrdiff_t(i + 2 + length))});
    if (marker == 0xDA) break;
    i += 2 + length;
  }
  return out;
}

namespace {

// Orientation from an APP1 payload, read here without imageio's own parser.
int exifOrientation(const std::vector<std::uint8_t>& p) {
  if (p.size() < 14 || std::memcmp(p.data(), "Exif\0\0", 6) != 0) return 0;
  const std::uint8_t* t = p.data() + 6;
  std::size_t n = p.size() - 6;
  bool big = t[0] == 'M';
  auto u16 = [&](std::size_t o) { return big ? (t[o] << 8) | t[o + 1] : t[o] | (t[o + 1] << 8); };
  auto u32 = [&](std::size_t o) { return big ? (std::uint32_t(u16(o)) << 16) | std::uint32_t(u16(o + 2)) : std::uint32_t(u16(o)) | (std::uint32_t(u16(o + 2)) << 16); };
  std::size_t ifd = u32(4);
  if (ifd + 2 > n) return 0;
  int count = u16(ifd);
  for (int e = 0; e < count && ifd + 2 + std::size_t(e + 1) * 12 <= n; ++e) {
    std::size_t at = ifd + 2 + std::size_t(e) * 12;
    if (u16(at) == 0x0112) return u16(at + 8);
  }
  return 0;
}

struct JpegError {
  jpeg_error_mgr pub;
  std::jmp_buf jump;
};
void jumpingExit(j_common_ptr cinfo) { std::longjmp(reinterpret_cast<JpegError*>(cinfo->err)->jump, 1); }

}  // namespace

Decoded decodeJpeg(const std::filesystem::path& path) {
  Decoded d;
  std::vector<std::uint8_t> bytes = readFile(path);
  if (bytes.empty()) return d;
  for (const JpegSegment& s : jpegSegments(bytes))
    if (s.marker == 0xE1 && !d.orientation) d.orientation = exifOrientation(s.payload);
  jpeg_decompress_struct cinfo{};
  JpegError err{};
  std::vector<JSAMPLE> row;
  cinfo.err = jpeg_std_error(&err.pub);
  err.pub.error_exit = jumpingExit;
  if (setjmp(err.jump)) {
    jpeg_destroy_decompress(&cinfo);
    d.ok = false;
    return d;
  }
  jpeg_create_decompress(&cinfo);
  jpeg_mem_src(&cinfo, bytes.data(), static_cast<unsigned long>(bytes.size()));
  jpeg_save_markers(&cinfo, JPEG_APP0 + 2, 0xFFFF);
  jpeg_read_header(&cinfo, TRUE);
  {
    JOCTET* icc = nullptr;
    unsigned int iccLength = 0;
    if (jpeg_read_icc_profile(&cinfo, &icc, &iccLength)) {
      d.icc.assign(icc, icc + iccLength);
      std::free(icc);
    }
  }
  jpeg_start_decompress(&cinfo);
  d.width = cinfo.output_width;
  d.height = cinfo.output_height;
  d.components = cinfo.output_components;
  d.bits = 8;
  if (cinfo.saw_JFIF_marker && cinfo.density_unit == 1) {
    d.dpiX = cinfo.X_density;
    d.dpiY = cinfo.Y_density;
  }
  row.resize(d.width * std::size_t(d.components));
  d.samples.reserve(d.width * d.height * std::size_t(d.components));
  while (cinfo.output_scanline < cinfo.output_height) {
    JSAMPROW r = row.data();
    jpeg_read_scanlines(&cinfo, &r, 1);
    d.samples.insert(d.samples.end(), row.begin(), row.end());
  }
  jpeg_finish_decompress(&cinfo);
  jpeg_destroy_decompress(&cinfo);
  d.ok = true;
  return d;
}

Decoded decodeTiff(const std::filesystem::path& path) {
  Decoded d;
  TIFF* tif = TIFFOpen(path.c_str(), "r");
  if (!tif) return d;
  std::uint32_t w = 0, h = 0;
  std::uint16_t bps = 0, spp = 0, orientation = 0;
  float xres = 0, yres = 0;
  TIFFGetField(tif, TIFFTAG_IMAGEWIDTH, &w);
  TIFFGetField(tif, TIFFTAG_IMAGELENGTH, &h);
  TIFFGetFieldDefaulted(tif, TIFFTAG_BITSPERSAMPLE, &bps);
  TIFFGetFieldDefaulted(tif, TIFFTAG_SAMPLESPERPIXEL, &spp);
  if (TIFFGetField(tif, TIFFTAG_ORIENTATION, &orientation)) d.orientation = orientation;
  if (TIFFGetField(tif, TIFFTAG_XRESOLUTION, &xres)) d.dpiX = xres;
  if (TIFFGetField(tif, TIFFTAG_YRESOLUTION, &yres)) d.dpiY = yres;
  std::uint32_t iccLength = 0;
  void* icc = nullptr;
  if (TIFFGetField(tif, TIFFTAG_ICCPROFILE, &iccLength, &icc))
    d.icc.assign(static_cast<std::uint8_t*>(icc), static_cast<std::uint8_t*>(icc) + iccLength);
  d.width = w;
  d.height = h;
  d.components = spp;
  d.bits = bps;
  std::vector<std::uint8_t> row(std::size_t(TIFFScanlineSize(tif)));
  d.ok = true;
  for (std::uint32_t y = 0; y < h && d.ok; ++y) {
    if (TIFFReadScanline(tif, row.data(), y, 0) < 0) {
      d.ok = false;
      break;
    }
    for (std::size_t i = 0; i < std::size_t(w) * spp; ++i) {
      if (bps == 1) d.samples.push_back((row[i / 8] >> (7 - i % 8)) & 1);
      else if (bps == 8) d.samples.push_back(row[i]);
      else d.samples.push_back(reinterpret_cast<std::uint16_t*>(row.data())[i]);
    }
  }
  TIFFClose(tif);
  return d;
}

std::vector<std::string> listFolder(const std::filesystem::path& folder) {
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(folder)) names.push_back(entry.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

}  // namespace imagetest
