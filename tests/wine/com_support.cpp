#include "com_support.h"

#include <cstring>

namespace wine_client {

SAFEARRAY* MakeByteArray(std::span<const std::uint8_t> bytes, LONG lowerBound) {
    SAFEARRAYBOUND bound{static_cast<ULONG>(bytes.size()), lowerBound};
    SAFEARRAY* array = SafeArrayCreate(VT_UI1, 1, &bound);
    if (array == nullptr) return nullptr;
    void* data = nullptr;
    if (SUCCEEDED(SafeArrayAccessData(array, &data))) {
        if (!bytes.empty()) std::memcpy(data, bytes.data(), bytes.size());
        SafeArrayUnaccessData(array);
    }
    return array;
}

void SetBlob(VARIANT& variant, std::span<const std::uint8_t> bytes, LONG lowerBound) {
    VariantClear(&variant);
    variant.vt = VT_ARRAY | VT_UI1;
    variant.parray = MakeByteArray(bytes, lowerBound);
}

std::optional<Bytes> BlobBytes(const VARIANT& variant) {
    if (variant.vt != (VT_ARRAY | VT_UI1) || variant.parray == nullptr) return std::nullopt;
    SAFEARRAY* array = variant.parray;
    if (SafeArrayGetDim(array) != 1) return std::nullopt;
    LONG lower = 0;
    LONG upper = -1;
    if (FAILED(SafeArrayGetLBound(array, 1, &lower)) || FAILED(SafeArrayGetUBound(array, 1, &upper))) {
        return std::nullopt;
    }
    if (lower != 0) return std::nullopt;
    Bytes bytes(static_cast<std::size_t>(upper - lower + 1));
    void* data = nullptr;
    if (FAILED(SafeArrayAccessData(array, &data))) return std::nullopt;
    if (!bytes.empty()) std::memcpy(bytes.data(), data, bytes.size());
    SafeArrayUnaccessData(array);
    return bytes;
}

std::wstring Widen(std::string_view text) {
    return std::wstring(text.begin(), text.end());
}

}  // namespace wine_client
