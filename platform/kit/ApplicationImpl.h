#pragma once

// Private to kit: the state of the application, shared by its files and the input filter.

#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "kit/Application.h"

namespace kit {

class InputFilter;

struct ModalSession {
  Window* window = nullptr;
  int code = kModalResponseContinue;
  bool done = false;
  std::uint64_t id = 0;
  bool answerDue = false;  // a test responder was taken for this run and has not run yet
};


// Runs a hook before dispatch; true when the event goes on to be dispatched. A swallowing
// hook also takes the events up to the next left mouse-up out of the queue (window's only,
// when given).
bool eventPassesHook(const std::function<EventHookResult(const Event&)>& hook, const Event& event, Window* window);

struct Application::Impl {
  ApplicationDelegate* delegate = nullptr;
  std::vector<Window*> windows;
  Window* key = nullptr;
  Window* main = nullptr;
  std::deque<Event> queue;
  std::vector<std::unique_ptr<ModalSession>> sessions;  // innermost last
  std::uint64_t nextSessionId = 1;
  std::deque<std::function<void(Window&)>> responders;
  std::function<EventHookResult(const Event&)> hook;
  bool launched = false;
  bool running = false;
  bool terminated = false;
  bool active = true;  // as a launched program is; Qt's state changes move it on a desktop
  int tracking = 0;
  bool dispatchScheduled = false;
  bool needsUpdate = false;  // an event was handled since the windows were last updated
  fnd::Point mouse;
  std::optional<Event> current;  // the event dispatched last
  int attentionCount = 0;
  int nextAttention = 1;
  InputFilter* filter = nullptr;
};

}  // namespace kit
