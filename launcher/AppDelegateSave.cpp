// Save settings and output file naming: where and how the images of a scan request are saved.
#include <QString>

#include <algorithm>
#include <filesystem>
#include <limits>
#include <system_error>

#include "capture/ScannerDevice.h"
#include "foundation/Bookmark.h"
#include "foundation/Paths.h"
#include "foundation/StringFormat.h"
#include "foundation/UserDefaults.h"
#include "launcher/AppDelegate.h"
#include "launcher/LauncherMessage.h"
#include "launcher/save/ISM_XFORM_INFO.h"
#include "launcher/save/SMCodes.h"

namespace fs = std::filesystem;

namespace {

constexpr const char* kSaveTable = "PictavoTrivo";
constexpr const char* kMessageTable = "Message";
constexpr const char* kExportDirectory = "ExportDirectory";
constexpr const char* kAppNameInFiles = "Trivolan";
constexpr std::uint32_t kLastFileNumber = 10000;

Zorvik_AppDelegate::Clock& saveClock() {
  static Zorvik_AppDelegate::Clock clock;
  return clock;
}

fnd::FileManager::FreeSpaceSource& saveFreeSpace() {
  static fnd::FileManager::FreeSpaceSource source;
  return source;
}

std::function<bool(const std::string&)>& saveWritable() {
  static std::function<bool(const std::string&)> source;
  return source;
}

// The folder part and the last component of a path, as the platform's path helpers split it.
std::string folderOfPath(const std::string& path) { return fs::path(path).parent_path().string(); }
std::string lastComponentOf(const std::string& path) { return fs::path(path).filename().string(); }

std::string joinPath(const std::string& folder, const std::string& name) {
  if (folder.empty()) return name;
  return folder.back() == '/' ? folder + name : folder + "/" + name;
}

// "jpg" of ".../IMG_20170325_0001.jpg"; empty without an extension.
std::string extensionOf(const std::string& path) {
  const std::string ext = fs::path(path).extension().string();
  return ext.empty() ? ext : ext.substr(1);
}

std::string withoutExtension(const std::string& path) {
  const std::string ext = fs::path(path).extension().string();
  return path.substr(0, path.size() - ext.size());
}

std::string numberedPath(const std::string& base, std::uint64_t number, const std::string& ext) {
  return fnd::stringWithFormat("%@_%04lld.%@", base, static_cast<long long>(number), ext);
}

// A number is taken when a file of either save format has it.
bool numberTaken(const std::string& base, std::uint64_t number) {
  return Zorvik_AppDelegate::IsFile(numberedPath(base, number, "jpg")) ||
         Zorvik_AppDelegate::IsFile(numberedPath(base, number, "tif"));
}

// Bytes one row of the image takes at its own depth.
std::uint64_t rowBytesOfProperty(const SM_ImageProperty_Struct& p) {
  const std::uint64_t bits = std::uint64_t(p.uiBitsPerSample) * p.uiSamplePerPixel;
  return bits == 1 ? (std::uint64_t(p.uiImageWidth) + 7) / 8 : bits / 8 * p.uiImageWidth;
}

}  // namespace

void Zorvik_AppDelegate::setClock(Clock clock) { saveClock() = std::move(clock); }

void Zorvik_AppDelegate::setFreeSpaceSource(fnd::FileManager::FreeSpaceSource source) {
  saveFreeSpace() = std::move(source);
}

void Zorvik_AppDelegate::setWritableSource(std::function<bool(const std::string& folder)> source) {
  saveWritable() = std::move(source);
}

// --- Save settings

