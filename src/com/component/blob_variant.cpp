#include "com/component/blob_variant.h"

#include <algorithm>
#include <cstdint>

#include "support/status.h"

namespace audiogram::com {

BlobBytes::~BlobBytes() {
    if (array_ != nullptr) SafeArrayUnaccessData(array_);
}

HRESULT BlobBytes::Open(const VARIANT& blob) {
    if (blob.vt != (VT_ARRAY | VT_UI1) || blob.parray == nullptr) return CONV_E_INVALIDBLOB;
    SAFEARRAY* array = blob.parray;
    LONG lowerBound = 0;
    LONG upperBound = 0;
    if (FAILED(SafeArrayGetLBound(array, 1, &lowerBound)) || lowerBound != 0) return CONV_E_INVALIDBLOB;
    if (FAILED(SafeArrayGetUBound(array, 1, &upperBound))) return CONV_E_INVALIDBLOB;
    const std::int64_t length = std::int64_t{upperBound} + 1;
    if (length < 0) return CONV_E_INVALIDBLOB;

    void* data = nullptr;
    if (FAILED(SafeArrayAccessData(array, &data))) return CONV_E_INVALIDBLOB;
    array_ = array;
    if (data == nullptr && length != 0) return CONV_E_INVALIDBLOB;
    bytes_ = MutableByteSpan(static_cast<std::uint8_t*>(data), static_cast<std::size_t>(length));
    return S_OK;
}

HRESULT StoreBlob(ByteSpan bytes, VARIANT& target) {
    if (bytes.size() > 0xFFFFFFFFu) return E_OUTOFMEMORY;
    SAFEARRAY* array = SafeArrayCreateVector(VT_UI1, 0, static_cast<ULONG>(bytes.size()));
    if (array == nullptr) return E_OUTOFMEMORY;
    void* data = nullptr;
    if (FAILED(SafeArrayAccessData(array, &data))) {
        SafeArrayDestroy(array);
        return E_OUTOFMEMORY;
    }
    std::copy(bytes.begin(), bytes.end(), static_cast<std::uint8_t*>(data));
    SafeArrayUnaccessData(array);
    target.vt = VT_ARRAY | VT_UI1;
    target.parray = array;
    return S_OK;
}

}  // namespace audiogram::com
