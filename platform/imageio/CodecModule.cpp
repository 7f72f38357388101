#include "imageio/CodecModule.h"

#include <mutex>

#include "foundation/LoadableModule.h"

namespace imageio {

namespace {

// A module of another version may miss an entry: refused as a whole, not found out at a call.
bool completeTable(const CodecModule& m) {
  return m.openJpeg && m.openTiff && m.tiffImageCount && m.writeJpeg && m.writeTiff && m.makeGrayProfile &&
         m.makeSRGBProfile && m.readProfile && m.makeTransform;
}

struct LoadedCodecs {
  const CodecModule* module = nullptr;
  std::string why;
};

}  // namespace

const CodecModule* loadCodecModule(const std::string& path, std::string* why) {
  void* handle = nullptr;
  std::string reason;
  const auto* module =
      static_cast<const CodecModule*>(fnd::LoadableModule::open(path, kCodecModuleEntry, &handle, &reason));
  if (module && !completeTable(*module)) {
    fnd::LoadableModule::close(handle);
    module = nullptr;
    reason = path + " has an incomplete entry";
  }
  if (!module && why) *why = "no image codecs: " + reason;
  return module;
}

const CodecModule* codecModule(std::string* why) {
  static std::once_flag once;
  static LoadedCodecs loaded;
  std::call_once(once, [] {
    // The module is built and installed beside imageio.
    const std::string folder = fnd::LoadableModule::folderContaining(reinterpret_cast<const void*>(&codecModule));
    loaded.module = loadCodecModule(folder + kCodecModuleFile, &loaded.why);
  });
  if (!loaded.module && why) *why = loaded.why;
  return loaded.module;
}

}  // namespace imageio
