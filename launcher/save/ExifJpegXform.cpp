#include "launcher/save/ExifJpegXform.h"

#include <cstring>
#include <mutex>
#include <vector>

#include "imageio/AreaAverager.h"
#include "imageio/ColorSpace.h"
#include "imageio/DataProvider.h"
#include "imageio/Image.h"
#include "imageio/ImageDestination.h"
#include "imageio/ImageProperties.h"
#include "imageio/ImageSource.h"
#include "launcher/save/CMCommon.h"
#include "launcher/save/CMFileSystem.h"
#include "launcher/save/CMText.h"
#include "launcher/save/ICMFILE_CLASS.h"
#include "launcher/save/ImagePassSupport.h"
#include "launcher/save/JpegTables.h"
#include "launcher/save/ProfiledCopy.h"
#include "launcher/save/RotateResizeXform.h"
#include "launcher/save/SMCodes.h"

namespace {

constexpr std::int32_t kPathCapacity = 1024;
constexpr double kDefaultDpi = 300.0;

// The thumbnail files have fixed names in the temporary folder: one pass at a time uses them.
std::mutex& thumbnailFilesMutex() {
  static std::mutex m;
  return m;
}

CMResult fileSize(const std::string* path, std::uint64_t* size) {
  std::unique_ptr<ICMFILE_CLASS> file;
  CM_ThrowIfError(CM_CreateFile(&file));
  CM_ThrowIfError(file->Open(path, ICMFILE_CLASS::kRead));
  CM_ThrowIfError(file->GetSize(size));
  return file->Close();
}

// The final name: the output path with its extension made ".jpg".
std::string finalJpegPath(const std::string& output) {
  const std::size_t slash = output.rfind('/');
  const std::size_t dot = output.rfind('.');
  if (dot == std::string::npos || (slash != std::string::npos && dot < slash) || dot == slash + 1)
    return output + ".jpg";
  return output.substr(0, dot) + ".jpg";
}

// Writes the handed thumbnail as the JPEG the decoding road would have left in path.
CMResult writeThumbnailFile(const SM_ThumbnailPixels& thumbnail, const std::string& path) {
  using namespace imageio;
  ImageRef image = Image::create(thumbnail.width, thumbnail.height, 8, 24, thumbnail.width * 3, ColorSpace::sRGB(), {},
                                 DataProvider::createWithData(fnd::Data(thumbnail.rgb)));
  if (!image) CM_ThrowIfError(SM_ERR_IMAGE);
  CM_ThrowIfError(SM_CheckOutputFolder(&path));
  auto destination = ImageDestination::createWithPath(path, ImageType::JPEG, 1);
  if (!destination) CM_ThrowIfError(SM_ERR_IMAGE);
  fnd::Dictionary properties;
  properties.set(kCGImagePropertyPixelWidth, static_cast<long long>(thumbnail.width));
  properties.set(kCGImagePropertyPixelHeight, static_cast<long long>(thumbnail.height));
  properties.set(kCGImagePropertyColorModel, kCGImagePropertyColorModelRGB);
  properties.set(kCGImagePropertyOrientation, 1);
  properties.set(kCGImagePropertyDepth, 8);
  destination->addImage(image, properties);
  if (!destination->finalize()) CM_ThrowIfError(SM_ERR_IMAGE);
  return CM_OK;
}

}  // namespace

ExifJpegXform::ExifJpegXform() = default;

ExifJpegXform::~ExifJpegXform() = default;

CMResult ExifJpegXform::Initialize() { return ReleaseRecords(); }

CMResult ExifJpegXform::ReleaseRecords() {
  m_pImageInfo.reset();
  m_pXformInfo.reset();
  m_pOptionInfo.reset();
  m_mainImageJPEGInfomation.reset();
  m_FinalPath.clear();
  m_Thumbnail.reset();
  return CM_OK;
}

CMResult ExifJpegXform::SetTempFolderPath(const std::string* folder) {
  if (!folder) return CM_ERR_BAD_ARGUMENT;
  return CM_Guard([&]() -> CMResult {
    std::unique_ptr<ICMSTR_CLASS> copy;
    CM_ThrowIfError(CM_CreateStringWithNSString(&copy, folder, kPathCapacity));
    CM_ThrowIfError(copy->AddPathSeparator());
    m_wszTempFolderPath = std::move(copy);
    return CM_OK;
  });
}

