#include <gtest/gtest.h>

#include <atomic>
#include <functional>
#include <future>

#include "launcher/save/CMThread.h"

namespace {

// A clock on which no time passes except what the waits and sleeps add.
class FakeClock final : public CMClock {
 public:
  std::uint64_t NowMs() override { return now.load(); }
  void Sleep(std::uint32_t ms) override {
    ++sleeps;
    now += ms;
  }
  void WaitCond(CMCond*, CMMutex*, std::uint32_t ms) override {
    ++waits;
    lastWaitMs = ms;
    now += ms;
  }
  std::atomic<std::uint64_t> now{0};
  std::atomic<int> sleeps{0};
  std::atomic<int> waits{0};
  std::atomic<std::uint32_t> lastWaitMs{0};
};

class ScopedClock {
 public:
  explicit ScopedClock(CMClock* clock) : previous_(CM_SetClock(clock)) {}
  ~ScopedClock() { CM_SetClock(previous_); }

 private:
  CMClock* previous_;
};

// A worker that runs until the test lets it go.
struct HeldWorker {
  std::promise<void> release;
  std::shared_future<void> released{release.get_future().share()};
  std::atomic<int> ran{0};

  static void Body(void* raw) {
    auto* self = static_cast<HeldWorker*>(raw);
    CM_DisableThreadCancel();
    self->ran++;
    self->released.wait();
  }
};

// Lets a held worker end and consumes its record, so nothing outlives the test.
void finish(HeldWorker& worker, CMThreadStruct** slot) {
  worker.release.set_value();
  std::uint32_t result = 99;
  ASSERT_EQ(CM_WaitThreadEnd(slot, CM_WAIT_FOREVER, &result), CM_OK);
  EXPECT_EQ(result, 0u);
  EXPECT_EQ(*slot, nullptr);
}

TEST(CMThread, LimitedWaitOnARunningWorkerTimesOutAfterItsRounds) {
  struct Case {
    std::uint32_t limitMs;
    int rounds;
  } cases[] = {{50, 1}, {100, 2}, {180000, 3600}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.limitMs);
    HeldWorker worker;
    CMThreadStruct* slot = nullptr;
    ASSERT_EQ(CM_CreateThread(&slot, &HeldWorker::Body, &worker), CM_OK);
    {
      FakeClock clock;
      ScopedClock scoped(&clock);
      std::uint32_t result = 99;
      EXPECT_EQ(CM_WaitThreadEnd(&slot, c.limitMs, &result), CM_OK);
      EXPECT_EQ(result, 2u);
      EXPECT_EQ(clock.waits.load(), c.rounds);
      EXPECT_EQ(clock.lastWaitMs.load(), 50u);
      EXPECT_NE(slot, nullptr) << "a timed-out wait keeps the record";
    }
    finish(worker, &slot);
  }
}

TEST(CMThread, WaitOnAnAlreadySignalledWorkerAnswersAtOnceAndClearsTheSlot) {
  struct Context {
    CMThreadStruct** slot;
    std::promise<void> signalled;
    std::promise<void> leave;
  } ctx;
  CMThreadStruct* slot = nullptr;
  ctx.slot = &slot;
  auto leave = ctx.leave.get_future();
  auto signalled = ctx.signalled.get_future();
  ASSERT_EQ(CM_CreateThread(
                &slot,
                [](void* raw) {
                  auto* c = static_cast<Context*>(raw);
                  CM_SignalThreadEnd(*c->slot);
                  c->signalled.set_value();
                },
                &ctx),
            CM_OK);
  signalled.wait();
  FakeClock clock;
  ScopedClock scoped(&clock);
  std::uint32_t result = 99;
  EXPECT_EQ(CM_WaitThreadEnd(&slot, 50, &result), CM_OK);
  EXPECT_EQ(result, 0u);
  EXPECT_EQ(slot, nullptr);
  EXPECT_EQ(clock.waits.load(), 0);
  // The thread may still be leaving; its share of the record keeps the record alive until then
  // (the sanitizer runs would see a use after free otherwise).
}

TEST(CMThread, WorkerEndIsSeenHoweverTheBodyEnds) {
  // Returning, and throwing (which a body must not do, but the waiter is released anyway).
  CMThreadBody bodies[] = {
      [](void*) {},
      [](void*) { throw 7; },
      [](void*) { CM_ThrowIfError(0xDCA01); },
  };
  for (CMThreadBody body : bodies) {
    CMThreadStruct* slot = nullptr;
    ASSERT_EQ(CM_CreateThread(&slot, body, nullptr), CM_OK);
    std::uint32_t result = 99;
    EXPECT_EQ(CM_WaitThreadEnd(&slot, CM_WAIT_FOREVER, &result), CM_OK);
    EXPECT_EQ(result, 0u);
    EXPECT_EQ(slot, nullptr);
  }
}

