#include "launcher/save/CMError.h"

CMResult CM_NormalizeError(CMResult code) {
  if (code != 0 && (code & 0xFF0000u) == 0) code |= 0xA0000u;
  return code;
}

void CM_ThrowIfError(CMResult code) {
  if (code == 0) return;
  throw CM_NormalizeError(code);
}
