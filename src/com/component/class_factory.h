#pragma once
// The class object of ConvertAction: made once per process on first request, then reused.

#include "com/com_platform.h"

namespace audiogram::com {

IClassFactory& ConvertActionClassFactory();

}  // namespace audiogram::com
