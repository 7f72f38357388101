#pragma once

#include <cstddef>
#include <memory>
#include <string>

#include "foundation/Value.h"
#include "imageio/Image.h"

namespace imageio {

enum class ImageType { JPEG, TIFF };

// An image file being made: create it on a path with its type, add the image with its
// property dictionary, finalise. Finalising pulls the image's rows from its provider one at
// a time and writes them to a temporary file in the target's folder, which replaces the
// target only when everything went well.
class ImageDestination {
 public:
  // Null when count is not 1 or the target's folder does not exist.
  static std::unique_ptr<ImageDestination> createWithPath(const std::string& path, ImageType type,
                                                          std::size_t count);

  // Only the first image is kept (a destination holds one image).
  void addImage(ImageRef image, const fnd::Dictionary& properties = {});
  // Writes the file; false when there is no image, it was already finalised, the codec module
  // (CodecModule.h) cannot be loaded, the data ran out or the file could not be written. The
  // target is untouched on failure.
  bool finalize();
  // With keep set, finalize fails rather than replace a file that is already at the path.
  void setKeepsExistingFile(bool keep) { keepExisting_ = keep; }

  // Why the last finalize failed.
  const std::string& errorMessage() const { return error_; }
  ImageType type() const { return type_; }
  const std::string& path() const { return path_; }

 private:
  ImageDestination(std::string path, ImageType type) : path_(std::move(path)), type_(type) {}

  std::string path_;
  ImageType type_;
  fnd::Dictionary properties_;
  ImageRef image_;
  bool finalized_ = false;
  bool keepExisting_ = false;
  std::string error_;
};

}  // namespace imageio
