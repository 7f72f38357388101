#include "kit/ControlDrawing.h"

#include <algorithm>
#include <cmath>

namespace kit::look {

using fnd::Point;
using fnd::Rect;

BezierPath roundedRect(const Rect& r, double radius) {
  double k = radius * 0.5523;  // control distance of a quarter circle
  radius = std::min({radius, r.size.width / 2, r.size.height / 2});
  double x0 = r.minX(), y0 = r.minY(), x1 = r.maxX(), y1 = r.maxY();
  BezierPath p;
  p.moveTo({x0 + radius, y0});
  p.lineTo({x1 - radius, y0});
  p.curveTo({x1, y0 + radius}, {x1 - radius + k, y0}, {x1, y0 + radius - k});
  p.lineTo({x1, y1 - radius});
  p.curveTo({x1 - radius, y1}, {x1, y1 - radius + k}, {x1 - radius + k, y1});
  p.lineTo({x0 + radius, y1});
  p.curveTo({x0, y1 - radius}, {x0 + radius - k, y1}, {x0, y1 - radius + k});
  p.lineTo({x0, y0 + radius});
  p.curveTo({x0 + radius, y0}, {x0, y0 + radius - k}, {x0 + radius - k, y0});
  p.closePath();
  return p;
}

void bezel(const Rect& rect, double radius, bool pressed, bool enabled) {
  Rect r = rect.insetBy(0.5, 0.5);
  BezierPath p = roundedRect(r, radius);
  Color fill = pressed ? Color::calibratedWhite(0.72) : Color::calibratedWhite(0.97);
  if (!enabled) fill = Color::calibratedWhite(0.93);
  fill.setFill();
  p.fill();
  (enabled ? Color::calibratedWhite(0.55) : Color::calibratedWhite(0.75)).setStroke();
  p.setLineWidth(1);
  p.stroke();
}

void checkBox(const Rect& box, int state, bool pressed, bool enabled) {
  bezel(box, 3, pressed, enabled);
  if (state == 0) return;
  BezierPath mark;
  mark.setLineWidth(2);
  if (state > 0) {
    mark.moveTo({box.minX() + box.size.width * 0.22, box.minY() + box.size.height * 0.52});
    mark.lineTo({box.minX() + box.size.width * 0.42, box.minY() + box.size.height * 0.25});
    mark.lineTo({box.minX() + box.size.width * 0.80, box.minY() + box.size.height * 0.78});
  } else {
    mark.moveTo({box.minX() + box.size.width * 0.25, box.midY()});
    mark.lineTo({box.minX() + box.size.width * 0.75, box.midY()});
  }
  (enabled ? Color::calibratedWhite(0.1) : Color::calibratedWhite(0.6)).setStroke();
  mark.stroke();
}

void radioButton(const Rect& box, bool on, bool pressed, bool enabled) {
  Rect r = box.insetBy(0.5, 0.5);
  BezierPath circle = BezierPath::withOvalInRect(r);
  (pressed ? Color::calibratedWhite(0.72) : Color::calibratedWhite(enabled ? 0.97 : 0.93)).setFill();
  circle.fill();
  (enabled ? Color::calibratedWhite(0.55) : Color::calibratedWhite(0.75)).setStroke();
  circle.stroke();
  if (!on) return;
  double d = box.size.width * 0.42;
  (enabled ? Color::calibratedWhite(0.1) : Color::calibratedWhite(0.6)).setFill();
  BezierPath::withOvalInRect(Rect(box.midX() - d / 2, box.midY() - d / 2, d, d)).fill();
}

void disclosureTriangle(const Rect& box, bool open, bool enabled) {
  double s = std::min(box.size.width, box.size.height) * 0.6;
  double cx = box.midX(), cy = box.midY();
  BezierPath t;
  if (open) {
    t.moveTo({cx - s / 2, cy + s / 4});
    t.lineTo({cx + s / 2, cy + s / 4});
    t.lineTo({cx, cy - s / 2});
  } else {
    t.moveTo({cx - s / 4, cy + s / 2});
    t.lineTo({cx + s / 2, cy});
    t.lineTo({cx - s / 4, cy - s / 2});
  }
  t.closePath();
  (enabled ? Color::calibratedWhite(0.35) : Color::calibratedWhite(0.7)).setFill();
  t.fill();
}

void textLine(const std::string& text, const Rect& rect, const Font& font, const Color& color,
              TextAlignment alignment) {
  GraphicsContext* ctx = GraphicsContext::current();
  if (!ctx || text.empty()) return;
  double h = font.lineHeight();
  double y = ctx->isFlipped() ? rect.minY() + (rect.size.height - h) / 2 : rect.minY() + (rect.size.height - h) / 2;
  ctx->saveGraphicsState();
  ctx->clipToRect(rect);
  // One line only: a rectangle wide enough never breaks, the clip trims the rest.
  double width = std::max(rect.size.width, font.widthOfString(text) + 2);
  double x = rect.minX();
  if (width > rect.size.width && alignment != TextAlignment::Left && alignment != TextAlignment::Natural) {
    alignment = TextAlignment::Left;
  }
  ctx->drawText(text, Rect(x, std::floor(y), width, h), font, color, alignment);
  ctx->restoreGraphicsState();
}

Rect fittedImageRect(const Image& image, const Rect& into) {
  if (!image.isValid()) return Rect();
  fnd::Size s = image.size();
  double scale = std::min({1.0, into.size.width / std::max(1.0, s.width), into.size.height / std::max(1.0, s.height)});
  double w = s.width * scale, h = s.height * scale;
  return Rect(std::round(into.midX() - w / 2), std::round(into.midY() - h / 2), w, h);
}

void bezelBorder(const Rect& rect) {
  Color::calibratedWhite(0.6).setStroke();
  BezierPath::strokeRect(rect.insetBy(0.5, 0.5));
}

Color textColor(bool enabled) { return enabled ? Color::controlText() : Color::disabledControlText(); }

}  // namespace kit::look
