#pragma once
// The module's lock count: one lock per live object, per class factory reference and per
// LockServer(TRUE). The module may be unloaded only while it is 0.

#include "com/com_platform.h"

namespace audiogram::com {

void LockModule();
void UnlockModule();
LONG ModuleLockCount();

}  // namespace audiogram::com