void Zorvik_AppDelegate::ntfQuirel_SaveInfo(const fnd::Notification& notification) {
  const fnd::Dictionary none;
  const fnd::Dictionary& info = notification.userInfo ? *notification.userInfo : none;
  mScanning = true;
  watchScanRequestEnd();
  mSaveFileFormat = static_cast<std::uint32_t>(info.integer("SaveFileFormat"));
  std::string folder = info.string("SaveFilePath");
  // A NUL would end the path early for the file system: the cut-short text names another
  // folder. Kept as a visible character, the text names a folder that the checks refuse.
  std::replace(folder.begin(), folder.end(), '\0', ':');
  // Without a folder the files would land in the file system's root: the user's pictures
  // folder is the save folder's default.
  if (folder.empty()) folder = fnd::Paths::picturesDir();
  mSaveFilePathSecurityBookmark = folder;
  if (const fnd::Value* bookmark = info.find("SaveFilePathBookmark")) {
    if (bookmark->isString() && !bookmark->toString().empty()) {
      mSaveFilePathSecurityBookmark = bookmark->toString();
    } else if (bookmark->isData()) {
      if (auto resolved = fnd::Bookmark::resolve(bookmark->toData()); resolved && !resolved->stale)
        mSaveFilePathSecurityBookmark = resolved->path;
    }
  }
  m_ColorSetting = static_cast<std::uint32_t>(info.integer("ColorSetting"));
  // Read, but the large-image flag stays off: the format alone chooses the writer.
  (void)info.boolean("isLargeTif");
  mIsLargeTif = false;

  m_OutputPf_FilePath.reset();
  if (m_ColorSetting != 0) m_OutputPf_FilePath = info.string("OutputPf_FilePath");

  // A "/" would make the name a folder; a NUL would end the path at it, so that every number
  // named the same file.
  std::string name = info.string("SaveFileName");
  if (name.empty()) name = "IMG";
  std::replace(name.begin(), name.end(), '/', ':');
  std::replace(name.begin(), name.end(), '\0', ':');
  m_SaveFileName = name;

  std::string extension;
  switch (mSaveFileFormat) {
    case 0: m_uiOutFileFormat = SM_FORMAT_TIFF; extension = ".jpg"; break;
    case 1: m_uiOutFileFormat = SM_FORMAT_TIFF; extension = ".tif"; break;
    default: m_uiOutFileFormat = SM_FORMAT_LARGE_TIFF; extension = ".tif"; break;
  }
  const std::string stamped = stringAddTimeStamp(joinPath(folder, name), false) + extension;
  mCompression = static_cast<std::uint32_t>(info.integer("SaveCompression"));
  m_SaveFilePath = fileNameWithNumber(stamped, true);
  mSaveFilePathBookmark = joinPath(mSaveFilePathSecurityBookmark, lastComponentOf(m_SaveFilePath));

  const std::string* profile = m_OutputPf_FilePath ? &*m_OutputPf_FilePath : nullptr;
  mHasSaveSettings = mSaveModule.SetSaveFileInfo(&m_SaveFileName, &m_SaveFilePath, &mSaveFilePathSecurityBookmark,
                                                 m_uiOutFileFormat, mCompression, m_ColorSetting, profile) == CM_OK;
}

void Zorvik_AppDelegate::changeSaveFileName() {
  m_SaveFilePath = fileNameWithNumber(m_SaveFilePath, false);
  mSaveFilePathBookmark = joinPath(mSaveFilePathSecurityBookmark, lastComponentOf(m_SaveFilePath));
  const std::string* profile = m_OutputPf_FilePath ? &*m_OutputPf_FilePath : nullptr;
  mSaveModule.SetSaveFileInfo(&m_SaveFileName, &m_SaveFilePath, &mSaveFilePathSecurityBookmark, m_uiOutFileFormat,
                              mCompression, m_ColorSetting, profile);
}

void Zorvik_AppDelegate::setFileFormat(ISM_XFORM_INFO* xform) const {
  if (!xform) return;
  // A large TIFF is written by the strip writer: its transform says so, or the lines of a
  // large image would be routed to a writer that was never opened.
  xform->SetFormat(SM_FORMAT_RAW, m_uiOutFileFormat == SM_FORMAT_LARGE_TIFF ? SM_FORMAT_LARGE_TIFF : SM_FORMAT_TIFF);
  if (mSaveFileFormat == 0) {
    xform->SetCompression(mCompression == 0   ? SM_COMPRESSION_LOW
                          : mCompression == 1 ? SM_COMPRESSION_MEDIUM
                                              : SM_COMPRESSION_HIGH);
  }
  const std::string app = kAppNameInFiles;
  xform->SetAppName(&app);
  if (mDevice) {
    const std::string device = mDevice->name();
    if (!device.empty()) xform->SetDeviceName(&device);
  }
}

// --- Folder checks

