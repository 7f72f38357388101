#include "launcher/save/TiffReader.h"

#include <limits>
#include <vector>

namespace {

constexpr std::uint32_t kMaxEntries = 32;
// Counts above this are not read as values (the reader's tables are small), except the two
// strip tables, which are walked in chunks to prove the strips follow each other.
constexpr std::uint32_t kMaxValueCount = 1023;
constexpr std::size_t kTableChunk = 1024;
// No sample layout of the pipeline comes near this; a larger sum is not a real file.
constexpr std::uint64_t kMaxBitsPerPixel = 0xFFFF;

enum : std::uint16_t {
  kTypeByte = 1, kTypeAscii = 2, kTypeShort = 3, kTypeLong = 4, kTypeRational = 5, kTypeSByte = 6,
  kTypeUndefined = 7, kTypeSShort = 8, kTypeSLong = 9, kTypeSRational = 10, kTypeFloat = 11, kTypeDouble = 12,
};

std::uint32_t TypeSize(std::uint16_t type) {
  switch (type) {
    case kTypeByte: case kTypeAscii: case kTypeSByte: return 1;
    case kTypeShort: case kTypeSShort: return 2;
    case kTypeLong: case kTypeSLong: case kTypeFloat: return 4;
    case kTypeRational: case kTypeSRational: case kTypeDouble: return 8;
    default: return 0;
  }
}

// What a tag the reader uses may hold: whole numbers (SHORT or LONG) or one RATIONAL.
enum class Kind { kNumber, kRational };

struct Entry {
  std::uint16_t tag = 0;
  std::uint16_t type = 0;
  std::uint32_t count = 0;
  std::uint8_t field[4] = {0, 0, 0, 0};  // inline value or offset, in file byte order
};

std::uint64_t CheckedProduct(std::uint64_t a, std::uint64_t b) {
  std::uint64_t product = 0;
  if (__builtin_mul_overflow(a, b, &product)) CM_ThrowIfError(SM_ERR_MALFORMED);
  return product;
}

class Parser {
 public:
  explicit Parser(TIFF* tiff) : t_(tiff) {}

  std::uint16_t U16(const std::uint8_t* p) const {
    return t_->Endian == 0 ? std::uint16_t(p[0] << 8 | p[1]) : std::uint16_t(p[1] << 8 | p[0]);
  }
  std::uint32_t U32(const std::uint8_t* p) const {
    return t_->Endian == 0 ? std::uint32_t(p[0]) << 24 | std::uint32_t(p[1]) << 16 | std::uint32_t(p[2]) << 8 | p[3]
                           : std::uint32_t(p[3]) << 24 | std::uint32_t(p[2]) << 16 | std::uint32_t(p[1]) << 8 | p[0];
  }

  bool Inline(const Entry& e) const { return std::uint64_t(e.count) * TypeSize(e.type) <= 4; }

  // Refuses an entry the reader uses unless its type suits the tag, its count lies in
  // [minCount, maxCount] and values stored elsewhere lie inside the file. Nothing of an entry
  // is read before it passes.
  void Check(const Entry& e, Kind kind, std::uint32_t minCount, std::uint32_t maxCount) const {
    const bool typeFits = kind == Kind::kRational ? e.type == kTypeRational
                                                  : (e.type == kTypeShort || e.type == kTypeLong);
    if (!typeFits || e.count < minCount || e.count > maxCount) CM_ThrowIfError(SM_ERR_MALFORMED);
    if (Inline(e)) return;
    const std::uint64_t bytes = std::uint64_t(e.count) * TypeSize(e.type);
    const std::uint64_t offset = U32(e.field);
    if (offset > fileSize_ || bytes > fileSize_ - offset) CM_ThrowIfError(SM_ERR_MALFORMED);
  }

  // One value of a checked SHORT or LONG entry, wherever it is stored.
  std::uint32_t Element(const Entry& e, std::uint32_t index) {
    const std::uint32_t size = TypeSize(e.type);
    if (index >= e.count || (size != 2 && size != 4)) CM_ThrowIfError(SM_ERR_MALFORMED);
    std::uint8_t bytes[4] = {0, 0, 0, 0};
    if (Inline(e)) {
      for (std::uint32_t i = 0; i < size; ++i) bytes[i] = e.field[index * size + i];
    } else {
      CM_ThrowIfError(CM_TiffReadAt(t_, size, 1, bytes, std::uint64_t(U32(e.field)) + std::uint64_t(index) * size));
    }
    return size == 2 ? U16(bytes) : U32(bytes);
  }

  // A single whole number.
  std::uint32_t Number(const Entry& e) {
    Check(e, Kind::kNumber, 1, 1);
    return Element(e, 0);
  }

  // A single rational's whole-number part (0 over 0 reads 0).
  std::uint32_t Rational(const Entry& e) {
    Check(e, Kind::kRational, 1, 1);
    std::uint8_t r[8];
    CM_ThrowIfError(CM_TiffReadAt(t_, 8, 1, r, U32(e.field)));
    const std::uint32_t num = U32(r), den = U32(r + 4);
    return den == 0 ? 0 : num / den;
  }

