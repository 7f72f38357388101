#include "ui/windows/MessageBoxPort.h"

#include "ui/windows/MessageFunctions.h"
#include "ui/windows/MessageThreadHop.h"

std::int32_t Quirel_MessageBoxPort::MES_ShowMessageAndNumberMainThreadMode(std::int32_t messageNumber,
                                                                           std::int32_t errNum1, std::int32_t errNum2,
                                                                           std::int32_t errNum3) {
  return ::MES_ShowMessageAndNumberMainThreadMode(messageNumber, errNum1, errNum2, errNum3);
}

std::int32_t Quirel_MessageBoxPort::MES_ShowMessageAndNumberWithArguments(std::int32_t messageNumber,
                                                                          std::int32_t errNum1, std::int32_t errNum2,
                                                                          std::int32_t errNum3,
                                                                          const std::string& argTypes,
                                                                          const fnd::Array& args) {
  return ::MES_ShowMessageAndNumberMainThreadMode(messageNumber, errNum1, errNum2, errNum3, argTypes, args);
}

std::int32_t Quirel_MessageBoxPort::MES_NetworkErrorMessageAndNumberMainThreadMode(std::int32_t messageNumber,
                                                                                   std::int32_t errNum1,
                                                                                   std::int32_t errNum2,
                                                                                   std::int32_t errNum3) {
  return ::MES_NetworkErrorMessageAndNumberMainThreadMode(messageNumber, errNum1, errNum2, errNum3);
}

std::int32_t Quirel_MessageBoxPort::MES_NetworkErrorMessageAndNumberMainThreadMode2(std::int32_t messageNumber,
                                                                                    std::int32_t errNum1,
                                                                                    std::int32_t errNum2,
                                                                                    std::int32_t errNum3) {
  return ::MES_NetworkErrorMessageAndNumberMainThreadMode2(messageNumber, errNum1, errNum2, errNum3);
}

void Quirel_MessageBoxPort::installShared() {
  static Quirel_MessageBoxPort port;
  Quirel_MessageThreadHop::watchTermination();
  Quirel_MessagePort::install(&port);
}
