#pragma once

#include <dlfcn.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "foundation/Paths.h"
#include "scanmodule/Module.h"

namespace velmor {

// Loads the scan module at run time, the stand-in for weak linking: on a machine without the
// library, load() answers null and the caller takes its "scan module missing" path.
//
// Places tried, first hit wins: the file named by TRIVOLAN_VELMOR_LIBRARY (only that one when
// the variable is set; none when it is set but empty); the library built beside this project (VELMOR_BUILD_PATH, given by the
// velmor_interface target); libvelmor.so beside the executable and in ../lib; the system's
// library search path.
//
// The loader must outlive every object the module made: destroy those first.
class ModuleLoader {
 public:
  static std::unique_ptr<ModuleLoader> load() {
    for (const std::string& path : candidates()) {
      void* handle = ::dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
      if (!handle) continue;
      auto entry = reinterpret_cast<Velmor_GetModuleFunction>(::dlsym(handle, kEntrySymbol));
      Velmor_Module* module = entry ? entry() : nullptr;
      if (!module) {
        ::dlclose(handle);
        continue;
      }
      return std::unique_ptr<ModuleLoader>(new ModuleLoader(handle, module, path));
    }
    return nullptr;
  }

  ModuleLoader(const ModuleLoader&) = delete;
  ModuleLoader& operator=(const ModuleLoader&) = delete;
  ~ModuleLoader() { ::dlclose(handle_); }

  Velmor_Module& module() const { return *module_; }
  const std::string& path() const { return path_; }

 private:
  ModuleLoader(void* handle, Velmor_Module* module, std::string path)
      : handle_(handle), module_(module), path_(std::move(path)) {}

  static std::vector<std::string> candidates() {
    if (const char* forced = std::getenv(kLibraryEnvironmentVariable)) {
      if (*forced == '\0') return {};  // set but empty: run as if the module were not installed
      return {forced};
    }
    std::vector<std::string> list;
#ifdef VELMOR_BUILD_PATH
    list.emplace_back(VELMOR_BUILD_PATH);
#endif
    const std::filesystem::path exe = fnd::Paths::executableDir();
    list.push_back((exe / kLibraryFileName).string());
    list.push_back((exe.parent_path() / "lib" / kLibraryFileName).string());
    list.emplace_back(kLibraryFileName);
    return list;
  }

  void* handle_;
  Velmor_Module* module_;
  std::string path_;
};

}  // namespace velmor
