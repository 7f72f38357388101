#include "kit/RecordingContext.h"

#include "kit/Image.h"

namespace kit {

std::vector<fnd::Point> DrawOperation::devicePoints() const {
  std::vector<fnd::Point> out;
  for (const BezierPath::Element& e : path.elements()) {
    switch (e.kind) {
      case BezierPath::Element::Kind::MoveTo:
      case BezierPath::Element::Kind::LineTo:
        out.push_back(state.ctm.apply(e.points[0]));
        break;
      case BezierPath::Element::Kind::CurveTo:
        out.push_back(state.ctm.apply(e.points[1]));
        out.push_back(state.ctm.apply(e.points[2]));
        out.push_back(state.ctm.apply(e.points[0]));
        break;
      case BezierPath::Element::Kind::ClosePath:
        break;
    }
  }
  return out;
}

std::vector<DrawOperation> RecordingContext::strokes() const {
  std::vector<DrawOperation> out;
  for (const DrawOperation& op : ops_)
    if (op.kind == DrawOperation::Kind::Stroke) out.push_back(op);
  return out;
}

std::vector<DrawOperation> RecordingContext::fills() const {
  std::vector<DrawOperation> out;
  for (const DrawOperation& op : ops_)
    if (op.kind == DrawOperation::Kind::Fill) out.push_back(op);
  return out;
}

void RecordingContext::doFillPath(const BezierPath& path) {
  DrawOperation op;
  op.kind = DrawOperation::Kind::Fill;
  op.state = state();
  op.path = path;
  ops_.push_back(std::move(op));
}

void RecordingContext::doStrokePath(const BezierPath& path) {
  DrawOperation op;
  op.kind = DrawOperation::Kind::Stroke;
  op.state = state();
  op.path = path;
  ops_.push_back(std::move(op));
}

void RecordingContext::doDrawImage(const Image& image, const fnd::Rect& into, const fnd::Rect& from, double opacity) {
  DrawOperation op;
  op.kind = DrawOperation::Kind::Image;
  op.state = state();
  op.rect = into;
  op.sourceRect = from;
  op.imageSize = image.size();
  op.opacity = opacity;
  ops_.push_back(std::move(op));
}

void RecordingContext::doDrawText(const std::string& text, const fnd::Rect& in, const Font& font, const Color& color,
                                  TextAlignment alignment) {
  DrawOperation op;
  op.kind = DrawOperation::Kind::Text;
  op.state = state();
  op.rect = in;
  op.text = text;
  op.font = font;
  op.textColor = color;
  op.alignment = alignment;
  ops_.push_back(std::move(op));
}

}  // namespace kit
