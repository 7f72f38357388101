#include "ui/windows/MessagePort.h"

namespace {
Quirel_MessagePort* gPort = nullptr;
}  // namespace

Quirel_MessagePort* Quirel_MessagePort::installed() { return gPort; }

Quirel_MessagePort* Quirel_MessagePort::install(Quirel_MessagePort* port) {
  Quirel_MessagePort* old = gPort;
  gPort = port;
  return old;
}

std::int32_t Quirel_MessagePort::show(std::int32_t messageNumber, std::int32_t errNum1, std::int32_t errNum2,
                                      std::int32_t errNum3) {
  return gPort ? gPort->MES_ShowMessageAndNumberMainThreadMode(messageNumber, errNum1, errNum2, errNum3) : 0;
}

std::int32_t Quirel_MessagePort::show(std::int32_t messageNumber, const std::string& argTypes, const fnd::Array& args) {
  return gPort ? gPort->MES_ShowMessageAndNumberWithArguments(messageNumber, 0, 0, 0, argTypes, args) : 0;
}
