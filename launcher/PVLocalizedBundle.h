#pragma once

#include <string>

// Tells the localisation code which bundle holds the launcher's texts. The identifier that
// the data source may store here is kept, but the answer is always the program's own bundle:
// the launcher's texts live only there.
class Zorvik_PVLocalizedBundle {
 public:
  void setLocalizedBundleStr(const std::string& bundleStr) { bundleStr_ = bundleStr; }
  // The program's own bundle identifier.
  std::string getLocalizedBundleStr() const;
  const std::string& storedBundleStr() const { return bundleStr_; }

 private:
  std::string bundleStr_;
};
