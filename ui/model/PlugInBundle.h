#pragma once

#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "plugins/PlugInInterface.h"

// An image-processing plug-in bundle opened with dlopen: a folder holding "descriptor.plist" and
// the shared object it names. The descriptor maps factory identifiers to exported factory
// functions and type identifiers to the factories that make them (see plugins/PlugInInterface.h).
// The shared object stays loaded while the bundle object lives.
class PlugInBundle {
 public:
  // Where bundles named by a relative path are looked for: TRIVOLAN_PLUGIN_DIR when set, else
  // the "plugins" folder of the resources.
  static std::string pluginFolder();
  // An absolute path as it is; a relative one inside pluginFolder().
  static std::string resolvePath(const std::string& path);

  // Null when the folder has no readable descriptor or the shared object cannot be loaded.
  static std::unique_ptr<PlugInBundle> create(const std::string& bundlePath);
  ~PlugInBundle();
  PlugInBundle(const PlugInBundle&) = delete;
  PlugInBundle& operator=(const PlugInBundle&) = delete;

  // A new instance of the factory for the type, or null when the descriptor does not register
  // that factory for that type, the function is missing or the factory declines.
  void* createInstance(const PlugInUUIDBytes& factory, const PlugInUUIDBytes& type);

  static std::optional<PlugInUUIDBytes> parseUUID(std::string_view text);

 private:
  PlugInBundle() = default;
  void* library_ = nullptr;
  // Factory identifier (its 16 bytes) -> exported function name, and type -> factories.
  struct Registry;
  std::unique_ptr<Registry> registry_;
};
