#include "launcher/save/CMThread.h"

#include <cerrno>
#include <chrono>
#include <ctime>
#include <new>

CMMutex::~CMMutex() {
  if (ready) pthread_mutex_destroy(&handle);
}

CMCond::~CMCond() {
  if (ready) pthread_cond_destroy(&handle);
}

namespace {

class SystemClock final : public CMClock {
 public:
  std::uint64_t NowMs() override {
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return static_cast<std::uint64_t>(ts.tv_sec) * 1000u + static_cast<std::uint64_t>(ts.tv_nsec) / 1000000u;
  }

  void Sleep(std::uint32_t ms) override {
    // Whole seconds plus the remainder in nanoseconds; resumed after a signal.
    timespec req{static_cast<time_t>(ms / 1000u), static_cast<long>(ms % 1000u) * 1000000L};
    timespec rem{};
    while (nanosleep(&req, &rem) == -1 && errno == EINTR) req = rem;
  }

  void WaitCond(CMCond* cond, CMMutex* mutex, std::uint32_t ms) override {
    timespec until{};
    clock_gettime(CLOCK_MONOTONIC, &until);
    until.tv_sec += static_cast<time_t>(ms / 1000u);
    until.tv_nsec += static_cast<long>(ms % 1000u) * 1000000L;
    if (until.tv_nsec >= 1000000000L) {
      until.tv_sec += 1;
      until.tv_nsec -= 1000000000L;
    }
    pthread_cond_timedwait(&cond->handle, &mutex->handle, &until);
  }
};

SystemClock gSystemClock;
std::atomic<CMClock*> gClock{&gSystemClock};

// Drops one owner of a record; the last one frees it with its mutexes and condition.
void releaseRecord(CMThreadStruct* record) {
  if (record->refs.fetch_sub(1, std::memory_order_acq_rel) == 1) delete record;
}

struct StartInfo {
  CMThreadStruct* record;
  CMThreadBody body;
  void* argument;
};

// The record of the worker running on this thread (null on other threads).
thread_local CMThreadStruct* tCurrentRecord = nullptr;

void* threadStart(void* raw) {
  StartInfo info = *static_cast<StartInfo*>(raw);
  delete static_cast<StartInfo*>(raw);
  tCurrentRecord = info.record;
  try {
    info.body(info.argument);
  } catch (const CMThreadCancelled&) {
    // The body was cancelled at a cancellation point: an ordinary end.
  } catch (...) {
    // A body must not throw; a detached thread has no one to hand it to.
  }
  tCurrentRecord = nullptr;
  // However the body ended, the waiter is released; then the thread lets go of its share.
  CM_SignalThreadEnd(info.record);
  releaseRecord(info.record);
  return nullptr;
}

}  // namespace

CMClock* CM_SystemClock() { return &gSystemClock; }

CMClock* CM_SetClock(CMClock* clock) { return gClock.exchange(clock ? clock : &gSystemClock); }

CMClock* CM_GetClock() { return gClock.load(); }

CMResult CM_CreateMutex(std::unique_ptr<CMMutex>* slot) {
  if (!slot || *slot) return CM_ERR_BAD_ARGUMENT;
  auto mutex = std::unique_ptr<CMMutex>(new (std::nothrow) CMMutex);
  if (!mutex) return CM_ERR_NO_MEMORY;
  if (pthread_mutex_init(&mutex->handle, nullptr) != 0) return CM_ERR_SYSTEM;
  mutex->ready = true;
  *slot = std::move(mutex);
  return CM_OK;
}

CMResult CM_LockMutex(std::unique_ptr<CMMutex>* slot) {
  if (!slot || !*slot) return CM_ERR_BAD_ARGUMENT;
  return pthread_mutex_lock(&(*slot)->handle) == 0 ? CM_OK : CM_ERR_SYSTEM;
}

CMResult CM_UnlockMutex(std::unique_ptr<CMMutex>* slot) {
  if (!slot || !*slot) return CM_ERR_BAD_ARGUMENT;
  return pthread_mutex_unlock(&(*slot)->handle) == 0 ? CM_OK : CM_ERR_SYSTEM;
}

CMResult CM_DestroyMutex(std::unique_ptr<CMMutex>* slot) {
  if (!slot || !*slot) return CM_ERR_BAD_ARGUMENT;
  if (pthread_mutex_destroy(&(*slot)->handle) != 0) return CM_ERR_SYSTEM;
  (*slot)->ready = false;
  slot->reset();
  return CM_OK;
}

CMResult CM_CreateCond(std::unique_ptr<CMCond>* slot) {
  if (!slot || *slot) return CM_ERR_BAD_ARGUMENT;
  auto cond = std::unique_ptr<CMCond>(new (std::nothrow) CMCond);
  if (!cond) return CM_ERR_NO_MEMORY;
  pthread_condattr_t attr;
  if (pthread_condattr_init(&attr) != 0) return CM_ERR_SYSTEM;
  int rc = pthread_condattr_setclock(&attr, CLOCK_MONOTONIC);
  if (rc == 0) rc = pthread_cond_init(&cond->handle, &attr);
  pthread_condattr_destroy(&attr);
  if (rc != 0) return CM_ERR_SYSTEM;
  cond->ready = true;
  *slot = std::move(cond);
  return CM_OK;
}

