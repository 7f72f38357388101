#include "launcher/MessageTextView.h"

#include <algorithm>
#include <sstream>

#include "kit/Color.h"
#include "kit/GraphicsContext.h"

std::string Zorvik_MessageTextView::layoutText(const std::string& text) {
  std::string out = text;
  // "\r\n" is one break; a lone "\r" is one too.
  std::string::size_type pos = 0;
  while ((pos = out.find("\r\n", pos)) != std::string::npos) out.erase(pos, 1);
  std::replace(out.begin(), out.end(), '\r', '\n');
  return out;
}

void Zorvik_MessageTextView::setStringValue(const std::string& text) {
  text_ = text;
  setNeedsDisplay();
}

double Zorvik_MessageTextView::naturalWidth() const {
  double widest = 0;
  std::istringstream lines(layoutText(text_));
  for (std::string line; std::getline(lines, line);) widest = std::max(widest, font_.widthOfString(line));
  return widest;
}

double Zorvik_MessageTextView::heightForWidth(double width) const {
  return font_.heightForWidth(layoutText(text_), std::max(1.0, width));
}

void Zorvik_MessageTextView::drawRect(const fnd::Rect&) {
  kit::GraphicsContext* ctx = kit::GraphicsContext::current();
  if (!ctx) return;
  ctx->drawText(layoutText(text_), bounds(), font_, kit::Color::controlText(), kit::TextAlignment::Left);
}
