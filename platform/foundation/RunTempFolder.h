#pragma once

#include <string>

namespace fnd {

// This program's own folder for temporary files, "trivolan-run-XXXXXX" under the temporary folder
// (Paths::tempDir), so that two programs running at once, or two users, never meet in each
// other's files. A file inside, locked for as long as the program runs, tells the others that
// the folder is in use: the lock goes with the process, however it ends.
class RunTempFolder {
 public:
  static constexpr const char* kPrefix = "trivolan-run-";
  static constexpr const char* kOwnerFile = ".owner";

  // The folder (no trailing slash), made on first use. Falls back to Paths::tempDir() when it
  // cannot be made.
  static std::string path();
  // Removes the folder with all it holds (the normal end of the program). A later path() makes
  // a new one.
  static void remove();
  // Removes the folders of programs that are gone, never one whose program still runs. Answers
  // how many went.
  static int sweepAbandoned();
};

}  // namespace fnd
