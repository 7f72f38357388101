#include "kit/Application.h"

#include "kit/ApplicationImpl.h"
#include "kit/InputFilter.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QWheelEvent>
#include <QWidget>
#include <algorithm>
#include <deque>

#include "foundation/NotificationCenter.h"
#include "foundation/RunLoop.h"
#include "kit/Font.h"
#include "kit/QtBridge.h"
#include "kit/View.h"
#include "kit/WindowAccess.h"
#include "kit/WindowDelegate.h"
#include "kit/ZOrderManager.h"

namespace kit {

using fnd::Point;

namespace {

// Ends a modal run that nobody can answer any more (its window went, or the program is ending).
void abortSession(ModalSession& session) {
  if (session.done) return;
  session.done = true;
  session.code = kModalResponseAbort;
}

// Where a mouse event happened on the screen; the event must have a window.
Point screenLocation(const Event& event) {
  fnd::Rect f = event.window()->frame();
  return {f.origin.x + event.locationInWindow().x, f.origin.y + event.locationInWindow().y};
}

}  // namespace

Application& Application::shared() {
  // Never destroyed: windows and Qt objects may outlive static destruction order.
  static Application* app = new Application();
  return *app;
}

Application::Application() : d_(std::make_unique<Impl>()) { attachToQtApplication(); }
Application::~Application() = default;

void Application::attachToQtApplication() {
  if (d_->filter) return;
  auto* qapp = qobject_cast<QApplication*>(QCoreApplication::instance());
  if (!qapp) return;
  d_->filter = new InputFilter();
  d_->filter->setParent(qapp);
  qapp->installEventFilter(d_->filter);
  // Qt's own widgets start in the system font: a field laid out first in Qt's default font and
  // then in ours would load, match and measure two fonts before the first window shows.
  QApplication::setFont(bridge::toQFont(Font::systemFont(0)));
  // Without a window system (offscreen) Qt's idea of activity follows focus changes nobody
  // makes; there the application stays active unless told otherwise.
  if (!bridge::hasWindowSystem()) return;
  QObject::connect(qapp, &QGuiApplication::applicationStateChanged, d_->filter, [](Qt::ApplicationState state) {
    if (state == Qt::ApplicationActive)
      Application::shared().activateIgnoringOtherApps(true);
    else
      Application::shared().deactivate();
  });
}

void Application::setDelegate(ApplicationDelegate* delegate) { d_->delegate = delegate; }
ApplicationDelegate* Application::delegate() const { return d_->delegate; }

// --- Main loop

void Application::finishLaunching() {
  if (d_->launched) return;
  d_->launched = true;
  attachToQtApplication();
  activateIgnoringOtherApps(true);
  if (d_->delegate) d_->delegate->applicationDidFinishLaunching(*this);
  fnd::NotificationCenter::defaultCenter().post(kDidFinishLaunchingNotification, this);
}

int Application::run() {
  finishLaunching();
  d_->running = true;
  while (!d_->terminated) {
    bool ran = fnd::RunLoop::main().runOnce(fnd::RunLoopMode::Default, 0.25);
    dispatchQueuedEvents();
    if (ran || d_->needsUpdate) updateWindows();
  }
  d_->running = false;
  return 0;
}

bool Application::isRunning() const { return d_->running; }

bool Application::terminate() {
  if (d_->terminated) return true;
  if (d_->delegate && d_->delegate->applicationShouldTerminate(*this) == TerminateReply::Cancel) return false;
  fnd::NotificationCenter::defaultCenter().post(kWillTerminateNotification, this);
  if (d_->delegate) d_->delegate->applicationWillTerminate(*this);
  d_->terminated = true;
  for (auto& s : d_->sessions) abortSession(*s);
  // Wake a waiting pass so the loops see the flag now.
  fnd::RunLoop::main().perform([] {}, fnd::kCommonModes);
  return true;
}

bool Application::isTerminated() const { return d_->terminated; }
void Application::resetTerminated() { d_->terminated = false; }

// --- Activation

bool Application::isActive() const { return d_->active; }

void Application::activateIgnoringOtherApps(bool) {
  if (d_->active) return;
  d_->active = true;
  fnd::NotificationCenter::defaultCenter().post(kDidBecomeActiveNotification, this);
}

void Application::deactivate() {
  if (!d_->active) return;
  fnd::NotificationCenter::defaultCenter().post(kWillResignActiveNotification, this);
  d_->active = false;
}

// --- Windows

std::vector<Window*> Application::windows() const { return d_->windows; }
Window* Application::keyWindow() const { return d_->key; }
Window* Application::mainWindow() const { return d_->main; }

void Application::addWindow(Window* window) {
  attachToQtApplication();
  d_->windows.push_back(window);
}

void Application::removeWindow(Window* window) {
  auto& list = d_->windows;
  list.erase(std::remove(list.begin(), list.end(), window), list.end());
  if (d_->key == window) d_->key = nullptr;
  if (d_->main == window) d_->main = nullptr;
  auto& q = d_->queue;
  q.erase(std::remove_if(q.begin(), q.end(), [window](const Event& e) { return e.window() == window; }), q.end());
  for (auto& s : d_->sessions) {
    if (s->window == window) {
      s->window = nullptr;
      abortSession(*s);
    }
  }
}

void Application::setKeyWindow(Window* window, bool askPlatform) {
  if (d_->key == window) return;
  Window* old = d_->key;
  d_->key = window;
  if (old && old->delegate()) old->delegate()->windowDidResignKey(*old);
  if (window) {
    if (QWidget* w = window->nativeWidget(); askPlatform && w && w->isVisible()) w->activateWindow();
    if (window->delegate()) window->delegate()->windowDidBecomeKey(*window);
  }
}

void Application::platformActivated(Window* window) {
  if (!window->isVisible()) return;
  // The window manager raised it: raise the windows of higher levels above it again, as their
  // levels say (a stay-on-top progress window above a main window that is stay-on-top too).
  ZOrderManager::shared().orderFront(window);
  if (window->isKeyWindow() || !window->canBecomeKeyWindow()) return;
  // During a modal run the window system's own modality sends the user back to the modal
  // window; kit keeps that window key meanwhile instead of fighting over it.
  if (Window* modal = modalWindow(); modal && !allowedWhileModal(window, modal)) return;
  setKeyWindow(window, false);
  if (window->canBecomeMainWindow()) setMainWindow(window);
}

void Application::setMainWindow(Window* window) {
  if (d_->main == window) return;
  Window* old = d_->main;
  d_->main = window;
  if (old && old->delegate()) old->delegate()->windowDidResignMain(*old);
  if (window && window->delegate()) window->delegate()->windowDidBecomeMain(*window);
}

void Application::windowDidOrderOut(Window* window) {
  // A modal window that goes away ends its run: nobody could answer it any more.
  for (auto& s : d_->sessions)
    if (s->window == window) abortSession(*s);
  auto frontmostOther = [&](auto accept) -> Window* {
    for (Window* w : ZOrderManager::shared().windowsFrontToBack())
      if (w != window && accept(w)) return w;
    return nullptr;
  };
  if (d_->main == window) setMainWindow(frontmostOther([](Window* w) { return w->canBecomeMainWindow(); }));
  if (d_->key == window) {
    Window* next = nullptr;
    if (Window* modal = modalWindow(); modal && modal != window && modal->isVisible()) next = modal;
    if (!next) next = frontmostOther([](Window* w) { return w->canBecomeKeyWindow(); });
    setKeyWindow(next);
  }
}

void Application::windowClosed(Window* window) {
  bool anyVisible = std::any_of(d_->windows.begin(), d_->windows.end(), [](Window* w) { return w->isVisible(); });
  if (!anyVisible && d_->delegate && d_->delegate->applicationShouldTerminateAfterLastWindowClosed(*this)) {
    // After the close has finished, as the platform does.
    fnd::RunLoop::main().perform([this] { terminate(); }, fnd::RunLoopMode::Default);
  }
}

void Application::updateWindows() {
  d_->needsUpdate = false;
  std::vector<Window*> list = d_->windows;
  for (Window* w : list) {
    if (std::find(d_->windows.begin(), d_->windows.end(), w) == d_->windows.end()) continue;
    if (w->isVisible()) w->update();
  }
  fnd::NotificationCenter::defaultCenter().post(kDidUpdateNotification, this);
}

// --- Modal runs

int Application::runModalForWindow(Window& window) {
  // Only the main thread runs the loop; elsewhere, or after termination, nothing could answer.
  if (!fnd::RunLoop::isMainThread() || d_->terminated) return kModalResponseAbort;
  ModalSession* s = beginModalSession(window);
  while (!s->done && !d_->terminated) {
    bool ran = fnd::RunLoop::main().runOnce(fnd::RunLoopMode::ModalPanel, 0.1);
    dispatchQueuedEvents();
    if (ran || d_->needsUpdate) updateWindows();
  }
  int code = s->done ? s->code : kModalResponseAbort;
  endModalSession(s);
  return code;
}

void Application::stopModal() { stopModalWithCode(kModalResponseStop); }

void Application::stopModalWithCode(int code) {
  for (auto it = d_->sessions.rbegin(); it != d_->sessions.rend(); ++it) {
    if (!(*it)->done) {
      (*it)->done = true;
      (*it)->code = code;
      fnd::RunLoop::main().perform([] {}, fnd::kCommonModes);  // wake the waiting pass
      return;
    }
  }
}

void Application::abortModal() { stopModalWithCode(kModalResponseAbort); }

ModalSession* Application::beginModalSession(Window& window) {
  auto session = std::make_unique<ModalSession>();
  session->window = &window;
  session->id = d_->nextSessionId++;
  ModalSession* raw = session.get();
  d_->sessions.push_back(std::move(session));
  // Modal to the window system too, above the window that was in front: the window manager then
  // keeps it there and gives it the focus, and nobody can activate the window it blocks.
  // A notice that works while modal is no parent to stay above: it may go first.
  auto candidate = [&](Window* w) { return w && w != &window && w->isVisible() && !w->worksWhenModal(); };
  Window* over = window.parentWindow();
  if (!over && candidate(d_->key)) over = d_->key;
  if (!over && candidate(d_->main)) over = d_->main;
  window.beginPlatformModality(over);
  window.makeKeyAndOrderFront();
  if (!d_->responders.empty()) {
    auto action = std::move(d_->responders.front());
    d_->responders.pop_front();
    std::uint64_t id = raw->id;
    raw->answerDue = true;
    fnd::RunLoop::main().perform(
        [this, id, action = std::move(action)] {
          for (auto& s : d_->sessions) {
            if (s->id != id) continue;
            s->answerDue = false;
            if (!s->done && s->window) action(*s->window);
            break;
          }
        },
        fnd::RunLoopMode::ModalPanel);
  }
  return raw;
}

int Application::runModalSession(ModalSession* session) {
  if (d_->terminated && session) abortSession(*session);
  auto it = std::find_if(d_->sessions.begin(), d_->sessions.end(), [session](const auto& s) { return s.get() == session; });
  if (it == d_->sessions.end()) return kModalResponseAbort;
  if (!session->done) {
    fnd::RunLoop::main().runOnce(fnd::RunLoopMode::ModalPanel, 0.0);
    dispatchQueuedEvents();
    updateWindows();
  }
  return session->done ? session->code : kModalResponseContinue;
}

void Application::endModalSession(ModalSession* session) {
  auto& list = d_->sessions;
  for (const auto& s : list)
    if (s.get() == session && s->window) s->window->endPlatformModality();
  list.erase(std::remove_if(list.begin(), list.end(), [session](const auto& s) { return s.get() == session; }),
             list.end());
}

Window* Application::modalWindow() const {
  for (auto it = d_->sessions.rbegin(); it != d_->sessions.rend(); ++it)
    if (!(*it)->done && (*it)->window) return (*it)->window;
  return nullptr;
}

void Application::onNextModalWindow(std::function<void(Window&)> action) {
  d_->responders.push_back(std::move(action));
}

std::uint64_t Application::modalRunsBegun() const { return d_->nextSessionId - 1; }

std::size_t Application::pendingModalResponders() const {
  // A responder taken by a run still open counts until it has run: between the run's start and
  // its first pass the box is up with nothing else queued, yet it is about to be answered.
  std::size_t due = 0;
  for (const auto& s : d_->sessions) due += s->answerDue && !s->done;
  return d_->responders.size() + due;
}

// --- Events

bool Application::inputAllowed(const Event& event) const {
  Window* modal = modalWindow();
  Window* w = event.window();
  if (!modal || !w) return true;
  switch (event.type()) {
    case EventType::MouseMoved:
    case EventType::MouseEntered:
    case EventType::MouseExited:
    case EventType::FlagsChanged:
      return true;
    default:
      break;
  }
  return allowedWhileModal(w, modal);
}

bool Application::allowedWhileModal(Window* window, Window* modal) const {
  if (window == modal) return true;
  for (Window* p = window->parentWindow(); p; p = p->parentWindow())
    if (p == modal) return true;
  return window->worksWhenModal();
}

bool eventPassesHook(const std::function<EventHookResult(const Event&)>& hook, const Event& event, Window* window) {
  if (!hook) return true;
  switch (hook(event)) {
    case EventHookResult::Pass:
      return true;
    case EventHookResult::Drop:
      return false;
    case EventHookResult::SwallowUntilMouseUp:
      if (event.type() != EventType::LeftMouseUp)
        while (auto e = Application::shared().nextEventMatchingMask(kMouseTrackingMask, -1,
                                                                    fnd::RunLoopMode::EventTracking, window))
          if (e->type() == EventType::LeftMouseUp) break;
      return false;
  }
  return true;
}

void Application::sendEvent(const Event& event) {
  if (!eventPassesHook(d_->hook, event, event.window())) return;
  Event e = event;
  if (!e.window() && (e.isKey() || e.type() == EventType::FlagsChanged)) e.setWindow(d_->key);
  Window* w = e.window();
  if (!w || std::find(d_->windows.begin(), d_->windows.end(), w) == d_->windows.end()) return;
  if (!inputAllowed(e)) return;
  d_->needsUpdate = true;
  d_->current = e;
  if (e.isMouse()) setMouseLocation(screenLocation(e));
  w->sendEvent(e);
}

std::optional<Event> Application::currentEvent() const { return d_->current; }

void Application::postEvent(const Event& event, bool atStart) {
  if (atStart)
    d_->queue.push_front(event);
  else
    d_->queue.push_back(event);
  if (!d_->dispatchScheduled) {
    d_->dispatchScheduled = true;
    fnd::RunLoop::main().perform(
        [this] {
          d_->dispatchScheduled = false;
          dispatchQueuedEvents();
          updateWindows();
        },
        fnd::RunLoopMode::Default | fnd::RunLoopMode::ModalPanel);
  }
}

void Application::dispatchQueuedEvents() {
  while (!d_->queue.empty() && d_->tracking == 0) {
    Event e = d_->queue.front();
    d_->queue.pop_front();
    sendEvent(e);
  }
}

bool Application::isTracking() const { return d_->tracking > 0; }

std::optional<Event> Application::nextEventMatchingMask(EventMask mask, double timeoutSeconds, fnd::RunLoopMode mode,
                                                        Window* window) {
  struct TrackingScope {
    int& depth;
    bool on;
    TrackingScope(int& d, bool o) : depth(d), on(o) { if (on) ++depth; }
    ~TrackingScope() { if (on) --depth; }
  } scope(d_->tracking, mode == fnd::RunLoopMode::EventTracking);
  if (!fnd::RunLoop::isMainThread()) return std::nullopt;  // the queue belongs to the main thread
  QElapsedTimer clock;
  clock.start();
  auto alive = [&] { return !window || std::find(d_->windows.begin(), d_->windows.end(), window) != d_->windows.end(); };
  for (;;) {
    auto& q = d_->queue;
    for (auto it = q.begin(); it != q.end(); ++it) {
      if (!(it->mask() & mask)) continue;
      if (window && it->window() && it->window() != window) continue;
      Event e = *it;
      q.erase(it);
      if (e.isMouse() && e.window()) setMouseLocation(screenLocation(e));
      return e;
    }
    if (d_->terminated || !alive() || (window && !window->isVisible())) return std::nullopt;
    double waited = clock.elapsed() / 1000.0;
    if (timeoutSeconds >= 0 && waited >= timeoutSeconds) return std::nullopt;
    double slice = 0.05;
    if (timeoutSeconds >= 0) slice = std::min(slice, timeoutSeconds - waited);
    fnd::RunLoop::main().runOnce(mode, std::max(0.0, slice));
  }
}

void Application::discardEventsMatchingMask(EventMask mask, Window* window) {
  auto& q = d_->queue;
  q.erase(std::remove_if(q.begin(), q.end(),
                         [&](const Event& e) { return (e.mask() & mask) && (!window || e.window() == window); }),
          q.end());
}

std::size_t Application::queuedEventCount() const { return d_->queue.size(); }

void Application::setEventHook(std::function<EventHookResult(const Event&)> hook) { d_->hook = std::move(hook); }
Point Application::mouseLocation() const { return d_->mouse; }
void Application::setMouseLocation(Point screenPoint) { d_->mouse = screenPoint; }

// --- Attention

int Application::requestUserAttention(AttentionRequest) {
  ++d_->attentionCount;
  if (Window* w = d_->key ? d_->key : d_->main)
    if (QWidget* widget = w->nativeWidget()) QApplication::alert(widget);
  return d_->nextAttention++;
}

void Application::cancelUserAttentionRequest(int) {}
int Application::userAttentionRequestCount() const { return d_->attentionCount; }

}  // namespace kit
