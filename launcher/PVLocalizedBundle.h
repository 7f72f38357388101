#pragma once

#include <string>

#include "foundation/NotificationCenter.h"
#include "ui/base/PVLocalizedBundle.h"

// Tells the localisation code which bundle holds the launcher's texts. It travels as the
// driver's carrier, so the data source can fill it for "UIDSBundleIDPost"; the identifier it
// stores is kept, but the answer is always the program's own bundle: the launcher's texts
// live only there.
class Zorvik_PVLocalizedBundle : public Quirel_PVLocalizedBundle {
 public:
  // The program's own bundle identifier.
  std::string getLocalizedBundleStr() const;
  const std::string& storedBundleStr() const { return Quirel_PVLocalizedBundle::getLocalizedBundleStr(); }

  // Sends "UIDSBundleIDPost" with a new carrier and answers its getLocalizedBundleStr.
  static std::string askDataSource(fnd::NotificationCenter& center = fnd::NotificationCenter::defaultCenter());
};
