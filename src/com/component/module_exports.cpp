// The two functions a host's COM runtime looks up in the module. Everything else the module
// holds stays hidden.

#include "com/component/class_factory.h"
#include "com/component/module_lock.h"
#include "com/converter_interfaces.h"
#include "com/seams/marshalling.h"
#include "com/seams/module_scopes.h"

using audiogram::com::ConvertActionClassFactory;

STDAPI DllGetClassObject(REFCLSID rclsid, REFIID riid, LPVOID* ppv) {
    // Checked before anything else: the marshalling code writes through it unchecked.
    if (ppv == nullptr) return E_POINTER;
    if (audiogram::com::MarshallingGetClassObject(rclsid, riid, ppv) == S_OK) return S_OK;
    *ppv = nullptr;
    if (rclsid != CLSID_ConvertAction) return CLASS_E_CLASSNOTAVAILABLE;
    return ConvertActionClassFactory().QueryInterface(riid, ppv);
}

STDAPI DllCanUnloadNow() {
    const audiogram::com::ModuleStateScope moduleState;
    // Live proxies or stubs (S_FALSE) keep the module loaded as much as a failure does: the
    // COM runtime still holds the module's proxy/stub factory.
    const HRESULT marshalling = audiogram::com::MarshallingCanUnloadNow();
    if (marshalling != S_OK) return marshalling;
    return audiogram::com::ModuleLockCount() == 0 ? S_OK : S_FALSE;
}
