#include "launcher/save/ExifSegment.h"

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <ctime>

#include <unistd.h>

#include "imageio/AtomicFile.h"
#include "launcher/save/CMText.h"

namespace {

constexpr std::size_t kReadChunk = 64 * 1024;
constexpr std::size_t kCopyBlock = 1024 * 1024;

constexpr std::uint16_t kAscii = 2;
constexpr std::uint16_t kShort = 3;
constexpr std::uint16_t kLong = 4;
constexpr std::uint16_t kRational = 5;
constexpr std::uint16_t kUndefined = 7;

constexpr std::uint32_t kIfd1Entries = 7;
constexpr std::uint32_t kIfd1Bytes = 2 + kIfd1Entries * 12 + 4;

std::uint32_t be16(const std::uint8_t* p) { return std::uint32_t(p[0]) << 8 | p[1]; }

// Markers that stand alone, without a length: TEM, RSTn, SOI, EOI.
bool standsAlone(std::uint8_t marker) { return marker == 0x01 || (marker >= 0xD0 && marker <= 0xD9); }

std::size_t boundedLength(const char* text, std::size_t bound) {
  std::size_t n = 0;
  while (n < bound && text[n] != '\0') ++n;
  return n;
}

// Appends up to want bytes from the file's current position; false at its end.
bool readMore(ICMFILE_CLASS* file, std::vector<std::uint8_t>* head, std::size_t want) {
  const std::size_t had = head->size();
  head->resize(had + want);
  std::size_t got = 0;
  CMResult rc = file->Read(head->data() + had, want, &got);
  head->resize(had + got);
  if (rc == CM_ERR_END_OF_FILE) return false;
  CM_ThrowIfError(rc);
  return got > 0;
}

long long parseInteger(const char* text) { return std::strtoll(text, nullptr, 10); }

// A 16-bit SHORT value from a decimal field ("-1" gives 0xFFFF).
std::uint16_t shortField(const char* text) { return std::uint16_t(parseInteger(text)); }

// The IFD being laid out: entries are appended in tag order, data behind them.
class TiffWriter {
 public:
  explicit TiffWriter(std::vector<std::uint8_t>* out) : out_(out) {}

  std::uint8_t* entry(std::uint16_t tag, std::uint16_t type, std::uint32_t count) {
    const std::size_t at = out_->size();
    out_->resize(at + 12, 0);
    std::uint8_t* e = out_->data() + at;
    CM_StoreInteger(e, 2, tag, CM_ORDER_LITTLE);
    CM_StoreInteger(e + 2, 2, type, CM_ORDER_LITTLE);
    CM_StoreInteger(e + 4, 4, count, CM_ORDER_LITTLE);
    return e;
  }
  void shortEntry(std::uint16_t tag, std::uint16_t value) {
    CM_StoreInteger(entry(tag, kShort, 1) + 8, 2, value, CM_ORDER_LITTLE);
  }
  void longEntry(std::uint16_t tag, std::uint32_t value) {
    CM_StoreInteger(entry(tag, kLong, 1) + 8, 4, value, CM_ORDER_LITTLE);
  }
  void offsetEntry(std::uint16_t tag, std::uint16_t type, std::uint32_t count, std::uint32_t offset) {
    CM_StoreInteger(entry(tag, type, count) + 8, 4, offset, CM_ORDER_LITTLE);
  }
  // A text entry; its data (when not inline) is appended later by textData.
  void textEntry(std::uint16_t tag, std::uint16_t type, const char* text, std::uint32_t* running) {
    CM_ThrowIfError(CM_MakeIfdStringEntry(text, entry(tag, type, 0), running, CM_ORDER_LITTLE, type));
  }
  void u16(std::uint16_t v) { append(v, 2); }
  void u32(std::uint32_t v) { append(v, 4); }
  void bytes(const void* p, std::size_t n) {
    const auto* b = static_cast<const std::uint8_t*>(p);
    out_->insert(out_->end(), b, b + n);
  }
  void zeros(std::size_t n) { out_->resize(out_->size() + n, 0); }
  // The data of a text entry that did not fit inline: the text, its NUL, one zero byte when
  // the count is odd.
  void textData(const char* text) {
    const std::size_t count = boundedLength(text, 256) + 1;
    if (count < 5) return;
    bytes(text, count - 1);
    zeros(1 + (count & 1));
  }
  // A 20-byte date: at most 19 characters and a NUL.
  void dateData(const char* date) {
    char buffer[20] = {};
    std::memcpy(buffer, date, boundedLength(date, 19));
    bytes(buffer, sizeof buffer);
  }
  void rational(const char* text) {
    std::uint8_t r[8];
    CM_ThrowIfError(CM_ParseRational(text, r, CM_ORDER_LITTLE));
    bytes(r, sizeof r);
  }

