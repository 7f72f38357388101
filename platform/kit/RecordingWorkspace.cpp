#include "kit/RecordingWorkspace.h"

namespace kit {

RecordingWorkspace::RecordingWorkspace() { Workspace::setShared(this); }

RecordingWorkspace::~RecordingWorkspace() {
  if (&Workspace::shared() == this) Workspace::setShared(nullptr);
}

bool RecordingWorkspace::openURL(const std::string& url) {
  requests.push_back({"url", url, {}});
  return succeed;
}

bool RecordingWorkspace::openFile(const std::string& path) {
  requests.push_back({"file", path, {}});
  return succeed;
}

bool RecordingWorkspace::launchApplication(const std::string& program, const std::vector<std::string>& arguments) {
  requests.push_back({"launch", program, arguments});
  return succeed;
}

}  // namespace kit
