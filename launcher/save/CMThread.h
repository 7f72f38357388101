#pragma once

// Mutexes, conditions, detached worker threads with an end flag another thread waits for, and
// sleeping. All waits go through a CMClock, which tests replace to count rounds without time
// passing.

#include <atomic>
#include <cstdint>
#include <memory>

#include <pthread.h>

#include "launcher/save/CMError.h"

// A default (non-recursive) mutex. Made and destroyed through CM_CreateMutex / CM_DestroyMutex.
struct CMMutex {
  pthread_mutex_t handle;
  bool ready = false;
  CMMutex() = default;
  CMMutex(const CMMutex&) = delete;
  CMMutex& operator=(const CMMutex&) = delete;
  ~CMMutex();
};

// A condition variable timed against the monotonic clock.
struct CMCond {
  pthread_cond_t handle;
  bool ready = false;
  CMCond() = default;
  CMCond(const CMCond&) = delete;
  CMCond& operator=(const CMCond&) = delete;
  ~CMCond();
};

// The record of one worker thread. The end flag is read and written under both mutexes, the
// waiting flag under the first. The record belongs to the thread and to the slot it was made
// into: it is freed when the worker has ended and a waiter has consumed it, whichever is last.
struct CMThreadStruct {
  pthread_t thread{};
  std::unique_ptr<CMMutex> mutex1;
  std::unique_ptr<CMMutex> mutex2;
  std::unique_ptr<CMCond> cond;
  std::uint32_t endFlag = 0;
  std::uint32_t waitingFlag = 0;
  // Private bookkeeping of the thread helpers.
  std::atomic<int> refs{0};
  std::atomic<bool> cancelRequested{false};
};

using CMThreadBody = void (*)(void* argument);

// The time source of every wait and sleep in the layer.
class CMClock {
 public:
  virtual ~CMClock() = default;
  // Milliseconds on a monotonic clock.
  virtual std::uint64_t NowMs() = 0;
  virtual void Sleep(std::uint32_t ms) = 0;
  // Waits on cond (mutex locked by the caller) for at most ms; may return early.
  virtual void WaitCond(CMCond* cond, CMMutex* mutex, std::uint32_t ms) = 0;
};

// The real clock.
CMClock* CM_SystemClock();
// Replaces the clock for the whole process (null restores the real one); returns the previous.
CMClock* CM_SetClock(CMClock* clock);
CMClock* CM_GetClock();

// Mutexes and conditions: each takes the caller's slot.
CMResult CM_CreateMutex(std::unique_ptr<CMMutex>* slot);   // 0xDCA01 slot set; 0xDCA02 init failed
CMResult CM_LockMutex(std::unique_ptr<CMMutex>* slot);     // 0xDCA01 empty slot; 0xDCA02 system error
CMResult CM_UnlockMutex(std::unique_ptr<CMMutex>* slot);
CMResult CM_DestroyMutex(std::unique_ptr<CMMutex>* slot);  // 0xDCA02 when busy (slot kept)
CMResult CM_CreateCond(std::unique_ptr<CMCond>* slot);
CMResult CM_DestroyCond(std::unique_ptr<CMCond>* slot);

// Makes a record into the empty slot and starts body(argument) on a detached thread. A slot
// that still holds a record is refused with 0xDCA01 and left as it is: wait for that worker
// first. The thread signals its record's end when the body returns or unwinds, so a body needs
// no clean-up handler of its own for that (signalling again from the body is harmless).
// 0xD9801 no memory; 0xDCA02 the thread could not be started.
CMResult CM_CreateThread(CMThreadStruct** slot, CMThreadBody body, void* argument);

// Waits until the worker in the slot has signalled its end. timeoutMs 0xFFFFFFFF waits without
// limit (in rounds of 1000 ms); otherwise in rounds of 50 ms until timeoutMs have passed.
// result: 0 finished (the record is consumed and the slot cleared), 2 timed out (the record
// stays). 0xDCA01 for an empty slot or a null result.
constexpr std::uint32_t CM_WAIT_FOREVER = 0xFFFFFFFFu;
CMResult CM_WaitThreadEnd(CMThreadStruct** slot, std::uint32_t timeoutMs, std::uint32_t* result);

// A worker marks itself finished. 0xDCA01 for a null record.
CMResult CM_SignalThreadEnd(CMThreadStruct* record);
// Asks the worker to end at its next cancellation point (CM_TestCancel); nothing happens once
// it has ended. 0xDCA01 null record.
CMResult CM_CancelThread(CMThreadStruct* record);
// First call of a worker body: the thread can then be cancelled only inside CM_TestCancel
// (system-level cancellation is switched off for the thread).
CMResult CM_DisableThreadCancel();
// A cancellation point: in a worker whose cancellation was asked for, throws CMThreadCancelled,
// which unwinds the body (destructors run) to the thread start; the waiter is then released as
// for any other end. Elsewhere it does nothing.
CMResult CM_TestCancel();

// Sleeps the calling thread through the current clock.
CMResult CM_Sleep(std::uint32_t ms);
