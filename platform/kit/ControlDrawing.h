#pragma once

// Private to kit: the shared look of the drawn controls, in one place so they match.

#include <string>

#include "foundation/Geometry.h"
#include "kit/BezierPath.h"
#include "kit/Color.h"
#include "kit/Font.h"
#include "kit/GraphicsContext.h"
#include "kit/Image.h"

namespace kit::look {

BezierPath roundedRect(const fnd::Rect& rect, double radius);
// A push-button bezel: rounded, filled, outlined; darker while pressed, paler when disabled.
void bezel(const fnd::Rect& rect, double radius, bool pressed, bool enabled);
// A square box with a check mark (on) or a dash (mixed).
void checkBox(const fnd::Rect& box, int state, bool pressed, bool enabled);
// A round button with a dot when on.
void radioButton(const fnd::Rect& box, bool on, bool pressed, bool enabled);
// A triangle pointing right (closed) or down (open).
void disclosureTriangle(const fnd::Rect& box, bool open, bool enabled);
// One line of text centred vertically in the rectangle, with the alignment across it.
void textLine(const std::string& text, const fnd::Rect& rect, const Font& font, const Color& color,
              TextAlignment alignment);
// The image scaled down (never up) to fit, centred, keeping its proportions.
fnd::Rect fittedImageRect(const Image& image, const fnd::Rect& into);
// A sunken frame around a field or a list.
void bezelBorder(const fnd::Rect& rect);
Color textColor(bool enabled);

}  // namespace kit::look
