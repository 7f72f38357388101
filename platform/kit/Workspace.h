#pragma once

#include <string>
#include <vector>

namespace kit {

// Pages, files and programs outside the application: web pages and local files open in the
// desktop's browser or viewer, programs start as processes of their own. One shared instance;
// tests put a RecordingWorkspace in its place.
class Workspace {
 public:
  virtual ~Workspace();

  static Workspace& shared();
  // Replaces the shared instance (not owned); null restores the real one.
  static void setShared(Workspace* replacement);

  // An address (http:, https:, file:); false when it could not be handed over.
  virtual bool openURL(const std::string& url);
  // A local file (an HTML help page, a folder) with the desktop's application for it.
  virtual bool openFile(const std::string& path);
  // Starts a program with arguments, detached; false when it could not start.
  virtual bool launchApplication(const std::string& program, const std::vector<std::string>& arguments);
};

}  // namespace kit
