// The component through its vtable, by name through IDispatch, and with host actions.

#include <stdexcept>
#include <string>

#include "client_checks.h"
#include "com_support.h"
#include "host_action.h"

namespace wine_client {
namespace {

std::string CaseName(const ReferenceCase& reference) {
    return reference.name + " " + std::to_string(reference.from) + "->" + std::to_string(reference.to);
}

// A result VARIANT holds exactly the reference bytes on success and nothing on failure.
void ExpectResult(CheckLog& log, HRESULT status, const VARIANT& result, const ReferenceCase& reference,
                  const std::string& what) {
    if (!log.ExpectStatus(status, reference.status, what)) return;
    if (FAILED(reference.status)) {
        log.Expect(result.vt == VT_EMPTY, what + ": the result stays empty on failure");
        return;
    }
    const auto bytes = BlobBytes(result);
    log.Expect(bytes.has_value(), what + ": the result is a byte array with lower bound 0");
    if (bytes) {
        log.Expect(*bytes == reference.expected, what + ": " + std::to_string(bytes->size()) +
                                                     " bytes, equal to the Linux build's " +
                                                     std::to_string(reference.expected.size()));
    }
}

struct BadBlob {
    const char* name;
    void (*make)(VARIANT& blob, SAFEARRAY*& keep);
};

// Blobs that are not a byte array with lower bound 0; `keep` owns what a by-reference
// VARIANT points at.
const BadBlob kBadBlobs[] = {
    {"an empty VARIANT", [](VARIANT&, SAFEARRAY*&) {}},
    {"a text",
     [](VARIANT& blob, SAFEARRAY*&) {
         blob.vt = VT_BSTR;
         blob.bstrVal = SysAllocString(L"not a blob");
     }},
    {"an array of 16-bit integers",
     [](VARIANT& blob, SAFEARRAY*&) {
         SAFEARRAYBOUND bound{8, 0};
         blob.vt = VT_ARRAY | VT_I2;
         blob.parray = SafeArrayCreate(VT_I2, 1, &bound);
     }},
    {"a byte array with lower bound 1", [](VARIANT& blob, SAFEARRAY*&) { SetBlob(blob, Bytes(36128), 1); }},
    {"a byte array by reference",
     [](VARIANT& blob, SAFEARRAY*& keep) {
         keep = MakeByteArray(Bytes(36128));
         blob.vt = VT_BYREF | VT_ARRAY | VT_UI1;
         blob.pparray = &keep;
     }},
};

void PresetResult(VARIANT& result) {
    VariantClear(&result);
    result.vt = VT_I4;
    result.lVal = 42;
}

// Late-bound ConvertDataBlob as script hosts call it: the target travels as VT_I4, the
// source as VT_I2, the result by reference.
HRESULT InvokeConvertDataBlob(IDispatch* dispatch, DISPID id, short to, short from, VARIANT& blob,
                              VARIANT& result, EXCEPINFO& exception) {
    VARIANT arguments[4];
    VariantInit(&arguments[0]);
    arguments[0].vt = VT_BYREF | VT_VARIANT;
    arguments[0].pvarVal = &result;
    arguments[1] = blob;
    VariantInit(&arguments[2]);
    arguments[2].vt = VT_I2;
    arguments[2].iVal = from;
    VariantInit(&arguments[3]);
    arguments[3].vt = VT_I4;
    arguments[3].lVal = to;
    DISPPARAMS parameters{arguments, nullptr, 4, 0};
    exception = {};
    UINT argumentError = 0;
    return dispatch->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &parameters, nullptr,
                            &exception, &argumentError);
}

// A failing method reaches a late-bound caller as an exception that carries its status.
HRESULT StatusOfInvoke(HRESULT status, EXCEPINFO& exception) {
    if (status != DISP_E_EXCEPTION) return status;
    const HRESULT carried = exception.scode;
    SysFreeString(exception.bstrSource);
    SysFreeString(exception.bstrDescription);
    SysFreeString(exception.bstrHelpFile);
    exception = {};
    return carried;
}

ComPtr<IHostAction> AsHostAction(IDispatch* object) {
    ComPtr<IHostAction> action;
    if (object != nullptr)
        object->QueryInterface(IID_IHostAction, reinterpret_cast<void**>(action.GetAddressOf()));
    return action;
}

// An export of the module with its real type (void(*)() is the neutral function pointer).
template <typename Function>
Function ExportOf(HMODULE module, const char* name) {
    return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(GetProcAddress(module, name)));
}

