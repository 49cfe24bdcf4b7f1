// The registered type library as script hosts and object browsers read it.

#include <string>

#include "client_checks.h"
#include "com_support.h"

namespace wine_client {
namespace {

struct Documentation {
    std::wstring name;
    std::wstring help;
};

Documentation Describe(ITypeLib* library, INT index) {
    BSTR name = nullptr;
    BSTR help = nullptr;
    Documentation text;
    if (SUCCEEDED(library->GetDocumentation(index, &name, &help, nullptr, nullptr))) {
        text = {name ? name : L"", help ? help : L""};
    }
    SysFreeString(name);
    SysFreeString(help);
    return text;
}

Documentation Describe(ITypeInfo* info, MEMBERID member) {
    BSTR name = nullptr;
    BSTR help = nullptr;
    Documentation text;
    if (SUCCEEDED(info->GetDocumentation(member, &name, &help, nullptr, nullptr))) {
        text = {name ? name : L"", help ? help : L""};
    }
    SysFreeString(name);
    SysFreeString(help);
    return text;
}

bool Is(const Documentation& text, std::wstring_view name, std::wstring_view help) {
    return text.name == name && text.help == help;
}

}  // namespace

void CheckTypeLibrary(CheckLog& log) {
    ComPtr<ITypeLib> library;
    if (!log.Expect(SUCCEEDED(LoadRegTypeLib(LIBID_VeskAudiogramConverterLib, 1, 0, LOCALE_NEUTRAL, &library)),
                    "the type library 1.0 is registered")) {
        return;
    }
    log.Expect(Is(Describe(library.Get(), -1), L"VeskAudiogramConverterLib", L"VeskAudiogramConverter 1.0 Type Library"),
               "the library's name and help string");
    log.Expect(library->GetTypeInfoCount() == 2, "the library describes the class and IConvertAction only");

    ComPtr<ITypeInfo> coclass;
    if (log.Expect(SUCCEEDED(library->GetTypeInfoOfGuid(CLSID_ConvertAction, &coclass)), "the library has the class")) {
        log.Expect(Is(Describe(coclass.Get(), MEMBERID_NIL), L"ConvertAction", L"ConvertAction Class"),
                   "the class's name and help string");
        TYPEATTR* attributes = nullptr;
        if (SUCCEEDED(coclass->GetTypeAttr(&attributes))) {
            log.Expect((attributes->wTypeFlags & TYPEFLAG_FCANCREATE) != 0, "the class is creatable");
            coclass->ReleaseTypeAttr(attributes);
        }
    }

    ComPtr<ITypeInfo> dispatch;
    if (!log.Expect(SUCCEEDED(library->GetTypeInfoOfGuid(IID_IConvertAction, &dispatch)), "the library has IConvertAction")) {
        return;
    }
    log.Expect(Is(Describe(dispatch.Get(), MEMBERID_NIL), L"IConvertAction", L"IConvertAction Interface"),
               "IConvertAction's name and help string");
    TYPEATTR* attributes = nullptr;
    if (SUCCEEDED(dispatch->GetTypeAttr(&attributes))) {
        constexpr WORD kFlags = TYPEFLAG_FDUAL | TYPEFLAG_FOLEAUTOMATION | TYPEFLAG_FNONEXTENSIBLE | TYPEFLAG_FDISPATCHABLE;
        log.Expect((attributes->wTypeFlags & kFlags) == kFlags, "IConvertAction is dual, automation, non-extensible");
        dispatch->ReleaseTypeAttr(attributes);
    }
    log.Expect(Is(Describe(dispatch.Get(), 1), L"ConvertData", L"method ConvertData"), "dispid 1 is ConvertData");
    log.Expect(Is(Describe(dispatch.Get(), 2), L"ValidateData", L"method ValidateData"), "dispid 2 is ValidateData");
    log.Expect(Is(Describe(dispatch.Get(), 3), L"ConvertDataBlob", L"method ConvertDataBlob"),
               "dispid 3 is ConvertDataBlob");
}

}  // namespace wine_client
