#pragma once

#include "launcher/save/ICMFILE_CLASS.h"

// The one implementation of ICMFILE_CLASS, over a POSIX file descriptor.
class CMFILE_CLASS final : public ICMFILE_CLASS {
 public:
  CMFILE_CLASS();
  ~CMFILE_CLASS() override;

  CMResult Open(const std::string* path, std::int32_t mode) override;
  CMResult OpenNew(const std::string* path) override;
  CMResult Close() override;
  __attribute__((format(printf, 3, 4))) CMResult WriteFormat(std::size_t bufferSize, const char* format,
                                                             ...) override;
  CMResult Tell(std::uint64_t* offset) override;
  CMResult Seek(std::int64_t offset, std::int32_t origin) override;
  CMResult Write(const void* bytes, std::size_t length) override;
  CMResult Read(void* buffer, std::size_t length, std::size_t* bytesRead = nullptr) override;
  CMResult GetSize(std::uint64_t* size) override;
  CMResult Discard() override;

 private:
  CMResult writeAll(const void* bytes, std::size_t length);
  CMResult open(const std::string* path, std::int32_t mode, bool keepExisting);

  int m_fd = -1;
  std::string m_path;      // the file as named by the caller
  std::string m_tempPath;  // mode 0: where the bytes go until Close
  bool m_writeFailed = false;  // a failed write: Close discards the new contents
  bool m_keepExisting = false;  // OpenNew: Close never replaces a file at m_path
};
