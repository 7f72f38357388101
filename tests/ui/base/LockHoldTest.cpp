// The lock hand-over: a nested holder on the same thread does not wait for itself, a holder on
// another thread waits for the lock, and each thread sees only its own holdings.

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "foundation/Lock.h"
#include "ui/base/LockHold.h"

TEST(LockHold, NestedHolderOnTheSameThreadTakesOnlyWhatIsFree) {
  fnd::Lock message, endScan;
  {
    Quirel_LockHold outer({&message, nullptr});
    EXPECT_EQ(outer.takenCount(), 1u);
    EXPECT_FALSE(outer.nested());
    EXPECT_TRUE(Quirel_LockHold::isHeld(&message));
    EXPECT_FALSE(Quirel_LockHold::isHeld(&endScan));
    {
      Quirel_LockHold inner({&message, &endScan});
      EXPECT_TRUE(inner.nested());
      EXPECT_EQ(inner.takenCount(), 1u);  // only the end-scan lock
      EXPECT_TRUE(Quirel_LockHold::anyHeld({&endScan}));
    }
    // The inner holder gave back only its own lock.
    EXPECT_TRUE(Quirel_LockHold::isHeld(&message));
    EXPECT_FALSE(Quirel_LockHold::isHeld(&endScan));
    outer.release();
    EXPECT_FALSE(Quirel_LockHold::isHeld(&message));
  }
  // Released twice (release() and the destructor) yet free, and takeable by anyone.
  EXPECT_TRUE(message.tryLock());
  message.unlock();
  EXPECT_FALSE(Quirel_LockHold::isHeld(nullptr));
}

TEST(LockHold, AHolderOnAnotherThreadWaitsAndSeesOnlyItsOwnHoldings) {
  fnd::Lock message;
  std::atomic<bool> workerSawMainsHold{true};
  std::atomic<bool> workerTook{false};
  std::atomic<bool> workerHeldIt{false};
  std::thread worker;
  {
    Quirel_LockHold mainHold({&message});
    worker = std::thread([&] {
      workerSawMainsHold = Quirel_LockHold::isHeld(&message);
      Quirel_LockHold hold({&message});  // waits until the main thread lets go
      workerTook = hold.takenCount() == 1;
      workerHeldIt = Quirel_LockHold::isHeld(&message);
    });
    EXPECT_TRUE(Quirel_LockHold::isHeld(&message));
  }
  worker.join();
  EXPECT_FALSE(workerSawMainsHold);
  EXPECT_TRUE(workerTook);
  EXPECT_TRUE(workerHeldIt);
  EXPECT_FALSE(Quirel_LockHold::isHeld(&message));
  EXPECT_TRUE(message.tryLock());
  message.unlock();
}
