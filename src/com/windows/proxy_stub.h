#pragma once
// The marshalling code of IConvertAction and IConverterVersion: NDR proxies and stubs that
// widl generates as C. This is the whole face it shows to the C++ rest of the module.

#include <windows.h>

#ifdef __cplusplus
extern "C" {
#endif

// The class factory of the proxies and stubs; its class identifier is the interface
// identifier of IConverterVersion. Any other class identifier answers
// CLASS_E_CLASSNOTAVAILABLE.
HRESULT ProxyStubGetClassObject(REFCLSID classId, REFIID interfaceId, void** object);

// S_OK when no proxy or stub of this module is alive.
HRESULT ProxyStubCanUnloadNow(void);

// Writes or removes Interface\{IID}\ProxyStubClsid32 of both interfaces and the class key of
// the proxy/stub factory, pointing at `module`.
HRESULT ProxyStubRegister(HMODULE module);
HRESULT ProxyStubUnregister(HMODULE module);

#ifdef __cplusplus
}
#endif
