#include "ui/model/ImagePlugIn.h"

#include <cstdint>
#include <new>

#include "ui/model/PlugInBundle.h"

UIM_PLUGIN::UIM_PLUGIN() = default;
UIM_PLUGIN::~UIM_PLUGIN() = default;

namespace {

template <class Table>
const Table* tableOf(void* interface) {
  return interface ? *static_cast<const Table* const*>(interface) : nullptr;
}

// The close slot sits at the same place in every table.
void closeInterface(void*& interface) {
  if (!interface) return;
  if (const PlugInHSLTable* table = tableOf<PlugInHSLTable>(interface); table && table->close) {
    table->close(&interface);
  }
  interface = nullptr;
}

std::optional<std::string> stringOf(const fnd::Dictionary& d, const char* key) {
  const fnd::Value* v = d.find(key);
  if (!v || !v->isString()) return std::nullopt;
  return v->toString();
}

}  // namespace

int UIM_load_plugin(UIM_PLUGIN* plugin) {
  if (!plugin) return -1;
  if (plugin->loaded) UIM_unload_plugin(plugin);

  int result = -1;
  if (plugin->plugin && plugin->factory && plugin->type && plugin->interfaceId) {
    const auto factory = PlugInBundle::parseUUID(*plugin->factory);
    const auto type = PlugInBundle::parseUUID(*plugin->type);
    const auto iid = PlugInBundle::parseUUID(*plugin->interfaceId);
    if (factory && type && iid) {
      plugin->loaded = PlugInBundle::create(*plugin->plugin);
      if (plugin->loaded) {
        if (void* instance = plugin->loaded->createInstance(*factory, *type)) {
          const PlugInUnknownTable* unknown = *static_cast<const PlugInUnknownTable* const*>(instance);
          if (unknown && unknown->queryInterface) {
            result = unknown->queryInterface(instance, *iid, &plugin->interface);
            // A plug-in that claims success without an interface would be called through null.
            if (result == 0 && !plugin->interface) result = -1;
          }
          if (unknown && unknown->release) unknown->release(instance);
        }
      }
    }
  }
  if (result != 0) {
    closeInterface(plugin->interface);
    plugin->loaded.reset();
  }
  return result;
}

int UIM_getPlugin(const fnd::Dictionary* parameters, UIM_PLUGIN** out) {
  if (!out) return -1;
  *out = nullptr;
  if (!parameters) return -1;
  auto* plugin = new (std::nothrow) UIM_PLUGIN();
  if (!plugin) return -1;
  plugin->plugin = stringOf(*parameters, "Plugin");
  plugin->factory = stringOf(*parameters, "Factory");
  plugin->interfaceId = stringOf(*parameters, "Interface");
  plugin->type = stringOf(*parameters, "Type");
  plugin->parameter = stringOf(*parameters, "Parameter");
  const int result = UIM_load_plugin(plugin);
  *out = plugin;
  return result;
}

void UIM_unload_plugin(UIM_PLUGIN* plugin) {
  if (!plugin || !plugin->loaded) return;
  closeInterface(plugin->interface);
  plugin->loaded.reset();
}

void UIM_releasePlugin(UIM_PLUGIN* plugin) {
  if (!plugin) return;
  UIM_unload_plugin(plugin);
  delete plugin;
}

