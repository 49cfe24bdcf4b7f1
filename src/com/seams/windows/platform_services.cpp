// The Windows side of the platform seams: the module's proxy/stub code, the thread's error
// object, the run time's invalid-parameter handler, and the module state, which has no
// meaning without MFC.

#include <atomic>
#include <cstdint>
#include <cstdlib>
#include <mutex>

#include "com/seams/marshalling.h"
#include "com/seams/module_scopes.h"
#include "com/seams/thread_error_info.h"
#include "com/windows/proxy_stub.h"

namespace audiogram::com {
namespace {

// Counts the run time's reports of an invalid parameter. Nothing reads the count: what
// matters is that such a report no longer ends the host's process.
std::atomic<unsigned> parameterFaults{0};

void RecordParameterFault(const wchar_t*, const wchar_t*, const wchar_t*, unsigned int, std::uintptr_t) {
    ++parameterFaults;
}

// The handler is process-wide while conversions of several apartments may overlap: the
// first scope to open installs it, the last to close puts the host's handler back.
std::mutex handlerLock;
unsigned openScopes = 0;
_invalid_parameter_handler hostHandler = nullptr;

}  // namespace

// The component has no MFC module state to switch: the scope stays, empty, so the methods
// keep their shape on every platform.
ModuleStateScope::ModuleStateScope() = default;
ModuleStateScope::~ModuleStateScope() = default;

ParameterFaultScope::ParameterFaultScope() {
    const std::lock_guard lock(handlerLock);
    if (openScopes++ == 0) hostHandler = _set_invalid_parameter_handler(RecordParameterFault);
}

ParameterFaultScope::~ParameterFaultScope() {
    const std::lock_guard lock(handlerLock);
    if (--openScopes == 0) _set_invalid_parameter_handler(hostHandler);
}

void DiscardThreadErrorInfo() {
    IErrorInfo* errorInfo = nullptr;
    if (GetErrorInfo(0, &errorInfo) == S_OK && errorInfo != nullptr) errorInfo->Release();
}

HRESULT MarshallingGetClassObject(REFCLSID rclsid, REFIID riid, void** ppv) {
    return ProxyStubGetClassObject(rclsid, riid, ppv);
}

HRESULT MarshallingCanUnloadNow() {
    return ProxyStubCanUnloadNow();
}

}  // namespace audiogram::com
