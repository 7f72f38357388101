#pragma once

#include <initializer_list>
#include <vector>

#include "foundation/Lock.h"

// Holds the main-window controller's plain locks for a holder that nested run loops may enter
// again: the close of the main window, the end of a scan, a message box. All of them run on the
// main thread, where a modal run inside one holder can start another; taking a plain lock a
// second time on the same thread would wait for itself.
//
// A lock that an enclosing holder on the same thread already has is not taken again: that
// holder cannot go on until the nested one returns, so the order is kept all the same. A
// holder that must not run inside another (the close) asks isHeld() first and defers itself
// to the next pass of the run loop. A lock held by another thread is waited for, at most
// kWaitSeconds; after that the holder goes on without it rather than hang.
//
// Every holder of these locks must take them through this class, so that it knows who holds
// what.
class Quirel_LockHold {
 public:
  static constexpr double kWaitSeconds = 5.0;

  // Takes the non-null locks in the order given.
  Quirel_LockHold(std::initializer_list<fnd::Lock*> locks);
  // Releases the locks it took, in the order they were taken.
  ~Quirel_LockHold();
  Quirel_LockHold(const Quirel_LockHold&) = delete;
  Quirel_LockHold& operator=(const Quirel_LockHold&) = delete;

  // Releases now (the destructor then does nothing).
  void release();
  // How many locks this holder took itself.
  std::size_t takenCount() const { return taken_.size(); }
  // Some lock was already held by an enclosing holder on this thread.
  bool nested() const { return nested_; }

  // Held by a holder on the calling thread right now.
  static bool isHeld(const fnd::Lock* lock);
  static bool anyHeld(std::initializer_list<const fnd::Lock*> locks);

 private:
  std::vector<fnd::Lock*> taken_;
  bool nested_ = false;
};
