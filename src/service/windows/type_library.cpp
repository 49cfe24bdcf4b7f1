#include "service/windows/type_library.h"

#include <oleauto.h>

#include <mutex>

namespace audiogram::windows {
namespace {

// {CEDA1027-B655-4789-B734-54AA3B0768BD}, version 1.0
constexpr GUID kLibraryId = {0xCEDA1027, 0xB655, 0x4789, {0xB7, 0x34, 0x54, 0xAA, 0x3B, 0x07, 0x68, 0xBD}};
constexpr WORD kLibraryMajor = 1;
constexpr WORD kLibraryMinor = 0;
// {5C6CB6C5-EA4B-4E65-BC16-9BB4FE615BAE}
constexpr GUID kConvertActionId = {0x5C6CB6C5, 0xEA4B, 0x4E65, {0xBC, 0x16, 0x9B, 0xB4, 0xFE, 0x61, 0x5B, 0xAE}};

template <typename Interface>
class Owned {
public:
    Owned() = default;
    Owned(const Owned&) = delete;
    Owned& operator=(const Owned&) = delete;
    ~Owned() {
        if (pointer_ != nullptr) pointer_->Release();
    }
    Interface* operator->() const { return pointer_; }
    Interface** Put() { return &pointer_; }
    Interface* Detach() {
        Interface* pointer = pointer_;
        pointer_ = nullptr;
        return pointer;
    }

private:
    Interface* pointer_ = nullptr;
};

HRESULT Load(ConvertActionTypeInfo& loaded) {
    Owned<ITypeLib> library;
    HRESULT status = LoadRegTypeLib(kLibraryId, kLibraryMajor, kLibraryMinor, LOCALE_NEUTRAL, library.Put());
    if (FAILED(status)) return status;
    Owned<ITypeInfo> dispatch;
    status = library->GetTypeInfoOfGuid(kConvertActionId, dispatch.Put());
    if (FAILED(status)) return status;
    // The dual interface's vtable half: ITypeInfo::Invoke on it calls the method itself.
    HREFTYPE vtableType = 0;
    status = dispatch->GetRefTypeOfImplType(static_cast<UINT>(-1), &vtableType);
    if (FAILED(status)) return status;
    Owned<ITypeInfo> vtable;
    status = dispatch->GetRefTypeInfo(vtableType, vtable.Put());
    if (FAILED(status)) return status;
    loaded.dispatch = dispatch.Detach();
    loaded.vtable = vtable.Detach();
    return S_OK;
}

}  // namespace

HRESULT GetConvertActionTypeInfo(ConvertActionTypeInfo& typeInfo) {
    // Objects of several apartments may ask at once; the first to get the lock loads.
    static std::mutex loading;
    static ConvertActionTypeInfo kept;
    const std::lock_guard lock(loading);
    if (kept.vtable == nullptr) {
        if (const HRESULT status = Load(kept); FAILED(status)) return status;
    }
    typeInfo = kept;
    return S_OK;
}

}  // namespace audiogram::windows
