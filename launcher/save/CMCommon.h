#pragma once

// Small helpers of the save pipeline's common layer: guarded memory copies, autorelease pools
// (nothing to do here: ownership is by value and unique_ptr), bytes per line, symbol look-up,
// the platform folders and the debug log.

#include <cstddef>
#include <cstdint>
#include <string>

#include "launcher/save/CMError.h"

// Copies srcLen bytes (overlap allowed). 0xDCA01 for a null dst or src, or when srcLen exceeds
// dstLen (nothing is copied then).
CMResult CM_MemCopy(void* dst, std::size_t dstLen, const void* src, std::size_t srcLen);

// Kept for the passes' entry/exit bracket; a pool holds nothing on this platform.
struct CMAutoreleasePool;
CMResult CM_CreateAutoreleasePool(CMAutoreleasePool** pool);
CMResult CM_ReleaseAutoreleasePool(CMAutoreleasePool* pool);  // accepts null

// Bytes per line for a width in pixels.
constexpr std::uint64_t CM_RowBytes1Bit(std::uint64_t w) { return (w + 7) >> 3; }
constexpr std::uint64_t CM_RowBytes8Bit(std::uint64_t w) { return w; }
constexpr std::uint64_t CM_RowBytes16Bit(std::uint64_t w) { return 2 * w; }
constexpr std::uint64_t CM_RowBytes24Bit(std::uint64_t w) { return 3 * w; }
constexpr std::uint64_t CM_RowBytes48Bit(std::uint64_t w) { return 6 * w; }

// Sets text to the settings folder, ending in "/".
CMResult CM_GetPreferencesFolder(std::string* text);
// True when the sibling utility is installed: its settings file "SulvarSetting.plist" in the
// settings folder names its program folder ("AppInfo" -> "SulvarUtility" -> "AppPath"). The
// file is normally absent.
bool CM_HasSulvarUtility();

// Looks a symbol up in a library opened with dlopen; null when absent or for null arguments.
void* CM_LoadSymbol(void* library, const char* name);
// 0xDCA01 null library, 0xDCA02 when it cannot be closed.
CMResult CM_CloseLibrary(void* library);

// The debug log writes one line (at most 1024 bytes) to standard error, and only when the
// environment variable TRIVOLAN_DEBUG_LOG is set to something other than "" or "0".
bool CM_DebugLogEnabled();
void writeDebugLog(const char* format, ...) __attribute__((format(printf, 1, 2)));
void CM_Log(const char* format, ...) __attribute__((format(printf, 1, 2)));
