#include "foundation/Lock.h"

#include "foundation/LockWithin.h"

namespace fnd {

bool Lock::lockFor(double seconds) { return detail::lockWithin(mutex_, seconds); }

bool Lock::lockBeforeDate(Date limit) { return lockFor(limit.seconds - Date::now().seconds); }

}  // namespace fnd