TEST(CMThread, UnlimitedWaitPollsInOneSecondRoundsUntilTheEnd) {
  HeldWorker worker;
  CMThreadStruct* slot = nullptr;
  ASSERT_EQ(CM_CreateThread(&slot, &HeldWorker::Body, &worker), CM_OK);

  // A clock whose third round lets the worker go; each round must wait (not spin).
  struct ReleasingClock final : public CMClock {
    HeldWorker* worker = nullptr;
    std::atomic<int> rounds{0};
    std::uint64_t NowMs() override { return 0; }
    void Sleep(std::uint32_t) override {}
    void WaitCond(CMCond* cond, CMMutex* mutex, std::uint32_t ms) override {
      EXPECT_EQ(ms, 1000u);
      if (++rounds == 3) {
        worker->release.set_value();
        CM_SystemClock()->WaitCond(cond, mutex, 1000);
      }
    }
  } clock;
  clock.worker = &worker;
  ScopedClock scoped(&clock);
  std::uint32_t result = 99;
  while (slot) ASSERT_EQ(CM_WaitThreadEnd(&slot, CM_WAIT_FOREVER, &result), CM_OK);
  EXPECT_EQ(result, 0u);
  EXPECT_GE(clock.rounds.load(), 3);
}

TEST(CMThread, CreatingIntoASlotThatHoldsALiveRecordIsRefusedAndKeepsTheWorker) {
  HeldWorker first;
  CMThreadStruct* slot = nullptr;
  ASSERT_EQ(CM_CreateThread(&slot, &HeldWorker::Body, &first), CM_OK);
  CMThreadStruct* const original = slot;

  HeldWorker second;
  EXPECT_EQ(CM_CreateThread(&slot, &HeldWorker::Body, &second), CM_ERR_BAD_ARGUMENT);
  EXPECT_EQ(slot, original);
  second.release.set_value();
  EXPECT_EQ(second.ran.load(), 0);

  finish(first, &slot);
  // Once consumed, the slot takes a new worker.
  HeldWorker third;
  ASSERT_EQ(CM_CreateThread(&slot, &HeldWorker::Body, &third), CM_OK);
  finish(third, &slot);
}

TEST(CMThread, CancelledWorkerEndsAtItsCancellationPointAndReleasesTheWaiter) {
  std::atomic<bool> started{false};
  struct Context {
    std::atomic<bool>* started;
    std::atomic<int> finishedNormally{0};
  } ctx{&started};
  CMThreadStruct* slot = nullptr;
  ASSERT_EQ(CM_CreateThread(
                &slot,
                [](void* raw) {
                  auto* c = static_cast<Context*>(raw);
                  CM_DisableThreadCancel();
                  c->started->store(true);
                  for (int i = 0; i < 1000000; ++i) {
                    CM_TestCancel();
                    CM_Sleep(1);
                  }
                  c->finishedNormally++;
                },
                &ctx),
            CM_OK);
  while (!started.load()) CM_Sleep(1);
  EXPECT_EQ(CM_CancelThread(slot), CM_OK);
  std::uint32_t result = 99;
  EXPECT_EQ(CM_WaitThreadEnd(&slot, CM_WAIT_FOREVER, &result), CM_OK);
  EXPECT_EQ(result, 0u);
  EXPECT_EQ(ctx.finishedNormally.load(), 0);
  // Outside a worker, a cancellation point does nothing.
  EXPECT_EQ(CM_TestCancel(), CM_OK);
}