 private:
  void append(std::uint64_t v, std::size_t n) {
    const std::size_t at = out_->size();
    out_->resize(at + n);
    CM_StoreInteger(out_->data() + at, n, v, CM_ORDER_LITTLE);
  }
  std::vector<std::uint8_t>* out_;
};

std::uint32_t textSpace(const char* text) {
  const std::uint32_t count = std::uint32_t(boundedLength(text, 256)) + 1;
  return count < 5 ? 0 : count + (count & 1);
}

std::uint32_t exifEntryCount(const SM_ExifInfo_Struct& r) { return r.CustomRendered ? 8 : 7; }

// The running offsets of the layout, computed once so the offset fields and the bytes agree.
struct Layout {
  std::uint32_t exifIfd, dateTimeDigitized, ifd1, ifd1Rationals, thumbnail;
};

Layout layoutFor(const SM_ExifInfo_Struct& r) {
  Layout l{};
  std::uint32_t at = SM_EXIF_IFD0_DATA_OFFSET;
  at += textSpace(r.Make) + textSpace(r.Model) + 16 + textSpace(r.Software) + 20;
  l.exifIfd = at;
  at += 2 + 12 * exifEntryCount(r) + 4;
  l.dateTimeDigitized = at;
  at += 20;
  l.ifd1 = at;
  at += kIfd1Bytes;
  l.ifd1Rationals = at;
  at += 16;
  l.thumbnail = at;
  return l;
}

}  // namespace

CMResult CM_StoreInteger(std::uint8_t* buffer, std::size_t byteCount, std::uint64_t value, int order) {
  if (!buffer || byteCount == 0 || byteCount > 8) return CM_ERR_BAD_ARGUMENT;
  for (std::size_t i = 0; i < byteCount; ++i) {
    const std::uint8_t b = std::uint8_t(value >> (8 * i));
    buffer[order == CM_ORDER_LITTLE ? i : byteCount - 1 - i] = b;
  }
  return CM_OK;
}

CMResult CM_MakeIfdStringEntry(const char* text, std::uint8_t* entry, std::uint32_t* runningOffset, int order,
                               std::uint16_t type) {
  if (!text || !entry || !runningOffset) return CM_ERR_BAD_ARGUMENT;
  const std::uint32_t length = std::uint32_t(boundedLength(text, 256));
  const std::uint32_t count = type == kAscii ? length + 1 : length;
  CM_StoreInteger(entry + 4, 4, count, order);
  if (count < 5) {
    // Inline: the field's bytes behind a short text are zero, so the value is padded.
    std::memcpy(entry + 8, text, 4);
  } else {
    CM_StoreInteger(entry + 8, 4, *runningOffset, order);
    *runningOffset += count + (count & 1);
  }
  return CM_OK;
}

namespace {

CMResult parseFraction(const char* text, std::uint8_t* out, int order) {
  if (!text || !out) return CM_ERR_BAD_ARGUMENT;
  char* end = nullptr;
  errno = 0;
  const long numerator = std::strtol(text, &end, 10);
  if (end == text || *end != '/') return SM_ERR_BAD_SIZE;
  const char* second = end + 1;
  const long denominator = std::strtol(second, &end, 10);
  if (end == second || errno == ERANGE) return SM_ERR_BAD_SIZE;
  CM_StoreInteger(out, 4, std::uint64_t(numerator), order);
  CM_StoreInteger(out + 4, 4, std::uint64_t(denominator), order);
  return CM_OK;
}

}  // namespace

