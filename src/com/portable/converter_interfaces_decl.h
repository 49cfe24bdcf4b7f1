#pragma once
// The interfaces of the ConvertAction component and of the host's action objects, declared
// by hand with the names, identifiers and vtable orders of their interface definitions.
// Include "com/converter_interfaces.h" rather than this file.

#include "com/portable/com_base.h"
#include "com/portable/oleaut.h"

inline constexpr CLSID CLSID_ConvertAction = {
    0x617C5CCD, 0x9BB5, 0x4EA3, {0x99, 0xAB, 0xCE, 0x81, 0xBB, 0x75, 0xA7, 0x90}};
inline constexpr GUID LIBID_VeskAudiogramConverterLib = {
    0xCEDA1027, 0xB655, 0x4789, {0xB7, 0x34, 0x54, 0xAA, 0x3B, 0x07, 0x68, 0xBD}};
inline constexpr IID IID_IConvertAction = {
    0x5C6CB6C5, 0xEA4B, 0x4E65, {0xBC, 0x16, 0x9B, 0xB4, 0xFE, 0x61, 0x5B, 0xAE}};
inline constexpr IID IID_IConverterVersion = {
    0xABB34645, 0x8A40, 0x4657, {0x8F, 0xAD, 0xDF, 0x89, 0xA2, 0x1D, 0xB2, 0x14}};
inline constexpr IID IID_IHostAction = {
    0xFC2B9C1F, 0xE37B, 0x416C, {0xA3, 0xBA, 0x52, 0x33, 0xB5, 0x13, 0x83, 0x4C}};
inline constexpr IID IID_IHostDataType = {
    0x71BB7E0A, 0x091D, 0x4DBE, {0xB1, 0xEE, 0x75, 0x1C, 0x88, 0x11, 0x40, 0xA4}};

// Dual interface: the same three methods by vtable and by dispid 1, 2 and 3.
struct IConvertAction : public IDispatch {
    virtual HRESULT STDMETHODCALLTYPE ConvertData(short NewDataFormat, IDispatch* pOldAction,
                                                  IDispatch** ppNewAction) = 0;
    virtual HRESULT STDMETHODCALLTYPE ValidateData(IDispatch* pAction) = 0;
    virtual HRESULT STDMETHODCALLTYPE ConvertDataBlob(short NewDataFormat, short OldDataFormat,
                                                      VARIANT PublicBlob, VARIANT* NewPublicBlob) = 0;
};

struct IConverterVersion : public IDispatch {
    virtual HRESULT STDMETHODCALLTYPE GetConverterVersion(LONG* pVersion) = 0;
};

// The host's data type of an action's blob. Its first two own slots are the host's business.
struct IHostDataType : public IDispatch {
    virtual HRESULT STDMETHODCALLTYPE Reserved1() = 0;
    virtual HRESULT STDMETHODCALLTYPE Reserved2() = 0;
    virtual HRESULT STDMETHODCALLTYPE GetDataStandard(short* pDataStandard) = 0;
    virtual HRESULT STDMETHODCALLTYPE PutDataStandard(short DataStandard) = 0;
};

// The host's action: one blob and its data type. The component calls only the four named
// methods; the reserved slots hold the host's other methods so those four sit at their
// own slots 7, 15, 16 and 21.
struct IHostAction : public IDispatch {
    virtual HRESULT STDMETHODCALLTYPE Reserved1() = 0;
    virtual HRESULT STDMETHODCALLTYPE Reserved2() = 0;
    virtual HRESULT STDMETHODCALLTYPE Reserved3() = 0;
    virtual HRESULT STDMETHODCALLTYPE Reserved4() = 0;
    virtual HRESULT STDMETHODCALLTYPE Reserved5() = 0;
    virtual HRESULT STDMETHODCALLTYPE Reserved6() = 0;
    virtual HRESULT STDMETHODCALLTYPE GetDataType(IHostDataType** ppDataType) = 0;
    virtual HRESULT STDMETHODCALLTYPE Reserved8() = 0;
    virtual HRESULT STDMETHODCALLTYPE Reserved9() = 0;
    virtual HRESULT STDMETHODCALLTYPE Reserved10() = 0;
    virtual HRESULT STDMETHODCALLTYPE Reserved11() = 0;
    virtual HRESULT STDMETHODCALLTYPE Reserved12() = 0;
    virtual HRESULT STDMETHODCALLTYPE Reserved13() = 0;
    virtual HRESULT STDMETHODCALLTYPE Reserved14() = 0;
    virtual HRESULT STDMETHODCALLTYPE GetData(VARIANT* pData) = 0;
    virtual HRESULT STDMETHODCALLTYPE PutData(VARIANT Data) = 0;
    virtual HRESULT STDMETHODCALLTYPE Reserved17() = 0;
    virtual HRESULT STDMETHODCALLTYPE Reserved18() = 0;
    virtual HRESULT STDMETHODCALLTYPE Reserved19() = 0;
    virtual HRESULT STDMETHODCALLTYPE Reserved20() = 0;
    virtual HRESULT STDMETHODCALLTYPE CreateAction(IHostAction** ppNewAction) = 0;
};
