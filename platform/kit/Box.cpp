#include "kit/Box.h"

#include "kit/ControlDrawing.h"

namespace kit {

using fnd::Rect;

Box::Box(const Rect& frame) : View(frame) {}
Box::~Box() = default;

void Box::setBoxType(BoxType type) {
  type_ = type;
  setNeedsDisplay(true);
}
void Box::setBorderType(BorderType type) {
  border_ = type;
  setNeedsDisplay(true);
}
void Box::setTitle(const std::string& title) {
  title_ = title;
  setNeedsDisplay(true);
}
void Box::setTitlePosition(TitlePosition position) {
  titlePosition_ = position;
  setNeedsDisplay(true);
}
void Box::setFillColor(const Color& color) {
  fill_ = color;
  setNeedsDisplay(true);
}
void Box::setBorderColor(const Color& color) {
  borderColor_ = color;
  setNeedsDisplay(true);
}

Rect Box::contentRect() const {
  Rect b = bounds();
  double top = titlePosition_ == TitlePosition::NoTitle || title_.empty() ? 0 : Font::systemFont(11).lineHeight() + 2;
  return Rect(b.minX() + 1, b.minY() + 1, std::max(0.0, b.size.width - 2), std::max(0.0, b.size.height - 2 - top));
}

void Box::drawRect(const Rect&) {
  Rect b = bounds();
  if (type_ == BoxType::Separator) {
    Color::calibratedWhite(0.65).setFill();
    if (b.size.width >= b.size.height)
      BezierPath::fillRect(Rect(b.minX(), std::floor(b.midY()), b.size.width, 1));
    else
      BezierPath::fillRect(Rect(std::floor(b.midX()), b.minY(), 1, b.size.height));
    return;
  }
  Rect frame = b;
  bool titled = titlePosition_ != TitlePosition::NoTitle && !title_.empty();
  Font font = Font::systemFont(11);
  if (titled) frame.size.height -= std::floor(font.lineHeight() / 2);
  Color fill = fill_;
  if (type_ == BoxType::Primary && fill.alphaComponent() == 0) fill = Color::calibratedWhite(0, 0.04);
  if (fill.alphaComponent() > 0) {
    fill.setFill();
    look::roundedRect(frame.insetBy(0.5, 0.5), type_ == BoxType::Custom ? 0 : 4).fill();
  }
  if (border_ != BorderType::NoBorder) {
    borderColor_.setStroke();
    BezierPath p = look::roundedRect(frame.insetBy(0.5, 0.5), type_ == BoxType::Custom ? 0 : 4);
    p.setLineWidth(1);
    p.stroke();
  }
  if (titled) {
    double w = font.widthOfString(title_) + 8;
    Rect t(b.minX() + 8, b.maxY() - font.lineHeight(), w, font.lineHeight());
    Color::windowBackground().setFill();
    BezierPath::fillRect(t);
    look::textLine(title_, t, font, Color::controlText(), TextAlignment::Center);
  }
}

}  // namespace kit