  // The sum of the values (BitsPerSample 8, 8, 8 gives 24).
  std::uint64_t Sum(const Entry& e) {
    Check(e, Kind::kNumber, 1, kMaxValueCount);
    std::uint64_t sum = 0;
    for (std::uint32_t i = 0; i < e.count; ++i) sum += Element(e, i);
    return sum;
  }

  // Reads count values from index first of a checked strip table into out.
  void Chunk(const Entry& e, std::uint32_t first, std::uint32_t count, std::vector<std::uint32_t>* out) {
    const std::uint32_t size = TypeSize(e.type);
    out->resize(count);
    if (Inline(e)) {
      for (std::uint32_t i = 0; i < count; ++i) (*out)[i] = Element(e, first + i);
      return;
    }
    std::vector<std::uint8_t> raw(std::size_t(count) * size);
    CM_ThrowIfError(CM_TiffReadAt(t_, size, count, raw.data(), std::uint64_t(U32(e.field)) + std::uint64_t(first) * size));
    for (std::uint32_t i = 0; i < count; ++i)
      (*out)[i] = size == 2 ? U16(&raw[std::size_t(i) * 2]) : U32(&raw[std::size_t(i) * 4]);
  }

  // The strips must follow each other from the first offset and hold at least dataBytes.
  void CheckStrips(const Entry& offsets, const Entry& counts, std::uint64_t dataBytes) {
    if (offsets.count != counts.count) CM_ThrowIfError(SM_ERR_MALFORMED);
    std::vector<std::uint32_t> o, c;
    std::uint64_t expected = t_->StartOffset;
    for (std::uint32_t first = 0; first < offsets.count; first += kTableChunk) {
      const std::uint32_t n = std::uint32_t(std::min<std::uint64_t>(kTableChunk, offsets.count - first));
      Chunk(offsets, first, n, &o);
      Chunk(counts, first, n, &c);
      for (std::uint32_t i = 0; i < n; ++i) {
        if (o[i] != expected) CM_ThrowIfError(SM_ERR_MALFORMED);
        expected += c[i];
      }
    }
    if (expected - t_->StartOffset < dataBytes) CM_ThrowIfError(SM_ERR_MALFORMED);
  }

  void Parse(const std::string* path) {
    CM_ThrowIfError(CM_CreateFile(&t_->fp));
    CM_ThrowIfError(t_->fp->Open(path, ICMFILE_CLASS::kRead));
    CM_ThrowIfError(t_->fp->GetSize(&fileSize_));
    if (fileSize_ < 8) CM_ThrowIfError(SM_ERR_MALFORMED);
    std::uint8_t head[8];
    CM_ThrowIfError(CM_TiffRead(head, 1, 8, t_->fp.get()));
    if (head[0] == 'M' && head[1] == 'M') {
      t_->Endian = 0;
    } else if (head[0] == 'I' && head[1] == 'I') {
      t_->Endian = 1;
    } else {
      CM_ThrowIfError(SM_ERR_MALFORMED);
    }
    if (U16(head + 2) != 42) CM_ThrowIfError(SM_ERR_MALFORMED);
    const std::uint64_t directory = U32(head + 4);
    if (directory > fileSize_ || fileSize_ - directory < 2) CM_ThrowIfError(SM_ERR_MALFORMED);
    std::uint8_t countBytes[2];
    CM_ThrowIfError(CM_TiffReadAt(t_, 1, 2, countBytes, directory));
    const std::uint32_t entryCount = U16(countBytes);
    if (entryCount == 0 || entryCount > kMaxEntries) CM_ThrowIfError(SM_ERR_MALFORMED);
    const std::size_t directoryBytes = std::size_t(entryCount) * 12 + 4;
    if (fileSize_ - directory - 2 < directoryBytes) CM_ThrowIfError(SM_ERR_MALFORMED);
    std::uint8_t raw[kMaxEntries * 12 + 4];
    CM_ThrowIfError(CM_TiffRead(raw, 1, directoryBytes, t_->fp.get()));
    if (U32(raw + entryCount * 12) != 0) CM_ThrowIfError(SM_ERR_MALFORMED);  // one image per file

    std::vector<Entry> entries(entryCount);
    for (std::uint32_t i = 0; i < entryCount; ++i) {
      const std::uint8_t* p = raw + i * 12;
      entries[i].tag = U16(p);
      entries[i].type = U16(p + 2);
      entries[i].count = U32(p + 4);
      for (int b = 0; b < 4; ++b) entries[i].field[b] = p[8 + b];
    }
    const Entry* stripOffsets = nullptr;
    const Entry* stripCounts = nullptr;
    const Entry* bits = nullptr;
    std::uint32_t compression = 1, planar = 1;
    t_->SamplePerPixel = 1;
    for (const Entry& e : entries) {
      switch (e.tag) {
        case 256: t_->Width = Number(e); break;
        case 257: t_->Height = Number(e); break;
        case 258: bits = &e; break;
        case 259: compression = Number(e); break;
        case 273:
          Check(e, Kind::kNumber, 1, std::numeric_limits<std::uint32_t>::max());
          stripOffsets = &e;
          t_->StartOffset = Element(e, 0);
          break;
        case 277: t_->SamplePerPixel = Number(e); break;
        case 279:
          Check(e, Kind::kNumber, 1, std::numeric_limits<std::uint32_t>::max());
          stripCounts = &e;
          break;
        case 282: t_->ResolutionX = Rational(e); break;
        case 283: t_->ResolutionY = Rational(e); break;
        case 284: planar = Number(e); break;
        default: break;
      }
    }
    // One BitsPerSample value stands for every sample; otherwise there is one per sample.
    std::uint64_t bpp = t_->SamplePerPixel;
    if (bits) {
      bpp = Sum(*bits);
      if (bits->count == 1) {
        bpp *= t_->SamplePerPixel;
      } else if (bits->count != t_->SamplePerPixel) {
        CM_ThrowIfError(SM_ERR_MALFORMED);
      }
    }
    if (bpp > kMaxBitsPerPixel) CM_ThrowIfError(SM_ERR_MALFORMED);
    t_->BPP = std::uint32_t(bpp);
    t_->BitsPerSample = t_->BPP == 1 ? 1 : (t_->BPP == 8 || t_->BPP == 24) ? 8 : 16;
    if (compression != 1 || (planar != 1 && t_->SamplePerPixel > 1) || !stripOffsets || !stripCounts)
      CM_ThrowIfError(SM_ERR_MALFORMED);
    if (t_->Width > CM_TIFF_MAX_SIDE || t_->Height > CM_TIFF_MAX_SIDE) CM_ThrowIfError(SM_ERR_MALFORMED);

    const std::uint64_t dataBytes = CheckedProduct(CM_TiffRowBytes(*t_), t_->Height);
    if (t_->StartOffset > fileSize_ || dataBytes > fileSize_ - t_->StartOffset) CM_ThrowIfError(SM_ERR_MALFORMED);
    CheckStrips(*stripOffsets, *stripCounts, dataBytes);
  }

