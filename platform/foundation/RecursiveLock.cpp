#include "foundation/RecursiveLock.h"

#include "foundation/LockWithin.h"

namespace fnd {

bool RecursiveLock::lockFor(double seconds) { return detail::lockWithin(mutex_, seconds); }

bool RecursiveLock::lockBeforeDate(Date limit) { return lockFor(limit.seconds - Date::now().seconds); }

}  // namespace fnd
