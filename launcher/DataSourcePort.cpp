#include "launcher/DataSourcePort.h"

// The data source's programming interface is not part of this build: the launcher finds the
// scanner and then says that the scanning window is not available.
std::unique_ptr<Zorvik_DataSourcePort> Zorvik_MakeDirectTWAIN() { return nullptr; }
