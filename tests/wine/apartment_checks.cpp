// The object handed to a thread of the multithreaded apartment: every call there crosses
// into the creating thread's apartment through the module's own proxy/stub.

#include <string>

#include "client_checks.h"
#include "com_support.h"

namespace wine_client {
namespace {

struct Crossing {
    CheckLog* log;
    const std::vector<ReferenceCase>* cases;
    IStream* marshalled;              // the object, marshalled by the creating thread
    IConvertAction* raw;              // the object itself, for the identity check
    IConvertAction* proxy = nullptr;  // the worker's proxy, lent to the creating thread
    HANDLE proxyReady = nullptr;      // set by the worker: `proxy` may be tried
    HANDLE proxyTried = nullptr;      // set by the creating thread: the worker may finish
};

void CallThroughProxy(Crossing& crossing, IConvertAction* proxy) {
    CheckLog& log = *crossing.log;
    log.Expect(proxy != crossing.raw, "the multithreaded apartment holds a proxy, not the object");

    for (const ReferenceCase& reference : *crossing.cases) {
        Variant blob;
        SetBlob(blob.Get(), reference.input);
        Variant result;
        const HRESULT status = proxy->ConvertDataBlob(reference.to, reference.from, blob.Get(), &result);
        const std::string what = "proxy ConvertDataBlob " + reference.name + " " +
                                 std::to_string(reference.from) + "->" + std::to_string(reference.to);
        if (!log.ExpectStatus(status, reference.status, what)) continue;
        if (SUCCEEDED(status)) {
            log.Expect(BlobBytes(result.Get()) == reference.expected,
                       what + ": equal to the Linux build's bytes");
        } else {
            log.Expect(result.Get().vt == VT_EMPTY, what + ": the result stays empty");
        }
    }

    Variant shifted;
    SetBlob(shifted.Get(), Bytes(36128), 1);
    Variant result;
    log.ExpectStatus(proxy->ConvertDataBlob(100, 200, shifted.Get(), &result), kInvalidBlob,
                     "proxy ConvertDataBlob with lower bound 1");
    log.ExpectStatus(proxy->ValidateData(nullptr), kNotImplemented, "proxy ValidateData");

    ComPtr<IConverterVersion> version;
    if (log.Expect(SUCCEEDED(proxy->QueryInterface(IID_IConverterVersion,
                                                   reinterpret_cast<void**>(version.GetAddressOf()))),
                   "the proxy answers IConverterVersion")) {
        long number = 0;
        log.ExpectStatus(version->GetConverterVersion(&number), S_OK, "proxy GetConverterVersion");
        log.Expect(number == 101, "proxy GetConverterVersion answers 101");
    }
}

DWORD WINAPI RunInMultithreadedApartment(void* parameter) {
    Crossing& crossing = *static_cast<Crossing*>(parameter);
    CheckLog& log = *crossing.log;
    if (!log.Expect(SUCCEEDED(CoInitializeEx(nullptr, COINIT_MULTITHREADED)), "the worker joins the MTA")) {
        SetEvent(crossing.proxyReady);
        return 1;
    }
    {
        ComPtr<IConvertAction> proxy;
        const HRESULT unmarshalled = CoGetInterfaceAndReleaseStream(
            crossing.marshalled, IID_IConvertAction, reinterpret_cast<void**>(proxy.GetAddressOf()));
        if (log.ExpectStatus(unmarshalled, S_OK, "unmarshal the object in the MTA")) {
            CallThroughProxy(crossing, proxy.Get());
            crossing.proxy = proxy.Get();
        }
        // The proxy belongs to this apartment: the creating thread tries it while it lives.
        SetEvent(crossing.proxyReady);
        WaitForSingleObject(crossing.proxyTried, INFINITE);
        crossing.proxy = nullptr;
    }
    CoUninitialize();
    return 0;
}

// Waits for `event` while serving the calls that arrive at this single-threaded apartment.
void PumpUntil(HANDLE event) {
    DWORD index = 0;
    CoWaitForMultipleHandles(0, INFINITE, 1, &event, &index);
}

}  // namespace

void CheckApartmentCrossing(CheckLog& log, IConvertAction* action, const std::vector<ReferenceCase>& cases) {
    Crossing crossing{&log, &cases, nullptr, action};
    if (!log.ExpectStatus(
            CoMarshalInterThreadInterfaceInStream(IID_IConvertAction, action, &crossing.marshalled), S_OK,
            "marshal the object for another apartment")) {
        return;
    }
    crossing.proxyReady = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    crossing.proxyTried = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    HANDLE worker = CreateThread(nullptr, 0, RunInMultithreadedApartment, &crossing, 0, nullptr);
    if (log.Expect(worker != nullptr, "start the MTA worker")) {
        PumpUntil(crossing.proxyReady);
        if (crossing.proxy != nullptr) {
            // A proxy is bound to its apartment: used raw from here it must refuse, which
            // shows that the worker's calls went through the channel, not into the object.
            log.ExpectStatus(crossing.proxy->ValidateData(nullptr), RPC_E_WRONG_THREAD,
                             "the MTA's proxy used raw from the creating thread");
        }
        SetEvent(crossing.proxyTried);
        PumpUntil(worker);
        CloseHandle(worker);
    }
    CloseHandle(crossing.proxyReady);
    CloseHandle(crossing.proxyTried);
}

}  // namespace wine_client
