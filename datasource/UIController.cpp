#include "datasource/UIController.h"

#include <chrono>

#include "foundation/NotificationCenter.h"
#include "foundation/RunLoop.h"
#include "foundation/Thread.h"

namespace {

Dravon_UIController::RootFactory& rootFactory() {
  static Dravon_UIController::RootFactory factory;
  return factory;
}

// Pause between two pump rounds of the waiting rule.
constexpr double kPendingPollSeconds = 0.01;

}  // namespace

Dravon_UIController::RootFactory Dravon_UIController::setRootFactory(RootFactory factory) {
  RootFactory old = std::move(rootFactory());
  rootFactory() = std::move(factory);
  return old;
}

Dravon_UIController::Dravon_UIController()
    : moPMethod(std::make_unique<Dravon_PerformMethod>()), mAlive(std::make_shared<Dravon_UIController*>(this)) {
  // Once the application ends, the main thread runs no more requests: no worker may wait.
  fnd::NotificationCenter::defaultCenter().addObserver(this, kApplicationWillTerminate, nullptr,
                                                       [this](const fnd::Notification&) { stopWaiting(); });
}

Dravon_UIController::~Dravon_UIController() {
  fnd::NotificationCenter::defaultCenter().removeObserver(this);
  if (mTimerNotSleep) mTimerNotSleep->invalidate();
  mTimerNotSleep.reset();
  // Roots go only through the release operations; whatever is still held goes with us.
  moProgress = nullptr;
}

// --- UI_CONTROL_LOCK ---------------------------------------------------------------------------
//
// A worker takes the lock plainly: the main thread never waits for a worker while holding it.
// The main thread must never block on it, though: the holder may be a worker that waits for the
// main thread to run its request (a message box, preview data), and a blocked main thread would
// never run it. So the main thread
// - goes on without the lock when it already holds it further up its own stack (a request made
//   from inside a handler that a main-thread dispatch is running);
// - goes on without the lock while the holder only waits for the main thread: such a holder
//   touches nothing but the pending count, and the main thread then runs the holder's request
//   itself in its waiting rule;
// - otherwise retries, for the holder is in its short queueing step.
class Dravon_UIController::ControlScope {
 public:
  ControlScope(Dravon_UIController& owner, bool mainThread) : owner_(owner) {
    const std::thread::id me = std::this_thread::get_id();
    if (!mainThread) {
      owner_.UI_CONTROL_LOCK.lock();
      take(me);
      return;
    }
    if (owner_.mControlOwner.load() == me) return;
    for (;;) {
      if (owner_.UI_CONTROL_LOCK.tryLock()) {
        take(me);
        return;
      }
      if (owner_.mHolderWaiting.load()) return;
      std::this_thread::yield();
    }
  }
  ~ControlScope() {
    if (!held_) return;
    owner_.mControlOwner = std::thread::id();
    owner_.mProcessing = 0;
    owner_.UI_CONTROL_LOCK.unlock();
  }
  ControlScope(const ControlScope&) = delete;
  ControlScope& operator=(const ControlScope&) = delete;

 private:
  void take(std::thread::id me) {
    held_ = true;
    owner_.mControlOwner = me;
    owner_.mProcessing = 1;
  }
  Dravon_UIController& owner_;
  bool held_ = false;
};

// --- pending count and the waiting rule ------------------------------------------------------

std::int32_t Dravon_UIController::pendingCount() const {
  std::lock_guard guard(UI_COUNTER_LOCK);
  return mPerformCounter;
}

bool Dravon_UIController::hasPending(std::int32_t allowed) const {
  const std::int32_t pending = pendingCount();
  // A handler running further up the main thread's stack cannot finish while we wait inside
  // it; counting it would make the wait endless.
  if (fnd::RunLoop::isMainThread()) return pending - mRunningQueued > allowed;
  return pending > allowed;
}

void Dravon_UIController::countUp() {
  std::lock_guard guard(UI_COUNTER_LOCK);
  ++mPerformCounter;
}

void Dravon_UIController::countDown(const fnd::SharedDictionary& dic) {
  // Requests made on the main thread were never counted; nor was a handler called without one.
  if (!dic || dic->intValue(kThreadMode) == 1) return;
  {
    std::lock_guard guard(UI_COUNTER_LOCK);
    --mPerformCounter;
  }
  wakePendingWaiter();
}

void Dravon_UIController::stopWaiting() {
  mStopWaiting = true;
  wakePendingWaiter();
}

void Dravon_UIController::wakePendingWaiter() {
  // Taken and left before the notice: a worker between its look and its sleep holds it, so the
  // notice cannot fall between the two.
  { std::lock_guard guard(mPendingMutex); }
  mPendingDone.notify_all();
}

void Dravon_UIController::waitForPending(std::int32_t allowed) {
  const bool worker = !fnd::RunLoop::isMainThread();
  bool first = true;
  while (hasPending(allowed)) {
    if (worker && mStopWaiting.load()) return;
    // The pause ends as soon as the main thread has done a request (a worker) or a request is
    // queued for it (the main thread); the interval only bounds a look.
    if (!first) {
      if (worker) {
        std::unique_lock guard(mPendingMutex);
        mPendingDone.wait_for(guard, std::chrono::duration<double>(kPendingPollSeconds),
                              [this, allowed] { return !hasPending(allowed) || mStopWaiting.load(); });
      } else {
        moPMethod->waitForEvents(kPendingPollSeconds);
      }
    }
    first = false;
    moPMethod->performMethods();
  }
}

void Dravon_UIController::runQueued(Handler handler, const fnd::SharedDictionary& dic) {
  ++mRunningQueued;
  (this->*handler)(dic);
  --mRunningQueued;
}

