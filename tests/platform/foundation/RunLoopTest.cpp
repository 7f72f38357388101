#include "foundation/RunLoop.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QEventLoop>
#include <QTimer>
#include <atomic>
#include <memory>
#include <string>
#include <vector>

#include "foundation/ConditionLock.h"
#include "foundation/Thread.h"

namespace fnd {
namespace {

// Bound for every run and wait in these tests; they end long before it when things work.
constexpr double kBound = 20.0;

RunLoop& loop() { return RunLoop::main(); }

// Runs the default mode until pred holds (checked after each pass) or the bound passes.
bool runUntilTrue(const std::function<bool()>& pred, RunLoopMode mode = RunLoopMode::Default) {
  const Date end{Date::now().seconds + kBound};
  while (!pred()) {
    if (Date::now().seconds > end.seconds) return false;
    loop().runOnce(mode, 0.05);
  }
  return true;
}

// Runs what earlier tests may have left queued, so each test starts with empty queues.
class RunLoopTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(RunLoop::isMainThread());
    for (int i = 0; i < 3; ++i) loop().runOnce(RunLoopMode::Default, 0);
  }
};

// The ordering that modal panels rely on: calls queued from a worker for the default mode wait
// while a modal run is going on, and run after it, in order; a common-modes timer keeps
// firing inside the modal run.
TEST_F(RunLoopTest, DefaultModeCallsWaitForTheNestedModalRunWhileCommonTimersFireInIt) {
  struct State {
    std::vector<int> order;
    bool inModal = false;
    int ranInModal = 0;
    int timerFiresInModal = 0;
    bool modalStopped = false;
    std::atomic<bool> queued{false};
    ConditionLock started{0};
  };
  auto s = std::make_shared<State>();

  auto ticker = Timer::scheduled(0.005, true, [s](Timer&) {
    if (!s->inModal) return;
    ++s->timerFiresInModal;
    // End the modal run once the worker's calls are all queued and we have fired in it.
    if (s->queued && s->timerFiresInModal >= 2) loop().stop();
  }, kCommonModes);

  loop().perform([s] {
    EXPECT_EQ(loop().currentMode(), RunLoopMode::Default);
    Thread::detach([s] {
      ASSERT_TRUE(s->started.lockWhenCondition(1, kBound));  // the modal run is going on
      s->started.unlock();
      for (int i = 1; i <= 3; ++i) {
        RunLoop::performOnMainThread([s, i] {
          EXPECT_TRUE(RunLoop::isMainThread());
          if (s->inModal) ++s->ranInModal;
          s->order.push_back(i);
          if (i == 3) loop().stop();  // ends the outer default run
        });
      }
      s->queued = true;
    });
    s->inModal = true;
    loop().perform([s] { s->started.unlockWithCondition(1); }, RunLoopMode::ModalPanel);
    s->modalStopped = loop().runUntil(RunLoopMode::ModalPanel, Date{Date::now().seconds + kBound});
    s->inModal = false;
    EXPECT_TRUE(s->order.empty());
  });

  EXPECT_TRUE(loop().runFor(RunLoopMode::Default, kBound)) << "the third call never stopped the run";
  ticker->invalidate();
  EXPECT_TRUE(s->modalStopped);
  EXPECT_GE(s->timerFiresInModal, 2);
  EXPECT_EQ(s->ranInModal, 0);
  EXPECT_EQ(s->order, (std::vector<int>{1, 2, 3}));
}

