#include "kit/QtBridge.h"

#include <QFile>
#include <QGuiApplication>
#include <QPainter>
#include <QPixmap>
#include <QSaveFile>

#include "kit/Cursor.h"

namespace kit::bridge {

QFont toQFont(const Font& font) {
  QFont f(qs(font.familyName()));
  // Points are device-independent pixels: size the font in pixels so a 13-point label is
  // 13 pixels high whatever the screen's dots per inch.
  f.setPixelSize(std::max(1, static_cast<int>(font.pointSize() + 0.5)));
  f.setBold(font.isBold());
  return f;
}

QPainterPath toQPainterPath(const BezierPath& path) {
  QPainterPath out;
  for (const BezierPath::Element& e : path.elements()) {
    switch (e.kind) {
      case BezierPath::Element::Kind::MoveTo:
        out.moveTo(e.points[0].x, e.points[0].y);
        break;
      case BezierPath::Element::Kind::LineTo:
        out.lineTo(e.points[0].x, e.points[0].y);
        break;
      case BezierPath::Element::Kind::CurveTo:
        out.cubicTo(e.points[1].x, e.points[1].y, e.points[2].x, e.points[2].y, e.points[0].x, e.points[0].y);
        break;
      case BezierPath::Element::Kind::ClosePath:
        out.closeSubpath();
        break;
    }
  }
  return out;
}

const QImage* qimage(const Image& image) { return image.data() ? &image.data()->image : nullptr; }

Image fromQImage(QImage image) {
  if (image.isNull()) return Image();
  auto data = std::make_shared<ImageData>();
  data->image = std::move(image);
  return Image(std::shared_ptr<const ImageData>(std::move(data)));
}

QCursor toQCursor(const Cursor& cursor) {
  switch (cursor.kind()) {
    case Cursor::Kind::Arrow: return QCursor(Qt::ArrowCursor);
    case Cursor::Kind::IBeam: return QCursor(Qt::IBeamCursor);
    case Cursor::Kind::Crosshair: return QCursor(Qt::CrossCursor);
    case Cursor::Kind::PointingHand: return QCursor(Qt::PointingHandCursor);
    case Cursor::Kind::OpenHand: return QCursor(Qt::OpenHandCursor);
    case Cursor::Kind::ClosedHand: return QCursor(Qt::ClosedHandCursor);
    case Cursor::Kind::Custom: break;
  }
  const QImage* img = qimage(cursor.image());
  if (!img) return QCursor(Qt::ArrowCursor);
  return QCursor(QPixmap::fromImage(*img), static_cast<int>(cursor.hotSpot().x), static_cast<int>(cursor.hotSpot().y));
}

bool savePngAtomically(const QImage& image, const std::string& path) {
  if (image.isNull()) return false;
  QSaveFile file(qs(path));
  if (!file.open(QIODevice::WriteOnly)) return false;
  if (!image.save(&file, "PNG")) {
    file.cancelWriting();
    return false;
  }
  return file.commit();
}

bool hasWindowSystem() {
  static const bool real = QGuiApplication::platformName() != QLatin1String("offscreen");
  return real;
}

}  // namespace kit::bridge
