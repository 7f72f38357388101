#pragma once

// The save pipeline reads paths, not bytes: each input is written to a file of this process
// in the temporary folder first.

#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <string>

namespace fuzzfile {

// $TMPDIR/fuzz-<pid>-<name>, the same path for every input of the run.
inline std::string PathFor(const char* name) {
  const char* folder = std::getenv("TMPDIR");
  return std::string(folder && *folder ? folder : "/tmp") + "/fuzz-" + std::to_string(getpid()) + "-" + name;
}

inline std::string Write(const char* name, const std::uint8_t* data, std::size_t size) {
  const std::string path = PathFor(name);
  std::ofstream(path, std::ios::binary | std::ios::trunc).write(reinterpret_cast<const char*>(data), std::streamsize(size));
  return path;
}

}  // namespace fuzzfile
