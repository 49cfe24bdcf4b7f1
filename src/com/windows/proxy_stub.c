// Glue between the generated proxy/stub tables and the module. The generated file is C only
// (designated-free initialisers with casts that C++ refuses), so it is compiled here, inside
// this one C translation unit.

#include <unknwn.h>

// The proxies' IUnknown slots are rpcrt4's; MinGW's headers declare them for C++ only.
HRESULT STDMETHODCALLTYPE IUnknown_QueryInterface_Proxy(IUnknown* This, REFIID riid, void** ppvObject);
ULONG STDMETHODCALLTYPE IUnknown_AddRef_Proxy(IUnknown* This);
ULONG STDMETHODCALLTYPE IUnknown_Release_Proxy(IUnknown* This);

// The stubs of interfaces derived from IDispatch delegate its slots to the system's stub.
#define PROXY_DELEGATION
#include "VeskAudiogramConverter_p.c"

// The interface identifiers the tables point at, as C symbols of this unit.
#include "VeskAudiogramConverter_i.c"
#include "com/windows/proxy_stub.h"

static const ProxyFileInfo* proxyFiles[] = {
    (const ProxyFileInfo*)&VeskAudiogramConverter_ProxyFileInfo,
    NULL,
};

// The delegating stubs release themselves through the factory that made them.
static CStdPSFactoryBuffer proxyStubFactory = {0};

ULONG STDMETHODCALLTYPE CStdStubBuffer2_Release(IRpcStubBuffer* This) {
    return NdrCStdStubBuffer2_Release(This, (IPSFactoryBuffer*)&proxyStubFactory);
}

HRESULT ProxyStubGetClassObject(REFCLSID classId, REFIID interfaceId, void** object) {
    return NdrDllGetClassObject(classId, interfaceId, object, proxyFiles, &IID_IConverterVersion,
                                &proxyStubFactory);
}

HRESULT ProxyStubCanUnloadNow(void) {
    return NdrDllCanUnloadNow(&proxyStubFactory);
}

HRESULT ProxyStubRegister(HMODULE module) {
    return NdrDllRegisterProxy(module, proxyFiles, &IID_IConverterVersion);
}

HRESULT ProxyStubUnregister(HMODULE module) {
    return NdrDllUnregisterProxy(module, proxyFiles, &IID_IConverterVersion);
}
