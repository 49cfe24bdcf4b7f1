#include "com/portable/oleaut.h"

#include <cstdlib>
#include <cstring>
#include <limits>

namespace {

// A BSTR's characters follow its length in bytes; the block starts at that length.
constexpr std::size_t kBstrPrefix = sizeof(std::uint32_t);

char* BstrBlock(BSTR text) {
    return reinterpret_cast<char*>(text) - kBstrPrefix;
}

bool IsKnownBaseType(unsigned base) {
    switch (base) {
        case VT_EMPTY:
        case VT_NULL:
        case VT_I2:
        case VT_I4:
        case VT_R4:
        case VT_R8:
        case VT_BSTR:
        case VT_DISPATCH:
        case VT_ERROR:
        case VT_BOOL:
        case VT_VARIANT:
        case VT_UNKNOWN:
        case VT_I1:
        case VT_UI1:
        case VT_UI2:
        case VT_UI4:
        case VT_I8:
        case VT_UI8:
        case VT_INT:
        case VT_UINT:
            return true;
        default:
            return false;
    }
}

bool IsValidVariantType(VARTYPE vt) {
    const unsigned base = vt & VT_TYPEMASK;
    const unsigned modifiers = vt & ~static_cast<unsigned>(VT_TYPEMASK);
    if ((modifiers & ~static_cast<unsigned>(VT_ARRAY | VT_BYREF)) != 0) return false;
    if (!IsKnownBaseType(base)) return false;
    return base != VT_VARIANT || modifiers != 0;  // a VARIANT holds another only by reference or in an array
}

// Element size of the vectors this layer makes; 0 for element types it does not make.
ULONG ElementSize(VARTYPE vt) {
    switch (vt) {
        case VT_UI1:
        case VT_I1:
            return 1;
        case VT_I2:
        case VT_UI2:
        case VT_BOOL:
            return 2;
        case VT_I4:
        case VT_UI4:
        case VT_R4:
        case VT_INT:
        case VT_UINT:
        case VT_ERROR:
            return 4;
        case VT_R8:
        case VT_I8:
        case VT_UI8:
            return 8;
        case VT_VARIANT:
            return sizeof(VARIANT);
        default:
            return 0;
    }
}

bool OwnsItsMemory(const SAFEARRAY& array) {
    return (array.fFeatures & (FADF_AUTO | FADF_STATIC | FADF_EMBEDDED)) == 0;
}

ULONG ElementCount(const SAFEARRAY& array) {
    return array.cDims == 1 ? array.rgsabound[0].cElements : 0;
}

VARIANT* VariantElements(const SAFEARRAY& array) {
    return static_cast<VARIANT*>(array.pvData);
}

SAFEARRAY* NewVector(ULONG elementSize, USHORT features, LONG lowerBound, ULONG count) {
    if (count > std::numeric_limits<std::size_t>::max() / elementSize) return nullptr;
    auto* array = static_cast<SAFEARRAY*>(std::calloc(1, sizeof(SAFEARRAY)));
    if (array == nullptr) return nullptr;
    // Never a null data pointer, not even for no elements; zeroed VARIANTs are VT_EMPTY.
    array->pvData = std::calloc(count == 0 ? 1 : count, elementSize);
    if (array->pvData == nullptr) {
        std::free(array);
        return nullptr;
    }
    array->cDims = 1;
    array->fFeatures = features;
    array->cbElements = elementSize;
    array->rgsabound[0] = SAFEARRAYBOUND{count, lowerBound};
    return array;
}

}  // namespace

