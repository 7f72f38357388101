#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "foundation/Value.h"

namespace imageio {

// A four-character ICC signature as a number.
constexpr std::uint32_t iccSignature(char a, char b, char c, char d) {
  return (std::uint32_t(std::uint8_t(a)) << 24) | (std::uint32_t(std::uint8_t(b)) << 16) |
         (std::uint32_t(std::uint8_t(c)) << 8) | std::uint32_t(std::uint8_t(d));
}

// One ICC profile, read from a file or from bytes: its header fields and its description.
class IccProfile {
 public:
  // Device classes.
  static constexpr std::uint32_t sigScanner = iccSignature('s', 'c', 'n', 'r');
  static constexpr std::uint32_t sigMonitor = iccSignature('m', 'n', 't', 'r');
  static constexpr std::uint32_t sigPrinter = iccSignature('p', 'r', 't', 'r');
  // Data colour spaces.
  static constexpr std::uint32_t sigGray = iccSignature('G', 'R', 'A', 'Y');
  static constexpr std::uint32_t sigRGB = iccSignature('R', 'G', 'B', ' ');
  static constexpr std::uint32_t sigCMYK = iccSignature('C', 'M', 'Y', 'K');

  static constexpr std::size_t kHeaderSize = 128;

  // The 32-bit header fields in host order, read from the first 128 bytes of a profile.
  struct Header {
    std::uint32_t size = 0;
    std::uint32_t version = 0;  // major version in the top byte
    std::uint32_t deviceClass = 0;
    std::uint32_t colorSpace = 0;
    std::uint32_t connectionSpace = 0;
  };
  // False when the bytes are too short or lack the 'acsp' signature.
  static bool parseHeader(const std::uint8_t* bytes, std::size_t size, Header& out);

  // Null when the file cannot be read or is not a profile Little CMS accepts.
  static std::unique_ptr<IccProfile> createWithPath(const std::string& path);
  static std::unique_ptr<IccProfile> createWithData(const fnd::Data& data);

  std::uint32_t version() const { return header_.version; }
  int majorVersion() const { return int(header_.version >> 24); }
  std::uint32_t deviceClass() const { return header_.deviceClass; }
  std::uint32_t colorSpace() const { return header_.colorSpace; }
  const Header& header() const { return header_; }
  // The profile's description text; empty when it has none.
  const std::string& description() const { return description_; }
  const std::string& path() const { return path_; }
  const fnd::Data& data() const { return data_; }

 private:
  IccProfile() = default;
  Header header_;
  std::string description_;
  std::string path_;
  fnd::Data data_;
};

}  // namespace imageio