CMResult CM_DestroyCond(std::unique_ptr<CMCond>* slot) {
  if (!slot || !*slot) return CM_ERR_BAD_ARGUMENT;
  if (pthread_cond_destroy(&(*slot)->handle) != 0) return CM_ERR_SYSTEM;
  (*slot)->ready = false;
  slot->reset();
  return CM_OK;
}

CMResult CM_CreateThread(CMThreadStruct** slot, CMThreadBody body, void* argument) {
  if (!slot || !body) return CM_ERR_BAD_ARGUMENT;
  // Overwriting a live record would lose that worker: its end could never be waited for.
  if (*slot) return CM_ERR_BAD_ARGUMENT;
  std::unique_ptr<CMThreadStruct> record(new (std::nothrow) CMThreadStruct);
  if (!record) return CM_ERR_NO_MEMORY;
  CMResult rc = CM_CreateMutex(&record->mutex1);
  if (rc == CM_OK) rc = CM_CreateMutex(&record->mutex2);
  if (rc == CM_OK) rc = CM_CreateCond(&record->cond);
  if (rc != CM_OK) return rc;
  record->waitingFlag = 0;
  record->refs.store(2);  // the thread and the slot

  auto* start = new (std::nothrow) StartInfo{record.get(), body, argument};
  if (!start) return CM_ERR_NO_MEMORY;
  pthread_attr_t attr;
  if (pthread_attr_init(&attr) != 0) {
    delete start;
    return CM_ERR_SYSTEM;
  }
  pthread_attr_setdetachstate(&attr, PTHREAD_CREATE_DETACHED);
  // The record is in the slot before the body runs, so a body may look it up there.
  *slot = record.get();
  int created = pthread_create(&record->thread, &attr, threadStart, start);
  pthread_attr_destroy(&attr);
  if (created != 0) {
    *slot = nullptr;
    delete start;
    return CM_ERR_SYSTEM;
  }
  record.release();
  return CM_OK;
}

CMResult CM_WaitThreadEnd(CMThreadStruct** slot, std::uint32_t timeoutMs, std::uint32_t* result) {
  if (!slot || !*slot || !result) return CM_ERR_BAD_ARGUMENT;
  CMThreadStruct* record = *slot;
  CMClock* clock = CM_GetClock();
  const bool limited = timeoutMs != CM_WAIT_FOREVER;
  const std::uint32_t round = limited ? 50u : 1000u;
  const std::uint64_t start = clock->NowMs();
  std::uint64_t elapsed = 0;
  for (;;) {
    pthread_mutex_lock(&record->mutex1->handle);
    pthread_mutex_lock(&record->mutex2->handle);
    if (record->endFlag == 1) {
      record->endFlag = 0;
      pthread_mutex_unlock(&record->mutex2->handle);
      pthread_mutex_unlock(&record->mutex1->handle);
      *result = 0;
      *slot = nullptr;
      releaseRecord(record);
      return CM_OK;
    }
    if (limited && elapsed >= timeoutMs) {
      pthread_mutex_unlock(&record->mutex2->handle);
      pthread_mutex_unlock(&record->mutex1->handle);
      *result = 2;
      return CM_OK;
    }
    pthread_mutex_unlock(&record->mutex2->handle);
    record->waitingFlag = 1;
    // Waiting on the condition rather than sleeping with the mutex held lets the worker's
    // signal through at once.
    clock->WaitCond(record->cond.get(), record->mutex1.get(), round);
    record->waitingFlag = 0;
    pthread_mutex_unlock(&record->mutex1->handle);
    CM_TestCancel();
    elapsed = clock->NowMs() - start;
  }
}

CMResult CM_SignalThreadEnd(CMThreadStruct* record) {
  if (!record) return CM_ERR_BAD_ARGUMENT;
  pthread_mutex_lock(&record->mutex1->handle);
  pthread_mutex_lock(&record->mutex2->handle);
  record->endFlag = 1;
  pthread_mutex_unlock(&record->mutex2->handle);
  if (record->waitingFlag) pthread_cond_signal(&record->cond->handle);
  pthread_mutex_unlock(&record->mutex1->handle);
  return CM_OK;
}

CMResult CM_CancelThread(CMThreadStruct* record) {
  if (!record) return CM_ERR_BAD_ARGUMENT;
  // Cancellation is cooperative: the worker ends at its next CM_TestCancel by unwinding, so
  // its destructors run and nothing it holds is lost.
  record->cancelRequested.store(true);
  return CM_OK;
}

CMResult CM_DisableThreadCancel() {
  int old = 0;
  pthread_setcancelstate(PTHREAD_CANCEL_DISABLE, &old);
  return CM_OK;
}

CMResult CM_TestCancel() {
  if (tCurrentRecord && tCurrentRecord->cancelRequested.load()) throw CMThreadCancelled{};
  return CM_OK;
}

CMResult CM_Sleep(std::uint32_t ms) {
  CM_GetClock()->Sleep(ms);
  return CM_OK;
}
