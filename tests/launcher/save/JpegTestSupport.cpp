#include "JpegTestSupport.h"

#include <cstdio>
#include <csetjmp>

#include <jpeglib.h>

#include "imageio/DataProvider.h"
#include "imageio/Image.h"
#include "imageio/ImageDestination.h"
#include "SaveFileTestSupport.h"

namespace jpegtest {

Bytes readFile(const std::filesystem::path& path) { return savetest::ReadFile(path); }

void writeFile(const std::filesystem::path& path, const Bytes& bytes) { savetest::WriteFile(path, bytes); }

Bytes pixels(std::size_t width, std::size_t height, int components, std::uint32_t seed) {
  Bytes out(width * height * std::size_t(components));
  std::size_t i = 0;
  for (std::size_t y = 0; y < height; ++y)
    for (std::size_t x = 0; x < width; ++x)
      for (int c = 0; c < components; ++c) {
        // A triangle wave: gentle slopes and no jumps, like a photograph rather than noise.
        const std::size_t t = (x * std::size_t(c + 1) + y * 2 + seed * 37) % 512;
        out[i++] = std::uint8_t(t < 256 ? t : 511 - t);
      }
  return out;
}

bool makeJpeg(const std::filesystem::path& path, std::size_t width, std::size_t height, int components,
              const fnd::Dictionary& properties, imageio::ColorSpaceRef colorSpace, std::uint32_t seed) {
  using namespace imageio;
  if (!colorSpace) colorSpace = components == 1 ? ColorSpace::deviceGray() : ColorSpace::deviceRGB();
  ImageRef image = Image::create(width, height, 8, 8 * std::size_t(components), width * std::size_t(components),
                                 colorSpace, {}, DataProvider::createWithData(pixels(width, height, components, seed)));
  auto destination = ImageDestination::createWithPath(path.string(), ImageType::JPEG, 1);
  if (!image || !destination) return false;
  destination->addImage(image, properties);
  return destination->finalize();
}

namespace {
std::size_t be16(const Bytes& b, std::size_t at) { return std::size_t(b[at]) << 8 | b[at + 1]; }
}  // namespace

std::vector<Segment> segments(const Bytes& b) {
  std::vector<Segment> out;
  std::size_t i = 0;
  while (i + 1 < b.size()) {
    if (b[i] != 0xFF) return out;  // not a segment boundary: stop rather than guess
    const std::uint8_t m = b[i + 1];
    if (m == 0xD8) {
      out.push_back({m, i, 0});
      i += 2;
      continue;
    }
    if (i + 4 > b.size()) return out;
    Segment s{m, i, be16(b, i + 2)};
    out.push_back(s);
    if (m == 0xDA) return out;
    i += 2 + s.length;
  }
  return out;
}

std::size_t countMarker(const std::vector<Segment>& list, std::uint8_t marker) {
  std::size_t n = 0;
  for (const auto& s : list) n += s.marker == marker;
  return n;
}

const Segment* findMarker(const std::vector<Segment>& list, std::uint8_t marker) {
  for (const auto& s : list)
    if (s.marker == marker) return &s;
  return nullptr;
}

namespace {
struct ErrorJump {
  jpeg_error_mgr pub;
  std::jmp_buf jump;
  char message[JMSG_LENGTH_MAX];
};
void onError(j_common_ptr cinfo) {
  auto* e = reinterpret_cast<ErrorJump*>(cinfo->err);
  (*cinfo->err->format_message)(cinfo, e->message);
  std::longjmp(e->jump, 1);
}
}  // namespace

Decoded decode(const Bytes& jpeg) {
  Decoded d;
  jpeg_decompress_struct cinfo{};
  ErrorJump err{};
  cinfo.err = jpeg_std_error(&err.pub);
  err.pub.error_exit = onError;
  if (setjmp(err.jump)) {
    d.error = err.message;
    jpeg_destroy_decompress(&cinfo);
    return d;
  }
  jpeg_create_decompress(&cinfo);
  jpeg_mem_src(&cinfo, jpeg.data(), static_cast<unsigned long>(jpeg.size()));
  jpeg_save_markers(&cinfo, JPEG_APP0 + 2, 0xFFFF);
  jpeg_read_header(&cinfo, TRUE);
  JOCTET* icc = nullptr;
  unsigned int iccLength = 0;
  if (jpeg_read_icc_profile(&cinfo, &icc, &iccLength)) {
    d.icc.assign(icc, icc + iccLength);
    std::free(icc);
  }
  d.xDensity = cinfo.X_density;
  d.yDensity = cinfo.Y_density;
  jpeg_start_decompress(&cinfo);
  d.width = int(cinfo.output_width);
  d.height = int(cinfo.output_height);
  d.components = cinfo.output_components;
  const std::size_t row = std::size_t(d.width) * std::size_t(d.components);
  d.pixels.resize(row * std::size_t(d.height));
  while (cinfo.output_scanline < cinfo.output_height) {
    JSAMPROW r = d.pixels.data() + row * cinfo.output_scanline;
    jpeg_read_scanlines(&cinfo, &r, 1);
  }
  jpeg_finish_decompress(&cinfo);
  jpeg_destroy_decompress(&cinfo);
  d.ok = true;
  return d;
}

std::uint32_t le16(const std::uint8_t* p) { return std::uint32_t(p[0]) | std::uint32_t(p[1]) << 8; }
std::uint32_t le32(const std::uint8_t* p) { return le16(p) | le16(p + 2) << 16; }

}  // namespace jpegtest