// --- dispatch ----------------------------------------------------------------------------------

bool Dravon_UIController::dispatch(fnd::SharedDictionary& dic, Handler handler, bool waitForAnswer) {
  const bool mainThread = fnd::RunLoop::isMainThread();
  ControlScope scope(*this, mainThread);
  if (!dic) dic = fnd::makeShared();
  dic->set(kThreadMode, mainThread ? 1 : 0);
  if (mainThread) {
    waitForPending();
    (this->*handler)(dic);
    return true;
  }
  countUp();
  // A caller that does not wait may change or drop its dictionary at once: the handler gets a
  // copy. A caller that waits reads the answer from its own dictionary.
  fnd::SharedDictionary queued = waitForAnswer ? dic : fnd::makeShared(*dic);
  std::weak_ptr<Dravon_UIController*> alive = mAlive;
  fnd::RunLoop::performOnMainThread([alive, handler, queued] {
    if (auto self = alive.lock()) (*self)->runQueued(handler, queued);
  });
  if (!waitForAnswer) return true;
  mHolderWaiting = true;
  waitForPending();
  mHolderWaiting = false;
  // Given up: the dictionary still belongs to the queued request, which may yet run.
  return !hasPending();
}

void Dravon_UIController::uiControlMethod(fnd::SharedDictionary dic, std::int32_t kind) {
  if (Handler handler = methodHandler(kind)) dispatch(dic, handler, false);
}

std::int32_t Dravon_UIController::uiControlNotification(fnd::SharedDictionary dic, std::int32_t kind) {
  if (Handler handler = notificationHandler(kind)) dispatch(dic, handler, false);
  return 0;
}

void Dravon_UIController::uiControlSystemEvent(fnd::SharedDictionary dic, std::int32_t kind) {
  if (Handler handler = systemEventHandler(kind)) dispatch(dic, handler, false);
}

std::int32_t Dravon_UIController::uiControlMessage(fnd::SharedDictionary dic, std::int32_t kind) {
  Handler handler = messageHandler(kind);
  if (!handler) return 0;
  // KIND 300 made on a worker thread does not wait for the box: the caller goes on at once and
  // takes 1 as the answer; the box is shown when the main thread runs the request.
  const bool worker300 = kind == 300 && !fnd::RunLoop::isMainThread();
  if (!dispatch(dic, handler, !worker300)) return 0;
  if (worker300) return 1;
  return dic->intValue(kReturnValue);
}

void Dravon_UIController::uiControlEvent(std::shared_ptr<Quirel_progressCancelStatus> object, std::int32_t kind) {
  if (!fnd::RunLoop::isMainThread()) return;
  Handler handler = eventHandler(kind);
  if (!handler) return;
  auto dic = fnd::makeShared();
  dic->set(kCancelObject, fnd::Value::object(std::move(object)));
  (this->*handler)(dic);
}

void Dravon_UIController::uiClearCounter(std::int32_t allowed) {
  const bool mainThread = fnd::RunLoop::isMainThread();
  ControlScope scope(*this, mainThread);
  if (!mainThread) mHolderWaiting = true;
  waitForPending(allowed);
  if (!mainThread) mHolderWaiting = false;
}

// --- roots -------------------------------------------------------------------------------------

std::unique_ptr<Dravon_UIRoot> Dravon_UIController::makeRoot(std::uint32_t flags) const {
  const RootFactory& factory = rootFactory();
  return factory ? factory(flags) : nullptr;
}

Dravon_UIRoot* Dravon_UIController::initUIM(std::uint32_t flags) {
  if (moProgress == moUIM.get()) moProgress = nullptr;
  moUIM = makeRoot(flags);
  moProgress = moUIM.get();
  return moUIM.get();
}

Dravon_UIRoot* Dravon_UIController::initProgress(const fnd::Dictionary* dic) {
  mProgressRoot = makeRoot(1);
  if (mProgressRoot) mProgressRoot->setInitSetting(dic);
  moProgress = mProgressRoot.get();
  return mProgressRoot.get();
}

Dravon_UIRoot* Dravon_UIController::initConnectWin() {
  moConnectWin = makeRoot(1);
  return moConnectWin.get();
}

void Dravon_UIController::setDsBundleInfo(const fnd::Dictionary* dic, void* object) {
  if (!dic) return;
  mDSSenderObject = object;
}

void Dravon_UIController::setProgressInfo(const fnd::Dictionary* dic) {
  if (moProgress) moProgress->setInitSetting(dic);
}

void Dravon_UIController::releaseRoot(std::unique_ptr<Dravon_UIRoot>& root) {
  if (!root) return;
  waitForPending();
  root.reset();
}

void Dravon_UIController::releaseUIM() {
  if (!moUIM) return;
  waitForPending();
  if (moProgress == moUIM.get()) moProgress = nullptr;
  moUIM.reset();
}

void Dravon_UIController::releaseProgress() {
  if (!moProgress) return;
  waitForPending();
  if (moProgress == mProgressRoot.get()) mProgressRoot.reset();
  moProgress = nullptr;
}

void Dravon_UIController::releaseConnectWin() { releaseRoot(moConnectWin); }

std::int32_t Dravon_UIController::askMessage(const std::function<std::int32_t(Dravon_UIRoot&)>& ask) {
  if (moUIM) return ask(*moUIM);
  // No user interface open: a root without windows shows the box for this one call.
  std::unique_ptr<Dravon_UIRoot> temporary = makeRoot(0);
  if (!temporary) return 0;
  moUIM = std::move(temporary);
  const std::int32_t answer = ask(*moUIM);
  moUIM.reset();
  return answer;
}
