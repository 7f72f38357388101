#pragma once

// The transform writer: raw scan lines, handed over one block at a time, become an image file
// through imageio's image destination. The first block starts a writer thread that finalises
// the destination; the destination pulls the image's bytes through a data provider whose
// callback waits for the producer's blocks. A condition lock hands one block at a time from
// the producer to the writer thread: condition 1, the buffer is the producer's to fill;
// condition 0, a block waits for the writer. So at most one block is held, and the image is
// encoded while the scan is still arriving.
//
// Call order: Initialize, StartXform, WriteLines for every block in line order from line 0,
// EndXform (or AbortXform); Initialize again before the next image; Terminate at the end.
// Every operation answers a save-pipeline code (CMError.h) and throws nothing.

#include <atomic>
#include <cstdint>
#include <memory>
#include <string>

#include "foundation/ConditionLock.h"
#include "foundation/Value.h"
#include "imageio/Image.h"
#include "imageio/ImageDestination.h"
#include "launcher/save/CMError.h"
#include "launcher/save/CMThread.h"
#include "launcher/save/ICMSTR_CLASS.h"
#include "launcher/save/ISM_IMAGE_INFO.h"
#include "launcher/save/ISM_OPTION_INFO.h"
#include "launcher/save/ISM_XFORM_INFO.h"
#include "launcher/save/ThumbnailPixels.h"

class ImageToImageXform {
 public:
  ImageToImageXform();
  ~ImageToImageXform();
  ImageToImageXform(const ImageToImageXform&) = delete;
  ImageToImageXform& operator=(const ImageToImageXform&) = delete;

  // Ready for the next image: creates what is missing (0xA9800 when it cannot), abandons a
  // transform still open, releases the records of the last one.
  CMResult Initialize();
  // Releases everything, abandoning a transform still open.
  CMResult Terminate();

  CMResult SetTempFolderPath(const std::string* folder);
  const std::string* GetTempFolderPath() const;
  // Setting 2 selects device colour spaces; a profile path (or null) is copied.
  CMResult SetColorSetting(std::uint32_t setting, const std::string* profilePath);
  std::uint32_t GetColorSetting() const { return m_colorSetting; }
  const std::string* GetProfilePath() const { return m_pfPath.get(); }
  // Carries a page's thumbnail from the conversion pass to the EXIF JPEG pass of the same
  // worker (see ThumbnailPixels.h); null when the conversion made none.
  void SetThumbnail(std::shared_ptr<const SM_ThumbnailPixels> thumbnail) { m_Thumbnail = std::move(thumbnail); }
  const std::shared_ptr<const SM_ThumbnailPixels>& GetThumbnail() const { return m_Thumbnail; }

  // The error state shared with the writer thread; 0 = none. A set keeps the first error
  // (setting 0 clears it).
  CMResult GetErrorMessage() const;
  CMResult SetErrorMessage(CMResult code);

  // Opens a transform of raw lines (input 4333) into the image record's output path.
  // 0xACA00 a transform is open; 0xACA03 format pair refused or not writable by imageio
  // (only JPEG, TIFF and "no output" are); 0xAF307 no output path; 0xAF400 output folder not
  // writable; 0xAF207 image or destination could not be made.
  CMResult StartXform(const ISM_XFORM_INFO* xform, const ISM_IMAGE_INFO* image);
  // Hands one block of lineCount lines of rowBytes each (byteCount > 0) to the writer; waits
  // while the writer still holds the previous block, and gives up with the error when the
  // writer fails or the transform is aborted. A block with first line 0 starts the writer
  // thread (0xACA01 when it cannot start). 0xACA02 when rowBytes is not the image's row size
  // or the lines run past the image; 0xA9800 when the block cannot be allocated. The lines
  // lie sourceStride bytes apart in data (0: rowBytes); padding past rowBytes is dropped in the
  // block's one copy.
  CMResult WriteLines(std::uint32_t firstLine, std::uint32_t lineCount, std::uint32_t rowBytes,
                      std::uint64_t byteCount, const void* data, std::uint64_t sourceStride = 0);
  // Finishes the transform after the last block: tells the writer no more blocks come and
  // waits for it. 0xAF207 when there was no writer thread to wait for; the writer's error when
  // it failed (a short image ends with 0xACA05); 0xACA03 for a refused format pair.
  CMResult EndXform();
  // Abandons the transform: the writer stops at its next read and no file is left behind.
  // 0xACA04 without an open transform; 0xAF207 when the writer did not end within 180000 ms
  // (its buffers are then kept for it).
  CMResult AbortXform();
  // With keep set, the next transforms' files never replace a file already at the output path
  // (the writer then fails). Off by default: temporary files are rewritten in place.
  void SetKeepsExistingOutput(bool keep) { m_bKeepExistingOutput = keep; }
  // The open or last transform put its file at the output path (read once the writer ended).
  bool OutputWritten() const { return m_bOutputWritten.load(); }

