#pragma once

// Kept and tested, with no caller in the save flow: the tests read saved files back with it.

// Reads a saved JPEG or TIFF back as raw pixel bytes, block by block: OpenReadImage states the
// image's geometry in the caller's image record, ReadImageBlock hands out the next bytes of
// the rows (1-bit rows packed, 16-bit samples in host order), CloseReadImage lets the file go.
// Rows are decoded as the blocks ask for them; only one row is held besides the caller's block.

#include <cstdint>
#include <memory>
#include <vector>

#include "imageio/Image.h"
#include "imageio/RowReader.h"
#include "launcher/save/CMError.h"
#include "launcher/save/ISM_IMAGE_INFO.h"

class ImageReadBack {
 public:
  ImageReadBack() = default;
  ~ImageReadBack();
  ImageReadBack(const ImageReadBack&) = delete;
  ImageReadBack& operator=(const ImageReadBack&) = delete;

  // Opens the image record's input path and stores width, height, bits per sample, samples
  // per pixel and resolutions into its property block. 0xAF200 the file does not exist;
  // 0xACA03 it is empty, or its depth is other than 1, 8, 16, 24 or 48 bits per pixel; 0xAF207
  // it cannot be opened, or its resolutions or size are 0. With prepare set only the record is
  // filled; otherwise the image stays open for ReadImageBlock. 0xACA00 when one is open.
  CMResult OpenReadImage(ISM_IMAGE_INFO* image, bool prepare);
  // Copies the next up to size bytes into buffer; outSize says how many, end is set with the
  // last block (the image is then closed). 0xACA04 nothing open; 0xACA02 a null argument or a
  // size of 0; 0xAF207 the file's rows could not be read.
  CMResult ReadImageBlock(void* buffer, std::uint64_t size, std::uint64_t* outSize, bool* end);
  CMResult CloseReadImage();

 private:
  std::unique_ptr<ISM_IMAGE_INFO> m_pImageInfo;
  imageio::ImageRef m_Image;
  std::unique_ptr<imageio::RowReader> m_Reader;
  std::vector<std::uint8_t> m_Row;
  std::size_t m_RowUsed = 0;
  std::uint64_t m_TotalBytes = 0;
  std::uint64_t m_Position = 0;
};
