#pragma once

// The EXIF JPEG pass: turns the temporary JPEG of a page ("PVTO_tmpEX%03d.JPG") into its final
// ".jpg" file. It merges the encoder's quantisation and Huffman table segments, makes a
// thumbnail of at most 160 pixels that carries the colour profile ("PVTO_tmpTH0.JPG", then
// "PVTO_tmpTH1.JPG" in the temporary folder), and writes the final file with the program's own
// EXIF segment in place of the encoder's. A grey JPEG (one-component scan), or one without an
// encoder EXIF segment, is copied to the final name unchanged.
//
// The final file is written under a temporary name in its own folder and renamed into place
// when complete, so no one ever sees it half written; the temporary JPEG and the thumbnail
// files are removed on every road.
//
// Call order on a fresh object: SetTempFolderPath (and SetColorSetting), StartExifXform,
// ExifXform, EndExifXform; Initialize before the next image. Every operation answers a
// save-pipeline code (CMError.h) and throws nothing. Passes of several objects may run on
// several threads: the thumbnail files have fixed names, so passes take turns.

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "launcher/save/CMError.h"
#include "launcher/save/ExifSegment.h"
#include "launcher/save/ICMSTR_CLASS.h"
#include "launcher/save/ISM_IMAGE_INFO.h"
#include "launcher/save/ISM_OPTION_INFO.h"
#include "launcher/save/ISM_XFORM_INFO.h"
#include "launcher/save/ThumbnailPixels.h"

class ExifJpegXform {
 public:
  ExifJpegXform();
  ~ExifJpegXform();
  ExifJpegXform(const ExifJpegXform&) = delete;
  ExifJpegXform& operator=(const ExifJpegXform&) = delete;

  // Releases the records of the last image.
  CMResult Initialize();
  // The temporary folder (a "/" is appended when missing). 0xDCA01 for null.
  CMResult SetTempFolderPath(const std::string* folder);
  // The colour profile the thumbnail carries (null or empty: sRGB).
  CMResult SetColorSetting(std::uint32_t setting, const std::string* profilePath);
  // The upright thumbnail the conversion pass made from the rows it encoded. When it has the
  // size the temporary JPEG's thumbnail would have, the pass writes "PVTO_tmpTH0.JPG" from it
  // instead of decoding the whole JPEG; otherwise (or with null) it decodes as before.
  void SetThumbnail(std::shared_ptr<const SM_ThumbnailPixels> thumbnail) { m_Thumbnail = std::move(thumbnail); }
  // With keep set, the final file is put in place only while its name is free (0xDF400
  // otherwise, the file there left as it was). Off by default.
  void SetKeepsExistingOutput(bool keep) { m_bKeepExistingOutput = keep; }

  // Takes copies of the records: the image record's input path is the temporary JPEG, its
  // output path the final file; the option record names maker, device and application.
  // 0xACA00 records already held; 0xACA03 a format pair other than 4320 to 4321; 0xAF200 the
  // input JPEG is missing or does not parse. The held image property becomes the JPEG's own:
  // its size, 8 bits, 3 samples, its DPI (300 when the file has none).
  CMResult StartExifXform(const ISM_XFORM_INFO* xform, const ISM_IMAGE_INFO* image, const ISM_OPTION_INFO* option);
  // Does the work. 0xACA04 without StartExifXform; the first failing step's code otherwise.
  CMResult ExifXform();
  // Nothing left to do; 0.
  CMResult EndExifXform();

  // Writes the thumbnail of source into target: at most 160 pixels on its longer side, taken
  // from the full image and turned upright (RotateResizeXform::MakeThumbnailFile into
  // "PVTO_tmpTH0.JPG", removed also after a failure), then re-encoded with the colour profile
  // by SM_MakeProfiledCopy, or with no profile when withProfile is false.
  CMResult MakeThumbnail(const ICMSTR_CLASS* source, const ICMSTR_CLASS* target, bool withProfile = true);

  const ISM_IMAGE_INFO* GetImageInfo() const { return m_pImageInfo.get(); }
  const SM_JpegInfo_Struct* GetJpegInfo() const { return m_mainImageJPEGInfomation.get(); }
  // The path the last ExifXform wrote (the output path, ending in ".jpg").
  const std::string& GetFinalPath() const { return m_FinalPath; }

 private:
  CMResult RunPass(ICMSTR_CLASS* a, ICMSTR_CLASS* b);
  // A thumbnail that fits the record's APP1 segment: the profile is dropped when the segment
  // would pass 65535 bytes with it (a 160-pixel thumbnail alone always fits; should it not,
  // 0xACA01 rather than a segment whose length wraps).
  CMResult MakeFittingThumbnail(const ICMSTR_CLASS* source, const ICMSTR_CLASS* target, const SM_ExifInfo_Struct& record,
                                std::uint64_t* length);
  // Makes the upright 160-pixel thumbnail of source in "PVTO_tmpTH0.JPG", hands its path to
  // encode (which writes target from it) and removes it again on every road.
  CMResult WithUprightThumbnail(const ICMSTR_CLASS* source, const ICMSTR_CLASS* target,
                                const std::function<CMResult(const std::string&)>& encode);
  CMResult ReleaseRecords();
  // The conversion pass's thumbnail has the size this JPEG's thumbnail must have.
  bool HandedThumbnailFits() const;

  std::unique_ptr<ISM_IMAGE_INFO> m_pImageInfo;
  std::unique_ptr<ISM_XFORM_INFO> m_pXformInfo;
  std::unique_ptr<ISM_OPTION_INFO> m_pOptionInfo;
  std::unique_ptr<ICMSTR_CLASS> m_wszTempFolderPath;
  std::unique_ptr<std::string> m_pfPath;
  std::uint32_t m_colorSetting = 0;
  std::unique_ptr<SM_JpegInfo_Struct> m_mainImageJPEGInfomation;
  std::string m_FinalPath;
  std::shared_ptr<const SM_ThumbnailPixels> m_Thumbnail;
  bool m_bKeepExistingOutput = false;
};

// The pass in the form the save driver plugs in: a fresh object with the temporary folder and
// profile, then StartExifXform, ExifXform, EndExifXform.
// thumbnail: the conversion pass's, or null. keepExisting: see SetKeepsExistingOutput.
CMResult SM_RunExifJpegPass(const std::string* tempFolder, const std::string* profilePath, const ISM_XFORM_INFO* xform,
                            const ISM_IMAGE_INFO* image, const ISM_OPTION_INFO* option,
                            std::shared_ptr<const SM_ThumbnailPixels> thumbnail = nullptr, bool keepExisting = false);
