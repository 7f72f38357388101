#pragma once

// Private to kit: the one place where kit values meet their Qt counterparts.

#include <QColor>
#include <QCursor>
#include <QFont>
#include <QImage>
#include <QPainterPath>
#include <QRectF>
#include <QString>
#include <QTransform>
#include <string>

#include "foundation/Geometry.h"
#include "kit/BezierPath.h"
#include "kit/Color.h"
#include "kit/Font.h"
#include "kit/Image.h"

namespace kit {
class Cursor;
}

namespace kit::bridge {

struct ImageData {
  QImage image;
};

inline QColor toQColor(const Color& c) {
  return QColor::fromRgbF(static_cast<float>(c.redComponent()), static_cast<float>(c.greenComponent()),
                          static_cast<float>(c.blueComponent()), static_cast<float>(c.alphaComponent()));
}
inline Color fromQColor(const QColor& c) {
  return Color::calibratedRGB(c.redF(), c.greenF(), c.blueF(), c.alphaF());
}

QFont toQFont(const Font& font);
QPainterPath toQPainterPath(const BezierPath& path);

inline QTransform toQTransform(const fnd::AffineTransform& t) { return QTransform(t.a, t.b, t.c, t.d, t.tx, t.ty); }

inline QString qs(const std::string& s) { return QString::fromStdString(s); }

const QImage* qimage(const Image& image);  // null for an invalid image
Image fromQImage(QImage image);

QCursor toQCursor(const Cursor& cursor);

// Writes through a temporary file in the same folder and renames it into place.
bool savePngAtomically(const QImage& image, const std::string& path);

// True on a real window system, where a window manager activates, stacks and decorates our
// windows; false on the offscreen platform the tests use, where only our own calls do.
bool hasWindowSystem();

}  // namespace kit::bridge
