// The start-up benchmark's baseline: a bare Qt Widgets program that shows one window.
#include <QApplication>
#include <QWidget>

#include "ShownWindowReport.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  ShownWindowReport report;
  app.installEventFilter(&report);
  QWidget window;
  window.setWindowTitle("bare");
  window.resize(455, 224);
  window.show();
  return app.exec();
}
