#pragma once

namespace kit {

class Application;

enum class TerminateReply { Cancel = 0, Now = 1 };

// What the application tells, and asks, its delegate. Defaults agree or do nothing.
class ApplicationDelegate {
 public:
  virtual ~ApplicationDelegate() = default;

  virtual void applicationDidFinishLaunching(Application& app) {}
  // Asked by terminate(); Cancel keeps the application running.
  virtual TerminateReply applicationShouldTerminate(Application& app) { return TerminateReply::Now; }
  // Asked when the last visible window has closed; true terminates.
  virtual bool applicationShouldTerminateAfterLastWindowClosed(Application& app) { return false; }
  virtual void applicationWillTerminate(Application& app) {}
};

}  // namespace kit
