// The program's own temporary folder: made on first use inside the temporary folder, removed at
// a normal end, and swept at a later start only once its program is gone. The other program is
// a real process (this test binary run again), killed as a user or the system would kill it.
#include <gtest/gtest.h>

#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include "TestEnvironment.h"
#include "foundation/Paths.h"
#include "foundation/RunTempFolder.h"

extern char** environ;

namespace {

namespace fs = std::filesystem;

constexpr const char* kChildReport = "TRIVOLAN_RUN_TEMP_CHILD_REPORT";
constexpr const char* kChildTemp = "TRIVOLAN_RUN_TEMP_CHILD_TMPDIR";

std::string readWhole(const fs::path& path) {
  std::ifstream in(path);
  std::string text;
  std::getline(in, text);
  return text;
}

// Waits (bounded) until the file holds a line.
bool waitForLine(const fs::path& path) {
  for (int round = 0; round < 3000; ++round) {
    if (!readWhole(path).empty()) return true;
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  return false;
}

// Another program using the same temporary folder: this binary again, running only the helper
// below, which makes its own folder, reports it and waits to be killed.
pid_t startOtherProgram(const fs::path& report) {
  std::vector<std::string> env;
  for (char** e = environ; *e; ++e) env.emplace_back(*e);
  env.push_back(std::string(kChildReport) + "=" + report.string());
  env.push_back(std::string(kChildTemp) + "=" + fnd::Paths::tempDir());
  std::vector<char*> envp;
  for (std::string& e : env) envp.push_back(e.data());
  envp.push_back(nullptr);
  std::string exe = fs::read_symlink("/proc/self/exe").string();
  std::string filter = "--gtest_filter=RunTempFolderOtherProgram.*";
  char* argv[] = {exe.data(), filter.data(), nullptr};
  pid_t pid = -1;
  if (::posix_spawn(&pid, exe.c_str(), nullptr, nullptr, argv, envp.data()) != 0) return -1;
  return pid;
}

std::vector<std::string> runFolders() {
  std::vector<std::string> names;
  std::error_code ec;
  for (const auto& e : fs::directory_iterator(fnd::Paths::tempDir(), ec)) {
    const std::string name = e.path().filename().string();
    if (name.rfind(fnd::RunTempFolder::kPrefix, 0) == 0) names.push_back(e.path().string());
  }
  return names;
}

}  // namespace

// The helper run by startOtherProgram; outside that it does nothing.
TEST(RunTempFolderOtherProgram, HoldsItsFolderUntilKilled) {
  const char* report = std::getenv(kChildReport);
  const char* temp = std::getenv(kChildTemp);
  if (!report || !temp) GTEST_SKIP() << "runs only as the other program";
  ::setenv("TMPDIR", temp, 1);
  const std::string mine = fnd::RunTempFolder::path();
  std::ofstream(mine + "/PVTO_tmpTF000.TIF") << "half a page";
  std::ofstream(std::string(report) + ".part") << mine << "\n";
  fs::rename(std::string(report) + ".part", report);
  // Killed long before this; the bound keeps a lost parent from leaving it running.
  std::this_thread::sleep_for(std::chrono::seconds(60));
}

TEST(RunTempFolder, IsPrivateToTheProgramAndGoneAtItsEnd) {
  const std::string folder = fnd::RunTempFolder::path();
  EXPECT_EQ(fs::path(folder).parent_path().string(), fnd::Paths::tempDir());
  EXPECT_EQ(fs::path(folder).filename().string().rfind(fnd::RunTempFolder::kPrefix, 0), 0u);
  EXPECT_TRUE(fs::is_directory(folder));
  EXPECT_EQ(fs::status(folder).permissions() & fs::perms::all, fs::perms::owner_all);
  EXPECT_EQ(fnd::RunTempFolder::path(), folder) << "one folder for the whole run";
  std::ofstream(folder + "/PVTO_tmpEX001.JPG") << "x";
  // A running program's own folder is never swept, not even by itself.
  fnd::RunTempFolder::sweepAbandoned();
  EXPECT_TRUE(fs::exists(folder + "/PVTO_tmpEX001.JPG"));
  fnd::RunTempFolder::remove();
  EXPECT_FALSE(fs::exists(folder));
  const std::string next = fnd::RunTempFolder::path();
  EXPECT_NE(next, folder);
  EXPECT_TRUE(fs::is_directory(next));
}

TEST(RunTempFolder, AStartSweepsOnlyTheFoldersOfProgramsThatAreGone) {
  const std::string mine = fnd::RunTempFolder::path();
  const fs::path report = testenv::freshFolder("other-program") / "report";
  const pid_t other = startOtherProgram(report);
  ASSERT_GT(other, 0);
  const bool reported = waitForLine(report);
  if (!reported) ::kill(other, SIGKILL);
  ASSERT_TRUE(reported);
  const std::string theirs = readWhole(report);
  EXPECT_NE(theirs, mine);
  EXPECT_TRUE(fs::exists(theirs + "/PVTO_tmpTF000.TIF"));

  // Left half made or half removed: no owner file, so nobody's.
  const std::string halfMade = fnd::Paths::tempDir() + "/" + fnd::RunTempFolder::kPrefix + "abc123";
  fs::create_directories(halfMade);
  // Not ours to touch: a file and a link that merely look like folders of ours.
  const std::string plainFile = fnd::Paths::tempDir() + "/" + fnd::RunTempFolder::kPrefix + "file00";
  std::ofstream(plainFile) << "x";
  const fs::path target = testenv::freshFolder("link-target");
  std::ofstream(target / "keep") << "x";
  const std::string link = fnd::Paths::tempDir() + "/" + fnd::RunTempFolder::kPrefix + "link00";
  fs::create_directory_symlink(target, link);

  // The other program runs: its folder stays.
  EXPECT_EQ(fnd::RunTempFolder::sweepAbandoned(), 1);
  EXPECT_FALSE(fs::exists(halfMade));
  EXPECT_TRUE(fs::exists(theirs + "/PVTO_tmpTF000.TIF"));

  ASSERT_EQ(::kill(other, SIGKILL), 0);
  int status = 0;
  ASSERT_EQ(::waitpid(other, &status, 0), other);
  EXPECT_TRUE(WIFSIGNALED(status));
  // Killed, it left its folder behind; the next start takes it away, and only it.
  EXPECT_TRUE(fs::exists(theirs));
  EXPECT_EQ(fnd::RunTempFolder::sweepAbandoned(), 1);
  EXPECT_FALSE(fs::exists(theirs));
  EXPECT_TRUE(fs::is_directory(mine));
  EXPECT_TRUE(fs::exists(plainFile));
  EXPECT_TRUE(fs::exists(target / "keep"));
  EXPECT_TRUE(fs::is_symlink(link));
  EXPECT_EQ(runFolders().size(), 3u);  // ours, the file and the link
}