int UIM_pHSL_Initialize(UIM_PLUGIN* plugin, UIM_HSL_STATE** state, int width, int height, int cyanRed,
                        int magentaGreen, int yellowBlue, int saturation, int type, int bitsPerSample) {
  if (!state) return -1;
  *state = nullptr;
  if (cyanRed == 0 && magentaGreen == 0 && yellowBlue == 0 && saturation == 0) return 0;
  const PlugInHSLTable* table = plugin ? tableOf<PlugInHSLTable>(plugin->interface) : nullptr;
  // The line length must fit the parameter block's 32-bit field.
  if (!table || !table->create || width < 0 || height < 0 || width > INT32_MAX / 6) return -1;
  auto* s = new (std::nothrow) UIM_HSL_STATE();
  if (!s) return -1;
  s->interface = plugin->interface;
  if (table->create(s) != 0) {
    delete s;
    return -1;
  }
  int format = PLUGIN_HSL_FORMAT_NONE;
  if (bitsPerSample == 8) format = type == 1 ? PLUGIN_HSL_FORMAT_GRAY8 : type == 3 ? PLUGIN_HSL_FORMAT_RGB8 : 0;
  if (bitsPerSample == 16) format = type == 1 ? PLUGIN_HSL_FORMAT_GRAY16 : type == 3 ? PLUGIN_HSL_FORMAT_RGB16 : 0;
  s->params.format = format;
  s->params.cyanRed = cyanRed;
  s->params.magentaGreen = magentaGreen;
  s->params.yellowBlue = yellowBlue;
  s->params.saturation = saturation;
  s->params.width = width;
  s->params.height = height;
  // Three samples a pixel; a 16-bit line holds twice the bytes, so the plug-in reaches its end.
  s->params.bytesPerLine = width * 3 * (bitsPerSample == 16 ? 2 : 1);
  *state = s;
  return 0;
}

std::uint8_t UIM_pHSL_Set_and_Get_line(UIM_HSL_STATE* state, std::uint8_t* image) {
  const PlugInHSLTable* table = state ? tableOf<PlugInHSLTable>(state->interface) : nullptr;
  if (!table || !table->process || !image) return 1;
  return table->process(state->handle, &state->params, image);
}

void UIM_pHSL_Terminate(UIM_HSL_STATE** state) {
  if (!state || !*state) return;
  if (const PlugInHSLTable* table = tableOf<PlugInHSLTable>((*state)->interface); table && table->destroy) {
    table->destroy((*state)->handle);
  }
  delete *state;
  *state = nullptr;
}

int UIM_resize_Initialize(UIM_RESIZE_STATE** state, UIM_PLUGIN* plugin, int dstWidth, int dstHeight, int srcWidth,
                          int srcHeight, int type, int bitsPerSample) {
  if (!state) return -1;
  *state = nullptr;
  const int bitsPerPixel = type == 3 ? (bitsPerSample == 8 ? 24 : 48) : (bitsPerSample == 8 ? 8 : 16);
  const PlugInResizeTable* table = plugin ? tableOf<PlugInResizeTable>(plugin->interface) : nullptr;
  if (!table || !table->create) return -1;
  auto* s = new (std::nothrow) UIM_RESIZE_STATE();
  if (!s) return -1;
  s->interface = plugin->interface;
  s->bitsPerPixel = bitsPerPixel;
  s->srcWidth = srcWidth;
  s->dstWidth = dstWidth;
  if (table->create(&s->handle, dstWidth, dstHeight, srcWidth, srcHeight, bitsPerPixel) != 0) {
    // A plug-in that made a handle before failing still owns it.
    if (s->handle && table->destroy) table->destroy(&s->handle);
    delete s;
    return -1;
  }
  *state = s;
  return 0;
}

int UIM_resize_Set_line(UIM_RESIZE_STATE* state, const std::uint8_t* srcLine) {
  const PlugInResizeTable* table = state ? tableOf<PlugInResizeTable>(state->interface) : nullptr;
  if (!table || !table->setLine) return -1;
  // A lost line spoils every later one, so one failure ends the resize.
  if (state->status != 0) return state->status;
  state->status = table->setLine(state->handle, srcLine, &state->pending);
  return state->status;
}

int UIM_resize_Get_line(UIM_RESIZE_STATE* state, std::uint8_t* dstLine) {
  const PlugInResizeTable* table = state ? tableOf<PlugInResizeTable>(state->interface) : nullptr;
  if (!table || !table->getLine || !dstLine) return 0;
  if (state->status != 0 || state->pending == 0) return 0;
  return table->getLine(state->handle, dstLine, &state->pending) == 0 ? 1 : 0;
}

void UIM_resize_Terminate(UIM_RESIZE_STATE** state) {
  if (!state || !*state) return;
  if (const PlugInResizeTable* table = tableOf<PlugInResizeTable>((*state)->interface); table && table->destroy) {
    table->destroy(&(*state)->handle);
  }
  delete *state;
  *state = nullptr;
}
