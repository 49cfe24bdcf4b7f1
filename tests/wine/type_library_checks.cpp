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

// The name and help string of a library (by type index) or of a type's member.
template <typename Documented, typename Index>
Documentation Describe(Documented* source, Index index) {
    BSTR name = nullptr;
    BSTR help = nullptr;
    Documentation text;
    if (SUCCEEDED(source->GetDocumentation(index, &name, &help, nullptr, nullptr))) {
        text = {name ? name : L"", help ? help : L""};
    }
    SysFreeString(name);
    SysFreeString(help);
    return text;
}

bool HasTypeFlags(ITypeInfo* info, WORD flags) {
    TYPEATTR* attributes = nullptr;
    if (FAILED(info->GetTypeAttr(&attributes))) return false;
    const bool has = (attributes->wTypeFlags & flags) == flags;
    info->ReleaseTypeAttr(attributes);
    return has;
}

bool Is(const Documentation& text, std::wstring_view name, std::wstring_view help) {
    return text.name == name && text.help == help;
}

}  // namespace

void CheckTypeLibrary(CheckLog& log) {
    ComPtr<ITypeLib> library;
    if (!log.Expect(
            SUCCEEDED(LoadRegTypeLib(LIBID_VeskAudiogramConverterLib, 1, 0, LOCALE_NEUTRAL, &library)),
            "the type library 1.0 is registered")) {
        return;
    }
    log.Expect(Is(Describe(library.Get(), -1), L"VeskAudiogramConverterLib",
                  L"VeskAudiogramConverter 1.0 Type Library"),
               "the library's name and help string");
    log.Expect(library->GetTypeInfoCount() == 2, "the library describes the class and IConvertAction only");

    ComPtr<ITypeInfo> coclass;
    if (log.Expect(SUCCEEDED(library->GetTypeInfoOfGuid(CLSID_ConvertAction, &coclass)),
                   "the library has the class")) {
        log.Expect(Is(Describe(coclass.Get(), MEMBERID_NIL), L"ConvertAction", L"ConvertAction Class"),
                   "the class's name and help string");
        log.Expect(HasTypeFlags(coclass.Get(), TYPEFLAG_FCANCREATE), "the class is creatable");
    }

    ComPtr<ITypeInfo> dispatch;
    if (!log.Expect(SUCCEEDED(library->GetTypeInfoOfGuid(IID_IConvertAction, &dispatch)),
                    "the library has IConvertAction")) {
        return;
    }
    log.Expect(Is(Describe(dispatch.Get(), MEMBERID_NIL), L"IConvertAction", L"IConvertAction Interface"),
               "IConvertAction's name and help string");
    // A dual interface is described twice: as a dispinterface and as its vtable half.
    log.Expect(
        HasTypeFlags(dispatch.Get(), TYPEFLAG_FDUAL | TYPEFLAG_FNONEXTENSIBLE | TYPEFLAG_FDISPATCHABLE),
        "IConvertAction's dispinterface is dual, non-extensible and dispatchable");
    HREFTYPE vtableType = 0;
    ComPtr<ITypeInfo> vtable;
    if (SUCCEEDED(dispatch->GetRefTypeOfImplType(static_cast<UINT>(-1), &vtableType)) &&
        SUCCEEDED(dispatch->GetRefTypeInfo(vtableType, &vtable))) {
        log.Expect(HasTypeFlags(vtable.Get(), TYPEFLAG_FDUAL | TYPEFLAG_FOLEAUTOMATION),
                   "IConvertAction's vtable is dual and OLE Automation");
    } else {
        log.Expect(false, "IConvertAction has a vtable half");
    }
    log.Expect(Is(Describe(dispatch.Get(), 1), L"ConvertData", L"method ConvertData"),
               "dispid 1 is ConvertData");
    log.Expect(Is(Describe(dispatch.Get(), 2), L"ValidateData", L"method ValidateData"),
               "dispid 2 is ValidateData");
    log.Expect(Is(Describe(dispatch.Get(), 3), L"ConvertDataBlob", L"method ConvertDataBlob"),
               "dispid 3 is ConvertDataBlob");
}

}  // namespace wine_client
