#pragma once

// The save pipeline's file handle. Made and released only through CM_CreateFile and
// CM_ReleaseFile. Every operation answers a code; 0xD9802 means no file is open.
//
// A file opened for writing (mode 0) is written to a temporary file beside the path and
// renamed over it when it is closed (or the object released), so readers never see half a
// file and a shorter rewrite leaves no stale tail.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

#include "launcher/save/CMError.h"

class ICMFILE_CLASS {
 public:
  // Open modes.
  static constexpr std::int32_t kWrite = 0;   // create or replace
  static constexpr std::int32_t kRead = 1;    // the file must exist
  static constexpr std::int32_t kUpdate = 2;  // read and write in place; the file must exist

  // Seek origins.
  static constexpr std::int32_t kFromStart = 0;
  static constexpr std::int32_t kFromCurrent = 1;
  static constexpr std::int32_t kToEnd = 2;  // the offset must be 0

  virtual ~ICMFILE_CLASS() = default;

  // 0xDCA01 null path or unknown mode; 0xDC901 the file to read or update does not exist;
  // 0xDF400 folder or file lacks the permission the mode needs; 0xDCA02 the file cannot be
  // made; 0xD9801 no handle. An open file is closed first.
  virtual CMResult Open(const std::string* path, std::int32_t mode) = 0;
  // Opens for writing (as mode 0) a file that is to take a free name: refused (0xDF400) when
  // something is at path, and put in place on Close only while the name is still free
  // (0xDF400 otherwise, what is there left as it was).
  virtual CMResult OpenNew(const std::string* path) = 0;
  // Closes (and for mode 0 puts the file in place: 0xDCA02 when that fails).
  virtual CMResult Close() = 0;
  // printf into a buffer of bufferSize bytes and write the text without its terminator. A
  // text that does not fit is 0xDCA02 and nothing is written.
  __attribute__((format(printf, 3, 4))) virtual CMResult WriteFormat(std::size_t bufferSize, const char* format,
                                                                     ...) = 0;
  virtual CMResult Tell(std::uint64_t* offset) = 0;
  // 0xDCA01 for an unknown origin, a non-zero offset with kToEnd, or a position before the
  // start; the position is then unchanged.
  virtual CMResult Seek(std::int64_t offset, std::int32_t origin) = 0;
  // 0xDCA01 null bytes; 0xDE900 disk full; 0xDF400 not permitted; 0xDCA02 other failures.
  virtual CMResult Write(const void* bytes, std::size_t length) = 0;
  // Reads up to length bytes; only the bytes read are copied and bytesRead (when given) says
  // how many. 0xDF300 when nothing is left; 0xDCA01 null buffer.
  virtual CMResult Read(void* buffer, std::size_t length, std::size_t* bytesRead = nullptr) = 0;
  // The file's size; the position stays where it was.
  virtual CMResult GetSize(std::uint64_t* size) = 0;
  // Closes a file opened for writing without putting it in place: the path is left as it
  // was. Other files are closed as by Close.
  virtual CMResult Discard() = 0;
};

// 0xDCA01 when the slot is already set (the slot and its object are left alone).
CMResult CM_CreateFile(std::unique_ptr<ICMFILE_CLASS>* slot);
// Destroys the object and clears the slot; 0xDCA01 when the slot is empty.
CMResult CM_ReleaseFile(std::unique_ptr<ICMFILE_CLASS>* slot);
