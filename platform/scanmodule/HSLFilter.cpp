#include "scanmodule/HSLFilter.h"

#include <dlfcn.h>

#include <mutex>
#include <string>

#include "foundation/Paths.h"
#include "foundation/PropertyList.h"
#include "plugins/PlugInInterface.h"
#include "plugins/PlugInSupport.h"

namespace velmor {

namespace {

// The plug-in's factory, its library opened once and kept for the life of the process (what it
// made may live until exit); null when the bundle is missing or damaged.
PlugInFactoryFunction factory() {
  static std::once_flag once;
  static PlugInFactoryFunction found = nullptr;
  std::call_once(once, [] {
    const std::string bundle = fnd::Paths::resourceDir() + "/plugins/HSL.plugin/";
    const auto read = fnd::PropertyList::readFile(bundle + "descriptor.plist");
    if (!read.ok() || !read.value->isDictionary()) return;
    const fnd::Dictionary& d = read.value->toDictionary();
    const std::string executable = d.string("Executable");
    const std::string entry = d.dictionary("Factories").string(PLUGIN_HSL_FACTORY);
    if (executable.empty() || entry.empty() || executable.find('/') != std::string::npos) return;
    void* library = ::dlopen((bundle + executable).c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!library) return;
    found = reinterpret_cast<PlugInFactoryFunction>(::dlsym(library, entry.c_str()));
    if (!found) ::dlclose(library);
  });
  return found;
}

const PlugInHSLTable* tableOf(void* interfaceObject) {
  return interfaceObject ? *static_cast<const PlugInHSLTable* const*>(interfaceObject) : nullptr;
}

}  // namespace

std::unique_ptr<HSLFilter> HSLFilter::open(const Settings& settings) {
  if (settings.cyanRed == 0 && settings.magentaGreen == 0 && settings.yellowBlue == 0 && settings.saturation == 0)
    return nullptr;
  PlugInFactoryFunction make = factory();
  const auto type = plugin_support::parseUUID(PLUGIN_HSL_TYPE);
  const auto iid = plugin_support::parseUUID(PLUGIN_HSL_INTERFACE);
  if (!make || !type || !iid) return nullptr;
  void* instance = make(&*type);
  if (!instance) return nullptr;
  const PlugInUnknownTable* unknown = *static_cast<const PlugInUnknownTable* const*>(instance);
  std::unique_ptr<HSLFilter> filter(new HSLFilter());
  filter->settings_ = settings;
  const bool answered = unknown->queryInterface(instance, *iid, &filter->interface_) == PLUGIN_S_OK;
  unknown->release(instance);
  const PlugInHSLTable* table = tableOf(filter->interface_);
  if (!answered || !table || !table->create || !table->process) return nullptr;
  // The host state: its first field is the slot for the plug-in's handle.
  if (table->create(&filter->handle_) != 0 || !filter->handle_) return nullptr;
  return filter;
}

HSLFilter::~HSLFilter() {
  const PlugInHSLTable* table = tableOf(interface_);
  if (!table) return;
  if (handle_ && table->destroy) table->destroy(handle_);
  if (table->close) table->close(&interface_);
}

bool HSLFilter::apply(std::uint8_t* row, int width, int bitsPerSample) {
  const PlugInHSLTable* table = tableOf(interface_);
  if (!table || !handle_) return false;
  const int bytes = bitsPerSample == 16 ? 6 : 3;
  const PlugInHSLParams params{settings_.cyanRed, settings_.magentaGreen, settings_.yellowBlue, settings_.saturation,
                               width, 1, width * bytes,
                               bitsPerSample == 16 ? PLUGIN_HSL_FORMAT_RGB16 : PLUGIN_HSL_FORMAT_RGB8};
  return table->process(handle_, &params, row) == 0;
}

}  // namespace velmor
