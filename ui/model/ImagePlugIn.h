#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "foundation/Value.h"
#include "plugins/PlugInInterface.h"

class PlugInBundle;

// The image-processing plug-ins named under "PluginInfo" in the model parameters ("HSL",
// "ZOOM"): a loader that opens a plug-in bundle and obtains its function table, and two thin
// drivers over that table. Calling order: UIM_getPlugin; UIM_pHSL_Initialize,
// UIM_pHSL_Set_and_Get_line, UIM_pHSL_Terminate, or UIM_resize_Initialize, then per source line
// UIM_resize_Set_line followed by UIM_resize_Get_line while it answers 1, UIM_resize_Terminate;
// last UIM_releasePlugin, whatever UIM_getPlugin answered. Results: 0 success, -1 failure.

// One plug-in: its bundle and identifiers from the parameter dictionary (a missing key leaves
// the string unset), the loaded bundle and the interface the plug-in answered.
struct UIM_PLUGIN {
  std::optional<std::string> plugin;       // "Plugin": bundle folder (relative: in the plug-in folder)
  std::optional<std::string> factory;      // "Factory"
  std::optional<std::string> interfaceId;  // "Interface"
  std::optional<std::string> type;         // "Type"
  std::optional<std::string> parameter;    // "Parameter": kept, not used by the loader
  std::unique_ptr<PlugInBundle> loaded;
  void* interface = nullptr;  // pointer to the pointer to the plug-in's function table

  UIM_PLUGIN();
  ~UIM_PLUGIN();
};

struct UIM_HSL_STATE {
  void* handle = nullptr;  // written by the plug-in's create
  PlugInHSLParams params{};
  void* interface = nullptr;
};

struct UIM_RESIZE_STATE {
  std::int32_t status = 0;  // of the last set line
  void* handle = nullptr;
  std::int32_t pending = 0;  // destination lines ready, written by the plug-in
  std::int32_t bitsPerPixel = 0;
  std::int32_t srcWidth = 0;
  std::int32_t dstWidth = 0;
  void* interface = nullptr;
};

// Builds the record (handed back in *out even when loading fails) and loads the plug-in.
// -1 for a null dictionary; otherwise the load's result.
int UIM_getPlugin(const fnd::Dictionary* parameters, UIM_PLUGIN** out);
// 0, -1, or the plug-in's non-zero answer to the interface query; nothing stays loaded on failure.
int UIM_load_plugin(UIM_PLUGIN* plugin);
// Closes the interface and releases the bundle.
void UIM_unload_plugin(UIM_PLUGIN* plugin);
// Unloads when loaded and frees the record.
void UIM_releasePlugin(UIM_PLUGIN* plugin);

// Owner for callers that prefer not to pair UIM_getPlugin with UIM_releasePlugin by hand.
struct UIM_PluginRelease {
  void operator()(UIM_PLUGIN* p) const { UIM_releasePlugin(p); }
};
using UIM_PluginPtr = std::unique_ptr<UIM_PLUGIN, UIM_PluginRelease>;

// type: samples a pixel (3 RGB, 1 grey); bitsPerSample 8 or 16. All four values 0: answers 0
// and leaves *state null (nothing to do).
int UIM_pHSL_Initialize(UIM_PLUGIN* plugin, UIM_HSL_STATE** state, int width, int height, int cyanRed,
                        int magentaGreen, int yellowBlue, int saturation, int type, int bitsPerSample);
// Adjusts the whole image in place; the plug-in's byte result (0 success).
std::uint8_t UIM_pHSL_Set_and_Get_line(UIM_HSL_STATE* state, std::uint8_t* image);
void UIM_pHSL_Terminate(UIM_HSL_STATE** state);

int UIM_resize_Initialize(UIM_RESIZE_STATE** state, UIM_PLUGIN* plugin, int dstWidth, int dstHeight, int srcWidth,
                          int srcHeight, int type, int bitsPerSample);
// The plug-in's status for this line (0 fine); a non-zero status stops further delivery.
int UIM_resize_Set_line(UIM_RESIZE_STATE* state, const std::uint8_t* srcLine);
// 1 when a destination line was written into dstLine, else 0.
int UIM_resize_Get_line(UIM_RESIZE_STATE* state, std::uint8_t* dstLine);
void UIM_resize_Terminate(UIM_RESIZE_STATE** state);
