// The self-registration exports that regsvr32 and installers call.

#include <windows.h>

#include "service/windows/component_registration.h"
#include "service/windows/module_handle.h"

STDAPI DllRegisterServer() { return audiogram::windows::RegisterComponent(audiogram::windows::ThisModule()); }

STDAPI DllUnregisterServer() {
    return audiogram::windows::UnregisterComponent(audiogram::windows::ThisModule());
}
