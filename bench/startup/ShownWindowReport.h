#pragma once

// Shared by the start-up benchmark's two child programs: the moment a top-level window with
// the awaited title (any, when none is given) is shown, a line "shown <entry> <title>" goes to
// standard output and the program ends at once, so the parent's clock stops on the window and
// not on tear-down. <entry> is the monotonic clock in nanoseconds when the program's own
// initialisation ran, just before main: everything before it is loading and relocating the
// shared libraries (and their initialisers), everything after it the program's own start.

#include <time.h>
#include <unistd.h>

#include <QEvent>
#include <QObject>
#include <QWidget>
#include <cstdint>
#include <cstdio>
#include <string>

inline std::int64_t shownWindowClockNs() {
  timespec now{};
  ::clock_gettime(CLOCK_MONOTONIC, &now);
  return std::int64_t(now.tv_sec) * 1000000000 + now.tv_nsec;
}

// Initialised with the executable's own globals, after every shared library's.
inline const std::int64_t kShownWindowEntryNs = shownWindowClockNs();

class ShownWindowReport : public QObject {
 public:
  explicit ShownWindowReport(QString title = {}) : title_(std::move(title)) {}

  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Show) {
      auto* widget = qobject_cast<QWidget*>(watched);
      if (widget && widget->isWindow() && (title_.isEmpty() || widget->windowTitle() == title_)) {
        const std::string line =
            "shown " + std::to_string(kShownWindowEntryNs) + " " + widget->windowTitle().toStdString() + "\n";
        (void)!::write(1, line.data(), line.size());
        ::_exit(0);
      }
    }
    return QObject::eventFilter(watched, event);
  }

 private:
  QString title_;
};
