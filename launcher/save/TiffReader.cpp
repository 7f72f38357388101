#include "launcher/save/TiffReader.h"

#include <limits>
#include <vector>

namespace {

constexpr std::uint32_t kMaxEntries = 32;
// Counts above this are not read as values (the reader's tables are small), except the two
// strip tables, which are walked in chunks to prove the strips follow each other.
constexpr std::uint32_t kMaxValueCount = 1023;
constexpr std::size_t kTableChunk = 1024;

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

struct Entry {
  std::uint16_t tag = 0;
  std::uint16_t type = 0;
  std::uint32_t count = 0;
  std::uint8_t field[4] = {0, 0, 0, 0};  // inline value or offset, in file byte order
};

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

  // One element of an entry's values (SHORT, LONG or BYTE), wherever they are stored.
  std::uint32_t Element(const Entry& e, std::uint32_t index) {
    const std::uint32_t size = TypeSize(e.type);
    std::uint8_t bytes[4] = {0, 0, 0, 0};
    if (std::uint64_t(e.count) * size <= 4) {
      for (std::uint32_t i = 0; i < size; ++i) bytes[i] = e.field[index * size + i];
    } else {
      CM_ThrowIfError(CM_TiffReadAt(t_, size, 1, bytes, std::uint64_t(U32(e.field)) + std::uint64_t(index) * size));
    }
    return size == 2 ? U16(bytes) : size == 4 ? U32(bytes) : bytes[0];
  }

  // The entry's value: inline, a rational's whole-number part, the sum of SHORT values, or
  // the first of several LONG values.
  std::uint32_t Value(const Entry& e) {
    const std::uint32_t size = TypeSize(e.type);
    if (e.count == 0 || size == 0) return 0;
    if (e.type == kTypeRational || e.type == kTypeSRational) {
      std::uint8_t r[8];
      CM_ThrowIfError(CM_TiffReadAt(t_, 8, 1, r, U32(e.field)));
      const std::uint32_t num = U32(r), den = U32(r + 4);
      return den == 0 ? 0 : num / den;
    }
    if (e.type == kTypeShort || e.type == kTypeSShort) {
      if (e.count > kMaxValueCount) return Element(e, 0);
      std::uint32_t sum = 0;
      for (std::uint32_t i = 0; i < e.count; ++i) sum += Element(e, i);
      return sum;
    }
    if (e.type == kTypeLong || e.type == kTypeSLong || e.type == kTypeByte) return Element(e, 0);
    return 0;
  }

  // Reads count elements from index first of a strip table into out.
  void Chunk(const Entry& e, std::uint32_t first, std::uint32_t count, std::vector<std::uint32_t>* out) {
    const std::uint32_t size = TypeSize(e.type);
    out->resize(count);
    if (std::uint64_t(e.count) * size <= 4) {
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
    const std::uint32_t offSize = TypeSize(offsets.type), countSize = TypeSize(counts.type);
    if (offsets.count == 0 || offsets.count != counts.count || (offSize != 2 && offSize != 4) ||
        (countSize != 2 && countSize != 4))
      CM_ThrowIfError(SM_ERR_MALFORMED);
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
    const std::uint32_t directory = U32(head + 4);
    std::uint8_t countBytes[2];
    CM_ThrowIfError(CM_TiffReadAt(t_, 1, 2, countBytes, directory));
    const std::uint32_t entryCount = U16(countBytes);
    if (entryCount == 0 || entryCount > kMaxEntries) CM_ThrowIfError(SM_ERR_MALFORMED);
    std::uint8_t raw[kMaxEntries * 12 + 4];
    CM_ThrowIfError(CM_TiffRead(raw, 1, std::size_t(entryCount) * 12 + 4, t_->fp.get()));
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
        case 256: t_->Width = Value(e); break;
        case 257: t_->Height = Value(e); break;
        case 258: bits = &e; break;
        case 259: compression = Value(e); break;
        case 273: stripOffsets = &e; t_->StartOffset = TypeSize(e.type) ? Element(e, 0) : 0; break;
        case 277: t_->SamplePerPixel = Value(e); break;
        case 279: stripCounts = &e; break;
        case 282: t_->ResolutionX = Value(e); break;
        case 283: t_->ResolutionY = Value(e); break;
        case 284: planar = Value(e); break;
        default: break;
      }
    }
    // One BitsPerSample value stands for every sample.
    if (!bits) {
      t_->BPP = t_->SamplePerPixel;
    } else {
      t_->BPP = Value(*bits);
      if (bits->count == 1) t_->BPP *= t_->SamplePerPixel;
    }
    t_->BitsPerSample = t_->BPP == 1 ? 1 : (t_->BPP == 8 || t_->BPP == 24) ? 8 : 16;
    if (compression != 1 || (planar != 1 && t_->SamplePerPixel > 1) || !stripOffsets || !stripCounts)
      CM_ThrowIfError(SM_ERR_MALFORMED);

    const std::uint64_t dataBytes = CM_TiffRowBytes(*t_) * t_->Height;
    CheckStrips(*stripOffsets, *stripCounts, dataBytes);
    std::uint64_t fileSize = 0;
    CM_ThrowIfError(t_->fp->GetSize(&fileSize));
    if (std::uint64_t(t_->StartOffset) + dataBytes > fileSize) CM_ThrowIfError(SM_ERR_MALFORMED);
  }

 private:
  TIFF* t_;
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
