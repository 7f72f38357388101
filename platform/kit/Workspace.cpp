#include "kit/Workspace.h"

#include <QDesktopServices>
#include <QProcess>
#include <QStringList>
#include <QUrl>

namespace kit {

namespace {
Workspace*& replacement() {
  static Workspace* w = nullptr;
  return w;
}

// Pages and help go to the desktop's browser, or to the program TRIVOLAN_BROWSER names (the
// desktop journeys' recording stand-in, or a user's choice where the desktop has none).
bool openInBrowser(const QUrl& url) {
  const QString browser = qEnvironmentVariable("TRIVOLAN_BROWSER");
  if (!browser.isEmpty()) return QProcess::startDetached(browser, {url.toString()});
  return QDesktopServices::openUrl(url);
}
}  // namespace

Workspace::~Workspace() = default;

Workspace& Workspace::shared() {
  static Workspace real;
  return replacement() ? *replacement() : real;
}

void Workspace::setShared(Workspace* w) { replacement() = w; }

bool Workspace::openURL(const std::string& url) {
  QUrl u(QString::fromStdString(url));
  if (!u.isValid() || u.scheme().isEmpty()) return false;
  return openInBrowser(u);
}

bool Workspace::openFile(const std::string& path) {
  if (path.empty()) return false;
  return openInBrowser(QUrl::fromLocalFile(QString::fromStdString(path)));
}

bool Workspace::launchApplication(const std::string& program, const std::vector<std::string>& arguments) {
  if (program.empty()) return false;
  QStringList args;
  for (const auto& a : arguments) args << QString::fromStdString(a);
  return QProcess::startDetached(QString::fromStdString(program), args);
}

}  // namespace kit
