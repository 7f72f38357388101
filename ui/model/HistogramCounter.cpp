#include "ui/model/HistogramCounter.h"

#include <algorithm>
#include <atomic>
#include <bit>
#include <chrono>
#include <cstring>
#include <mutex>
#include <system_error>
#include <thread>
#include <vector>

namespace {

constexpr std::uint32_t histogramCounterByteSwapped(std::uint32_t v) {
  return (v >> 24) | ((v >> 8) & 0xff00u) | ((v << 8) & 0xff0000u) | (v << 24);
}

// One thread's counts. Four pixels a step, read as three 32-bit words, go into four sets of
// tables, one set a pixel: equal neighbouring levels then never wait on each other's store, and
// there is no branch per pixel.
struct HistogramCounterTally {
  std::int32_t tables[4][3][256] = {};

  void add(const std::uint8_t* pixels, std::int64_t pixelCount) {
    const std::uint8_t* px = pixels;
    const std::uint8_t* const quadsEnd = pixels + (pixelCount / 4) * 12;
    for (; px != quadsEnd; px += 12) {
      std::uint32_t a, b, c;
      std::memcpy(&a, px, 4);
      std::memcpy(&b, px + 4, 4);
      std::memcpy(&c, px + 8, 4);
      if constexpr (std::endian::native == std::endian::big) {
        a = histogramCounterByteSwapped(a);
        b = histogramCounterByteSwapped(b);
        c = histogramCounterByteSwapped(c);
      }
      ++tables[0][0][a & 0xff], ++tables[0][1][(a >> 8) & 0xff], ++tables[0][2][(a >> 16) & 0xff];
      ++tables[1][0][a >> 24], ++tables[1][1][b & 0xff], ++tables[1][2][(b >> 8) & 0xff];
      ++tables[2][0][(b >> 16) & 0xff], ++tables[2][1][b >> 24], ++tables[2][2][c & 0xff];
      ++tables[3][0][(c >> 8) & 0xff], ++tables[3][1][(c >> 16) & 0xff], ++tables[3][2][c >> 24];
    }
    for (const std::uint8_t* end = pixels + pixelCount * 3; px != end; px += 3) {
      ++tables[0][0][px[0]];
      ++tables[0][1][px[1]];
      ++tables[0][2][px[2]];
    }
  }

  // Adds the four sets into the three result tables.
  void addInto(std::int32_t* const out[3]) const {
    for (int k = 0; k < 3; ++k)
      for (int i = 0; i < 256; ++i)
        out[k][i] += tables[0][k][i] + tables[1][k][i] + tables[2][k][i] + tables[3][k][i];
  }
};

// One picture being counted: its pieces go to whichever thread asks next, so a helper that gets
// no processor in time leaves its share to the others.
struct HistogramCounterJob {
  const std::uint8_t* pixels = nullptr;
  std::int64_t pixelCount = 0;
  std::int64_t piecePixels = 0;
  std::int64_t pieces = 0;
  std::int32_t* out[3] = {};
  std::atomic<int> helpersWanted{0};
  std::atomic<std::int64_t> nextPiece{0};
  std::mutex outMutex;

  void work() {
    HistogramCounterTally tally;
    bool counted = false;
    for (;;) {
      const std::int64_t piece = nextPiece.fetch_add(1, std::memory_order_relaxed);
      if (piece >= pieces) break;
      const std::int64_t first = piece * piecePixels;
      tally.add(pixels + first * 3, std::min(piecePixels, pixelCount - first));
      counted = true;
    }
    if (!counted) return;
    std::lock_guard lock(outMutex);
    tally.addInto(out);
  }
};

// The helper threads, started once and kept; one job at a time. They sleep on the round number
// and are woken all at once by it, not one after the other through a shared lock: a helper that
// arrives after most of the picture is counted is no help.
class HistogramCounterCrew {
 public:
  static HistogramCounterCrew& shared() {
    static HistogramCounterCrew crew;
    return crew;
  }

  ~HistogramCounterCrew() {
    stopping_.store(true);
    round_.fetch_add(1);
    round_.notify_all();
    for (std::thread& t : threads_) t.join();
  }

