#include "launcher/save/CMCommon.h"

#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <mutex>
#include <system_error>

#include <dlfcn.h>

#include "foundation/Paths.h"
#include "foundation/PropertyList.h"

CMResult CM_MemCopy(void* dst, std::size_t dstLen, const void* src, std::size_t srcLen) {
  if (!dst || !src) return CM_ERR_BAD_ARGUMENT;
  if (srcLen > dstLen) return CM_ERR_BAD_ARGUMENT;
  if (srcLen) std::memmove(dst, src, srcLen);
  return CM_OK;
}

struct CMAutoreleasePool {};

namespace {
CMAutoreleasePool gPool;
}

CMResult CM_CreateAutoreleasePool(CMAutoreleasePool** pool) {
  if (!pool) return CM_ERR_BAD_ARGUMENT;
  *pool = &gPool;
  return CM_OK;
}

CMResult CM_ReleaseAutoreleasePool(CMAutoreleasePool*) { return CM_OK; }

CMResult CM_GetPreferencesFolder(std::string* text) {
  if (!text) return CM_ERR_BAD_ARGUMENT;
  return CM_Guard([&] {
    std::string folder = fnd::Paths::configDir();
    if (folder.empty() || folder.back() != '/') folder += '/';
    *text = std::move(folder);
    return CM_OK;
  });
}

bool CM_HasSulvarUtility() {
  try {
    const std::string settings = fnd::Paths::configDir() + "/SulvarSetting.plist";
    std::error_code ec;
    if (!std::filesystem::is_regular_file(settings, ec)) return false;  // the usual case
    fnd::PropertyList::Result list = fnd::PropertyList::readFile(settings);
    if (!list.ok()) return false;
    const fnd::Value& appPath = (*list.value)["AppInfo"]["SulvarUtility"]["AppPath"];
    if (!appPath.isString()) return false;
    std::filesystem::path program = std::filesystem::path(appPath.toString()).parent_path() / "Vantrel Sulvar Utility.app";
    return std::filesystem::is_directory(program, ec);
  } catch (...) {
    return false;
  }
}

void* CM_LoadSymbol(void* library, const char* name) {
  if (!library || !name) return nullptr;
  return dlsym(library, name);
}

CMResult CM_CloseLibrary(void* library) {
  if (!library) return CM_ERR_BAD_ARGUMENT;
  return dlclose(library) == 0 ? CM_OK : CM_ERR_SYSTEM;
}

namespace {

std::mutex gLogMutex;

void writeLine(const char* format, va_list args) {
  // At most 1024 bytes with the line feed.
  char line[1025];
  int n = std::vsnprintf(line, 1024, format, args);
  if (n < 0) return;
  std::size_t len = std::strlen(line);
  line[len] = '\n';
  std::lock_guard<std::mutex> lock(gLogMutex);
  std::fwrite(line, 1, len + 1, stderr);
  std::fflush(stderr);
}

}  // namespace

bool CM_DebugLogEnabled() {
  const char* v = std::getenv("TRIVOLAN_DEBUG_LOG");
  return v && *v && std::strcmp(v, "0") != 0;
}

void writeDebugLog(const char* format, ...) {
  if (!format || !CM_DebugLogEnabled()) return;
  va_list args;
  va_start(args, format);
  writeLine(format, args);
  va_end(args);
}

void CM_Log(const char* format, ...) {
  if (!format || !CM_DebugLogEnabled()) return;
  va_list args;
  va_start(args, format);
  writeLine(format, args);
  va_end(args);
}
