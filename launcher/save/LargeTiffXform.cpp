#include "launcher/save/LargeTiffXform.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <optional>
#include <string>

#include "foundation/FileManager.h"
#include "imageio/ColorSpace.h"
#include "launcher/save/SMCodes.h"

namespace {

// Staging buffer: whole lines up to about this many bytes, at least one line.
constexpr std::uint64_t kStagingBytes = 256 * 1024;
constexpr std::uint64_t kFourGiB = 0x100000000ull;

void Put16(std::uint8_t* p, std::uint32_t v) {
  p[0] = std::uint8_t(v >> 8);
  p[1] = std::uint8_t(v);
}

void Put32(std::uint8_t* p, std::uint64_t v) {
  p[0] = std::uint8_t(v >> 24);
  p[1] = std::uint8_t(v >> 16);
  p[2] = std::uint8_t(v >> 8);
  p[3] = std::uint8_t(v);
}

enum : std::uint16_t { kShort = 3, kLong = 4, kRational = 5, kUndefined = 7 };

// One 12-byte directory entry; a SHORT value sits in the first two bytes of its field.
void PutEntry(std::uint8_t* p, std::uint16_t tag, std::uint16_t type, std::uint32_t count, std::uint64_t value) {
  Put16(p, tag);
  Put16(p + 2, type);
  Put32(p + 4, count);
  if (type == kShort && count == 1) {
    Put16(p + 8, std::uint32_t(value));
    p[10] = p[11] = 0;
  } else {
    Put32(p + 8, value);
  }
}

std::uint32_t WholeDpi(double dpi) {
  if (!(dpi > 0)) return 0;
  return std::uint32_t(std::min(std::floor(dpi), 4294967295.0));
}

fnd::Data ReadWholeFile(const std::string& path) {
  const std::optional<std::string> bytes = fnd::FileManager::readFile(path);
  return bytes ? fnd::Data(bytes->begin(), bytes->end()) : fnd::Data();
}

}  // namespace

LargeTiffXform::LargeTiffXform() {
  CM_CreateString(&m_wszTempFolderPath, 1024);
  CM_CreateString(&m_ColorSpace, 1024);
}

LargeTiffXform::~LargeTiffXform() { Terminate(); }

bool LargeTiffXform::IsLargeTiffPair() const {
  return m_pXformInfo && m_pXformInfo->GetInFormat() == SM_FORMAT_RAW &&
         m_pXformInfo->GetOutFormat() == SM_FORMAT_LARGE_TIFF;
}

void LargeTiffXform::ReleaseOutput() {
  if (m_pOutFile) {
    // A new file that did not end whole is not put in place.
    if (m_bOpenKeepsExisting)
      m_pOutFile->Discard();
    else
      m_pOutFile->Close();
    CM_ReleaseFile(&m_pOutFile);
  }
  m_bOpenKeepsExisting = false;
  m_pImageInfo.reset();
  m_pXformInfo.reset();
  m_Staging.clear();
  m_Staging.shrink_to_fit();
  m_StagingUsed = 0;
}

CMResult LargeTiffXform::Initialize() {
  ReleaseOutput();
  return CM_OK;
}

CMResult LargeTiffXform::Terminate() {
  ReleaseOutput();
  m_wszTempFolderPath.reset();
  m_ColorSpace.reset();
  return CM_OK;
}

