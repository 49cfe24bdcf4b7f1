#pragma once
// The host application's action objects as the component sees them: a blob and its data
// standard behind IHostAction and IHostDataType. Only the slots the component calls are
// named; the others stand in for host methods the component never touches.

#include <windows.h>
// after windows.h, which the other platform headers need first
#include <oaidl.h>

#include "com_support.h"

namespace wine_client {

// {71BB7E0A-091D-4DBE-B1EE-751C881140A4}
inline constexpr IID IID_IHostDataType = {
    0x71BB7E0A, 0x091D, 0x4DBE, {0xB1, 0xEE, 0x75, 0x1C, 0x88, 0x11, 0x40, 0xA4}};
// {FC2B9C1F-E37B-416C-A3BA-5233B513834C}
inline constexpr IID IID_IHostAction = {
    0xFC2B9C1F, 0xE37B, 0x416C, {0xA3, 0xBA, 0x52, 0x33, 0xB5, 0x13, 0x83, 0x4C}};

struct IHostDataType : IDispatch {
    virtual HRESULT STDMETHODCALLTYPE Unused1() = 0;
    virtual HRESULT STDMETHODCALLTYPE Unused2() = 0;
    virtual HRESULT STDMETHODCALLTYPE GetDataStandard(short* standard) = 0;  // own slot 3
    virtual HRESULT STDMETHODCALLTYPE PutDataStandard(short standard) = 0;   // own slot 4
};

struct IHostAction : IDispatch {
    virtual HRESULT STDMETHODCALLTYPE Unused1() = 0;
    virtual HRESULT STDMETHODCALLTYPE Unused2() = 0;
    virtual HRESULT STDMETHODCALLTYPE Unused3() = 0;
    virtual HRESULT STDMETHODCALLTYPE Unused4() = 0;
    virtual HRESULT STDMETHODCALLTYPE Unused5() = 0;
    virtual HRESULT STDMETHODCALLTYPE Unused6() = 0;
    virtual HRESULT STDMETHODCALLTYPE GetDataType(IHostDataType** dataType) = 0;  // own slot 7
    virtual HRESULT STDMETHODCALLTYPE Unused8() = 0;
    virtual HRESULT STDMETHODCALLTYPE Unused9() = 0;
    virtual HRESULT STDMETHODCALLTYPE Unused10() = 0;
    virtual HRESULT STDMETHODCALLTYPE Unused11() = 0;
    virtual HRESULT STDMETHODCALLTYPE Unused12() = 0;
    virtual HRESULT STDMETHODCALLTYPE Unused13() = 0;
    virtual HRESULT STDMETHODCALLTYPE Unused14() = 0;
    virtual HRESULT STDMETHODCALLTYPE GetData(VARIANT* blob) = 0;  // own slot 15
    virtual HRESULT STDMETHODCALLTYPE PutData(VARIANT blob) = 0;   // own slot 16
    virtual HRESULT STDMETHODCALLTYPE Unused17() = 0;
    virtual HRESULT STDMETHODCALLTYPE Unused18() = 0;
    virtual HRESULT STDMETHODCALLTYPE Unused19() = 0;
    virtual HRESULT STDMETHODCALLTYPE Unused20() = 0;
    virtual HRESULT STDMETHODCALLTYPE CreateAction(IHostAction** action) = 0;  // own slot 21
};

// A host action holding `blob` (none: an empty VARIANT) of data standard `standard`.
// `createFailure`, when not S_OK, is what its CreateAction answers.
ComPtr<IHostAction> MakeHostAction(const std::optional<Bytes>& blob, short standard,
                                   HRESULT createFailure = S_OK);

// What a host action holds now, for the checks.
struct HostActionState {
    short standard = 0;
    std::optional<Bytes> blob;  // none when the action holds no byte array
};
HostActionState ReadHostAction(IHostAction* action);

}  // namespace wine_client
