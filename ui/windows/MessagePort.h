#pragma once

#include <cstdint>

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

  // The installed implementation (not owned), or null. Main thread only.
  static Quirel_MessagePort* installed();
  // Installs `port` (null removes it); answers the one it replaced.
  static Quirel_MessagePort* install(Quirel_MessagePort* port);
};
