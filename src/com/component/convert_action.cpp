#include "com/component/convert_action.h"

#include <new>

#include "com/com_result.h"
#include "com/component/blob_variant.h"
#include "com/component/host_action_conversion.h"
#include "com/component/module_lock.h"
#include "com/seams/convert_action_dispatch.h"
#include "com/seams/module_scopes.h"
#include "service/blob_dispatcher.h"

namespace audiogram::com {
namespace {

constexpr LONG kConverterVersion = 101;

// The ConvertDataBlob adapter once the out VARIANT is empty: checks the blob, runs the
// dispatch over its bytes in place and hands out the result as a new byte array.
HRESULT ConvertBlobVariant(short newDataFormat, short oldDataFormat, const VARIANT& publicBlob,
                           VARIANT& newPublicBlob) {
    BlobBytes source;
    RETURN_IF_FAILED(source.Open(publicBlob));
    Blob result;
    {
        const ParameterFaultScope parameterFaults;
        RETURN_IF_FAILED(audiogram::ConvertDataBlob(newDataFormat, oldDataFormat, source.Bytes(), result));
    }
    return StoreBlob(result, newPublicBlob);
}

}  // namespace

HRESULT ConvertActionDispatch::GetTypeInfoCount(UINT* pctinfo) {
    return ConvertActionGetTypeInfoCount(pctinfo);
}

HRESULT ConvertActionDispatch::GetTypeInfo(UINT iTInfo, LCID lcid, ITypeInfo** ppTInfo) {
    return ConvertActionGetTypeInfo(iTInfo, lcid, ppTInfo);
}

HRESULT ConvertActionDispatch::GetIDsOfNames(REFIID riid, LPOLESTR* rgszNames, UINT cNames, LCID lcid,
                                             DISPID* rgDispId) {
    return ConvertActionGetIDsOfNames(riid, rgszNames, cNames, lcid, rgDispId);
}

HRESULT ConvertActionDispatch::Invoke(DISPID dispIdMember, REFIID riid, LCID lcid, WORD wFlags,
                                      DISPPARAMS* pDispParams, VARIANT* pVarResult, EXCEPINFO* pExcepInfo,
                                      UINT* puArgErr) {
    return CallAtBoundary(E_FAIL, [&] {
        return ConvertActionInvoke(*this, dispIdMember, riid, lcid, wFlags, pDispParams, pVarResult,
                                   pExcepInfo, puArgErr);
    });
}

HRESULT ConverterVersionDispatch::GetTypeInfoCount(UINT* pctinfo) {
    if (pctinfo == nullptr) return E_POINTER;
    *pctinfo = 1;
    return S_OK;
}

HRESULT ConverterVersionDispatch::GetTypeInfo(UINT, LCID, ITypeInfo** ppTInfo) {
    if (ppTInfo != nullptr) *ppTInfo = nullptr;
    return TYPE_E_ELEMENTNOTFOUND;
}

HRESULT ConverterVersionDispatch::GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) {
    return TYPE_E_ELEMENTNOTFOUND;
}

HRESULT ConverterVersionDispatch::Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*,
                                         UINT*) {
    return TYPE_E_ELEMENTNOTFOUND;
}

CConvertAction::CConvertAction() {
    LockModule();
}

CConvertAction::~CConvertAction() {
    UnlockModule();
}

HRESULT CConvertAction::Create(REFIID riid, void** ppvObject) {
    if (ppvObject == nullptr) return E_POINTER;
    *ppvObject = nullptr;
    auto* object = new (std::nothrow) CConvertAction();
    if (object == nullptr) return E_OUTOFMEMORY;
    const HRESULT hr = object->QueryInterface(riid, ppvObject);
    object->Release();  // the creation reference: a refused query destroys the object here
    return hr;
}

HRESULT CConvertAction::QueryInterface(REFIID riid, void** ppvObject) {
    if (ppvObject == nullptr) return E_POINTER;
    if (riid == IID_IUnknown || riid == IID_IDispatch || riid == IID_IConvertAction) {
        *ppvObject = static_cast<IConvertAction*>(this);
    } else if (riid == IID_IConverterVersion) {
        *ppvObject = static_cast<IConverterVersion*>(this);
    } else if (riid == IID_ISupportErrorInfo) {
        *ppvObject = static_cast<ISupportErrorInfo*>(this);
    } else {
        *ppvObject = nullptr;
        return E_NOINTERFACE;
    }
    AddRef();
    return S_OK;
}

ULONG CConvertAction::AddRef() {
    return ++references_;
}

ULONG CConvertAction::Release() {
    const ULONG remaining = --references_;
    if (remaining == 0) delete this;
    return remaining;
}

HRESULT CConvertAction::ConvertData(short NewDataFormat, IDispatch* pOldAction, IDispatch** ppNewAction) {
    const ModuleStateScope moduleState;
    return CallAtBoundary(E_FAIL, [&] { return ConvertHostAction(NewDataFormat, pOldAction, ppNewAction); });
}

HRESULT CConvertAction::ValidateData(IDispatch*) {
    const ModuleStateScope moduleState;
    return CONV_E_NOTIMPLEMENTED;
}

HRESULT CConvertAction::ConvertDataBlob(short NewDataFormat, short OldDataFormat, VARIANT PublicBlob,
                                        VARIANT* NewPublicBlob) {
    const ModuleStateScope moduleState;
    if (NewPublicBlob == nullptr) return E_POINTER;
    VariantInit(NewPublicBlob);  // emptied before any check, releasing nothing: it is [out]
    return CallAtBoundary(
        E_FAIL, [&] { return ConvertBlobVariant(NewDataFormat, OldDataFormat, PublicBlob, *NewPublicBlob); });
}

HRESULT CConvertAction::GetConverterVersion(LONG* pVersion) {
    const ModuleStateScope moduleState;
    if (pVersion == nullptr) return E_POINTER;
    *pVersion = kConverterVersion;
    return S_OK;
}

HRESULT CConvertAction::InterfaceSupportsErrorInfo(REFIID riid) {
    return riid == IID_IConvertAction ? S_OK : S_FALSE;
}

}  // namespace audiogram::com