TEST_F(RunLoopTest, CallsRunOnlyInTheirModesAndInQueueOrder) {
  std::vector<std::string> log;
  loop().perform([&] { log.push_back("default"); });
  loop().perform([&] { log.push_back("modal"); }, RunLoopMode::ModalPanel);
  loop().perform([&] { log.push_back("common"); }, kCommonModes);
  loop().perform([&] { log.push_back("tracking"); }, RunLoopMode::EventTracking);
  loop().perform([&] { log.push_back("default2"); });
  EXPECT_TRUE(log.empty()) << "perform never runs at once";

  loop().runOnce(RunLoopMode::ModalPanel, 0);
  EXPECT_EQ(log, (std::vector<std::string>{"modal", "common"}));
  loop().runOnce(RunLoopMode::Default, 0);
  EXPECT_EQ(log, (std::vector<std::string>{"modal", "common", "default", "default2"}));
  loop().runOnce(RunLoopMode::EventTracking, 0);
  EXPECT_EQ(log.back(), "tracking");
}

TEST_F(RunLoopTest, CurrentModeFollowsNestedRuns) {
  EXPECT_EQ(loop().currentMode(), std::nullopt);
  EXPECT_EQ(loop().depth(), 0);
  std::vector<std::optional<RunLoopMode>> modes;
  loop().perform([&] {
    modes.push_back(loop().currentMode());
    loop().perform([&] {
      modes.push_back(loop().currentMode());
      EXPECT_EQ(loop().depth(), 2);
    }, RunLoopMode::EventTracking);
    loop().runOnce(RunLoopMode::EventTracking, 0);
    modes.push_back(loop().currentMode());
  });
  loop().runOnce(RunLoopMode::Default, 0);
  EXPECT_EQ(modes, (std::vector<std::optional<RunLoopMode>>{RunLoopMode::Default, RunLoopMode::EventTracking,
                                                            RunLoopMode::Default}));
  EXPECT_EQ(loop().currentMode(), std::nullopt);
}

TEST_F(RunLoopTest, StopFromAWorkerEndsTheInnermostRun) {
  auto gate = std::make_shared<ConditionLock>(0);
  loop().perform([gate] { gate->unlockWithCondition(1); });
  Thread::detach([gate] {
    if (gate->lockWhenCondition(1, kBound)) gate->unlock();
    loop().stop();
  });
  EXPECT_TRUE(loop().runFor(RunLoopMode::Default, kBound));
  // A stop with no run going on is forgotten, not kept for the next run.
  loop().stop();
  EXPECT_FALSE(loop().runFor(RunLoopMode::Default, 0.01));
}

// A wait on the main thread for something a worker changes ends when the worker wakes the
// loop, not at the end of its interval; a wake-up that comes before the pass is not lost.
TEST_F(RunLoopTest, WakeUpFromAWorkerEndsAWaitingPass) {
  auto changed = std::make_shared<std::atomic<bool>>(false);
  Thread::detach([changed] {
    *changed = true;
    loop().wakeUp();
  });
  // The pass waits an hour unless woken; a lost wake-up shows as the suite's time-out.
  while (!changed->load()) loop().runOnce(RunLoopMode::Default, 3600);
  EXPECT_TRUE(changed->load());
  loop().wakeUp();
  EXPECT_FALSE(loop().runOnce(RunLoopMode::Default, 3600));
}

TEST_F(RunLoopTest, DelayedCallsAndTimersMayBeScheduledFromAWorker) {
  auto fired = std::make_shared<std::atomic<int>>(0);
  Thread::detach([fired] {
    auto cancelled = RunLoop::main().performAfterDelay(0.05, [fired] { *fired += 100; });
    cancelled->invalidate();
    Timer::scheduled(0.001, true, [fired](Timer& t) {
      EXPECT_TRUE(RunLoop::isMainThread());
      if (++*fired == 2) {
        t.invalidate();
        RunLoop::main().performAfterDelay(0.001, [] { loop().stop(); }, RunLoopMode::ModalPanel);
      }
    }, kCommonModes);
  });
  EXPECT_TRUE(loop().runFor(RunLoopMode::ModalPanel, kBound));
  loop().runFor(RunLoopMode::Default, 0.1);  // the cancelled call would be due by now
  EXPECT_EQ(fired->load(), 2);
}

