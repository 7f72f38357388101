#include "kit/Font.h"

#include <QFontMetricsF>
#include <QString>
#include <QTextLayout>
#include <QTextOption>
#include <algorithm>

#include "kit/QtBridge.h"

namespace kit {

namespace {
constexpr const char* kFamily = "DejaVu Sans";
double orDefault(double size, double fallback) { return size > 0 ? size : fallback; }
}  // namespace

Font Font::systemFont(double size) { return Font(kFamily, orDefault(size, systemFontSize()), false); }
Font Font::boldSystemFont(double size) { return Font(kFamily, orDefault(size, systemFontSize()), true); }
Font Font::labelFont(double size) { return Font(kFamily, orDefault(size, labelFontSize()), false); }
Font Font::messageFont(double size) { return Font(kFamily, orDefault(size, systemFontSize()), false); }

double Font::widthOfString(const std::string& text) const {
  QString s = QString::fromStdString(text);
  s.replace(QLatin1Char('\r'), QLatin1Char(' ')).replace(QLatin1Char('\n'), QLatin1Char(' '));
  return QFontMetricsF(bridge::toQFont(*this)).horizontalAdvance(s);
}

fnd::Size Font::sizeOfString(const std::string& text) const {
  return {widthOfString(text), lineHeight()};
}

double Font::heightForWidth(const std::string& text, double width) const {
  QFont font = bridge::toQFont(*this);
  QString s = text.empty() ? QStringLiteral("x") : QString::fromStdString(text);
  s.replace(QLatin1Char('\r'), QChar::LineSeparator).replace(QLatin1Char('\n'), QChar::LineSeparator);
  QTextLayout layout(s, font);
  QTextOption option;
  option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
  layout.setTextOption(option);
  double height = 0;
  layout.beginLayout();
  for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
    line.setLineWidth(std::max(1.0, width));
    height += line.height();
  }
  layout.endLayout();
  return height;
}

// The height one laid-out line takes, so that n lines of heightForWidth are n line heights.
double Font::lineHeight() const { return heightForWidth("x", 1e6); }
double Font::ascender() const { return QFontMetricsF(bridge::toQFont(*this)).ascent(); }
double Font::descender() const { return -QFontMetricsF(bridge::toQFont(*this)).descent(); }

}  // namespace kit
