// The save pipeline's JPEG header and table functions given files from elsewhere: the head
// read, the file's information, the EXIF insertion point, the scan and table offsets, the
// table merge and the EXIF segment written into it (the input as its own thumbnail).
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "FuzzFile.h"
#include "launcher/save/ExifSegment.h"
#include "launcher/save/ICMFILE_CLASS.h"
#include "launcher/save/JpegTables.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string path = fuzzfile::Write("jpeg", data, size);
  const std::string out = fuzzfile::PathFor("jpeg-out");
  std::uint64_t scanStart = 0, firstTable = 0, point = 0;
  {
    std::unique_ptr<ICMFILE_CLASS> file;
    if (CM_CreateFile(&file) != CM_OK || file->Open(&path, ICMFILE_CLASS::kRead) != CM_OK) return 0;
    std::vector<std::uint8_t> head;
    SM_ReadJpegHeader(file.get(), &head);
    SM_JpegInfo_Struct info{};
    SM_ParseJpegInfo(file.get(), &info);
    SM_FindExifInsertPoint(file.get(), &point);
    SM_FindColourScanStart(file.get(), &scanStart);
    SM_FindFirstTableSegment(file.get(), &firstTable);
    file->Close();
  }
  if (scanStart != 0) SM_MergeJpegTables(&path, &out, firstTable, scanStart);

  SM_ExifInfo_Struct record{};
  std::strcpy(record.Make, "Vantrel");
  std::strcpy(record.Model, "Fuzz");
  std::strcpy(record.XResolution, "300/1");
  std::strcpy(record.YResolution, "300/1");
  std::strcpy(record.ResolutionUnit, "2");
  std::strcpy(record.DateTime, "2026:12:10 16:00:00");
  std::strcpy(record.ExifVersion, "0221");
  std::strcpy(record.ColorSpace, "1");
  SM_WriteExifSegmentTo(&path, &out, &path, &record);
  return 0;
}
