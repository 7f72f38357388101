#pragma once

#include <string>
#include <vector>

#include "kit/Workspace.h"

namespace kit {

// A workspace that opens and starts nothing: it writes down each request (for tests) and
// answers `succeed`. Installs itself as the shared workspace for its lifetime.
class RecordingWorkspace : public Workspace {
 public:
  struct Request {
    std::string kind;  // "url", "file" or "launch"
    std::string target;
    std::vector<std::string> arguments;
  };

  RecordingWorkspace();
  ~RecordingWorkspace() override;

  bool openURL(const std::string& url) override;
  bool openFile(const std::string& path) override;
  bool launchApplication(const std::string& program, const std::vector<std::string>& arguments) override;

  std::vector<Request> requests;
  bool succeed = true;
};

}  // namespace kit
