#include "imageio/ImageDestination.h"

#include <filesystem>

#include "imageio/AtomicFile.h"
#include "imageio/CodecModule.h"

namespace imageio {

std::unique_ptr<ImageDestination> ImageDestination::createWithPath(const std::string& path, ImageType type,
                                                                   std::size_t count) {
  if (count != 1 || path.empty()) return nullptr;
  std::error_code ec;
  std::filesystem::path folder = std::filesystem::path(path).parent_path();
  if (folder.empty()) folder = ".";
  if (!std::filesystem::is_directory(folder, ec)) return nullptr;
  return std::unique_ptr<ImageDestination>(new ImageDestination(path, type));
}

void ImageDestination::addImage(ImageRef image, const fnd::Dictionary& properties) {
  if (image_ || !image) return;
  image_ = std::move(image);
  properties_ = properties;
}

bool ImageDestination::finalize() {
  error_.clear();
  if (finalized_) {
    error_ = "already finalised";
    return false;
  }
  finalized_ = true;
  if (!image_) {
    error_ = "no image was added";
    return false;
  }
  const CodecModule* codecs = codecModule(&error_);
  if (!codecs) return false;
  AtomicFile file(path_);
  if (!file.open()) {
    error_ = file.errorMessage();
    return false;
  }
  bool ok;
  if (type_ == ImageType::JPEG) {
    ok = codecs->writeJpeg(*image_, properties_, file.fd(), error_);
  } else {
    int fd = file.fd();
    file.releaseFd();
    ok = codecs->writeTiff(*image_, properties_, fd, file.tempPath(), error_);
  }
  if (ok && !(keepExisting_ ? file.commitNew() : file.commit())) {
    error_ = file.errorMessage();
    ok = false;
  }
  // The provider may hold large buffers or a decoder: let it go with the destination's work.
  image_.reset();
  return ok;
}

}  // namespace imageio
