// The module as a Windows host's COM runtime loads it: LoadLibrary, then its exports by
// name. The test stage runs these suites under Wine in a fresh prefix, after regsvr32, so
// the type library that late binding reads is registered.

#include <windows.h>
// after windows.h, which the other platform headers need first
#include <initguid.h>  // the identifiers of the generated header are defined here

#include <stdexcept>

#include "com_test_support.h"

namespace audiogram::com::testing {
namespace {

// An export with its real type (void(*)() is the neutral function pointer).
template <typename Function>
Function ExportOf(HMODULE module, const char* name) {
    return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(GetProcAddress(module, name)));
}

// COM is started once for the process, in a single-threaded apartment as hosts run.
struct ComRuntime : ::testing::Environment {
    void SetUp() override { ASSERT_TRUE(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))); }
    void TearDown() override { CoUninitialize(); }
};
[[maybe_unused]] auto* const kComRuntime = ::testing::AddGlobalTestEnvironment(new ComRuntime);

}  // namespace

const Module& Module::Get() {
    static const HMODULE handle = LoadLibraryW(L"VeskAudiogramConverter.dll");
    static const Module module{ExportOf<LPFNGETCLASSOBJECT>(handle, "DllGetClassObject"),
                               ExportOf<LPFNCANUNLOADNOW>(handle, "DllCanUnloadNow")};
    if (handle == nullptr || !module.GetClassObject || !module.CanUnloadNow)
        throw std::runtime_error("VeskAudiogramConverter.dll does not load");
    return module;
}

}  // namespace audiogram::com::testing