DISPID IdOfName(IDispatch* dispatch, const wchar_t* name, HRESULT& status) {
    DISPID id = DISPID_UNKNOWN;
    LPOLESTR names[] = {const_cast<LPOLESTR>(name)};
    status = dispatch->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id);
    return id;
}

}  // namespace

const ReferenceCase& SuccessfulCase(const std::vector<ReferenceCase>& cases, short from, short to) {
    for (const ReferenceCase& reference : cases) {
        if (reference.from == from && reference.to == to && SUCCEEDED(reference.status)) return reference;
    }
    throw std::runtime_error("the reference has no successful case " + std::to_string(from) + "->" +
                             std::to_string(to));
}

void CheckClassObject(CheckLog& log, const std::wstring& modulePath) {
    ComPtr<IUnknown> outer = MakeHostAction(std::nullopt, 0);
    IUnknown* aggregated = nullptr;
    log.ExpectStatus(CoCreateInstance(CLSID_ConvertAction, outer.Get(), CLSCTX_INPROC_SERVER, IID_IUnknown,
                                      reinterpret_cast<void**>(&aggregated)),
                     CLASS_E_NOAGGREGATION, "creation inside an outer object is refused");

    // The module as the COM runtime loaded it; the exports are called as the runtime would.
    HMODULE module = LoadLibraryW(modulePath.c_str());
    if (!log.Expect(module != nullptr, "the module loads")) return;
    wchar_t projectName[64] = {};
    LoadStringW(module, 100, projectName, 64);
    log.Expect(std::wstring_view(projectName) == L"VeskAudiogramConverter",
               "string resource 100 names the project");
    using GetClassObject = HRESULT(STDAPICALLTYPE*)(REFCLSID, REFIID, void**);
    using CanUnloadNow = HRESULT(STDAPICALLTYPE*)();
    const auto getClassObject = ExportOf<GetClassObject>(module, "DllGetClassObject");
    const auto canUnloadNow = ExportOf<CanUnloadNow>(module, "DllCanUnloadNow");
    if (log.Expect(getClassObject != nullptr && canUnloadNow != nullptr, "the module exports its entries")) {
        log.ExpectStatus(getClassObject(CLSID_ConvertAction, IID_IClassFactory, nullptr), E_POINTER,
                         "DllGetClassObject with a null out pointer");
        log.ExpectStatus(getClassObject(IID_IConverterVersion, IID_IUnknown, nullptr), E_POINTER,
                         "DllGetClassObject for the proxy/stub class with a null out pointer");
        void* factory = reinterpret_cast<void*>(1);
        log.ExpectStatus(getClassObject(IID_IHostAction, IID_IClassFactory, &factory),
                         CLASS_E_CLASSNOTAVAILABLE, "DllGetClassObject for an unknown class");
        log.Expect(factory == nullptr, "DllGetClassObject clears the out pointer for an unknown class");

        ComPtr<IClassFactory> classFactory;
        log.ExpectStatus(getClassObject(CLSID_ConvertAction, IID_IClassFactory,
                                        reinterpret_cast<void**>(classFactory.GetAddressOf())),
                         S_OK, "DllGetClassObject for ConvertAction");
        ComPtr<IConvertAction> action;
        if (classFactory) {
            log.ExpectStatus(classFactory->CreateInstance(nullptr, IID_IConvertAction,
                                                          reinterpret_cast<void**>(action.GetAddressOf())),
                             S_OK, "the class factory creates the class");
        }
        log.ExpectStatus(canUnloadNow(), S_FALSE, "DllCanUnloadNow while an object lives");
        action.Reset();
        classFactory.Reset();
        log.ExpectStatus(canUnloadNow(), S_OK,
                         "DllCanUnloadNow once the object and the factory are released");

        // The proxy/stub factory lives in the module too: unloading under it would leave the
        // COM runtime calling into freed code.
        ComPtr<IPSFactoryBuffer> proxyStubFactory;
        log.ExpectStatus(getClassObject(IID_IConverterVersion, IID_IPSFactoryBuffer,
                                        reinterpret_cast<void**>(proxyStubFactory.GetAddressOf())),
                         S_OK, "DllGetClassObject for the proxy/stub factory");
        log.ExpectStatus(canUnloadNow(), S_FALSE, "DllCanUnloadNow while the proxy/stub factory is held");
        proxyStubFactory.Reset();
        log.ExpectStatus(canUnloadNow(), S_OK, "DllCanUnloadNow once the proxy/stub factory is released");
    }
    FreeLibrary(module);
}