TEST(CMThread, BadArgumentsAreAnsweredWithoutThrowing) {
  CMThreadStruct* empty = nullptr;
  std::uint32_t result = 0;
  std::unique_ptr<CMMutex> noMutex;
  std::unique_ptr<CMCond> noCond;
  struct Case {
    const char* what;
    std::function<CMResult()> call;
    CMResult expected;
  } cases[] = {
      {"create thread, null slot", [] { return CM_CreateThread(nullptr, [](void*) {}, nullptr); }, 0xDCA01},
      {"create thread, null body", [&] { return CM_CreateThread(&empty, nullptr, nullptr); }, 0xDCA01},
      {"wait, null slot", [&] { return CM_WaitThreadEnd(nullptr, 50, &result); }, 0xDCA01},
      {"wait, empty slot", [&] { return CM_WaitThreadEnd(&empty, 50, &result); }, 0xDCA01},
      {"signal, null record", [] { return CM_SignalThreadEnd(nullptr); }, 0xDCA01},
      {"cancel, null record", [] { return CM_CancelThread(nullptr); }, 0xDCA01},
      {"lock, empty slot", [&] { return CM_LockMutex(&noMutex); }, 0xDCA01},
      {"unlock, empty slot", [&] { return CM_UnlockMutex(&noMutex); }, 0xDCA01},
      {"destroy mutex, empty slot", [&] { return CM_DestroyMutex(&noMutex); }, 0xDCA01},
      {"destroy mutex, null slot", [] { return CM_DestroyMutex(nullptr); }, 0xDCA01},
      {"destroy cond, empty slot", [&] { return CM_DestroyCond(&noCond); }, 0xDCA01},
      {"create mutex, null slot", [] { return CM_CreateMutex(nullptr); }, 0xDCA01},
      {"create cond, null slot", [] { return CM_CreateCond(nullptr); }, 0xDCA01},
  };
  for (const Case& c : cases) {
    CMResult got = 0;
    EXPECT_NO_THROW(got = c.call()) << c.what;
    EXPECT_EQ(got, c.expected) << c.what;
  }
}

TEST(CMThread, MutexAndConditionSlotsAreFilledOnceAndClearedOnDestroy) {
  std::unique_ptr<CMMutex> mutex;
  ASSERT_EQ(CM_CreateMutex(&mutex), CM_OK);
  CMMutex* const made = mutex.get();
  EXPECT_EQ(CM_CreateMutex(&mutex), CM_ERR_BAD_ARGUMENT);
  EXPECT_EQ(mutex.get(), made) << "a set slot keeps its mutex";
  EXPECT_EQ(CM_LockMutex(&mutex), CM_OK);
  EXPECT_EQ(CM_UnlockMutex(&mutex), CM_OK);
  EXPECT_EQ(CM_DestroyMutex(&mutex), CM_OK);
  EXPECT_EQ(mutex, nullptr);

  std::unique_ptr<CMCond> cond;
  ASSERT_EQ(CM_CreateCond(&cond), CM_OK);
  EXPECT_EQ(CM_CreateCond(&cond), CM_ERR_BAD_ARGUMENT);
  EXPECT_EQ(CM_DestroyCond(&cond), CM_OK);
  EXPECT_EQ(cond, nullptr);
}

#if !defined(__SANITIZE_THREAD__)
// The thread sanitizer reports destroying a locked mutex itself, which is the point here.
TEST(CMThread, DestroyingALockedMutexFailsAndKeepsTheSlot) {
  std::unique_ptr<CMMutex> mutex;
  ASSERT_EQ(CM_CreateMutex(&mutex), CM_OK);
  ASSERT_EQ(CM_LockMutex(&mutex), CM_OK);
  EXPECT_EQ(CM_DestroyMutex(&mutex), CM_ERR_SYSTEM);
  EXPECT_NE(mutex, nullptr);
  EXPECT_EQ(CM_UnlockMutex(&mutex), CM_OK);
  EXPECT_EQ(CM_DestroyMutex(&mutex), CM_OK);
}
#endif

TEST(CMThread, SleepGoesThroughTheClock) {
  FakeClock clock;
  ScopedClock scoped(&clock);
  EXPECT_EQ(CM_Sleep(50), CM_OK);
  EXPECT_EQ(CM_Sleep(1500), CM_OK);
  EXPECT_EQ(clock.sleeps.load(), 2);
  EXPECT_EQ(clock.now.load(), 1550u);
}

TEST(CMThread, ManyWorkersSignalTheirOwnRecords) {
  // Each worker polls a shared counter as the save workers do; every record is consumed.
  constexpr int kWorkers = 8;
  std::atomic<int> done{0};
  CMThreadStruct* slots[kWorkers] = {};
  for (auto& slot : slots)
    ASSERT_EQ(CM_CreateThread(
                  &slot, [](void* raw) { static_cast<std::atomic<int>*>(raw)->fetch_add(1); }, &done),
              CM_OK);
  for (auto& slot : slots) {
    std::uint32_t result = 99;
    while (slot) ASSERT_EQ(CM_WaitThreadEnd(&slot, 180000, &result), CM_OK);
    EXPECT_EQ(result, 0u);
  }
  EXPECT_EQ(done.load(), kWorkers);
}

}  // namespace
