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
