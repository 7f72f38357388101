#include "kit/PainterContext.h"

#include <QPainter>
#include <algorithm>
#include <QPen>
#include <QTextOption>

#include "kit/Image.h"
#include "kit/QtBridge.h"

namespace kit {

PainterContext::PainterContext(QPainter* painter, const fnd::Rect& bounds, bool flipped)
    : GraphicsContext(flipped), painter_(painter) {
  // Device x = x - bounds.x; device y = y - bounds.y (flipped) or height - (y - bounds.y).
  if (flipped)
    base_ = {1, 0, 0, 1, -bounds.origin.x, -bounds.origin.y};
  else
    base_ = {1, 0, 0, -1, -bounds.origin.x, bounds.size.height + bounds.origin.y};
}

PainterContext::PainterContext(QPainter* painter, const fnd::AffineTransform& toDevice, bool flipped)
    : GraphicsContext(flipped), painter_(painter), base_(toDevice) {}

void PainterContext::applyState() {
  const GraphicsState& s = state();
  painter_->setRenderHint(QPainter::Antialiasing, s.antialias);
  painter_->setRenderHint(QPainter::SmoothPixmapTransform, s.antialias);
  painter_->setOpacity(1.0);
  if (s.hasClip) {
    // The clip rectangle is in the context's own space: set it under the base mapping alone.
    painter_->setTransform(bridge::toQTransform(base_));
    painter_->setClipRect(QRectF(s.clip.origin.x, s.clip.origin.y, s.clip.size.width, s.clip.size.height),
                          Qt::IntersectClip);
  }
  painter_->setTransform(bridge::toQTransform(s.ctm.concat(base_)));
}

void PainterContext::doFillPath(const BezierPath& path) {
  QPainterPath qp = bridge::toQPainterPath(path);
  qp.setFillRule(Qt::WindingFill);
  painter_->save();
  applyState();
  painter_->fillPath(qp, bridge::toQColor(state().fillColor));
  painter_->restore();
}

void PainterContext::doStrokePath(const BezierPath& path) {
  painter_->save();
  applyState();
  QPen pen(bridge::toQColor(state().strokeColor));
  double width = path.lineWidth();
  pen.setWidthF(width);
  switch (path.lineCapStyle()) {
    case LineCapStyle::Butt: pen.setCapStyle(Qt::FlatCap); break;
    case LineCapStyle::Round: pen.setCapStyle(Qt::RoundCap); break;
    case LineCapStyle::Square: pen.setCapStyle(Qt::SquareCap); break;
  }
  switch (path.lineJoinStyle()) {
    case LineJoinStyle::Miter: pen.setJoinStyle(Qt::MiterJoin); break;
    case LineJoinStyle::Round: pen.setJoinStyle(Qt::RoundJoin); break;
    case LineJoinStyle::Bevel: pen.setJoinStyle(Qt::BevelJoin); break;
  }
  if (!path.lineDash().empty()) {
    // Qt counts dashes in pen widths and wants pairs; an odd pattern repeats, as on paper.
    double unit = width > 0 ? width : 1.0;
    QList<qreal> pattern;
    for (double d : path.lineDash()) pattern << d / unit;
    if (pattern.size() % 2 == 1) pattern.append(QList<qreal>(pattern));
    pen.setDashPattern(pattern);
    pen.setDashOffset(path.lineDashPhase() / unit);
  }
  painter_->setPen(pen);
  painter_->setBrush(Qt::NoBrush);
  painter_->drawPath(bridge::toQPainterPath(path));
  painter_->restore();
}

void PainterContext::uprightIn(const fnd::Rect& rect) {
  // In a y-up space, turn the rectangle so its top-left is the painter's origin, y down.
  fnd::AffineTransform local = isFlipped()
                                   ? fnd::AffineTransform{1, 0, 0, 1, rect.origin.x, rect.origin.y}
                                   : fnd::AffineTransform{1, 0, 0, -1, rect.origin.x, rect.origin.y + rect.size.height};
  painter_->setTransform(bridge::toQTransform(local.concat(state().ctm).concat(base_)));
}

void PainterContext::doDrawImage(const Image& image, const fnd::Rect& into, const fnd::Rect& from, double opacity) {
  const QImage* img = bridge::qimage(image);
  if (!img || into.isEmpty()) return;
  painter_->save();
  applyState();
  uprightIn(into);
  painter_->setOpacity(std::clamp(opacity, 0.0, 1.0));
  QRectF source(0, 0, img->width(), img->height());
  if (!from.isEmpty()) {
    // The source rectangle is in image points with y up.
    source = QRectF(from.origin.x, img->height() - (from.origin.y + from.size.height), from.size.width,
                    from.size.height);
  }
  painter_->drawImage(QRectF(0, 0, into.size.width, into.size.height), *img, source);
  painter_->restore();
}

void PainterContext::doDrawText(const std::string& text, const fnd::Rect& in, const Font& font, const Color& color,
                                TextAlignment alignment) {
  painter_->save();
  applyState();
  uprightIn(in);
  painter_->setFont(bridge::toQFont(font));
  painter_->setPen(bridge::toQColor(color));
  QTextOption option;
  option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
  switch (alignment) {
    case TextAlignment::Right: option.setAlignment(Qt::AlignRight | Qt::AlignTop); break;
    case TextAlignment::Center: option.setAlignment(Qt::AlignHCenter | Qt::AlignTop); break;
    case TextAlignment::Justified: option.setAlignment(Qt::AlignJustify | Qt::AlignTop); break;
    default: option.setAlignment(Qt::AlignLeft | Qt::AlignTop); break;
  }
  QString s = bridge::qs(text);
  s.replace(QLatin1Char('\r'), QChar::LineSeparator).replace(QLatin1Char('\n'), QChar::LineSeparator);
  painter_->drawText(QRectF(0, 0, in.size.width, in.size.height), s, option);
  painter_->restore();
}

}  // namespace kit