CMResult CM_ParseRational(const char* text, std::uint8_t* out, int order) { return parseFraction(text, out, order); }

CMResult CM_ParseSRational(const char* text, std::uint8_t* out, int order) { return parseFraction(text, out, order); }

CMResult SM_MakeExifInfo(const ISM_OPTION_INFO* option, const SM_ImageProperty_Struct* property,
                         SM_ExifInfo_Struct* record) {
  if (!option || !property || !record) return CM_ERR_BAD_ARGUMENT;
  return CM_Guard([&]() -> CMResult {
    SM_ExifInfo_Struct r;
    std::memset(&r, 0, sizeof r);
    const std::string* maker = option->GetMakerName();
    const std::string* device = option->GetDeviceName();
    const std::string* app = option->GetAppName();
    if (!maker || !device || !app) CM_ThrowIfError(SM_ERR_BAD_SIZE);
    CM_ThrowIfError(CM_GetUTF8(r.Make, sizeof r.Make, maker));
    CM_ThrowIfError(CM_GetUTF8(r.Model, sizeof r.Model, device));
    CM_ThrowIfError(CM_GetUTF8(r.Software, sizeof r.Software, app));

    // Each resolution from its own axis: the vertical one is not the horizontal one for every
    // scan.
    const std::int16_t dpiX = std::int16_t(int(property->fResolutionX));
    const std::int16_t dpiY = std::int16_t(int(property->fResolutionY));
    CM_ThrowIfError(CM_FormatCString(r.XResolution, sizeof r.XResolution, "%d/1", int(dpiX)));
    CM_ThrowIfError(CM_FormatCString(r.YResolution, sizeof r.YResolution, "%d/1", int(dpiY)));
    CM_ThrowIfError(CM_StrCopy(r.ResolutionUnit, sizeof r.ResolutionUnit, "2"));

    const std::time_t now = std::time(nullptr);
    std::tm local{};
    if (now == std::time_t(-1) || !localtime_r(&now, &local)) CM_ThrowIfError(SM_ERR_BAD_COUNT);
    CM_ThrowIfError(CM_FormatCString(r.DateTime, sizeof r.DateTime, "%04d:%02d:%02d %02d:%02d:%02d",
                                     local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour,
                                     local.tm_min, local.tm_sec));
    CM_ThrowIfError(CM_StrCopy(r.DateTimeDigitized, sizeof r.DateTimeDigitized, r.DateTime));

    CM_ThrowIfError(CM_StrCopy(r.YCbCrPositioning, sizeof r.YCbCrPositioning, "1"));
    CM_ThrowIfError(CM_StrCopy(r.ExifVersion, sizeof r.ExifVersion, "0221"));
    CM_ThrowIfError(CM_StrCopy(r.FlashpixVersion, sizeof r.FlashpixVersion, "0100"));
    CM_ThrowIfError(CM_StrCopy(r.ColorSpace, sizeof r.ColorSpace, property->uiSamplePerPixel == 3 ? "1" : "-1"));
    CM_ThrowIfError(CM_FormatCString(r.PixelXDimension, sizeof r.PixelXDimension, "%d", int(property->uiImageWidth)));
    CM_ThrowIfError(CM_FormatCString(r.PixelYDimension, sizeof r.PixelYDimension, "%d", int(property->uiImageLength)));
    CM_ThrowIfError(CM_StrCopy(r.ThumbnailCompression, sizeof r.ThumbnailCompression, "6"));
    r.CustomRendered = option->GetOptionSwitch() == 4080 ? 1 : 0;

    // The thumbnail's length may already be set; it is the caller's.
    std::memcpy(r.ThumbnailLength, record->ThumbnailLength, sizeof r.ThumbnailLength);
    *record = r;
    return CM_OK;
  });
}

