#pragma once

#include <cstddef>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "foundation/Geometry.h"
#include "foundation/RunLoopMode.h"
#include "kit/ApplicationDelegate.h"
#include "kit/Event.h"
#include "kit/Window.h"

namespace kit {

// Codes of modal runs besides the caller's own.
constexpr int kModalResponseStop = -1000;
constexpr int kModalResponseAbort = -1001;
constexpr int kModalResponseContinue = -1002;

enum class AttentionRequest { Critical = 0, Informational = 10 };

struct ModalSession;

// The application: its windows, the key and main window, the event queue and its dispatch,
// the main loop over fnd::RunLoop, modal runs and termination. One per process, on the main
// thread (shared()).
//
// Input from Qt (mouse, keys, wheel) is turned into Events on arrival and dispatched at once,
// or queued while a view's tracking loop waits for its own events (the loop takes them from
// the queue, the rest are dispatched after it). Tests post synthetic events with postEvent()
// or send them with sendEvent().
class Application {
 public:
  static Application& shared();

  // The application's notifications (default centre, sender: the application).
  static constexpr const char* kDidFinishLaunchingNotification = "NSApplicationDidFinishLaunchingNotification";
  static constexpr const char* kDidBecomeActiveNotification = "NSApplicationDidBecomeActiveNotification";
  static constexpr const char* kWillResignActiveNotification = "NSApplicationWillResignActiveNotification";
  static constexpr const char* kDidUpdateNotification = "NSApplicationDidUpdateNotification";
  static constexpr const char* kWillTerminateNotification = "NSApplicationWillTerminateNotification";

  Application(const Application&) = delete;
  Application& operator=(const Application&) = delete;

  void setDelegate(ApplicationDelegate* delegate);
  ApplicationDelegate* delegate() const;

  // --- Main loop
  // Tells the delegate the application did finish launching (once).
  void finishLaunching();
  // finishLaunching, then runs the default mode until terminate(); answers 0.
  int run();
  bool isRunning() const;
  // Asks the delegate; unless it cancels: posts the will-terminate notification, tells the
  // delegate, ends every modal run and the main loop. True when the application terminated.
  bool terminate();
  bool isTerminated() const;
  // After a terminate, lets a new run start (tests).
  void resetTerminated();

  // --- Activation
  bool isActive() const;
  void activateIgnoringOtherApps(bool flag = true);
  void deactivate();

  // --- Windows
  std::vector<Window*> windows() const;
  Window* keyWindow() const;
  Window* mainWindow() const;
  // After each pass: every visible window's update(), then the did-update notification.
  void updateWindows();

  // --- Modal runs
  // Runs the window modally until stopModal, stopModalWithCode or abortModal; answers the
  // code. Also ends (with kModalResponseAbort) when the window is closed or destroyed.
  // Default-mode calls queued meanwhile wait until the run has ended.
  int runModalForWindow(Window& window);
  void stopModal();
  void stopModalWithCode(int code);
  void abortModal();
  ModalSession* beginModalSession(Window& window);
  // One pass of a session: kModalResponseContinue while it runs, else its code.
  int runModalSession(ModalSession* session);
  void endModalSession(ModalSession* session);
  // The window of the innermost modal run, or null: "is a modal window showing".
  Window* modalWindow() const;

  // Test seam: the action runs inside the next modal run, once its window is up (for
  // example, click its OK button). Actions are used in the order given, one per run. The
  // pending count includes an action taken by an open run that has not run yet.
  void onNextModalWindow(std::function<void(Window&)> action);
  std::size_t pendingModalResponders() const;
  // How many modal runs have begun so far: tells one box from the next at the same address.
  std::uint64_t modalRunsBegun() const;

  // --- Events
  // Dispatches now: the application's hook, the modal filter, then the event's window.
  void sendEvent(const Event& event);
  // Queues an event; it is dispatched at the next pass of the loop (or taken by a waiting
  // tracking loop).
  void postEvent(const Event& event, bool atStart = false);
  // Dispatches the queued events (unless a tracking loop is waiting for them).
  void dispatchQueuedEvents();
  // The first queued event matching mask (and window, when given), taken out of the queue;
  // waits in mode. Null on time-out (timeoutSeconds >= 0), termination or when the window
  // goes away.
  std::optional<Event> nextEventMatchingMask(EventMask mask, double timeoutSeconds, fnd::RunLoopMode mode,
                                             Window* window = nullptr);
  void discardEventsMatchingMask(EventMask mask, Window* window = nullptr);
  std::size_t queuedEventCount() const;
  // A hook that sees every event before any window; it may drop it.
  void setEventHook(std::function<EventHookResult(const Event&)> hook);
  // Last known mouse position in screen coordinates.
  fnd::Point mouseLocation() const;
  // The event dispatched last (still current while the did-update notification is posted);
  // none before the first.
  std::optional<Event> currentEvent() const;

  // --- Attention
  int requestUserAttention(AttentionRequest kind);
  void cancelUserAttentionRequest(int request);
  // How many requests were made (tests).
  int userAttentionRequestCount() const;

 private:
  friend class Window;
  friend class InputFilter;
  friend struct WindowAccess;
  Application();
  ~Application();
  struct Impl;
  std::unique_ptr<Impl> d_;

  void addWindow(Window* window);
  void removeWindow(Window* window);
  // Makes window key; askPlatform also asks the window system to activate it. An activation
  // the window system reports is followed without asking back: asking again for a window it is
  // about to leave is what made two windows pass the activation to and fro for ever.
  void setKeyWindow(Window* window, bool askPlatform = true);
  void platformActivated(Window* window);
  bool allowedWhileModal(Window* window, Window* modal) const;
  void setMainWindow(Window* window);
  void windowDidOrderOut(Window* window);
  void windowClosed(Window* window);
  void setMouseLocation(fnd::Point screenPoint);
  bool inputAllowed(const Event& event) const;
  bool isTracking() const;
  void attachToQtApplication();
};

}  // namespace kit