extern "C" {

BSTR SysAllocString(const OLECHAR* psz) {
    if (psz == nullptr) return nullptr;
    UINT length = 0;
    while (psz[length] != 0) ++length;
    return SysAllocStringLen(psz, length);
}

BSTR SysAllocStringLen(const OLECHAR* strIn, UINT ui) {
    constexpr UINT kMaxUnits =
        (std::numeric_limits<std::uint32_t>::max() - kBstrPrefix) / sizeof(OLECHAR) - 1;
    if (ui > kMaxUnits) return nullptr;
    const std::uint32_t bytes = ui * static_cast<std::uint32_t>(sizeof(OLECHAR));
    auto* block = static_cast<char*>(std::calloc(kBstrPrefix + bytes + sizeof(OLECHAR), 1));
    if (block == nullptr) return nullptr;
    std::memcpy(block, &bytes, sizeof bytes);
    auto* text = reinterpret_cast<BSTR>(block + kBstrPrefix);
    if (strIn != nullptr) std::memcpy(text, strIn, bytes);
    return text;
}

void SysFreeString(BSTR bstrString) {
    if (bstrString != nullptr) std::free(BstrBlock(bstrString));
}

UINT SysStringLen(BSTR pbstr) {
    if (pbstr == nullptr) return 0;
    std::uint32_t bytes = 0;
    std::memcpy(&bytes, BstrBlock(pbstr), sizeof bytes);
    return static_cast<UINT>(bytes / sizeof(OLECHAR));
}

void VariantInit(VARIANT* pvarg) {
    pvarg->vt = VT_EMPTY;
}

HRESULT VariantClear(VARIANT* pvarg) {
    if (pvarg == nullptr) return E_INVALIDARG;
    if (!IsValidVariantType(pvarg->vt)) return DISP_E_BADVARTYPE;
    // A value held by reference belongs to someone else and is left alone.
    if ((pvarg->vt & VT_BYREF) == 0) {
        if ((pvarg->vt & VT_ARRAY) != 0) {
            const HRESULT hr = SafeArrayDestroy(pvarg->parray);
            if (FAILED(hr)) return hr;
        } else if (pvarg->vt == VT_BSTR) {
            SysFreeString(pvarg->bstrVal);
        } else if ((pvarg->vt == VT_UNKNOWN || pvarg->vt == VT_DISPATCH) && pvarg->punkVal != nullptr) {
            pvarg->punkVal->Release();
        }
    }
    pvarg->vt = VT_EMPTY;
    return S_OK;
}

HRESULT VariantCopy(VARIANT* pvargDest, const VARIANT* pvargSrc) {
    if (pvargDest == nullptr || pvargSrc == nullptr) return E_INVALIDARG;
    if (pvargDest == pvargSrc) return S_OK;
    if (!IsValidVariantType(pvargSrc->vt)) return DISP_E_BADVARTYPE;
    const HRESULT cleared = VariantClear(pvargDest);
    if (FAILED(cleared)) return cleared;

    // A reference is copied as the reference; owned values get owners of their own.
    VARIANT copy = *pvargSrc;
    if ((copy.vt & VT_BYREF) == 0) {
        if ((copy.vt & VT_ARRAY) != 0) {
            const HRESULT hr = SafeArrayCopy(pvargSrc->parray, &copy.parray);
            if (FAILED(hr)) return hr;
        } else if (copy.vt == VT_BSTR && copy.bstrVal != nullptr) {
            copy.bstrVal = SysAllocStringLen(pvargSrc->bstrVal, SysStringLen(pvargSrc->bstrVal));
            if (copy.bstrVal == nullptr) return E_OUTOFMEMORY;
        } else if ((copy.vt == VT_UNKNOWN || copy.vt == VT_DISPATCH) && copy.punkVal != nullptr) {
            copy.punkVal->AddRef();
        }
    }
    *pvargDest = copy;
    return S_OK;
}

SAFEARRAY* SafeArrayCreateVector(VARTYPE vt, LONG lLbound, ULONG cElements) {
    const ULONG elementSize = ElementSize(vt);
    if (elementSize == 0) return nullptr;
    return NewVector(elementSize, vt == VT_VARIANT ? FADF_VARIANT : USHORT{0}, lLbound, cElements);
}

HRESULT SafeArrayDestroy(SAFEARRAY* psa) {
    if (psa == nullptr) return S_OK;
    if (psa->cLocks != 0) return DISP_E_ARRAYISLOCKED;
    if ((psa->fFeatures & FADF_VARIANT) != 0 && psa->pvData != nullptr) {
        VARIANT* elements = VariantElements(*psa);
        for (ULONG i = 0; i < ElementCount(*psa); ++i) VariantClear(&elements[i]);
    }
    if (OwnsItsMemory(*psa)) {
        std::free(psa->pvData);
        std::free(psa);
    }
    return S_OK;
}

HRESULT SafeArrayCopy(SAFEARRAY* psa, SAFEARRAY** ppsaOut) {
    if (ppsaOut == nullptr) return E_INVALIDARG;
    *ppsaOut = nullptr;
    if (psa == nullptr) return S_OK;
    if (psa->cDims != 1 || psa->cbElements == 0) return E_INVALIDARG;
    const bool holdsVariants = (psa->fFeatures & FADF_VARIANT) != 0;
    const SAFEARRAYBOUND bound = psa->rgsabound[0];
    SAFEARRAY* copy =
        NewVector(psa->cbElements, holdsVariants ? FADF_VARIANT : USHORT{0}, bound.lLbound, bound.cElements);
    if (copy == nullptr) return E_OUTOFMEMORY;
    if (psa->pvData != nullptr) {
        if (!holdsVariants) {
            std::memcpy(copy->pvData, psa->pvData, std::size_t{bound.cElements} * psa->cbElements);
        } else {
            for (ULONG i = 0; i < bound.cElements; ++i) {
                const HRESULT hr = VariantCopy(&VariantElements(*copy)[i], &VariantElements(*psa)[i]);
                if (FAILED(hr)) {
                    SafeArrayDestroy(copy);
                    return hr;
                }
            }
        }
    }
    *ppsaOut = copy;
    return S_OK;
}

UINT SafeArrayGetDim(SAFEARRAY* psa) {
    return psa == nullptr ? 0 : psa->cDims;
}

HRESULT SafeArrayGetLBound(SAFEARRAY* psa, UINT nDim, LONG* plLbound) {
    if (psa == nullptr || plLbound == nullptr) return E_INVALIDARG;
    if (nDim == 0 || nDim > psa->cDims || psa->cDims != 1) return DISP_E_BADINDEX;
    *plLbound = psa->rgsabound[0].lLbound;
    return S_OK;
}

HRESULT SafeArrayGetUBound(SAFEARRAY* psa, UINT nDim, LONG* plUbound) {
    if (psa == nullptr || plUbound == nullptr) return E_INVALIDARG;
    if (nDim == 0 || nDim > psa->cDims || psa->cDims != 1) return DISP_E_BADINDEX;
    const SAFEARRAYBOUND bound = psa->rgsabound[0];
    *plUbound = static_cast<LONG>(std::int64_t{bound.lLbound} + std::int64_t{bound.cElements} - 1);
    return S_OK;
}

HRESULT SafeArrayAccessData(SAFEARRAY* psa, void** ppvData) {
    if (psa == nullptr || ppvData == nullptr) return E_INVALIDARG;
    ++psa->cLocks;
    *ppvData = psa->pvData;
    return S_OK;
}

HRESULT SafeArrayUnaccessData(SAFEARRAY* psa) {
    if (psa == nullptr) return E_INVALIDARG;
    if (psa->cLocks == 0) return E_UNEXPECTED;
    --psa->cLocks;
    return S_OK;
}

}  // extern "C"
