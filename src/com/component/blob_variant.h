#pragma once
// Blobs at the COM boundary: a VARIANT of type VT_ARRAY|VT_UI1 over a one-dimensional
// SAFEARRAY of bytes with lower bound 0, whose element count is the blob's length.

#include "com/com_platform.h"
#include "records/little_endian.h"

namespace audiogram::com {

// Owns a VARIANT: cleared when the owner goes.
class ScopedVariant {
  public:
    ScopedVariant() { VariantInit(&value_); }
    ~ScopedVariant() { VariantClear(&value_); }
    ScopedVariant(const ScopedVariant&) = delete;
    ScopedVariant& operator=(const ScopedVariant&) = delete;

    const VARIANT& Get() const { return value_; }
    // The address for an [out] VARIANT, emptied first.
    VARIANT* Put() {
        VariantClear(&value_);
        return &value_;
    }
    // Hands the value to the caller, who must clear it.
    VARIANT Detach() {
        const VARIANT value = value_;
        VariantInit(&value_);
        return value;
    }

  private:
    VARIANT value_;
};

// The bytes of a blob VARIANT, accessed in place (the array stays locked while this lives).
class BlobBytes {
  public:
    BlobBytes() = default;
    ~BlobBytes();
    BlobBytes(const BlobBytes&) = delete;
    BlobBytes& operator=(const BlobBytes&) = delete;

    // CONV_E_INVALIDBLOB unless `blob` is exactly VT_ARRAY|VT_UI1 (not by reference) over an
    // array with lower bound 0. The number of dimensions is not examined.
    HRESULT Open(const VARIANT& blob);
    MutableByteSpan Bytes() const { return bytes_; }

  private:
    SAFEARRAY* array_ = nullptr;
    MutableByteSpan bytes_;
};

// Makes `target` (empty on entry) a new one-dimensional byte array, lower bound 0, holding a
// copy of exactly these bytes. E_OUTOFMEMORY leaves it empty.
HRESULT StoreBlob(ByteSpan bytes, VARIANT& target);

}  // namespace audiogram::com
