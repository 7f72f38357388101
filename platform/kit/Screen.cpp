#include "kit/Screen.h"

#include <QGuiApplication>
#include <QScreen>

namespace kit {

Screen Screen::mainScreen() {
  Screen s;
  if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance())) return s;
  QScreen* q = QGuiApplication::primaryScreen();
  if (!q) return s;
  QRect g = q->geometry();
  QRect a = q->availableGeometry();
  double h = g.height();
  s.frame_ = fnd::Rect(0, 0, g.width(), g.height());
  // Qt counts y down from the top; ours goes up from the bottom of the main screen.
  s.visible_ = fnd::Rect(a.x() - g.x(), h - (a.y() - g.y() + a.height()), a.width(), a.height());
  s.scale_ = q->devicePixelRatio() > 0 ? q->devicePixelRatio() : 1.0;
  s.exists_ = true;
  return s;
}

}  // namespace kit