void CheckEarlyBound(CheckLog& log, IConvertAction* action, const std::vector<ReferenceCase>& cases) {
    ComPtr<IDispatch> dispatch;
    action->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(dispatch.GetAddressOf()));
    log.Expect(dispatch.Get() == static_cast<IDispatch*>(action),
               "IDispatch and IConvertAction are one pointer");

    ComPtr<IConverterVersion> version;
    long number = 0;
    if (log.Expect(SUCCEEDED(action->QueryInterface(IID_IConverterVersion,
                                                    reinterpret_cast<void**>(version.GetAddressOf()))),
                   "the object has IConverterVersion")) {
        log.ExpectStatus(version->GetConverterVersion(&number), S_OK, "GetConverterVersion");
        log.Expect(number == 101, "the converter version is 101");
    }

    ComPtr<ISupportErrorInfo> errorInfo;
    if (log.Expect(SUCCEEDED(action->QueryInterface(IID_ISupportErrorInfo,
                                                    reinterpret_cast<void**>(errorInfo.GetAddressOf()))),
                   "the object has ISupportErrorInfo")) {
        log.ExpectStatus(errorInfo->InterfaceSupportsErrorInfo(IID_IConvertAction), S_OK,
                         "error information for IConvertAction");
        log.ExpectStatus(errorInfo->InterfaceSupportsErrorInfo(IID_IConverterVersion), S_FALSE,
                         "no error information for IConverterVersion");
    }

    log.ExpectStatus(action->ValidateData(nullptr), kNotImplemented, "ValidateData with no action");
    ComPtr<IDispatch> host = MakeHostAction(Bytes(10), 200);
    log.ExpectStatus(action->ValidateData(host.Get()), kNotImplemented, "ValidateData with an action");

    for (const ReferenceCase& reference : cases) {
        Variant blob;
        SetBlob(blob.Get(), reference.input);
        Variant result;
        PresetResult(result.Get());
        const HRESULT status = action->ConvertDataBlob(reference.to, reference.from, blob.Get(), &result);
        ExpectResult(log, status, result.Get(), reference, "vtable ConvertDataBlob " + CaseName(reference));
    }

    for (const BadBlob& bad : kBadBlobs) {
        Variant blob;
        SAFEARRAY* kept = nullptr;
        bad.make(blob.Get(), kept);
        Variant result;
        PresetResult(result.Get());
        log.ExpectStatus(action->ConvertDataBlob(100, 200, blob.Get(), &result), kInvalidBlob,
                         std::string("ConvertDataBlob with ") + bad.name);
        log.Expect(result.Get().vt == VT_EMPTY, std::string("the result stays empty with ") + bad.name);
        if (kept != nullptr) SafeArrayDestroy(kept);
    }
}

void CheckLateBound(CheckLog& log, IConvertAction* action, const std::vector<ReferenceCase>& cases) {
    UINT count = 0;
    log.Expect(SUCCEEDED(action->GetTypeInfoCount(&count)) && count == 1, "GetTypeInfoCount answers 1");
    ComPtr<ITypeInfo> info;
    log.Expect(SUCCEEDED(action->GetTypeInfo(0, LOCALE_USER_DEFAULT, &info)) && info, "GetTypeInfo(0)");

    struct Name {
        const wchar_t* text;
        DISPID id;
    };
    for (const Name name : {Name{L"ConvertData", 1}, Name{L"ValidateData", 2}, Name{L"ConvertDataBlob", 3},
                            Name{L"convertdatablob", 3}}) {
        HRESULT status = S_OK;
        const DISPID id = IdOfName(action, name.text, status);
        log.Expect(SUCCEEDED(status) && id == name.id,
                   "GetIDsOfNames finds dispid " + std::to_string(name.id));
    }
    HRESULT unknownStatus = S_OK;
    IdOfName(action, L"NoSuchMethod", unknownStatus);
    log.ExpectStatus(unknownStatus, DISP_E_UNKNOWNNAME, "GetIDsOfNames of an unknown name");

    for (const ReferenceCase& reference : cases) {
        Variant blob;
        SetBlob(blob.Get(), reference.input);
        Variant result;
        EXCEPINFO exception{};
        const HRESULT status = InvokeConvertDataBlob(action, 3, reference.to, reference.from, blob.Get(),
                                                     result.Get(), exception);
        ExpectResult(log, StatusOfInvoke(status, exception), result.Get(), reference,
                     "Invoke ConvertDataBlob " + CaseName(reference));
    }

    // ValidateData by name with a null object.
    VARIANT argument;
    VariantInit(&argument);
    argument.vt = VT_DISPATCH;
    argument.pdispVal = nullptr;
    DISPPARAMS parameters{&argument, nullptr, 1, 0};
    EXCEPINFO exception{};
    const HRESULT validated = action->Invoke(2, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &parameters,
                                             nullptr, &exception, nullptr);
    log.ExpectStatus(StatusOfInvoke(validated, exception), kNotImplemented, "Invoke ValidateData");

    // IConverterVersion is not in the type library: its dispatch members find nothing.
    ComPtr<IConverterVersion> version;
    if (SUCCEEDED(action->QueryInterface(IID_IConverterVersion,
                                         reinterpret_cast<void**>(version.GetAddressOf())))) {
        UINT versionCount = 0;
        log.Expect(SUCCEEDED(version->GetTypeInfoCount(&versionCount)) && versionCount == 1,
                   "IConverterVersion's GetTypeInfoCount answers 1");
        HRESULT status = S_OK;
        IdOfName(version.Get(), L"GetConverterVersion", status);
        log.Expect(FAILED(status), "IConverterVersion has no names to dispatch");
        ComPtr<ITypeInfo> none;
        log.Expect(FAILED(version->GetTypeInfo(0, LOCALE_USER_DEFAULT, &none)),
                   "IConverterVersion has no type info");
    }
}