CMResult Zorvik_AppDelegate::checkSavePathAccess(const std::string& path, std::uint32_t /*format*/) {
  // The saved file's bookmark, for the next start; it exists only once the file does.
  if (std::optional<fnd::Data> bookmark = fnd::Bookmark::create(path)) {
    fnd::UserDefaults& defaults = fnd::UserDefaults::standard();
    defaults.set(kExportDirectory, fnd::Value(*bookmark));
    defaults.synchronize();
  }
  const std::string folder = folderOfPath(path);
  if (folder.rfind(fnd::Paths::picturesDir(), 0) != 0) fnd::Bookmark::startAccessingSecurityScopedResource(folder);

  // The image at its own depth, in 64 bits: 16 bits a sample take twice the bytes of 8.
  const std::uint64_t required = rowBytesOfProperty(m_RawImageProperty) * m_RawImageProperty.uiImageLength;
  const std::optional<std::uint64_t> free =
      saveFreeSpace() ? saveFreeSpace()(folder) : fnd::FileManager::freeSpace(folder);
  const bool writable = saveWritable() ? saveWritable()(folder) : fnd::FileManager::isWritable(folder);

  if (!fnd::FileManager::isFolder(folder)) {
    showLauncherMessage("PVTO_ERROR_02", kSaveTable);
    return CM_ERR_NO_PERMISSION;
  }
  if (!writable) {
    showLauncherMessage("PVTO_ERROR_03", kSaveTable);
    return CM_ERR_FOLDER_NOT_WRITABLE;
  }
  if (free.value_or(0) < required) {
    showLauncherMessage("IDMAC_ERROR_05", kMessageTable);
    return CM_ERR_NO_PERMISSION;
  }
  return IsFile(m_SaveFilePath) ? CM_OK : CM_ERR_EMPTY_OR_ABSENT;
}

// --- Naming

std::string Zorvik_AppDelegate::stringAddTimeStamp(const std::string& text, bool skip) {
  if (skip) return text;
  const std::time_t now = saveClock() ? saveClock()() : std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  char date[16] = {};
  std::strftime(date, sizeof date, "%Y%m%d", &local);
  return text + "_" + date;
}

std::string Zorvik_AppDelegate::fileNameWithNumber(const std::string& path, bool isFirst) {
  const std::string ext = extensionOf(path);
  if (isFirst) {
    // folder/name_date: every number of that stem counts, whatever its case or extension.
    const std::string base = withoutExtension(path);
    const std::uint64_t first = std::uint64_t(FindMaxFileNumber(folderOfPath(path), lastComponentOf(base))) + 1;
    for (std::uint64_t i = first; i <= kLastFileNumber; ++i) {
      if (numberTaken(base, i)) continue;
      m_FileNum = static_cast<std::uint32_t>(i);
      mFileIndexOver = false;
      return numberedPath(base, i, ext);
    }
    mFileIndexOver = true;
    return path;
  }
  // Only after the previous image was saved; a name that was never used is used again.
  if (!IsFile(path)) return path;
  // The request's name and date stay (the name may hold underscores itself): only the number
  // after the last underscore advances.
  const std::string numbered = withoutExtension(path);
  const std::size_t cut = numbered.rfind('_');
  const std::string base = cut == std::string::npos ? numbered : numbered.substr(0, cut);
  std::uint64_t i = m_FileNum;
  while (numberTaken(base, i)) ++i;
  return numberedPath(base, i, ext);
}

std::uint32_t Zorvik_AppDelegate::FindMaxFileNumber(const std::string& folder, const std::string& prefix) {
  // The save folder's bookmark, when the user defaults hold one, opens it for reading.
  const fnd::Value stored = fnd::UserDefaults::standard().object(folder);
  if (stored.isData()) {
    if (auto resolved = fnd::Bookmark::resolve(stored.toData()))
      fnd::Bookmark::startAccessingSecurityScopedResource(resolved->path);
  }
  const QString wanted = QString::fromStdString(fnd::normalizedNFC(prefix));
  const QString stemMark = wanted + QLatin1Char('_');
  std::uint64_t largest = 0;
  std::error_code ec;
  for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
    const QString name = QString::fromStdString(fnd::normalizedNFC(it->path().filename().string()));
    if (name.size() <= wanted.size() || name.left(wanted.size()).compare(wanted, Qt::CaseInsensitive) != 0) continue;
    QString rest = name;
    const qsizetype dot = rest.lastIndexOf(QLatin1Char('.'));
    if (dot > 0) rest.truncate(dot);
    rest.remove(stemMark, Qt::CaseInsensitive);
    if (rest.isEmpty() ||
        !std::all_of(rest.begin(), rest.end(), [](QChar c) { return c >= QLatin1Char('0') && c <= QLatin1Char('9'); }))
      continue;
    bool ok = false;
    const qulonglong value = rest.toULongLong(&ok);
    // A number past the type still means "no number is free".
    largest = std::max<std::uint64_t>(largest, ok ? value : std::numeric_limits<std::uint64_t>::max());
  }
  return static_cast<std::uint32_t>(std::min<std::uint64_t>(largest, std::numeric_limits<std::uint32_t>::max()));
}

bool Zorvik_AppDelegate::IsFile(const std::string& path) { return !path.empty() && fnd::FileManager::exists(path); }
