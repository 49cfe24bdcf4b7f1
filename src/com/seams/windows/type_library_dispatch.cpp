// IConvertAction's IDispatch served from the registered type library, version 1.0: names
// and dispids from its description, calls through the dual interface's vtable with the
// argument coercions of OLE Automation (a short passed as VT_I4, as script hosts do).

#include <mutex>

#include "com/com_ptr.h"
#include "com/com_result.h"
#include "com/seams/convert_action_dispatch.h"

namespace audiogram::com {
namespace {

constexpr WORD kLibraryMajor = 1;
constexpr WORD kLibraryMinor = 0;

struct ConvertActionTypeInfo {
    ITypeInfo* dispatch = nullptr;  // the dispinterface: what GetTypeInfo hands out
    ITypeInfo* vtable = nullptr;    // its dual interface: Invoke calls the method through it
};

HRESULT Load(ConvertActionTypeInfo& loaded) {
    ComPtr<ITypeLib> library;
    RETURN_IF_FAILED(LoadRegTypeLib(LIBID_VeskAudiogramConverterLib, kLibraryMajor, kLibraryMinor,
                                    LOCALE_NEUTRAL, library.Put()));
    ComPtr<ITypeInfo> dispatch;
    RETURN_IF_FAILED(library->GetTypeInfoOfGuid(IID_IConvertAction, dispatch.Put()));
    HREFTYPE vtableType = 0;
    RETURN_IF_FAILED(dispatch->GetRefTypeOfImplType(static_cast<UINT>(-1), &vtableType));
    ComPtr<ITypeInfo> vtable;
    RETURN_IF_FAILED(dispatch->GetRefTypeInfo(vtableType, vtable.Put()));
    loaded.dispatch = dispatch.Detach();
    loaded.vtable = vtable.Detach();
    return S_OK;
}

// Loaded on first use and kept for the life of the process. A failure is not kept: the next
// call tries again, since the library may have been registered meanwhile.
HRESULT KeptTypeInfo(ConvertActionTypeInfo& typeInfo) {
    static std::mutex loading;  // objects of several apartments may ask at once
    static ConvertActionTypeInfo kept;
    const std::lock_guard lock(loading);
    if (kept.vtable == nullptr) RETURN_IF_FAILED(Load(kept));
    typeInfo = kept;
    return S_OK;
}

}  // namespace

HRESULT ConvertActionGetTypeInfoCount(UINT* pctinfo) {
    if (pctinfo == nullptr) return E_POINTER;
    *pctinfo = 1;
    return S_OK;
}

HRESULT ConvertActionGetTypeInfo(UINT iTInfo, LCID, ITypeInfo** ppTInfo) {
    if (ppTInfo == nullptr) return E_POINTER;
    *ppTInfo = nullptr;
    if (iTInfo != 0) return DISP_E_BADINDEX;
    ConvertActionTypeInfo typeInfo;
    RETURN_IF_FAILED(KeptTypeInfo(typeInfo));
    typeInfo.dispatch->AddRef();
    *ppTInfo = typeInfo.dispatch;
    return S_OK;
}

HRESULT ConvertActionGetIDsOfNames(REFIID riid, LPOLESTR* rgszNames, UINT cNames, LCID, DISPID* rgDispId) {
    if (riid != IID_NULL) return DISP_E_UNKNOWNINTERFACE;
    ConvertActionTypeInfo typeInfo;
    RETURN_IF_FAILED(KeptTypeInfo(typeInfo));
    return DispGetIDsOfNames(typeInfo.dispatch, rgszNames, cNames, rgDispId);
}

HRESULT ConvertActionInvoke(IConvertAction& instance, DISPID dispIdMember, REFIID riid, LCID, WORD wFlags,
                            DISPPARAMS* pDispParams, VARIANT* pVarResult, EXCEPINFO* pExcepInfo,
                            UINT* puArgErr) {
    if (riid != IID_NULL) return DISP_E_UNKNOWNINTERFACE;
    ConvertActionTypeInfo typeInfo;
    RETURN_IF_FAILED(KeptTypeInfo(typeInfo));
    // A method's failing HRESULT comes back as DISP_E_EXCEPTION with the HRESULT in the scode.
    return typeInfo.vtable->Invoke(&instance, dispIdMember, wFlags, pDispParams, pVarResult, pExcepInfo,
                                   puArgErr);
}

}  // namespace audiogram::com
