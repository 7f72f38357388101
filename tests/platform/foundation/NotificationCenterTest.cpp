#include "foundation/NotificationCenter.h"

#include <gtest/gtest.h>

#include <atomic>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "foundation/ConditionLock.h"
#include "foundation/Thread.h"

namespace fnd {
namespace {

// Bound for every wait on another thread in these tests.
constexpr double kBound = 20.0;

TEST(NotificationCenter, WorkerPostReachesSenderFilteredObserverOnItsThreadAndSeesTheAnswer) {
  NotificationCenter center;
  int scanner = 0, other = 0;
  struct Seen {
    std::thread::id thread;
    int calls = 0;
  };
  auto seen = std::make_shared<Seen>();
  auto token = center.observe("SM_IMAGEINFO", &scanner, [seen](const Notification& n) {
    seen->thread = std::this_thread::get_id();
    ++seen->calls;
    n.info()->set("ReturnValue", 7);
  });

  struct Shared {
    ConditionLock done{0};
    std::thread::id worker;
    SharedDictionary answered, ignored;
  };
  auto shared = std::make_shared<Shared>();
  Thread::detach([shared, &center, &scanner, &other] {
    shared->done.lock();
    shared->worker = std::this_thread::get_id();
    shared->answered = makeShared();
    center.post("SM_IMAGEINFO", &scanner, shared->answered);
    shared->ignored = makeShared();
    center.post("SM_IMAGEINFO", &other, shared->ignored);
    center.post("SM_OTHER", &scanner, nullptr);
    shared->done.unlockWithCondition(1);
  });
  ASSERT_TRUE(shared->done.lockWhenCondition(1, kBound));
  shared->done.unlock();

  EXPECT_EQ(seen->calls, 1);
  EXPECT_EQ(seen->thread, shared->worker);
  EXPECT_NE(seen->thread, std::this_thread::get_id());
  EXPECT_EQ(shared->answered->intValue("ReturnValue"), 7);
  EXPECT_FALSE(shared->ignored->contains("ReturnValue"));
}

TEST(NotificationCenter, FiltersByNameAndSender) {
  int a = 0, b = 0;
  struct Case {
    const char* observedName;
    const void* observedSender;
    const char* postedName;
    const void* postedSender;
    bool delivered;
  };
  const Case cases[] = {
      {"N", nullptr, "N", &a, true},   {"N", nullptr, "N", nullptr, true}, {"N", nullptr, "M", &a, false},
      {"N", &a, "N", &a, true},        {"N", &a, "N", &b, false},          {"N", &a, "N", nullptr, false},
      {"", &a, "anything", &a, true},  {"", &a, "N", &b, false},           {"", nullptr, "X", &b, true},
  };
  for (const auto& c : cases) {
    NotificationCenter center;
    int calls = 0;
    auto token = center.observe(c.observedName, c.observedSender, [&](const Notification&) { ++calls; });
    center.post(c.postedName, c.postedSender);
    EXPECT_EQ(calls, c.delivered ? 1 : 0) << "observed '" << c.observedName << "' posted '" << c.postedName << "'";
  }
}

TEST(NotificationCenter, ObserversRunInOrderAndMayPostAgain) {
  NotificationCenter center;
  std::vector<std::string> log;
  center.addObserver(&log, "outer", nullptr, [&](const Notification& n) {
    log.push_back("first:" + n.name);
    center.post("inner", nullptr, n.userInfo);
  });
  center.addObserver(&log, "inner", nullptr, [&](const Notification& n) {
    log.push_back("inner");
    n.info()->set("depth", 2);
  });
  center.addObserver(&log, "outer", nullptr, [&](const Notification&) { log.push_back("second"); });
  auto info = makeShared();
  center.post("outer", nullptr, info);
  EXPECT_EQ(log, (std::vector<std::string>{"first:outer", "inner", "second"}));
  EXPECT_EQ(info->intValue("depth"), 2);
  center.removeObserver(&log);
  EXPECT_EQ(center.observerCount(), 0u);
}

TEST(NotificationCenter, ChangesDuringAPostApplyFromTheNextPost) {
  NotificationCenter center;
  int owner1 = 0, owner2 = 0;
  std::vector<std::string> log;
  NotificationCenter::Token self, added;
  center.addObserver(&owner1, "N", nullptr, [&](const Notification&) {
    log.push_back("remover");
    center.removeObserver(&owner2);  // later in the list: must not be called any more
    if (!added) added = center.observe("N", nullptr, [&](const Notification&) { log.push_back("added"); });
  });
  center.addObserver(&owner2, "N", nullptr, [&](const Notification&) { log.push_back("removed"); });
  self = center.observe("N", nullptr, [&](const Notification&) {
    log.push_back("self");
    self.reset();  // an observer may end its own observation while it runs
  });

  center.post("N");
  EXPECT_EQ(log, (std::vector<std::string>{"remover", "self"}));
  log.clear();
  center.post("N");
  EXPECT_EQ(log, (std::vector<std::string>{"remover", "added"}));
  center.removeObserver(&owner1);
  added.reset();
  EXPECT_EQ(center.observerCount(), 0u);
}

TEST(NotificationCenter, OwnerRemovalAndTokens) {
  NotificationCenter center;
  int owner = 0, keeper = 0, sender = 0;
  int calls = 0;
  center.addObserver(&owner, "A", nullptr, [&](const Notification&) { ++calls; });
  center.addObserver(&owner, "B", &sender, [&](const Notification&) { ++calls; });
  center.addObserver(&owner, "B", nullptr, [&](const Notification&) { ++calls; });
  center.addObserver(&keeper, "A", nullptr, [&](const Notification&) { calls += 100; });

  center.removeObserver(&owner, "B", &sender);  // only the sender-filtered one
  center.post("B", &sender);
  EXPECT_EQ(calls, 1);
  center.removeObserver(&owner);
  center.post("A");
  center.post("B");
  EXPECT_EQ(calls, 101);

  calls = 0;
  {
    auto token = center.observe("T", nullptr, [&](const Notification&) { ++calls; });
    NotificationCenter::Token moved = std::move(token);
    center.post("T");
    EXPECT_FALSE(token);
    EXPECT_TRUE(moved);
  }
  center.post("T");
  EXPECT_EQ(calls, 1);
  EXPECT_EQ(center.observerCount(), 1u);
}

// Workers post all the time while the main thread adds observers and destroys their owners.
// Every delivered notification must be whole, and no handler may run on a destroyed owner
// (the sanitizer builds check the latter).
TEST(NotificationCenter, ConcurrentPostsWhileObserversComeAndGo) {
  NotificationCenter center;
  int sender = 0;
  struct Shared {
    std::atomic<bool> quit{false};
    std::atomic<int> posts{0};
    ConditionLock finished{0};
  };
  auto shared = std::make_shared<Shared>();
  constexpr int kWorkers = 3;
  for (int w = 0; w < kWorkers; ++w) {
    Thread::detach([shared, &center, &sender] {
      long long n = 0;
      while (!shared->quit) {
        auto info = makeShared();
        info->set("a", n);
        info->set("b", n);
        center.post("tick", &sender, info);
        ++n;
        ++shared->posts;
      }
      shared->finished.lock();
      shared->finished.unlockWithCondition(shared->finished.condition() + 1);
    });
  }

  struct Owner {
    std::atomic<int> received{0};
    std::atomic<int> torn{0};
  };
  std::atomic<int> total{0};
  for (int round = 0; round < 300; ++round) {
    auto owner = std::make_unique<Owner>();
    Owner* raw = owner.get();
    center.addObserver(raw, "tick", &sender, [raw, &total](const Notification& n) {
      if (n.info()->integer("a") != n.info()->integer("b")) ++raw->torn;
      ++raw->received;
      ++total;
    });
    // Remove it while posts reach it (bounded: a worker that never posts fails below).
    const double until = Date::now().seconds + kBound;
    while (raw->received == 0 && Date::now().seconds < until) std::this_thread::yield();
    center.removeObserver(raw);
    EXPECT_EQ(owner->torn, 0);
    owner.reset();  // a handler still running on a worker would now touch freed memory
  }
  shared->quit = true;
  ASSERT_TRUE(shared->finished.lockWhenCondition(kWorkers, kBound));
  shared->finished.unlock();
  EXPECT_GE(total.load(), 300);
  EXPECT_EQ(center.observerCount(), 0u);
}

}  // namespace
}  // namespace fnd
