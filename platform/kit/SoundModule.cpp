#include "kit/SoundModule.h"

#include <dlfcn.h>

#include <mutex>

namespace kit {

namespace {

// The folder kit itself was loaded from: the module is built and installed beside it.
std::string kitFolder() {
  Dl_info info{};
  if (::dladdr(reinterpret_cast<void*>(&soundModule), &info) == 0 || !info.dli_fname) return {};
  std::string path = info.dli_fname;
  const std::size_t slash = path.rfind('/');
  return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

struct Loaded {
  const SoundModule* module = nullptr;
  std::string why;
};

Loaded load() {
  Loaded loaded;
  const std::string path = kitFolder() + kSoundModuleFile;
  // Kept loaded for the life of the process: players made by it may live until exit.
  void* handle = ::dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (!handle) {
    const char* error = ::dlerror();
    loaded.why = "no audio module: " + std::string(error ? error : path);
    return loaded;
  }
  using Entry = const SoundModule* (*)();
  auto entry = reinterpret_cast<Entry>(::dlsym(handle, kSoundModuleEntry));
  loaded.module = entry ? entry() : nullptr;
  if (!loaded.module) loaded.why = "no audio module: " + path + " has no entry";
  return loaded;
}

}  // namespace

const SoundModule* soundModule(std::string* why) {
  static std::once_flag once;
  static Loaded loaded;
  std::call_once(once, [] { loaded = load(); });
  if (!loaded.module && why) *why = loaded.why;
  return loaded.module;
}

}  // namespace kit
