#include "kit/PathControl.h"

#include <algorithm>

#include "foundation/Paths.h"
#include "kit/ControlDrawing.h"

namespace kit {

using fnd::Rect;

namespace {
constexpr double kGap = 16;  // room for the separator between names

// The name cut at its end with an ellipsis so that it fits the width.
std::string shortened(const std::string& name, const Font& font, double width) {
  if (font.widthOfString(name) <= width) return name;
  const std::string ellipsis = "\u2026";
  std::string cut = name;
  while (!cut.empty()) {
    // Drop one whole UTF-8 character.
    size_t at = cut.size() - 1;
    while (at > 0 && (static_cast<unsigned char>(cut[at]) & 0xC0) == 0x80) --at;
    cut.erase(at);
    if (font.widthOfString(cut + ellipsis) <= width) return cut + ellipsis;
  }
  return ellipsis;
}
}

PathControl::PathControl(const Rect& frame) : Control(frame) {}
PathControl::~PathControl() = default;

void PathControl::setPath(const std::string& path) {
  path_ = path;
  setNeedsDisplay(true);
}

void PathControl::setBackgroundColor(const Color& color) {
  background_ = color;
  setNeedsDisplay(true);
}

std::vector<std::pair<std::string, std::string>> PathControl::components() const {
  std::vector<std::pair<std::string, std::string>> out;
  if (path_.empty()) return out;
  std::string home = fnd::Paths::homeDir();
  std::string rest = path_;
  std::string prefix;
  if (!home.empty() && home != "/" && (rest == home || rest.rfind(home + "/", 0) == 0)) {
    std::string name = home.substr(home.find_last_of('/') + 1);
    out.emplace_back(name, home);
    prefix = home;
    rest = rest.substr(home.size());
  } else {
    out.emplace_back("/", "/");
  }
  size_t i = 0;
  while (i < rest.size()) {
    size_t j = rest.find('/', i);
    if (j == std::string::npos) j = rest.size();
    if (j > i) {
      prefix += "/" + rest.substr(i, j - i);
      out.emplace_back(rest.substr(i, j - i), prefix);
    }
    i = j + 1;
  }
  return out;
}

std::vector<std::string> PathControl::componentTitles() const {
  std::vector<std::string> titles;
  for (auto& c : components()) titles.push_back(c.first);
  return titles;
}

std::vector<Rect> PathControl::componentRects() const {
  auto comps = components();
  std::vector<double> widths;
  double total = 0;
  for (auto& c : comps) {
    widths.push_back(font().widthOfString(c.first) + 4);
    total += widths.back();
  }
  total += kGap * std::max<size_t>(0, comps.size() - 1);
  Rect b = bounds().insetBy(4, 0);
  // Too wide: the names nearest the root give up room first, down to a few letters each;
  // the last name gives up room only when that is not enough.
  double excess = total - b.size.width;
  for (size_t k = 0; excess > 0 && k + 1 < widths.size(); ++k) {
    double give = std::min(excess, std::max(0.0, widths[k] - 28));
    widths[k] -= give;
    excess -= give;
  }
  if (excess > 0 && !widths.empty()) widths.back() = std::max(12.0, widths.back() - excess);
  std::vector<Rect> rects;
  double x = b.minX();
  for (double w : widths) {
    rects.emplace_back(x, b.minY(), w, b.size.height);
    x += w + kGap;
  }
  return rects;
}

void PathControl::trackMouseDown(const Event& event) {
  fnd::Point p = locationOf(event);
  bool up = trackMouse([](const Event&) {});
  if (!up) return;
  auto comps = components();
  auto rects = componentRects();
  clicked_.clear();
  for (size_t i = 0; i < rects.size(); ++i)
    if (rects[i].insetBy(-kGap / 2, 0).contains(p)) clicked_ = comps[i].second;
  sendAction();
}

void PathControl::drawRect(const Rect&) {
  Rect b = bounds();
  if (background_.alphaComponent() > 0) {
    background_.setFill();
    BezierPath::fillRect(b);
  }
  auto comps = components();
  auto rects = componentRects();
  Color text = look::textColor(isEnabled());
  for (size_t i = 0; i < comps.size(); ++i) {
    look::textLine(shortened(comps[i].first, font(), rects[i].size.width), rects[i], font(), text,
                   TextAlignment::Left);
    if (i + 1 < comps.size()) {
      // A small chevron between names.
      double x = rects[i].maxX() + kGap / 2 - 2, y = b.midY();
      BezierPath c;
      c.setLineWidth(1.2);
      c.moveTo({x - 2, y + 4});
      c.lineTo({x + 2, y});
      c.lineTo({x - 2, y - 4});
      Color::calibratedWhite(0.5).setStroke();
      c.stroke();
    }
  }
}

}  // namespace kit
