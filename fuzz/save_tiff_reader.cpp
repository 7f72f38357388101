// The save pipeline's own TIFF reader given files from elsewhere: the header, then every line
// through the line reader.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "FuzzFile.h"
#include "launcher/save/ISM_IMAGE_INFO.h"
#include "launcher/save/TiffLineReader.h"
#include "launcher/save/TiffReader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string path = fuzzfile::Write("tiff", data, size);
  TIFF tiff;
  if (CM_TiffReadHeader(&path, &tiff) != CM_OK) return 0;
  CM_TiffClose(&tiff);

  SM_ImageProperty_Struct property{};
  const std::string none;
  std::unique_ptr<ISM_IMAGE_INFO> image;
  if (SM_CreateImageInfoWithProperty(&image, &property, &path, &none) != CM_OK) return 0;
  TiffLineReader reader;
  if (reader.OpenTiff(image.get(), false) != CM_OK) return 0;
  std::vector<std::uint8_t> block(64 * 1024);
  for (bool finished = false; !finished;) {
    std::uint64_t got = 0;
    if (reader.ReadTiffLines(block.data(), block.size(), &got, &finished) != CM_OK) break;
  }
  return 0;
}
