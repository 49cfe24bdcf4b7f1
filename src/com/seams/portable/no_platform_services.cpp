// Without a COM runtime there is no module state to switch, no run-time parameter handler to
// install, no thread error object and no marshalling between apartments: the seams are empty.

#include "com/seams/marshalling.h"
#include "com/seams/module_scopes.h"
#include "com/seams/thread_error_info.h"

namespace audiogram::com {

ModuleStateScope::ModuleStateScope() = default;
ModuleStateScope::~ModuleStateScope() = default;

ParameterFaultScope::ParameterFaultScope() = default;
ParameterFaultScope::~ParameterFaultScope() = default;

void DiscardThreadErrorInfo() {}

HRESULT MarshallingGetClassObject(REFCLSID, REFIID, void**) {
    return CLASS_E_CLASSNOTAVAILABLE;
}

HRESULT MarshallingCanUnloadNow() {
    return S_OK;
}

}  // namespace audiogram::com