CMResult LargeTiffXform::StartXform(const ISM_XFORM_INFO* xform, const ISM_IMAGE_INFO* image) {
  if (!xform || !image) return SM_ERR_NO_XFORM;
  ReleaseOutput();
  m_bOutputWritten = false;
  CMResult rc = CM_Guard([&]() -> CMResult {
    if (SM_CopyXformInfo(&m_pXformInfo, xform) != CM_OK || SM_CopyImageInfo(&m_pImageInfo, image) != CM_OK)
      CM_ThrowIfError(SM_ERR_CREATE);
    if (!IsLargeTiffPair()) CM_ThrowIfError(SM_ERR_UNSUPPORTED);
    const std::string* path = m_pImageInfo->GetOutputPath();
    if (!path || path->empty()) CM_ThrowIfError(SM_ERR_UNSUPPORTED);
    const SM_ImageProperty_Struct* property = m_pImageInfo->GetProperty();
    if (!property) CM_ThrowIfError(SM_ERR_BAD_COUNT);
    const std::uint64_t width = property->uiImageWidth, height = property->uiImageLength;
    const std::uint32_t bits = property->uiBitsPerSample, samples = property->uiSamplePerPixel;
    const std::uint32_t bpp = bits * samples;
    if (!((bits == 1 && samples == 1) || ((bits == 8 || bits == 16) && (samples == 1 || samples == 3))))
      CM_ThrowIfError(SM_ERR_UNSUPPORTED);
    // An empty image has no lines to make strips of.
    if (width == 0 || height == 0) CM_ThrowIfError(SM_ERR_BAD_SIZE);
    m_PixelFormat = bpp;

    const std::uint64_t bytesPerLine = bits == 1 ? (width + 7) >> 3 : width * samples * (bits / 8);
    const std::uint64_t imageBytes = height * bytesPerLine;
    m_BytesPerLine = bytesPerLine;
    // The directory must start on a word boundary: odd pixel data gets one pad byte.
    m_Offset = imageBytes + 8 + (imageBytes & 1);
    std::uint64_t rowsPerStrip = height;
    if (imageBytes + 8 > kStripBytes) rowsPerStrip = bytesPerLine > kStripBytes ? 1 : kStripBytes / bytesPerLine;
    const std::uint64_t stripBytes = bytesPerLine * rowsPerStrip;
    const std::uint64_t strips = (imageBytes + stripBytes - 1) / stripBytes;
    const std::uint64_t overhead = (samples == 3) ? 436 : 430;
    if (imageBytes + (imageBytes & 1) + 8 * strips + overhead > kFourGiB) CM_ThrowIfError(SM_ERR_MALFORMED);
    m_RowsPerStrip = std::uint32_t(std::min<std::uint64_t>(rowsPerStrip, 0xFFFFFFFFu));
    m_Strip_count = std::uint32_t(strips);

    if (CM_CreateFile(&m_pOutFile) != CM_OK) CM_ThrowIfError(SM_ERR_CREATE);
    CM_ThrowIfError(m_bKeepExistingOutput ? m_pOutFile->OpenNew(path) : m_pOutFile->Open(path, ICMFILE_CLASS::kWrite));
    m_bOpenKeepsExisting = m_bKeepExistingOutput;
    std::uint8_t header[8] = {'M', 'M', 0, 42, 0, 0, 0, 0};
    Put32(header + 4, m_Offset);
    CM_ThrowIfError(m_pOutFile->Write(header, sizeof header));
    m_LinesWritten = 0;
    m_StagingUsed = 0;
    return CM_OK;
  });
  if (rc != CM_OK) ReleaseOutput();
  return rc;
}

CMResult LargeTiffXform::FlushStaging() {
  if (m_StagingUsed == 0) return CM_OK;
  CMResult rc = m_pOutFile->Write(m_Staging.data(), m_StagingUsed);
  m_StagingUsed = 0;
  return rc;
}

