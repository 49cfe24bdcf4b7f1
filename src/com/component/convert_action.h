#pragma once
// CConvertAction, the one creatable class of the component: IConvertAction (dual; also
// served for IDispatch and IUnknown), IConverterVersion and ISupportErrorInfo. It holds
// nothing but its reference count; every method works on its arguments only.

#include <atomic>

#include "com/converter_interfaces.h"

namespace audiogram::com {

// IConvertAction's IDispatch members, served by the platform's dispatch seam.
class ConvertActionDispatch : public IConvertAction {
  public:
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* pctinfo) final;
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT iTInfo, LCID lcid, ITypeInfo** ppTInfo) final;
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID riid, LPOLESTR* rgszNames, UINT cNames, LCID lcid,
                                            DISPID* rgDispId) final;
    HRESULT STDMETHODCALLTYPE Invoke(DISPID dispIdMember, REFIID riid, LCID lcid, WORD wFlags,
                                     DISPPARAMS* pDispParams, VARIANT* pVarResult, EXCEPINFO* pExcepInfo,
                                     UINT* puArgErr) final;
};

// IConverterVersion's IDispatch members: the type library does not describe the interface,
// so it has no type information and can be called through its vtable only.
class ConverterVersionDispatch : public IConverterVersion {
  public:
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* pctinfo) final;
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT iTInfo, LCID lcid, ITypeInfo** ppTInfo) final;
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID riid, LPOLESTR* rgszNames, UINT cNames, LCID lcid,
                                            DISPID* rgDispId) final;
    HRESULT STDMETHODCALLTYPE Invoke(DISPID dispIdMember, REFIID riid, LCID lcid, WORD wFlags,
                                     DISPPARAMS* pDispParams, VARIANT* pVarResult, EXCEPINFO* pExcepInfo,
                                     UINT* puArgErr) final;
};

class CConvertAction final : public ConvertActionDispatch,
                             public ConverterVersionDispatch,
                             public ISupportErrorInfo {
  public:
    // A new object queried for `riid`; the only reference is the one handed out.
    static HRESULT Create(REFIID riid, void** ppvObject);

    // IUnknown
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppvObject) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;

    // IConvertAction
    HRESULT STDMETHODCALLTYPE ConvertData(short NewDataFormat, IDispatch* pOldAction,
                                          IDispatch** ppNewAction) override;
    HRESULT STDMETHODCALLTYPE ValidateData(IDispatch* pAction) override;
    HRESULT STDMETHODCALLTYPE ConvertDataBlob(short NewDataFormat, short OldDataFormat, VARIANT PublicBlob,
                                              VARIANT* NewPublicBlob) override;

    // IConverterVersion
    HRESULT STDMETHODCALLTYPE GetConverterVersion(LONG* pVersion) override;

    // ISupportErrorInfo
    HRESULT STDMETHODCALLTYPE InterfaceSupportsErrorInfo(REFIID riid) override;

  private:
    CConvertAction();
    ~CConvertAction();

    // Counted atomically although the apartment model calls an object on one thread only:
    // off Windows nothing enforces that model.
    std::atomic<ULONG> references_{1};
};

}  // namespace audiogram::com
