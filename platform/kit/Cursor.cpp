#include "kit/Cursor.h"

#include <QGuiApplication>
#include <QPainter>
#include <QPolygonF>

#include "kit/QtBridge.h"

namespace kit {

namespace {

Cursor gCurrent;
bool gOverride = false;

Image drawStandard(Cursor::Kind kind) {
  QImage img(16, 16, QImage::Format_ARGB32_Premultiplied);
  img.fill(Qt::transparent);
  QPainter p(&img);
  p.setPen(QPen(Qt::black, 1));
  switch (kind) {
    case Cursor::Kind::Crosshair:
      p.drawLine(7, 0, 7, 15);
      p.drawLine(0, 7, 15, 7);
      break;
    case Cursor::Kind::IBeam:
      p.drawLine(7, 1, 7, 14);
      p.drawLine(5, 1, 9, 1);
      p.drawLine(5, 14, 9, 14);
      break;
    default: {
      QPolygonF arrow;
      arrow << QPointF(1, 1) << QPointF(1, 13) << QPointF(4, 10) << QPointF(7, 15) << QPointF(9, 14)
            << QPointF(6, 9) << QPointF(10, 9);
      p.setBrush(Qt::white);
      p.drawPolygon(arrow);
      break;
    }
  }
  p.end();
  return bridge::fromQImage(std::move(img));
}

}  // namespace

Image Cursor::image() const { return kind_ == Kind::Custom ? image_ : drawStandard(kind_); }

fnd::Point Cursor::hotSpot() const {
  switch (kind_) {
    case Kind::Custom: return hotSpot_;
    case Kind::Arrow: return {1, 1};
    default: return {7, 7};
  }
}

void Cursor::set() const {
  gCurrent = *this;
  if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance())) return;
  // The arrow hands the shape back to the widgets; any other cursor overrides them.
  if (kind_ == Kind::Arrow) {
    if (gOverride) QGuiApplication::restoreOverrideCursor();
    gOverride = false;
    return;
  }
  if (gOverride)
    QGuiApplication::changeOverrideCursor(bridge::toQCursor(*this));
  else
    QGuiApplication::setOverrideCursor(bridge::toQCursor(*this));
  gOverride = true;
}

Cursor Cursor::current() { return gCurrent; }

}  // namespace kit
