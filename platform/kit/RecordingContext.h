#pragma once

#include <string>
#include <vector>

#include "kit/GraphicsContext.h"

namespace kit {

// One primitive as drawn, with the state it was drawn in.
struct DrawOperation {
  enum class Kind { Fill, Stroke, Image, Text };
  Kind kind = Kind::Fill;
  GraphicsState state;
  BezierPath path;          // Fill and Stroke: the path in user space, with its attributes
  fnd::Rect rect;           // Image: destination; Text: the text's rectangle (user space)
  fnd::Rect sourceRect;     // Image: source part (empty: whole image)
  fnd::Size imageSize;      // Image: the image's size
  double opacity = 1.0;     // Image
  std::string text;         // Text
  Font font;                // Text
  Color textColor;          // Text
  TextAlignment alignment = TextAlignment::Left;

  // The path's points in the context's own space (user space through the state's ctm).
  std::vector<fnd::Point> devicePoints() const;
};

// A context that draws nothing and keeps every primitive, so tests can check exactly what a
// view drew: which path, in which colour, width, caps, dash pattern and phase, with or without
// anti-aliasing, under which transform.
class RecordingContext : public GraphicsContext {
 public:
  explicit RecordingContext(bool flipped = false) : GraphicsContext(flipped) {}

  const std::vector<DrawOperation>& operations() const { return ops_; }
  std::vector<DrawOperation> strokes() const;
  std::vector<DrawOperation> fills() const;
  void clear() { ops_.clear(); }

 protected:
  void doFillPath(const BezierPath& path) override;
  void doStrokePath(const BezierPath& path) override;
  void doDrawImage(const Image& image, const fnd::Rect& into, const fnd::Rect& from, double opacity) override;
  void doDrawText(const std::string& text, const fnd::Rect& in, const Font& font, const Color& color,
                  TextAlignment alignment) override;

 private:
  std::vector<DrawOperation> ops_;
};

}  // namespace kit
