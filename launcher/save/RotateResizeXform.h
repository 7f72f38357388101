#pragma once

// File-to-file passes over whole images: a rotation pass (by the option record's rotation
// code), a resize pass (to the box of the transform record's size class) and a thumbnail
// file (longest side 160 pixels). Each reads one file through an image source and writes a
// new one through an image destination, which replaces its target only when complete. A pass
// is a start step that checks and copies the records, a run step and an end step.
//
// Every operation answers a code (CMError.h) and throws nothing. Call Initialize before the
// next pass of the same object.

#include <cstdint>
#include <memory>
#include <string>

#include "launcher/save/CMError.h"
#include "launcher/save/ICMSTR_CLASS.h"
#include "launcher/save/ISM_IMAGE_INFO.h"
#include "launcher/save/ISM_OPTION_INFO.h"
#include "launcher/save/ISM_XFORM_INFO.h"

class RotateResizeXform {
 public:
  // Longest side of a thumbnail file.
  static constexpr std::uint32_t kThumbnailSize = 160;

  RotateResizeXform();
  ~RotateResizeXform();
  RotateResizeXform(const RotateResizeXform&) = delete;
  RotateResizeXform& operator=(const RotateResizeXform&) = delete;

  // Releases the records of the last pass.
  CMResult Initialize();
  // Folder for the thumbnail pass's temporary copy (the system's temporary folder when unset).
  CMResult SetTempFolderPath(const std::string* folder);

  // 0xACA04 a null record; 0xACA00 records are already held; 0xACA03 a format pair other
  // than input 4320 or 4322 to output 4322, or an empty path; 0xACA02 a path whose length
  // cannot be read. The records are kept only when the pass may run.
  CMResult StartRotation(const ISM_XFORM_INFO* xform, const ISM_IMAGE_INFO* image, const ISM_OPTION_INFO* option);
  // Writes the input turned by the option's rotation code (4750 0, 4751 90, 4752 180, 4753
  // 270 degrees clockwise; other codes 0) as a TIFF at the output path, with the input's
  // properties (resolutions swapped with a quarter turn). An input that cannot be opened ends
  // the pass with 0 and no file. 0xACA04 nothing started; 0xAF207 no image or the file could
  // not be written; 0xA9807 the turn failed; 0xAF400 the output folder is not writable.
  CMResult Rotate();
  CMResult EndRotation() { return CM_OK; }

  // Kept and tested with no caller: the driver refuses resize requests, and the transfer loop
  // asks for no rotation pass.
  // 0xACA04 null record; 0xACA00 records held; 0xACA03 a refused pair (output 4321, 4325 or
  // 4326 needs input 4320; any other output input 4320 or 4322) or an empty path; 0xACA02 a
  // path length that cannot be read.
  CMResult StartResize(const ISM_XFORM_INFO* xform, const ISM_IMAGE_INFO* image);
  // Writes the input fitted into the box of the transform record's mode (CM_FitSize, upright
  // by its orientation) and stores the new size into the held image record. 0xAF307 the input
  // cannot be opened or reduced; 0xACA01 it does not hold exactly one image; 0xAF207 its
  // properties or size are missing, or the file could not be written; size codes of
  // CM_FitSize; 0xACA03 an output type without a writer (PNG, PICT, PDF); 0xAF400 the output
  // folder is not writable. JPEG output (4320) gets depth 8, the quality of the compression
  // code and the metadata of SetJpegMetadata.
  CMResult Resize();
  CMResult EndResize() { return CM_OK; }

  // Writes a thumbnail of at most 160 pixels on its longest side, upright, of source at target.
  // formatPair: input format in the high 16 bits (4320, 4321 or 4322, else 0xACA02), output in
  // the low 16 bits (JPEG or TIFF, else 0xACA03). With source and target the same path the
  // source is read from a temporary copy, so a failure leaves the original untouched.
  // 0xAF307 the source cannot be opened or reduced; 0xACA01 not exactly one image or no
  // properties; 0xAF400 target folder not writable; 0xAF207 the file could not be written.
  CMResult MakeThumbnailFile(const std::string* sourcePath, const std::string* targetPath, std::uint32_t formatPair);

  // The held image record (the resize pass stores the new size into it).
  const ISM_IMAGE_INFO* GetImageInfo() const { return m_pImageInfo.get(); }

 private:
  void ReleaseRecords();
  CMResult CheckPaths() const;

  std::unique_ptr<ISM_IMAGE_INFO> m_pImageInfo;
  std::unique_ptr<ISM_XFORM_INFO> m_pXformInfo;
  std::unique_ptr<ISM_OPTION_INFO> m_pOptionInfo;
  std::unique_ptr<ICMSTR_CLASS> m_wszTempFolderPath;
};