CMResult LargeTiffXform::WriteLines(std::uint32_t lineCount, std::uint64_t srcRowStride, const void* data) {
  if (!m_pXformInfo || !m_pImageInfo || !m_pOutFile) return SM_ERR_NO_XFORM;
  const SM_ImageProperty_Struct* property = m_pImageInfo->GetProperty();
  if (!property) return SM_ERR_BAD_COUNT;
  if (!IsLargeTiffPair()) return SM_ERR_UNSUPPORTED;
  if (lineCount == 0) return CM_OK;
  if (!data || srcRowStride < m_BytesPerLine || m_LinesWritten + lineCount > property->uiImageLength)
    return SM_ERR_BAD_SIZE;
  CMResult rc = CM_Guard([&]() -> CMResult {
    const bool swap = property->uiBitsPerSample == 16;
    const auto* src = static_cast<const std::uint8_t*>(data);
    if (!swap && srcRowStride == m_BytesPerLine && m_StagingUsed == 0) {
      // Packed 8-bit lines go out as they are, in one write.
      CM_ThrowIfError(m_pOutFile->Write(src, std::size_t(m_BytesPerLine * lineCount)));
    } else {
      if (m_Staging.empty()) {
        const std::uint64_t lines = std::max<std::uint64_t>(1, kStagingBytes / m_BytesPerLine);
        m_Staging.resize(std::size_t(lines * m_BytesPerLine));
      }
      for (std::uint32_t i = 0; i < lineCount; ++i) {
        if (m_StagingUsed + m_BytesPerLine > m_Staging.size()) CM_ThrowIfError(FlushStaging());
        std::uint8_t* out = m_Staging.data() + m_StagingUsed;
        const std::uint8_t* line = src + std::uint64_t(i) * srcRowStride;
        if (swap) {
          // The samples arrive little-endian; the file is big-endian. The caller's block is
          // only read: it may be shared with another writer or still in use.
          for (std::uint64_t b = 0; b + 1 < m_BytesPerLine; b += 2) {
            out[b] = line[b + 1];
            out[b + 1] = line[b];
          }
        } else {
          std::memcpy(out, line, std::size_t(m_BytesPerLine));
        }
        m_StagingUsed += std::size_t(m_BytesPerLine);
      }
      CM_ThrowIfError(FlushStaging());
    }
    m_LinesWritten += lineCount;
    return CM_OK;
  });
  if (rc != CM_OK) ReleaseOutput();
  return rc;
}