CMResult SM_ExifThumbnailOffset(const SM_ExifInfo_Struct* record, std::uint32_t* offset) {
  if (!record || !offset) return CM_ERR_BAD_ARGUMENT;
  *offset = layoutFor(*record).thumbnail;
  return CM_OK;
}

CMResult SM_MaxExifThumbnailLength(const SM_ExifInfo_Struct* record, std::uint32_t* length) {
  if (!record || !length) return CM_ERR_BAD_ARGUMENT;
  const std::uint32_t used = layoutFor(*record).thumbnail + 8;
  *length = used >= SM_JPEG_SEGMENT_MAX ? 0 : SM_JPEG_SEGMENT_MAX - used;
  return CM_OK;
}

CMResult SM_BuildExifSegment(const SM_ExifInfo_Struct* record, const std::uint8_t* thumbnail,
                             std::size_t thumbnailLength, std::vector<std::uint8_t>* segment) {
  if (!record || !segment || (!thumbnail && thumbnailLength > 0)) return CM_ERR_BAD_ARGUMENT;
  return CM_Guard([&]() -> CMResult {
    const SM_ExifInfo_Struct& r = *record;
    const Layout layout = layoutFor(r);
    // The length field has 16 bits: a segment that would wrap it is refused, never written.
    const std::uint64_t appLength = std::uint64_t(layout.thumbnail) + thumbnailLength + 8;
    if (appLength > SM_JPEG_SEGMENT_MAX) CM_ThrowIfError(SM_ERR_BAD_COUNT);

    std::vector<std::uint8_t> out;
    out.reserve(std::size_t(appLength) + 2);
    const std::uint8_t header[10] = {0xFF, 0xE1, std::uint8_t(appLength >> 8), std::uint8_t(appLength), 'E', 'x', 'i', 'f', 0, 0};
    out.insert(out.end(), header, header + sizeof header);
    const std::size_t tiffStart = out.size();
    TiffWriter w(&out);
    w.bytes("II", 2);
    w.u16(0x2A);
    w.u32(8);

    // IFD0.
    std::uint32_t running = SM_EXIF_IFD0_DATA_OFFSET;
    w.u16(10);
    w.textEntry(0x010F, kAscii, r.Make, &running);
    w.textEntry(0x0110, kAscii, r.Model, &running);
    w.shortEntry(0x0112, 1);
    w.offsetEntry(0x011A, kRational, 1, running);
    running += 8;
    w.offsetEntry(0x011B, kRational, 1, running);
    running += 8;
    w.shortEntry(0x0128, shortField(r.ResolutionUnit));
    w.textEntry(0x0131, kAscii, r.Software, &running);
    w.offsetEntry(0x0132, kAscii, 20, running);
    running += 20;
    w.shortEntry(0x0213, shortField(r.YCbCrPositioning));
    w.longEntry(0x8769, layout.exifIfd);
    w.u32(layout.ifd1);
    w.textData(r.Make);
    w.textData(r.Model);
    w.rational(r.XResolution);
    w.rational(r.YResolution);
    w.textData(r.Software);
    w.dateData(r.DateTime);

    // The EXIF directory.
    running = layout.exifIfd + 2 + 12 * exifEntryCount(r) + 4;
    w.u16(std::uint16_t(exifEntryCount(r)));
    w.textEntry(0x9000, kUndefined, r.ExifVersion, &running);
    w.offsetEntry(0x9004, kAscii, 20, running);
    running += 20;
    const char components[4] = {1, 2, 3, 0};
    std::memcpy(w.entry(0x9101, kUndefined, 4) + 8, components, 4);
    w.textEntry(0xA000, kUndefined, r.FlashpixVersion, &running);
    w.shortEntry(0xA001, shortField(r.ColorSpace));
    w.shortEntry(0xA002, shortField(r.PixelXDimension));
    w.shortEntry(0xA003, shortField(r.PixelYDimension));
    if (r.CustomRendered) w.shortEntry(0xA401, 1);
    w.u32(0);
    w.dateData(r.DateTimeDigitized);

    // IFD1: the thumbnail.
    long long thumbLength = parseInteger(r.ThumbnailLength);
    if (thumbLength < 0) thumbLength = 0;
    w.u16(std::uint16_t(kIfd1Entries));
    w.shortEntry(0x0103, shortField(r.ThumbnailCompression));
    w.shortEntry(0x0112, 1);
    w.offsetEntry(0x011A, kRational, 1, layout.ifd1Rationals);
    w.offsetEntry(0x011B, kRational, 1, layout.ifd1Rationals + 8);
    w.shortEntry(0x0128, 2);
    w.longEntry(0x0201, layout.thumbnail);
    w.longEntry(0x0202, std::uint32_t(thumbLength));
    w.u32(0);
    w.rational(r.XResolution);
    w.rational(r.YResolution);
    if (out.size() - tiffStart != layout.thumbnail) CM_ThrowIfError(CM_ERR_SYSTEM);
    if (thumbnailLength > 0) w.bytes(thumbnail, thumbnailLength);
    *segment = std::move(out);
    return CM_OK;
  });
}

