#include "launcher/PVLocalizedBundle.h"

#include "foundation/Bundle.h"

std::string Zorvik_PVLocalizedBundle::getLocalizedBundleStr() const { return fnd::Bundle::main().identifier(); }
