// IConvertAction's IDispatch where no type library exists: the three methods' names, dispids
// and parameter types in a table, with the argument conversions a late-bound caller relies
// on (a short accepted as VT_I2, VT_I4 or VT_UI1, arguments passed by reference, [out]
// parameters passed as references to the caller's VARIANTs). As with a type library, a
// method's failing HRESULT comes back as DISP_E_EXCEPTION with the HRESULT in the scode.

#include <array>
#include <cstdint>
#include <limits>
#include <span>
#include <string_view>

#include "com/com_result.h"
#include "com/seams/convert_action_dispatch.h"

namespace audiogram::com {
namespace {

enum class ParameterType { Short, DispatchIn, DispatchOut, VariantIn, VariantOut };

// One argument converted for the call. Nothing here is owned: the caller's DISPPARAMS keep
// everything alive until Invoke returns.
struct Argument {
    short shortValue = 0;
    IDispatch* dispatchIn = nullptr;
    IDispatch** dispatchOut = nullptr;
    IDispatch* dispatchResult = nullptr;      // written by the method when the caller passed a VARIANT
    VARIANT* dispatchResultTarget = nullptr;  // that VARIANT
    VARIANT variantIn{};
    VARIANT* variantOut = nullptr;
};

constexpr std::size_t kMaxParameters = 4;
using Arguments = std::array<Argument, kMaxParameters>;

struct DispatchMethod {
    std::u16string_view name;
    DISPID dispid;
    std::span<const ParameterType> parameters;
    HRESULT (*call)(IConvertAction& instance, Arguments& arguments);
};

constexpr ParameterType kConvertDataParameters[] = {ParameterType::Short, ParameterType::DispatchIn,
                                                    ParameterType::DispatchOut};
constexpr ParameterType kValidateDataParameters[] = {ParameterType::DispatchIn};
constexpr ParameterType kConvertDataBlobParameters[] = {ParameterType::Short, ParameterType::Short,
                                                        ParameterType::VariantIn, ParameterType::VariantOut};

const DispatchMethod kMethods[] = {
    {u"ConvertData", 1, kConvertDataParameters,
     [](IConvertAction& instance, Arguments& a) {
         return instance.ConvertData(a[0].shortValue, a[1].dispatchIn, a[2].dispatchOut);
     }},
    {u"ValidateData", 2, kValidateDataParameters,
     [](IConvertAction& instance, Arguments& a) { return instance.ValidateData(a[0].dispatchIn); }},
    {u"ConvertDataBlob", 3, kConvertDataBlobParameters,
     [](IConvertAction& instance, Arguments& a) {
         return instance.ConvertDataBlob(a[0].shortValue, a[1].shortValue, a[2].variantIn, a[3].variantOut);
     }},
};

char16_t FoldCase(char16_t unit) {
    return unit >= u'a' && unit <= u'z' ? static_cast<char16_t>(unit - 32) : unit;
}

// Names are matched as a late-bound caller expects: without regard to case.
bool SameName(std::u16string_view name, const OLECHAR* candidate) {
    for (const char16_t unit : name) {
        if (*candidate == 0 || FoldCase(*candidate) != FoldCase(unit)) return false;
        ++candidate;
    }
    return *candidate == 0;
}

const DispatchMethod* FindMethod(DISPID dispid) {
    for (const DispatchMethod& method : kMethods) {
        if (method.dispid == dispid) return &method;
    }
    return nullptr;
}

// A VARIANT passed by reference stands for the VARIANT it refers to; null if that is null.
const VARIANT* Referenced(const VARIANT& value) {
    return value.vt == (VT_BYREF | VT_VARIANT) ? value.pvarVal : &value;
}

HRESULT ReadShort(const VARIANT& value, short& result) {
    const VARIANT* v = Referenced(value);
    if (v == nullptr) return DISP_E_TYPEMISMATCH;
    std::int64_t number = 0;
    switch (v->vt) {
        case VT_I2:
            number = v->iVal;
            break;
        case VT_I4:
            number = v->lVal;
            break;
        case VT_UI1:
            number = v->bVal;
            break;
        case VT_BYREF | VT_I2:
            if (v->piVal == nullptr) return DISP_E_TYPEMISMATCH;
            number = *v->piVal;
            break;
        case VT_BYREF | VT_I4:
            if (v->plVal == nullptr) return DISP_E_TYPEMISMATCH;
            number = *v->plVal;
            break;
        case VT_BYREF | VT_UI1:
            if (v->pbVal == nullptr) return DISP_E_TYPEMISMATCH;
            number = *v->pbVal;
            break;
        default:
            return DISP_E_TYPEMISMATCH;
    }
    if (number < std::numeric_limits<short>::min() || number > std::numeric_limits<short>::max()) {
        return DISP_E_OVERFLOW;
    }
    result = static_cast<short>(number);
    return S_OK;
}

HRESULT ReadDispatch(const VARIANT& value, IDispatch*& result) {
    const VARIANT* v = Referenced(value);
    if (v == nullptr) return DISP_E_TYPEMISMATCH;
    if (v->vt == VT_DISPATCH) {
        result = v->pdispVal;
        return S_OK;
    }
    if (v->vt == (VT_BYREF | VT_DISPATCH) && v->ppdispVal != nullptr) {
        result = *v->ppdispVal;
        return S_OK;
    }
    return DISP_E_TYPEMISMATCH;
}

HRESULT ReadArgument(ParameterType type, VARIANT& value, Argument& argument) {
    switch (type) {
        case ParameterType::Short:
            return ReadShort(value, argument.shortValue);
        case ParameterType::DispatchIn:
            return ReadDispatch(value, argument.dispatchIn);
        case ParameterType::DispatchOut:
            if (value.vt == (VT_BYREF | VT_DISPATCH) && value.ppdispVal != nullptr) {
                argument.dispatchOut = value.ppdispVal;
                return S_OK;
            }
            if (value.vt == (VT_BYREF | VT_VARIANT) && value.pvarVal != nullptr) {
                argument.dispatchResultTarget = value.pvarVal;
                argument.dispatchOut = &argument.dispatchResult;
                return S_OK;
            }
            return DISP_E_TYPEMISMATCH;
        case ParameterType::VariantIn: {
            const VARIANT* v = Referenced(value);
            if (v == nullptr) return DISP_E_TYPEMISMATCH;
            argument.variantIn = *v;  // passed by value, as the vtable method takes it
            return S_OK;
        }
        case ParameterType::VariantOut:
            if (value.vt == (VT_BYREF | VT_VARIANT) && value.pvarVal != nullptr) {
                argument.variantOut = value.pvarVal;
                return S_OK;
            }
            return DISP_E_TYPEMISMATCH;
    }
    return DISP_E_TYPEMISMATCH;
}

// The arguments arrive last first. All are converted before anything of the caller's is
// touched, so a refused call changes nothing.
HRESULT ReadArguments(const DispatchMethod& method, DISPPARAMS& params, Arguments& arguments,
                      UINT* puArgErr) {
    if (params.cNamedArgs != 0) return DISP_E_NONAMEDARGS;
    if (params.cArgs != method.parameters.size()) return DISP_E_BADPARAMCOUNT;
    if (params.cArgs != 0 && params.rgvarg == nullptr) return E_INVALIDARG;
    for (std::size_t i = 0; i < method.parameters.size(); ++i) {
        const UINT position = params.cArgs - 1 - static_cast<UINT>(i);
        const HRESULT hr = ReadArgument(method.parameters[i], params.rgvarg[position], arguments[i]);
        if (FAILED(hr)) {
            if (puArgErr != nullptr) *puArgErr = position;
            return hr;
        }
    }
    return S_OK;
}

// An [out] VARIANT of the caller is overwritten: what it held is released first.
void ClearOutVariants(Arguments& arguments) {
    for (Argument& argument : arguments) {
        if (argument.variantOut != nullptr) VariantClear(argument.variantOut);
    }
}

// An [out] IDispatch* that the caller passed as a VARIANT reference becomes that VARIANT's
// value; the caller's variable changes only when the method produced an object.
void StoreDispatchResults(Arguments& arguments) {
    for (Argument& argument : arguments) {
        if (argument.dispatchResultTarget == nullptr || argument.dispatchResult == nullptr) continue;
        VariantClear(argument.dispatchResultTarget);
        argument.dispatchResultTarget->vt = VT_DISPATCH;
        argument.dispatchResultTarget->pdispVal = argument.dispatchResult;
    }
}

HRESULT AsDispatchException(HRESULT methodResult, EXCEPINFO* pExcepInfo) {
    if (pExcepInfo != nullptr) {
        *pExcepInfo = EXCEPINFO{};
        pExcepInfo->scode = methodResult;
    }
    return DISP_E_EXCEPTION;
}

}  // namespace

HRESULT ConvertActionGetTypeInfoCount(UINT* pctinfo) {
    if (pctinfo == nullptr) return E_POINTER;
    *pctinfo = 0;  // the table serves names and calls, not type information
    return S_OK;
}

HRESULT ConvertActionGetTypeInfo(UINT, LCID, ITypeInfo** ppTInfo) {
    if (ppTInfo == nullptr) return E_POINTER;
    *ppTInfo = nullptr;
    return DISP_E_BADINDEX;
}

HRESULT ConvertActionGetIDsOfNames(REFIID riid, LPOLESTR* rgszNames, UINT cNames, LCID, DISPID* rgDispId) {
    if (riid != IID_NULL) return DISP_E_UNKNOWNINTERFACE;
    if (rgszNames == nullptr || rgDispId == nullptr || cNames == 0) return E_INVALIDARG;
    // Only the method names are known; names of parameters are not offered.
    HRESULT hr = cNames == 1 ? S_OK : DISP_E_UNKNOWNNAME;
    rgDispId[0] = DISPID_UNKNOWN;
    for (const DispatchMethod& method : kMethods) {
        if (rgszNames[0] != nullptr && SameName(method.name, rgszNames[0])) rgDispId[0] = method.dispid;
    }
    if (rgDispId[0] == DISPID_UNKNOWN) hr = DISP_E_UNKNOWNNAME;
    for (UINT i = 1; i < cNames; ++i) rgDispId[i] = DISPID_UNKNOWN;
    return hr;
}

HRESULT ConvertActionInvoke(IConvertAction& instance, DISPID dispIdMember, REFIID riid, LCID, WORD wFlags,
                            DISPPARAMS* pDispParams, VARIANT*, EXCEPINFO* pExcepInfo, UINT* puArgErr) {
    if (riid != IID_NULL) return DISP_E_UNKNOWNINTERFACE;
    const DispatchMethod* method = FindMethod(dispIdMember);
    if (method == nullptr || (wFlags & DISPATCH_METHOD) == 0) return DISP_E_MEMBERNOTFOUND;
    if (pDispParams == nullptr) return E_INVALIDARG;

    Arguments arguments{};
    RETURN_IF_FAILED(ReadArguments(*method, *pDispParams, arguments, puArgErr));
    ClearOutVariants(arguments);
    const HRESULT result = method->call(instance, arguments);
    if (FAILED(result)) return AsDispatchException(result, pExcepInfo);
    StoreDispatchResults(arguments);
    return S_OK;
}

}  // namespace audiogram::com
