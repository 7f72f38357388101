#pragma once

// Private to kit.

#include <QElapsedTimer>
#include <QObject>
#include <QPointF>

class QMouseEvent;

namespace kit {

// Turns Qt's input on our windows into Events and hands them to the application.
class InputFilter : public QObject {
 public:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  int clickCountFor(const QMouseEvent* e);
  QElapsedTimer lastPress_;
  QPointF lastPressPos_;
  int clickCount_ = 0;
};

}  // namespace kit
