#pragma once
// The module's own proxy and stub code for IConvertAction and IConverterVersion, where the
// platform marshals calls between apartments. Where it does not, nothing is served here.

#include "com/com_platform.h"

namespace audiogram::com {

// Offered every class object request first; S_OK when the marshalling code served it.
HRESULT MarshallingGetClassObject(REFCLSID rclsid, REFIID riid, void** ppv);

// Asked first by DllCanUnloadNow: anything but S_OK (live proxies or stubs answer S_FALSE,
// a failure code) is passed on as is.
HRESULT MarshallingCanUnloadNow();

}  // namespace audiogram::com
