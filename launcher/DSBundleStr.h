#pragma once

#include <string>

// Filled during "getDSBundleURLPost" (under "SetToMN") with the data source's bundle
// identifier, whose icon badges a message box. Empty when nobody answered.
class Zorvik_DSBundleStr {
 public:
  void setDSBundleString(const std::string& value) { dsBundleURL = value; }
  const std::string& getDSBundleString() const { return dsBundleURL; }

 private:
  std::string dsBundleURL;
};
