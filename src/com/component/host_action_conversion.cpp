#include "com/component/host_action_conversion.h"

#include <new>

#include "com/com_ptr.h"
#include "com/com_result.h"
#include "com/component/blob_variant.h"
#include "com/seams/module_scopes.h"
#include "com/seams/thread_error_info.h"
#include "service/blob_dispatcher.h"

namespace audiogram::com {
namespace {

// Passes a host call's HRESULT on. After a failure, the error object the host may have set
// for the interface is taken and dropped: it describes the host's failure, not ours.
HRESULT CheckHostCall(IUnknown& host, REFIID iid, HRESULT hr) {
    if (SUCCEEDED(hr)) return hr;
    ComPtr<ISupportErrorInfo> support;
    if (SUCCEEDED(QueryInterfaceInto(&host, IID_ISupportErrorInfo, support)) && support &&
        support->InterfaceSupportsErrorInfo(iid) == S_OK) {
        DiscardThreadErrorInfo();
    }
    return hr;
}

HRESULT OpenOldAction(IDispatch* pOldAction, ComPtr<IHostAction>& oldAction) {
    if (pOldAction == nullptr) return E_POINTER;
    const HRESULT hr = QueryInterfaceInto(pOldAction, IID_IHostAction, oldAction);
    if (hr == E_NOINTERFACE) return E_POINTER;  // not a host action: there is no old action
    RETURN_IF_FAILED(hr);
    return oldAction ? S_OK : E_POINTER;
}

HRESULT GetDataType(IHostAction& action, ComPtr<IHostDataType>& dataType) {
    RETURN_IF_FAILED(CheckHostCall(action, IID_IHostAction, action.GetDataType(dataType.Put())));
    return dataType ? S_OK : E_POINTER;
}

HRESULT ReadDataStandard(IHostAction& action, short& dataStandard) {
    ComPtr<IHostDataType> dataType;
    RETURN_IF_FAILED(GetDataType(action, dataType));
    return CheckHostCall(*dataType, IID_IHostDataType, dataType->GetDataStandard(&dataStandard));
}

HRESULT WriteDataStandard(IHostAction& action, short dataStandard) {
    ComPtr<IHostDataType> dataType;
    RETURN_IF_FAILED(GetDataType(action, dataType));
    return CheckHostCall(*dataType, IID_IHostDataType, dataType->PutDataStandard(dataStandard));
}

// A failing CreateAction ends the call with its HRESULT; an exception that carries none
// means the old action could not give us a new one for this blob.
HRESULT CreateNewAction(IHostAction& oldAction, ComPtr<IHostAction>& newAction) {
    try {
        return CheckHostCall(oldAction, IID_IHostAction, oldAction.CreateAction(newAction.Put()));
    } catch (const ComError& error) {
        return error.Result();
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    } catch (...) {
        return CONV_E_INVALIDBLOB;
    }
}

// Everything up to the filled new action. The working blobs live only in here, so they are
// released before the new action is handed back.
HRESULT ConvertIntoNewAction(short newDataFormat, IHostAction& oldAction, ComPtr<IHostAction>& newAction) {
    ScopedVariant sourceBlob;
    oldAction.GetData(sourceBlob.Put());  // its HRESULT is not examined: the blob check decides
    short oldDataFormat = 0;
    RETURN_IF_FAILED(ReadDataStandard(oldAction, oldDataFormat));

    BlobBytes source;
    RETURN_IF_FAILED(source.Open(sourceBlob.Get()));
    // The new action exists before the pair of data standards is examined.
    RETURN_IF_FAILED(CreateNewAction(oldAction, newAction));

    Blob result;
    {
        const ParameterFaultScope parameterFaults;
        RETURN_IF_FAILED(audiogram::ConvertDataBlob(newDataFormat, oldDataFormat, source.Bytes(), result));
    }
    if (!newAction) return E_POINTER;
    RETURN_IF_FAILED(WriteDataStandard(*newAction, newDataFormat));

    ScopedVariant finalBlob;
    RETURN_IF_FAILED(StoreBlob(result, *finalBlob.Put()));
    newAction->PutData(finalBlob.Get());  // the action keeps its own copy; its HRESULT is not examined
    return S_OK;
}

// The host gets the new action only when it really answers for IDispatch; otherwise the
// failure is reported and `ppNewAction` keeps what it held.
HRESULT HandBack(IHostAction& newAction, IDispatch** ppNewAction) {
    if (ppNewAction == nullptr) return S_OK;
    ComPtr<IDispatch> dispatch;
    RETURN_IF_FAILED(QueryInterfaceInto(&newAction, IID_IDispatch, dispatch));
    if (!dispatch) return E_NOINTERFACE;
    *ppNewAction = dispatch.Detach();
    return S_OK;
}

}  // namespace

HRESULT ConvertHostAction(short newDataFormat, IDispatch* pOldAction, IDispatch** ppNewAction) {
    ComPtr<IHostAction> oldAction;
    RETURN_IF_FAILED(OpenOldAction(pOldAction, oldAction));
    ComPtr<IHostAction> newAction;
    RETURN_IF_FAILED(ConvertIntoNewAction(newDataFormat, *oldAction, newAction));
    return HandBack(*newAction, ppNewAction);
}

}  // namespace audiogram::com
