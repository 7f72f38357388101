#pragma once

// What the benchmarks share: a scratch folder, the peak resident memory, the median and the
// machine's load, each read the same way in every benchmark so their figures compare.

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include <errno.h>
#include <stdlib.h>
#include <sys/stat.h>

namespace benchsupport {

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
