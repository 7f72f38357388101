#pragma once

// What the benchmarks share: a scratch folder, the peak resident memory, the median and the
// machine's load, each read the same way in every benchmark so their figures compare; the short
// mode; and the checks whose failures decide the program's exit status.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include <errno.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

namespace benchsupport {

// Short mode (TRIVOLAN_BENCH_SHORT set to anything but "" or "0"): one round on a small image,
// so that CI runs every benchmark on every change. Its figures mean nothing; what counts is that
// every run succeeded and its output reads back.
inline bool shortMode() {
  static const bool on = [] {
    const char* v = std::getenv("TRIVOLAN_BENCH_SHORT");
    return v && *v && std::string(v) != "0";
  }();
  return on;
}

// full in a full run, small in short mode.
template <class T>
T pick(T full, T small) {
  return shortMode() ? small : full;
}
inline int rounds(int full) { return pick(full, 1); }
// For a benchmark whose iterations the library chooses: one in short mode
// (BENCHMARK(...)->Apply(benchsupport::oneIterationWhenShort)).
inline void oneIterationWhenShort(benchmark::internal::Benchmark* b) {
  if (shortMode()) b->Iterations(1);
}

// Every failed check is counted; the program's exit status says whether there was one.
inline int& failureCount() {
  static int count = 0;
  return count;
}
inline void fail(const std::string& what) {
  ++failureCount();
  std::fprintf(stderr, "bench: FAILED: %s\n", what.c_str());
}
inline bool check(bool ok, const std::string& what) {
  if (!ok) fail(what);
  return ok;
}
// main's return value: 1 when any check failed or any benchmark stopped with an error.
inline int exitStatus() {
  if (failureCount() == 0) return 0;
  std::fprintf(stderr, "bench: %d check(s) failed\n", failureCount());
  return 1;
}

// The console's report, counting every benchmark that stopped with an error as a failure.
// Colour only on a terminal, so logs stay plain.
class FailureCountingReporter : public benchmark::ConsoleReporter {
 public:
  FailureCountingReporter() : ConsoleReporter(isatty(STDOUT_FILENO) != 0 ? OO_ColorTabular : OO_Tabular) {}

  void ReportRuns(const std::vector<Run>& reports) override {
    for (const Run& run : reports)
      if (run.error_occurred) fail(run.benchmark_name() + ": " + run.error_message);
    ConsoleReporter::ReportRuns(reports);
  }
};

// Runs the benchmarks the command line selects through reporter (a FailureCountingReporter
// when none is given); none run at all is a failure too.
inline void runBenchmarks(FailureCountingReporter* reporter = nullptr) {
  FailureCountingReporter own;
  if (benchmark::RunSpecifiedBenchmarks(reporter ? reporter : &own) == 0) fail("no benchmark ran");
}

// A fresh folder "<TMPDIR>/<prefix>-XXXXXX", made once per process; the program ends when it
// cannot be made (callers remove it at the end, so it must never be a shared one).
inline const std::string& scratchFolder(const char* prefix) {
  static const std::string dir = [prefix] {
    const char* tmp = std::getenv("TMPDIR");
    std::string templ = std::string(tmp && *tmp ? tmp : "/tmp") + "/" + prefix + "-XXXXXX";
    std::vector<char> buf(templ.begin(), templ.end());
    buf.push_back(0);
    if (mkdtemp(buf.data()) == nullptr) {
      std::perror("bench: cannot make a temporary folder");
      std::exit(1);
    }
    return std::string(buf.data());
  }();
  return dir;
}

// Gives the program under measurement folders of its own: the scratch folder with "tmp",
// "config" and "pictures" in it, named by TMPDIR, XDG_CONFIG_HOME and TRIVOLAN_PICTURES_DIR,
// so nothing it writes reaches the user's. Returns the scratch folder.
inline std::string isolateProgramFolders(const char* prefix) {
  const std::string base = scratchFolder(prefix);
  for (const char* sub : {"tmp", "config", "pictures"}) {
    const std::string folder = base + "/" + sub;
    if (mkdir(folder.c_str(), 0700) != 0 && errno != EEXIST) {
      std::perror("bench: cannot make the program's folders");
      std::exit(1);
    }
  }
  setenv("XDG_CONFIG_HOME", (base + "/config").c_str(), 1);
  setenv("TRIVOLAN_PICTURES_DIR", (base + "/pictures").c_str(), 1);
  setenv("TMPDIR", (base + "/tmp").c_str(), 1);
  return base;
}

// A /proc/self/status value in KiB ("VmHWM", "VmRSS"); -1 when absent.
inline long statusKiB(const char* key) {
  std::ifstream in("/proc/self/status");
  std::string line;
  const std::string prefix = std::string(key) + ":";
  while (std::getline(in, line))
    if (line.rfind(prefix, 0) == 0) return std::strtol(line.c_str() + prefix.size(), nullptr, 10);
  return -1;
}

// Starts a new peak: the kernel resets VmHWM to the current resident size.
inline bool resetPeakMemory() {
  std::FILE* f = std::fopen("/proc/self/clear_refs", "w");
  if (!f) return false;
  const bool ok = std::fputs("5", f) >= 0;
  return std::fclose(f) == 0 && ok;
}

// Peak resident memory since the last reset, in MiB.
inline double peakMemoryMiB() { return std::max(0L, statusKiB("VmHWM")) / 1024.0; }

inline double medianOf(std::vector<double> v) {
  if (v.empty()) return 0;
  std::sort(v.begin(), v.end());
  return v.size() % 2 ? v[v.size() / 2] : (v[v.size() / 2 - 1] + v[v.size() / 2]) / 2;
}

// The first line of /proc/loadavg.
inline std::string loadAverage() {
  std::string line;
  std::getline(std::ifstream("/proc/loadavg"), line);
  return line;
}

}  // namespace benchsupport
