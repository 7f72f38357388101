#include "launcher/PVLocalizedBundle.h"

#include "foundation/Bundle.h"

std::string Zorvik_PVLocalizedBundle::getLocalizedBundleStr() const { return fnd::Bundle::main().identifier(); }

std::string Zorvik_PVLocalizedBundle::askDataSource(fnd::NotificationCenter& center) {
  auto carrier = std::make_shared<Zorvik_PVLocalizedBundle>();
  // The data source fills the driver's carrier it finds as the notification's object.
  postDataSourceQuestion(carrier, center);
  return carrier->getLocalizedBundleStr();
}
