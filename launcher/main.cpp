// The trivolan program: the launcher's application delegate on the application's main loop.
// "--request FILE" opens the driver with the request dictionary of that property list (a scan
// without the main window, or the quiet-mode or automatic-power dialog alone).
#include <QApplication>

#include <cstdio>
#include <string>

#include "foundation/PropertyList.h"
#include "foundation/RunTempFolder.h"
#include "kit/Application.h"
#include "launcher/AppDelegate.h"
#include "launcher/DataSourcePort.h"

int main(int argc, char** argv) {
  // The program places its own windows and keeps their levels, which a Wayland compositor does not
  // let a client do: on a Wayland desktop it runs on the X11 platform (XWayland).
  if (qEnvironmentVariableIsSet("WAYLAND_DISPLAY") && !qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
    qputenv("QT_QPA_PLATFORM", "xcb");
  QApplication qtApp(argc, argv);
  // Temporary folders of our programs that ended without cleaning up (killed, crashed); those of
  // programs still running are theirs.
  fnd::RunTempFolder::sweepAbandoned();
  Zorvik_AppDelegate delegate(&Zorvik_MakeDirectTWAIN);
  const QStringList arguments = QApplication::arguments();
  for (qsizetype i = 1; i < arguments.size(); ++i) {
    if (arguments[i] != QLatin1String("--request")) continue;
    const std::string path = i + 1 < arguments.size() ? arguments[i + 1].toStdString() : std::string();
    const fnd::PropertyList::Result read = fnd::PropertyList::readFile(path);
    if (path.empty() || !read.ok() || !read.value->isDictionary()) {
      std::fprintf(stderr, "trivolan: --request needs a readable property list holding a dictionary: %s\n",
                   path.c_str());
      return 2;
    }
    delegate.setRequest(read.value->toDictionary());
    ++i;
  }
  kit::Application& app = kit::Application::shared();
  app.setDelegate(&delegate);
  const int result = app.run();
  app.setDelegate(nullptr);
  fnd::RunTempFolder::remove();
  return result;
}