TEST_F(RunLoopTest, PerformAfterDelayRunsOnceAndCancels) {
  int ran = 0, cancelled = 0;
  auto keep = loop().performAfterDelay(0.01, [&] { ++ran; });
  auto cancel = loop().performAfterDelay(0.01, [&] { ++cancelled; });
  cancel->invalidate();
  auto last = loop().performAfterDelay(0.05, [] { loop().stop(); });
  EXPECT_TRUE(loop().runFor(RunLoopMode::Default, kBound));
  EXPECT_EQ(ran, 1);
  EXPECT_EQ(cancelled, 0);
  EXPECT_FALSE(keep->isValid());
  EXPECT_FALSE(last->isValid());
}

TEST_F(RunLoopTest, TimersFireOnlyInTheirModes) {
  int defaultFires = 0, modalFires = 0;
  auto defaultOnly = Timer::scheduled(0, false, [&](Timer& t) {
    EXPECT_TRUE(t.isValid()) << "a one-shot timer is valid while its callback runs";
    ++defaultFires;
  });
  auto modalAndTracking = Timer::create(0, false, [&](Timer&) { ++modalFires; });
  loop().addTimer(modalAndTracking, RunLoopMode::ModalPanel);
  loop().addTimer(modalAndTracking, RunLoopMode::EventTracking);

  loop().runFor(RunLoopMode::EventTracking, 0.02);
  EXPECT_EQ(defaultFires, 0);
  EXPECT_EQ(modalFires, 1);
  EXPECT_TRUE(runUntilTrue([&] { return defaultFires == 1; }));
  EXPECT_FALSE(defaultOnly->isValid());
  EXPECT_FALSE(modalAndTracking->isValid());
}

TEST_F(RunLoopTest, RepeatingTimerRepeatsUntilInvalidatedFromItsCallback) {
  int fires = 0;
  auto timer = Timer::scheduled(0.001, true, [&](Timer& t) {
    if (++fires == 3) t.invalidate();
  });
  EXPECT_TRUE(timer->repeats());
  EXPECT_TRUE(runUntilTrue([&] { return !timer->isValid(); }));
  loop().runFor(RunLoopMode::Default, 0.02);
  EXPECT_EQ(fires, 3);
}

TEST_F(RunLoopTest, TimerIsNotFiredAgainWhileItsCallbackRunsANestedLoop) {
  int fires = 0, firesDuringNested = 0;
  auto timer = Timer::scheduled(0.001, true, [&](Timer& t) {
    ++fires;
    if (fires == 1) {
      loop().runFor(RunLoopMode::ModalPanel, 0.05);  // the timer is due several times meanwhile
      firesDuringNested = fires;
      t.invalidate();
    }
  }, kCommonModes);
  EXPECT_TRUE(runUntilTrue([&] { return !timer->isValid(); }));
  EXPECT_EQ(firesDuringNested, 1);
  EXPECT_EQ(fires, 1);
}

TEST_F(RunLoopTest, FireDateMovesAndManualFireKeepsARepeatingTimer) {
  int fires = 0;
  auto timer = Timer::scheduled(1000, true, [&](Timer&) { ++fires; });
  EXPECT_GT(timer->fireDate().seconds, Date::now().seconds + 100);
  timer->fire();
  EXPECT_EQ(fires, 1);
  EXPECT_TRUE(timer->isValid());
  timer->setFireDate(Date::now());
  EXPECT_TRUE(runUntilTrue([&] { return fires == 2; }));
  EXPECT_GT(timer->fireDate().seconds, Date::now().seconds + 100) << "the next beat follows the interval";
  timer->invalidate();
  timer->setFireDate(Date::now());
  loop().runFor(RunLoopMode::Default, 0.02);
  EXPECT_EQ(fires, 2);
}