CMResult SM_ReadJpegHeader(ICMFILE_CLASS* file, std::vector<std::uint8_t>* head) {
  if (!file || !head) return CM_ERR_BAD_ARGUMENT;
  return CM_Guard([&]() -> CMResult {
    head->clear();
    CM_ThrowIfError(file->Seek(0, ICMFILE_CLASS::kFromStart));
    bool more = readMore(file, head, kReadChunk);
    // Walk the segments, reading on whenever the next one is not all in memory yet.
    auto need = [&](std::size_t end) {
      while (more && head->size() < end) more = readMore(file, head, std::max(kReadChunk, end - head->size()));
      return head->size() >= end;
    };
    std::size_t i = 0;
    while (need(i + 2)) {
      const std::uint8_t* b = head->data();
      if (b[i] != 0xFF || b[i + 1] == 0xFF) {
        ++i;
        continue;
      }
      const std::uint8_t marker = b[i + 1];
      if (standsAlone(marker)) {
        i += 2;
        continue;
      }
      if (!need(i + 4)) break;
      const std::size_t end = i + 2 + be16(head->data() + i + 2);
      if (marker == 0xDA) {
        need(end);
        break;
      }
      i = end;
    }
    return CM_OK;
  });
}

CMResult SM_ParseJpegInfo(ICMFILE_CLASS* file, SM_JpegInfo_Struct* record) {
  if (!file || !record) return CM_ERR_BAD_ARGUMENT;
  return CM_Guard([&]() -> CMResult {
    SM_JpegInfo_Struct info{};
    std::uint64_t size = 0;
    CM_ThrowIfError(file->GetSize(&size));
    if (size == 0 || size > 0xFFFFFFFFu) CM_ThrowIfError(SM_ERR_MALFORMED);
    info.FileSize = std::uint32_t(size);
    std::vector<std::uint8_t> head;
    CM_ThrowIfError(SM_ReadJpegHeader(file, &head));
    const std::uint8_t* b = head.data();
    const std::size_t n = head.size();
    bool sawApp0 = false;
    std::size_t i = 0;
    while (i + 1 < n) {
      if (b[i] != 0xFF || b[i + 1] == 0xFF) {
        ++i;
        continue;
      }
      const std::uint8_t marker = b[i + 1];
      if (standsAlone(marker)) {
        i += 2;
        continue;
      }
      if (marker == 0xDA || i + 4 > n) break;
      const std::size_t length = be16(b + i + 2);
      const std::size_t end = i + 2 + length;
      if (marker == 0xDB && end > size) CM_ThrowIfError(SM_ERR_NO_LINES);
      if (marker == 0xC0 && i + 9 <= n && end < n && b[end] == 0xFF) {
        info.Height = be16(b + i + 5);
        info.Width = be16(b + i + 7);
      } else if (marker == 0xE0 && !sawApp0 && i + 16 <= n) {
        sawApp0 = true;
        info.XDensity = be16(b + i + 12);
        info.YDensity = be16(b + i + 14);
      } else if (marker == 0xE1 && info.ExifEnd == 0) {
        // The first APP1 is the encoder's EXIF segment, the one the program's own replaces.
        // It is passed over whole, thumbnail included: a thumbnail's frame header is not the
        // image's.
        info.ExifEnd = std::uint32_t(std::min<std::uint64_t>(end, size));
      }
      i = end;
    }
    if (info.ExifEnd != 0) info.Remainder = info.FileSize - info.ExifEnd;
    *record = info;
    return CM_OK;
  });
}

