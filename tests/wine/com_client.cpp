// A Windows host of the component, run under Wine by the test stage after regsvr32:
//   com_client registered MODULE_PATH REFERENCE_FOLDER
//   com_client unregistered
// The first checks the registration, the type library and every way of calling the class
// against the conversions the Linux build wrote into REFERENCE_FOLDER; the second checks
// that regsvr32 /u took the component's keys away.

#include <windows.h>
// after windows.h, which the other platform headers need first
#include <initguid.h>  // the identifiers of the generated header are defined here
#include <shellapi.h>

#include <cstdio>
#include <exception>
#include <string>
#include <vector>

#include "client_checks.h"

namespace wine_client {
namespace {

std::vector<std::wstring> Arguments() {
    int count = 0;
    LPWSTR* arguments = CommandLineToArgvW(GetCommandLineW(), &count);
    std::vector<std::wstring> list(arguments, arguments + count);
    LocalFree(arguments);
    return list;
}

void CheckRegisteredComponent(CheckLog& log, const std::wstring& modulePath,
                              const std::wstring& referenceFolder) {
    const std::vector<ReferenceCase> cases = LoadReferenceCases(referenceFolder);
    CheckRegistration(log, modulePath);
    CheckTypeLibrary(log);
    CheckClassObject(log, modulePath);

    for (const wchar_t* progId :
         {L"VeskAudiogramConverter.ConvertAction", L"VeskAudiogramConverter.ConvertAction.1"}) {
        CLSID classId{};
        ComPtr<IConvertAction> action;
        const HRESULT status =
            SUCCEEDED(CLSIDFromProgID(progId, &classId))
                ? CoCreateInstance(classId, nullptr, CLSCTX_INPROC_SERVER, IID_IConvertAction,
                                   reinterpret_cast<void**>(action.GetAddressOf()))
                : REGDB_E_CLASSNOTREG;
        log.ExpectStatus(status, S_OK, "CoCreateInstance through a ProgID");
    }

    ComPtr<IConvertAction> action;
    if (!log.ExpectStatus(
            CoCreateInstance(CLSID_ConvertAction, nullptr, CLSCTX_INPROC_SERVER, IID_IConvertAction,
                             reinterpret_cast<void**>(action.GetAddressOf())),
            S_OK, "CoCreateInstance of ConvertAction")) {
        return;
    }
    CheckEarlyBound(log, action.Get(), cases);
    CheckLateBound(log, action.Get(), cases);
    CheckHostActions(log, action.Get(), cases);
    CheckApartmentCrossing(log, action.Get(), cases);
}

int Run(const std::vector<std::wstring>& arguments) {
    const bool registered = arguments.size() == 4 && arguments[1] == L"registered";
    const bool unregistered = arguments.size() == 2 && arguments[1] == L"unregistered";
    if (!registered && !unregistered) {
        std::fprintf(stderr,
                     "usage: com_client registered MODULE_PATH REFERENCE_FOLDER | com_client unregistered\n");
        return 2;
    }
    if (FAILED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) {
        std::fprintf(stderr, "com_client: COM does not start\n");
        return 1;
    }
    CheckLog log;
    try {
        if (registered) {
            CheckRegisteredComponent(log, arguments[2], arguments[3]);
        } else {
            CheckUnregistered(log);
        }
    } catch (const std::exception& error) {
        log.Expect(false, std::string("the client stopped: ") + error.what());
    }
    CoUninitialize();
    log.PrintSummary(registered ? "wine client" : "wine unregistration");
    return log.Failed() == 0 ? 0 : 1;
}

}  // namespace
}  // namespace wine_client

int main() {
    return wine_client::Run(wine_client::Arguments());
}
