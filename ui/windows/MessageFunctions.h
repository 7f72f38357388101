#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "foundation/Value.h"
#include "ui/base/MessageText.h"

// The numbered message boxes: a message number becomes localised text through the message
// catalogue, up to three error numbers are appended, the box runs modally, and for the network
// messages the scanner selector may be started afterwards.
//
// Texts are never handed to printf: every placeholder is filled by fnd::formatString, so a
// stray "%n" or "%10s" in a table is shown as written. The show functions may be called from
// any thread: off the main thread the whole request runs on the main thread and the caller
// waits for the answer (0 when the application terminates meanwhile).

// Shows message `messageNumber`; `argTypes` ("%@%@", "%d", ...) describes `args`, which fill the
// text's placeholders. 1 OK, 0 Cancel; a selector message answered OK answers the launch.
std::int32_t MES_ShowMessageAndNumberMainThreadMode(std::int32_t messageNumber, std::int32_t errNum1,
                                                    std::int32_t errNum2, std::int32_t errNum3,
                                                    const std::optional<std::string>& argTypes = std::nullopt,
                                                    const fnd::Array& args = {});
// The network box (Select / Exit). 0 Exit; after Select: started by the catalogue's application
// path, 1 launched, 2 failed.
std::int32_t MES_NetworkErrorMessageAndNumberMainThreadMode(std::int32_t messageNumber, std::int32_t errNum1,
                                                            std::int32_t errNum2, std::int32_t errNum3);
// As above, the selector started through MES_LaunchSelectorEX kind 1: 0 Exit, else 1, 2 or 3.
std::int32_t MES_NetworkErrorMessageAndNumberMainThreadMode2(std::int32_t messageNumber, std::int32_t errNum1,
                                                             std::int32_t errNum2, std::int32_t errNum3);
// Common body of the two: launch kind 1 by path, 2 through the selector settings.
std::int32_t MES_NetworkErrorMessageAndNumberMainThreadModeBase(std::int32_t messageNumber, std::int32_t errNum1,
                                                                std::int32_t errNum2, std::int32_t errNum3,
                                                                std::int32_t launchKind);

// Starts the network scanner selector: kind 2 with ("-c", the bundle's name), kind 1 with
// ("-f", "NPKG"). 1 launched, 2 failed, 3 no selector settings.
std::int32_t MES_LaunchSelectorEX(std::int32_t launchKind, const std::optional<std::string>& bundleStr);