namespace {

// The insertion point inside a JPEG head: behind SOI and the APP0 and APP2 segments that
// follow it. npos when there is no SOI.
std::size_t insertPointIn(const std::vector<std::uint8_t>& head) {
  const std::uint8_t* b = head.data();
  const std::size_t n = head.size();
  std::size_t i = 0;
  while (i + 1 < n && !(b[i] == 0xFF && b[i + 1] == 0xD8)) ++i;
  if (i + 1 >= n) return std::string::npos;
  i += 2;
  while (i + 4 <= n && b[i] == 0xFF && (b[i + 1] == 0xE0 || b[i + 1] == 0xE2)) i += 2 + be16(b + i + 2);
  return std::min(i, n);
}

}  // namespace

CMResult SM_FindExifInsertPoint(ICMFILE_CLASS* file, std::uint64_t* point) {
  if (!file || !point) return CM_ERR_BAD_ARGUMENT;
  return CM_Guard([&]() -> CMResult {
    std::vector<std::uint8_t> head;
    CM_ThrowIfError(SM_ReadJpegHeader(file, &head));
    const std::size_t at = insertPointIn(head);
    if (at == std::string::npos) CM_ThrowIfError(SM_ERR_MALFORMED);
    *point = at;
    return CM_OK;
  });
}

CMResult SM_WriteBytes(int fd, const void* bytes, std::size_t length) {
  const char* p = static_cast<const char*>(bytes);
  while (length > 0) {
    const ssize_t n = ::write(fd, p, length);
    if (n < 0) {
      if (errno == EINTR) continue;
      return CM_WriteErrnoToResult(errno);
    }
    p += n;
    length -= std::size_t(n);
  }
  return CM_OK;
}

CMResult SM_CopyFileTail(ICMFILE_CLASS* source, std::uint64_t from, int fd) {
  if (!source) return CM_ERR_BAD_ARGUMENT;
  return CM_Guard([&]() -> CMResult {
    CM_ThrowIfError(source->Seek(std::int64_t(from), ICMFILE_CLASS::kFromStart));
    std::vector<std::uint8_t> block(kCopyBlock);
    for (;;) {
      std::size_t got = 0;
      const CMResult rc = source->Read(block.data(), block.size(), &got);
      if (rc == CM_ERR_END_OF_FILE) break;
      CM_ThrowIfError(rc);
      CM_ThrowIfError(SM_WriteBytes(fd, block.data(), got));
    }
    return CM_OK;
  });
}

