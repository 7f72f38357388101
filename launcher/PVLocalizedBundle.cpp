#include "launcher/PVLocalizedBundle.h"

#include "foundation/Bundle.h"

std::string Zorvik_PVLocalizedBundle::getLocalizedBundleStr() const { return fnd::Bundle::main().identifier(); }

std::string Zorvik_PVLocalizedBundle::askDataSource(fnd::NotificationCenter& center) {
  Zorvik_PVLocalizedBundle carrier;
  // The data source fills the driver's carrier it finds as the notification's object.
  center.post(kDataSourcePostName, static_cast<const Quirel_PVLocalizedBundle*>(&carrier), nullptr);
  return carrier.getLocalizedBundleStr();
}
