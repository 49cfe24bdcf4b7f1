#pragma once
// Small owners and builders for the COM types the client passes to the component.

#include <windows.h>
// after windows.h, which the other platform headers need first
#include <oleauto.h>
#include <wrl/client.h>

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace wine_client {

using Microsoft::WRL::ComPtr;
using Bytes = std::vector<std::uint8_t>;

// A VARIANT that is cleared when it goes.
class Variant {
  public:
    Variant() { VariantInit(&value_); }
    ~Variant() { VariantClear(&value_); }
    Variant(const Variant&) = delete;
    Variant& operator=(const Variant&) = delete;

    VARIANT* operator&() { return &value_; }
    VARIANT& Get() { return value_; }
    const VARIANT& Get() const { return value_; }
    void Clear() { VariantClear(&value_); }

  private:
    VARIANT value_;
};

// A one-dimensional byte SAFEARRAY holding `bytes`, with the given lower bound.
SAFEARRAY* MakeByteArray(std::span<const std::uint8_t> bytes, LONG lowerBound = 0);

// `variant` becomes VT_ARRAY|VT_UI1 over a new array of `bytes`.
void SetBlob(VARIANT& variant, std::span<const std::uint8_t> bytes, LONG lowerBound = 0);

// The bytes of a VT_ARRAY|VT_UI1 VARIANT with lower bound 0, or none for anything else.
std::optional<Bytes> BlobBytes(const VARIANT& variant);

std::wstring Widen(std::string_view text);

}  // namespace wine_client