CMResult ExifJpegXform::SetColorSetting(std::uint32_t setting, const std::string* profilePath) {
  return CM_Guard([&]() -> CMResult {
    m_colorSetting = setting;
    m_pfPath = profilePath ? std::make_unique<std::string>(*profilePath) : nullptr;
    return CM_OK;
  });
}

CMResult ExifJpegXform::StartExifXform(const ISM_XFORM_INFO* xform, const ISM_IMAGE_INFO* image,
                                       const ISM_OPTION_INFO* option) {
  if (m_pImageInfo || m_pXformInfo || m_pOptionInfo) return SM_ERR_XFORM_OPEN;
  if (!xform || !image || !option) return SM_ERR_NO_XFORM;
  const CMResult rc = CM_Guard([&]() -> CMResult {
    CM_ThrowIfError(SM_CopyXformInfo(&m_pXformInfo, xform));
    CM_ThrowIfError(SM_CopyImageInfo(&m_pImageInfo, image));
    CM_ThrowIfError(SM_CopyOptionInfo(&m_pOptionInfo, option));
    if (xform->GetInFormat() != SM_FORMAT_JPEG || xform->GetOutFormat() != SM_FORMAT_JPEG_EXIF)
      CM_ThrowIfError(SM_ERR_UNSUPPORTED);

    const std::string* input = m_pImageInfo->GetInputPath();
    if (!input || input->empty()) CM_ThrowIfError(SM_ERR_MALFORMED);
    auto info = std::make_unique<SM_JpegInfo_Struct>();
    std::unique_ptr<ICMFILE_CLASS> file;
    CM_ThrowIfError(CM_CreateFile(&file));
    if (file->Open(input, ICMFILE_CLASS::kRead) != CM_OK || SM_ParseJpegInfo(file.get(), info.get()) != CM_OK)
      CM_ThrowIfError(SM_ERR_MALFORMED);
    CM_ThrowIfError(file->Close());
    m_mainImageJPEGInfomation = std::move(info);

    SM_ImageProperty_Struct property = *m_pImageInfo->GetProperty();
    property.uiImageWidth = m_mainImageJPEGInfomation->Width;
    property.uiImageLength = m_mainImageJPEGInfomation->Height;
    property.uiBitsPerSample = 8;
    property.uiSamplePerPixel = 3;
    property.fResolutionX = kDefaultDpi;
    property.fResolutionY = kDefaultDpi;
    fnd::Dictionary options;
    options.set(imageio::kCGImageSourceShouldCache, fnd::Value(false));
    options.set(imageio::kCGImageSourceShouldAllowFloat, fnd::Value(true));
    if (auto source = imageio::ImageSource::createWithPath(*input, options)) {
      if (auto props = source->copyPropertiesAtIndex(0, options)) {
        if (props->contains(imageio::kCGImagePropertyDPIWidth) && props->contains(imageio::kCGImagePropertyDPIHeight)) {
          property.fResolutionX = props->real(imageio::kCGImagePropertyDPIWidth);
          property.fResolutionY = props->real(imageio::kCGImagePropertyDPIHeight);
        }
      }
    }
    CM_ThrowIfError(m_pImageInfo->SetProperty(&property));
    return CM_OK;
  });
  if (rc != CM_OK) ReleaseRecords();
  return rc;
}

CMResult ExifJpegXform::EndExifXform() { return CM_OK; }

CMResult ExifJpegXform::ExifXform() {
  if (!m_pImageInfo || !m_pXformInfo || !m_pOptionInfo || !m_wszTempFolderPath) return SM_ERR_NO_XFORM;
  std::lock_guard<std::mutex> turn(thumbnailFilesMutex());
  std::unique_ptr<ICMSTR_CLASS> a, b;
  CMResult rc = CM_Guard([&]() -> CMResult {
    CM_ThrowIfError(CM_CreateString(&a, kPathCapacity));
    CM_ThrowIfError(CM_CreateString(&b, kPathCapacity));
    return RunPass(a.get(), b.get());
  });
  // On every road: the temporary JPEG and the profiled thumbnail go.
  for (ICMSTR_CLASS* s : {a.get(), b.get()}) {
    if (!s || !s->GetNSString() || s->GetNSString()->empty()) continue;
    const CMResult removed = CM_RemoveFile(s->GetNSString());
    if (rc == CM_OK) rc = removed;
  }
  return rc;
}

