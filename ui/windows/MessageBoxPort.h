#pragma once

#include "ui/windows/MessagePort.h"

// The real message boxes behind Quirel_MessagePort: the root object's and the folder chooser's
// messages go to the MES_ functions.
class Quirel_MessageBoxPort : public Quirel_MessagePort {
 public:
  std::int32_t MES_ShowMessageAndNumberWithArguments(std::int32_t messageNumber, std::int32_t errNum1,
                                                     std::int32_t errNum2, std::int32_t errNum3,
                                                     const std::string& argTypes, const fnd::Array& args) override;
  std::int32_t MES_ShowMessageAndNumberMainThreadMode(std::int32_t messageNumber, std::int32_t errNum1,
                                                      std::int32_t errNum2, std::int32_t errNum3) override;
  std::int32_t MES_NetworkErrorMessageAndNumberMainThreadMode(std::int32_t messageNumber, std::int32_t errNum1,
                                                              std::int32_t errNum2, std::int32_t errNum3) override;
  std::int32_t MES_NetworkErrorMessageAndNumberMainThreadMode2(std::int32_t messageNumber, std::int32_t errNum1,
                                                               std::int32_t errNum2, std::int32_t errNum3) override;

  // The one instance, installed as the message port (main thread, at start-up).
  static void installShared();
};