// Qt events are served inside our runs, in every mode; and our calls and timers are served
// when Qt's own loop runs outside ours.
TEST_F(RunLoopTest, QtEventsAndOurQueueServeEachOther) {
  bool qtTimerFired = false;
  QTimer::singleShot(0, QCoreApplication::instance(), [&] { qtTimerFired = true; });
  EXPECT_TRUE(runUntilTrue([&] { return qtTimerFired; }, RunLoopMode::ModalPanel));

  QEventLoop qtLoop;
  QTimer::singleShot(static_cast<int>(kBound * 1000), &qtLoop, &QEventLoop::quit);
  int steps = 0;
  Thread::detach([&qtLoop, &steps] {
    RunLoop::performOnMainThread([&qtLoop, &steps] {
      ++steps;
      RunLoop::main().performAfterDelay(0.01, [&qtLoop, &steps] {
        ++steps;
        qtLoop.quit();
      });
    });
  });
  qtLoop.exec();
  EXPECT_EQ(steps, 2);
}

TEST_F(RunLoopTest, ModeScopeMarksALoopQtRunsForAnotherMode) {
  std::vector<std::string> log;
  QEventLoop menuLoop;
  QTimer::singleShot(static_cast<int>(kBound * 1000), &menuLoop, &QEventLoop::quit);
  loop().perform([&] { log.push_back("default"); });
  loop().perform([&] {
    log.push_back("tracking");
    loop().performAfterDelay(0.01, [&] { menuLoop.quit(); }, RunLoopMode::EventTracking);
  }, RunLoopMode::EventTracking);
  {
    RunLoop::ModeScope scope(RunLoopMode::EventTracking);
    EXPECT_EQ(loop().currentMode(), RunLoopMode::EventTracking);
    menuLoop.exec();
  }
  EXPECT_EQ(log, (std::vector<std::string>{"tracking"}));
  EXPECT_TRUE(runUntilTrue([&] { return log.size() == 2; }));
  EXPECT_EQ(log.back(), "default");
}

// Windows and other Qt objects are often released with deleteLater(); the application's loop
// is our outermost run, so that run must carry the deletion out.
TEST_F(RunLoopTest, OutermostRunDeletesObjectsReleasedWithDeleteLater) {
  bool destroyed = false;
  auto* object = new QObject;
  QObject::connect(object, &QObject::destroyed, [&] { destroyed = true; });
  loop().perform([object] { object->deleteLater(); });
  loop().perform([&] {
    // A nested run must not delete it: the caller further up may still use the object.
    loop().runFor(RunLoopMode::Default, 0.01);
    EXPECT_FALSE(destroyed);
    // Armed only now: a stop due while the nested run goes on would end that run instead.
    loop().performAfterDelay(0.02, [] { loop().stop(); });
  });
  EXPECT_TRUE(loop().runFor(RunLoopMode::Default, kBound));
  EXPECT_TRUE(destroyed);
  if (!destroyed) delete object;

  // The same for an application loop made of single passes.
  destroyed = false;
  object = new QObject;
  QObject::connect(object, &QObject::destroyed, [&] { destroyed = true; });
  loop().perform([object] { object->deleteLater(); });
  EXPECT_TRUE(runUntilTrue([&] { return destroyed; }));
  if (!destroyed) delete object;
}

TEST_F(RunLoopTest, RunsOffTheMainThreadReturnAtOnce) {
  auto done = std::make_shared<ConditionLock>(0);
  auto results = std::make_shared<std::vector<bool>>();
  Thread::detach([done, results] {
    done->lock();
    results->push_back(RunLoop::isMainThread());
    results->push_back(loop().runOnce(RunLoopMode::Default, 1000));
    results->push_back(loop().runFor(RunLoopMode::Default, 1000));
    done->unlockWithCondition(1);
  });
  ASSERT_TRUE(done->lockWhenCondition(1, kBound));
  done->unlock();
  EXPECT_EQ(*results, (std::vector<bool>{false, false, false}));
}

}  // namespace
}  // namespace fnd
