#include "ui/base/MessageCatalogue.h"

#include <filesystem>
#include <mutex>

#include "foundation/Bundle.h"
#include "foundation/PropertyList.h"

namespace {

std::mutex gTestPathMutex;
std::string gTestPath;

std::optional<fnd::Dictionary> readDictionary(const std::string& file) {
  if (file.empty()) return std::nullopt;
  fnd::PropertyList::Result r = fnd::PropertyList::readFile(file);
  if (!r.ok() || !r.value->isDictionary()) return std::nullopt;
  return r.value->toDictionary();
}

}  // namespace

void Quirel_MessageCatalogue::setPathForTesting(const std::string& path) {
  std::lock_guard<std::mutex> guard(gTestPathMutex);
  gTestPath = path;
}

std::string Quirel_MessageCatalogue::path() {
  {
    std::lock_guard<std::mutex> guard(gTestPathMutex);
    if (!gTestPath.empty()) return std::filesystem::exists(gTestPath) ? gTestPath : std::string();
  }
  return fnd::Bundle::main().pathForResource(kResourceName, "plist");
}

std::optional<fnd::Dictionary> Quirel_MessageCatalogue::read(Failure* failure) {
  const std::string file = path();
  std::optional<fnd::Dictionary> catalogue = readDictionary(file);
  if (failure) *failure = catalogue ? Failure::None : file.empty() ? Failure::NoFile : Failure::Unreadable;
  return catalogue;
}

std::string Quirel_MessageCatalogue::resolve(const std::string& pathInCatalogue) {
  if (pathInCatalogue.empty()) return {};
  std::filesystem::path p(pathInCatalogue);
  if (p.is_absolute()) return pathInCatalogue;
  const std::string file = path();
  if (file.empty()) return {};
  return (std::filesystem::path(file).parent_path() / p).string();
}

std::optional<fnd::Dictionary> Quirel_MessageCatalogue::readSelectorSettings(const fnd::Dictionary& catalogue) {
  const fnd::Value* name = catalogue.find(kNetpickSetting);
  if (!name || !name->isString()) return std::nullopt;
  return readDictionary(resolve(name->toString()));
}
