// The start-up benchmark's launcher child: the launcher's own main plus the report of its first
// window. A program of its own so that it loads what the launcher loads and nothing more (the
// benchmark library stays in the parent).
#include <QApplication>
#include <cstdlib>

#include "ShownWindowReport.h"
#include "kit/Application.h"
#include "launcher/AppDelegate.h"
#include "launcher/DataSourcePort.h"

int main(int argc, char** argv) {
  QApplication qtApp(argc, argv);
  if (const char* list = std::getenv("BENCH_DEVICE_LIST")) Zorvik_AppDelegate::setDeviceListPath(list);
  // The device-select dialog's title in the English resources.
  ShownWindowReport report(QStringLiteral("Select a Scanner"));
  qtApp.installEventFilter(&report);
  Zorvik_AppDelegate delegate(&Zorvik_MakeDirectTWAIN);
  kit::Application& app = kit::Application::shared();
  app.setDelegate(&delegate);
  const int result = app.run();
  app.setDelegate(nullptr);
  return result;
}