void CheckHostActions(CheckLog& log, IConvertAction* action, const std::vector<ReferenceCase>& cases) {
    const ReferenceCase& upgrade = SuccessfulCase(cases, 100, 200);

    ComPtr<IHostAction> oldAction = MakeHostAction(upgrade.input, 100);
    ComPtr<IDispatch> newAction;
    log.ExpectStatus(action->ConvertData(200, oldAction.Get(), &newAction), S_OK, "ConvertData 100->200");
    ComPtr<IHostAction> converted = AsHostAction(newAction.Get());
    if (log.Expect(converted != nullptr, "ConvertData hands back the new action")) {
        const HostActionState state = ReadHostAction(converted.Get());
        log.Expect(state.standard == 200, "the new action's data standard is 200");
        log.Expect(state.blob && *state.blob == upgrade.expected,
                   "the new action holds the Linux build's bytes");
    }
    const HostActionState before = ReadHostAction(oldAction.Get());
    log.Expect(before.standard == 100 && before.blob && *before.blob == upgrade.input,
               "the old action keeps its standard and blob");

    // Failures leave the out pointer as it was.
    struct Refusal {
        const char* name;
        short target;
        ComPtr<IHostAction> oldAction;
        HRESULT expected;
    };
    Refusal refusals[] = {
        {"no old action", 200, nullptr, E_POINTER},
        {"an old action without a blob", 200, MakeHostAction(std::nullopt, 100), kInvalidBlob},
        {"a failing CreateAction", 200, MakeHostAction(upgrade.input, 100, E_ACCESSDENIED), E_ACCESSDENIED},
        {"target 300", 300, MakeHostAction(upgrade.input, 100), kUnsupportedFormat},
    };
    for (Refusal& refusal : refusals) {
        IDispatch* untouched = oldAction.Get();
        log.ExpectStatus(action->ConvertData(refusal.target, refusal.oldAction.Get(), &untouched),
                         refusal.expected, std::string("ConvertData with ") + refusal.name);
        log.Expect(untouched == oldAction.Get(),
                   std::string("ConvertData with ") + refusal.name + " keeps the out pointer");
    }

    // ConvertData by name: the old action by value, the new one by reference.
    ComPtr<IDispatch> lateResult;
    VARIANT arguments[3];
    VariantInit(&arguments[0]);
    arguments[0].vt = VT_BYREF | VT_DISPATCH;
    arguments[0].ppdispVal = lateResult.GetAddressOf();
    VariantInit(&arguments[1]);
    arguments[1].vt = VT_DISPATCH;
    arguments[1].pdispVal = oldAction.Get();
    VariantInit(&arguments[2]);
    arguments[2].vt = VT_I4;
    arguments[2].lVal = 200;
    DISPPARAMS parameters{arguments, nullptr, 3, 0};
    EXCEPINFO exception{};
    const HRESULT status = action->Invoke(1, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &parameters,
                                          nullptr, &exception, nullptr);
    log.ExpectStatus(StatusOfInvoke(status, exception), S_OK, "Invoke ConvertData 100->200");
    ComPtr<IHostAction> lateConverted = AsHostAction(lateResult.Get());
    if (log.Expect(lateConverted != nullptr, "Invoke ConvertData hands back the new action")) {
        const HostActionState state = ReadHostAction(lateConverted.Get());
        log.Expect(state.standard == 200 && state.blob && *state.blob == upgrade.expected,
                   "the late-bound new action holds the Linux build's bytes");
    }
}

}  // namespace wine_client
