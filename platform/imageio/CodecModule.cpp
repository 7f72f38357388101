#include "imageio/CodecModule.h"

#include <dlfcn.h>

#include <mutex>

namespace imageio {

namespace {

// The folder imageio itself was loaded from: the module is built and installed beside it.
std::string imageioFolder() {
  Dl_info info{};
  if (::dladdr(reinterpret_cast<void*>(&codecModule), &info) == 0 || !info.dli_fname) return {};
  std::string path = info.dli_fname;
  const std::size_t slash = path.rfind('/');
  return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

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
  auto fail = [why](const std::string& reason) -> const CodecModule* {
    if (why) *why = "no image codecs: " + reason;
    return nullptr;
  };
  // A module that serves is kept loaded for the life of the process: decoders and transforms
  // made by it may live until exit.
  void* handle = ::dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (!handle) {
    const char* error = ::dlerror();
    return fail(error ? error : path);
  }
  using Entry = const CodecModule* (*)();
  auto entry = reinterpret_cast<Entry>(::dlsym(handle, kCodecModuleEntry));
  const CodecModule* module = entry ? entry() : nullptr;
  if (!module || !completeTable(*module)) {
    ::dlclose(handle);
    return fail(path + (module ? " has an incomplete entry" : " has no entry"));
  }
  return module;
}

const CodecModule* codecModule(std::string* why) {
  static std::once_flag once;
  static LoadedCodecs loaded;
  std::call_once(once, [] { loaded.module = loadCodecModule(imageioFolder() + kCodecModuleFile, &loaded.why); });
  if (!loaded.module && why) *why = loaded.why;
  return loaded.module;
}

}  // namespace imageio