CMResult LargeTiffXform::WriteDirectory(const std::string* profilePath) {
  const SM_ImageProperty_Struct* property = m_pImageInfo->GetProperty();
  if (!property) return SM_ERR_BAD_COUNT;
  const std::uint32_t bits = property->uiBitsPerSample, samples = property->uiSamplePerPixel;
  const std::uint32_t bpp = bits * samples;
  if (bpp != 1 && bpp != 8 && bpp != 16 && bpp != 24 && bpp != 48) return SM_ERR_BAD_COUNT;
  const bool rgb = samples == 3;
  const std::uint64_t imageBytes = m_BytesPerLine * property->uiImageLength;
  const std::uint64_t strips = m_Strip_count;
  // One strip is described inline; several through the two tables.
  const bool multiStrip = strips > 1;

  fnd::Data profile;
  if (bpp == 1) {
    profile = imageio::ColorSpace::genericGrayProfileData();
  } else if (!rgb) {
    // A profile path selects the device grey space.
    profile = profilePath && !profilePath->empty() ? imageio::ColorSpace::deviceGrayProfileData()
                                                   : imageio::ColorSpace::grayGamma2_2ProfileData();
  } else {
    if (profilePath && !profilePath->empty()) profile = ReadWholeFile(*profilePath);
    if (profile.empty()) profile = imageio::ColorSpace::sRGBProfileData();
  }

  std::uint64_t at = m_Offset + kDirectoryBytes;
  const std::uint64_t bitsOffset = at;
  if (rgb) at += 6;
  const std::uint64_t offsetsTable = at;
  if (multiStrip) at += 4 * strips;
  const std::uint64_t countsTable = at;
  if (multiStrip) at += 4 * strips;
  const std::uint64_t xRes = at;
  const std::uint64_t yRes = at + 8;
  const std::uint64_t profileOffset = at + 16;
  if (profileOffset + profile.size() > kFourGiB) return SM_ERR_MALFORMED;

  if (m_Offset > 8 + imageBytes) {
    const std::uint8_t pad = 0;
    CM_ThrowIfError(m_pOutFile->Write(&pad, 1));
  }

  std::uint8_t dir[kDirectoryBytes] = {};
  Put16(dir, profile.empty() ? 16 : 17);
  std::uint8_t* e = dir + 2;
  const std::uint32_t stripCount = std::uint32_t(strips);
  PutEntry(e, 254, kLong, 1, 0), e += 12;
  PutEntry(e, 256, kLong, 1, property->uiImageWidth), e += 12;
  PutEntry(e, 257, kLong, 1, property->uiImageLength), e += 12;
  if (rgb) {
    PutEntry(e, 258, kShort, 3, bitsOffset), e += 12;
  } else {
    PutEntry(e, 258, kShort, 1, bits), e += 12;
  }
  PutEntry(e, 259, kShort, 1, 1), e += 12;
  PutEntry(e, 262, kShort, 1, rgb ? 2 : 1), e += 12;
  PutEntry(e, 273, kLong, stripCount, multiStrip ? offsetsTable : 8), e += 12;
  PutEntry(e, 274, kShort, 1, 1), e += 12;
  PutEntry(e, 277, kShort, 1, samples), e += 12;
  PutEntry(e, 278, kLong, 1, m_RowsPerStrip), e += 12;
  PutEntry(e, 279, kLong, stripCount, multiStrip ? countsTable : imageBytes), e += 12;
  PutEntry(e, 282, kRational, 1, xRes), e += 12;
  PutEntry(e, 283, kRational, 1, yRes), e += 12;
  PutEntry(e, 284, kShort, 1, 1), e += 12;
  PutEntry(e, 296, kShort, 1, 2), e += 12;
  PutEntry(e, 317, kShort, 1, 1), e += 12;
  // Without a profile the 17th slot stays zero; its first bytes are the next-directory offset.
  if (!profile.empty()) PutEntry(e, 34675, kUndefined, std::uint32_t(profile.size()), profileOffset);
  // The next-directory offset (the last four bytes) stays 0.
  CM_ThrowIfError(m_pOutFile->Write(dir, sizeof dir));

  if (rgb) {
    std::uint8_t values[6];
    for (int i = 0; i < 3; ++i) Put16(values + 2 * i, bits);
    CM_ThrowIfError(m_pOutFile->Write(values, sizeof values));
  }
  if (multiStrip) {
    const std::uint64_t stripBytes = std::uint64_t(m_RowsPerStrip) * m_BytesPerLine;
    std::vector<std::uint8_t> table;
    try {
      table.resize(std::size_t(4 * strips));
    } catch (const std::bad_alloc&) {
      return SM_ERR_CREATE;
    }
    for (std::uint64_t i = 0; i < strips; ++i) Put32(&table[std::size_t(4 * i)], 8 + i * stripBytes);
    CM_ThrowIfError(m_pOutFile->Write(table.data(), table.size()));
    for (std::uint64_t i = 0; i < strips; ++i)
      Put32(&table[std::size_t(4 * i)], i + 1 < strips ? stripBytes : imageBytes - i * stripBytes);
    CM_ThrowIfError(m_pOutFile->Write(table.data(), table.size()));
  }
  std::uint8_t resolution[16];
  Put32(resolution, WholeDpi(property->fResolutionX));
  Put32(resolution + 4, 1);
  Put32(resolution + 8, WholeDpi(property->fResolutionY));
  Put32(resolution + 12, 1);
  CM_ThrowIfError(m_pOutFile->Write(resolution, sizeof resolution));
  if (!profile.empty()) CM_ThrowIfError(m_pOutFile->Write(profile.data(), profile.size()));
  return CM_OK;
}

CMResult LargeTiffXform::EndXform(const std::string* profilePath) {
  if (!IsLargeTiffPair()) return m_pXformInfo ? SM_ERR_UNSUPPORTED : SM_ERR_NO_XFORM;
  if (!m_pOutFile || !m_pImageInfo) return SM_ERR_NO_XFORM;
  CMResult rc = CM_Guard([&]() -> CMResult {
    const SM_ImageProperty_Struct* property = m_pImageInfo->GetProperty();
    if (!property) CM_ThrowIfError(SM_ERR_BAD_COUNT);
    // Strips that point past the data would make a file no reader accepts.
    if (m_LinesWritten != property->uiImageLength) CM_ThrowIfError(SM_ERR_NO_LINES);
    CM_ThrowIfError(WriteDirectory(profilePath));
    CM_ThrowIfError(m_pOutFile->Close());
    m_bOutputWritten = true;
    return CM_OK;
  });
  ReleaseOutput();
  return rc;
}

CMResult LargeTiffXform::AbortXform() {
  if (!m_pXformInfo) return SM_ERR_NO_XFORM;
  if (!IsLargeTiffPair()) return SM_ERR_UNSUPPORTED;
  ReleaseOutput();
  return CM_OK;
}
