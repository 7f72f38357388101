// Start-up: from exec until the launcher's first window (the device-select dialog) is shown,
// offscreen with the virtual scanner, beside a bare Qt Widgets program that shows one window with
// one line of text in the system font (bench_bare_qt_window), in interleaved rounds (bare, then
// the launcher). Each child is a fresh process; its clock stops when it reports its window
// shown. The launcher child
// (bench_trivolan_startup_child) is the launcher's own main plus the report. It is given two
// virtual scanners (the default one at speed 0, i.e. no line delay, and a copy under another
// name), since with a single scanner it opens it at once and shows no dialog. Each child also
// reports when its own initialisation ran, so each time splits into loading the shared
// libraries (exec to just before main) and the program's own start (from there to the window).
// A child that shows no window in time fails the program. Short mode: one round.
#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <vector>

#include "BenchSupport.h"
#include "foundation/Paths.h"
#include "foundation/PropertyList.h"
#include "foundation/Value.h"
#include "launcher/AppDelegate.h"

extern char** environ;

namespace {

using benchsupport::medianOf;

namespace fs = std::filesystem;

// Many rounds: single start-ups vary by several milliseconds on a shared machine, and slow
// spells there last several rounds; 25 rounds left the median ratio moving by 0.1 between runs.
const int kRounds = benchsupport::rounds(75);
constexpr int kTimeoutMs = 30000;

constexpr const char* kSecondScanner = "Vantrel TS-800 Virtual B";

// The device file and the device list with the two scanners, in folder; false when the
// defaults cannot be read.
bool writeTwoScanners(const std::string& folder, std::string* deviceFile, std::string* deviceList) {
  fnd::PropertyList::Result devices =
      fnd::PropertyList::readFile(fnd::Paths::resourceDir() + "/devices/VirtualDevices.plist");
  std::optional<fnd::Dictionary> list = Zorvik_AppDelegate::getVantrelDevicePlist();
  if (!devices.ok() || !list) return false;
  fnd::Array entries = devices.value->toDictionary().array("Devices");
  if (entries.empty()) return false;
  fnd::Dictionary first = entries.front().toDictionary();
  fnd::Dictionary behaviour = first.dictionary("Behaviour");
  behaviour.set("LineDelay", fnd::Value(0.0));
  first.set("Behaviour", fnd::Value(behaviour));
  const std::string name = first.string("Name");
  fnd::Dictionary second = first;
  second.set("Name", fnd::Value(kSecondScanner));
  second.set("Identifier", fnd::Value(first.string("Identifier") + "-B"));
  list->set(kSecondScanner, fnd::Value(list->dictionary(name)));
  *deviceFile = folder + "/Devices.plist";
  *deviceList = folder + "/VantrelDevice.plist";
  return fnd::PropertyList::writeFile(
             fnd::Value(fnd::Dictionary{{"Devices", fnd::Value(fnd::Array{fnd::Value(first), fnd::Value(second)})}}),
             *deviceFile) &&
         fnd::PropertyList::writeFile(fnd::Value(*list), *deviceList);
}

std::string selfDir() { return fs::canonical("/proc/self/exe").parent_path().string(); }

std::map<std::string, std::vector<double>>& times() {
  static std::map<std::string, std::vector<double>> t;
  return t;
}
std::map<std::string, std::string>& titles() {
  static std::map<std::string, std::string> t;
  return t;
}

double monotonicSeconds() {
  timespec now{};
  ::clock_gettime(CLOCK_MONOTONIC, &now);
  return double(now.tv_sec) + double(now.tv_nsec) * 1e-9;
}

// Starts program, waits for its "shown <entry> <title>" line (or the time-out) and reaps it.
// Seconds from the spawn to the line; negative when it never came. *load: seconds from the
// spawn to the child's entry (the shared libraries loaded).
double timeToWindow(const std::string& program, const char* argument, std::string* title, double* load) {
  int out[2];
  if (::pipe2(out, O_CLOEXEC) != 0) return -1;
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, out[1], 1);
  std::vector<char*> args{const_cast<char*>(program.c_str())};
  if (argument) args.push_back(const_cast<char*>(argument));
  args.push_back(nullptr);
  pid_t pid = 0;
  const double startSeconds = monotonicSeconds();
  const auto start = std::chrono::steady_clock::now();
  const int spawned = posix_spawn(&pid, program.c_str(), &actions, nullptr, args.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  ::close(out[1]);
  double seconds = -1;
  if (spawned == 0) {
    std::string line;
    char buf[256];
    pollfd p{out[0], POLLIN, 0};
    while (line.find('\n') == std::string::npos) {
      const int left = kTimeoutMs - int(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
      if (left <= 0 || ::poll(&p, 1, left) <= 0) break;
      const ssize_t n = ::read(out[0], buf, sizeof buf);
      if (n <= 0) break;
      line.append(buf, std::size_t(n));
    }
    const std::size_t space = line.find(' ', 6), end = line.find('\n');
    if (line.rfind("shown ", 0) == 0 && end != std::string::npos && space < end) {
      seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
      *load = std::strtod(line.substr(6, space - 6).c_str(), nullptr) * 1e-9 - startSeconds;
      *title = line.substr(space + 1, end - space - 1);
    }
    ::kill(pid, SIGKILL);  // only our own child, which has normally ended already
    int status = 0;
    ::waitpid(pid, &status, 0);
  }
  ::close(out[0]);
  return seconds;
}

void BM_InterleavedRounds(benchmark::State& state) {
  const std::string dir = selfDir();
  const std::string child = dir + "/bench_trivolan_startup_child", bare = dir + "/bench_bare_qt_window";
  for (auto _ : state) {
    std::string bareTitle, launcherTitle;
    double bareLoad = 0, launcherLoad = 0;
    const double b = timeToWindow(bare, nullptr, &bareTitle, &bareLoad);
    const double l = timeToWindow(child, nullptr, &launcherTitle, &launcherLoad);
    if (b < 0 || l < 0) {
      state.SkipWithError("a child showed no window in time");
      break;
    }
    times()["bare"].push_back(b);
    times()["launcher"].push_back(l);
    times()["bare loading"].push_back(bareLoad);
    times()["launcher loading"].push_back(launcherLoad);
    times()["bare own"].push_back(b - bareLoad);
    times()["launcher own"].push_back(l - launcherLoad);
    titles()["bare"] = bareTitle;
    titles()["launcher"] = launcherTitle;
    state.SetIterationTime(b + l);
  }
}
BENCHMARK(BM_InterleavedRounds)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(kRounds);


}  // namespace

int main(int argc, char** argv) {
  // The children run offscreen with fresh settings and temporary folders.
  const std::string folder = benchsupport::isolateProgramFolders("startup-bench");
  setenv("QT_QPA_PLATFORM", "offscreen", 1);
  std::string deviceFile, deviceList;
  if (!writeTwoScanners(folder, &deviceFile, &deviceList)) {
    benchsupport::fail("the virtual scanners' definitions could not be read");
    return benchsupport::exitStatus();
  }
  setenv("TRIVOLAN_DEVICE_FILE", deviceFile.c_str(), 1);
  setenv("BENCH_DEVICE_LIST", deviceList.c_str(), 1);
  std::string loadBefore;
  std::getline(std::ifstream("/proc/loadavg"), loadBefore);

  benchmark::Initialize(&argc, argv);
  benchsupport::runBenchmarks();
  benchmark::Shutdown();

  std::string loadAfter;
  std::getline(std::ifstream("/proc/loadavg"), loadAfter);
  auto& t = times();
  if (!t["bare"].empty()) {
    std::printf("\nwindows shown: bare \"%s\", launcher \"%s\"\n", titles()["bare"].c_str(), titles()["launcher"].c_str());
    std::vector<double> ratios;
    for (std::size_t i = 0; i < t["bare"].size(); ++i) ratios.push_back(t["launcher"][i] / t["bare"][i]);
    for (const char* name : {"bare", "launcher"})
      std::printf("  %-8s best %.3f s, median %.3f s\n", name, *std::min_element(t[name].begin(), t[name].end()),
                  medianOf(t[name]));
    std::printf("split, median of rounds: loading the shared libraries (exec to main), then the program's own start\n");
    for (const char* name : {"bare", "launcher"})
      std::printf("  %-8s loading %.1f ms, own start %.1f ms\n", name, medianOf(t[std::string(name) + " loading"]) * 1e3,
                  medianOf(t[std::string(name) + " own"]) * 1e3);
    std::printf("launcher / bare Qt window: best %.2f (best over best), median of rounds %.2f over %zu rounds "
                "(goal 1.5 or less)\n",
                *std::min_element(t["launcher"].begin(), t["launcher"].end()) /
                    *std::min_element(t["bare"].begin(), t["bare"].end()),
                medianOf(ratios), ratios.size());
  }
  std::printf("machine load (1, 5, 15 min): before %s, after %s\n", loadBefore.c_str(), loadAfter.c_str());
  fs::remove_all(folder);
  return benchsupport::exitStatus();
}
