#include "launcher/DataSourcePort.h"

#include <optional>

#include "launcher/DirectTWAINPort.h"
#include "ui/frontdoor/Quirel.h"

namespace {

std::optional<bool>& mainWindowStandIn() {
  static std::optional<bool> standIn;
  return standIn;
}

}  // namespace

bool Zorvik_FrontDoorHasMainWindow() {
  if (mainWindowStandIn()) return *mainWindowStandIn();
  return Quirel::canMakeMainWindow();
}

void Zorvik_SetMainWindowStandIn(std::optional<bool> present) { mainWindowStandIn() = present; }

std::unique_ptr<Zorvik_DataSourcePort> Zorvik_MakeDirectTWAIN() {
  // Without the driver's main window the user could never ask for a scan: the launcher then
  // says the scanning window is not available rather than sit with no window.
  if (!Zorvik_FrontDoorHasMainWindow()) return nullptr;
  return std::make_unique<Zorvik_DirectTWAINPort>();
}