 private:
  TIFF* t_;
  std::uint64_t fileSize_ = 0;
};

}  // namespace

std::uint64_t CM_TiffRowBytes(const TIFF& tiff) {
  return tiff.BPP == 1 ? (std::uint64_t(tiff.Width) + 7) >> 3 : std::uint64_t(tiff.Width) * (tiff.BPP / 8);
}

CMResult CM_TiffReadHeader(const std::string* path, TIFF* tiff) {
  if (!path || !tiff) return CM_ERR_BAD_ARGUMENT;
  CM_TiffClose(tiff);
  *tiff = TIFF();
  CMResult rc = CM_Guard([&]() -> CMResult {
    Parser(tiff).Parse(path);
    return CM_OK;
  });
  if (rc != CM_OK) CM_TiffClose(tiff);
  return rc;
}

CMResult CM_TiffRead(void* buffer, std::size_t size, std::size_t count, ICMFILE_CLASS* file) {
  if (!file) return CM_ERR_END_OF_FILE;
  if (!buffer) return CM_ERR_BAD_ARGUMENT;
  if (count != 0 && size > std::numeric_limits<std::size_t>::max() / count) return CM_ERR_NO_MEMORY;
  const std::size_t want = size * count;
  auto* out = static_cast<std::uint8_t*>(buffer);
  std::size_t done = 0;
  while (done < want) {
    std::size_t got = 0;
    CMResult rc = file->Read(out + done, want - done, &got);
    if (rc != CM_OK) return rc;
    if (got == 0) return CM_ERR_END_OF_FILE;
    done += got;
  }
  return CM_OK;
}

CMResult CM_TiffReadAt(TIFF* tiff, std::size_t size, std::size_t count, void* buffer, std::uint64_t offset) {
  if (!tiff || !tiff->fp) return SM_ERR_MALFORMED;
  if (offset > std::uint64_t(std::numeric_limits<std::int64_t>::max())) return SM_ERR_MALFORMED;
  CMResult rc = tiff->fp->Seek(std::int64_t(offset), ICMFILE_CLASS::kFromStart);
  if (rc != CM_OK) return rc;
  return CM_TiffRead(buffer, size, count, tiff->fp.get());
}

CMResult CM_TiffSeekToData(TIFF* tiff) {
  if (!tiff || !tiff->fp) return SM_ERR_MALFORMED;
  return tiff->fp->Seek(std::int64_t(tiff->StartOffset), ICMFILE_CLASS::kFromStart);
}

CMResult CM_TiffClose(TIFF* tiff) {
  if (!tiff) return CM_ERR_BAD_ARGUMENT;
  if (tiff->fp) {
    tiff->fp->Close();
    CM_ReleaseFile(&tiff->fp);
  }
  return CM_OK;
}
