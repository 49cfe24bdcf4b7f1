// The self-registration exports that regsvr32 and installers call.

#include <windows.h>

#include "com/windows/component_registration.h"
#include "com/windows/module_handle.h"

STDAPI DllRegisterServer() {
    return audiogram::com::RegisterComponent(audiogram::com::ThisModule());
}

STDAPI DllUnregisterServer() {
    return audiogram::com::UnregisterComponent(audiogram::com::ThisModule());
}
