#include "imageio/IccProfile.h"

#include <fstream>

#include "imageio/CodecModule.h"

namespace imageio {

namespace {

// Profiles are small; anything far larger is not one, and must not be read whole.
constexpr std::uintmax_t kMaxProfileBytes = 64u * 1024 * 1024;

std::uint32_t be32(const std::uint8_t* p) {
  return (std::uint32_t(p[0]) << 24) | (std::uint32_t(p[1]) << 16) | (std::uint32_t(p[2]) << 8) | p[3];
}

}  // namespace

bool IccProfile::parseHeader(const std::uint8_t* bytes, std::size_t size, Header& out) {
  if (!bytes || size < kHeaderSize) return false;
  if (be32(bytes + 36) != iccSignature('a', 'c', 's', 'p')) return false;
  out.size = be32(bytes);
  out.version = be32(bytes + 8);
  out.deviceClass = be32(bytes + 12);
  out.colorSpace = be32(bytes + 16);
  out.connectionSpace = be32(bytes + 20);
  return true;
}

std::unique_ptr<IccProfile> IccProfile::createWithData(const fnd::Data& data) {
  std::unique_ptr<IccProfile> profile(new IccProfile);
  if (!parseHeader(data.data(), data.size(), profile->header_)) return nullptr;
  const CodecModule* codecs = codecModule();
  if (!codecs || !codecs->readProfile(data, profile->description_)) return nullptr;
  profile->data_ = data;
  return profile;
}

std::unique_ptr<IccProfile> IccProfile::createWithPath(const std::string& path) {
  std::ifstream in(path, std::ios::binary | std::ios::ate);
  if (!in) return nullptr;
  std::streamoff size = in.tellg();
  if (size < std::streamoff(kHeaderSize) || std::uintmax_t(size) > kMaxProfileBytes) return nullptr;
  fnd::Data data(static_cast<std::size_t>(size));
  in.seekg(0);
  if (!in.read(reinterpret_cast<char*>(data.data()), size)) return nullptr;
  auto profile = createWithData(data);
  if (profile) profile->path_ = path;
  return profile;
}

}  // namespace imageio
