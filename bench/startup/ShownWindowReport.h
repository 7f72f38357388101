#pragma once

// Shared by the start-up benchmark's two child programs: the moment a top-level window with
// the awaited title (any, when none is given) is shown, its title goes to standard output and
// the program ends at once, so the parent's clock stops on the window and not on tear-down.

#include <unistd.h>

#include <QEvent>
#include <QObject>
#include <QWidget>
#include <cstdio>
#include <string>

class ShownWindowReport : public QObject {
 public:
  explicit ShownWindowReport(QString title = {}) : title_(std::move(title)) {}

  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Show) {
      auto* widget = qobject_cast<QWidget*>(watched);
      if (widget && widget->isWindow() && (title_.isEmpty() || widget->windowTitle() == title_)) {
        const std::string line = "shown " + widget->windowTitle().toStdString() + "\n";
        (void)!::write(1, line.data(), line.size());
        ::_exit(0);
      }
    }
    return QObject::eventFilter(watched, event);
  }

 private:
  QString title_;
};
