#include "ui/model/HistogramCounter.h"

#include <algorithm>
#include <atomic>
#include <bit>
#include <condition_variable>
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
  int helpersWanted = 0;  // guarded by the crew's mutex
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

// The helper threads, started once and kept; one job at a time.
class HistogramCounterCrew {
 public:
  static HistogramCounterCrew& shared() {
    static HistogramCounterCrew crew;
    return crew;
  }

  ~HistogramCounterCrew() {
    {
      std::lock_guard lock(mutex_);
      stopping_ = true;
    }
    wake_.notify_all();
    for (std::thread& t : threads_) t.join();
  }

  // Counts the job with up to `helpers` helper threads beside the caller. False (nothing
  // counted) when the crew is busy with another job or has no thread: the caller counts alone.
  bool run(HistogramCounterJob& job, int helpers) {
    std::unique_lock caller(callers_, std::try_to_lock);
    if (!caller.owns_lock()) return false;
    start();
    {
      std::lock_guard lock(mutex_);
      if (threads_.empty()) return false;
      job.helpersWanted = std::min(helpers, static_cast<int>(threads_.size()));
      job_ = &job;
      ++round_;
    }
    wake_.notify_all();
    job.work();
    std::unique_lock lock(mutex_);
    job_ = nullptr;  // a helper waking from now on finds nothing to do
    idle_.wait(lock, [this] { return inside_ == 0; });
    return true;
  }

 private:
  HistogramCounterCrew() = default;

  // Under callers_: the helpers, at the first job.
  void start() {
    if (started_) return;
    started_ = true;
    const unsigned cores = std::max(1u, std::thread::hardware_concurrency());
    const int helpers = static_cast<int>(std::min<unsigned>(cores, Quirel_HistogramCounter::kMaxThreads)) - 1;
    for (int i = 0; i < helpers; ++i) {
      try {
        std::thread t([this] { serve(); });
        std::lock_guard lock(mutex_);
        threads_.push_back(std::move(t));
      } catch (const std::system_error&) {
        break;  // fewer helpers: the pictures are still counted, on fewer threads
      }
    }
  }

  void serve() {
    std::unique_lock lock(mutex_);
    std::uint64_t seen = 0;
    for (;;) {
      wake_.wait(lock, [&] { return stopping_ || (job_ && round_ != seen && job_->helpersWanted > 0); });
      if (stopping_) return;
      seen = round_;
      HistogramCounterJob* job = job_;
      --job->helpersWanted;
      ++inside_;
      lock.unlock();
      job->work();
      lock.lock();
      if (--inside_ == 0) idle_.notify_all();
    }
  }

  std::mutex callers_;  // held by the thread whose job the crew runs
  bool started_ = false;  // guarded by callers_
  std::mutex mutex_;
  std::condition_variable wake_, idle_;
  std::vector<std::thread> threads_;
  HistogramCounterJob* job_ = nullptr;
  std::uint64_t round_ = 0;
  int inside_ = 0;  // helpers working on job_
  bool stopping_ = false;
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
