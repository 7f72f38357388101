#pragma once

#include <cstdint>
#include <string>

#include "foundation/Value.h"

// The numbered message boxes as the root object and the folder chooser need them. The message functions
// install their implementation once; until one is installed nothing is shown and every
// question answers 0.
class Quirel_MessagePort {
 public:
  virtual ~Quirel_MessagePort() = default;

  // Message `messageNumber` with three error numbers and no format arguments; the button.
  virtual std::int32_t MES_ShowMessageAndNumberMainThreadMode(std::int32_t messageNumber, std::int32_t errNum1,
                                                              std::int32_t errNum2, std::int32_t errNum3) = 0;
  // Network error message, without (first) or with (second) the offer to start the selector.
  virtual std::int32_t MES_NetworkErrorMessageAndNumberMainThreadMode(std::int32_t messageNumber, std::int32_t errNum1,
                                                                      std::int32_t errNum2, std::int32_t errNum3) = 0;
  virtual std::int32_t MES_NetworkErrorMessageAndNumberMainThreadMode2(std::int32_t messageNumber, std::int32_t errNum1,
                                                                       std::int32_t errNum2, std::int32_t errNum3) = 0;

  // As above, with values for the text's placeholders (`argTypes` such as "%d"); a port that
  // has no use for them shows the message without.
  virtual std::int32_t MES_ShowMessageAndNumberWithArguments(std::int32_t messageNumber, std::int32_t errNum1,
                                                             std::int32_t errNum2, std::int32_t errNum3,
                                                             const std::string& argTypes, const fnd::Array& args) {
    (void)argTypes;
    (void)args;
    return MES_ShowMessageAndNumberMainThreadMode(messageNumber, errNum1, errNum2, errNum3);
  }
  // Shows through the installed port; 0 (nothing shown) without one.
  static std::int32_t show(std::int32_t messageNumber, std::int32_t errNum1 = 0, std::int32_t errNum2 = 0,
                           std::int32_t errNum3 = 0);
  static std::int32_t show(std::int32_t messageNumber, const std::string& argTypes, const fnd::Array& args);

  // The installed implementation (not owned), or null. Main thread only.
  static Quirel_MessagePort* installed();
  // Installs `port` (null removes it); answers the one it replaced.
  static Quirel_MessagePort* install(Quirel_MessagePort* port);
};