CMResult SM_WriteExifSegmentFrom(ICMFILE_CLASS* in, const std::vector<std::uint8_t>& head, std::uint64_t resumeAt,
                                 const std::string* destination, const std::string* thumbnailPath,
                                 const SM_ExifInfo_Struct* record, bool keepExisting) {
  if (!in || !destination || !thumbnailPath || !record) return CM_ERR_BAD_ARGUMENT;
  return CM_Guard([&]() -> CMResult {
    std::uint64_t sourceSize = 0;
    CM_ThrowIfError(in->GetSize(&sourceSize));
    if (resumeAt > sourceSize) CM_ThrowIfError(SM_ERR_MALFORMED);
    const std::uint64_t size = head.size() + (sourceSize - resumeAt);
    const std::size_t point = insertPointIn(head);
    if (point == std::string::npos) CM_ThrowIfError(SM_ERR_MALFORMED);
    // The segment replaced is the APP1 at the insertion point; without one the new segment is
    // inserted and nothing of the image is lost.
    std::uint64_t tail = point;
    if (point + 4 <= head.size() && head[point] == 0xFF && head[point + 1] == 0xE1)
      tail = std::min<std::uint64_t>(point + 2 + be16(head.data() + point + 2), size);

    std::unique_ptr<ICMFILE_CLASS> thumb;
    CM_ThrowIfError(CM_CreateFile(&thumb));
    CM_ThrowIfError(thumb->Open(thumbnailPath, ICMFILE_CLASS::kRead));
    std::uint64_t thumbSize = 0;
    CM_ThrowIfError(thumb->GetSize(&thumbSize));
    if (thumbSize > SM_JPEG_SEGMENT_MAX) CM_ThrowIfError(SM_ERR_BAD_COUNT);
    std::vector<std::uint8_t> thumbnail(static_cast<std::size_t>(thumbSize));
    if (thumbSize > 0) {
      std::size_t got = 0;
      CM_ThrowIfError(thumb->Read(thumbnail.data(), thumbnail.size(), &got));
      if (got != thumbnail.size()) CM_ThrowIfError(SM_ERR_JPEG_SEGMENT);
    }
    CM_ThrowIfError(thumb->Close());
    std::vector<std::uint8_t> segment;
    CM_ThrowIfError(SM_BuildExifSegment(record, thumbnail.data(), thumbnail.size(), &segment));

    // A new file, complete before it takes the destination's name: nothing of a longer old
    // file stays behind its end, and no one sees it half written.
    imageio::AtomicFile out(*destination);
    if (!out.open()) CM_ThrowIfError(CM_ERR_NO_PERMISSION);
    CM_ThrowIfError(SM_WriteBytes(out.fd(), head.data(), point));
    CM_ThrowIfError(SM_WriteBytes(out.fd(), segment.data(), segment.size()));
    if (tail < head.size()) {
      CM_ThrowIfError(SM_WriteBytes(out.fd(), head.data() + tail, head.size() - std::size_t(tail)));
      CM_ThrowIfError(SM_CopyFileTail(in, resumeAt, out.fd()));
    } else {
      CM_ThrowIfError(SM_CopyFileTail(in, resumeAt + (tail - head.size()), out.fd()));
    }
    if (keepExisting ? !out.commitNew() : !out.commit())
      CM_ThrowIfError(out.nameTaken() ? CM_ERR_NO_PERMISSION : CM_ERR_SYSTEM);
    return CM_OK;
  });
}

CMResult SM_WriteExifSegmentTo(const std::string* source, const std::string* destination,
                               const std::string* thumbnailPath, const SM_ExifInfo_Struct* record) {
  if (!source || !destination || !thumbnailPath || !record) return CM_ERR_BAD_ARGUMENT;
  return CM_Guard([&]() -> CMResult {
    std::unique_ptr<ICMFILE_CLASS> in;
    CM_ThrowIfError(CM_CreateFile(&in));
    CM_ThrowIfError(in->Open(source, ICMFILE_CLASS::kRead));
    SM_JpegInfo_Struct info{};
    CM_ThrowIfError(SM_ParseJpegInfo(in.get(), &info));
    std::vector<std::uint8_t> head;
    CM_ThrowIfError(SM_ReadJpegHeader(in.get(), &head));
    CM_ThrowIfError(SM_WriteExifSegmentFrom(in.get(), head, head.size(), destination, thumbnailPath, record));
    return in->Close();
  });
}

CMResult SM_WriteExifSegment(const std::string* target, const std::string* thumbnailPath,
                             const SM_ExifInfo_Struct* record) {
  return SM_WriteExifSegmentTo(target, target, thumbnailPath, record);
}
