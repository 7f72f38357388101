// The trivolan program: the launcher's application delegate on the application's main loop.
#include <QApplication>

#include "foundation/RunTempFolder.h"
#include "kit/Application.h"
#include "launcher/AppDelegate.h"
#include "launcher/DataSourcePort.h"

int main(int argc, char** argv) {
  QApplication qtApp(argc, argv);
  // Temporary folders of our programs that ended without cleaning up (killed, crashed); those of
  // programs still running are theirs.
  fnd::RunTempFolder::sweepAbandoned();
  Zorvik_AppDelegate delegate(&Zorvik_MakeDirectTWAIN);
  kit::Application& app = kit::Application::shared();
  app.setDelegate(&delegate);
  const int result = app.run();
  app.setDelegate(nullptr);
  fnd::RunTempFolder::remove();
  return result;
}
