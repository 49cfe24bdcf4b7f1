// The module as hosts elsewhere load it: dlopen, then its exports by name.

#include <dlfcn.h>

#include <stdexcept>

#include "com_test_support.h"

namespace audiogram::com::testing {

const Module& Module::Get() {
    static void* const handle = dlopen(VESK_COMPONENT_PATH, RTLD_NOW | RTLD_LOCAL);
    static const Module module{reinterpret_cast<LPFNGETCLASSOBJECT>(dlsym(handle, "DllGetClassObject")),
                               reinterpret_cast<LPFNCANUNLOADNOW>(dlsym(handle, "DllCanUnloadNow"))};
    if (handle == nullptr || !module.GetClassObject || !module.CanUnloadNow)
        throw std::runtime_error(dlerror());
    return module;
}

}  // namespace audiogram::com::testing
