#include "ui/model/PlugInBundle.h"

#include <dlfcn.h>

#include <algorithm>
#include <cstdlib>
#include <map>
#include <vector>

#include "foundation/Paths.h"
#include "foundation/PropertyList.h"
#include "plugins/PlugInSupport.h"

namespace {

// Identifiers compare by their bytes, so the descriptor may spell them in either case.
std::string canonical(const PlugInUUIDBytes& bytes) {
  return std::string(reinterpret_cast<const char*>(bytes.bytes), sizeof bytes.bytes);
}

// Empty for text that is no identifier.
std::string canonical(std::string_view text) {
  const auto bytes = PlugInBundle::parseUUID(text);
  return bytes ? canonical(*bytes) : std::string();
}

}  // namespace

struct PlugInBundle::Registry {
  std::map<std::string, std::string> factories;
  std::map<std::string, std::vector<std::string>> types;
};

std::string PlugInBundle::pluginFolder() {
  if (const char* dir = std::getenv("TRIVOLAN_PLUGIN_DIR"); dir && *dir) return dir;
  return fnd::Paths::resourceDir() + "/plugins";
}

std::string PlugInBundle::resolvePath(const std::string& path) {
  if (path.empty() || path.front() == '/') return path;
  return pluginFolder() + "/" + path;
}

std::optional<PlugInUUIDBytes> PlugInBundle::parseUUID(std::string_view text) {
  return plugin_support::parseUUID(text);
}

std::unique_ptr<PlugInBundle> PlugInBundle::create(const std::string& bundlePath) {
  if (bundlePath.empty()) return nullptr;
  const std::string folder = resolvePath(bundlePath);
  const auto descriptor = fnd::PropertyList::readFile(folder + "/descriptor.plist");
  if (!descriptor.ok() || !descriptor.value->isDictionary()) return nullptr;
  const fnd::Dictionary& d = descriptor.value->toDictionary();
  const std::string executable = d.string("Executable");
  // The shared object must lie inside the bundle.
  if (executable.empty() || executable.find('/') != std::string::npos) return nullptr;

  auto registry = std::make_unique<Registry>();
  for (const auto& [factory, symbol] : d.dictionary("Factories")) {
    const std::string key = canonical(factory);
    if (!key.empty() && symbol.isString()) registry->factories[key] = symbol.toString();
  }
  for (const auto& [type, factories] : d.dictionary("Types")) {
    const std::string key = canonical(type);
    if (key.empty()) continue;
    for (const fnd::Value& f : factories.toArray()) {
      const std::string fk = canonical(f.toString());
      if (!fk.empty()) registry->types[key].push_back(fk);
    }
  }

  void* library = dlopen((folder + "/" + executable).c_str(), RTLD_NOW | RTLD_LOCAL);
  if (!library) return nullptr;
  std::unique_ptr<PlugInBundle> bundle(new PlugInBundle());
  bundle->library_ = library;
  bundle->registry_ = std::move(registry);
  return bundle;
}

PlugInBundle::~PlugInBundle() {
  if (library_) dlclose(library_);
}

void* PlugInBundle::createInstance(const PlugInUUIDBytes& factory, const PlugInUUIDBytes& type) {
  const std::string factoryKey = canonical(factory);
  const auto t = registry_->types.find(canonical(type));
  if (t == registry_->types.end() ||
      std::find(t->second.begin(), t->second.end(), factoryKey) == t->second.end()) {
    return nullptr;
  }
  const auto f = registry_->factories.find(factoryKey);
  if (f == registry_->factories.end()) return nullptr;
  auto function = reinterpret_cast<PlugInFactoryFunction>(dlsym(library_, f->second.c_str()));
  if (!function) return nullptr;
  return function(&type);
}
