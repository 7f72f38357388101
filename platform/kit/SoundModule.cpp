#include "kit/SoundModule.h"

#include <mutex>

#include "foundation/LoadableModule.h"

namespace kit {

namespace {

struct Loaded {
  const SoundModule* module = nullptr;
  std::string why;
};

// The module is built and installed beside kit.
Loaded load() {
  Loaded loaded;
  const std::string path = fnd::LoadableModule::folderContaining(reinterpret_cast<const void*>(&soundModule)) +
                           kSoundModuleFile;
  void* handle = nullptr;
  std::string why;
  loaded.module = static_cast<const SoundModule*>(fnd::LoadableModule::open(path, kSoundModuleEntry, &handle, &why));
  if (!loaded.module) loaded.why = "no audio module: " + why;
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
