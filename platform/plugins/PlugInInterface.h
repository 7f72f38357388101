#pragma once

// The binary contract between the image-processing plug-ins and their host.
//
// A plug-in bundle is a folder holding a shared object and "descriptor.plist", an XML property
// list that names the shared object ("Executable"), maps each factory identifier to the name of
// an exported factory function ("Factories") and each type identifier to the factories that make
// it ("Types"). Identifiers are UUID strings.
//
// The host calls a factory with the type's UUID bytes; the factory answers an instance: a pointer
// to a pointer to a PlugInUnknownTable. The host asks the instance for an interface (a pointer to
// a pointer to the plug-in's own function table) and releases the instance. The function tables
// are arrays of 8-byte slots whose numbering both sides rely on; unused slots are null.

#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

typedef struct PlugInUUIDBytes {
  uint8_t bytes[16];
} PlugInUUIDBytes;

// Result codes of queryInterface.
#define PLUGIN_S_OK 0
#define PLUGIN_E_NOINTERFACE ((int32_t)0x80000004)

typedef void* (*PlugInFactoryFunction)(const PlugInUUIDBytes* type);

typedef struct PlugInUnknownTable {
  void* reserved;
  int32_t (*queryInterface)(void* self, PlugInUUIDBytes iid, void** out);
  uint32_t (*addRef)(void* self);
  uint32_t (*release)(void* self);
} PlugInUnknownTable;

// HSL adjustment. `create` receives the host's state, whose first field is the handle slot the
// plug-in fills.
typedef struct PlugInHSLParams {
  int32_t cyanRed;       // -100 (cyan) .. 100 (red)
  int32_t magentaGreen;  // -100 (magenta) .. 100 (green)
  int32_t yellowBlue;    // -100 (yellow) .. 100 (blue)
  int32_t saturation;    // -100 (grey) .. 100 (twice as saturated)
  int32_t width;
  int32_t height;
  int32_t bytesPerLine;
  int32_t format;  // PLUGIN_HSL_FORMAT_*
} PlugInHSLParams;

#define PLUGIN_HSL_FORMAT_NONE 0
#define PLUGIN_HSL_FORMAT_GRAY8 1
#define PLUGIN_HSL_FORMAT_GRAY16 2
#define PLUGIN_HSL_FORMAT_RGB8 3
#define PLUGIN_HSL_FORMAT_RGB16 4

typedef struct PlugInHSLTable {
  void* slot0;
  void (*close)(void** interfaceField);                                        // slot 1
  void* slot2;
  uint8_t (*create)(void* hostState);                                          // slot 3
  void (*destroy)(void* handle);                                               // slot 4
  uint8_t (*process)(void* handle, const PlugInHSLParams* params, uint8_t* image);  // slot 5
  void* slot6;
  void* slot7;
} PlugInHSLTable;

// Resize by lines: feed source lines, fetch destination lines while some are pending.
typedef struct PlugInResizeTable {
  void* slot0;
  void (*close)(void** interfaceField);  // slot 1
  void* slot2;
  int32_t (*create)(void** handle, int32_t dstWidth, int32_t dstHeight, int32_t srcWidth, int32_t srcHeight,
                    int32_t bitsPerPixel);                                    // slot 3
  int32_t (*setLine)(void* handle, const uint8_t* srcLine, int32_t* pending);  // slot 4
  int32_t (*getLine)(void* handle, uint8_t* dstLine, int32_t* pending);        // slot 5, 0 when delivered
  void* slot6;
  void (*destroy)(void** handle);  // slot 7
} PlugInResizeTable;

// Identifiers of our two plug-ins, as the model parameter file names them.
#define PLUGIN_HSL_FACTORY "3A5CC9B8-FB52-4E2B-8BDD-077BA518D920"
#define PLUGIN_HSL_TYPE "B0899897-AE5A-4E03-8D7E-E3A8C7304A9D"
#define PLUGIN_HSL_INTERFACE "34F36C5C-B9EC-40D3-ACDF-E2D159CB6F11"
#define PLUGIN_RESIZE_FACTORY "EC754E9C-9870-4A34-8721-203454CB3403"
#define PLUGIN_RESIZE_TYPE "10683DC5-6721-4DD2-AB96-1CC530E8A654"
#define PLUGIN_RESIZE_INTERFACE "017092FE-CE76-4495-BBEF-157ABE4B9CCF"

#ifdef __cplusplus
}

static_assert(sizeof(void*) == 8, "function-table slots are 8 bytes");
static_assert(sizeof(PlugInHSLTable) == 8 * 8 && sizeof(PlugInResizeTable) == 8 * 8, "eight slots");
#endif
