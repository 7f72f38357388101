#pragma once

#include <string>

namespace imageio {

// Renames from onto to only when nothing is at to; false with errno set (EEXIST when the name
// is taken) otherwise, from then left where it is.
bool renameOntoFreeName(const std::string& from, const std::string& to);
// Renames from onto to, replacing what is there, or with keepExisting as renameOntoFreeName.
bool renameInto(const std::string& from, const std::string& to, bool keepExisting);

// A file written under a temporary name in the target's folder and renamed over the target
// only when complete, so a failed or interrupted write never leaves half a file behind.
class AtomicFile {
 public:
  explicit AtomicFile(std::string target);
  ~AtomicFile();  // removes the temporary file unless committed
  AtomicFile(const AtomicFile&) = delete;
  AtomicFile& operator=(const AtomicFile&) = delete;

  // Creates the temporary file; false (with errorMessage()) when it cannot be made.
  bool open();
  int fd() const { return fd_; }
  const std::string& tempPath() const { return temp_; }
  // The descriptor now belongs to someone else, who closes it.
  void releaseFd() { fd_ = -1; }
  // Closes the descriptor if still ours and renames the file onto the target.
  bool commit();
  // The same, but only onto a free name: false (the target left as it is) when something is
  // already there.
  bool commitNew();
  // The last commitNew failed because the name was taken.
  bool nameTaken() const { return nameTaken_; }
  const std::string& errorMessage() const { return error_; }

 private:
  std::string target_;
  std::string temp_;
  std::string error_;
  // Closes the descriptor if still ours and renames the file onto the target.
  bool place(bool keepExisting);
  int fd_ = -1;
  bool committed_ = false;
  bool nameTaken_ = false;
};

}  // namespace imageio
