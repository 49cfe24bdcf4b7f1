#pragma once
// What DllRegisterServer and DllUnregisterServer do: the AppID and class keys, the type
// library and the marshalling code of both interfaces.

#include <windows.h>

namespace audiogram::com {

HRESULT RegisterComponent(HMODULE module);
HRESULT UnregisterComponent(HMODULE module);

}  // namespace audiogram::com
