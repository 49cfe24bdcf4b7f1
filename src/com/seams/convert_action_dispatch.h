#pragma once
// How IConvertAction's IDispatch members are served: from the registered type library where
// the platform has one, from a table of the three methods' names, dispids and parameter
// types elsewhere. The arguments are those of the IDispatch members; `instance` is the
// object whose methods Invoke calls.

#include "com/converter_interfaces.h"

namespace audiogram::com {

HRESULT ConvertActionGetTypeInfoCount(UINT* pctinfo);
HRESULT ConvertActionGetTypeInfo(UINT iTInfo, LCID lcid, ITypeInfo** ppTInfo);
HRESULT ConvertActionGetIDsOfNames(REFIID riid, LPOLESTR* rgszNames, UINT cNames, LCID lcid,
                                   DISPID* rgDispId);
HRESULT ConvertActionInvoke(IConvertAction& instance, DISPID dispIdMember, REFIID riid, LCID lcid,
                            WORD wFlags, DISPPARAMS* pDispParams, VARIANT* pVarResult, EXCEPINFO* pExcepInfo,
                            UINT* puArgErr);

}  // namespace audiogram::com
