#include "kit/Image.h"

#include <QDir>
#include <QFileInfo>
#include <QImageReader>
#include <cstring>
#include <limits>
#include <filesystem>

#include "foundation/Paths.h"
#include "kit/GraphicsContext.h"
#include "kit/QtBridge.h"

namespace kit {

namespace {

// Preferred extensions first; anything else Qt can read comes after.
const char* const kExtensions[] = {"png", "tiff", "tif", "jpg", "jpeg", "bmp", "gif"};

std::string findByStem(const QDir& dir, const QString& stem) {
  if (!dir.exists() || stem.isEmpty()) return {};
  for (const char* ext : kExtensions) {
    QString candidate = dir.filePath(stem + QLatin1Char('.') + QLatin1String(ext));
    if (QFileInfo(candidate).isFile()) return candidate.toStdString();
  }
  // Any other extension, or none.
  const QFileInfoList entries = dir.entryInfoList(QDir::Files, QDir::Name);
  for (const QFileInfo& info : entries)
    if (info.completeBaseName() == stem || info.fileName() == stem) return info.filePath().toStdString();
  return {};
}

}  // namespace

std::string Image::pathForName(const std::string& name, const std::string& folder) {
  if (name.empty()) return {};
  QString fileName = QFileInfo(bridge::qs(name)).fileName();
  // Strip one extension: the caller's extension need not match the stored file's.
  int dot = fileName.lastIndexOf(QLatin1Char('.'));
  QString stem = dot > 0 ? fileName.left(dot) : fileName;
  QDir resources(bridge::qs(fnd::Paths::resourceDir()));
  QDir pictures(resources.filePath(QStringLiteral("pictures")));
  std::string found;
  if (!folder.empty()) found = findByStem(QDir(pictures.filePath(bridge::qs(folder))), stem);
  if (found.empty()) found = findByStem(pictures, stem);
  if (found.empty()) found = findByStem(resources, stem);
  return found;
}

Image Image::named(const std::string& name, const std::string& folder) {
  std::string found = pathForName(name, folder);
  if (found.empty()) return Image();
  return fromFile(found);
}

Image Image::fromFile(const std::string& path) {
  QImageReader reader(bridge::qs(path));
  reader.setAutoTransform(false);
  QImage img = reader.read();
  if (img.isNull()) return Image();
  if (img.format() != QImage::Format_ARGB32_Premultiplied)
    img = img.convertToFormat(QImage::Format_ARGB32_Premultiplied);
  return bridge::fromQImage(std::move(img));
}

Image Image::fromRGB(const std::uint8_t* pixels, int width, int height) {
  if (!pixels || width <= 0 || height <= 0) return Image();
  const std::size_t rowBytes = static_cast<std::size_t>(width) * 3;
  if (rowBytes > static_cast<std::size_t>(std::numeric_limits<int>::max())) return Image();
  // A view of the caller's rows, read once by the conversion into the image's own pixels: no
  // intermediate copy.
  const QImage view(pixels, width, height, static_cast<qsizetype>(rowBytes), QImage::Format_RGB888);
  if (view.isNull()) return Image();
  return bridge::fromQImage(view.convertToFormat(QImage::Format_ARGB32_Premultiplied));
}

Image Image::fromRGB(const std::uint8_t* pixels, int width, int height, Image&& reuse) {
  std::shared_ptr<const bridge::ImageData> old = std::move(reuse.data_);
  if (!pixels || !old || old.use_count() != 1 || old->image.width() != width || old->image.height() != height ||
      old->image.format() != QImage::Format_ARGB32_Premultiplied || !old->image.isDetached())
    return fromRGB(pixels, width, height);
  // Ours alone: made (not const) by fromQImage, so it may be written.
  QImage& target = const_cast<bridge::ImageData&>(*old).image;
  for (int y = 0; y < height; ++y) {
    const std::uint8_t* from = pixels + static_cast<std::size_t>(y) * static_cast<std::size_t>(width) * 3;
    auto* to = reinterpret_cast<std::uint32_t*>(target.scanLine(y));
    // Opaque, so premultiplying changes nothing.
    for (int x = 0; x < width; ++x, from += 3)
      to[x] = 0xFF000000u | (std::uint32_t(from[0]) << 16) | (std::uint32_t(from[1]) << 8) | from[2];
  }
  return Image(std::move(old));
}

Image Image::scaledTo(int width, int height) const {
  if (!data_ || width <= 0 || height <= 0) return Image();
  return bridge::fromQImage(
      data_->image.scaled(width, height, Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
}

fnd::Size Image::size() const {
  return data_ ? fnd::Size{static_cast<double>(data_->image.width()), static_cast<double>(data_->image.height())}
               : fnd::Size{};
}
int Image::pixelsWide() const { return data_ ? data_->image.width() : 0; }
int Image::pixelsHigh() const { return data_ ? data_->image.height() : 0; }

Color Image::colorAtPixel(int x, int y) const {
  if (!data_ || x < 0 || y < 0 || x >= data_->image.width() || y >= data_->image.height()) return Color::clear();
  return bridge::fromQColor(data_->image.pixelColor(x, y));
}

std::vector<std::uint8_t> Image::copyRGB(int* width, int* height) const {
  if (width) *width = 0;
  if (height) *height = 0;
  if (!data_ || data_->image.isNull()) return {};
  const QImage rgb = data_->image.convertToFormat(QImage::Format_RGB888);
  if (rgb.isNull()) return {};
  const int w = rgb.width(), h = rgb.height();
  // RGB888 rows are padded to four bytes: copy row by row, never the whole buffer.
  const std::size_t rowBytes = static_cast<std::size_t>(w) * 3;
  std::vector<std::uint8_t> out(rowBytes * static_cast<std::size_t>(h));
  for (int y = 0; y < h; ++y)
    std::memcpy(out.data() + rowBytes * static_cast<std::size_t>(y), rgb.constScanLine(y), rowBytes);
  if (width) *width = w;
  if (height) *height = h;
  return out;
}

void Image::drawInRect(const fnd::Rect& into, const fnd::Rect& from, double opacity) const {
  if (!data_) return;
  if (GraphicsContext* ctx = GraphicsContext::current()) ctx->drawImage(*this, into, from, opacity);
}

void Image::drawAtPoint(fnd::Point at, const fnd::Rect& from, double opacity) const {
  if (!data_) return;
  fnd::Size s = from.isEmpty() ? size() : from.size;
  drawInRect(fnd::Rect(at, s), from, opacity);
}

bool Image::writePng(const std::string& path) const {
  return data_ && bridge::savePngAtomically(data_->image, path);
}

}  // namespace kit