CMResult ExifJpegXform::RunPass(ICMSTR_CLASS* a, ICMSTR_CLASS* b) {
  const std::string* input = m_pImageInfo->GetInputPath();
  const std::string* output = m_pImageInfo->GetOutputPath();
  if (!input || input->empty() || !output || output->empty()) CM_ThrowIfError(SM_ERR_MALFORMED);
  CM_ThrowIfError(a->SetNSString(input));
  CM_ThrowIfError(b->FormatString("%@PVTO_tmpTH1.JPG", m_wszTempFolderPath->GetNSString()));
  // A thumbnail left over from an earlier run is not this image's.
  CM_ThrowIfError(CM_RemoveFile(b->GetNSString()));
  std::unique_ptr<ICMSTR_CLASS> c, d;
  CM_ThrowIfError(CM_CopyString(&c, a));
  CM_ThrowIfError(CM_CreateString(&d, kPathCapacity));
  std::string folder;
  CM_ThrowIfError(b->GetParentPath(&folder));
  CM_ThrowIfError(d->SetNSString(&folder));
  m_FinalPath = finalJpegPath(*output);

  SM_ExifInfo_Struct record;
  std::memset(&record, 0, sizeof record);
  // The temporary JPEG is opened once: its header is merged in memory, and its entropy-coded
  // data is copied once, straight into the final file.
  std::unique_ptr<ICMFILE_CLASS> file;
  CM_ThrowIfError(CM_CreateFile(&file));
  CM_ThrowIfError(file->Open(a->GetNSString(), ICMFILE_CLASS::kRead));
  std::uint64_t scanStart = 0;
  CM_ThrowIfError(SM_FindColourScanStart(file.get(), &scanStart));
  if (!m_mainImageJPEGInfomation || m_mainImageJPEGInfomation->ExifEnd == 0 || scanStart == 0) {
    // Grey, or no encoder segment to replace: the JPEG goes to its final name as it is.
    CM_ThrowIfError(file->Close());
    CM_ThrowIfError(m_bKeepExistingOutput ? CM_CopyFileToFreeName(a->GetNSString(), &m_FinalPath)
                                          : CM_CopyFile(a->GetNSString(), &m_FinalPath, 1));
    return CM_OK;
  }
  std::uint64_t firstTable = 0;
  CM_ThrowIfError(SM_FindFirstTableSegment(file.get(), &firstTable));
  std::vector<std::uint8_t> head, merged;
  CM_ThrowIfError(SM_MergedJpegHead(file.get(), firstTable, scanStart, &head, &merged));
  head.clear();
  head.shrink_to_fit();

  // The record first: how long a thumbnail may be depends on its texts.
  CM_ThrowIfError(SM_MakeExifInfo(m_pOptionInfo.get(), m_pImageInfo->GetProperty(), &record));
  std::uint64_t thumbnailLength = 0;
  CM_ThrowIfError(MakeFittingThumbnail(c.get(), b, record, &thumbnailLength));
  CM_ThrowIfError(CM_FormatCString(record.ThumbnailLength, sizeof record.ThumbnailLength, "%lld",
                                   static_cast<long long>(thumbnailLength)));
  // The final file: built under a temporary name beside the final one and renamed into place
  // when complete.
  CM_ThrowIfError(SM_WriteExifSegmentFrom(file.get(), merged, scanStart, &m_FinalPath, b->GetNSString(), &record,
                                          m_bKeepExistingOutput));
  return file->Close();
}

