// The start-up benchmark's baseline: a bare Qt Widgets program that shows one window with one
// line of text in the system font. The text is there because every program with text pays for
// its font set-up: the layout measures the label before the window is shown.
#include <QApplication>
#include <QLabel>
#include <QVBoxLayout>
#include <QWidget>

#include "ShownWindowReport.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  ShownWindowReport report;
  app.installEventFilter(&report);
  QWidget window;
  window.setWindowTitle("bare");
  auto* layout = new QVBoxLayout(&window);
  layout->addWidget(new QLabel(QStringLiteral("Select the scanner to use."), &window));
  window.resize(455, 224);
  window.show();
  return app.exec();
}
