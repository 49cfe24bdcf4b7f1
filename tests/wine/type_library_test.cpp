// The registered type library as script hosts and object browsers read it.

#include <string>

#include "com_test_support.h"

namespace audiogram::com::testing {
namespace {

// The name and help string of a library (by type index) or of a type's member.
template <typename Documented, typename Index>
std::wstring Describe(Documented& source, Index index) {
    BSTR name = nullptr;
    BSTR help = nullptr;
    std::wstring text = L"undocumented";
    if (SUCCEEDED(source.GetDocumentation(index, &name, &help, nullptr, nullptr))) {
        text = std::wstring(name ? name : L"") + L": " + (help ? help : L"");
    }
    SysFreeString(name);
    SysFreeString(help);
    return text;
}

WORD TypeFlags(ITypeInfo& info) {
    TYPEATTR* attributes = nullptr;
    if (FAILED(info.GetTypeAttr(&attributes))) return 0;
    const WORD flags = attributes->wTypeFlags;
    info.ReleaseTypeAttr(attributes);
    return flags;
}

TEST(Registered, TypeLibrary) {
    ComPtr<ITypeLib> library;
    ASSERT_EQ(LoadRegTypeLib(LIBID_VeskAudiogramConverterLib, 1, 0, LOCALE_NEUTRAL, library.Put()), S_OK);
    EXPECT_EQ(Describe(*library, -1), L"VeskAudiogramConverterLib: VeskAudiogramConverter 1.0 Type Library");
    EXPECT_EQ(library->GetTypeInfoCount(), 2u) << "the class and IConvertAction only";

    ComPtr<ITypeInfo> coclass;
    ASSERT_EQ(library->GetTypeInfoOfGuid(CLSID_ConvertAction, coclass.Put()), S_OK);
    EXPECT_EQ(Describe(*coclass, MEMBERID_NIL), L"ConvertAction: ConvertAction Class");
    EXPECT_TRUE(TypeFlags(*coclass) & TYPEFLAG_FCANCREATE);

    // A dual interface is described twice: as a dispinterface and as its vtable half.
    ComPtr<ITypeInfo> dispatch, vtable;
    ASSERT_EQ(library->GetTypeInfoOfGuid(IID_IConvertAction, dispatch.Put()), S_OK);
    EXPECT_EQ(Describe(*dispatch, MEMBERID_NIL), L"IConvertAction: IConvertAction Interface");
    constexpr WORD kDispatchFlags = TYPEFLAG_FDUAL | TYPEFLAG_FNONEXTENSIBLE | TYPEFLAG_FDISPATCHABLE;
    EXPECT_EQ(TypeFlags(*dispatch) & kDispatchFlags, kDispatchFlags);
    HREFTYPE vtableType = 0;
    ASSERT_EQ(dispatch->GetRefTypeOfImplType(static_cast<UINT>(-1), &vtableType), S_OK);
    ASSERT_EQ(dispatch->GetRefTypeInfo(vtableType, vtable.Put()), S_OK);
    EXPECT_EQ(TypeFlags(*vtable) & (TYPEFLAG_FDUAL | TYPEFLAG_FOLEAUTOMATION),
              TYPEFLAG_FDUAL | TYPEFLAG_FOLEAUTOMATION);
    for (const auto& [dispid, text] :
         {std::pair<MEMBERID, const wchar_t*>{1, L"ConvertData: method ConvertData"},
          {2, L"ValidateData: method ValidateData"},
          {3, L"ConvertDataBlob: method ConvertDataBlob"}}) {
        EXPECT_EQ(Describe(*dispatch, dispid), text);
    }
}

}  // namespace
}  // namespace audiogram::com::testing