  // A new image with the pixels of the given one redrawn into a fresh bitmap of its bits per
  // component, bytes per row and colour space, or null on any failure. With fromFile the size
  // is that of the picture at path. The given image is let go. The bitmap has no alpha when the
  // pass's pixel format is 32 bits, else a padding sample (last for 16-bit, first for 8-bit
  // components): this is how an image with alpha loses it.
  imageio::ImageRef RedrawImage(imageio::ImageRef image, const std::string* path, bool fromFile);

  // Measurements of the hand-off, for tests and benchmarks: image bytes handed to the encoder
  // so far, and the most block bytes held at any one time during the transform.
  std::uint64_t GetDeliveredBytes() const { return m_DeliveredBytes.load(); }
  std::uint64_t GetPeakBlockBytes() const { return m_PeakBlockBytes.load(); }

  const ISM_IMAGE_INFO* GetImageInfo() const { return m_pImageInfo.get(); }
  const ISM_XFORM_INFO* GetXformInfo() const { return m_pXformInfo.get(); }

 private:
  struct ProviderInfo;

  static void WriterThreadProc(void* argument);
  std::size_t ProvideBytes(ProviderInfo* info, void* buffer, std::int64_t position, std::size_t count);
  std::size_t ReadSingleBlock(ProviderInfo* info, std::uint8_t* buffer, std::int64_t position, std::size_t count);
  // The address of count bytes from position inside the current block, waiting for the block
  // that holds position; null when they run past the block's end (then read them by copy) or
  // the transfer failed. Valid until the provider's next call: the producer may refill the
  // buffer only after a later call has found it used up.
  const void* BlockPointer(ProviderInfo* info, std::int64_t position, std::size_t count);
  // Waits for the block holding byte position at and returns with m_DataLock held (its
  // bounds in *start and *end); the caller unlocks with condition 0. False (lock not held)
  // when the transfer failed or the position was already handed on.
  bool TakeBlockHolding(ProviderInfo* info, std::uint64_t at, std::uint64_t* start, std::uint64_t* end);
  // Takes m_DataLock at the condition, in rounds, giving up when the transform failed or was
  // aborted (and, for the writer side, when no more blocks will come). False when given up.
  bool LockDataWhen(int condition, bool writerSide);
  // Wakes a side waiting in LockDataWhen to look at the end flags and the error again.
  void WakeHandOffWaiters();
  // The TIFF and EXIF entries every file of a transform carries.
  void AddFileMetadata(std::uint32_t samplesPerPixel);
  void ReleaseTransform();
  CMResult AbortOpenTransform();

  std::unique_ptr<ISM_IMAGE_INFO> m_pImageInfo;
  std::unique_ptr<ISM_XFORM_INFO> m_pXformInfo;
  std::unique_ptr<ISM_OPTION_INFO> m_pOptionInfo;
  std::unique_ptr<ICMSTR_CLASS> m_wszTempFolderPath;
  CMResult m_uiErrorMessage = 0;
  std::unique_ptr<CMMutex> m_mxErrorMessage;
  std::uint32_t m_colorSetting = 0;
  std::unique_ptr<std::string> m_pfPath;
  std::unique_ptr<imageio::ImageDestination> m_ImageDestination;
  imageio::ImageRef m_Image;
  fnd::Dictionary m_metaData;
  std::unique_ptr<std::uint8_t[]> m_pImageBuf;
  std::uint64_t m_ImageBufCapacity = 0;
  std::shared_ptr<const SM_ThumbnailPixels> m_Thumbnail;
  std::uint64_t m_ImageBufBytes = 0;
  std::uint32_t m_WriteLines = 0;
  std::uint64_t m_LineOffset = 0;
  CMThreadStruct* m_pThreadXform = nullptr;
  std::unique_ptr<ICMSTR_CLASS> m_ColorSpace;
  std::uint32_t m_PixelFormat = 0;
  std::unique_ptr<CMMutex> m_mxPropertyLock;
  std::unique_ptr<fnd::ConditionLock> m_DataLock;

  // Geometry of the open transform's byte stream.
  std::uint64_t m_RowBytes = 0;
  std::uint64_t m_TotalBytes = 0;
  std::uint32_t m_ImageLength = 0;
  // Set by EndXform: the producer has handed over its last block.
  std::atomic<bool> m_bInputEnded{false};
  // Set by the writer thread as its last act.
  std::atomic<bool> m_bWriterEnded{false};
  // The open transform writes a file (output "none" runs without one).
  bool m_bHasDestination = false;
  bool m_bKeepExistingOutput = false;
  // Set by the writer thread when its file is in place.
  std::atomic<bool> m_bOutputWritten{false};
  std::atomic<std::uint64_t> m_DeliveredBytes{0};
  std::atomic<std::uint64_t> m_PeakBlockBytes{0};
};
