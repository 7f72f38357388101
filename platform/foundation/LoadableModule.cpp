#include "foundation/LoadableModule.h"

#include <dlfcn.h>

namespace fnd {

std::string LoadableModule::folderContaining(const void* address) {
  Dl_info info{};
  if (::dladdr(address, &info) == 0 || !info.dli_fname) return {};
  const std::string path = info.dli_fname;
  const std::size_t slash = path.rfind('/');
  return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

const void* LoadableModule::open(const std::string& path, const char* entry, void** handle, std::string* why) {
  *handle = nullptr;
  void* opened = ::dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (!opened) {
    const char* error = ::dlerror();
    if (why) *why = error ? error : path;
    return nullptr;
  }
  using Entry = const void* (*)();
  auto function = reinterpret_cast<Entry>(::dlsym(opened, entry));
  const void* table = function ? function() : nullptr;
  if (!table) {
    ::dlclose(opened);
    if (why) *why = path + " has no entry";
    return nullptr;
  }
  *handle = opened;
  return table;
}

void LoadableModule::close(void* handle) {
  if (handle) ::dlclose(handle);
}

}  // namespace fnd
