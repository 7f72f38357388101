#pragma once

// The program's own EXIF segment of a saved JPEG: the information record and how it is filled,
// the APP1 segment built from it (a little-endian TIFF structure with IFD0, the EXIF directory
// and IFD1 with an embedded JPEG thumbnail), the small IFD helpers, and the JPEG scans the
// writer needs. Every function answers a save-pipeline code (CMError.h) and throws nothing.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "launcher/save/CMError.h"
#include "launcher/save/ICMFILE_CLASS.h"
#include "launcher/save/ISM_OPTION_INFO.h"
#include "launcher/save/SM_ImageProperty_Struct.h"

// The EXIF information: NUL-terminated texts, zero-filled before use, converted by the writer.
struct SM_ExifInfo_Struct {
  char Make[256];
  char Model[256];
  char XResolution[10];  // "%d/1"
  char YResolution[10];
  char ResolutionUnit[4];  // "2"
  char Software[256];
  char DateTime[20];  // "YYYY:MM:DD HH:MM:SS"
  char YCbCrPositioning[4];
  char ExifVersion[8];
  char DateTimeDigitized[20];
  char FlashpixVersion[8];
  char ColorSpace[4];  // "1" RGB, "-1" otherwise
  char PixelXDimension[10];
  char PixelYDimension[10];
  std::uint8_t CustomRendered;  // 1: the EXIF directory carries CustomRendered
  char ThumbnailCompression[4];
  char ThumbnailLength[20];  // "%lld" of the thumbnail's size
};

// What a JPEG file says about itself.
struct SM_JpegInfo_Struct {
  std::uint32_t XDensity;  // JFIF APP0
  std::uint32_t YDensity;
  std::uint32_t Width;  // SOF0
  std::uint32_t Height;
  std::uint32_t FileSize;
  std::uint32_t ExifEnd;    // just past the file's APP1 segment; 0 when there is none
  std::uint32_t Remainder;  // FileSize - ExifEnd when ExifEnd is not 0
};

// Byte order of CM_StoreInteger and the parsers: 1 little-endian, anything else big-endian.
constexpr int CM_ORDER_LITTLE = 1;
constexpr int CM_ORDER_BIG = 0;

// The TIFF structure: IFD0's data area begins behind the header and IFD0's ten entries.
constexpr std::uint32_t SM_EXIF_IFD0_DATA_OFFSET = 134;
// A JPEG segment's length field holds at most this much.
constexpr std::uint32_t SM_JPEG_SEGMENT_MAX = 65535;

// Stores the low byteCount (1 to 8) bytes of value. 0xDCA01 for a null buffer or a bad count.
CMResult CM_StoreInteger(std::uint8_t* buffer, std::size_t byteCount, std::uint64_t value, int order);
// Fills the count and value fields of a 12-byte IFD entry for text (type 2 ASCII, the NUL
// counted; type 7 UNDEFINED, not counted). A count below 5 puts the first 4 bytes of the text
// field inline; otherwise the value is the running offset, which then grows by the count made
// even. text must be readable for at least 4 bytes. 0xDCA01 for null arguments.
CMResult CM_MakeIfdStringEntry(const char* text, std::uint8_t* entry, std::uint32_t* runningOffset, int order,
                               std::uint16_t type);
// "numerator/denominator" into 8 bytes, numerator first, 4 bytes each in the order.
// 0xDCA01 for null arguments; 0xACA02 when the text is not two decimal numbers split by "/".
CMResult CM_ParseRational(const char* text, std::uint8_t* out, int order);
CMResult CM_ParseSRational(const char* text, std::uint8_t* out, int order);

// Fills every field but ThumbnailLength from the option record (maker, device and application
// names), the image property (resolution, size, samples) and the current local time.
// 0xACA02 a name missing; 0xACA01 no local time; 0xDCA01 null arguments.
CMResult SM_MakeExifInfo(const ISM_OPTION_INFO* option, const SM_ImageProperty_Struct* property,
                         SM_ExifInfo_Struct* record);
// Offset of the thumbnail inside the TIFF structure for this record: what the segment spends
// before the thumbnail's bytes.
CMResult SM_ExifThumbnailOffset(const SM_ExifInfo_Struct* record, std::uint32_t* offset);
// The longest thumbnail that still fits one APP1 segment with this record.
CMResult SM_MaxExifThumbnailLength(const SM_ExifInfo_Struct* record, std::uint32_t* length);
// The whole APP1 segment (marker, length, "Exif\0\0", TIFF structure, thumbnail bytes).
// 0xACA01 when it would not fit the 16-bit segment length.
CMResult SM_BuildExifSegment(const SM_ExifInfo_Struct* record, const std::uint8_t* thumbnail,
                             std::size_t thumbnailLength, std::vector<std::uint8_t>* segment);

// Reads the head of a JPEG from its start through the start-of-scan segment (or the whole file
// when it has none) into head. The file's position is left behind what was read.
CMResult SM_ReadJpegHeader(ICMFILE_CLASS* file, std::vector<std::uint8_t>* head);
// Fills the JPEG information from an open file. 0xAF200 empty or not a JPEG; 0xACA05 a
// quantisation table segment running past the end of the file.
CMResult SM_ParseJpegInfo(ICMFILE_CLASS* file, SM_JpegInfo_Struct* record);
// Where the APP1 segment goes: behind the start-of-image marker and any APP0 or APP2 segments
// that follow it. 0xAF200 when the file has no start-of-image marker.
CMResult SM_FindExifInsertPoint(ICMFILE_CLASS* file, std::uint64_t* point);

// Shared by the JPEG passes: write all bytes to a descriptor (0xDE900 disk full, 0xDF400 not
// permitted, 0xDCA02 otherwise), and copy a file from an offset to its end in 1 MiB blocks.
CMResult SM_WriteBytes(int fd, const void* bytes, std::size_t length);
CMResult SM_CopyFileTail(ICMFILE_CLASS* source, std::uint64_t from, int fd);

// Writes destination as source with the program's APP1 segment and thumbnail in place of the
// APP1 segment at the insertion point (or inserted there when there is none); everything else
// follows unchanged, and nothing follows the source's last byte. The file is written under a
// temporary name in destination's folder and renamed into place when complete, so no one sees
// it half written and a failure leaves an existing destination as it was. source and
// destination may be the same file.
CMResult SM_WriteExifSegmentTo(const std::string* source, const std::string* destination,
                               const std::string* thumbnailPath, const SM_ExifInfo_Struct* record);
// As SM_WriteExifSegmentTo, for a source whose bytes are head followed by the file open in in
// from resumeAt on: a header rebuilt in memory goes out with the rest of the file copied once.
// With keepExisting the file is put in place only while destination's name is free (0xDF400
// otherwise, destination untouched).
CMResult SM_WriteExifSegmentFrom(ICMFILE_CLASS* in, const std::vector<std::uint8_t>& head, std::uint64_t resumeAt,
                                 const std::string* destination, const std::string* thumbnailPath,
                                 const SM_ExifInfo_Struct* record, bool keepExisting = false);
// Rewrites target with the segment: SM_WriteExifSegmentTo(target, target, ...).
CMResult SM_WriteExifSegment(const std::string* target, const std::string* thumbnailPath,
                             const SM_ExifInfo_Struct* record);
