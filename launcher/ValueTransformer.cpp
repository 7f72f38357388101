#include "launcher/ValueTransformer.h"

#include <map>

namespace {
std::map<std::string, std::unique_ptr<Zorvik_ValueTransformer>, std::less<>>& registry() {
  static std::map<std::string, std::unique_ptr<Zorvik_ValueTransformer>, std::less<>> transformers;
  return transformers;
}
}  // namespace

void Zorvik_ValueTransformer::setValueTransformer(std::unique_ptr<Zorvik_ValueTransformer> transformer,
                                                  const std::string& name) {
  registry()[name] = std::move(transformer);
}

Zorvik_ValueTransformer* Zorvik_ValueTransformer::valueTransformerForName(std::string_view name) {
  auto it = registry().find(name);
  return it == registry().end() ? nullptr : it->second.get();
}