CMResult ExifJpegXform::MakeFittingThumbnail(const ICMSTR_CLASS* source, const ICMSTR_CLASS* target,
                                             const SM_ExifInfo_Struct& record, std::uint64_t* length) {
  std::uint32_t most = 0;
  CM_ThrowIfError(SM_MaxExifThumbnailLength(&record, &most));
  // The reduced picture is made once (it decodes the whole image); only its encoding with or
  // without the profile is tried twice.
  return WithUprightThumbnail(source, target, [&](const std::string& upright) -> CMResult {
    // A large profile can make the thumbnail too long for one segment: then it goes without.
    for (bool withProfile : {true, false}) {
      CM_ThrowIfError(SM_MakeProfiledCopy(&upright, target->GetNSString(), m_pfPath.get(),
                                          withProfile ? SM_ProfileChoice::FromSettings : SM_ProfileChoice::None));
      CM_ThrowIfError(fileSize(target->GetNSString(), length));
      if (*length <= most) return CM_OK;
    }
    return SM_ERR_BAD_COUNT;
  });
}

CMResult ExifJpegXform::MakeThumbnail(const ICMSTR_CLASS* source, const ICMSTR_CLASS* target, bool withProfile) {
  return WithUprightThumbnail(source, target, [&](const std::string& upright) -> CMResult {
    return SM_MakeProfiledCopy(&upright, target->GetNSString(), m_pfPath.get(),
                               withProfile ? SM_ProfileChoice::FromSettings : SM_ProfileChoice::None);
  });
}

CMResult ExifJpegXform::WithUprightThumbnail(const ICMSTR_CLASS* source, const ICMSTR_CLASS* target,
                                             const std::function<CMResult(const std::string&)>& encode) {
  if (!source || !target || !source->GetNSString() || !target->GetNSString() || !m_wszTempFolderPath)
    return CM_ERR_BAD_ARGUMENT;
  std::string th0;
  CMResult rc = CM_Guard([&]() -> CMResult {
    CM_ThrowIfError(CM_SetFormattedText(&th0, "%@PVTO_tmpTH0.JPG", m_wszTempFolderPath->GetNSString()));
    if (HandedThumbnailFits()) {
      CM_ThrowIfError(writeThumbnailFile(*m_Thumbnail, th0));
    } else {
      RotateResizeXform thumbnailer;
      CM_ThrowIfError(thumbnailer.SetTempFolderPath(m_wszTempFolderPath->GetNSString()));
      CM_ThrowIfError(
          thumbnailer.MakeThumbnailFile(source->GetNSString(), &th0, SM_FormatPair(SM_FORMAT_JPEG, SM_FORMAT_JPEG)));
    }
    return encode(th0);
  });
  if (!th0.empty()) {
    const CMResult removed = CM_RemoveFile(&th0);
    if (rc == CM_OK) rc = removed;
  }
  return rc;
}

bool ExifJpegXform::HandedThumbnailFits() const {
  // The JPEG the pass finishes is upright (the conversion turned it), so the rows the
  // conversion encoded are the picture's; only their size is left to agree.
  if (!m_Thumbnail || !m_mainImageJPEGInfomation) return false;
  std::size_t tw = 0, th = 0;
  imageio::AreaAverager::fitSize(m_mainImageJPEGInfomation->Width, m_mainImageJPEGInfomation->Height,
                                 RotateResizeXform::kThumbnailSize, &tw, &th);
  return m_Thumbnail->width == tw && m_Thumbnail->height == th && m_Thumbnail->rgb.size() == tw * th * 3;
}

CMResult SM_RunExifJpegPass(const std::string* tempFolder, const std::string* profilePath, const ISM_XFORM_INFO* xform,
                            const ISM_IMAGE_INFO* image, const ISM_OPTION_INFO* option,
                            std::shared_ptr<const SM_ThumbnailPixels> thumbnail, bool keepExisting) {
  return CM_Guard([&]() -> CMResult {
    ExifJpegXform pass;
    CM_ThrowIfError(pass.Initialize());
    pass.SetThumbnail(std::move(thumbnail));
    pass.SetKeepsExistingOutput(keepExisting);
    CM_ThrowIfError(pass.SetTempFolderPath(tempFolder));
    CM_ThrowIfError(pass.SetColorSetting(profilePath ? 1 : 0, profilePath));
    CM_ThrowIfError(pass.StartExifXform(xform, image, option));
    CM_ThrowIfError(pass.ExifXform());
    return pass.EndExifXform();
  });
}
