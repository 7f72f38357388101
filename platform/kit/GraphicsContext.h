#pragma once

#include <string>
#include <vector>

#include "foundation/Geometry.h"
#include "kit/BezierPath.h"
#include "kit/Color.h"
#include "kit/Font.h"

namespace kit {

class Image;

enum class TextAlignment { Left = 0, Right = 1, Center = 2, Justified = 3, Natural = 4 };

// What a drawing operation draws with; saved and restored as a whole.
struct GraphicsState {
  // User space to the context's own space (the bounds of the view being drawn).
  fnd::AffineTransform ctm;
  Color fillColor = Color::black();
  Color strokeColor = Color::black();
  bool antialias = true;
  bool hasClip = false;
  fnd::Rect clip;  // in the context's own space, when hasClip
};

// Where drawing goes. Views draw into the current context (set while a view draws); paths,
// colours and images draw through it. Two implementations: PainterContext paints with Qt,
// RecordingContext keeps every primitive with its state for tests.
class GraphicsContext {
 public:
  virtual ~GraphicsContext();
  GraphicsContext(const GraphicsContext&) = delete;
  GraphicsContext& operator=(const GraphicsContext&) = delete;

  // The context drawing goes to, or null outside drawing.
  static GraphicsContext* current();
  // Makes a context current for the life of the scope, then restores the previous one.
  class Scope {
   public:
    explicit Scope(GraphicsContext* ctx);
    ~Scope();
    Scope(const Scope&) = delete;
    Scope& operator=(const Scope&) = delete;

   private:
    GraphicsContext* previous_;
  };

  // y grows downwards in a flipped context (a flipped view's bounds).
  bool isFlipped() const { return flipped_; }

  void saveGraphicsState();
  void restoreGraphicsState();  // an unbalanced restore does nothing
  const GraphicsState& state() const { return state_; }

  void setShouldAntialias(bool on) { state_.antialias = on; }
  bool shouldAntialias() const { return state_.antialias; }
  void setFillColor(const Color& c) { state_.fillColor = c; }
  void setStrokeColor(const Color& c) { state_.strokeColor = c; }

  // Changes of user space, each applied before what is already there.
  void translate(double dx, double dy);
  void rotateByDegrees(double degrees);
  void scale(double sx, double sy);
  void concat(const fnd::AffineTransform& t);
  const fnd::AffineTransform& ctm() const { return state_.ctm; }

  // Narrows drawing to a rectangle of user space (its bounding box in the context's space).
  void clipToRect(const fnd::Rect& rect);

  void fillPath(const BezierPath& path);
  void strokePath(const BezierPath& path);
  void fillRect(const fnd::Rect& rect) { fillPath(BezierPath::withRect(rect)); }
  // Draws the `from` part of the image (the whole image when empty; image points, y up)
  // scaled into `into`, upright, with the opacity.
  void drawImage(const Image& image, const fnd::Rect& into, const fnd::Rect& from, double opacity);
  // Text laid out from the top of the rectangle, broken into lines at its width.
  void drawText(const std::string& text, const fnd::Rect& in, const Font& font, const Color& color,
                TextAlignment alignment = TextAlignment::Left);
  // One line of text with the bottom-left of its line box at the point (top-left when flipped).
  void drawText(const std::string& text, fnd::Point at, const Font& font, const Color& color);

 protected:
  explicit GraphicsContext(bool flipped) : flipped_(flipped) {}

  virtual void doFillPath(const BezierPath& path) = 0;
  virtual void doStrokePath(const BezierPath& path) = 0;
  virtual void doDrawImage(const Image& image, const fnd::Rect& into, const fnd::Rect& from, double opacity) = 0;
  virtual void doDrawText(const std::string& text, const fnd::Rect& in, const Font& font, const Color& color,
                          TextAlignment alignment) = 0;

 private:
  bool flipped_;
  GraphicsState state_;
  std::vector<GraphicsState> stack_;
};

}  // namespace kit
