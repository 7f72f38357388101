#include <gtest/gtest.h>

#include <atomic>
#include <functional>
#include <memory>
#include <stdexcept>
#include <thread>
#include <vector>

#include "foundation/ConditionLock.h"
#include "foundation/Lock.h"
#include "foundation/RecursiveLock.h"
#include "foundation/Thread.h"

namespace fnd {
namespace {

constexpr double kBound = 20.0;

// Runs body on a detached thread and waits (bounded) for it to finish.
bool onWorker(std::function<void()> body) {
  auto done = std::make_shared<ConditionLock>(0);
  Thread::detach([done, body = std::move(body)] {
    body();
    done->unlockWithCondition(1);
  });
  if (!done->lockWhenCondition(1, kBound)) return false;
  done->unlock();
  return true;
}

TEST(Lock, ExcludesOtherThreadsAndTimesOut) {
  Lock lock;
  lock.lock();
  bool tried = true, timed = true;
  ASSERT_TRUE(onWorker([&] {
    tried = lock.tryLock();
    timed = lock.lockFor(0.01);
  }));
  EXPECT_FALSE(tried);
  EXPECT_FALSE(timed);
  lock.unlock();
  ASSERT_TRUE(onWorker([&] {
    timed = lock.lockBeforeDate(Date{Date::now().seconds + kBound});
    if (timed) lock.unlock();
  }));
  EXPECT_TRUE(timed);
  std::lock_guard guard(lock);  // usable with the standard guards
}

TEST(RecursiveLock, TheHolderMayLockAgain) {
  RecursiveLock lock;
  lock.lock();
  EXPECT_TRUE(lock.tryLock());
  lock.unlock();
  bool other = true;
  ASSERT_TRUE(onWorker([&] { other = lock.lockFor(0.01); }));
  EXPECT_FALSE(other) << "still held once";
  lock.unlock();
  ASSERT_TRUE(onWorker([&] {
    other = lock.tryLock();
    if (other) lock.unlock();
  }));
  EXPECT_TRUE(other);
}

TEST(ConditionLock, ImmediateAndTimedVariants) {
  ConditionLock lock(3);
  EXPECT_EQ(lock.condition(), 3);
  EXPECT_FALSE(lock.tryLockWhenCondition(4));
  EXPECT_FALSE(lock.lockWhenCondition(4, 0.01));
  EXPECT_FALSE(lock.lockWhenConditionBeforeDate(4, Date{Date::now().seconds - 1}));
  EXPECT_TRUE(lock.tryLockWhenCondition(3));
  // Held: even the right condition does not get it.
  EXPECT_FALSE(lock.tryLockWhenCondition(3));
  EXPECT_FALSE(lock.tryLock());
  lock.unlockWithCondition(4);
  EXPECT_EQ(lock.condition(), 4);
  EXPECT_TRUE(lock.lockWhenCondition(4, kBound));
  lock.unlock();
  lock.unlock();  // unlocking a free lock does nothing
  EXPECT_TRUE(lock.tryLock());
  lock.unlock();
}

// A wait with a give-up test: the other side of a hand-over ends without handing anything
// over, says so, and the waiter stops at once instead of at its time-out.
TEST(ConditionLock, AWaitWithAGiveUpTestEndsWhenWokenAfterItTurnsTrue) {
  struct Shared {
    ConditionLock lock{0};
    std::atomic<bool> otherSideGone{false};
    std::atomic<int> taken{-1};
  };
  auto s = std::make_shared<Shared>();
  const std::function<bool()> gone = [s] { return s->otherSideGone.load(); };
  // A free lock in the right condition is taken, whatever the test says.
  s->otherSideGone = true;
  EXPECT_TRUE(s->lock.lockWhenConditionUnless(0, 0.01, gone));
  s->lock.unlock();
  EXPECT_FALSE(s->lock.lockWhenConditionUnless(1, 0.01, gone));

  s->otherSideGone = false;
  auto finished = std::make_shared<ConditionLock>(0);
  Thread::detach([s, finished] {
    // An hour: only the wake-up can end this wait within the test's bound.
    const std::function<bool()> test = [s] { return s->otherSideGone.load(); };
    s->taken = s->lock.lockWhenConditionUnless(1, 3600, test) ? 1 : 0;
    finished->unlockWithCondition(1);
  });
  s->otherSideGone = true;
  s->lock.wakeWaiters();
  const bool ended = finished->lockWhenCondition(1, kBound);
  if (!ended) s->lock.unlockWithCondition(1);  // lets the waiter go before the test ends
  ASSERT_TRUE(ended);
  finished->unlock();
  EXPECT_EQ(s->taken.load(), 0);
  // The lock was never taken: its condition and state are as they were.
  EXPECT_TRUE(s->lock.tryLockWhenCondition(0));
  s->lock.unlock();
}

// Hand-over between a producer and a consumer thread, the way the scan module and the data
// source pass buffers: each side waits for its condition, works, and hands back.
TEST(ConditionLock, HandsOverBetweenThreadsInTurn) {
  constexpr int kEmpty = 0, kFull = 1, kRounds = 200;
  struct Shared {
    ConditionLock lock{kEmpty};
    std::vector<int> buffer;
    std::vector<int> consumed;
    bool producerOk = true;
  };
  auto s = std::make_shared<Shared>();
  auto finished = std::make_shared<ConditionLock>(0);
  Thread::detach([s, finished] {
    for (int i = 0; i < kRounds; ++i) {
      if (!s->lock.lockWhenCondition(kEmpty, kBound)) {
        s->producerOk = false;
        break;
      }
      s->buffer.push_back(i);
      s->lock.unlockWithCondition(kFull);
    }
    finished->unlockWithCondition(1);
  }, "producer");
  bool consumerOk = true;
  for (int i = 0; i < kRounds && consumerOk; ++i) {
    consumerOk = s->lock.lockWhenCondition(kFull, kBound);
    if (!consumerOk) break;
    s->consumed.insert(s->consumed.end(), s->buffer.begin(), s->buffer.end());
    s->buffer.clear();
    s->lock.unlockWithCondition(kEmpty);
  }
  ASSERT_TRUE(finished->lockWhenCondition(1, kBound));
  finished->unlock();
  EXPECT_TRUE(consumerOk);
  EXPECT_TRUE(s->producerOk);
  ASSERT_EQ(s->consumed.size(), static_cast<std::size_t>(kRounds));
  for (int i = 0; i < kRounds; ++i) EXPECT_EQ(s->consumed[i], i);
}

TEST(Thread, DetachedBodiesRunOffTheMainThreadAndSurviveExceptions) {
  EXPECT_TRUE(isMainThread());
  EXPECT_TRUE(Thread::isMainThread());
  std::atomic<bool> main{true};
  std::thread::id id;
  ASSERT_TRUE(onWorker([&] {
    main = Thread::isMainThread();
    id = std::this_thread::get_id();
  }));
  EXPECT_FALSE(main);
  EXPECT_NE(id, std::this_thread::get_id());

  auto after = std::make_shared<ConditionLock>(0);
  EXPECT_TRUE(Thread::detach([] { throw std::runtime_error("worker failed"); }, "thrower"));
  Thread::detach([after] { after->unlockWithCondition(1); });
  ASSERT_TRUE(after->lockWhenCondition(1, kBound)) << "the process goes on after a worker threw";
  after->unlock();
  Thread::sleepFor(0.001);
  Thread::sleepFor(-1);
}

}  // namespace
}  // namespace fnd
