#include "launcher/save/CMError.h"

#include <cerrno>

CMResult CM_NormalizeError(CMResult code) {
  if (code != 0 && (code & 0xFF0000u) == 0) code |= 0xA0000u;
  return code;
}

void CM_ThrowIfError(CMResult code) {
  if (code == 0) return;
  throw CM_NormalizeError(code);
}

CMResult CM_WriteErrnoToResult(int err) {
  switch (err) {
    case ENOSPC:
    case EDQUOT:
    case EFBIG:
      return CM_ERR_DISK_FULL;
    case EACCES:
    case EPERM:
      return CM_ERR_NO_PERMISSION;
    default:
      return CM_ERR_SYSTEM;
  }
}