  // Counts the job with up to `helpers` helper threads beside the caller. False (nothing
  // counted) when the crew is busy with another job or has no thread: the caller counts alone.
  bool run(HistogramCounterJob& job, int helpers) {
    std::unique_lock caller(callers_, std::try_to_lock);
    if (!caller.owns_lock()) return false;
    start();
    if (threads_.empty()) return false;
    job.helpersWanted.store(std::min(helpers, static_cast<int>(threads_.size())));
    job_.store(&job);
    round_.fetch_add(1);
    round_.notify_all();
    job.work();
    // A helper counts itself in before it looks at the job, and the job is withdrawn before the
    // count of helpers is read (both in one total order): whoever comes later finds no job.
    job_.store(nullptr);
    // Those inside finish at most one piece each: a short while, waited for awake, then asleep.
    const auto awakeUntil = std::chrono::steady_clock::now() + kAwakeWait;
    for (;;) {
      const int inside = inside_.load();
      if (inside == 0) return true;
      if (std::chrono::steady_clock::now() < awakeUntil)
        std::this_thread::yield();
      else
        inside_.wait(inside);
    }
  }

 private:
  static constexpr std::chrono::microseconds kAwakeWait{250};

  HistogramCounterCrew() = default;

  // Under callers_: the helpers, at the first job.
  void start() {
    if (started_) return;
    started_ = true;
    const unsigned cores = std::max(1u, std::thread::hardware_concurrency());
    const int helpers = static_cast<int>(std::min<unsigned>(cores, Quirel_HistogramCounter::kMaxThreads)) - 1;
    for (int i = 0; i < helpers; ++i) {
      try {
        threads_.emplace_back([this, seen = round_.load()] { serve(seen); });
      } catch (const std::system_error&) {
        break;  // fewer helpers: the pictures are still counted, on fewer threads
      }
    }
  }

  void serve(std::uint32_t seen) {
    for (;;) {
      round_.wait(seen);
      seen = round_.load();
      if (stopping_.load()) return;
      inside_.fetch_add(1);
      HistogramCounterJob* job = job_.load();
      if (job && job->helpersWanted.fetch_sub(1) > 0) job->work();
      if (inside_.fetch_sub(1) == 1) inside_.notify_all();
    }
  }

  std::mutex callers_;  // held by the thread whose job the crew runs
  bool started_ = false;  // guarded by callers_
  std::vector<std::thread> threads_;  // written under callers_ before any helper has work
  std::atomic<HistogramCounterJob*> job_{nullptr};
  std::atomic<std::uint32_t> round_{0};
  std::atomic<int> inside_{0};  // helpers that may be looking at job_
  std::atomic<bool> stopping_{false};
};

}  // namespace

void Quirel_HistogramCounter::count(const std::uint8_t* pixels, std::int64_t pixelCount, std::int32_t* red,
                                    std::int32_t* green, std::int32_t* blue) {
  countWith(pixels, pixelCount, red, green, blue, pixelCount >= kSharedFrom ? kMaxThreads : 1, kPiecePixels);
}

void Quirel_HistogramCounter::countWith(const std::uint8_t* pixels, std::int64_t pixelCount, std::int32_t* red,
                                        std::int32_t* green, std::int32_t* blue, int threads,
                                        std::int64_t piecePixels) {
  for (std::int32_t* t : {red, green, blue}) std::memset(t, 0, 256 * sizeof(std::int32_t));
  if (!pixels || pixelCount <= 0) return;
  HistogramCounterJob job;
  job.pixels = pixels;
  job.pixelCount = pixelCount;
  job.piecePixels = std::max<std::int64_t>(piecePixels, 1);
  job.pieces = (pixelCount + job.piecePixels - 1) / job.piecePixels;
  job.out[0] = red;
  job.out[1] = green;
  job.out[2] = blue;
  const int helpers = static_cast<int>(std::min<std::int64_t>(threads, job.pieces)) - 1;
  if (helpers <= 0 || !HistogramCounterCrew::shared().run(job, helpers)) job.work();
}
