#include "imageio/ExifSegment.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <string>
#include <vector>

#include "imageio/ColorSpace.h"
#include "imageio/ImageProperties.h"
#include "imageio/OutputSettings.h"

namespace imageio {

namespace {

enum Type : std::uint16_t { kByte = 1, kAscii = 2, kShort = 3, kLong = 4, kRational = 5, kUndefined = 7 };

enum Tag : std::uint16_t {
  kMake = 0x010F,
  kModel = 0x0110,
  kOrientation = 0x0112,
  kXResolution = 0x011A,
  kYResolution = 0x011B,
  kResolutionUnit = 0x0128,
  kSoftware = 0x0131,
  kDateTime = 0x0132,
  kYCbCrPositioning = 0x0213,
  kExifPointer = 0x8769,
  kExifVersion = 0x9000,
  kDateTimeDigitized = 0x9004,
  kComponentsConfiguration = 0x9101,
  kFlashPixVersion = 0xA000,
  kColorSpace = 0xA001,
  kPixelXDimension = 0xA002,
  kPixelYDimension = 0xA003,
};

struct Entry {
  std::uint16_t tag;
  std::uint16_t type;
  std::uint32_t count;
  std::vector<std::uint8_t> value;  // big-endian
};

void put16(std::vector<std::uint8_t>& v, std::uint32_t x) {
  v.push_back(std::uint8_t(x >> 8));
  v.push_back(std::uint8_t(x));
}
void put32(std::vector<std::uint8_t>& v, std::uint32_t x) {
  put16(v, x >> 16);
  put16(v, x & 0xFFFF);
}

Entry ascii(std::uint16_t tag, const std::string& s) {
  Entry e{tag, kAscii, std::uint32_t(s.size() + 1), {}};
  e.value.assign(s.begin(), s.end());
  e.value.push_back(0);
  return e;
}
Entry shortValue(std::uint16_t tag, std::uint32_t x) {
  Entry e{tag, kShort, 1, {}};
  put16(e.value, x);
  return e;
}
Entry longValue(std::uint16_t tag, std::uint32_t x) {
  Entry e{tag, kLong, 1, {}};
  put32(e.value, x);
  return e;
}
Entry rational(std::uint16_t tag, double x) {
  Entry e{tag, kRational, 1, {}};
  // Whole dpi as the platform writes it; fractions keep two decimals.
  double r = std::round(x * 100.0);
  if (r == std::round(x) * 100.0) {
    put32(e.value, std::uint32_t(std::max(0.0, std::round(x))));
    put32(e.value, 1);
  } else {
    put32(e.value, std::uint32_t(std::max(0.0, r)));
    put32(e.value, 100);
  }
  return e;
}
Entry undefined(std::uint16_t tag, std::vector<std::uint8_t> bytes) {
  Entry e{tag, kUndefined, std::uint32_t(bytes.size()), std::move(bytes)};
  return e;
}

// A version given as numbers (2, 2, 1) is written as four digits ("0221").
std::vector<std::uint8_t> versionBytes(const fnd::Value& v) {
  if (v.isString() && v.toString().size() == 4) {
    std::string s = v.toString();
    return {std::uint8_t(s[0]), std::uint8_t(s[1]), std::uint8_t(s[2]), std::uint8_t(s[3])};
  }
  if (v.isData() && v.toData().size() == 4) return v.toData();
  const fnd::Array& a = v.toArray();
  int major = a.size() > 0 ? a[0].toInt() : 0;
  int minor = a.size() > 1 ? a[1].toInt() : 0;
  int sub = a.size() > 2 ? a[2].toInt() : 0;
  auto digit = [](int d) { return std::uint8_t('0' + std::clamp(d, 0, 9)); };
  return {digit(major / 10), digit(major % 10), digit(minor), digit(sub)};
}

fnd::Value versionValue(const std::uint8_t* p) {
  for (int i = 0; i < 4; ++i)
    if (p[i] < '0' || p[i] > '9') return fnd::Value();
  fnd::Array a{fnd::Value((p[0] - '0') * 10 + (p[1] - '0')), fnd::Value(p[2] - '0')};
  if (p[3] != '0') a.push_back(fnd::Value(p[3] - '0'));
  return fnd::Value(std::move(a));
}

// An IFD at offset base with its out-of-line values behind it.
std::vector<std::uint8_t> serialise(const std::vector<Entry>& entries, std::uint32_t base) {
  std::vector<std::uint8_t> ifd, data;
  std::uint32_t dataStart = base + 2 + 12 * std::uint32_t(entries.size()) + 4;
  put16(ifd, std::uint32_t(entries.size()));
  for (const Entry& e : entries) {
    put16(ifd, e.tag);
    put16(ifd, e.type);
    put32(ifd, e.count);
    if (e.value.size() <= 4) {
      std::vector<std::uint8_t> inline4 = e.value;
      inline4.resize(4, 0);
      ifd.insert(ifd.end(), inline4.begin(), inline4.end());
    } else {
      put32(ifd, dataStart + std::uint32_t(data.size()));
      data.insert(data.end(), e.value.begin(), e.value.end());
      if (data.size() & 1) data.push_back(0);  // values start on word boundaries
    }
  }
  put32(ifd, 0);
  ifd.insert(ifd.end(), data.begin(), data.end());
  return ifd;
}

struct Reader {
  const std::uint8_t* p;
  std::size_t size;
  bool big;
  bool in(std::size_t off, std::size_t n) const { return off <= size && n <= size - off; }
  std::uint32_t u16(std::size_t off) const {
    return big ? std::uint32_t((p[off] << 8) | p[off + 1]) : std::uint32_t(p[off] | (p[off + 1] << 8));
  }
  std::uint32_t u32(std::size_t off) const {
    return big ? (u16(off) << 16) | u16(off + 2) : u16(off) | (u16(off + 2) << 16);
  }
};

std::size_t typeSize(std::uint32_t type) {
  switch (type) {
    case kByte: case kAscii: case kUndefined: return 1;
    case kShort: return 2;
    case kLong: return 4;
    case kRational: return 8;
    default: return 0;
  }
}

// The types (a mask of 1 << type) and counts an entry of a tag the parser reads must have.
struct Rule {
  std::uint32_t types = 0;
  std::uint32_t minCount = 1, maxCount = 1;
};
constexpr std::uint32_t bit(Type t) { return 1u << t; }

// Rules of the tags read from IFD0 and from the Exif IFD; a tag without one is never read.
const Rule* ifd0Rule(std::uint32_t tag) {
  static constexpr Rule text{bit(kAscii), 1, 1u << 20}, one{bit(kShort)}, ratio{bit(kRational)}, pointer{bit(kLong)};
  switch (tag) {
    case kMake: case kModel: case kSoftware: case kDateTime: return &text;
    case kOrientation: case kResolutionUnit: return &one;
    case kXResolution: case kYResolution: return &ratio;
    case kExifPointer: return &pointer;
    default: return nullptr;
  }
}
const Rule* exifRule(std::uint32_t tag) {
  static constexpr Rule text{bit(kAscii), 1, 1u << 20}, one{bit(kShort)}, number{bit(kShort) | bit(kLong)},
      four{bit(kUndefined) | bit(kByte), 4, 4};
  switch (tag) {
    case kExifVersion: case kFlashPixVersion: case kComponentsConfiguration: return &four;
    case kColorSpace: return &one;
    case kDateTimeDigitized: return &text;
    case kPixelXDimension: case kPixelYDimension: return &number;
    default: return nullptr;
  }
}

// Calls fn(tag, type, count, offset of the value) for each entry of the IFD at off that the
// rules know. False, before anything of it is read, when the IFD or such an entry does not
// fit the payload, or the entry's type or count does not suit its tag.
template <class Rules, class Fn>
bool walk(const Reader& r, std::size_t off, Rules rules, Fn fn) {
  if (!r.in(off, 2)) return false;
  std::uint32_t n = r.u16(off);
  if (!r.in(off + 2, std::size_t(n) * 12)) return false;
  for (std::uint32_t i = 0; i < n; ++i) {
    std::size_t e = off + 2 + std::size_t(i) * 12;
    std::uint32_t tag = r.u16(e), type = r.u16(e + 2), count = r.u32(e + 4);
    const Rule* rule = rules(tag);
    if (!rule) continue;
    if (type >= 32 || !(rule->types & (1u << type)) || count < rule->minCount || count > rule->maxCount) return false;
    std::size_t bytes = typeSize(type) * std::size_t(count);
    std::size_t valueOff = bytes <= 4 ? e + 8 : r.u32(e + 8);
    if (!r.in(valueOff, bytes)) return false;
    fn(tag, type, count, valueOff);
  }
  return true;
}

// EXIF's ColorSpace of an image: only sRGB has a value of its own; a space without a profile
// is read as sRGB too. Everything else is uncalibrated.
std::uint32_t exifColorSpace(const ColorSpace* cs) {
  if (!cs) return 1;
  if (cs->model() != ColorSpace::Model::RGB) return 0xFFFF;
  if (cs->kind() == ColorSpace::Kind::SRGB || cs->kind() == ColorSpace::Kind::DeviceRGB) return 1;
  return cs->iccData() == ColorSpace::sRGBProfileData() ? 1 : 0xFFFF;
}

}  // namespace

fnd::Data ExifSegment::build(const fnd::Dictionary& properties, std::size_t width, std::size_t height,
                             const ColorSpace* colorSpace) {
  const fnd::Dictionary& tiff = properties.dictionary(kCGImagePropertyTIFFDictionary);
  const fnd::Dictionary& exif = properties.dictionary(kCGImagePropertyExifDictionary);

  const OutputSettings settings = OutputSettings::from(properties);

  std::vector<Entry> ifd0;
  if (tiff.contains(kCGImagePropertyTIFFMake)) ifd0.push_back(ascii(kMake, tiff.string(kCGImagePropertyTIFFMake)));
  if (tiff.contains(kCGImagePropertyTIFFModel)) ifd0.push_back(ascii(kModel, tiff.string(kCGImagePropertyTIFFModel)));
  ifd0.push_back(shortValue(kOrientation, std::uint32_t(settings.orientation)));
  ifd0.push_back(rational(kXResolution, settings.dpiX));
  ifd0.push_back(rational(kYResolution, settings.dpiY));
  ifd0.push_back(shortValue(kResolutionUnit, 2));
  if (tiff.contains(kCGImagePropertyTIFFSoftware))
    ifd0.push_back(ascii(kSoftware, tiff.string(kCGImagePropertyTIFFSoftware)));
  if (tiff.contains(kCGImagePropertyTIFFDateTime))
    ifd0.push_back(ascii(kDateTime, tiff.string(kCGImagePropertyTIFFDateTime)));
  ifd0.push_back(shortValue(kYCbCrPositioning, 1));  // centred, as JPEG's subsampling places chroma
  ifd0.push_back(longValue(kExifPointer, 0));  // patched below

  std::vector<Entry> sub;
  sub.push_back(undefined(kExifVersion, exif.contains(kCGImagePropertyExifVersion)
                                            ? versionBytes(exif.get(kCGImagePropertyExifVersion))
                                            : std::vector<std::uint8_t>{'0', '2', '2', '1'}));
  if (exif.contains(kCGImagePropertyExifDateTimeDigitized))
    sub.push_back(ascii(kDateTimeDigitized, exif.string(kCGImagePropertyExifDateTimeDigitized)));
  // Mandatory for compressed data: Y, Cb, Cr unless the dictionary says otherwise.
  std::vector<std::uint8_t> components{1, 2, 3, 0};
  if (exif.contains(kCGImagePropertyExifComponentsConfiguration)) {
    const fnd::Array& a = exif.array(kCGImagePropertyExifComponentsConfiguration);
    std::fill(components.begin(), components.end(), 0);
    for (std::size_t i = 0; i < 4 && i < a.size(); ++i) components[i] = std::uint8_t(a[i].toInt());
  }
  sub.push_back(undefined(kComponentsConfiguration, components));
  sub.push_back(undefined(kFlashPixVersion, exif.contains(kCGImagePropertyExifFlashPixVersion)
                                                ? versionBytes(exif.get(kCGImagePropertyExifFlashPixVersion))
                                                : std::vector<std::uint8_t>{'0', '1', '0', '0'}));
  sub.push_back(shortValue(kColorSpace, exif.contains(kCGImagePropertyExifColorSpace)
                                            ? std::uint32_t(exif.integer(kCGImagePropertyExifColorSpace) & 0xFFFF)
                                            : exifColorSpace(colorSpace)));
  sub.push_back(longValue(kPixelXDimension, std::uint32_t(width)));
  sub.push_back(longValue(kPixelYDimension, std::uint32_t(height)));

  std::vector<std::uint8_t> first = serialise(ifd0, 8);
  std::uint32_t exifOffset = 8 + std::uint32_t(first.size());
  ifd0.back().value.clear();
  put32(ifd0.back().value, exifOffset);
  first = serialise(ifd0, 8);
  std::vector<std::uint8_t> second = serialise(sub, exifOffset);

  static constexpr std::uint8_t kHeader[] = {'E', 'x', 'i', 'f', 0, 0, 'M', 'M', 0, 42, 0, 0, 0, 8};
  fnd::Data out(sizeof kHeader + first.size() + second.size());
  std::memcpy(out.data(), kHeader, sizeof kHeader);
  std::memcpy(out.data() + sizeof kHeader, first.data(), first.size());
  std::memcpy(out.data() + sizeof kHeader + first.size(), second.data(), second.size());
  return out;
}

bool ExifSegment::parse(const std::uint8_t* bytes, std::size_t size, fnd::Dictionary& tiffOut, fnd::Dictionary& exifOut) {
  if (!bytes || size < 14 || std::memcmp(bytes, "Exif\0\0", 6) != 0) return false;
  Reader r{bytes + 6, size - 6, bytes[6] == 'M'};
  if (!(r.p[0] == r.p[1] && (r.p[0] == 'M' || r.p[0] == 'I')) || r.u16(2) != 42) return false;
  auto text = [&](std::size_t off, std::uint32_t count) {
    std::string s(reinterpret_cast<const char*>(r.p + off), count);
    if (auto nul = s.find('\0'); nul != std::string::npos) s.resize(nul);
    return s;
  };
  auto rationalAt = [&](std::size_t off) {
    std::uint32_t den = r.u32(off + 4);
    return den ? double(r.u32(off)) / den : 0.0;
  };
  // The walks have checked each entry's type, count and place against its tag's rule.
  fnd::Dictionary tiff, exif;
  std::size_t exifOffset = 0;
  bool ok = walk(r, r.u32(4), ifd0Rule, [&](std::uint32_t tag, std::uint32_t, std::uint32_t count, std::size_t off) {
    switch (tag) {
      case kMake: tiff.set(kCGImagePropertyTIFFMake, text(off, count)); break;
      case kModel: tiff.set(kCGImagePropertyTIFFModel, text(off, count)); break;
      case kSoftware: tiff.set(kCGImagePropertyTIFFSoftware, text(off, count)); break;
      case kDateTime: tiff.set(kCGImagePropertyTIFFDateTime, text(off, count)); break;
      case kOrientation: tiff.set(kCGImagePropertyTIFFOrientation, int(r.u16(off))); break;
      case kResolutionUnit: tiff.set(kCGImagePropertyTIFFResolutionUnit, int(r.u16(off))); break;
      case kXResolution: tiff.set(kCGImagePropertyTIFFXResolution, rationalAt(off)); break;
      case kYResolution: tiff.set(kCGImagePropertyTIFFYResolution, rationalAt(off)); break;
      case kExifPointer: exifOffset = r.u32(off); break;
      default: break;
    }
  });
  if (ok && exifOffset) {
    ok = walk(r, exifOffset, exifRule, [&](std::uint32_t tag, std::uint32_t type, std::uint32_t count, std::size_t off) {
      switch (tag) {
        case kExifVersion: exif.set(kCGImagePropertyExifVersion, versionValue(r.p + off)); break;
        case kFlashPixVersion: exif.set(kCGImagePropertyExifFlashPixVersion, versionValue(r.p + off)); break;
        case kComponentsConfiguration: {
          fnd::Array a;
          for (int i = 0; i < 4; ++i) a.push_back(fnd::Value(int(r.p[off + std::size_t(i)])));
          exif.set(kCGImagePropertyExifComponentsConfiguration, std::move(a));
          break;
        }
        case kColorSpace: exif.set(kCGImagePropertyExifColorSpace, int(r.u16(off))); break;
        case kDateTimeDigitized: exif.set(kCGImagePropertyExifDateTimeDigitized, text(off, count)); break;
        case kPixelXDimension:
        case kPixelYDimension: {
          long long v = type == kShort ? r.u16(off) : r.u32(off);
          exif.set(tag == kPixelXDimension ? kCGImagePropertyExifPixelXDimension : kCGImagePropertyExifPixelYDimension, v);
          break;
        }
        default: break;
      }
    });
  }
  if (!ok) return false;
  for (const auto& [key, value] : tiff) tiffOut.set(key, value);
  for (const auto& [key, value] : exif) exifOut.set(key, value);
  return true;
}

}  // namespace imageio
